// Error-free transformations on doubles: a sum or product held as an
// unevaluated pair hi + lo with |lo| <= ulp(hi)/2. Built from plain IEEE
// double operations only (no fused multiply-add, which the build forbids), so
// every machine gives the same bits.
#pragma once

namespace vyxmath {

struct double_double {
    double hi;
    double lo;
};

// hi + lo == a + b exactly, for any a, b (Knuth).
constexpr double_double two_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
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

// (a.hi + a.lo) + (b.hi + b.lo), renormalised; relative error about 2^-106.
constexpr double_double add(double_double a, double_double b) {
    const double_double s = two_sum(a.hi, b.hi);
    const double_double t = two_sum(a.lo, b.lo);
    double_double r = fast_two_sum(s.hi, s.lo + t.hi);
    return fast_two_sum(r.hi, r.lo + t.lo);
}

// (a.hi + a.lo) * (b.hi + b.lo), renormalised; relative error about 2^-104.
constexpr double_double mul(double_double a, double_double b) {
    const double_double p = two_prod(a.hi, b.hi);
    return fast_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr double_double mul(double_double a, double b) {
    const double_double p = two_prod(a.hi, b);
    return fast_two_sum(p.hi, p.lo + a.lo * b);
}

}  // namespace vyxmath
