// The factorial routine: n * (n - 1) * ... * 1 modulo 2^32, read as signed.
// Every n <= 1 gives 1. Exact up to 12! = 479001600; every n >= 34 gives 0.
#pragma once

#include <cstdint>

namespace vyxmath {

std::int32_t factorial_routine(std::int32_t n);

}  // namespace vyxmath
