#include "real/trig/circular.h"

#include "common/ieee_double.h"
#include "real/constants.h"
#include "real/double_double.h"
#include "real/trig/angle_reduction.h"
#include "real/trig/expansion_row.h"
#include "real/trig/taylor_kernels.h"
#include "real/trig/trig_constants.h"
#include "real/trig/wide_angle_functions.h"

namespace vyxmath {
namespace {

namespace tc = trig_constants;

// Below these, sin x and tan x round to x itself. The spacing of the doubles
// next to x is at least 2^-53 |x| on either side (2^-53 |x| below a power of
// two, 2^-52 |x| above it, and never less inside a binade), so a value within
// 2^-54 |x| of x rounds to x. sin x lies below |x| by less than |x|^3/6,
// under 2^-54.5 |x| for |x| < 2^-26; tan x lies above it by less than
// |x|^3/3, under 2^-55.5 |x| for |x| < 2^-27 (but 2^-53.5 |x| at 2^-26).
constexpr double sine_identity_limit = 0x1.0p-26;
constexpr double tangent_identity_limit = identity_limit;
// cos x = 1 - x^2/2 + ... lies within 2^-55 of 1 for |x| < 2^-27, and the
// double below 1 is 2^-53 away.
constexpr double cosine_identity_limit = 0x1.0p-27;

// The fast phase reduces arguments below this by pi/2 in three 33-bit
// pieces (Cody and Waite): the quotient n stays below 2^20, so n times each
// piece is exact.
constexpr double fast_reduction_limit = 0x1.0p20;
// A remainder below this goes to the accurate phase, whose reduction keeps
// its relative accuracy under any cancellation.
constexpr double fast_remainder_limit = 0x1.0p-29;

constexpr double reduction_limit = 0x1.0p63;
constexpr double two_over_pi = 0x1.45f306dc9c883p-1;

// Relative error bounds of the phases (see sine_cosine_fast and the
// double-double kernels), with a margin; a result is kept when both ends of
// its error interval round to the same double.
constexpr double fast_error = 0x1.0p-65;
constexpr double fast_tangent_error = 0x1.6a09e667f3bcdp-66;  // 2^-65.5
// The double-double kernels: their series tails, evaluated in doubles, are
// below 2^-28.7 of the sum and err by 2^-81.7; the reduction by 2^-85.
constexpr double accurate_error = 0x1.0p-77;

// Whether every value within err (absolute) of hi + lo rounds to the same
// double as hi + lo; err carries a margin for the rounding of lo +- err.
inline bool rounds_surely(double hi, double lo, double err) {
    return hi + (lo + err) == hi + (lo - err);
}

// The remainder of the fast reduction: x = n pi/2 + r, |r| <= pi/4 + 2^-33,
// r = hi + lo with an absolute error below 2^-100.
struct fast_reduced {
    int quadrant;
    double hi;
    double lo;
};

// For pi/4 < |x| < 2^20; false when the remainder falls below
// fast_remainder_limit.
inline bool reduce_fast(double x, fast_reduced& out) {
    constexpr double shifter = 0x1.8p52;
    const double n = (x * two_over_pi + shifter) - shifter;  // nearest, |n| < 2^20
    // n c1 and n c2 are exact (20 + 33 bits); x - n c1 is exact, the two
    // lying within a factor of two of each other (Sterbenz).
    const double t = x - n * tc::half_pi_c1;
    const double_double s = two_sum(t, -n * tc::half_pi_c2);
    if (magnitude(s.hi) < fast_remainder_limit) return false;
    // |s.lo| <= 2^-53 |s.hi|, |n c3| < 2^-48: the two roundings below err by
    // less than 2^-100; the rest of pi/2 beyond c4 by n 2^-150.
    const double tail = (s.lo - n * tc::half_pi_c3) - n * tc::half_pi_c4;
    const double_double r = fast_two_sum(s.hi, tail);
    const std::uint64_t nb = to_bits(n + shifter);
    out = {static_cast<int>(nb & 3), r.hi, r.lo};
    return true;
}

// sin r and cos r for r = rh + rl, |rh| <= pi/4 + 2^-33, |rl| <= 2^-53 |rh|,
// as sums hi + lo, from the table point a = i/128 nearest |rh| and h = |rh| - a
// (exact: both are multiples of ulp(rh), and |h| <= 2^-8):
//   sin(a + h + l) = S + C h + [S h^2 Q + C h^3 P + l (C - S h) + ...]
//   cos(a + h + l) = C - S h + [C h^2 Q - S h^3 P - l (S + C h) + ...]
// with S, C = sin a, cos a as double-doubles (2^-106), sin h = h + h^3 P(h^2)
// to h^7 and cos h = 1 + h^2 Q(h^2) to h^6. The leading products C h and
// S h are exact (Dekker) and added exactly. Error bound, relative to the
// result R (R >= S/2 and >= |C h| when sine; R >= 0.7 when cosine):
//   S h^2 Q (cosine: C h^2 Q), at most 2^-16 R, with the roundings of h^2,
//     the polynomial and the product: 4 * 2^-53 * 2^-16        2^-67.0
//   C h^3 P, at most 2^-18.6 R, the same way                   2^-69.6
//   the sum of the small terms (below 2^-18 R), three roundings 2^-69.4
//   the last addition of S h^2 Q (sum below 2^-15.9 R)         2^-68.9
//   l times the derivative's h^2 terms, dropped                 2^-70.0
//   the reduction, 2^-100 absolute on |r| >= 2^-29             2^-71.0
//   series beyond h^7 and h^6, table values                    2^-79
// in all below 2^-65.8 R; with the rounding of lo +- err (2^-69 R) the
// test's bound fast_error = 2^-65 holds with a margin.
struct sine_cosine_pair {
    double sin_hi, sin_lo, cos_hi, cos_lo;
};

constexpr double s3 = -0x1.5555555555555p-3;  // -1/6
constexpr double s5 = 0x1.1111111111111p-7;   // 1/120
constexpr double s7 = -0x1.a01a01a01a01ap-13; // -1/5040
constexpr double c2 = -0.5;
constexpr double c4 = 0x1.5555555555555p-5;   // 1/24
constexpr double c6 = -0x1.6c16c16c16c17p-10; // -1/720

template <bool want_sine, bool want_cosine>
inline sine_cosine_pair sine_cosine_fast(double rh, double rl) {
    const bool negative = rh < 0.0;
    const double u = negative ? -rh : rh;
    const double l = negative ? -rl : rl;
    const int i = static_cast<int>(u * tc::sine_table_step + 0.5);
    const double* entry = tc::sine_cosine_table[i];
    const double sh = entry[0], sl = entry[1], ch = entry[2], cl = entry[3];
    const double h = u - i * (1.0 / tc::sine_table_step);
    const double h2 = h * h;
    const double p = h2 * (s3 + h2 * (s5 + h2 * s7));  // sin h / h - 1
    const double q = h2 * (c2 + h2 * (c4 + h2 * c6));  // cos h - 1
    sine_cosine_pair out{};
    if (want_sine) {
        const double_double ph = two_prod(ch, h);
        const double_double m = fast_two_sum(sh, ph.hi);
        const double small = (cl * h + l * (ch - sh * h)) + ch * h * p;
        const double lo = ((small + sl) + (m.lo + ph.lo)) + sh * q;
        out.sin_hi = negative ? -m.hi : m.hi;
        out.sin_lo = negative ? -lo : lo;
    }
    if (want_cosine) {
        const double_double ph = two_prod(sh, h);
        const double_double m = fast_two_sum(ch, -ph.hi);
        const double small = (-sl * h - l * (sh + ch * h)) - sh * h * p;
        const double lo = ((small + cl) + (m.lo - ph.lo)) + ch * q;
        out.cos_hi = m.hi;
        out.cos_lo = lo;
    }
    return out;
}

reduced_angle reduce_accurately(double x) {
    if (magnitude(x) < reduction_limit) return reduce_by_half_pi(x);
    const large_argument_remainder r = remainder_by_large_period(x);
    return reduce_by_half_pi_exactly(r.magnitude, 0, r.negative != sign_bit(x));
}

double_double sine_or_cosine_accurately(double x, bool cosine) {
    const reduced_angle a = reduce_accurately(x);
    const int quadrant = (a.quadrant + (cosine ? 1 : 0)) & 3;
    const double_double v = (quadrant & 1) == 0 ? sine_of_reduced(a.remainder) : cosine_of_reduced(a.remainder);
    return quadrant >= 2 ? negate(v) : v;
}

// The double-double phase, then the wide one.
double sine_after_fast(double x) {
    const double_double v = sine_or_cosine_accurately(x, false);
    if (rounds_surely(v.hi, v.lo, magnitude(v.hi) * accurate_error)) return v.hi + v.lo;
    return wide_sine(x);
}

double cosine_after_fast(double x) {
    const double_double v = sine_or_cosine_accurately(x, true);
    if (rounds_surely(v.hi, v.lo, magnitude(v.hi) * accurate_error)) return v.hi + v.lo;
    return wide_cosine(x);
}

double tangent_after_fast(double x) {
    const reduced_angle a = reduce_accurately(x);
    const double_double s = sine_of_reduced(a.remainder);
    const double_double c = cosine_of_reduced(a.remainder);
    // tan(r + pi/2) = -cos r / sin r.
    const double_double v = (a.quadrant & 1) == 0 ? divide(s, c) : negate(divide(c, s));
    if (rounds_surely(v.hi, v.lo, magnitude(v.hi) * accurate_error)) return v.hi + v.lo;
    return wide_tangent(x);
}

// The reduction of the fast phase, for |x| < 2^20.
inline bool fast_reduction(double x, fast_reduced& r) {
    if (magnitude(x) <= 0x1.921fb54442d18p-1) {
        r = {0, x, 0.0};
        return true;
    }
    if (!(magnitude(x) < fast_reduction_limit)) return false;
    return reduce_fast(x, r);
}

// The fast phase of sin (cosine = false) or cos: true with the result when
// its rounding test decides.
template <bool cosine>
inline bool sine_or_cosine_fast(double x, double& result) {
    fast_reduced r;
    if (!fast_reduction(x, r)) return false;
    const int quadrant = (r.quadrant + (cosine ? 1 : 0)) & 3;
    double hi, lo;
    if ((quadrant & 1) == 0) {
        const sine_cosine_pair v = sine_cosine_fast<true, false>(r.hi, r.lo);
        hi = v.sin_hi;
        lo = v.sin_lo;
    } else {
        const sine_cosine_pair v = sine_cosine_fast<false, true>(r.hi, r.lo);
        hi = v.cos_hi;
        lo = v.cos_lo;
    }
    if (quadrant >= 2) {
        hi = -hi;
        lo = -lo;
    }
    result = hi + lo;
    return rounds_surely(hi, lo, magnitude(hi) * fast_error);
}

// tan r for r = rh + rl, |rh| <= pi/4 + 2^-33, |rl| <= 2^-53 |rh| (and the
// reduction's 2^-100), as hi + lo, from the expansion about the table point
// x0 = i/256 nearest u = |rh|: tan(x0 + v) = b0 + b1 v + v^2 (b2 + ... + b8 v^6),
// v = h + l, h = u - x0 exact (both multiples of ulp(u), |h| <= 2^-9), l = rl
// signed as rh. The product b1 h is exact as head (26 bits) times split h,
// plus tail times h; b0 >= 1/256 >= |b1 h| past the first row, where b0 = 0.
// The generator bounds, relative to R = tan u over every row: the terms from
// b2 on, T, below 2^-16.65 R; the dropped ones below 2^-77.1 R. Error bound,
// relative to R, as for the fast arc sine:
//   T: v rounded, v^2, the Estrin sum, the product: 6.2 * 2^-53 T  2^-67.0
//   lo: the last addition (of T)                                   2^-69.6
//   b2 .. b8 rounded                                               2^-69.6
//   the reduction (2^-100 on |r| >= 2^-29, times b1 <= 1 + R^2)    2^-71.0
//   dropped terms, table values, b1t h, b1 l                       2^-75
// in all below 2^-66.55. In the odd quadrants tan = -1/t with t the
// normalised sum: the rounded reciprocal q of t hi and the remainder (exact
// by Dekker's product) times q, dropping (t lo/t hi)^2 < 2^-104 and
// rounding the remainder's terms (2^-104): relative error below 2^-66.5,
// against fast_tangent_error = 2^-65.5.
inline bool tangent_fast(double x, double& result) {
    fast_reduced r;
    if (!fast_reduction(x, r)) return false;
    const bool negative = r.hi < 0.0;
    const double u = negative ? -r.hi : r.hi;
    const double l = negative ? -r.lo : r.lo;
    const double_double value = expansion_at(tc::tangent_table[static_cast<int>(u * tc::tangent_table_step + 0.5)], u, l);
    const double_double t = fast_two_sum(value.hi, value.lo);
    // -1/t, formed whatever the quadrant: a selection costs less than a
    // branch that goes either way at random.
    const double q = 1.0 / t.hi;
    const double_double p = two_prod(q, t.hi);
    const bool odd = (r.quadrant & 1) != 0;
    const double sign = (odd != negative) ? -1.0 : 1.0;
    const double hi = sign * (odd ? q : t.hi);
    const double lo = sign * (odd ? (((1.0 - p.hi) - p.lo) - q * t.lo) * q : t.lo);
    result = hi + lo;
    return rounds_surely(hi, lo, magnitude(hi) * fast_tangent_error);
}

// Arguments the edge rules answer: NaN, infinities, and the identity range.
inline bool edge_result(double x, double limit, double identity_value, double& result) {
    if (is_nan(x)) {
        result = pass_nan(x);
    } else if (is_infinite(x)) {
        result = default_nan();
    } else if (magnitude(x) < limit) {
        result = identity_value;
    } else {
        return false;
    }
    return true;
}

}  // namespace

// The usual arguments, from the identity limit up to 2^20, go straight to the
// fast phase; the comparisons are false for NaN and infinities.
double sine(double x) {
    double result;
    const double a = magnitude(x);
    if (a >= sine_identity_limit && a < fast_reduction_limit && sine_or_cosine_fast<false>(x, result)) return result;
    if (edge_result(x, sine_identity_limit, x, result)) return result;
    return sine_after_fast(x);
}

double cosine(double x) {
    double result;
    const double a = magnitude(x);
    if (a >= cosine_identity_limit && a < fast_reduction_limit && sine_or_cosine_fast<true>(x, result)) return result;
    if (edge_result(x, cosine_identity_limit, 1.0, result)) return result;
    return cosine_after_fast(x);
}

double tangent(double x) {
    double result;
    const double a = magnitude(x);
    if (a >= tangent_identity_limit && a < fast_reduction_limit && tangent_fast(x, result)) return result;
    if (edge_result(x, tangent_identity_limit, x, result)) return result;
    return tangent_after_fast(x);
}

bool sine_decided_fast(double x) {
    double result;
    return edge_result(x, sine_identity_limit, x, result) || sine_or_cosine_fast<false>(x, result);
}

bool cosine_decided_fast(double x) {
    double result;
    return edge_result(x, cosine_identity_limit, 1.0, result) || sine_or_cosine_fast<true>(x, result);
}

bool tangent_decided_fast(double x) {
    double result;
    return edge_result(x, tangent_identity_limit, x, result) || tangent_fast(x, result);
}

}  // namespace vyxmath
