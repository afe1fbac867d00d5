// The trapezoidal rule on e^(-t^2/2) with n steps of width h = x / n:
//   s = sum_{i=1}^{n-1} pow(e, -(t_i^2)/2), t_i = t_{i-1} + h (accumulated),
//   g = pow(e, -(x^2)/2),
//   result = 0.39894228 * (((g + 1) / 2 + s) * h),
// where 0.39894228 is 1/sqrt(2 pi) to eight decimals and the 1 stands for the
// density's exponential at t = 0.
//
// The step count is n = (trunc|x| + 1) * 500: 500 for |x| < 1, 1000 for
// 1 <= |x| < 2, and so on. Below |x| = 4294967 it is formed in 32-bit
// arithmetic (it stays below 2^31); from there on it is formed in double, so
// it cannot wrap around and the rule keeps its step of about 1/500. Taking it
// from |x| makes the result for negative x the exact negative of that for |x|:
// every t_i, and so every term, is then the mirror of the one for |x|.
//
// Bounded cost: once t >= 39 the remaining terms are exactly zero. Then
// t * t / 2 >= 760.5, and pow(e, b) with b ln e < -746 is +0 (its underflow
// rule: e^-746 is below 2^-1076, and results below 2^-1074 are 0). t never
// decreases (it only has h > 0 added, or for negative x the mirror of that),
// and s + 0 == s, so the loop may stop there. With |x| >= 39 the step |h| is
// at least 1/1000 (|x| / ((trunc|x| + 1) 500)), so at most 39000 terms are
// ever computed, however large x is; with |x| < 39 there are n - 1 < 19500.
#include "real/normal_integral.h"

#include <cstdint>

#include "integer/real_to_integer.h"
#include "real/constants.h"
#include "real/kernels/float_bits.h"
#include "real/kernels/power.h"

namespace vyxmath {
namespace {

constexpr double density_factor = 0.39894228;
constexpr std::int32_t steps_per_unit = 500;
// Below this |x| the step count (trunc|x| + 1) * 500 fits in 31 bits.
constexpr double largest_32_bit_step_range = 4294967.0;
// From this t on, every term pow(e, -(t * t) / 2) is exactly 0.
constexpr double terms_vanish_from = 39.0;

struct trapezoid_steps {
    double count;  // n (+inf where (trunc|x| + 1) * 500 exceeds the largest double)
    double width;  // h = x / n
};

trapezoid_steps steps_for(double x) {
    const double abs_x = magnitude(x);
    if (abs_x < largest_32_bit_step_range || is_infinite(abs_x)) {
        // The 32-bit count; trunc of an infinity is taken as 0, so n is 500.
        const std::uint32_t whole = static_cast<std::uint32_t>(real_to_int32(abs_x));
        const double n = static_cast<std::int32_t>((whole + 1u) * std::uint32_t{steps_per_unit});
        return {n, x / n};
    }
    // |x| >= 4294967 is finite here: trunc|x| is exact below 2^52 by the
    // 64-bit conversion, and |x| itself is whole from 2^52 on. n and x are
    // both scaled by 2^-10 (500 / 1024 is exact, and so is x / 1024), which
    // keeps n finite up to the largest double and changes no bit of x / n.
    const double whole = abs_x < 0x1p52 ? static_cast<double>(static_cast<std::int64_t>(abs_x)) : abs_x;
    const double scaled_count = (whole + 1.0) * (steps_per_unit / 1024.0);
    return {scaled_count * 1024.0, (x / 1024.0) / scaled_count};
}

double term(double t) { return pow_kernel(euler_e, -((t * t) / 2.0)); }

}  // namespace

double normal_integral(double x) {
    if (is_nan(x)) return pass_nan(x);
    const auto [n, h] = steps_for(x);
    double t = 0.0;
    double s = 0.0;
    for (double i = 1.0; i < n; i += 1.0) {
        t += h;
        if (magnitude(t) >= terms_vanish_from) break;
        s += term(t);
    }
    const double g = term(x);
    const double r = (((g + 1.0) / 2.0) + s) * h;
    return density_factor * r;
}

}  // namespace vyxmath
