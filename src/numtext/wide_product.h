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

// One 32 x 32 -> 64 product: a single multiply instruction on 32-bit x86,
// where a product of two 64-bit operands would take three.
constexpr std::uint64_t multiply_32x32(std::uint32_t a, std::uint32_t b) { return std::uint64_t{a} * b; }

constexpr std::uint32_t low_half(std::uint64_t x) { return static_cast<std::uint32_t>(x); }
constexpr std::uint32_t high_half(std::uint64_t x) { return static_cast<std::uint32_t>(x >> 32); }

// Four 32 x 32 -> 64 partial products. The middle column takes the low
// product's high half and the two cross terms' low halves: at most
// 3 * (2^32 - 1), which fits 64 bits, so the one carry out of it is its own
// high half, and the high column adds it with the cross terms' high halves
// without overflowing (the whole product fits 128 bits).
constexpr uint128_parts multiply_64x64_portable(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t low_low = multiply_32x32(low_half(a), low_half(b));
    const std::uint64_t low_high = multiply_32x32(low_half(a), high_half(b));
    const std::uint64_t high_low = multiply_32x32(high_half(a), low_half(b));
    const std::uint64_t high_high = multiply_32x32(high_half(a), high_half(b));
    const std::uint64_t middle = std::uint64_t{high_half(low_low)} + low_half(low_high) + low_half(high_low);
    return {high_high + high_half(low_high) + high_half(high_low) + high_half(middle),
            (middle << 32) | low_half(low_low)};
}

constexpr uint128_parts multiply_64x64(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
    return multiply_64x64_portable(a, b);
#endif
}

// A 64-bit by 32-bit product, 96 bits: two multiplies of 32-bit halves.
constexpr uint128_parts multiply_64x32(std::uint64_t a, std::uint32_t b) {
#ifdef __SIZEOF_INT128__
    return multiply_64x64(a, b);
#else
    const std::uint64_t low = multiply_32x32(low_half(a), b);
    const std::uint64_t high = multiply_32x32(high_half(a), b) + high_half(low);
    return {high_half(high), (high << 32) | low_half(low)};
#endif
}

}  // namespace vyxmath
