// a^b = e^(b ln a) in two phases.
//
// Fast phase: ln a as a pair within an error bound E of its own
// (log_for_small_power: below 2^-75 |ln a| on [0.6875, 1.375), below 2^-69.4
// absolute elsewhere), y = b ln a as a pair: Dekker's product (p.hi, p.lo) of
// the high part of ln a by b, and l = p.lo + b ln a lo. Away from 1 the
// logarithm's pair is not normalised (|lo| < 2^-18.8, so that the product by
// hi need not wait for lo): b lo and the sum round below 2^-71.8 |b| each,
// 2^-70.8 |b| together; with a normalised pair below 2^-104 |y|. Beyond |b| =
// 32, y = fast_two_sum(p.hi, l) (exact: |p.hi| exceeds l), so that |y.lo| <
// 2^-43 as the exponential's bound takes it. Up to |b| = 32 the exponential
// takes y = (p.hi, l) as it is, |l| <= L = |b| 2^-18.8 + 2^-42.5 < 2^-13.79,
// and its bound is derived again for a low part of that size: k and a = y.hi
// - k exp_step_hi depend on y.hi only; |r| <= 1.3539e-3 + L < 2^-9.45, which
// makes the terms of the bound that hold x^2 (x for r, the polynomial's
// roundings, Th q and Tl q) 1.114 times larger and the Taylor remainder below
// 2^-78.5 (in all 27.6 * 2^-73 = 2^-68.21 in place of 2^-68.35); and seven
// steps take L into a sum or a product: c, rest, the polynomial's last sum,
// Th q, the sum that adds it, the Tl q left out and the rounding test's own
// sum lo +- error, each by at most 2^-53 L of e^r or of Th (Th / H < 1.003):
// 8 * 2^-53 L <= |b| 2^-68.8 + 2^-92.5. With the product's roundings, |b|
// (2^-68.8 + 2^-70.8) < |b| 2^-68.48 (unnormalised_low_rounding; for |b| > 32
// it only widens the test). The normal range is still that of
// exp_fast_phase_in_normal_range: e^r stays within [0.9985, 1.0015], so H in
// [0.99, 2.01]. An error d in y moves e^y by a factor e^d, |d| < |b| E (1 +
// 2^-28), so the exponential's rounding test takes 2^-68 + |b| E in place of
// its own 2^-68 (its value's bound, 2^-68.21, leaves room for the factor,
// 2^-92.5 and the product's 2^-104 |y|): what it decides is the correctly
// rounded a^b. Where |b| E is large (large exponents away from 1) and the
// test cannot decide, ln a is taken again within 2^-75 |ln a|
// (log_for_power), so that the bound is 2^-68 + 2^-75 |y|. It decides only
// normal results; every other one, and every argument it cannot decide, goes
// to the accurate phase: the exact and half-way results below, then ln a and
// b ln a in double-double (relative error about 2^-94 after e^y) and the
// exponential's double-double and wide phases. A result that is a double is
// decided by the fast phase as well (all values within its error round to
// it); a half-way one never is.
//
// Exact results need care: a rounding of a close approximation is only as
// good as the distance of the true value from the rounding boundary. A result
// that is a double, or lies exactly half-way between two doubles (or, below
// the smallest normal double, on a multiple of 2^-1074), is a dyadic
// rational. With a = m 2^e (m odd) and b = p / 2^s in lowest terms, a^b is
// one only when
//   - m = 1 and e b is a whole number: the power of two 2^(eb); or
//   - p > 0, m = r^(2^s) for a whole r, and 2^s divides e: r^p 2^(ep/2^s).
// In the second family r^p is odd, so it is a double or half-way only with
// at most 54 significant bits (below the smallest normal double, r^p is
// below 2^52 anyway); since r >= 3 that needs p <= largest_exact_exponent =
// 34 (3^35 > 2^55) and, m being below 2^53, 2^s <= 2^largest_root_order =
// 32. Both families are computed exactly here, from r^p below 2^54.
// Every other result lies strictly between rounding boundaries, so one of
// the phases' rounding tests decides it (the wide evaluation when it lies
// closer to a boundary than the double-double phase's error).
#include "real/kernels/power.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "real/constants.h"
#include "real/double_double.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exponential.h"
#include "real/kernels/logarithm.h"
#include "common/ieee_double.h"
#include "real/kernels/wide_fixed.h"

