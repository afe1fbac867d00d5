// The fast phase of ln x and log10 x: double arithmetic on a 512-entry table,
// with a rounding test; undecided arguments go on to the double-double and
// wide evaluations (exp_log.cpp).
#pragma once

#include "real/double_double.h"

namespace vyxmath {

// true with the correctly rounded ln x (log10 x) in `result` when the fast
// phase decides, false when it cannot or x is not a finite number above 0.
bool log_fast_phase(double x, double& result);
bool log10_fast_phase(double x, double& result);

// ln x for finite x > 0 as a normalised pair within log_for_power_error
// |ln x| of the value: the logarithm of the power's fast phase.
double_double log_for_power(double x);
inline constexpr double log_for_power_error = 0x1p-75;

}  // namespace vyxmath
