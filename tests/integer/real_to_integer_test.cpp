#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/real_to_integer.h"

namespace vyxmath {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double two_to_63 = 9223372036854775808.0;

struct ConversionCase {
    double value;
    std::int32_t expected;
};

constexpr ConversionCase conversion_cases[] = {
    {0.0, 0}, {-0.0, 0}, {0.999999, 0}, {-0.999999, 0},
    {std::numeric_limits<double>::denorm_min(), 0}, {-std::numeric_limits<double>::min(), 0},
    {1.0, 1}, {2.5, 2}, {-2.5, -2}, {-1.0, -1},
    {2147483647.0, 2147483647}, {2147483647.5, 2147483647},
    {2147483648.0, -2147483648}, {-2147483648.0, -2147483648}, {-2147483648.9, -2147483648},
    {-2147483649.0, 2147483647},
    {3e9, -1294967296}, {4294967296.0, 0}, {4294967297.7, 1}, {-4294967297.0, -1},
    {4503599627370495.5, -1},                  // the largest double with a fraction
    {9223372036854774784.0, -1024},            // the largest double below 2^63
    {-9223372036854774784.0, 1024},
    {two_to_63, 0}, {-two_to_63, 0}, {1e19, 0}, {-1e300, 0},
    {infinity, 0}, {-infinity, 0},
    {std::numeric_limits<double>::quiet_NaN(), 0}, {-std::numeric_limits<double>::quiet_NaN(), 0},
};

TEST(RealToInteger, KnownValues) {
    for (const auto& c : conversion_cases) EXPECT_EQ(real_to_int32(c.value), c.expected) << "value = " << c.value;
}

// Wherever the truncation has a 64-bit value, the result is its low 32 bits.
// The processor's own truncating conversion serves as the reference here.
TEST(RealToInteger, KeepsTheLow32BitsOfTheTruncation) {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < 200000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const int exponent = static_cast<int>(state >> 58);  // 0..63
        const double scale = std::ldexp(1.0, exponent - 1);
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
        double value = scale * (1.0 + unit);
        if (state & 1) value = -value;
        if (!(std::fabs(value) < two_to_63)) continue;
        const auto truncated = static_cast<std::int64_t>(value);
        ASSERT_EQ(real_to_int32(value), static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated)))
            << "value = " << value;
    }
}

}  // namespace
}  // namespace vyxmath
