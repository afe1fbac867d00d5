// The Euclid routine: euclid(a, 0) = a, euclid(a, b) = euclid(b, a rem b),
// with the truncating remainder. The result is the greatest common divisor up
// to its sign, and the sign is whatever the chain of remainders leaves:
// (12, -18) gives -6, (18, -12) gives 6, (-6, 0) gives -6.
//
// The remainder of -2147483648 by -1 is 0, so (-2147483648, -1) and
// (-1, -2147483648) both give -1.
#pragma once

#include <cstdint>

namespace vyxmath {

std::int32_t euclid_routine(std::int32_t a, std::int32_t b);

}  // namespace vyxmath
