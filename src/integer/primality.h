// Primality of a 32-bit signed integer: true exactly for the primes 2, 3, 5,
// ...; false for every n <= 1 and for every composite n.
#pragma once

#include <cstdint>

namespace vyxmath {

bool is_prime(std::int32_t n);

}  // namespace vyxmath
