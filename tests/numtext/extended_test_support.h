// Shared helpers for the extended-arithmetic tests: building values from
// their hexadecimal parts, printing them, and the tests' random sequence.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

#include "numtext/extended_value.h"
#include "support/bit_stream.h"

namespace vyxmath {

inline std::ostream& operator<<(std::ostream& os, const extended_value& x) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%04X:%08X%08X%04X", x.negative() ? "-" : "+", x.exponent(),
                  static_cast<unsigned>(x.high), static_cast<unsigned>(x.middle), static_cast<unsigned>(x.low));
    return os << text;
}

namespace test {

// exponent, then the 80-bit mantissa as its top 64 bits and low 16 bits.
constexpr extended_value ext(int exponent, std::uint64_t top64, std::uint16_t low16 = 0, bool negative = false) {
    return make_extended(negative, exponent, top64, low16);
}

constexpr extended_value one = ext(0x3FFF, 0x8000000000000000);

}  // namespace test
}  // namespace vyxmath
