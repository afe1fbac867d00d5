// Time per call of the integer exports at the arguments whose literal loops
// are longest: up to 2^31 - 1 steps each.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>

#include "integer/mixing_step.h"
#include "vyxmath.h"

namespace {

constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();

void prime_test_of_largest_prime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(n_sosu(int32_max, 0, 0, 0));
}
BENCHMARK(prime_test_of_largest_prime);

void prime_test_of_square_of_prime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(n_sosu(2147117569, 0, 0, 0));  // 46337^2
}
BENCHMARK(prime_test_of_square_of_prime);

using IntegerExport = std::int32_t(VYX_CALL*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);

void integer_call(benchmark::State& state, IntegerExport function, std::int32_t p2, std::int32_t p3) {
    std::int32_t result = 0;
    for (auto _ : state) {
        function(&result, p2, p3, 0);
        benchmark::DoNotOptimize(result);
    }
}

BENCHMARK_CAPTURE(integer_call, fibonacci_largest_n, n_fib, int32_max, 0);
BENCHMARK_CAPTURE(integer_call, factorial_largest_n, n_kaijo, int32_max, 0);
BENCHMARK_CAPTURE(integer_call, permutations_largest_n, n_perm, int32_max, 1);
BENCHMARK_CAPTURE(integer_call, gcd_consecutive_fibonacci, n_gcd, 1134903170, 1836311903);

// The binomial routine with k = 2^31 - 1. Its cost depends on n: rows that
// reach 0 end early, rows that settle into short cycles are skipped, and
// before either happens the steps are taken one by one.
BENCHMARK_CAPTURE(integer_call, combinations_n_10, n_comb, 10, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_minus_1, n_comb, -1, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_minus_2, n_comb, -2, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_minus_3000, n_comb, -2998, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_minus_169012_worst_found, n_comb, -169012, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_largest, n_comb, int32_max, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_largest_minus_1, n_comb, int32_max - 1, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_smallest, n_comb, int32_min, int32_max);
BENCHMARK_CAPTURE(integer_call, combinations_n_1280954235, n_comb, 1280954235, int32_max);

// n_rand advances the thread's count generator, so successive calls run
// different counts (0 to 32767 steps); the mean over many calls is shown.
BENCHMARK_CAPTURE(integer_call, random_start_0, n_rand, 0, 0);
BENCHMARK_CAPTURE(integer_call, random_start_negative, n_rand, -31856, 0);

// The longest mixing walks: 32767 steps, from the start whose negative part
// is longest.
void mixing_longest_walk(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vyxmath::apply_mixing_steps(-31856, 32767));
}
BENCHMARK(mixing_longest_walk);

void ceiling_of_text(benchmark::State& state) {
    std::int32_t result = 0;
    for (auto _ : state) {
        n_ceil(&result, "2147483647.5", 0, 0);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(ceiling_of_text);

}  // namespace
