// vyxmath: runs the module's exports from the command line, one call from the
// arguments, or one call per line from files and standard input, or a
// session at a prompt.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch.h"
#include "call_line.h"
#include "call_record.h"
#include "call_runner.h"
#include "export_index.h"
#include "export_listing.h"
#include "host_limits.h"
#include "host_options.h"
#include "interactive.h"
#include "module_loader.h"
#include "name_suggestions.h"
#include "operand_check.h"
#include "platform_io.h"
#include "translation.h"
#include "vyxmath_version.h"

namespace {

using namespace vyxmath::host;

// Exit statuses.
constexpr int exit_ok = 0;
constexpr int exit_call_failed = 1;  // a call refused or failed (from files: at least one line)
constexpr int exit_usage = 2;        // a command line that cannot be run, or a module that does not load

constexpr std::string_view usage_lines =
    "usage: vyxmath [OPTION...] EXPORT [ARG...]   one call; prints p1 after it\n"
    "       vyxmath [OPTION...] -                 calls from standard input (a prompt on a terminal)\n"
    "       vyxmath [OPTION...] -f FILE...        calls from files, one per line\n"
    "       vyxmath --list                        the exports and what they compute\n"
    "       vyxmath --help [EXPORT...]            this text, or the exports' slots and examples\n"
    "       vyxmath --version\n";

void print_usage(std::FILE* to) {
    std::fwrite(usage_lines.data(), 1, usage_lines.size(), to);
    std::fputs("Example: vyxmath n_tasu 1.5 2.25   prints 3.75\n", to);
}

void print_help() {
    std::string text(usage_lines);
    text += "\nOptions:\n";
    text += option_table();
    text +=
        "Options come before the export's name, in any order; \"--\" ends them. A\n"
        "value follows its option as the next word or after \"=\".\n"
        "\n"
        "The host loads the module at run time: ";
    text += module_file_name();
    text +=
        " beside the vyxmath\n"
        "executable, or the file given with --module PATH. It owns the call's\n"
        "variables.\n"
        "\n"
        "Arguments fill the export's slots in order from p1, except that a p1 the\n"
        "export only writes takes no argument; ignored slots take none. Text\n"
        "arguments must be given; integer arguments (INT, DIGITS, UNIT) not given\n"
        "are 0, digits the value of --digits when it is given. The output is p1's\n"
        "content after the call, on one line; for n_sosu it is the status (0 prime,\n"
        "-1 not). Digits may be at most ";
    text += std::to_string(max_digits);
    text +=
        "; only 17 significant digits are\n"
        "computed, and places past them are written as zeros. Arguments are 8-bit\n"
        "text, passed to the module byte for byte.\n"
        "\n"
        "Warnings on standard error (the call is made as given): a text argument\n"
        "that is not wholly a number is read as the number it starts with, or 0;\n"
        "the module's texts such as 1.#INF read as 1; an angle unit other than 0\n"
        "or 1 leaves p1 unchanged, as does a shift direction other than 0 or 1;\n"
        "digits above 17 add zeros, and negative digits write one digit.\n"
        "\n"
        "With \"-\" or -f, each line is one call written the same way: words\n"
        "separated by blanks, a text with blanks in double quotes, where \\\" \\\\ \\n\n"
        "\\t \\r are escapes and \"\" is the empty text; an unquoted word starting\n"
        "with # begins a comment. One line is printed per input line, in order; a\n"
        "blank or comment line is printed as an empty line. A bad line prints\n"
        "\"error: line N: \" and the reason (--errors=stderr: on standard error,\n"
        "with an empty line printed) and the run goes on, unless --fail-fast.\n"
        "Lines may end in \\n or \\r\\n, hold at most ";
    text += std::to_string(max_line_bytes);
    text +=
        " bytes and any byte\n"
        "but NUL; a UTF-8 byte-order mark opening a file is skipped. On a terminal,\n"
        "\"-\" gives a prompt with line editing, history and completion of the\n"
        "export names; the word ans stands for the last result, help [EXPORT]\n"
        "shows the listing or an export's page, and quit or Ctrl-D ends it.\n"
        "\n"
        "With --format=tsv each call prints: export, arguments, p1, status and\n"
        "warnings, separated by tabs (a bad line: status \"error\" and the reason);\n"
        "with --format=json one JSON object with the same fields.\n"
        "\n"
        "Exit status:\n"
        "  0  every call ran\n"
        "  1  a call was refused under --strict, or (from files) a line was bad\n"
        "  2  a command line that cannot be run (an unknown option or export, a\n"
        "     missing or extra argument, an argument that is not an integer), or\n"
        "     a module or file that does not open\n"
        "\n"
        "Examples:\n"
        "  vyxmath n_tasu 1.5 2.25              prints 3.75\n"
        "  vyxmath n_sin 30 1                   the sine of 30 degrees: 0.5\n"
        "  vyxmath --digits 17 n_waru 1 3       prints 0.33333333333333331\n"
        "  vyxmath --help n_pow n_exp           the slots and examples of two exports\n"
        "  vyxmath --format=tsv -f calls.txt    every call of calls.txt, echoed\n"
        "  printf 'n_kaijo 5\\n' | vyxmath -     prints 120\n";
    std::fputs(text.c_str(), stdout);
}

void print_problem(std::string_view problem) {
    std::fprintf(stderr, "vyxmath: %.*s\n", static_cast<int>(problem.size()), problem.data());
}

int usage_error(std::string_view problem) {
    print_problem(tr_format("{1} (vyxmath --help shows the usage)", {problem}));
    return exit_usage;
}

// The help pages of the exports named; an unknown name gets the nearest
// ones and exit status 2, after the pages of the others.
int print_export_help(std::span<char* const> names) {
    int status = exit_ok;
    bool first = true;
    for (const char* name : names) {
        const std::optional<vyxmath::ExportInfo> e = vyxmath::find_export(name);
        if (!e) {
            Message problem;
            describe_unknown_export(name, problem);
            std::fflush(stdout);
            print_problem(problem.view());
            status = exit_usage;
            continue;
        }
        if (!first) std::fputc('\n', stdout);
        first = false;
        for (const vyxmath::ExportInfo& row : vyxmath::export_table)
            if (row.name == e->name) std::fputs(export_help_page(row).c_str(), stdout);
    }
    return status;
}

// The options that answer by themselves.
int answer(const HostOptions& options, std::span<char* const> operands) {
    switch (options.answer) {
        case Answer::help:
            if (!operands.empty()) return print_export_help(operands);
            print_help();
            return exit_ok;
        case Answer::version:
            if (!operands.empty()) return usage_error(tr("--version takes no arguments"));
            std::fputs("vyxmath " VYXMATH_VERSION_STRING "\n", stdout);
            return exit_ok;
        case Answer::list:
            if (!operands.empty()) return usage_error(tr("--list takes no arguments (--help EXPORT shows one export)"));
            std::fputs(export_listing().c_str(), stdout);
            return exit_ok;
        case Answer::none: break;
    }
    return exit_ok;
}

int run_single(CallRunner& runner, OutputFormat format, std::string_view name, std::span<char* const> words) {
    std::vector<Argument> args;
    for (char* word : words) args.push_back({word, std::strlen(word)});
    Message error;
    std::string_view output;
    if (!runner.run(name, args, output, error)) {
        print_problem(error.view());
        return runner.refused() ? exit_call_failed : exit_usage;
    }
    if (format == OutputFormat::plain) {
        for (const Message& note : runner.notes())
            std::fprintf(stderr, "vyxmath: warning: %.*s\n", static_cast<int>(note.view().size()), note.view().data());
    }
    std::string line;
    append_record(format, {name, args, output, runner.status(), runner.notes(), {}}, line);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? exit_ok : exit_call_failed;
}

// Calls from each file in turn ("-" is standard input, a prompt when it is
// a terminal). Every file is opened before any call is made.
int run_files(CallRunner& runner, const HostOptions& options) {
    std::vector<int> fds;
    for (const std::string& file : options.files) {
        const int fd = file == "-" ? 0 : open_for_reading(file.c_str());
        if (fd < 0) {
            const std::string reason = std::strerror(errno);
            for (int open_fd : fds)
                if (open_fd != 0) close_file(open_fd);
            print_problem(tr_format("cannot open {1}: {2}", {file, reason}));
            return exit_usage;
        }
        fds.push_back(fd);
    }
    std::fflush(stdout);
    bool failed = false;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i] == 0 && is_terminal(0) && interactive_available()) {
            failed = run_interactive(runner) != 0 || failed;
            continue;
        }
        BatchOptions batch;
        batch.note_fd = 2;
        batch.error_fd = options.errors_to_stderr ? 2 : -1;
        batch.fail_fast = options.fail_fast;
        batch.format = options.format;
        if (fds[i] != 0) batch.source = options.files[i];
        const BatchResult result = run_batch(fds[i], 1, runner, batch);
        if (fds[i] != 0) close_file(fds[i]);
        if (result.io_error)
            print_problem(tr_format("reading or writing failed after {1} lines", {std::to_string(result.calls)}));
        failed = failed || result.failed > 0 || result.io_error;
        if (result.io_error || result.stopped) break;
    }
    return failed ? exit_call_failed : exit_ok;
}

