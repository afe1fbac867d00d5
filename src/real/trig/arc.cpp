#include "real/trig/arc.h"

#include <array>
#include <cmath>

#include "real/kernels/double_double_ops.h"
#include "real/kernels/float_bits.h"
#include "real/trig/trig_constants.h"

namespace vyxmath {
namespace {

using trig_constants::half_pi;
// pi to 107 bits.
constexpr double_double full_pi = {2.0 * half_pi.hi, 2.0 * half_pi.lo};

// Below this, asin x and atan x differ from x by less than x^3/3, under half the
// spacing of the doubles next to x: both round to x itself.
constexpr double identity_limit = 0x1.0p-27;

// Above this, atan x = pi/2 - 1/x within 2^-180 (the next term is 1/(3x^3)).
constexpr double reciprocal_limit = 0x1.0p60;

// Below this, atan q = q within 2^-120 of q.
constexpr double tiny_quotient = 0x1.0p-60;

// atan t = t * sum_k (-1)^k t^(2k) / (2k+1) for |t| <= 1/16: the terms from
// k = 13 on stay below 2^-104 of t. The leading three coefficients are
// applied in double-double; the tail after them is below 2^-26 of the sum.
constexpr int dd_terms = 3;
constexpr int all_terms = 13;

constexpr std::array<double_double, all_terms> make_atan_coefficients() {
    std::array<double_double, all_terms> out{};
    for (int k = 0; k < all_terms; ++k) {
        const double_double c = divide(double_double{1.0, 0.0}, static_cast<double>(2 * k + 1));
        out[k] = (k % 2 == 0) ? c : negate(c);
    }
    return out;
}

constexpr auto atan_coefficients = make_atan_coefficients();

// atan t for |t| <= 1/16 (a little more is harmless).
double_double arctangent_small(double_double t) {
    const double_double z = mul(t, t);
    double tail = atan_coefficients[all_terms - 1].hi;
    for (int k = all_terms - 2; k >= dd_terms; --k) tail = tail * z.hi + atan_coefficients[k].hi;
    double_double sum = {tail, 0.0};
    for (int k = dd_terms - 1; k >= 0; --k) sum = add(mul(sum, z), atan_coefficients[k]);
    return mul(t, sum);
}

// atan q for 0 <= q <= 1: atan q = atan c + atan((q - c) / (1 + q c)) with c
// the multiple of 1/8 nearest q, so that the second argument stays within
// 1/16.
double_double arctangent_unit(double_double q) {
    const int k = static_cast<int>(q.hi * 8.0 + 0.5);
    if (k == 0) return arctangent_small(q);
    const double c = k * 0.125;
    const double_double t = divide(add(q, -c), add(mul(q, c), 1.0));
    return add(trig_constants::atan_of_eighths[k], arctangent_small(t));
}

// atan(y / x) for 0 <= y, 0 < x, both of moderate size (their quotient and
// its reciprocal far from overflow and underflow).
double_double arctangent_of_quotient(double_double y, double_double x) {
    if (y.hi <= x.hi) return arctangent_unit(divide(y, x));
    return subtract(half_pi, arctangent_unit(divide(x, y)));
}

// sqrt(a) for a > 0, from the correctly rounded root and one Newton step.
double_double square_root(double_double a) {
    const double root = std::sqrt(a.hi);
    const double_double square = two_prod(root, root);
    const double correction = ((a.hi - square.hi) - square.lo + a.lo) / (2.0 * root);
    return fast_two_sum(root, correction);
}

// sqrt(1 - x^2) for 0 <= x < 1, with 1 - x^2 = (1 - x)(1 + x) formed exactly
// to double-double accuracy.
double_double cosine_of_arcsine(double x) {
    return square_root(mul(two_sum(1.0, -x), two_sum(1.0, x)));
}

double_double exact(double x) { return {x, 0.0}; }

double_double with_sign(double_double a, bool negative) { return negative ? negate(a) : a; }

}  // namespace

double_double arcsine(double x) {
    if (is_nan(x)) return exact(pass_nan(x));
    const double a = magnitude(x);
    if (a > 1.0) return exact(default_nan());
    if (a < identity_limit) return exact(x);
    if (a == 1.0) return with_sign(half_pi, sign_bit(x));
    return with_sign(arctangent_of_quotient(exact(a), cosine_of_arcsine(a)), sign_bit(x));
}

double_double arccosine(double x) {
    if (is_nan(x)) return exact(pass_nan(x));
    const double a = magnitude(x);
    if (a > 1.0) return exact(default_nan());
    if (x == 1.0) return exact(0.0);
    if (x == -1.0) return full_pi;
    const double_double angle = arctangent_of_quotient(cosine_of_arcsine(a), exact(a));
    return sign_bit(x) ? subtract(full_pi, angle) : angle;
}

double_double arctangent(double x) {
    if (is_nan(x)) return exact(pass_nan(x));
    const double a = magnitude(x);
    double_double angle;
    if (a < identity_limit) {
        return exact(x);
    } else if (a <= 1.0) {
        angle = arctangent_unit(exact(a));
    } else if (a < reciprocal_limit) {
        angle = subtract(half_pi, arctangent_unit(divide(exact(1.0), a)));
    } else {
        angle = subtract(half_pi, exact(1.0 / a));  // 1/inf = 0 gives pi/2
    }
    return with_sign(angle, sign_bit(x));
}

double arctangent2(double y, double x) {
    if (is_nan(y)) return pass_nan(y);
    if (is_nan(x)) return pass_nan(x);
    const bool y_negative = sign_bit(y);
    const bool x_negative = sign_bit(x);
    const double signed_pi = y_negative ? -full_pi.hi : full_pi.hi;
    const double signed_half_pi = y_negative ? -half_pi.hi : half_pi.hi;

    if (y == 0.0) return x_negative ? signed_pi : 0.0;
    if (is_infinite(y)) return is_infinite(x) ? default_nan() : signed_half_pi;
    if (x == 0.0) return signed_half_pi;
    if (is_infinite(x)) return x_negative ? signed_pi : 0.0;

    // Both finite and non-zero: atan(small / large), or its complement.
    const bool y_smaller = magnitude(y) <= magnitude(x);
    double small = y_smaller ? magnitude(y) : magnitude(x);
    double large = y_smaller ? magnitude(x) : magnitude(y);
    double_double angle;
    const double q = small / large;
    if (q < tiny_quotient) {
        // atan q = q (1 - q^2/3), and a normal quotient of two doubles is
        // never within q^2 of a rounding boundary, so atan q rounds as q
        // does. (A subnormal quotient may be an exact tie, which q rounds to
        // even where atan q, just below it, would round down: a difference
        // of 2^-1074 that is left as it is.)
        angle = exact(q);
    } else {
        // Bring the larger into [1, 2); the smaller, at least 2^-61 after
        // scaling, stays normal, so the scaling is exact.
        if (large < smallest_normal) {
            small *= 0x1.0p600;
            large *= 0x1.0p600;
        }
        const int shift = 1023 - static_cast<int>(to_bits(large) >> 52);
        small = scale_by_power_of_two(small, shift);
        large = scale_by_power_of_two(large, shift);
        angle = arctangent_unit(divide(exact(small), large));
    }
    if (!y_smaller) angle = subtract(half_pi, angle);
    if (x_negative) angle = subtract(full_pi, angle);
    return with_sign(angle, y_negative).hi;
}

}  // namespace vyxmath
