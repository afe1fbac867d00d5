// The 17-digit significand from one product with a 128-bit power of ten must
// be the extended scaling's whenever it answers, and it must answer nearly
// always; the wide table entries must be the truncated powers of five.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <string>
#include <vector>

#include "numtext/decimal_significand.h"
#include "numtext/digit_record.h"
#include "support/exact_integer.h"
#include "numtext/power_tables.h"
#include "numtext/sample_doubles.h"

namespace vyxmath {
namespace {

struct tally {
    long asked = 0;
    long answered[2] = {};  // by the build's route, and by the 32-bit machines' route
};

void expect_same_significand(double v, tally& t) {
    ++t.asked;
    const decimal_significand route = significand_by_scaling(v);
    const auto check = [&](bool (*directly)(double, decimal_significand&), long& answered) {
        decimal_significand direct;
        if (!directly(v, direct)) return;
        ++answered;
        ASSERT_EQ(direct.digits, route.digits) << std::hex << std::bit_cast<std::uint64_t>(v);
        ASSERT_EQ(direct.point, route.point) << std::hex << std::bit_cast<std::uint64_t>(v);
        ASSERT_EQ(direct.negative, route.negative) << std::hex << std::bit_cast<std::uint64_t>(v);
    };
    ASSERT_NO_FATAL_FAILURE(check(&significand_directly, t.answered[0]));
    ASSERT_NO_FATAL_FAILURE(check(&significand_directly_in_halves, t.answered[1]));
}

TEST(DirectSignificand, SameAsScalingForSampleDoubles) {
    tally t;
    for (double v : test::sample_doubles(20000)) ASSERT_NO_FATAL_FAILURE(expect_same_significand(v, t));
    for (long answered : t.answered) EXPECT_GT(answered, t.asked * 6 / 10);  // the markers and zeros never answer
}

// Every binary exponent, with random fractions, so that every table entry
// and both of its neighbours (point one place up) are used.
TEST(DirectSignificand, SameAsScalingOverEveryExponent) {
    test::bit_stream bits(5150);
    tally t;
    for (std::uint64_t exponent = 0; exponent < 2047; ++exponent)
        for (int i = 0; i < 40; ++i) {
            const std::uint64_t fraction = bits.next() >> 12;
            ASSERT_NO_FATAL_FAILURE(expect_same_significand(std::bit_cast<double>(exponent << 52 | fraction), t));
        }
    for (long answered : t.answered) EXPECT_GT(answered, t.asked - t.asked / 1000);
}

// Short decimals and the halfway texts between 17-digit neighbours are where
// the 18th digit sits on or near 5.
TEST(DirectSignificand, SameAsScalingNearHalves) {
    test::bit_stream bits(31337);
    tally t;
    for (int i = 0; i < 30000; ++i) {
        std::string text = std::to_string(bits.next() % 100000000000000000u) + "5e" +
                           std::to_string(static_cast<int>(bits.next() % 600) - 320);
        ASSERT_NO_FATAL_FAILURE(expect_same_significand(std::strtod(text.c_str(), nullptr), t));
        text = std::to_string(bits.next() % 1000000) + "e-" + std::to_string(bits.next() % 8);
        ASSERT_NO_FATAL_FAILURE(expect_same_significand(std::strtod(text.c_str(), nullptr), t));
    }
    // Exactly representable decimals such as 496682386976504.375 sit on a
    // half and go to the scaling, which decides them its own way.
    decimal_significand d;
    EXPECT_FALSE(significand_directly(496682386976504.375, d));
}

// Entry q is floor(5^q * 2^(127 - b)), b = floor(log2 5^q): for q >= 0,
// T * 2^b <= 5^q * 2^127 < (T + 1) * 2^b; for q < 0, T * 5^-q <= 2^(127 - b)
// < (T + 1) * 5^-q.
TEST(WidePowersOfFive, EveryEntryIsTheTruncatedPower) {
    for (int q = wide_powers_of_five_first; q <= wide_powers_of_five_last; ++q) {
        const wide_power& w = wide_powers_of_five[q - wide_powers_of_five_first];
        ASSERT_NE(w.high >> 63, 0u) << q;
        const test::exact_integer t = (test::exact_integer(w.high) << 64) + test::exact_integer(w.low);
        const test::exact_integer next = t + test::exact_integer(1);
        const int b = floor_log2_of_five_power(q);
        test::exact_integer five(1);
        for (int i = 0; i < (q < 0 ? -q : q); ++i) five *= 5;
        if (q >= 0) {
            const test::exact_integer scaled_five = five << 127;
            ASSERT_LE(t << b, scaled_five) << q;
            ASSERT_LT(scaled_five, next << b) << q;
        } else {
            const test::exact_integer power = test::exact_integer::power_of_two(127 - b);
            ASSERT_LE(t * five, power) << q;
            ASSERT_LT(power, next * five) << q;
        }
    }
}

}  // namespace
}  // namespace vyxmath
