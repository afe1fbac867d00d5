#include "support/kernel_cases.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "real/constants.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exponential.h"
#include "real/kernels/float_bits.h"
#include "real/kernels/power.h"
#include "real/kernels/double_double_ops.h"
#include "real/trig/hyperbolic.h"
#include "support/mpfr_reference.h"

namespace vyxmath::kernel_check {
namespace {

namespace ref = mpfr_reference;

double uniform(std::mt19937_64& random, double low, double high) {
    return low + (high - low) * (static_cast<double>(random() >> 11) * 0x1p-53);
}

// A double with a uniformly drawn binary exponent in [e_low, e_high] and a
// random significand.
double log_uniform(std::mt19937_64& random, int e_low, int e_high) {
    const std::uint64_t e = static_cast<std::uint64_t>(e_low + 1023 + static_cast<int>(random() % (e_high - e_low + 1)));
    return from_bits((e << 52) | (random() & 0x000FFFFFFFFFFFFFu));
}

double signed_randomly(std::mt19937_64& random, double x) { return (random() & 1) != 0 ? -x : x; }

// Half the arguments over the whole range, half of small magnitude.
Arguments exp_argument(std::mt19937_64& random) {
    if ((random() & 1) != 0) return {uniform(random, -745.2, 709.8), 0.0};
    return {signed_randomly(random, log_uniform(random, -60, 2)), 0.0};
}

Arguments positive_argument(std::mt19937_64& random) {
    if ((random() & 1) != 0) return {uniform(random, 0.5, 2.0), 0.0};
    return {from_bits(1 + random() % 0x7FEFFFFFFFFFFFFFu), 0.0};
}

Arguments hyperbolic_argument(std::mt19937_64& random) {
    if ((random() & 1) != 0) return {uniform(random, -711.0, 711.0), 0.0};
    return {signed_randomly(random, log_uniform(random, -30, 5)), 0.0};
}

// Bases over the whole range, exponents with b ln a in about (-745, 709).
Arguments pow_arguments(std::mt19937_64& random) {
    const double a = (random() & 1) != 0 ? uniform(random, 0.25, 4.0) : log_uniform(random, -1022, 1023);
    const double ln_a = std::log(a);
    if (ln_a == 0.0) return {a, uniform(random, -1e6, 1e6)};
    const double target = uniform(random, -745.0, 709.0);
    return {a, target / ln_a};
}

bool exp_accurate(Arguments a) {
    double result;
    return magnitude(a.x) <= 709.0 && !exp_fast_phase(double_double{a.x, 0.0}, result);
}

bool exp_of_e_accurate(Arguments a) {
    double result;
    const double_double y = mul(ln_of_euler_e, a.x);
    return magnitude(y.hi) <= 709.0 && !exp_fast_phase(y, result);
}

const Kernel registry[] = {
    {"exp", [](Arguments a) { return exp_kernel(a.x); }, [](Arguments a) { return ref::exp(a.x); }, exp_accurate,
     exp_argument, false},
    {"exp_of_e_constant", [](Arguments a) { return pow_kernel(euler_e, a.x); },
     [](Arguments a) { return ref::pow(euler_e, a.x); }, exp_of_e_accurate, exp_argument, true},
    {"expm1", [](Arguments a) { return expm1_kernel(a.x); }, [](Arguments a) { return ref::expm1(a.x); }, nullptr,
     exp_argument, false},
    {"log", [](Arguments a) { return log_kernel(a.x); }, [](Arguments a) { return ref::log(a.x); }, nullptr,
     positive_argument, false},
    {"log10", [](Arguments a) { return log10_kernel(a.x); }, [](Arguments a) { return ref::log10(a.x); }, nullptr,
     positive_argument, false},
    {"pow", [](Arguments a) { return pow_kernel(a.x, a.y); }, [](Arguments a) { return ref::pow(a.x, a.y); },
     nullptr, pow_arguments, true},
    {"sinh", [](Arguments a) { return hyperbolic_sine(a.x); }, [](Arguments a) { return ref::sinh(a.x); }, nullptr,
     hyperbolic_argument, false},
    {"cosh", [](Arguments a) { return hyperbolic_cosine(a.x); }, [](Arguments a) { return ref::cosh(a.x); },
     nullptr, hyperbolic_argument, false},
    {"tanh", [](Arguments a) { return hyperbolic_tangent(a.x); }, [](Arguments a) { return ref::tanh(a.x); },
     nullptr, hyperbolic_argument, false},
};

}  // namespace

std::span<const Kernel> kernels() { return registry; }

const Kernel* find_kernel(std::string_view name) {
    for (const Kernel& k : registry)
        if (name == k.name) return &k;
    return nullptr;
}

bool compare(const Kernel& kernel, Arguments a, Tally& tally) {
    ++tally.tried;
    if (kernel.takes_accurate_phase != nullptr && kernel.takes_accurate_phase(a)) ++tally.accurate_phase;
    const double want = kernel.reference(a);
    if (kernel.truncates_tiny_results && std::fabs(want) < 0x1p-1022) return true;
    const double got = kernel.module(a);
    if (ref::is_nearest(got, want)) return true;
    ++tally.mismatches;
    if (tally.first_mismatches.size() < 10) {
        char text[160];
        std::snprintf(text, sizeof text, "%s(%a, %a): got %a, nearest %a", kernel.name, a.x, a.y, got, want);
        tally.first_mismatches.emplace_back(text);
    }
    return false;
}

std::vector<Arguments> read_cases(const std::string& path, std::string_view function) {
    std::vector<Arguments> cases;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, x, y;
        fields >> name >> x >> y;
        if (name != function) continue;
        cases.push_back({std::strtod(x.c_str(), nullptr), y.empty() ? 0.0 : std::strtod(y.c_str(), nullptr)});
    }
    return cases;
}

}  // namespace vyxmath::kernel_check
