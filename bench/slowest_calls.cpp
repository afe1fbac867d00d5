// Searches each export's argument space for its slowest arguments. The module
// is loaded as the host loads it and every export is called through its entry
// point with the host's slot values.
//
//   vyxmath_slowest_calls [--filter=TEXT[,TEXT...]] [--seconds=S] [--seed=N]
//
// For each export whose name contains one of the TEXTs (all by default), with
// a budget of S seconds of CPU time (default 4):
//   1. random arguments of every kind the export's slots take: integers spread
//      over all magnitudes and both signs with their edges, operand texts of
//      any finite double (random bit patterns, integers, small and huge
//      magnitudes) written with 17 significant digits, digits from -5 to 80,
//      both angle units; their median time is the export's typical time;
//   2. from the slowest eight of those, a climb: one slot at a time is changed
//      a little or a lot (integers by a power of two, a value by a factor of
//      2^j, a sign flipped, a slot redrawn) and a change is kept when the call
//      gets slower by more than 2 %;
//   3. the slowest arguments found, timed again with more calls.
// The output is one Markdown table row per export. Times are the calling
// thread's CPU time, the least of several timed passes, per call.
#include <time.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "export_index.h"
#include "frame/export_table.h"
#include "module_loader.h"

namespace {

using vyxmath::ExportInfo;
using vyxmath::SlotKind;
using vyxmath::host::RawExport;

std::int64_t thread_time_ns() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

bool is_text(SlotKind kind) {
    return kind == SlotKind::text_in_out || kind == SlotKind::text_out || kind == SlotKind::text_in;
}

// One set of arguments: a double for each text operand, an integer for each
// value slot.
struct Arguments {
    std::array<double, 4> real{};
    std::array<std::int32_t, 4> integer{};
};

class Caller {
public:
    Caller(const ExportInfo& info, RawExport entry) : info_(info), entry_(entry) {}

    // Least CPU time per call over a few timed passes of enough calls.
    double time_per_call(const Arguments& args, int passes) {
        prepare(args);
        call();  // warms up and tells how many calls fill a pass
        const std::int64_t start = thread_time_ns();
        call();
        const std::int64_t one = std::max<std::int64_t>(thread_time_ns() - start, 1);
        const int calls = static_cast<int>(std::clamp<std::int64_t>(200'000 / one, 1, 10'000));
        double least = 1e300;
        for (int pass = 0; pass < passes; ++pass) {
            const std::int64_t begin = thread_time_ns();
            for (int i = 0; i < calls; ++i) call();
            least = std::min(least, static_cast<double>(thread_time_ns() - begin) / calls);
        }
        return least;
    }

    // The arguments as the host's call line would give them.
    std::string describe(const Arguments& args) const {
        std::string text;
        for (int slot = 0; slot < 4; ++slot) {
            const SlotKind kind = info_.slots[slot];
            if (kind == SlotKind::ignored || kind == SlotKind::text_out || kind == SlotKind::int_out) continue;
            char word[48];
            if (is_text(kind))
                std::snprintf(word, sizeof word, "%.17g", args.real[slot]);
            else
                std::snprintf(word, sizeof word, "%ld", static_cast<long>(args.integer[slot]));
            if (!text.empty()) text += ' ';
            text += word;
        }
        return text;
    }

private:
    void prepare(const Arguments& args) {
        for (int slot = 0; slot < 4; ++slot) {
            std::snprintf(operand_[slot].data(), operand_[slot].size(), "%.17g", args.real[slot]);
            const SlotKind kind = info_.slots[slot];
            if (is_text(kind))
                slots_[slot] = reinterpret_cast<std::uintptr_t>(slot == 0 ? p1_text_.data() : operand_[slot].data());
            else if (kind == SlotKind::int_out)
                slots_[slot] = reinterpret_cast<std::uintptr_t>(&p1_integer_);
            else
                slots_[slot] = static_cast<std::uint32_t>(args.integer[slot]);
        }
    }

    // p1's text is restored before each call, since the export overwrites it.
    void call() {
        if (is_text(info_.slots[0])) std::memcpy(p1_text_.data(), operand_[0].data(), operand_[0].size());
        entry_(slots_[0], slots_[1], slots_[2], slots_[3]);
    }

