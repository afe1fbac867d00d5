// Timings of the angle functions by argument range, and of one angle export
// from text to text.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/hyperbolic.h"
#include "real/trig/series_cosine.h"
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
