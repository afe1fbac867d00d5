#include "real/trig/series_cosine.h"

#include <cstdint>

#include "real/constants.h"
#include "common/ieee_double.h"
#include "real/kernels/remainder.h"

namespace vyxmath {
namespace {

constexpr double two_pi = 2.0 * pi;  // 6.283185307179586, exactly twice the double pi
constexpr double relative_tolerance = 1e-8;
constexpr std::int32_t last_index = 199;

}  // namespace

double series_cosine(double x) {
    if (!is_finite(x)) return default_nan();
    x = fmod_kernel(x, two_pi);

    double term = 1.0;
    double sum = 1.0;
    for (std::int32_t i = 1; i <= last_index; i += 2) {
        const double previous = sum;
        term = -term * x * x / static_cast<double>(i * (i + 1));
        sum = sum + term;
        // A comparison with a not-a-number value is false and does not stop.
        if (magnitude(previous) * relative_tolerance > magnitude(sum - previous)) return sum;
    }
    return default_nan();
}

}  // namespace vyxmath
