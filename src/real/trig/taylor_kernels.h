// Sine and cosine of a reduced angle, |r| <= pi/4 + 2^-30, as double-doubles.
//
// Both are their Taylor series in z = r^2, truncated where the next term is
// below 2^-100 of the result. The five leading coefficients are applied in
// double-double; the tail beyond them is below 2^-28.7 of the sum and is
// evaluated in plain doubles, erring by 2^-81.7 of the result.
#pragma once

#include "real/double_double.h"

namespace vyxmath {

double_double sine_of_reduced(double_double r);
double_double cosine_of_reduced(double_double r);

}  // namespace vyxmath
