#include "real/trig/arc.h"

#include <array>
#include <cmath>

#include "real/kernels/double_double_ops.h"
#include "real/kernels/float_bits.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/trig_constants.h"
#include "real/trig/wide_angle_functions.h"

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

// Relative error bound of the double-double values, with a margin: the
// series tail beyond the double-double terms, (1/16)^6/7 < 2^-26.8 of the
// sum, is evaluated in doubles and errs by 2^-79.8.
constexpr double accurate_error = 0x1.0p-77;

// The results of the double-double evaluation, or an exact result (edge
// cases, tiny arguments) that needs no rounding test.
struct arc_value {
    double_double v;
    bool exact;
};

arc_value exact_result(double_double v) { return {v, true}; }
arc_value exact_result(double x) { return {exact(x), true}; }

arc_value arcsine_value(double x) {
    if (is_nan(x)) return exact_result(pass_nan(x));
    const double a = magnitude(x);
    if (a > 1.0) return exact_result(default_nan());
    if (a < identity_limit) return exact_result(x);
    if (a == 1.0) return exact_result(with_sign(half_pi, sign_bit(x)));
    return {with_sign(arctangent_of_quotient(exact(a), cosine_of_arcsine(a)), sign_bit(x)), false};
}

arc_value arccosine_value(double x) {
    if (is_nan(x)) return exact_result(pass_nan(x));
    const double a = magnitude(x);
    if (a > 1.0) return exact_result(default_nan());
    if (x == 1.0) return exact_result(0.0);
    if (x == -1.0) return exact_result(full_pi);
    const double_double angle = arctangent_of_quotient(cosine_of_arcsine(a), exact(a));
    return {sign_bit(x) ? subtract(full_pi, angle) : angle, false};
}

arc_value arctangent_value(double x) {
    if (is_nan(x)) return exact_result(pass_nan(x));
    const double a = magnitude(x);
    double_double angle;
    if (a < identity_limit) {
        return exact_result(x);
    } else if (a <= 1.0) {
        angle = arctangent_unit(exact(a));
    } else if (a < reciprocal_limit) {
        angle = subtract(half_pi, arctangent_unit(divide(exact(1.0), a)));
    } else {
        // pi/2 - 1/x with 1/x <= 2^-60 lies within 2^-8 units in the last
        // place below pi/2, which is 0.28 units above the double below it:
        // the nearest double is that one; at 64 bits the value is decided by
        // the test as any other.
        angle = subtract(half_pi, exact(1.0 / a));  // 1/inf = 0 gives pi/2
        if (is_infinite(a)) return exact_result(with_sign(angle, sign_bit(x)));
    }
    return {with_sign(angle, sign_bit(x)), false};
}

// The wide evaluations, for 2^-27 <= |x| < 1 (asin), |x| < 1 (acos), and
// |x| >= 2^-27 finite (atan).
wide_fixed wide_sine_over_cosine_angle(double a, bool from_cosine) {
    // asin a = atan(a / sqrt(1 - a^2)), acos a = atan(sqrt(1 - a^2) / a); the
    // quotient taken at most 1, its complement from pi/2 otherwise. 1 - a^2
    // is exact: a^2 has no bits below 2^-158.
    const wide_fixed w = to_wide(a);
    const wide_fixed c = square_root(wide_one() - w * w);
    const bool sine_smaller = a <= 0x1.6a09e667f3bcdp-1;  // a <= sqrt(1/2)
    const wide_fixed angle = wide_arctangent_unit(sine_smaller ? divide(w, c) : divide(c, w));
    return sine_smaller != from_cosine ? angle : wide_half_pi() - angle;
}

wide_fixed wide_arcsine(double x) {
    const wide_fixed angle = wide_sine_over_cosine_angle(magnitude(x), false);
    return sign_bit(x) ? -angle : angle;
}

wide_fixed wide_arccosine(double x) {
    if (x == 0.0) return wide_half_pi();
    const wide_fixed angle = wide_sine_over_cosine_angle(magnitude(x), true);
    return sign_bit(x) ? multiply_small(wide_half_pi(), 2) - angle : angle;
}

wide_fixed wide_arctangent(double x) {
    const double a = magnitude(x);
    wide_fixed angle;
    if (a <= 1.0) {
        angle = wide_arctangent_unit(to_wide(a));
    } else {
        // 1/a = (1/f) 2^-k for a = f 2^k, 1 <= f < 2.
        const int k = static_cast<int>(to_bits(a) >> 52) - 1023;
        const wide_fixed inverse = shift_right(divide(wide_one(), to_wide(scale_by_power_of_two(a, -k))), k);
        angle = wide_half_pi() - wide_arctangent_unit(inverse);
    }
    return sign_bit(x) ? -angle : angle;
}

// The value rounded to `bits` (53 or 64) significant bits: the double-double
// one where its error interval leaves no doubt, else the wide one.
double_double rounded(const arc_value& a, int bits, wide_fixed (*wide)(double), double x) {
    if (a.exact) return a.v;
    const double err = magnitude(a.v.hi) * accurate_error;
    if (bits == 53) {
        if (a.v.hi + (a.v.lo + err) == a.v.hi + (a.v.lo - err)) return exact(a.v.hi + a.v.lo);
    } else {
        const double_double low = rounded_to_64_bits(fast_two_sum(a.v.hi, a.v.lo - err));
        const double_double high = rounded_to_64_bits(fast_two_sum(a.v.hi, a.v.lo + err));
        if (low.hi == high.hi && low.lo == high.lo) return low;
    }
    return round_wide(wide(x), bits);
}

}  // namespace

double arcsine(double x) { return rounded(arcsine_value(x), 53, wide_arcsine, x).hi; }
double arccosine(double x) { return rounded(arccosine_value(x), 53, wide_arccosine, x).hi; }
double arctangent(double x) { return rounded(arctangent_value(x), 53, wide_arctangent, x).hi; }

double_double arcsine_to_64_bits(double x) { return rounded(arcsine_value(x), 64, wide_arcsine, x); }
double_double arccosine_to_64_bits(double x) { return rounded(arccosine_value(x), 64, wide_arccosine, x); }
double_double arctangent_to_64_bits(double x) { return rounded(arctangent_value(x), 64, wide_arctangent, x); }

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
    bool tiny = false;
    if (q < tiny_quotient) {
        // atan q = q (1 - q^2/3), and a normal quotient of two doubles is
        // never within q^2 of a rounding boundary, so atan q rounds as q
        // does. (A subnormal quotient may be an exact tie, which q rounds to
        // even where atan q, just below it, would round down: a difference
        // of 2^-1074 that is left as it is.)
        angle = exact(q);
        tiny = true;
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
    // With a quotient below 2^-60, the complements pi/2 - q, pi/2 + q and
    // pi - q lie within 2^-8 units in the last place of pi/2 or pi, which
    // are 0.28 units above a double: far from any rounding boundary, so the
    // double-double value rounds correctly as it is.
    if (tiny) return with_sign(angle, y_negative).hi;
    const double err = angle.hi * accurate_error;
    if (angle.hi + (angle.lo + err) == angle.hi + (angle.lo - err)) return with_sign(angle, y_negative).hi;

    // The wide evaluation from the same scaled coordinates.
    wide_fixed w = wide_arctangent_unit(divide(to_wide(small), to_wide(large)));
    if (!y_smaller) w = wide_half_pi() - w;
    if (x_negative) w = multiply_small(wide_half_pi(), 2) - w;
    const double result = round_wide(w, 53).hi;
    return y_negative ? -result : result;
}

}  // namespace vyxmath
