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

namespace vyxmath::host {

class CallRunner {
public:
    explicit CallRunner(const ExportIndex& exports);

    // On success `output` views the call's one-line result (p1 after the
    // call, or the status for the prime test), valid until the next call.
    // On failure nothing was called and `error` says why.
    bool run(std::string_view name, std::span<const Argument> args, std::string_view& output, Message& error);

private:
    std::string_view show_text();

    const ExportIndex& exports_;
    std::vector<char> text_;   // p1's text variable, plus a NUL the module never reaches
    std::vector<char> shown_;  // p1 in quoted form when its bytes would break the line
    std::array<char, 16> number_{};
    HostVariables vars_;
};

}  // namespace vyxmath::host
