// The arc functions, the module's own, as double-doubles (relative error below
// 2^-95; the double result is the .hi part, rounded once). The degree
// conversion of the arc exports takes the whole double-double value.
//
// Edge results:
//   asin: +-0 -> +-0, +-1 -> +-pi/2, |x| > 1 (infinities too) -> not-a-number
//   acos: 1 -> +0, -1 -> pi, |x| > 1 (infinities too) -> not-a-number
//   atan: +-infinity -> +-pi/2
//   a NaN passes through; "not-a-number" is the default one.
#pragma once

#include "real/double_double.h"

namespace vyxmath {

double_double arcsine(double x);
double_double arccosine(double x);
double_double arctangent(double x);

// The angle of the point (x, y) in radians, from -pi to pi:
//   y = +-0: +0 for x > 0, x = +0 or x = +inf; +-pi (sign of y) for x < 0,
//            x = -0 or x = -inf
//   y finite, non-zero: x = +-0 -> +-pi/2, x = +inf -> +0, x = -inf -> +-pi
//                       (signs of y)
//   y = +-inf: x finite -> +-pi/2; x = +-inf -> not-a-number
//   a NaN operand passes through (y's first).
double arctangent2(double y, double x);

}  // namespace vyxmath
