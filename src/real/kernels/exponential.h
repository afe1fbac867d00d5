// e^y, correctly rounded, in phases: a fast one in double arithmetic with a
// 256-entry table, whose result is kept only when a rounding test shows that
// its error cannot move it across a rounding boundary; behind it the
// double-double evaluation of split_exp with a rounding test of its own; and
// for what neither decides, the wide evaluation of wide_fixed.h.
#pragma once

#include "real/double_double.h"
#include "real/kernels/exp_log.h"

namespace vyxmath {

// The entry points below take a pair's two parts as separate arguments, and
// the overloads on a pair pass them on: on 32-bit x86 a pair made by two
// 8-byte stores and passed whole is copied with one 16-byte load, which the
// processor cannot forward from the two stores and stalls on.

// e^(y.hi + y.lo) for |y.hi| <= 746 and |y.lo| <= 2^-43, correctly rounded to
// the double nearest when the result is a normal double: true and the result
// from the fast phase or, when it cannot decide, from the double-double
// phase; false when neither decides (then the caller takes the wide
// evaluation of its own exact argument).
bool exp_by_double_phases(double y_hi, double y_lo, double& result);
inline bool exp_by_double_phases(double_double y, double& result) { return exp_by_double_phases(y.hi, y.lo, result); }

// The fast phase's value before its rounding: e^y = 2^binade (hi + lo) with
// an error below 2^-68 hi, hi in [0.99, 2.01], for |y.hi| <= 746.
struct exp_unrounded {
    int binade;
    double hi;
    double lo;
};
exp_unrounded exp_fast_value(double y_hi, double y_lo);
inline exp_unrounded exp_fast_value(double_double y) { return exp_fast_value(y.hi, y.lo); }

// e^y and e^-y (for sinh and cosh) from one reduction and one polynomial in
// its even and odd parts: each as exp_fast_value gives it, with the same
// error bound (below 2^-68 of hi), for |y| <= 746.
struct exp_unrounded_pair {
    exp_unrounded up;    // e^y
    exp_unrounded down;  // e^-y
};
exp_unrounded_pair exp_pair_fast_value(double y);

// (e^y + sign e^-y) / 2 (sign +1 or -1) for 0 <= y <= 40 from the parts of
// exp_pair_fast_value, scaled (exactly) and summed where they are made, so
// that the six parts never pass through memory: hi is the sum of the two
// high parts, lo its exact rounding error plus the two low parts (one
// rounding of terms below 2^-18 hi). For cosh and sinh (hyperbolic.cpp),
// whose rounding tests and error bounds stay with them.
// The sign is a template argument, so that the cosine's takes no step for
// it and the sine's only a flip of the sign bit.
template <int sign>
double_double exp_pair_fast_half_sum(double y);
extern template double_double exp_pair_fast_half_sum<1>(double y);
extern template double_double exp_pair_fast_half_sum<-1>(double y);

// The fast phase alone: true, with the correctly rounded e^y in `result`,
// when it decides; false when the result would lie outside the normal range
// or its rounding test cannot tell (for |y.hi| <= 709). For the tests and the
// measurement of how often the accurate phase runs.
bool exp_fast_phase(double_double y, double& result);

// The same for a y that carries an error of its own: the rounding test takes
// `relative_error` of the result in place of the fast phase's 2^-68 (which
// it must include).
bool exp_fast_phase(double y_hi, double y_lo, double relative_error, double& result);
inline bool exp_fast_phase(double_double y, double relative_error, double& result) {
    return exp_fast_phase(y.hi, y.lo, relative_error, result);
}
inline constexpr double exp_fast_phase_error = 0x1p-68;

// The same within the range where every result is a normal double above
// 2^-1021 and its binade at most 1022: -707.5 <= y.hi <= 709 (the power's
// common case), so that the result needs no range checks; it decides the
// same arguments as exp_fast_phase and gives the same results, returned
// as the value (positive), or 0 when it cannot decide. A low part up to
// 2^-13.79 may be handed in as well when relative_error takes in 8 * 2^-53
// |y_lo| more (power.cpp derives it).
inline constexpr double exp_normal_range_low = -707.5;
inline constexpr double exp_normal_range_high = 709.0;
double exp_fast_phase_in_normal_range(double y_hi, double y_lo, double relative_error);
// The same with the fast phase's own bound: a constant passed as an argument
// is stored as two 32-bit halves on 32-bit x86 and read back whole, a stall.
double exp_fast_phase_in_normal_range(double y_hi, double y_lo);

}  // namespace vyxmath
