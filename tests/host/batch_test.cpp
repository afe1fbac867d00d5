// Batch mode: line framing across block boundaries, one output line per
// input line, errors that leave the other calls intact.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "batch.h"
#include "fake_module.h"
#include "host_limits.h"

namespace vyxmath::host {
namespace {

struct BatchOutcome {
    std::string output;
    BatchResult result;
};

std::string read_all(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    return text;
}

BatchOutcome run_lines(const std::string& input, std::size_t block_bytes) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    EXPECT_TRUE(in != nullptr && out != nullptr);
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    const ExportIndex exports(testing_support::fake_export);
    CallRunner runner(exports);
    BatchOutcome outcome;
    outcome.result = run_batch(fileno(in), fileno(out), runner, block_bytes);
    outcome.output = read_all(out);
    std::fclose(in);
    std::fclose(out);
    return outcome;
}

struct BatchRow {
    std::string name;
    std::string input;
    std::string output;
    std::uint64_t calls;
    std::uint64_t failed;
};

void PrintTo(const BatchRow& row, std::ostream* os) { *os << testing::PrintToString(row.name); }

const std::string overlong(max_line_bytes + 1, '9');
const std::string longest_argument(max_line_bytes - 7, '8');  // "n_fabs " + argument fills the line

const BatchRow batch_rows[] = {
    {"Empty", "", "", 0, 0},
    {"OneLine", "n_gcd 1 2\n", "3\n", 1, 0},
    {"LastLineWithoutBreak", "n_gcd 1 2\nn_sqrt 4", "3\n|4|0|0\n", 2, 0},
    {"CrLf", "n_fabs 1\r\nn_fabs \"2 \"\r\n", "1\n2 \n", 2, 0},
    {"OnlyOneCarriageReturnIsTheBreak", "n_fabs \"a\"\r\r\n",
     "error: line 1: text right after a closing quote at column 11\n", 1, 1},
    {"ErrorsLeaveOtherLinesIntact",
     "n_gcd 1 2\nn_foo\n\nn_tasu 1\nn_sosu 7\nn_fabs \"x\nn_gcd 2 2147483648\nn_sosu 8\n",
     "3\n"
     "error: line 2: unknown export \"n_foo\" (--list shows the exports)\n"
     "\n"
     "error: line 4: n_tasu: argument 2 (p2, text) is missing: TEXT TEXT [DIGITS]\n"
     "0\n"
     "error: line 6: quote not closed, opened at column 8\n"
     "error: line 7: n_gcd: argument 2 (p3, integer) is outside the 32-bit range: \"2147483648\"\n"
     "-1\n",
     8, 4},
    {"BlankAndCommentLinesAreNoCalls", "# gcd\n\r\n \t\n  #n_foo\nn_gcd 1 2 # 3\n\"#\" 1\n",
     "\n\n\n\n3\n"
     "error: line 6: unknown export \"#\" (--list shows the exports)\n",
     6, 1},
    {"NulAndBadUtf8", std::string("n_fabs a\0b\nn_fabs \xC3\nn_fabs \xC3\xA9\n", 30),
     "error: line 1: NUL byte at column 9\n\xC3\n\xC3\xA9\n", 3, 1},
    {"LongestLine", "n_fabs " + longest_argument + "\nn_gcd 1 1\n", longest_argument + "\n2\n", 2, 0},
    {"LongestLineWithCrLf", "n_fabs " + longest_argument + "\r\nn_gcd 1 1\n", longest_argument + "\n2\n", 2, 0},
    {"OverlongLine", "n_gcd 1 1\n" + overlong + "\nn_gcd 2 2\n" + overlong + "\r\n" + overlong,
     "2\nerror: line 2: longer than the host's limit of 65536 bytes\n4\n"
     "error: line 4: longer than the host's limit of 65536 bytes\n"
     "error: line 5: longer than the host's limit of 65536 bytes\n",
     5, 3},
    {"VeryLongLine", std::string(5 * max_line_bytes, ' ') + "\nn_gcd 3 3\n",
     "error: line 1: longer than the host's limit of 65536 bytes\n6\n", 2, 1},
};

class Batch : public testing::TestWithParam<std::tuple<BatchRow, std::size_t>> {};

TEST_P(Batch, AnswersEveryLineInOrder) {
    const auto& [row, block_bytes] = GetParam();
    const BatchOutcome got = run_lines(row.input, block_bytes);
    EXPECT_EQ(got.output, row.output);
    EXPECT_EQ(got.result.calls, row.calls);
    EXPECT_EQ(got.result.failed, row.failed);
    EXPECT_FALSE(got.result.io_error);
}

// Tiny blocks put every line, word and "\r\n" across a block boundary.
INSTANTIATE_TEST_SUITE_P(Inputs, Batch,
                         testing::Combine(testing::ValuesIn(batch_rows),
                                          testing::Values(std::size_t{1}, std::size_t{2}, std::size_t{3},
                                                          std::size_t{7}, std::size_t{4096}, default_block_bytes)),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + "_block" + std::to_string(std::get<1>(info.param));
                         });

TEST(Batch, OutputLargerThanABlockIsWrittenCompletely) {
    std::string input, expected;
    for (int i = 0; i < 20000; ++i) {
        input += "n_gcd " + std::to_string(i) + " 1\n";
        expected += std::to_string(i + 1) + "\n";
    }
    const BatchOutcome got = run_lines(input, 1000);
    EXPECT_EQ(got.output, expected);
    EXPECT_EQ(got.result.calls, 20000u);
}

TEST(Batch, ReportsAnUnwritableOutput) {
    std::FILE* in = std::tmpfile();
    std::fputs("n_gcd 1 2\n", in);
    std::rewind(in);
    const ExportIndex exports(testing_support::fake_export);
    CallRunner runner(exports);
    const BatchResult result = run_batch(fileno(in), -1, runner, 64);
    EXPECT_TRUE(result.io_error);
    std::fclose(in);
}

}  // namespace
}  // namespace vyxmath::host
