// The IEEE 754 double: its fields, their widths and masks, and the exact
// bit-level helpers every subsystem builds on (the default not-a-number,
// passing a NaN operand through, exact powers of two, the integer tests).
// Everything here is exact, so it gives the same bits on every machine.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>
#include <type_traits>

#if defined(__i386__) && defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vyxmath {

// Field layout: 1 sign bit, 11 exponent bits, 52 fraction bits. A finite
// double is significand * 2^(biased - integer_exponent_bias) with the
// significand an integer below 2^53 (the hidden bit set for normal values).
struct ieee_double {
    static constexpr int fraction_bits = 52;
    static constexpr int precision = fraction_bits + 1;  // with the hidden bit
    static constexpr int exponent_bits = 11;
    static constexpr int exponent_bias = 1023;
    static constexpr int integer_exponent_bias = exponent_bias + fraction_bits;  // 1075
    static constexpr int max_biased_exponent = (1 << exponent_bits) - 1;         // infinities and NaNs
    static constexpr int min_normal_exponent = 1 - exponent_bias;                // -1022
    static constexpr int max_exponent = exponent_bias;                           // 1023
    static constexpr int subnormal_exponent = 1 - integer_exponent_bias;         // -1074: the last bit's weight

    static constexpr std::uint64_t sign_mask = std::uint64_t{1} << 63;
    static constexpr std::uint64_t magnitude_mask = ~sign_mask;
    static constexpr std::uint64_t hidden_bit = std::uint64_t{1} << fraction_bits;
    static constexpr std::uint64_t fraction_mask = hidden_bit - 1;
    static constexpr std::uint64_t exponent_mask = magnitude_mask & ~fraction_mask;
    static constexpr std::uint64_t quiet_bit = hidden_bit >> 1;
    // The bits of 1.0: or-ed into a fraction they give a double in [1, 2).
    static constexpr std::uint64_t one_bits = static_cast<std::uint64_t>(exponent_bias) << fraction_bits;
};

constexpr std::uint64_t to_bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// On 32-bit x86 a 64-bit pattern sits in two 32-bit registers: the plain bit
// cast stores both halves and loads them back as one 8-byte value, which the
// processor cannot forward from the two stores and stalls on (some 10 to 15
// cycles, paid by every exact power of two a kernel scales by). Joining the
// halves in an SSE2 register keeps the pattern out of memory; the bits are
// the same either way.
// The double whose bits are the two 32-bit words high and low. Where a
// pattern is built from its words, this keeps 32-bit x86 from joining them
// into a 64-bit integer first.
constexpr double from_words(std::uint32_t high, std::uint32_t low) {
#if defined(__i386__) && defined(__SSE2__)
    if (!std::is_constant_evaluated()) {
        const __m128i low_lane = _mm_cvtsi32_si128(static_cast<int>(low));
        const __m128i high_lane = _mm_cvtsi32_si128(static_cast<int>(high));
        return _mm_cvtsd_f64(_mm_castsi128_pd(_mm_unpacklo_epi32(low_lane, high_lane)));
    }
#endif
    return std::bit_cast<double>(std::uint64_t{high} << 32 | low);
}

constexpr double from_bits(std::uint64_t bits) {
#if defined(__i386__) && defined(__SSE2__)
    if (!std::is_constant_evaluated())
        return from_words(static_cast<std::uint32_t>(bits >> 32), static_cast<std::uint32_t>(bits));
#endif
    return std::bit_cast<double>(bits);
}

// The biased exponent field: 0 for zeros and subnormals, 2047 for infinities
// and NaNs.
constexpr int biased_exponent(double x) {
    return static_cast<int>((to_bits(x) & ieee_double::exponent_mask) >> ieee_double::fraction_bits);
}
// 2^e <= |x| < 2^(e+1) for normal x; -1023 for zeros and subnormals, 1024 for
// infinities and NaNs.
constexpr int unbiased_exponent(double x) { return biased_exponent(x) - ieee_double::exponent_bias; }
constexpr std::uint64_t fraction_field(double x) { return to_bits(x) & ieee_double::fraction_mask; }

// The not-a-number an invalid operation (0/0, inf - inf, log of a negative
// number) produces on the processor: quiet, sign bit set, empty payload.
// Written as "-1.#IND".
inline constexpr std::uint64_t default_nan_bits = ieee_double::sign_mask | ieee_double::exponent_mask | ieee_double::quiet_bit;
constexpr double default_nan() { return from_bits(default_nan_bits); }

inline constexpr double positive_infinity = from_bits(ieee_double::exponent_mask);
inline constexpr double smallest_normal = from_bits(ieee_double::hidden_bit);  // 2^-1022
inline constexpr double smallest_subnormal = from_bits(1);                     // 2^-1074

