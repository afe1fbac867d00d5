// The host's look at a call's arguments before it is made: the things the
// module will accept without a word but that are seldom what the caller
// meant. An operand text that is not wholly a number is read as the number
// it starts with (or 0), the module's own texts for infinities and
// not-a-numbers read as 1, an angle unit other than 0 or 1 makes the call do
// nothing (as does a shift direction other than 0 or 1), only 17 significant
// digits are computed (further places are written as zeros), and negative digits write one. Each
// finding is one note; what becomes of it (a warning, an error, nothing) is
// the caller's choice. The module's results are never changed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "call_line.h"
#include "frame/export_table.h"
#include "common/export_arguments.h"
#include "message.h"

namespace vyxmath::host {

// At most one note per argument.
using CallNotes = std::array<Message, 4>;

// How an operand text reads as a number: the number it starts with, after
// blanks of the reader's space class, and whether anything but blanks
// follows it. `number` is empty when the text holds no number (reads as 0).
struct NumberReading {
    std::string_view number;
    bool whole = false;
};
NumberReading read_as_number(std::string_view text);

// The note's ending for digits above 17: ": only 17 significant digits are
// computed; ...". Such digits still move the change to exponent form up to
// 10^digits, so 2^70 at 25 digits is 1180591620717411300000.
void add_digits_above_17(Message& note);

// Notes on a call of `e` whose arguments were bound into `slots` without
// error. Returns the count written to `notes`.
std::size_t check_call(const ExportInfo& e, std::span<const Argument> args,
                       const std::array<std::uintptr_t, 4>& slots, CallNotes& notes);

}  // namespace vyxmath::host
