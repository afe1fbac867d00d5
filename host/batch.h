// Batch mode: calls read one per line, one output line written per call, in
// the same order. Input is read in large blocks and split in place, output is
// gathered and written a block at a time, and nothing is allocated per call.
// A bad line gives "error: line N: ..." as its output line and the run goes
// on. A blank line, or one whose first word starts with "#", is no call: its
// output line is empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "call_runner.h"

namespace vyxmath::host {

inline constexpr std::size_t default_block_bytes = 1 << 20;

struct BatchResult {
    std::uint64_t calls = 0;   // lines read, the bad, blank and comment ones included
    std::uint64_t failed = 0;  // lines whose output is an error
    bool io_error = false;     // reading or writing stopped the run
};

// Reads calls from `in_fd` until its end and writes the outputs to `out_fd`.
// A line ends with "\n" or "\r\n"; the last one may lack its line break.
// Output gathered so far is written whenever more input has to be waited
// for, so a caller feeding one line at a time gets each answer at once.
// The runner's notes on a call are written to `note_fd` as warnings naming
// the line (after the output before them); none when `note_fd` is -1.
BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, std::size_t block_bytes = default_block_bytes,
                      int note_fd = -1);

// The input and output blocks of a run. A caller that runs many batches keeps
// one and passes it to each run, which then allocates only when it needs
// larger blocks than any run before.
struct BatchBuffers {
    std::vector<char> input;
    std::vector<char> output;
};

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, BatchBuffers& buffers,
                      std::size_t block_bytes = default_block_bytes, int note_fd = -1);

}  // namespace vyxmath::host
