// Exponential and logarithm in double-double arithmetic.
//
// e^y: y = k ln 2 + r with |r| <= ln 2 / 2, then r' = r / 256 and
// e^r' - 1 from its Taylor series, then eight squarings in the form
// (1 + f)^2 - 1 = f (2 + f), which keep the relative accuracy of f.
//
// ln x: x = 2^e m with 1/sqrt2 <= m <= sqrt2, then
// ln m = 2 atanh(s) = 2 (s + s^3/3 + s^5/5 + ...) with s = (m - 1)/(m + 1),
// |s| <= 0.1716.
#include "real/kernels/exp_log.h"

#include <bit>
#include <cassert>
#include <cstdint>

#include "real/constants.h"
#include "real/double_double.h"
#include "real/error_bound.h"
#include "real/kernels/exp_log_detail.h"
#include "real/kernels/exponential.h"
#include "real/kernels/logarithm.h"
#include "real/kernels/wide_fixed.h"
#include "common/ieee_double.h"

namespace vyxmath {
namespace {

// The reduced argument is divided by 2^8 before the series and the result
// squared back eight times.
constexpr int exp_squarings = 8;

// |r'| <= 0.3466 / 256 < 1.36e-3. With f = r' P(r'), P(r') = sum c_j r'^j and
// c_j = 1 / (j + 1)!, the first term left out (c_9 r'^9) is below 4.5e-33,
// that is 2^-107 relative to P. The terms j >= 5 are below 6.6e-18 < 2^-56
// together, so they are summed in plain double (relative error below 2^-53
// of them, with their rounded coefficients, 2^-108 of P); the terms j < 5 in
// double-double.
constexpr int exp_terms = 9;
constexpr int exp_head_terms = 5;
constexpr double exp_tail[] = {1.0 / 720, 1.0 / 5040, 1.0 / 40320, 1.0 / 362880};
constexpr double_double exp_head[] = {
    {1.0, 0.0},
    {0.5, 0.0},
    divide(double_double{1.0, 0.0}, 6.0),
    divide(double_double{1.0, 0.0}, 24.0),
    divide(double_double{1.0, 0.0}, 120.0),
};

// 1 / ln 2, only to choose k: for |y| <= 1100, y.hi * inverse_ln2 lies within
// 2^-41 of y / ln 2, so the k it rounds to leaves |r| <= ln 2 / 2 + 2^-41,
// below the 0.3466 the series bound above takes.
constexpr double inverse_ln2 = 0x1.71547652b82fep0;

// atanh series: ln m = 2 (s + s^3 P(s^2)), P(z) = sum_j z^j / (2j + 3).
// z = s^2 <= 0.02944; the first term left out, z^19 / 41, is below 2^-100
// relative to P (which is at least 1/3), and s^3 P is below 1% of s, so the
// truncation costs less than 2^-106 of ln m. The terms j >= 10 (below
// 3e-17 together) are summed in plain double.
constexpr int log_terms = 19;
constexpr int log_head_terms = 10;

constexpr double_double log_coefficient(int j) {
    return divide(double_double{1.0, 0.0}, static_cast<double>(2 * j + 3));
}

constexpr auto make_log_head() {
    struct table {
        double_double c[log_head_terms];
    } t{};
    for (int j = 0; j < log_head_terms; ++j) t.c[j] = log_coefficient(j);
    return t;
}
constexpr auto log_head = make_log_head();

constexpr double sqrt2 = 0x1.6a09e667f3bcdp0;

// ln x for finite x > 0; constexpr so that the logarithm of a constant base
// can be taken once, by the same operations.
constexpr double_double natural_log(double x) {
    assert(x > 0.0 && is_finite(x));
    const binade_split split = split_binade(x);
    double m = split.significand;
    int e = split.exponent;
    if (m > sqrt2) {
        m *= 0.5;
        e += 1;
    }
    // m - 1 is exact (Sterbenz); m + 1 may need 54 bits.
    const double_double s = divide(double_double{m - 1.0, 0.0}, two_sum(m, 1.0));
    const double_double z = mul(s, s);

    const double_double p = split_horner<tail_join::rounded_product>(
        z, log_terms, log_head_terms, [](int j) { return 1.0 / (2 * j + 3); },
        [](int j) { return log_head.c[j]; });
    const double_double ln_m = scale(add(s, mul(s, mul(z, p))), 1);

    if (e == 0) return ln_m;
    double_double result = add(two_prod(e, ln2.hi), two_prod(e, ln2.lo));
    return add(result, ln_m);
}

// The edge results both logarithms share: ln(+-0) = -inf, a negative x
// gives the default not-a-number, ln(+inf) = +inf, NaN passes through.
bool log_edge(double x, double& result) {
    if (is_nan(x)) {
        result = pass_nan(x);
    } else if (x == 0.0) {
        result = -positive_infinity;
    } else if (x < 0.0) {
        result = default_nan();
    } else if (x == positive_infinity) {
        result = x;
    } else {
        return false;
    }
    return true;
}

}  // namespace

exp_split split_exp(double_double y) {
    const double t = y.hi * inverse_ln2;
    const int k = static_cast<int>(t < 0 ? t - 0.5 : t + 0.5);
    // k ln 2 to 106 bits; k * ln2.hi and k * ln2.lo are exact as pairs.
    double_double r = add(y, negate(two_prod(k, ln2.hi)));
    r = add(r, negate(two_prod(k, ln2.lo)));
    r = scale(r, -exp_squarings);

    const double_double p = split_horner<tail_join::rounded_product>(
        r, exp_terms, exp_head_terms, [](int j) { return exp_tail[j - exp_head_terms]; },
        [](int j) { return exp_head[j]; });
    double_double f = mul(r, p);

    for (int i = 0; i < exp_squarings; ++i) f = mul(f, add(f, 2.0));
    return {k, f};
}

// The budget of split_exp, relative to e^y (and to f where k = 0):
//   reduction: k ln 2 with |k| < 1588 and the pair ln2 within 2^-108.9 of
//     ln 2 (its low part rounded), 2^-98.3 absolute in r; the two additions
//     forming r, |r| <= 0.35, a pair's add each (none where k = 0)
//   series: the tail in doubles (2^-108) and the truncation (2^-107), the
//     four Horner steps (an add and a mul each) on sums above 1, the
//     product by r
//   squarings: eight of f (2 + f), a mul and an add on a double each; each
//     scales the relative error of f before it by (2 + 2f)/(2 + f), their
//     product below 1.42 (f doubling each time up to 0.42)
namespace split_exp_budget {
namespace eb = error_bound;
constexpr double reduction = eb::sum(eb::two_to_minus(98.3), eb::product(2 * 0.35, pair_error::add));
constexpr double series = eb::sum(eb::two_to_minus(108), eb::two_to_minus(107),
                                  eb::product(4, eb::sum(pair_error::add, pair_error::mul)), pair_error::mul);
constexpr double squarings = eb::product(8, eb::sum(pair_error::mul, pair_error::add));
constexpr double value = eb::sum(reduction, eb::product(1.42, eb::sum(series, squarings)));
static_assert(eb::product(4, value) <= accurate_exp_log_error);
}  // namespace split_exp_budget

// The budget of natural_log, relative to ln x:
//   s = (m - 1)/(m + 1): one divide of exact operands
//   ln m = 2 (s + s z P): z = s^2 (twice s's error and a mul), P (its
//     tail in doubles below 2^-108, nine Horner steps on terms of one sign),
//     two muls, all weighing z P < 0.0099 of s; the sum, one add
//   e ln 2 + ln m: ln 2 as a pair within 2^-108.9, the exact products'
//     sum (an add), and the last add, in which |e ln 2| + |ln m| is at most
//     3.006 |ln x| (|ln m| <= 0.347, |e ln 2| >= 0.693)
namespace natural_log_budget {
namespace eb = error_bound;
constexpr double quotient = pair_error::divide;
constexpr double rest = eb::sum(eb::product(2, quotient), pair_error::mul, eb::two_to_minus(108),
                                eb::product(9, eb::sum(pair_error::add, pair_error::mul)), eb::product(2, pair_error::mul));
constexpr double ln_m = eb::sum(quotient, eb::product(0.0099, rest), pair_error::add);
constexpr double value =
    eb::sum(eb::product(3.006, eb::sum(eb::larger(ln_m, eb::two_to_minus(108.9)), pair_error::add)), pair_error::add);
static_assert(eb::product(4, value) <= accurate_exp_log_error);
}  // namespace natural_log_budget

const double split_exp_error = split_exp_budget::value;
const double natural_log_error = natural_log_budget::value;

double to_double_scaled(double_double v, int exponent, TinyResult tiny) {
    // v.hi <= 4, so the value is at least 2^-1022 (normal) once
    // v.hi * 2^(exponent + 1074) exceeds 2^52; exponent > -1020 with
    // v.hi >= 0.25 is always normal.
    if (exponent > -1020) return scale_by_power_of_two(v.hi, exponent);
    const int shift = exponent + 1074;  // the value in units of 2^-1074
    if (shift < -4) return 0.0;         // below 2^-1074 / 4
    const double f = power_of_two(shift);
    const double h = v.hi * f;
    const double l = v.lo * f;
    if (h > 0x1p52) return scale_by_power_of_two(v.hi, exponent);

    // Subnormal (or exactly 2^-1022): one rounding of h + l to an integer n.
    // h <= 2^52, so h - trunc(h) is exact, and comparisons of doubles are
    // exact, so the direction is decided on h + l itself.
    std::uint64_t n = static_cast<std::uint64_t>(h);
    const double d = h - static_cast<double>(n);
    if (tiny == TinyResult::round_to_nearest) {
        // Exact where it matters: for d >= 1/4 by Sterbenz's lemma; for smaller
        // d, h + l is clearly below n + 1/2 either way.
        const double above_half = d - 0.5;
        if (above_half > -l || (above_half == -l && (n & 1) != 0)) ++n;
    } else {
        if (d < -l) --n;  // only when d == 0: h + l lies just below n
    }
    return static_cast<double>(n) * smallest_subnormal;
}

double integer_times_power_of_two(std::uint64_t n, int e, TinyResult tiny) {
    assert(n != 0);
    const int lead = std::countl_zero(n);  // brought to the top bit
    n <<= lead;
    e -= lead;
    const int top = 63 + e;
    if (top > ieee_double::max_exponent) return positive_infinity;
    int shift = top >= ieee_double::min_normal_exponent ? 64 - ieee_double::precision
                                                         : ieee_double::subnormal_exponent - e;  // bits dropped
    std::uint64_t kept = shift >= 64 ? 0 : n >> shift;
    const std::uint64_t rest = shift >= 64 ? n : n & ((std::uint64_t{1} << shift) - 1);
    if (tiny == TinyResult::round_to_nearest || top >= ieee_double::min_normal_exponent) {
        if (shift <= 64) {
            const std::uint64_t half = std::uint64_t{1} << (shift - 1);
            if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
        }
    }
    if (shift > 64) shift = 64;
    return scale_by_power_of_two(static_cast<double>(kept), e + shift);
}

double_double exp_minus_one(const exp_split& s) {
    assert(s.exponent <= 1000);
    if (s.exponent == 0) return s.fraction;
    return add(scale(s.fraction, s.exponent), two_sum(power_of_two(s.exponent), -1.0));
}

double_double log_double_double(double x) { return natural_log(x); }



double expm1_kernel(double x) {
    if (is_nan(x)) return pass_nan(x);
    if (x > 710.0) return positive_infinity;
    if (x < -40.0) return -1.0;  // e^-40 < 2^-54: -1 + e^x rounds to -1
    // |x| < 2^-54: x^2/2 is below a quarter of the last place of x.
    if (magnitude(x) < 0x1p-54) return x;
    const exp_split s = split_exp(double_double{x, 0.0});
    if (s.exponent > 1000)  // the 1 subtracted lies 2^-1000 below the value
        return to_double_scaled(add(s.fraction, 1.0), s.exponent, TinyResult::round_to_nearest);
    return exp_minus_one(s).hi;
}

double log_after_fast_phase(double x) {
    double result;
    if (log_edge(x, result)) return result;
    return decided_or_wide(log_double_double(x), [x] { return wide_log_rounded(x); });
}

double log10_after_fast_phase(double x) {
    double result;
    if (log_edge(x, result)) return result;
    return decided_or_wide(mul(log_double_double(x), inverse_ln10), [x] { return wide_log10_rounded(x); });
}

}  // namespace vyxmath
