#include "integer/euclid.h"

#include "common/wrapping_arithmetic.h"

namespace vyxmath {

// The tail recursion as a loop: at most 46 rounds for 32-bit operands (the
// slowest pairs are consecutive Fibonacci numbers).
std::int32_t euclid_routine(std::int32_t a, std::int32_t b) {
    while (b != 0) {
        const std::int32_t remainder = truncating_rem(a, b);
        a = b;
        b = remainder;
    }
    return a;
}

}  // namespace vyxmath
