// Scanning number text: optional sign, digits with at most one ".", and an
// optional exponent after "E", "e", "D" or "d". Everything is read in one
// pass that stops at the first byte that cannot continue the number (the
// terminating NUL always is such a byte), so nothing past it is read.
//
// Character classes are fixed bytes, independent of any locale: the space
// class is exactly tab, line feed, vertical tab, form feed, carriage return
// and space; bytes 0x80..0xFF are never digits or spaces.
//
// Of the significant digits the first 25 are kept; zeros before the first
// nonzero digit never count. The decimal adjustment collects what the kept
// digits do not say: +1 for each integer digit beyond the 25th, -1 for each
// kept fraction digit and for each fraction zero skipped before the first
// kept digit, +1 for the 25th digit once it has rounded the 24th, and +1 for
// each trailing zero removed at the end.
#include "numtext/number_reader.h"

namespace vyxmath {
namespace {

constexpr bool is_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool is_digit(unsigned char c) { return static_cast<unsigned char>(c - '0') < 10; }
constexpr bool is_exponent_marker(unsigned char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

constexpr int written_exponent_cap = decimal_exponent_limit + 1;

constexpr std::uint64_t powers_of_ten_64[] = {1,
                                              10,
                                              100,
                                              1000,
                                              10000,
                                              100000,
                                              1000000,
                                              10000000,
                                              100000000,
                                              1000000000,
                                              10000000000,
                                              100000000000,
                                              1000000000000,
                                              10000000000000,
                                              100000000000000,
                                              1000000000000000,
                                              10000000000000000,
                                              100000000000000000,
                                              1000000000000000000,
                                              10000000000000000000u};

// The digits collected so far. The adjustment is held in 64 bits so that no
// text, however long, can make it wrap.
struct digit_collector {
    std::uint64_t leading = 0;   // digits 1..19
    std::uint32_t trailing = 0;  // digits 20..25
    int kept = 0;
    int kept_to_last_nonzero = 0;  // among the first 24
    std::int64_t adjustment = 0;

    void keep(unsigned digit) {
        if (kept < leading_digit_limit)
            leading = leading * 10 + digit;
        else
            trailing = trailing * 10 + digit;
        ++kept;
        if (digit != 0 && kept < collected_digit_limit) kept_to_last_nonzero = kept;
    }
};

const unsigned char* collect_integer_digits(const unsigned char* s, digit_collector& c) {
    for (; is_digit(*s); ++s) {
        if (c.kept < collected_digit_limit)
            c.keep(*s - '0');
        else
            ++c.adjustment;
    }
    return s;
}

const unsigned char* collect_fraction_digits(const unsigned char* s, digit_collector& c) {
    if (c.kept == 0)
        for (; *s == '0'; ++s) --c.adjustment;
    for (; is_digit(*s); ++s) {
        if (c.kept < collected_digit_limit) {
            c.keep(*s - '0');
            --c.adjustment;
        }
    }
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
    bool rounded_up = false;
    if (c.kept == collected_digit_limit) {
        // A 24th digit of 9 rounded up becomes the digit value ten: D simply
        // grows by one, and that last digit is not a zero to remove.
        const std::uint32_t last = c.trailing % 10;
        c.trailing /= 10;
        --c.kept;
        ++c.adjustment;
        if (last >= 5) {
            ++c.trailing;
            rounded_up = true;
        }
    }
    int trailing_count = c.kept > leading_digit_limit ? c.kept - leading_digit_limit : 0;
    if (!rounded_up) {
        const int zeros = c.kept - c.kept_to_last_nonzero;
        c.adjustment += zeros;
        if (zeros <= trailing_count) {
            c.trailing /= static_cast<std::uint32_t>(powers_of_ten_64[zeros]);
            trailing_count -= zeros;
        } else {
            c.leading /= powers_of_ten_64[zeros - trailing_count];
            c.trailing = 0;
            trailing_count = 0;
        }
    }
    return {c.leading, c.trailing, trailing_count};
}

}  // namespace

scanned_number scan_number(const char* text) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    while (is_space(*s)) ++s;
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';

    digit_collector c;
    if (*s == '.') {
        // A point first needs a digit behind it to be a number.
        if (!is_digit(s[1])) return {extended_zero(), false};
        s = collect_fraction_digits(s + 1, c);
    } else {
        if (!is_digit(*s)) return {extended_zero(), false};
        while (*s == '0') ++s;
        s = collect_integer_digits(s, c);
        if (*s == '.') s = collect_fraction_digits(s + 1, c);
    }
    // A sign behind the mantissa, or any other byte, ends the number.
    const int exponent = is_exponent_marker(*s) ? read_exponent(s + 1) : 0;

    // Only zeros: zero with the mantissa sign, whatever the exponent says.
    if (c.kept == 0) return {extended_zero(negative), true};
    const kept_digits digits = finish_digits(c);
    const std::int64_t p = exponent + c.adjustment;
    if (p > decimal_exponent_limit) return {extended_infinity(negative), true};
    if (p < -decimal_exponent_limit) return {extended_zero(negative), true};
    const extended_value value = scale_by_power_of_ten(digits_to_extended(digits), static_cast<int>(p), false);
    return {with_sign(value, negative), true};
}

}  // namespace vyxmath
