#include "argument_binding.h"

#include <cstring>

#include "common/export_arguments.h"
#include "host_limits.h"
#include "translation.h"

namespace vyxmath::host {
namespace {

std::string_view slot_kind_name(SlotKind kind) {
    switch (kind) {
        case SlotKind::digits: return tr("digits");
        case SlotKind::angle_unit: return tr("angle unit");
        case SlotKind::int_in: return tr("integer");
        default: return tr("text");
    }
}

Message number_text(std::int64_t value) {
    Message text;
    text.add(value);
    return text;
}

std::uintptr_t slot_value(std::int32_t value) {
    // The 32-bit pattern, widened without sign extension: the export reads
    // only the low 32 bits of the slot.
    return static_cast<std::uintptr_t>(static_cast<std::uint32_t>(value));
}

std::uintptr_t slot_address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

// "n_tasu: argument 2 (p2, text)"
Message argument_name(const ExportInfo& e, std::size_t position, int slot) {
    Message name;
    name.add_format(tr("{1}: argument {2} (p{3}, {4})"),
                    {e.name, number_text(static_cast<std::int64_t>(position)).view(), number_text(slot + 1).view(),
                     slot_kind_name(e.slots[static_cast<std::size_t>(slot)])});
    return name;
}

}  // namespace

std::string_view argument_placeholder(SlotKind kind) {
    switch (kind) {
        case SlotKind::digits: return "DIGITS";
        case SlotKind::angle_unit: return "UNIT";
        case SlotKind::int_in: return "INT";
        default: return "TEXT";
    }
}

void add_argument_form(const ExportInfo& e, Message& out) {
    bool first = true;
    for (int slot = 0; slot < 4; ++slot) {
        if (!takes_argument(e, slot)) continue;
        const SlotKind kind = e.slots[static_cast<std::size_t>(slot)];
        if (!first) out.add(" ");
        first = false;
        if (is_text_slot(kind)) {
            out.add(argument_placeholder(kind));
        } else {
            out.add("[").add(argument_placeholder(kind)).add("]");
        }
    }
}

namespace {

// Where an argument stands, for the messages about it.
struct ArgumentPlace {
    const ExportInfo& e;
    std::size_t position;  // from 1, among the arguments given
    int slot;
};

// The reports of bad arguments stay out of line, so that the binding of
// good ones stays small enough to be inlined into the call's path.

// The message `format` with {1} naming the argument and {2} the value given.
[[gnu::cold, gnu::noinline]] void report(const ArgumentPlace& place, const char* format, std::string_view value,
                                         Message& error) {
    error.add_format(format, {argument_name(place.e, place.position, place.slot).view(), value});
}

[[gnu::cold, gnu::noinline]] void report_quoted(const ArgumentPlace& place, const char* format,
                                                std::string_view value, Message& error) {
    Message quoted;
    quoted.add_quoted(value);
    report(place, format, quoted.view(), error);
}

[[gnu::cold, gnu::noinline]] void report_missing(const ArgumentPlace& place, Message& error) {
    Message form;
    add_argument_form(place.e, form);
    report(place, tr("{1} is missing: {2}"), form.view(), error);
}

[[gnu::cold, gnu::noinline]] void report_too_many(const ExportInfo& e, std::size_t given, int limit, Message& error) {
    Message form;
    add_argument_form(e, form);
    error.add_format(tr("{1}: too many arguments ({2} given, at most {3}: {4})"),
                     {e.name, number_text(static_cast<std::int64_t>(given)).view(), number_text(limit).view(),
                      form.view()});
}

[[gnu::cold, gnu::noinline]] void report_digits_limit(const ArgumentPlace& place, std::int32_t digits,
                                                      Message& error) {
    error.add_format(tr("{1} is {2}, above the host's limit of {3}"),
                     {argument_name(place.e, place.position, place.slot).view(), number_text(digits).view(),
                      number_text(max_digits).view()});
}

bool check_argument_count(const ExportInfo& e, std::span<const Argument> args, Message& error) {
    const int limit = argument_count_limit(e);
    if (args.size() <= static_cast<std::size_t>(limit)) return true;
    report_too_many(e, args.size(), limit, error);
    return false;
}

// A slot the export only writes, and which takes no argument: the host's
// own variable, cleared; 0 for a slot the export does not use.
std::uintptr_t bind_written_slot(SlotKind kind, HostVariables& vars) {
    if (kind == SlotKind::text_out) {
        vars.text[0] = '\0';
        return slot_address(vars.text);
    }
    if (kind == SlotKind::int_out) {
        vars.integer = 0;
        return slot_address(&vars.integer);
    }
    return 0;
}

// A text argument must be given. An operand the export only reads is passed
// as it stands; p1, read and then written, is copied into the host's own
// variable.
bool bind_text(const ArgumentPlace& place, SlotKind kind, const Argument* arg, HostVariables& vars,
               std::uintptr_t& value, Message& error) {
    if (arg == nullptr) {
        report_missing(place, error);
        return false;
    }
    if (kind == SlotKind::text_in) {
        value = slot_address(arg->text);
        return true;
    }
    if (arg->size + 1 > vars.text_capacity || arg->size > max_text_bytes) {
        report(place, tr("{1} is longer than the host's limit of {2} bytes"),
               number_text(static_cast<std::int64_t>(max_text_bytes)).view(), error);
        return false;
    }
    std::memcpy(vars.text, arg->text, arg->size);
    vars.text[arg->size] = '\0';
    value = slot_address(vars.text);
    return true;
}

// A 32-bit integer argument, 0 when not given; a digits argument must leave
// the result room in the host's text variable.
bool bind_number(const ArgumentPlace& place, SlotKind kind, const Argument* arg, const HostVariables& vars,
                 std::int32_t missing_digits, std::uintptr_t& value, Message& error) {
    std::int32_t number = kind == SlotKind::digits ? missing_digits : 0;
    if (arg != nullptr) {
        switch (parse_int32(arg->view(), number)) {
            case IntegerError::none: break;
            case IntegerError::not_an_integer:
                report_quoted(place, tr("{1} is not an integer: {2}"), arg->view(), error);
                return false;
            case IntegerError::out_of_range:
                report_quoted(place, tr("{1} is outside the 32-bit range: {2}"), arg->view(), error);
                return false;
        }
    }
    if (kind == SlotKind::digits) {
        const std::int32_t digits = effective_digits(number);
        if (digits > max_digits || written_text_bound(digits) > vars.text_capacity) {
            report_digits_limit(place, digits, error);
            return false;
        }
    }
    value = slot_value(number);
    return true;
}

}  // namespace

bool bind_arguments(const ExportInfo& e, std::span<const Argument> args, HostVariables& vars,
                    std::array<std::uintptr_t, 4>& slots, Message& error, std::int32_t missing_digits) {
    if (!check_argument_count(e, args, error)) return false;
    std::size_t next = 0;
    for (int slot = 0; slot < 4; ++slot) {
        const SlotKind kind = e.slots[static_cast<std::size_t>(slot)];
        std::uintptr_t& value = slots[static_cast<std::size_t>(slot)];
        value = 0;
        if (!takes_argument(e, slot)) {
            value = bind_written_slot(kind, vars);
            continue;
        }
        const ArgumentPlace place{e, next + 1, slot};
        const Argument* arg = next < args.size() ? &args[next] : nullptr;
        ++next;
        const bool bound = is_text_slot(kind) ? bind_text(place, kind, arg, vars, value, error)
                                              : bind_number(place, kind, arg, vars, missing_digits, value, error);
        if (!bound) return false;
    }
    return true;
}

}  // namespace vyxmath::host
