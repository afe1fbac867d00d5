#include "integer/real_to_integer.h"

#include "common/ieee_double.h"

namespace vyxmath {

std::int32_t real_to_int32(double value) {
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
