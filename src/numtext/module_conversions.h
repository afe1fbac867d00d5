// Number text reading as the module's own exports call it. The 32-bit x86
// calling convention returns a double on the x87 stack: the reader would
// store its bit pattern, load it into the x87 unit, and the caller store it
// again to take it into an SSE2 register. There the reader hands over the
// bit pattern in two integer registers instead, and the caller joins them in
// an SSE2 register. The same bits as read_number, which elsewhere it simply
// is.
#pragma once

#include <cstdint>

#include "common/ieee_double.h"
#include "vyxmath.h"

namespace vyxmath {

#if defined(__i386__)
#define VYXMATH_READ_AS_BITS 1
std::uint64_t read_number_bits(const char* text);
inline double read_operand(const char* text) { return from_bits(read_number_bits(text)); }
#else
inline double read_operand(const char* text) { return read_number(text); }
#endif

}  // namespace vyxmath
