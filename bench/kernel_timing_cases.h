// The module's kernels on doubles, timed by the module timing program in the
// native build and inside the 32-bit Windows process, beside the C runtime's
// function of that process.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "timing_results.h"

namespace vyxmath::bench {

// One figure, as module_timing.cpp times them: `pass` makes `calls` calls,
// adding every result to the digest when it is given one.
struct kernel_timing_case {
    std::string name;
    std::size_t calls;
    std::function<void(std::size_t, result_digest*)> pass;
};

// For every kernel, "kernel/<function>_<range>/module" (the module's own
// function, its result bits in the digest) and ".../c_runtime" (the C
// runtime's function on the same doubles: glibc natively, the Windows C
// runtime under wine; its results differ between the two and stay out of
// the digest).
std::vector<kernel_timing_case> kernel_timing_cases();

}  // namespace vyxmath::bench
