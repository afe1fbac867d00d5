// Error budgets computed by the compiler. Each phase sums named bounds on its
// steps, every bound an exact double no smaller than the figure it stands
// for, and asserts the total against the constant its rounding test uses, so
// that a proof and the code it covers cannot drift apart.
//
// Budgets are written as 2^-x with fractional x (the field's custom) or from
// the constants themselves; every helper here rounds up, never to nearest:
// a bound stays a bound whatever its last bit.
#pragma once

#include <bit>
#include <cstdint>

namespace vyxmath::error_bound {

// One rounding to nearest of a double in the normal range moves it by at most
// this much of itself.
inline constexpr double unit_roundoff = 0x1p-53;

// a * (1 + 2^-50) rounded: above a by at least 2^-51 a, more than any of the
// roundings a helper below makes (each below 2^-52 a).
constexpr double up(double a) { return a * (1.0 + 0x1p-50); }

// 2^x for |x| < 1000, rounded up: 2^n exactly for n = floor(x), times
// e^(f ln 2) for the fraction f = x - n by its Taylor series (positive terms,
// their roundings and the truncation below 2^-51 of the sum), lifted by up()
// twice. No library call: usable in constant expressions on every compiler
// the module builds with.
constexpr double two_to(double x) {
    int n = 0;
    while (n > x) --n;
    while (n + 1 <= x) ++n;
    const double a = (x - n) * 0x1.62e42fefa39efp-1;  // f ln 2 < 0.7
    double term = 1.0, sum = 1.0;
    for (int k = 1; k <= 24; ++k) {
        term *= a / k;
        sum += term;
    }
    double scale = 1.0;
    for (int i = 0; i < n; ++i) scale *= 2.0;
    for (int i = 0; i > n; --i) scale *= 0.5;
    return up(up(sum) * scale);
}

// 2^-x, rounded up: the figures of the budgets, written as exponents.
constexpr double two_to_minus(double x) { return two_to(-x); }

// The product of non-negative bounds, rounded up.
constexpr double product(double a, double b) { return up(a * b); }

// a^k for a non-negative bound a, rounded up.
constexpr double power(double a, int k) {
    double p = 1.0;
    for (int i = 0; i < k; ++i) p = product(p, a);
    return p;
}

// The sum of non-negative bounds, rounded up: n additions round by at most
// (1 + 2^-53)^n - 1, far below the 2^-51 up() adds for any budget's length.
template <class... Terms>
constexpr double sum(Terms... terms) {
    return up((0.0 + ... + terms));
}

// The larger of two bounds.
constexpr double larger(double a, double b) { return a < b ? b : a; }

// Multiples of the unit roundoff: n roundings of values below `of`.
constexpr double roundings(double n, double of) { return product(n * unit_roundoff, of); }

// The error of split_horner's tail in doubles (double_double.h), relative to
// the least magnitude of the sum on the domain, `least`: its first term c z^n
// (c = lead_hi + lead_lo as a pair, z up to z_max) leads terms that fall by
// `fall` < 1/2 or more each, so the tail is below |c| z^n / (1 - fall). It
// errs by the rounding of c to lead_hi, by the rounding of its last sum (u of
// it) and by 3u of the terms after the first (their roundings and z.lo
// dropped); the join to the pairs and the pairs' own steps are the caller's.
constexpr double split_horner_tail_error(double lead_hi, double lead_lo, double z_max, int n, double fall,
                                         double least) {
    const double z_power = power(z_max, n);
    const double per_least = up(1.0 / least);
    const double tail = product(product(product(lead_hi < 0 ? -lead_hi : lead_hi, z_power), per_least),
                                up(1.0 / (1.0 - fall)));
    const double coefficient = product(product(lead_lo < 0 ? -lead_lo : lead_lo, z_power), per_least);
    return sum(coefficient, roundings(1, tail), roundings(3, product(tail, fall)));
}

// The significant bits of a finite non-zero normal double: 53 less its
// significand's trailing zeros.
constexpr int significant_bits(double v) {
    const std::uint64_t significand = (std::bit_cast<std::uint64_t>(v) & ((std::uint64_t{1} << 52) - 1)) |
                                      (std::uint64_t{1} << 52);
    return 53 - std::countr_zero(significand);
}

// Whether c k is exact for every whole k with |k| <= largest_multiplier: so
// when the bits of c and of the largest k fit in 53 (the product of an
// a-bit and a b-bit whole number has at most a + b bits).
constexpr bool product_is_exact(double c, double largest_multiplier) {
    const auto k = static_cast<std::uint64_t>(up(largest_multiplier)) + 1;
    return significant_bits(c) + std::bit_width(k) <= 53;
}

}  // namespace vyxmath::error_bound
