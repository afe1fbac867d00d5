// The host's command line, read by one rule: options first, in any order,
// then the operands (an export's name and its arguments, "-" for calls from
// standard input, or the export names --help describes). "--" ends the
// options; so does the first word that is not one, so negative numbers
// after the export's name stay arguments. An option that takes a value
// takes it as "--name=VALUE" or as the next word ("-f FILE", "-fFILE").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "call_record.h"
#include "call_runner.h"

namespace vyxmath::host {

// Options that answer by themselves instead of making calls. When several
// are given, --help answers, then --version, then --list.
enum class Answer { none, help, version, list };

struct HostOptions {
    Answer answer = Answer::none;
    std::string module_path;
    bool strict = false;  // wins over quiet, in either order
    bool quiet = false;
    std::optional<std::int32_t> digits;  // --digits: the digits slot no argument fills
    OutputFormat format = OutputFormat::plain;
    bool errors_to_stderr = false;
    bool fail_fast = false;
    std::vector<std::string> files;  // -f FILE, in order; "-" is standard input
    int first_operand = 0;           // index in argv

    NoteMode note_mode() const { return strict ? NoteMode::strict : quiet ? NoteMode::quiet : NoteMode::warn; }
};

// Reads argv[1..argc). On a usage mistake returns false with the reason in
// `problem`; what the operands mean is the caller's to judge.
bool read_host_options(int argc, const char* const* argv, HostOptions& options, std::string& problem);

// The options as the help text, the manual page and the shell completions
// show them: one per line, "  -s, --strict   text".
const char* option_table();

}  // namespace vyxmath::host
