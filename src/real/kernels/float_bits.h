// Bit-level helpers on IEEE doubles: the default not-a-number, passing a NaN
// operand through, exact powers of two and the integer tests the edge cases
// of the real-valued functions need. Everything here is exact, so it gives the
// same bits on every machine.
#pragma once

#include <bit>
#include <cstdint>

namespace vyxmath {

constexpr std::uint64_t to_bits(double x) { return std::bit_cast<std::uint64_t>(x); }
constexpr double from_bits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

// The not-a-number an invalid operation (0/0, inf - inf, log of a negative
// number) produces on the processor: quiet, sign bit set, empty payload.
// Written as "-1.#IND".
inline constexpr std::uint64_t default_nan_bits = 0xFFF8000000000000u;
constexpr double default_nan() { return from_bits(default_nan_bits); }

inline constexpr double positive_infinity = from_bits(0x7FF0000000000000u);
inline constexpr double smallest_normal = from_bits(0x0010000000000000u);   // 2^-1022
inline constexpr double smallest_subnormal = from_bits(1);                  // 2^-1074

constexpr bool is_nan(double x) { return (to_bits(x) & 0x7FFFFFFFFFFFFFFFu) > 0x7FF0000000000000u; }
constexpr bool is_infinite(double x) { return (to_bits(x) & 0x7FFFFFFFFFFFFFFFu) == 0x7FF0000000000000u; }
constexpr bool is_finite(double x) { return (to_bits(x) & 0x7FF0000000000000u) != 0x7FF0000000000000u; }
constexpr bool sign_bit(double x) { return (to_bits(x) >> 63) != 0; }
constexpr double magnitude(double x) { return from_bits(to_bits(x) & 0x7FFFFFFFFFFFFFFFu); }
constexpr double negate(double x) { return from_bits(to_bits(x) ^ 0x8000000000000000u); }
constexpr bool is_subnormal(double x) {
    const std::uint64_t m = to_bits(x) & 0x7FFFFFFFFFFFFFFFu;
    return m != 0 && m < 0x0010000000000000u;
}

// A NaN operand comes out as the processor passes it through arithmetic: the
// same sign and payload, with the quiet bit set.
constexpr double pass_nan(double x) { return from_bits(to_bits(x) | 0x0008000000000000u); }

// 2^k for -1022 <= k <= 1023, built from its bits.
constexpr double power_of_two(int k) {
    return from_bits(static_cast<std::uint64_t>(k + 1023) << 52);
}

// x * 2^k by at most three exact multiplications; exact whenever the result
// is a normal double, +-infinity when it overflows. k may lie anywhere in
// [-2200, 2200]. Results in the subnormal range are rounded twice at worst:
// callers that need a subnormal result round it themselves.
constexpr double scale_by_power_of_two(double x, int k) {
    while (k > 1023) {
        x *= power_of_two(1023);
        k -= 1023;
    }
    while (k < -1022) {
        x *= power_of_two(-1022);
        k += 1022;
    }
    return x * power_of_two(k);
}

// Whether x is a whole number (every double of magnitude 2^52 or more is).
constexpr bool is_integer(double x) {
    if (!is_finite(x)) return false;
    const int exponent = static_cast<int>((to_bits(x) >> 52) & 0x7FF) - 1075;
    if (exponent >= 0) return true;
    if (exponent < -52) return x == 0.0;
    return (to_bits(x) & ((std::uint64_t{1} << -exponent) - 1)) == 0;
}

// Whether x is an odd whole number (none of magnitude 2^53 or more is).
constexpr bool is_odd_integer(double x) {
    if (!is_integer(x) || x == 0.0) return false;
    const int exponent = static_cast<int>((to_bits(x) >> 52) & 0x7FF) - 1075;
    if (exponent > 0) return false;
    const std::uint64_t significand = (to_bits(x) & 0x000FFFFFFFFFFFFFu) | 0x0010000000000000u;
    return ((significand >> -exponent) & 1) != 0;
}

}  // namespace vyxmath
