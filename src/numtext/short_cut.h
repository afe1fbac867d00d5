// The cut of a double to n <= 9 significant digits taken straight from one
// 64 x 64-bit product, without its 17-digit significand: the same C and
// points as the cut of significand_of's digits (significand_cut.h), or no
// answer where the product cannot tell.
//
// With D = 10^(17 - n), N the 17-digit significand and P its point, the cut
// is C = floor((N + D / 2) / D). Where N = floor(y + 1/2) for
// y = x * 10^(17 - P), nesting the floors gives
//     C = floor(z + 1/2 + 1/(2D)),   z = y / D = x * 10^(n - P),
// so C steps where z's fraction passes 1/2 - 1/(2D), which is where y's
// fraction passes one half (y = D z and D is even). The significand is
// floor(y + 1/2) except where y lies within 2^-17.2 of a half
// (decimal_significand.cpp); near the other halves it can be one off, but
// only where N mod D goes from D/2 - 1 to D/2 does a step of N move C. So C
// is decided by z alone wherever z's fraction lies more than 2^-17.2 / D
// (below 2^-43.8 for n <= 9) from 1/2 - 1/(2D).
//
// z is taken from the mantissa times the high half of the 128-bit power of
// five, keeping the high 64 bits and the fraction's top 32: each of the
// three truncations leaves it at most 2^-32 below the exact value (the
// power's half errs by 2^-63 relative, and z < 2^31 wherever it is used).
// A margin of 64 * 2^-32 around the step covers them with room to spare;
// values inside it take the full route: a few random doubles in 10^7,
// but every value whose digits behind the n-th are a 5 alone, such as 0.25
// at one digit (its z lies 1/(2D) from the step, and its N decides).
// So do the values from about 10^(301 + n) up, beyond the powers' table.
//
// The estimate of the point (widened_double.h) is P or P - 1, and z >= 10^n
// shows the latter. When the cut carries (C = 10^n), the text is
// 10^(n - 1) with the point one place up; the layout is still chosen on P,
// unless N itself was 10^17 (the 17 digits all 9s, z at or above
// 10^n - 1/(2D)), which moves P too: there the full route answers.
#pragma once

#include <bit>
#include <cstdint>

#include "common/ieee_double.h"
#include "common/wide_product.h"
#include "numtext/power_tables.h"
#include "numtext/significand_cut.h"
#include "numtext/widened_double.h"

namespace vyxmath {

inline constexpr int short_cut_digit_limit = 9;

struct short_cut {
    cut_value cut;
    int layout_point;  // P, the 17-digit significand's point, which chooses the layout
    bool negative;
};

namespace short_cut_detail {

inline constexpr std::uint32_t margin = 64;  // 2^-26 of a unit of z

constexpr std::uint64_t power_of_ten_64(int k) {
    std::uint64_t p = 1;
    while (k-- > 0) p *= 10;
    return p;
}

// 2^32 (1/2 - 1/(2D)), rounded: where z's fraction makes C step.
constexpr std::uint32_t step_fraction(int n) {
    const std::uint64_t d = power_of_ten_64(17 - n);
    return static_cast<std::uint32_t>((std::uint64_t{1} << 31) - ((std::uint64_t{1} << 31) + d / 2) / d);
}

// Below this fraction a carried cut leaves P as it is: 2^32 (1 - 1/(2D))
// less the margin.
constexpr std::uint32_t carry_fraction_limit(int n) {
    const std::uint64_t d = power_of_ten_64(17 - n);
    return static_cast<std::uint32_t>((std::uint64_t{1} << 32) - ((std::uint64_t{1} << 31) + d - 1) / d - margin);
}

inline constexpr std::uint32_t step_fractions[] = {
    0, step_fraction(1), step_fraction(2), step_fraction(3), step_fraction(4),
    step_fraction(5), step_fraction(6), step_fraction(7), step_fraction(8), step_fraction(9),
};
inline constexpr std::uint32_t carry_fraction_limits[] = {
    0, carry_fraction_limit(1), carry_fraction_limit(2), carry_fraction_limit(3), carry_fraction_limit(4),
    carry_fraction_limit(5), carry_fraction_limit(6), carry_fraction_limit(7), carry_fraction_limit(8),
    carry_fraction_limit(9),
};

// m * 2^e * 10^q = (m * T) / 2^(127 - e - floor(log2 5^q) - q) for T, the
// power's 128 bits; the high 64 bits r of m * T's high half hold it as
// r / 2^(32 + k): its integer part in r's high word from bit k on, and its
// fraction's top 32 bits across the two words.
constexpr int word_shift(int e, int q) { return 127 - e - floor_log2_of_five_power(q) - q - 160; }

struct scaled_value {
    std::uint32_t integer;
    std::uint32_t fraction;  // the top 32 bits
};

inline scaled_value scale(std::uint64_t m, int q, int k) {
    const std::uint64_t r = multiply_64x64(m, wide_powers_of_five[q - wide_powers_of_five_first].high).high;
    const std::uint32_t a = high_half(r), b = low_half(r);
    return {a >> k, (a << (32 - k)) | (b >> k)};
}

}  // namespace short_cut_detail

// The cut of a finite nonzero value to 1 <= n <= 9 digits; false for zero,
// values that are not finite, and where the product cannot decide.
inline bool cut_directly(double value, int n, short_cut& s) {
    using namespace short_cut_detail;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if ((bits & ieee_double::magnitude_mask) == 0 ||
        ((high_half(bits) >> (ieee_double::fraction_bits - 32)) & ieee_double::max_biased_exponent) ==
            ieee_double::max_biased_exponent)
        return false;
    const extended_magnitude x = widen(bits);
    int p = estimate_decimal_exponent(x);
    const int e = x.exponent - extended_bias - 63;
    int k = word_shift(e, n - p);
    // k <= 0 puts z at 2^30 or more, above 10^n: P is one more than the estimate.
    if (k <= 0) k = word_shift(e, n - ++p);
    const int q = n - p;
    if (k < 1 || k > 31 || q < wide_powers_of_five_first || q > wide_powers_of_five_last) return false;
    scaled_value z = scale(x.top, q, k);
    if (z.integer >= power_of_ten_32_table[n]) {
        const int q_up = q - 1;
        const int k_up = word_shift(e, q_up);
        ++p;
        if (k_up < 1 || k_up > 31 || q_up < wide_powers_of_five_first) return false;
        z = scale(x.top, q_up, k_up);
        if (z.integer >= power_of_ten_32_table[n]) return false;
    }
    if (z.integer < power_of_ten_32_table[n - 1]) return false;
    if (z.fraction - (step_fractions[n] - margin) <= 2 * margin) return false;
    std::uint32_t c = z.integer + (z.fraction >= step_fractions[n] ? 1 : 0);
    s.layout_point = p;
    s.cut.point = p;
    if (c == power_of_ten_32_table[n]) {
        if (z.fraction >= carry_fraction_limits[n]) return false;
        c = power_of_ten_32_table[n - 1];
        ++s.cut.point;
    }
    s.cut.c = n <= 8 ? split_decimal{0, c} : split_decimal{c / ten_to_8, c % ten_to_8};
    s.negative = (bits & ieee_double::sign_mask) != 0;
    return true;
}

}  // namespace vyxmath
