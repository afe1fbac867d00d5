// The console report with, at its end, each group's times side by side as
// ratios to the module's, and the speed targets with the ratio each reached.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vyxmath::bench {

class ratio_reporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    // The median CPU time per iteration in nanoseconds: the median over the
    // repetitions when they were aggregated, else of the runs seen.
    // Negative when the benchmark did not run.
    double median_ns(const std::string& name) const;

    // Runs that stopped with an error (a contender that failed its check).
    int failed_runs() const { return failed_runs_; }

private:
    std::vector<std::string> order_;  // names in the order they ran
    std::map<std::string, std::vector<double>> runs_ns_;
    std::map<std::string, double> aggregated_median_ns_;
    int failed_runs_ = 0;
};

}  // namespace vyxmath::bench
