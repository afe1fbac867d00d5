// pow: the edge table bit for bit, the exactly representable and half-way
// results, the truncation of results below the smallest normal double, and
// correct rounding against the exact reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "real/constants.h"
#include "support/bits_text.h"
#include "common/ieee_double.h"
#include "real/kernels/exponential.h"
#include "real/kernels/power.h"
#include "support/accuracy.h"

namespace vyxmath::test {
namespace {

struct PowCase {
    double a, b;
    double expected;  // compared bit for bit; NaNs by their bits too
};

const PowCase edge_cases[] = {
    // NaN operands pass through, a's first; also where C99 would give 1.
    {nan_a, 0.0, nan_a},
    {nan_a, nan_b, nan_a},
    {1.0, nan_b, nan_b},
    {nan_b, inf, nan_b},
    {0.375, nan_b, nan_b},  // a NaN b on the common path of a positive a
    {0.0, nan_a, nan_a},
    // b = +-inf.
    {2.0, inf, inf},
    {-2.0, inf, inf},
    {0.5, inf, 0.0},
    {-0.5, inf, 0.0},
    {0.0, inf, 0.0},
    {-0.0, inf, 0.0},
    {1.0, inf, default_nan()},
    {-1.0, inf, default_nan()},
    {inf, inf, inf},
    {-inf, inf, inf},
    {2.0, -inf, 0.0},
    {0.5, -inf, inf},
    {-0.5, -inf, inf},
    {0.0, -inf, inf},
    {1.0, -inf, default_nan()},
    {-1.0, -inf, default_nan()},
    {-inf, -inf, 0.0},
    // a = +-inf.
    {inf, 2.0, inf},
    {inf, 0.5, inf},
    {inf, 0.0, 1.0},
    {inf, -0.0, 1.0},
    {inf, -2.0, 0.0},
    {inf, -tiny, 0.0},
    {-inf, 3.0, -inf},
    {-inf, 2.0, inf},
    {-inf, 0.5, inf},
    {-inf, 0.0, 1.0},
    {-inf, -3.0, -0.0},
    {-inf, -2.0, 0.0},
    {-inf, -0.5, 0.0},
    // a = +-0.
    {0.0, 0.0, 1.0},
    {0.0, -0.0, 1.0},
    {-0.0, 0.0, 1.0},
    {-0.0, -0.0, 1.0},
    {0.0, tiny, 0.0},
    {0.0, -tiny, 0.0},  // a subnormal b gives +0, whatever its sign
    {-0.0, -tiny, 0.0},
    {-0.0, 3 * tiny, 0.0},
    {0.0, 2.0, 0.0},
    {0.0, 3.0, 0.0},
    {-0.0, 3.0, -0.0},
    {-0.0, 2.0, 0.0},
    {-0.0, 0.5, 0.0},
    {0.0, -1.0, inf},
    {0.0, -0.5, inf},
    {-0.0, -1.0, -inf},
    {-0.0, -2.0, inf},
    {-0.0, -0.5, inf},
    // Negative finite a.
    {-2.0, 0.5, default_nan()},
    {-8.0, 1.0 / 3, default_nan()},
    {-1.0, 0.5, default_nan()},
    {-2.0, 3.0, -8.0},
    {-2.0, 2.0, 4.0},
    {-2.0, -1.0, -0.5},
    {-2.0, 0.0, 1.0},
    {-1.0, 0x1p53, 1.0},      // every double this large is even
    {-1.0, 0x1p53 - 1, -1.0},  // the largest odd double
    {-2.0, 1e300, inf},
    {-2.0, 1025.0, -inf},
    {-0.5, 1075.0, -0.0},
    {-0.5, 1074.0, tiny},
    {-0.5, 1073.0, -2 * tiny},
    // Whole numbers and the identities.
    {1.0, 1e308, 1.0},
    {1.0, -1e308, 1.0},
    {5.0, 1.0, 5.0},
    {3 * tiny, 1.0, 3 * tiny},
    {10.0, 22.0, 1e22},
    {10.0, 308.0, 1e308},
    {10.0, 309.0, inf},
    {4.0, 0.5, 2.0},
    {0x1p-1074, 0.5, 0x1p-537},
    {2.0, 1023.0, 0x1p1023},
    {2.0, 1024.0, inf},
    {0.5, 1022.0, 0x1p-1022},
    {2.0, -1074.0, tiny},
    // Below the smallest normal double: truncated, not rounded.
    {2.0, -1075.0, 0.0},
    {2.0, -1074.5, 0.0},     // 0.707 units of 2^-1074
    {2.0, -1073.2, tiny},    // 1.74 units
    {2.0, -1e300, 0.0},
    {0x1p-716, 1.5, tiny},                    // exactly 2^-1074
    {9 * 0x1p-716, 1.5, 27 * tiny},           // exactly 27 units
    {3.0 * 0x1p-540, 2.0, 0.0},               // 9 * 2^-1080 is 9/64 of a unit
    {euler_e, -744.0, tiny},                  // e^-744 is 1.55 units
    {euler_e, -745.2, 0.0},
    {euler_e, 709.79, inf},
};

class PowEdge : public ::testing::TestWithParam<PowCase> {};

TEST_P(PowEdge, GivesTheExactBits) {
    const PowCase& c = GetParam();
    const double got = pow_kernel(c.a, c.b);
    EXPECT_EQ(to_bits(got), to_bits(c.expected))
        << "pow(" << bits_text(c.a) << ", " << bits_text(c.b) << "): got " << bits_text(got) << ", want "
        << bits_text(c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pow, PowEdge, ::testing::ValuesIn(edge_cases));

// m^n for odd m and m^n < 2^64 is an exact integer; its correctly rounded
// double (ties to even) is what the integer-to-double conversion gives.
TEST(PowExact, WholePowersAreTheRoundedExactInteger) {
    int checked = 0;
    for (std::uint64_t m = 3; m < 200000; m = m * 3 / 2 | 1) {
        std::uint64_t power = m;
        for (int n = 2; n <= 63; ++n) {
            if (power > UINT64_MAX / m) break;
            power *= m;
            const double exact = static_cast<double>(power);
            EXPECT_EQ(to_bits(pow_kernel(static_cast<double>(m), n)), to_bits(exact)) << m << "^" << n;
            // The same with a power-of-two factor that makes the result tiny or
            // huge but still normal.
            EXPECT_EQ(to_bits(pow_kernel(static_cast<double>(m) * 0x1p-20, n)),
                      to_bits(exact * std::ldexp(1.0, -20 * n)))
                << m << "*2^-20 ^" << n;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

// Odd whole numbers with 54 significant bits lie half-way between two
// doubles; they must go to the one with the even significand, as the
// correctly rounded integer-to-double conversion does.
TEST(PowExact, HalfwayResultsRoundToEven) {
    constexpr std::uint64_t c = (1u << 18) - 1;
    struct Tie {
        double a, b;
        std::uint64_t exact;  // a^b = exact * scale
        double scale;
    };
    const Tie ties[] = {
        {0x1p27 - 1, 2.0, ((1ull << 27) - 1) * ((1ull << 27) - 1), 1.0},  // 2^54 - 2^28 + 1
        {94906267.0, 2.0, 94906267ull * 94906267ull, 1.0},                  // just above 2^53
        {static_cast<double>(c), 3.0, c * c * c, 1.0},
        {static_cast<double>(c * c), 1.5, c * c * c, 1.0},                // (c^2)^(3/2)
        {static_cast<double>(c * c) * 0x1p-40, 1.5, c * c * c, 0x1p-60},
    };
    for (const Tie& t : ties) {
        ASSERT_EQ(t.exact >> 53, 1u) << "not a 54-bit value";
        ASSERT_EQ(t.exact & 1, 1u) << "not half-way";
        EXPECT_EQ(pow_kernel(t.a, t.b), static_cast<double>(t.exact) * t.scale) << t.a << "^" << t.b;
        if (is_integer(t.b)) {
            EXPECT_EQ(pow_kernel(-t.a, t.b), (is_odd_integer(t.b) ? -1 : 1) * static_cast<double>(t.exact))
                << "-" << t.a << "^" << t.b;
        }
    }
}

// Roots of exact powers: a = r^(2^s) 2^e gives r^p 2^(ep/2^s) for b = p/2^s.
TEST(PowExact, RootsOfExactPowersAreExact) {
    struct Root {
        double a, b, expected;
    };
    const Root roots[] = {
        {9.0, 0.5, 3.0},
        {9.0, 1.5, 27.0},
        {81.0, 0.25, 3.0},
        {81.0, 1.25, 243.0},
        {0x1p-30 * 9, 0.5, 0x1p-15 * 3},
        {43046721.0, 0.125, 9.0},  // (3^16)^(1/8)
        {1853020188851841.0, 0.03125, 3.0},  // (3^32)^(1/32)
        {1853020188851841.0, 1.03125, 3.0 * 1853020188851841.0},
        {9 * 0x1p-716, 1.5, 27 * smallest_subnormal},
        {25 * 0x1p-714, 1.5, 1000 * smallest_subnormal},  // 125 * 2^-1071, below 2^-1022
    };
    for (const Root& r : roots)
        EXPECT_EQ(to_bits(pow_kernel(r.a, r.b)), to_bits(r.expected)) << r.a << "^" << r.b;
}

struct PowAccuracy {
    const char* name;
    double a_low, a_high;  // magnitudes, log-uniform; a_low < 0 draws negative a as well
    double y_low, y_high;  // b is drawn so that b ln|a| is uniform in [y_low, y_high]
    bool whole_b;
    int count;
};

const PowAccuracy accuracy_ranges[] = {
    {"any a, results over the normal range", 0x1p-1074, 0x1.fffffffffffffp1023, -708.0, 709.7, false, 60000},
    {"a near 1", 0.9, 1.1, -700.0, 700.0, false, 30000},
    {"results near 1", 0x1p-1074, 0x1.fffffffffffffp1023, -1e-3, 1e-3, false, 20000},
    {"results within 2^-60 of 1", 0x1p-1074, 0x1.fffffffffffffp1023, -0x1p-60, 0x1p-60, false, 5000},
    {"results about the low end of the fast range", 0x1p-1074, 0x1.fffffffffffffp1023, -709.2, -706.8, false, 5000},
    {"results below the smallest normal", 0x1p-1074, 0x1.fffffffffffffp1023, -744.4, -708.4, false, 30000},
    {"whole b, both signs of a", -1e10, 1e10, -708.0, 709.7, true, 30000},
    {"e raised to x", euler_e, euler_e, -745.0, 709.7, false, 30000},
};

class PowAccuracyTest : public ::testing::TestWithParam<PowAccuracy> {};

TEST_P(PowAccuracyTest, IsCorrectlyRounded) {
    const PowAccuracy& r = GetParam();
    accuracy_record record(r.name);
    bit_stream source(0xB0B0u + static_cast<unsigned>(r.count));
    const bool both_signs = r.a_low < 0;
    const double a_min = both_signs ? 1.0 / 64 : r.a_low;
    const double a_max = both_signs ? -r.a_low : r.a_high;
    for (int i = 0; i < scaled_count(r.count); ++i) {
        double a = a_min == a_max ? a_min
                                  : std::exp2(std::log2(a_min) + (std::log2(a_max) - std::log2(a_min)) * source.uniform(0, 1));
        if (a == 1.0) continue;
        double b = source.uniform(r.y_low, r.y_high) / std::log(a);
        if (r.whole_b) {
            b = std::nearbyint(b);
            if ((i & 1) != 0) a = -a;
        }
        record.add(a, b, pow_kernel(a, b), mpfr_reference::pow_truncating_tiny(a, b));
    }
    record.check();
}

INSTANTIATE_TEST_SUITE_P(Pow, PowAccuracyTest, ::testing::ValuesIn(accuracy_ranges));

// The power's exponential for results in the normal range decides what the
// general fast phase decides, with the same bits, up to both ends of its
// range, for the error terms the power passes (2^-68 plus up to 30 times the
// logarithm's).
TEST(PowerExponential, InItsRangeAgreesWithTheGeneralFastPhase) {
    bit_stream source(0xE7u);
    int differences = 0;
    for (int i = 0; i < scaled_count(200000); ++i) {
        const double y_hi = i < 2 ? (i == 0 ? exp_normal_range_low : exp_normal_range_high)
                                  : source.uniform(exp_normal_range_low, exp_normal_range_high);
        const double y_lo = y_hi * source.uniform(-0x1p-53, 0x1p-53);
        const double error = exp_fast_phase_error + source.uniform(0.0, 30.0) * 0x1.8p-70;
        double general = 0.0;
        const bool decided = exp_fast_phase(y_hi, y_lo, error, general);
        const double in_range = exp_fast_phase_in_normal_range(y_hi, y_lo, error);
        if (to_bits(in_range) != to_bits(decided ? general : 0.0)) {
            if (++differences <= 5)
                ADD_FAILURE() << "y = " << y_hi << " + " << y_lo << ": " << in_range << " against " << general;
        }
    }
    EXPECT_EQ(differences, 0);
}

// The exponential's value before its rounding within the error the power's
// test gives it: 2^-68 of the value for a normalised y, and 8 * 2^-53 |y.lo|
// more for the unnormalised b ln a (|y.lo| up to 2^-13.79) that the power
// hands over up to |b| = 32. Without that term (or with a low part that
// enters more roundings than counted) the larger low parts exceed it.
TEST(PowerExponential, ValueWithinTheErrorThePowerCounts) {
    struct Row {
        double low_part_log2;  // |y.lo| up to 2^this
        double y_low, y_high;
    };
    const Row rows[] = {
        {-43.0, exp_normal_range_low, exp_normal_range_high},
        {-13.79, exp_normal_range_low, exp_normal_range_high},
        {-13.79, -0.01, 0.01},  // k = 0 and the first steps: r's ends
    };
    bit_stream source(0x1070u);
    double worst = 0.0;
    for (const Row& row : rows) {
        for (int i = 0; i < scaled_count(20000); ++i) {
            const double y_hi = source.uniform(row.y_low, row.y_high);
            const double y_lo = std::exp2(row.low_part_log2) * source.uniform(-1.0, 1.0);
            const exp_unrounded v = exp_fast_value(y_hi, y_lo);
            const double allowed = exp_fast_phase_error + 8 * 0x1p-53 * std::fabs(y_lo);
            worst = std::max(worst, mpfr_reference::exp_relative_error(v.hi, v.lo, v.binade, y_hi, y_lo) / allowed);
        }
    }
    EXPECT_LT(worst, 1.0);
}

}  // namespace
}  // namespace vyxmath::test
