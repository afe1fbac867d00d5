#include "real/trig/arc.h"

#include <array>
#include <cmath>

#include "real/constants.h"
#include "real/double_double.h"
#include "real/error_bound.h"
#include "real/trig/arc_detail.h"
#include "common/ieee_double.h"
#include "real/trig/expansion_row.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/trig_constants.h"
#include "real/trig/wide_angle_functions.h"

namespace vyxmath {
namespace {

using trig_constants::half_pi;
// pi to 107 bits.
constexpr double_double full_pi = scale(half_pi, 1);

// Above this, atan x = pi/2 - 1/x within 2^-180 (the next term is 1/(3x^3)).
constexpr double reciprocal_limit = 0x1.0p60;

// Below this, atan q = q within 2^-120 of q.
constexpr double tiny_quotient = 0x1.0p-60;

}  // namespace

double_double arctangent_small(double_double t) {
    namespace as = arctangent_series;
    const double_double z = mul(t, t);
    return mul(t, split_horner<tail_join::exact_product>(as::coefficients, as::dd_terms, z));
}

namespace {

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

// sqrt(1 - x^2) for 0 <= x < 1, with 1 - x^2 = (1 - x)(1 + x) formed exactly
// to double-double accuracy.
double_double cosine_of_arcsine(double x) {
    return square_root(mul(two_sum(1.0, -x), two_sum(1.0, x)));
}

double_double exact(double x) { return {x, 0.0}; }

// The double-double values' rounding test, shared with the sine's: the
// budget of the series is arctangent_small_error (arc_detail.h), within a
// quarter of it.
constexpr double accurate_error = accurate_angle_error;
static_assert(error_bound::product(4, arctangent_small_error) <= accurate_error);

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

// The value rounded to `bits` (53 or 64) significant bits: the double-double
// one where its error interval leaves no doubt, else the wide one.
double_double rounded(const arc_value& a, int bits, wide_fixed (*wide)(double), double x) {
    if (a.exact) return a.v;
    const double err = magnitude(a.v.hi) * accurate_error;
    if (bits == 53) {
        double nearest;
        if (rounded_surely(a.v.hi, a.v.lo, err, nearest)) return exact(nearest);
    } else {
        const double_double low = rounded_to_64_bits(fast_two_sum(a.v.hi, a.v.lo - err));
        const double_double high = rounded_to_64_bits(fast_two_sum(a.v.hi, a.v.lo + err));
        if (low.hi == high.hi && low.lo == high.lo) return low;
    }
    return round_wide(wide(x), bits);
}

// The fast phase, in doubles.
//
// atan v for v = vh + vl, 0 <= vh <= 1 + 2^-52, |vl| <= 2^-51 vh, as a sum
// hi + lo, from the expansion about the table point x0 = i/256 nearest vh:
// atan(x0 + w) = c0 + c1 w + w^2 (c2 + ... + c8 w^6), w = h + vl, h = vh - x0
// exact (both multiples of ulp(vh), |h| <= 2^-9), laid out and evaluated as
// the fast arc sine below (c0 >= 1/256 >= |c1 h| past the first row, where
// c0 = 0). The generator bounds, relative to R = atan v over every row: the
// terms from c2 on, T, and the dropped ones (arctangent_expansion_terms_log2
// and _dropped_log2 in trig_constants.h). Error bound, relative to R:
//   T: w rounded, w^2, the Estrin sum, the product: 6.2 * 2^-53 T
//   lo: the last addition (of T)                                   2^-53 T
//   c2 .. c8 rounded                                               2^-53 T
//   dropped terms; table values, c1t h, c1 vl, vl's own 2^-104     2^-74
// in all fast_arctangent_budget::value. The complements pi/2 - atan v and
// pi - atan v (at least the angle taken away) add the roundings of their
// tails, 2^-53 T each: the compiler sums both against fast_error.
constexpr double fast_error = 0x1.0p-66;
namespace fast_arctangent_budget {
namespace eb = error_bound;
constexpr double terms = eb::two_to(trig_constants::arctangent_expansion_terms_log2);  // T / R
constexpr double polynomial = eb::roundings(6.2, terms);
constexpr double last_addition = eb::roundings(1, terms);
constexpr double coefficients = eb::roundings(1, terms);
constexpr double rest = eb::sum(eb::two_to(trig_constants::arctangent_expansion_dropped_log2), eb::two_to_minus(74));
constexpr double value = eb::sum(polynomial, last_addition, coefficients, rest);
constexpr double complements = eb::roundings(2, terms);
static_assert(eb::sum(value, complements) <= fast_error);
}  // namespace fast_arctangent_budget

struct angle_sum {
    double hi;
    double lo;
};

template <bool one_double = false>
inline angle_sum arctangent_fast(double vh, double vl = 0.0) {
    namespace tc = trig_constants;
    const double* c = tc::arctangent_expansion_table[nearest_row(vh * tc::arctangent_expansion_step)];
    const double_double value = expansion_at<one_double>(c, vh, vl);
    return {value.hi, value.lo};
}

// atan a for 1 <= a <= 4 as hi + lo, from the expansion about the nearest of
// the points x0 = 2^e (1 + j/128) (e = 0, 1, and 4 itself), row i = 128 e + j:
// binade_row(a, 7) less 1023 * 128. h = a - x0 is exact (x0 lies within a factor of two of a),
// |h| <= 2^e/256. The same evaluation and error terms as above, with the
// generator's bounds for these rows (arctangent_beyond_one_terms_log2 and
// _dropped_log2), and no complement (R = atan a >= pi/4 itself), against
// fast_error.
namespace fast_arctangent_beyond_one_budget {
namespace eb = error_bound;
constexpr double terms = eb::two_to(trig_constants::arctangent_beyond_one_terms_log2);
constexpr double value =
    eb::sum(eb::roundings(6.2, terms), eb::roundings(2, terms),
            eb::two_to(trig_constants::arctangent_beyond_one_dropped_log2), eb::two_to_minus(74));
static_assert(value <= fast_error);
}  // namespace fast_arctangent_beyond_one_budget
// No quotient 1/a with its remainder (a division and Dekker's product).
inline angle_sum arctangent_beyond_one(double a) {
    const int i = binade_row(a, 7) - 1023 * 128;
    const double_double value = expansion_at<true>(trig_constants::arctangent_beyond_one_table[i], a);
    return {value.hi, value.lo};
}

// Past 4 the arc tangent is pi/2 - atan(1/a), with 1/a from quotient.
constexpr double arctangent_table_end = 4.0;

// k - a for a constant k = kh + kl with kh >= |a hi| (so that kh - a hi is
// exact as a sum of two doubles by the ordered sum).
inline angle_sum complement(double_double k, angle_sum a) {
    const double_double s = fast_two_sum(k.hi, -a.hi);
    return {s.hi, (s.lo + k.lo) - a.lo};
}

// The sign goes on last: rounding to nearest is symmetric, and hi + lo
// rounds to the tested ends when they agree (rounding is monotone).
inline bool decided(angle_sum a, bool negative, double& result) {
    double upper;
    const bool sure = rounded_surely(a.hi, a.lo, a.hi * fast_error, upper);
    result = negative ? -upper : upper;
    return sure;
}

// v = n / d as vh + vl for 0 <= n, 0 < d (moderate): vh = n (1/d), and the
// remainder, exact to 2^-104 of n (Dekker), over d.
inline angle_sum quotient(double n, double d) {
    const double inverse = 1.0 / d;
    const double vh = n * inverse;
    const double_double m = two_prod(vh, d);
    return {vh, ((n - m.hi) - m.lo) * inverse};
}

// The edge results that need no evaluation (arc_value gives the same ones):
// true with the result.
inline bool arctangent_edge(double x, double& result) {
    const double a = magnitude(x);
    if (a >= identity_limit && a < reciprocal_limit) return false;  // the usual arguments first
    if (is_nan(x)) {
        result = pass_nan(x);
    } else if (a < identity_limit) {
        result = x;
    } else if (a >= reciprocal_limit) {
        // pi/2 - 1/x: the double nearest pi/2 (see arctangent_value).
        result = sign_bit(x) ? -half_pi.hi : half_pi.hi;
    } else {
        return false;
    }
    return true;
}

inline bool arcsine_edge(double x, double& result) {
    const double a = magnitude(x);
    if (a >= identity_limit && a < 1.0) return false;
    if (is_nan(x)) {
        result = pass_nan(x);
    } else if (a > 1.0) {
        result = default_nan();
    } else if (a < identity_limit) {
        result = x;
    } else if (a == 1.0) {
        result = sign_bit(x) ? -half_pi.hi : half_pi.hi;
    } else {
        return false;
    }
    return true;
}

inline bool arccosine_edge(double x, double& result) {
    if (magnitude(x) < 1.0) return false;
    if (is_nan(x)) {
        result = pass_nan(x);
    } else if (magnitude(x) > 1.0) {
        result = default_nan();
    } else if (x == 1.0) {
        result = 0.0;
    } else if (x == -1.0) {
        result = full_pi.hi;
    } else {
        return false;
    }
    return true;
}

// The fast phases, for arguments past the edges.
inline bool arctangent_fast_phase(double x, double& result) {
    const double a = magnitude(x);
    if (a <= 1.0) return decided(arctangent_fast<true>(a), sign_bit(x), result);
    if (a <= arctangent_table_end) return decided(arctangent_beyond_one(a), sign_bit(x), result);
    const angle_sum v = quotient(1.0, a);
    return decided(complement(half_pi, arctangent_fast(v.hi, v.lo)), sign_bit(x), result);
}

// The fast arc sine, in doubles.
//
// asin s for s = sh + sl, 0 <= sh <= 15/16, |sl| <= 2^-52 sh, as hi + lo,
// from the expansion about the table point c nearest sh (i/128 up to 1/2,
// i/256 up to 3/4, i/512 up to 7/8, i/1024 beyond): asin(c + v) = a0 + a1 v +
// v^2 (a2 + a3 v + ... + a8 v^6), v = h + sl, h = sh - c exact (c is a
// multiple of the unit of sh and |h| is at most half the step). The product a1 h is exact as head h1 (26
// bits) times split h, plus tail times h. The generator bounds, relative to
// R = asin s over every row: the dropped terms a9 v^9 ... and the terms from
// a2 on, T (arcsine_dropped_log2, arcsine_terms_log2). Error bound, relative
// to R:
//   T: v rounded (2^-52 T when sl is not 0), v^2 (3 roundings), the sum
//     of the Estrin scheme (2.1, led by a2 + a3 v), the product  6.2 * 2^-53 T
//   lo: the last addition (of T, the others are below 2^-25 R) 2^-53 T
//   dropped terms
//   a2 .. a8 rounded                                           2^-53 T
//   a0 (2^-107), a1 tail (2^-79), a1t h, h1 sl, the root's sl  2^-75
// in all fast_arcsine_budget::value; arcsine_error keeps a margin of 1.4. Where the
// result is a sum or difference K -+ S of pi/2 or pi and S = asin s or
// 2 asin s, the error is at most arcsine_error S, plus the roundings of the
// tail of K -+ S (below 2^-68.7 S + 2^-105 K, the result being at least K/4),
// plus K's own (2^-107 K): in all below arcsine_error S + 2^-100 |result|.
constexpr double arcsine_error = 0x1.0p-65;
namespace fast_arcsine_budget {
namespace eb = error_bound;
constexpr double terms = eb::two_to(trig_constants::arcsine_terms_log2);
constexpr double value = eb::sum(eb::roundings(6.2, terms), eb::roundings(2, terms),
                                 eb::two_to(trig_constants::arcsine_dropped_log2), eb::two_to_minus(75));
static_assert(eb::product(1.4, value) <= arcsine_error);
}  // namespace fast_arcsine_budget

// Above this the fast arc sine goes through the root of (1 - a)/2.
constexpr double arcsine_table_end = 0.9375;

// Whether the value, with the error bound err, rounds to one double: as decided.
inline bool decided_within(angle_sum a, bool negative, double err, double& result) {
    const double hi = negative ? -a.hi : a.hi;
    const double lo = negative ? -a.lo : a.lo;
    return rounded_surely(hi, lo, err, result);
}

// K -+ S with its error bound.
inline bool decided_complement(angle_sum value, angle_sum subtracted, bool negative, double& result) {
    return decided_within(value, negative, arcsine_error * subtracted.hi + 0x1.0p-100 * value.hi, result);
}

// The row nearest sh in [0, 15/16]. Rows 0 .. 64 lie at i/128, 65 .. 128 at
// 1/2 + (i - 64)/256, 129 .. 192 at 3/4 + (i - 128)/512, 193 .. 256 at 7/8 +
// (i - 192)/1024. Past 1/2 the segment s = 1, 2, 3 is where d = 1 - sh
// (exact) lies in [2^(-1-s), 2^-s), with rows 64 s + j at 1 - 2^-s + j
// 2^-(7+s): j = 128 - 64 m rounded, m in [1, 2) the significand of d.
// binade_row(d, 6) is 64 E + 64 m - 64 rounded (E the biased exponent,
// 1022 - s), so the row is 65472 less that. Both are
// formed and one taken by a selection: the segment of a random argument is
// a branch that would go either way (two rows at an exact tie between them
// are both within the half step their bounds take).
inline int arcsine_row(double sh) {
    const int first = nearest_row(sh * 128.0);
    const int later = 65472 - binade_row(1.0 - sh, 6);
    return sh <= 0.5 ? first : later;
}

inline angle_sum arcsine_fast(double sh, double sl) {
    const double_double value = expansion_at(trig_constants::arcsine_table[arcsine_row(sh)], sh, sl);
    return {value.hi, value.lo};
}

// 2 asin sqrt((1 - a)/2) as hi + lo, for 1/2 <= a < 1:
// asin a = pi/2 - 2 asin sqrt((1 - a)/2), where (1 - a)/2 is exact; its root
// sh + sl with sl from one Newton step (2^-104 of the root).
inline angle_sum doubled_arcsine_of_half_complement(double a) {
    const double z = (1.0 - a) * 0.5;
    const double sh = std::sqrt(z);
    const double_double square = two_prod(sh, sh);
    const double sl = ((z - square.hi) - square.lo) / (2.0 * sh);
    const angle_sum r = arcsine_fast(sh, sl);
    return {2.0 * r.hi, 2.0 * r.lo};
}

inline bool arcsine_fast_phase(double x, double& result) {
    const double a = magnitude(x);
    if (a <= arcsine_table_end) {
        const angle_sum r = arcsine_fast(a, 0.0);
        return decided_within(r, sign_bit(x), arcsine_error * r.hi, result);
    }
    const angle_sum r = doubled_arcsine_of_half_complement(a);
    return decided_complement(complement(half_pi, r), r, sign_bit(x), result);
}

inline bool arccosine_fast_phase(double x, double& result) {
    const double a = magnitude(x);
    if (a <= arcsine_table_end) {  // pi/2 - asin x
        const angle_sum r = arcsine_fast(a, 0.0);
        const angle_sum signed_r = sign_bit(x) ? angle_sum{-r.hi, -r.lo} : r;
        return decided_complement(complement(half_pi, signed_r), r, false, result);
    }
    const angle_sum r = doubled_arcsine_of_half_complement(a);  // acos a = 2 asin sqrt((1 - a)/2)
    if (!sign_bit(x)) return decided_within(r, false, arcsine_error * r.hi, result);
    return decided_complement(complement(full_pi, r), r, false, result);
}

// The route every arc function takes: its edge rules, then the fast phase,
// then the double-double value rounded (the wide evaluation where that
// cannot decide); the degree conversion takes the value at 64 bits.
template <bool (*edge)(double, double&), bool (*fast_phase)(double, double&), arc_value (*value)(double),
          wide_fixed (*wide)(double)>
struct arc_route {
    static bool decided_fast(double x, double& result) { return edge(x, result) || fast_phase(x, result); }
    static double evaluate(double x) {
        double result;
        if (decided_fast(x, result)) return result;
        return rounded(value(x), 53, wide, x).hi;
    }
    static double_double to_64_bits(double x) { return rounded(value(x), 64, wide, x); }
};

using arcsine_route = arc_route<arcsine_edge, arcsine_fast_phase, arcsine_value, wide_arcsine>;
using arccosine_route = arc_route<arccosine_edge, arccosine_fast_phase, arccosine_value, wide_arccosine>;
using arctangent_route = arc_route<arctangent_edge, arctangent_fast_phase, arctangent_value, wide_arctangent>;

}  // namespace

double arcsine(double x) { return arcsine_route::evaluate(x); }
double arccosine(double x) { return arccosine_route::evaluate(x); }
double arctangent(double x) { return arctangent_route::evaluate(x); }

bool arcsine_decided_fast(double x) {
    double result;
    return arcsine_route::decided_fast(x, result);
}

bool arccosine_decided_fast(double x) {
    double result;
    return arccosine_route::decided_fast(x, result);
}

bool arctangent_decided_fast(double x) {
    double result;
    return arctangent_route::decided_fast(x, result);
}

bool arcsine_fast_value(double x, double_double& value) {
    const double a = magnitude(x);
    if (!(a >= identity_limit && a <= arcsine_table_end)) return false;
    const angle_sum r = arcsine_fast(a, 0.0);
    value = {r.hi, r.lo};
    return true;
}

bool arctangent_fast_value(double x, double_double& value) {
    const double a = magnitude(x);
    if (!(a >= identity_limit && a <= arctangent_table_end)) return false;
    const angle_sum r = a <= 1.0 ? arctangent_fast<true>(a) : arctangent_beyond_one(a);
    value = {r.hi, r.lo};
    return true;
}

double_double arcsine_to_64_bits(double x) { return arcsine_route::to_64_bits(x); }
double_double arccosine_to_64_bits(double x) { return arccosine_route::to_64_bits(x); }
double_double arctangent_to_64_bits(double x) { return arctangent_route::to_64_bits(x); }

namespace {

// atan(q) rounded, for the quotient q = n / d of two positive doubles below
// 2^-60 (q = n / d rounded, passed in): atan q = q (1 - q^2/3 + ...) lies
// below the exact quotient by less than 2^-120 of it, and a quotient of two
// doubles is never that close to a rounding boundary of the normal range,
// nor equal to one: atan q rounds as q does. Among subnormal quotients the
// exact quotient may be a tie, which q rounds to even (up half the time)
// where atan q, just below the tie, rounds down.
double arctangent_of_tiny_quotient(double n, double d, double q) {
    if (!is_subnormal(q) && q != 0.0) return q;
    // n / d = (on / od) 2^k with on, od odd: a tie at 2^-1074 granularity is
    // an odd multiple of 2^-1075, so od divides on and k = -1075.
    const auto [on, en] = odd_significand_of(n);
    const auto [od, ed] = odd_significand_of(d);
    if (en - ed != -1075 || on % od != 0) return q;
    // The tie (2j + 1) 2^-1075: atan q rounds down to j 2^-1074.
    return static_cast<double>((on / od) >> 1) * smallest_subnormal;
}

// The phases of atan2; with fast_only, false when the fast phase does not
// decide.
template <bool fast_only>
bool arctangent2_phases(double y, double x, double& result) {
    const bool y_negative = sign_bit(y);
    const bool x_negative = sign_bit(x);
    const double signed_pi = y_negative ? -full_pi.hi : full_pi.hi;
    const double signed_half_pi = y_negative ? -half_pi.hi : half_pi.hi;

    if (is_nan(y)) {
        result = pass_nan(y);
    } else if (is_nan(x)) {
        result = pass_nan(x);
    } else if (y == 0.0) {
        result = x_negative ? signed_pi : 0.0;
    } else if (is_infinite(y)) {
        result = is_infinite(x) ? default_nan() : signed_half_pi;
    } else if (x == 0.0) {
        result = signed_half_pi;
    } else if (is_infinite(x)) {
        result = x_negative ? signed_pi : 0.0;
    } else {
        // Both finite and non-zero: atan(small / large), or its complement.
        const bool y_smaller = magnitude(y) <= magnitude(x);
        double small = y_smaller ? magnitude(y) : magnitude(x);
        double large = y_smaller ? magnitude(x) : magnitude(y);
        const double q = small / large;
        double_double angle;
        if (q < tiny_quotient) {
            angle = exact(arctangent_of_tiny_quotient(small, large, q));
            if (!y_smaller) angle = subtract(half_pi, angle);
            if (x_negative) angle = subtract(full_pi, angle);
            // The complements pi/2 - q, pi/2 + q and pi - q lie within 2^-8
            // units in the last place of pi/2 or pi, which are 0.28 units
            // above a double: far from any rounding boundary, so the
            // double-double value rounds correctly as it is.
            result = with_sign(angle, y_negative).hi;
            return true;
        }
        // Bring the larger into [1, 2); the smaller, at least 2^-61 after
        // scaling, stays normal, so the scaling is exact.
        if (large < smallest_normal) {
            small *= 0x1.0p600;
            large *= 0x1.0p600;
        }
        const int shift = -unbiased_exponent(large);
        small = scale_by_power_of_two(small, shift);
        large = scale_by_power_of_two(large, shift);

        const angle_sum v = quotient(small, large);
        angle_sum fast = arctangent_fast(v.hi, v.lo);
        if (!y_smaller) fast = complement(half_pi, fast);
        if (x_negative) fast = complement(full_pi, fast);
        if (decided(fast, y_negative, result)) return true;
        if (fast_only) return false;

        angle = arctangent_unit(divide(exact(small), large));
        if (!y_smaller) angle = subtract(half_pi, angle);
        if (x_negative) angle = subtract(full_pi, angle);
        double nearest;
        if (rounded_surely(angle.hi, angle.lo, angle.hi * accurate_error, nearest)) {
            result = y_negative ? -nearest : nearest;
            return true;
        }
        // The wide evaluation from the same scaled coordinates.
        wide_fixed w = wide_arctangent_unit(divide(to_wide(small), to_wide(large)));
        if (!y_smaller) w = wide_half_pi() - w;
        if (x_negative) w = multiply_small(wide_half_pi(), 2) - w;
        const double r = round_wide(w, 53).hi;
        result = y_negative ? -r : r;
    }
    return true;
}

}  // namespace

double arctangent2(double y, double x) {
    double result;
    arctangent2_phases<false>(y, x, result);
    return result;
}

bool arctangent2_decided_fast(double y, double x) {
    double result;
    return arctangent2_phases<true>(y, x, result);
}

}  // namespace vyxmath
