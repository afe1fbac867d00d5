// read_number: number text to a double, the same bits on every machine.
// Text that holds no number reads as +0.0, a lone sign included.
//
// The double is defined by the extended route: D scaled by 10^p in the
// extended format, then round_mantissa. Digit strings whose D fits 64 bits
// are first offered to the direct rounding, which gives the same bits with
// one product whenever it can prove them.
#include "numtext/direct_rounding.h"
#include "numtext/number_reader.h"
#include "vyxmath.h"

namespace vyxmath {

double read_number(const char* text) {
    const decimal_number d = scan_decimal(text);
    if (d.what == decimal_number::form::none) return 0.0;
    if (d.what == decimal_number::form::digits && d.digits.trailing_count == 0) {
        double result;
        if (round_directly(d.digits.leading, d.power, d.negative, result)) return result;
    }
    return extended_to_double(decimal_to_extended(d));
}

}  // namespace vyxmath
