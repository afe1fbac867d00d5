// The scan and its extended value in one call, for the tests that check the
// two steps of reading together; read_number takes them apart.
#pragma once

#include "numtext/number_reader.h"

namespace vyxmath {

// What the scan found: `value` is decimal_to_extended of the scanned number,
// meaningful only when a digit was seen; text without a number has
// digit_seen false.
struct scanned_number {
    extended_value value;
    bool digit_seen;
};

inline scanned_number scan_number(const char* text) {
    const decimal_number d = scan_decimal(text);
    return {decimal_to_extended(d), d.what != decimal_number::form::none};
}

}  // namespace vyxmath
