#include "support/kernel_cases.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "real/constants.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exp_log_detail.h"
#include "real/kernels/exponential.h"
#include "common/ieee_double.h"
#include "real/kernels/logarithm.h"
#include "real/kernels/power.h"
#include "real/double_double.h"
#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/hyperbolic.h"
#include "support/mpfr_reference.h"

namespace vyxmath::kernel_check {
namespace {

namespace ref = mpfr_reference;
using test::bit_stream;

double signed_randomly(bit_stream& random, double x) { return (random.next() & 1) != 0 ? -x : x; }

// Half the arguments over the whole range, half of small magnitude.
Arguments exp_argument(bit_stream& random) {
    if ((random.next() & 1) != 0) return {random.uniform(-745.2, 709.8), 0.0};
    return {random.spread(-60, 3, true), 0.0};
}

Arguments positive_argument(bit_stream& random) {
    if ((random.next() & 1) != 0) return {random.uniform(0.5, 2.0), 0.0};
    return {from_bits(1 + random.next() % 0x7FEFFFFFFFFFFFFFu), 0.0};
}

Arguments hyperbolic_argument(bit_stream& random) {
    if ((random.next() & 1) != 0) return {random.uniform(-711.0, 711.0), 0.0};
    return {random.spread(-30, 6, true), 0.0};
}

// Bases over the whole range, exponents with b ln a in about (-745, 709).
Arguments pow_arguments(bit_stream& random) {
    const double a = (random.next() & 1) != 0 ? random.uniform(0.25, 4.0) : random.spread(-1022, 1024, false);
    const double ln_a = std::log(a);
    if (ln_a == 0.0) return {a, random.uniform(-1e6, 1e6)};
    const double target = random.uniform(-745.0, 709.0);
    return {a, target / ln_a};
}

// Angles below 2^20, the range of the fast phase: a quarter near the first
// turns, a quarter up to 2^20, half of magnitudes 2^-30 to 2^20.
Arguments angle_argument(bit_stream& random) {
    switch (random.next() & 3) {
        case 0: return {random.uniform(-8.0, 8.0), 0.0};
        case 1: return {random.uniform(-0x1p20, 0x1p20), 0.0};
        default: return {random.spread(-30, 20, true), 0.0};
    }
}

// Angles from 2^20 up to 2^63 (beyond, the module reduces by a 64-bit period).
Arguments large_angle_argument(bit_stream& random) {
    return {random.spread(20, 63, true), 0.0};
}

// [-1, 1]: half uniform, a quarter of magnitudes 2^-30 to 1/2, a quarter
// within 2^-2 to 2^-53 of +-1.
Arguments unit_argument(bit_stream& random) {
    switch (random.next() & 3) {
        case 0:
        case 1: return {random.uniform(-1.0, 1.0), 0.0};
        case 2: return {random.spread(-30, -1, true), 0.0};
        default: return {signed_randomly(random, 1.0 - random.spread(-53, -2, false)), 0.0};
    }
}

Arguments arctangent_argument(bit_stream& random) {
    if ((random.next() & 1) != 0) return {random.uniform(-4.0, 4.0), 0.0};
    return {random.spread(-30, 71, true), 0.0};
}

// (y, x): half in a square around the origin, half over the exponent range
// with x from a spread of ratios to y (both finite: the module's rules for
// infinite and zero operands are the edge tests').
Arguments point_arguments(bit_stream& random) {
    if ((random.next() & 1) != 0) return {random.uniform(-10.0, 10.0), random.uniform(-10.0, 10.0)};
    const double y = random.spread(-960, 961, true);
    return {y, y * random.spread(-60, 61, true)};
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

bool log_accurate(Arguments a) {
    double result;
    return !log_fast_phase(a.x, result);
}

bool log10_accurate(Arguments a) {
    double result;
    return !log10_fast_phase(a.x, result);
}

// Results below 2^-1022 (b ln a below about -708) are the accurate phase's
// by rule, as for exp.
bool pow_accurate(Arguments a) {
    double result;
    return std::log(a.x) * a.y > -708.0 && !power_fast_phase(a.x, a.y, result);
}

const Kernel registry[] = {
    {"exp", [](Arguments a) { return exp_kernel(a.x); }, [](Arguments a) { return ref::exp(a.x); }, exp_accurate,
     exp_argument},
    {"exp_of_e_constant", [](Arguments a) { return pow_kernel(euler_e, a.x); },
     [](Arguments a) { return ref::pow_truncating_tiny(euler_e, a.x); }, exp_of_e_accurate, exp_argument},
    {"expm1", [](Arguments a) { return expm1_kernel(a.x); }, [](Arguments a) { return ref::expm1(a.x); }, nullptr,
     exp_argument},
    {"log", [](Arguments a) { return log_kernel(a.x); }, [](Arguments a) { return ref::log(a.x); }, log_accurate,
     positive_argument},
    {"log10", [](Arguments a) { return log10_kernel(a.x); }, [](Arguments a) { return ref::log10(a.x); }, log10_accurate,
     positive_argument},
    {"pow", [](Arguments a) { return pow_kernel(a.x, a.y); }, [](Arguments a) { return ref::pow_truncating_tiny(a.x, a.y); },
     pow_accurate, pow_arguments},
    {"sinh", [](Arguments a) { return hyperbolic_sine(a.x); }, [](Arguments a) { return ref::sinh(a.x); },
     [](Arguments a) { return !hyperbolic_sine_decided_fast(a.x); }, hyperbolic_argument},
    {"cosh", [](Arguments a) { return hyperbolic_cosine(a.x); }, [](Arguments a) { return ref::cosh(a.x); },
     [](Arguments a) { return !hyperbolic_cosine_decided_fast(a.x); }, hyperbolic_argument},
    {"tanh", [](Arguments a) { return hyperbolic_tangent(a.x); }, [](Arguments a) { return ref::tanh(a.x); },
     [](Arguments a) { return !hyperbolic_tangent_decided_fast(a.x); }, hyperbolic_argument},
    {"sin", [](Arguments a) { return sine(a.x); }, [](Arguments a) { return ref::sin(a.x); },
     [](Arguments a) { return !sine_decided_fast(a.x); }, angle_argument},
    {"cos", [](Arguments a) { return cosine(a.x); }, [](Arguments a) { return ref::cos(a.x); },
     [](Arguments a) { return !cosine_decided_fast(a.x); }, angle_argument},
    {"tan", [](Arguments a) { return tangent(a.x); }, [](Arguments a) { return ref::tan(a.x); },
     [](Arguments a) { return !tangent_decided_fast(a.x); }, angle_argument},
    {"sin_large", [](Arguments a) { return sine(a.x); }, [](Arguments a) { return ref::sin(a.x); }, nullptr,
     large_angle_argument},
    {"tan_large", [](Arguments a) { return tangent(a.x); }, [](Arguments a) { return ref::tan(a.x); }, nullptr,
     large_angle_argument},
    {"asin", [](Arguments a) { return arcsine(a.x); }, [](Arguments a) { return ref::asin(a.x); },
     [](Arguments a) { return !arcsine_decided_fast(a.x); }, unit_argument},
    {"acos", [](Arguments a) { return arccosine(a.x); }, [](Arguments a) { return ref::acos(a.x); },
     [](Arguments a) { return !arccosine_decided_fast(a.x); }, unit_argument},
    {"atan", [](Arguments a) { return arctangent(a.x); }, [](Arguments a) { return ref::atan(a.x); },
     [](Arguments a) { return !arctangent_decided_fast(a.x); }, arctangent_argument},
    // atan2(-0, x > 0) is +0 by the module's rule: y = 0 is left to the edge tests.
    {"atan2", [](Arguments a) { return a.x == 0.0 ? 0.0 : arctangent2(a.x, a.y); },
     [](Arguments a) { return a.x == 0.0 ? 0.0 : ref::atan2(a.x, a.y); },
     [](Arguments a) { return !arctangent2_decided_fast(a.x, a.y); }, point_arguments},
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
