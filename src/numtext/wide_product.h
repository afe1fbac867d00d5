// The full 128-bit product of two 64-bit integers. 32-bit targets (the i686
// Windows module) have no 128-bit integer type, so a schoolbook product of
// 32-bit halves stands in there; both paths give the same bits.
#pragma once

#include <cstdint>

namespace vyxmath {

struct uint128_parts {
    std::uint64_t high;
    std::uint64_t low;
};

// Four 32 x 32 -> 64 partial products. The middle column can carry: the sum
// of the two cross terms' low halves and the low product's high half is at
// most 3 * (2^32 - 1), which fits 64 bits, so the carry is taken from there.
constexpr uint128_parts multiply_64x64_portable(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t a_low = a & 0xFFFFFFFFu, a_high = a >> 32;
    const std::uint64_t b_low = b & 0xFFFFFFFFu, b_high = b >> 32;
    const std::uint64_t low_low = a_low * b_low;
    const std::uint64_t low_high = a_low * b_high;
    const std::uint64_t high_low = a_high * b_low;
    const std::uint64_t high_high = a_high * b_high;
    const std::uint64_t middle = (low_low >> 32) + (low_high & 0xFFFFFFFFu) + (high_low & 0xFFFFFFFFu);
    return {high_high + (low_high >> 32) + (high_low >> 32) + (middle >> 32),
            (middle << 32) | (low_low & 0xFFFFFFFFu)};
}

constexpr uint128_parts multiply_64x64(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
    return multiply_64x64_portable(a, b);
#endif
}

}  // namespace vyxmath
