#include "interactive.h"

#include <editline/readline.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "call_line.h"
#include "export_listing.h"
#include "frame/export_table.h"
#include "name_suggestions.h"

namespace vyxmath::host {
namespace {

constexpr const char* prompt = "vyxmath> ";
constexpr int history_lines = 1000;

// The history file, ~/.vyxmath_history; none without a home folder.
std::string history_path() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    return std::string(home) + "/.vyxmath_history";
}

// The export names starting with `text`, one per call of the library.
char* next_export_name(const char* text, int state) {
    static std::size_t next = 0;
    if (state == 0) next = 0;
    const std::string_view typed(text);
    while (next < export_count) {
        const std::string_view name = export_table[next++].name;
        if (name.starts_with(typed)) return strndup(name.data(), name.size());
    }
    return nullptr;
}

// The first word is completed as an export name; the others are numbers.
char** complete(const char* text, int start, int) {
    rl_attempted_completion_over = 1;
    if (start > 0) return nullptr;
    return rl_completion_matches(text, next_export_name);
}

void print_error(std::string_view text) {
    std::fprintf(stderr, "error: %.*s\n", static_cast<int>(text.size()), text.data());
}

class Session {
public:
    explicit Session(CallRunner& runner) : runner_(runner) {}

    // One line as typed; false when it ends the session.
    bool line(std::string text) {
        const std::size_t size = text.size();
        text.push_back('\0');  // split_call_line may write behind the line
        if (const LineProblem problem = split_call_line(text.data(), size, words_)) {
            if (problem.error == LineError::empty) return true;
            Message message;
            describe(problem, message);
            fail(message.view());
            return true;
        }
        const std::string_view name = words_.words[0].view();
        if ((name == "quit" || name == "exit") && words_.count == 1) return false;
        if (name == "help") {
            help();
            return true;
        }
        for (std::size_t i = 1; i < words_.count; ++i)
            if (words_.words[i].view() == "ans") words_.words[i] = {answer_.c_str(), answer_.size()};
        const std::span<const Argument> args(words_.words.data() + 1, words_.count - 1);
        Message error;
        std::string_view output;
        if (!runner_.run(name, args, output, error)) {
            fail(error.view());
            return true;
        }
        for (const Message& note : runner_.notes())
            std::fprintf(stderr, "warning: %.*s\n", static_cast<int>(note.view().size()), note.view().data());
        std::fwrite(output.data(), 1, output.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        answer_.assign(output);
        return true;
    }

    bool failed() const { return failed_; }

private:
    void fail(std::string_view text) {
        print_error(text);
        failed_ = true;
    }

    void help() {
        if (words_.count == 1) {
            std::fputs(export_listing().c_str(), stdout);
            return;
        }
        for (std::size_t i = 1; i < words_.count; ++i) {
            const std::string_view name = words_.words[i].view();
            bool found = false;
            for (const ExportInfo& e : export_table) {
                if (e.name != name) continue;
                std::fputs(export_help_page(e).c_str(), stdout);
                found = true;
            }
            if (!found) {
                Message message;
                describe_unknown_export(name, message);
                print_error(message.view());
            }
        }
    }

    CallRunner& runner_;
    CallWords words_;
    std::string answer_ = "0";
    bool failed_ = false;
};

}  // namespace

bool interactive_available() { return true; }

int run_interactive(CallRunner& runner) {
    rl_readline_name = "vyxmath";
    rl_attempted_completion_function = complete;
    using_history();
    stifle_history(history_lines);
    const std::string history = history_path();
    if (!history.empty()) read_history(history.c_str());

    Session session(runner);
    for (;;) {
        char* typed = readline(prompt);
        if (typed == nullptr) {
            std::fputc('\n', stdout);
            break;
        }
        std::string text(typed);
        std::free(typed);
        if (text.find_first_not_of(" \t") != std::string::npos) add_history(text.c_str());
        if (!session.line(std::move(text))) break;
    }
    if (!history.empty()) write_history(history.c_str());
    return session.failed() ? 1 : 0;
}

}  // namespace vyxmath::host
