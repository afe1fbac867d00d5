// From the words of a call to the four slot values of the export: which slot
// each argument fills, what is passed for the slots no argument fills, and
// the checks that keep the host's variables large enough.
//
// Arguments fill the slots in order from p1, except that a p1 the export only
// writes is skipped (the host passes its own variable there) and ignored
// slots take no argument. Text arguments must be given; integer arguments
// (plain integers, digits, angle unit) not given are 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "call_line.h"
#include "frame/export_table.h"
#include "message.h"

namespace vyxmath::host {

// The host's variables for one call: p1's text variable (a buffer of
// text_capacity bytes) and p1's integer variable.
struct HostVariables {
    char* text = nullptr;
    std::size_t text_capacity = 0;
    std::int32_t integer = 0;
};

constexpr bool takes_argument(const ExportInfo& e, int slot) {
    const SlotKind kind = e.slots[static_cast<std::size_t>(slot)];
    if (kind == SlotKind::ignored) return false;
    return !(slot == 0 && (kind == SlotKind::text_out || kind == SlotKind::int_out));
}

constexpr bool is_text_slot(SlotKind kind) {
    return kind == SlotKind::text_in_out || kind == SlotKind::text_out || kind == SlotKind::text_in;
}

constexpr int argument_count_limit(const ExportInfo& e) {
    int count = 0;
    for (int slot = 0; slot < 4; ++slot) count += takes_argument(e, slot) ? 1 : 0;
    return count;
}

// The call prints the status instead of p1 when p1 is a plain value, that is
// neither a text nor an integer variable (the prime test).
constexpr bool prints_status(const ExportInfo& e) {
    return !is_text_slot(e.slots[0]) && e.slots[0] != SlotKind::int_out;
}

// Placeholder of an argument in usage texts: "TEXT", "INT", "DIGITS", "UNIT".
std::string_view argument_placeholder(SlotKind kind);

// The export's arguments as a usage text, e.g. "TEXT TEXT [DIGITS]"; the
// optional ones are bracketed.
void add_argument_form(const ExportInfo& e, Message& out);

// Fills `slots` for a call of `e` with `args`, using `vars` for p1 when p1 is
// a variable; a digits slot that no argument fills gets `missing_digits`.
// On a bad argument nothing is called: returns false with the reason in
// `error`.
bool bind_arguments(const ExportInfo& e, std::span<const Argument> args, HostVariables& vars,
                    std::array<std::uintptr_t, 4>& slots, Message& error, std::int32_t missing_digits = 0);

}  // namespace vyxmath::host
