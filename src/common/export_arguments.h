// The digits and angle-unit arguments of the real-valued exports, read the
// same way by the module and by the host. A digits argument of 0 asks for the
// default of 8 significant digits, and a result written at d digits needs
// written_text_bound(d) bytes at most, its NUL included (the room
// include/vyxmath.h promises to callers). An angle unit other than 0 or 1
// makes the call a no-operation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vyxmath {

inline constexpr std::int32_t default_digits = 8;

constexpr std::int32_t effective_digits(std::int32_t digits) { return digits == 0 ? default_digits : digits; }

enum class AngleUnit : std::int32_t { radians = 0, degrees = 1 };

constexpr bool is_valid_angle_unit(std::int32_t unit) { return unit == 0 || unit == 1; }

// A written number never has more than 17 significant digits, whatever
// digits asks for: a double is told apart from its neighbours by 17.
inline constexpr std::int32_t most_written_digits = 17;

// The longest texts, NUL included: the exponent form, sign + first digit +
// point + (digits - 1) + "e+ddd" + NUL = digits + 8, or 8 at one digit,
// which has no point; the plain form digits + 4; the markers at most 9, and
// 8 at one digit. Fewer than one digit is written as one.
constexpr std::size_t written_text_bound(std::int32_t digits) {
    return digits <= 1 ? 8 : static_cast<std::size_t>(digits) + 8;
}

}  // namespace vyxmath
