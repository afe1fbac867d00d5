#include "real/trig/circular.h"

#include "real/kernels/double_double_ops.h"
#include "real/kernels/float_bits.h"
#include "real/trig/angle_reduction.h"
#include "real/trig/taylor_kernels.h"

namespace vyxmath {
namespace {

// Below this, sin x and tan x differ from x by less than x^3/3, which is
// under 2^-55.5 of x and so under half the spacing of the doubles next to x
// (at least 2^-54 of x): both round to x itself.
constexpr double identity_limit = 0x1.0p-27;

constexpr double reduction_limit = 0x1.0p63;

reduced_angle reduce(double x) {
    if (magnitude(x) < reduction_limit) return reduce_by_half_pi(x);
    const large_argument_remainder r = remainder_by_large_period(x);
    return reduce_by_half_pi_exactly(r.magnitude, 0, r.negative != sign_bit(x));
}

}  // namespace

double sine(double x) {
    if (is_nan(x)) return pass_nan(x);
    if (is_infinite(x)) return default_nan();
    if (magnitude(x) < identity_limit) return x;

    const reduced_angle a = reduce(x);
    switch (a.quadrant) {
        case 0: return sine_of_reduced(a.remainder).hi;
        case 1: return cosine_of_reduced(a.remainder).hi;
        case 2: return -sine_of_reduced(a.remainder).hi;
        default: return -cosine_of_reduced(a.remainder).hi;
    }
}

double tangent(double x) {
    if (is_nan(x)) return pass_nan(x);
    if (is_infinite(x)) return default_nan();
    if (magnitude(x) < identity_limit) return x;

    const reduced_angle a = reduce(x);
    const double_double s = sine_of_reduced(a.remainder);
    const double_double c = cosine_of_reduced(a.remainder);
    // tan(r + pi/2) = -cos r / sin r.
    if ((a.quadrant & 1) == 0) return divide(s, c).hi;
    return -divide(c, s).hi;
}

}  // namespace vyxmath
