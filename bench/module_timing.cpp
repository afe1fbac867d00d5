// Times the module as a script's host meets it: the module file is loaded at
// run time and every export is called through the entry point found by name,
// one call per operand text. The same source builds natively (loading
// libvyxmath.so) and as a 32-bit Windows program (loading VYXmath.vyk, run
// under wine), and both time the same generated inputs, so the two runs'
// figures can be set side by side:
//
//   vyxmath_module_timing [--repetitions=N] [--out=FILE] [--data_dir=PATH] [--filter=TEXT[,TEXT...]]
//       times every figure whose name contains a TEXT and writes the figures
//       (median ns per call, and a digest of the results) to FILE or stdout;
//   vyxmath_module_timing --compare NATIVE[,NATIVE...] MODULE[,MODULE...]
//       prints the table of both sides' medians over the given runs with the
//       ratio, and fails when the results' digests differ.
//
// Reading and writing alone are timed on the functions inside the module:
// the native library exports them; the Windows module exports only its 35
// functions, so there the same objects are linked into this program.
#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <time.h>
#endif

#include "inputs.h"
#include "kernel_timing_cases.h"
#include "module_loader.h"
#include "numtext/module_conversions.h"
#include "timing_results.h"
#include "vyxmath.h"

namespace {

using namespace vyxmath::bench;
using vyxmath::host::LoadedModule;

using text_export = std::int32_t(VYX_CALL*)(char*, const char*, std::int32_t, std::int32_t);
using integer_export = std::int32_t(VYX_CALL*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);
using value_export = std::int32_t(VYX_CALL*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
using reader = double (*)(const char*);
using writer = char* (*)(double, std::int32_t, char*);

template <class F>
F entry_as(const LoadedModule& module, std::string_view name) {
    const auto entry = module.resolve(name);
    if (entry == nullptr) {
        std::fprintf(stderr, "vyxmath_module_timing: the module has no %.*s\n", static_cast<int>(name.size()),
                     name.data());
        std::exit(1);
    }
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(entry));
}

#ifdef _WIN32
// The entries the module's exports call, linked into this program from the
// same objects; the reader as the exports call it, from the timing loop.
auto find_reader(const LoadedModule&) {
    return [](const char* text) { return vyxmath::read_operand(text); };
}
writer find_writer(const LoadedModule&) { return &vyxmath::write_number; }
#else
reader find_reader(const LoadedModule& m) { return entry_as<reader>(m, "_ZN7vyxmath11read_numberEPKc"); }
writer find_writer(const LoadedModule& m) { return entry_as<writer>(m, "_ZN7vyxmath12write_numberEdiPc"); }
#endif

constexpr int variable_bytes = 64;  // longer than every operand and result text

// One figure: `pass` makes `calls` calls, adding every result to the digest
// when it is given one.
struct timing_case {
    std::string name;
    std::size_t calls;
    std::function<void(std::size_t, result_digest*)> pass;
};

// A plain loop, the same code in both builds: the C library's memcpy differs
// between them (wine's msvcrt against glibc) and is not what is timed here.
void copy_text(char* to, const char* from) {
    while ((*to++ = *from++) != '\0') {
    }
}

const char* without_sign(const char* text) { return text + (*text == '-'); }

// a <- f(a, b) over consecutive pairs of the set's first `count` texts; p1 is
// set to the first operand's text before each call, as a script would.
timing_case over_pairs(std::string name, text_export f, const number_texts& set, std::size_t count) {
    const text_span* spans = set.spans().data();
    return {name + "/" + set.name(), count, [f, spans](std::size_t n, result_digest* digest) {
                char a[variable_bytes];
                for (std::size_t i = 0; i < n; ++i) {
                    const text_span x = spans[i], y = spans[i + 1 == n ? 0 : i + 1];
                    copy_text(a, x.first);
                    f(a, y.first, 0, 0);
                    if (digest) digest->add_text(a);
                }
            }};
}

// r <- f(x) over the texts (their magnitudes when `magnitudes`); the integer
// slots are 0: digits 8, and radians for the angle functions.
timing_case over_texts(std::string name, text_export f, const number_texts& set, std::size_t count,
                       bool magnitudes = false) {
    const text_span* spans = set.spans().data();
    return {name + "/" + set.name(), count, [f, spans, magnitudes](std::size_t n, result_digest* digest) {
                char r[variable_bytes];
                for (std::size_t i = 0; i < n; ++i) {
                    f(r, magnitudes ? without_sign(spans[i].first) : spans[i].first, 0, 0);
                    if (digest) digest->add_text(r);
                }
            }};
}

// Keeps the values read alive without a store per call.
volatile std::uint64_t read_sink;

template <class Reader>
timing_case reading(Reader read, const number_texts& set) {
    const text_span* spans = set.spans().data();
    return {"read/" + set.name(), set.spans().size(), [read, spans](std::size_t n, result_digest* digest) {
                std::uint64_t mixed = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    const auto bits = std::bit_cast<std::uint64_t>(read(spans[i].first));
                    mixed += bits;
                    if (digest) digest->add_word(bits);
                }
                read_sink = mixed;
            }};
}

