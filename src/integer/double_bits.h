// The fields of an IEEE 754 double, read from its bit pattern.
#pragma once

#include <bit>
#include <cstdint>

namespace vyxmath {

struct double_bits {
    static constexpr int fraction_bits = 52;
    static constexpr int exponent_bias = 1023;
    static constexpr std::uint64_t fraction_mask = (std::uint64_t{1} << fraction_bits) - 1;
    static constexpr std::uint64_t sign_mask = std::uint64_t{1} << 63;

    std::uint64_t bits;

    constexpr explicit double_bits(double value) : bits(std::bit_cast<std::uint64_t>(value)) {}

    constexpr bool negative() const { return (bits & sign_mask) != 0; }
    // 2^e <= |value| < 2^(e+1) for normal values; -1023 for zeros and
    // subnormals, 1024 for infinities and not-a-number values.
    constexpr int unbiased_exponent() const {
        return static_cast<int>((bits >> fraction_bits) & 0x7FF) - exponent_bias;
    }
    constexpr std::uint64_t significand_with_leading_bit() const {
        return (bits & fraction_mask) | (std::uint64_t{1} << fraction_bits);
    }
};

}  // namespace vyxmath
