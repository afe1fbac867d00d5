// GNU MPFR as the exact reference of the real-valued tests and tools: the
// correctly rounded (to nearest, ties to even) double value of each function
// for double arguments, with gradual underflow and overflow to infinity as in
// IEEE arithmetic. Linked into tests and tools only, never into the module.
#pragma once

#include <cstdint>

namespace vyxmath::mpfr_reference {

double exp(double x);
double expm1(double x);
double log(double x);
double log10(double x);
double pow(double x, double y);
// x^y as the module rounds it: to nearest, except that a result below the
// smallest normal double is truncated (rounded toward zero).
double pow_truncating_tiny(double x, double y);
double sin(double x);
double cos(double x);
double tan(double x);
// sin and tan of the remainder of a finite x, |x| >= 2^63, modulo a whole
// number `period` below 2^64: the reduction of the largest arguments.
double sin_of_remainder(double x, std::uint64_t period);
double tan_of_remainder(double x, std::uint64_t period);
double asin(double x);
double acos(double x);
double atan(double x);
double atan2(double y, double x);
double sinh(double x);
double cosh(double x);
double tanh(double x);

// The number of doubles from a to b (positive when b > a), counting +0 and
// -0 as one value: 0 when they are equal, 1 for neighbours. Both finite or
// infinite, not NaN.
std::int64_t ulp_distance(double a, double b);

// Whether got is the same double as the correctly rounded want (NaNs match
// any NaN; +0 and -0 differ).
bool is_nearest(double got, double want);

// The position of the exact value of a function within the double spacing
// around its rounded value, in units in the last place: the exact value minus
// the correctly rounded one, in [-0.5, 0.5]. Values near +-0.5 mark arguments
// that are hard to round. Computed with 200 bits, so good to far below 2^-100.
double exp_offset_ulps(double x);
double log_offset_ulps(double x);
double pow_offset_ulps(double x, double y);

// The relative error of an unrounded exponential (hi + lo) 2^binade against
// e^(y_hi + y_lo), the sum exact; computed with 200 bits.
double exp_relative_error(double hi, double lo, int binade, double y_hi, double y_lo);

// The same for an unrounded sine, cosine or tangent hi + lo of x.
enum class angle_function { sine, cosine, tangent, arcsine, arctangent };
double angle_relative_error(angle_function f, double hi, double lo, double x);

// The relative error of an unrounded value hi + lo of a function at a pair
// argument x_hi + x_lo, the sum exact: the double-double phases, which take
// reduced angles, quotients and logarithms as pairs. Computed with 200 bits.
enum class pair_function { sin, cos, tan, atan, log, exp, sinh, tanh, expm1 };
double pair_relative_error(pair_function f, double hi, double lo, double x_hi, double x_lo);

}  // namespace vyxmath::mpfr_reference