constexpr bool is_nan(double x) { return (to_bits(x) & ieee_double::magnitude_mask) > ieee_double::exponent_mask; }
constexpr bool is_infinite(double x) { return (to_bits(x) & ieee_double::magnitude_mask) == ieee_double::exponent_mask; }
constexpr bool is_finite(double x) { return (to_bits(x) & ieee_double::exponent_mask) != ieee_double::exponent_mask; }
constexpr bool sign_bit(double x) { return (to_bits(x) & ieee_double::sign_mask) != 0; }
// The sign bit cleared (NaNs keep their payload): the compiler's own absolute
// value, one AND in an SSE2 register, where the bits through an integer
// register would cost two moves between the register files.
constexpr double magnitude(double x) { return __builtin_fabs(x); }
constexpr double negate(double x) { return from_bits(to_bits(x) ^ ieee_double::sign_mask); }
// x AND y, x XOR y on the bits, in the SSE2 register the doubles live in:
// through the integer registers each would cost two moves between the
// register files, and the vector forms in C++ a shuffle. `kept_bits` clears
// what a mask such as ~(2^27 - 1) clears; `with_sign_flipped` flips x's sign
// where `sign` (+0.0 or -0.0) has it set.
inline double kept_bits(double x, double mask) {
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
    asm("andpd %1, %0" : "+x"(x) : "x"(mask));
    return x;
#else
    return from_bits(to_bits(x) & to_bits(mask));
#endif
}
inline double with_sign_flipped(double x, double sign) {
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
    asm("xorpd %1, %0" : "+x"(x) : "x"(sign));
    return x;
#else
    return from_bits(to_bits(x) ^ to_bits(sign));
#endif
}
constexpr bool is_subnormal(double x) {
    const std::uint64_t m = to_bits(x) & ieee_double::magnitude_mask;
    return m != 0 && m < ieee_double::hidden_bit;
}

// A NaN operand comes out as the processor passes it through arithmetic: the
// same sign and payload, with the quiet bit set.
constexpr double pass_nan(double x) { return from_bits(to_bits(x) | ieee_double::quiet_bit); }

// 2^k for -1022 <= k <= 1023, built from its bits.
constexpr double power_of_two(int k) {
    assert(ieee_double::min_normal_exponent <= k && k <= ieee_double::max_exponent);
    return from_bits(static_cast<std::uint64_t>(k + ieee_double::exponent_bias) << ieee_double::fraction_bits);
}

// x * 2^k by at most three exact multiplications; exact whenever the result
// is a normal double, +-infinity when it overflows. k may lie anywhere in
// [-2200, 2200]. Results in the subnormal range are rounded twice at worst:
// callers that need a subnormal result round it themselves.
constexpr double scale_by_power_of_two(double x, int k) {
    while (k > ieee_double::max_exponent) {
        x *= power_of_two(ieee_double::max_exponent);
        k -= ieee_double::max_exponent;
    }
    while (k < ieee_double::min_normal_exponent) {
        x *= power_of_two(ieee_double::min_normal_exponent);
        k -= ieee_double::min_normal_exponent;
    }
    return x * power_of_two(k);
}

// |x| = significand * 2^exponent exactly, for finite x (subnormals and zeros
// included: their significand has no hidden bit and the exponent is -1074).
struct integer_significand {
    std::uint64_t significand;  // below 2^53
    int exponent;
};

constexpr integer_significand integer_significand_of(double x) {
    assert(is_finite(x));
    const int biased = biased_exponent(x);
    const std::uint64_t fraction = fraction_field(x);
    if (biased == 0) return {fraction, ieee_double::subnormal_exponent};
    return {fraction | ieee_double::hidden_bit, biased - ieee_double::integer_exponent_bias};
}

// |x| = significand * 2^exponent with the significand odd, for finite x != 0.
constexpr integer_significand odd_significand_of(double x) {
    assert(is_finite(x) && x != 0.0);
    const integer_significand parts = integer_significand_of(x);
    const int zeros = std::countr_zero(parts.significand);
    return {parts.significand >> zeros, parts.exponent + zeros};
}

// x = significand * 2^exponent with 1 <= significand < 2, for finite x > 0.
// Subnormal x is first brought into the normal range by an exact 2^54.
struct binade_split {
    double significand;
    int exponent;
};

constexpr binade_split split_binade(double x) {
    assert(x > 0.0 && is_finite(x));
    int e = 0;
    if (to_bits(x) < ieee_double::hidden_bit) {  // subnormal
        x *= 0x1p54;
        e = -54;
    }
    return {from_bits(fraction_field(x) | ieee_double::one_bits), e + unbiased_exponent(x)};
}

// Whether x is a whole number (every double of magnitude 2^52 or more is).
constexpr bool is_integer(double x) {
    if (!is_finite(x)) return false;
    const int exponent = biased_exponent(x) - ieee_double::integer_exponent_bias;
    if (exponent >= 0) return true;
    if (exponent < -ieee_double::fraction_bits) return x == 0.0;
    return (to_bits(x) & ((std::uint64_t{1} << -exponent) - 1)) == 0;
}

// Whether x is an odd whole number (none of magnitude 2^53 or more is).
constexpr bool is_odd_integer(double x) {
    if (!is_integer(x) || x == 0.0) return false;
    const integer_significand parts = integer_significand_of(x);
    if (parts.exponent > 0) return false;
    return ((parts.significand >> -parts.exponent) & 1) != 0;
}

}  // namespace vyxmath
