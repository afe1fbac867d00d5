// The Newton square root with its sound stopping rule: the edge results, and
// the correctly rounded root (which IEEE sqrt gives as well) for every
// magnitude, including the inputs on which an absolute tolerance fails.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "support/bits_text.h"
#include "common/ieee_double.h"
#include "real/square_root.h"
#include "support/bit_stream.h"

namespace vyxmath {
namespace {

using test::bits_text;

struct RootCase {
    double x, expected;
};

const RootCase edge_cases[] = {
    {0.0, 0.0},
    {-0.0, 0.0},
    {-1.0, default_nan()},
    {-smallest_subnormal, default_nan()},
    {-positive_infinity, default_nan()},
    {positive_infinity, positive_infinity},
    {from_bits(0x7FF8000000000123u), from_bits(0x7FF8000000000123u)},
    {from_bits(0xFFF0000000000001u), from_bits(0xFFF8000000000001u)},
    {1.0, 1.0},
    {4.0, 2.0},
    {0.25, 0.5},
    {2.0, 0x1.6a09e667f3bcdp0},
    {1e100, 1e50},
    {1e20, 1e10},
    {7.77e18, 2787471972.9532709},
    {1e-10, 1.0000000000000001e-05},
    {smallest_subnormal, 0x1p-537},
    {0x1p-1073, 0x1.6a09e667f3bcdp-537},
    {0x1p1022, 0x1p511},
};

class SquareRootEdge : public ::testing::TestWithParam<RootCase> {};

TEST_P(SquareRootEdge, GivesTheExactBits) {
    const RootCase& c = GetParam();
    const double got = newton_square_root(c.x);
    EXPECT_EQ(to_bits(got), to_bits(c.expected)) << "sqrt(" << bits_text(c.x) << "): got " << bits_text(got);
}

INSTANTIATE_TEST_SUITE_P(SquareRoot, SquareRootEdge, ::testing::ValuesIn(edge_cases));

TEST(SquareRoot, IsCorrectlyRoundedForEveryMagnitude) {
    test::bit_stream random(7);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random.next() & 0x7FFFFFFFFFFFFFFFu;
        if (bits >= 0x7FF0000000000000u) bits -= 0x7FF0000000000000u;
        if (bits == 0) continue;
        const double x = from_bits(bits);
        ASSERT_EQ(to_bits(newton_square_root(x)), to_bits(std::sqrt(x))) << bits_text(x);
    }
}

// Squares of doubles and their neighbours: the roots then lie on or right
// next to a double, where a root one unit off is most likely.
TEST(SquareRoot, IsCorrectlyRoundedNextToPerfectSquares) {
    test::bit_stream random(11);
    for (int i = 0; i < 50000; ++i) {
        const double r = from_bits(0x3FF0000000000000u | (random.next() & 0x000FFFFFFFFFFFFFu));
        const double square = r * r;
        for (double x : {from_bits(to_bits(square) - 1), square, from_bits(to_bits(square) + 1)})
            ASSERT_EQ(to_bits(newton_square_root(x)), to_bits(std::sqrt(x))) << bits_text(x);
    }
}

// Next to the ends of the sixteen pieces the starting values are taken on
// (1 + j/8 and 2 + j/4), and to 1 and 4 where the root meets the binade's
// edges, over binades of every parity: a wrong start or edge step shows as
// a root one unit off.
TEST(SquareRoot, IsCorrectlyRoundedAtThePiecesOfTheStart) {
    for (int piece = 0; piece <= 16; ++piece) {
        const double end = piece <= 8 ? 1.0 + piece / 8.0 : 2.0 + (piece - 8) / 4.0;
        for (int binade : {-1070, -1040, -600, -3, -2, -1, 0, 1, 2, 3, 500, 1020}) {
            const double x = scale_by_power_of_two(end, binade);
            if (!(x > 0.0) || is_infinite(x)) continue;
            for (int step = -40; step <= 40; ++step) {
                const double y = from_bits(to_bits(x) + static_cast<std::uint64_t>(step));
                if (!(y > 0.0) || !is_finite(y)) continue;
                ASSERT_EQ(to_bits(newton_square_root(y)), to_bits(std::sqrt(y))) << bits_text(y);
            }
        }
    }
}

}  // namespace
}  // namespace vyxmath
