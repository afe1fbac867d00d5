#include "real/trig/taylor_kernels.h"

#include <array>

#include "real/double_double.h"

namespace vyxmath {
namespace {

constexpr int factorial_count = 26;

constexpr std::array<double_double, factorial_count> make_inverse_factorials() {
    std::array<double_double, factorial_count> out{};
    out[0] = {1.0, 0.0};
    for (int n = 1; n < factorial_count; ++n) out[n] = divide(out[n - 1], static_cast<double>(n));
    return out;
}

constexpr std::array<double_double, factorial_count> inverse_factorials = make_inverse_factorials();

// Coefficients of one series in z = r^2: term k is sign(k) / (2k + first)!.
constexpr int dd_terms = 5;
constexpr int all_terms = 12;  // z^11 / 22! and below stay under 2^-100

template <int first>
constexpr std::array<double_double, all_terms> series_coefficients() {
    std::array<double_double, all_terms> out{};
    for (int k = 0; k < all_terms; ++k) {
        const double_double c = inverse_factorials[2 * k + first];
        out[k] = (k % 2 == 0) ? c : negate(c);
    }
    return out;
}

constexpr auto sine_coefficients = series_coefficients<1>();    // sin r / r
constexpr auto cosine_coefficients = series_coefficients<0>();  // cos r

double_double evaluate(const std::array<double_double, all_terms>& c, double_double z) {
    return split_horner<tail_join::exact_product>(c, dd_terms, z);
}

}  // namespace

double_double sine_of_reduced(double_double r) {
    return mul(r, evaluate(sine_coefficients, mul(r, r)));
}

double_double cosine_of_reduced(double_double r) {
    return evaluate(cosine_coefficients, mul(r, r));
}

}  // namespace vyxmath
