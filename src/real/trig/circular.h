// The sine and the tangent of an angle in radians, the module's own: the same
// bits on every machine, rounded once from a double-double value (correctly
// rounded but for values within about 2^-85 of a rounding boundary).
//
// Edge results: +-0 stays +-0, +-infinity gives the default not-a-number, a
// NaN passes through. An argument of magnitude 2^63 or more is first replaced
// by its remainder modulo pi * 2^62 held to 64 bits (see angle_reduction.h),
// and the function is taken of that remainder.
#pragma once

namespace vyxmath {

double sine(double x);
double tangent(double x);

}  // namespace vyxmath
