// The truncated fifteen-limb-pair product of two 80-bit mantissas, its
// rounding to 80 bits, and the inlined common case of multiply_extended built
// on them.
//
// The mantissas are taken as five 16-bit limbs each, a0..a4 and b0..b4 (a0
// least significant). The product keeps only the fifteen limb pairs with
// i + j >= 4, summed into a 96-bit value
//     S = sum ai * bj * 2^(16 (i + j - 4))      over i + j >= 4,
// so S is the top 96 bits of the 160-bit product less whatever the ten low
// pairs would have carried into it (up to about 2^18 units of S). Those lost
// carries are part of the result: every caller's bits depend on them.
//
// S is formed without the fifteen small products. With Ah = a4..a1 and
// Bh = b4..b1 as 64-bit numbers, Ah * Bh holds every pair with i, j >= 1 at
// weight 2^(16 (i + j - 2)). Removing the three of them with i + j < 4 leaves
// a multiple of 2^32, and dividing by 2^32 gives their share of S exactly;
// the two pairs with i or j = 0 that belong to S are (4, 0) and (0, 4):
//     S = (Ah * Bh - a1 b1 - (a1 b2 + a2 b1) 2^16) / 2^32 + a4 b0 + a0 b4.
#pragma once

#include <cstdint>

#include "numtext/extended_value.h"
#include "common/wide_product.h"

namespace vyxmath {

// A 96-bit unsigned value: bits 64..95 in top, bits 0..63 in bottom.
struct uint96 {
    std::uint32_t top;
    std::uint64_t bottom;
};

// Exponent of the product when bit 95 of S is its leading bit.
inline constexpr int product_exponent_offset = 0x3FFE;
// Exponent sums above this overflow, at or below the lower one underflow,
// before any mantissa is looked at.
inline constexpr int overflow_exponent_sum = 0xBFFD;
inline constexpr int underflow_exponent_sum = 0x3FBF;

inline uint96 truncated_product(std::uint64_t a_high, std::uint64_t a0, std::uint64_t b_high, std::uint64_t b0) {
    const std::uint64_t a1 = a_high & 0xFFFF, a2 = (a_high >> 16) & 0xFFFF, a4 = a_high >> 48;
    const std::uint64_t b1 = b_high & 0xFFFF, b2 = (b_high >> 16) & 0xFFFF, b4 = b_high >> 48;
    const uint128_parts p = multiply_64x64(a_high, b_high);
    // The three low pairs: below 2^32 + 2^50, and never more than p itself.
    const std::uint64_t low_pairs = a1 * b1 + ((a1 * b2 + a2 * b1) << 16);
    const std::uint64_t high = p.high - (p.low < low_pairs ? 1 : 0);
    const std::uint64_t low = p.low - low_pairs;
    // Divide by 2^32 (exact) and add the two pairs with a zero index.
    uint96 s{static_cast<std::uint32_t>(high >> 32), (high << 32) | (low >> 32)};
    const std::uint64_t edge_pairs = a4 * b0 + a0 * b4;  // below 2^33
    s.bottom += edge_pairs;
    if (s.bottom < edge_pairs) ++s.top;  // S < 2^96, so top cannot overflow
    return s;
}

// S rounded half to even at 80 bits: the mantissa is bits 16..95 of S, its
// top 64 bits in `top` and its low 16 in `low`. With the mantissa's last bit
// added to it, the guard (bits 0..15) exceeds 0x8000 exactly when the
// rounding goes up. A carry out of a mantissa of all ones leaves top = 2^63
// and sets `carried`: the exponent goes up by one. (A denormalised S may have
// top = 0 without any carry.)
struct rounded_mantissa {
    std::uint64_t top;
    std::uint32_t low;
    bool carried;
};

inline rounded_mantissa round_to_80_bits(const uint96& s) {
    std::uint64_t top = (std::uint64_t{s.top} << 32) | (s.bottom >> 32);
    std::uint32_t low = static_cast<std::uint32_t>(s.bottom >> 16) & 0xFFFF;
    const std::uint32_t guard = static_cast<std::uint32_t>(s.bottom) & 0xFFFF;
    low += (guard + (low & 1)) > 0x8000 ? 1 : 0;
    const std::uint32_t carry = low >> 16;
    top += carry;
    const bool carried = top < carry;  // wrapped round to 0
    if (carried) top = std::uint64_t{1} << 63;
    return {top, low & 0xFFFF, carried};
}

// An extended value's magnitude in the form the product works on: the top
// 64 mantissa bits in one word. The sign is kept by the caller.
struct extended_magnitude {
    std::uint64_t top;   // mantissa bits 16..79
    std::uint32_t low;   // mantissa bits 0..15
    std::int32_t exponent;
};

constexpr extended_magnitude magnitude_of(const extended_value& x) { return {x.top64(), x.low, x.exponent()}; }

constexpr extended_value with_magnitude(bool negative, const extended_magnitude& m) {
    return make_extended(negative, m.exponent, m.top, static_cast<std::uint16_t>(m.low));
}

// The product's magnitude for the usual operands: both normalised and
// finite, and an exponent sum that leaves the product at exponent 1 or above.
// Then S has its leading bit at 95 or 94 (its deficit is far below 2^94), so
// normalising is a shift by at most one bit. Returns false, leaving r as it
// was, for every other case; multiply_extended takes those.
inline bool multiply_usual(const extended_magnitude& a, const extended_magnitude& b, extended_magnitude& r) {
    const int exponent_sum = a.exponent + b.exponent;
    const bool usual = static_cast<unsigned>(a.exponent - 1) < 0x7FFE && static_cast<unsigned>(b.exponent - 1) < 0x7FFE &&
                       exponent_sum <= overflow_exponent_sum && exponent_sum >= product_exponent_offset + 2 &&
                       (a.top & b.top) >> 63 != 0;
    if (!usual) return false;
    uint96 s = truncated_product(a.top, a.low, b.top, b.low);
    if ((s.top >> 30) == 0) return false;

    // Shift left by one when bit 95 is clear.
    const unsigned shift = 1 - (s.top >> 31);
    s.top = (s.top << shift) | static_cast<std::uint32_t>((s.bottom >> 63) & shift);
    s.bottom <<= shift;
    int e = exponent_sum - product_exponent_offset - static_cast<int>(shift);

    const rounded_mantissa m = round_to_80_bits(s);
    if (m.carried) ++e;
    if (e >= extended_infinity_exponent) {
        r = {std::uint64_t{1} << 63, 0, extended_infinity_exponent};
    } else {
        r = {m.top, m.low, e};
    }
    return true;
}

}  // namespace vyxmath
