// The fast phase of ln x and log10 x: double arithmetic on a 1024-entry table,
// with a rounding test; undecided arguments go on to the double-double and
// wide evaluations (exp_log.cpp).
#pragma once

#include <cstdint>

#include "common/ieee_double.h"
#include "real/double_double.h"

namespace vyxmath {

// true with the correctly rounded ln x (log10 x) in `result` when the fast
// phase decides, false when it cannot or x is not a finite number above 0.
bool log_fast_phase(double x, double& result);
bool log10_fast_phase(double x, double& result);

// The fast phase's value of ln x before rounding, for finite x > 0 (false
// elsewhere): within log_fast_near_one_error |ln x| for x in [0.6875,
// 1.375), and within log_fast_away_error absolute outside (the budgets
// logarithm.cpp derives and sums). For the test that holds it to them.
bool log_fast_value(double x, double_double& value);
extern const double log_fast_near_one_error;
extern const double log_fast_away_error;

// ln x for finite x > 0 as a normalised pair within log_for_power_error
// |ln x| of the value: the logarithm of the power's fast phase.
double_double log_for_power(double x);
inline constexpr double log_for_power_error = 0x1p-75;

// The same for the powers with small exponents (|b| <= 32), shorter away
// from 1: within log_for_small_power_error_bound(x, hi) of the value, that
// is log_for_power_error |hi| for x in [0.6875, 1.375) and
// log_for_small_power_error (absolute) elsewhere. There the pair is not
// normalised: hi is at least 0.3 in magnitude and lo below 2^-18.8.
double_double log_for_small_power(double x);
inline constexpr double log_for_small_power_error = 0x1.8p-70;
// x in [0.6875, 1.375) is the high word of x less that of 0.6875 (0x3FE60000)
// below 2^20, 1.375 having an empty low word: one comparison of 32 bits.
// `away_extra` is added to the bound away from 1 only (where the pair is not
// normalised), for a caller's own roundings of the low part.
inline double log_for_small_power_error_bound(double x, double ln_hi, double away_extra = 0.0) {
    const std::uint32_t high = static_cast<std::uint32_t>(to_bits(x) >> 32);
    return high - 0x3FE60000u < 0x00100000u ? magnitude(ln_hi) * log_for_power_error
                                            : log_for_small_power_error + away_extra;
}

}  // namespace vyxmath
