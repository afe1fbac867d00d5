#include "support/mpfr_reference.h"

#include <bit>
#include <cmath>

#include <mpfr.h>

namespace vyxmath::mpfr_reference {
namespace {

// The exponent range of binary64 in MPFR's convention (significand in
// [0.5, 1)): the smallest subnormal is 2^-1074 = 0.5 * 2^-1073, the largest
// finite value is just below 2^1024. Set while a result is rounded, so the
// rounding happens once, subnormals included.
struct double_exponent_range {
    mpfr_exp_t saved_min = mpfr_get_emin();
    mpfr_exp_t saved_max = mpfr_get_emax();
    double_exponent_range() {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
    }
    ~double_exponent_range() {
        mpfr_set_emin(saved_min);
        mpfr_set_emax(saved_max);
    }
};

using unary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using binary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

// f(a) rounded once to a double, in the direction rnd.
double rounded(unary f, mpfr_srcptr a, mpfr_rnd_t rnd = MPFR_RNDN) {
    double_exponent_range range;
    mpfr_t r;
    mpfr_init2(r, 53);
    int inexact = f(r, a, rnd);
    inexact = mpfr_check_range(r, inexact, rnd);
    mpfr_subnormalize(r, inexact, rnd);
    const double result = mpfr_get_d(r, rnd);
    mpfr_clear(r);
    return result;
}

double rounded(unary f, double x) {
    mpfr_t a;
    mpfr_init2(a, 53);
    mpfr_set_d(a, x, MPFR_RNDN);
    const double result = rounded(f, a);
    mpfr_clear(a);
    return result;
}

// f of the remainder of x modulo a whole-number period (quotient rounded to
// nearest): both are whole numbers when |x| >= 2^63, so the remainder, below
// half the period, is exact in 64 bits.
double rounded_of_remainder(unary f, double x, std::uint64_t period) {
    mpfr_t a, p, r;
    mpfr_inits2(64, a, p, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_ui(p, static_cast<unsigned long>(period >> 32), MPFR_RNDN);
    mpfr_mul_2ui(p, p, 32, MPFR_RNDN);
    mpfr_add_ui(p, p, static_cast<unsigned long>(period & 0xFFFFFFFFu), MPFR_RNDN);
    mpfr_remainder(r, a, p, MPFR_RNDN);
    const double result = rounded(f, r);
    mpfr_clears(a, p, r, static_cast<mpfr_ptr>(nullptr));
    return result;
}

double rounded(binary f, double x, double y, mpfr_rnd_t rnd = MPFR_RNDN) {
    double_exponent_range range;
    mpfr_t a, b, r;
    mpfr_inits2(53, a, b, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, y, MPFR_RNDN);
    int inexact = f(r, a, b, rnd);
    inexact = mpfr_check_range(r, inexact, rnd);
    mpfr_subnormalize(r, inexact, rnd);
    const double result = mpfr_get_d(r, rnd);
    mpfr_clears(a, b, r, static_cast<mpfr_ptr>(nullptr));
    return result;
}

// (exact - rounded) / ulp(rounded) for a finite, nonzero, normal result;
// 0 where the result is zero, infinite or subnormal.
double offset_ulps(mpfr_srcptr exact, double rounded_value) {
    if (rounded_value == 0.0 || !std::isfinite(rounded_value) ||
        std::fabs(rounded_value) < 0x1p-1022) {
        return 0.0;
    }
    mpfr_t d;
    mpfr_init2(d, 200);
    mpfr_sub_d(d, exact, rounded_value, MPFR_RNDN);
    int e = 0;
    std::frexp(rounded_value, &e);  // |rounded| = f 2^e, 0.5 <= f < 1
    // A result that is a power of two has a finer spacing below it.
    const bool below_power_of_two = std::ldexp(std::fabs(rounded_value), 1 - e) == 1.0 &&
                                    (mpfr_sgn(d) < 0) == (rounded_value > 0);
    mpfr_mul_2si(d, d, 53 - e + (below_power_of_two ? 1 : 0), MPFR_RNDN);
    const double result = mpfr_get_d(d, MPFR_RNDN);
    mpfr_clear(d);
    return result;
}

double offset_ulps(unary f, double x) {
    mpfr_t a, r;
    mpfr_inits2(200, a, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    f(r, a, MPFR_RNDN);
    const double result = offset_ulps(r, rounded(f, x));
    mpfr_clears(a, r, static_cast<mpfr_ptr>(nullptr));
    return result;
}

}  // namespace

double exp(double x) { return rounded(mpfr_exp, x); }
double expm1(double x) { return rounded(mpfr_expm1, x); }
double log(double x) { return rounded(mpfr_log, x); }
double log10(double x) { return rounded(mpfr_log10, x); }
double pow(double x, double y) { return rounded(mpfr_pow, x, y); }
double pow_truncating_tiny(double x, double y) {
    const double truncated = rounded(mpfr_pow, x, y, MPFR_RNDZ);
    return std::fabs(truncated) < 0x1p-1022 ? truncated : pow(x, y);
}
double sin(double x) { return rounded(mpfr_sin, x); }
double cos(double x) { return rounded(mpfr_cos, x); }
double tan(double x) { return rounded(mpfr_tan, x); }
double sin_of_remainder(double x, std::uint64_t period) { return rounded_of_remainder(mpfr_sin, x, period); }
double tan_of_remainder(double x, std::uint64_t period) { return rounded_of_remainder(mpfr_tan, x, period); }
double asin(double x) { return rounded(mpfr_asin, x); }
double acos(double x) { return rounded(mpfr_acos, x); }
double atan(double x) { return rounded(mpfr_atan, x); }
double atan2(double y, double x) { return rounded(mpfr_atan2, y, x); }
double sinh(double x) { return rounded(mpfr_sinh, x); }
double cosh(double x) { return rounded(mpfr_cosh, x); }
double tanh(double x) { return rounded(mpfr_tanh, x); }

std::int64_t ulp_distance(double a, double b) {
    // Doubles in order map to integers in order: negative values mirrored.
    const auto ordinal = [](double v) {
        const auto bits = std::bit_cast<std::int64_t>(v);
        return bits < 0 ? -(bits & 0x7FFFFFFFFFFFFFFF) : bits;
    };
    return ordinal(b) - ordinal(a);
}

bool is_nearest(double got, double want) {
    if (std::isnan(want)) return std::isnan(got);
    return std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(want);
}

double exp_offset_ulps(double x) { return offset_ulps(mpfr_exp, x); }
double log_offset_ulps(double x) { return offset_ulps(mpfr_log, x); }

double pow_offset_ulps(double x, double y) {
    mpfr_t a, b, r;
    mpfr_inits2(200, a, b, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, y, MPFR_RNDN);
    mpfr_pow(r, a, b, MPFR_RNDN);
    const double result = offset_ulps(r, pow(x, y));
    mpfr_clears(a, b, r, static_cast<mpfr_ptr>(nullptr));
    return result;
}

namespace {

// |(hi + lo) 2^binade - f(x)| / |f(x)| with f(x) and the sum to 200 bits.
double relative_error(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double hi, double lo, int binade, double x_hi,
                      double x_lo) {
    mpfr_t exact, got;
    mpfr_inits2(200, exact, got, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(exact, x_hi, MPFR_RNDN);
    mpfr_add_d(exact, exact, x_lo, MPFR_RNDN);
    f(exact, exact, MPFR_RNDN);
    mpfr_set_d(got, hi, MPFR_RNDN);
    mpfr_add_d(got, got, lo, MPFR_RNDN);
    mpfr_mul_2si(got, got, binade, MPFR_RNDN);
    mpfr_sub(got, got, exact, MPFR_RNDN);
    mpfr_div(got, got, exact, MPFR_RNDN);
    const double result = std::fabs(mpfr_get_d(got, MPFR_RNDN));
    mpfr_clears(exact, got, static_cast<mpfr_ptr>(nullptr));
    return result;
}

}  // namespace

double exp_relative_error(double hi, double lo, int binade, double y_hi, double y_lo) {
    return relative_error(mpfr_exp, hi, lo, binade, y_hi, y_lo);
}

double angle_relative_error(angle_function f, double hi, double lo, double x) {
    const auto mpfr_f = f == angle_function::sine     ? mpfr_sin
                        : f == angle_function::cosine ? mpfr_cos
                        : f == angle_function::tangent ? mpfr_tan
                        : f == angle_function::arcsine ? mpfr_asin
                                                       : mpfr_atan;
    return relative_error(mpfr_f, hi, lo, 0, x, 0.0);
}

double pair_relative_error(pair_function f, double hi, double lo, double x_hi, double x_lo) {
    static constexpr unary functions[] = {mpfr_sin, mpfr_cos, mpfr_tan,  mpfr_atan, mpfr_log,
                                          mpfr_exp, mpfr_sinh, mpfr_tanh, mpfr_expm1};
    return relative_error(functions[static_cast<int>(f)], hi, lo, 0, x_hi, x_lo);
}

}  // namespace vyxmath::mpfr_reference
