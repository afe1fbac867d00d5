// The reduction by pi/2 against an exact multi-word reference, on arguments
// chosen to lie close to multiples of pi/2 and on random ones.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "real/trig/angle_reduction.h"
#include "real/trig/big_fixed.h"
#include "support/accuracy.h"

namespace vyxmath::test {
namespace {

struct reference_reduction {
    int quadrant;
    fixed remainder;
};

const fixed& two_over_pi() {
    static const fixed value = two_over_pi_fixed();
    return value;
}

const fixed& half_pi() {
    static const fixed value = {false, pi_fixed().magnitude >> 1};
    return value;
}

// x = n pi/2 + r with n the nearest integer to x 2/pi.
reference_reduction reduce_reference(const fixed& x) {
    const fixed y = fixed{false, x.magnitude} * two_over_pi();
    const exact_integer half = exact_integer{1} << (fraction_bits - 1);
    const exact_integer n = (y.magnitude + half) >> fraction_bits;
    const fixed fraction = y - fixed{false, n << fraction_bits};
    const fixed r = fraction * half_pi();
    const int quadrant = static_cast<int>(n.low64() & 3);
    if (!x.negative) return {quadrant, r};
    return {(4 - quadrant) & 3, -r};
}

void expect_reduction(double x, const reduced_angle& got, const reference_reduction& want) {
    EXPECT_EQ(got.quadrant, want.quadrant) << "x = " << x;
    EXPECT_TRUE(agrees_to_bits(want.remainder, to_fixed(got.remainder), 85))
        << "x = " << x << ": remainder " << got.remainder.hi << " want " << to_double(want.remainder);
}

// Numerators p of the continued-fraction convergents p/q of pi: p lies
// within about 1/q of q pi, a multiple of pi/2, so the remainder is tiny.
constexpr double near_multiples[] = {
    355.0, 103993.0, 104348.0, 208341.0, 312689.0, 833719.0, 1146408.0, 4272943.0, 5419351.0,
    80143857.0, 165707065.0, 245850922.0, 411557987.0, 1068966896.0, 2549491779.0,
    6167950454.0, 14885392687.0, 21053343141.0, 1783366216531.0, 3587785776203.0,
    5371151992734.0, 8958937768937.0, 139755218526789.0, 428224593349304.0,
    5706674932067741.0, 6134899525417045.0,
};

TEST(AngleReduction, NearMultiplesOfHalfPi) {
    for (double p : near_multiples) {
        for (int scale : {0, 1, 5, 9}) {  // p 2^k stays near a multiple of pi/2
            const double x = std::ldexp(p, scale);
            if (x >= 0x1.0p63) continue;
            for (double v : {x, -x}) expect_reduction(v, reduce_by_half_pi(v), reduce_reference(to_fixed(v)));
        }
    }
}

TEST(AngleReduction, BoundariesOfTheMethods) {
    const double cases[] = {
        0x1.921fb54442d18p-1,  // pi/4 rounded down: no reduction
        0x1.921fb54442d19p-1,
        0x1.921fb54442d18p+0,  // pi/2
        0x1.921fb54442d18p+1,  // pi
        0x1.fffffffffffffp19,  // last piecewise argument
        0x1.0p20,              // first one reduced from the bits of 2/pi
        0x1.fffffffffffffp62,  // largest argument below 2^63
        0x1.0p52, 0x1.0p53 - 1.0, 3.0, 6.0, 1e6, 1e15, 1e18,
    };
    for (double x : cases)
        for (double v : {x, -x}) expect_reduction(v, reduce_by_half_pi(v), reduce_reference(to_fixed(v)));
    // The doubles nearest k pi/2 below 2^20 leave remainders below 2^-30,
    // which the piecewise reduction hands on to the exact one.
    for (double k : {3.0, 7.0, 1000.0, 65536.0, 400000.0, 667544.0}) {
        const double x = k * 0x1.921fb54442d18p0;
        expect_reduction(x, reduce_by_half_pi(x), reduce_reference(to_fixed(x)));
    }
}

TEST(AngleReduction, RandomArgumentsInEveryBinade) {
    bit_stream random(20240607);
    for (int exponent = -1; exponent < 63; ++exponent) {
        for (int i = 0; i < 40; ++i) {
            const double x = random.spread(exponent, exponent + 1, false) * ((i & 1) ? -1.0 : 1.0);
            expect_reduction(x, reduce_by_half_pi(x), reduce_reference(to_fixed(x)));
        }
    }
}

TEST(AngleReduction, SixtyFourBitIntegers) {
    // The remainders of the largest arguments are integers of up to 63 bits,
    // beyond what a double holds.
    const std::uint64_t cases[] = {
        0x7FFFFFFFFFFFFFFFu, 0x6487ED5110B4611Au, 0x490FDAA22168C235u, 0x0000000000000003u,
        0x5F3759DF5F3759DFu,
    };
    for (std::uint64_t m : cases) {
        const fixed x = from_integer(m);
        expect_reduction(static_cast<double>(m), reduce_by_half_pi_exactly(m, 0, false), reduce_reference(x));
        expect_reduction(-static_cast<double>(m), reduce_by_half_pi_exactly(m, 0, true), reduce_reference(-x));
    }
}

// |x| mod the period, then the nearest multiple: reference by long division.
large_argument_remainder remainder_reference(double x) {
    const fixed exact = to_fixed(std::fabs(x));
    exact_integer quotient, rest;
    divide(exact.magnitude >> fraction_bits, exact_integer{large_argument_period}, quotient, rest);
    const std::uint64_t r = rest.low64();
    if (r > large_argument_period - r) return {large_argument_period - r, true};
    return {r, false};
}

// The remainders of x and -x against the long division, within half the
// period.
void expect_reference_remainders(const std::vector<double>& cases) {
    for (double x : cases) {
        for (double v : {x, -x}) {
            const large_argument_remainder got = remainder_by_large_period(v);
            const large_argument_remainder want = remainder_reference(v);
            EXPECT_EQ(got.magnitude, want.magnitude) << v;
            EXPECT_EQ(got.negative, want.negative) << v;
            EXPECT_LE(got.magnitude, large_argument_period / 2) << v;
        }
    }
}

TEST(LargeArgumentRemainder, AgreesWithLongDivision) {
    bit_stream random(99);
    std::vector<double> cases = {0x1.0p63, 0x1.fffffffffffffp1023, 1e19, 1e22, 1e300, 0x1.921fb54442d18p64};
    for (int exponent = 63; exponent < 1024; exponent += 7) cases.push_back(random.spread(exponent, exponent + 1, false));
    expect_reference_remainders(cases);
}

// Arguments whose residue lies within 2^-20 periods of half the period (where
// the nearest multiple is nearly a tie) or of 0: m 2^shift with m = 2^52 + t c,
// c the denominator of a convergent of R / period (R = 2^shift mod period), so
// that each step of t moves the residue by a small c R mod period.
std::vector<double> arguments_near_ties() {
    using u128 = unsigned __int128;
    const u128 period = large_argument_period;
    std::vector<double> out;
    for (int shift : {11, 12, 40, 63, 64, 100, 333, 512, 700, 900, 971}) {
        exact_integer q, rest;
        divide(exact_integer{1} << shift, exact_integer{large_argument_period}, q, rest);
        const u128 residue = rest.low64();
        // Convergent denominators of residue / period, up to one at or above 2^20.
        u128 num = residue, den = period, c_prev = 0, c = 1;
        while (c < (u128{1} << 20) && num != 0) {
            const u128 a = den / num;
            const u128 next = a * c + c_prev;
            c_prev = c;
            c = next;
            const u128 r = den % num;
            den = num;
            num = r;
        }
        const u128 step = c * residue % period;  // near 0 or near the period
        const bool up = step < period / 2;
        const u128 size = up ? step : period - step;
        const u128 m0 = u128{1} << 52;
        const u128 r0 = m0 * residue % period;
        for (u128 target : {period / 2, period / 2 + 1, u128{0}}) {
            const u128 distance = up ? (target + period - r0) % period : (r0 + period - target) % period;
            for (u128 t = distance / size; t <= distance / size + 1; ++t) {
                const u128 m = m0 + t * c;
                if (m >= (u128{1} << 53)) continue;
                out.push_back(std::ldexp(static_cast<double>(static_cast<std::uint64_t>(m)), shift));
            }
        }
    }
    return out;
}

TEST(LargeArgumentRemainder, NearTiesAndNearZero) {
    const std::vector<double> cases = arguments_near_ties();
    EXPECT_GE(cases.size(), 50u);
    expect_reference_remainders(cases);
}

// The processor's own partial remainder (quotient rounded to nearest) is
// exact, and the period is a 64-bit long double.
TEST(LargeArgumentRemainder, AgreesWithTheProcessorsRemainder) {
    if (!has_long_double_reference) GTEST_SKIP() << no_long_double_reference;
    bit_stream random(7);
    const long double period = static_cast<long double>(large_argument_period);
    for (int i = 0; i < 2000; ++i) {
        const double x = random.spread(63, 1024, false);
        const long double want = std::remainder(static_cast<long double>(x), period);
        const large_argument_remainder got = remainder_by_large_period(x);
        const long double signed_got = got.negative ? -static_cast<long double>(got.magnitude)
                                                    : static_cast<long double>(got.magnitude);
        EXPECT_EQ(signed_got, want) << x;
    }
}

}  // namespace
}  // namespace vyxmath::test
