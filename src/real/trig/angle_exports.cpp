// The angle exports: circular functions (the cosine by the module's own
// series), their inverses, the two-argument arc tangent and the hyperbolic
// functions. With unit 1 the argument is converted from degrees, and the
// result of an arc function is converted to degrees, with the module's fixed
// roundings (degree_conversion.h). The hyperbolic functions take the same
// argument conversion.
#include "frame/real_export.h"
#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/hyperbolic.h"
#include "real/trig/series_cosine.h"

namespace {

using vyxmath::AngleUnit;
using vyxmath::angle_export;
using vyxmath::double_double;

double in_radians(double x, AngleUnit unit) {
    return unit == AngleUnit::degrees ? vyxmath::degrees_to_radians(x) : x;
}

// The arc value in radians (rounded once to a double) or in degrees (from the
// value rounded to 64 bits).
template <double (*in_radians)(double), double_double (*to_64_bits)(double)>
double in_unit(double x, AngleUnit unit) {
    return unit == AngleUnit::degrees ? vyxmath::radians_to_degrees(to_64_bits(x)) : in_radians(x);
}

// An export whose argument is an angle: f(x in radians).
template <double (*function)(double)>
std::int32_t of_angle(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return angle_export(result, x, unit, digits,
                        [](double v, AngleUnit u) { return function(in_radians(v, u)); });
}

// An export whose result is an angle: f(x) in the unit.
template <double (*in_radians)(double), double_double (*to_64_bits)(double)>
std::int32_t to_angle(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return angle_export(result, x, unit, digits,
                        [](double v, AngleUnit u) { return in_unit<in_radians, to_64_bits>(v, u); });
}

}  // namespace

std::int32_t VYX_CALL n_sin(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return of_angle<vyxmath::sine>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_cos(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return of_angle<vyxmath::series_cosine>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_tan(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return of_angle<vyxmath::tangent>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_sinh(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return of_angle<vyxmath::hyperbolic_sine>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_cosh(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return of_angle<vyxmath::hyperbolic_cosine>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_tanh(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return of_angle<vyxmath::hyperbolic_tangent>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_asin(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return to_angle<vyxmath::arcsine, vyxmath::arcsine_to_64_bits>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_acos(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return to_angle<vyxmath::arccosine, vyxmath::arccosine_to_64_bits>(result, x, unit, digits);
}

std::int32_t VYX_CALL n_atan(char* result, const char* x, std::int32_t unit, std::int32_t digits) {
    return to_angle<vyxmath::arctangent, vyxmath::arctangent_to_64_bits>(result, x, unit, digits);
}

// y <- the angle of the point (x, y) in radians; no angle unit.
std::int32_t VYX_CALL n_atanex(char* y, const char* x, std::int32_t digits, std::int32_t) {
    return vyxmath::two_operand_export(y, x, digits, vyxmath::arctangent2);
}