    const ExportInfo& info_;
    RawExport entry_;
    std::array<std::uintptr_t, 4> slots_{};
    std::array<std::array<char, 48>, 4> operand_{};
    std::array<char, 4096> p1_text_{};  // room for any digits searched, plus 8
    std::int32_t p1_integer_ = 0;
};

class ArgumentSpace {
public:
    ArgumentSpace(const ExportInfo& info, std::uint64_t seed) : info_(info), random_(seed) {}

    Arguments draw() {
        Arguments args;
        for (int slot = 0; slot < 4; ++slot) redraw(args, slot);
        return args;
    }

    // A nearby or a fresh value in one slot that takes an argument.
    Arguments mutate(Arguments args) {
        const int slot = pick_argument_slot();
        if (slot < 0) return args;
        const SlotKind kind = info_.slots[slot];
        const int how = static_cast<int>(random_() % 4);
        if (how == 0) {
            redraw(args, slot);
        } else if (is_text(kind)) {
            double& x = args.real[slot];
            if (how == 1) x = -x;
            else x = std::ldexp(x == 0 ? 1.0 : x, static_cast<int>(random_() % 21) - 10) * (1 + unit() / 64);
            if (!std::isfinite(x)) x = std::copysign(1.7976931348623157e308, x);
        } else if (kind == SlotKind::angle_unit) {
            args.integer[slot] ^= 1;
        } else {
            std::int32_t& v = args.integer[slot];
            const std::uint32_t step = how == 1 ? 1u + static_cast<std::uint32_t>(random_() % 16)
                                                : std::uint32_t{1} << (random_() % 31);
            v = static_cast<std::int32_t>(random_() % 2 ? static_cast<std::uint32_t>(v) + step
                                                        : static_cast<std::uint32_t>(v) - step);
            if (kind == SlotKind::digits) v = std::clamp(v, -5, 80);
        }
        return args;
    }

private:
    double unit() { return std::uniform_real_distribution<double>(0, 1)(random_); }

    int pick_argument_slot() {
        int candidates[4], n = 0;
        for (int slot = 0; slot < 4; ++slot) {
            const SlotKind kind = info_.slots[slot];
            if (kind != SlotKind::ignored && kind != SlotKind::text_out && kind != SlotKind::int_out)
                candidates[n++] = slot;
        }
        return n == 0 ? -1 : candidates[random_() % n];
    }

    std::int32_t any_integer() {
        switch (random_() % 4) {
            case 0: return static_cast<std::int32_t>(random_());
            case 1: return static_cast<std::int32_t>(random_() % 2001) - 1000;
            case 2: {  // every magnitude equally likely, either sign, edges included
                const std::uint32_t magnitude = static_cast<std::uint32_t>(random_() >> (32 + random_() % 32));
                return static_cast<std::int32_t>(random_() % 2 ? magnitude : 0u - magnitude);
            }
            default: {
                constexpr std::int32_t edges[] = {0, 1, -1, 2, -2, INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1};
                return edges[random_() % std::size(edges)];
            }
        }
    }

    double any_real() {
        switch (random_() % 4) {
            case 0: {  // any finite double
                double x;
                do x = std::bit_cast<double>(static_cast<std::uint64_t>(random_()));
                while (!std::isfinite(x));
                return x;
            }
            case 1: return static_cast<double>(static_cast<std::int32_t>(random_() % 2001) - 1000);
            case 2: return (random_() % 2 ? 1 : -1) * std::ldexp(1 + unit(), static_cast<int>(random_() % 140) - 70);
            default: return (random_() % 2 ? 1 : -1) * std::ldexp(1 + unit(), static_cast<int>(random_() % 2046) - 1022);
        }
    }

    void redraw(Arguments& args, int slot) {
        switch (info_.slots[slot]) {
            case SlotKind::text_in_out:
            case SlotKind::text_in: args.real[slot] = any_real(); break;
            case SlotKind::int_in: args.integer[slot] = any_integer(); break;
            case SlotKind::digits: args.integer[slot] = static_cast<std::int32_t>(random_() % 86) - 5; break;
            case SlotKind::angle_unit: args.integer[slot] = static_cast<std::int32_t>(random_() % 2); break;
            default: break;
        }
    }

