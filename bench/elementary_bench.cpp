// Timings of the exponential, logarithm, power, remainder and square-root
// kernels, of the two probability routines (whose cost must stay bounded for
// every argument), and of n_pow and n_seikibunpu from text to text.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "real/kernels/exp_log.h"
#include "real/kernels/power.h"
#include "real/kernels/remainder.h"
#include "real/normal_integral.h"
#include "real/poisson.h"
#include "real/square_root.h"
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
