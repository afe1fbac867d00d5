// The probability that a Poisson-distributed count with mean lambda equals k.
//   - 0 <= k <= 12: e^-lambda computed as pow(e, -lambda), times
//     pow(lambda, k), divided by k! from the 32-bit factorial routine, in
//     that order (k! is exact up to 12);
//   - k >= 13: the true probability e^-lambda lambda^k / k!, from logarithms
//     in double-double, so that neither lambda^k nor k! has to be a double;
//     0 for lambda = 0; pow(e, -lambda) pow(lambda, k) for an infinite lambda
//     (not-a-number for +inf, +-inf for -inf, as for small k);
//   - k < 0: 0;
//   - a NaN lambda passes through.
// A negative lambda is no mean of a distribution; it gets the same formula
// (e^|lambda| |lambda|^k / k!, negative for odd k) for every k >= 0.
#pragma once

#include <cstdint>

#include "real/double_double.h"

namespace vyxmath {

double poisson_probability(double lambda, std::int32_t k);

// The coefficients B_2j / (2j (2j - 1)) of Stirling's series for j = 1..7,
// each the double nearest its value: 1/12, -1/360, 1/1260, -1/1680, 1/1188,
// -691/360360, 1/156.
inline constexpr double stirling_coefficients[7] = {1.0 / 12,   -1.0 / 360,       1.0 / 1260, -1.0 / 1680,
                                                    1.0 / 1188, -691.0 / 360360, 1.0 / 156};

// ln(k!) for k >= 13 as a double-double, from Stirling's series (absolute
// error below 1e-17).
double_double log_factorial(std::int32_t k);

}  // namespace vyxmath
