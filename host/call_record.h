// The formats that echo each call for a program to read, one line per call:
// what was called, with what, and what came back. A harness comparing two
// builds of the module diffs these lines.
//
//   tsv   export TAB arguments TAB p1 TAB status TAB notes
//         arguments in the call-line form (blank-separated, quoted where a
//         word needs it), notes joined by "; ". A failed line has an empty
//         p1, the status "error" and the reason as its notes. Tab, line
//         breaks and backslash inside a field are written \t \n \r \\.
//   json  one object per line: {"export":..., "arguments":[...], "p1":...,
//         "status":..., "warnings":[...]}, or {"export":..., "arguments":
//         [...], "error":...} for a failed line. Bytes that are not UTF-8
//         are written as the code point of the same value (\u00XX).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "call_line.h"
#include "message.h"

namespace vyxmath::host {

enum class OutputFormat { plain, tsv, json };

struct CallRecord {
    std::string_view export_name;  // empty when the line could not be read as a call
    std::span<const Argument> arguments;
    std::string_view p1;  // the output line of a call that ran
    std::int32_t status = 0;
    std::span<const Message> warnings;
    std::string_view error;  // why the call was not made; empty when it ran
};

// Appends the record, without a line break, to `out`. Plain is p1 alone, or
// the error.
void append_record(OutputFormat format, const CallRecord& record, std::string& out);

}  // namespace vyxmath::host
