// The mixing step of n_rand, v <- (109 * v + 1021) rem 32768, the product and
// the sum wrapping modulo 2^32 and the remainder taking the sign of v.
#pragma once

#include <cstdint>

#include "common/wrapping_arithmetic.h"

namespace vyxmath {

constexpr std::int32_t mixing_step(std::int32_t v) {
    return truncating_rem(wrapping_add(wrapping_mul(109, v), 1021), 32768);
}

// The mixing step applied `count` times (0 <= count <= 32767) to `start`,
// in a few dozen operations whatever the count.
std::int32_t apply_mixing_steps(std::int32_t start, std::int32_t count);

}  // namespace vyxmath
