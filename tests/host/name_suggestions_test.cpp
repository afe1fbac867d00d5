// Name suggestions against a reference that measures every distance in full
// (textbook Levenshtein over the whole table, case folded), for names made
// from the export names by a few edits and for random names: the suggestions
// may not depend on how the host cuts its comparisons short.
#include "name_suggestions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "frame/export_help.h"

namespace vyxmath::host {
namespace {

std::size_t full_distance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            d[i][j] = std::min({d[i - 1][j - 1] + (same ? 0 : 1), d[i - 1][j] + 1, d[i][j - 1] + 1});
        }
    return d[a.size()][b.size()];
}

// The rule the host states: the exports nearest to the name (without "_"
// and "@16", with or without "n_", or to one of their other words), the
// first three, when at most a third of the typed letters (at least one)
// differ.
std::string reference_suggestions(std::string_view typed) {
    if (typed.starts_with('_')) typed.remove_prefix(1);
    const std::size_t at = typed.rfind('@');
    if (at != std::string_view::npos && at + 1 < typed.size() &&
        typed.find_first_not_of("0123456789", at + 1) == std::string_view::npos)
        typed = typed.substr(0, at);
    if (typed.empty() || typed.size() > 32) return "";
    const std::string_view bare =
        typed.size() > 2 && std::tolower(typed[0]) == 'n' && typed[1] == '_' ? typed.substr(2) : typed;
    // (distance, found through another word): at equal distance the name
    // itself ranks first.
    std::vector<std::pair<std::size_t, bool>> nearness;
    for (const ExportHelp& help : export_help) {
        std::pair<std::size_t, bool> best{std::min(full_distance(typed, help.name), full_distance(bare, help.name.substr(2))),
                                          false};
        std::string_view words = help.other_words;
        while (!words.empty()) {
            const std::size_t blank = std::min(words.find(' '), words.size());
            best = std::min(best, std::pair{full_distance(bare, words.substr(0, blank)), true});
            words.remove_prefix(std::min(blank + 1, words.size()));
        }
        nearness.push_back(best);
    }
    const auto nearest = *std::min_element(nearness.begin(), nearness.end());
    if (nearest.first > std::max<std::size_t>(1, bare.size() / 3)) return "";
    std::string text;
    int shown = 0;
    for (std::size_t i = 0; i < nearness.size() && shown < 3; ++i)
        if (nearness[i] == nearest) text += (shown++ == 0 ? "; did you mean " : " or ") + std::string(export_help[i].name);
    return text + "?";
}

TEST(NameSuggestions, AgreeWithFullDistancesOverEditedAndRandomNames) {
    std::mt19937 random(2026);
    const std::string letters = "abcdefghijklmnopqrstuvwxyzNS_@0123456789";
    auto letter = [&] { return letters[random() % letters.size()]; };
    int suggested = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string name;
        if (i % 2 == 0) {
            name = export_help[random() % export_help.size()].name;
            for (int edits = static_cast<int>(random() % 6); edits > 0; --edits) {
                const std::size_t at = random() % (name.size() + 1);
                switch (random() % 3) {
                case 0: name.insert(name.begin() + static_cast<std::ptrdiff_t>(at), letter()); break;
                case 1: if (at < name.size()) name.erase(at, 1); break;
                default: if (at < name.size()) name[at] = letter();
                }
            }
        } else {
            for (std::size_t size = random() % 36; name.size() < size;) name += letter();
        }
        Message message;
        add_name_suggestions(name, message);
        const std::string expected = reference_suggestions(name);
        ASSERT_EQ(std::string(message.view()), expected) << "for the name '" << name << "'";
        if (!expected.empty()) ++suggested;
    }
    EXPECT_GT(suggested, 5000);  // the comparison covers many suggestions, not only silence
}

}  // namespace
}  // namespace vyxmath::host
