#include "real/trig/hyperbolic.h"

#include <iterator>

#include "real/constants.h"
#include "real/double_double.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exponential.h"
#include "real/kernels/wide_fixed.h"
#include "common/ieee_double.h"
#include "real/error_bound.h"
#include "real/trig/hyperbolic_detail.h"

namespace vyxmath {
namespace {

// Below this, cosh x - 1 = x^2/2 + ... stays under half a unit of 1.
constexpr double cosh_one_limit = 0x1.0p-26;
// Above this, e^-x is below 2^-115 of e^x and sinh x, cosh x are e^x / 2.
constexpr double single_exponential_limit = 40.0;
// Above this, e^x / 2 exceeds the largest double (overflow from 710.4759).
constexpr double overflow_limit = 711.0;
// Above this, tanh x = 1 - 2/(e^2x + 1) is at least 1/2: computed as the
// difference from 1 it keeps its accuracy all the way up to 1.
constexpr double tanh_complement_limit = 0.55;

// e^y - 1 for 0 < y <= 40, with its relative accuracy kept for small y.
double_double exp_minus_one_of(double y) { return exp_minus_one(split_exp(double_double{y, 0.0})); }

// sinh a or cosh a for 40 < a <= 711: e^a / 2 = e^(a - ln 2) (e^-a is below
// 2^-115 of it), +infinity where it exceeds the largest double. The pair
// a - ln 2 is good to 2^-100; what the double phases leave undecided the
// wide evaluation takes, with e^-a included.
double half_exponential(double a, int sign) {
    const double_double s = two_sum(a, -ln2.hi);
    double result;
    if (a <= 710.0 && exp_by_double_phases(double_double{s.hi, s.lo - ln2.lo}, result)) return result;
    return wide_hyperbolic_rounded(a, sign);
}

double with_sign_of(double value, double x) { return sign_bit(x) ? -value : value; }

// sinh a = a + a^3/3! + ... + a^13/13! and tanh a = a - a^3/3 + ... -
// 929569 a^15/638512875 + 6404582 a^17/10854718875 for small a, as
// a + a^3 (c1 + z w), z = a^2, w = c2 + z (c3 + ...) in plain double and c1
// as a pair, so that the two terms that carry the value are exact enough:
// the rest is at most a z / 6 (sinh, a < 1/8: 2^-8.5 a) or a z / 3 (tanh,
// a < 1/16: 2^-9.5 a).
//
// Error, relative to the result. Truncation: the first term left out is below
// a^15/15! < 2^-82 a (sinh) and 443861162 a^19/1856156927625 < 2^-84 a (tanh).
// w (below 0.134) errs by 2.01 u of itself (u = 2^-53): its first
// coefficient's rounding and its last sum's, the inner terms' roundings
// scaled by z < 2^-6 and falling, below 2^-8 u; z = a*a rounded and the
// product z w add u each, so z w, below 2^-12.9 (sinh) and 2^-10.9 (tanh),
// is good to 4.02 u of itself; the pair c1 + z w (one rounding, below 2^-105)
// carries that error against c1 = 1/6 or 1/3. a^3 as the pair
// mul(two_prod(a, a), a) and the product with the pair carry below 2^-100 of
// themselves. With a^3 u below 2^-8.5 a and 2^-9.5 a, the sum carries u's
// error times that, and the final fast_two_sum and the sum of the low
// parts below 2^-100 a. Total below 2^-68 |result| (the result is at least
// a (1 - 2^-9.5)), summed in odd_series_budget (hyperbolic_detail.h): the
// test takes twice that or more, series_error.
constexpr double series_error = 0x1p-67;
static_assert(error_bound::product(2, error_bound::larger(sinh_series_error, tanh_series_error)) <= series_error);

struct odd_series {
    double_double c1;
    const double* tail;  // c2, c3, ...
    int tail_terms;
};

constexpr odd_series sinh_series{sinh_series_c1, sinh_series_tail, static_cast<int>(std::size(sinh_series_tail))};
constexpr odd_series tanh_series{tanh_series_c1, tanh_series_tail, static_cast<int>(std::size(tanh_series_tail))};


// The series' value as hi + lo, before the rounding test; always inlined,
// so that the fast phase compiles alike whether or not the value is also
// taken out of line (sinh_series_value, tanh_series_value).
[[gnu::always_inline]] inline double_double odd_series_value(const odd_series& series, double a) {
    const double_double square = two_prod(a, a);
    const double z = square.hi;
    double w = series.tail[series.tail_terms - 1];
    for (int j = series.tail_terms - 2; j >= 0; --j) w = series.tail[j] + z * w;
    const double_double u = add(series.c1, z * w);
    const double_double v = mul(mul(square, a), u);
    const double_double s = fast_two_sum(a, v.hi);
    return {s.hi, s.lo + v.lo};
}

bool odd_series_fast(const odd_series& series, double a, double& result) {
    const double_double v = odd_series_value(series, a);
    return rounded_surely(v.hi, v.lo, v.hi * series_error, result);
}

// (e^a + sign e^-a)/2 for 2^-26 <= a <= 40 from the fast-phase pair
// (binades within 58 of 0, so the scalings are exact): each is within 2^-68
// of its own size, so the sum is within 2^-68 (e^a + e^-a), which is 2^-68
// of the result for cosh and 2^-68 coth a of it for sinh: below 2^-67.6 from
// a = 1 on, 2^-66.8 from 1/2, 2^-64.9 from 1/8 (coth 1/2 < 2.164, coth 1/8
// < 8.042). The rounding test takes error_scale (cosh_error, and
// sinh_error_from_half, _from_eighth) of it. false when the test cannot
// decide.
// The sum and its halving (exact: in the scalings, the test being on the
// halved values) are exp_pair_fast_half_sum's, in the exponential's own
// unit so that the pair's parts stay in registers.
constexpr double cosh_error = 0x1p-66;
constexpr double sinh_error_from_half = 0x1p-66;
constexpr double sinh_error_from_eighth = 0x1p-64;
static_assert(error_bound::up(exp_fast_phase_error) <= cosh_error);
static_assert(error_bound::product(exp_fast_phase_error, 2.164) <= sinh_error_from_half);
static_assert(error_bound::product(exp_fast_phase_error, 8.042) <= sinh_error_from_eighth);

template <int sign>
bool fast_hyperbolic(double a, double error_scale, double& result) {
    const double_double s = exp_pair_fast_half_sum<sign>(a);
    return rounded_surely(s.hi, s.lo, s.hi * error_scale, result);
}

// tanh a = 1 - 2/(E + 1), E = e^2a from the fast phase, 1/16 <= a < 19.07.
//
// E = 2^b (H + L) (1 + t) with |t| < 2^-68 (1 + 2^-50), and tanh as a function
// of E has the relative sensitivity (dT/T)/(dE/E) = 2E/(E^2 - 1) =
// 1/sinh 2a, so t adds below 2^-68 (1 + 2^-49)/sinh 2a: 2^-68.23 from a =
// 1/2 (sinh 1 > 1.1752), 2^-66.02 from 1/8 (sinh 1/4 > 0.2526), 2^-65.01
// from 1/16 (sinh 1/8 > 0.1253).
// The steps: 2^b (H + L) as an exact pair (|L| < 2^-19 H, exact scalings),
// E + 1 = D = dh + dl, two_sum exact and one rounding of terms below
// 2^-52 D (2^-105 D). q1 = 2/dh rounded; the remainder 2 - q1 dh is
// exact from Dekker's product (2 - p.hi exact by Sterbenz, p.hi within 2^-52
// of 2), less q1 dl: below 2^-50 with roundings below 2^-103; q2 = r q1/2
// (1/dh taken as q1/2, off by 2^-52) is within 2^-101 of r/D, so q1 + q2 is
// within 2^-100 q of q = 2/D. 1 - q1 as an exact pair (Sterbenz when q1 >=
// 1/2), less q2 with one rounding below 2^-105: the result is within
// 2^-100 q + 2^-104 of T, below 2^-95 T (q < 1, T > tanh 1/16 > 0.062).
// The test takes tanh_error_from_half, _from_eighth and _from_sixteenth of
// T, each asserted below against the sum.
constexpr double tanh_error_from_half = 0x1p-67;
constexpr double tanh_error_from_eighth = 0x1p-65;
constexpr double tanh_error_from_sixteenth = 0x1p-64;
constexpr double tanh_quotient_error = 0x1p-95;
constexpr double tanh_exponential_error(double least_sinh_2a) {
    return error_bound::sum(error_bound::product(exp_fast_phase_error * (1 + 0x1p-49), error_bound::up(1.0 / least_sinh_2a)),
                            tanh_quotient_error);
}
static_assert(tanh_exponential_error(1.1752) <= tanh_error_from_half);
static_assert(tanh_exponential_error(0.2526) <= tanh_error_from_eighth);
static_assert(tanh_exponential_error(0.1253) <= tanh_error_from_sixteenth);

bool tanh_from_exponential(double a, double& result) {
    const exp_unrounded e = exp_fast_value(double_double{2.0 * a, 0.0});
    const double scale = power_of_two(e.binade);
    const double_double big = fast_two_sum(e.hi * scale, e.lo * scale);
    const double_double d0 = two_sum(big.hi, 1.0);
    const double dl = d0.lo + big.lo;
    const double q1 = 2.0 / d0.hi;
    const double_double p = two_prod(q1, d0.hi);
    const double r = ((2.0 - p.hi) - p.lo) - q1 * dl;
    const double q2 = r * (0.5 * q1);
    const double_double t = fast_two_sum(1.0, -q1);
    const double error_scale = a >= 0.5     ? tanh_error_from_half
                              : a >= 0.125 ? tanh_error_from_eighth
                                           : tanh_error_from_sixteenth;
    return rounded_surely(t.hi, t.lo - q2, t.hi * error_scale, result);
}

// The fast phases alone, for |x| in the ranges where they run (elsewhere
// true): whether they decide x.
bool sinh_fast(double a, double& result) {
    if (a < sinh_series_limit) return odd_series_fast(sinh_series, a, result);
    return fast_hyperbolic<-1>(a, a >= 0.5 ? sinh_error_from_half : sinh_error_from_eighth, result);
}

bool tanh_fast(double a, double& result) {
    if (a < tanh_series_limit) return odd_series_fast(tanh_series, a, result);
    return tanh_from_exponential(a, result);
}

// cosh a where the fast phase cannot decide, 2^-26 <= a <= 40.
double cosh_after_fast_phase(double a) {
    const exp_split s = split_exp(double_double{a, 0.0});
    const double_double e = scale(add(s.fraction, 1.0), s.exponent);
    const double_double twice = add(e, divide(double_double{1.0, 0.0}, e));
    return decided_or_wide(scale(twice, -1), [a] { return wide_hyperbolic_rounded(a, 1); });
}

}  // namespace

double_double sinh_series_value(double a) { return odd_series_value(sinh_series, a); }
double_double tanh_series_value(double a) { return odd_series_value(tanh_series, a); }

double hyperbolic_sine(double x) {
    if (is_nan(x)) return pass_nan(x);
    const double a = magnitude(x);
    if (a < identity_limit || is_infinite(x)) return x;
    if (a > overflow_limit) return with_sign_of(positive_infinity, x);
    if (a > single_exponential_limit) return with_sign_of(half_exponential(a, -1), x);
    double fast;
    if (sinh_fast(a, fast)) return with_sign_of(fast, x);
    // sinh a = (D + D / (D + 1)) / 2 with D = e^a - 1: no cancellation.
    const double_double d = exp_minus_one_of(a);
    const double_double twice = add(d, divide(d, add(d, 1.0)));
    return with_sign_of(decided_or_wide(scale(twice, -1),
                                        [a] { return wide_hyperbolic_rounded(a, -1); }),
                        x);
}

// The fast phase's range first, by two comparisons (NaN fails both).
double hyperbolic_cosine(double x) {
    const double a = magnitude(x);
    if (a >= cosh_one_limit && a <= single_exponential_limit) [[likely]] {
        double fast;
        if (fast_hyperbolic<1>(a, cosh_error, fast)) return fast;
        return cosh_after_fast_phase(a);
    }
    if (is_nan(x)) return pass_nan(x);
    if (a < cosh_one_limit) return 1.0;
    if (a > overflow_limit) return positive_infinity;
    return half_exponential(a, 1);
}

double hyperbolic_tangent(double x) {
    if (is_nan(x)) return pass_nan(x);
    const double a = magnitude(x);
    if (a >= tanh_unit_threshold) return with_sign_of(1.0, x);
    if (a < identity_limit) return x;
    double fast;
    if (tanh_fast(a, fast)) return with_sign_of(fast, x);
    // tanh a = D / (D + 2) = 1 - 2 / (D + 2) with D = e^2a - 1.
    const double_double d = exp_minus_one_of(2.0 * a);
    const double_double denominator = add(d, 2.0);
    const double_double t = a < tanh_complement_limit
                                ? divide(d, denominator)
                                : subtract(double_double{1.0, 0.0}, divide(double_double{2.0, 0.0}, denominator));
    return with_sign_of(decided_or_wide(t, [a] { return wide_tanh_rounded(a); }), x);
}

bool hyperbolic_sine_decided_fast(double x) {
    const double a = magnitude(x);
    double result;
    return !(a >= identity_limit && a <= single_exponential_limit) || sinh_fast(a, result);
}

bool hyperbolic_cosine_decided_fast(double x) {
    const double a = magnitude(x);
    double result;
    return !(a >= cosh_one_limit && a <= single_exponential_limit) || fast_hyperbolic<1>(a, cosh_error, result);
}

bool hyperbolic_tangent_decided_fast(double x) {
    const double a = magnitude(x);
    double result;
    return !(a >= identity_limit && a < tanh_unit_threshold) || tanh_fast(a, result);
}

}  // namespace vyxmath
