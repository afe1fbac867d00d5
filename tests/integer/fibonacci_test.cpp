#include <gtest/gtest.h>

#include <cstdint>

#include "integer/fibonacci.h"

namespace vyxmath {
namespace {

// The pair (A, B) = (1, 1) advanced n - 1 times, one wrapping addition each.
TEST(Fibonacci, MatchesThePairOfAdditions) {
    std::uint32_t a = 1, b = 1;
    for (std::int32_t n = 1; n <= 1 << 20; ++n) {
        ASSERT_EQ(fibonacci_number(n), static_cast<std::int32_t>(a)) << "n = " << n;
        const std::uint32_t sum = a + b;
        a = b;
        b = sum;
    }
}

// F(m + n) = F(m) F(n + 1) + F(m - 1) F(n) holds modulo 2^32 too, which ties
// large indices, out of reach of the additions, to each other.
TEST(Fibonacci, AdditionFormulaHoldsForLargeIndices) {
    std::uint64_t state = 7;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const auto m = static_cast<std::int32_t>(3 + (state >> 33) % 1073741800);
        const auto n = static_cast<std::int32_t>(3 + (state >> 2) % 1073741800);
        const auto f = [](std::int32_t x) { return static_cast<std::uint32_t>(fibonacci_number(x)); };
        ASSERT_EQ(f(m + n), f(m) * f(n + 1) + f(m - 1) * f(n)) << m << " + " << n;
    }
    const auto f = [](std::int32_t x) { return static_cast<std::uint32_t>(fibonacci_number(x)); };
    EXPECT_EQ(f(2147483647), f(1073741824) * f(1073741824) + f(1073741823) * f(1073741823));
}

}  // namespace
}  // namespace vyxmath
