// Writing number text at 8 and at 17 significant digits: the module's writer
// against snprintf, std::to_chars and double-conversion's precision mode,
// each over the same doubles in the same order.
#include <benchmark/benchmark.h>
#include <double-conversion/double-conversion.h>

#include <charconv>
#include <cstdio>
#include <string>

#include "suite.h"
#include "vyxmath.h"

namespace vyxmath::bench {
namespace {

// Room for every contender's longest text at 17 digits.
constexpr int buffer_bytes = 64;

// Each writer returns a positive number when it wrote some text.
template <int digits>
int with_module(double v, char* buffer) {
    // The text ends at its NUL; whether it is empty is all the check needs.
    return write_number(v, digits, buffer)[0] != '\0';
}

template <int digits>
int with_snprintf(double v, char* buffer) {
    static_assert(digits == 8 || digits == 17);
    return std::snprintf(buffer, buffer_bytes, digits == 8 ? "%.8g" : "%.17g", v);
}

template <int digits>
int with_std_to_chars(double v, char* buffer) {
    const auto r = std::to_chars(buffer, buffer + buffer_bytes, v, std::chars_format::general, digits);
    return static_cast<int>(r.ptr - buffer);
}

template <int digits>
int with_double_conversion(double v, char* buffer) {
    const auto& converter = double_conversion::DoubleToStringConverter::EcmaScriptConverter();
    double_conversion::StringBuilder builder(buffer, buffer_bytes);
    converter.ToPrecision(v, digits, &builder);
    return builder.position();
}

using writer = int (*)(double, char*);

template <writer write>
void write_all(benchmark::State& state, const number_values* set) {
    char buffer[buffer_bytes];
    for (double v : set->values) {
        if (write(v, buffer) <= 0) {
            state.SkipWithError("writes no text");
            return;
        }
    }
    const double* values = set->values.data();
    const std::size_t count = set->values.size();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(write(values[i], buffer));
        benchmark::ClobberMemory();
        if (++i == count) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

template <int digits>
void register_at(const std::vector<const number_values*>& sets) {
    const struct {
        const char* name;
        void (*run)(benchmark::State&, const number_values*);
    } contenders[] = {
        {"write_number", write_all<with_module<digits>>},
        {"snprintf", write_all<with_snprintf<digits>>},
        {"std_to_chars", write_all<with_std_to_chars<digits>>},
        {"double_conversion", write_all<with_double_conversion<digits>>},
    };
    for (const number_values* set : sets)
        for (const auto& c : contenders)
            benchmark::RegisterBenchmark(("write" + std::to_string(digits) + "/" + set->name + "/" + c.name).c_str(),
                                         c.run, set);
}

}  // namespace

void register_write_benchmarks(const std::vector<const number_values*>& sets) {
    register_at<8>(sets);
    register_at<17>(sets);
}

}  // namespace vyxmath::bench
