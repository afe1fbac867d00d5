// The hyperbolic functions: edge results, the thresholds where results
// become +-1 or overflow, and correct rounding against the exact reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/ieee_double.h"
#include "real/kernels/exponential.h"
#include "real/trig/hyperbolic.h"
#include "support/accuracy.h"
#include "support/edge_results.h"

namespace vyxmath::test {
namespace {

const double nan_with_payload = from_bits(0x7FF800000000BEEFu);

// The largest double below 55 ln 2 / 2, where 1 - tanh x last exceeds half a
// unit of 1 - 2^-53.
constexpr double last_below_one = 0x1.30fc1931f09c9p+4;

const edge_case edge_cases[] = {
    {"sinh +0", hyperbolic_sine, 0.0, 0.0},
    {"sinh -0", hyperbolic_sine, -0.0, -0.0},
    {"sinh +inf", hyperbolic_sine, inf, inf},
    {"sinh -inf", hyperbolic_sine, -inf, -inf},
    {"sinh -1000", hyperbolic_sine, -1000.0, -inf},
    {"sinh 711", hyperbolic_sine, 711.0, inf},
    {"sinh nan", hyperbolic_sine, nan_with_payload, nan_with_payload},
    {"sinh tiny", hyperbolic_sine, -0x1.0p-1074, -0x1.0p-1074},
    {"cosh +0", hyperbolic_cosine, 0.0, 1.0},
    {"cosh -0", hyperbolic_cosine, -0.0, 1.0},
    {"cosh +inf", hyperbolic_cosine, inf, inf},
    {"cosh -inf", hyperbolic_cosine, -inf, inf},
    {"cosh -1000", hyperbolic_cosine, -1000.0, inf},
    {"cosh nan", hyperbolic_cosine, nan_with_payload, nan_with_payload},
    {"tanh +0", hyperbolic_tangent, 0.0, 0.0},
    {"tanh -0", hyperbolic_tangent, -0.0, -0.0},
    {"tanh +inf", hyperbolic_tangent, inf, 1.0},
    {"tanh -inf", hyperbolic_tangent, -inf, -1.0},
    {"tanh 20", hyperbolic_tangent, 20.0, 1.0},
    {"tanh threshold", hyperbolic_tangent, tanh_unit_threshold, 1.0},
    {"tanh -threshold", hyperbolic_tangent, -tanh_unit_threshold, -1.0},
    {"tanh below threshold", hyperbolic_tangent, 0x1.30fc19332cd31p+4, 1.0},
    {"tanh 55 ln2 / 2 rounded up", hyperbolic_tangent, 0x1.30fc1931f09cap+4, 1.0},
    {"tanh below 55 ln2 / 2", hyperbolic_tangent, last_below_one, 1.0 - 0x1.0p-53},
    {"tanh -below 55 ln2 / 2", hyperbolic_tangent, -last_below_one, -1.0 + 0x1.0p-53},
    {"tanh nan", hyperbolic_tangent, nan_with_payload, nan_with_payload},
};

TEST(Hyperbolic, EdgeResults) { expect_edge_results(edge_cases); }

TEST(Hyperbolic, TanhThresholdIsTheDecimalRoundedUp) {
    // The smallest double not below 19.06154747.
    EXPECT_GE(static_cast<long double>(tanh_unit_threshold), 19.06154747L);
    EXPECT_LT(static_cast<long double>(std::nextafter(tanh_unit_threshold, 0.0)), 19.06154747L);
}

const function_pair hyperbolic_functions[] = {
    {"sinh", hyperbolic_sine, mpfr_reference::sinh},
    {"cosh", hyperbolic_cosine, mpfr_reference::cosh},
    {"tanh", hyperbolic_tangent, mpfr_reference::tanh},
};

TEST(Hyperbolic, CorrectlyRounded) {
    accuracy_records records(hyperbolic_functions);
    bit_stream source(42);
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.uniform(-2.0, 2.0));
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.spread(-40, 5, true));
    for (int i = 0; i < scaled_count(10000); ++i) records.add(source.uniform(-712.0, 712.0));
    for (int i = 0; i < scaled_count(2000); ++i) records.add(source.uniform(18.9, 19.2));
    // Around the overflow threshold ln(2 * largest double) = 710.4758600739439.
    double x = 710.4758600739439;
    for (int i = 0; i < 50; ++i) x = std::nextafter(x, 0.0);
    for (int i = 0; i < 100; ++i, x = std::nextafter(x, 800.0)) records.add(x);
    // Around the switches between the formulas.
    for (double s : {0x1.0p-27, 0x1.0p-26, 0.0625, 0.125, 0.5, 0.55, 1.0, 40.0, 0.5 * 0x1.62e42fefa39efp-1}) {
        for (double v : {s, std::nextafter(s, 0.0), std::nextafter(s, 100.0)}) records.add(v);
    }
    records.check();
}

// The pair behind sinh and cosh holds the fast phase's bound, 2^-68 of its
// high part, for e^y and e^-y alike (a wrong coefficient or sign in the even
// or odd part, or a table index off by one, breaks it by far).
TEST(Hyperbolic, ExponentialPairWithinItsBound) {
    const auto excess = [](const exp_unrounded& v, double y) {
        return mpfr_reference::exp_relative_error(v.hi, v.lo, v.binade, y, 0.0) / 0x1p-68;
    };
    bit_stream source(7);
    double worst = 0.0;
    for (int i = 0; i < scaled_count(20000); ++i) {
        const double y = i % 2 == 0 ? source.uniform(-40.0, 40.0) : source.spread(-30, 2, true);
        const exp_unrounded_pair e = exp_pair_fast_value(y);
        worst = std::max({worst, excess(e.up, y), excess(e.down, -y)});
    }
    EXPECT_LT(worst, 1.0);
}

TEST(Hyperbolic, OverflowThreshold) {
    // The first double whose sinh and cosh round beyond the largest double.
    double x = 710.4758600739439;
    for (int i = 0; i < 50; ++i) x = std::nextafter(x, 0.0);
    for (int i = 0; i < 100 && std::isfinite(mpfr_reference::sinh(x)); ++i) x = std::nextafter(x, 800.0);
    EXPECT_EQ(hyperbolic_sine(x), inf);
    EXPECT_EQ(hyperbolic_cosine(-x), inf);
    const double below = std::nextafter(x, 0.0);
    EXPECT_TRUE(std::isfinite(hyperbolic_sine(below)));
    EXPECT_TRUE(std::isfinite(hyperbolic_cosine(below)));
    EXPECT_NEAR(x, 710.4758600739439, 1e-12);
}

}  // namespace
}  // namespace vyxmath::test
