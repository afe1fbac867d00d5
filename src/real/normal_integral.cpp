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
// Early end. The terms only shrink along the loop: |t| never decreases (each
// step adds h to t, and a correctly rounded sum moves away from 0 or stays),
// so t * t / 2 never decreases, and pow(e, -v) is monotone in v (correctly
// rounded, and truncated below the smallest normal double, both monotone).
// The sum s only grows, by non-negative terms. Once s + term == s, the term
// was at most half a unit in the last place of s (above s), and exactly half
// only when s is even, where the tie keeps s. Every later term is no larger,
// and adding it to the unchanged s gives s again by the same argument; so the
// loop may stop there and s has the same bits as after the full loop. (A
// term of 0, as from t >= 39 on, always stops it.) Cost: the sum reaches
// about 1.2533 / |h| >= 512 for |h| <= 1/500 (all |x| >= 1), where half a
// unit is at least 2^-44 and e^(-t^2/2) falls below it from |t| = 7.82 on;
// so at most about 7.9 / |h| terms are computed, and |h| >= 1/1000 for
// |x| >= 1: at most n - 1 = 3999 for |x| < 8 and about 4450 beyond, however
// large x is.
#include "real/normal_integral.h"

#include <cstdint>

#include "common/real_to_integer.h"
#include "real/constants.h"
#include "common/ieee_double.h"
#include "real/kernels/power.h"

namespace vyxmath {
namespace {

constexpr double density_factor = 0.39894228;
constexpr std::int32_t steps_per_unit = 500;
// Below this |x| the step count (trunc|x| + 1) * 500 fits in 31 bits.
constexpr double largest_32_bit_step_range = 4294967.0;

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

double term(double t) { return power_of_euler_e(-((t * t) / 2.0)); }

}  // namespace

double normal_integral(double x) {
    if (is_nan(x)) return pass_nan(x);
    const auto [n, h] = steps_for(x);
    double t = 0.0;
    double s = 0.0;
    for (double i = 1.0; i < n; i += 1.0) {
        t += h;
        const double next = s + term(t);
        if (next == s) break;
        s = next;
    }
    const double g = term(x);
    const double r = (((g + 1.0) / 2.0) + s) * h;
    return density_factor * r;
}

}  // namespace vyxmath
