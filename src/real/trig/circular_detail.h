// The polynomials of the sine's and cosine's fast phase, apart from the code
// that evaluates them (circular.cpp): their coefficients, their reach and
// the bounds on what they leave out, which Sollya checks
// (tests/real/polynomial_bounds.cpp) and the phase's budget counts.
#pragma once

#include "real/error_bound.h"

namespace vyxmath::fast_sine_polynomials {

// sin r - r = s3 r^3 + s5 r^5 + s7 r^7 + ... and cos r - 1 = c2 r^2 + c4 r^4
// + c6 r^6 + ..., each coefficient the double nearest +-1/n!, for |r| up to
// reach = (1/2 + 2^-23) pi/512 (half a step of the reduction, with its slack).
inline constexpr double s3 = -0x1.5555555555555p-3;
inline constexpr double s5 = 0x1.1111111111111p-7;
inline constexpr double s7 = -0x1.a01a01a01a01ap-13;
inline constexpr double c2 = -0.5;
inline constexpr double c4 = 0x1.5555555555555p-5;
inline constexpr double c6 = -0x1.6c16c16c16c17p-10;
inline constexpr double reach = 0x1.921fb54442d18p-9 * (1 + 0x1p-22);

// The terms left out, absolute over the reach: r^9/9! for the sine and
// r^8/8! for the cosine, which times A <= 2.0001 R stays within the 2^-81 R
// the budget takes.
inline constexpr double sine_truncation = error_bound::two_to_minus(93);
inline constexpr double cosine_truncation = error_bound::two_to_minus(82);

}  // namespace vyxmath::fast_sine_polynomials
