// One call from words to output line, against stand-in exports that show
// what the host passed, and against the module's own basic operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_runner.h"
#include "fake_module.h"
#include "host_limits.h"
#include "vyxmath.h"

namespace vyxmath::host {
namespace {

struct Outcome {
    bool ok;
    std::string text;  // the output, or the error message
};

Outcome run(CallRunner& runner, const std::vector<std::string>& words) {
    std::vector<Argument> args;
    for (std::size_t i = 1; i < words.size(); ++i) args.push_back({words[i].c_str(), words[i].size()});
    std::string_view output;
    Message error;
    const bool ok = runner.run(words[0], args, output, error);
    return {ok, std::string(ok ? output : error.view())};
}

struct RunRow {
    std::vector<std::string> words;
    bool ok;
    std::string text;
};

void PrintTo(const RunRow& row, std::ostream* os) {
    for (const std::string& w : row.words) *os << w << " ";
}

class RunCall : public testing::TestWithParam<RunRow> {};

TEST_P(RunCall, PrintsP1OrTheReason) {
    const ExportIndex exports(testing_support::fake_export);
    CallRunner runner(exports);
    const RunRow& row = GetParam();
    const Outcome got = run(runner, row.words);
    EXPECT_EQ(got.ok, row.ok);
    EXPECT_EQ(got.text, row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RunCall,
    testing::Values(
        RunRow{{"n_tasu", "1.5", "2.25"}, true, "1.5|2.25|0|0"}, RunRow{{"n_pow", "2", "10", "-3"}, true, "2|10|-3|0"},
        RunRow{{"n_sqrt", "2", "12"}, true, "|2|12|0"}, RunRow{{"n_sin", "30", "1", "6"}, true, "|30|1|6"},
        RunRow{{"n_sin", "30", "2", "6"}, true, ""},  // no-op: the written-only p1 stays empty
        RunRow{{"n_bitsft", "2147483647", "1", "0"}, true, "-2147483648"}, RunRow{{"n_gcd", "-5"}, true, "-5"},
        RunRow{{"n_floor", "12345"}, true, "5"}, RunRow{{"n_sosu", "7"}, true, "0"},
        RunRow{{"n_sosu", "8"}, true, "-1"}, RunRow{{"n_fabs", "a b"}, true, "a b"},
        // A p1 whose text would break the output line is shown quoted, in
        // the form that reads back as the same text.
        RunRow{{"n_fabs", "a\nb\"c\\"}, true, R"("a\nb\"c\\")"}, RunRow{{"n_fabs", "x\r"}, true, R"("x\r")"},
        RunRow{{"n_foo", "1"}, false, "unknown export \"n_foo\" (--list shows the exports)"},
        RunRow{{"N_TASU", "1", "2"}, false,
               "unknown export \"N_TASU\"; did you mean n_tasu? (--list shows the exports)"},
        RunRow{{"", "1"}, false, "unknown export \"\" (--list shows the exports)"},
        RunRow{{"n_lcm", "4", "6"}, false, "the module does not provide n_lcm"},
        RunRow{{"n_tasu", "1"}, false, "n_tasu: argument 2 (p2, text) is missing: TEXT TEXT [DIGITS]"}));

TEST(RunCall, EveryTableExportIsFoundAndOnlyThose) {
    const ExportIndex exports(testing_support::fake_export);
    for (const ExportInfo& e : export_table) {
        const ResolvedExport* found = exports.find(e.name);
        ASSERT_NE(found, nullptr) << e.name;
        EXPECT_EQ(found->info->name, e.name);
        EXPECT_EQ(found->entry, testing_support::fake_export(e.name)) << e.name;
    }
    for (std::string_view other : {"n_", "n_tasux", "n_tas", "tasu", "_n_tasu@16", "n_atanh", "n_sqr"})
        EXPECT_EQ(exports.find(other), nullptr) << other;
}

TEST(RunCall, EachCallStartsFromFreshVariables) {
    const ExportIndex exports(testing_support::fake_export);
    CallRunner runner(exports);
    EXPECT_EQ(run(runner, {"n_sqrt", "2"}).text, "|2|0|0");
    // A no-op call shows neither the last result nor stale bytes.
    EXPECT_EQ(run(runner, {"n_cos", "2", "5"}).text, "");
    EXPECT_EQ(run(runner, {"n_gcd", "3", "4"}).text, "7");
    EXPECT_EQ(run(runner, {"n_bitsft"}).text, "0");
    // A failed call leaves nothing behind for the next one.
    EXPECT_FALSE(run(runner, {"n_tasu", "1", "2", "x"}).ok);
    EXPECT_EQ(run(runner, {"n_tasu", "5", "6"}).text, "5|6|0|0");
}

// The module's own basic operations, called through the host's generic
// four-slot entry type, as the loaded module's exports are.
template <class Function>
RawExport as_raw(Function* f) {
    return reinterpret_cast<RawExport>(reinterpret_cast<void (*)()>(f));
}

RawExport linked_basic_operation(std::string_view name) {
    if (name == "n_tasu") return as_raw(&::n_tasu);
    if (name == "n_hiku") return as_raw(&::n_hiku);
    if (name == "n_kakeru") return as_raw(&::n_kakeru);
    if (name == "n_waru") return as_raw(&::n_waru);
    return nullptr;
}

TEST(RunCall, PassesTextsAndDigitsToTheModule) {
    const ExportIndex exports(linked_basic_operation);
    CallRunner runner(exports);
    const RunRow rows[] = {
        {{"n_tasu", "1.5", "2.25"}, true, "3.75"},
        {{"n_waru", "1", "3", "17"}, true, "0.33333333333333331"},
        {{"n_waru", "2", "3", "1"}, true, "0.7"},
        {{
             "n_kakeru",
             "-1.5",
             "1.5",
             "8",
         },
         true,
         "-2.25"},
        {{"n_hiku", "1", "3"}, true, "-2."},
        {{"n_waru", "0", "0"}, true, "-1.#IND"},
        // Beyond 17 digits the text only grows by zeros, which are trimmed.
        {{"n_waru", "1", "3", "4096"}, true, "0.33333333333333331"},
        {{"n_kakeru", "1e20", "1", "4096"}, true, "100000000000000000000."},
        {{"n_sqrt", "2"}, false, "the module does not provide n_sqrt"},
    };
    for (const RunRow& row : rows) {
        const Outcome got = run(runner, row.words);
        EXPECT_EQ(got.ok, row.ok) << row.words[0];
        EXPECT_EQ(got.text, row.text) << row.words[0] << " " << row.words[1] << " " << row.words[2];
    }
}

TEST(RunCall, SurvivesEveryDigitsValueTheModuleMayGet) {
    // Negative digits have no defined text, but the module must stay inside
    // the 8 bytes the host offers for them; so must every digits value up to
    // the host's limit.
    const ExportIndex exports(linked_basic_operation);
    CallRunner runner(exports);
    for (const char* digits : {"-2147483648", "-4096", "-2", "-1", "1", "2", "4096"}) {
        const Outcome got = run(runner, {"n_kakeru", "-1.2345678901234567", "1e-300", digits});
        ASSERT_TRUE(got.ok) << digits;
        EXPECT_LE(got.text.size(), written_text_bound(std::stoi(digits)) - 1) << digits;
    }
}

}  // namespace
}  // namespace vyxmath::host
