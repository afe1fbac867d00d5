// The standard normal integral: the exact mirror for negative x, the early
// end of the loop changing nothing, and large x giving the whole half area.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "common/real_to_integer.h"
#include "real/constants.h"
#include "common/ieee_double.h"
#include "real/kernels/power.h"
#include "real/normal_integral.h"
#include "support/sanitizer_scale.h"

namespace vyxmath {
namespace {

// The rule with its full loop over all n - 1 inner points, for x > -1 below
// the 32-bit range, with nothing left out.
double full_trapezoidal_rule(double x) {
    const std::int32_t n = static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(real_to_int32(x)) + 1u) * 500u);
    const double h = x / n;
    double t = 0.0, s = 0.0;
    for (std::int32_t i = 1; i < n; ++i) {
        t += h;
        s += pow_kernel(euler_e, -((t * t) / 2.0));
    }
    const double g = pow_kernel(euler_e, -((x * x) / 2.0));
    return 0.39894228 * ((((g + 1.0) / 2.0) + s) * h);
}

// Sanitizer builds run the loops several times slower: every seventh step
// count there.
constexpr int step_count_stride = test::sanitizer_build ? 7 : 1;

// The loop's early end must leave every bit as the full loop gives it: on
// every step count up to 10^5 (500 per unit of x), with x just inside each
// unit, at its middle and at the end, and on chosen large and negative x.
TEST(NormalIntegral, IsTheFullRuleToTheBit) {
    for (int units = 1; units <= 200; units += step_count_stride) {
        for (double part : {0.001, 0.5, 0.999}) {
            const double x = (units - 1) + part;
            ASSERT_EQ(to_bits(normal_integral(x)), to_bits(full_trapezoidal_rule(x))) << x;
        }
    }
    const double xs[] = {0.0, 1e-300, -0.5, -0.999, 7.82, 38.9, 39.0, 45.3, 99.99, 1234.5678, 2999.9};
    for (double x : xs) EXPECT_EQ(to_bits(normal_integral(x)), to_bits(full_trapezoidal_rule(x))) << x;
}

TEST(NormalIntegral, NegativeXGivesTheExactNegative) {
    const double xs[] = {0.5, 0.999, 1.0, 1.96, 2.0, 3.7, 50.0, 4294966.0, 4294967.0, 1e20, 1e300};
    for (double x : xs) EXPECT_EQ(to_bits(normal_integral(-x)), to_bits(-normal_integral(x))) << x;
}

TEST(NormalIntegral, LargeXGivesTheHalfArea) {
    // 0.39894228 is 1/sqrt(2 pi) less 1.0e-9 relative, so the half area comes
    // out 0.5 (1 - 1.0e-9).
    const double xs[] = {40.0, 4294966.9, 4294967.0, 4294967.5, 2147483648.0, 1e10, 0x1p53, 1e300,
                         0x1.fffffffffffffp1023};
    for (double x : xs) {
        const double r = normal_integral(x);
        EXPECT_NEAR(r, 0.5, 2e-9) << x;
    }
}

TEST(NormalIntegral, EdgeResults) {
    EXPECT_EQ(to_bits(normal_integral(0.0)), to_bits(0.0));
    EXPECT_EQ(to_bits(normal_integral(-0.0)), to_bits(-0.0));
    EXPECT_EQ(normal_integral(positive_infinity), positive_infinity);
    EXPECT_EQ(normal_integral(-positive_infinity), -positive_infinity);
    const double nan = from_bits(0x7FF8000000000077u);
    EXPECT_EQ(to_bits(normal_integral(nan)), to_bits(nan));
}

}  // namespace
}  // namespace vyxmath
