// read_number: number text to a double, the same bits on every machine.
// Text that holds no number reads as +0.0, a lone sign included.
#include "numtext/number_reader.h"
#include "vyxmath.h"

namespace vyxmath {

double read_number(const char* text) {
    const scanned_number scanned = scan_number(text);
    if (!scanned.digit_seen) return 0.0;
    return extended_to_double(scanned.value);
}

}  // namespace vyxmath
