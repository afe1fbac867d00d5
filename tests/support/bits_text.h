// A double shown in failure messages as its hexadecimal value and bits.
#pragma once

#include <cstdio>
#include <string>

#include "common/ieee_double.h"

namespace vyxmath::test {

inline std::string bits_text(double x) {
    char text[48];
    std::snprintf(text, sizeof text, "%a (0x%016llx)", x, static_cast<unsigned long long>(to_bits(x)));
    return text;
}

// Operands of the edge-result tables: two not-a-numbers with distinct
// payloads and signs, so a test can tell which operand passed through.
inline constexpr double inf = positive_infinity;
inline constexpr double tiny = smallest_subnormal;
inline const double nan_a = from_bits(0x7FF8000000000AAAu);
inline const double nan_b = from_bits(0xFFF8000000000BBBu);

}  // namespace vyxmath::test
