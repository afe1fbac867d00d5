// The hyperbolic functions: edge results, the thresholds where results
// become +-1 or overflow, and accuracy against the long double library.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/ieee_double.h"
#include "real/trig/accuracy.h"
#include "real/trig/hyperbolic.h"

namespace vyxmath::test {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan_with_payload = std::bit_cast<double>(std::uint64_t{0x7FF800000000BEEFu});

// The largest double below 55 ln 2 / 2, where 1 - tanh x last exceeds half a
// unit of 1 - 2^-53.
constexpr double last_below_one = 0x1.30fc1931f09c9p+4;

struct edge_case {
    const char* name;
    double (*function)(double);
    double x;
    double want;
};

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

TEST(Hyperbolic, EdgeResults) {
    for (const edge_case& c : edge_cases)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(c.function(c.x)), std::bit_cast<std::uint64_t>(c.want)) << c.name;
}

TEST(Hyperbolic, TanhThresholdIsTheDecimalRoundedUp) {
    // The smallest double not below 19.06154747.
    EXPECT_GE(static_cast<long double>(tanh_unit_threshold), 19.06154747L);
    EXPECT_LT(static_cast<long double>(std::nextafter(tanh_unit_threshold, 0.0)), 19.06154747L);
}

#if defined(VYXMATH_LONG_DOUBLE_REFERENCE)
TEST(Hyperbolic, Accuracy) {
    accuracy_record sinh_record("sinh");
    accuracy_record cosh_record("cosh");
    accuracy_record tanh_record("tanh");
    argument_source source(42);
    auto check = [&](double x) {
        sinh_record.add(x, hyperbolic_sine(x), sinhl(x));
        cosh_record.add(x, hyperbolic_cosine(x), coshl(x));
        tanh_record.add(x, hyperbolic_tangent(x), tanhl(x));
    };
    for (int i = 0; i < 20000; ++i) check(source.uniform(-2.0, 2.0));
    for (int i = 0; i < 20000; ++i) check(source.spread(-40, 5, true));
    for (int i = 0; i < 10000; ++i) check(source.uniform(-712.0, 712.0));
    for (int i = 0; i < 2000; ++i) check(source.uniform(18.9, 19.2));
    // Around the overflow threshold ln(2 * largest double) = 710.4758600739439.
    double x = 710.4758600739439;
    for (int i = 0; i < 50; ++i) x = std::nextafter(x, 0.0);
    for (int i = 0; i < 100; ++i, x = std::nextafter(x, 800.0)) check(x);
    // Around the switches between the formulas.
    for (double s : {0x1.0p-27, 0x1.0p-26, 0.55, 40.0, 0.5 * 0x1.62e42fefa39efp-1}) {
        for (double v : {s, std::nextafter(s, 0.0), std::nextafter(s, 100.0)}) check(v);
    }
    sinh_record.check();
    cosh_record.check();
    tanh_record.check();
}

TEST(Hyperbolic, OverflowThreshold) {
    // The first double whose sinh and cosh round beyond the largest double.
    double x = 710.4758600739439;
    for (int i = 0; i < 50; ++i) x = std::nextafter(x, 0.0);
    for (int i = 0; i < 100 && std::isfinite(static_cast<double>(sinhl(x))); ++i) x = std::nextafter(x, 800.0);
    EXPECT_EQ(hyperbolic_sine(x), inf);
    EXPECT_EQ(hyperbolic_cosine(-x), inf);
    const double below = std::nextafter(x, 0.0);
    EXPECT_TRUE(std::isfinite(hyperbolic_sine(below)));
    EXPECT_TRUE(std::isfinite(hyperbolic_cosine(below)));
    EXPECT_NEAR(x, 710.4758600739439, 1e-12);
}
#endif

}  // namespace
}  // namespace vyxmath::test
