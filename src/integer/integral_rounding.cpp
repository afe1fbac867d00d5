#include "integer/integral_rounding.h"

#include <bit>
#include <cstdint>

#include "integer/double_bits.h"

namespace vyxmath {
namespace {

// Drops the fraction, rounding away from zero when the value is negative and
// away_when_negative is set (floor) or positive and it is clear (ceiling),
// toward zero otherwise.
double round_integral(double value, bool away_when_negative) {
    const double_bits parts(value);
    const int exponent = parts.unbiased_exponent();
    // From 2^52 on every double is integral; infinities and not-a-number
    // values also have exponent 1024 and are returned as they are.
    if (exponent >= double_bits::fraction_bits) return value;
    const bool away = parts.negative() == away_when_negative;
    if (exponent < 0) {
        // |value| < 1: zero stays itself, anything else becomes +-1 or +-0.
        if ((parts.bits & ~double_bits::sign_mask) == 0) return value;
        if (away) return parts.negative() ? -1.0 : 1.0;
        return parts.negative() ? -0.0 : 0.0;
    }
    const std::uint64_t fraction = double_bits::fraction_mask >> exponent;
    if ((parts.bits & fraction) == 0) return value;
    std::uint64_t bits = parts.bits;
    // One unit in the last integral place. A carry out of the significand
    // runs into the exponent, which is exactly the next power of two.
    if (away) bits += fraction + 1;
    return std::bit_cast<double>(bits & ~fraction);
}

}  // namespace

double round_toward_positive(double value) { return round_integral(value, false); }

double round_toward_negative(double value) { return round_integral(value, true); }

}  // namespace vyxmath
