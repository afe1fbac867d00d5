// Signed fixed-point numbers of 320 bits (64 before the binary point, 256
// after), in 32-bit words with 64-bit products, for the last phase of the
// angle functions: the evaluation that decides the rounding where the
// double-double one is too close to call. Slow (microseconds) and rarely
// taken; the same bits on every machine, since it is integer arithmetic.
#pragma once

#include <cstdint>

#include "real/double_double.h"

namespace vyxmath {

inline constexpr int wide_words = 10;
inline constexpr int wide_fraction_bits = 256;

struct wide_fixed {
    std::uint32_t word[wide_words];  // least significant first
    bool negative;
};

// The exact value of a finite double of magnitude below 2^63; bits below
// 2^-256 are dropped.
wide_fixed to_wide(double x);
wide_fixed wide_from_words(const std::uint32_t (&words)[wide_words], bool negative);

wide_fixed operator+(const wide_fixed& a, const wide_fixed& b);
wide_fixed operator-(const wide_fixed& a, const wide_fixed& b);
wide_fixed operator-(wide_fixed a);
// The product truncated to 256 fraction bits (magnitude below 2^64).
wide_fixed operator*(const wide_fixed& a, const wide_fixed& b);
wide_fixed multiply_small(const wide_fixed& a, std::uint32_t m);
wide_fixed divide_small(const wide_fixed& a, std::uint32_t d);  // truncated
// a / b and sqrt(a) by Newton's iteration from the double values. Every
// product and the reciprocal are truncated to 256 fraction bits, a few units
// of 2^-256 absolute each: a relative error of about 2^-250 for values near
// 1, growing as they shrink, to about 2^-190 for results near 2^-64 or
// divisors near 2^62 (operands and results between 2^-64 and 2^62).
wide_fixed divide(const wide_fixed& a, const wide_fixed& b);
wide_fixed square_root(const wide_fixed& a);

bool is_zero(const wide_fixed& a);

// The value rounded to nearest at `bits` significant bits (53 or 64), as a
// normalised double-double that holds it exactly; the value must be non-zero
// and its magnitude between 2^-190 and 2^63.
double_double round_wide(const wide_fixed& a, int bits);

}  // namespace vyxmath