    const ExportInfo& info_;
    std::mt19937_64 random_;
};

struct Candidate {
    Arguments args;
    double ns = 0;
};

std::string format_time(double ns) {
    char text[32];
    if (ns >= 1e6) std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    else if (ns >= 1e3) std::snprintf(text, sizeof text, "%.2f µs", ns / 1e3);
    else std::snprintf(text, sizeof text, "%.0f ns", ns);
    return text;
}

void search(const ExportInfo& info, RawExport entry, double seconds, std::uint64_t seed) {
    Caller caller(info, entry);
    ArgumentSpace space(info, seed);
    const std::int64_t deadline = thread_time_ns() + static_cast<std::int64_t>(seconds * 1e9);
    const auto time_left = [&] { return thread_time_ns() < deadline; };

    // 1. Random arguments, for at most half the budget.
    const std::int64_t sampling_end = thread_time_ns() + static_cast<std::int64_t>(seconds * 0.5e9);
    std::vector<Candidate> sampled;
    while (sampled.size() < 4000 && thread_time_ns() < sampling_end) {
        Candidate c{space.draw()};
        c.ns = caller.time_per_call(c.args, 2);
        sampled.push_back(c);
    }
    std::vector<double> times;
    for (const Candidate& c : sampled) times.push_back(c.ns);
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    const double typical = times[times.size() / 2];
    std::sort(sampled.begin(), sampled.end(), [](const Candidate& a, const Candidate& b) { return a.ns > b.ns; });
    sampled.resize(std::min<std::size_t>(sampled.size(), 8));

    // 2. Climbs from the slowest, in turns, until the budget is spent.
    while (time_left())
        for (Candidate& c : sampled) {
            Candidate next{space.mutate(c.args)};
            next.ns = caller.time_per_call(next.args, 2);
            if (next.ns > c.ns * 1.02) c = next;  // slower beyond the noise
            if (!time_left()) break;
        }

    // 3. The slowest found, timed again more carefully (a climb may have kept
    // a lucky measurement).
    Candidate slowest;
    for (Candidate& c : sampled) {
        c.ns = caller.time_per_call(c.args, 7);
        if (c.ns > slowest.ns) slowest = c;
    }
    std::printf("| `%.*s` | %s | %s | %s | %.1f |\n", static_cast<int>(info.name.size()), info.name.data(),
                caller.describe(slowest.args).c_str(), format_time(slowest.ns).c_str(), format_time(typical).c_str(),
                slowest.ns / typical);
    std::fflush(stdout);
}

bool selected(std::string_view name, std::string_view filter) {
    if (filter.empty()) return true;
    for (std::size_t start = 0;;) {
        const std::size_t comma = std::min(filter.find(',', start), filter.size());
        if (name.find(filter.substr(start, comma - start)) != std::string_view::npos) return true;
        if (comma == filter.size()) return false;
        start = comma + 1;
    }
}

bool option_value(std::string_view arg, std::string_view name, std::string& value) {
    if (arg.substr(0, name.size()) != name) return false;
    value = arg.substr(name.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string filter, seconds = "4", seed = "1";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (!option_value(arg, "--filter=", filter) && !option_value(arg, "--seconds=", seconds) &&
            !option_value(arg, "--seed=", seed)) {
            std::fprintf(stderr, "usage: vyxmath_slowest_calls [--filter=TEXT[,TEXT...]] [--seconds=S] [--seed=N]\n");
            return 2;
        }
    }
    vyxmath::host::LoadedModule module;
    std::string error;
    const std::string path = vyxmath::host::default_module_path();
    if (!module.load(path, error)) {
        std::fprintf(stderr, "vyxmath_slowest_calls: cannot load %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    std::printf("| Export | Slowest arguments found | Time | Typical | Ratio |\n|---|---|---|---|---|\n");
    for (const ExportInfo& info : vyxmath::export_table) {
        if (!selected(info.name, filter)) continue;
        const RawExport entry = module.resolve(info.name);
        if (entry == nullptr) {
            std::fprintf(stderr, "vyxmath_slowest_calls: the module has no %.*s\n", static_cast<int>(info.name.size()),
                         info.name.data());
            return 1;
        }
        search(info, entry, std::atof(seconds.c_str()), std::strtoull(seed.c_str(), nullptr, 10));
    }
    return 0;
}
