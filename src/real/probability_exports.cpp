// The probability exports: the Poisson probability (k in p3, digits in p4)
// and the standard normal integral from 0 to x.
#include "frame/real_export.h"
#include "real/normal_integral.h"
#include "real/poisson.h"

std::int32_t VYX_CALL n_poisson(char* result, const char* lambda, std::int32_t k, std::int32_t digits) {
    return vyxmath::one_operand_export(result, lambda, digits,
                                       [k](double value) { return vyxmath::poisson_probability(value, k); });
}

std::int32_t VYX_CALL n_seikibunpu(char* result, const char* x, std::int32_t digits, std::int32_t) {
    return vyxmath::one_operand_export(result, x, digits, vyxmath::normal_integral);
}
