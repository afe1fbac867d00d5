// The writer's one-product significand against the extended scaling on
// doubles built to lie at chosen distances from a rounding point of the 17th
// digit: exactly on it, just inside and just outside the product's margin
// of 2^-16 of a unit, and at every power of two in between. Random doubles
// reach the margin about once in 30000 and the cases where the two routes
// part about once in 10^7, so only such built values can catch a margin
// that is too narrow.
//
// For x = m * 2^-(k + s), y = x * 10^k = m * 5^k / 2^s. With 5^k odd, m can
// be picked modulo 2^s to give y's fraction any value t / 2^s, here
// 1/2 + delta; the rest of m places y among the 17-digit integers, so that
// the 17th digit is y's last integer digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "numtext/decimal_significand.h"
#include "numtext/digit_record.h"
#include "numtext/sample_doubles.h"
#include "numtext/short_cut.h"
#include "numtext/significand_text.h"

namespace vyxmath {
namespace {

using wide = unsigned __int128;

constexpr wide power(wide base, int n) {
    wide p = 1;
    while (n-- > 0) p *= base;
    return p;
}

// The inverse of an odd number modulo 2^64 (Newton's iteration).
std::uint64_t inverse_of_odd(std::uint64_t a) {
    std::uint64_t x = a;  // right to 3 bits
    for (int i = 0; i < 5; ++i) x *= 2 - a * x;
    return x;
}

// Both routes of the product: the build's own and the one 32-bit machines
// take, which splits the digits at 10^8 as it forms them.
using direct_route = bool (*)(double, decimal_significand&);
constexpr direct_route direct_routes[] = {&significand_directly, &significand_directly_in_halves};

struct boundary_tally {
    long answered_next_to_margin[2] = {};  // just outside it, by route
};

void expect_same_significand(double v, boundary_tally& t, bool next_to_margin) {
    const decimal_significand route = significand_by_scaling(v);
    for (int r = 0; r < 2; ++r) {
        decimal_significand direct;
        if (!direct_routes[r](v, direct)) continue;
        if (next_to_margin) ++t.answered_next_to_margin[r];
        ASSERT_EQ(direct.digits, route.digits) << std::hex << std::bit_cast<std::uint64_t>(v) << " route " << r;
        ASSERT_EQ(direct.point, route.point) << std::hex << std::bit_cast<std::uint64_t>(v) << " route " << r;
    }
}

// Offsets t of the fraction from one half, in units of 2^-s: zero, small
// ones, every power of two and its neighbours (the margin 2^-16 and its
// neighbours among them), and random ones just above the half.
std::vector<std::int64_t> offsets(int s, test::bit_stream& bits) {
    std::vector<std::int64_t> t{0};
    auto both_signs = [&t](std::int64_t v) {
        t.push_back(v);
        t.push_back(-v);
    };
    for (std::int64_t v = 1; v <= 3; ++v) both_signs(v);
    for (int j = 1; j <= s - 2; ++j) {
        const std::int64_t p = std::int64_t{1} << j;
        both_signs(p - 1);
        both_signs(p);
        both_signs(p + 1);
    }
    // The truncated products of the scaling fall short by up to 2^-17.2 of
    // a unit, so its 18th digit can be 4 where y lies above the half by
    // less: a band sampled densely.
    if (s > 21)
        for (int i = 0; i < 300; ++i)
            t.push_back((std::int64_t{1} << (s - 21)) + static_cast<std::int64_t>(bits.next() % (std::uint64_t{1} << (s - 17))));
    return t;
}

TEST(WriteBoundaries, DirectSignificandAgreesAroundEveryHalfOfThe17thDigit) {
    test::bit_stream bits(1717);
    boundary_tally t;
    const wide m_low = wide{1} << 52, m_high = wide{1} << 53;
    for (int k = 1; k <= 24; ++k) {
        const wide five_k = power(5, k);
        const std::uint64_t inverse = inverse_of_odd(static_cast<std::uint64_t>(five_k));
        for (int s = 1; s <= 50; ++s) {
            // m with 10^16 <= m 5^k / 2^s < 10^17, within [2^52, 2^53), as
            // u 2^s + r for u from low_u up to below high_u.
            const wide first = std::max(m_low, (power(10, 16) << s) / five_k + 1);
            const wide last = std::min(m_high, (power(10, 17) << s) / five_k);
            if (last <= first) continue;
            const wide low_u = (first >> s) + 1, high_u = last >> s;
            if (high_u <= low_u) continue;
            const std::uint64_t modulus_mask = (std::uint64_t{1} << s) - 1;
            const bool margin_visible = s > 16;  // offsets of 2^-16 exist
            for (std::int64_t offset : offsets(s, bits)) {
                const std::uint64_t residue =
                    ((std::uint64_t{1} << (s - 1)) + static_cast<std::uint64_t>(offset)) & modulus_mask;
                const std::uint64_t r = (residue * inverse) & modulus_mask;  // m 5^k = residue mod 2^s
                const std::int64_t distance = offset < 0 ? -offset : offset;
                const bool next_to_margin = margin_visible && distance > (std::int64_t{1} << (s - 16)) &&
                                            distance <= (std::int64_t{1} << (s - 16)) + 1;
                for (int i = 0; i < 3; ++i) {
                    const wide m = (low_u + static_cast<wide>(bits.next()) % (high_u - low_u)) << s | r;
                    const double x = std::ldexp(static_cast<double>(static_cast<std::uint64_t>(m)), -(k + s));
                    ASSERT_NO_FATAL_FAILURE(expect_same_significand(i == 2 ? -x : x, t, next_to_margin));
                }
            }
        }
    }
    // The product decides everything outside the margin, right up to its edge.
    EXPECT_GT(t.answered_next_to_margin[0], 100);
    EXPECT_GT(t.answered_next_to_margin[1], 100);
}

// The cut to n <= 9 digits taken straight from the double steps where the
// 17-digit value is C, then 4, then 9s, then a half: x = (C + 1/2 -
// 1/(2D)) 10^(P - n), D = 10^(17 - n), and where all 17 digits are 9s and
// a half. Doubles 0, 1, 2, 3 and 2^j - 1, 2^j, 2^j + 1 units in the last
// place either side of the one nearest such a point reach from inside the
// cut's margin of 2^-26 of a unit of the n-th digit to far beyond it at
// every n; wherever the cut answers, its text must be the full route's.
TEST(WriteBoundaries, ShortCutAgreesAroundEveryStepOfTheNthDigit) {
    test::bit_stream bits(919);
    long answered_next_to_margin = 0, declined = 0;
    std::vector<std::int64_t> ulps{0, 1, 2, 3};
    for (int j = 2; j <= 44; ++j)
        for (std::int64_t d = -1; d <= 1; ++d) ulps.push_back((std::int64_t{1} << j) + d);
    for (int n = 1; n <= short_cut_digit_limit; ++n) {
        for (int trial = 0; trial < 24; ++trial) {
            std::string digits;
            for (int i = 0; i < n; ++i) digits += static_cast<char>(trial % 6 == 0 ? '9' : '1' + bits.next() % 9);
            digits += '4' + std::string(static_cast<std::size_t>(16 - n), '9') + '5';
            if (trial % 6 == 3) digits = std::string(17, '9') + '5';
            const int exponent = static_cast<int>(bits.next() % 560) - 280;
            const double step = std::strtod(("0." + digits + "e" + std::to_string(exponent)).c_str(), nullptr);
            const double unit = std::pow(10.0, exponent - n);  // of the n-th digit, near enough to tally
            for (std::int64_t u : ulps) {
                for (std::int64_t sign : {1, -1}) {
                    const double x = std::bit_cast<double>(std::bit_cast<std::int64_t>(step) + sign * u);
                    const double v = trial % 2 != 0 ? -x : x;
                    char direct[64], full[64];
                    if (!short_value_text(v, n, direct)) {
                        ++declined;
                        continue;
                    }
                    significand_text(significand_of(v), n, full);
                    ASSERT_EQ(std::string(direct), std::string(full))
                        << std::hex << std::bit_cast<std::uint64_t>(v) << std::dec << " at " << n;
                    const double distance = std::fabs(x - step) / unit;
                    if (distance > 0x1p-26 && distance <= 0x1p-23) ++answered_next_to_margin;
                }
            }
        }
    }
    // The sweep reaches into the margin, and the cut answers right up to it.
    EXPECT_GT(declined, 100);
    EXPECT_GT(answered_next_to_margin, 100);
}

}  // namespace
}  // namespace vyxmath