// --digits beyond what the module computes warns once, as a digits
// argument would (an error under --strict).
bool check_digits_option(const HostOptions& options) {
    if (!options.digits || (options.quiet && !options.strict)) return true;
    const std::int32_t digits = *options.digits;
    if (digits <= vyxmath::most_written_digits && digits >= 0) return true;
    Message note, value;
    value.add(static_cast<std::int64_t>(digits));
    if (digits < 0) {
        note.add_format(tr("--digits {1}: below 1, one significant digit is written"), {value.view()});
    } else {
        note.add_format(tr("--digits {1}"), {value.view()});
        add_digits_above_17(note);
    }
    if (options.strict) {
        usage_error(tr_format("{1} (an error with --strict)", {note.view()}));
        return false;
    }
    std::fprintf(stderr, "vyxmath: warning: %.*s\n", static_cast<int>(note.view().size()), note.view().data());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    use_binary_standard_streams();
    start_translation();
    if (argc <= 1) {
        print_usage(stderr);
        return exit_usage;
    }
    HostOptions options;
    std::string problem;
    if (!read_host_options(argc, argv, options, problem)) return usage_error(problem);
    const std::span<char* const> operands(argv + options.first_operand, argv + argc);
    if (options.answer != Answer::none) return answer(options, operands);

    if (!operands.empty() && std::string_view(operands[0]) == "-") {
        if (operands.size() > 1) return usage_error(tr("\"-\" takes no arguments: the calls come from standard input"));
        options.files.emplace_back("-");
    } else if (!options.files.empty() && !operands.empty()) {
        return usage_error(tr("calls from files (-f) and a call on the command line cannot be combined"));
    }
    if (options.files.empty() && operands.empty()) return usage_error(tr("no export named"));
    if (!check_digits_option(options)) return exit_usage;

    std::string& module_path = options.module_path;
    if (module_path.empty()) module_path = default_module_path();
    LoadedModule module;
    std::string reason;
    if (!module.load(module_path, reason)) {
        print_problem(tr_format("cannot load the module {1}: {2}", {module_path, reason}));
        return exit_usage;
    }
    const ExportIndex exports([&module](std::string_view export_name) { return module.resolve(export_name); });
    CallRunner runner(exports, options.note_mode(), options.digits.value_or(0));
    if (!options.files.empty()) return run_files(runner, options);
    return run_single(runner, options.format, operands[0], operands.subspan(1));
}
