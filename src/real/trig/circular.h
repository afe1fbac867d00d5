// The sine and the tangent of an angle in radians, the module's own: the same
// bits on every machine, correctly rounded. A fast phase in doubles below
// 2^20 decides all but about one argument in 3500 (5800 for the tangent);
// the rest go to a double-double phase and, near a rounding boundary, to a
// wide fixed-point one (wide_angle_functions.h). The error budget of each
// phase is summed and checked against its rounding test in circular.cpp.
//
// Edge results: +-0 stays +-0, +-infinity gives the default not-a-number, a
// NaN passes through. An argument of magnitude 2^63 or more is first replaced
// by its remainder modulo pi * 2^62 held to 64 bits (see angle_reduction.h),
// and the function is taken of that remainder.
#pragma once

#include "real/double_double.h"

namespace vyxmath {

double sine(double x);
double tangent(double x);

// The cosine, correctly rounded in the same way: the kernel of the sine's odd
// quadrants as a function of its own (n_cos keeps its series, series_cosine.h).
double cosine(double x);

// Whether the fast phase (or an edge rule) alone gives the result for x: the
// figure behind the rate of the slower phases in the benchmarks and checks.
bool sine_decided_fast(double x);
bool cosine_decided_fast(double x);
bool tangent_decided_fast(double x);

// The fast phases' values before rounding, hi + lo, for the tests of their
// error bounds: false where the fast phase does not run (outside the identity
// limit to 2^20, or a remainder below its limit).
bool sine_fast_value(double x, double_double& value);
bool cosine_fast_value(double x, double_double& value);
bool tangent_fast_value(double x, double_double& value);
// The relative error budgets of those values (the cosine's is the sine's),
// summed beside the code and asserted there against the rounding tests.
extern const double sine_fast_value_error;
extern const double tangent_fast_value_error;

}  // namespace vyxmath
