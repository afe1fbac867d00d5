#include "call_runner.h"

#include <charconv>
#include <cstring>

#include "host_limits.h"
#include "name_suggestions.h"
#include "translation.h"

namespace vyxmath::host {
namespace {

constexpr bool breaks_line(char c) { return c == '\n' || c == '\r'; }

// The call-line form of a text ("..." with escapes), which reads back as the
// same text. `out` has room for 2 * text.size() + 2 bytes.
std::size_t quote_text(std::string_view text, char* out) {
    std::size_t n = 0;
    out[n++] = '"';
    for (char c : text) {
        char escaped = 0;
        switch (c) {
            case '"': escaped = '"'; break;
            case '\\': escaped = '\\'; break;
            case '\n': escaped = 'n'; break;
            case '\r': escaped = 'r'; break;
            case '\t': escaped = 't'; break;
            default: break;
        }
        if (escaped != 0) {
            out[n++] = '\\';
            out[n++] = escaped;
        } else {
            out[n++] = c;
        }
    }
    out[n++] = '"';
    return n;
}

}  // namespace

CallRunner::CallRunner(const ExportIndex& exports, NoteMode mode, std::int32_t missing_digits)
    : exports_(exports), mode_(mode), missing_digits_(missing_digits), text_(text_variable_bytes + 1, '\0'), shown_(2 * text_variable_bytes + 2) {
    vars_.text = text_.data();
    vars_.text_capacity = text_variable_bytes;
}

std::string_view CallRunner::show_text() {
    // The module writes at most text_capacity bytes; the byte behind them is
    // a NUL it never touches, so the text always ends inside the buffer.
    const std::string_view text(vars_.text, std::strlen(vars_.text));
    for (char c : text)
        if (breaks_line(c)) return {shown_.data(), quote_text(text, shown_.data())};
    return text;
}

bool CallRunner::run(std::string_view name, std::span<const Argument> args, std::string_view& output, Message& error) {
    note_count_ = 0;
    refused_ = false;
    const ResolvedExport* target = exports_.find(name);
    if (target == nullptr) {
        describe_unknown_export(name, error);
        return false;
    }
    if (target->entry == nullptr) {
        error.add_format(tr("the module does not provide {1}"), {name});
        refused_ = true;
        return false;
    }
    const ExportInfo& info = *target->info;
    std::array<std::uintptr_t, 4> slots{};
    if (!bind_arguments(info, args, vars_, slots, error, missing_digits_)) return false;
    if (mode_ != NoteMode::quiet) {
        note_count_ = check_call(info, args, slots, notes_);
        if (mode_ == NoteMode::strict && note_count_ > 0) {
            note_count_ = 0;
            error.add_format(tr("{1}: {2} (an error with --strict)"), {info.name, notes_[0].view()});
            refused_ = true;
            return false;
        }
    }

    const std::int32_t status = target->entry(slots[0], slots[1], slots[2], slots[3]);
    status_ = status;

    if (is_text_slot(info.slots[0])) {
        output = show_text();
        return true;
    }
    const std::int32_t shown = prints_status(info) ? status : vars_.integer;
    const auto end = std::to_chars(number_.data(), number_.data() + number_.size(), shown).ptr;
    output = {number_.data(), static_cast<std::size_t>(end - number_.data())};
    return true;
}

}  // namespace vyxmath::host
