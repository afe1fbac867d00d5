// A literal, bit-at-a-time rendering of the truncated extended product, kept
// as the reference that the fast multiply_extended must match bit for bit.
#pragma once

#include <array>
#include <cstdint>

#include "numtext/extended_value.h"

namespace vyxmath::test {

// 96 bits as three 32-bit words, word 2 the most significant.
struct bits96 {
    std::array<std::uint32_t, 3> w{};

    bool top_bit() const { return (w[2] >> 31) != 0; }
    void shift_left_one() {
        w[2] = (w[2] << 1) | (w[1] >> 31);
        w[1] = (w[1] << 1) | (w[0] >> 31);
        w[0] <<= 1;
    }
    // Returns the bit shifted out.
    bool shift_right_one() {
        const bool out = (w[0] & 1) != 0;
        w[0] = (w[0] >> 1) | (w[1] << 31);
        w[1] = (w[1] >> 1) | (w[2] << 31);
        w[2] >>= 1;
        return out;
    }
};

inline std::array<std::uint32_t, 5> limbs_of(const extended_value& x) {
    return {x.low, x.middle & 0xFFFFu, x.middle >> 16, x.high & 0xFFFFu, x.high >> 16};
}

inline extended_value reference_multiply_extended(const extended_value& a, const extended_value& b) {
    const bool negative = a.negative() != b.negative();
    int ea = a.exponent(), eb = b.exponent();
    if (ea == 0x7FFF || eb == 0x7FFF || ea + eb > 0xBFFD) return extended_infinity(negative);
    if (ea + eb <= 0x3FBF) return extended_zero();
    if (ea == 0) ea = 1;
    if (eb == 0) eb = 1;
    const auto al = limbs_of(a), bl = limbs_of(b);
    if ((al[0] | al[1] | al[2] | al[3] | al[4]) == 0 || (bl[0] | bl[1] | bl[2] | bl[3] | bl[4]) == 0)
        return extended_zero();

    // Column sums of the fifteen pairs with i + j >= 4, then carries.
    std::array<std::uint64_t, 5> column{};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            if (i + j >= 4) column[i + j - 4] += std::uint64_t{al[i]} * bl[j];
    std::array<std::uint32_t, 6> s16{};
    std::uint64_t carry = 0;
    for (int c = 0; c < 5; ++c) {
        const std::uint64_t t = column[c] + carry;
        s16[c] = t & 0xFFFF;
        carry = t >> 16;
    }
    s16[5] = static_cast<std::uint32_t>(carry);
    bits96 s;
    s.w = {s16[0] | (s16[1] << 16), s16[2] | (s16[3] << 16), s16[4] | (s16[5] << 16)};

    int e = ea + eb - 0x3FFE;
    while (e > 0 && !s.top_bit()) {
        s.shift_left_one();
        --e;
    }
    if (e <= 0) {
        bool lost = false;
        for (int n = 1 - e; n > 0; --n) lost |= s.shift_right_one();
        if (lost) s.w[0] |= 1;
        e = 0;
    }
    std::uint64_t top64 = (std::uint64_t{s.w[2]} << 32) | s.w[1];
    std::uint32_t low16 = s.w[0] >> 16;
    const std::uint32_t guard = s.w[0] & 0xFFFF;
    if (guard > 0x8000 || (guard == 0x8000 && (low16 & 1) != 0)) {
        low16 = (low16 + 1) & 0xFFFF;
        if (low16 == 0) {
            ++top64;
            if (top64 == 0) {
                top64 = std::uint64_t{1} << 63;
                ++e;
            }
        }
    }
    if (e >= 0x7FFF) return extended_infinity(negative);
    return make_extended(negative, e, top64, static_cast<std::uint16_t>(low16));
}

}  // namespace vyxmath::test
