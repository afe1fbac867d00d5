// Bad input to the host, through the built host and module as a process.
// Every malformed call line gives exactly one "error: " line in its place,
// naming what is wrong, and every other call of the batch gives what it
// gives without the bad line around - n_rand included, whose count would
// move on if the bad line had reached the module. In single-call mode a bad
// call gives one line on standard error, nothing on standard output and
// exit status 2, the status of a command line that cannot be run.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "host_process.h"
#include "vyxmath_version.h"

namespace vyxmath::test {
namespace {

// Ordinary calls of several kinds of export; the bad line goes in the middle.
const std::vector<std::string> good_lines = {
    "n_tasu 1.5 2.25", "n_rand 0",       "n_sin 30 1",   "n_gcd 12 18",     "n_waru 1 3 17",
    "n_sosu 97",       "n_fabs \"-2.5\"", "n_rand 0",     "n_ceil -2.5",     "n_atanex 1 -1",
};
constexpr std::size_t bad_line_position = 5;

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at) + "<no line break>");
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The good calls' outputs, from a batch of good calls only.
const std::vector<std::string>& good_outputs() {
    static const std::vector<std::string> outputs = [] {
        const HostRun run = run_host({"-"}, joined(good_lines));
        EXPECT_EQ(run.status, 0) << run.err;
        return split_lines(run.out);
    }();
    return outputs;
}

struct BadLine {
    std::string name;
    std::string line;  // without its line break; may hold any byte
    std::string says;  // part of the error line
};

// Test names carry the row's name; the bytes of a line may not print.
void PrintTo(const BadLine& row, std::ostream* out) { *out << row.name; }

const std::string long_digits(200000, '7');

const BadLine bad_lines[] = {
    {"UnbalancedQuote", "n_tasu \"1.5 2.25", "quote not closed"},
    {"UnbalancedQuoteAfterEscape", "n_tasu \"1.5\\\" 2", "quote not closed"},
    {"UnknownEscape", "n_tasu \"1\\x\" 2", "unknown escape"},
    {"TextRightAfterQuote", "n_tasu \"1\"2 3", "after a closing quote"},
    {"QuoteInsideWord", "n_tasu 1\"2\" 3", "quote inside"},
    {"UnknownExport", "n_plus 1 2", "unknown export \"n_plus\""},
    {"DecoratedName", "_n_tasu@16 1 2", "unknown export"},
    {"UpperCaseName", "N_TASU 1 2", "unknown export"},
    {"MissingText", "n_waru 1", "argument 2 (p2, text) is missing"},
    {"NoArgumentsAtAll", "n_atanex", "is missing"},
    {"ExtraArgument", "n_tasu 1 2 8 0", "too many arguments"},
    {"ExtraArgumentToThePrimeTest", "n_sosu 7 1", "too many arguments"},
    {"TooManyWords", "n_tasu 1 2 3 4 5 6 7 8", "too many words"},
    {"IntegerAboveRange", "n_gcd 2147483648 1", "outside the 32-bit range"},
    {"IntegerBelowRange", "n_gcd 1 -2147483649", "outside the 32-bit range"},
    {"IntegerWithManyDigits", "n_kaijo 000000000000000000099999999999999999999", "outside the 32-bit range"},
    {"DigitsOutOfRange", "n_tasu 1 2 4294967304", "outside the 32-bit range"},
    {"DecimalForInteger", "n_gcd 1.5 1", "not an integer"},
    {"HexadecimalForInteger", "n_bitsft 0x10 1 1", "not an integer"},
    {"SignAloneForInteger", "n_kaijo -", "not an integer"},
    {"EmptyTextForInteger", "n_kaijo \"\"", "not an integer"},
    {"DigitsAboveTheHostsLimit", "n_tasu 1 2 4097", "above the host's limit of 4096"},
    {"LargestDigitsCount", "n_sin 1 0 2147483647", "above the host's limit of 4096"},
    {"VeryLongLine", "n_tasu " + long_digits + " 1", "longer than the host's limit"},
    {"NulByte", std::string("n_tasu 1\0 2", 11), "NUL byte"},
    {"NulByteInQuotes", std::string("n_tasu \"1\0\" 2", 13), "NUL byte"},
};

