// The exponential and e^x - 1 of exp_log.cpp as functions of a double: the
// module reaches e^x through the power of its constant e (power.h), so these
// serve the tests and benchmarks that hold the double-double exponential to
// its reference.
#pragma once

namespace vyxmath {

// e^x: +infinity above about 709.78; subnormal results rounded to nearest;
// 0 below about -745.13; NaN passes through; e^(+-inf) = +inf, +0.
double exp_kernel(double x);

// e^x - 1, accurate for tiny x as well: -1 for very negative x.
double expm1_kernel(double x);

}  // namespace vyxmath
