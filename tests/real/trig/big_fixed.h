// Exact fixed-point numbers for the angle tests: the tests' big integer with
// `fraction_bits` bits after the point. pi comes from Machin's formula, 2/pi
// by long division; nothing here shares code or tables with the module.
#pragma once

#include <bit>
#include <cstdint>

#include "real/double_double.h"
#include "support/exact_integer.h"

namespace vyxmath::test {

// A signed fixed-point value: (negative ? -1 : 1) * magnitude * 2^-fraction_bits.
inline constexpr int fraction_bits = 700;

struct fixed {
    bool negative = false;
    exact_integer magnitude;
};

inline fixed operator-(fixed a) {
    a.negative = !a.negative && !a.magnitude.is_zero();
    return a;
}

inline fixed operator+(const fixed& a, const fixed& b) {
    if (a.negative == b.negative) return {a.negative, a.magnitude + b.magnitude};
    if (a.magnitude >= b.magnitude) return {a.negative, a.magnitude - b.magnitude};
    return {b.negative, b.magnitude - a.magnitude};
}

inline fixed operator-(const fixed& a, const fixed& b) { return a + (-b); }

inline fixed operator*(const fixed& a, const fixed& b) {
    return {a.negative != b.negative, (a.magnitude * b.magnitude) >> fraction_bits};
}

// The exact value of a double (|x| >= 2^-fraction_bits in its last bit).
inline fixed to_fixed(double x) {
    fixed r;
    if (x == 0.0) return r;
    r.negative = x < 0;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x) & 0x7FFFFFFFFFFFFFFFu;
    int e = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & 0x000FFFFFFFFFFFFFu;
    if (e == 0) {
        e = 1;
    } else {
        m |= 0x0010000000000000u;
    }
    const int shift = e - 1075 + fraction_bits;
    r.magnitude = shift >= 0 ? exact_integer{m} << shift : exact_integer{m} >> -shift;
    return r;
}

inline fixed to_fixed(double_double x) { return to_fixed(x.hi) + to_fixed(x.lo); }

inline fixed from_integer(std::uint64_t v) { return {false, exact_integer{v} << fraction_bits}; }

// The nearest long double (64-bit significand) is not needed: a double view
// is enough for messages and for seeding references.
inline double to_double(const fixed& a) {
    const int n = a.magnitude.bit_length();
    if (n == 0) return 0.0;
    const int shift = n - 64;
    const std::uint64_t top = shift >= 0 ? (a.magnitude >> shift).low64() : (a.magnitude << -shift).low64();
    double v = static_cast<double>(top);
    for (int i = 0; i < shift - fraction_bits; ++i) v *= 2.0;
    for (int i = 0; i < fraction_bits - shift; ++i) v *= 0.5;
    return a.negative ? -v : v;
}

// Whether |a - b| <= |a| * 2^-bits.
inline bool agrees_to_bits(const fixed& a, const fixed& b, int bits) {
    const fixed d = a - b;
    return d.magnitude.is_zero() || d.magnitude.bit_length() + bits <= a.magnitude.bit_length();
}

// atan(1/m) = sum_k (-1)^k / ((2k+1) m^(2k+1)).
inline fixed atan_of_inverse(std::uint32_t m) {
    fixed sum;
    exact_integer power = (exact_integer{1} << fraction_bits).divided_by(m);
    for (std::uint32_t k = 0; !power.is_zero(); ++k) {
        const fixed term{(k % 2) != 0, power.divided_by(2 * k + 1)};
        sum = sum + term;
        power = power.divided_by(m).divided_by(m);
    }
    return sum;
}

// pi = 16 atan(1/5) - 4 atan(1/239), good to about 2^-(fraction_bits - 8).
inline fixed pi_fixed() {
    const fixed a = atan_of_inverse(5);
    const fixed b = atan_of_inverse(239);
    return {false, (a.magnitude << 4) - (b.magnitude << 2)};
}

inline fixed two_over_pi_fixed() {
    exact_integer q, r;
    divide(exact_integer{2} << (2 * fraction_bits), pi_fixed().magnitude, q, r);
    return {false, q};
}

}  // namespace vyxmath::test
