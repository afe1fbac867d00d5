// The fast phases of the tangent, arc sine and arc tangent evaluate one row of
// a generated expansion table, laid out as {a0 hi, a0 lo, a1 head, a1 tail,
// a2 .. a8, x0}: the function near the row's point x0 is
// a0 + a1 h + a2 h^2 + ... + a8 h^8 with h = x - x0.
#pragma once

#include <cstdint>

#include "common/ieee_double.h"
#include "real/double_double.h"

namespace vyxmath {

// The row's value at x = xh + xl as hi + lo. a0 + a1 head * h hi is an exact
// ordered sum, since each row's |a0| >= |a1 h| or a0 = 0; h = xh - x0 is exact
// (x0 lies within a factor of two of xh); the rest is gathered in lo, the
// polynomial's tail from h + xl, in the order each fast phase's error bound
// counts. For an argument that is one double (xl = 0) the terms of xl are
// left out: the compiler may not drop an addition of 0 or a product by it.
// The row nearest an argument on a grid of equal steps: the whole number
// nearest `scaled` (the argument over the step, 0 <= scaled < 2^31), ties
// to even, by adding and taking away 1.5 * 2^52. Adding 1/2 and truncating
// would round that sum itself: just below 1/2 it gives 1, whose point lies
// more than a factor of two above the argument, where h = x - x0 is no
// longer exact.
inline int nearest_row(double scaled) { return static_cast<int>((scaled + 0x1.8p52) - 0x1.8p52); }

// For tables with 2^n rows in each binade: 2^n E + 2^n (m - 1) rounded to a
// whole number (half up), for a positive normal double v = m 2^(E - 1023)
// and 1 <= n <= 19. It is read from v's high word alone, the top n fraction
// bits and the next as the rounding bit (the low word only decides ties,
// which the rows on both sides cover); a carry out of the fraction counts
// into E, as it should.
inline int binade_row(double v, int n) {
    const std::uint32_t high = static_cast<std::uint32_t>(to_bits(v) >> 32);
    return static_cast<int>((high + (std::uint32_t{1} << (19 - n))) >> (20 - n));
}

template <bool one_double = false>
inline double_double expansion_at(const double* row, double xh, double xl = 0.0) {
    const double h = xh - row[11];
    const double_double hs = split(h);
    const double_double s = fast_two_sum(row[0], row[2] * hs.hi);
    const double v = one_double ? h : h + xl;
    const double v2 = v * v;
    const double tail = v2 * (((row[4] + v * row[5]) + v2 * (row[6] + v * row[7])) +
                              (v2 * v2) * ((row[8] + v * row[9]) + v2 * row[10]));
    const double linear = one_double ? row[3] * h : row[3] * h + row[2] * xl;
    return {s.hi, ((((row[2] * hs.lo + linear) + row[1]) + s.lo) + tail)};
}

}  // namespace vyxmath
