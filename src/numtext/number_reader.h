// Number text reading: the steps from NUL-terminated text to a double. Only
// integer arithmetic is used, so every machine reads every text to the same
// bits, whatever its floating-point mode.
#pragma once

#include <cstdint>

#include "numtext/extended_value.h"

namespace vyxmath {

// At most this many significant digits are collected; the last of them only
// rounds the one before it.
inline constexpr int collected_digit_limit = 25;
// The first digits accumulate in one 64-bit integer (10^19 - 1 < 2^64).
inline constexpr int leading_digit_limit = 19;
// Decimal exponents beyond +-5200 give infinity or zero outright; a written
// exponent stops growing at 5201.
inline constexpr int decimal_exponent_limit = 5200;

// The kept significant digits as the integer D they write:
// D = leading * 10^trailing_count + trailing, with the first (up to 19)
// digits in `leading` and the rest in `trailing`. 1 <= D <= 10^24.
struct kept_digits {
    std::uint64_t leading;
    std::uint32_t trailing;
    int trailing_count;
};

// D as an extended value; exact, since D < 2^80.
extended_value digits_to_extended(const kept_digits& digits);

// The number that a text writes, as the kept digits' integer D times 10^p,
// before any rounding to binary.
struct decimal_number {
    enum class form : std::uint8_t {
        none,    // the text holds no number
        zero,    // a mantissa of zeros only
        digits,  // D * 10^p
    };
    form what;
    bool negative;       // the mantissa sign
    kept_digits digits;  // D, for form::digits
    std::int64_t power;  // p, for form::digits
};

// Scans the longest leading part of the text, after any bytes of the space
// class, that forms a number; reads nothing past the terminating NUL.
decimal_number scan_decimal(const char* text);

// The scanned number as an extended value with the mantissa sign: D scaled
// by 10^p, infinity for p above 5200 and zero below -5200 or for a mantissa
// of zeros.
extended_value decimal_to_extended(const decimal_number& d);

// Rounds the 96-bit window W (the 80 mantissa bits then 16 zero bits,
// positions 0..95 from the leading bit down) to its first n positions,
// 1 <= n <= 61: one unit is added at position n - 1 only when position n is
// 1 and some position from n + 2 on is 1; positions from n on are cleared.
// Position n + 1 is never looked at, so exact halves and exact three
// quarters round down. Returns whether the addition carried out of
// position 0, leaving the kept positions all zero.
struct mantissa_window {
    std::uint64_t high;  // positions 0..63, position 0 in bit 63
    std::uint64_t low;   // positions 64..95 in bits 63..32; bits 31..0 stay zero
};
bool round_mantissa(mantissa_window& w, int n);

// The double that an extended value rounds to, by round_mantissa at 53
// positions; below 2^-1022 the denormal keeps one position less than the
// rounding did, and values of 2^1024 and above become infinity.
double extended_to_double(const extended_value& x);

}  // namespace vyxmath
