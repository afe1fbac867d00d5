// Conversion of a double to a 32-bit integer wherever a real becomes an
// integer: truncation toward zero to a 64-bit signed integer, then the low 32
// bits read as signed. Magnitudes from 2^31 up to 2^63 therefore wrap modulo
// 2^32 (3e9 gives -1294967296, 2^32 gives 0); infinities, not-a-number values
// and magnitudes of 2^63 or more give 0.
//
// The conversion works on the bit pattern in integer arithmetic, so it depends
// on no rounding mode and gives the same result on every machine.
#pragma once

#include <cstdint>

namespace vyxmath {

std::int32_t real_to_int32(double value);

}  // namespace vyxmath
