// The odd series of the hyperbolic sine and tangent, the fast phase for small
// arguments, apart from the exports: their limits, their error budgets and
// their values before rounding, for the test that holds them to the budgets.
#pragma once

#include "real/double_double.h"
#include "real/error_bound.h"

namespace vyxmath {

// Below these the odd series take the fast phase (from the identity limit on).
inline constexpr double sinh_series_limit = 0.125;
inline constexpr double tanh_series_limit = 0.0625;

// The series' coefficients: c1 as a pair, then c2, c3, ... as doubles
// (the nearest to 1/5!, 1/7!, ... and to tanh's 2/15, -17/315, ...).
inline constexpr double_double sinh_series_c1 = {0x1.5555555555555p-3, 0x1.5555555555555p-57};
inline constexpr double sinh_series_tail[] = {0x1.1111111111111p-7, 0x1.a01a01a01a01ap-13, 0x1.71de3a556c734p-19,
                                              0x1.ae64567f544e4p-26, 0x1.6124613a86d09p-33};
inline constexpr double_double tanh_series_c1 = {-0x1.5555555555555p-2, -0x1.5555555555555p-56};
inline constexpr double tanh_series_tail[] = {0x1.1111111111111p-3,  -0x1.ba1ba1ba1ba1cp-5, 0x1.664f4882c10fap-6,
                                              -0x1.226e355e6c23dp-7, 0x1.d6d3d0e157de0p-9, -0x1.7da36452b75e3p-10,
                                              0x1.3558248036744p-11};
// The first terms left out, relative to a below the limits: a^15/15! and
// 443861162 a^19/1856156927625 (Sollya checks both, polynomial_bounds).
inline constexpr double sinh_series_truncation = error_bound::two_to_minus(82);
inline constexpr double tanh_series_truncation = error_bound::two_to_minus(84);

// sinh a and tanh a as hi + lo for 0 < a below the limits.
double_double sinh_series_value(double a);
double_double tanh_series_value(double a);

// The budget of a + a^3 (c1 + z w), relative to the result, as derived in
// hyperbolic.cpp: z w, below zw_max, good to 4.02 u of itself (w's first
// coefficient and last sum, z and the product); that error, relative to c1
// (with the pair's rounding of c1 + z w, 2^-105), weighs a^3 u / a <=
// rest_max of the result; then the first term left out and the pairs' steps
// (2^-100), all over the least result / a.
constexpr double odd_series_budget(double zw_max, double c1, double rest_max, double truncation, double least) {
    namespace eb = error_bound;
    const double zw = eb::roundings(4.02, zw_max);
    const double u = eb::sum(eb::product(zw, eb::up(1.0 / c1)), eb::two_to_minus(105));
    return eb::product(eb::sum(eb::product(u, rest_max), truncation, eb::two_to_minus(100)), eb::up(1.0 / least));
}

// sinh: a < 1/8, z w < 2^-12.9, c1 = 1/6, a^3 u < a z / 6 < 2^-8.5 a, the
// first term left out a^15/15! < 2^-82 a, the result at least a.
inline constexpr double sinh_series_error =
    odd_series_budget(error_bound::two_to_minus(12.9), 1.0 / 6, error_bound::two_to_minus(8.5),
                      sinh_series_truncation, 1.0);
// tanh: a < 1/16, z w < 2^-10.9, c1 = 1/3, a^3 u < a z / 3 < 2^-9.5 a, the
// first term left out below 2^-84 a, the result at least a (1 - 2^-9.5).
inline constexpr double tanh_series_error =
    odd_series_budget(error_bound::two_to_minus(10.9), 1.0 / 3, error_bound::two_to_minus(9.5),
                      tanh_series_truncation, 1.0 - error_bound::two_to_minus(9.5) * (1 + 0x1p-40));

}  // namespace vyxmath
