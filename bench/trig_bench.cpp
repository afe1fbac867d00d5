// Timings of the angle functions by argument range, and of one angle export
// from text to text; and each angle kernel beside the C library's function
// on the same doubles (groups kernel/<function>_<range>/{module,glibc}), with
// the share of arguments the module's fast phase leaves to its slower phases
// as the counter slow_phase_rate.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/hyperbolic.h"
#include "real/trig/series_cosine.h"
#include "kernel_arguments.h"
#include "spread_arguments.h"
#include "vyxmath.h"

namespace {

using vyxmath::bench::run_over_range;

void sine_small(benchmark::State& s) { run_over_range(s, vyxmath::sine, -0.7, 0.7); }
void sine_moderate(benchmark::State& s) { run_over_range(s, vyxmath::sine, -1000.0, 1000.0); }
void sine_large(benchmark::State& s) { run_over_range(s, vyxmath::sine, 1e7, 1e18); }
void sine_huge(benchmark::State& s) { run_over_range(s, vyxmath::sine, 1e100, 1e300); }
void tangent_moderate(benchmark::State& s) { run_over_range(s, vyxmath::tangent, -10.0, 10.0); }
void series_cosine_moderate(benchmark::State& s) { run_over_range(s, vyxmath::series_cosine, -10.0, 10.0); }
void arcsine_unit(benchmark::State& s) { run_over_range(s, [](double x) { return vyxmath::arcsine(x); }, -1.0, 1.0); }
void arctangent_wide(benchmark::State& s) { run_over_range(s, [](double x) { return vyxmath::arctangent(x); }, -50.0, 50.0); }
void arctangent2_wide(benchmark::State& s) { run_over_range(s, [](double x) { return vyxmath::arctangent2(x, 3.0 - x); }, -50.0, 50.0); }
void hyperbolic_sine_moderate(benchmark::State& s) { run_over_range(s, vyxmath::hyperbolic_sine, -20.0, 20.0); }
void hyperbolic_tangent_moderate(benchmark::State& s) { run_over_range(s, vyxmath::hyperbolic_tangent, -5.0, 5.0); }
void degrees_to_radians_wide(benchmark::State& s) { run_over_range(s, vyxmath::degrees_to_radians, -1e6, 1e6); }
void arcsine_in_degrees(benchmark::State& s) {
    run_over_range(s, [](double x) { return vyxmath::radians_to_degrees(vyxmath::arcsine_to_64_bits(x)); }, -1.0, 1.0);
}

void export_n_sin_degrees(benchmark::State& state) {
    char result[32];
    for (auto _ : state) {
        n_sin(result, "37.5", 1, 0);
        benchmark::DoNotOptimize(result);
    }
}

// Each group's 4096 arguments from kernel_arguments.h: the same doubles for
// every contender of a group and for the timing in the Windows process.
using vyxmath::bench::angle_group_arguments;
using vyxmath::bench::kernel_inputs;

template <class F>
void time_kernel(benchmark::State& state, F f, const std::vector<double>& xs) {
    const std::size_t mask = xs.size() - 1;  // a power of two
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(xs[i]));
        i = (i + 1) & mask;
    }
}

// The same calls, each waiting for the one before (its argument carries the
// previous result times zero): the time of one call's chain of dependent
// operations, where time_kernel's independent calls overlap and measure how
// many operations the processor's units start per cycle. Where the two
// ratios differ, the second bound is the one that holds a kernel back.
template <class F>
void time_kernel_chained(benchmark::State& state, F f, const std::vector<double>& xs) {
    std::size_t i = 0;
    double carried = 0.0;
    for (auto _ : state) {
        carried = f(xs[i] + carried * 0.0);
        i = (i + 1) & (kernel_inputs - 1);
    }
    benchmark::DoNotOptimize(carried);
}

