// Compile-time view of the export list (export_list.inc): the name and slot
// kinds of every export, in definition order, plus the ordinal each one has in
// the Windows export directory (ascending byte order of the decorated names).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vyxmath {

enum class SlotKind : unsigned char {
    text_in_out,
    text_out,
    text_in,
    int_out,
    int_in,
    digits,
    angle_unit,
    ignored,
};

struct ExportInfo {
    std::string_view name;
    std::array<SlotKind, 4> slots;

    constexpr bool has_angle_unit() const {
        return std::find(slots.begin(), slots.end(), SlotKind::angle_unit) != slots.end();
    }
    // Slot index (0..3) of the digits argument, or -1 for integer exports.
    constexpr int digits_slot() const {
        for (int i = 0; i < 4; ++i)
            if (slots[i] == SlotKind::digits) return i;
        return -1;
    }
    constexpr bool is_real_valued() const {
        return slots[0] == SlotKind::text_in_out || slots[0] == SlotKind::text_out;
    }
};

namespace detail {
#define VYX_SLOT_TEXT_IN_OUT SlotKind::text_in_out
#define VYX_SLOT_TEXT_OUT SlotKind::text_out
#define VYX_SLOT_TEXT_IN SlotKind::text_in
#define VYX_SLOT_INT_OUT SlotKind::int_out
#define VYX_SLOT_INT_IN SlotKind::int_in
#define VYX_SLOT_DIGITS SlotKind::digits
#define VYX_SLOT_ANGLE_UNIT SlotKind::angle_unit
#define VYX_SLOT_IGNORED SlotKind::ignored
#define VYX_EXPORT(name, p1, p2, p3, p4) \
    ExportInfo{#name, {VYX_SLOT_##p1, VYX_SLOT_##p2, VYX_SLOT_##p3, VYX_SLOT_##p4}},
inline constexpr ExportInfo table_rows[] = {
#include "export_list.inc"
};
#undef VYX_EXPORT
#undef VYX_SLOT_TEXT_IN_OUT
#undef VYX_SLOT_TEXT_OUT
#undef VYX_SLOT_TEXT_IN
#undef VYX_SLOT_INT_OUT
#undef VYX_SLOT_INT_IN
#undef VYX_SLOT_DIGITS
#undef VYX_SLOT_ANGLE_UNIT
#undef VYX_SLOT_IGNORED
}  // namespace detail

inline constexpr std::size_t export_count = std::size(detail::table_rows);
static_assert(export_count == 35, "the module has exactly 35 exports");

inline constexpr std::array<ExportInfo, export_count> export_table = [] {
    std::array<ExportInfo, export_count> rows{};
    std::copy(std::begin(detail::table_rows), std::end(detail::table_rows), rows.begin());
    return rows;
}();

inline std::optional<ExportInfo> find_export(std::string_view name) {
    for (const ExportInfo& e : export_table)
        if (e.name == name) return e;
    return std::nullopt;
}

// Ordinal in the Windows export directory: 1 + the number of exports whose
// decorated name "_<name>@16" sorts before this one's in byte order. All
// decorations share the same prefix and suffix, so comparing "<name>@" is the
// same comparison ('@' orders the shorter of two prefixed names correctly).
constexpr int export_ordinal(std::string_view name) {
    auto decorated_less = [](std::string_view a, std::string_view b) {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
        if (a.size() == b.size()) return false;
        // One name is a prefix of the other: the next byte of the longer one
        // is compared with '@' of the shorter one's decoration.
        return a.size() < b.size() ? '@' < b[n] : a[n] < '@';
    };
    int ordinal = 1;
    for (const ExportInfo& e : export_table)
        if (decorated_less(e.name, name)) ++ordinal;
    return ordinal;
}

}  // namespace vyxmath