template <class Writer>
timing_case writing(Writer write, int digits, const number_values& set) {
    const double* values = set.values.data();
    return {"write" + std::to_string(digits) + "/" + set.name, set.values.size(),
            [write, digits, values](std::size_t n, result_digest* digest) {
                char text[variable_bytes];
                for (std::size_t i = 0; i < n; ++i) {
                    write(values[i], digits, text);
                    if (digest) digest->add_text(text);
                }
            }};
}

// One text operand, the same every call.
timing_case fixed_text(std::string name, text_export f, const char* x, std::size_t calls) {
    return {name, calls, [f, x](std::size_t n, result_digest* digest) {
                char r[variable_bytes];
                for (std::size_t i = 0; i < n; ++i) {
                    f(r, x, 0, 0);
                    if (digest) digest->add_text(r);
                }
            }};
}

timing_case integer_call(std::string name, integer_export f, std::int32_t p2, std::int32_t p3, std::size_t calls) {
    return {name, calls, [f, p2, p3](std::size_t n, result_digest* digest) {
                std::int32_t r = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    f(&r, p2, p3, 0);
                    if (digest) digest->add_word(static_cast<std::uint32_t>(r));
                }
            }};
}

timing_case status_call(std::string name, value_export f, std::int32_t p1, std::size_t calls) {
    return {name, calls, [f, p1](std::size_t n, result_digest* digest) {
                for (std::size_t i = 0; i < n; ++i) {
                    const std::int32_t status = f(p1, 0, 0, 0);
                    if (digest) digest->add_word(static_cast<std::uint32_t>(status));
                }
            }};
}

// The generated inputs themselves, so that a comparison notices two builds
// that generated different sets (a different random library or strtod).
timing_case input_fingerprint(const generated_sets& sets) {
    std::uint64_t fingerprint;
    {
        result_digest d;
        for (const auto& set : sets.texts)
            for (const text_span& s : set->spans()) d.add_text(s.first);
        for (const number_values& set : sets.values)
            for (double v : set.values) d.add_word(std::bit_cast<std::uint64_t>(v));
        fingerprint = d.value();
    }
    return {"inputs/fingerprint", 1, [fingerprint](std::size_t, result_digest* digest) {
                if (digest) digest->add_word(fingerprint);
            }};
}

constexpr std::size_t export_calls = 20000;

std::vector<timing_case> make_cases(const LoadedModule& m, const generated_sets& generated,
                                    const std::vector<const number_texts*>& files) {
    const number_texts& short_decimals = generated.text_set("short_decimals");
    const number_texts& long_decimals = generated.text_set("random_doubles_17");
    std::vector<timing_case> cases;
    cases.push_back(input_fingerprint(generated));
    for (const char* name : {"n_tasu", "n_hiku", "n_kakeru", "n_waru", "n_pow"})
        for (const number_texts* set : {&short_decimals, &long_decimals})
            cases.push_back(over_pairs(std::string("export/") + name, entry_as<text_export>(m, name), *set,
                                       export_calls));
    for (const char* name : {"n_fabs", "n_sqrt", "n_sin", "n_exp"})
        for (const number_texts* set : {&short_decimals, &long_decimals})
            cases.push_back(over_texts(std::string("export/") + name, entry_as<text_export>(m, name), *set,
                                       export_calls, std::string_view(name) == "n_sqrt"));
    cases.push_back(fixed_text("export/n_seikibunpu/x_3", entry_as<text_export>(m, "n_seikibunpu"), "3", 8));
    cases.push_back(fixed_text("export/n_seikibunpu/x_1.96", entry_as<text_export>(m, "n_seikibunpu"), "1.96", 8));
    cases.push_back(status_call("export/n_sosu/2147483647", entry_as<value_export>(m, "n_sosu"), 2147483647, 5000));
    const auto comb = entry_as<integer_export>(m, "n_comb");
    cases.push_back(integer_call("export/n_comb/10_2147483647", comb, 10, 2147483647, 20000));
    cases.push_back(integer_call("export/n_comb/-2998_2147483647", comb, -2998, 2147483647, 200));
    for (kernel_timing_case& k : kernel_timing_cases()) cases.push_back({k.name, k.calls, std::move(k.pass)});

    const auto read = find_reader(m);
    for (const auto& set : generated.texts) cases.push_back(reading(read, *set));
    for (const number_texts* set : files) cases.push_back(reading(read, *set));
    const auto write = find_writer(m);
    for (int digits : {8, 17})
        for (const number_values& set : generated.values) cases.push_back(writing(write, digits, set));
    return cases;
}

// The time the calling thread has run, in nanoseconds, so that what other
// processes of a busy machine take is not counted. Under wine the Windows
// program is a 32-bit Linux process, and the kernel's thread clock is asked
// directly (clock_gettime, system call 265 through int 0x80), since the
// Windows thread times count in ticks of 10 ms there; on Windows itself the
// performance counter (elapsed time) stands in.
#ifdef _WIN32
bool under_wine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

