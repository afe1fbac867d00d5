// A double shown in failure messages as its hexadecimal value and bits.
#pragma once

#include <cstdio>
#include <string>

#include "real/kernels/float_bits.h"

namespace vyxmath::testing {

inline std::string bits_text(double x) {
    char text[48];
    std::snprintf(text, sizeof text, "%a (0x%016llx)", x, static_cast<unsigned long long>(to_bits(x)));
    return text;
}

}  // namespace vyxmath::testing
