#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "integer/binomial.h"

namespace vyxmath {
namespace {

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

// The steps one by one from the value after step `completed` to step k. A
// value of 0 stays 0 (every later product is 0), so the walk may end there.
std::int32_t literal_binomial(std::int32_t n, std::int64_t completed, std::int32_t value, std::int64_t k) {
    for (std::int64_t i = completed + 1; i <= k && value != 0; ++i) {
        const std::uint32_t factor = static_cast<std::uint32_t>(n) - static_cast<std::uint32_t>(i) + 1u;
        const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) * factor);
        value = product / static_cast<std::int32_t>(i);
    }
    return value;
}

struct BinomialCase {
    std::int32_t n, k;
    std::int32_t expected;
};

constexpr BinomialCase binomial_cases[] = {
    {10, int32_min, 1},
    {29, 14, 77558760},                            // every k is exact up to n = 29
    {46341, 2, 1073720970}, {1626, 3, 715169000},  // largest exact n for k = 2 and 3
    {0, int32_max, 0}, {int32_max - 1, int32_max, 0},
};

TEST(BinomialRoutine, LimitsOfExactness) {
    for (const auto& c : binomial_cases) EXPECT_EQ(binomial_routine(c.n, c.k), c.expected) << c.n << ", " << c.k;
}

// (-1 choose k) = (-1)^k and (-2 choose k) = (-1)^k (k + 1) are reached
// without any wrapped product (for -2 while k (k + 1) < 2^31), so the loop
// gives them exactly, also at the largest k.
TEST(BinomialRoutine, UnwrappedNegativeRowsAtAnyLength) {
    for (std::int32_t k : {1, 2, 3, 1000, 1 << 30, int32_max - 1, int32_max})
        EXPECT_EQ(binomial_routine(-1, k), k % 2 == 0 ? 1 : -1) << "k = " << k;
    for (std::int32_t k = 1; k <= 46340; k += 97)
        ASSERT_EQ(binomial_routine(-2, k), k % 2 == 0 ? k + 1 : -(k + 1)) << "k = " << k;
}

TEST(BinomialRoutine, EveryShortLoopMatchesTheLiteralSteps) {
    for (std::int32_t n = -200; n <= 200; ++n)
        for (std::int32_t k = -2; k <= 600; ++k)
            ASSERT_EQ(binomial_routine(n, k), k <= 0 ? 1 : literal_binomial(n, 0, 1, k)) << n << ", " << k;
}

struct LongRun {
    std::int32_t n;
    std::int32_t k;
};

// Rows that stay non-zero for long: small negative n (the value grows, wraps
// and settles into short cycles), n near -2^31 (the factor wraps early), and
// large positive n.
constexpr LongRun long_runs[] = {
    {-2, 3000000}, {-3, 2500000}, {-4, 2000000}, {-100, 2000000}, {-2998, 3000000},
    {-28697, 3000000}, {int32_min, 1000000}, {int32_min + 1, 3000000}, {int32_min + 49, 3000000},
    {int32_min + 100000, 200000}, {int32_max, 200000}, {int32_max - 1, 3000000}, {1280954235, 3000000},
};

TEST(BinomialRoutine, LongRowsMatchTheLiteralStepsAtEveryCheckpoint) {
    for (const auto& run : long_runs) {
        std::int32_t value = 1;
        std::int64_t step = 0;
        for (std::int64_t checkpoint = 1; checkpoint <= run.k; checkpoint = checkpoint * 5 / 4 + 1) {
            value = literal_binomial(run.n, step, value, checkpoint);
            step = checkpoint;
            ASSERT_EQ(binomial_routine(run.n, static_cast<std::int32_t>(checkpoint)), value)
                << "n = " << run.n << ", k = " << checkpoint;
        }
    }
}

// The skips matter most late in the loop, where the value is small. These
// continue from sampled late states (step, value) with |value| within the
// reachable bound 2^31 / step, up to k = 2^31 - 1 included.
TEST(BinomialRoutine, ContinuationsFromLateStatesMatchTheLiteralSteps) {
    std::uint64_t state = 2024;
    const auto next = [&state] {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return state >> 16;
    };
    for (int i = 0; i < 3000; ++i) {
        auto n = static_cast<std::int32_t>(next());
        if (i % 4 == 1) n = -static_cast<std::int32_t>(next() % 200000);
        if (i % 4 == 2) n = int32_min + static_cast<std::int32_t>(next() % 200000);
        const int length_bits = 4 + static_cast<int>(next() % 17);
        const std::int64_t length = static_cast<std::int64_t>(next() % (std::uint64_t{1} << length_bits));
        const std::int64_t completed =
            i % 3 == 0 ? int32_max - length : static_cast<std::int64_t>(1 + next() % (int32_max - length));
        const std::int64_t bound = (std::int64_t{1} << 31) / completed;
        const auto value = static_cast<std::int32_t>(static_cast<std::int64_t>(next() % (2 * bound + 1)) - bound);
        const std::int64_t k = completed + length;
        ASSERT_EQ(continue_binomial(n, completed, value, static_cast<std::int32_t>(k)),
                  literal_binomial(n, completed, value, k))
            << "n = " << n << ", from step " << completed << " value " << value << " to k = " << k;
    }
}

TEST(BinomialRoutine, ContinuationPastTheEndKeepsTheValue) {
    EXPECT_EQ(continue_binomial(7, 10, 123, 10), 123);
    EXPECT_EQ(continue_binomial(7, 10, 123, 5), 123);
}

}  // namespace
}  // namespace vyxmath
