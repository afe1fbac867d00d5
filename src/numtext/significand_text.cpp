// The text of a finite nonzero value at up to 17 digits, written straight
// from its 17-digit significand N in one pass. It is the text the record's
// layouts give followed by trim_zeros, with the cut done in integers:
//
// Cut to n digits. The record's digit n + 1 decides, so the cut value is
//     C = floor((floor(N / 10^(16 - n)) + 5) / 10)   (C = N when n = 17),
// which has n digits unless the carry ran through all of them (C = 10^n);
// then the text is "1" and the point moves up one place, which is C =
// 10^(n - 1) with point P + 1. Digits of the record beyond its length are
// zeros, so S, the n digits of C followed by endless "0"s, is exactly what
// the layouts take their characters from.
//
// Trimming. Both layouts put the fraction's characters right behind the
// point and the layouts' padding is "0"s, so trim_zeros leaves the fraction
// up to the last nonzero digit of C; with L the count of C's digits without
// its trailing zeros, a fraction starting at position f of S keeps
// max(0, min(L - f, its width)) characters.
#include "numtext/significand_text.h"

#include <cassert>
#include <bit>
#include <cstring>

#include "numtext/digit_characters.h"
#include "numtext/short_cut.h"
#include "numtext/significand_cut.h"
#include "numtext/writer_rules.h"

