// The module's series cosine: its pinned values, its edge results, and how
// close its ten or so digits come to the cosine over the whole range.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/ieee_double.h"
#include "support/accuracy.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/series_cosine.h"

namespace vyxmath::test {
namespace {

struct pinned_case {
    const char* name;
    double x;
    double want;
};

const pinned_case pinned_cases[] = {
    {"0", 0.0, 1.0},
    {"-0", -0.0, 1.0},
    {"1", 1.0, 0.5403023058795627},
    {"60 degrees", degrees_to_radians(60.0), 0.5000000000217777},
    {"90 degrees", degrees_to_radians(90.0), 4.264788757391325e-17},
};

TEST(SeriesCosine, PinnedValues) {
    for (const pinned_case& c : pinned_cases)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(series_cosine(c.x)), std::bit_cast<std::uint64_t>(c.want)) << c.name;
}

TEST(SeriesCosine, NonFiniteArgumentsGiveTheDefaultNotANumber) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {inf, -inf, std::bit_cast<double>(std::uint64_t{0x7FF8000000000001u})})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(series_cosine(x)), default_nan_bits) << x;
}

// The argument is reduced by the double 2 pi, not by the true period, so the
// reference takes the cosine of the same remainder.
TEST(SeriesCosine, TenDigitsOverTheWholeRange) {
    bit_stream source(51);
    double worst = 0.0;
    for (int i = 0; i < 20000; ++i) {
        const double x = i % 2 ? source.uniform(-7.0, 7.0) : source.spread(-30, 1024, true);
        const double got = series_cosine(x);
        const double want = std::cos(std::fmod(x, 6.283185307179586));
        ASSERT_TRUE(std::isfinite(got)) << x;
        worst = std::fmax(worst, std::fabs(got - want));
    }
    std::printf("[ accuracy ] series cos: max absolute error %.3g\n", worst);
    EXPECT_LT(worst, 2e-9);
    EXPECT_GT(worst, 1e-13);  // the series stops early: this is not the full-precision cosine
}

TEST(SeriesCosine, NearTheZerosOfTheCosine) {
    for (double x : {1.5707963267948966, 4.71238898038469, -1.5707963267948966, 7.853981633974483}) {
        for (double v : {x, std::nextafter(x, 0.0), std::nextafter(x, 10.0)}) {
            const double got = series_cosine(v);
            EXPECT_LT(std::fabs(got - std::cos(std::fmod(v, 6.283185307179586))), 1e-9) << v;
        }
    }
}

}  // namespace
}  // namespace vyxmath::test
