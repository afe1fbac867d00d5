// The double-double phases against GNU MPFR: each phase's value before its
// rounding test must stay within the error budget compiled beside its code
// (and asserted there against that test's bound), over the phase's whole
// domain, in dense runs of consecutive doubles at its ends and at its inner
// seams. End-to-end correct rounding almost never shows a budget a little
// too small; this shows it at once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "real/double_double.h"
#include "real/constants.h"
#include "real/trig/arc_detail.h"
#include "real/trig/hyperbolic_detail.h"
#include "real/trig/taylor_kernels.h"
#include "support/bit_stream.h"
#include "support/mpfr_reference.h"
#include "support/sanitizer_scale.h"

namespace vyxmath::test {
namespace {

using mpfr_reference::pair_function;

// A phase's value at a pair argument, its exact function, its budget and
// its domain: |x| in [low, high], and inner seams where it changes course.
struct phase {
    const char* name;
    std::function<double_double(double_double)> value;
    pair_function exact;
    double budget;
    double low, high;
    std::vector<double> seams;
    bool pair_argument = true;  // else a positive double: the low part stays 0
};

// A pair with the given head and a random low part within half its last place.
double_double with_random_tail(double hi, bit_stream& source) {
    return {hi, hi == 0.0 ? 0.0 : std::ldexp(source.uniform(-0.5, 0.5), std::ilogb(hi) - 52)};
}

// The largest relative error over random heads across the domain (uniform
// and spread over the binades), 2000 consecutive doubles inward from each
// end and on both sides of each seam; printed as a power of two beside the
// budget.
void expect_within_budget(const phase& p, std::uint64_t seed) {
    bit_stream source(seed);
    double worst = 0.0, worst_at = 0.0;
    const auto add = [&](double hi) {
        if (!(std::fabs(hi) >= p.low && std::fabs(hi) <= p.high)) return;
        const double_double x = p.pair_argument ? with_random_tail(hi, source) : double_double{std::fabs(hi), 0.0};
        const double_double v = p.value(x);
        const double e = mpfr_reference::pair_relative_error(p.exact, v.hi, v.lo, x.hi, x.lo);
        if (e > worst) worst = e, worst_at = hi;
    };
    const int low_binade = p.low > 0.0 ? std::ilogb(p.low) : -60;
    for (int i = 0; i < scaled_count(40000); ++i) {
        add(source.uniform(-p.high, p.high));
        add(source.spread(low_binade, std::ilogb(p.high) + 1, true));
    }
    const auto run = [&](double from, double toward) {
        for (int i = 0; i < scaled_count(2000); ++i, from = std::nextafter(from, toward)) add(from);
    };
    run(p.high, 0.0);
    run(p.low, p.high);
    for (double seam : p.seams) run(seam, 0.0), run(seam, p.high);
    std::printf("[ budget   ] %-20s worst 2^%.2f at %a, budget 2^%.2f\n", p.name, std::log2(worst), worst_at,
                std::log2(p.budget));
    EXPECT_LE(worst, p.budget) << p.name << " at " << worst_at;
}

TEST(DoubleDoublePhases, ReducedAngleSeriesWithinTheirBudgets) {
    constexpr double largest = taylor_series::largest_angle;
    expect_within_budget({"sine_of_reduced", sine_of_reduced, pair_function::sin, sine_of_reduced_error, 0.0, largest, {}}, 1);
    expect_within_budget(
        {"cosine_of_reduced", cosine_of_reduced, pair_function::cos, cosine_of_reduced_error, 0.0, largest, {}}, 2);
}

TEST(DoubleDoublePhases, ArctangentSeriesWithinItsBudget) {
    expect_within_budget({"arctangent_small", arctangent_small, pair_function::atan, arctangent_small_error, 0.0,
                          arctangent_series::largest_argument, {}},
                         3);
}

// The fast phase's odd series of sinh and tanh, positive arguments from the
// identity limit to just below the series' limits.
TEST(DoubleDoublePhases, HyperbolicSeriesWithinTheirBudgets) {
    const auto below = [](double limit) { return std::nextafter(limit, 0.0); };
    expect_within_budget({"sinh series", [](double_double a) { return sinh_series_value(a.hi); },
                          pair_function::sinh, sinh_series_error, identity_limit, below(sinh_series_limit), {}, false},
                         4);
    expect_within_budget({"tanh series", [](double_double a) { return tanh_series_value(a.hi); },
                          pair_function::tanh, tanh_series_error, identity_limit, below(tanh_series_limit), {}, false},
                         5);
}

}  // namespace
}  // namespace vyxmath::test
