// The four basic operations: one IEEE double operation each on the two values
// read, a <- a op b. Division by zero gives a signed infinity, 0/0 the
// default not-a-number; both are written like any other value.
#include "frame/real_export.h"

using vyxmath::two_operand_export;

std::int32_t VYX_CALL n_tasu(char* a, const char* b, std::int32_t digits, std::int32_t) {
    return two_operand_export(a, b, digits, [](double x, double y) { return x + y; });
}

std::int32_t VYX_CALL n_hiku(char* a, const char* b, std::int32_t digits, std::int32_t) {
    return two_operand_export(a, b, digits, [](double x, double y) { return x - y; });
}

std::int32_t VYX_CALL n_kakeru(char* a, const char* b, std::int32_t digits, std::int32_t) {
    return two_operand_export(a, b, digits, [](double x, double y) { return x * y; });
}

std::int32_t VYX_CALL n_waru(char* a, const char* b, std::int32_t digits, std::int32_t) {
    return two_operand_export(a, b, digits, [](double x, double y) { return x / y; });
}
