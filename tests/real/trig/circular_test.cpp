// The sine and the tangent: edge results, accuracy against the long double
// library functions, and the arguments of 2^63 and more.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/ieee_double.h"
#include "real/trig/accuracy.h"
#include "real/trig/angle_reduction.h"
#include "real/trig/circular.h"

namespace vyxmath::test {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan_with_payload = std::bit_cast<double>(std::uint64_t{0x7FF8000000001234u});

struct edge_case {
    const char* name;
    double (*function)(double);
    double x;
    std::uint64_t want_bits;
};

const edge_case edge_cases[] = {
    {"sin +0", sine, 0.0, 0x0000000000000000u},
    {"sin -0", sine, -0.0, 0x8000000000000000u},
    {"sin +inf", sine, inf, default_nan_bits},
    {"sin -inf", sine, -inf, default_nan_bits},
    {"sin nan", sine, nan_with_payload, 0x7FF8000000001234u},
    {"sin smallest subnormal", sine, 0x1.0p-1074, 0x0000000000000001u},
    {"sin -2^-28", sine, -0x1.0p-28, std::bit_cast<std::uint64_t>(-0x1.0p-28)},
    {"tan +0", tangent, 0.0, 0x0000000000000000u},
    {"tan -0", tangent, -0.0, 0x8000000000000000u},
    {"tan +inf", tangent, inf, default_nan_bits},
    {"tan -inf", tangent, -inf, default_nan_bits},
    {"tan nan", tangent, nan_with_payload, 0x7FF8000000001234u},
    {"tan -smallest subnormal", tangent, -0x1.0p-1074, 0x8000000000000001u},
};

TEST(Circular, EdgeResults) {
    for (const edge_case& c : edge_cases) EXPECT_EQ(std::bit_cast<std::uint64_t>(c.function(c.x)), c.want_bits) << c.name;
}

#if defined(VYXMATH_LONG_DOUBLE_REFERENCE)
TEST(Circular, SineAccuracy) {
    accuracy_record record("sin");
    argument_source source(11);
    for (int i = 0; i < 20000; ++i) {
        const double x = source.uniform(-8.0, 8.0);
        record.add(x, sine(x), sinl(x));
    }
    for (int i = 0; i < 20000; ++i) {
        const double x = source.spread(-40, 63, true);
        record.add(x, sine(x), sinl(x));
    }
    record.check();
}

TEST(Circular, TangentAccuracy) {
    accuracy_record record("tan");
    argument_source source(12);
    for (int i = 0; i < 20000; ++i) {
        const double x = source.uniform(-8.0, 8.0);
        record.add(x, tangent(x), tanl(x));
    }
    for (int i = 0; i < 20000; ++i) {
        const double x = source.spread(-40, 63, true);
        record.add(x, tangent(x), tanl(x));
    }
    record.check();
}

// Near the multiples of pi/2 the result comes from a remainder that lost
// most of its leading bits to cancellation.
TEST(Circular, NearMultiplesOfHalfPi) {
    accuracy_record sin_record("sin near k pi/2");
    accuracy_record tan_record("tan near k pi/2");
    const double numerators[] = {355.0, 103993.0, 833719.0, 4272943.0, 80143857.0, 1068966896.0,
                                 6167950454.0, 21053343141.0, 3587785776203.0, 139755218526789.0,
                                 5706674932067741.0, 6134899525417045.0};
    for (double p : numerators) {
        for (int k = 0; k < 10; ++k) {
            for (double x : {std::ldexp(p, k), std::nextafter(std::ldexp(p, k), 0.0), 0.5 * p}) {
                sin_record.add(x, sine(x), sinl(x));
                tan_record.add(x, tangent(x), tanl(x));
            }
        }
    }
    const double half_pi_multiples[] = {0x1.921fb54442d18p+0, 0x1.921fb54442d18p+1, 0x1.2d97c7f3321d2p+2,
                                        0x1.921fb54442d18p+2, 0x1.921fb54442d18p+10};
    for (double x : half_pi_multiples) {
        for (double v : {x, std::nextafter(x, 0.0), std::nextafter(x, 10.0 * x)}) {
            sin_record.add(v, sine(v), sinl(v));
            tan_record.add(v, tangent(v), tanl(v));
        }
    }
    sin_record.check();
    tan_record.check();
}

// From 2^63 on the argument is replaced by its remainder modulo pi * 2^62
// held to 64 bits; the reference takes the library function of that
// remainder, which is exact in a long double.
TEST(Circular, ArgumentsOf2To63AndMore) {
    accuracy_record sin_record("sin of |x| >= 2^63");
    accuracy_record tan_record("tan of |x| >= 2^63");
    argument_source source(13);
    const long double period = static_cast<long double>(large_argument_period);
    for (int i = 0; i < 5000; ++i) {
        const double x = i == 0 ? 0x1.0p63 : i == 1 ? -0x1.fffffffffffffp1023 : source.spread(63, 1024, true);
        const long double r = std::remainder(static_cast<long double>(x), period);
        sin_record.add(x, sine(x), sinl(r));
        tan_record.add(x, tangent(x), tanl(r));
    }
    sin_record.check();
    tan_record.check();
    // The remainder by the 64-bit period is not the true angle: at 2^63 the
    // result differs from the sine of 2^63 itself.
    EXPECT_NE(sine(0x1.0p63), static_cast<double>(sinl(0x1.0p63L)));
}
#endif

}  // namespace
}  // namespace vyxmath::test
