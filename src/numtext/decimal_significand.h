// A double's first 17 significant decimal digits as one integer, computed
// with the extended arithmetic of number text reading. Everything here is
// integer arithmetic, so the digits are the same on every machine. They are
// not always the correctly rounded 17 digits: the truncated extended products
// can leave a value just below a rounding boundary, and the rounding to 17
// digits looks at the 18th computed digit alone.
#pragma once

#include <cstdint>

namespace vyxmath {

// The record's digits as one integer: value = sign digits x 10^(point - 17).
// A finite nonzero value has 10^16 <= digits < 10^17 (its record's text is
// these 17 digits less their trailing zeros). Zero has digits 0, point 0 and
// no sign; a value that is not finite has digits 0 and point 1.
struct decimal_significand {
    std::uint64_t digits;
    int point;
    bool negative;
};
inline constexpr std::uint64_t ten_to_17 = 100'000'000'000'000'000u;
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

}  // namespace vyxmath