class BadLineInBatch : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadLineInBatch, GivesOneErrorLineAndLeavesTheOtherCallsIntact) {
    const BadLine& bad = GetParam();
    std::vector<std::string> lines = good_lines;
    lines.insert(lines.begin() + bad_line_position, bad.line);

    const HostRun run = run_host({"-"}, joined(lines));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> got = split_lines(run.out);
    ASSERT_EQ(got.size(), lines.size()) << run.out;

    std::vector<std::string> expected = good_outputs();
    ASSERT_EQ(expected.size(), good_lines.size());
    const std::string& error = got[bad_line_position];
    EXPECT_EQ(error.rfind("error: ", 0), 0u) << error;
    EXPECT_NE(error.find(bad.says), std::string::npos) << error;
    EXPECT_LE(error.size(), 400u) << "an error line stays short";
    expected.insert(expected.begin() + bad_line_position, error);
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, BadLineInBatch, ::testing::ValuesIn(bad_lines),
                         [](const auto& info) { return info.param.name; });

TEST(BadLinesInBatch, EveryBadLineAmongGoodOnesInOneRun) {
    std::vector<std::string> lines, expected;
    for (const BadLine& bad : bad_lines) {
        lines.push_back(bad.line);
        expected.push_back("error");
        for (std::size_t i = 0; i < good_lines.size(); ++i) {
            lines.push_back(good_lines[i]);
            expected.push_back(good_outputs()[i]);
        }
    }
    const HostRun run = run_host({"-"}, joined(lines));
    EXPECT_EQ(run.status, 1);
    std::vector<std::string> got = split_lines(run.out);
    ASSERT_EQ(got.size(), lines.size());
    // n_rand moves on through the whole run; compare it by its position only
    // where each round's counts are not those of the first round.
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (expected[i] == "error") {
            EXPECT_EQ(got[i].rfind("error: ", 0), 0u) << "line " << i + 1 << ": " << got[i];
        } else if (lines[i] != "n_rand 0") {
            EXPECT_EQ(got[i], expected[i]) << "line " << i + 1 << ": " << lines[i];
        }
    }
}

// Values at the host's limits are accepted, and the calls around them intact.
const BadLine accepted_lines[] = {
    {"LargestDigitsCount", "n_waru 1 3 4096", ""},
    {"SmallestInteger", "n_gcd -2147483648 0", ""},
    {"LargestInteger", "n_bitsft 2147483647 0 0", ""},
    {"PlusSign", "n_kaijo +5", ""},
    {"LeadingZeros", "n_kaijo 0000000000000000000005", ""},
    {"NegativeDigits", "n_tasu 1 2 -2147483648", ""},
    {"LongOperand", "n_fabs " + std::string(60000, '3'), ""},
    {"NonAsciiText", "n_fabs \xef\xbc\x91", ""},
    // Lines are 8-bit text: bytes that are not UTF-8 reach the module.
    {"NonUtf8Byte", "n_tasu \xff 2", ""},
    {"TruncatedUtf8", "n_tasu 1 \xe2\x82", ""},
    {"OverlongUtf8", "n_tasu \xc0\xaf 2", ""},
    {"Utf8Surrogate", "n_tasu \xed\xa0\x80 2", ""},
    {"Utf8BeyondUnicode", "n_tasu \xf4\x90\x80\x80 2", ""},
    {"LoneContinuationByte", "n_fabs \x80", ""},
    {"NoBreakSpaceBeforeADigit", "n_tasu \xa0\x31 1", ""},
    {"TrailingComment", "n_tasu 1 2 # the sum", ""},
    {"CrLfLineBreak", "n_tasu 1 2\r", ""},
    // No call: an empty output line.
    {"EmptyLine", "", ""},
    {"BlanksOnly", " \t ", ""},
    {"CarriageReturnOnly", "\r", ""},
    {"Comment", "# n_rand 0", ""},
    {"IndentedComment", "\t#", ""},
};

class LineAtTheLimits : public ::testing::TestWithParam<BadLine> {};

