// Timings of the exponential, logarithm, power and hyperbolic kernels against
// the C library's functions, of the remainder and square-root kernels, of the two probability routines (whose cost must stay bounded for
// every argument), and of n_pow and n_seikibunpu from text to text.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "real/constants.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/exp_log_detail.h"
#include "real/kernels/exponential.h"
#include "real/kernels/logarithm.h"
#include "real/kernels/power.h"
#include "real/kernels/remainder.h"
#include "real/normal_integral.h"
#include "real/poisson.h"
#include "real/square_root.h"
#include "real/trig/hyperbolic.h"
#include "kernel_arguments.h"
#include "spread_arguments.h"
#include "vyxmath.h"

namespace {

using vyxmath::bench::run_over_range;

void exp_kernel_wide(benchmark::State& s) { run_over_range(s, vyxmath::exp_kernel, -700.0, 700.0); }
void expm1_kernel_small(benchmark::State& s) { run_over_range(s, vyxmath::expm1_kernel, -0.5, 0.5); }
void log_kernel_wide(benchmark::State& s) { run_over_range(s, vyxmath::log_kernel, 1e-300, 1e300); }
void log10_kernel_wide(benchmark::State& s) { run_over_range(s, vyxmath::log10_kernel, 1e-300, 1e300); }
void pow_kernel_general(benchmark::State& s) {
    run_over_range(s, [](double b) { return vyxmath::pow_kernel(1.2345, b); }, -300.0, 300.0);
}
void pow_kernel_whole_exponent(benchmark::State& s) {
    run_over_range(s, [](double a) { return vyxmath::pow_kernel(a, 3.0); }, 1.0, 1000.0);
}
void fmod_kernel_close(benchmark::State& s) {
    run_over_range(s, [](double a) { return vyxmath::fmod_kernel(a, 0.7); }, 1.0, 100.0);
}
void fmod_kernel_far(benchmark::State& s) {
    run_over_range(s, [](double a) { return vyxmath::fmod_kernel(a, 3e-300); }, 1e300, 1e301);
}
void newton_square_root_wide(benchmark::State& s) { run_over_range(s, vyxmath::newton_square_root, 1e-300, 1e300); }
void poisson_small_k(benchmark::State& s) {
    run_over_range(s, [](double lambda) { return vyxmath::poisson_probability(lambda, 7); }, 0.5, 20.0);
}
void poisson_huge_k(benchmark::State& s) {
    run_over_range(s, [](double lambda) { return vyxmath::poisson_probability(lambda, 2000000000); }, 1.9e9, 2.1e9);
}
void normal_integral_unit(benchmark::State& s) { run_over_range(s, vyxmath::normal_integral, 0.5, 1.0); }
void normal_integral_ten(benchmark::State& s) { run_over_range(s, vyxmath::normal_integral, 9.0, 10.0); }
void normal_integral_huge(benchmark::State& s) { run_over_range(s, vyxmath::normal_integral, 1e8, 1e300); }

void export_n_pow(benchmark::State& state) {
    char a[32];
    for (auto _ : state) {
        a[0] = '1', a[1] = '.', a[2] = '5', a[3] = '\0';
        n_pow(a, "2.25", 0, 0);
        benchmark::DoNotOptimize(a);
    }
}

void export_n_seikibunpu(benchmark::State& state) {
    char result[32];
    for (auto _ : state) {
        n_seikibunpu(result, "1.96", 0, 0);
        benchmark::DoNotOptimize(result);
    }
}

// Each kernel against the C library's function on the same 4096 random
// doubles (kernel/<function>_<range>/{module,glibc}, so the report sets them
// side by side), with the share of those doubles that its fast phase cannot
// decide as the counter slow_phase_rate (none for the kernels whose first
// phase is the double-double one).
struct kernel_timing {
    const char* name;
    double (*module)(double, double);
    double (*libc)(double, double);
    bool (*accurate)(double, double);
    double low, high;  // x uniform in [low, high]; for "log" kernels its binary exponent
    bool exponent_spread;
    double y_low, y_high;  // second operand of pow
};

double decided_by(bool decided) { return decided ? 0.0 : 1.0; }

const kernel_timing kernel_timings[] = {
    {"exp_wide", [](double x, double) { return vyxmath::exp_kernel(x); }, [](double x, double) { return std::exp(x); },
     [](double x, double) {
         double r;
         return !vyxmath::exp_fast_phase({x, 0.0}, r);
     },
     -700.0, 700.0, false, 0, 0},
    {"exp_of_e_wide", [](double x, double) { return vyxmath::power_of_euler_e(x); },
     [](double x, double) { return std::pow(vyxmath::euler_e, x); },
     [](double x, double) {
         double r;
         return !vyxmath::exp_fast_phase({x, x * vyxmath::ln_of_euler_e.lo}, r);
     },
     -700.0, 700.0, false, 0, 0},
    {"log_wide", [](double x, double) { return vyxmath::log_kernel(x); }, [](double x, double) { return std::log(x); },
     [](double x, double) {
         double r;
         return !vyxmath::log_fast_phase(x, r);
     },
     -1000.0, 1000.0, true, 0, 0},
    {"log10_wide", [](double x, double) { return vyxmath::log10_kernel(x); },
     [](double x, double) { return std::log10(x); },
     [](double x, double) {
         double r;
         return !vyxmath::log10_fast_phase(x, r);
     },
     -1000.0, 1000.0, true, 0, 0},
    {"pow_general", [](double x, double y) { return vyxmath::pow_kernel(x, y); },
     [](double x, double y) { return std::pow(x, y); },
     [](double x, double y) {
         double r;
         return !vyxmath::power_fast_phase(x, y, r);
     },
     0.01, 100.0, false, -30.0, 30.0},
    {"sinh_moderate", [](double x, double) { return vyxmath::hyperbolic_sine(x); }, [](double x, double) { return std::sinh(x); },
     [](double x, double) { return !vyxmath::hyperbolic_sine_decided_fast(x); }, -20.0, 20.0, false, 0, 0},
    {"cosh_moderate", [](double x, double) { return vyxmath::hyperbolic_cosine(x); },
     [](double x, double) { return std::cosh(x); },
     [](double x, double) { return !vyxmath::hyperbolic_cosine_decided_fast(x); }, -20.0, 20.0, false, 0, 0},
    {"tanh_moderate", [](double x, double) { return vyxmath::hyperbolic_tangent(x); },
     [](double x, double) { return std::tanh(x); },
     [](double x, double) { return !vyxmath::hyperbolic_tangent_decided_fast(x); }, -5.0, 5.0, false, 0, 0},
};

using vyxmath::bench::operand_pairs;

operand_pairs operands_for(const kernel_timing& k, std::size_t count = vyxmath::bench::kernel_inputs) {
    return vyxmath::bench::spread_operand_pairs(k.low, k.high, k.exponent_spread, k.y_low, k.y_high, count);
}

// chained: each call's first operand carries the previous result times zero,
// so that the calls wait for each other (see time_kernel_chained in
// trig_bench.cpp).
// fresh: on 2^20 operands instead of 4096 (kernel_arguments.h says why).
enum class timing_kind { independent, chained, fresh };

void time_kernel(benchmark::State& state, const kernel_timing& k, bool module,
                 timing_kind kind = timing_kind::independent) {
    const operand_pairs p = operands_for(
        k, kind == timing_kind::fresh ? vyxmath::bench::fresh_kernel_inputs : vyxmath::bench::kernel_inputs);
    const std::size_t mask = p.x.size() - 1;  // a power of two
    const auto f = module ? k.module : k.libc;
    std::size_t i = 0;
    if (kind == timing_kind::chained) {
        double carried = 0.0;
        for (auto _ : state) {
            carried = f(p.x[i] + carried * 0.0, p.y[i]);
            i = (i + 1) & mask;
        }
        benchmark::DoNotOptimize(carried);
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(p.x[i], p.y[i]));
        i = (i + 1) & mask;
    }
    if (module && k.accurate != nullptr && kind == timing_kind::independent) {
        double accurate = 0.0;
        for (int j = 0; j < 4096; ++j) accurate += decided_by(!k.accurate(p.x[j], p.y[j]));
        state.counters["slow_phase_rate"] = accurate / 4096.0;
    }
}

