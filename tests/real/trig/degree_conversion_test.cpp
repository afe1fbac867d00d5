// The degree conversions against the processor itself: with its precision set
// to 53 bits, the x87 unit rounds every product and quotient to 53 bits but
// keeps its wide exponent, and rounds again only when the result is stored as
// a double. That is exactly the rounding the module defines.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/ieee_double.h"
#include "support/accuracy.h"
#include "real/trig/arc.h"
#include "real/trig/degree_conversion.h"

#if defined(__x86_64__) && defined(__GLIBC__)
#include <fpu_control.h>
#define VYXMATH_X87_REFERENCE 1
#endif

namespace vyxmath::test {
namespace {

#if defined(VYXMATH_X87_REFERENCE)
constexpr bool has_x87_reference = true;

// Runs the body with the x87 precision control set to 53 bits.
class x87_double_precision {
public:
    x87_double_precision() {
        _FPU_GETCW(saved_);
        const fpu_control_t cw = (saved_ & ~_FPU_EXTENDED) | _FPU_DOUBLE;
        _FPU_SETCW(cw);
    }
    ~x87_double_precision() { _FPU_SETCW(saved_); }

private:
    fpu_control_t saved_;
};
#else
constexpr bool has_x87_reference = false;
struct x87_double_precision {};
#endif
constexpr const char* no_x87_reference = "needs the x87 unit of x86-64 with glibc's precision control";

constexpr double pi = 3.141592653589793;

TEST(DegreeConversion, FiniteForEveryFiniteArgument) {
    const double cases[] = {0x1.fffffffffffffp1023, -0x1.fffffffffffffp1023, 0x1.0p1023, 1e308, 0x1.0p-1074,
                            -0x1.0p-1074, 0x1.0p-1022, 0x1.fffffffffffffp-1023};
    for (double x : cases) {
        const double r = degrees_to_radians(x);
        EXPECT_TRUE(std::isfinite(r)) << x;
        EXPECT_EQ(std::signbit(r), std::signbit(x)) << x;
    }
    // Where x * pi would overflow a double, the result is still about x / 57.3.
    EXPECT_NEAR(degrees_to_radians(0x1.fffffffffffffp1023) / 0x1.fffffffffffffp1023, pi / 180.0, 1e-16);
}

TEST(DegreeConversion, EdgeValues) {
    EXPECT_EQ(to_bits(degrees_to_radians(0.0)), to_bits(0.0));
    EXPECT_EQ(to_bits(degrees_to_radians(-0.0)), to_bits(-0.0));
    EXPECT_EQ(degrees_to_radians(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
    EXPECT_EQ(to_bits(radians_to_degrees({-0.0, 0.0})), to_bits(-0.0));
    EXPECT_EQ(to_bits(radians_to_degrees({default_nan(), 0.0})), default_nan_bits);
    // 2^-1074 degrees is 0.0175 of the smallest subnormal: it rounds to zero.
    EXPECT_EQ(to_bits(degrees_to_radians(0x1.0p-1074)), to_bits(0.0));
    EXPECT_EQ(to_bits(degrees_to_radians(-0x1.0p-1068)), to_bits(-0x1.0p-1074));  // 1.117 units round to 1
}

// Where neither x * pi nor the quotient leaves the normal range, the rule is
// plain double arithmetic.
TEST(DegreeConversion, PlainArithmeticInTheNormalRange) {
    bit_stream source(31);
    for (int i = 0; i < 20000; ++i) {
        const double x = source.spread(-1000, 1000, true);
        EXPECT_EQ(to_bits(degrees_to_radians(x)), to_bits((x * pi) / 180.0)) << x;
    }
}

double processor_degrees_to_radians(double x) {
    x87_double_precision precision;
    volatile long double product = static_cast<long double>(x) * static_cast<long double>(pi);
    volatile long double quotient = product / 180.0L;
    return static_cast<double>(quotient);
}

double processor_radians_to_degrees(double_double v) {
    // The 64-bit value first, at full precision: one rounding of hi + lo.
    volatile long double value = static_cast<long double>(v.hi) + static_cast<long double>(v.lo);
    x87_double_precision precision;
    volatile long double product = value * 180.0L;
    volatile long double quotient = product / static_cast<long double>(pi);
    return static_cast<double>(quotient);
}

TEST(DegreeConversion, ArgumentAgreesWithTheProcessorOverTheWholeRange) {
    if (!has_x87_reference) GTEST_SKIP() << no_x87_reference;
    bit_stream source(32);
    for (int i = 0; i < 40000; ++i) {
        const double x = source.spread(-1074, 1024, true);
        EXPECT_EQ(to_bits(degrees_to_radians(x)), to_bits(processor_degrees_to_radians(x))) << x;
    }
    for (std::uint64_t m = 1; m < 2000; m += 7) {  // subnormal arguments
        const double x = std::bit_cast<double>(m * 0x0000000123456789u);
        EXPECT_EQ(to_bits(degrees_to_radians(x)), to_bits(processor_degrees_to_radians(x))) << x;
    }
}

TEST(DegreeConversion, ResultAgreesWithTheProcessor) {
    if (!has_x87_reference) GTEST_SKIP() << no_x87_reference;
    bit_stream source(33);
    auto check = [](double_double v) {
        EXPECT_EQ(to_bits(radians_to_degrees(v)), to_bits(processor_radians_to_degrees(v)))
            << std::hexfloat << v.hi << " + " << v.lo;
    };
    for (int i = 0; i < 20000; ++i) {
        const double x = source.uniform(-1.0, 1.0);
        check(arcsine_to_64_bits(x));
        check(arccosine_to_64_bits(x));
        check(arctangent_to_64_bits(source.spread(-40, 40, true)));
    }
    // Tiny and subnormal angles, where the stored result is rounded again.
    for (int i = 0; i < 5000; ++i) check(arcsine_to_64_bits(source.spread(-1074, -1000, true)));
    // hi a power of two with lo pulling the value into the binade below, and
    // lo at and around half a unit of the 64-bit significand.
    for (int e = -5; e <= 1; ++e) {
        const double hi = std::ldexp(1.0, e);
        for (int units = -2047; units <= 2047; ++units) {
            check({hi, std::ldexp(units, e - 64)});
            check({hi * 1.5, std::ldexp(units + 0.5, e - 63)});
        }
    }
}

}  // namespace
}  // namespace vyxmath::test