namespace vyxmath {
namespace {

constexpr std::uint64_t powers_of_ten[] = {
    1u,
    10u,
    100u,
    1'000u,
    10'000u,
    100'000u,
    1'000'000u,
    10'000'000u,
    100'000'000u,
    1'000'000'000u,
    10'000'000'000u,
    100'000'000'000u,
    1'000'000'000'000u,
    10'000'000'000'000u,
    100'000'000'000'000u,
    1'000'000'000'000'000u,
    10'000'000'000'000'000u,
    100'000'000'000'000'000u,
};

// Copies 0 <= n <= 32 bytes with fixed-size moves that stay inside
// [to, to + n).
void copy_short(char* to, const char* from, int n) {
    assert(n >= 0 && n <= 32);
    if (n >= 8) {
        // Spelt out rather than a loop, which the compiler would turn into a
        // call of the library's memcpy.
        if (n > 8) std::memcpy(to, from, 8);
        if (n > 16) std::memcpy(to + 8, from + 8, 8);
        if (n > 24) std::memcpy(to + 16, from + 16, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(to, from, 2);
        std::memcpy(to + n - 2, from + n - 2, 2);
    } else if (n == 1) {
        *to = *from;
    }
}

// Copies count <= 8 characters as one fixed 8-byte move when those 8 bytes
// lie within the caller's bound (the bytes beyond count are overwritten
// later or lie behind the NUL), else exactly.
void copy_digits(char* out, const char* from, int count, const char* bound) {
    if (out + 8 <= bound && count <= 8) {
        std::memcpy(out, from, 8);
    } else {
        copy_short(out, from, count);
    }
}

cut_value cut_to_digits(const decimal_significand& d, int n) {
    cut_value v{cut_significand(d.digits, n), d.point};
    if (carried_out(v.c, n)) {
        v.c = one_digit_less(n);
        ++v.point;
    }
    return v;
}

// S: C's n digits, then "0"s, of which a carried integer part can reach
// the first, spelt into `space`; returns where S starts. `significant`
// counts S's digits up to its last nonzero.
const char* spell_cut(split_decimal c, int n, char* space, int& significant) {
    if (n <= 8) {
        const std::uint64_t values = eight_digit_values(c.lower);
        const std::uint64_t text = values | ascii_zeros;
        std::memcpy(space, &text, 8);
        std::memcpy(space + 8, &ascii_zeros, 8);
        std::memcpy(space + 16, &ascii_zeros, 8);
        significant = n - trailing_zero_digits(values);  // C > 0: its leading digit is not 0
        return space + (8 - n);
    }
    const std::uint64_t high = eight_digit_values(c.upper % 100'000'000u);
    const std::uint64_t low = eight_digit_values(c.lower);
    const std::uint64_t high_text = high | ascii_zeros, low_text = low | ascii_zeros;
    space[0] = static_cast<char>('0' + c.upper / 100'000'000u);
    std::memcpy(space + 1, &high_text, 8);
    std::memcpy(space + 9, &low_text, 8);
    std::memcpy(space + 17, &ascii_zeros, 8);
    significant = low != 0 ? n - trailing_zero_digits(low) : high != 0 ? n - 8 - trailing_zero_digits(high) : n - 16;
    return space + (17 - n);
}

// d.ddd...e+XXX from S, the fraction up to S's last nonzero digit.
char* put_exponent_layout(const char* s, int significant, int n, int point, char* out, const char* bound) {
    *out++ = s[0];
    if (n > 1) {
        *out++ = '.';
        if (significant > 9 && out + 16 <= bound) {
            // Nine to sixteen characters as two fixed 8-byte moves: S holds
            // at least 17 characters from s (spell_cut), and the bytes past
            // the fraction are overwritten by the exponent part or lie
            // behind the NUL. (Else a call of copy_short for each 17-digit
            // text.)
            std::memcpy(out, s + 1, 8);
            std::memcpy(out + 8, s + 9, 8);
        } else {
            copy_digits(out, s + 1, significant - 1, bound);
        }
        out += significant - 1;
    }
    return put_exponent_part(point - 1, out);
}

// The integer part (point digits of S, or "0"), then the fraction of
// fraction_width positions up to S's last nonzero digit.
char* put_plain_layout(const char* s, int significant, int fraction_width, int point, char* out, const char* bound) {
    if (point > 0) {
        copy_digits(out, s, point, bound);  // point <= n + 1
        out += point;
    } else {
        *out++ = '0';
    }
    if (fraction_width > 0) {
        *out++ = '.';
        int shown = significant - point;
        if (shown > fraction_width) shown = fraction_width;
        if (shown > 0) {
            copy_digits(out, s + point, shown, bound);
            out += shown;
        }
    }
    return out;
}

}  // namespace

// An integer v with L <= digits digits: its 17-digit significand is exactly
// v * 10^(17 - L) with point L (the scaling errs by far less than half a unit
// of the 17th digit, and v / 10^L stays below 1 by 10^-L), so the cut keeps
// v's digits and adds zero digits, and the plain layout shows v followed by
// a fraction of zeros that trimming removes, leaving the point when there is
// a fraction position (L < digits). Taken for 1 <= v < 10^8 and 2 <= digits,
// where the eight digit characters can be stored whole within the bound.
bool write_small_integer(std::uint32_t v, bool negative, std::int32_t digits, char* buffer) {
    if (digits < 2) return false;
    if (v >= 100'000'000u || v >= powers_of_ten[digits < 17 ? digits : 17]) return false;

    const std::uint64_t values = eight_digit_values(v);
    const int leading_zeros = std::endian::native == std::endian::little ? zero_bits_below(values) / 8
                                                                        : zero_bits_above(values) / 8;
    const int length = 8 - leading_zeros;
    // The digits without the leading zeros, then NUL bytes.
    const std::uint64_t text = std::endian::native == std::endian::little
                                   ? (values | ascii_zeros) >> (8 * leading_zeros)
                                   : (values | ascii_zeros) << (8 * leading_zeros);
    char* out = buffer;
    *out = '-';  // kept only for a negative value
    out += negative ? 1 : 0;
    std::memcpy(out, &text, 8);  // sign + 8 <= digits + 8
    out += length;
    if (length < digits) *out++ = '.';
    *out = '\0';
    return true;
}

namespace {

// The text of the cut (both layouts, trimmed); the layout is chosen on
// `layout_point`, the 17-digit significand's point before the cut.
inline char* cut_text(const cut_value& cut, int layout_point, bool negative, int n, char* buffer) {
    char digit_space[32];
    int significant;
    const char* const s = spell_cut(cut.c, n, digit_space, significant);

    const char* const bound = buffer + written_text_bound(n);
    char* out = buffer;
    *out = '-';  // kept only for a negative value; a branch here would be mispredicted
    out += negative ? 1 : 0;
    if (uses_exponent_form(layout_point, n)) {
        out = put_exponent_layout(s, significant, n, cut.point, out, bound);
    } else {
        out = put_plain_layout(s, significant, n - layout_point, cut.point, out, bound);
    }
    *out = '\0';
    return out;
}

}  // namespace

char* significand_text(const decimal_significand& d, std::int32_t digits, char* buffer) {
    assert(digits >= 1 && digits <= significand_text_digit_limit);
    return cut_text(cut_to_digits(d, digits), d.point, d.negative, digits, buffer);
}

bool short_value_text(double value, std::int32_t digits, char* buffer) {
    assert(digits >= 1 && digits <= short_cut_digit_limit);
    short_cut s;
    if (!cut_directly(value, digits, s)) return false;
    cut_text(s.cut, s.layout_point, s.negative, digits, buffer);
    return true;
}

}  // namespace vyxmath
