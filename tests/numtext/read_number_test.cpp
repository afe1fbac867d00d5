// The reading of number text, checked on the exact bits of the double.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "support/bits_text.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

constexpr std::uint64_t positive_zero = 0x0000000000000000;
constexpr std::uint64_t negative_zero = 0x8000000000000000;
constexpr std::uint64_t positive_infinity = 0x7FF0000000000000;
constexpr std::uint64_t negative_infinity = 0xFFF0000000000000;
constexpr std::uint64_t largest_finite = 0x7FEFFFFFFFFFFFFF;
constexpr std::uint64_t smallest_normal = 0x0010000000000000;
constexpr std::uint64_t smallest_denormal = 0x0000000000000001;

struct reading {
    std::string text;
    std::uint64_t expected;
};

void expect_readings(const std::vector<reading>& rows) {
    for (const reading& row : rows) {
        const std::string shown = row.text.size() > 60 ? row.text.substr(0, 30) + "..." : row.text;
        EXPECT_EQ(test::bits_text(read_number(row.text.c_str())), test::bits_text(from_bits(row.expected))) << '"' << shown << '"';
    }
}

TEST(ReadNumber, LeadingSpaceClassBytesAreSkipped) {
    expect_readings({
        {"  12.5", to_bits(12.5)},
        {"\t\n 42", to_bits(42.0)},
        {"\v\f7", to_bits(7.0)},
        {"\r8", to_bits(8.0)},
        {"\xA0" "1", positive_zero},  // 0xA0 is not a space
        {"\x1F" "1", positive_zero},
        {"\x85" "1", positive_zero},
    });
}

TEST(ReadNumber, SignsAndPoints) {
    expect_readings({
        {"-.5", to_bits(-0.5)},
        {"+7", to_bits(7.0)},
        {"3.", to_bits(3.0)},
        {"5.e3", to_bits(5000.0)},
        {"0001.5000", to_bits(1.5)},
        {".25", to_bits(0.25)},
        {"-0.75", to_bits(-0.75)},
    });
}

TEST(ReadNumber, ExponentParts) {
    expect_readings({
        {"1e3", to_bits(1000.0)},
        {"1E+3", to_bits(1000.0)},
        {"1d3", to_bits(1000.0)},
        {"1D-2", 0x3F847AE147AE147B},
        {"1.5e", to_bits(1.5)},
        {"1e+", to_bits(1.0)},
        {"1e-", to_bits(1.0)},
        {"1e0005", to_bits(100000.0)},
        {"1e00", to_bits(1.0)},
        {"1e-0", to_bits(1.0)},
        {"25e-1", to_bits(2.5)},
    });
}

TEST(ReadNumber, TextWithoutANumberIsPositiveZero) {
    expect_readings({
        {"", positive_zero},     {"abc", positive_zero}, {".", positive_zero},   {".e5", positive_zero},
        {"e5", positive_zero},   {"-", positive_zero},   {"- 5", positive_zero}, {"--1", positive_zero},
        {"+-1", positive_zero},  {"inf", positive_zero}, {"nan", positive_zero}, {"-.", positive_zero},
        {"-inf", positive_zero}, {"+.e1", positive_zero},
    });
}

TEST(ReadNumber, ZeroMantissaKeepsItsSign) {
    expect_readings({
        {"0.e5", positive_zero},
        {"000", positive_zero},
        {"-0", negative_zero},
        {"-0.0", negative_zero},
        {"-0e99999", negative_zero},
        {"0e99999", positive_zero},
        {"-.000", negative_zero},
    });
}

TEST(ReadNumber, TheNumberEndsAtTheFirstByteThatCannotContinueIt) {
    expect_readings({
        {"0x10", positive_zero},
        {"1,5", to_bits(1.0)},
        {"1+2", to_bits(1.0)},
        {"1-2", to_bits(1.0)},
        {"1.2.3", to_bits(1.2)},
        {"1e5.5", to_bits(100000.0)},
        {"12 34", to_bits(12.0)},
        {"7\xEF\xBC\x99", to_bits(7.0)},  // a full-width digit is not a digit
        {"1e+-5", to_bits(1.0)},
        {"2e 3", to_bits(2.0)},
    });
}

