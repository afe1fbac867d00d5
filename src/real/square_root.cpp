// Newton's iteration for the square root, with a final step that rounds
// exactly.
//
// x = m 4^k with 1 <= m < 4 (exact: only the exponent changes), so that
// sqrt(x) = sqrt(m) 2^k and the iteration always works on the same range.
// The start is the tangent to sqrt at the middle of one of sixteen pieces of
// [1, 4) (eight in each binade, chosen by m's exponent bit and its three
// leading fraction bits); it lies above sqrt(m) by a relative error e0 below
// 4.6e-4. An exact Newton step a <- (m / a + a) / 2 takes a relative error e
// to e^2 / 2(1 + e): after three steps below 2^-95 (e1 < 1.1e-7, e2 < 5.8e-15
// with the rounding of the first two steps). With rounding, the last step
// lands within 0.75 units in the last place (ulp, 2^-52 in [1, 2)) of its
// exact value (m / a rounds by 1/2 ulp, the sum by 1 ulp, the halving is
// exact), so a is within one ulp of sqrt(m) and the correctly rounded root
// is a or one of its two neighbours. An exact integer test of the two
// half-way points next to a picks it.
#include "real/square_root.h"

#include <cstdint>

#include "common/ieee_double.h"

namespace vyxmath {
namespace {

// The tangent at the middle c of each piece, as intercept + slope m:
// slope = 1 / (2 sqrt(c)), intercept = sqrt(c) - c slope. Entries 0 to 7
// cover [2, 4) in steps of 1/4, entries 8 to 15 cover [1, 2) in steps of 1/8.
struct tangent {
    double intercept, slope;
};

constexpr tangent starting_tangents[16] = {
    {0x1.752e50db3a3a3p-1, 0x1.5f3aa673fa910p-2}, {0x1.8a85c24f70658p-1, 0x1.4c3abe93bcf74p-2},
    {0x1.9ec474a261264p-1, 0x1.3c03650e00e03p-2}, {0x1.b211b1c70d023p-1, 0x1.2df60c5df2c9ep-2},
    {0x1.c48c6001f0ac0p-1, 0x1.21a1851ff630ap-2}, {0x1.d64d51e0db1c6p-1, 0x1.16b28f55d72d4p-2},
    {0x1.e768d399dc471p-1, 0x1.0cea6317186dcp-2}, {0x1.f7efbeb8d4f12p-1, 0x1.0418a4806de7dp-2},
    {0x1.07e0f66afed07p-1, 0x1.f0b6848d2af1cp-2}, {0x1.16f8334644dfap-1, 0x1.d5d7ea914b936p-2},
    {0x1.2548eb9151e85p-1, 0x1.bee9056fb9c39p-2}, {0x1.32eee75770415p-1, 0x1.ab099ae8f539ap-2},
    {0x1.4000000000000p-1, 0x1.999999999999ap-2}, {0x1.4c8dc2e423980p-1, 0x1.8a2345cc04426p-2},
    {0x1.58a68a4a8d9f3p-1, 0x1.7c4dd663ebb88p-2}, {0x1.645640568c1c2p-1, 0x1.6fd4e79325467p-2},
};

// A double v in [1, 4) as the whole number v 2^53, from its bits.
std::uint64_t units(double v) {
    const int exponent = unbiased_exponent(v);  // 0 or 1
    return (fraction_field(v) | ieee_double::hidden_bit) << (exponent + 1);
}

double next_up(double v) { return from_bits(to_bits(v) + 1); }
double next_down(double v) { return from_bits(to_bits(v) - 1); }

// sqrt(m) for 1 <= m < 4, correctly rounded.
double root_of_reduced(double m) {
    const tangent& start = starting_tangents[(to_bits(m) >> 49) & 15];
    double a = start.intercept + m * start.slope;
    a = (m / a + a) * 0.5;
    a = (m / a + a) * 0.5;
    a = (m / a + a) * 0.5;
    // a is within one ulp of sqrt(m), in [1, 2]: doubles below 1 are 2^-53
    // apart, so a below 1 would need a root below 1 + 2^-54, that is m = 1,
    // whose steps give 1 exactly.
    // With A = a 2^53 (even in [1, 2), 2^54 at 2) and M = m 2^53, the
    // half-way points next to a are A - 1 and A + 1 in the same units, and
    // sqrt(m) lies above A + 1 when (A + 1)^2 < M 2^53, below A - 1 when
    // (A - 1)^2 > M 2^53 (never equal: an odd square against an even
    // number). With d = M 2^53 - A^2 - 1 these read d > 2A and d < -2A.
    // |sqrt(m) 2^53 - A| <= 1.5 makes |d| < 2^57, so d is exact modulo 2^64
    // read as a signed number.
    const std::uint64_t whole = units(a);
    const auto d = static_cast<std::int64_t>((units(m) << 53) - whole * whole - 1);
    const auto twice = static_cast<std::int64_t>(2 * whole);
    if (d > twice) return next_up(a);
    if (d < -twice) return next_down(a);
    return a;
}

}  // namespace

double newton_square_root(double x) {
    if (is_nan(x)) return pass_nan(x);
    if (x == 0.0) return 0.0;
    if (x < 0.0) return default_nan();
    if (is_infinite(x)) return x;

    int half_exponent_shift = 0;  // sqrt(x) = sqrt(m) 2^k
    if (is_subnormal(x)) {
        x *= 0x1p54;
        half_exponent_shift = -27;
    }
    const int exponent = unbiased_exponent(x);
    const int k = exponent >= 0 ? exponent / 2 : -((1 - exponent) / 2);  // floor(exponent / 2)
    const double m = from_bits(fraction_field(x) | to_bits(power_of_two(exponent - 2 * k)));
    return root_of_reduced(m) * power_of_two(k + half_exponent_shift);
}

}  // namespace vyxmath
