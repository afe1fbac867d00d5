#include "name_suggestions.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstddef>

#include "frame/export_help.h"
#include "translation.h"

namespace vyxmath::host {
namespace {

// Names longer than this are not compared: no export name or word is near.
constexpr std::size_t longest_compared = 32;
constexpr std::size_t most_suggested = 3;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Levenshtein distance, ignoring case, of two texts of at most
// longest_compared bytes, or some value above `cap` when it exceeds cap.
// Only distances up to the nearness bound matter, and most names are far
// from most words: the length difference, or a row with nothing within the
// cap, settles those early (a batch of mistyped lines asks this for every
// export on each line).
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t cap) {
    const std::size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap > cap) return cap + 1;
    std::array<std::size_t, longest_compared + 1> row{};
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t row_min = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t replaced = diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1);
            row[j] = std::min(replaced, std::min(above, row[j - 1]) + 1);
            row_min = std::min(row_min, row[j]);
            diagonal = above;
        }
        if (row_min > cap) return cap + 1;
    }
    return row[b.size()];
}

// The name without the decoration of the exported symbol, "_n_tasu@16".
std::string_view undecorated(std::string_view name) {
    if (name.starts_with('_')) name.remove_prefix(1);
    const std::size_t at = name.rfind('@');
    if (at != std::string_view::npos && at + 1 < name.size() &&
        name.find_first_not_of("0123456789", at + 1) == std::string_view::npos)
        name = name.substr(0, at);
    return name;
}

std::string_view without_prefix(std::string_view name) {
    return name.size() > 2 && lower(name[0]) == 'n' && name[1] == '_' ? name.substr(2) : name;
}

// How near `typed` is to an export: the edit distance to its name, with or
// without "n_", or to one of its other words; at equal distance the name
// itself ranks before another word, so "n_sqr" finds n_sqrt before the
// shift's "shr". Distances past `cap` are only known to be past it.
struct Nearness {
    std::size_t distance = 0;
    bool by_other_word = false;
    auto operator<=>(const Nearness&) const = default;
};

Nearness nearness_to(std::string_view typed, const ExportHelp& help, std::size_t cap) {
    Nearness best{std::min(edit_distance(typed, help.name, cap), edit_distance(without_prefix(typed), help.name.substr(2), cap)),
                  false};
    std::string_view words = help.other_words;
    while (!words.empty()) {
        const std::size_t blank = std::min(words.find(' '), words.size());
        best = std::min(best, Nearness{edit_distance(without_prefix(typed), words.substr(0, blank), cap), true});
        words.remove_prefix(std::min(blank + 1, words.size()));
    }
    return best;
}

}  // namespace

void add_name_suggestions(std::string_view name, Message& out) {
    const std::string_view typed = undecorated(name);
    if (typed.empty() || typed.size() > longest_compared) return;
    // Near enough: at most a third of the typed letters changed, and at
    // least one letter of a short name.
    const std::size_t near_enough = std::max<std::size_t>(1, without_prefix(typed).size() / 3);
    std::array<Nearness, export_count> nearness{};
    for (std::size_t i = 0; i < export_count; ++i) nearness[i] = nearness_to(typed, export_help[i], near_enough);
    const Nearness nearest = *std::min_element(nearness.begin(), nearness.end());
    if (nearest.distance > near_enough) return;
    Message names;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < export_count && shown < most_suggested; ++i) {
        if (nearness[i] != nearest) continue;
        if (shown > 0) names.add(tr(" or "));
        names.add(export_help[i].name);
        ++shown;
    }
    out.add_format(tr("; did you mean {1}?"), {names.view()});
}

void describe_unknown_export(std::string_view name, Message& out) {
    Message quoted, suggestions;
    quoted.add_quoted(name);
    add_name_suggestions(name, suggestions);
    out.add_format(tr("unknown export {1}{2} (--list shows the exports)"), {quoted.view(), suggestions.view()});
}

}  // namespace vyxmath::host
