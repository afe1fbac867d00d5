// The export list is the one description of the 35 exports: these checks tie
// the public header's prototypes and the Windows ordinals to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "frame/export_table.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

template <SlotKind kind>
using slot_type = std::conditional_t<
    kind == SlotKind::text_in_out || kind == SlotKind::text_out, char*,
    std::conditional_t<kind == SlotKind::text_in, const char*,
                       std::conditional_t<kind == SlotKind::int_out, std::int32_t*, std::int32_t>>>;

template <std::size_t row>
using expected_signature =
    std::int32_t(VYX_CALL*)(slot_type<export_table[row].slots[0]>, slot_type<export_table[row].slots[1]>,
                            slot_type<export_table[row].slots[2]>, slot_type<export_table[row].slots[3]>);

// Every prototype in the public header has exactly the argument types that
// its row's slot kinds call for.
#define VYX_EXPORT(name, p1, p2, p3, p4)                                                              \
    static_assert(std::is_same_v<decltype(&::name), expected_signature<__COUNTER__ - counter_base>>, \
                  #name " in vyxmath.h does not match its row in export_list.inc");
constexpr int counter_base = __COUNTER__ + 1;
#include "frame/export_list.inc"
#undef VYX_EXPORT

TEST(ExportTable, NamesAreUniqueLowerCaseAndPrefixed) {
    std::set<std::string_view> names;
    for (const ExportInfo& e : export_table) {
        EXPECT_TRUE(names.insert(e.name).second) << e.name;
        EXPECT_EQ(e.name.substr(0, 2), "n_") << e.name;
        EXPECT_TRUE(std::all_of(e.name.begin(), e.name.end(),
                                [](char c) { return (c >= 'a' && c <= 'z') || c == '_'; }))
            << e.name;
    }
}

TEST(ExportTable, OrdinalsFollowByteOrderOfDecoratedNames) {
    std::vector<std::string> decorated;
    for (const ExportInfo& e : export_table) decorated.push_back("_" + std::string(e.name) + "@16");
    std::vector<std::string> sorted = decorated;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const std::string name = sorted[i].substr(1, sorted[i].size() - 4);
        EXPECT_EQ(export_ordinal(name), static_cast<int>(i) + 1) << sorted[i];
    }
    EXPECT_EQ(export_ordinal("n_acos"), 1);
    EXPECT_EQ(export_ordinal("n_waru"), 35);
    // "n_atan" is a prefix of "n_atanex" and "n_atanh"-like names: '@' sorts
    // below every lower-case letter, so the shorter name comes first.
    EXPECT_LT(export_ordinal("n_atan"), export_ordinal("n_atanex"));
    EXPECT_LT(export_ordinal("n_sin"), export_ordinal("n_sinh"));
}

TEST(ExportTable, SlotRulesHoldForEveryRow) {
    for (const ExportInfo& e : export_table) {
        // Only p1 is ever written.
        for (int i = 1; i < 4; ++i) {
            EXPECT_NE(e.slots[i], SlotKind::text_in_out) << e.name;
            EXPECT_NE(e.slots[i], SlotKind::text_out) << e.name;
            EXPECT_NE(e.slots[i], SlotKind::int_out) << e.name;
        }
        // Every real-valued export has a digits slot; integer exports none.
        EXPECT_EQ(e.is_real_valued(), e.digits_slot() >= 0) << e.name;
        if (e.has_angle_unit()) {
            EXPECT_EQ(e.slots[2], SlotKind::angle_unit) << e.name;
            EXPECT_EQ(e.digits_slot(), 3) << e.name;
        }
    }
    EXPECT_EQ(std::count_if(export_table.begin(), export_table.end(),
                            [](const ExportInfo& e) { return e.has_angle_unit(); }),
              9);
    EXPECT_EQ(std::count_if(export_table.begin(), export_table.end(),
                            [](const ExportInfo& e) { return e.is_real_valued(); }),
              24);
}

}  // namespace
}  // namespace vyxmath
