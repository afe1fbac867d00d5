// The first steps of finding a double's decimal digits, shared by both
// routes to them: the exact widening of the double to the extended format,
// and the estimate of its decimal exponent. The value is positive
// throughout: the sign is put back at the end.
#pragma once

#include <bit>
#include <cstdint>

#include "common/ieee_double.h"
#include "numtext/extended_product.h"

namespace vyxmath {

// Exponent of the widened double when the double's exponent field is 1:
// 1 - 1023 + 16383.
inline constexpr int widened_exponent_offset = extended_bias - ieee_double::exponent_bias;  // 0x3C00

// The fraction moved up against the leading bit, at bit 63.
inline constexpr int fraction_to_top = 63 - ieee_double::fraction_bits;  // 11

// The magnitude of a finite nonzero double's bit pattern, exactly.
inline extended_magnitude widen(std::uint64_t bits) {
    const auto exponent_field =
        static_cast<int>((bits >> ieee_double::fraction_bits) & ieee_double::max_biased_exponent);
    const std::uint64_t fraction = bits & ieee_double::fraction_mask;
    if (exponent_field != 0)
        return {(std::uint64_t{1} << 63) | (fraction << fraction_to_top), 0, exponent_field + widened_exponent_offset};
    // A denormal is 0.f x 2^-1022: normalise it, one exponent step per bit of
    // shift, so the leading bit lands on bit 63.
    const int shift = std::countl_zero(fraction << fraction_to_top);
    return {(fraction << fraction_to_top) << shift, 0, 1 + widened_exponent_offset - shift};
}

// p = floor(log10 x) or floor(log10 x) + 1, from x's exponent and the top 8
// bits of its mantissa.
//
// numerator / 2^16 is a piecewise-linear stand-in for log10 x + 1: the slope
// 0x4D10 / 2^16 plus 0x4D / 2^24 (the E / 256 term) is log10 2 to seven
// digits, 2 t * 0x4D / 2^16 is a chord of log10 over the mantissa's top 8
// bits, and 0x134312F4 removes the exponent bias. Over every (E, t) bucket it
// lies from log10 x + 0.971 to log10 x + 1.001, and the overshoot beyond +1
// occurs only where it cannot reach the next integer, so the floor is
// floor(log10 x) or one more for every finite nonzero double. The numerator
// is negative below about 0.1, and the arithmetic shift floors it.
inline int estimate_decimal_exponent(const extended_magnitude& x) {
    const std::int32_t e = x.exponent;
    const auto t = static_cast<std::int32_t>(x.top >> 56);  // 128..255
    const std::int32_t numerator = e * 0x4D10 + (e / 256 + 2 * t) * 0x4D - 0x134312F4;
    return numerator >> 16;
}

// The same two steps on extended values, as the tests look at them.
inline extended_value double_to_extended(double value) {
    return with_magnitude(false, widen(std::bit_cast<std::uint64_t>(value)));
}
inline int estimate_decimal_exponent(const extended_value& x) { return estimate_decimal_exponent(magnitude_of(x)); }

}  // namespace vyxmath
