// Exact integer (fixed-point) values of ln 2 and ln 10, independent of the
// double-double code they check. Needs a 128-bit integer type.
#pragma once

#if defined(__SIZEOF_INT128__)
#define VYXMATH_FIXED_POINT_REFERENCE 1

#include <cstdint>

namespace vyxmath::test {

using u128 = unsigned __int128;

// ln 2 * 2^124 from ln 2 = sum_{k>=1} 1 / (k 2^k); each term is truncated,
// so the sum is below the true value by less than 124 units of 2^-124.
inline u128 ln2_fixed124() {
    u128 sum = 0;
    for (int k = 1; k <= 124; ++k) sum += (u128{1} << (124 - k)) / static_cast<unsigned>(k);
    return sum;
}

// ln 10 * 2^124 = 3 ln 2 + ln(5/4), ln(5/4) = 2 atanh(1/9)
// = 2 sum_j 1 / ((2j + 1) 9^(2j + 1)); error below 200 units of 2^-124.
inline u128 ln10_fixed124() {
    u128 power = (u128{1} << 124) / 9;  // 2^124 / 9^(2j+1)
    u128 atanh = 0;
    for (unsigned j = 0; power != 0; ++j) {
        atanh += power / (2 * j + 1);
        power /= 81;
    }
    return 3 * ln2_fixed124() + 2 * atanh;
}

// The top 128 bits of the 256-bit product a * b.
inline u128 high_product(u128 a, u128 b) {
    const u128 mask = ~std::uint64_t{0};
    const u128 a0 = a & mask, a1 = a >> 64, b0 = b & mask, b1 = b >> 64;
    const u128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const u128 mid = (p00 >> 64) + (p01 & mask) + (p10 & mask);
    return p11 + (p01 >> 64) + (p10 >> 64) + (mid >> 64);
}

}  // namespace vyxmath::test
#endif
