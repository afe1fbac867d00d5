// The exact reference itself: rounded once to nearest even in the whole
// double range (gradual underflow, overflow to infinity), and the distance
// helpers the kernel tests count mismatches with.
#include "support/mpfr_reference.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/bits_text.h"

namespace vyxmath::test {
namespace {

namespace ref = mpfr_reference;

TEST(MpfrReference, RoundsOnceInTheSubnormalRangeAndOverflowsToInfinity) {
    struct Case {
        double x, y, want;
    };
    const Case cases[] = {
        {0x1.8p-538, 2.0, 0x1p-1074},         // 2.25 * 2^-1076: one rounding, up to 2^-1074
        {2.0, -1075.0, 0.0},                  // exactly half of 2^-1074: ties to even, 0
        {0x1.000001p-537, 2.0, 0x1p-1074},    // just above half
        {0x1.8p-520, 2.0, 0x1.2p-1039},       // exact subnormal
        {2.0, 1024.0, inf},
        {0x1.fffffffffffffp1023, 1.0, 0x1.fffffffffffffp1023},
        {10.0, -2.0, 0.01},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_bits(ref::pow(c.x, c.y)), to_bits(c.want)) << bits_text(c.x) << " ^ " << c.y;
    }
    EXPECT_EQ(ref::exp(-746.0), 0.0);
    EXPECT_EQ(ref::exp(-745.0), 0x1p-1074);  // 2^-1074.6...: nearer 2^-1074 than 0
    EXPECT_EQ(ref::exp(710.0), inf);
    EXPECT_TRUE(std::isnan(ref::log(-1.0)));
    EXPECT_EQ(ref::atan2(1.0, 1.0), std::atan(1.0));
}

TEST(MpfrReference, CountsDoublesBetweenTwoValues) {
    EXPECT_EQ(ref::ulp_distance(1.0, std::nextafter(1.0, 2.0)), 1);
    EXPECT_EQ(ref::ulp_distance(std::nextafter(1.0, 2.0), 1.0), -1);
    EXPECT_EQ(ref::ulp_distance(-0x1p-1074, 0x1p-1074), 2);
    EXPECT_EQ(ref::ulp_distance(-0.0, 0.0), 0);
    EXPECT_EQ(ref::ulp_distance(0x1.fffffffffffffp1023, inf), 1);
    EXPECT_TRUE(ref::is_nearest(nan_a, nan_b));
    EXPECT_FALSE(ref::is_nearest(-0.0, 0.0));
}

TEST(MpfrReference, PlacesTheExactValueWithinTheSpacingOfDoubles) {
    // e^(2^-30) = 1 + 2^-30 + 2^-61 + ...: 2^-61 above the double 1 + 2^-30,
    // where doubles are 2^-52 apart.
    EXPECT_NEAR(ref::exp_offset_ulps(0x1p-30), 0x1p-9, 0x1p-30);
    // ln(1 - 2^-53) = -2^-53 - 2^-107 - ...: beyond the power of two 2^-53 in
    // magnitude, where doubles are 2^-105 apart.
    EXPECT_NEAR(ref::log_offset_ulps(1.0 - 0x1p-53), -0.25, 0x1p-40);
    // e^(-2^-54) = 1 - 2^-54 + 2^-109 - ...: just above the half-way point
    // below 1, where doubles are 2^-53 apart; rounds to 1.
    EXPECT_EQ(ref::exp(-0x1p-54), 1.0);
    EXPECT_NEAR(ref::exp_offset_ulps(-0x1p-54), -0.5 + 0x1p-56, 0x1p-60);
    EXPECT_EQ(ref::pow_offset_ulps(3.0, 2.0), 0.0);
}

}  // namespace
}  // namespace vyxmath::test
