#include "integer/fibonacci.h"

namespace vyxmath {

// Fast doubling, one step per bit of n, on the pair (F(m), F(m + 1)):
//   F(2m)     = F(m) * (2 F(m + 1) - F(m))
//   F(2m + 1) = F(m)^2 + F(m + 1)^2
// Both identities hold in any commutative ring, so modulo 2^32 too: the
// result equals n - 1 wrapping additions of the pair (1, 1).
std::int32_t fibonacci_number(std::int32_t n) {
    if (n <= 2) return 1;
    std::uint32_t f = 0;  // F(m), starting at m = 0
    std::uint32_t g = 1;  // F(m + 1)
    for (int bit = 30; bit >= 0; --bit) {
        const std::uint32_t doubled = f * (2 * g - f);  // F(2m)
        const std::uint32_t doubled_next = f * f + g * g;  // F(2m + 1)
        if ((static_cast<std::uint32_t>(n) >> bit) & 1) {
            f = doubled_next;
            g = doubled + doubled_next;
        } else {
            f = doubled;
            g = doubled_next;
        }
    }
    return static_cast<std::int32_t>(f);
}

}  // namespace vyxmath
