// Every export with arbitrary argument values and texts.
//
// Input layout: byte 0 picks the export (modulo 35); bit 0 of byte 1 passes
// p1's text variable as p2 as well; bytes 2..17 are the four slot values
// (32-bit little endian); the rest is p1's text, a NUL, then p2's text.
//
// Every text variable is an exactly-sized heap block, so AddressSanitizer
// sees any byte read or written outside it: a text operand has its length
// plus the NUL, p1 has room for the longer of its operand and the
// digits + 8 bytes (8 when digits <= 1) of a result, and the integer
// variable is one int32.
//
// Argument values are used as given, except that the digits count is kept
// within -1000..1000 and n_seikibunpu, whose work grows by 500 steps per
// unit of its operand by design, is only called for operands up to 20.
//
// Checked: the status; nothing changed when the angle unit or the shift
// direction is invalid; the operand p2 left as it was; p1 holds a marker or a
// well-formed number text; a second call with fresh variables gives the same
// result (n_rand aside, whose count moves on).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "common/export_arguments.h"
#include "frame/export_table.h"
#include "fuzz_check.h"
#include "threads/export_invoker.h"
#include "vyxmath.h"
#include "written_text.h"

namespace {

using vyxmath::ExportInfo;
using vyxmath::SlotKind;

// n_seikibunpu takes 500 steps per unit of its operand.
constexpr double largest_normal_integral_operand = 20.0;
constexpr std::int32_t largest_digits = 1000;
constexpr std::int32_t integer_sentinel = 0x5A5A5A5A;

std::int32_t bounded_value(const ExportInfo& info, int slot, std::int32_t value) {
    return info.slots[slot] == SlotKind::digits ? value % (largest_digits + 1) : value;
}

std::size_t result_room(std::int32_t effective_digits) { return vyxmath::written_text_bound(effective_digits); }

struct Input {
    std::size_t row = 0;
    bool same_variable_twice = false;
    std::int32_t value[4] = {};
    std::string_view p1_text, p2_text;
};

Input decode(const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[18] = {};
    const std::size_t head_size = size < sizeof head ? size : sizeof head;
    if (head_size != 0) std::memcpy(head, data, head_size);
    Input in;
    in.row = head[0] % vyxmath::export_count;
    in.same_variable_twice = (head[1] & 1) != 0;
    for (int slot = 0; slot < 4; ++slot) {
        std::uint32_t v = 0;
        for (int b = 3; b >= 0; --b) v = (v << 8) | head[2 + 4 * slot + b];
        in.value[slot] = static_cast<std::int32_t>(v);
    }
    const std::string_view rest =
        size > head_size ? std::string_view(reinterpret_cast<const char*>(data) + head_size, size - head_size)
                         : std::string_view{};
    const std::size_t nul = rest.find('\0');
    in.p1_text = rest.substr(0, nul);
    in.p2_text = nul == std::string_view::npos ? std::string_view{} : rest.substr(nul + 1);
    // A text variable ends at its first NUL.
    in.p2_text = in.p2_text.substr(0, in.p2_text.find('\0'));
    return in;
}

struct Outcome {
    std::int32_t status = 0;
    std::string p1;  // the text variable's bytes or the integer variable's value
    bool operator==(const Outcome&) const = default;
};

std::unique_ptr<char[]> heap_text(std::string_view text, std::size_t room) {
    auto block = std::make_unique<char[]>(room);
    std::memset(block.get(), '#', room);
    if (!text.empty()) std::memcpy(block.get(), text.data(), text.size());
    block[text.size()] = '\0';
    return block;
}

bool is_marker(std::string_view text) {
    for (std::string_view marker : {"1.#INF", "-1.#INF", "-1.#IND", "1.#QNAN", "-1.#QNAN"})
        if (text == marker) return true;
    return false;
}

Outcome call_once(const Input& in, const std::int32_t (&value)[4]) {
    const ExportInfo& info = vyxmath::export_table[in.row];
    const int digits_slot = info.digits_slot();
    const std::int32_t effective_digits =
        digits_slot < 0 ? 0 : (value[digits_slot] == 0 ? 8 : value[digits_slot]);
    const bool p1_is_text = info.slots[0] == SlotKind::text_in_out || info.slots[0] == SlotKind::text_out;
    const std::size_t p1_room =
        p1_is_text ? std::max(in.p1_text.size() + 1, result_room(effective_digits)) : 0;

    std::unique_ptr<char[]> p1, p2;
    auto integer_variable = std::make_unique<std::int32_t>(integer_sentinel);
    vyxmath::test::ExportArguments args;
    if (p1_is_text) {
        p1 = heap_text(in.p1_text, p1_room);
        args.text[0] = p1.get();
    }
    const bool p2_is_text = info.slots[1] == SlotKind::text_in;
    const bool aliased = p2_is_text && p1_is_text && in.same_variable_twice;
    if (p2_is_text) {
        if (aliased) {
            args.text[1] = p1.get();
        } else {
            p2 = heap_text(in.p2_text, in.p2_text.size() + 1);
            args.text[1] = p2.get();
        }
    }
    args.integer_variable = integer_variable.get();
    for (int slot = 0; slot < 4; ++slot) args.value[slot] = value[slot];

    std::unique_ptr<char[]> p1_before;
    if (p1_is_text) {
        p1_before = std::make_unique<char[]>(p1_room);
        std::memcpy(p1_before.get(), p1.get(), p1_room);
    }

    Outcome out;
    out.status = vyxmath::test::export_callers[in.row](args);

    if (info.name == "n_sosu")
        FUZZ_CHECK(out.status == 0 || out.status == -1, "n_sosu returned %d", out.status);
    else
        FUZZ_CHECK(out.status == 0, "%.*s returned %d", static_cast<int>(info.name.size()), info.name.data(),
                   out.status);
    if (p2 != nullptr)
        FUZZ_CHECK(std::string_view(p2.get()) == in.p2_text, "%.*s changed its operand p2",
                   static_cast<int>(info.name.size()), info.name.data());

    if (info.slots[0] == SlotKind::int_out) {
        if (info.name == "n_bitsft" && value[3] != 0 && value[3] != 1)
            FUZZ_CHECK(*integer_variable == integer_sentinel, "n_bitsft wrote p1 for direction %d", value[3]);
        out.p1 = std::to_string(*integer_variable);
    } else if (p1_is_text) {
        const bool no_operation = info.has_angle_unit() && value[2] != 0 && value[2] != 1;
        if (no_operation) {
            FUZZ_CHECK(std::memcmp(p1.get(), p1_before.get(), p1_room) == 0, "%.*s wrote p1 for angle unit %d",
                       static_cast<int>(info.name.size()), info.name.data(), value[2]);
        } else {
            FUZZ_CHECK(std::memchr(p1.get(), '\0', result_room(effective_digits)) != nullptr,
                       "%.*s left no NUL within the result's room", static_cast<int>(info.name.size()),
                       info.name.data());
            // From 6 digits on every value has its full text.
            if (effective_digits >= 6 && !is_marker(p1.get()))
                FUZZ_CHECK(vyxmath::fuzz::parse_written_text(p1.get()).has_value(), "%.*s wrote malformed '%s'",
                           static_cast<int>(info.name.size()), info.name.data(), p1.get());
        }
        out.p1 = p1.get();
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input in = decode(data, size);
    const ExportInfo& info = vyxmath::export_table[in.row];
    std::int32_t value[4];
    for (int slot = 0; slot < 4; ++slot) value[slot] = bounded_value(info, slot, in.value[slot]);

    if (info.name == "n_seikibunpu") {
        const std::string operand(in.same_variable_twice ? in.p1_text : in.p2_text);
        const double x = vyxmath::read_number(operand.c_str());
        if (std::isfinite(x) && std::fabs(x) > largest_normal_integral_operand) return 0;
    }

    const Outcome first = call_once(in, value);
    if (info.name != "n_rand") {
        const Outcome second = call_once(in, value);
        FUZZ_CHECK(first == second, "%.*s gave '%s' then '%s' for the same arguments",
                   static_cast<int>(info.name.size()), info.name.data(), first.p1.c_str(), second.p1.c_str());
    }
    return 0;
}
