// The first 17 significant decimal digits of a double, computed with the
// extended arithmetic of number text reading, and the steps that produce them.
// Everything here is integer arithmetic, so the digits are the same on every
// machine. They are not always the correctly rounded 17 digits: the truncated
// extended products can leave a value just below a rounding boundary, and the
// rounding to 17 digits looks at the 18th computed digit alone.
#pragma once

#include <cstdint>

#include "numtext/extended_value.h"

namespace vyxmath {

// value = sign 0.d1 d2 d3 ... x 10^point, where d1 d2 d3 ... are `digits`.
// Finite nonzero values have 1 to 17 digits, the first and last not '0'.
// Zero (either sign) is "0" with point 0 and a blank sign. Values that are not
// finite carry a marker text instead of digits ("1#INF", "1#IND", "1#QNAN")
// with point 1.
struct digit_record {
    char sign;            // '-' or ' '
    std::int16_t point;   // P
    std::uint8_t length;  // characters in `digits`, the NUL not counted
    char digits[18];      // NUL-terminated

    constexpr bool is_marker() const { return digits[1] == '#'; }
};

inline constexpr int record_digit_count = 17;

// 0.1 truncated (not rounded) to 80 bits: ...CCCC where the nearest value,
// the 10^-1 table entry, ends in ...CCCD. Multiplying by it keeps the scaled
// value of an exact power of ten just below 0.1.
inline constexpr extended_value one_tenth{0xCCCC, 0xCCCCCCCCu, 0xCCCCCCCCu, 0x3FFB};

// The exact widening of a finite nonzero double, sign dropped.
extended_value double_to_extended(double value);

// p = floor(log10 x) or floor(log10 x) + 1, from x's exponent and the top 8
// bits of its mantissa.
int estimate_decimal_exponent(const extended_value& x);

// x * 10^-p, brought below 1 (times one more 0.1 when the estimate p was
// floor(log10 x)); `decimal_exponent` becomes the exponent p' of
// x ~= v * 10^p' with 0.1 - tiny <= v < 1.
struct scaled_value {
    extended_value value;
    int decimal_exponent;
};
scaled_value scale_below_one(const extended_value& x, int p);

// A value below 1 as a 96-bit binary fraction: value = F / 2^88.
struct fraction96 {
    std::uint32_t high;  // bits 64..95
    std::uint64_t low;   // bits 0..63
};
fraction96 fraction_of(const extended_value& v);

// The first 18 decimal digits of F / 2^88 (F < 2^88) as one integer below
// 10^18: floor(F * 10^18 / 2^88).
std::uint64_t first_18_digits(const fraction96& f);

// The record's digits as one integer: value = sign digits x 10^(point - 17).
// A finite nonzero value has 10^16 <= digits < 10^17 (its record's text is
// these 17 digits less their trailing zeros). Zero has digits 0, point 0 and
// no sign; a value that is not finite has digits 0 and point 1.
struct decimal_significand {
    std::uint64_t digits;
    int point;
    bool negative;
};
decimal_significand significand_of(double value);

// The same significand, always by the extended scaling of the digit steps
// below. significand_of answers most values by one product with a 128-bit
// power of ten instead, where that provably gives the same digits.
decimal_significand significand_by_scaling(double value);

// The one-product answer alone, for a finite nonzero value: false where the
// value lies too close to a rounding point of its 17th digit for the product
// to decide (about one value in 30000), and for zero and values that are not
// finite.
bool significand_directly(double value, decimal_significand& d);

// The record of any double.
digit_record decimal_digits(double value);

}  // namespace vyxmath
