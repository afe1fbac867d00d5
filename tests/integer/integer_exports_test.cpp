// The integer exports through their C entry points: the values each stores,
// the status, and what is left untouched.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "vyxmath.h"

namespace {

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t untouched = 0x5A5A5A5A;

using IntegerExport = std::int32_t(VYX_CALL*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);

struct IntegerCall {
    const char* name;
    IntegerExport function;
    std::int32_t p2, p3, p4;
    std::int32_t expected;
};

const IntegerCall integer_calls[] = {
    {"n_kaijo", n_kaijo, 0, 0, 0, 1}, {"n_kaijo", n_kaijo, 1, 0, 0, 1}, {"n_kaijo", n_kaijo, -5, 0, 0, 1},
    {"n_kaijo", n_kaijo, 12, 0, 0, 479001600}, {"n_kaijo", n_kaijo, 13, 0, 0, 1932053504},
    {"n_kaijo", n_kaijo, 17, 0, 0, -288522240}, {"n_kaijo", n_kaijo, 32, 0, 0, int32_min},
    {"n_kaijo", n_kaijo, 33, 0, 0, int32_min}, {"n_kaijo", n_kaijo, 34, 0, 0, 0}, {"n_kaijo", n_kaijo, int32_max, 0, 0, 0},

    {"n_fib", n_fib, 0, 0, 0, 1}, {"n_fib", n_fib, 1, 0, 0, 1}, {"n_fib", n_fib, 2, 0, 0, 1},
    {"n_fib", n_fib, -3, 0, 0, 1}, {"n_fib", n_fib, 3, 0, 0, 2}, {"n_fib", n_fib, 46, 0, 0, 1836311903},
    {"n_fib", n_fib, 47, 0, 0, -1323752223}, {"n_fib", n_fib, 48, 0, 0, 512559680},
    {"n_fib", n_fib, 10, 0, 0, 55}, {"n_fib", n_fib, int32_min, 0, 0, 1},

    {"n_gcd", n_gcd, 0, 0, 0, 0}, {"n_gcd", n_gcd, 12, -18, 0, -6}, {"n_gcd", n_gcd, 18, -12, 0, 6},
    {"n_gcd", n_gcd, -6, 0, 0, -6}, {"n_gcd", n_gcd, 12, 18, 0, 6}, {"n_gcd", n_gcd, -12, 18, 0, 6},
    {"n_gcd", n_gcd, -12, -18, 0, -6}, {"n_gcd", n_gcd, 4, -6, 0, -2}, {"n_gcd", n_gcd, 1, -1, 0, -1},
    {"n_gcd", n_gcd, 5, 0, 0, 5}, {"n_gcd", n_gcd, 0, 5, 0, 5}, {"n_gcd", n_gcd, 0, -6, 0, -6},
    // -2^31 rem -1 has no 32-bit quotient; it is taken as 0
    {"n_gcd", n_gcd, int32_min, -1, 0, -1}, {"n_gcd", n_gcd, -1, int32_min, 0, -1},

    {"n_lcm", n_lcm, 4, 6, 0, 12}, {"n_lcm", n_lcm, 12, 18, 0, 36}, {"n_lcm", n_lcm, -4, 6, 0, -12},
    {"n_lcm", n_lcm, 4, -6, 0, 12}, {"n_lcm", n_lcm, 18, -12, 0, -36}, {"n_lcm", n_lcm, 12, -18, 0, 36},
    {"n_lcm", n_lcm, 0, 5, 0, 0}, {"n_lcm", n_lcm, 0, 0, 0, 0}, {"n_lcm", n_lcm, 65536, 65536, 0, 0},
    // -2^31 * -1 wraps to -2^31, and -2^31 / -1 wraps back to -2^31
    {"n_lcm", n_lcm, int32_min, -1, 0, int32_min}, {"n_lcm", n_lcm, -1, int32_min, 0, int32_min},
    // a quotient of 2^31 wraps to -2^31
    {"n_lcm", n_lcm, int32_min, -3, 0, int32_min}, {"n_lcm", n_lcm, int32_min, 3, 0, int32_min},

    {"n_comb", n_comb, 5, 2, 0, 10}, {"n_comb", n_comb, 4, 2, 0, 6}, {"n_comb", n_comb, 6, 3, 0, 20},
    {"n_comb", n_comb, 10, 5, 0, 252}, {"n_comb", n_comb, 20, 10, 0, 184756}, {"n_comb", n_comb, 10, 0, 0, 1},
    {"n_comb", n_comb, 10, -4, 0, 1}, {"n_comb", n_comb, 3, 5, 0, 0}, {"n_comb", n_comb, -3, 3, 0, -10},
    {"n_comb", n_comb, -3, 2, 0, 6}, {"n_comb", n_comb, -1, int32_max, 0, -1}, {"n_comb", n_comb, 10, int32_max, 0, 0},

    {"n_perm", n_perm, 5, 2, 0, 20}, {"n_perm", n_perm, 5, 5, 0, 120}, {"n_perm", n_perm, 12, 3, 0, 1320},
    {"n_perm", n_perm, 5, 0, 0, 1}, {"n_perm", n_perm, 3, 5, 0, 6}, {"n_perm", n_perm, 5, -1, 0, 0},
    {"n_perm", n_perm, 13, 2, 0, 48}, {"n_perm", n_perm, 20, 2, 0, 2}, {"n_perm", n_perm, 33, 1, 0, 1},
    {"n_perm", n_perm, 40, 10, 0, 0},
    // divisor 0 (n - k of 34 or more): 0 is stored
    {"n_perm", n_perm, 34, 0, 0, 0}, {"n_perm", n_perm, 12, -30, 0, 0}, {"n_perm", n_perm, int32_max, 1, 0, 0},
    {"n_perm", n_perm, int32_min, 1, 0, 0},  // n - k wraps to 2^31 - 1: dividend 1, divisor 0

    {"n_bitsft", n_bitsft, -8, 1, 0, -4}, {"n_bitsft", n_bitsft, -1, 31, 0, -1},
    {"n_bitsft", n_bitsft, 1, 31, 1, int32_min}, {"n_bitsft", n_bitsft, 5, 32, 1, 5},
    {"n_bitsft", n_bitsft, 1, -1, 1, int32_min}, {"n_bitsft", n_bitsft, 3, 33, 1, 6},
    {"n_bitsft", n_bitsft, int32_min, 31, 0, -1}, {"n_bitsft", n_bitsft, int32_max, 30, 0, 1},
    {"n_bitsft", n_bitsft, 0x40000001, 1, 1, int32_min + 2},
    // any other direction leaves p1 as it was
    {"n_bitsft", n_bitsft, 5, 1, 2, untouched}, {"n_bitsft", n_bitsft, 5, 1, -1, untouched},
};

TEST(IntegerExports, StoreTheirValueAndReturnZero) {
    for (const auto& call : integer_calls) {
        std::int32_t result = untouched;
        EXPECT_EQ(call.function(&result, call.p2, call.p3, call.p4), 0) << call.name;
        EXPECT_EQ(result, call.expected) << call.name << "(" << call.p2 << ", " << call.p3 << ", " << call.p4 << ")";
    }
}

struct PrimeCase {
    std::int32_t n;
    std::int32_t status;
};

constexpr PrimeCase prime_cases[] = {
    {1, -1}, {0, -1}, {-7, -1}, {int32_min, -1}, {2, 0}, {3, 0}, {4, -1}, {5, 0}, {9, -1}, {25, -1},
    {49, -1}, {97, 0}, {2147483647, 0}, {2147117569, -1},
};

TEST(IntegerExports, PrimeTestReturnsItsVerdict) {
    for (const auto& c : prime_cases) EXPECT_EQ(n_sosu(c.n, 1, 2, 3), c.status) << c.n;
}

struct RoundingCall {
    const char* text;
    std::int32_t ceiling;
    std::int32_t floor;
};

const RoundingCall rounding_calls[] = {
    {"2.5", 3, 2}, {"-2.5", -2, -3}, {"-0.5", 0, -1}, {"0.5", 1, 0}, {"7", 7, 7},
    {"3000000000", -1294967296, -1294967296}, {"2147483647.5", int32_min, int32_max},
    {"1e19", 0, 0}, {"-1e19", 0, 0}, {"4294967296", 0, 0}, {"abc", 0, 0}, {"", 0, 0},
};

TEST(IntegerExports, CeilingAndFloorOfNumberText) {
    for (const auto& call : rounding_calls) {
        std::int32_t ceiling = untouched, floor = untouched;
        EXPECT_EQ(n_ceil(&ceiling, call.text, 0, 0), 0);
        EXPECT_EQ(n_floor(&floor, call.text, 0, 0), 0);
        EXPECT_EQ(ceiling, call.ceiling) << "n_ceil \"" << call.text << "\"";
        EXPECT_EQ(floor, call.floor) << "n_floor \"" << call.text << "\"";
    }
}

// Both divisions of n_perm against the two wrapped factorials taken literally.
TEST(IntegerExports, PermutationCountDividesTheWrappedFactorials) {
    const auto literal_factorial = [](std::int64_t n) {
        std::uint32_t product = 1;
        for (std::int64_t m = n; m >= 1; --m) product *= static_cast<std::uint32_t>(m);
        return static_cast<std::int32_t>(product);
    };
    for (std::int32_t n = -40; n <= 60; ++n)
        for (std::int32_t k = -40; k <= 60; ++k) {
            const std::int32_t dividend = literal_factorial(n);
            const std::int32_t divisor = literal_factorial(static_cast<std::int64_t>(n) - k);
            std::int32_t result = untouched;
            n_perm(&result, n, k, 0);
            ASSERT_EQ(result, divisor == 0 ? 0 : dividend / divisor) << n << ", " << k;
        }
}

}  // namespace
