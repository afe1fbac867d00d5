#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "integer/factorial.h"

namespace vyxmath {
namespace {

constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();

// The product of n factors taken one by one, modulo 2^32, without stopping early.
std::int32_t literal_factorial(std::int32_t n) {
    std::uint32_t product = 1;
    for (std::int64_t m = n; m >= 1; --m) product *= static_cast<std::uint32_t>(m);
    return static_cast<std::int32_t>(product);
}

struct FactorialCase {
    std::int32_t n;
    std::int32_t expected;
};

constexpr FactorialCase factorial_cases[] = {
    {int32_min, 1}, {-5, 1}, {-1, 1}, {0, 1}, {1, 1}, {2, 2}, {5, 120},
    {12, 479001600},        // largest exact value
    {13, 1932053504},       // first wrapped value
    {17, -288522240},       // wraps to a negative value
    {32, int32_min}, {33, int32_min},  // only the top bit left
    {34, 0}, {35, 0}, {1000, 0}, {int32_max, 0},
};

TEST(FactorialRoutine, KnownValues) {
    for (const auto& c : factorial_cases) EXPECT_EQ(factorial_routine(c.n), c.expected) << "n = " << c.n;
}

TEST(FactorialRoutine, StoppingAtZeroChangesNoResult) {
    for (std::int32_t n = -40; n <= 5000; ++n) ASSERT_EQ(factorial_routine(n), literal_factorial(n)) << "n = " << n;
}

}  // namespace
}  // namespace vyxmath
