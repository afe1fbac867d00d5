#include <gtest/gtest.h>

#include <cstdint>

#include "common/factorial.h"

namespace vyxmath {
namespace {

// The product of n factors taken one by one, modulo 2^32, without stopping early.
std::int32_t literal_factorial(std::int32_t n) {
    std::uint32_t product = 1;
    for (std::int64_t m = n; m >= 1; --m) product *= static_cast<std::uint32_t>(m);
    return static_cast<std::int32_t>(product);
}

TEST(FactorialRoutine, StoppingAtZeroChangesNoResult) {
    for (std::int32_t n = -40; n <= 5000; ++n) ASSERT_EQ(factorial_routine(n), literal_factorial(n)) << "n = " << n;
}

}  // namespace
}  // namespace vyxmath
