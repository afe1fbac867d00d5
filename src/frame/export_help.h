// Compile-time view of export_help.inc: for each export, in the order of the
// export table, what it computes, the names of its slots, other words for it,
// two example calls with their output, and its topic and English name.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "frame/export_table.h"

namespace vyxmath {

struct ExportExample {
    std::string_view arguments;  // as given to the host after the export's name
    std::string_view output;     // the host's output line
};

struct ExportHelp {
    std::string_view name;
    std::string_view summary;
    std::string_view slot_names;   // four blank-separated words, "-" for none
    std::string_view other_words;  // blank-separated
    std::array<ExportExample, 2> examples;
    std::string_view topic;  // the reference's group: "arithmetic", "integer", ...
    std::string_view title;  // the function's common English name: "factorial"

    // The name of slot 0..3 as the summary uses it.
    constexpr std::string_view slot_name(int slot) const {
        std::string_view rest = slot_names;
        for (int i = 0; i < slot; ++i) rest.remove_prefix(std::min(rest.find(' ') + 1, rest.size()));
        return rest.substr(0, rest.find(' '));
    }
};

#define VYX_HELP(name, topic, title, summary, slots, words, args1, out1, args2, out2) \
    ExportHelp{#name, summary, slots, words, {{{args1, out1}, {args2, out2}}}, topic, title},
inline constexpr std::array<ExportHelp, export_count> export_help = {{
#include "frame/export_help.inc"
}};
#undef VYX_HELP

// The reference's groups, in the order it shows them.
inline constexpr std::array<std::string_view, 7> export_topics = {
    "arithmetic", "powers and logarithms", "trigonometric", "hyperbolic", "probability", "integer", "random"};

static_assert([] {
    for (std::size_t i = 0; i < export_count; ++i) {
        if (export_help[i].name != export_table[i].name) return false;
        if (std::find(export_topics.begin(), export_topics.end(), export_help[i].topic) == export_topics.end()) return false;
        if (export_help[i].title.empty()) return false;
        int blanks = 0;
        for (char c : export_help[i].slot_names) blanks += c == ' ';
        if (blanks != 3) return false;
    }
    return true;
}(), "export_help.inc has one row per export, in the order of export_list.inc, with a known topic, a title and four slot names");

}  // namespace vyxmath
