// Rounding an extended value to a double.
//
// W is the 80-bit mantissa followed by 16 zero bits, positions 0 (the
// leading bit) to 95. The double keeps 53 positions; round_mantissa decides
// on position 53 and positions 55..95 together and never looks at 54, so an
// exact half and an exact three quarters both round toward zero.
//
// Below 2^-1022 the double is a denormal: W is shifted right so that its
// positions line up with the denormal's fraction, rounded at 53 positions as
// before, and then only positions 0..51 are taken. Position 52, the last one
// the rounding kept, is dropped without rounding again; such results are
// often a unit below the nearest, and everything below 2^-1074 (bar values
// that round up to it) becomes zero.
#include <cassert>
#include <bit>

#include "common/ieee_double.h"
#include "numtext/number_reader.h"

namespace vyxmath {
namespace {

constexpr int kept_positions = ieee_double::precision;
constexpr int lowest_normal_exponent = ieee_double::min_normal_exponent;
constexpr int lowest_denormal_exponent = -ieee_double::exponent_bias - ieee_double::precision;  // -1076
constexpr int overflow_exponent = ieee_double::max_exponent + 1;
constexpr std::uint64_t window_low_mask = 0xFFFFFFFF00000000u;  // positions 64..95

double make_double(bool negative, std::uint64_t exponent_field, std::uint64_t fraction) {
    const std::uint64_t sign = negative ? ieee_double::sign_mask : 0;
    return std::bit_cast<double>(sign | (exponent_field << ieee_double::fraction_bits) | fraction);
}

// Shifts W right by 0 <= n <= 63 positions; positions past 95 are lost.
mantissa_window shift_right(const mantissa_window& w, int n) {
    assert(n >= 0 && n <= 63);
    if (n == 0) return w;
    return {w.high >> n, ((w.low >> n) | (w.high << (64 - n))) & window_low_mask};
}

}  // namespace

bool round_mantissa(mantissa_window& w, int n) {
    assert(n >= 1 && n <= 61);
    const std::uint64_t unit = std::uint64_t{1} << (64 - n);         // position n - 1
    const std::uint64_t first_dropped = unit >> 1;                     // position n
    const std::uint64_t beyond_next = (first_dropped >> 1) - 1;        // positions n + 2 .. 63
    const bool up = (w.high & first_dropped) != 0 && ((w.high & beyond_next) != 0 || w.low != 0);
    w.high &= ~(unit - 1);
    w.low = 0;
    if (!up) return false;
    w.high += unit;
    return w.high == 0;
}

double extended_to_double(const extended_value& x) {
    const bool negative = x.negative();
    if (x.exponent() == 0) return make_double(negative, 0, 0);
    const int e0 = x.exponent() - extended_bias;
    const mantissa_window saved{x.top64(), std::uint64_t{x.low} << 48};
    mantissa_window w = saved;
    const int e = round_mantissa(w, kept_positions) ? e0 + 1 : e0;

    if (e < lowest_denormal_exponent) return make_double(negative, 0, 0);
    if (e < lowest_normal_exponent) {
        mantissa_window d = shift_right(saved, -(ieee_double::exponent_bias + e0));  // 0..54
        round_mantissa(d, kept_positions);
        return make_double(negative, 0, d.high >> 12);  // positions 0..51
    }
    if (e >= overflow_exponent) return make_double(negative, ieee_double::max_biased_exponent, 0);
    // After a carry out of position 0 the kept positions are zero: 2^e.
    return make_double(negative, static_cast<std::uint64_t>(e + ieee_double::exponent_bias),
                       (w.high >> (63 - ieee_double::fraction_bits)) & ieee_double::fraction_mask);
}

}  // namespace vyxmath
