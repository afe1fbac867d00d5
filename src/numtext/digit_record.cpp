// decimal_digits: a double's digit record, from its 17-digit significand or,
// for a value that is not finite, its marker.
#include "numtext/digit_record.h"

#include <bit>
#include <cstring>

#include "common/ieee_double.h"
#include "numtext/decimal_significand.h"
#include "numtext/digit_pairs.h"

namespace vyxmath {
namespace {

// Infinities keep their sign; the default not-a-number of invalid
// operations (sign set, fraction bit 51 alone) is "indefinite"; every other
// not-a-number, signalling ones included, is a quiet one. Quieting a
// signalling not-a-number sets bit 51 next to a nonzero fraction, which never
// makes it the indefinite pattern, so it needs no step of its own here.
digit_record marker_record(std::uint64_t bits) {
    const char sign = (bits & ieee_double::sign_mask) ? '-' : ' ';
    const std::uint64_t fraction = bits & ieee_double::fraction_mask;
    const bool indefinite = (bits & ieee_double::sign_mask) != 0 && fraction == ieee_double::quiet_bit;
    const char* marker = fraction == 0 ? "1#INF" : indefinite ? "1#IND" : "1#QNAN";
    return make_record(sign, 1, marker);
}

// Writes the last 2 * pair_count digits of n, leading zeros included, ending
// before `end`.
void write_digit_pairs(std::uint32_t n, int pair_count, char* end) {
    for (int i = 0; i < pair_count; ++i) {
        end -= 2;
        std::memcpy(end, &digit_pairs[2 * (n % 100)], 2);
        n /= 100;
    }
}

// The 17 decimal digits of n < 10^17, leading zeros included.
void write_17_digits(split_decimal n, char* out) {
    out[0] = static_cast<char>('0' + n.upper / ten_to_8);
    write_digit_pairs(n.upper % ten_to_8, 4, out + 9);
    write_digit_pairs(n.lower, 4, out + 17);
}

}  // namespace

digit_record decimal_digits(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (((bits >> ieee_double::fraction_bits) & ieee_double::max_biased_exponent) == ieee_double::max_biased_exponent)
        return marker_record(bits);
    const decimal_significand d = significand_of(value);
    if (!has_digits(d)) return make_record(' ', 0, "0");

    digit_record r{};
    r.sign = d.negative ? '-' : ' ';
    r.point = static_cast<std::int16_t>(d.point);
    write_17_digits(d.digits, r.digits);
    int length = record_digit_count;
    while (r.digits[length - 1] == '0') --length;
    r.digits[length] = '\0';
    r.length = static_cast<std::uint8_t>(length);
    return r;
}

}  // namespace vyxmath
