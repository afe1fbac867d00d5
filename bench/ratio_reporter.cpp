#include "ratio_reporter.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace vyxmath::bench {
namespace {

// The contender every other one in its group is compared with.
bool is_module(const std::string& contender) {
    return contender == "read_number" || contender == "write_number" || contender == "module";
}

struct split_name {
    std::string group;      // "read/canada"
    std::string contender;  // "strtod"
};

split_name split(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) return {name, ""};
    return {name.substr(0, slash), name.substr(slash + 1)};
}

// A target: numerator time / denominator time, at most or at least `bound`,
// in every group whose name starts with `groups`.
struct target {
    const char* groups;
    const char* numerator;
    const char* denominator;
    double bound;
    bool at_most;
};

constexpr target targets[] = {
    {"read/", "read_number", "std_from_chars", 1.0, true},
    {"write8/", "write_number", "std_to_chars", 0.5, true},
    {"write8/", "write_number", "snprintf", 0.1, true},
    {"export/n_tasu/", "libc", "module", 10.0, false},
    {"kernel/sin_", "module", "glibc", 1.5, true},
    {"kernel/cos_", "module", "glibc", 1.5, true},
    {"kernel/tan_", "module", "glibc", 1.5, true},
    {"kernel/asin_", "module", "glibc", 2.0, true},
    {"kernel/acos_", "module", "glibc", 2.0, true},
    {"kernel/atan_", "module", "glibc", 2.0, true},
    {"kernel/atan2_", "module", "glibc", 2.0, true},
    {"kernel/exp_", "module", "glibc", 1.5, true},
    {"kernel/log_", "module", "glibc", 1.5, true},
    {"kernel/log10_", "module", "glibc", 1.5, true},
    {"kernel/pow_", "module", "glibc", 2.0, true},
    {"kernel/sinh_", "module", "glibc", 2.0, true},
    {"kernel/cosh_", "module", "glibc", 2.0, true},
    {"kernel/tanh_", "module", "glibc", 2.0, true},
};

std::string format(const char* pattern, double a) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a);
    return text;
}

}  // namespace

void ratio_reporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) {
            ++failed_runs_;
            continue;
        }
        const std::string& name = run.run_name.function_name;
        if (std::find(order_.begin(), order_.end(), name) == order_.end()) order_.push_back(name);
        const double ns = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (run.run_type == Run::RT_Iteration) {
            runs_ns_[name].push_back(ns);
        } else if (run.aggregate_name == "median") {
            aggregated_median_ns_[name] = ns;
        }
    }
}

double ratio_reporter::median_ns(const std::string& name) const {
    if (const auto a = aggregated_median_ns_.find(name); a != aggregated_median_ns_.end()) return a->second;
    const auto r = runs_ns_.find(name);
    if (r == runs_ns_.end() || r->second.empty()) return -1;
    std::vector<double> ns = r->second;
    std::sort(ns.begin(), ns.end());
    const std::size_t n = ns.size();
    return n % 2 == 1 ? ns[n / 2] : (ns[n / 2 - 1] + ns[n / 2]) / 2;
}

void ratio_reporter::Finalize() {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();

    // Groups in the order they ran, each with its contenders.
    std::vector<std::string> groups;
    std::map<std::string, std::vector<std::string>> contenders;
    for (const std::string& name : order_) {
        const split_name s = split(name);
        if (contenders.find(s.group) == contenders.end()) groups.push_back(s.group);
        contenders[s.group].push_back(s.contender);
    }

    out << "\nMedian CPU time per call; for each other contender, its time divided by the module's\n";
    for (const std::string& group : groups) {
        const auto& names = contenders[group];
        const auto module = std::find_if(names.begin(), names.end(), is_module);
        if (module == names.end()) continue;
        const double module_ns = median_ns(group + "/" + *module);
        out << "  " << group << ": " << *module << format(" %.1f ns", module_ns);
        for (const std::string& c : names) {
            if (c == *module) continue;
            const double ns = median_ns(group + "/" + c);
            out << " | " << c << format(" %.1f ns", ns) << format(" (%.2fx)", ns / module_ns);
        }
        out << "\n";
    }

    out << "\nTargets (ratios of median times)\n";
    for (const target& t : targets) {
        for (const std::string& group : groups) {
            if (group.rfind(t.groups, 0) != 0) continue;
            const double num = median_ns(group + "/" + t.numerator);
            const double den = median_ns(group + "/" + t.denominator);
            if (num < 0 || den < 0) continue;
            const double ratio = num / den;
            const bool met = t.at_most ? ratio <= t.bound : ratio >= t.bound;
            out << "  " << group << ": " << t.numerator << " / " << t.denominator << format(" = %.3f", ratio)
                << (t.at_most ? " (at most " : " (at least ") << format("%g)", t.bound) << (met ? "  met" : "  MISSED")
                << "\n";
        }
    }
    out.flush();
}

}  // namespace vyxmath::bench
