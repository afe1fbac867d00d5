// The arc functions: the edge results of the module, correct rounding against
// the exact reference, and the accuracy of the double-double values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/ieee_double.h"
#include "real/trig/arc.h"
#include "support/accuracy.h"
#include "support/bit_stream.h"
#include "support/edge_results.h"

namespace vyxmath::test {
namespace {

constexpr double pi = 0x1.921fb54442d18p+1;
constexpr double half_pi = 0x1.921fb54442d18p+0;
const double nan_with_payload = from_bits(0xFFF8000000000042u);

const edge_case one_argument_cases[] = {
    {"asin +0", arcsine, 0.0, 0.0},
    {"asin -0", arcsine, -0.0, -0.0},
    {"asin 1", arcsine, 1.0, half_pi},
    {"asin -1", arcsine, -1.0, -half_pi},
    {"asin 1 + ulp", arcsine, 0x1.0000000000001p0, default_nan()},
    {"asin -2", arcsine, -2.0, default_nan()},
    {"asin +inf", arcsine, inf, default_nan()},
    {"asin -inf", arcsine, -inf, default_nan()},
    {"asin nan", arcsine, nan_with_payload, nan_with_payload},
    {"asin 0.5", arcsine, 0.5, 0x1.0c152382d7366p-1},  // pi/6
    {"acos 1", arccosine, 1.0, 0.0},
    {"acos -1", arccosine, -1.0, pi},
    {"acos +0", arccosine, 0.0, half_pi},
    {"acos -0", arccosine, -0.0, half_pi},
    {"acos 0.5", arccosine, 0.5, 0x1.0c152382d7366p+0},  // pi/3
    {"acos 1 + ulp", arccosine, 0x1.0000000000001p0, default_nan()},
    {"acos -inf", arccosine, -inf, default_nan()},
    {"acos nan", arccosine, nan_with_payload, nan_with_payload},
    {"atan +0", arctangent, 0.0, 0.0},
    {"atan -0", arctangent, -0.0, -0.0},
    {"atan 1", arctangent, 1.0, 0x1.921fb54442d18p-1},
    {"atan +inf", arctangent, inf, half_pi},
    {"atan -inf", arctangent, -inf, -half_pi},
    {"atan largest", arctangent, 0x1.fffffffffffffp1023, half_pi},
    {"atan nan", arctangent, nan_with_payload, nan_with_payload},
};

TEST(Arc, OneArgumentEdgeResults) { expect_edge_results(one_argument_cases); }

struct two_argument_case {
    double y;
    double x;
    double want;
};

const two_argument_case atan2_cases[] = {
    // y = +-0: +0 toward +x (for -0 too), +-pi toward -x.
    {0.0, 1.0, 0.0}, {-0.0, 1.0, 0.0}, {0.0, 0.0, 0.0}, {-0.0, 0.0, 0.0},
    {0.0, inf, 0.0}, {-0.0, inf, 0.0},
    {0.0, -1.0, pi}, {-0.0, -1.0, -pi}, {0.0, -0.0, pi}, {-0.0, -0.0, -pi},
    {0.0, -inf, pi}, {-0.0, -inf, -pi},
    // Finite non-zero y.
    {2.0, 0.0, half_pi}, {-2.0, -0.0, -half_pi}, {3.0, inf, 0.0}, {-3.0, inf, 0.0},
    {3.0, -inf, pi}, {-3.0, -inf, -pi},
    // Infinite y.
    {inf, 0.0, half_pi}, {inf, -5.0, half_pi}, {-inf, 7.0, -half_pi},
    {inf, inf, default_nan()}, {inf, -inf, default_nan()}, {-inf, inf, default_nan()},
    {-inf, -inf, default_nan()},
    // Ordinary points.
    {1.0, -1.0, 0x1.2d97c7f3321d2p+1},  // 3 pi / 4
    {1.0, 1.0, 0x1.921fb54442d18p-1},
    {-1.0, -1.0, -0x1.2d97c7f3321d2p+1},
    // Quotients far beyond the exponent range.
    {0x1.0p-1074, 0x1.fffffffffffffp1023, 0.0},
    {0x1.fffffffffffffp1023, 0x1.0p-1074, half_pi},
    {0x1.0p-1074, -0x1.0p1023, pi},
    // A subnormal quotient exactly half-way between two subnormals: the
    // angle lies just below it and rounds down (MPFR: ...181, ternary -).
    {0x1.272d1a7f62303p-238, 0x1p+785, 0x0.93968d3fb1181p-1022},
    {-0x1.272d1a7f62303p-238, 0x1p+785, -0x0.93968d3fb1181p-1022},
    {0x1.8p-1073, 2.0, 0x1p-1074},  // 1.5 * 2^-1074, a tie: down to 2^-1074, not to even
};

TEST(Arc, TwoArgumentEdgeResults) {
    for (const two_argument_case& c : atan2_cases) {
        EXPECT_EQ(to_bits(arctangent2(c.y, c.x)), to_bits(c.want)) << "atan2(" << c.y << ", " << c.x << ")";
    }
    EXPECT_EQ(to_bits(arctangent2(nan_with_payload, 1.0)), to_bits(nan_with_payload));
    EXPECT_EQ(to_bits(arctangent2(1.0, nan_with_payload)), to_bits(nan_with_payload));
}

// Scaling both coordinates by a power of two keeps the angle, also where the
// scaled coordinates are subnormal or near the top of the exponent range.
TEST(Arc, TwoArgumentScaleInvariance) {
    const two_argument_case points[] = {
        {1.0, 3.0, 0}, {-5.0, 0.25, 0}, {0x1.0p10, 1.0, 0}, {7.0, -0x1.0p-30, 0}, {-1.0, -1.0, 0},
        {0x1.23456789abcdep0, 0x1.fedcba9876543p-20, 0},
    };
    for (const two_argument_case& p : points) {
        const double want = arctangent2(p.y, p.x);
        for (int k : {-1040, -1000, -500, 500, 980}) {
            const double y = std::ldexp(p.y, k);
            const double x = std::ldexp(p.x, k);
            if (std::ldexp(y, -k) != p.y || std::ldexp(x, -k) != p.x) continue;  // not exact
            EXPECT_EQ(to_bits(arctangent2(y, x)), to_bits(want)) << p.y << ", " << p.x << " times 2^" << k;
        }
    }
}

const function_pair arc_sine_and_cosine[] = {
    {"asin", arcsine, mpfr_reference::asin},
    {"acos", arccosine, mpfr_reference::acos},
};

TEST(Arc, ArcSineAndArcCosineCorrectlyRounded) {
    accuracy_records records(arc_sine_and_cosine);
    bit_stream source(21);
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.uniform(-1.0, 1.0));
    for (int i = 0; i < scaled_count(10000); ++i) records.add(source.spread(-60, 0, true));
    for (int i = 0; i < scaled_count(10000); ++i) {
        // Near +-1, where 1 - x^2 is formed from few bits.
        const double x = 1.0 - source.spread(-53, -1, false);
        records.add(x);
        records.add(-x);
    }
    records.check();
}

const function_pair arc_tangent[] = {{"atan", arctangent, mpfr_reference::atan}};

TEST(Arc, ArcTangentCorrectlyRounded) {
    accuracy_records records(arc_tangent);
    bit_stream source(22);
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.uniform(-4.0, 4.0));
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.spread(-60, 80, true));
    for (int k = 1; k < 16; ++k) {  // around the table's breakpoints (2k+1)/16
        const double x = (2 * k + 1) / 16.0;
        for (double v : {x, std::nextafter(x, 0.0), std::nextafter(x, 2.0)}) records.add(v);
    }
    records.check();
}