TEST_P(LineAtTheLimits, IsAcceptedAndLeavesTheOtherCallsIntact) {
    std::vector<std::string> lines = good_lines;
    lines.insert(lines.begin() + bad_line_position, GetParam().line);
    const HostRun run = run_host({"-"}, joined(lines));
    EXPECT_EQ(run.status, 0) << run.out;
    std::vector<std::string> got = split_lines(run.out);
    ASSERT_EQ(got.size(), lines.size());
    EXPECT_NE(got[bad_line_position].rfind("error", 0), 0u) << got[bad_line_position];
    got.erase(got.begin() + bad_line_position);
    EXPECT_EQ(got, good_outputs());
}

INSTANTIATE_TEST_SUITE_P(Lines, LineAtTheLimits, ::testing::ValuesIn(accepted_lines),
                         [](const auto& info) { return info.param.name; });

// Single-call mode: the arguments come from the command line.
struct BadCall {
    std::string name;
    std::vector<std::string> arguments;
    std::string says;
};

void PrintTo(const BadCall& row, std::ostream* out) { *out << row.name; }

class BadSingleCall : public ::testing::TestWithParam<BadCall> {};

TEST_P(BadSingleCall, GivesOneLineOnStandardErrorAndNoOutput) {
    const BadCall& bad = GetParam();
    const HostRun run = run_host(bad.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, BadSingleCall,
    ::testing::Values(BadCall{"IntegerAboveRange", {"n_lcm", "4", "2147483648"}, "outside the 32-bit range"},
                      BadCall{"DigitsAboveTheHostsLimit", {"n_exp", "1", "100000"}, "above the host's limit"},
                      BadCall{"P1TextAboveTheHostsLimit", {"n_tasu", std::string(70000, '1'), "1"},
                              "longer than the host's limit"},
                      BadCall{"NotAnIntegerUnit", {"n_cos", "1", "deg"}, "not an integer"},
                      BadCall{"NotAnIntegerDigits", {"n_tasu", "1", "2", "x"}, "not an integer"},
                      BadCall{"MissingText", {"n_waru", "1"}, "is missing"},
                      BadCall{"ExtraArgument", {"n_tasu", "1", "2", "3", "4"}, "too many arguments"},
                      BadCall{"UnknownExport", {"n_foo", "1"}, "unknown export"}),
    [](const auto& info) { return info.param.name; });

// Whole invocations: options, warnings and batch framing, each with its exact
// standard output, standard error and exit status. An expected text ending in
// "..." only has to begin with what comes before it.
struct Invocation {
    std::string name;
    std::vector<std::string> arguments;
    std::string input;
    int status;
    std::string out;
    std::string err;
};

void PrintTo(const Invocation& row, std::ostream* out) { *out << row.name; }

void expect_text(const std::string& got, const std::string& expected, const char* stream) {
    if (expected.ends_with("...")) {
        EXPECT_EQ(got.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3)) << stream;
    } else {
        EXPECT_EQ(got, expected) << stream;
    }
}

class HostInvocation : public ::testing::TestWithParam<Invocation> {};

TEST_P(HostInvocation, PrintsAndEndsAsExpected) {
    const Invocation& row = GetParam();
    const HostRun run = run_host(row.arguments, row.input);
    EXPECT_EQ(run.status, row.status);
    expect_text(run.out, row.out, "standard output");
    expect_text(run.err, row.err, "standard error");
}

const std::string read_as = "vyxmath: warning: argument 1 ";

