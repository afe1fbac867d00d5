// write_number: a double as number text with at most `digits` significant
// digits, in at most written_text_bound(digits) bytes, NUL included.
#include "numtext/record_layouts.h"
#include "numtext/short_cut.h"
#include "numtext/significand_text.h"
#include "vyxmath.h"

namespace vyxmath {

// Fewer than one digit has no sound text of its own; such requests are
// written as for one digit, which keeps them inside the 8 bytes promised.
char* write_number(double value, std::int32_t digits, char* buffer) {
    if (digits < 1) digits = 1;
    if (digits <= significand_text_digit_limit) {
        if (write_integer(value, digits, buffer)) return buffer;
        if (digits <= short_cut_digit_limit && short_value_text(value, digits, buffer)) return buffer;
        const decimal_significand d = significand_of(value);
        if (has_digits(d)) {
            significand_text(d, digits, buffer);
            return buffer;
        }
    }
    write_record(decimal_digits(value), digits, buffer);
    return buffer;
}

}  // namespace vyxmath