TEST(Arc, TwoArgumentCorrectlyRounded) {
    accuracy_record record("atan2");
    bit_stream source(23);
    for (int i = 0; i < scaled_count(30000); ++i) {
        const double y = source.spread(-1074, 1024, true);
        const double x = i % 3 == 0 ? source.spread(-1074, 1024, true) : y * source.uniform(-3.0, 3.0);
        if (x == 0.0 || std::isinf(x)) continue;
        record.add(y, x, arctangent2(y, x), mpfr_reference::atan2(y, x));
    }
    record.check();
}

// The double-double values themselves, which the degree conversion rounds to
// 64 bits, agree with the long double references far below the last place of
// a double.
TEST(Arc, DoubleDoubleValuesCarryMoreThanADouble) {
    if (!has_long_double_reference) GTEST_SKIP() << no_long_double_reference;
    bit_stream source(24);
    long double worst = 0;
    for (int i = 0; i < 5000; ++i) {
        const double x = source.uniform(-1.0, 1.0);
        const double_double v = arcsine_to_64_bits(x);
        const long double sum = static_cast<long double>(v.hi) + static_cast<long double>(v.lo);
        worst = std::fmax(worst, std::fabs(sum - asinl(x)) / std::fabs(asinl(x)));
    }
    EXPECT_LT(worst, 0x1.0p-62L);
}

