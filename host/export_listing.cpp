#include "export_listing.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "argument_binding.h"
#include "frame/export_help.h"

namespace vyxmath::host {
namespace {

std::string_view slot_meaning(const ExportInfo& e, int slot) {
    switch (e.slots[static_cast<std::size_t>(slot)]) {
        case SlotKind::text_in_out: return "text, read as a number, then overwritten with the result";
        case SlotKind::text_out: return "text, the host's own variable: receives the result";
        case SlotKind::text_in: return "text, read as a number";
        case SlotKind::int_out: return "integer, the host's own variable: receives the result";
        case SlotKind::int_in: return slot == 0 ? "integer; the call's status is printed" : "integer";
        case SlotKind::digits: return "significant digits of the result, 0 means 8 (past 17, zeros)";
        case SlotKind::angle_unit: return "angle unit: 0 radians, 1 degrees (any other: p1 is left as it is)";
        case SlotKind::ignored: return "ignored";
    }
    return "?";
}

void add_column(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    out.append(text.size() < width ? width - text.size() : 1, ' ');
}

// The call's arguments named as in the summary: "A B [DIGITS]".
std::string named_arguments(const ExportInfo& e, const ExportHelp& help) {
    std::string form;
    for (int slot = 0; slot < 4; ++slot) {
        if (!takes_argument(e, slot)) continue;
        if (!form.empty()) form += ' ';
        const bool optional = !is_text_slot(e.slots[static_cast<std::size_t>(slot)]);
        if (optional) form += '[';
        for (char c : help.slot_name(slot)) form += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (optional) form += ']';
    }
    return form;
}

const ExportHelp& help_of(const ExportInfo& e) { return export_help[static_cast<std::size_t>(&e - export_table.data())]; }

// Width of a column: its widest entry and two blanks.
template <class Entry>
std::size_t column_width(std::string_view heading, Entry&& entry) {
    std::size_t widest = heading.size();
    for (const ExportInfo& e : export_table) widest = std::max(widest, entry(e).size());
    return widest + 2;
}

}  // namespace

std::string export_listing() {
    const auto name = [](const ExportInfo& e) { return e.name; };
    const auto form = [](const ExportInfo& e) { return named_arguments(e, help_of(e)); };
    const std::size_t name_width = column_width("EXPORT", name), form_width = column_width("ARGUMENTS", form);
    std::string out;
    add_column(out, "EXPORT", name_width);
    add_column(out, "ARGUMENTS", form_width);
    out += "WHAT IT PRINTS\n";
    for (const ExportInfo& e : export_table) {
        add_column(out, e.name, name_width);
        add_column(out, form(e), form_width);
        out += help_of(e).summary;
        out += '\n';
    }
    out +=
        "\nArguments are named after the export's slots. Text arguments must be given;\n"
        "integer arguments in brackets are 0 when not given (digits: the value of\n"
        "--digits, when given). A p1 that the export only writes takes no argument:\n"
        "the host passes its own variable and prints it after the call. Digits 0\n"
        "means 8; unit 0 is radians, 1 degrees. vyxmath --help EXPORT shows an\n"
        "export's slots and examples.\n";
    return out;
}

std::string export_help_page(const ExportInfo& e) {
    const ExportHelp& help = help_of(e);
    std::string out = "usage: vyxmath ";
    out += e.name;
    out += ' ';
    out += named_arguments(e, help);
    out += "\n\n";
    out += help.summary;
    out += "\n\nslots:\n";
    std::size_t name_width = 0;
    for (int slot = 0; slot < 4; ++slot) name_width = std::max(name_width, help.slot_name(slot).size() + 2);
    for (int slot = 0; slot < 4; ++slot) {
        out += "  p";
        out += static_cast<char>('1' + slot);
        out += "  ";
        add_column(out, help.slot_name(slot), name_width);
        out += slot_meaning(e, slot);
        out += '\n';
    }
    out += prints_status(e) ? "\nprints the status: 0 or -1\n" : "\nprints p1 after the call\n";
    out += "\nexamples:\n";
    for (const ExportExample& example : help.examples) {
        std::string call = "  vyxmath ";
        call += e.name;
        call += ' ';
        call += example.arguments;
        add_column(out, call, 34);
        out += "prints ";
        out += example.output;
        out += '\n';
    }
    return out;
}

}  // namespace vyxmath::host
