// Scanning: which digits are kept and where the decimal exponent ends up.
// Each row names the integer D of the kept digits and the power p; the
// scanned value must be exactly digits_to_extended(D) scaled by 10^p.
#include <gtest/gtest.h>

#include <string>

#include "support/exact_integer.h"
#include "numtext/extended_test_support.h"
#include "numtext/scan_number_detail.h"

namespace vyxmath::test {
namespace {

struct scan_case {
    std::string text;
    kept_digits d;
    int p;
    bool negative;
};

const std::string nines_19 = "9999999999999999999";

const scan_case scan_cases[] = {
    {"12.5", {125, 0, 0}, -1, false},
    {"-12.5", {125, 0, 0}, -1, true},
    {"0001.5000", {15, 0, 0}, -1, false},
    {"0.001", {1, 0, 0}, -3, false},
    {"100", {1, 0, 0}, 2, false},
    {"1.0e3", {1, 0, 0}, 3, false},
    {"1.05", {105, 0, 0}, -2, false},
    {"10.01e-2", {1001, 0, 0}, -4, false},
    {"0.000120", {12, 0, 0}, -5, false},
    {"1e5201", {1, 0, 0}, 5200, false},  // scanned as 1e5200 would be, see below
    // 20 to 24 digits: the digits after the 19th go to `trailing`.
    {"12345678901234567890123", {1234567890123456789, 123, 4}, 0, false},
    {"123456789012345678900000", {1234567890123456789, 0, 0}, 5, false},
    {"1234567890123456789.01", {1234567890123456789, 1, 2}, -2, false},
    // 25 digits: the 25th rounds the 24th and is dropped.
    {"1234567890123456789012344", {1234567890123456789, 1234, 5}, 1, false},
    {"1234567890123456789012345", {1234567890123456789, 1235, 5}, 1, false},
    {"0.1234567890123456789012345", {1234567890123456789, 1235, 5}, -24, false},
    // With p = 0 all 80 bits of D reach the result, so the rounding shows.
    {"123456789012345678901234.5", {1234567890123456789, 1235, 5}, 0, false},
    {"123456789012345678901234.4", {1234567890123456789, 1234, 5}, 0, false},
    {"999999999999999999999999.5", {9999999999999999999u, 100000, 5}, 0, false},
    // Digits beyond the 25th play no part in the rounding, but integer ones
    // still count in the exponent.
    {"1234567890123456789012344999", {1234567890123456789, 1234, 5}, 4, false},
    {"1.234567890123456789012344999", {1234567890123456789, 1234, 5}, -23, false},
    // A rounded-up 9 becomes the digit value ten: D grows by one and no
    // trailing zero is removed.
    {nines_19 + "999999", {9999999999999999999u, 100000, 5}, 1, false},
    {"123456789012345678901239" "7", {1234567890123456789, 1240, 5}, 1, false},
    // Not rounded up: the trailing zeros of the 24 digits go.
    {"1000000000000000000000000001", {1, 0, 0}, 27, false},
    {"12345678901234567890001000", {1234567890123456789, 1, 4}, 3, false},
    {"0." + std::string(29, '0') + "1", {1, 0, 0}, -30, false},
};

TEST(ScanNumber, KeptDigitsAndPower) {
    for (const scan_case& c : scan_cases) {
        if (c.p > decimal_exponent_limit) continue;
        const scanned_number s = scan_number(c.text.c_str());
        EXPECT_TRUE(s.digit_seen) << c.text;
        const extended_value expected =
            with_sign(scale_by_power_of_ten(digits_to_extended(c.d), c.p, false), c.negative);
        EXPECT_EQ(s.value, expected) << c.text;
    }
}

// Only an exponent beyond the limit yields infinity; the limit itself scales.
TEST(ScanNumber, ExponentLimit) {
    EXPECT_EQ(scan_number("1e5201").value, extended_infinity());
    EXPECT_EQ(scan_number("-1e5201").value, extended_infinity(true));
    EXPECT_EQ(scan_number("1e5200").value, scale_by_power_of_ten(one, 5200, false));
    EXPECT_EQ(scan_number("1e-5200").value, scale_by_power_of_ten(one, -5200, false));
    EXPECT_EQ(scan_number("10e-5201").value, scale_by_power_of_ten(one, -5200, false));
    EXPECT_EQ(scan_number("-1e-5201").value, extended_zero(true));
    // 0.1e5201 is not 1e5200: the written exponent is 5201 before the
    // adjustment of -1 is added.
    EXPECT_EQ(scan_number("0.1e5201").value, scale_by_power_of_ten(one, 5200, false));
    EXPECT_EQ(scan_number("0.1e5202").value, scale_by_power_of_ten(one, 5200, false));
}

TEST(ScanNumber, DigitSeen) {
    const std::pair<const char*, bool> cases[] = {
        {"0", true},  {"-0", true},  {".0", true}, {"0.", true},  {"+5", true},  {" \t1", true},
        {"", false},  {"-", false},  {".", false}, {"-.", false}, {"e1", false}, {".e1", false},
        {"+ 1", false}, {"\xA0" "1", false},
    };
    for (const auto& [text, seen] : cases) EXPECT_EQ(scan_number(text).digit_seen, seen) << '"' << text << '"';
}

// D as an exact integer, normalised by hand to 80 bits.
extended_value exact_extended(const exact_integer& d) {
    const int bits = d.bit_length();
    const exact_integer m = d << (80 - bits);
    return ext(extended_bias + bits - 1, m.bits64(16), static_cast<std::uint16_t>(m.bits64(0)));
}

std::uint32_t power_of_ten_32(int n) {
    std::uint32_t r = 1;
    while (n-- > 0) r *= 10;
    return r;
}

TEST(DigitsToExtended, IsExact) {
    const kept_digits cases[] = {
        {1, 0, 0},
        {9999999999999999999u, 0, 0},
        {9999999999999999999u, 99999, 5},
        {9999999999999999999u, 100000, 5},  // 10^24
        {1844674407370955161, 6, 1},          // 2^64
        {1844674407370955161, 5, 1},          // 2^64 - 1
        {1208925819614629174, 70617, 5},      // 2^80 - 159: all 80 bits in use
    };
    bit_stream rng(99);
    std::vector<kept_digits> all(std::begin(cases), std::end(cases));
    for (int i = 0; i < 20000; ++i) {
        const int count = rng.between(0, 5);
        all.push_back({1 + rng.next() % 9999999999999999999u, static_cast<std::uint32_t>(rng.next() % power_of_ten_32(count)), count});
    }
    for (const kept_digits& k : all) {
        exact_integer d(k.leading);
        for (int i = 0; i < k.trailing_count; ++i) d *= 10;
        d = d + exact_integer(k.trailing);
        ASSERT_EQ(digits_to_extended(k), exact_extended(d)) << k.leading << " " << k.trailing << " " << k.trailing_count;
    }
}

}  // namespace
}  // namespace vyxmath::test
