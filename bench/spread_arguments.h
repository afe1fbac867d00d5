// Times f over sixteen arguments spread evenly over [low, high), cycled
// through, so that one benchmark covers a range rather than a single point.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

namespace vyxmath::bench {

template <class F>
void run_over_range(benchmark::State& state, F f, double low, double high) {
    std::array<double, 16> xs{};
    for (std::size_t i = 0; i < xs.size(); ++i) xs[i] = low + (high - low) * (static_cast<double>(i) + 0.37) / 16.0;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(xs[i]));
        i = (i + 1) & 15;
    }
}

}  // namespace vyxmath::bench
