#include "real/trig/hyperbolic.h"

#include "real/constants.h"
#include "real/double_double.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exponential.h"
#include "real/kernels/wide_fixed.h"
#include "common/ieee_double.h"

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
double_double exp_minus_one(double y) {
    const exp_split s = split_exp(double_double{y, 0.0});
    if (s.exponent == 0) return s.fraction;
    // 2^k (1 + f) - 1 = 2^k f + (2^k - 1), both exact pairs.
    return add(scale(s.fraction, s.exponent), two_sum(power_of_two(s.exponent), -1.0));
}

// The double nearest v (a double-double good to about 2^-90 relative) when a
// rounding test at 2^-75 decides it, else the wide evaluation's result.
template <class Wide>
double decided_or_wide(double_double v, Wide wide_rounded) {
    const double e = magnitude(v.hi) * 0x1p-75;
    const double upper = v.hi + (v.lo + e);
    if (upper == v.hi + (v.lo - e)) return upper;
    return wide_rounded();
}

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

// Below this sinh takes the double-double route; from here on the
// difference e^a - e^-a loses at most the factor (1 + e^-2)/(1 - e^-2) < 1.32
// of the fast phase's accuracy.
constexpr double fast_sine_from = 1.0;

// (e^a + sign e^-a)/2 for 2^-26 <= a <= 40 from two fast-phase values
// (binades within 58 of 0, so the scalings are exact): each is within 2^-68
// of its own size, so the sum is within 2^-68 (e^a + e^-a), below 2^-67.6 of
// the result for cosh and for sinh from a = 1 on; the rounding test takes
// 2^-66 of it. false when the test cannot decide.
bool fast_hyperbolic(double a, double sign, double& result) {
    const exp_unrounded up = exp_fast_value(double_double{a, 0.0});
    const exp_unrounded down = exp_fast_value(double_double{-a, 0.0});
    const double up_scale = power_of_two(up.binade);
    const double down_scale = sign * power_of_two(down.binade);
    const double_double s = two_sum(up.hi * up_scale, down.hi * down_scale);
    const double lo = s.lo + (up.lo * up_scale + down.lo * down_scale);
    const double e = s.hi * 0x1p-66;
    const double upper = s.hi + (lo + e);
    if (upper != s.hi + (lo - e)) return false;
    result = 0.5 * upper;
    return true;
}

}  // namespace

double hyperbolic_sine(double x) {
    if (is_nan(x)) return pass_nan(x);
    const double a = magnitude(x);
    if (a < identity_limit || is_infinite(x)) return x;
    if (a > overflow_limit) return with_sign_of(positive_infinity, x);
    if (a > single_exponential_limit) return with_sign_of(half_exponential(a, -1), x);
    double fast;
    if (a >= fast_sine_from && fast_hyperbolic(a, -1.0, fast)) return with_sign_of(fast, x);
    // sinh a = (D + D / (D + 1)) / 2 with D = e^a - 1: no cancellation.
    const double_double d = exp_minus_one(a);
    const double_double twice = add(d, divide(d, add(d, 1.0)));
    return with_sign_of(decided_or_wide(scale(twice, -1),
                                        [a] { return wide_hyperbolic_rounded(a, -1); }),
                        x);
}

double hyperbolic_cosine(double x) {
    if (is_nan(x)) return pass_nan(x);
    const double a = magnitude(x);
    if (a < cosh_one_limit) return 1.0;
    if (a > overflow_limit) return positive_infinity;
    if (a > single_exponential_limit) return half_exponential(a, 1);
    double fast;
    if (fast_hyperbolic(a, 1.0, fast)) return fast;
    const exp_split s = split_exp(double_double{a, 0.0});
    const double_double e = scale(add(s.fraction, 1.0), s.exponent);
    const double_double twice = add(e, divide(double_double{1.0, 0.0}, e));
    return decided_or_wide(scale(twice, -1), [a] { return wide_hyperbolic_rounded(a, 1); });
}

double hyperbolic_tangent(double x) {
    if (is_nan(x)) return pass_nan(x);
    const double a = magnitude(x);
    if (a >= tanh_unit_threshold) return with_sign_of(1.0, x);
    if (a < identity_limit) return x;
    // tanh a = D / (D + 2) = 1 - 2 / (D + 2) with D = e^2a - 1.
    const double_double d = exp_minus_one(2.0 * a);
    const double_double denominator = add(d, 2.0);
    const double_double t = a < tanh_complement_limit
                                ? divide(d, denominator)
                                : subtract(double_double{1.0, 0.0}, divide(double_double{2.0, 0.0}, denominator));
    return with_sign_of(decided_or_wide(t, [a] { return wide_tanh_rounded(a); }), x);
}

}  // namespace vyxmath
