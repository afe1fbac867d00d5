// Exports end to end, from operand text to result text, against the same
// work done with the C library: strtod for each operand, the operation, and
// snprintf("%.8g") for the result (8 digits is what a digits argument of 0
// gives). Both sides copy p1's text into a variable first where the export
// reads and overwrites it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "suite.h"
#include "vyxmath.h"

namespace vyxmath::bench {
namespace {

constexpr int variable_bytes = 64;  // longer than every operand text

void set_variable(char* variable, text_span text) {
    std::memcpy(variable, text.first, static_cast<std::size_t>(text.last - text.first) + 1);
}

// The text without a leading "-", for operations that want a magnitude.
text_span magnitude(text_span text) { return {text.first + (*text.first == '-'), text.last}; }

// Runs `call(variable, x, y)` over the set's consecutive pairs of texts.
template <class Call>
void over_pairs(benchmark::State& state, const number_texts& set, Call call) {
    const text_span* spans = set.spans().data();
    const std::size_t count = set.spans().size();
    char variable[variable_bytes];
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t next = i + 1 == count ? 0 : i + 1;
        call(variable, spans[i], spans[next]);
        benchmark::DoNotOptimize(variable);
        benchmark::ClobberMemory();
        i = next;
    }
    state.SetItemsProcessed(state.iterations());
}

void write_8(char* variable, double v) { std::snprintf(variable, variable_bytes, "%.8g", v); }

// Every export timed here takes a text variable, a text and two integers
// that are 0 (digits 8, angles in radians).
using text_export = std::int32_t(VYX_CALL*)(char*, const char*, std::int32_t, std::int32_t);

template <text_export f>
void module_two(benchmark::State& state, const number_texts* set) {
    over_pairs(state, *set, [](char* a, text_span x, text_span y) {
        set_variable(a, x);
        f(a, y.first, 0, 0);
    });
}

template <class Operation>
void libc_two(benchmark::State& state, const number_texts* set, Operation op) {
    over_pairs(state, *set, [op](char* a, text_span x, text_span y) {
        set_variable(a, x);
        write_8(a, op(std::strtod(a, nullptr), std::strtod(y.first, nullptr)));
    });
}

template <text_export f>
void module_one(benchmark::State& state, const number_texts* set, bool magnitudes) {
    over_pairs(state, *set, [magnitudes](char* r, text_span x, text_span) {
        f(r, (magnitudes ? magnitude(x) : x).first, 0, 0);
    });
}

template <class Operation>
void libc_one(benchmark::State& state, const number_texts* set, Operation op, bool magnitudes) {
    over_pairs(state, *set, [op, magnitudes](char* r, text_span x, text_span) {
        const text_span operand = magnitudes ? magnitude(x) : x;
        write_8(r, op(std::strtod(operand.first, nullptr)));
    });
}

// The area under the standard normal density from 0 to x by the trapezoidal
// rule with 500 steps per unit, as the export computes it, with the C
// library's pow.
double libc_normal_integral(double x) {
    const double e = 2.718281828459045;
    const auto steps = static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(static_cast<std::int64_t>(x)) + 1u) * 500u);
    const double h = x / steps;
    double t = 0, s = 0;
    for (std::int32_t i = 1; i < steps; ++i) {
        t += h;
        s += std::pow(e, -((t * t) / 2.0));
    }
    const double g = std::pow(e, -((x * x) / 2.0));
    return 0.39894228 * ((((g + 1.0) / 2.0) + s) * h);
}

// The prime test as it is usually written in C: trial division by 2 and the
// odd numbers up to the square root.
std::int32_t libc_prime_test(std::int32_t n) {
    if (n < 2) return -1;
    if (n % 2 == 0) return n == 2 ? 0 : -1;
    const auto root = static_cast<std::int32_t>(std::sqrt(static_cast<double>(n)));
    for (std::int32_t d = 3; d <= root; d += 2)
        if (n % d == 0) return -1;
    return 0;
}

}  // namespace

void register_export_benchmarks(const number_texts& short_decimals, const number_texts& long_decimals) {
    using benchmark::RegisterBenchmark;
    auto name = [](const std::string& export_name, const std::string& operands, const char* side) {
        return "export/" + export_name + "/" + operands + "/" + side;
    };
    const auto add = [](double a, double b) { return a + b; };
    const auto divide = [](double a, double b) { return a / b; };
    for (const number_texts* set : {&short_decimals, &long_decimals}) {
        RegisterBenchmark(name("n_tasu", set->name(), "module").c_str(), module_two<n_tasu>, set);
        RegisterBenchmark(name("n_tasu", set->name(), "libc").c_str(), libc_two<decltype(add)>, set, add);
    }
    const number_texts* s = &short_decimals;
    RegisterBenchmark(name("n_waru", s->name(), "module").c_str(), module_two<n_waru>, s);
    RegisterBenchmark(name("n_waru", s->name(), "libc").c_str(), libc_two<decltype(divide)>, s, divide);

    double (*const sine)(double) = std::sin;
    double (*const cosine)(double) = std::cos;
    double (*const root)(double) = std::sqrt;
    using unary = double (*)(double);
    RegisterBenchmark(name("n_sin", s->name(), "module").c_str(), module_one<n_sin>, s, false);
    RegisterBenchmark(name("n_sin", s->name(), "libc").c_str(), libc_one<unary>, s, sine, false);
    RegisterBenchmark(name("n_cos", s->name(), "module").c_str(), module_one<n_cos>, s, false);
    RegisterBenchmark(name("n_cos", s->name(), "libc").c_str(), libc_one<unary>, s, cosine, false);
    RegisterBenchmark(name("n_sqrt", s->name(), "module").c_str(), module_one<n_sqrt>, s, true);
    RegisterBenchmark(name("n_sqrt", s->name(), "libc").c_str(), libc_one<unary>, s, root, true);

    RegisterBenchmark(name("n_seikibunpu", "x_3", "module").c_str(), [](benchmark::State& state) {
        char r[variable_bytes];
        for (auto _ : state) {
            n_seikibunpu(r, "3", 0, 0);
            benchmark::DoNotOptimize(r);
            benchmark::ClobberMemory();
        }
        state.SetItemsProcessed(state.iterations());
    });
    RegisterBenchmark(name("n_seikibunpu", "x_3", "libc").c_str(), [](benchmark::State& state) {
        char r[variable_bytes];
        const char* x = "3";
        for (auto _ : state) {
            benchmark::DoNotOptimize(x);
            write_8(r, libc_normal_integral(std::strtod(x, nullptr)));
            benchmark::DoNotOptimize(r);
            benchmark::ClobberMemory();
        }
        state.SetItemsProcessed(state.iterations());
    });

    RegisterBenchmark(name("n_sosu", "2147483647", "module").c_str(), [](benchmark::State& state) {
        std::int32_t n = 2147483647;
        for (auto _ : state) {
            benchmark::DoNotOptimize(n);
            benchmark::DoNotOptimize(n_sosu(n, 0, 0, 0));
        }
        state.SetItemsProcessed(state.iterations());
    });
    RegisterBenchmark(name("n_sosu", "2147483647", "libc").c_str(), [](benchmark::State& state) {
        std::int32_t n = 2147483647;
        for (auto _ : state) {
            benchmark::DoNotOptimize(n);
            benchmark::DoNotOptimize(libc_prime_test(n));
        }
        state.SetItemsProcessed(state.iterations());
    });
}

}  // namespace vyxmath::bench
