// Batch mode: calls read one per line, one output line written per call, in
// the same order. Input is read in large blocks and split in place, output is
// gathered and written a block at a time, and nothing is allocated per call.
// A bad line gives "error: line N: ..." as its output line and the run goes
// on (or, with fail_fast, ends). A blank line, or one whose first word starts
// with "#", is no call: its output line is empty. A UTF-8 byte-order mark
// opening the first line is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "call_record.h"
#include "call_runner.h"

namespace vyxmath::host {

inline constexpr std::size_t default_block_bytes = 1 << 20;

struct BatchResult {
    std::uint64_t calls = 0;   // lines read, the bad, blank and comment ones included
    std::uint64_t failed = 0;  // lines whose output is an error
    bool io_error = false;     // reading or writing stopped the run
    bool stopped = false;      // fail_fast ended the run at a bad line
};

struct BatchOptions {
    std::size_t block_bytes = default_block_bytes;
    // Warnings naming the line go to note_fd (none when -1), after the
    // output before them.
    int note_fd = -1;
    // When not -1, a bad line's error goes to error_fd and its output line
    // is empty (or, in TSV and JSON, its record), so that output line N
    // still answers input line N.
    int error_fd = -1;
    bool fail_fast = false;
    OutputFormat format = OutputFormat::plain;
    // Named in errors and warnings ("error: FILE: line N: ..."); none when empty.
    std::string_view source;
};

// Reads calls from `in_fd` until its end and writes the outputs to `out_fd`.
// A line ends with "\n" or "\r\n"; the last one may lack its line break.
// Output gathered so far is written whenever more input has to be waited
// for, so a caller feeding one line at a time gets each answer at once.
// The runner's notes on a call are written to `note_fd` as warnings naming
// the line (after the output before them); none when `note_fd` is -1.
BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, std::size_t block_bytes = default_block_bytes,
                      int note_fd = -1);
BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, const BatchOptions& options);

// The input and output blocks of a run. A caller that runs many batches keeps
// one and passes it to each run, which then allocates only when it needs
// larger blocks than any run before.
struct BatchBuffers {
    std::vector<char> input;
    std::vector<char> output;
};

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, BatchBuffers& buffers,
                      std::size_t block_bytes = default_block_bytes, int note_fd = -1);
BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, const BatchOptions& options, BatchBuffers& buffers);

}  // namespace vyxmath::host
