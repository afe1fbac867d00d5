#include "batch.h"

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "call_line.h"
#include "host_limits.h"
#include "platform_io.h"
#include "translation.h"

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

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

class BatchRun {
public:
    BatchRun(int out_fd, CallRunner& runner, const BatchOptions& options, std::vector<char>& out)
        : out_fd_(out_fd), options_(options), runner_(runner), flush_at_(options.block_bytes), out_(out) {
        // Room for the largest single output line beyond the flush mark:
        // a quoted text variable, or an error message and its line number.
        out_.resize(options.block_bytes + 2 * text_variable_bytes + Message::capacity + 48);
    }

    // One call line without its "\n"; line[size] is writable.
    void line(char* text, std::size_t size) {
        if (size > 0 && text[size - 1] == '\r') --size;
        ++result_.calls;
        message_.clear();
        words_.count = 0;
        if (result_.calls == 1 && std::string_view(text, size).starts_with(byte_order_mark)) {
            text += byte_order_mark.size();
            size -= byte_order_mark.size();
        }
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
        if (!runner_.run(words_.words[0].view(), args, output, message_)) {
            put_error();
        } else if (options_.format == OutputFormat::plain) {
            put_notes();
            put_line(output);
        } else {
            // The record holds the notes.
            put_record({words_.words[0].view(), args, output, runner_.status(), runner_.notes(), {}});
        }
    }

    // A line found too long before its end was read; the rest is skipped.
    void overlong_line() {
        ++result_.calls;
        message_.clear();
        words_.count = 0;
        report_overlong();
    }

    bool stopped() const { return result_.stopped; }

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
        Message limit;
        limit.add(static_cast<std::int64_t>(max_line_bytes));
        message_.add_format(tr("longer than the host's limit of {1} bytes"), {limit.view()});
        put_error();
    }

    // "line N: ", or "FILE: line N: " for a named source. This prefix, like
    // "error: " and "vyxmath: warning: ", is the same in every language, for
    // the programs that read the lines; the reasons are translated.
    void add_place(Message& out) const {
        if (!options_.source.empty()) out.add(options_.source).add(": ");
        out.add("line ").add(static_cast<std::int64_t>(result_.calls)).add(": ");
    }

    void put_error() {
        ++result_.failed;
        result_.stopped = options_.fail_fast;
        if (options_.error_fd >= 0) {
            Message line;
            line.add("vyxmath: error: ");
            add_place(line);
            put_aside(options_.error_fd, line.add(message_.view()));
        }
        if (options_.format != OutputFormat::plain) {
            const std::span<const Argument> args(words_.words.data() + (words_.count > 0 ? 1 : 0),
                                                 words_.count > 0 ? words_.count - 1 : 0);
            put_record({words_.count > 0 ? words_.words[0].view() : std::string_view(), args, {}, 0, {},
                        message_.view()});
            return;
        }
        if (options_.error_fd >= 0) {
            put_line("");
            return;
        }
        Message prefix;
        prefix.add("error: ");
        add_place(prefix);
        std::memcpy(out_.data() + used_, prefix.view().data(), prefix.view().size());
        used_ += prefix.view().size();
        put_line(message_.view());
    }

    // Warnings go out after the output lines before them, so that the two
    // streams read in order when they are shown together.
    void put_notes() {
        if (options_.note_fd < 0 || runner_.notes().empty()) return;
        for (const Message& note : runner_.notes()) {
            Message warning;
            warning.add("vyxmath: warning: ");
            add_place(warning);
            put_aside(options_.note_fd, warning.add(note.view()));
        }
    }

    // One line on another stream than the output, after the output so far.
    void put_aside(int fd, const Message& line) {
        flush();
        write_all(fd, line.view().data(), line.view().size());
        write_all(fd, "\n", 1);
    }

    void put_record(const CallRecord& record) {
        record_.clear();
        append_record(options_.format, record, record_);
        // A record may outgrow the room kept for one line: it goes out alone.
        if (record_.size() > out_.size() - used_ - 1) flush();
        if (record_.size() + 1 > out_.size()) {
            if (!result_.io_error && !(write_all(out_fd_, record_.data(), record_.size()) && write_all(out_fd_, "\n", 1)))
                result_.io_error = true;
            return;
        }
        put_line(record_);
    }

    void put_line(std::string_view text) {
        // An empty line's view may have no data at all, which memcpy must not see.
        if (!text.empty()) std::memcpy(out_.data() + used_, text.data(), text.size());
        used_ += text.size();
        out_[used_++] = '\n';
        if (used_ >= flush_at_) flush();
    }

    int out_fd_;
    const BatchOptions& options_;
    CallRunner& runner_;
    std::size_t flush_at_;
    std::vector<char>& out_;
    std::size_t used_ = 0;
    CallWords words_;
    Message message_;
    std::string record_;
    BatchResult result_;
};

}  // namespace

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, std::size_t block_bytes, int note_fd) {
    BatchOptions options;
    options.block_bytes = block_bytes;
    options.note_fd = note_fd;
    return run_batch(in_fd, out_fd, runner, options);
}

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, BatchBuffers& buffers, std::size_t block_bytes,
                      int note_fd) {
    BatchOptions options;
    options.block_bytes = block_bytes;
    options.note_fd = note_fd;
    return run_batch(in_fd, out_fd, runner, options, buffers);
}

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, const BatchOptions& options) {
    BatchBuffers buffers;
    return run_batch(in_fd, out_fd, runner, options, buffers);
}

BatchResult run_batch(int in_fd, int out_fd, CallRunner& runner, const BatchOptions& given, BatchBuffers& buffers) {
    BatchOptions options = given;
    if (options.block_bytes == 0) options.block_bytes = 1;
    const std::size_t block_bytes = options.block_bytes;
    BatchRun run(out_fd, runner, options, buffers.output);
    // A block read behind the unfinished line kept from the block before,
    // plus one byte so that the last line's end can always take a NUL.
    buffers.input.resize(held_line_limit + block_bytes + 1);
    char* const buffer = buffers.input.data();
    std::size_t held = 0;
    bool skipping = false;  // inside a line already reported as too long

    while (!run.stopped()) {
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
            if (run.stopped()) break;
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
