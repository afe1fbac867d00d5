// write_number: a double as number text with at most `digits` significant
// digits, in at most digits + 8 bytes (8 when digits <= 1), NUL included.
#include <bit>

#include "numtext/number_layout.h"
#include "numtext/wide_product.h"
#include "vyxmath.h"

namespace vyxmath {

// Fewer than one digit has no sound text of its own; such requests are
// written as for one digit, which keeps them inside the 8 bytes promised.
//
// The layout is chosen on the 17-digit record, before the cut to `digits`,
// and not revisited when the cut carries into a new leading digit: plain
// notation exactly when the leading digit's decimal exponent P - 1 lies from
// -1 to digits - 1, i.e. 0 <= P <= digits (zero has P = 0).
//
// Longest texts, NUL included: exponent form 1 + 1 + 1 + (digits - 1) + 5 + 1
// = digits + 8 (8 at one digit, which has no point); plain form
// 1 + (digits + 1) + 1 + 1 = digits + 4; markers at most 9, and 8 at one
// digit (see marker_form).
char* write_number(double value, std::int32_t digits, char* buffer) {
    if (digits < 1) digits = 1;
    if (digits <= significand_text_digit_limit) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        std::uint32_t v;
        if (small_integer_value(high_half(bits), low_half(bits), v) &&
            write_small_integer(v, bits >> 63 != 0, digits, buffer))
            return buffer;
        const decimal_significand d = significand_of(value);
        if (d.digits != 0) {
            significand_text(d, digits, buffer);
            return buffer;
        }
    }
    const digit_record record = decimal_digits(value);
    if (record.is_marker()) {
        marker_form(record, digits <= 1 ? 8 : std::int64_t{digits} + 8, buffer);
        return buffer;
    }
    if (record.point < 0 || record.point > digits) {
        exponent_form(record, digits - 1, buffer);
    } else {
        fixed_form(record, digits - record.point, buffer);
    }
    trim_zeros(buffer);
    return buffer;
}

}  // namespace vyxmath
