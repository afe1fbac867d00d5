// n_ceil and n_floor: the number text of p2 rounded to an integral double,
// then converted to a 32-bit integer (truncation to 64 bits, low 32 bits
// kept; infinities, not-a-number values and magnitudes from 2^63 give 0).
#include "integer/integral_rounding.h"
#include "common/real_to_integer.h"
#include "vyxmath.h"

using namespace vyxmath;

std::int32_t VYX_CALL n_ceil(std::int32_t* result, const char* x, std::int32_t, std::int32_t) {
    *result = real_to_int32(round_toward_positive(read_number(x)));
    return 0;
}

std::int32_t VYX_CALL n_floor(std::int32_t* result, const char* x, std::int32_t, std::int32_t) {
    *result = real_to_int32(round_toward_negative(read_number(x)));
    return 0;
}