namespace vyxmath {
namespace {

constexpr int largest_exact_exponent = 34;
constexpr int largest_root_order = 5;

// floor(sqrt(n)) by Newton's iteration on integers, from above.
std::uint64_t integer_square_root(std::uint64_t n) {
    if (n < 2) return n;
    std::uint64_t r = std::uint64_t{1} << ((std::bit_width(n) + 1) / 2);  // above sqrt(n)
    for (;;) {
        const std::uint64_t next = (r + n / r) / 2;
        if (next >= r) return r;
        r = next;
    }
}

// The exact results described above; false when (a, b) is not one of them.
bool exact_power(double a, double b, double& result) {
    const integer_significand x = odd_significand_of(a);  // a = odd * 2^exponent
    if (x.significand == 1) {
        // e b a whole number of moderate size: then 2^(eb) exactly.
        const double_double eb = two_prod(static_cast<double>(x.exponent), b);
        if (eb.lo != 0.0 || !is_integer(eb.hi)) return false;
        if (eb.hi > 1100.0) result = positive_infinity;
        else if (eb.hi < -1100.0) result = 0.0;
        else result = integer_times_power_of_two(1, static_cast<int>(eb.hi), TinyResult::truncate);
        return true;
    }
    // b = p / 2^s with 0 <= s <= largest_root_order (scaling by 2^s is exact).
    int s = 0;
    while (s <= largest_root_order && !is_integer(b * static_cast<double>(1 << s))) ++s;
    if (s > largest_root_order) return false;
    const double p_value = b * static_cast<double>(1 << s);
    if (!(p_value >= 1.0 && p_value <= largest_exact_exponent)) return false;
    if ((x.exponent & ((1 << s) - 1)) != 0) return false;
    std::uint64_t root = x.significand;  // r with r^(2^s) = m
    for (int i = 0; i < s; ++i) {
        const std::uint64_t r = integer_square_root(root);
        if (r * r != root) return false;
        root = r;
    }
    const int p = static_cast<int>(p_value);
    std::uint64_t n = 1;
    for (int i = 0; i < p; ++i) {  // at most largest_exact_exponent steps
        if (n > UINT64_MAX / root) return false;
        n *= root;
    }
    result = integer_times_power_of_two(n, (x.exponent >> s) * p, TinyResult::truncate);
    return true;
}

// e^(b ln a) from ln a as a double-double; |ln a| >= 2^-53 for a != 1, so
// every y in (-746, 710) has |b| < 2^63 and the product is exact as a pair.
// Its error, that of ln a (about 2^-100 relative) times |y| <= 746, is
// below 2^-90: a small part of the margin of both double phases.
double power_from_log(double a, double_double ln_a, double b) {
    const double y_estimate = ln_a.hi * b;
    if (y_estimate > 710.0) return positive_infinity;  // e^710 > largest double
    if (y_estimate < -746.0) return 0.0;               // e^-746 < 2^-1076
    const double_double y = mul(ln_a, b);
    if (magnitude(y.hi) < 0x1p-60) return 1.0;  // e^y within 2^-59 of 1
    double result;
    if (exp_by_double_phases(y, result)) return result;
    return wide_power_rounded(a, b, TinyResult::truncate);
}

// a^b for finite a > 0 and finite b.
double positive_power(double a, double b) {
    if (b == 0.0 || a == 1.0) return 1.0;
    // Powers of the constant e (the exponential, the normal density) skip the
    // logarithm: the stored one is the same pair. The constant is an odd
    // multiple of 2^-51 with 53 significant bits, so its only power that is a
    // double or half-way between two is its first.
    if (a == euler_e) return power_of_euler_e(b);
    double fast = 0.0;
    if (power_fast_phase(a, b, fast)) return fast;
    double exact = 0.0;
    if (exact_power(a, b, exact)) return exact;
    return power_from_log(a, log_double_double(a), b);
}

}  // namespace

namespace {

// e^(b ln a) from ln a within log_error (absolute), as the fast phase takes
// it: the correctly rounded value, or 0 when it cannot decide (every value it
// decides is positive).
// y = y.hi + y.lo as at the head of this file (normalised beyond |b| = 32),
// from whose high part the exponential takes its reduction; within its
// normal range (the common case) the exponential needs no checks of its
// result's range. A y below 2^-60 in magnitude
// needs no check either: there q < 2^-59 and the error term (|b| E small, as
// |ln a| >= 0.318 away from 1 and E is relative near 1) below 2^-66, so
// both ends of the rounding test are 1 and the result is 1, e^y rounded.
// Inline: on 32-bit x86 a call would take the pair made by two 8-byte
// stores as one 16-byte load, which stalls (about 15 ns in the module).
[[gnu::always_inline]] inline double power_from_log_pair(double_double ln_a, double b, double log_error) {
    const double_double p = two_prod(ln_a.hi, b);
    const double low = p.lo + ln_a.lo * b;
    // Up to |b| = 32 the exponential takes the pair as it is (see the head of
    // this file); beyond, normalised.
    const double_double y = magnitude(b) <= 32.0 ? double_double{p.hi, low} : fast_two_sum(p.hi, low);
    const double error = exp_fast_phase_error + std::fabs(b) * log_error;  // one and of the sign bit
    if (y.hi >= exp_normal_range_low && y.hi <= exp_normal_range_high)
        return exp_fast_phase_in_normal_range(y.hi, y.lo, error);
    double result;
    if (magnitude(y.hi) <= 709.0 && exp_fast_phase(y, error, result)) return result;
    return 0.0;
}

// What the logarithm's unnormalised pair (|lo| < 2^-18.8, away from 1) adds
// to the error of e^y per unit of |b|: below 2^-68.48 (see the head of this
// file).
constexpr double unnormalised_low_rounding = 0x1.8p-69;

// Where the shorter logarithm's test cannot decide and b is large: the
// logarithm within 2^-75 |ln a|. 0 when undecided, as above.
[[gnu::noinline]] double power_with_precise_log(double a, double b) {
    if (magnitude(b) <= 32.0 || (a >= 0.6875 && a < 1.375)) return 0.0;
    const double_double precise = log_for_power(a);
    return power_from_log_pair(precise, b, magnitude(precise.hi) * log_for_power_error);
}

// First the logarithm that is shorter away from 1 (its error there
// absolute, so that |b| times it grows with b); where its test cannot decide
// and b is large, the one within 2^-75 |ln a| everywhere. 0 when undecided.
[[gnu::always_inline]] inline double fast_power(double a, double b) {
    const double_double ln_a = log_for_small_power(a);
    const double result =
        power_from_log_pair(ln_a, b, log_for_small_power_error_bound(a, ln_a.hi, unnormalised_low_rounding));
    if (result != 0.0) return result;
    return power_with_precise_log(a, b);
}

}  // namespace

bool power_fast_phase(double a, double b, double& result) {
    const double r = fast_power(a, b);
    if (r == 0.0) return false;
    result = r;
    return true;
}

double power_of_euler_e(double b) {
    // The common range first, by two comparisons (NaN fails both), where the
    // fast phase needs no checks of its result's range (b ln e as below).
    if (b >= exp_normal_range_low && b <= exp_normal_range_high && b != 1.0) [[likely]] {
        const double fast = exp_fast_phase_in_normal_range(b, b * ln_of_euler_e.lo);
        if (fast != 0.0) return fast;
    }
    if (is_nan(b)) return pass_nan(b);
    if (b == 1.0) return euler_e;
    // b ln e (ln e just below 1): beyond these the result is +inf or +0;
    // within them |b| < 2^10, and b == 0 gives 1 from the fast phase.
    if (b > 710.0) return positive_infinity;
    if (!(b > -746.0)) return 0.0;
    // ln e is 1 + ln_of_euler_e.lo: b ln e is b + b * lo, b * lo rounded
    // within 2^-97 of its value.
    static_assert(ln_of_euler_e.hi == 1.0);
    double result;
    if (exp_by_double_phases(double_double{b, b * ln_of_euler_e.lo}, result)) return result;
    return wide_power_rounded(euler_e, b, TinyResult::truncate);
}

namespace {

// a^b by the edge rules of power.h, for what the fast phase has not decided.
[[gnu::noinline]] double power_by_rules(double a, double b) {
    if (is_nan(a)) return pass_nan(a);
    if (is_nan(b)) return pass_nan(b);
    const double abs_a = magnitude(a);

    if (is_infinite(b)) {
        if (abs_a == 1.0) return default_nan();
        return (abs_a > 1.0) == (b > 0.0) ? positive_infinity : 0.0;
    }

    // From here on b is finite; "odd" needs a negative a.
    const bool odd_power_of_negative = sign_bit(a) && is_odd_integer(b);

    if (is_infinite(a)) {
        const double r = b > 0.0 ? positive_infinity : (b == 0.0 ? 1.0 : 0.0);
        return odd_power_of_negative ? negate(r) : r;
    }

    if (a == 0.0) {
        if (b == 0.0) return 1.0;
        if (is_subnormal(b)) return 0.0;
        const double r = b > 0.0 ? 0.0 : positive_infinity;
        return odd_power_of_negative ? negate(r) : r;
    }

    if (a < 0.0 && !is_integer(b)) return default_nan();
    const double r = positive_power(abs_a, b);
    return odd_power_of_negative ? negate(r) : r;
}

}  // namespace

double pow_kernel(double a, double b) {
    // The common case first: a positive and finite (its bits, less one, below
    // those of +inf less one). A b that is not finite makes b ln a infinite
    // or NaN, outside every range the fast phase takes, so it never decides
    // one. What the fast phase decides there is
    // the correctly rounded a^b, which no edge rule changes (a = 1 and b = 0
    // give y = 0 and 1; the powers of the constant e are correctly rounded
    // either way); the rest takes the rules, kept out of line so that this
    // path saves no registers.
    if (to_bits(a) - 1 < ieee_double::exponent_mask - 1) {
        const double fast = fast_power(a, b);
        if (fast != 0.0) return fast;
    }
    return power_by_rules(a, b);
}

}  // namespace vyxmath
