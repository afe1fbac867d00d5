// Reduction of an angle by multiples of pi/2 for the sine and the tangent.
//
// The reduction is done against pi itself, not against a rounded value of it:
// the remainder keeps its relative accuracy however close the argument lies to
// a multiple of pi/2, for every argument below 2^63. (A processor's own sine
// instruction reduces by a 66-bit value of pi and loses the trailing digits
// near those multiples; the module does not reproduce that loss.)
#pragma once

#include <cstdint>

#include "real/double_double.h"
#include "real/trig/wide_fixed.h"

namespace vyxmath {

// x = quadrant * pi/2 + remainder (modulo 2 pi), |remainder| <= pi/4 + 2^-30.
struct reduced_angle {
    int quadrant;  // 0 .. 3
    double_double remainder;
};

// For finite x with |x| < 2^63. Relative error of the remainder below 2^-85.
reduced_angle reduce_by_half_pi(double x);

// x = +-magnitude * 2^exponent with magnitude < 2^64 and -64 <= exponent <= 10:
// the exact reduction, from the bits of 2/pi.
reduced_angle reduce_by_half_pi_exactly(std::uint64_t magnitude, int exponent, bool negative);

// The same reduction for any finite x (from 2^63 on, of the remainder by the
// large period below), to 256 bits after the point: the argument of the wide
// evaluation. The fraction of pi/2 is exact to 2^-246; a remainder is never
// below 2^-64, so the relative error stays below 2^-180.
struct wide_reduced_angle {
    int quadrant;
    wide_fixed remainder;
};
wide_reduced_angle reduce_by_half_pi_wide(double x);

// pi * 2^62 held to 64 significant bits (rounded to nearest): the period by
// which arguments of 2^63 and more are brought below 2^63 before reduction.
inline constexpr std::uint64_t large_argument_period = 0xC90FDAA22168C235u;

// The IEEE remainder of |x| modulo large_argument_period, quotient rounded to
// nearest, computed exactly; for finite |x| >= 2^63. The result lies within
// half the period, so its magnitude is below 2^63.
struct large_argument_remainder {
    std::uint64_t magnitude;
    bool negative;  // relative to |x|
};
large_argument_remainder remainder_by_large_period(double x);

}  // namespace vyxmath
