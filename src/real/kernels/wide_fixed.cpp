#include "real/kernels/wide_fixed.h"

#include <bit>

#include "common/ieee_double.h"
#include "real/wide_words.h"

namespace vyxmath {
namespace {

#include "real/kernels/wide_constants.inc"

constexpr int limbs = 9;
constexpr int fraction_bits = 224;

bool is_negative(const wide& a) { return (a.limb[limbs - 1] >> 31) != 0; }

wide negated(const wide& a) {
    wide r{};
    std::uint64_t carry = 1;
    for (int i = 0; i < limbs; ++i) {
        carry += static_cast<std::uint32_t>(~a.limb[i]);
        r.limb[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    return r;
}

wide magnitude_of(const wide& a) { return is_negative(a) ? negated(a) : a; }

wide sum(const wide& a, const wide& b) {
    wide r{};
    add_words(a.limb, b.limb, r.limb);
    return r;
}

wide difference(const wide& a, const wide& b) {
    wide r{};
    subtract_words(a.limb, b.limb, r.limb);
    return r;
}

wide one() {
    wide r{};
    r.limb[fraction_bits / 32] = 1;
    return r;
}

// Non-negative a times m, truncated to 288 bits.
wide times_small(const wide& a, std::uint32_t m) {
    wide r{};
    multiply_words_by_small(a.limb, m, r.limb);
    return r;
}

// Non-negative a divided by d, truncated.
wide divided_by_small(const wide& a, std::uint32_t d) {
    wide r{};
    divide_words_by_small(a.limb, d, r.limb);
    return r;
}

// Non-negative a times 2^n (n > 0: left, n < 0: right, truncated).
wide shifted(const wide& a, int n) {
    wide r{};
    for (int i = 0; i < limbs; ++i) {
        // bit j of the result is bit j - n of a
        const int source_bit = 32 * i - n;
        const int word = source_bit >= 0 ? source_bit / 32 : -((-source_bit + 31) / 32);
        const int offset = source_bit - 32 * word;  // 0..31
        const auto limb_at = [&](int w) -> std::uint64_t { return w >= 0 && w < limbs ? a.limb[w] : 0u; };
        const std::uint64_t pair = limb_at(word) | (limb_at(word + 1) << 32);
        r.limb[i] = static_cast<std::uint32_t>(pair >> offset);
    }
    return r;
}

// Signed a times the signed whole number k.
wide times_integer(const wide& a, std::int64_t k) {
    const bool negative = is_negative(a) != (k < 0);
    const std::uint64_t m = k < 0 ? 0 - static_cast<std::uint64_t>(k) : static_cast<std::uint64_t>(k);
    const wide abs_a = magnitude_of(a);
    wide r = sum(shifted(times_small(abs_a, static_cast<std::uint32_t>(m >> 32)), 32),
                 times_small(abs_a, static_cast<std::uint32_t>(m)));
    return negative ? negated(r) : r;
}

// An approximation of a (good to 2^-52 relative), to choose reductions.
double approximate(const wide& a) {
    const wide m = magnitude_of(a);
    double v = 0.0;
    for (int i = limbs - 1; i >= limbs - 4; --i) v = v * 0x1p32 + m.limb[i];
    v *= 0x1p-64;  // the top four limbs hold bits 2^63 down to 2^-64
    return is_negative(a) ? -v : v;
}

bool equal(const wide& a, const wide& b) {
    for (int i = 0; i < limbs; ++i)
        if (a.limb[i] != b.limb[i]) return false;
    return true;
}

bool is_zero(const wide& a) { return equal(a, wide{}); }

// The double nearest (or per `tiny`) to a * 2^k for a > 0.
double to_double(const wide& a, int k, TinyResult tiny) {
    int top_limb = limbs - 1;
    while (top_limb > 0 && a.limb[top_limb] == 0) --top_limb;
    if (a.limb[top_limb] == 0) return 0.0;
    const int top_bit = 32 * top_limb + 31 - std::countl_zero(a.limb[top_limb]);
    // The 64 bits from top_bit down, and whether anything lies below them.
    const wide window = shifted(a, 63 - top_bit);
    std::uint64_t n = window.limb[0] | (std::uint64_t{window.limb[1]} << 32);
    if (!equal(shifted(window, top_bit - 63), a)) n |= 1;
    return integer_times_power_of_two(n, top_bit - 63 - fraction_bits + k, tiny);
}

// e^y = result * 2^k, result in [0.7, 1.42].
struct wide_exp_split {
    wide value;
    int k;
};

wide_exp_split exp_split_wide(const wide& y) {
    const double estimate = approximate(y) * 0x1.71547652b82fep0;  // y / ln 2
    const int k = static_cast<int>(estimate < 0 ? estimate - 0.5 : estimate + 0.5);
    // r = y - k ln 2, |r| <= 0.35; e^r = (e^(r/256))^256.
    const wide r = difference(y, times_integer(wide_ln2, k));
    const bool negative = is_negative(r);
    const wide small = shifted(magnitude_of(r), -8);  // |r| / 256 < 2^-9.5
    // Taylor series to the 24th power: the first term left out is below
    // 2^-9.5 * 25 / 25! < 2^-320. Each term is truncated (error 2^-224 each).
    wide term = one();
    wide e = one();
    for (std::uint32_t n = 1; n <= 24; ++n) {
        term = divided_by_small(wide_multiply(term, small), n);
        e = (negative && (n & 1) != 0) ? difference(e, term) : sum(e, term);
    }
    // Eight squarings multiply the relative error (below 2^-218 here) by
    // 256: below 2^-210.
    for (int i = 0; i < 8; ++i) e = wide_multiply(e, e);
    return {e, k};
}

// |x| = m 2^e exactly, m an integer below 2^53 (subnormals included).
}  // namespace

wide wide_from_double(double x) {
    wide r{};
    if (x == 0.0) return r;
    const auto [m, e] = integer_significand_of(x);
    wide mw{};
    mw.limb[0] = static_cast<std::uint32_t>(m);
    mw.limb[1] = static_cast<std::uint32_t>(m >> 32);
    r = shifted(mw, e + fraction_bits);
    return sign_bit(x) ? negated(r) : r;
}

wide wide_multiply(const wide& a, const wide& b) {
    const bool negative = is_negative(a) != is_negative(b);
    const wide x = magnitude_of(a);
    const wide y = magnitude_of(b);
    wide r{};
    multiply_fixed_words<limbs, fraction_bits / 32>(x.limb, y.limb, r.limb);
    return negative ? negated(r) : r;
}

wide wide_log(double x) {
    // x = m 2^e with m in [1, 2); ln x = e ln 2 + ln m. From the
    // double-double y0 = ln m (error below 2^-95), one Newton step on e^y:
    // d = m e^-y0 - 1 (|d| < 2^-94), ln m = y0 + ln(1 + d) = y0 + d - d^2/2
    // + d^3/3 - ..., the terms left out below 2^-280; e^-y0 is good to 2^-210.
    const binade_split split = split_binade(x);
    const double m = split.significand;
    const int e = split.exponent;
    const double_double y0 = log_double_double(m);
    const wide y = sum(wide_from_double(y0.hi), wide_from_double(y0.lo));
    const wide_exp_split inverse = exp_split_wide(negated(y));  // e^-y0 = value 2^k, k in {0, -1}
    wide q = wide_multiply(wide_from_double(m), inverse.value);
    if (inverse.k < 0) q = shifted(q, inverse.k);
    const wide d = difference(q, one());
    const wide half_d_squared = shifted(magnitude_of(wide_multiply(d, d)), -1);
    const wide ln_m = difference(sum(y, d), half_d_squared);
    return sum(times_integer(wide_ln2, e), ln_m);
}

double wide_to_double(const wide& a) {
    if (is_zero(a)) return 0.0;
    const double v = to_double(magnitude_of(a), 0, TinyResult::round_to_nearest);
    return is_negative(a) ? -v : v;
}

double wide_exp_rounded(const wide& y, TinyResult tiny) {
    const wide_exp_split s = exp_split_wide(y);
    return to_double(s.value, s.k, tiny);
}

// sinh a (sign -1) or cosh a (sign +1) for 0 < a <= 711: (e^a +- e^-a)/2 =
// 2^(k1 - 1) (V1 +- V2 2^(k2 - k1)) with e^a = V1 2^k1, e^-a = V2 2^k2. The
// absolute error, about 2^-210 before the scaling, is below 2^-180 of the
// value even for the smallest a taken here (sinh a >= 2^-27).
double wide_hyperbolic_rounded(double a, int sign) {
    const wide_exp_split up = exp_split_wide(wide_from_double(a));
    const wide_exp_split down = exp_split_wide(negated(wide_from_double(a)));
    const wide small = shifted(down.value, down.k - up.k);
    const wide v = sign > 0 ? sum(up.value, small) : difference(up.value, small);
    return to_double(v, up.k - 1, TinyResult::round_to_nearest);
}

// tanh a = (e^2a - 1) / (e^2a + 1) for 0 < a < 20: e^2a = V 2^k (k <= 58),
// the quotient by a reciprocal from Newton's iteration r <- r + r (1 - d r),
// each step squaring its relative error (2^-53, 2^-106, then the format's
// 2^-165 at 1/d >= 2^-59).
double wide_tanh_rounded(double a) {
    const wide_exp_split e = exp_split_wide(shifted(wide_from_double(a), 1));
    const wide scaled = shifted(e.value, e.k);
    const wide numerator = difference(scaled, one());
    const wide denominator = sum(scaled, one());
    wide r = wide_from_double(1.0 / approximate(denominator));
    for (int i = 0; i < 3; ++i)
        r = sum(r, wide_multiply(r, difference(one(), wide_multiply(denominator, r))));
    return to_double(wide_multiply(numerator, r), 0, TinyResult::round_to_nearest);
}

double wide_log_rounded(double x) { return wide_to_double(wide_log(x)); }

double wide_log10_rounded(double x) { return wide_to_double(wide_multiply(wide_log(x), wide_inverse_ln10)); }

double wide_power_rounded(double a, double b, TinyResult tiny) {
    // b = m 2^e exactly; |m ln a| < 2^53 * 745 fits the 64 bits before the
    // point, and the product scaled by 2^e is below 750 by the caller's bound.
    const auto [m, e] = integer_significand_of(b);
    const wide ln_a = wide_log(a);
    wide y = magnitude_of(times_integer(ln_a, static_cast<std::int64_t>(m)));
    y = shifted(y, e);
    if (is_negative(ln_a) != sign_bit(b)) y = negated(y);
    return wide_exp_rounded(y, tiny);
}

}  // namespace vyxmath
