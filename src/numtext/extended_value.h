// The intermediate real of number text reading and writing: sign, 15-bit
// exponent biased by 16383, and an 80-bit mantissa with an explicit leading
// bit. value = mantissa * 2^(exponent - 16383 - 79). Exponent 0 is zero (and
// anything below the range), 0x7FFF with only the leading bit set is infinity.
#pragma once

#include <cstdint>

namespace vyxmath {

struct extended_value {
    std::uint16_t low;            // mantissa bits 0..15
    std::uint32_t middle;         // mantissa bits 16..47
    std::uint32_t high;           // mantissa bits 48..79; bit 31 is the leading bit
    std::uint16_t sign_exponent;  // sign in bit 15, biased exponent in bits 0..14

    constexpr int exponent() const { return sign_exponent & 0x7FFF; }
    constexpr bool negative() const { return (sign_exponent & 0x8000) != 0; }
    // Top 64 mantissa bits.
    constexpr std::uint64_t top64() const { return (std::uint64_t{high} << 32) | middle; }

    constexpr bool operator==(const extended_value&) const = default;
};

inline constexpr int extended_bias = 16383;
inline constexpr int extended_infinity_exponent = 0x7FFF;

// Builds a record from its mantissa (top 64 bits and low 16 bits), exponent
// and sign.
constexpr extended_value make_extended(bool negative, int exponent, std::uint64_t top64,
                                       std::uint16_t low16 = 0) {
    return extended_value{low16, static_cast<std::uint32_t>(top64),
                          static_cast<std::uint32_t>(top64 >> 32),
                          static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (exponent & 0x7FFF))};
}

constexpr extended_value extended_zero(bool negative = false) { return make_extended(negative, 0, 0); }

constexpr extended_value extended_infinity(bool negative = false) {
    return make_extended(negative, extended_infinity_exponent, std::uint64_t{1} << 63);
}

constexpr extended_value with_sign(extended_value x, bool negative) {
    x.sign_exponent = static_cast<std::uint16_t>((x.sign_exponent & 0x7FFF) | (negative ? 0x8000 : 0));
    return x;
}

// The truncated fifteen-limb-pair product, rounded half to even at 80 bits,
// for every case (extended_product.h has the inlined path for the usual
// operands). Arguments by value: they arrive in registers, so a caller
// holding them in registers need not store them first.
extended_value multiply_extended(extended_value a, extended_value b);

// value * 10^p for -5200 <= p <= 5200, by at most five table factors.
// keep_low_bits = false first truncates the mantissa to its top 64 bits.
extended_value scale_by_power_of_ten(extended_value value, int p, bool keep_low_bits);

}  // namespace vyxmath
