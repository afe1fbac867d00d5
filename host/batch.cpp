#include "batch.h"

#include <cstring>
#include <span>
#include <vector>

#include "call_line.h"
#include "host_limits.h"
#include "platform_io.h"

namespace vyxmath::host {
namespace {

// A line's content may carry one '\r' of a "\r\n" line break.
constexpr std::size_t held_line_limit = max_line_bytes + 1;

// A line with no call: blanks only, or a comment starting with "#".
bool holds_no_call(const char* text, std::size_t size) {
    std::size_t i = 0;
    while (i < size && (text[i] == ' ' || text[i] == '\t')) ++i;
    return i == size || text[i] == '#';
}

class BatchRun {
public:
    BatchRun(int out_fd, int note_fd, CallRunner& runner, std::size_t block_bytes, std::vector<char>& out)
        : out_fd_(out_fd), note_fd_(note_fd), runner_(runner), flush_at_(block_bytes), out_(out) {
        // Room for the largest single output line beyond the flush mark:
        // a quoted text variable, or an error message and its line number.
        out_.resize(block_bytes + 2 * text_variable_bytes + Message::capacity + 48);
    }

    // One call line without its "\n"; line[size] is writable.
    void line(char* text, std::size_t size) {
        if (size > 0 && text[size - 1] == '\r') --size;
        ++result_.calls;
        message_.clear();
        if (size > max_line_bytes) {
            report_overlong();
            return;
        }
        if (holds_no_call(text, size)) {
            put_line("");
            return;
        }
        const LineProblem problem = split_call_line(text, size, words_);
        if (problem) {
            describe(problem, message_);
            put_error();
            return;
        }
        const std::span<const Argument> args(words_.words.data() + 1, words_.count - 1);
        std::string_view output;
        if (runner_.run(words_.words[0].view(), args, output, message_)) {
            put_notes();
            put_line(output);
        } else {
            put_error();
        }
    }

    // A line found too long before its end was read; the rest is skipped.
    void overlong_line() {
        ++result_.calls;
        message_.clear();
        report_overlong();
    }

    // Writes the gathered output; after a failed write the output is dropped
    // and the run ends at the next block.
    bool flush() {
        if (used_ > 0 && !result_.io_error && !write_all(out_fd_, out_.data(), used_)) result_.io_error = true;
        used_ = 0;
        return !result_.io_error;
    }

    BatchResult& result() { return result_; }

private:
    void report_overlong() {
        message_.add("longer than the host's limit of ").add(static_cast<std::int64_t>(max_line_bytes));
        message_.add(" bytes");
        put_error();
    }

    void put_error() {
        ++result_.failed;
        Message prefix;
        prefix.add("error: line ").add(static_cast<std::int64_t>(result_.calls)).add(": ");
        std::memcpy(out_.data() + used_, prefix.view().data(), prefix.view().size());
        used_ += prefix.view().size();
        put_line(message_.view());
    }

    // Warnings go out after the output lines before them, so that the two
    // streams read in order when they are shown together.
    void put_notes() {
        if (note_fd_ < 0 || runner_.notes().empty()) return;
        flush();
        for (const Message& note : runner_.notes()) {
            Message warning;
            warning.add("vyxmath: warning: line ").add(static_cast<std::int64_t>(result_.calls)).add(": ");
            warning.add(note.view());
            write_all(note_fd_, warning.view().data(), warning.view().size());
            write_all(note_fd_, "\n", 1);
        }
    }

    void put_line(std::string_view text) {
        // An empty line's view may have no data at all, which memcpy must not see.
        if (!text.empty()) std::memcpy(out_.data() + used_, text.data(), text.size());
        used_ += text.size();
        out_[used_++] = '\n';
        if (used_ >= flush_at_) flush();
    }

    int out_fd_;
    int note_fd_;
    CallRunner& runner_;
    std::size_t flush_at_;
    std::vector<char>& out_;
    std::size_t used_ = 0;
    CallWords words_;
    Message message_;
    BatchResult result_;
};

}  // namespace

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, std::size_t block_bytes, int note_fd) {
    BatchBuffers buffers;
    return run_batch(in_fd, out_fd, runner, buffers, block_bytes, note_fd);
}

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, BatchBuffers& buffers, std::size_t block_bytes,
                      int note_fd) {
    if (block_bytes == 0) block_bytes = 1;
    BatchRun run(out_fd, note_fd, runner, block_bytes, buffers.output);
    // A block read behind the unfinished line kept from the block before,
    // plus one byte so that the last line's end can always take a NUL.
    buffers.input.resize(held_line_limit + block_bytes + 1);
    char* const buffer = buffers.input.data();
    std::size_t held = 0;
    bool skipping = false;  // inside a line already reported as too long

    for (;;) {
        if (!run.flush()) break;
        const long got = read_some(in_fd, buffer + held, block_bytes);
        if (got < 0) {
            run.result().io_error = true;
            break;
        }
        const std::size_t end = held + static_cast<std::size_t>(got);
        if (got == 0) {
            if (held > 0 && !skipping) run.line(buffer, held);
            break;
        }

        // The held bytes hold no line break: only the new ones are searched,
        // so a long line read in many small pieces costs linear time.
        std::size_t start = 0;
        std::size_t search = held;
        while (const void* found = std::memchr(buffer + search, '\n', end - search)) {
            const auto newline = static_cast<std::size_t>(static_cast<const char*>(found) - buffer);
            if (skipping) {
                skipping = false;
            } else {
                run.line(buffer + start, newline - start);
            }
            start = search = newline + 1;
        }

        const std::size_t rest = end - start;
        if (skipping) {
            held = 0;
        } else if (rest > held_line_limit) {
            run.overlong_line();
            skipping = true;
            held = 0;
        } else {
            if (start > 0) std::memmove(buffer, buffer + start, rest);
            held = rest;
        }
    }
    run.flush();
    return run.result();
}

}  // namespace vyxmath::host
