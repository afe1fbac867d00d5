// Double-double operations beyond sum and product: negation, difference and
// quotients. Same conventions as real/double_double.h: plain IEEE operations
// only, results renormalised so that hi is the double nearest hi + lo.
#pragma once

#include "real/double_double.h"

namespace vyxmath {

constexpr double_double negate(double_double a) { return {-a.hi, -a.lo}; }

constexpr double_double subtract(double_double a, double_double b) { return add(a, negate(b)); }

constexpr double_double add(double_double a, double b) {
    const double_double s = two_sum(a.hi, b);
    return fast_two_sum(s.hi, s.lo + a.lo);
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

}  // namespace vyxmath
