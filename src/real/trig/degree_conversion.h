// Conversions between degrees and radians, with the module's fixed roundings.
//
// Argument (degrees -> radians): x * pi rounded to 53 bits as if the exponent
// were unbounded, that product divided by 180 and rounded to 53 bits, then
// stored as a double (a third rounding only where the result is subnormal).
// Since the exponent is unbounded, the result is finite for every finite x.
//
// Result (radians -> degrees): the radian value rounded to a 64-bit
// significand, times 180 (exact, 72 bits) rounded to 53 bits, divided by pi
// rounded to 53 bits, then stored as a double.
//
// pi is the double 3.141592653589793 throughout.
#pragma once

#include "real/double_double.h"

namespace vyxmath {

double degrees_to_radians(double x);
double radians_to_degrees(double_double radians);

// hi + lo rounded to nearest (ties to even) at 64 significant bits, held
// exactly as a normalised double-double; for |lo| <= ulp(hi)/2. Values whose
// 64-bit significand would reach below 2^-1074 are not expected (the arc
// functions round to 64 bits only values far above that).
double_double rounded_to_64_bits(double_double v);

}  // namespace vyxmath
