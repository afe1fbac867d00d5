// The fast phase of ln x and log10 x: double arithmetic on a 512-entry table,
// with a rounding test; undecided arguments go on to the double-double and
// wide evaluations (exp_log.cpp).
#pragma once

namespace vyxmath {

// For finite x > 0: true with the correctly rounded ln x (log10 x) in
// `result` when the fast phase decides, false when it cannot.
bool log_fast_phase(double x, double& result);
bool log10_fast_phase(double x, double& result);

}  // namespace vyxmath
