// The arc functions, the module's own, correctly rounded: a fast phase in
// doubles with a rounding test, then a double-double evaluation with a test
// of its own, and a wide fixed-point one (wide_angle_functions.h) where that
// cannot decide; each phase's error budget is summed and checked against its
// test in arc.cpp. The
// degree conversion of the arc exports takes the value rounded to 64
// significant bits, decided the same way.
//
// Edge results:
//   asin: +-0 -> +-0, +-1 -> +-pi/2, |x| > 1 (infinities too) -> not-a-number
//   acos: 1 -> +0, -1 -> pi, |x| > 1 (infinities too) -> not-a-number
//   atan: +-infinity -> +-pi/2
//   a NaN passes through; "not-a-number" is the default one.
// atan2 of a subnormal quotient that is exactly half-way between two
// subnormals rounds down in magnitude, as the angle just below it does.
#pragma once

#include "real/double_double.h"

namespace vyxmath {

double arcsine(double x);
double arccosine(double x);
double arctangent(double x);

// The same angles rounded to nearest at 64 significant bits, held exactly as
// hi + lo: the route of the degree conversion.
double_double arcsine_to_64_bits(double x);
double_double arccosine_to_64_bits(double x);
double_double arctangent_to_64_bits(double x);

// The angle of the point (x, y) in radians, from -pi to pi:
//   y = +-0: +0 for x > 0, x = +0 or x = +inf; +-pi (sign of y) for x < 0,
//            x = -0 or x = -inf
//   y finite, non-zero: x = +-0 -> +-pi/2, x = +inf -> +0, x = -inf -> +-pi
//                       (signs of y)
//   y = +-inf: x finite -> +-pi/2; x = +-inf -> not-a-number
//   a NaN operand passes through (y's first).
double arctangent2(double y, double x);

// Whether the fast phase (or an edge rule) alone gives the result: the
// figure behind the rate of the slower phases in the benchmarks and checks.
bool arcsine_decided_fast(double x);
bool arccosine_decided_fast(double x);
bool arctangent_decided_fast(double x);
bool arctangent2_decided_fast(double y, double x);

// The fast phases' values before rounding, for |x| where they run from a
// table: asin |x| up to 15/16, atan |x| up to 4 (false elsewhere). For the
// tests that hold them to their error bounds.
bool arcsine_fast_value(double x, double_double& value);
bool arctangent_fast_value(double x, double_double& value);

}  // namespace vyxmath
