// The angle functions evaluated in wide fixed point (wide_fixed.h), to about
// 2^-180 relative: the last phase, which decides the rounding of the few
// arguments whose double-double value lies too close to a rounding boundary.
// The hardest binary64 arguments of these functions lie no closer than about
// 2^-120 relative to a boundary, far above this error.
#pragma once

#include "real/trig/wide_fixed.h"

namespace vyxmath {

// The rounding-test bound of the angle functions' double-double phases, the
// last before this one: each relative to the value, with a margin of 4 or
// more over the budget each phase asserts against it (circular.cpp, arc.cpp).
inline constexpr double accurate_angle_error = 0x1p-77;

// sin x, cos x and tan x rounded to the nearest double, for finite x
// (arguments of 2^63 and more reduced by the large period, as everywhere).
double wide_sine(double x);
double wide_cosine(double x);
double wide_tangent(double x);

// asin x for 2^-27 <= |x| < 1, acos x for |x| < 1, atan x for finite |x| >=
// 2^-27.
wide_fixed wide_arcsine(double x);
wide_fixed wide_arccosine(double x);
wide_fixed wide_arctangent(double x);

// atan q for 0 <= q <= 1 + 2^-50.
wide_fixed wide_arctangent_unit(const wide_fixed& q);
wide_fixed wide_half_pi();
wide_fixed wide_one();

// a * 2^-k, truncated, for k >= 0.
wide_fixed shift_right(const wide_fixed& a, int k);

}  // namespace vyxmath
