#include "export_listing.h"

#include <string_view>

#include "argument_binding.h"
#include "frame/export_table.h"

namespace vyxmath::host {
namespace {

std::string_view slot_label(SlotKind kind) {
    switch (kind) {
        case SlotKind::text_in_out: return "text in/out";
        case SlotKind::text_out: return "text out";
        case SlotKind::text_in: return "text";
        case SlotKind::int_out: return "int out";
        case SlotKind::int_in: return "int";
        case SlotKind::digits: return "digits";
        case SlotKind::angle_unit: return "unit";
        case SlotKind::ignored: return "-";
    }
    return "?";
}

void add_column(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    out.append(text.size() < width ? width - text.size() : 1, ' ');
}

}  // namespace

std::string export_listing() {
    constexpr std::size_t name_width = 14, slot_width = 13;
    std::string out;
    add_column(out, "EXPORT", name_width);
    for (std::string_view heading : {"P1", "P2", "P3", "P4"}) add_column(out, heading, slot_width);
    out += "ARGUMENTS\n";
    for (const ExportInfo& e : export_table) {
        add_column(out, e.name, name_width);
        for (SlotKind kind : e.slots) add_column(out, slot_label(kind), slot_width);
        Message form;
        add_argument_form(e, form);
        out += form.view();
        if (prints_status(e)) out += "   (prints the status)";
        out += '\n';
    }
    out +=
        "\nText arguments must be given; integer arguments in brackets are 0 when not\n"
        "given. A p1 that the export only writes takes no argument: the host passes\n"
        "its own variable and prints it after the call. Digits 0 means 8; unit 0 is\n"
        "radians, 1 degrees.\n";
    return out;
}

}  // namespace vyxmath::host
