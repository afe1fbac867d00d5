// vyxmath: runs the module's exports from the command line, one call from the
// arguments or one call per line from standard input.
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch.h"
#include "call_line.h"
#include "call_runner.h"
#include "export_index.h"
#include "export_listing.h"
#include "host_limits.h"
#include "module_loader.h"
#include "name_suggestions.h"
#include "platform_io.h"
#include "vyxmath_version.h"

namespace {

using namespace vyxmath::host;

// Exit statuses.
constexpr int exit_ok = 0;
constexpr int exit_call_failed = 1;  // a bad call (in batch mode: at least one)
constexpr int exit_usage = 2;        // bad options, or the module did not load

constexpr std::string_view usage_lines =
    "usage: vyxmath [OPTION...] EXPORT [ARG...]   one call; prints p1 after it\n"
    "       vyxmath [OPTION...] -                 calls from standard input\n"
    "       vyxmath --list                        the exports and what they compute\n"
    "       vyxmath --help [EXPORT]               this text, or an export's slots and examples\n"
    "       vyxmath --version\n";

void print_usage(std::FILE* to) {
    std::fwrite(usage_lines.data(), 1, usage_lines.size(), to);
    std::fputs("Example: vyxmath n_tasu 1.5 2.25   prints 3.75\n", to);
}

void print_help() {
    std::string text(usage_lines);
    text +=
        "\n"
        "Options:\n"
        "  --module PATH  load the module from PATH\n"
        "  --strict       every warning is an error instead: the call is not made (exit 1)\n"
        "  --quiet        no warnings\n"
        "  -h, --help     this text; --help EXPORT shows one export\n"
        "\n"
        "The host loads the module at run time: ";
    text += module_file_name();
    text +=
        " beside the vyxmath executable,\n"
        "or the file given with --module PATH. It owns the call's variables.\n"
        "\n"
        "Arguments fill the export's slots in order from p1, except that a p1 the\n"
        "export only writes takes no argument; ignored slots take none. Text\n"
        "arguments must be given; integer arguments (INT, DIGITS, UNIT) not given\n"
        "are 0. The output is p1's content after the call, on one line; for n_sosu\n"
        "it is the status (0 prime, -1 not). Digits may be at most ";
    text += std::to_string(max_digits);
    text +=
        "; at most 17\n"
        "significant digits are written.\n"
        "Example: vyxmath n_tasu 1.5 2.25   prints 3.75\n"
        "\n"
        "Warnings on standard error (the call is made as given): a text argument\n"
        "that is not wholly a number is read as the number it starts with, or 0;\n"
        "the module's texts such as 1.#INF read as 1; an angle unit other than 0\n"
        "or 1 leaves p1 unchanged, as does a shift direction other than 0 or 1;\n"
        "digits above 17 write no more than 17, and negative digits write one.\n"
        "\n"
        "With \"-\", each line of standard input is one call written the same way:\n"
        "words separated by blanks, a text with blanks in double quotes, where\n"
        "\\\" \\\\ \\n \\t \\r are escapes and \"\" is the empty text. One line is printed\n"
        "per input line, in order; a blank line or one starting with # is printed\n"
        "as an empty line. A bad line prints \"error: line N: \" and the reason and\n"
        "the run goes on. Lines may end in \\n or \\r\\n and hold at most ";
    text += std::to_string(max_line_bytes);
    text +=
        " bytes of\n"
        "UTF-8 text.\n"
        "\n"
        "Exit status: 0 when every call ran, 1 when a call was bad (in batch mode,\n"
        "any line), 2 for bad options or a module that does not load.\n";
    std::fputs(text.c_str(), stdout);
}

int usage_error(std::string_view problem) {
    std::fprintf(stderr, "vyxmath: %.*s (vyxmath --help shows the usage)\n", static_cast<int>(problem.size()),
                 problem.data());
    return exit_usage;
}

// One-line error message on standard error.
int call_error(std::string_view problem) {
    std::fprintf(stderr, "vyxmath: %.*s\n", static_cast<int>(problem.size()), problem.data());
    return exit_call_failed;
}

// An export's help page, or an unknown name with the nearest ones.
int print_export_help(std::string_view name) {
    for (const vyxmath::ExportInfo& e : vyxmath::export_table) {
        if (e.name == name) {
            std::fputs(export_help_page(e).c_str(), stdout);
            return exit_ok;
        }
    }
    Message problem;
    problem.add("unknown export ").add_quoted(name);
    add_name_suggestions(name, problem);
    problem.add(" (--list shows the exports)");
    call_error(problem.view());
    return exit_usage;
}

int run_single(CallRunner& runner, std::string_view name, std::span<char*> words) {
    std::vector<Argument> args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view text(words[i]);
        if (const LineProblem problem = check_text_bytes(text)) {
            Message message;
            message.add("argument ").add(static_cast<std::int64_t>(i + 1)).add(": ");
            describe(problem, message);
            return call_error(message.view());
        }
        args.push_back({words[i], text.size()});
    }
    Message error;
    std::string_view output;
    if (!runner.run(name, args, output, error)) return call_error(error.view());
    for (const Message& note : runner.notes())
        std::fprintf(stderr, "vyxmath: warning: %.*s\n", static_cast<int>(note.view().size()), note.view().data());
    std::fwrite(output.data(), 1, output.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? exit_ok : exit_call_failed;
}

// What the options ask for; `next` is the index of the export's name.
struct HostOptions {
    std::string module_path;
    NoteMode notes = NoteMode::warn;
    int next = 1;
};

// Reads the options before the export's name. Options that answer by
// themselves (--help, --list, --version) and bad ones end the run: their
// exit status is returned. -1 lets the run go on.
int read_options(int argc, char** argv, HostOptions& options) {
    int& next = options.next;
    for (; next < argc; ++next) {
        const std::string_view option(argv[next]);
        // "-" alone is batch mode; options come before the export's name.
        if (option.size() < 2 || option[0] != '-') break;
        if (option == "--") {
            ++next;
            break;
        }
        if (option == "--help" || option == "-h") {
            if (next + 1 < argc) return print_export_help(argv[next + 1]);
            print_help();
            return exit_ok;
        }
        if (option == "--list") {
            std::fputs(export_listing().c_str(), stdout);
            return exit_ok;
        }
        if (option == "--version") {
            std::fputs("vyxmath " VYXMATH_VERSION_STRING "\n", stdout);
            return exit_ok;
        }
        if (option == "--strict") {
            options.notes = NoteMode::strict;
        } else if (option == "--quiet") {
            options.notes = NoteMode::quiet;
        } else if (option == "--module") {
            if (next + 1 == argc) return usage_error("--module needs a path");
            options.module_path = argv[++next];
        } else if (option.substr(0, 9) == "--module=") {
            options.module_path = std::string(option.substr(9));
        } else {
            return usage_error("unknown option " + std::string(option));
        }
    }
    return -1;
}

// Calls from standard input, one per line, until its end.
int run_batch_mode(CallRunner& runner) {
    std::fflush(stdout);
    const BatchResult result = run_batch(0, 1, runner, default_block_bytes, 2);
    if (result.io_error)
        std::fprintf(stderr, "vyxmath: reading or writing failed after %llu lines\n",
                     static_cast<unsigned long long>(result.calls));
    return result.failed > 0 || result.io_error ? exit_call_failed : exit_ok;
}

}  // namespace

int main(int argc, char** argv) {
    use_binary_standard_streams();
    if (argc <= 1) {
        print_usage(stderr);
        return exit_usage;
    }
    HostOptions options;
    if (const int answered = read_options(argc, argv, options); answered >= 0) return answered;
    const int next = options.next;
    if (next == argc) return usage_error("no export named");
    const std::string_view name(argv[next]);
    const bool batch = name == "-";
    if (batch && next + 1 < argc) return usage_error("batch mode \"-\" takes no arguments");

    std::string& module_path = options.module_path;
    if (module_path.empty()) module_path = default_module_path();
    LoadedModule module;
    std::string reason;
    if (!module.load(module_path, reason)) {
        std::fprintf(stderr, "vyxmath: cannot load the module %s: %s\n", module_path.c_str(), reason.c_str());
        return exit_usage;
    }
    const ExportIndex exports([&module](std::string_view export_name) { return module.resolve(export_name); });
    CallRunner runner(exports, options.notes);
    if (batch) return run_batch_mode(runner);
    return run_single(runner, name, std::span<char*>(argv + next + 1, argv + argc));
}
