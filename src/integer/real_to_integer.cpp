#include "integer/real_to_integer.h"

#include "integer/double_bits.h"

namespace vyxmath {

std::int32_t real_to_int32(double value) {
    const double_bits bits(value);
    const int exponent = bits.unbiased_exponent();
    // Below 1 in magnitude the truncation is 0; from 2^63 on (infinities and
    // not-a-number values included) there is no 64-bit value and the result
    // is 0 as well. (-2^63 itself truncates to a value whose low 32 bits are 0.)
    if (exponent < 0 || exponent >= 63) return 0;
    // value = significand * 2^(exponent - 52), with the leading bit explicit.
    const std::uint64_t significand = bits.significand_with_leading_bit();
    const std::uint64_t magnitude = exponent >= double_bits::fraction_bits
                                        ? significand << (exponent - double_bits::fraction_bits)
                                        : significand >> (double_bits::fraction_bits - exponent);
    const std::uint32_t low = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(bits.negative() ? 0u - low : low);
}

}  // namespace vyxmath
