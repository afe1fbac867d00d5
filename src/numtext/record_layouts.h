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

// The finished text of any record at `digits` >= 1 significant digits:
// the marker within written_text_bound(digits) bytes, or the layout
// uses_exponent_form chooses followed by trim_zeros.
void write_record(const digit_record& record, std::int32_t digits, char* buffer);

// Removes the trailing "0"s of the fraction (between the point and the "e" of
// an exponent part, or the end) in place; the point itself stays.
void trim_zeros(char* text);

}  // namespace vyxmath
