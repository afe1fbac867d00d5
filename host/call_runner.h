// Runs one call: finds the export, binds the arguments to the host's
// variables, calls the module and gives the text to print. The variables are
// allocated once, at their largest size, and reused by every call.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "argument_binding.h"
#include "call_line.h"
#include "export_index.h"
#include "message.h"
#include "operand_check.h"

namespace vyxmath::host {

// What becomes of the notes on a call's arguments (operand_check.h).
enum class NoteMode {
    warn,    // the call is made; the notes are kept for the caller to show
    quiet,   // the call is made; no notes
    strict,  // a note is an error: the call is not made
};

class CallRunner {
public:
    // `missing_digits` is passed in a digits slot that no argument fills.
    explicit CallRunner(const ExportIndex& exports, NoteMode mode = NoteMode::warn, std::int32_t missing_digits = 0);

    // On success `output` views the call's one-line result (p1 after the
    // call, or the status for the prime test), valid until the next call.
    // On failure nothing was called and `error` says why.
    bool run(std::string_view name, std::span<const Argument> args, std::string_view& output, Message& error);

    // The notes on the last call that ran (none unless the mode is warn).
    std::span<const Message> notes() const { return {notes_.data(), note_count_}; }

    // The status the last call that ran returned.
    std::int32_t status() const { return status_; }

    // Whether the last call that failed was well formed but refused under
    // --strict, rather than a call the host cannot make as written (an
    // unknown export, a missing or bad argument).
    bool refused() const { return refused_; }

private:
    std::string_view show_text();

    const ExportIndex& exports_;
    NoteMode mode_;
    std::int32_t missing_digits_;
    std::int32_t status_ = 0;
    bool refused_ = false;
    CallNotes notes_;
    std::size_t note_count_ = 0;
    std::vector<char> text_;   // p1's text variable, plus a NUL the module never reaches
    std::vector<char> shown_;  // p1 in quoted form when its bytes would break the line
    std::array<char, 16> number_{};
    HostVariables vars_;
};

}  // namespace vyxmath::host
