// Conversion of a double to a 32-bit integer wherever a real becomes an
// integer: truncation toward zero to a 64-bit signed integer, then the low 32
// bits read as signed. Magnitudes from 2^31 up to 2^63 therefore wrap modulo
// 2^32 (3e9 gives -1294967296, 2^32 gives 0); infinities, not-a-number values
// and magnitudes of 2^63 or more give 0.
//
// The conversion works on the bit pattern in integer arithmetic, so it depends
// on no rounding mode and gives the same result on every machine.
#pragma once

#include <cstdint>

#include "common/ieee_double.h"

namespace vyxmath {

constexpr std::int32_t real_to_int32(double value) {
    const int exponent = unbiased_exponent(value);
    // Below 1 in magnitude the truncation is 0; from 2^63 on (infinities and
    // not-a-number values included) there is no 64-bit value and the result
    // is 0 as well. (-2^63 itself truncates to a value whose low 32 bits are 0.)
    if (exponent < 0 || exponent >= 63) return 0;
    // value = significand * 2^(exponent - 52), with the leading bit explicit.
    const std::uint64_t significand = fraction_field(value) | ieee_double::hidden_bit;
    const std::uint64_t magnitude = exponent >= ieee_double::fraction_bits
                                        ? significand << (exponent - ieee_double::fraction_bits)
                                        : significand >> (ieee_double::fraction_bits - exponent);
    const std::uint32_t low = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(sign_bit(value) ? 0u - low : low);
}

}  // namespace vyxmath
