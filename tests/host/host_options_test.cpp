// The command line read by one rule: every option in any order, values as
// the next word or after "=", answers ranked, and each usage mistake named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_options.h"

namespace vyxmath::host {
namespace {

struct OptionsRow {
    std::string name;
    std::vector<std::string> words = {};  // after the program's name
    std::string problem = "";        // part of the reason; empty when the line is read
    // What was read (when there is no problem).
    Answer answer = Answer::none;
    NoteMode notes = NoteMode::warn;
    int digits = -1;  // -1: not given
    OutputFormat format = OutputFormat::plain;
    std::vector<std::string> files = {};
    std::string module = "";
    int operands = 0;  // words left for the operands
    bool errors_to_stderr = false;
    bool fail_fast = false;
};

void PrintTo(const OptionsRow& row, std::ostream* os) { *os << row.name; }

class ReadHostOptions : public testing::TestWithParam<OptionsRow> {};

TEST_P(ReadHostOptions, ReadsEachOptionByTheSameRule) {
    const OptionsRow& row = GetParam();
    std::vector<const char*> argv = {"vyxmath"};
    for (const std::string& word : row.words) argv.push_back(word.c_str());
    HostOptions options;
    std::string problem;
    const bool read = read_host_options(static_cast<int>(argv.size()), argv.data(), options, problem);
    if (!row.problem.empty()) {
        EXPECT_FALSE(read);
        EXPECT_NE(problem.find(row.problem), std::string::npos) << problem;
        return;
    }
    ASSERT_TRUE(read) << problem;
    EXPECT_EQ(options.answer, row.answer);
    EXPECT_EQ(options.note_mode(), row.notes);
    EXPECT_EQ(options.digits.value_or(-1), row.digits);
    EXPECT_EQ(options.format, row.format);
    EXPECT_EQ(options.files, row.files);
    EXPECT_EQ(options.module_path, row.module);
    EXPECT_EQ(static_cast<int>(argv.size()) - options.first_operand, row.operands);
    EXPECT_EQ(options.errors_to_stderr, row.errors_to_stderr);
    EXPECT_EQ(options.fail_fast, row.fail_fast);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ReadHostOptions,
    testing::Values(
        OptionsRow{.name = "NoOptions", .words = {"n_tasu", "1", "2"}, .operands = 3},
        OptionsRow{.name = "NegativeArgumentsStayArguments", .words = {"n_tasu", "-1", "--quiet"}, .operands = 3},
        OptionsRow{.name = "DoubleDashEndsOptions", .words = {"--", "-q"}, .operands = 1},
        OptionsRow{.name = "DashAloneIsAnOperand", .words = {"-q", "-"}, .notes = NoteMode::quiet, .operands = 1},
        OptionsRow{.name = "StrictThenQuiet", .words = {"--strict", "--quiet"}, .notes = NoteMode::strict},
        OptionsRow{.name = "QuietThenStrict", .words = {"-q", "-s"}, .notes = NoteMode::strict},
        OptionsRow{.name = "HelpThenVersion", .words = {"--help", "--version"}, .answer = Answer::help},
        OptionsRow{.name = "VersionThenHelp", .words = {"-V", "-h"}, .answer = Answer::help},
        OptionsRow{.name = "ListThenVersion", .words = {"--list", "--version"}, .answer = Answer::version},
        OptionsRow{.name = "HelpWithExports", .words = {"--help", "n_sin", "n_cos"}, .answer = Answer::help,
                   .operands = 2},
        OptionsRow{.name = "ValuesBothWays",
                   .words = {"--digits", "17", "--format=json", "--module=m.so", "-f", "a", "-fb", "--file=c",
                             "--file", "-"},
                   .digits = 17, .format = OutputFormat::json, .files = {"a", "b", "c", "-"}, .module = "m.so"},
        OptionsRow{.name = "LaterValueWins", .words = {"--digits=3", "--digits", "-2"}, .digits = -2},
        OptionsRow{.name = "SessionOptions", .words = {"--errors=stderr", "--fail-fast", "--format", "tsv", "-"},
                   .format = OutputFormat::tsv, .operands = 1, .errors_to_stderr = true, .fail_fast = true},
        OptionsRow{.name = "ErrorsBackToStdout", .words = {"--errors=stderr", "--errors=stdout"}},
        OptionsRow{.name = "UnknownLong", .words = {"--fast", "n_tasu"}, .problem = "unknown option --fast"},
        OptionsRow{.name = "UnknownShort", .words = {"-x"}, .problem = "unknown option -x"},
        OptionsRow{.name = "NoBundles", .words = {"-qs"}, .problem = "unknown option -qs"},
        OptionsRow{.name = "FlagWithValue", .words = {"--strict=1"}, .problem = "unknown option --strict=1"},
        OptionsRow{.name = "PrefixIsNoOption", .words = {"--dig=3"}, .problem = "unknown option --dig=3"},
        OptionsRow{.name = "ValueMissing", .words = {"-f"}, .problem = "-f needs FILE"},
        OptionsRow{.name = "DigitsNotAnInteger", .words = {"--digits", "1.5"}, .problem = "an integer up to 4096"},
        OptionsRow{.name = "DigitsAboveTheLimit", .words = {"--digits=4097"}, .problem = "an integer up to 4096"},
        OptionsRow{.name = "DigitsEmpty", .words = {"--digits="}, .problem = "an integer up to 4096"},
        OptionsRow{.name = "FormatUnknown", .words = {"--format=csv"}, .problem = "plain, tsv or json"},
        OptionsRow{.name = "ErrorsUnknown", .words = {"--errors", "file"}, .problem = "stdout or stderr"}),
    [](const testing::TestParamInfo<OptionsRow>& info) { return info.param.name; });

// Every option of the table is one the reader accepts, in the form shown.
TEST(OptionTable, ListsOnlyOptionsThatAreRead) {
    const std::string table = option_table();
    std::size_t listed = 0;
    for (std::size_t at = table.find("--"); at != std::string::npos; at = table.find("\n", at), at = table.find("--", at)) {
        const std::size_t end = table.find_first_of(" =", at);
        const std::string option = table.substr(at, end - at);
        const bool takes_value = table[end] == '=' || table.compare(end, 2, " F") == 0 || table.compare(end, 2, " P") == 0;
        std::vector<const char*> argv = {"vyxmath", option.c_str()};
        if (takes_value) argv.push_back(option == "--format" ? "tsv" : option == "--errors" ? "stderr" : "1");
        HostOptions options;
        std::string problem;
        EXPECT_TRUE(read_host_options(static_cast<int>(argv.size()), argv.data(), options, problem))
            << option << ": " << problem;
        ++listed;
    }
    EXPECT_EQ(listed, 11u);
}

}  // namespace
}  // namespace vyxmath::host
