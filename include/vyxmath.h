/* VYXmath: real-valued and integer mathematics on number text.
 *
 * Every export takes four 32-bit arguments and returns a 32-bit status.
 * Text variables hold NUL-terminated decimal number text; a text variable that
 * receives a result needs room for digits + 8 bytes (8 when digits <= 1).
 * A digits argument of 0 means 8. On 32-bit Windows the exports use stdcall
 * and are exported under their decorated names ("_n_tasu@16").
 */
#ifndef VYXMATH_H
#define VYXMATH_H

#include <stdint.h>

#if defined(_WIN32) && defined(__i386__)
#define VYX_CALL __stdcall
#else
#define VYX_CALL
#endif

#if defined(_WIN32)
#define VYX_API /* exported by the module-definition file */
#elif defined(VYXMATH_BUILDING)
#define VYX_API __attribute__((visibility("default")))
#else
#define VYX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Basic operations: a <- a op b. */
VYX_API int32_t VYX_CALL n_tasu(char* a, const char* b, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_hiku(char* a, const char* b, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_kakeru(char* a, const char* b, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_waru(char* a, const char* b, int32_t digits, int32_t unused);

/* Elementary functions. */
VYX_API int32_t VYX_CALL n_fmod(char* a, const char* b, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_pow(char* a, const char* b, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_sqrt(char* result, const char* x, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_circle(char* result, const char* r, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_fabs(char* result, const char* x, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_ln(char* result, const char* x, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_log(char* result, const char* x, int32_t digits, int32_t unused);
VYX_API int32_t VYX_CALL n_exp(char* result, const char* x, int32_t digits, int32_t unused);

/* Trigonometric and hyperbolic functions; unit 0 radians, 1 degrees. */
VYX_API int32_t VYX_CALL n_sin(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_asin(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_sinh(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_cos(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_acos(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_cosh(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_tan(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_atan(char* result, const char* x, int32_t unit, int32_t digits);
VYX_API int32_t VYX_CALL n_tanh(char* result, const char* x, int32_t unit, int32_t digits);
/* y <- angle of the point (x, y), in radians. */
VYX_API int32_t VYX_CALL n_atanex(char* y, const char* x, int32_t digits, int32_t unused);

/* Probability. */
VYX_API int32_t VYX_CALL n_poisson(char* result, const char* lambda, int32_t k, int32_t digits);
VYX_API int32_t VYX_CALL n_seikibunpu(char* result, const char* x, int32_t digits, int32_t unused);

/* Integer functions, 32-bit wrap-around. */
VYX_API int32_t VYX_CALL n_bitsft(int32_t* result, int32_t value, int32_t count, int32_t direction);
VYX_API int32_t VYX_CALL n_ceil(int32_t* result, const char* x, int32_t unused3, int32_t unused4);
VYX_API int32_t VYX_CALL n_floor(int32_t* result, const char* x, int32_t unused3, int32_t unused4);
VYX_API int32_t VYX_CALL n_rand(int32_t* result, int32_t start, int32_t unused3, int32_t unused4);
VYX_API int32_t VYX_CALL n_kaijo(int32_t* result, int32_t n, int32_t unused3, int32_t unused4);
VYX_API int32_t VYX_CALL n_fib(int32_t* result, int32_t n, int32_t unused3, int32_t unused4);
VYX_API int32_t VYX_CALL n_gcd(int32_t* result, int32_t a, int32_t b, int32_t unused);
VYX_API int32_t VYX_CALL n_lcm(int32_t* result, int32_t a, int32_t b, int32_t unused);
VYX_API int32_t VYX_CALL n_comb(int32_t* result, int32_t n, int32_t k, int32_t unused);
VYX_API int32_t VYX_CALL n_perm(int32_t* result, int32_t n, int32_t k, int32_t unused);
/* Prime test: status 0 when n is prime, -1 otherwise; nothing is written. */
VYX_API int32_t VYX_CALL n_sosu(int32_t n, int32_t unused2, int32_t unused3, int32_t unused4);

#ifdef __cplusplus
} /* extern "C" */

namespace vyxmath {
/* Number text reading and writing, exact to the bit on every machine. */
VYX_API double read_number(const char* text);
/* Writes at most digits + 8 bytes (8 when digits <= 1); returns buffer. */
VYX_API char* write_number(double value, int32_t digits, char* buffer);
}  // namespace vyxmath
#endif

#endif /* VYXMATH_H */
