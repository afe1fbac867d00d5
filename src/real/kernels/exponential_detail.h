// The polynomial of the exponential's fast phase, apart from the code that
// evaluates it (exponential.cpp): its coefficients, its reach and the bound
// on what it leaves out, which the phase's budget counts and Sollya checks
// (tests/real/polynomial_bounds.cpp).
#pragma once

#include "real/error_bound.h"

namespace vyxmath::fast_exp_polynomial {

// e^r - 1 = r + c2 r^2 + ... + c6 r^6 + ..., c_j the double nearest 1/j!,
// for |r| <= reach (ln 2 / 512 and the reduction's slack).
inline constexpr double c2 = 0.5;
inline constexpr double c3 = 0x1.5555555555555p-3;
inline constexpr double c4 = 0x1.5555555555555p-5;
inline constexpr double c5 = 0x1.1111111111111p-7;
inline constexpr double c6 = 0x1.6c16c16c16c17p-10;
inline constexpr double reach = 1.3539e-3;

// The Taylor remainder r^7/5040 e^|r|, absolute: 2^-78.9987 at the reach.
inline constexpr double truncation = error_bound::two_to_minus(78.99);

// q = (rest + x^2 (c2 + x c3)) + x^4 ((c4 + x c5) + x^2 c6) in doubles, for
// |x| <= reach and |rest| <= rest_bound: its roundings, absolute, as the
// phase's budget counts them (five of terms below 2^-19.9, the higher
// orders' below 2^-90) and Gappa proves them (tests/real/rounding_bounds.cpp).
inline constexpr double rest_bound = error_bound::two_to_minus(24.15);
inline constexpr double roundings = error_bound::product(5, error_bound::two_to_minus(73));

}  // namespace vyxmath::fast_exp_polynomial
