// Newton's iteration for the square root, with a stopping rule that holds
// for every double.
//
// x = m 4^k with 1 <= m < 4 (exact: only the exponent changes), so that
// sqrt(x) = sqrt(m) 2^k and the iteration always works on the same range.
// From a = 2 > sqrt(m) every exact Newton step stays above sqrt(m) and
// shrinks a - sqrt(m) to (a - sqrt(m))^2 / 2a, so about six steps reach the
// root. With rounding, each step lands within 0.75 units in the last place
// (ulp) of its exact value (x / a rounds by 1/4 ulp of a, the sum by 1/2 ulp,
// the halving is exact). So while a is more than 0.75 ulp above the root the
// iterates keep falling, and the first step that does not fall shows that a
// is within one ulp of sqrt(m). The doubles the iterates run through are
// strictly decreasing, so the loop ends. A final exact comparison with the
// two half-way points next to a picks the nearest double.
#include "real/square_root.h"

#include <cstdint>

#include "common/ieee_double.h"
#include "common/wide_product.h"

namespace vyxmath {
namespace {

// A double v in [1, 4) as the whole number v 2^53, from its bits.
std::uint64_t units(double v) {
    const int exponent = unbiased_exponent(v);  // 0 or 1
    return (fraction_field(v) | ieee_double::hidden_bit) << (exponent + 1);
}

// Whether the point half-way between the doubles a and b (both in [1, 2])
// squared lies above m (in [1, 4)). With A = a 2^53, B = b 2^53, M = m 2^53:
// ((A + B) / 2)^2 2^-106 > M 2^-53, that is (A + B)^2 > M 2^55; both sides
// are below 2^111.
bool midpoint_squared_above(double a, double b, double m) {
    const std::uint64_t sum = units(a) + units(b);
    return multiply_64x64(sum, sum) > multiply_64x64(units(m), std::uint64_t{1} << 55);
}

double next_up(double v) { return from_bits(to_bits(v) + 1); }
double next_down(double v) { return from_bits(to_bits(v) - 1); }

// sqrt(m) for 1 <= m < 4, correctly rounded.
double root_of_reduced(double m) {
    double a = 2.0;
    for (;;) {
        const double next = (m / a + a) * 0.5;
        if (!(next < a)) break;
        a = next;
    }
    // a is within one ulp of sqrt(m), in [1, 2]: step to the nearest double.
    while (a > 1.0 && midpoint_squared_above(next_down(a), a, m)) a = next_down(a);
    while (a < 2.0 && !midpoint_squared_above(a, next_up(a), m)) a = next_up(a);
    return a;
}

}  // namespace

double newton_square_root(double x) {
    if (is_nan(x)) return pass_nan(x);
    if (x == 0.0) return 0.0;
    if (x < 0.0) return default_nan();
    if (is_infinite(x)) return x;

    int half_exponent_shift = 0;  // sqrt(x) = sqrt(m) 2^k
    if (is_subnormal(x)) {
        x *= 0x1p54;
        half_exponent_shift = -27;
    }
    const int exponent = unbiased_exponent(x);
    const int k = exponent >= 0 ? exponent / 2 : -((1 - exponent) / 2);  // floor(exponent / 2)
    const double m = from_bits(fraction_field(x) | to_bits(power_of_two(exponent - 2 * k)));
    return root_of_reduced(m) * power_of_two(k + half_exponent_shift);
}

}  // namespace vyxmath
