// The library's number reading and writing for JavaScript, which can call
// only C names. The double travels as its 64-bit pattern in module memory:
// a not-a-number passed through JavaScript may lose its payload and sign, and
// the page shows the bits the export itself saw.
#include <cstdint>
#include <cstring>

#include "vyxmath.h"

extern "C" {

// The double `text` reads as, the way the exports read their operands.
__attribute__((used)) void vyx_read_number_bits(const char* text, std::uint64_t* bits) {
    const double value = vyxmath::read_number(text);
    std::memcpy(bits, &value, sizeof value);
}

// Writes the double with pattern `*bits` at `digits` into `buffer`, which
// holds digits + 8 bytes (8 when digits <= 1), as the exports write p1.
__attribute__((used)) char* vyx_write_number_bits(const std::uint64_t* bits, std::int32_t digits, char* buffer) {
    double value;
    std::memcpy(&value, bits, sizeof value);
    return vyxmath::write_number(value, digits, buffer);
}

}  // extern "C"
