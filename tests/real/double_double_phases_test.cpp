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
#include "real/kernels/exp_log.h"
#include "real/trig/arc_detail.h"
#include "real/trig/hyperbolic_detail.h"
#include "real/trig/taylor_kernels.h"
#include "support/bit_stream.h"
#include "support/mpfr_reference.h"
#include "support/sanitizer_scale.h"

namespace vyxmath::test {
namespace {

using mpfr_reference::pair_function;

// A phase's relative error at a pair argument against its exact function,
// its budget and its domain: |x| in [low, high], and inner seams where it
// changes course.
struct phase {
    const char* name;
    std::function<double(double_double)> error;
    double budget;
    double low, high;
    std::vector<double> seams;
    bool pair_argument = true;  // else a positive double: the low part stays 0
};

// The relative error of a function of a pair that gives a pair.
template <double_double (*value)(double_double)>
double error_of(pair_function exact, double_double x) {
    const double_double v = value(x);
    return mpfr_reference::pair_relative_error(exact, v.hi, v.lo, x.hi, x.lo);
}

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
        const double e = p.error(x);
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
    expect_within_budget({"sine_of_reduced", [](double_double r) { return error_of<sine_of_reduced>(pair_function::sin, r); },
                          sine_of_reduced_error, 0.0, largest, {}},
                         1);
    expect_within_budget(
        {"cosine_of_reduced", [](double_double r) { return error_of<cosine_of_reduced>(pair_function::cos, r); },
         cosine_of_reduced_error, 0.0, largest, {}},
        2);
}

TEST(DoubleDoublePhases, ArctangentSeriesWithinItsBudget) {
    expect_within_budget(
        {"arctangent_small", [](double_double t) { return error_of<arctangent_small>(pair_function::atan, t); },
         arctangent_small_error, 0.0, arctangent_series::largest_argument, {}},
        3);
}

// The fast phase's odd series of sinh and tanh, positive arguments from the
// identity limit to just below the series' limits.
template <double_double (*value)(double)>
double error_of_series(pair_function exact, double_double a) {
    const double_double v = value(a.hi);
    return mpfr_reference::pair_relative_error(exact, v.hi, v.lo, a.hi, 0.0);
}

TEST(DoubleDoublePhases, HyperbolicSeriesWithinTheirBudgets) {
    const auto below = [](double limit) { return std::nextafter(limit, 0.0); };
    expect_within_budget({"sinh series", [](double_double a) { return error_of_series<sinh_series_value>(pair_function::sinh, a); },
                          sinh_series_error, identity_limit, below(sinh_series_limit), {}, false},
                         4);
    expect_within_budget({"tanh series", [](double_double a) { return error_of_series<tanh_series_value>(pair_function::tanh, a); },
                          tanh_series_error, identity_limit, below(tanh_series_limit), {}, false},
                         5);
}

// e^y = 2^k (1 + f) as split_exp gives it, over the arguments whose
// result is a double, with the seams where k steps (y at odd multiples of
// ln 2 / 2) and the ends; and f = e^y - 1 itself where k = 0, relative to
// itself down to 2^-60 (the route of e^x - 1 from 2^-54 on and of the
// hyperbolic functions).
TEST(DoubleDoublePhases, ExponentialWithinItsBudget) {
    const auto as_exponential = [](double_double y) {
        const exp_split s = split_exp(y);
        const double_double v = add(s.fraction, 1.0);
        return mpfr_reference::exp_relative_error(v.hi, v.lo, s.exponent, y.hi, y.lo);
    };
    const auto as_fraction = [](double_double y) {
        const exp_split s = split_exp(y);
        return mpfr_reference::pair_relative_error(pair_function::expm1, s.fraction.hi, s.fraction.lo, y.hi, y.lo);
    };
    const double half_ln2 = 0x1.62e42fefa39efp-2;
    expect_within_budget({"split_exp", as_exponential, split_exp_error, 0.0, 745.0, {half_ln2, 3 * half_ln2, 1023 * half_ln2}}, 6);
    expect_within_budget({"split_exp fraction", as_fraction, split_exp_error, 0x1p-60, std::nextafter(half_ln2, 0.0), {0x1p-30}}, 7);
}

// ln x over every binade, subnormals included, with the seams where the
// significand is halved (sqrt 2) and where ln x passes 0.
TEST(DoubleDoublePhases, LogarithmWithinItsBudget) {
    const auto error = [](double_double x) {
        const double_double v = log_double_double(x.hi);
        return mpfr_reference::pair_relative_error(pair_function::log, v.hi, v.lo, x.hi, 0.0);
    };
    expect_within_budget({"natural_log", error, natural_log_error, 0x1p-1074, 0x1.fffffffffffffp1023,
                          {0x1.6a09e667f3bcdp0, 1.0, 2.0, 0.5}, false},
                         8);
}

}  // namespace
}  // namespace vyxmath::test