// One group: the module's function with its fast-phase test, and glibc's;
// and both again chained (kernel_chained/<group>), and on 2^20 arguments
// (kernel_fresh/<group>, made when the group runs).
void register_kernel(const char* group, double (*module)(double), bool (*decided_fast)(double),
                     double (*glibc)(double)) {
    const std::vector<double> xs = angle_group_arguments(group);
    std::size_t slow = 0;
    for (double x : xs) slow += decided_fast(x) ? 0 : 1;
    const double rate = static_cast<double>(slow) / static_cast<double>(xs.size());
    benchmark::RegisterBenchmark((std::string("kernel/") + group + "/module").c_str(),
                                 [module, xs, rate](benchmark::State& state) {
                                     time_kernel(state, module, xs);
                                     state.counters["slow_phase_rate"] = rate;
                                 });
    benchmark::RegisterBenchmark((std::string("kernel/") + group + "/glibc").c_str(),
                                 [glibc, xs](benchmark::State& state) { time_kernel(state, glibc, xs); });
    benchmark::RegisterBenchmark((std::string("kernel_chained/") + group + "/module").c_str(),
                                 [module, xs](benchmark::State& state) { time_kernel_chained(state, module, xs); });
    benchmark::RegisterBenchmark((std::string("kernel_chained/") + group + "/glibc").c_str(),
                                 [glibc, xs](benchmark::State& state) { time_kernel_chained(state, glibc, xs); });
    const std::string fresh = std::string("kernel_fresh/") + group;
    benchmark::RegisterBenchmark((fresh + "/module").c_str(), [module, group](benchmark::State& state) {
        time_kernel(state, module, angle_group_arguments(group, vyxmath::bench::fresh_kernel_inputs));
    });
    benchmark::RegisterBenchmark((fresh + "/glibc").c_str(), [glibc, group](benchmark::State& state) {
        time_kernel(state, glibc, angle_group_arguments(group, vyxmath::bench::fresh_kernel_inputs));
    });
}

// atan2 on points of [-10, 10]^2, the pair index running with the y index.
void register_two_argument_kernel() {
    const std::vector<double> ys = vyxmath::bench::atan2_y_arguments();
    const std::vector<double> xs = vyxmath::bench::atan2_x_arguments();
    std::size_t slow = 0;
    for (std::size_t i = 0; i < ys.size(); ++i) slow += vyxmath::arctangent2_decided_fast(ys[i], xs[i]) ? 0 : 1;
    const double rate = static_cast<double>(slow) / static_cast<double>(ys.size());
    auto timed = [ys, xs](benchmark::State& state, double (*f)(double, double)) {
        std::size_t i = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(f(ys[i], xs[i]));
            i = (i + 1) & (kernel_inputs - 1);
        }
    };
    benchmark::RegisterBenchmark("kernel/atan2_square/module", [timed, rate](benchmark::State& state) {
        timed(state, vyxmath::arctangent2);
        state.counters["slow_phase_rate"] = rate;
    });
    benchmark::RegisterBenchmark("kernel/atan2_square/glibc",
                                 [timed](benchmark::State& state) { timed(state, [](double y, double x) { return std::atan2(y, x); }); });
}

double glibc_sin(double x) { return std::sin(x); }
double glibc_cos(double x) { return std::cos(x); }
double glibc_tan(double x) { return std::tan(x); }
double glibc_asin(double x) { return std::asin(x); }
double glibc_acos(double x) { return std::acos(x); }
double glibc_atan(double x) { return std::atan(x); }

[[maybe_unused]] const bool kernels_registered = [] {
    using namespace vyxmath;
    register_kernel("sin_pi", sine, sine_decided_fast, glibc_sin);
    register_kernel("sin_1e5", sine, sine_decided_fast, glibc_sin);
    register_kernel("cos_pi", cosine, cosine_decided_fast, glibc_cos);
    register_kernel("tan_pi", tangent, tangent_decided_fast, glibc_tan);
    register_kernel("tan_1e5", tangent, tangent_decided_fast, glibc_tan);
    register_kernel("asin_unit", arcsine, arcsine_decided_fast, glibc_asin);
    register_kernel("acos_unit", arccosine, arccosine_decided_fast, glibc_acos);
    register_kernel("atan_4", arctangent, arctangent_decided_fast, glibc_atan);
    register_two_argument_kernel();
    return true;
}();

BENCHMARK(sine_small);
BENCHMARK(sine_moderate);
BENCHMARK(sine_large);
BENCHMARK(sine_huge);
BENCHMARK(tangent_moderate);
BENCHMARK(series_cosine_moderate);
BENCHMARK(arcsine_unit);
BENCHMARK(arctangent_wide);
BENCHMARK(arctangent2_wide);
BENCHMARK(hyperbolic_sine_moderate);
BENCHMARK(hyperbolic_tangent_moderate);
BENCHMARK(degrees_to_radians_wide);
BENCHMARK(arcsine_in_degrees);
BENCHMARK(export_n_sin_degrees);

}  // namespace
