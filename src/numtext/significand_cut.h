// The cut of a 17-digit significand to n digits in 32-bit integer
// arithmetic, the first step of writing its text in one pass
// (significand_text.cpp says why the cut is this one).
#pragma once

#include <cstdint>

#include "numtext/decimal_significand.h"

namespace vyxmath {

constexpr std::uint32_t power_of_ten_32(int k) {
    std::uint32_t p = 1;
    while (k-- > 0) p *= 10;
    return p;
}
inline constexpr std::uint32_t power_of_ten_32_table[] = {
    power_of_ten_32(0), power_of_ten_32(1), power_of_ten_32(2), power_of_ten_32(3), power_of_ten_32(4),
    power_of_ten_32(5), power_of_ten_32(6), power_of_ten_32(7), power_of_ten_32(8), power_of_ten_32(9),
};

// The cut of a 17-digit significand N = U * 10^8 + L to n digits:
// C = floor((N + 5 * 10^(16 - n)) / 10^(17 - n)) (C = N when n = 17), the
// digit behind the cut rounding half up.
// For n <= 8 the half is a whole multiple of 10^8, which L cannot push over
// a multiple of the divisor: C = floor((U + 5 * 10^(8 - n)) / 10^(9 - n)).
// For 9 <= n <= 16, with j = 17 - n, 10^j divides 10^8:
// C = U * 10^(8 - j) + floor((L + 5 * 10^(j - 1)) / 10^j), and with
// U = a * 10^j + b that is a * 10^8 + (b * 10^(8 - j) + q), whose lower part
// reaches 10^8 only by a carry.
template <int n>
inline split_decimal cut_to(split_decimal d) {
    if constexpr (n == 17) {
        return d;
    } else if constexpr (n <= 8) {
        return {0, (d.upper + 5 * power_of_ten_32(8 - n)) / power_of_ten_32(9 - n)};
    } else {
        constexpr int j = 17 - n;
        const std::uint32_t q = (d.lower + 5 * power_of_ten_32(j - 1)) / power_of_ten_32(j);
        split_decimal c{d.upper / power_of_ten_32(j), d.upper % power_of_ten_32(j) * power_of_ten_32(8 - j) + q};
        if (c.lower == ten_to_8) c = {c.upper + 1, 0};
        return c;
    }
}

inline split_decimal cut_significand(split_decimal digits, int n) {
    switch (n) {
        case 1: return cut_to<1>(digits);
        case 2: return cut_to<2>(digits);
        case 3: return cut_to<3>(digits);
        case 4: return cut_to<4>(digits);
        case 5: return cut_to<5>(digits);
        case 6: return cut_to<6>(digits);
        case 7: return cut_to<7>(digits);
        case 8: return cut_to<8>(digits);
        case 9: return cut_to<9>(digits);
        case 10: return cut_to<10>(digits);
        case 11: return cut_to<11>(digits);
        case 12: return cut_to<12>(digits);
        case 13: return cut_to<13>(digits);
        case 14: return cut_to<14>(digits);
        case 15: return cut_to<15>(digits);
        case 16: return cut_to<16>(digits);
        default: return cut_to<17>(digits);
    }
}

// C, the cut to n digits, and the point P it has: P + 1 when the cut carried
// through all n digits.
struct cut_value {
    split_decimal c;
    int point;
};

// Whether the cut carried through all n digits (C = 10^n), and the C of
// 10^(n - 1) that stands for it with the point one place up.
inline bool carried_out(split_decimal c, int n) {
    return n <= 8 ? c.lower == power_of_ten_32_table[n] : c.upper == power_of_ten_32_table[n - 8] && c.lower == 0;
}
inline split_decimal one_digit_less(int n) {
    return n <= 8 ? split_decimal{0, power_of_ten_32_table[n - 1]} : split_decimal{power_of_ten_32_table[n - 9], 0};
}

}  // namespace vyxmath
