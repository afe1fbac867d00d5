// The built host as a process: the module loaded from beside it, single
// calls, batch mode, and how bad use ends.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/export_help.h"
#include "frame/export_table.h"

namespace {

struct Finished {
    int status;  // exit status, or -1 when the host did not exit normally
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// `environment`: shell assignments for the host's environment, "A=1 B=2".
Finished run_host(const std::string& arguments, const std::string& input = "", const std::string& environment = "") {
    static int runs = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path() /
                                       ("vyxmath_host_e2e_" + std::to_string(getpid()) + "_" + std::to_string(++runs));
    const std::string in = base.string() + ".in", out = base.string() + ".out", err = base.string() + ".err";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = (environment.empty() ? "" : "env " + environment + " ") +
        quote(VYXMATH_HOST_PATH) + " " + arguments + " < " + quote(in) + " > " + quote(out) + " 2> " + quote(err);
    const int raw = std::system(command.c_str());
    Finished done{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    for (const std::string& file : {in, out, err}) std::filesystem::remove(file);
    return done;
}

struct ProcessRow {
    std::string name;
    std::string arguments;  // shell words
    std::string input;
    int status;
    std::string out;
    std::string err_part;  // the one-line message on standard error contains this
};

void PrintTo(const ProcessRow& row, std::ostream* os) { *os << row.name; }

class HostProcess : public testing::TestWithParam<ProcessRow> {};

TEST_P(HostProcess, PrintsAndEndsAsExpected) {
    const ProcessRow& row = GetParam();
    const Finished done = run_host(row.arguments, row.input);
    EXPECT_EQ(done.status, row.status);
    EXPECT_EQ(done.out, row.out);
    if (row.err_part.empty()) {
        EXPECT_EQ(done.err, "");
    } else {
        EXPECT_NE(done.err.find(row.err_part), std::string::npos) << done.err;
        EXPECT_EQ(done.err.find('\n'), done.err.size() - 1) << "one line: " << done.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Uses, HostProcess,
    testing::Values(
        // The three examples of the README.
        ProcessRow{"Add", "n_tasu 1.5 2.25", "", 0, "3.75\n", ""},
        ProcessRow{"DivideTo17Digits", "n_waru 1 3 17", "", 0, "0.33333333333333331\n", ""},
        ProcessRow{"ZeroByZero", "n_waru 0 0", "", 0, "-1.#IND\n", ""},
        ProcessRow{"TextWithBlanksIsOneArgument", "n_kakeru \"  2\" 4", "", 0, "8.\n", ""},
        ProcessRow{"OptionsEndAtDoubleDash", "-- n_tasu -1 -2", "", 0, "-3.\n", ""},
        ProcessRow{"UnknownExport", "n_foo 1", "", 2, "", "unknown export \"n_foo\""},
        ProcessRow{"NotAnInteger", "n_tasu 1 2 x", "", 2, "", "argument 3 (p3, digits) is not an integer"},
        ProcessRow{"TooManyArguments", "n_tasu 1 2 3 4", "", 2, "", "too many arguments"},
        ProcessRow{"MissingText", "n_waru 1", "", 2, "", "argument 2 (p2, text) is missing"},
        ProcessRow{"DigitsAboveTheLimit", "n_tasu 1 2 4097", "", 2, "", "above the host's limit of 4096"},
        ProcessRow{"NonUtf8Argument", "n_tasu \"$(printf '\\377')\" 1", "", 0, "1.\n",
                   "argument 1 (\"\\xFF\") holds no number and is read as 0"},
        // The module reads no number from a 0xA0 byte before a digit; the host passes it on.
        ProcessRow{"NoBreakSpaceBeforeADigit", "n_tasu \"$(printf '\\2401')\" 1", "", 0, "1.\n",
                   "argument 1 (\"\\xA01\") holds no number and is read as 0"},
        ProcessRow{"ModuleThatDoesNotLoad", "--module /nonexistent/libvyxmath.so n_tasu 1 2", "", 2, "",
                   "cannot load the module /nonexistent/libvyxmath.so"},
        ProcessRow{"ModuleThatIsNotALibrary", "--module=" + quote(VYXMATH_HOST_PATH) + " n_tasu 1 2", "", 2, "",
                   "cannot load the module"},
        ProcessRow{"UnknownOption", "--fast n_tasu 1 2", "", 2, "", "unknown option --fast"},
        ProcessRow{"NoExport", "--quiet", "", 2, "", "no export named"},
        ProcessRow{"BatchTakesNoArguments", "- n_tasu", "", 2, "", "takes no arguments"},
        // Batch mode: one line out per line in; errors do not stop the run.
        ProcessRow{"Batch", "-", "n_tasu 1 2\nn_waru 1 3 17\n\"n_hiku\" \"0.3\" \"0.1\"\n", 0,
                   "3.\n0.33333333333333331\n0.2\n", ""},
        ProcessRow{"BatchGoesOnAfterErrors", "-", "n_tasu 1 2\nn_foo 1\nn_tasu \"1\nn_kakeru 1.5 2\n", 1,
                   "3.\nerror: line 2: unknown export \"n_foo\" (--list shows the exports)\n"
                   "error: line 3: quote not closed, opened at column 8\n3.\n",
                   ""},
        ProcessRow{"EmptyBatch", "-", "", 0, "", ""}),
    [](const testing::TestParamInfo<ProcessRow>& info) { return info.param.name; });

TEST(HostProcess, ListsEveryExportFromTheTable) {
    const Finished done = run_host("--list");
    EXPECT_EQ(done.status, 0);
    std::size_t at = done.out.find('\n') + 1;  // behind the heading
    for (const vyxmath::ExportInfo& e : vyxmath::export_table) {
        ASSERT_EQ(done.out.compare(at, e.name.size() + 1, std::string(e.name) + " "), 0) << e.name;
        at = done.out.find('\n', at) + 1;
    }
    EXPECT_NE(done.out.find("A B [DIGITS]"), std::string::npos);
    EXPECT_NE(done.out.find("[VALUE] [COUNT] [DIRECTION]"), std::string::npos) << "slots named";
}

// Every example of the export descriptions, each a call of its own as the
// help page writes it (n_rand's first call on a thread is the one shown).
TEST(HostProcess, EveryHelpExamplePrintsWhatItSays) {
    for (const vyxmath::ExportHelp& help : vyxmath::export_help) {
        for (const vyxmath::ExportExample& example : help.examples) {
            const std::string call = std::string(help.name) + " " + std::string(example.arguments);
            const Finished done = run_host(call);
            EXPECT_EQ(done.status, 0) << call;
            EXPECT_EQ(done.out, std::string(example.output) + "\n") << call;
            EXPECT_EQ(done.err, "") << call;
        }
    }
}

TEST(HostProcess, HelpExplainsTheModesAndOptions) {
    const Finished done = run_host("--help");
    EXPECT_EQ(done.status, 0);
    for (const char* part : {"--module PATH", "--list", "standard input", "libvyxmath.so", "Exit status"})
        EXPECT_NE(done.out.find(part), std::string::npos) << part;
}

// Calls from several files, standard input among them, in the order given;
// errors and warnings name the file and its line, and --fail-fast ends the
// whole run at the first bad line.
TEST(HostProcess, CallsFromSeveralFiles) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("vyxmath_host_files_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string first = (dir / "first.calls").string(), second = (dir / "second.calls").string();
    std::ofstream(first, std::ios::binary) << "n_tasu 1 2\nn_foo\n";
    std::ofstream(second, std::ios::binary) << "\xEF\xBB\xBFn_kaijo 5 # a BOM opens every file\nn_tasu 1x 1\n";

    const Finished all = run_host("-f " + quote(first) + " -f - --file=" + quote(second), "n_sosu 7\n");
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.out, "3.\nerror: " + first + ": line 2: unknown export \"n_foo\" (--list shows the exports)\n0\n120\n2.\n");
    EXPECT_EQ(all.err, "vyxmath: warning: " + second + ": line 2: argument 1 (\"1x\") is read as 1\n");

    const Finished stopped = run_host("--fail-fast -f " + quote(first) + " -f " + quote(second));
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.out, "3.\nerror: " + first + ": line 2: unknown export \"n_foo\" (--list shows the exports)\n");

    const Finished good = run_host("-q -f " + quote(second) + " -f " + quote(second));
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "120\n2.\n120\n2.\n");
    std::filesystem::remove_all(dir);
}

// The messages in Japanese when the locale asks for it, from the catalogue
// built beside the host; English otherwise, and the results and the fixed
// line prefixes the same in both.
TEST(HostProcess, SpeaksTheLanguageTheLocaleAsksFor) {
    const std::string call = "--digits 25 n_pow 2 70";
    const std::string english = run_host(call, "", "-u LANGUAGE LC_ALL=C.UTF-8").err;
    EXPECT_EQ(english,
              "vyxmath: warning: --digits 25: only 17 significant digits are computed; the places past them are "
              "written as zeros\n");
    const std::string japanese_warning =
        "vyxmath: warning: --digits 25: \xE8\xA8\x88\xE7\xAE\x97\xE3\x81\x95\xE3\x82\x8C\xE3\x82\x8B"  // 計算される
        "\xE6\x9C\x89\xE5\x8A\xB9\xE6\x95\xB0\xE5\xAD\x97\xE3\x81\xAF 17 ";                           // 有効数字は 17
    std::vector<std::string> japanese_settings = {"LANGUAGE=ja LC_ALL=C.UTF-8"};
    if (std::system("locale -a 2>/dev/null | grep -qi '^ja_JP.utf-\\?8$'") == 0)
        japanese_settings.push_back("-u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8");
    for (const std::string& settings : japanese_settings) {
        const Finished done = run_host(call, "", settings);
        EXPECT_EQ(done.out, "1180591620717411300000.\n") << settings;
        EXPECT_EQ(done.err.rfind(japanese_warning, 0), 0u) << settings << ": " << done.err;
        const Finished batch = run_host("-", "n_foo 1\nn_tasu 1 \"2\n", settings);
        EXPECT_EQ(batch.out.rfind("error: line 1: \xE4\xB8\x8D", 0), 0u) << batch.out;  // 不明な...
        EXPECT_NE(batch.out.find("\nerror: line 2: 10 \xE6\xA1\x81"), std::string::npos) << batch.out;  // 10 桁目
    }
}

TEST(HostProcess, ModuleGivenByPathIsUsed) {
    const std::filesystem::path module = std::filesystem::path(VYXMATH_HOST_PATH).parent_path() / "libvyxmath.so";
    const Finished done = run_host("--module " + quote(module.string()) + " n_tasu 1 1");
    EXPECT_EQ(done.status, 0);
    EXPECT_EQ(done.out, "2.\n");
}

}  // namespace
