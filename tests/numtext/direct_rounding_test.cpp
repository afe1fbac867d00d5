// The direct rounding must give exactly the bits of the extended route
// whenever it answers at all. Checked on random digit strings and, more
// sharply, on decimal texts a few digits away from the points where the
// double's rounding changes: a quarter, a half and three quarters of a unit
// past a double, written out exactly and then cut to 17 to 19 digits.
#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "numtext/direct_rounding.h"
#include "support/exact_integer.h"
#include "numtext/extended_test_support.h"
#include "numtext/number_reader.h"
#include "numtext/power_tables.h"

namespace vyxmath::test {
namespace {

double by_extended_scaling(std::uint64_t d, int p, bool negative) {
    const extended_value x = digits_to_extended({d, 0, 0});
    return extended_to_double(with_sign(scale_by_power_of_ten(x, p, false), negative));
}

struct tally {
    int answered = 0;
    int asked = 0;
};

// Returns false on a disagreement.
bool agrees(std::uint64_t d, int p, bool negative, tally& t) {
    ++t.asked;
    double direct;
    if (!round_directly(d, p, negative, direct)) return true;
    ++t.answered;
    const double expected = by_extended_scaling(d, p, negative);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(direct), std::bit_cast<std::uint64_t>(expected))
        << d << "e" << p << (negative ? " negative" : "");
    return std::bit_cast<std::uint64_t>(direct) == std::bit_cast<std::uint64_t>(expected);
}

TEST(DirectRounding, AgreesWithTheExtendedScalingOnRandomDigits) {
    bit_stream rng(11);
    tally t;
    for (int i = 0; i < 1'000'000; ++i) {
        const int digits = rng.between(1, 19);
        std::uint64_t d = rng.next() % 9999999999999999999u + 1;
        for (int extra = 19 - digits; extra > 0 && d >= 10; --extra) d /= 10;
        const int p = rng.between(-350, 320);
        if (!agrees(d, p, i % 2 == 1, t)) break;
    }
    // The shortcut is refused only near the rounding points and at the ends
    // of the normal range.
    EXPECT_GT(t.answered, t.asked * 9 / 10);
}

// D * 10^p for the text made of the first `kept` significant digits of the
// exact decimal (4m + a) * 2^(e - 2), possibly one unit higher in the last
// digit.
struct digit_text {
    std::uint64_t d;
    int p;
};

digit_text near_point(std::uint64_t m, int a, int e, int kept, int nudge) {
    // (4m + a) 2^(e-2) = N * 10^k with N an exact integer.
    exact_integer n(4 * m + static_cast<std::uint64_t>(a));
    int k = 0;
    if (e - 2 >= 0) {
        n = n << (e - 2);
    } else {
        for (int i = 0; i < 2 - e; ++i) n *= 5;  // 2^-j = 5^j / 10^j
        k = e - 2;
    }
    const std::string digits = n.decimal();
    const int cut = static_cast<int>(digits.size()) > kept ? kept : static_cast<int>(digits.size());
    std::uint64_t d = std::stoull(digits.substr(0, cut)) + static_cast<std::uint64_t>(nudge);
    return {d, k + static_cast<int>(digits.size()) - cut};
}

TEST(DirectRounding, AgreesNearQuartersHalvesAndThreeQuarters) {
    bit_stream rng(12);
    tally t;
    bool ok = true;
    for (int i = 0; i < 4000 && ok; ++i) {
        const std::uint64_t m = (std::uint64_t{1} << 52) | (rng.next() >> 12);
        const int e = rng.between(-1070, 970);  // value about m * 2^e
        for (int a = 1; a <= 3 && ok; ++a)
            for (int kept = 17; kept <= 19 && ok; ++kept)
                for (int nudge = 0; nudge <= 1 && ok; ++nudge) {
                    const digit_text x = near_point(m, a, e, kept, nudge);
                    if (x.d == 0 || x.d > 9999999999999999999u) continue;
                    ok = agrees(x.d, x.p, false, t);
                }
    }
    EXPECT_GT(t.answered, 0);
    EXPECT_LT(t.answered, t.asked);  // the exact ties were handed back
}

TEST(DirectRounding, RefusesExactTiesAndThreeQuarters) {
    double unused;
    // 2^53 + 1 and 2^54 + 3: half and three quarters of a unit past a double.
    EXPECT_FALSE(round_directly(9007199254740993u, 0, false, unused));
    EXPECT_FALSE(round_directly(18014398509481987u, 0, false, unused));
    EXPECT_FALSE(round_directly(1, 309, false, unused));   // beyond the table
    EXPECT_FALSE(round_directly(1, -343, false, unused));
    EXPECT_FALSE(round_directly(1, -308, false, unused));  // near the denormals
    EXPECT_FALSE(round_directly(2, 308, false, unused));   // near the overflow
}

// Every entry of the 64-bit table is the nearest to 5^q scaled into
// [2^63, 2^64), and the exponent formula places it there.
TEST(PowersOfFive, EveryEntryIsTheNearest64BitValue) {
    for (int q = powers_of_five_first; q <= powers_of_five_last; ++q) {
        const std::uint64_t t = powers_of_five[q - powers_of_five_first];
        ASSERT_GE(t, std::uint64_t{1} << 63) << q;
        const int shift = 63 - floor_log2_of_five_power(q);  // t ~ 5^q 2^shift
        exact_integer five(1);
        for (int i = 0; i < (q < 0 ? -q : q); ++i) five *= 5;
        // Compare t with 5^q 2^shift after clearing negative powers:
        // |t - 5^q 2^shift| < 1/2, with q < 0 as |t 5^-q - 2^shift| < 5^-q / 2.
        exact_integer lhs, rhs, unit;
        if (q >= 0) {
            lhs = shift >= 0 ? exact_integer(t) : exact_integer(t) << -shift;
            rhs = shift >= 0 ? five << shift : five;
            unit = shift >= 0 ? exact_integer(1) : exact_integer::power_of_two(-shift);
        } else {
            lhs = exact_integer(t) * five;
            rhs = exact_integer::power_of_two(shift);
            unit = five;
        }
        ASSERT_LT(distance(lhs, rhs) << 1, unit) << "5^" << q;
    }
}

}  // namespace
}  // namespace vyxmath::test
