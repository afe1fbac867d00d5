// The phases of the angle functions against GNU MPFR where the kernel tests
// (kernel_mpfr_test.cpp) do not reach: the tiny-argument shortcuts around
// their thresholds, the wide evaluation on its own (it is otherwise taken
// only by the rare arguments the faster phases cannot decide), and the
// arc values rounded to 64 bits for the degree conversion.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>

#include "common/ieee_double.h"
#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/wide_angle_functions.h"
#include "support/kernel_cases.h"
#include "support/accuracy.h"
#include "support/mpfr_reference.h"

namespace vyxmath::test {
namespace {

namespace ref = mpfr_reference;

constexpr int count = scaled_count(400);

const function_pair functions[] = {
    {"sin", sine, ref::sin},       {"cos", cosine, ref::cos},     {"tan", tangent, ref::tan},
    {"asin", arcsine, ref::asin},  {"acos", arccosine, ref::acos}, {"atan", arctangent, ref::atan},
};

// Each power of two from 2^-30 to 2^-22 with its neighbours, and random
// arguments between: the shortcuts that return x (sin, tan, asin, atan) or
// 1 (cos) must end where the function stops rounding to that, not a binade
// later.
TEST(AnglePhases, TinyArgumentsAroundTheShortcuts) {
    accuracy_records records(functions);
    bit_stream source(26);
    for (int e = -30; e <= -22; ++e) {
        const double p = std::ldexp(1.0, e);
        for (double x : {p, std::nextafter(p, 0.0), std::nextafter(p, 1.0), -p, -std::nextafter(p, 0.0)}) records.add(x);
        for (int i = 0; i < count / 4; ++i) records.add(source.spread(e, e + 1, false));
    }
    records.check();
}

// The seams of the fast reductions by steps of pi/512 (sine, cosine) and
// pi/1024 (tangent): the arguments half way between two steps (the
// remainder at its largest, either step may be taken), those on a step (the
// remainder at its smallest; on a multiple of pi/2 the table value is 0 or
// the tangent's pole), with both signs, for the first 2200 steps of pi/1024
// (every table row, every quarter, beyond 2 pi), those around 64 (where the
// step's pieces change) and random steps up to 2^20;
// and arguments near 2^-10 to 2^-8, the least with a step other than 0. A
// piece of a step off its grid, a row, a quarter or a sign a step off shows
// here as a wrong last bit.
TEST(AnglePhases, ArgumentsAtTheReductionSeams) {
    const function_pair circular[] = {{"sin", sine, ref::sin}, {"cos", cosine, ref::cos}, {"tan", tangent, ref::tan}};
    accuracy_records records(circular);
    constexpr double step = 0x1.921fb54442d18p-9;  // pi/1024
    const auto add_around = [&](double k) {
        for (double x : {(k + 0.5) * step, k * step}) {
            for (double y : {x, std::nextafter(x, 0.0), std::nextafter(x, 1e9)}) {
                records.add(y);
                records.add(-y);
            }
        }
    };
    for (int k = 0; k <= scaled_count(2200); ++k) add_around(k);  // from 0: half a step is where the series near 0 ends
    for (int k = 20840; k <= 20880; ++k) add_around(k);  // around 64, where the reduction's pieces change
    bit_stream source(29);
    for (int i = 0; i < count; ++i) add_around(std::floor(source.uniform(1.0, 0x1p20 / step)));
    for (int i = 0; i < count; ++i) records.add(source.spread(-11, -8, true));
    records.check();
}

// The wide evaluation alone, rounded to 53 bits, over random arguments.
TEST(AnglePhases, WideEvaluationIsCorrectlyRounded) {
    bit_stream source(27);
    auto draw = [&](int low, int high) { return source.spread(low, high + 1, true); };
    auto rounded = [](const wide_fixed& w) { return round_wide(w, 53).hi; };
    for (int i = 0; i < count; ++i) {
        // Beyond 2^63 the module reduces by its 64-bit period: compared below.
        const double angle = draw(-26, i % 4 == 0 ? 62 : 20);
        EXPECT_EQ(wide_sine(angle), ref::sin(angle)) << std::hexfloat << angle;
        EXPECT_EQ(wide_cosine(angle), ref::cos(angle)) << std::hexfloat << angle;
        EXPECT_EQ(wide_tangent(angle), ref::tan(angle)) << std::hexfloat << angle;
        const double unit = draw(-27, -1);
        EXPECT_EQ(rounded(wide_arcsine(unit)), ref::asin(unit)) << std::hexfloat << unit;
        EXPECT_EQ(rounded(wide_arccosine(unit)), ref::acos(unit)) << std::hexfloat << unit;
        const double any = draw(-27, 1023);
        EXPECT_EQ(rounded(wide_arctangent(any)), ref::atan(any)) << std::hexfloat << any;
    }
}

// The exact value rounded to nearest at 64 bits, as hi + lo.
double_double mpfr_at_64_bits(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x) {
    mpfr_t a, r, rest;
    mpfr_inits2(64, a, r, rest, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    f(r, a, MPFR_RNDN);
    const double hi = mpfr_get_d(r, MPFR_RNDN);
    mpfr_sub_d(rest, r, hi, MPFR_RNDN);  // exact: 11 bits
    const double lo = mpfr_get_d(rest, MPFR_RNDN);
    mpfr_clears(a, r, rest, static_cast<mpfr_ptr>(nullptr));
    return {hi, lo};
}

// The degree route: the arc values rounded once to 64 bits, on the hardest
// cases of the 53-bit rounding (which the 64-bit test meets as ordinary
// arguments) and random ones, also through the wide evaluation.
TEST(AnglePhases, ArcValuesRoundedTo64Bits) {
    struct route {
        const char* name;
        double_double (*module)(double);
        wide_fixed (*wide)(double);
        int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    };
    const route routes[] = {{"asin", arcsine_to_64_bits, wide_arcsine, mpfr_asin},
                            {"acos", arccosine_to_64_bits, wide_arccosine, mpfr_acos},
                            {"atan", arctangent_to_64_bits, wide_arctangent, mpfr_atan}};
    bit_stream source(28);
    for (const route& r : routes) {
        auto arguments = kernel_check::read_cases(VYXMATH_HARDEST_CASES, r.name);
        for (int i = 0; i < count; ++i) arguments.push_back({source.uniform(-1.0, 1.0), 0.0});
        int mismatches = 0;
        for (const kernel_check::Arguments& a : arguments) {
            if (std::fabs(a.x) > 1.0 || std::fabs(a.x) < 0x1p-27 || std::isnan(a.x)) continue;
            const double_double want = mpfr_at_64_bits(r.exact, a.x);
            const double_double got = r.module(a.x);
            const double_double wide = std::fabs(a.x) == 1.0 ? want : round_wide(r.wide(a.x), 64);
            if (got.hi != want.hi || got.lo != want.lo || wide.hi != want.hi || wide.lo != want.lo) {
                if (++mismatches <= 5) ADD_FAILURE() << r.name << "(" << std::hexfloat << a.x << ")";
            }
        }
        EXPECT_EQ(mismatches, 0) << r.name;
    }
}

}  // namespace
}  // namespace vyxmath::test
