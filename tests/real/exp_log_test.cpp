// The exponential and logarithm kernels: their edge results bit for bit, the
// double-double constants against exact integer values, and the accuracy on
// many deterministic pseudo-random arguments against the 64-bit long double
// functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "real/kernels/exp_log.h"
#include "real/bits_text.h"
#include "common/ieee_double.h"
#include "real/fixed_point_reference.h"
#include "real/long_double_reference.h"

namespace vyxmath {
namespace {

constexpr double inf = positive_infinity;
const double quiet_nan_payload = from_bits(0x7FF8000000000123u);
const double negative_nan_payload = from_bits(0xFFF80000000ABCDEu);
const double signalling_nan = from_bits(0x7FF0000000000001u);

struct EdgeCase {
    const char* name;
    double (*function)(double);
    double x;
    std::uint64_t expected_bits;
};

using test::bits_text;

const EdgeCase edge_cases[] = {
    {"exp(nan) keeps its payload", exp_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"exp(-nan) keeps its sign", exp_kernel, negative_nan_payload, 0xFFF80000000ABCDEu},
    {"exp(snan) comes out quiet", exp_kernel, signalling_nan, 0x7FF8000000000001u},
    {"exp(+inf)", exp_kernel, inf, to_bits(inf)},
    {"exp(-inf)", exp_kernel, -inf, to_bits(0.0)},
    {"exp(+0)", exp_kernel, 0.0, to_bits(1.0)},
    {"exp(-0)", exp_kernel, -0.0, to_bits(1.0)},
    {"exp(1) is the double nearest e", exp_kernel, 1.0, to_bits(2.718281828459045)},
    {"exp(ln 2) rounds to 2", exp_kernel, 0x1.62e42fefa39efp-1, to_bits(2.0)},
    {"exp overflows just above ln(max)", exp_kernel, 0x1.62e42fefa39f0p+9, to_bits(inf)},
    {"exp(710)", exp_kernel, 710.0, to_bits(inf)},
    {"exp(1e308)", exp_kernel, 1e308, to_bits(inf)},
    {"exp(-746) underflows to +0", exp_kernel, -746.0, to_bits(0.0)},
    {"exp(-1e308)", exp_kernel, -1e308, to_bits(0.0)},
    {"exp(tiny) is 1", exp_kernel, 0x1p-60, to_bits(1.0)},
    {"exp(-tiny) is 1", exp_kernel, -0x1p-60, to_bits(1.0)},
    {"exp(subnormal) is 1", exp_kernel, smallest_subnormal, to_bits(1.0)},
    {"exp(-1074 ln 2) is 2^-1074", exp_kernel, -1074 * 0x1.62e42fefa39efp-1, 1},

    {"expm1(nan)", expm1_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"expm1(+0) keeps the sign", expm1_kernel, 0.0, to_bits(0.0)},
    {"expm1(-0) keeps the sign", expm1_kernel, -0.0, to_bits(-0.0)},
    {"expm1(+inf)", expm1_kernel, inf, to_bits(inf)},
    {"expm1(-inf)", expm1_kernel, -inf, to_bits(-1.0)},
    {"expm1(-50)", expm1_kernel, -50.0, to_bits(-1.0)},
    {"expm1(1e-300) is itself", expm1_kernel, 1e-300, to_bits(1e-300)},
    {"expm1(subnormal) is itself", expm1_kernel, -3 * smallest_subnormal, to_bits(-3 * smallest_subnormal)},
    {"expm1(710)", expm1_kernel, 710.0, to_bits(inf)},

    {"log(nan) keeps its payload", log_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"log(-nan) keeps its sign", log_kernel, negative_nan_payload, 0xFFF80000000ABCDEu},
    {"log(+0)", log_kernel, 0.0, to_bits(-inf)},
    {"log(-0)", log_kernel, -0.0, to_bits(-inf)},
    {"log(-1) is the default nan", log_kernel, -1.0, default_nan_bits},
    {"log(-subnormal) is the default nan", log_kernel, -smallest_subnormal, default_nan_bits},
    {"log(-inf) is the default nan", log_kernel, -inf, default_nan_bits},
    {"log(+inf)", log_kernel, inf, to_bits(inf)},
    {"log(1) is +0", log_kernel, 1.0, to_bits(0.0)},
    {"log(2) is ln 2", log_kernel, 2.0, to_bits(0x1.62e42fefa39efp-1)},
    {"log(e) is 1", log_kernel, 2.718281828459045, to_bits(1.0)},

    {"log10(nan)", log10_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"log10(+0)", log10_kernel, 0.0, to_bits(-inf)},
    {"log10(-0)", log10_kernel, -0.0, to_bits(-inf)},
    {"log10(-2)", log10_kernel, -2.0, default_nan_bits},
    {"log10(-inf)", log10_kernel, -inf, default_nan_bits},
    {"log10(+inf)", log10_kernel, inf, to_bits(inf)},
    {"log10(1) is +0", log10_kernel, 1.0, to_bits(0.0)},
};

class KernelEdge : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(KernelEdge, GivesTheExactBits) {
    const EdgeCase& c = GetParam();
    const double got = c.function(c.x);
    EXPECT_EQ(to_bits(got), c.expected_bits)
        << c.name << ": got " << bits_text(got) << ", want " << bits_text(from_bits(c.expected_bits));
}

INSTANTIATE_TEST_SUITE_P(ExpLog, KernelEdge, ::testing::ValuesIn(edge_cases));

TEST(Log10Kernel, PowersOfTenThatAreDoublesGiveWholeNumbers) {
    double power = 1.0;
    for (int n = 0; n <= 22; ++n) {
        EXPECT_EQ(log10_kernel(power), n) << "10^" << n;
        power *= 10.0;  // exact up to 10^22
    }
}

// Powers of e use a logarithm of the constant taken at compile time; it must
// be the very pair the run-time logarithm gives.
TEST(ExpLogConstants, StoredLogarithmOfEIsTheComputedOne) {
    volatile double e = 2.718281828459045;
    const double_double computed = log_double_double(e);
    EXPECT_EQ(to_bits(ln_of_euler_e.hi), to_bits(computed.hi));
    EXPECT_EQ(to_bits(ln_of_euler_e.lo), to_bits(computed.lo));
}

#ifdef VYXMATH_FIXED_POINT_REFERENCE
// A double's exact value times 2^scale, which must be a whole number.
test::u128 to_fixed(double x, int scale) {
    const std::uint64_t bits = to_bits(x);
    const int exponent = static_cast<int>(bits >> 52) - 1075 + scale;
    const test::u128 significand = (bits & 0x000FFFFFFFFFFFFFu) | 0x0010000000000000u;
    return exponent >= 0 ? significand << exponent : significand >> -exponent;
}

TEST(ExpLogConstants, Ln2IsTheNearestPairTo106Bits) {
    const test::u128 pair = to_fixed(ln2.hi, 124) + to_fixed(ln2.lo, 124);
    const test::u128 exact = test::ln2_fixed124();  // below ln 2 by < 124 units
    const test::u128 difference = pair > exact ? pair - exact : exact - pair;
    // hi + lo is within half a unit of lo's last place (2^-109 = 2^15 units).
    EXPECT_LE(difference, test::u128{(1u << 15) + 124});
}

TEST(ExpLogConstants, InverseLn10TimesLn10IsOneTo104Bits) {
    const test::u128 pair = to_fixed(inverse_ln10.hi, 110) + to_fixed(inverse_ln10.lo, 110);
    // pair * 2^-110 * ln10 * 2^-124: the top half is in units of 2^-106.
    const test::u128 product = test::high_product(pair, test::ln10_fixed124());
    const test::u128 one = test::u128{1} << 106;
    const test::u128 difference = product > one ? product - one : one - product;
    EXPECT_LE(difference, test::u128{2});
}
#endif

#ifdef VYXMATH_LONG_DOUBLE_REFERENCE
enum class Spread { uniform, log_uniform };

struct AccuracyRange {
    const char* name;
    double (*function)(double);
    long double (*reference)(long double);
    double low, high;  // for log_uniform: magnitudes, both signs drawn when low < 0
    Spread spread;
    int count;
};

long double ref_exp(long double x) { return expl(x); }
long double ref_expm1(long double x) { return expm1l(x); }
long double ref_log(long double x) { return logl(x); }
long double ref_log10(long double x) { return log10l(x); }

const AccuracyRange accuracy_ranges[] = {
    {"exp over its whole finite range", exp_kernel, ref_exp, -745.2, 709.8, Spread::uniform, 40000},
    {"exp near 0", exp_kernel, ref_exp, -1.0, 1.0, Spread::uniform, 20000},
    {"exp to subnormal results", exp_kernel, ref_exp, -745.2, -708.0, Spread::uniform, 20000},
    {"exp of small magnitudes", exp_kernel, ref_exp, 0x1p-60, 0x1p-1, Spread::log_uniform, 20000},
    {"expm1 near 0", expm1_kernel, ref_expm1, -1.0, 1.0, Spread::uniform, 20000},
    {"expm1 of small magnitudes", expm1_kernel, ref_expm1, 0x1p-60, 0x1p-1, Spread::log_uniform, 20000},
    {"expm1 wide", expm1_kernel, ref_expm1, -45.0, 709.7, Spread::uniform, 20000},
    {"log over all positive doubles", log_kernel, ref_log, 0x1p-1074, 0x1.fffffffffffffp1023,
     Spread::log_uniform, 40000},
    {"log near 1", log_kernel, ref_log, 0.75, 1.5, Spread::uniform, 40000},
    {"log10 over all positive doubles", log10_kernel, ref_log10, 0x1p-1074, 0x1.fffffffffffffp1023,
     Spread::log_uniform, 40000},
    {"log10 near 1", log10_kernel, ref_log10, 0.75, 1.5, Spread::uniform, 20000},
};

class KernelAccuracy : public ::testing::TestWithParam<AccuracyRange> {};

// Draws a double: uniform in [low, high], or with a uniformly drawn binary
// exponent between those of low and high and a random significand.
double draw(std::mt19937_64& random, const AccuracyRange& r, bool negative) {
    if (r.spread == Spread::uniform) {
        const double u = static_cast<double>(random() >> 11) * 0x1p-53;
        return r.low + (r.high - r.low) * u;
    }
    const int e_low = static_cast<int>((to_bits(r.low) >> 52) & 0x7FF);
    const int e_high = static_cast<int>((to_bits(r.high) >> 52) & 0x7FF);
    const std::uint64_t e = e_low + random() % (e_high - e_low + 1);
    std::uint64_t bits = (e << 52) | (random() & 0x000FFFFFFFFFFFFFu);
    if (e == 0 && (bits & 0x000FFFFFFFFFFFFFu) == 0) bits = 1;
    const double x = from_bits(bits);
    return negative ? -x : x;
}

TEST_P(KernelAccuracy, StaysWithinOneUlpAndRoundsToNearest) {
    const AccuracyRange& r = GetParam();
    std::mt19937_64 random(0x5EED0000u + static_cast<unsigned>(r.count));
    const bool both_signs = r.spread == Spread::log_uniform && r.function != log_kernel &&
                            r.function != log10_kernel;
    int not_nearest = 0;
    double worst = 0.0;
    for (int i = 0; i < r.count; ++i) {
        const double x = draw(random, r, both_signs && (i & 1) != 0);
        const double got = r.function(x);
        const long double want = r.reference(x);
        const double error = test::ulp_error(got, want);
        if (error > worst) worst = error;
        ASSERT_LT(error, 1.0) << r.name << " at " << bits_text(x) << ": got " << bits_text(got);
        if (test::clearly_not_nearest(got, want)) ++not_nearest;
    }
    RecordProperty("not_nearest", not_nearest);
    RecordProperty("worst_ulp_error_x1000", static_cast<int>(worst * 1000));
    // The double-double evaluation is good to about 2^-90; a result that is
    // not the nearest double where the reference clearly says which one is
    // nearest points to a fault, not to bad luck.
    EXPECT_EQ(not_nearest, 0) << r.name << "; worst error " << worst << " ulp";
}

INSTANTIATE_TEST_SUITE_P(ExpLog, KernelAccuracy, ::testing::ValuesIn(accuracy_ranges));
#endif

}  // namespace
}  // namespace vyxmath
