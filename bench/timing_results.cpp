#include "timing_results.h"

#include <algorithm>
#include <cinttypes>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vyxmath::bench {

void write_figures(std::FILE* out, const std::vector<timing_figure>& figures) {
    for (const timing_figure& f : figures)
        std::fprintf(out, "%s\t%.2f\t%016" PRIx64 "\n", f.name.c_str(), f.nanoseconds, f.check);
}

bool read_figures(const std::string& path, std::vector<timing_figure>& figures) {
    std::ifstream in(path);
    if (!in) return false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        timing_figure f;
        std::string check;
        if (!std::getline(fields, f.name, '\t') || !(fields >> f.nanoseconds >> check)) continue;
        f.check = std::strtoull(check.c_str(), nullptr, 16);
        figures.push_back(f);
    }
    return true;
}

namespace {

struct side {
    double median = 0;
    std::vector<double> by_run;  // the figure's time in each run, in run order
    bool agree = true;  // every run's digest is the same
    std::uint64_t check = 0;
    bool found = false;
};

side summarise(const std::string& name, const std::vector<std::vector<timing_figure>>& runs) {
    side s;
    std::vector<double> times;
    for (const auto& run : runs)
        for (const timing_figure& f : run)
            if (f.name == name) {
                if (s.found && f.check != s.check) s.agree = false;
                s.check = f.check;
                s.found = true;
                times.push_back(f.nanoseconds);
            }
    s.by_run = times;
    if (times.empty()) return s;
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    s.median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    return s;
}

}  // namespace

int print_comparison(std::FILE* out, const std::vector<std::vector<timing_figure>>& native_runs,
                     const std::vector<std::vector<timing_figure>>& module_runs) {
    int disagreements = 0, above_two = 0, compared = 0;
    std::fprintf(out, "| figure | native ns | module ns | module / native | round by round | results |\n");
    std::fprintf(out, "|---|---:|---:|---:|---:|---|\n");
    if (native_runs.empty()) return 0;
    for (const timing_figure& first : native_runs.front()) {
        const side native = summarise(first.name, native_runs);
        const side module = summarise(first.name, module_runs);
        if (!module.found) {
            std::fprintf(out, "| %s | %.1f | - | - | - | not in the module run |\n", first.name.c_str(), native.median);
            continue;
        }
        const bool same = native.agree && module.agree && native.check == module.check;
        if (!same) ++disagreements;
        if (native.median <= 0) {  // a figure that is a check only
            std::fprintf(out, "| %s | - | - | - | - | %s |\n", first.name.c_str(), same ? "same" : "DIFFERENT");
            continue;
        }
        const double ratio = module.median / native.median;
        ++compared;
        if (ratio > 2.0) ++above_two;
        // The runs go in turns, native then module, so the k-th of each were
        // taken close together: the spread of their ratios shows how far the
        // machine's noise moves the ratio of medians.
        double lowest = 0, highest = 0;
        const std::size_t rounds = std::min(native.by_run.size(), module.by_run.size());
        for (std::size_t k = 0; k < rounds; ++k) {
            const double r = module.by_run[k] / native.by_run[k];
            lowest = k == 0 ? r : std::min(lowest, r);
            highest = k == 0 ? r : std::max(highest, r);
        }
        std::fprintf(out, "| %s | %.1f | %.1f | %.2fx | %.2f-%.2f | %s |\n", first.name.c_str(), native.median,
                     module.median, ratio, lowest, highest, same ? "same" : "DIFFERENT");
    }
    std::fprintf(out, "\n%d figures compared (medians of %zu native and %zu module runs); %d above 2x; %d with "
                      "different results\n",
                 compared, native_runs.size(), module_runs.size(), above_two, disagreements);
    return disagreements;
}

}  // namespace vyxmath::bench
