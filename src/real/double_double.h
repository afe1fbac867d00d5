// Double-double arithmetic: a value held as an unevaluated pair hi + lo with
// |lo| <= ulp(hi)/2, giving about 106 bits. Built from plain IEEE double
// operations only (no fused multiply-add, which the build forbids), so every
// machine gives the same bits. The error-free transformations come first
// (two_sum, fast_two_sum, split, two_prod: exact results as pairs), then the
// renormalised operations on pairs (add, subtract, mul, divide, scale,
// square_root) and Horner's rule with a plain-double tail (split_horner).
//
// Operand order: add and mul give the same bits whichever way round their
// operands come (the error-free steps are exact and the roundings left are
// commutative), except where a partial product of mul underflows.
#pragma once

#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "common/ieee_double.h"

namespace vyxmath {

struct double_double {
    double hi;
    double lo;
};

// ---- Error-free transformations -------------------------------------------

// hi + lo == a + b exactly, for any a, b (Knuth).
constexpr double_double two_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

// The rounding test of every phase of the kernels: whether every value
// within err (absolute) of hi + lo rounds to the same double as hi + lo, err
// carrying a margin for the rounding of lo +- err. It gives the rounded value
// when it holds: rounding is monotone, so hi + lo rounds between the two
// ends, and to them when they are equal. err may come with either sign (the
// two ends only swap), so a relative bound needs no magnitude of hi.
inline bool rounded_surely(double hi, double lo, double err, double& rounded) {
    rounded = hi + (lo + err);
    if (rounded != hi + (lo - err)) [[unlikely]] return false;
    return true;
}

// hi + lo == a + b exactly, provided |a| >= |b| or a == 0 (Dekker).
constexpr double_double fast_two_sum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Splits a into two halves of at most 26 significant bits each (Veltkamp).
// Exact unless |a| > 2^995, where the scaling constant would overflow.
constexpr double_double split(double a) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// hi + lo == a * b exactly, unless the product underflows or |a|, |b| exceed
// 2^995 (Dekker).
constexpr double_double two_prod(double a, double b) {
    const double p = a * b;
    const double_double as = split(a);
    const double_double bs = split(b);
    const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, err};
}

// m * 2^e exactly, for a whole number m below 2^64 with m 2^e and 2^e in the
// normal range: the top 53 bits of m in hi, the low 11 in lo.
inline double_double exact_pair(std::uint64_t m, int e) {
    const double unit = scale_by_power_of_two(1.0, e);
    return fast_two_sum(static_cast<double>(m >> 11 << 11) * unit, static_cast<double>(m & 0x7FF) * unit);
}

// ---- Operations on pairs ----------------------------------------------------

constexpr double_double negate(double_double a) { return {-a.hi, -a.lo}; }

constexpr double_double with_sign(double_double a, bool negative) { return negative ? negate(a) : a; }

// (a.hi + a.lo) + (b.hi + b.lo), renormalised; relative error about 2^-106.
constexpr double_double add(double_double a, double_double b) {
    const double_double s = two_sum(a.hi, b.hi);
    const double_double t = two_sum(a.lo, b.lo);
    const double_double r = fast_two_sum(s.hi, s.lo + t.hi);
    return fast_two_sum(r.hi, r.lo + t.lo);
}

constexpr double_double add(double_double a, double b) {
    const double_double s = two_sum(a.hi, b);
    return fast_two_sum(s.hi, s.lo + a.lo);
}

constexpr double_double subtract(double_double a, double_double b) { return add(a, negate(b)); }

