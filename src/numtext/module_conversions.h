// Number text reading as the module's own exports call it. The 32-bit x86
// calling convention returns a double on the x87 stack: the reader would
// store it, load it into the x87 unit, and the caller store it again to take
// it into an SSE2 register. There the reader hands over the double in the
// low lane of an SSE2 register instead, where the convention returns vector
// values. The same bits as read_number, which elsewhere it simply is.
#pragma once

#include <cstdint>

#if defined(__i386__) && defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/ieee_double.h"
#include "vyxmath.h"

namespace vyxmath {

#if defined(__i386__) && defined(__SSE2__)
#define VYXMATH_READ_IN_REGISTER 1
__m128d read_number_in_register(const char* text);
inline double read_operand(const char* text) { return _mm_cvtsd_f64(read_number_in_register(text)); }
#else
inline double read_operand(const char* text) { return read_number(text); }
#endif

}  // namespace vyxmath
