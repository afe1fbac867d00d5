// The byte classes of number text, fixed bytes independent of any locale:
// the module's readers and the host's operand checks share them. Bytes
// 0x80..0xFF are never spaces, digits or exponent markers.
#pragma once

namespace vyxmath {

// Tab, line feed, vertical tab, form feed, carriage return and space.
constexpr bool is_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr bool is_digit(unsigned char c) { return static_cast<unsigned char>(c - '0') < 10; }

// "D", "E", "d" and "e": setting bit 5 maps the capitals onto the small ones.
constexpr bool is_exponent_marker(unsigned char c) { return static_cast<unsigned>((c | 0x20) - 'd') < 2; }

}  // namespace vyxmath
