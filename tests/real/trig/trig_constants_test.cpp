// The generated constants of the angle functions against values recomputed
// here by other formulas in exact multi-word arithmetic.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "real/trig/angle_reduction.h"
#include "real/trig/trig_constants.h"
#include "real/trig/big_fixed.h"

namespace vyxmath::testing {
namespace {

namespace tc = trig_constants;

// atan(p/q) = sum_k (-1)^k (p/q)^(2k+1) / (2k+1), for p/q <= 1/2.
fixed atan_of_ratio(std::uint32_t p, std::uint32_t q) {
    fixed sum;
    big_unsigned power = (big_unsigned{p} << fraction_bits).divided_by(q);
    for (std::uint32_t k = 0; !power.is_zero(); ++k) {
        sum = sum + fixed{(k % 2) != 0, power.divided_by(2 * k + 1)};
        power = (power * big_unsigned{std::uint64_t{p} * p}).divided_by(q).divided_by(q);
    }
    return sum;
}

TEST(TrigConstants, TwoOverPiWordsAreTheLeadingBits) {
    const fixed two_over_pi = two_over_pi_fixed();
    const big_unsigned leading = two_over_pi.magnitude >> (fraction_bits - 32 * tc::two_over_pi_word_count);
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

TEST(TrigConstants, LargeArgumentPeriodIsPiTimes2To62RoundedTo64Bits) {
    const fixed scaled = {false, pi_fixed().magnitude << 62};
    const big_unsigned whole = scaled.magnitude >> fraction_bits;
    const bool round_up = scaled.magnitude.bit(fraction_bits - 1);
    EXPECT_EQ(large_argument_period, whole.low64() + (round_up ? 1 : 0));
    EXPECT_EQ(whole.bit_length(), 64);
}

}  // namespace
}  // namespace vyxmath::testing
