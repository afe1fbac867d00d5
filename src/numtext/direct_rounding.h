// A shortcut from D * 10^p to the double, for digit strings whose integer D
// fits 64 bits: one 64 x 64-bit product with a 64-bit power of five decides
// the rounding, unless the value lies too close to a point where the
// extended scaling could round differently.
#pragma once

#include <bit>
#include <cstdint>

#include "common/ieee_double.h"
#include "numtext/power_tables.h"
#include "common/wide_product.h"

// Direct rounding of D * 10^p, D < 2^64, to the double that the extended
// scaling followed by round_mantissa gives.
//
// The extended route is exact up to its scaling: D fits the top 64 mantissa
// bits, so clearing the low 16 loses nothing. For -342 <= p <= 308 at most
// three truncated products are applied (|p| < 8^3). Each one errs by less
// than 2^-75.8 relative: the ten missing limb pairs sum to below 2^82, so the
// 96-bit sum S >= 2^94 falls short by under 2^18.01 units (2^-75.99); the
// rounding to 80 bits adds at most 2^-80, the table factor's own rounding
// another 2^-80. Three of them stay below 2^-74.2 relative, which is below
// 2^-21.2 of a unit in the last place of the double (a unit is at least
// 2^-53 of the value).
//
// Here x' = D * T * 2^(p + floor(log2 5^p) - 63), with T the 64-bit power of
// five rounded to nearest, is off by at most 2^-64 relative, 2^-11 units;
// dropping all but 64 bits of its fraction adds 2^-64 units. So the extended
// value and x' are less than 2^-10.99 units apart.
//
// round_mantissa rounds up exactly when the remainder r below the last kept
// bit exceeds one half, except at r = 3/4 exactly. When x' has its r at
// least 2^-10 units away from 1/2 and from 3/4, the extended value's r lies
// on the same side of 1/2 and is not 3/4, or it has crossed a unit boundary
// where both round to the same double. Then the result is x' rounded to
// nearest, which is computed here. Otherwise the caller takes the extended
// route. Results outside the normal range always take it, keeping the
// denormal and overflow rules in one place.
//
// Defined here, inline, because every usual text takes this step.
namespace vyxmath {
namespace direct_rounding_detail {

// The remainder as a 64-bit fraction of a unit in the last place.
constexpr std::uint64_t half = std::uint64_t{1} << 63;
constexpr std::uint64_t three_quarters = std::uint64_t{3} << 62;
constexpr std::uint64_t margin = std::uint64_t{1} << 54;  // 2^-10 units

constexpr bool within_margin(std::uint64_t remainder, std::uint64_t point) {
    return remainder - (point - margin) < 2 * margin;
}

constexpr int lowest_exponent = -1021;  // leaves room below for the carries
constexpr int highest_exponent = ieee_double::max_exponent - 1;

// D < 2^53 with p = 0 is a double as it stands, and the extended route,
// exact throughout, returns it unchanged; here its bit pattern.
inline std::uint64_t exact_integer_bits(std::uint64_t d, bool negative) {
    const int leading = 63 - std::countl_zero(d);
    const std::uint64_t fraction = (d << (ieee_double::fraction_bits - leading)) & ieee_double::fraction_mask;
    return (negative ? ieee_double::sign_mask : 0) |
           (static_cast<std::uint64_t>(leading + ieee_double::exponent_bias) << ieee_double::fraction_bits) | fraction;
}

// A 128-bit product high:low with its leading bit at 127 or 126, taken one
// bit up in the second case (step 1): its top 53 bits and the 64 after them.
struct leading_bits {
    std::uint64_t mantissa;
    std::uint64_t remainder;
    int step;
};

inline leading_bits leading_bits_of(std::uint64_t high, std::uint64_t low) {
#if defined(__i386__)
    // On 32-bit words: the step is a right shift by 10 rather than 11.
    const std::uint32_t step = ~high_half(high) >> 31;
    const unsigned s = 11 - step;
    return {shift_right_within_word(0, high, s), shift_right_within_word(high, low, s), static_cast<int>(step)};
#else
    // The step as additions: x << step is x + (x & step_mask).
    const std::uint64_t step = ~high >> 63;
    const std::uint64_t step_mask = 0 - step;
    high = high + (high & step_mask) + (low >> 63 & step);
    low = low + (low & step_mask);
    return {high >> 11, (high << 53) | (low >> 11), static_cast<int>(step)};
#endif
}

}  // namespace direct_rounding_detail

// Sets `bits` to the pattern of D * 10^p as read_number rounds it, and
// returns true, when that rounding can be decided without the extended
// scaling; returns false otherwise (p outside -342..308, results outside the
// normal range, or a value near half or three quarters of a unit in the last
// place).
//
// The exponent as a 32-bit int: on 32-bit machines every test on a 64-bit
// one is a pair of compares.
inline bool round_directly_to_bits(std::uint64_t d, int q, bool negative, std::uint64_t& bits) {
    using namespace direct_rounding_detail;
    if (q == 0 && high_half(d) >> 21 == 0) {
        bits = exact_integer_bits(d, negative);
        return true;
    }
    if (q < powers_of_five_first || q > powers_of_five_last) return false;
    const std::uint64_t t = powers_of_five[q - powers_of_five_first];

    // D * T with its leading bit brought to bit 127 of high:low, `zeros`
    // being the shift that took it there. D is normalised first (T has bit
    // 63 set already), which leaves the product's leading bit in one of two
    // places and only a one-bit step to take: no shift of the wide product
    // by a variable count, which 32-bit machines do in pieces. Digit strings
    // that fit 32 bits take a 64 x 32-bit product, half the work there.
    std::uint64_t high, low;
    int zeros;
    if (high_half(d) == 0) {
        const int shift = std::countl_zero(low_half(d));
        const uint128_parts product = multiply_64x32(t, low_half(d) << shift);  // from 2^94 to below 2^96
        high = (product.high << 32) | high_half(product.low);
        low = product.low << 32;
        zeros = 32 + shift;
    } else {
        const int shift = std::countl_zero(d);
        const uint128_parts product = multiply_64x64(d << shift, t);  // from 2^126 to below 2^128
        high = product.high;
        low = product.low;
        zeros = shift;
    }
    // The one-bit step, and then the 53 bits of the mantissa and the 64 of
    // the remainder below them.
    const leading_bits bits_of_product = leading_bits_of(high, low);
    zeros += bits_of_product.step;
    std::uint64_t mantissa = bits_of_product.mantissa;
    const std::uint64_t remainder = bits_of_product.remainder;
    if (within_margin(remainder, half) || within_margin(remainder, three_quarters)) return false;

    const int exponent = (127 - zeros) + q + floor_log2_of_five_power(q) - 63;
    // Rounding up is as likely as not, so it is added rather than branched
    // on. The mantissa, from 2^52 to 2^53, is added to the biased exponent
    // less one, its leading bit making up the one: a carry out of 53 bits
    // leaves 2^53, which steps the exponent with a fraction of zeros, as the
    // rounding to 53 bits wants. No shift by a variable count (pieces and
    // conditional moves on 32-bit machines).
    // Away from the half (within_margin above), "above one half" is the
    // remainder's top bit: a 32-bit shift, not a 64-bit comparison.
    mantissa += high_half(remainder) >> 31;
    const int carry = static_cast<int>(high_half(mantissa) >> (ieee_double::precision - 32));
    if (exponent + carry < lowest_exponent || exponent + carry > highest_exponent) return false;
    const std::uint32_t sign_and_exponent = high_half(negative ? ieee_double::sign_mask : 0) |
                                            static_cast<std::uint32_t>(exponent + ieee_double::exponent_bias - 1)
                                                << (ieee_double::fraction_bits - 32);
    bits = (std::uint64_t{sign_and_exponent} << 32) + mantissa;
    return true;
}

// The same for any 64-bit exponent.
inline bool round_directly_to_bits(std::uint64_t d, std::int64_t p, bool negative, std::uint64_t& bits) {
    if (p < powers_of_five_first || p > powers_of_five_last) return false;
    return round_directly_to_bits(d, static_cast<int>(p), negative, bits);
}

// The same, as the double itself.
inline bool round_directly(std::uint64_t d, std::int64_t p, bool negative, double& result) {
    std::uint64_t bits;
    if (!round_directly_to_bits(d, p, negative, bits)) return false;
    result = std::bit_cast<double>(bits);
    return true;
}

}  // namespace vyxmath
