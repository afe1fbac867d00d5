// fmod: the edge table bit for bit and exactness on pseudo-random operands of
// every magnitude (the C library's fmod is exact as well, so it serves as the
// reference for finite operands).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "support/bits_text.h"
#include "common/ieee_double.h"
#include "real/kernels/remainder.h"
#include "support/bit_stream.h"

namespace vyxmath::test {
namespace {

struct FmodCase {
    double a, b, expected;
};

const FmodCase edge_cases[] = {
    {-7.0, 3.0, -1.0},  // the sign of a
    {7.0, -3.0, 1.0},
    {-7.0, -3.0, -1.0},
    {5.5, 2.0, 1.5},
    {-6.0, 3.0, -0.0},  // a zero remainder keeps the sign of a non-zero a
    {6.0, -3.0, 0.0},
    {2.0, 3.0, 2.0},
    {-tiny, 1.0, -tiny},
    {3 * tiny, 2 * tiny, tiny},
    {0x1p-1022, 3 * tiny, tiny},  // 2^52 = 3 * 1501199875790165 + 1
    {0x1p1023, 0x1p-1074, 0.0},
    // a = +-0 with b finite and non-zero: +0.
    {0.0, 5.0, 0.0},
    {-0.0, 5.0, 0.0},
    {-0.0, -tiny, 0.0},
    // The invalid cases give the default not-a-number.
    {5.0, 0.0, default_nan()},
    {5.0, -0.0, default_nan()},
    {0.0, 0.0, default_nan()},
    {inf, 2.0, default_nan()},
    {-inf, 2.0, default_nan()},
    {inf, inf, default_nan()},
    {5.0, inf, default_nan()},
    {-5.0, -inf, default_nan()},
    {0.0, inf, default_nan()},
    // NaN operands pass through, a's first.
    {nan_a, 3.0, nan_a},
    {nan_a, nan_b, nan_a},
    {1.0, nan_b, nan_b},
    {inf, nan_b, nan_b},
    {nan_b, 0.0, nan_b},
};

class FmodEdge : public ::testing::TestWithParam<FmodCase> {};

TEST_P(FmodEdge, GivesTheExactBits) {
    const FmodCase& c = GetParam();
    const double got = fmod_kernel(c.a, c.b);
    EXPECT_EQ(to_bits(got), to_bits(c.expected)) << "fmod(" << bits_text(c.a) << ", " << bits_text(c.b)
                                                  << "): got " << bits_text(got);
}

INSTANTIATE_TEST_SUITE_P(Fmod, FmodEdge, ::testing::ValuesIn(edge_cases));

// Finite non-zero operands with random signs, exponents and significands.
TEST(FmodExact, MatchesTheExactRemainderOnRandomOperands) {
    bit_stream random(20240601);
    auto draw = [&random](int exponent_span) {
        const std::uint64_t e = 1 + random.next() % exponent_span;  // biased exponent, subnormals below
        std::uint64_t bits = (e << 52) | (random.next() & 0x000FFFFFFFFFFFFFu);
        if (random.next() % 16 == 0) bits &= 0x000FFFFFFFFFFFFFu;  // some subnormals
        if (bits == 0) bits = 1;
        return from_bits(bits | (random.next() & 1) << 63);
    };
    for (int i = 0; i < 100000; ++i) {
        const double a = draw(2046);
        const double b = (i % 4 == 0) ? draw(2046) : a / from_bits(to_bits(draw(60)) & 0x43FFFFFFFFFFFFFFu);
        if (b == 0.0 || !std::isfinite(b)) continue;
        const double got = fmod_kernel(a, b);
        const double want = std::fmod(a, b);
        ASSERT_EQ(to_bits(got), to_bits(want)) << "fmod(" << bits_text(a) << ", " << bits_text(b) << ")";
    }
}

}  // namespace
}  // namespace vyxmath::test
