// Splitting call lines into words, checking their bytes, and reading integer
// arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_line.h"

namespace vyxmath::host {
namespace {

struct SplitRow {
    std::string line;
    std::vector<std::string> words;
};

void PrintTo(const SplitRow& row, std::ostream* os) { *os << testing::PrintToString(row.line); }

class SplitCallLine : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitCallLine, GivesTheWords) {
    const SplitRow& row = GetParam();
    std::string buffer = row.line + '#';  // line[size] is writable and must not be read as text
    CallWords words;
    const LineProblem problem = split_call_line(buffer.data(), row.line.size(), words);
    ASSERT_FALSE(problem) << "column " << problem.column;
    ASSERT_EQ(words.count, row.words.size());
    for (std::size_t i = 0; i < words.count; ++i) {
        EXPECT_EQ(words.words[i].view(), row.words[i]) << "word " << i;
        // The word is NUL-terminated where it stands, ready for the module.
        EXPECT_EQ(words.words[i].text[words.words[i].size], '\0') << "word " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitCallLine,
                         testing::Values(SplitRow{"n_tasu 1.5 2.25", {"n_tasu", "1.5", "2.25"}},
                                         SplitRow{"  n_tasu\t1   2 \t", {"n_tasu", "1", "2"}},
                                         SplitRow{"n_sqrt", {"n_sqrt"}},
                                         SplitRow{R"(n_tasu "1 5" "")", {"n_tasu", "1 5", ""}},
                                         SplitRow{R"("" "")", {"", ""}},
                                         SplitRow{R"(n_fabs "a\"b\\c")", {"n_fabs", "a\"b\\c"}},
                                         SplitRow{R"(n_fabs "x\ny\tz\r")", {"n_fabs", "x\ny\tz\r"}},
                                         SplitRow{R"(n_fabs "\\")", {"n_fabs", "\\"}},
                                         SplitRow{R"(n_fabs a\b)", {"n_fabs", "a\\b"}},  // escapes only inside quotes
                                         SplitRow{"n_fabs \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
                                                  {"n_fabs", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}},
                                         SplitRow{"a b c d e f g h", {"a", "b", "c", "d", "e", "f", "g", "h"}}));

struct ProblemRow {
    std::string line;
    LineError error;
    std::size_t column;
};

void PrintTo(const ProblemRow& row, std::ostream* os) { *os << testing::PrintToString(row.line); }

class SplitCallLineProblem : public testing::TestWithParam<ProblemRow> {};

