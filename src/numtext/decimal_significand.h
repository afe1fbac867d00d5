// A double's first 17 significant decimal digits as one integer in two
// 32-bit parts, computed with the extended arithmetic of number text reading.
// Everything here is integer arithmetic, so the digits are the same on every
// machine. They are not always the correctly rounded 17 digits: the truncated
// extended products can leave a value just below a rounding boundary, and the
// rounding to 17 digits looks at the 18th computed digit alone.
#pragma once

#include <cstdint>

#include "common/wide_product.h"

namespace vyxmath {

// A decimal integer below 10^17 in two 32-bit parts, value = upper * 10^8 +
// lower with lower < 10^8, so that writing its digits needs no 64-bit
// division (a library call on 32-bit machines) and every division is by a
// constant.
struct split_decimal {
    std::uint32_t upper;
    std::uint32_t lower;
    friend bool operator==(const split_decimal&, const split_decimal&) = default;
};

inline constexpr std::uint32_t ten_to_8 = 100'000'000u;
inline constexpr std::uint32_t ten_to_9 = 1'000'000'000u;
inline constexpr std::uint64_t ten_to_17 = 100'000'000'000'000'000u;

// ceil(2^84 / 10^8) by long division.
constexpr std::uint64_t reciprocal_of_ten_to_8() {
    std::uint64_t quotient = 0, remainder = 0;
    for (int bit = 84; bit >= 0; --bit) {
        remainder = 2 * remainder + (bit == 84 ? 1 : 0);
        quotient = 2 * quotient + (remainder >= ten_to_8 ? 1 : 0);
        if (remainder >= ten_to_8) remainder -= ten_to_8;
    }
    return quotient + (remainder != 0 ? 1 : 0);
}

// N = U * 10^8 + L for N < 2^57. U = floor(N * m / 2^84) with
// m = ceil(2^84 / 10^8): a multiplier with 27 bits more than the dividend's
// 57, for a divisor below 2^27, makes every such quotient exact
// (Granlund and Montgomery, 1994). L then follows in 32 bits.
inline split_decimal split_significand(std::uint64_t n) {
    const auto upper = static_cast<std::uint32_t>(multiply_64x64(n, reciprocal_of_ten_to_8()).high >> 20);
    return {upper, low_half(n) - upper * ten_to_8};
}

// The record's digits: value = sign digits x 10^(point - 17). A finite
// nonzero value has 10^16 <= digits < 10^17, so 10^8 <= digits.upper < 10^9
// (its record's text is these 17 digits less their trailing zeros). Zero has
// digits 0, point 0 and no sign; a value that is not finite has digits 0 and
// point 1.
struct decimal_significand {
    split_decimal digits;
    int point;
    bool negative;
};
inline bool has_digits(const decimal_significand& d) { return d.digits.upper != 0; }
decimal_significand significand_of(double value);

// The same significand, always by the extended scaling
// (significand_scaling.h). significand_of answers most values by one product
// with a 128-bit power of ten instead, where that provably gives the same
// digits.
decimal_significand significand_by_scaling(double value);

// The one-product answer alone, for a finite nonzero value: false where the
// value lies too close to a rounding point of its 17th digit for the product
// to decide (about one value in 30000), and for zero and values that are not
// finite.
bool significand_directly(double value, decimal_significand& d);

// The same answer by the route that 32-bit machines take (where
// significand_directly is this one), on every machine, so that one sweep
// of tests covers both routes.
bool significand_directly_in_halves(double value, decimal_significand& d);

}  // namespace vyxmath
