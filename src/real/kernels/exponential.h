// e^y, correctly rounded, in two phases: a fast one in double arithmetic with
// a 256-entry table, whose result is kept only when a rounding test shows
// that its error cannot move it across a rounding boundary, and behind it the
// double-double evaluation of split_exp for the rest.
#pragma once

#include "real/double_double.h"
#include "real/kernels/exp_log.h"

namespace vyxmath {

// The double for e^(y.hi + y.lo), |y.lo| <= ulp(y.hi): +infinity above the
// largest double, below the smallest normal double per `tiny`, 0 for
// y.hi < -746, +infinity for y.hi > 710. y must not be NaN.
double exp_rounded(double_double y, TinyResult tiny);

// The fast phase alone: true, with the correctly rounded e^y in `result`,
// when it decides; false when the result would lie outside the normal range
// or its rounding test cannot tell (for |y.hi| <= 709). For the tests and the
// measurement of how often the accurate phase runs.
bool exp_fast_phase(double_double y, double& result);

}  // namespace vyxmath
