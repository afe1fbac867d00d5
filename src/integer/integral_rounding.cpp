#include "integer/integral_rounding.h"

#include <cstdint>

#include "common/ieee_double.h"

namespace vyxmath {
namespace {

// Drops the fraction, rounding away from zero when the value is negative and
// away_when_negative is set (floor) or positive and it is clear (ceiling),
// toward zero otherwise.
double round_integral(double value, bool away_when_negative) {
    const std::uint64_t bits = to_bits(value);
    const bool negative = sign_bit(value);
    const int exponent = unbiased_exponent(value);
    // From 2^52 on every double is integral; infinities and not-a-number
    // values also have exponent 1024 and are returned as they are.
    if (exponent >= ieee_double::fraction_bits) return value;
    const bool away = negative == away_when_negative;
    if (exponent < 0) {
        // |value| < 1: zero stays itself, anything else becomes +-1 or +-0.
        if ((bits & ieee_double::magnitude_mask) == 0) return value;
        if (away) return negative ? -1.0 : 1.0;
        return negative ? -0.0 : 0.0;
    }
    const std::uint64_t fraction = ieee_double::fraction_mask >> exponent;
    if ((bits & fraction) == 0) return value;
    // One unit in the last integral place. A carry out of the significand
    // runs into the exponent, which is exactly the next power of two.
    const std::uint64_t rounded = away ? bits + fraction + 1 : bits;
    return from_bits(rounded & ~fraction);
}

}  // namespace

double round_toward_positive(double value) { return round_integral(value, false); }

double round_toward_negative(double value) { return round_integral(value, true); }

}  // namespace vyxmath
