// Fibonacci numbers of the sequence 1, 1, 2, 3, 5, ... indexed from 1,
// modulo 2^32 and read as signed. Every n <= 2 (zero and negative n
// included) gives 1; F(46) = 1836311903 is the largest exact value.
#pragma once

#include <cstdint>

namespace vyxmath {

std::int32_t fibonacci_number(std::int32_t n);

}  // namespace vyxmath
