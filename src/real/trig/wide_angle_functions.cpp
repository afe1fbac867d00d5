#include "real/trig/wide_angle_functions.h"

#include <cstdint>

#include "common/ieee_double.h"
#include "real/trig/angle_reduction.h"
#include "real/trig/trig_constants.h"

namespace vyxmath {
namespace {

// sin r = sum_k (-1)^k r^(2k+1) / (2k+1)! for |r| <= pi/4 + 2^-30; the terms
// fall below 2^-256 by k = 30.
wide_fixed sine_series(const wide_fixed& r) {
    const wide_fixed z = r * r;
    wide_fixed term = r;
    wide_fixed sum = r;
    for (std::uint32_t n = 2; n < 64 && !is_zero(term); n += 2) {
        term = divide_small(term * z, n * (n + 1));
        sum = (n % 4 == 2) ? sum - term : sum + term;
    }
    return sum;
}

// cos r = sum_k (-1)^k r^(2k) / (2k)!.
wide_fixed cosine_series(const wide_fixed& r) {
    const wide_fixed z = r * r;
    wide_fixed term = wide_one();
    wide_fixed sum = term;
    for (std::uint32_t n = 1; n < 64 && !is_zero(term); n += 2) {
        term = divide_small(term * z, n * (n + 1));
        sum = (n % 4 == 1) ? sum - term : sum + term;
    }
    return sum;
}

double nearest_double(const wide_fixed& v) { return round_wide(v, 53).hi; }

wide_fixed sine_over_cosine_angle(double a, bool from_cosine) {
    // asin a = atan(a / sqrt(1 - a^2)), acos a = atan(sqrt(1 - a^2) / a); the
    // quotient taken at most 1, its complement from pi/2 otherwise. 1 - a^2
    // is exact: a^2 has no bits below 2^-158.
    const wide_fixed w = to_wide(a);
    const wide_fixed c = square_root(wide_one() - w * w);
    const bool sine_smaller = a <= 0x1.6a09e667f3bcdp-1;  // a <= sqrt(1/2)
    const wide_fixed angle = wide_arctangent_unit(sine_smaller ? divide(w, c) : divide(c, w));
    return sine_smaller != from_cosine ? angle : wide_half_pi() - angle;
}

}  // namespace

wide_fixed wide_one() { return to_wide(1.0); }

wide_fixed wide_half_pi() { return wide_from_words(trig_constants::half_pi_wide, false); }

wide_fixed shift_right(const wide_fixed& a, int k) {
    wide_fixed r{};
    r.negative = a.negative;
    const int words = k / 32;
    const int bits = k % 32;
    for (int i = 0; i + words < wide_words; ++i) {
        const std::uint64_t pair = (i + words + 1 < wide_words ? std::uint64_t{a.word[i + words + 1]} << 32 : 0) |
                                   a.word[i + words];
        r.word[i] = static_cast<std::uint32_t>(pair >> bits);
    }
    return r;
}

double wide_sine(double x) {
    const wide_reduced_angle a = reduce_by_half_pi_wide(x);
    const wide_fixed v = (a.quadrant & 1) == 0 ? sine_series(a.remainder) : cosine_series(a.remainder);
    return nearest_double(a.quadrant >= 2 ? -v : v);
}

double wide_cosine(double x) {
    const wide_reduced_angle a = reduce_by_half_pi_wide(x);
    const wide_fixed v = (a.quadrant & 1) == 0 ? cosine_series(a.remainder) : sine_series(a.remainder);
    return nearest_double((a.quadrant == 1 || a.quadrant == 2) ? -v : v);
}

double wide_tangent(double x) {
    const wide_reduced_angle a = reduce_by_half_pi_wide(x);
    const wide_fixed s = sine_series(a.remainder);
    const wide_fixed c = cosine_series(a.remainder);
    // tan(r + pi/2) = -cos r / sin r.
    return nearest_double((a.quadrant & 1) == 0 ? divide(s, c) : -divide(c, s));
}

wide_fixed wide_arctangent_unit(const wide_fixed& q) {
    // atan q = atan c + atan((q - c) / (1 + q c)) with c = k/8 nearest q; the
    // second argument t stays within 1/16, and its series terms t^(2j+1)
    // fall below 2^-256 by j = 32.
    const std::uint32_t k = static_cast<std::uint32_t>(round_wide(q, 53).hi * 8.0 + 0.5);
    if (k == 0 && is_zero(q)) return q;
    const wide_fixed c = to_wide(k * 0.125);
    const wide_fixed t = divide(q - c, wide_one() + q * c);
    const wide_fixed z = t * t;
    wide_fixed power = t;
    wide_fixed sum = t;
    for (std::uint32_t j = 1; j < 100 && !is_zero(power); ++j) {
        power = power * z;
        const wide_fixed term = divide_small(power, 2 * j + 1);
        sum = (j % 2 == 1) ? sum - term : sum + term;
    }
    return wide_from_words(trig_constants::atan_of_eighths_wide[k], false) + sum;
}

wide_fixed wide_arcsine(double x) {
    const wide_fixed angle = sine_over_cosine_angle(magnitude(x), false);
    return sign_bit(x) ? -angle : angle;
}

wide_fixed wide_arccosine(double x) {
    if (x == 0.0) return wide_half_pi();
    const wide_fixed angle = sine_over_cosine_angle(magnitude(x), true);
    return sign_bit(x) ? multiply_small(wide_half_pi(), 2) - angle : angle;
}

wide_fixed wide_arctangent(double x) {
    const double a = magnitude(x);
    wide_fixed angle;
    if (a <= 1.0) {
        angle = wide_arctangent_unit(to_wide(a));
    } else {
        // 1/a = (1/f) 2^-k for a = f 2^k, 1 <= f < 2.
        const int k = unbiased_exponent(a);
        const wide_fixed inverse = shift_right(divide(wide_one(), to_wide(scale_by_power_of_two(a, -k))), k);
        angle = wide_half_pi() - wide_arctangent_unit(inverse);
    }
    return sign_bit(x) ? -angle : angle;
}

}  // namespace vyxmath
