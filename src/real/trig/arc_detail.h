// The arc functions' double-double series, apart from the exports: its
// coefficients, its error budget and the entry point that the test holding
// it to that budget calls.
#pragma once

#include <array>

#include "real/double_double.h"
#include "real/error_bound.h"

namespace vyxmath {

// atan t for |t| <= 1/16 (1 + 2^-50): the arguments arctangent_unit gives it,
// within 1/16 of a multiple of 1/8 and rounded.
double_double arctangent_small(double_double t);

namespace arctangent_series {

// atan t = t * sum_k (-1)^k t^(2k) / (2k+1): the terms from k = 13 on stay
// below 2^-108 of the sum. The leading three coefficients are applied in
// double-double; the tail after them, below 2^-26.8 of the sum, in doubles.
inline constexpr int dd_terms = 3;
inline constexpr int all_terms = 13;

constexpr std::array<double_double, all_terms> make_coefficients() {
    std::array<double_double, all_terms> out{};
    for (int k = 0; k < all_terms; ++k) {
        const double_double c = divide(double_double{1.0, 0.0}, static_cast<double>(2 * k + 1));
        out[k] = (k % 2 == 0) ? c : negate(c);
    }
    return out;
}

inline constexpr auto coefficients = make_coefficients();
inline constexpr double largest_argument = 0x1.0000000000001p-4;
inline constexpr double largest_z = error_bound::product(largest_argument, largest_argument);

}  // namespace arctangent_series

// The series' relative error budget, against its least value 1 - z/3 >=
// 0.998: the tail in doubles, its terms falling by z (2k+1)/(2k+3) < z; the
// first term left out, z^13 / 27; the pairs' steps, 2^-98.
inline constexpr double arctangent_small_error = error_bound::sum(
    error_bound::split_horner_tail_error(arctangent_series::coefficients[arctangent_series::dd_terms].hi,
                                         arctangent_series::coefficients[arctangent_series::dd_terms].lo,
                                         arctangent_series::largest_z, arctangent_series::dd_terms,
                                         arctangent_series::largest_z, 0.998),
    error_bound::product(error_bound::power(arctangent_series::largest_z, arctangent_series::all_terms),
                         1.0 / 27 / 0.998 * (1 + 0x1p-40)),
    error_bound::two_to_minus(98));

}  // namespace vyxmath
