// What every writer of number text shares: the choice between the plain and
// the exponent layout, and the spelling of the exponent part. The room a
// text may take, which the host sizes its variables by too, is
// written_text_bound in common/export_arguments.h.
#pragma once

#include <cstring>

#include "common/export_arguments.h"
#include "numtext/digit_pairs.h"

namespace vyxmath {

// The layout is chosen on the 17-digit record's point P, before the cut to
// `digits`, and not revisited when the cut carries into a new leading digit:
// plain notation exactly when the leading digit's decimal exponent P - 1 lies
// from -1 to digits - 1, i.e. 0 <= P <= digits (zero has P = 0).
constexpr bool uses_exponent_form(int point, int digits) { return point < 0 || point > digits; }

// "e", the exponent's sign, then always three digits: doubles have decimal
// exponents from -324 to +308, and the fixed width is part of the text's form.
inline constexpr int exponent_part_length = 5;

// Writes the exponent part at out, no NUL; returns its end.
inline char* put_exponent_part(int exponent, char* out) {
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out[0] = 'e';
    out[1] = exponent < 0 ? '-' : '+';
    out[2] = static_cast<char>('0' + magnitude / 100);
    std::memcpy(out + 3, &digit_pairs[2 * (magnitude % 100)], 2);
    return out + exponent_part_length;
}

}  // namespace vyxmath
