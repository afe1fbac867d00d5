// Product of two extended values.
//
// The mantissas are taken as five 16-bit limbs each, a0..a4 and b0..b4 (a0
// least significant). The product keeps only the fifteen limb pairs with
// i + j >= 4, summed into a 96-bit value
//     S = sum ai * bj * 2^(16 (i + j - 4))      over i + j >= 4,
// so S is the top 96 bits of the 160-bit product less whatever the ten low
// pairs would have carried into it. Those lost carries are part of the
// result: every caller's bits depend on them.
//
// S is formed without the fifteen small products. With Ah = a4..a1 and
// Bh = b4..b1 as 64-bit numbers, Ah * Bh holds every pair with i, j >= 1 at
// weight 2^(16 (i + j - 2)). Removing the three of them with i + j < 4 leaves
// a multiple of 2^32, and dividing by 2^32 gives their share of S exactly;
// the two pairs with i or j = 0 that belong to S are (4, 0) and (0, 4):
//     S = (Ah * Bh - a1 b1 - (a1 b2 + a2 b1) 2^16) / 2^32 + a4 b0 + a0 b4.
#include <bit>

#include "numtext/extended_value.h"
#include "numtext/wide_product.h"

namespace vyxmath {
namespace {

// Exponent sums above this overflow, at or below the lower one underflow,
// before any mantissa is looked at.
constexpr int overflow_exponent_sum = 0xBFFD;
constexpr int underflow_exponent_sum = 0x3FBF;
// Exponent of the product when bit 95 of S is its leading bit.
constexpr int product_exponent_offset = 0x3FFE;

// A 96-bit unsigned value: bits 64..95 in top, bits 0..63 in bottom.
struct uint96 {
    std::uint32_t top;
    std::uint64_t bottom;
};

constexpr std::uint64_t limb(std::uint64_t x, int index) { return (x >> (16 * index)) & 0xFFFF; }

uint96 truncated_product(std::uint64_t a_high, std::uint64_t a0, std::uint64_t b_high, std::uint64_t b0) {
    const std::uint64_t a1 = limb(a_high, 0), a2 = limb(a_high, 1), a4 = limb(a_high, 3);
    const std::uint64_t b1 = limb(b_high, 0), b2 = limb(b_high, 1), b4 = limb(b_high, 3);
    const uint128_parts p = multiply_64x64(a_high, b_high);
    // The three low pairs: below 2^32 + 2^50, and never more than p itself.
    const std::uint64_t low_pairs = a1 * b1 + ((a1 * b2 + a2 * b1) << 16);
    const std::uint64_t borrow = p.low < low_pairs ? 1 : 0;
    const std::uint64_t high = p.high - borrow;
    const std::uint64_t low = p.low - low_pairs;
    // Divide by 2^32 (exact) and add the two pairs with a zero index.
    uint96 s{static_cast<std::uint32_t>(high >> 32), (high << 32) | (low >> 32)};
    const std::uint64_t edge_pairs = a4 * b0 + a0 * b4;  // below 2^33
    s.bottom += edge_pairs;
    if (s.bottom < edge_pairs) ++s.top;  // S < 2^96, so top cannot overflow
    return s;
}

int leading_zeros(const uint96& s) {
    if (s.top != 0) return std::countl_zero(s.top);
    return 32 + std::countl_zero(s.bottom);  // 96 when S is zero
}

// Shifts left by 0 <= n < 96; bits beyond 95 are never set by the callers.
uint96 shift_left(const uint96& s, int n) {
    if (n == 0) return s;
    if (n >= 64) return {static_cast<std::uint32_t>(s.bottom << (n - 64)), 0};
    if (n >= 32)
        return {static_cast<std::uint32_t>(s.bottom >> (64 - n)), s.bottom << n};
    return {static_cast<std::uint32_t>((std::uint64_t{s.top} << n) | (s.bottom >> (64 - n))), s.bottom << n};
}

// Shifts right by n >= 1, ORing into bit 0 whether any 1 was shifted out.
uint96 shift_right_sticky(const uint96& s, int n) {
    if (n >= 96) return {0, (s.top | s.bottom) != 0 ? 1u : 0u};
    uint96 r;
    std::uint64_t lost;
    if (n >= 64) {
        r = {0, std::uint64_t{s.top} >> (n - 64)};
        lost = s.bottom | (n > 64 ? std::uint64_t{s.top} << (128 - n) : 0);
    } else {
        r = {static_cast<std::uint32_t>(std::uint64_t{s.top} >> n),
             (s.bottom >> n) | (std::uint64_t{s.top} << (64 - n))};
        lost = s.bottom << (64 - n);
    }
    if (lost != 0) r.bottom |= 1;
    return r;
}

}  // namespace

extended_value multiply_extended(const extended_value& a, const extended_value& b) {
    const bool negative = a.negative() != b.negative();
    int ea = a.exponent();
    int eb = b.exponent();
    if (ea == extended_infinity_exponent || eb == extended_infinity_exponent || ea + eb > overflow_exponent_sum)
        return extended_infinity(negative);
    if (ea + eb <= underflow_exponent_sum) return extended_zero();
    // Exponent 0 scales its mantissa like exponent 1 (the mantissa is then
    // not normalised).
    if (ea == 0) ea = 1;
    if (eb == 0) eb = 1;
    const std::uint64_t a_high = a.top64(), b_high = b.top64();
    if ((a_high | a.low) == 0 || (b_high | b.low) == 0) return extended_zero();

    uint96 s = truncated_product(a_high, a.low, b_high, b.low);
    int e = ea + eb - product_exponent_offset;

    // Normalise while the exponent allows, then denormalise what is left
    // below exponent 1, keeping a sticky bit for the rounding.
    if (e > 0) {
        const int shift = leading_zeros(s) < e ? leading_zeros(s) : e;
        s = shift_left(s, shift);
        e -= shift;
    }
    if (e <= 0) {
        s = shift_right_sticky(s, 1 - e);
        e = 0;
    }

    // Round half to even at 80 bits: the mantissa is bits 16..95 of S.
    std::uint64_t top64 = (std::uint64_t{s.top} << 32) | (s.bottom >> 32);
    std::uint16_t low16 = static_cast<std::uint16_t>(s.bottom >> 16);
    const std::uint32_t guard = s.bottom & 0xFFFF;
    if (guard > 0x8000 || (guard == 0x8000 && (low16 & 1) != 0)) {
        if (++low16 == 0 && ++top64 == 0) {
            top64 = std::uint64_t{1} << 63;
            ++e;
        }
    }
    if (e >= extended_infinity_exponent) return extended_infinity(negative);
    return make_extended(negative, e, top64, low16);
}

}  // namespace vyxmath
