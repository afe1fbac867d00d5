// The elementary-function exports: remainder, powers, exponential,
// logarithms, absolute value, area of a circle and square root, each one
// computation on the values read by the common sequence.
#include "frame/real_export.h"
#include "real/constants.h"
#include "real/kernels/exp_log.h"
#include "common/ieee_double.h"
#include "real/kernels/power.h"
#include "real/kernels/remainder.h"
#include "real/square_root.h"

using vyxmath::one_operand_export;
using vyxmath::two_operand_export;

std::int32_t VYX_CALL n_fmod(char* a, const char* b, std::int32_t digits, std::int32_t) {
    return two_operand_export(a, b, digits, vyxmath::fmod_kernel);
}

std::int32_t VYX_CALL n_pow(char* a, const char* b, std::int32_t digits, std::int32_t) {
    return two_operand_export(a, b, digits, vyxmath::pow_kernel);
}

// e^x is the constant e raised to x, so that it agrees with n_pow of that
// constant to the bit (e^1 is the constant itself).
std::int32_t VYX_CALL n_exp(char* result, const char* x, std::int32_t digits, std::int32_t) {
    return one_operand_export(result, x, digits, vyxmath::power_of_euler_e);
}

std::int32_t VYX_CALL n_ln(char* result, const char* x, std::int32_t digits, std::int32_t) {
    return one_operand_export(result, x, digits, vyxmath::log_kernel);
}

std::int32_t VYX_CALL n_log(char* result, const char* x, std::int32_t digits, std::int32_t) {
    return one_operand_export(result, x, digits, vyxmath::log10_kernel);
}

// Clears the sign bit only: a NaN keeps its sign and payload.
std::int32_t VYX_CALL n_fabs(char* result, const char* x, std::int32_t digits, std::int32_t) {
    return one_operand_export(result, x, digits, [](double v) { return vyxmath::magnitude(v); });
}

// (r * r) * pi, the square rounded first.
std::int32_t VYX_CALL n_circle(char* result, const char* r, std::int32_t digits, std::int32_t) {
    return one_operand_export(result, r, digits, [](double v) { return (v * v) * vyxmath::pi; });
}

std::int32_t VYX_CALL n_sqrt(char* result, const char* x, std::int32_t digits, std::int32_t) {
    return one_operand_export(result, x, digits, vyxmath::newton_square_root);
}