INSTANTIATE_TEST_SUITE_P(
    Uses, HostInvocation,
    ::testing::Values(
        Invocation{"NoArguments", {}, "", 2, "", "usage: vyxmath [OPTION...] EXPORT [ARG...]..."},
        Invocation{"ShortHelp", {"-h"}, "", 0, "usage: vyxmath [OPTION...] EXPORT [ARG...]...", ""},
        Invocation{"HelpOfAnExport", {"--help", "n_poisson"}, "", 0,
                   "usage: vyxmath n_poisson LAMBDA [K] [DIGITS]\n\n"
                   "the Poisson probability of exactly k events at mean lambda\n...",
                   ""},
        Invocation{"HelpOfAMisspeltExport", {"-h", "n_cosinus"}, "", 2, "",
                   "vyxmath: unknown export \"n_cosinus\"; did you mean n_cos? (--list shows the exports)\n"},
        Invocation{"Version", {"--version"}, "", 0, "vyxmath " VYXMATH_VERSION_STRING "\n", ""},
        Invocation{"UnknownShortOption", {"-x", "n_tasu", "1", "2"}, "", 2, "",
                   "vyxmath: unknown option -x (vyxmath --help shows the usage)\n"},
        Invocation{"OtherWordForAnExport", {"n_add", "1", "2"}, "", 2, "",
                   "vyxmath: unknown export \"n_add\"; did you mean n_tasu? (--list shows the exports)\n"},
        Invocation{"DecoratedName", {"_n_sqrt@16", "2"}, "", 2, "",
                   "vyxmath: unknown export \"_n_sqrt@16\"; did you mean n_sqrt? (--list shows the exports)\n"},
        Invocation{"NothingNear", {"n_qqqqq"}, "", 2, "",
                   "vyxmath: unknown export \"n_qqqqq\" (--list shows the exports)\n"},
        // The call is made as given; only standard error says more.
        Invocation{"TrailingText", {"n_tasu", "1.5x", "1"}, "", 0, "2.5\n", read_as + "(\"1.5x\") is read as 1.5\n"},
        Invocation{"DecimalComma", {"n_tasu", "1,5", "1"}, "", 0, "2.\n", read_as + "(\"1,5\") is read as 1\n"},
        Invocation{"Hexadecimal", {"n_tasu", "0x10", "1"}, "", 0, "1.\n", read_as + "(\"0x10\") is read as 0\n"},
        Invocation{"NoNumber", {"n_tasu", "abc", "1"}, "", 0, "1.\n",
                   read_as + "(\"abc\") holds no number and is read as 0\n"},
        Invocation{"EmptyText", {"n_tasu", "1", ""}, "", 0, "1.\n",
                   "vyxmath: warning: argument 2 (\"\") is empty and is read as 0\n"},
        Invocation{"MarkerText", {"n_fabs", "-1.#INF"}, "", 0, "1.\n",
                   read_as + "(\"-1.#INF\") is read as -1: the module's texts for infinities and "
                             "not-a-numbers do not read back\n"},
        Invocation{"BlanksAroundANumber", {"n_tasu", " 1.5\t", "1e3"}, "", 0, "1001.5\n", ""},
        Invocation{"AngleUnitTwo", {"n_sin", "30", "2"}, "", 0, "\n",
                   "vyxmath: warning: argument 2 (unit 2) is neither 0 (radians) nor 1 (degrees): "
                   "the call leaves p1 unchanged\n"},
        Invocation{"DigitsAbove17", {"n_sqrt", "2", "30"}, "", 0, "1.4142135623730951\n",
                   "vyxmath: warning: argument 2 (digits 30): only 17 significant digits are computed; the places past "
                   "them are written as zeros\n"},
        Invocation{"Digits17", {"n_sqrt", "2", "17"}, "", 0, "1.4142135623730951\n", ""},
        Invocation{"NegativeDigits", {"n_tasu", "1234.5", "1", "-3"}, "", 0, "1e+003\n",
                   "vyxmath: warning: argument 3 (digits -3): below 1, one significant digit is written\n"},
        Invocation{"ShiftDirectionTwo", {"n_bitsft", "1", "4", "2"}, "", 0, "0\n",
                   "vyxmath: warning: argument 3 (direction 2) is neither 0 (right) nor 1 (left): "
                   "the call stores nothing and 0 is printed\n"},
        Invocation{"Quiet", {"--quiet", "n_tasu", "1.5x", "1"}, "", 0, "2.5\n", ""},
        Invocation{"Strict", {"--strict", "n_tasu", "1.5x", "1"}, "", 1, "",
                   "vyxmath: n_tasu: argument 1 (\"1.5x\") is read as 1.5 (an error with --strict)\n"},
        Invocation{"StrictAngleUnit", {"--strict", "n_cos", "1", "-1"}, "", 1, "",
                   "vyxmath: n_cos: argument 2 (unit -1) is neither 0 (radians) nor 1 (degrees): "
                   "the call leaves p1 unchanged (an error with --strict)\n"},
        Invocation{"StrictWholeNumbers", {"--strict", "n_tasu", "-1.5e1", "+.5"}, "", 0, "-14.5\n", ""},
        // Batch mode: warnings and errors name the input line.
        Invocation{"BatchWarnings", {"-"}, "# sums\n\nn_tasu 1 2\nn_tasu 1.5x 1\n", 0, "\n\n3.\n2.5\n",
                   "vyxmath: warning: line 4: argument 1 (\"1.5x\") is read as 1.5\n"},
        Invocation{"BatchStrict", {"--strict", "-"}, "n_tasu 1.5x 1\n\nn_sin 1 7\nn_tasu 1 1\n", 1,
                   "error: line 1: n_tasu: argument 1 (\"1.5x\") is read as 1.5 (an error with --strict)\n\n"
                   "error: line 3: n_sin: argument 2 (unit 7) is neither 0 (radians) nor 1 (degrees): "
                   "the call leaves p1 unchanged (an error with --strict)\n2.\n",
                   ""},
        // Friction points of a working session, each one row.
        Invocation{"StrictWinsOverALaterQuiet", {"--strict", "--quiet", "n_tasu", "1x", "2"}, "", 1, "",
                   "vyxmath: n_tasu: argument 1 (\"1x\") is read as 1 (an error with --strict)\n"},
        Invocation{"StrictWinsOverAnEarlierQuiet", {"-q", "-s", "n_tasu", "1x", "2"}, "", 1, "",
                   "vyxmath: n_tasu: argument 1 (\"1x\") is read as 1 (an error with --strict)\n"},
        Invocation{"ShortQuiet", {"-q", "n_tasu", "1x", "2"}, "", 0, "3.\n", ""},
        Invocation{"ShortVersion", {"-V"}, "", 0, "vyxmath " VYXMATH_VERSION_STRING "\n", ""},
        Invocation{"HelpWinsOverVersion", {"--help", "--version"}, "", 0, "usage: vyxmath [OPTION...] EXPORT...", ""},
        Invocation{"HelpWinsOverAnEarlierVersion", {"--version", "-h"}, "", 0, "usage: vyxmath [OPTION...]...", ""},
        Invocation{"HelpOfTwoExports", {"--help", "n_sin", "n_cos"}, "", 0,
                   "usage: vyxmath n_sin X [UNIT] [DIGITS]\n...", ""},
        Invocation{"HelpOfAKnownAndAnUnknownExport", {"--help", "n_sin", "n_sqr"}, "", 2, "usage: vyxmath n_sin...",
                   "vyxmath: unknown export \"n_sqr\"; did you mean n_sqrt? (--list shows the exports)\n"},
        Invocation{"ListTakesNoArguments", {"--list", "extra"}, "", 2, "",
                   "vyxmath: --list takes no arguments (--help EXPORT shows one export) (vyxmath --help shows the "
                   "usage)\n"},
        Invocation{"VersionTakesNoArguments", {"--version", "n_sin"}, "", 2, "", "vyxmath: --version takes no..."},
        Invocation{"FlagGivenAValue", {"--quiet=yes", "n_tasu", "1", "2"}, "", 2, "",
                   "vyxmath: unknown option --quiet=yes (vyxmath --help shows the usage)\n"},
        Invocation{"OptionValueMissing", {"--digits"}, "", 2, "", "vyxmath: --digits needs N (vyxmath --help..."},
        Invocation{"SquareRootMisspelt", {"n_sqr", "2"}, "", 2, "",
                   "vyxmath: unknown export \"n_sqr\"; did you mean n_sqrt? (--list shows the exports)\n"},
        Invocation{"NonUtf8Argument", {"n_tasu", "\xa0" "1", "1"}, "", 0, "1.\n",
                   "vyxmath: warning: argument 1 (\"\\xA01\") holds no number and is read as 0\n"},
        Invocation{"DigitsOptionFillsTheLastSlot", {"--digits", "3", "n_sin", "1"}, "", 0, "0.841\n", ""},
        Invocation{"DigitsOptionFillsTheThirdSlot", {"-q", "--digits=17", "n_waru", "1", "3"}, "", 0,
                   "0.33333333333333331\n", ""},
        Invocation{"DigitsOfTheCallWin", {"--digits", "3", "n_sin", "1", "0", "5"}, "", 0, "0.84147\n", ""},
        Invocation{"DigitsOptionIsNoInteger", {"--digits", "x", "n_tasu", "1", "2"}, "", 2, "",
                   "vyxmath: --digits takes an integer up to 4096, not \"x\"..."},
        Invocation{"DigitsOptionAbove17", {"--digits", "25", "n_pow", "2", "70"}, "", 0,
                   "1180591620717411300000.\n",
                   "vyxmath: warning: --digits 25: only 17 significant digits are computed; the places past "
                   "them are written as zeros\n"},
        Invocation{"DigitsOptionAbove17Strict", {"--digits", "25", "-s", "n_pow", "2", "70"}, "", 2, "",
                   "vyxmath: --digits 25: only 17 significant digits are computed..."},
        Invocation{"BatchByteOrderMark", {"-"}, "\xEF\xBB\xBFn_tasu 1 2\n\xEF\xBB\xBFn_tasu 1 2\n", 1,
                   "3.\nerror: line 2: unknown export \"\\xEF\\xBB\\xBFn_tasu\"; did you mean n_tasu? (--list shows the exports)\n",
                   ""},
        Invocation{"BatchTrailingComment", {"-"}, "n_tasu 1 2 # the sum\nn_sin 30 1 #deg\n", 0, "3.\n0.5\n", ""},
        Invocation{"BatchFailFast", {"--fail-fast", "-"}, "n_tasu 1 2\nn_foo\nn_tasu 2 2\n", 1,
                   "3.\nerror: line 2: unknown export \"n_foo\" (--list shows the exports)\n", ""},
        Invocation{"BatchErrorsToStandardError", {"--errors=stderr", "-"}, "n_tasu 1 2\nn_foo\nn_tasu 2 2\n", 1,
                   "3.\n\n4.\n", "vyxmath: error: line 2: unknown export \"n_foo\" (--list shows the exports)\n"},
        Invocation{"FormatTsv", {"--format=tsv", "-"}, "n_tasu 1.5x 1\nn_foo \"a b\"\n\nn_sosu 91\n", 1,
                   "n_tasu\t1.5x 1\t2.5\t0\targument 1 (\"1.5x\") is read as 1.5\n"
                   "n_foo\t\"a b\"\t\terror\tunknown export \"n_foo\" (--list shows the exports)\n\n"
                   "n_sosu\t91\t-1\t-1\t\n",
                   ""},
        Invocation{"FormatJson", {"--format", "json", "n_tasu", "1.5x", "\xff"}, "", 0,
                   "{\"export\":\"n_tasu\",\"arguments\":[\"1.5x\",\"\\u00ff\"],\"p1\":\"1.5\",\"status\":0,"
                   "\"warnings\":[\"argument 1 (\\\"1.5x\\\") is read as 1.5\",\"argument 2 (\\\"\\\\xFF\\\") holds "
                   "no number and is read as 0\"]}\n",
                   ""},
        Invocation{"FormatUnknown", {"--format=xml", "n_tasu", "1", "2"}, "", 2, "",
                   "vyxmath: --format is plain, tsv or json, not \"xml\"..."},
        Invocation{"FileThatDoesNotOpen", {"-f", "/nonexistent/calls"}, "", 2, "",
                   "vyxmath: cannot open /nonexistent/calls: No such file or directory\n"},
        Invocation{"FilesAndACallTogether", {"-f", "-", "n_tasu", "1", "2"}, "", 2, "",
                   "vyxmath: calls from files (-f) and a call on the command line cannot be combined..."},
        Invocation{"StandardInputAsAFile", {"-f-"}, "n_kaijo 5\n", 0, "120\n", ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vyxmath::test
