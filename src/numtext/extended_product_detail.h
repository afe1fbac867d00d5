// The inlined product as one function, for the tests that hold it to the
// general one bit for bit. The module's callers use multiply_usual and
// multiply_extended directly, on magnitudes they keep in registers.
#pragma once

#include "numtext/extended_product.h"

namespace vyxmath {

inline extended_value multiply_extended_inline(extended_value a, extended_value b) {
    extended_magnitude r;
    if (multiply_usual(magnitude_of(a), magnitude_of(b), r)) return with_magnitude(a.negative() != b.negative(), r);
    return multiply_extended(a, b);
}

}  // namespace vyxmath
