// The module's own exponential and logarithm, in plain IEEE double arithmetic
// so that every build gives the same bits. The work is done in double-double
// (relative error below 2^-90), then rounded once, so results are correctly
// rounded except in cases closer to a rounding boundary than that error.
#pragma once

#include <cstdint>

#include "real/double_double.h"

namespace vyxmath {

// e^y split as 2^exponent * (1 + fraction) with |fraction| < 0.42, for a
// double-double y with |y.hi| <= 1100. fraction is e^r - 1 for the reduced
// argument r = y - exponent * ln 2, so it keeps its relative accuracy when
// y is tiny (this is what expm1 needs).
struct exp_split {
    int exponent;
    double_double fraction;
};
exp_split split_exp(double_double y);
// The relative error budgets of e^y = 2^exponent (1 + fraction), and of the
// fraction itself where exponent = 0 (|y| < ln 2 / 2, y above 2^-960, where
// the pairs' low parts stay normal), and of ln x (log_double_double), summed
// in exp_log.cpp and asserted against accurate_exp_log_error.
extern const double split_exp_error;
extern const double natural_log_error;

// The double-double phases' rounding test: a fourth or less of it is their
// budget.
inline constexpr double accurate_exp_log_error = 0x1p-75;

// e^y - 1 = 2^k (1 + f) - 1 as a double-double from the split {k, f} of e^y,
// for k <= 1000: 2^k f + (2^k - 1), both exact pairs, so the relative
// accuracy of f is kept for small y.
double_double exp_minus_one(const exp_split& s);

// How a value below the smallest normal double becomes a double.
enum class TinyResult {
    round_to_nearest,  // IEEE rounding, ties to even
    truncate,          // toward zero, to a multiple of 2^-1074
};

// The double for the non-negative value 2^exponent * (v.hi + v.lo), where
// 0.25 <= v.hi <= 4: rounded to nearest in the normal range, +infinity above
// it, and per `tiny` below the smallest normal double (rounded once, no
// double rounding).
double to_double_scaled(double_double v, int exponent, TinyResult tiny);

// The double nearest v, a double-double within a fourth of
// accurate_exp_log_error relative, when a rounding test at that bound
// decides it; else wide_rounded(), the wide evaluation's result.
template <class WideRounded>
double decided_or_wide(double_double v, WideRounded wide_rounded) {
    double rounded;
    if (rounded_surely(v.hi, v.lo, magnitude(v.hi) * accurate_exp_log_error, rounded)) return rounded;
    return wide_rounded();
}

// The double for n * 2^e, n > 0: rounded to nearest, ties to even, in the
// normal range, +infinity above it, per `tiny` below it. Where n stands for a
// longer value, its top bit is set and its lowest bit is a sticky bit for
// anything below (set when anything is).
double integer_times_power_of_two(std::uint64_t n, int e, TinyResult tiny);

// ln x as a double-double, for finite x > 0 (subnormals included).
double_double log_double_double(double x);

// log_double_double(e) for the module's constant e = 2.718281828459045, whose
// logarithm lies just below 1 (1 - 2^-54 * 0.957...): powers of that constant
// need no logarithm.
inline constexpr double_double ln_of_euler_e = {0x1p+0, -0x1.ea8556644e4cep-55};

// ln 2 and 1 / ln 10 to 106 bits.
inline constexpr double_double ln2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
inline constexpr double_double inverse_ln10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};

// ln x: ln(+-0) = -inf; ln of a negative x (-inf included) is the default
// not-a-number; ln(+inf) = +inf; NaN passes through.
double log_kernel(double x);

// log10 x with the same edge results as log_kernel; exact for the powers of
// ten that are doubles.
double log10_kernel(double x);

// What the fast phases of log_kernel and log10_kernel (logarithm.cpp) leave:
// the edge results and the slower phases that decide every other x.
double log_after_fast_phase(double x);
double log10_after_fast_phase(double x);

}  // namespace vyxmath
