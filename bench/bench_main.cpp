// The benchmark program: builds the input sets, registers the conversion and
// export timings on them, runs every benchmark (or those --benchmark_filter
// selects) and ends with the ratio table.
//
// Own option: --data_dir=PATH, the folder of the data files canada.txt and
// mesh.txt (one decimal number a line). Without it, the environment variable
// VYXMATH_BENCH_DATA, else ../shared/data beside the repository. A data file
// that is absent is reported and its benchmarks are left out.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "inputs.h"
#include "ratio_reporter.h"
#include "suite.h"

namespace {

using namespace vyxmath::bench;

std::string data_directory(int argc, char** argv, bool& bad_option) {
    std::string directory;
    if (const char* from_environment = std::getenv("VYXMATH_BENCH_DATA")) directory = from_environment;
    if (directory.empty()) directory = VYXMATH_DEFAULT_DATA_DIR;
    constexpr std::string_view option = "--data_dir=";
    bad_option = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg.substr(0, option.size()) == option) {
            directory = arg.substr(option.size());
        } else {
            std::fprintf(stderr, "vyxmath_bench: unknown option %s\n", argv[i]);
            bad_option = true;
        }
    }
    return directory;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bool bad_option = false;
    const std::string directory = data_directory(argc, argv, bad_option);
    if (bad_option) return 2;

    const generated_sets generated = make_generated_sets();
    std::vector<const number_texts*> reading;
    for (const auto& set : generated.texts) reading.push_back(set.get());
    std::vector<std::unique_ptr<number_texts>> files;
    for (const char* name : {"canada", "mesh"}) {
        const std::string path = directory + "/" + name + ".txt";
        if (auto set = read_data_file(name, path)) {
            reading.push_back(set.get());
            files.push_back(std::move(set));
        } else {
            std::fprintf(stderr, "vyxmath_bench: no data file %s; its reading benchmarks are left out\n", path.c_str());
        }
    }
    std::vector<const number_values*> writing;
    for (const number_values& set : generated.values) writing.push_back(&set);

    register_read_benchmarks(reading);
    register_write_benchmarks(writing);
    register_export_benchmarks(generated.text_set("short_decimals"), generated.text_set("random_doubles_17"));

    ratio_reporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                  : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.failed_runs() == 0 ? 0 : 1;
}