std::int64_t linux_thread_time() {
#if defined(__i386__)
    struct {
        std::int32_t seconds, nanoseconds;
    } t{};
    int failed;
    asm volatile("int $0x80" : "=a"(failed) : "a"(265), "b"(3 /* CLOCK_THREAD_CPUTIME_ID */), "c"(&t) : "memory");
    return failed == 0 ? std::int64_t{t.seconds} * 1'000'000'000 + t.nanoseconds : -1;
#else
    return -1;
#endif
}

std::int64_t thread_time() {
    static const bool kernel_clock = under_wine() && linux_thread_time() >= 0;
    if (kernel_clock) return linux_thread_time();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
const char* clock_name() { return under_wine() && linux_thread_time() >= 0 ? "thread CPU time" : "elapsed time"; }
#else
std::int64_t thread_time() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}
const char* clock_name() { return "thread CPU time"; }
#endif

// Median nanoseconds per call over `repetitions` timed passes, taken in turns
// over all cases so that a busy moment of the machine spreads over all of
// them; the first, untimed pass fills the digest and warms the caches.
std::vector<timing_figure> time_cases(const std::vector<timing_case>& cases, int repetitions) {
    std::vector<timing_figure> figures;
    for (const timing_case& c : cases) {
        result_digest digest;
        c.pass(c.calls, &digest);
        figures.push_back({c.name, 0, digest.value()});
    }
    std::vector<std::vector<double>> times(cases.size());
    for (int r = 0; r < repetitions; ++r)
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const std::int64_t start = thread_time();
            cases[i].pass(cases[i].calls, nullptr);
            const auto spent = static_cast<double>(thread_time() - start);
            times[i].push_back(spent / static_cast<double>(cases[i].calls));
        }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::sort(times[i].begin(), times[i].end());
        if (cases[i].name != "inputs/fingerprint") figures[i].nanoseconds = times[i][times[i].size() / 2];
    }
    return figures;
}

std::vector<std::vector<timing_figure>> read_runs(const std::string& list) {
    std::vector<std::vector<timing_figure>> runs;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string path = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::vector<timing_figure> figures;
        if (!read_figures(path, figures)) {
            std::fprintf(stderr, "vyxmath_module_timing: cannot read %s\n", path.c_str());
            std::exit(2);
        }
        runs.push_back(std::move(figures));
        if (comma == std::string::npos) return runs;
        start = comma + 1;
    }
}

// Whether the name contains one of the comma-separated parts of the filter
// (every name does for an empty filter).
bool selected(const std::string& name, const std::string& filter) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = filter.find(',', start);
        if (name.find(filter.substr(start, comma - start)) != std::string::npos) return true;
        if (comma == std::string::npos) return false;
        start = comma + 1;
    }
}

bool option_value(std::string_view arg, std::string_view option, std::string& value) {
    if (arg.substr(0, option.size()) != option) return false;
    value = arg.substr(option.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--compare")
        return print_comparison(stdout, read_runs(argv[2]), read_runs(argv[3])) == 0 ? 0 : 1;

    std::string repetitions = "7", out, filter, data_dir;
    if (const char* from_environment = std::getenv("VYXMATH_BENCH_DATA")) data_dir = from_environment;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (!option_value(arg, "--repetitions=", repetitions) && !option_value(arg, "--out=", out) &&
            !option_value(arg, "--filter=", filter) && !option_value(arg, "--data_dir=", data_dir)) {
            std::fprintf(stderr, "vyxmath_module_timing: unknown option %s\n", argv[i]);
            return 2;
        }
    }

    LoadedModule module;
    std::string error;
    const std::string path = vyxmath::host::default_module_path();
    if (!module.load(path, error)) {
        std::fprintf(stderr, "vyxmath_module_timing: cannot load %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    const generated_sets generated = make_generated_sets();
    std::vector<std::unique_ptr<number_texts>> files;
    std::vector<const number_texts*> file_sets;
    if (!data_dir.empty())
        for (const char* name : {"canada", "mesh"})
            if (auto set = read_data_file(name, data_dir + "/" + name + ".txt")) {
                file_sets.push_back(set.get());
                files.push_back(std::move(set));
            }

    std::vector<timing_case> cases;
    for (timing_case& c : make_cases(module, generated, file_sets))
        if (selected(c.name, filter) || c.name == "inputs/fingerprint") cases.push_back(std::move(c));
    std::fprintf(stderr, "vyxmath_module_timing: %zu figures, timed by %s\n", cases.size() - 1, clock_name());
    const std::vector<timing_figure> figures = time_cases(cases, std::max(1, std::atoi(repetitions.c_str())));

    std::FILE* sink = out.empty() ? stdout : std::fopen(out.c_str(), "w");
    if (sink == nullptr) {
        std::fprintf(stderr, "vyxmath_module_timing: cannot write %s\n", out.c_str());
        return 1;
    }
    write_figures(sink, figures);
    if (sink != stdout) std::fclose(sink);
    return 0;
}
