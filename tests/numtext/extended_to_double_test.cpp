// Rounding extended values to doubles: round_mantissa's rule on its own, then
// the normal, denormal, overflow and underflow cases of extended_to_double.
#include <gtest/gtest.h>

#include <bit>

#include "numtext/extended_test_support.h"
#include "numtext/number_reader.h"

namespace vyxmath::test {
namespace {

// Mantissa bit for window position k (0 = leading bit), in the top 64 bits.
constexpr std::uint64_t at(int k) { return std::uint64_t{1} << (63 - k); }

struct window_case {
    const char* what;
    int n;
    mantissa_window before;
    mantissa_window after;
    bool carry;
};

constexpr std::uint64_t low_at(int k) { return std::uint64_t{1} << (127 - k); }  // k = 64..95

const window_case window_cases[] = {
    {"below half rounds down", 53, {at(0) | at(54), 0}, {at(0), 0}, false},
    {"exact half rounds down", 53, {at(0) | at(53), 0}, {at(0), 0}, false},
    {"three quarters exactly rounds down", 53, {at(0) | at(53) | at(54), 0}, {at(0), 0}, false},
    {"five eighths rounds up", 53, {at(0) | at(53) | at(55), 0}, {at(0) | at(52), 0}, false},
    {"half and a far low bit round up", 53, {at(0) | at(53), low_at(79)}, {at(0) | at(52), 0}, false},
    {"half and the last window bit round up", 53, {at(0) | at(53), low_at(95)}, {at(0) | at(52), 0}, false},
    {"all kept ones carry out", 53, {~std::uint64_t{0}, 0}, {0, 0}, true},
    {"carry stops at a zero", 53, {at(0) | (at(40) - at(52)) | at(53) | at(63), 0}, {at(0) | at(40), 0}, false},
    {"other widths follow the same rule", 10, {at(0) | at(10) | at(12), 0}, {at(0) | at(9), 0}, false},
    {"other widths ignore position n + 1", 10, {at(0) | at(10) | at(11), 0}, {at(0), 0}, false},
};

TEST(RoundMantissa, Cases) {
    for (const window_case& c : window_cases) {
        mantissa_window w = c.before;
        EXPECT_EQ(round_mantissa(w, c.n), c.carry) << c.what;
        EXPECT_EQ(w.high, c.after.high) << c.what;
        EXPECT_EQ(w.low, c.after.low) << c.what;
    }
}

constexpr int bias = 0x3FFF;
constexpr std::uint64_t leading = at(0);

struct conversion_case {
    const char* what;
    extended_value x;
    std::uint64_t expected;
};

const conversion_case conversion_cases[] = {
    {"one", ext(bias, leading), 0x3FF0000000000000},
    {"sign is kept", ext(bias + 1, leading | at(1), 0, true), 0xC008000000000000},
    {"exponent 0 is zero", ext(0, leading), 0x0000000000000000},
    {"exponent 0 keeps the sign", ext(0, leading, 0, true), 0x8000000000000000},
    {"exact half rounds down", ext(bias, leading | at(53)), 0x3FF0000000000000},
    {"three quarters round down", ext(bias, leading | at(52) | at(53) | at(54)), 0x3FF0000000000001},
    {"above half rounds up", ext(bias, leading | at(53) | at(60)), 0x3FF0000000000001},
    {"the low 16 bits count", ext(bias, leading | at(53), 0x0001), 0x3FF0000000000001},
    {"carry makes the next power of two", ext(bias, ~std::uint64_t{0}), 0x4000000000000000},
    {"largest finite", ext(bias + 1023, ~std::uint64_t{0} << 11), 0x7FEFFFFFFFFFFFFF},
    {"rounding past the largest finite overflows", ext(bias + 1023, ~std::uint64_t{0}), 0x7FF0000000000000},
    {"2^1024 overflows", ext(bias + 1024, leading), 0x7FF0000000000000},
    {"extended infinity", extended_infinity(true), 0xFFF0000000000000},
    {"smallest normal", ext(bias - 1022, leading), 0x0010000000000000},
    {"carry into the smallest normal", ext(bias - 1023, ~std::uint64_t{0}), 0x0010000000000000},
    {"largest power of two below normal", ext(bias - 1023, leading), 0x0008000000000000},
    // Shifted right by 7, the bits at 45 and 46 land on positions 52 and 53:
    // position 53 alone does not round, and 52 is dropped, leaving 2^44
    // where the nearest denormal is 2^44 + 1.
    {"denormal drops the last rounded position", ext(bias - 1030, leading | at(45) | at(46)), 0x0000100000000000},
    {"denormal rounding carries into the fraction", ext(bias - 1030, leading | at(45) | at(46) | at(48)),
     0x0000100000000001},
    {"smallest denormal", ext(bias - 1074, leading), 0x0000000000000001},
    {"one and a half smallest denormals truncate to one", ext(bias - 1074, leading | at(1)), 0x0000000000000001},
    {"nearly two smallest denormals round to two", ext(bias - 1074, ~std::uint64_t{0}), 0x0000000000000002},
    {"half the smallest denormal is zero", ext(bias - 1075, leading | at(1)), 0x0000000000000000},
    {"rounding up to the smallest denormal", ext(bias - 1075, ~std::uint64_t{0}), 0x0000000000000001},
    {"2^-1076 is zero", ext(bias - 1076, leading), 0x0000000000000000},
    {"just below 2^-1075 is zero", ext(bias - 1076, ~std::uint64_t{0}), 0x0000000000000000},
    {"below -1076 is zero with the sign", ext(bias - 1077, ~std::uint64_t{0}, 0, true), 0x8000000000000000},
};

TEST(ExtendedToDouble, Cases) {
    for (const conversion_case& c : conversion_cases)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(extended_to_double(c.x)), c.expected) << c.what << ": " << c.x;
}

// Every double of the normal range widens exactly to 64 mantissa bits and
// comes back unchanged, whatever its low bits.
TEST(ExtendedToDouble, ExactValuesComeBackUnchanged) {
    bit_stream rng(7);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t fraction = rng.next() >> 12;
        const int e = rng.between(-1022, 1023);
        const extended_value x = ext(bias + e, (std::uint64_t{1} << 63) | (fraction << 11), 0, i % 2 == 1);
        const std::uint64_t expected =
            (i % 2 == 1 ? std::uint64_t{1} << 63 : 0) | (std::uint64_t(e + 1023) << 52) | fraction;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(extended_to_double(x)), expected) << x;
    }
}

}  // namespace
}  // namespace vyxmath::test
