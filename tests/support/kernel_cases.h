// The module's real-valued kernels side by side with their exact reference,
// for the comparisons of the tests and of the long-run program: how to call
// each, how to draw random arguments for it, and (for a kernel with a fast
// phase) whether an argument needs its accurate phase.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/bit_stream.h"

namespace vyxmath::kernel_check {

struct Arguments {
    double x;
    double y;  // second operand of the two-operand kernels, else 0
};

struct Kernel {
    const char* name;  // as in hardest_cases.txt
    double (*module)(Arguments);
    double (*reference)(Arguments);
    // true when the argument goes on to the accurate phase; nullptr for a
    // kernel with one phase.
    bool (*takes_accurate_phase)(Arguments);
    Arguments (*draw)(test::bit_stream&);
};

std::span<const Kernel> kernels();
const Kernel* find_kernel(std::string_view name);

struct Tally {
    std::int64_t tried = 0;
    std::int64_t mismatches = 0;
    std::int64_t accurate_phase = 0;
    std::vector<std::string> first_mismatches;  // at most 10, as text
};

// Compares one argument; false on a mismatch (recorded in the tally).
bool compare(const Kernel& kernel, Arguments a, Tally& tally);

// The lines "function x [y]" of a hardest-cases file that name `function`.
std::vector<Arguments> read_cases(const std::string& path, std::string_view function);

}  // namespace vyxmath::kernel_check
