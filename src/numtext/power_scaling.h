// The scaling by 10^(+-n), n < 4096, as one inlined loop over the octal
// digits of n: digit d at place k multiplies by table entry 7k + d, the
// lowest place first. Which factors are used, and in which order, is part of
// the result's bits; scale_by_power_of_ten and number text writing both take
// their factors from here.
#pragma once

#include <cassert>

#include "numtext/extended_product.h"
#include "numtext/power_tables.h"

namespace vyxmath {

inline constexpr unsigned octal_places_below_top = 4;  // places k = 0..3 use entries 1..28
inline constexpr unsigned top_place_value = 4096;

// m * 10^(+-n) with the factors of `table` (positive_powers or
// negative_powers), n < 4096. The usual products are inlined; the rest go
// through multiply_extended, which may change the sign only by
// making the value zero or infinite, so `negative` is kept up to date.
inline extended_magnitude scale_magnitude(extended_magnitude m, bool& negative, unsigned n,
                                          const extended_value* table) {
    assert(n < top_place_value);
    for (unsigned k = 0; k < octal_places_below_top && n != 0; ++k, n /= 8) {
        const unsigned digit = n % 8;
        if (digit == 0) continue;
        const extended_value& factor = table[7 * k + digit - 1];
        if (!multiply_usual(m, magnitude_of(factor), m)) {
            const extended_value product = multiply_extended(with_magnitude(negative, m), factor);
            negative = product.negative();
            m = magnitude_of(product);
        }
    }
    return m;
}

}  // namespace vyxmath
