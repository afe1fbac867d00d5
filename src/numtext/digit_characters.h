// Decimal digits to characters eight at a time: the digit values of a
// number below 10^8 on the byte lanes of one word, and the count of its
// trailing zero digits. All in 32-bit steps where 32-bit machines would
// otherwise call the library.
#pragma once

#include <bit>
#include <cstdint>

#include "common/wide_product.h"

namespace vyxmath {

// The 4 digit values of x < 10^4, one per byte in memory order (the first
// digit in the lowest byte on little-endian machines). x splits into two
// pairs by x * 5243 / 2^19 (floor(x / 100) for x < 43699), and each pair,
// on its own 16-bit lane, into two digits by y * 103 / 2^10 (floor(y / 10)
// for y < 100), no lane's product reaching the next lane. All in 32 bits:
// on 32-bit machines one multiply each.
inline std::uint32_t four_digit_values(std::uint32_t x) {
    const std::uint32_t hundreds = (x * 5243) >> 19;
    const std::uint32_t pairs = hundreds | ((x - hundreds * 100) << 16);
    const std::uint32_t tens = ((pairs * 103) >> 10) & 0x000F000Fu;
    return tens | ((pairs - tens * 10) << 8);
}

// The 8 digit values of c < 10^8, leading zeros included, in memory order.
// 64-bit machines split both halves at once, on the lanes of one word.
inline std::uint64_t eight_digit_values(std::uint32_t c) {
    if constexpr (std::endian::native == std::endian::little && sizeof(void*) >= 8) {
        std::uint64_t x = (c / 10000) | (std::uint64_t{c % 10000} << 32);
        const std::uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007Fu;
        x = hundreds | ((x - hundreds * 100) << 16);
        const std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Fu;
        return tens | ((x - tens * 10) << 8);
    } else if constexpr (std::endian::native == std::endian::little) {
        return four_digit_values(c / 10000) | (std::uint64_t{four_digit_values(c % 10000)} << 32);
    } else {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i, c /= 10) word |= std::uint64_t{c % 10} << (8 * i);
        return word;
    }
}

// The zero bits below the lowest and above the highest one bit of a nonzero
// word. 32-bit machines count within one 32-bit half (a library call for
// the whole word otherwise).
inline int zero_bits_below(std::uint64_t x) {
    if constexpr (sizeof(void*) >= 8) return std::countr_zero(x);
    return low_half(x) != 0 ? std::countr_zero(low_half(x)) : 32 + std::countr_zero(high_half(x));
}
inline int zero_bits_above(std::uint64_t x) {
    if constexpr (sizeof(void*) >= 8) return std::countl_zero(x);
    return high_half(x) != 0 ? std::countl_zero(high_half(x)) : 32 + std::countl_zero(low_half(x));
}

// How many of the 8 digits, from the last backwards, are 0; the value is not
// all zeros.
inline int trailing_zero_digits(std::uint64_t values) {
    return std::endian::native == std::endian::little ? zero_bits_above(values) / 8 : zero_bits_below(values) / 8;
}

inline constexpr std::uint64_t ascii_zeros = 0x3030303030303030u;

}  // namespace vyxmath
