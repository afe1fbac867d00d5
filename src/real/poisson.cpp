#include "real/poisson.h"

#include "common/factorial.h"
#include "real/constants.h"
#include "real/double_double.h"
#include "real/kernels/exp_log.h"
#include "common/ieee_double.h"
#include "real/kernels/power.h"

namespace vyxmath {
namespace {

// The largest k for which the 32-bit factorial routine is exact.
constexpr std::int32_t largest_exact_factorial = 12;

// ln(2 pi) / 2 to 106 bits: 0.91893853320467274178032973640561763986...
constexpr double_double half_ln_two_pi = {0x1.d67f1c864beb5p-1, -0x1.65b5a1b7ff5dfp-55};

// The probability by the module's own sequence of operations (small k).
double by_factorial_routine(double lambda, std::int32_t k) {
    const double u = power_of_euler_e(-lambda);  // pow_kernel(euler_e, -lambda), without its logarithm
    const double v = pow_kernel(lambda, static_cast<double>(k));
    const double w = v * u;
    return w / static_cast<double>(factorial_routine(k));
}

}  // namespace

// Stirling's series: ln k! = k ln k - k + ln(2 pi k)/2 + sum_j B_2j / (2j (2j-1) k^(2j-1)).
// For k >= 13 its terms fall fast: the last one used, 1/(156 k^13), is below
// 2.2e-17, and the first left out, -3617/(122400 k^15), below 6e-19. The
// correction terms together are below 0.0065 and summed in plain double;
// k ln k - k and ln(2 pi k)/2 in double-double, since k ln k reaches 4.4e10
// and an absolute error there is a relative error of the probability.
double_double log_factorial(std::int32_t k) {
    const double n = static_cast<double>(k);
    const double_double ln_n = log_double_double(n);
    const double inverse = 1.0 / n;
    const double z = inverse * inverse;
    double series = stirling_coefficients[6];
    for (int j = 5; j >= 0; --j) series = stirling_coefficients[j] + z * series;
    series *= inverse;
    double_double sum = mul(ln_n, n);                                   // k ln k
    sum = add(sum, -n);                                                 // - k
    sum = add(sum, add(half_ln_two_pi, scale(ln_n, -1)));  // + ln(2 pi k)/2
    return add(sum, series);
}

double poisson_probability(double lambda, std::int32_t k) {
    if (is_nan(lambda)) return pass_nan(lambda);
    if (k < 0) return 0.0;
    if (k <= largest_exact_factorial) return by_factorial_routine(lambda, k);
    if (lambda == 0.0) return 0.0;
    if (is_infinite(lambda)) return pow_kernel(euler_e, -lambda) * pow_kernel(lambda, static_cast<double>(k));

    // ln P = k ln|lambda| - lambda - ln k!  (for lambda < 0: + |lambda|).
    const double size = magnitude(lambda);
    double_double log_p = mul(log_double_double(size), static_cast<double>(k));
    log_p = add(log_p, lambda < 0.0 ? size : -size);
    log_p = subtract(log_p, log_factorial(k));

    double p;
    if (log_p.hi > 710.0) p = positive_infinity;  // only for a negative lambda
    else if (log_p.hi < -746.0) p = 0.0;
    else {
        const exp_split s = split_exp(log_p);
        p = to_double_scaled(add(s.fraction, 1.0), s.exponent, TinyResult::round_to_nearest);
    }
    const bool negative = lambda < 0.0 && (k & 1) != 0;
    return negative ? -p : p;
}

}  // namespace vyxmath