// The fast phases' values before rounding against MPFR: below the bounds
// derived beside the code (2^-65.5 for the arc sine's rows, 2^-66.7 for the
// arc tangent's up to 1 and 2^-67.6 for those from 1 to 4). Uniform
// arguments, and arguments next to the points half-way between rows, where
// a row chosen one off would take the expansion far past its bound (just
// below the first of them the row at one step, chosen by a rounded sum,
// made h = x - x0 inexact: a result one unit off).
TEST(Arc, FastValuesWithinTheirBounds) {
    using mpfr_reference::angle_function;
    struct Range {
        angle_function function;
        bool (*fast_value)(double, double_double&);
        double low, high, step, bound;
    };
    const double asin_bound = std::exp2(-65.5), atan_bound = std::exp2(-66.7), beyond_bound = std::exp2(-67.6);
    const Range ranges[] = {
        {angle_function::arcsine, arcsine_fast_value, 0.0, 0.5, 0x1p-7, asin_bound},
        {angle_function::arcsine, arcsine_fast_value, 0.5, 0.75, 0x1p-8, asin_bound},
        {angle_function::arcsine, arcsine_fast_value, 0.75, 0.875, 0x1p-9, asin_bound},
        {angle_function::arcsine, arcsine_fast_value, 0.875, 0.9375, 0x1p-10, asin_bound},
        {angle_function::arctangent, arctangent_fast_value, 0.0, 1.0, 0x1p-8, atan_bound},
        {angle_function::arctangent, arctangent_fast_value, 1.0, 2.0, 0x1p-7, beyond_bound},
        {angle_function::arctangent, arctangent_fast_value, 2.0, 4.0, 0x1p-6, beyond_bound},
    };
    bit_stream source(0xA5C);
    for (const Range& range : ranges) {
        double worst = 0.0;
        const int rows = static_cast<int>((range.high - range.low) / range.step);
        for (int i = 0; i < scaled_count(4000); ++i) {
            const double half_way = range.low + (i % rows + 0.5) * range.step;  // every one in turn
            const double arguments[] = {source.uniform(range.low, range.high), std::nextafter(half_way, 0.0),
                                        std::nextafter(half_way, 8.0)};
            for (double x : arguments) {
                double_double v;
                if (!range.fast_value(x, v)) continue;
                worst = std::max(worst, mpfr_reference::angle_relative_error(range.function, v.hi, v.lo, x) /
                                            range.bound);
            }
        }
        EXPECT_LT(worst, 1.0) << "from " << range.low << " to " << range.high;
    }
}

}  // namespace
}  // namespace vyxmath::test
