// Doubles that stress number text writing: random normals and denormals,
// zeros, infinities, not-a-numbers of every kind, powers of ten and their
// neighbours below, and values whose digits carry, each with both signs.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "support/bit_stream.h"

namespace vyxmath::test {

inline double nearest_power_of_ten(int k) {
    char text[16];
    std::snprintf(text, sizeof text, "1e%d", k);
    return std::strtod(text, nullptr);
}

inline std::vector<double> sample_doubles(int random_count) {
    std::vector<double> positive{0.0,
                                 std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::min(),
                                 std::numeric_limits<double>::denorm_min(),
                                 std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF}),  // largest denormal
                                 std::bit_cast<double>(std::uint64_t{0x7FF8000000000000}),  // quiet
                                 std::bit_cast<double>(std::uint64_t{0x7FF0000000000001}),  // signalling
                                 std::bit_cast<double>(std::uint64_t{0x7FF4000000000000}),
                                 std::bit_cast<double>(std::uint64_t{0x7FFFFFFFFFFFFFFF}),
                                 9.99999999, 99999999.5, 0.99999999999, 0.099999999999, 9.999999999999998,
                                 0.96, 9.6, 0.95, 999.5, 2.00000015, 496682386976504.375};
    for (int k = -323; k <= 308; ++k) {
        const double p = nearest_power_of_ten(k);
        positive.push_back(p);
        positive.push_back(std::nextafter(p, 0.0));
    }
    bit_stream bits(20240611);
    for (int i = 0; i < random_count; ++i) {
        const std::uint64_t b = bits.next() >> 1;
        positive.push_back(std::bit_cast<double>(b));                           // mostly normal
        positive.push_back(std::bit_cast<double>(b & 0x000FFFFFFFFFFFFFu));      // denormal
        positive.push_back(std::bit_cast<double>(b | 0x7FF0000000000000u));      // infinity or NaN
    }
    std::vector<double> all;
    for (double v : positive) {
        all.push_back(v);
        all.push_back(std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) | (std::uint64_t{1} << 63)));
    }
    return all;
}

}  // namespace vyxmath::test