const bool kernel_timings_registered = [] {
    for (const kernel_timing& k : kernel_timings) {
        benchmark::RegisterBenchmark((std::string("kernel/") + k.name + "/module").c_str(),
                                     [&k](benchmark::State& s) { time_kernel(s, k, true); });
        benchmark::RegisterBenchmark((std::string("kernel/") + k.name + "/glibc").c_str(),
                                     [&k](benchmark::State& s) { time_kernel(s, k, false); });
        benchmark::RegisterBenchmark((std::string("kernel_chained/") + k.name + "/module").c_str(),
                                     [&k](benchmark::State& s) { time_kernel(s, k, true, timing_kind::chained); });
        benchmark::RegisterBenchmark((std::string("kernel_chained/") + k.name + "/glibc").c_str(),
                                     [&k](benchmark::State& s) { time_kernel(s, k, false, timing_kind::chained); });
        benchmark::RegisterBenchmark((std::string("kernel_fresh/") + k.name + "/module").c_str(),
                                     [&k](benchmark::State& s) { time_kernel(s, k, true, timing_kind::fresh); });
        benchmark::RegisterBenchmark((std::string("kernel_fresh/") + k.name + "/glibc").c_str(),
                                     [&k](benchmark::State& s) { time_kernel(s, k, false, timing_kind::fresh); });
    }
    return true;
}();

BENCHMARK(exp_kernel_wide);
BENCHMARK(expm1_kernel_small);
BENCHMARK(log_kernel_wide);
BENCHMARK(log10_kernel_wide);
BENCHMARK(pow_kernel_general);
BENCHMARK(pow_kernel_whole_exponent);
BENCHMARK(fmod_kernel_close);
BENCHMARK(fmod_kernel_far);
BENCHMARK(newton_square_root_wide);
BENCHMARK(poisson_small_k);
BENCHMARK(poisson_huge_k);
BENCHMARK(normal_integral_unit)->Unit(benchmark::kMicrosecond);
BENCHMARK(normal_integral_ten)->Unit(benchmark::kMicrosecond);
BENCHMARK(normal_integral_huge)->Unit(benchmark::kMicrosecond);
BENCHMARK(export_n_pow);
BENCHMARK(export_n_seikibunpu)->Unit(benchmark::kMicrosecond);

}  // namespace