TEST(ReadNumber, OutOfRangeBecomesInfinityOrZero) {
    expect_readings({
        {"1e400", positive_infinity},
        {"1e5200", positive_infinity},
        {"1e99999", positive_infinity},
        {"1e99999999999999999999999", positive_infinity},
        {"-1e400", negative_infinity},
        {"1e-400", positive_zero},
        {"1e-5200", positive_zero},
        {"1e-5201", positive_zero},
        {"-1e-400", negative_zero},
        {"-1e-5200", negative_zero},
        {"1.7976931348623157e308", largest_finite},
        {"1.7976931348623158e308", largest_finite},
        {"1.7976931348623159e308", positive_infinity},
        {"-1.7976931348623159e308", negative_infinity},
    });
}

TEST(ReadNumber, NormalAndDenormalBoundary) {
    expect_readings({
        {"2.2250738585072014e-308", smallest_normal},
        {"1e-310", 0x000012688B70E62B},
        {"4.9406564584124654e-324", smallest_denormal},
        {"7.4e-324", smallest_denormal},
        {"8e-324", smallest_denormal},
        {"3e-324", positive_zero},
        {"2.4703282292062328e-324", positive_zero},
        {"-4.9406564584124654e-324", 0x8000000000000001},
    });
}

TEST(ReadNumber, TiesAndThreeQuartersGoToTheSmallerMagnitude) {
    expect_readings({
        {"9007199254740993", to_bits(9007199254740992.0)},
        {"9007199254740995", to_bits(9007199254740994.0)},
        {"4503599627370497.5", to_bits(4503599627370497.0)},
        {"18014398509481987", to_bits(18014398509481984.0)},
        {"-9007199254740995", to_bits(-9007199254740994.0)},
    });
}

// 604462909807314654461952 is 2^79 + 2^26, exactly halfway between the
// doubles 2^79 and 2^79 + 2^27. A 25th digit of 5 adds one to D, which lifts
// it above the tie; with p = 0 all of D's bits reach the rounding.
TEST(ReadNumber, TwentyFifthDigitRoundsTheTwentyFourth) {
    const double two_79 = 604462909807314587353088.0;
    expect_readings({
        {"604462909807314654461952", to_bits(two_79)},
        {"604462909807314654461952.4", to_bits(two_79)},
        {"604462909807314654461952.49999", to_bits(two_79)},
        {"604462909807314654461952.5", to_bits(two_79 + 134217728.0)},
        {"-604462909807314654461952.5", to_bits(-two_79 - 134217728.0)},
    });
}

TEST(ReadNumber, TruncatedProductsCanEndOneUnitLow) {
    // The nearest double is 3D32A887E95D59E0.
    expect_readings({{"66287682351673492627e-33", 0x3D32A887E95D59DF}});
}

TEST(ReadNumber, LongDigitStringsMoveTheExponent) {
    expect_readings({
        {"1" + std::string(30, '0'), 0x46293E5939A08CEA},
        {"0." + std::string(29, '0') + "1", 0x39B4484BFEEBC2A0},
        {"0.1", 0x3FB999999999999A},
        {"1" + std::string(400, '0'), positive_infinity},
        // The written exponent is clamped at 5201 before the adjustment is
        // added: p = 5201 - 6000 = -799.
        {"0." + std::string(5999, '0') + "1e6000", positive_zero},
        // 100,000 integer digits and a clamped exponent of -5201: p = 94799.
        {"1" + std::string(100000, '0') + "e-100000", positive_infinity},
        {"0." + std::string(100000, '0') + "1e100000", positive_zero},
    });
}

}  // namespace
}  // namespace vyxmath
