// The extended route to a double's 17-digit significand, the one that
// defines it: the widened value x scaled by 10^-p below 1 with the tables of
// number text reading, its first 18 digits by one product, and the rounding
// to 17 on the 18th.
#pragma once

#include <cstdint>

#include "numtext/decimal_significand.h"
#include "numtext/extended_product.h"

namespace vyxmath {

// 0.1 truncated (not rounded) to 80 bits: ...CCCC where the nearest value,
// the 10^-1 table entry, ends in ...CCCD. Multiplying by it keeps the scaled
// value of an exact power of ten just below 0.1.
inline constexpr extended_value one_tenth{0xCCCC, 0xCCCCCCCCu, 0xCCCCCCCCu, 0x3FFB};

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

// The whole route from the widened magnitude x of a finite nonzero double
// and the estimate p of its decimal exponent.
decimal_significand significand_by_scaling(const extended_magnitude& x, int p, bool negative);

}  // namespace vyxmath
