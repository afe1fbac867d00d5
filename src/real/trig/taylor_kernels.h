// Sine and cosine of a reduced angle, |r| <= pi/4 + 2^-30, as double-doubles:
// the double-double phase of the sine, cosine and tangent.
//
// Both are their Taylor series in z = r^2 to z^11. The leading coefficients
// are applied in double-double, the tail beyond them in plain doubles on
// z.hi; each series' relative error is the budget summed below, term by term.
#pragma once

#include <array>

#include "real/double_double.h"
#include "real/error_bound.h"

namespace vyxmath {

double_double sine_of_reduced(double_double r);
double_double cosine_of_reduced(double_double r);

namespace taylor_series {

constexpr int factorial_count = 26;

constexpr std::array<double_double, factorial_count> make_inverse_factorials() {
    std::array<double_double, factorial_count> out{};
    out[0] = {1.0, 0.0};
    for (int n = 1; n < factorial_count; ++n) out[n] = divide(out[n - 1], static_cast<double>(n));
    return out;
}

inline constexpr std::array<double_double, factorial_count> inverse_factorials = make_inverse_factorials();

// Coefficients of one series in z = r^2: term k is sign(k) / (2k + first)!,
// k < all_terms.
inline constexpr int all_terms = 12;

template <int first>
constexpr std::array<double_double, all_terms> series_coefficients() {
    std::array<double_double, all_terms> out{};
    for (int k = 0; k < all_terms; ++k) {
        const double_double c = inverse_factorials[2 * k + first];
        out[k] = (k % 2 == 0) ? c : negate(c);
    }
    return out;
}

inline constexpr auto sine_coefficients = series_coefficients<1>();    // sin r / r
inline constexpr auto cosine_coefficients = series_coefficients<0>();  // cos r

// How many leading coefficients each series applies in double-double: the
// cosine one more than the sine, its first plain-double term 1/12! z^6
// being 2^-32.5 of the result where the sine's 1/11! z^5 is 2^-28.6.
inline constexpr int sine_dd_terms = 5;
inline constexpr int cosine_dd_terms = 6;

// The largest reduced angle, rounded up, and z = r^2 at most.
inline constexpr double largest_angle = 0x1.921fb54442d19p-1 + 0x1p-30;
inline constexpr double largest_z = error_bound::product(largest_angle, largest_angle);

// The relative error budget of one series, P(z) = sum_k c_k z^k with the
// terms from dd_terms on in doubles, against its least value on the domain
// (sin r / r >= 0.9003, cos r >= 0.7071 for |r| <= pi/4 + 2^-30):
//   tail: the plain-double terms (error_bound::split_horner_tail_error),
//     falling by z/((2k+1)(2k+2)) < 2^-7.9 each
//   truncation: the first term left out, z^12 / (24 + first)!
//   pairs: the double-double Horner steps, z = r^2 and the product by r,
//     below 2^-103 of R each, 2^-98 in all
template <int first, int dd_terms>
constexpr double series_error(const std::array<double_double, all_terms>& c, double least_value) {
    namespace eb = error_bound;
    const double tail = eb::split_horner_tail_error(c[dd_terms].hi, c[dd_terms].lo, largest_z, dd_terms,
                                                    eb::two_to_minus(7.9), least_value);
    const double truncation =
        eb::product(eb::product(eb::power(largest_z, all_terms), eb::up(inverse_factorials[24 + first].hi)),
                    eb::up(1.0 / least_value));
    return eb::sum(tail, truncation, eb::two_to_minus(98));
}

}  // namespace taylor_series

// The relative error budgets of the two series, |r| <= pi/4 + 2^-30.
inline constexpr double sine_of_reduced_error =
    taylor_series::series_error<1, taylor_series::sine_dd_terms>(taylor_series::sine_coefficients, 0.9003);
inline constexpr double cosine_of_reduced_error =
    taylor_series::series_error<0, taylor_series::cosine_dd_terms>(taylor_series::cosine_coefficients, 0.7071);

}  // namespace vyxmath
