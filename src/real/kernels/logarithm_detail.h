// The tail of ln(1 + z) in the logarithm's fast phase away from 1, apart from
// the code that evaluates it (logarithm.cpp): its coefficients, the reach of
// z and the bound on its roundings, which the phase's budget counts and
// Gappa proves (tests/real/rounding_bounds.cpp).
#pragma once

#include "real/error_bound.h"

namespace vyxmath::log_away_tail {

// ln(1 + z) - z = z^2 (c2 + c3 z) + z^4 ((c4 + c5 z) - c6 z^2) + ...: the
// doubles nearest -1/2, 1/3, -1/4, 1/5 and 1/6.
inline constexpr double c2 = -0.5;
inline constexpr double c3 = 0x1.5555555555555p-2;
inline constexpr double c4 = -0.25;
inline constexpr double c5 = 0.2;
inline constexpr double c6 = 0x1.5555555555555p-3;

// |z| < 1.027 * 2^-10 over the table (generate_log_table.py asserts it and
// logarithm.cpp checks the committed table against this reach).
inline constexpr double reach = 1.027 * 0x1p-10 * (1 + 0x1p-50);

// The roundings of the z^2 part (z^2, c2 + c3 z, their product and the last
// sum: half a unit in the last place of each, 2^-72.18 in all, though
// Gappa's intervals prove 2^-71.98) and of the z^4 part, absolute.
inline constexpr double roundings = error_bound::sum(error_bound::two_to_minus(71.95), error_bound::two_to_minus(90));

}  // namespace vyxmath::log_away_tail
