// Compares the module's kernels with GNU MPFR over many random arguments and
// the hardest-to-round cases, and prints for each the arguments tried, the
// mismatches (with the first few) and how often the accurate phase ran.
//
//   vyxmath_long_run_kernels [--count N] [--seed S] [--cases FILE]
//                            [--plot-data FILE [--plot-samples N]] [KERNEL...]
//
// --plot-data writes the tallies and the data of the accuracy pictures (the
// fast phases' errors at N arguments each, 2000 by default, and the reader's
// differences at N/5 texts of each kind per decimal exponent) to FILE, for
// bench/report/report.py accuracy.
//
// Exit status 1 when any result differs from the correctly rounded one.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/accuracy_plot_data.h"
#include "support/kernel_cases.h"

using namespace vyxmath::kernel_check;

int main(int argc, char** argv) {
    long long count = 10'000'000;
    unsigned long long seed = 1;
    std::vector<std::string> case_files, names;
    std::string plot_data;
    int plot_samples = 2000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--count" && i + 1 < argc) count = std::atoll(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 0);
        else if (arg == "--cases" && i + 1 < argc) case_files.emplace_back(argv[++i]);
        else if (arg == "--plot-data" && i + 1 < argc) plot_data = argv[++i];
        else if (arg == "--plot-samples" && i + 1 < argc) plot_samples = std::atoi(argv[++i]);
        else names.push_back(arg);
    }
    bool all_nearest = true;
    std::vector<LongRunTally> tallies;
    for (const Kernel& kernel : kernels()) {
        if (!names.empty() && std::find(names.begin(), names.end(), kernel.name) == names.end()) continue;
        const auto start = std::chrono::steady_clock::now();
        Tally hard, random;
        for (const std::string& file : case_files)
            for (Arguments a : read_cases(file, kernel.name)) compare(kernel, a, hard);
        vyxmath::test::bit_stream generator(seed);
        for (long long i = 0; i < count; ++i) compare(kernel, kernel.draw(generator), random);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-18s hardest %8lld mismatches %lld | random %10lld mismatches %lld accurate phase %s | %.0f s\n",
                    kernel.name, static_cast<long long>(hard.tried), static_cast<long long>(hard.mismatches),
                    static_cast<long long>(random.tried), static_cast<long long>(random.mismatches),
                    kernel.takes_accurate_phase == nullptr
                        ? "(one phase)"
                        : (std::to_string(random.accurate_phase) + " (1 in " +
                           (random.accurate_phase ? std::to_string(random.tried / random.accurate_phase) : "-") + ")")
                              .c_str(),
                    seconds);
        for (const Tally* t : {&hard, &random})
            for (const std::string& m : t->first_mismatches) std::printf("    %s\n", m.c_str());
        std::fflush(stdout);
        if (hard.mismatches + random.mismatches != 0) all_nearest = false;
        tallies.push_back({kernel.name, random, kernel.takes_accurate_phase != nullptr});
    }
    if (!plot_data.empty()) {
        std::FILE* out = std::fopen(plot_data.c_str(), "w");
        if (out == nullptr) {
            std::fprintf(stderr, "vyxmath_long_run_kernels: cannot write %s\n", plot_data.c_str());
            return 2;
        }
        write_plot_data(out, tallies, plot_samples, std::max(1, plot_samples / 5), seed);
        std::fclose(out);
    }
    return all_nearest ? 0 : 1;
}
