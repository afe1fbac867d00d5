#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "integer/integral_rounding.h"
#include "support/bits_text.h"

namespace vyxmath {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

struct RoundingCase {
    double value;
    double ceiling;
    double floor;
};

constexpr RoundingCase rounding_cases[] = {
    {2.5, 3.0, 2.0}, {-2.5, -2.0, -3.0}, {0.5, 1.0, 0.0}, {-0.5, -0.0, -1.0},
    {0.0, 0.0, 0.0}, {-0.0, -0.0, -0.0}, {1.0, 1.0, 1.0}, {-1.0, -1.0, -1.0},
    {std::numeric_limits<double>::denorm_min(), 1.0, 0.0}, {-std::numeric_limits<double>::denorm_min(), -0.0, -1.0},
    {0.9999999999999999, 1.0, 0.0}, {-0.9999999999999999, -0.0, -1.0},
    {1.9999999999999998, 2.0, 1.0},                  // carries into the exponent
    {-1.9999999999999998, -1.0, -2.0},
    {2147483647.5, 2147483648.0, 2147483647.0},
    {4503599627370495.5, 4503599627370496.0, 4503599627370495.0},  // last place with a fraction
    {4503599627370497.0, 4503599627370497.0, 4503599627370497.0},
    {1e300, 1e300, 1e300}, {infinity, infinity, infinity}, {-infinity, -infinity, -infinity},
};

TEST(IntegralRounding, KnownValuesAndSignsOfZero) {
    for (const auto& c : rounding_cases) {
        EXPECT_EQ(to_bits(round_toward_positive(c.value)), to_bits(c.ceiling)) << "ceiling of " << c.value;
        EXPECT_EQ(to_bits(round_toward_negative(c.value)), to_bits(c.floor)) << "floor of " << c.value;
    }
}

TEST(IntegralRounding, NotANumberStaysNotANumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(round_toward_positive(nan)));
    EXPECT_TRUE(std::isnan(round_toward_negative(-nan)));
}

// Ceiling and floor are exact operations, so any correct implementation gives
// the same bits; the standard library's serves as the reference here.
TEST(IntegralRounding, AgreesWithTheExactOperationOnSampledDoubles) {
    std::uint64_t state = 12345;
    for (int i = 0; i < 300000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        // Exponents around the integral boundary are the interesting ones.
        const std::uint64_t exponent = 1023 - 4 + (state >> 59) % 64;
        const double value = std::bit_cast<double>((state & 0x800FFFFFFFFFFFFFu) | (exponent << 52));
        ASSERT_EQ(to_bits(round_toward_positive(value)), to_bits(std::ceil(value))) << value;
        ASSERT_EQ(to_bits(round_toward_negative(value)), to_bits(std::floor(value))) << value;
    }
}

}  // namespace
}  // namespace vyxmath
