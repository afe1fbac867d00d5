#include "operand_check.h"

#include "argument_binding.h"
#include "common/export_arguments.h"
#include "common/text_characters.h"
#include "translation.h"

namespace vyxmath::host {
namespace {

std::size_t digit_run(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && is_digit(text[end])) ++end;
    return end - at;
}

// The texts the module writes for infinities and not-a-numbers.
constexpr std::string_view marker_texts[] = {"1.#INF", "-1.#INF", "-1.#IND", "1.#QNAN", "-1.#QNAN"};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    return text;
}

// A number as a reader would say it: "1." as "1".
std::string_view spoken(std::string_view number) {
    if (number.size() > 1 && number.back() == '.' && is_digit(number[number.size() - 2])) number.remove_suffix(1);
    return number;
}

// Out of line, so that the check of a text that is wholly a number stays
// small in the call's path.
[[gnu::cold, gnu::noinline]] void describe_reading(std::string_view text, const NumberReading& reading,
                                                   std::size_t position, Message& note) {
    Message place, quoted;
    place.add(static_cast<std::int64_t>(position));
    quoted.add_quoted(text);
    const std::string_view held = trimmed(text);
    for (std::string_view marker : marker_texts) {
        if (held == marker) {
            note.add_format(tr("argument {1} ({2}) is read as {3}: the module's texts for infinities and "
                               "not-a-numbers do not read back"),
                            {place.view(), quoted.view(), spoken(reading.number)});
            return;
        }
    }
    if (reading.number.empty()) {
        note.add_format(held.empty() ? tr("argument {1} ({2}) is empty and is read as 0")
                                     : tr("argument {1} ({2}) holds no number and is read as 0"),
                        {place.view(), quoted.view()});
        return;
    }
    Message number;
    if (reading.number.size() > Message::quoted_limit) {
        number.add(reading.number.substr(0, Message::quoted_limit)).add("...");
    } else {
        number.add(spoken(reading.number));
    }
    note.add_format(tr("argument {1} ({2}) is read as {3}"), {place.view(), quoted.view(), number.view()});
}

void note_text(std::string_view text, std::size_t position, Message& note) {
    const NumberReading reading = read_as_number(text);
    if (!reading.whole) describe_reading(text, reading, position, note);
}

// "argument 3 (digits 30)" and what follows, from a message with {1} for
// the argument's position and {2} for its value.
[[gnu::cold, gnu::noinline]] void note_value(std::size_t position, std::int32_t value, const char* format,
                                             Message& note) {
    Message place, number;
    place.add(static_cast<std::int64_t>(position));
    number.add(static_cast<std::int64_t>(value));
    note.add_format(format, {place.view(), number.view()});
}

}  // namespace

void add_digits_above_17(Message& note) {
    static_assert(most_written_digits == 17, "the message names the count");
    note.add(tr(": only 17 significant digits are computed; the places past them are written as zeros"));
}

NumberReading read_as_number(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && is_space(text[start])) ++start;
    const std::string_view rest = text.substr(start);
    std::size_t at = 0;
    if (at < rest.size() && (rest[at] == '+' || rest[at] == '-')) ++at;
    const std::size_t integer_digits = digit_run(rest, at);
    at += integer_digits;
    std::size_t fraction_digits = 0;
    if (at < rest.size() && rest[at] == '.') {
        fraction_digits = digit_run(rest, at + 1);
        if (integer_digits + fraction_digits > 0) at += 1 + fraction_digits;
    }
    if (integer_digits + fraction_digits == 0) return {};
    // An exponent counts only with at least one digit behind the marker and
    // its optional sign; otherwise the number ends before the marker.
    if (at < rest.size() && (rest[at] == 'e' || rest[at] == 'E' || rest[at] == 'd' || rest[at] == 'D')) {
        std::size_t exponent = at + 1;
        if (exponent < rest.size() && (rest[exponent] == '+' || rest[exponent] == '-')) ++exponent;
        const std::size_t exponent_digits = digit_run(rest, exponent);
        if (exponent_digits > 0) at = exponent + exponent_digits;
    }
    const std::string_view number = rest.substr(0, at);
    return {number, trimmed(rest.substr(at)).empty()};
}

std::size_t check_call(const ExportInfo& e, std::span<const Argument> args,
                       const std::array<std::uintptr_t, 4>& slots, CallNotes& notes) {
    std::size_t count = 0;
    std::size_t position = 0;
    for (int slot = 0; slot < 4; ++slot) {
        if (!takes_argument(e, slot)) continue;
        ++position;
        if (position > args.size()) break;  // integers not given are 0
        const SlotKind kind = e.slots[static_cast<std::size_t>(slot)];
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(slots[static_cast<std::size_t>(slot)]));
        Message& note = notes[count];
        note.clear();
        if (kind == SlotKind::text_in_out || kind == SlotKind::text_in) {
            note_text(args[position - 1].view(), position, note);
        } else if (kind == SlotKind::angle_unit && !is_valid_angle_unit(value)) {
            note_value(position, value,
                       tr("argument {1} (unit {2}) is neither 0 (radians) nor 1 (degrees): the call leaves p1 "
                          "unchanged"),
                       note);
        } else if (kind == SlotKind::digits && value > most_written_digits) {
            note_value(position, value, tr("argument {1} (digits {2})"), note);
            add_digits_above_17(note);
        } else if (kind == SlotKind::digits && value < 0) {
            note_value(position, value, tr("argument {1} (digits {2}): below 1, one significant digit is written"),
                       note);
        } else if (e.name == "n_bitsft" && slot == 3 && value != 0 && value != 1) {
            note_value(position, value,
                       tr("argument {1} (direction {2}) is neither 0 (right) nor 1 (left): the call stores "
                          "nothing and 0 is printed"),
                       note);
        }
        if (!note.empty()) ++count;
    }
    return count;
}

}  // namespace vyxmath::host