// (a.hi + a.lo) * (b.hi + b.lo), renormalised; relative error about 2^-104.
constexpr double_double mul(double_double a, double_double b) {
    const double_double p = two_prod(a.hi, b.hi);
    return fast_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr double_double mul(double_double a, double b) {
    const double_double p = two_prod(a.hi, b);
    return fast_two_sum(p.hi, p.lo + a.lo * b);
}

// a / b by three quotient digits, each correcting the remainder left by the
// ones before; relative error about 2^-104.
constexpr double_double divide(double_double a, double_double b) {
    const double q1 = a.hi / b.hi;
    double_double r = subtract(a, mul(b, q1));
    const double q2 = r.hi / b.hi;
    r = subtract(r, mul(b, q2));
    const double q3 = r.hi / b.hi;
    const double_double q = fast_two_sum(q1, q2);
    return add(q, q3);
}

constexpr double_double divide(double_double a, double b) { return divide(a, double_double{b, 0.0}); }

// a * 2^k for -1022 <= k <= 1023; exact while both halves stay normal.
constexpr double_double scale(double_double a, int k) {
    const double f = power_of_two(k);
    return {a.hi * f, a.lo * f};
}

// sqrt(a) for a > 0, from the correctly rounded root of a.hi and one Newton
// step; relative error about 2^-104.
inline double_double square_root(double_double a) {
    assert(a.hi > 0.0);
    const double root = std::sqrt(a.hi);
    const double_double square = two_prod(root, root);
    const double correction = ((a.hi - square.hi) - square.lo + a.lo) / (2.0 * root);
    return fast_two_sum(root, correction);
}

// Relative error bounds of the operations on pairs, for the budgets of the
// phases built on them (u = 2^-53): add as above 3u^2 and mul 7u^2 (Joldes,
// Muller and Popescu, "Tight and rigorous error bounds for basic building
// blocks of double-word arithmetic", 2017: AccurateDWPlusDW and DWTimesDW1,
// with their u^3 terms under the rounding up of the budgets), mul by a
// double 2u^2 (DWTimesFP1), and divide, three quotient digits each
// correcting the last remainder, 2^-102 with a margin over what the tests
// measure. All for results in the normal range with low parts that stay
// normal too.
namespace pair_error {
inline constexpr double add = 3 * 0x1p-106;
inline constexpr double mul = 7 * 0x1p-106;
inline constexpr double mul_by_double = 2 * 0x1p-106;
inline constexpr double divide = 0x1p-102;
}  // namespace pair_error

// ---- Polynomials -------------------------------------------------------------

// How the tail of split_horner, summed in plain double, meets the first
// double-double coefficient below it.
enum class tail_join {
    rounded_product,  // c + z.hi * tail, the product rounded to a double
    exact_product,    // c + z * tail, the product as a double-double
};

// sum_{j < terms} c_j z^j by Horner's rule: the high-order terms j >=
// head_terms, small enough that plain doubles carry them (the caller's error
// bound says so), on z.hi alone; the first head_terms in double-double.
// tail_coefficient(j) gives c_j as a double, head_coefficient(j) as a
// double-double.
template <tail_join join, class TailCoefficient, class HeadCoefficient>
constexpr double_double split_horner(double_double z, int terms, int head_terms,
                                     TailCoefficient tail_coefficient, HeadCoefficient head_coefficient) {
    assert(0 < head_terms && head_terms < terms);
    double tail = tail_coefficient(terms - 1);
    for (int j = terms - 2; j >= head_terms; --j) tail = tail_coefficient(j) + z.hi * tail;
    double_double sum = join == tail_join::rounded_product
                            ? add(head_coefficient(head_terms - 1), z.hi * tail)
                            : add(head_coefficient(head_terms - 1), mul(z, double_double{tail, 0.0}));
    for (int j = head_terms - 2; j >= 0; --j) sum = add(head_coefficient(j), mul(z, sum));
    return sum;
}

// The same over one table of double-double coefficients, the tail taking
// their high halves.
template <tail_join join, std::size_t terms>
constexpr double_double split_horner(const std::array<double_double, terms>& c, int head_terms,
                                     double_double z) {
    return split_horner<join>(
        z, static_cast<int>(terms), head_terms, [&c](int j) { return c[j].hi; },
        [&c](int j) { return c[j]; });
}

}  // namespace vyxmath
