// The common sequence of every real-valued export: digits 0 becomes 8, an
// angle unit other than 0 or 1 makes the call a no-operation, every text
// operand is read before p1 is written (so p1 may also be an operand, and the
// same variable may be passed twice), the result is written into p1 as number
// text, and the status is 0.
#pragma once

#include <cstdint>

#include "common/export_arguments.h"
#include "numtext/module_conversions.h"

namespace vyxmath {

// p1 <- op(read(p1), read(p2)).
template <class Op>
std::int32_t two_operand_export(char* a, const char* b, std::int32_t digits, Op op) {
    digits = effective_digits(digits);
    const double x = read_operand(a);
    const double y = read_operand(b);
    write_number(op(x, y), digits, a);
    return 0;
}

// p1 <- op(read(p2)); the old content of p1 is not read.
template <class Op>
std::int32_t one_operand_export(char* result, const char* x, std::int32_t digits, Op op) {
    digits = effective_digits(digits);
    const double value = read_operand(x);
    write_number(op(value), digits, result);
    return 0;
}

// p1 <- op(read(p2), unit) for the exports with an angle unit in p3 and the
// digits in p4. The digits default is applied before the unit is looked at.
template <class Op>
std::int32_t angle_export(char* result, const char* x, std::int32_t unit, std::int32_t digits, Op op) {
    digits = effective_digits(digits);
    if (!is_valid_angle_unit(unit)) return 0;
    const double value = read_operand(x);
    write_number(op(value, static_cast<AngleUnit>(unit)), digits, result);
    return 0;
}

}  // namespace vyxmath
