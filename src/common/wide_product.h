// The full 128-bit product of two 64-bit integers. 32-bit targets (the i686
// Windows module) have no 128-bit integer type, so a schoolbook product of
// 32-bit halves stands in there; both paths give the same bits.
#pragma once

#include <cassert>
#include <compare>
#include <cstdint>
#include <type_traits>

namespace vyxmath {

struct uint128_parts {
    std::uint64_t high;
    std::uint64_t low;
    // As 128-bit numbers: the high words first.
    constexpr auto operator<=>(const uint128_parts&) const = default;
};

// One 32 x 32 -> 64 product: a single multiply instruction on 32-bit x86,
// where a product of two 64-bit operands would take three. There it is
// spelt out: GCC, having widened both operands, can lose track of their
// zero high halves and multiply those too (an `imul $0` and an addition for
// each).
constexpr std::uint64_t multiply_32x32(std::uint32_t a, std::uint32_t b) {
#if defined(__i386__) && defined(__GNUC__)
    if (!std::is_constant_evaluated()) {
        std::uint32_t low, high;
        asm("mull %3" : "=a"(low), "=d"(high) : "%0"(a), "rm"(b) : "cc");
        return (std::uint64_t{high} << 32) | low;
    }
#endif
    return std::uint64_t{a} * b;
}

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

#if defined(__i386__) && defined(__GNUC__)
// The same products on 32-bit x86, as the instructions themselves: four
// (two) `mul` and one add-with-carry chain per column, the words kept in
// 32-bit registers. Written in C++, the column sums are 64-bit additions of
// zero-extended words, which GCC carries out in full there, zero high
// halves stored to the stack and added back.
inline uint128_parts multiply_64x64_i386(std::uint64_t a, std::uint64_t b) {
    std::uint32_t w0, w1, w2, w3;
    asm("movl %[a0], %%eax\n\t"
        "mull %[b0]\n\t"
        "movl %%eax, %[w0]\n\t"
        "movl %%edx, %[w1]\n\t"
        "movl %[a1], %%eax\n\t"
        "mull %[b1]\n\t"
        "movl %%eax, %[w2]\n\t"
        "movl %%edx, %[w3]\n\t"
        "movl %[a0], %%eax\n\t"
        "mull %[b1]\n\t"
        "addl %%eax, %[w1]\n\t"
        "adcl %%edx, %[w2]\n\t"
        "adcl $0, %[w3]\n\t"
        "movl %[a1], %%eax\n\t"
        "mull %[b0]\n\t"
        "addl %%eax, %[w1]\n\t"
        "adcl %%edx, %[w2]\n\t"
        "adcl $0, %[w3]"
        : [w0] "=&rm"(w0), [w1] "=&rm"(w1), [w2] "=&rm"(w2), [w3] "=&rm"(w3)
        : [a0] "rm"(low_half(a)), [a1] "rm"(high_half(a)), [b0] "rm"(low_half(b)), [b1] "rm"(high_half(b))
        : "eax", "edx", "cc");
    return {(std::uint64_t{w3} << 32) | w2, (std::uint64_t{w1} << 32) | w0};
}

inline uint128_parts multiply_64x32_i386(std::uint64_t a, std::uint32_t b) {
    std::uint32_t w0, w1, w2;
    asm("movl %[a0], %%eax\n\t"
        "mull %[b]\n\t"
        "movl %%eax, %[w0]\n\t"
        "movl %%edx, %[w1]\n\t"
        "movl %[a1], %%eax\n\t"
        "mull %[b]\n\t"
        "addl %%eax, %[w1]\n\t"
        "adcl $0, %%edx\n\t"
        "movl %%edx, %[w2]"
        : [w0] "=&rm"(w0), [w1] "=&rm"(w1), [w2] "=&rm"(w2)
        : [a0] "rm"(low_half(a)), [a1] "rm"(high_half(a)), [b] "rm"(b)
        : "eax", "edx", "cc");
    return {w2, (std::uint64_t{w1} << 32) | w0};
}
#endif

constexpr uint128_parts multiply_64x64(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
#if defined(__i386__) && defined(__GNUC__)
    if (!std::is_constant_evaluated()) return multiply_64x64_i386(a, b);
#endif
    return multiply_64x64_portable(a, b);
#endif
}

// The low 64 bits of the 128-bit high:low shifted right by k, 1 <= k <= 31.
// On 32-bit machines each word is two 32-bit shifts of its neighbours; a
// 64-bit shift by a count not known to be below 32 costs a test and
// conditional moves there besides.
constexpr std::uint64_t shift_right_within_word(std::uint64_t high, std::uint64_t low, unsigned k) {
    assert(1 <= k && k <= 31);
#if defined(__i386__)
    const std::uint32_t a = low_half(high), b = high_half(low), c = low_half(low);
    return (std::uint64_t{(a << (32 - k)) | (b >> k)} << 32) | ((b << (32 - k)) | (c >> k));
#else
    return (high << (64 - k)) | (low >> k);
#endif
}

// A 64-bit by 32-bit product, 96 bits: two multiplies of 32-bit halves.
constexpr uint128_parts multiply_64x32(std::uint64_t a, std::uint32_t b) {
#ifdef __SIZEOF_INT128__
    return multiply_64x64(a, b);
#else
#if defined(__i386__) && defined(__GNUC__)
    if (!std::is_constant_evaluated()) return multiply_64x32_i386(a, b);
#endif
    const std::uint64_t low = multiply_32x32(low_half(a), b);
    const std::uint64_t high = multiply_32x32(high_half(a), b) + high_half(low);
    return {high_half(high), (high << 32) | low_half(low)};
#endif
}

}  // namespace vyxmath
