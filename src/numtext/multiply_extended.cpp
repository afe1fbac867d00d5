// Product of two extended values, every case: infinities, the exponent
// thresholds, exponent-0 operands, products below exponent 1 and products
// that need a longer normalising shift. The truncated product itself is in
// extended_product.h, with the inlined path for the usual operands.
#include <cassert>
#include <bit>

#include "numtext/extended_value.h"
#include "numtext/extended_product.h"

namespace vyxmath {
namespace {

int leading_zeros(const uint96& s) {
    if (s.top != 0) return std::countl_zero(s.top);
    return 32 + std::countl_zero(s.bottom);  // 96 when S is zero
}

// Shifts left by 0 <= n < 96; bits beyond 95 are never set by the callers.
uint96 shift_left(const uint96& s, int n) {
    assert(n >= 0 && n < 96);
    if (n == 0) return s;
    if (n >= 64) return {static_cast<std::uint32_t>(s.bottom << (n - 64)), 0};
    if (n >= 32)
        return {static_cast<std::uint32_t>(s.bottom >> (64 - n)), s.bottom << n};
    return {static_cast<std::uint32_t>((std::uint64_t{s.top} << n) | (s.bottom >> (64 - n))), s.bottom << n};
}

// Shifts right by n >= 1, ORing into bit 0 whether any 1 was shifted out.
uint96 shift_right_sticky(const uint96& s, int n) {
    assert(n >= 1);
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

extended_value multiply_extended(extended_value a, extended_value b) {
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

    const rounded_mantissa m = round_to_80_bits(s);
    if (m.carried) ++e;
    if (e >= extended_infinity_exponent) return extended_infinity(negative);
    return make_extended(negative, e, m.top, static_cast<std::uint16_t>(m.low));
}

}  // namespace vyxmath
