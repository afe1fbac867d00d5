// The area under the standard normal density from 0 to x, by the trapezoidal
// rule on 500 steps per unit of x (see normal_integral.cpp). Negative x gives
// the negative area; a NaN passes through; +-inf gives +-inf.
#pragma once

namespace vyxmath {

double normal_integral(double x);

}  // namespace vyxmath
