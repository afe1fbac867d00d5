// Reading number text: the module's reader against the C library and the
// general-purpose readers, each over the same texts in the same order.
#include <benchmark/benchmark.h>
#include <double-conversion/double-conversion.h>
#include <fast_float/fast_float.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "suite.h"
#include "vyxmath.h"

namespace vyxmath::bench {
namespace {

// What a reader gives for one text: the value and where it stopped.
struct read_result {
    double value;
    const char* end;
};

read_result with_module(text_span s) { return {read_number(s.first), s.last}; }

read_result with_strtod(text_span s) {
    char* end = nullptr;
    const double v = std::strtod(s.first, &end);
    return {v, end};
}

read_result with_std_from_chars(text_span s) {
    double v = 0;
    const auto r = std::from_chars(s.first, s.last, v);
    return {v, r.ptr};
}

read_result with_fast_float(text_span s) {
    double v = 0;
    const auto r = fast_float::from_chars(s.first, s.last, v);
    return {v, r.ptr};
}

read_result with_double_conversion(text_span s) {
    static const double_conversion::StringToDoubleConverter converter(
        double_conversion::StringToDoubleConverter::NO_FLAGS, 0.0, std::nan(""), "inf", "nan");
    int processed = 0;
    const double v = converter.StringToDouble(s.first, static_cast<int>(s.last - s.first), &processed);
    return {v, s.first + processed};
}

using reader = read_result (*)(text_span);

// Every contender must take each text whole, or the times would not compare
// like with like. The module's reader has no end pointer; it is checked
// instead by how many of its doubles differ from the nearest one, which the
// C library gives.
bool check_reader(benchmark::State& state, const number_texts& set, reader read) {
    std::size_t not_nearest = 0;
    for (const text_span& s : set.spans()) {
        const read_result r = read(s);
        if (r.end != s.last) {
            state.SkipWithError(("stops early in \"" + std::string(s.first) + "\"").c_str());
            return false;
        }
        const double nearest = std::strtod(s.first, nullptr);
        if (std::bit_cast<std::uint64_t>(r.value) != std::bit_cast<std::uint64_t>(nearest)) ++not_nearest;
    }
    state.counters["not_nearest"] = static_cast<double>(not_nearest);
    return true;
}

// The reader is a template argument so that each contender is called
// directly, as its own users would call it.
template <reader read>
void read_all(benchmark::State& state, const number_texts* set) {
    if (!check_reader(state, *set, read)) return;
    const text_span* spans = set->spans().data();
    const std::size_t count = set->spans().size();
    std::size_t i = 0;
    for (auto _ : state) {
        const double v = read(spans[i]).value;
        benchmark::DoNotOptimize(v);
        if (++i == count) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

void register_read_benchmarks(const std::vector<const number_texts*>& sets) {
    const struct {
        const char* name;
        void (*run)(benchmark::State&, const number_texts*);
    } contenders[] = {
        {"read_number", read_all<with_module>},
        {"strtod", read_all<with_strtod>},
        {"std_from_chars", read_all<with_std_from_chars>},
        {"fast_float", read_all<with_fast_float>},
        {"double_conversion", read_all<with_double_conversion>},
    };
    for (const number_texts* set : sets)
        for (const auto& c : contenders)
            benchmark::RegisterBenchmark(("read/" + set->name() + "/" + c.name).c_str(), c.run, set);
}

}  // namespace vyxmath::bench
