// The doubles the kernels are timed on, made in one place so that the
// Google Benchmark groups (elementary_bench.cpp, trig_bench.cpp) and the
// timing inside the Windows process (kernel_timing_cases.cpp) call the
// kernels on the same arguments. Only std::mt19937_64 and exact scaling are
// used, so every build makes the same doubles.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace vyxmath::bench {

inline constexpr std::size_t kernel_inputs = 4096;  // a power of two: the timing loops cycle by a mask

// The same ranges with 2^20 arguments ("kernel_fresh/" groups). A loop over
// 4096 arguments repeats its sequence of branch outcomes every 4096 calls,
// and a processor's branch predictor learns much of it: branches on the
// argument (a quarter of the period, a range) then cost less than they do
// on arguments that do not come round again. 2^20 arguments per cycle
// defeat that learning.
inline constexpr std::size_t fresh_kernel_inputs = std::size_t{1} << 20;

// `count` doubles uniform in [low, high) from the seed.
inline std::vector<double> uniform_doubles(double low, double high, std::uint64_t seed,
                                           std::size_t count = kernel_inputs) {
    std::mt19937_64 random(seed);
    std::vector<double> out(count);
    for (double& x : out) x = low + (high - low) * (static_cast<double>(random() >> 11) * 0x1p-53);
    return out;
}

// The angle kernels' groups: each one's range and the seed of its doubles,
// named here once so that every timing of a group takes the same doubles.
struct angle_group {
    std::string_view name;
    double low, high;
    std::uint64_t seed;
};
inline constexpr angle_group angle_groups[] = {
    {"sin_pi", -3.14159, 3.14159, 101}, {"sin_1e5", -1e5, 1e5, 102},      {"cos_pi", -3.14159, 3.14159, 103},
    {"tan_pi", -3.14159, 3.14159, 104}, {"tan_1e5", -1e5, 1e5, 105},      {"asin_unit", -1.0, 1.0, 106},
    {"acos_unit", -1.0, 1.0, 107},      {"atan_4", -4.0, 4.0, 108},
};

// The doubles of the angle group of that name (empty for an unknown name).
inline std::vector<double> angle_group_arguments(std::string_view name, std::size_t count = kernel_inputs) {
    for (const angle_group& g : angle_groups)
        if (g.name == name) return uniform_doubles(g.low, g.high, g.seed, count);
    return {};
}

// atan2's points of [-10, 10]^2: y and x from seeds of their own.
inline std::vector<double> atan2_y_arguments() { return uniform_doubles(-10.0, 10.0, 90); }
inline std::vector<double> atan2_x_arguments() { return uniform_doubles(-10.0, 10.0, 91); }

struct operand_pairs {
    std::vector<double> x, y;
};

// `count` pairs from one fixed seed: x uniform in [low, high], or, when
// `exponent_spread`, (1 + v) 2^e with e such a uniform number cut to an
// integer; y uniform in [y_low, y_high] (the second operand of pow).
inline operand_pairs spread_operand_pairs(double low, double high, bool exponent_spread, double y_low,
                                          double y_high, std::size_t count = kernel_inputs) {
    std::mt19937_64 random(0x6B65726Eu);
    const auto unit = [&] { return static_cast<double>(random() >> 11) * 0x1p-53; };
    operand_pairs p;
    for (std::size_t i = 0; i < count; ++i) {
        const double u = low + (high - low) * unit();
        p.x.push_back(exponent_spread ? std::ldexp(1.0 + unit(), static_cast<int>(u)) : u);
        p.y.push_back(y_low + (y_high - y_low) * unit());
    }
    return p;
}

}  // namespace vyxmath::bench
