#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numeric>

#include "integer/euclid.h"

namespace vyxmath {
namespace {

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

struct EuclidCase {
    std::int32_t a, b;
    std::int32_t expected;
};

constexpr EuclidCase euclid_cases[] = {
    {1134903170, 1836311903, 1},                 // the deepest chain
    {int32_min, 0, int32_min}, {0, int32_min, int32_min},
    {int32_min, int32_min, int32_min}, {int32_min, 2, 2}, {int32_min, -2, -2},
    {int32_min, int32_max, -1}, {int32_max, int32_min, -1},
};

TEST(EuclidRoutine, BoundaryOperands) {
    for (const auto& c : euclid_cases) EXPECT_EQ(euclid_routine(c.a, c.b), c.expected) << c.a << ", " << c.b;
}

// The defining recursion on exact 64-bit values (the remainder of -2^31 by -1
// is 0 there too).
std::int64_t recursive_euclid(std::int64_t a, std::int64_t b) { return b == 0 ? a : recursive_euclid(b, a % b); }

TEST(EuclidRoutine, MatchesTheRecursionAndDividesBothOperands) {
    std::uint64_t state = 99;
    for (int i = 0; i < 200000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        auto a = static_cast<std::int32_t>(state >> 32);
        auto b = static_cast<std::int32_t>(state);
        if (i % 3 == 0) b = static_cast<std::int32_t>(b >> (state >> 59));  // smaller operands share more factors
        const std::int32_t g = euclid_routine(a, b);
        ASSERT_EQ(g, recursive_euclid(a, b)) << a << ", " << b;
        ASSERT_EQ(std::abs(std::int64_t{g}), std::gcd(std::abs(std::int64_t{a}), std::abs(std::int64_t{b})));
    }
}

}  // namespace
}  // namespace vyxmath