TEST_P(SplitCallLineProblem, IsFoundAtItsColumn) {
    const ProblemRow& row = GetParam();
    std::string buffer = row.line + '#';
    CallWords words;
    const LineProblem problem = split_call_line(buffer.data(), row.line.size(), words);
    EXPECT_EQ(problem.error, row.error);
    EXPECT_EQ(problem.column, row.column);
    Message text;
    describe(problem, text);
    if (row.error == LineError::empty) {
        EXPECT_EQ(text.view(), "empty line: no export named");
    } else {
        EXPECT_NE(text.view().find(" at column " + std::to_string(row.column)), std::string_view::npos) << text.view();
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitCallLineProblem,
                         testing::Values(ProblemRow{"", LineError::empty, 1}, ProblemRow{" \t ", LineError::empty, 1},
                                         ProblemRow{R"(n_fabs "abc)", LineError::unbalanced_quote, 8},
                                         ProblemRow{R"(n_fabs "abc\")", LineError::unbalanced_quote, 8},
                                         ProblemRow{R"(n_fabs "abc\)", LineError::unbalanced_quote, 8},
                                         ProblemRow{R"(n_fabs "a\qb")", LineError::unknown_escape, 10},
                                         ProblemRow{R"(n_fabs "a"b)", LineError::text_after_quote, 11},
                                         ProblemRow{R"(n_fabs "a""b")", LineError::text_after_quote, 11},
                                         ProblemRow{R"(n_fabs a"b")", LineError::quote_inside_word, 9},
                                         ProblemRow{std::string("n_fabs 1\0002", 10), LineError::nul_byte, 9},
                                         ProblemRow{"a b c d e f g h i", LineError::too_many_words, 17}));

TEST(SplitCallLine, EmptyTextDoesNotSwallowTheNextWord) {
    std::string buffer = R"(n_tasu "" 5)";
    buffer += '#';
    CallWords words;
    ASSERT_FALSE(split_call_line(buffer.data(), buffer.size() - 1, words));
    ASSERT_EQ(words.count, 3u);
    EXPECT_EQ(words.words[1].view(), "");
    EXPECT_EQ(words.words[2].view(), "5");
}

// Lines are 8-bit text: every byte but NUL is passed on. The UTF-8 reading
// serves the JSON output, which must tell UTF-8 from other bytes.
TEST(SplitCallLine, PassesEveryByteButNul) {
    std::string line = "n_fabs \xA0\x31 \xFF\x80 \xC3\xA9";
    line += '\0';
    CallWords words;
    ASSERT_FALSE(split_call_line(line.data(), line.size() - 1, words));
    ASSERT_EQ(words.count, 4u);
    EXPECT_EQ(words.words[1].view(), "\xA0\x31");
    EXPECT_EQ(words.words[2].view(), "\xFF\x80");
    EXPECT_EQ(check_text_bytes(std::string("1\0", 2)).error, LineError::nul_byte);
    EXPECT_EQ(check_text_bytes(std::string("1\0", 2)).column, 2u);
}

struct BytesRow {
    std::string text;
    std::size_t malformed_column;  // 1-based column of the first malformed sequence; 0 for none
};

void PrintTo(const BytesRow& row, std::ostream* os) { *os << testing::PrintToString(row.text); }

class Utf8Sequences : public testing::TestWithParam<BytesRow> {};

TEST_P(Utf8Sequences, AreWellFormedOrNot) {
    const BytesRow& row = GetParam();
    std::size_t column = 0;
    for (std::size_t i = 0; i < row.text.size();) {
        const std::size_t length = utf8_sequence_length(row.text, i);
        if (length == 0) {
            column = i + 1;
            break;
        }
        i += length;
    }
    EXPECT_EQ(column, row.malformed_column);
    EXPECT_FALSE(check_text_bytes(row.text)) << "only NUL is refused";
}

INSTANTIATE_TEST_SUITE_P(Sequences, Utf8Sequences,
                         testing::Values(BytesRow{"", 0}, BytesRow{"plain 1.5", 0},
                                         BytesRow{"\xC2\x80", 0},      // U+0080, smallest two-byte
                                         BytesRow{"\xDF\xBF", 0},      // U+07FF
                                         BytesRow{"\xE0\xA0\x80", 0},  // U+0800
                                         BytesRow{"\xED\x9F\xBF", 0},  // U+D7FF, below the surrogates
                                         BytesRow{"\xEF\xBF\xBF", 0},  // U+FFFF
                                         BytesRow{"\xF0\x90\x80\x80", 0},  // U+10000
                                         BytesRow{"\xF4\x8F\xBF\xBF", 0},  // U+10FFFF, the last
                                         BytesRow{"ab\x80", 3},    // stray continuation
                                         BytesRow{"\xC0\xAF", 1},  // overlong '/'
                                         BytesRow{"\xC1\xBF", 1},
                                         BytesRow{"\xE0\x9F\xBF", 1},  // overlong three-byte
                                         BytesRow{"\xED\xA0\x80", 1},  // surrogate U+D800
                                         BytesRow{"\xF0\x8F\xBF\xBF", 1},  // overlong four-byte
                                         BytesRow{"\xF4\x90\x80\x80", 1},  // beyond U+10FFFF
                                         BytesRow{"\xF5\x80\x80\x80", 1},
                                         BytesRow{"\xFF", 1},
                                         BytesRow{"x\xE2\x82", 2},     // cut short at the end
                                         BytesRow{"\xE2\x28\xA1", 1},  // bad third byte
                                         BytesRow{"\xF0\x9F\x98\x41", 1}));

struct IntegerRow {
    std::string text;
    IntegerError error;
    std::int32_t value;
};

void PrintTo(const IntegerRow& row, std::ostream* os) { *os << testing::PrintToString(row.text); }

class ParseInt32 : public testing::TestWithParam<IntegerRow> {};

TEST_P(ParseInt32, ReadsDecimalIn32Bits) {
    const IntegerRow& row = GetParam();
    std::int32_t value = 12345;  // left alone on failure
    EXPECT_EQ(parse_int32(row.text, value), row.error);
    EXPECT_EQ(value, row.error == IntegerError::none ? row.value : 12345);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseInt32,
    testing::Values(
        IntegerRow{"0", IntegerError::none, 0}, IntegerRow{"-0", IntegerError::none, 0},
        IntegerRow{"+17", IntegerError::none, 17}, IntegerRow{"-17", IntegerError::none, -17},
        IntegerRow{"007", IntegerError::none, 7}, IntegerRow{"2147483647", IntegerError::none, 2147483647},
        IntegerRow{"-2147483648", IntegerError::none, -2147483647 - 1},
        IntegerRow{"00000000000000000000002147483647", IntegerError::none, 2147483647},
        IntegerRow{"2147483648", IntegerError::out_of_range, 0},
        IntegerRow{"-2147483649", IntegerError::out_of_range, 0},
        IntegerRow{"4294967296", IntegerError::out_of_range, 0},
        IntegerRow{"4294967297", IntegerError::out_of_range, 0},            // would wrap to 1
        IntegerRow{"18446744073709551617", IntegerError::out_of_range, 0},  // 2^64 + 1
        IntegerRow{"99999999999999999999999999999", IntegerError::out_of_range, 0},
        IntegerRow{"", IntegerError::not_an_integer, 0}, IntegerRow{"-", IntegerError::not_an_integer, 0},
        IntegerRow{"+", IntegerError::not_an_integer, 0}, IntegerRow{"1.5", IntegerError::not_an_integer, 0},
        IntegerRow{"1e3", IntegerError::not_an_integer, 0}, IntegerRow{" 1", IntegerError::not_an_integer, 0},
        IntegerRow{"1 ", IntegerError::not_an_integer, 0}, IntegerRow{"0x10", IntegerError::not_an_integer, 0},
        IntegerRow{"--1", IntegerError::not_an_integer, 0},
        IntegerRow{"99999999999999999999x", IntegerError::not_an_integer, 0},
        IntegerRow{"\xEF\xBC\x91", IntegerError::not_an_integer, 0}));  // full-width 1

TEST(Message, QuotesUserTextSafelyAndShortly) {
    Message m;
    m.add_quoted("a\"b\\c\n\xC3\xA9");
    EXPECT_EQ(m.view(), R"("a\x22b\x5Cc\x0A\xC3\xA9")");

    Message longer;
    longer.add_quoted(std::string(100, 'x'));
    EXPECT_EQ(longer.view(), "\"" + std::string(Message::quoted_limit, 'x') + "\"...");

    Message full;
    for (int i = 0; i < 1000; ++i) full.add("0123456789");
    EXPECT_EQ(full.view().size(), Message::capacity);
}

}  // namespace
}  // namespace vyxmath::host
