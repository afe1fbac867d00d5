// The remainder by integer arithmetic on the significands: with
// |a| = ma 2^ea and |b| = mb 2^eb (ma, mb < 2^53, ea >= eb when |a| >= |b|),
// |a| rem |b| = ((ma 2^(ea - eb)) mod mb) 2^eb, and the left factor is found
// by shifting in at most 11 bits at a time, so that every partial remainder
// times 2^11 stays below 2^64.
#include "real/kernels/remainder.h"

#include <cstdint>

#include "common/ieee_double.h"

namespace vyxmath {
namespace {

}  // namespace

double fmod_kernel(double a, double b) {
    if (is_nan(a)) return pass_nan(a);
    if (is_nan(b)) return pass_nan(b);
    if (b == 0.0 || !is_finite(a) || !is_finite(b)) return default_nan();
    if (a == 0.0) return 0.0;
    if (magnitude(a) < magnitude(b)) return a;

    const integer_significand x = integer_significand_of(a);
    const integer_significand y = integer_significand_of(b);
    std::uint64_t r = x.significand % y.significand;
    for (int shift_left = x.exponent - y.exponent; shift_left > 0 && r != 0;) {
        const int step = shift_left < 11 ? shift_left : 11;
        r = (r << step) % y.significand;
        shift_left -= step;
    }
    // r < mb, so r 2^eb is a double and the scaling is exact.
    const double remainder = scale_by_power_of_two(static_cast<double>(r), y.exponent);
    return sign_bit(a) ? negate(remainder) : remainder;
}

}  // namespace vyxmath
