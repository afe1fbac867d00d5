// The generated constants of the angle functions against values recomputed
// here by other formulas in exact multi-word arithmetic.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "real/trig/angle_reduction.h"
#include "real/trig/trig_constants.h"
#include "real/trig/big_fixed.h"

namespace vyxmath::test {
namespace {

namespace tc = trig_constants;

// atan(p/q) = sum_k (-1)^k (p/q)^(2k+1) / (2k+1), for p/q <= 1/2.
fixed atan_of_ratio(std::uint32_t p, std::uint32_t q) {
    fixed sum;
    exact_integer power = (exact_integer{p} << fraction_bits).divided_by(q);
    for (std::uint32_t k = 0; !power.is_zero(); ++k) {
        sum = sum + fixed{(k % 2) != 0, power.divided_by(2 * k + 1)};
        power = (power * exact_integer{std::uint64_t{p} * p}).divided_by(q).divided_by(q);
    }
    return sum;
}

TEST(TrigConstants, TwoOverPiWordsAreTheLeadingBits) {
    const fixed two_over_pi = two_over_pi_fixed();
    const exact_integer leading = two_over_pi.magnitude >> (fraction_bits - 32 * tc::two_over_pi_word_count);
    for (int i = 0; i < tc::two_over_pi_word_count; ++i) {
        const int shift = 32 * (tc::two_over_pi_word_count - 1 - i);
        EXPECT_EQ(tc::two_over_pi_words[i], static_cast<std::uint32_t>((leading >> shift).low64()))
            << "word " << i;
    }
}

TEST(TrigConstants, HalfPiPiecesAreShortAndSumToHalfPi) {
    // Pieces of 33 significant bits: times a quotient below 2^20 stays exact.
    for (double c : {tc::half_pi_c1, tc::half_pi_c2, tc::half_pi_c3}) {
        const std::uint64_t significand = (std::bit_cast<std::uint64_t>(c) & 0x000FFFFFFFFFFFFFu);
        EXPECT_EQ(significand & ((std::uint64_t{1} << 20) - 1), 0u) << c;
    }
    const fixed half_pi = {false, pi_fixed().magnitude >> 1};
    const fixed sum = to_fixed(tc::half_pi_c1) + to_fixed(tc::half_pi_c2) + to_fixed(tc::half_pi_c3) +
                      to_fixed(tc::half_pi_c4);
    EXPECT_TRUE(agrees_to_bits(half_pi, sum, 150));
    EXPECT_TRUE(agrees_to_bits(half_pi, to_fixed(tc::half_pi), 106));
    EXPECT_FALSE(agrees_to_bits(half_pi, to_fixed(tc::half_pi.hi), 60));  // the lo part matters
}

TEST(TrigConstants, ArcTangentsOfEighths) {
    const fixed quarter_pi = {false, pi_fixed().magnitude >> 2};
    for (std::uint32_t k = 0; k <= 8; ++k) {
        // atan(k/8) directly for k <= 4, else pi/4 - atan((8 - k)/(8 + k)).
        const fixed want = k <= 4 ? atan_of_ratio(k, 8) : quarter_pi - atan_of_ratio(8 - k, 8 + k);
        const fixed got = to_fixed(tc::atan_of_eighths[k]);
        if (k == 0) {
            EXPECT_TRUE(got.magnitude.is_zero());
        } else {
            EXPECT_TRUE(agrees_to_bits(want, got, 105)) << "k = " << k;
        }
    }
}

// sin t by its Taylor series, 0 <= t <= pi/2.
fixed sine_of(const fixed& t) {
    fixed sum;
    fixed term = t;
    for (std::uint32_t n = 1; !term.magnitude.is_zero(); n += 2) {
        sum = sum + term;
        term = -fixed{term.negative, (term * t * t).magnitude.divided_by(n + 1).divided_by(n + 2)};
    }
    return sum;
}

// Pieces of a step of the fast reductions: the first three on their grids
// with at most `bits` bits (so that their products with the quotient and the
// first differences are exact), the four summing to the step to 2^-120 of it;
// and steps per radian, the step's inverse.
// The pieces but the last on their grids with at most `bits` bits, and the
// sum of all of them the step.
template <std::size_t n>
void expect_step_pieces(const fixed& step, const std::array<double, n>& pieces, const std::array<int, n - 1>& grid,
                        int bits, double per_radian) {
    fixed sum = to_fixed(pieces[n - 1]);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double units = std::ldexp(pieces[i], -grid[i]);
        EXPECT_EQ(units, std::trunc(units)) << "piece " << i;
        EXPECT_LT(std::fabs(units), std::ldexp(1.0, bits)) << "piece " << i;
        sum = sum + to_fixed(pieces[i]);
    }
    EXPECT_TRUE(agrees_to_bits(step, sum, 125));
    EXPECT_TRUE(agrees_to_bits(from_integer(1), step * to_fixed(per_radian), 52));
}

// The pieces of pi/512 lie on the grids that keep the fast reduction exact
// (at most 25 bits each, multiples of 2^-32, 2^-57, 2^-82) and sum to pi/512;
// the table holds sin and cos of m pi/512, the cosine as a head of at most
// 27 bits and a tail. sin t is taken by its series for t = j pi/512 <= pi/2.
TEST(TrigConstants, SineAndCosineAtStepsOfPiOver512) {
    ASSERT_EQ(tc::sine_table_steps, 512);
    const fixed step = {false, pi_fixed().magnitude >> 9};
    expect_step_pieces<4>(step, {tc::sine_step_c1, tc::sine_step_c2, tc::sine_step_c3, tc::sine_step_c4},
                          {-32, -57, -82}, 25, tc::sine_steps_per_radian);
    expect_step_pieces<3>(step, {tc::sine_short_step_c1, tc::sine_short_step_c2, tc::sine_short_step_c3}, {-45, -84},
                          38, tc::sine_steps_per_radian);

    std::vector<fixed> sine_at(257);  // sin(j pi/512), j = 0 .. 256
    for (std::uint64_t j = 0; j <= 256; ++j) sine_at[j] = sine_of({false, step.magnitude * exact_integer{j}});
    for (int m = 0; m < 512; ++m) {
        const double* e = tc::sine_cosine_table[m];
        const fixed sine = sine_at[m <= 256 ? m : 512 - m];
        const fixed cosine = m <= 256 ? sine_at[256 - m] : -sine_at[m - 256];
        EXPECT_TRUE(agrees_to_bits(sine, to_fixed(double_double{e[0], e[1]}), 105)) << "sin, m = " << m;
        EXPECT_TRUE(agrees_to_bits(cosine, to_fixed(e[2]) + to_fixed(e[3]), 79)) << "cos, m = " << m;
        const std::uint64_t head_bits = std::bit_cast<std::uint64_t>(e[2]) & 0x000FFFFFFFFFFFFFu;
        EXPECT_EQ(head_bits & ((std::uint64_t{1} << 26) - 1), 0u) << "cos head, m = " << m;
    }
}

// The rows of the fast arc sine: the points, sin a0 = x0, and the other
// coefficients through the square of the derivative, g^2 (1 - x^2) = 1 with
// g(x0 + h) = sum_k (k+1) a_(k+1) h^k, coefficient by coefficient of h^m
// (m <= 7): to 2^-76 for m = 0 (a1 from head and tail), else to 2^-48 of the
// sum of the magnitudes of the products (the rounded doubles a2 .. a8).
TEST(TrigConstants, ArcSineTableRows) {
    ASSERT_EQ(tc::arcsine_row_count, 257);
    ASSERT_EQ(tc::expansion_degree, 8);
    for (int r = 0; r < tc::arcsine_row_count; ++r) {
        const double* row = tc::arcsine_table[r];
        const double x0 = r <= 64    ? r / 128.0
                          : r <= 128 ? (r + 64) / 256.0
                          : r <= 192 ? (r + 256) / 512.0
                                     : (r + 704) / 1024.0;
        ASSERT_EQ(row[11], x0) << "row " << r;
        if (r > 0) {
            const fixed a0 = to_fixed(double_double{row[0], row[1]});
            EXPECT_TRUE(agrees_to_bits(to_fixed(x0), sine_of(a0), 104)) << "row " << r;
        }

        std::vector<fixed> g(8);  // (k+1) a_(k+1)
        g[0] = to_fixed(row[2]) + to_fixed(row[3]);
        for (int k = 1; k < 8; ++k) {
            g[k] = fixed{row[k + 3] < 0, to_fixed(std::fabs(row[k + 3])).magnitude * exact_integer{std::uint64_t(k + 1)}};
        }
        const fixed w[3] = {from_integer(1) - to_fixed(x0) * to_fixed(x0), -(to_fixed(x0) + to_fixed(x0)), -from_integer(1)};
        for (int m = 0; m < 8; ++m) {
            fixed sum, scale;
            for (int i = 0; i <= m; ++i) {
                for (int j = 0; j <= m - i && j < 3; ++j) {
                    const fixed product = g[i] * g[m - i - j] * w[j];
                    sum = sum + product;
                    scale = scale + fixed{false, product.magnitude};
                }
            }
            if (m == 0) {
                EXPECT_TRUE(agrees_to_bits(from_integer(1), sum, 76)) << "row " << r;
            } else {
                EXPECT_TRUE(agrees_to_bits(scale, scale + sum, 48)) << "row " << r << ", h^" << m;
            }
        }
    }
}

// The rows of the fast tangent: the pieces of its step, b0 cos x0 = sin x0
// at x0 = j pi/1024, and the other coefficients through y' = 1 + y^2
// coefficient by coefficient of h^m (m below the degree), as for the arc
// sine.
TEST(TrigConstants, TangentTableRows) {
    ASSERT_EQ(tc::tangent_table_steps, 1024);
    ASSERT_EQ(tc::tangent_row_count, 257);
    const fixed step = {false, pi_fixed().magnitude >> 10};
    expect_step_pieces<4>(step, {tc::tangent_step_c1, tc::tangent_step_c2, tc::tangent_step_c3, tc::tangent_step_c4},
                          {-32, -56, -80}, 24, tc::tangent_steps_per_radian);
    expect_step_pieces<3>(step, {tc::tangent_short_step_c1, tc::tangent_short_step_c2, tc::tangent_short_step_c3},
                          {-46, -85}, 38, tc::tangent_steps_per_radian);
    const fixed quarter_pi = {false, pi_fixed().magnitude >> 2};
    for (int r = 0; r < tc::tangent_row_count; ++r) {
        const double* row = tc::tangent_table[r];
        const fixed a = {false, step.magnitude * exact_integer{static_cast<std::uint64_t>(r)}};
        const fixed sine = sine_of(a);
        const fixed cosine = sine_of(quarter_pi + quarter_pi - a);
        const fixed b0 = to_fixed(double_double{row[0], row[1]});
        if (r > 0) {
            EXPECT_TRUE(agrees_to_bits(sine, b0 * cosine, 104)) << "row " << r;
        }

        constexpr int degree = tc::tangent_degree;
        std::vector<fixed> b(degree + 1);
        b[0] = b0;
        b[1] = to_fixed(row[2]) + to_fixed(row[3]);
        for (int k = 2; k <= degree; ++k) b[k] = to_fixed(row[k + 2]);
        for (int m = 0; m < degree; ++m) {
            fixed sum = fixed{false, b[m + 1].magnitude * exact_integer{std::uint64_t(m + 1)}};
            sum.negative = b[m + 1].negative;
            fixed scale = {false, sum.magnitude};
            if (m == 0) sum = sum - from_integer(1);
            for (int j = 0; j <= m; ++j) {
                const fixed product = b[j] * b[m - j];
                sum = sum - product;
                scale = scale + fixed{false, product.magnitude};
            }
            EXPECT_TRUE(agrees_to_bits(scale, scale + sum, m == 0 ? 76 : 48)) << "row " << r << ", h^" << m;
        }
    }
}

// Rows of an arc tangent expansion table: the point, c0 against `want` (the
// first row of the table from 0 has c0 = 0, left out), and the other
// coefficients through (1 + x^2) y' = 1 coefficient by coefficient of h^m
// (m <= 7), as for the arc sine.
template <class Point, class Want>
void check_arctangent_rows(const double (*table)[12], int count, Point point, Want want) {
    for (int r = 0; r < count; ++r) {
        const double* row = table[r];
        const double x0 = point(r);
        ASSERT_EQ(row[11], x0) << "row " << r;
        if (x0 > 0.0) {
            EXPECT_TRUE(agrees_to_bits(want(r), to_fixed(double_double{row[0], row[1]}), 105)) << "row " << r;
        }
        std::vector<fixed> c(9);
        c[1] = to_fixed(row[2]) + to_fixed(row[3]);
        for (int k = 2; k <= 8; ++k) c[k] = to_fixed(row[k + 2]);
        // (1 + x0^2) (m+1) c_(m+1) + 2 x0 m c_m + (m-1) c_(m-1) = [m = 0]
        const fixed one_plus_square = from_integer(1) + to_fixed(x0) * to_fixed(x0);
        const fixed twice_x0 = to_fixed(2.0 * x0);
        for (int m = 0; m < 8; ++m) {
            const fixed terms[3] = {
                one_plus_square * fixed{c[m + 1].negative, c[m + 1].magnitude * exact_integer{std::uint64_t(m + 1)}},
                m >= 1 ? twice_x0 * fixed{c[m].negative, c[m].magnitude * exact_integer{std::uint64_t(m)}} : fixed{},
                m >= 2 ? fixed{c[m - 1].negative, c[m - 1].magnitude * exact_integer{std::uint64_t(m - 1)}} : fixed{}};
            fixed sum = m == 0 ? -from_integer(1) : fixed{};
            fixed scale;
            for (const fixed& t : terms) {
                sum = sum + t;
                scale = scale + fixed{false, t.magnitude};
            }
            EXPECT_TRUE(agrees_to_bits(scale, scale + sum, m == 0 ? 76 : 48)) << "row " << r << ", h^" << m;
        }
    }
}

// The rows of the fast arc tangent up to 1, at i/256.
TEST(TrigConstants, ArcTangentExpansionRows) {
    ASSERT_EQ(tc::arctangent_expansion_step, 256);
    ASSERT_EQ(tc::arctangent_expansion_row_count, 257);
    const fixed quarter_pi = {false, pi_fixed().magnitude >> 2};
    check_arctangent_rows(
        tc::arctangent_expansion_table, 257, [](int r) { return r / 256.0; },
        [&](int r) { return r <= 128 ? atan_of_ratio(r, 256) : quarter_pi - atan_of_ratio(256 - r, 256 + r); });
}

// The rows from 1 to 4, at x0 = p/q = 2^e (1 + j/128): pi/4 + atan((p - q)/
// (p + q)) below 2, pi/2 - atan(q/p) from 2 on (ratios of at most 1/2).
TEST(TrigConstants, ArcTangentRowsBeyondOne) {
    ASSERT_EQ(tc::arctangent_beyond_one_row_count, 257);
    const fixed quarter_pi = {false, pi_fixed().magnitude >> 2};
    const fixed half_pi = {false, pi_fixed().magnitude >> 1};
    const auto fraction = [](int r) {
        return r == 256 ? std::array<std::uint32_t, 2>{4, 1}
                        : std::array<std::uint32_t, 2>{128u + (r & 127u), r < 128 ? 128u : 64u};
    };
    check_arctangent_rows(
        tc::arctangent_beyond_one_table, 257,
        [&](int r) { return static_cast<double>(fraction(r)[0]) / fraction(r)[1]; },
        [&](int r) {
            const auto [p, q] = fraction(r);
            return p < 2 * q ? quarter_pi + atan_of_ratio(p - q, p + q) : half_pi - atan_of_ratio(q, p);
        });
}

// The 256-bit constants of the wide evaluation, within 2^-256 (a unit of
// their last place) of pi/2 and atan(k/8).
TEST(TrigConstants, WideConstants) {
    auto from_words = [](const std::uint32_t (&w)[tc::wide_word_count]) {
        exact_integer v;
        for (int i = tc::wide_word_count - 1; i >= 0; --i) v = (v << 32) + exact_integer{w[i]};
        return fixed{false, v << (fraction_bits - 256)};
    };
    auto within_a_unit = [](const fixed& a, const fixed& b) {
        const fixed d = a - b;
        return d.magnitude.bit_length() <= fraction_bits - 256;
    };
    const fixed pi = pi_fixed();
    EXPECT_TRUE(within_a_unit(from_words(tc::half_pi_wide), fixed{false, pi.magnitude >> 1}));
    const fixed quarter_pi = {false, pi.magnitude >> 2};
    for (std::uint32_t k = 1; k <= 8; ++k) {
        const fixed want = k <= 4 ? atan_of_ratio(k, 8) : quarter_pi - atan_of_ratio(8 - k, 8 + k);
        EXPECT_TRUE(within_a_unit(from_words(tc::atan_of_eighths_wide[k]), want)) << "k = " << k;
    }
}

TEST(TrigConstants, LargeArgumentPeriodIsPiTimes2To62RoundedTo64Bits) {
    const fixed scaled = {false, pi_fixed().magnitude << 62};
    const exact_integer whole = scaled.magnitude >> fraction_bits;
    const bool round_up = scaled.magnitude.bit(fraction_bits - 1);
    EXPECT_EQ(large_argument_period, whole.low64() + (round_up ? 1 : 0));
    EXPECT_EQ(whole.bit_length(), 64);
}

}  // namespace
}  // namespace vyxmath::test
