// The steps of writing a digit record as number text: the cut to the wanted
// number of significant digits, the two layouts, and the removal of trailing
// fraction zeros. Each layout writes NUL-terminated text at the start of the
// buffer and returns the address of its NUL.
#pragma once

#include <cstdint>

#include "numtext/digit_record.h"

namespace vyxmath {

// Rounds a finite record's digits half up at n significant digits (n >= 1):
// digit n + 1 decides, counted from the record's own 17 digits, not from the
// exact value. A carry out of the first digit leaves "1" and raises the point
// by one. The digits keep their form: no trailing zeros, which the layouts
// supply as padding.
void cut_digits(digit_record& record, std::int32_t n);

// sign d.ddd...e+XXX with k digits behind the point (none and no point when
// k = 0); the exponent always has three digits. Cuts the record to k + 1
// digits first.
char* exponent_form(digit_record record, std::int32_t k, char* buffer);

// Plain notation for 0 <= point <= digits, with k = digits - point digit
// positions behind the point (no point when k = 0). Cuts the record to
// `digits` digits first.
char* fixed_form(digit_record record, std::int32_t k, char* buffer);

// A value that is not finite: the sign, "1.", then the rest of the marker
// ("1.#INF", "-1.#IND", "1.#QNAN"), as long as it fits in `limit` bytes.
char* marker_form(const digit_record& record, std::int64_t limit, char* buffer);

// The finished text (both layouts, trimmed) of a finite nonzero value's
// significand at 1 <= digits <= 17, in one pass and without a record: the
// same bytes as the layouts followed by trim_zeros. Returns its NUL.
inline constexpr int significand_text_digit_limit = 17;
char* significand_text(const decimal_significand& d, std::int32_t digits, char* buffer);

// The same text for an integer value below 10^8 that has no more than
// `digits` digits, written from its binary form; false, writing nothing,
// for any other value or for digits below 2.
bool write_integer(double value, std::int32_t digits, char* buffer);

// The two steps of write_integer. The test, inline so that the many values
// that are no such integer cost no call: v = |value| when that is an
// integer from 1 to 2^27 - 1 (the range that holds 10^8). It runs on the
// two 32-bit halves of the pattern: |value| = 1.f 2^e, the leading bit and
// f's top 20 bits in `top`, f's low 32 bits in `bottom`;
// v = (top:bottom) >> (52 - e), an integer when no one bit is shifted out.
inline bool small_integer_value(std::uint32_t high, std::uint32_t bottom, std::uint32_t& v) {
    const int e = static_cast<int>((high >> 20) & 0x7FF) - 1023;
    if (static_cast<unsigned>(e) > 26) return false;
    const std::uint32_t top = (high & 0xFFFFFu) | 0x100000u;
    if (e <= 20) {
        // top's low 20 - e bits, moved up to the top of the word (two shifts,
        // as a shift by 32 is undefined).
        if ((bottom | ((top << (11 + e)) << 1)) != 0) return false;
        v = top >> (20 - e);
    } else {
        const int shift = 52 - e;  // 26 to 31
        if ((bottom << (32 - shift)) != 0) return false;
        v = (top << (32 - shift)) | (bottom >> shift);
    }
    return true;
}
// The text of v, negative or not, when v < 10^8 has at most `digits` digits
// and digits >= 2; false, writing nothing, otherwise.
bool write_small_integer(std::uint32_t v, bool negative, std::int32_t digits, char* buffer);

// Removes the trailing "0"s of the fraction (between the point and the "e" of
// an exponent part, or the end) in place; the point itself stays.
void trim_zeros(char* text);

}  // namespace vyxmath
