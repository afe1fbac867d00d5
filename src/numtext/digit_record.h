// The digit record of a double: its first 17 significant decimal digits as
// text (decimal_significand.h), its sign and its decimal point, or the marker
// of a value that is not finite. The record's layouts (record_layouts.h)
// write it as number text.
#pragma once

#include <cstdint>
#include <cstring>

#include "common/export_arguments.h"

namespace vyxmath {

// value = sign 0.d1 d2 d3 ... x 10^point, where d1 d2 d3 ... are `digits`.
// Finite nonzero values have 1 to 17 digits, the first and last not '0'.
// Zero (either sign) is "0" with point 0 and a blank sign. Values that are not
// finite carry a marker text instead of digits ("1#INF", "1#IND", "1#QNAN")
// with point 1.
struct digit_record {
    char sign;            // '-' or ' '
    std::int16_t point;   // P
    std::uint8_t length;  // characters in `digits`, the NUL not counted
    char digits[18];      // NUL-terminated

    constexpr bool is_marker() const { return digits[1] == '#'; }
};

inline constexpr int record_digit_count = most_written_digits;

// A record from its parts; `text` holds at most 17 characters.
inline digit_record make_record(char sign, int point, const char* text) {
    digit_record r{};
    r.sign = sign;
    r.point = static_cast<std::int16_t>(point);
    r.length = static_cast<std::uint8_t>(std::strlen(text));
    std::memcpy(r.digits, text, r.length + 1u);
    return r;
}

// The record of any double.
digit_record decimal_digits(double value);

}  // namespace vyxmath
