#include <gtest/gtest.h>

#include "numtext/extended_test_support.h"
#include "support/exact_integer.h"
#include "numtext/power_tables.h"

namespace vyxmath::test {
namespace {

exact_integer mantissa_of(const extended_value& x) { return exact_integer::from_mantissa(x.top64(), x.low); }

// True when M * 2^(exponent - 16383 - 79) is the value nearest to 10^n
// (or 10^-n) among all 80-bit mantissas with the leading bit set.
::testing::AssertionResult is_nearest_power(const extended_value& x, int n, bool negative_power) {
    if (x.negative()) return ::testing::AssertionFailure() << "negative";
    if ((x.high >> 31) == 0) return ::testing::AssertionFailure() << "leading bit clear";
    const exact_integer m = mantissa_of(x);
    const exact_integer power = exact_integer::power_of_ten(n);
    const int scale = x.exponent() - extended_bias - 79;  // value = m * 2^scale
    // Both sides are made integers by moving the negative powers of two
    // and of ten across; the error must stay below half a unit of m:
    //   10^n:   2 |m 2^scale - 10^n|  < 2^scale        (scale < 0: exact)
    //   10^-n:  2 |m 10^n - 2^-scale| < 10^n
    exact_integer lhs, rhs, unit;
    if (negative_power) {
        lhs = m * power;
        rhs = exact_integer::power_of_two(-scale);
        unit = power;
    } else {
        lhs = scale > 0 ? m << scale : m;
        rhs = scale < 0 ? power << -scale : power;
        unit = exact_integer::power_of_two(scale > 0 ? scale : 0);
    }
    if ((distance(lhs, rhs) << 1) < unit) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not the nearest 80-bit value";
}

TEST(PowerTables, EntryNumbersSelectOctalDigitPowers) {
    const int expected[power_table_size] = {1,   2,   3,   4,   5,    6,    7,    8,    16,   24,
                                            32,  40,  48,  56,  64,   128,  192,  256,  320,  384,
                                            448, 512, 1024, 1536, 2048, 2560, 3072, 3584, 4096};
    for (int entry = 1; entry <= power_table_size; ++entry)
        EXPECT_EQ(power_table_exponent(entry), expected[entry - 1]) << "entry " << entry;
}

TEST(PowerTables, EveryPositiveEntryIsTheNearest80BitValue) {
    for (int entry = 1; entry <= power_table_size; ++entry) {
        const int n = power_table_exponent(entry);
        EXPECT_TRUE(is_nearest_power(positive_powers[entry - 1], n, false)) << "10^" << n;
    }
}

TEST(PowerTables, EveryNegativeEntryIsTheNearest80BitValue) {
    for (int entry = 1; entry <= power_table_size; ++entry) {
        const int n = power_table_exponent(entry);
        EXPECT_TRUE(is_nearest_power(negative_powers[entry - 1], n, true)) << "10^-" << n;
    }
}

// The check itself must reject a value one unit away from the nearest.
TEST(PowerTables, NearestCheckRejectsANeighbour) {
    extended_value off = negative_powers[0];
    off.low = static_cast<std::uint16_t>(off.low - 1);
    EXPECT_FALSE(is_nearest_power(off, 1, true));
    off = positive_powers[power_table_size - 1];
    off.low = static_cast<std::uint16_t>(off.low + 1);
    EXPECT_FALSE(is_nearest_power(off, 4096, false));
}

struct checking_row {
    int entry;
    bool negative_power;
    extended_value expected;
};

const checking_row checking_rows[] = {
    {1, false, ext(0x4002, 0xA000000000000000, 0x0000)},
    {8, false, ext(0x4019, 0xBEBC200000000000, 0x0000)},
    {11, false, ext(0x4069, 0x9DC5ADA82B70B59D, 0xF020)},
    {29, false, ext(0x7525, 0xC46052028A20979A, 0xC94C)},
    {1, true, ext(0x3FFB, 0xCCCCCCCCCCCCCCCC, 0xCCCD)},
    {8, true, ext(0x3FE4, 0xABCC77118461CEFC, 0xFDC2)},
    {29, true, ext(0x0AD8, 0xA6DD04C8D2CE9FDE, 0x2DE4)},
};

TEST(PowerTables, CheckingRows) {
    for (const checking_row& row : checking_rows) {
        const extended_value& entry = (row.negative_power ? negative_powers : positive_powers)[row.entry - 1];
        EXPECT_EQ(entry, row.expected) << "entry " << row.entry << (row.negative_power ? " negative" : "");
    }
}

}  // namespace
}  // namespace vyxmath::test
