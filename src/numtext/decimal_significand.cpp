// significand_of: the 17-digit significand by one product with a 128-bit
// power of ten where that provably gives the digits of the extended route,
// and by the route itself elsewhere.
#include "numtext/decimal_significand.h"

#include <bit>

#include "numtext/power_tables.h"
#include "numtext/significand_scaling.h"
#include "common/wide_product.h"
#include "numtext/widened_double.h"

namespace vyxmath {
namespace {

// The direct digits. The extended route computes N = floor(10^17 v + 1/2)
// (the 18 digits floor(10^18 v), then + 5 and / 10 on them, which is the
// same), where v is x * 10^-p after at most three table products and the
// product by one_tenth. Each product errs by less than 2^-75.7 relative (the
// lost limb carries below 2^-75.99, the rounding to 80 bits 2^-80, the
// factor's own rounding, or one_tenth's truncation, below 2^-79.6), so
// 10^17 v is within 10^17 * 4 * 2^-75.7 < 2^-17.2 of its exact value, and
// below 1 exactly when the exact value is, unless the two lie within 2^-70
// of 1 - where either way the text is "1" with the point one place up.
//
// Here y = x * 10^(17 - p) is computed from a 128-bit power of five, off by
// far less than 2^-60. Whenever y's fraction is at least 2^-16 away from 1/2,
// N = floor(y + 1/2) is the route's; when y rounds to 10^17 or more, the
// route's v was 1 or more (or its 17 digits were all 9s, which it writes as
// 1 with the point one place up, the same text), and y / 10, computed from
// the next power down, gives N with the point one place up. Values within
// the margin of a half take the route itself.
constexpr std::uint32_t too_large = ~std::uint32_t{0};  // an upper part that stands for N >= 10^17

// The product m * T (six 32-bit words, w0 least significant) taken only as
// far as it is needed: its top three words, from the five
// partial products of m = m1:m0 and T = t3:t2:t1:t0 that reach word 3 (the
// high halves of m0 t2 and m1 t1, and m0 t3, m1 t2, m1 t3 whole). What is
// left out, m0 t0, m0 t1, m1 t0 and the low halves of m0 t2 and m1 t1, is
// below 5 * 2^96, so the three words are W = floor(P / 2^96) less at most 5
// (on 32-bit x86 the five `mul` with one carry chain each, against eight
// and the middle column's sums for the two full products).
struct top_words {
    std::uint32_t w5, w4, w3;
};

inline top_words top_of_product(std::uint32_t m1, std::uint32_t m0, const wide_power& t) {
    const std::uint32_t t1 = high_half(t.low), t2 = low_half(t.high), t3 = high_half(t.high);
#if defined(__i386__) && defined(__GNUC__)
    std::uint32_t w3, w4, w5;
    asm("movl %[m1], %%eax\n\t"
        "mull %[t3]\n\t"
        "movl %%eax, %[w4]\n\t"
        "movl %%edx, %[w5]\n\t"
        "movl %[m0], %%eax\n\t"
        "mull %[t3]\n\t"
        "movl %%eax, %[w3]\n\t"
        "addl %%edx, %[w4]\n\t"
        "adcl $0, %[w5]\n\t"
        "movl %[m1], %%eax\n\t"
        "mull %[t2]\n\t"
        "addl %%eax, %[w3]\n\t"
        "adcl %%edx, %[w4]\n\t"
        "adcl $0, %[w5]\n\t"
        "movl %[m0], %%eax\n\t"
        "mull %[t2]\n\t"
        "addl %%edx, %[w3]\n\t"
        "adcl $0, %[w4]\n\t"
        "adcl $0, %[w5]\n\t"
        "movl %[m1], %%eax\n\t"
        "mull %[t1]\n\t"
        "addl %%edx, %[w3]\n\t"
        "adcl $0, %[w4]\n\t"
        "adcl $0, %[w5]"
        : [w3] "=&r"(w3), [w4] "=&r"(w4), [w5] "=&r"(w5)
        : [m0] "rm"(m0), [m1] "rm"(m1), [t1] "rm"(t1), [t2] "rm"(t2), [t3] "rm"(t3)
        : "eax", "edx", "cc");
    return {w5, w4, w3};
#else
    const std::uint64_t top = multiply_32x32(m1, t3), a = multiply_32x32(m0, t3), b = multiply_32x32(m1, t2);
    const std::uint64_t word3 = std::uint64_t{low_half(a)} + low_half(b) + high_half(multiply_32x32(m0, t2)) +
                                high_half(multiply_32x32(m1, t1));
    const std::uint64_t word4 = std::uint64_t{high_half(a)} + high_half(b) + low_half(top) + high_half(word3);
    return {high_half(top) + high_half(word4), low_half(word4), low_half(word3)};
#endif
}

// N = floor(y + 1/2) for y = m * 2^e * 10^q, split at 10^8 as it is formed:
// the product is taken with 10^(q - 8), which gives y / 10^8 = U + F with
// U whole and F < 1, and then y = U * 10^8 + F * 10^8, whose integer part
// L = floor(F * 10^8) is below 10^8. No 64-bit quantity is divided.
//
// Position. The 192-bit product with T has its leading bit at 190 or 191,
// so y / 10^8 = P / 2^shift lies in [10^8, 10^10), the range wanted here,
// only for 157 <= shift <= 165. m's low 11 bits are zero (a widened double),
// so m >> s is exact for s <= 11, and with s = shift - 157 the product of
// m >> s has y / 10^8 = W / 2^61 for every such shift: U is W's top 35
// bits, and F its low 61 as a 64-bit fraction; U >= 2^32 (w5 >= 2^29)
// means y >= 10^17 by far.
//
// Error. W is low by at most 6 units of 2^-61 in y / 10^8 (the words left
// out, and the floor), and L's fraction f is taken to 32 bits, rounded
// down: y is computed low by less than 6 * 10^8 * 2^-61 + 2^-32 < 2^-30.9,
// far inside the margin of 2^-16 against the route's 2^-17.2.
bool rounded_digits_in_halves(std::uint64_t m, int e, int q, split_decimal& n) {
    const int q8 = q - 8;
    if (q8 < wide_powers_of_five_first || q8 > wide_powers_of_five_last) return false;
    const wide_power& t = wide_powers_of_five[q8 - wide_powers_of_five_first];
    const auto s = static_cast<unsigned>(127 - e - floor_log2_of_five_power(q8) - q8 - 157);
    if (s > 8) return false;
    // m >> s in 32-bit halves (m0's bits below 11 are zero; (m1 << 1) <<
    // (31 - s) keeps the shift counts below 32).
    const std::uint32_t m1 = high_half(m), m0 = low_half(m);
    const top_words w = top_of_product(m1 >> s, (m0 >> s) | ((m1 << 1) << (31 - s)), t);
    if (w.w5 >= std::uint32_t{1} << 29) {
        n = {too_large, 0};
        return true;
    }
    const std::uint32_t upper = (w.w5 << 3) | (w.w4 >> 29);
    const std::uint32_t f1 = (w.w4 << 3) | (w.w3 >> 29), f0 = w.w3 << 3;
    // F * 10^8 = L * 2^64 + f * 2^32 + (dropped), from two 32 x 32 products.
    const std::uint64_t scaled = multiply_32x32(f1, ten_to_8) + high_half(multiply_32x32(f0, ten_to_8));
    const std::uint32_t lower = high_half(scaled), fraction = low_half(scaled);
    constexpr std::uint32_t half = std::uint32_t{1} << 31, margin = std::uint32_t{1} << 16;  // 2^-16
    if (fraction - (half - margin) <= 2 * margin) return false;
    n = {upper, lower + (fraction >= half ? 1 : 0)};
    if (n.lower == ten_to_8) n = {upper + 1, 0};
    return true;
}

// The route of 32-bit machines: the digits come out split.
bool direct_significand_in_halves(const extended_magnitude& x, int p, bool negative, decimal_significand& d) {
    const int e = x.exponent - extended_bias - 63;
    split_decimal n;
    if (!rounded_digits_in_halves(x.top, e, 17 - p, n)) return false;
    if (n.upper >= ten_to_9) {
        ++p;
        if (!rounded_digits_in_halves(x.top, e, 17 - p, n)) return false;
    }
    if (n.upper < ten_to_8 || n.upper >= ten_to_9) return false;
    d = {n, p, negative};
    return true;
}

#if !(defined(__i386__) && defined(__GNUC__))
struct fixed_decimal {
    std::uint64_t integer;
    std::uint64_t fraction;  // the top 64 bits of the fraction
};

constexpr std::uint64_t one_half = std::uint64_t{1} << 63;
constexpr std::uint64_t digit_margin = std::uint64_t{1} << 48;  // 2^-16

// y = m * 2^e * 10^q for m with bit 63 set, when 10^16 <= y < 10^18.
bool multiply_by_power_of_ten(std::uint64_t m, int e, int q, fixed_decimal& y) {
    if (q < wide_powers_of_five_first || q > wide_powers_of_five_last) return false;
    // 10^q = 5^q * 2^q ~ T * 2^(floor(log2 5^q) - 127 + q)
    const wide_power& t = wide_powers_of_five[q - wide_powers_of_five_first];
    // The 192-bit product has its leading bit at 190 or 191, and
    // y = product / 2^shift with 131 <= shift <= 139 for the y wanted here.
    const int shift = 127 - e - floor_log2_of_five_power(q) - q;
    const uint128_parts high = multiply_64x64(m, t.high);
    const std::uint64_t middle_part = multiply_64x64(m, t.low).high;  // the lowest 64 bits barely matter
    const std::uint64_t r1 = high.low + middle_part;
    const std::uint64_t r2 = high.high + (r1 < middle_part ? 1 : 0);
    if (shift <= 128 || shift >= 192) return false;
    const int k = shift - 128;
    y.integer = r2 >> k;
    y.fraction = (r2 << (64 - k)) | (r1 >> k);
    return true;
}

// N = floor(y + 1/2), or false when y lies too close to a half.
bool round_clear_of_half(const fixed_decimal& y, std::uint64_t& n) {
    if (y.fraction - (one_half - digit_margin) <= 2 * digit_margin) return false;
    n = y.integer + (y.fraction >= one_half ? 1 : 0);
    return true;
}

// The route of 64-bit machines, where N is one word and its split at 10^8
// one product, taken once N is known.
bool direct_significand_in_words(const extended_magnitude& x, int p, bool negative, decimal_significand& d) {
    const int e = x.exponent - extended_bias - 63;
    fixed_decimal y;
    std::uint64_t n;
    if (!multiply_by_power_of_ten(x.top, e, 17 - p, y) || !round_clear_of_half(y, n)) return false;
    if (n >= ten_to_17) {
        ++p;
        if (!multiply_by_power_of_ten(x.top, e, 17 - p, y) || !round_clear_of_half(y, n)) return false;
    }
    if (n < ten_to_17 / 10 || n >= ten_to_17) return false;
    d = {split_significand(n), p, negative};
    return true;
}

#endif

// The two routes' retry and checks are written out in each: shared, with
// the 64-bit route's split moved into each attempt, the writer at 17
// digits took 3 % longer natively.
bool direct_significand(const extended_magnitude& x, int p, bool negative, decimal_significand& d) {
#if defined(__i386__) && defined(__GNUC__)
    return direct_significand_in_halves(x, p, negative, d);
#else
    return direct_significand_in_words(x, p, negative, d);
#endif
}

// Zero and the values that are not finite, which carry no digits.
bool without_digits(std::uint64_t bits, decimal_significand& d) {
    const bool negative = (bits & ieee_double::sign_mask) != 0;
    if ((bits & ieee_double::magnitude_mask) == 0) {
        d = {{0, 0}, 0, false};
        return true;
    }
    if (((bits >> ieee_double::fraction_bits) & ieee_double::max_biased_exponent) == ieee_double::max_biased_exponent) {
        d = {{0, 0}, 1, negative};
        return true;
    }
    return false;
}

}  // namespace

decimal_significand significand_of(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    decimal_significand d;
    if (without_digits(bits, d)) return d;
    const bool negative = (bits & ieee_double::sign_mask) != 0;
    const extended_magnitude x = widen(bits);
    const int p = estimate_decimal_exponent(x);
    if (direct_significand(x, p, negative, d)) return d;
    return significand_by_scaling(x, p, negative);
}

bool significand_directly(double value, decimal_significand& d) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (without_digits(bits, d)) return false;
    const extended_magnitude x = widen(bits);
    return direct_significand(x, estimate_decimal_exponent(x), (bits & ieee_double::sign_mask) != 0, d);
}

bool significand_directly_in_halves(double value, decimal_significand& d) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (without_digits(bits, d)) return false;
    const extended_magnitude x = widen(bits);
    return direct_significand_in_halves(x, estimate_decimal_exponent(x), (bits & ieee_double::sign_mask) != 0, d);
}

decimal_significand significand_by_scaling(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    decimal_significand d;
    if (without_digits(bits, d)) return d;
    const extended_magnitude x = widen(bits);
    return significand_by_scaling(x, estimate_decimal_exponent(x), (bits & ieee_double::sign_mask) != 0);
}

}  // namespace vyxmath
