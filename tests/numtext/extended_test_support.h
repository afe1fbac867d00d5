// Shared helpers for the extended-arithmetic tests: building values from
// their hexadecimal parts, printing them, and a deterministic generator.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

#include "numtext/extended_value.h"

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

// SplitMix64: a fixed sequence, so every run checks the same operands.
class sequence {
public:
    explicit sequence(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi].
    int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }

private:
    std::uint64_t state_;
};

}  // namespace test
}  // namespace vyxmath
