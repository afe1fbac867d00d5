#include "real/trig/taylor_kernels.h"

#include <array>

#include "real/double_double.h"

namespace vyxmath {
namespace {

using taylor_series::all_terms;

// The leading dd_terms coefficients in double-double, the rest in doubles.
template <int dd_terms>
double_double evaluate(const std::array<double_double, all_terms>& c, double_double z) {
    return split_horner<tail_join::exact_product>(c, dd_terms, z);
}

}  // namespace

double_double sine_of_reduced(double_double r) {
    return mul(r, evaluate<taylor_series::sine_dd_terms>(taylor_series::sine_coefficients, mul(r, r)));
}

double_double cosine_of_reduced(double_double r) {
    return evaluate<taylor_series::cosine_dd_terms>(taylor_series::cosine_coefficients, mul(r, r));
}

}  // namespace vyxmath
