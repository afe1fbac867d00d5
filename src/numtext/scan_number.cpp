// Scanning number text: optional sign, digits with at most one ".", and an
// optional exponent after "E", "e", "D" or "d". Everything is read in one
// pass that stops at the first byte that cannot continue the number (the
// terminating NUL always is such a byte), so nothing past it is read.
//
// The byte classes are those of common/text_characters.h.
//
// Of the significant digits the first 25 are kept; zeros before the first
// nonzero digit never count. The decimal adjustment collects what the kept
// digits do not say: +1 for each integer digit beyond the 25th, -1 for each
// kept fraction digit and for each fraction zero skipped before the first
// kept digit, +1 for the 25th digit once it has rounded the 24th, and +1 for
// each trailing zero removed at the end.
#include "common/text_characters.h"
#include "numtext/number_reader.h"

namespace vyxmath {
namespace {

constexpr int written_exponent_cap = decimal_exponent_limit + 1;

// The digits collected so far. The adjustment is held in 64 bits so that no
// text, however long, can make it wrap.
struct digit_collector {
    std::uint64_t leading = 0;   // digits 1..19
    std::uint32_t trailing = 0;  // digits 20..25
    int kept = 0;
    std::int64_t adjustment = 0;
};

// The first 19 kept digits go straight into `leading`, two per step where
// the run allows: the second byte is looked at only once the first has
// proved to be a digit, so nothing behind the terminating NUL is read. The
// loops after this one take the rest of a longer run.
const unsigned char* collect_leading(const unsigned char* s, digit_collector& c) {
    std::uint64_t leading = c.leading;
    int room = leading_digit_limit - c.kept;
    for (;;) {
        const unsigned first = *s - unsigned{'0'};
        if (room <= 0 || first > 9) break;
        const unsigned second = room >= 2 ? s[1] - unsigned{'0'} : 10;
        if (second > 9) {
            leading = leading * 10 + first;
            ++s;
            --room;
            break;
        }
        leading = leading * 100 + (first * 10 + second);
        s += 2;
        room -= 2;
    }
    c.leading = leading;
    c.kept = leading_digit_limit - room;
    return s;
}

const unsigned char* collect_integer_digits(const unsigned char* s, digit_collector& c) {
    s = collect_leading(s, c);
    for (; is_digit(*s); ++s) {
        if (c.kept < collected_digit_limit) {
            c.trailing = c.trailing * 10 + (*s - '0');
            ++c.kept;
        } else {
            ++c.adjustment;
        }
    }
    return s;
}

const unsigned char* collect_fraction_digits(const unsigned char* s, digit_collector& c) {
    // Zeros before the first kept digit, and every kept digit, move the
    // point one place; digits beyond the 25th do not.
    if (c.kept == 0) {
        const unsigned char* const zeros = s;
        while (*s == '0') ++s;
        c.adjustment -= s - zeros;
    }
    const int kept_before = c.kept;
    s = collect_leading(s, c);
    for (; is_digit(*s); ++s) {
        if (c.kept < collected_digit_limit) {
            c.trailing = c.trailing * 10 + (*s - '0');
            ++c.kept;
        }
    }
    c.adjustment -= c.kept - kept_before;
    return s;
}

// The exponent part after its marker: an optional sign and at least one
// digit, or else nothing (the exponent part is void and counts as 0).
int read_exponent(const unsigned char* s) {
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';
    int written = 0;
    for (; is_digit(*s); ++s)
        if (written <= decimal_exponent_limit) {
            written = written * 10 + (*s - '0');
            if (written > decimal_exponent_limit) written = written_exponent_cap;
        }
    return negative ? -written : written;
}

// The kept digits as D, after the 25th digit has rounded the 24th and the
// trailing zeros are gone.
kept_digits finish_digits(digit_collector& c) {
    int trailing_count = c.kept > leading_digit_limit ? c.kept - leading_digit_limit : 0;
    if (c.kept == collected_digit_limit) {
        const std::uint32_t last = c.trailing % 10;
        c.trailing /= 10;
        --trailing_count;
        ++c.adjustment;
        // A 24th digit of 9 rounded up becomes the digit value ten: D simply
        // grows by one, and that last digit is not a zero to remove.
        if (last >= 5) return {c.leading, c.trailing + 1, trailing_count};
    }
    // Trailing zeros: first among the digits after the 19th, then, if those
    // were all zeros, among the first 19 (whose first digit is not zero).
    for (; trailing_count > 0 && c.trailing % 10 == 0; --trailing_count, ++c.adjustment) c.trailing /= 10;
    if (trailing_count == 0)
        for (; c.leading % 10 == 0; ++c.adjustment) c.leading /= 10;
    return {c.leading, c.trailing, trailing_count};
}

}  // namespace

decimal_number scan_decimal(const char* text) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    while (is_space(*s)) ++s;
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';

    digit_collector c;
    if (*s == '.') {
        // A point first needs a digit behind it to be a number.
        if (!is_digit(s[1])) return {decimal_number::form::none, false, {}, 0};
        s = collect_fraction_digits(s + 1, c);
    } else {
        if (!is_digit(*s)) return {decimal_number::form::none, false, {}, 0};
        while (*s == '0') ++s;
        s = collect_integer_digits(s, c);
        if (*s == '.') s = collect_fraction_digits(s + 1, c);
    }
    // A sign behind the mantissa, or any other byte, ends the number.
    const int exponent = is_exponent_marker(*s) ? read_exponent(s + 1) : 0;

    // Only zeros: zero with the mantissa sign, whatever the exponent says.
    if (c.kept == 0) return {decimal_number::form::zero, negative, {}, 0};
    const kept_digits digits = finish_digits(c);
    return {decimal_number::form::digits, negative, digits, exponent + c.adjustment};
}

extended_value decimal_to_extended(const decimal_number& d) {
    if (d.what != decimal_number::form::digits) return extended_zero(d.negative);
    if (d.power > decimal_exponent_limit) return extended_infinity(d.negative);
    if (d.power < -decimal_exponent_limit) return extended_zero(d.negative);
    extended_value value = digits_to_extended(d.digits);
    if (d.power != 0) value = scale_by_power_of_ten(value, static_cast<int>(d.power), false);
    return with_sign(value, d.negative);
}

}  // namespace vyxmath
