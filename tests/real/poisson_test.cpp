// The Poisson probability: the module's own sequence of operations for
// 0 <= k <= 12, the true probability for k >= 13 (checked against long double
// references built differently from the code), and the edge results.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <numeric>

#include <cmath>
#include <cstdint>

#include "real/constants.h"
#include "common/ieee_double.h"
#include "real/kernels/power.h"
#include "real/poisson.h"
#include "support/accuracy.h"

namespace vyxmath {
namespace {

constexpr double inf = positive_infinity;

// For k <= 12 the result is pow(e, -lambda) * pow(lambda, k) / k!, in that
// order and with those roundings, whatever lambda is.
TEST(PoissonSmallK, FollowsTheSequenceOfOperationsToTheBit) {
    const double factorials[] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320, 362880, 3628800, 39916800, 479001600};
    const double lambdas[] = {0.0, 1e-300, 0.1, 1.0, 2.0, 3.5, 7.25, 12.0, 100.0, 700.0, 745.0, 1e6, -1.5, -20.0};
    for (double lambda : lambdas) {
        for (int k = 0; k <= 12; ++k) {
            const double expected = (pow_kernel(euler_e, -lambda) * pow_kernel(lambda, k)) / factorials[k];
            EXPECT_EQ(to_bits(poisson_probability(lambda, k)), to_bits(expected)) << lambda << ", " << k;
        }
    }
}

// Stirling's coefficients B_2j / (2j (2j - 1)), each the double nearest its
// value, from the Bernoulli numbers of the recurrence
// sum_{i=0}^{m} C(m + 1, i) B_i = 0, in exact fractions and rounded by MPFR.
TEST(PoissonLargeK, StirlingCoefficientsAreTheNearestDoubles) {
    struct fraction {
        long long p, q;
    };
    const auto reduced = [](long long p, long long q) {
        const long long g = std::gcd(p, q);
        return fraction{(q < 0 ? -p : p) / g, (q < 0 ? -q : q) / g};
    };
    fraction bernoulli[15] = {{1, 1}};
    for (int m = 1; m <= 14; ++m) {
        fraction sum{0, 1};
        long long binomial = 1;  // C(m + 1, i)
        for (int i = 0; i < m; ++i) {
            sum = reduced(sum.p * bernoulli[i].q + binomial * bernoulli[i].p * sum.q, sum.q * bernoulli[i].q);
            binomial = binomial * (m + 1 - i) / (i + 1);
        }
        bernoulli[m] = reduced(-sum.p, sum.q * (m + 1));  // C(m + 1, m) = m + 1
    }
    mpfr_t value;
    mpfr_init2(value, 53);
    for (int j = 1; j <= 7; ++j) {
        const fraction c = reduced(bernoulli[2 * j].p, bernoulli[2 * j].q * (2 * j) * (2 * j - 1));
        mpfr_set_si(value, static_cast<long>(c.p), MPFR_RNDN);
        mpfr_div_si(value, value, static_cast<long>(c.q), MPFR_RNDN);
        EXPECT_EQ(to_bits(stirling_coefficients[j - 1]), to_bits(mpfr_get_d(value, MPFR_RNDN)))
            << "j = " << j << ": " << c.p << "/" << c.q;
    }
    mpfr_clear(value);
}

struct PoissonEdge {
    double lambda;
    std::int32_t k;
    double expected;
};

const PoissonEdge edge_cases[] = {
    {2.0, -1, 0.0},
    {0.0, -5, 0.0},
    {1e6, INT32_MIN, 0.0},
    {0.0, 0, 1.0},
    {0.0, 5, 0.0},
    {0.0, 13, 0.0},
    {0.0, INT32_MAX, 0.0},
    {inf, 0, 0.0},             // pow(e, -inf) * pow(inf, 0) = 0 * 1
    {inf, 5, default_nan()},   // 0 * inf
    {inf, 13, default_nan()},  // the same for larger k
    {-inf, 13, -inf},
    {-inf, 14, inf},
    {from_bits(0x7FF8000000000042u), 3, from_bits(0x7FF8000000000042u)},
    {from_bits(0xFFF8000000000042u), 30, from_bits(0xFFF8000000000042u)},
    {1e6, 13, 0.0},         // e^-1e6 underflows: a true 0
    {1e300, 20, 0.0},
    {1e-300, INT32_MAX, 0.0},
    {1e6, INT32_MAX, 0.0},
    {1e308, INT32_MAX, 0.0},
};

class PoissonEdgeTest : public ::testing::TestWithParam<PoissonEdge> {};

TEST_P(PoissonEdgeTest, GivesTheExactBits) {
    const PoissonEdge& c = GetParam();
    EXPECT_EQ(to_bits(poisson_probability(c.lambda, c.k)), to_bits(c.expected)) << c.lambda << ", " << c.k;
}

INSTANTIATE_TEST_SUITE_P(Poisson, PoissonEdgeTest, ::testing::ValuesIn(edge_cases));

// No spurious infinities or NaNs anywhere in the range of interest: a
// probability in [0, 1] for every lambda >= 0 and k >= 13.
TEST(PoissonLargeK, IsAProbabilityEverywhere) {
    const double lambdas[] = {1e-300, 1e-5, 0.5, 1.0, 13.0, 1e3, 123456.7, 1e6, 2147483647.0, 1e10, 1e300, 1.7e308};
    const std::int32_t ks[] = {13, 14, 33, 34, 100, 1000, 65536, 1000000, 999999999, 2147483646, INT32_MAX};
    for (double lambda : lambdas) {
        for (std::int32_t k : ks) {
            const double p = poisson_probability(lambda, k);
            EXPECT_TRUE(p >= 0.0 && p <= 1.0) << lambda << ", " << k << " -> " << p;
        }
    }
}

// ln k! against the C library's long double log-gamma.
TEST(PoissonLargeK, LogFactorialMatchesLogGamma) {
    if (!test::has_long_double_reference) GTEST_SKIP() << test::no_long_double_reference;
    for (std::int32_t k = 13; k <= 3000; k += (k < 200 ? 1 : 37)) {
        const double_double got = log_factorial(k);
        const long double want = lgammal(static_cast<long double>(k) + 1);
        const long double error = fabsl((static_cast<long double>(got.hi) + got.lo) - want);
        EXPECT_LT(error, 4 * 0x1p-64L * want + 1e-17L) << k;
    }
}

// P by a product of k factors lambda/i, with e^-lambda spread over them so
// that nothing overflows: relative error about k 2^-64.
long double poisson_by_product(double lambda, std::int32_t k) {
    const long double share = expl(-static_cast<long double>(lambda) / k);
    long double p = 1;
    for (std::int32_t i = 1; i <= k; ++i) p *= (lambda / static_cast<long double>(i)) * share;
    return p;
}

TEST(PoissonLargeK, MatchesTheProductForModerateK) {
    if (!test::has_long_double_reference) GTEST_SKIP() << test::no_long_double_reference;
    test::bit_stream random(13);
    int compared = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t k = 13 + static_cast<std::int32_t>(random.next() % 3000);
        const double lambda = random.uniform(0.0, 2.0 * k);
        const long double want = poisson_by_product(lambda, k);
        if (want < 1e-290L) continue;
        const double got = poisson_probability(lambda, k);
        EXPECT_LT(fabsl(got - want) / want, 1e-13L) << lambda << ", " << k;
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

// For large k, ln P = k ln(lambda/k) + (k - lambda) - ln(2 pi k)/2 - S(k)
// with S(k) = 1/(12k) - 1/(360k^3) + ...; k ln(lambda/k) as
// k log1p((lambda - k)/k) keeps its accuracy when lambda is near k, where
// P is largest.
long double poisson_by_stirling(double lambda, std::int32_t k) {
    const long double n = k;
    const long double difference = static_cast<long double>(lambda) - n;  // exact
    const long double s = 1 / (12 * n) - 1 / (360 * n * n * n);
    const long double ln_p = n * log1pl(difference / n) - difference - 0.5L * logl(2 * M_PIl * n) - s;
    return expl(ln_p);
}

TEST(PoissonLargeK, MatchesStirlingForHugeK) {
    if (!test::has_long_double_reference) GTEST_SKIP() << test::no_long_double_reference;
    const std::int32_t ks[] = {100000, 1000000, 12345678, 1000000000, INT32_MAX};
    for (std::int32_t k : ks) {
        const double root = std::sqrt(static_cast<double>(k));
        for (double offset : {-5.0, -1.0, -0.25, 0.0, 0.5, 2.0, 4.0}) {
            const double lambda = k + offset * root;
            const long double want = poisson_by_stirling(lambda, k);
            const double got = poisson_probability(lambda, k);
            EXPECT_LT(fabsl(got - want) / want, 1e-12L) << lambda << ", " << k;
        }
    }
}

}  // namespace
}  // namespace vyxmath
