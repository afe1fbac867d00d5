#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "integer/primality.h"
#include "common/real_to_integer.h"

namespace vyxmath {
namespace {

// The trial division that defines the prime test's verdict: divisors from
// floor(sqrt(n)) (never below 2) up to n - 1. It runs about n steps for a
// prime, so it serves as the reference where that is affordable.
bool trial_division_finds_no_divisor(std::int32_t n) {
    if (n <= 1) return false;
    std::int32_t d = real_to_int32(std::sqrt(static_cast<double>(n)));
    if (d < 2) d = 2;
    for (; d < n; ++d)
        if (n % d == 0) return false;
    return true;
}

TEST(Primality, MatchesTheTrialDivisionForEverySmallN) {
    for (std::int32_t n = -1000; n <= 60000; ++n) ASSERT_EQ(is_prime(n), trial_division_finds_no_divisor(n)) << n;
}

TEST(Primality, MatchesASieveUpToTwoMillion) {
    constexpr std::int32_t limit = 2000000;
    std::vector<bool> composite(limit + 1);
    for (std::int32_t p = 2; p * p <= limit; ++p)
        if (!composite[p])
            for (std::int32_t m = p * p; m <= limit; m += p) composite[m] = true;
    for (std::int32_t n = 2; n <= limit; ++n) ASSERT_EQ(is_prime(n), !composite[n]) << n;
}

// Composites whose cofactor lies just above sqrt(n), so the defining trial
// division ends at once even for large n: squares of primes and products of
// nearby primes, plus numbers that fool single-base tests.
constexpr std::int32_t large_composites[] = {
    2147117569,                // 46337^2, the largest square of a prime in range
    2146654199,                // 46327 * 46337
    2047,                      // strong pseudoprime to base 2
    3277, 4033, 4681, 8321,    // more of them
    1373653,                   // strong pseudoprime to bases 2 and 3
    25326001,                  // ... to 2, 3 and 5
    561, 1105, 1729, 41041, 825265, 321197185,  // Carmichael numbers
    999999999, 2147483646, 2147395600,  // the last is 46340^2
};

TEST(Primality, LargeCompositesAgreeWithTheTrialDivision) {
    for (std::int32_t n : large_composites) {
        EXPECT_FALSE(is_prime(n)) << n;
        EXPECT_FALSE(trial_division_finds_no_divisor(n)) << n;
    }
}

// For primes the defining loop would run some 2^31 steps; the ordinary trial
// division up to sqrt(n) decides the same question.
bool has_no_divisor_up_to_root(std::int32_t n) {
    for (std::int32_t d = 2; std::int64_t{d} * d <= n; ++d)
        if (n % d == 0) return false;
    return n >= 2;
}

constexpr std::int32_t large_primes[] = {
    2147483647, 2147483629, 2147483587, 1000000007, 999999937, 46337, 65521, 2147117569 / 46337,
};

TEST(Primality, LargePrimes) {
    for (std::int32_t n : large_primes) {
        EXPECT_TRUE(has_no_divisor_up_to_root(n)) << n;
        EXPECT_TRUE(is_prime(n)) << n;
    }
}

TEST(Primality, SampledLargeNumbersAgreeWithDivisionUpToTheRoot) {
    std::uint64_t state = 31;
    for (int i = 0; i < 3000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const auto n = static_cast<std::int32_t>((state >> 33) | 1);
        ASSERT_EQ(is_prime(n), has_no_divisor_up_to_root(n)) << n;
    }
    EXPECT_FALSE(is_prime(std::numeric_limits<std::int32_t>::min()));
}

}  // namespace
}  // namespace vyxmath
