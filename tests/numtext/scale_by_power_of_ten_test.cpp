#include <gtest/gtest.h>

#include <climits>

#include "numtext/extended_test_support.h"
#include "support/exact_integer.h"
#include "numtext/power_tables.h"
#include "numtext/reference_multiply.h"

namespace vyxmath::test {
namespace {

// 1 + 2^-64: its low 16 mantissa bits hold the only bit below the top 64.
constexpr extended_value one_and_low_bit = ext(0x3FFF, 0x8000000000000000, 0x8000);

TEST(ScaleByPowerOfTen, ZeroPowerReturnsAllEightyBits) {
    EXPECT_EQ(scale_by_power_of_ten(one_and_low_bit, 0, false), one_and_low_bit);
    EXPECT_EQ(scale_by_power_of_ten(one_and_low_bit, 0, true), one_and_low_bit);
}

// Times ten is exact here: (2^79 + 2^15) * 10 = 1.25 * 2^82 + 1.25 * 2^18.
TEST(ScaleByPowerOfTen, LowBitsAreKeptOnlyWhenAsked) {
    EXPECT_EQ(scale_by_power_of_ten(one_and_low_bit, 1, true), ext(0x4002, 0xA000000000000000, 0xA000));
    EXPECT_EQ(scale_by_power_of_ten(one_and_low_bit, 1, false), ext(0x4002, 0xA000000000000000, 0x0000));
}

// 10^p = 5^p 2^p with 5^p < 2^63 for p <= 27: every factor and every
// intermediate product fits in the top limbs, so nothing is lost.
TEST(ScaleByPowerOfTen, SmallPowersOfTenAreExact) {
    exact_integer power_of_five(1);
    for (int p = 1; p <= 27; ++p) {
        power_of_five *= 5;
        const int bits = power_of_five.bit_length();
        const exact_integer mantissa = power_of_five << (80 - bits);
        const extended_value expected = ext(extended_bias + p + bits - 1, mantissa.bits64(16),
                                            static_cast<std::uint16_t>(mantissa.bits64(0)));
        EXPECT_EQ(scale_by_power_of_ten(one, p, false), expected) << "10^" << p;
    }
}

// Each table entry is reached by itself.
TEST(ScaleByPowerOfTen, SingleOctalDigitSelectsOneEntry) {
    for (int entry = 1; entry <= power_table_size; ++entry) {
        const int n = power_table_exponent(entry);
        EXPECT_EQ(scale_by_power_of_ten(one, n, false), positive_powers[entry - 1]) << "10^" << n;
        EXPECT_EQ(scale_by_power_of_ten(one, -n, false), negative_powers[entry - 1]) << "10^-" << n;
    }
}

// The factors are applied lowest octal digit first; the truncated products do
// not commute in their bits, so the order is part of the result.
TEST(ScaleByPowerOfTen, AppliesTheLowestOctalDigitFirst) {
    const extended_value starts[] = {one, ext(0x4040, 0xD3C21BCECCEDA100, 0x1234),
                                     ext(0x3FFF, 0xFFFFFFFFFFFFFFFF, 0xFFFF), ext(0x3FC0, 0x9ABCDEF012345678, 0x9ABC)};
    const int powers[] = {9, 73, -73, 308, -324, 4095, -4095, 5200, -5200, 1234, -4321};
    for (const extended_value& start : starts) {
        for (int p : powers) {
            extended_value expected = start;
            const extended_value* table = p > 0 ? positive_powers : negative_powers;
            for (int k = 0, n = p > 0 ? p : -p; n != 0; ++k, n /= 8)
                if (n % 8 != 0) expected = reference_multiply_extended(expected, table[7 * k + n % 8 - 1]);
            EXPECT_EQ(scale_by_power_of_ten(start, p, true), expected) << start << " * 10^" << p;
        }
    }
}

// Over the whole range the result stays within a few units of the exact
// power: each truncated product loses at most four units and rounds by half
// a unit, each table entry is off by at most half a unit. Past the range the
// result is infinity above and zero (or a value below exponent 1) beneath.
TEST(ScaleByPowerOfTen, WholeRangeStaysCloseToTheExactPower) {
    constexpr int tolerance_units = 32;
    exact_integer power(1);
    for (int n = 0; n <= 5200; power *= 10, ++n) {
        for (int p : {n, -n}) {
            const extended_value x = scale_by_power_of_ten(one, p, false);
            ASSERT_FALSE(x.negative()) << p;
            if (p >= 4933) {
                ASSERT_EQ(x, extended_infinity()) << p;
                continue;
            }
            if (p <= -4932) {
                ASSERT_EQ(x.exponent(), 0) << p;
                continue;
            }
            ASSERT_NE(x.exponent(), 0) << p;
            const exact_integer m = exact_integer::from_mantissa(x.top64(), x.low);
            const int scale = x.exponent() - extended_bias - 79;
            exact_integer error, unit;
            if (p >= 0) {
                error = scale >= 0 ? distance(m << scale, power) : distance(m, power << -scale);
                unit = exact_integer::power_of_two(scale > 0 ? scale : 0);
            } else {  // m 2^scale vs 10^-n, in units of 2^scale: |m 10^n - 2^-scale| / 10^n
                error = distance(m * power, exact_integer::power_of_two(-scale));
                unit = power;
            }
            exact_integer allowed = unit;
            allowed *= tolerance_units;
            ASSERT_LE(error, allowed) << "10^" << p << " gave " << x;
        }
    }
}

TEST(ScaleByPowerOfTen, PowersBeyondTheTablesSaturate) {
    EXPECT_EQ(scale_by_power_of_ten(one, 6000, false), extended_infinity());
    EXPECT_EQ(scale_by_power_of_ten(one, INT_MAX, false), extended_infinity());
    EXPECT_EQ(scale_by_power_of_ten(one, -6000, false), extended_zero());
    EXPECT_EQ(scale_by_power_of_ten(one, INT_MIN, false), extended_zero());
    EXPECT_EQ(scale_by_power_of_ten(extended_infinity(true), INT_MAX, true), extended_infinity(true));
    // Beyond 5200 the part from 4096 up is applied as factors 10^4096.
    const extended_value tiny = negative_powers[power_table_size - 1];
    EXPECT_EQ(scale_by_power_of_ten(tiny, 8192 + 9, true),
              multiply_extended(multiply_extended(multiply_extended(multiply_extended(tiny, positive_powers[0]),
                                                                    positive_powers[7]),
                                                  positive_powers[28]),
                                positive_powers[28]));
}

}  // namespace
}  // namespace vyxmath::test
