// value * 10^p with the power applied one octal digit of |p| at a time, the
// lowest first, each as one truncated extended product. Which factors are
// used, and in which order, is part of the result's bits.
//
// The callers stay within |p| <= 5200, where the fifth octal digit is 0 or 1.
// Larger |p| would index past the tables, so the part of |p| from 4096 up is
// applied as repeated factors 10^4096 instead (the same thing for a fifth
// digit of 1); those stop as soon as the value has become zero or infinite,
// which three such factors always achieve.
#include "numtext/power_scaling.h"

namespace vyxmath {
namespace {

constexpr int top_entry_index = power_table_size - 1;

bool is_zero_or_infinite(const extended_value& x) {
    return x.exponent() == extended_infinity_exponent || (x.top64() | x.low) == 0;
}

}  // namespace

extended_value scale_by_power_of_ten(extended_value value, int p, bool keep_low_bits) {
    if (p == 0) return value;
    if (!keep_low_bits) value.low = 0;
    const extended_value* table = p > 0 ? positive_powers : negative_powers;
    const unsigned magnitude = p > 0 ? static_cast<unsigned>(p) : 0u - static_cast<unsigned>(p);
    // The factors are positive, so the usual products keep the sign.
    bool negative = value.negative();
    const extended_magnitude m = scale_magnitude(magnitude_of(value), negative, magnitude % top_place_value, table);
    value = with_magnitude(negative, m);
    for (unsigned top = magnitude / top_place_value; top != 0 && !is_zero_or_infinite(value); --top)
        value = multiply_extended(value, table[top_entry_index]);
    return value;
}

}  // namespace vyxmath
