// 32-bit two's-complement arithmetic of the integer functions. Sums,
// differences and products wrap modulo 2^32; they are formed in unsigned
// arithmetic so that no signed overflow ever happens. Division truncates toward
// zero and a remainder takes the sign of the dividend.
//
// The one quotient without a 32-bit value, -2147483648 / -1, wraps back to
// -2147483648, and the matching remainder is 0: the identity
// a == (a / b) * b + a % b then still holds modulo 2^32.
#pragma once

#include <cassert>
#include <cstdint>

namespace vyxmath {

constexpr std::int32_t wrap_to_int32(std::uint32_t bits) { return static_cast<std::int32_t>(bits); }

constexpr std::int32_t wrapping_add(std::int32_t a, std::int32_t b) {
    return wrap_to_int32(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t wrapping_sub(std::int32_t a, std::int32_t b) {
    return wrap_to_int32(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

constexpr std::int32_t wrapping_mul(std::int32_t a, std::int32_t b) {
    return wrap_to_int32(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Truncating quotient; b must not be 0.
constexpr std::int32_t truncating_div(std::int32_t a, std::int32_t b) {
    assert(b != 0);
    if (b == -1) return wrapping_sub(0, a);
    return a / b;
}

// Remainder with the sign of the dividend; b must not be 0.
constexpr std::int32_t truncating_rem(std::int32_t a, std::int32_t b) {
    assert(b != 0);
    if (b == -1) return 0;
    return a % b;
}

}  // namespace vyxmath
