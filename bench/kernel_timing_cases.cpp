#include "kernel_timing_cases.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "kernel_arguments.h"
#include "real/constants.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exp_log_detail.h"
#include "real/kernels/power.h"
#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/hyperbolic.h"

namespace vyxmath::bench {
namespace {

using binary = double (*)(double, double);

// Keeps the results alive without a store per call.
volatile std::uint64_t kernel_sink;

struct argument_set {
    std::vector<double> x, y;  // y: the second operand of pow and the first of atan2, else unused
};

// Four rounds over the set per pass: the figures are taken in turns over all
// cases, and a single round would count much of the time the processor's
// caches and branch predictors take to settle after the other kernels ran.
constexpr std::size_t calls_per_pass = 4 * kernel_inputs;

kernel_timing_case timed(std::string name, binary f, const argument_set& args, bool digested) {
    return {std::move(name), calls_per_pass, [f, args, digested](std::size_t n, result_digest* digest) {
                std::uint64_t mixed = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    const std::size_t j = i & (kernel_inputs - 1);
                    const auto bits = std::bit_cast<std::uint64_t>(f(args.x[j], args.y[j]));
                    mixed += bits;
                    if (digest && digested) digest->add_word(bits);
                }
                kernel_sink = mixed;
            }};
}

void add_pair(std::vector<kernel_timing_case>& cases, const char* group, binary module, binary c_runtime,
              const argument_set& args) {
    const std::string name = std::string("kernel/") + group;
    cases.push_back(timed(name + "/module", module, args, true));
    cases.push_back(timed(name + "/c_runtime", c_runtime, args, false));
}

// The sets of elementary_bench.cpp's kernel groups.
argument_set spread(double low, double high, bool exponent_spread = false, double y_low = 0, double y_high = 0) {
    operand_pairs p = spread_operand_pairs(low, high, exponent_spread, y_low, y_high);
    return {std::move(p.x), std::move(p.y)};
}

// The sets of trig_bench.cpp's kernel groups.
argument_set angle_set(const char* name) {
    std::vector<double> x = angle_group_arguments(name);
    return {x, x};
}

}  // namespace

std::vector<kernel_timing_case> kernel_timing_cases() {
    std::vector<kernel_timing_case> cases;
    add_pair(cases, "exp_wide", [](double x, double) { return exp_kernel(x); },
             [](double x, double) { return std::exp(x); }, spread(-700.0, 700.0));
    add_pair(cases, "exp_of_e_wide", [](double x, double) { return power_of_euler_e(x); },
             [](double x, double) { return std::pow(euler_e, x); }, spread(-700.0, 700.0));
    add_pair(cases, "log_wide", [](double x, double) { return log_kernel(x); },
             [](double x, double) { return std::log(x); }, spread(-1000.0, 1000.0, true));
    add_pair(cases, "log10_wide", [](double x, double) { return log10_kernel(x); },
             [](double x, double) { return std::log10(x); }, spread(-1000.0, 1000.0, true));
    add_pair(cases, "pow_general", [](double x, double y) { return pow_kernel(x, y); },
             [](double x, double y) { return std::pow(x, y); }, spread(0.01, 100.0, false, -30.0, 30.0));
    add_pair(cases, "sin_pi", [](double x, double) { return sine(x); },
             [](double x, double) { return std::sin(x); }, angle_set("sin_pi"));
    add_pair(cases, "sin_1e5", [](double x, double) { return sine(x); },
             [](double x, double) { return std::sin(x); }, angle_set("sin_1e5"));
    add_pair(cases, "cos_pi", [](double x, double) { return cosine(x); },
             [](double x, double) { return std::cos(x); }, angle_set("cos_pi"));
    add_pair(cases, "tan_pi", [](double x, double) { return tangent(x); },
             [](double x, double) { return std::tan(x); }, angle_set("tan_pi"));
    add_pair(cases, "tan_1e5", [](double x, double) { return tangent(x); },
             [](double x, double) { return std::tan(x); }, angle_set("tan_1e5"));
    add_pair(cases, "asin_unit", [](double x, double) { return arcsine(x); },
             [](double x, double) { return std::asin(x); }, angle_set("asin_unit"));
    add_pair(cases, "acos_unit", [](double x, double) { return arccosine(x); },
             [](double x, double) { return std::acos(x); }, angle_set("acos_unit"));
    add_pair(cases, "atan_4", [](double x, double) { return arctangent(x); },
             [](double x, double) { return std::atan(x); }, angle_set("atan_4"));
    add_pair(cases, "atan2_square", [](double x, double y) { return arctangent2(y, x); },
             [](double x, double y) { return std::atan2(y, x); },
             {atan2_x_arguments(), atan2_y_arguments()});
    add_pair(cases, "sinh_moderate", [](double x, double) { return hyperbolic_sine(x); },
             [](double x, double) { return std::sinh(x); }, spread(-20.0, 20.0));
    add_pair(cases, "cosh_moderate", [](double x, double) { return hyperbolic_cosine(x); },
             [](double x, double) { return std::cosh(x); }, spread(-20.0, 20.0));
    add_pair(cases, "tanh_moderate", [](double x, double) { return hyperbolic_tangent(x); },
             [](double x, double) { return std::tanh(x); }, spread(-5.0, 5.0));
    return cases;
}

}  // namespace vyxmath::bench
