// "00" "01" ... "99": writing two digits per division halves the digit loops
// of number text writing.
#pragma once

#include <array>

namespace vyxmath {

inline constexpr std::array<char, 200> digit_pairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

}  // namespace vyxmath
