#include "host_options.h"

#include <array>
#include <string_view>

#include "call_line.h"
#include "host_limits.h"
#include "translation.h"

namespace vyxmath::host {
namespace {

enum class Name { help, version, list, strict, quiet, module, digits, format, errors, fail_fast, file };

struct OptionRule {
    Name name;
    char short_form;  // 0 for none
    std::string_view long_form;
    std::string_view value;  // the value's placeholder; empty for a flag
    std::string_view text;
};

constexpr std::array<OptionRule, 11> option_rules = {{
    {Name::help, 'h', "help", "", "this text; --help EXPORT... shows those exports"},
    {Name::version, 'V', "version", "", "the host's version"},
    {Name::list, 0, "list", "", "the exports, their arguments and what they compute"},
    {Name::strict, 's', "strict", "", "a warning is an error: the call is not made (exit 1)"},
    {Name::quiet, 'q', "quiet", "", "no warnings (--strict wins over it)"},
    {Name::file, 'f', "file", "FILE", "calls from FILE, one per line; several allowed, - is standard input"},
    {Name::digits, 0, "digits", "N", "digits for every call that does not give them"},
    {Name::format, 0, "format", "FORMAT", "plain (p1 only), tsv or json: each call echoed with its status"},
    {Name::errors, 0, "errors", "WHERE", "stdout, or stderr: a bad line's error there, an empty line out"},
    {Name::fail_fast, 0, "fail-fast", "", "end the calls from files at the first bad line"},
    {Name::module, 0, "module", "PATH", "load the module from PATH"},
}};

const OptionRule* find_long(std::string_view name) {
    for (const OptionRule& rule : option_rules)
        if (rule.long_form == name) return &rule;
    return nullptr;
}

const OptionRule* find_short(char c) {
    for (const OptionRule& rule : option_rules)
        if (rule.short_form == c) return &rule;
    return nullptr;
}

bool set_value(const OptionRule& rule, std::string_view value, HostOptions& options, std::string& problem) {
    const std::string shown = "--" + std::string(rule.long_form);
    switch (rule.name) {
        case Name::module: options.module_path = value; return true;
        case Name::file: options.files.emplace_back(value); return true;
        case Name::digits: {
            std::int32_t digits = 0;
            if (parse_int32(value, digits) != IntegerError::none || digits > max_digits) {
                problem = tr_format("{1} takes an integer up to {2}, not \"{3}\"",
                                    {shown, std::to_string(max_digits), value});
                return false;
            }
            options.digits = digits;
            return true;
        }
        case Name::format:
            if (value == "plain") options.format = OutputFormat::plain;
            else if (value == "tsv") options.format = OutputFormat::tsv;
            else if (value == "json") options.format = OutputFormat::json;
            else {
                problem = tr_format("{1} is plain, tsv or json, not \"{2}\"", {shown, value});
                return false;
            }
            return true;
        case Name::errors:
            if (value == "stdout" || value == "stderr") {
                options.errors_to_stderr = value == "stderr";
                return true;
            }
            problem = tr_format("{1} is stdout or stderr, not \"{2}\"", {shown, value});
            return false;
        default: return true;
    }
}

void set_flag(const OptionRule& rule, HostOptions& options) {
    const auto answer = [&options](Answer a) {
        if (options.answer == Answer::none || a < options.answer) options.answer = a;
    };
    switch (rule.name) {
        case Name::help: answer(Answer::help); break;
        case Name::version: answer(Answer::version); break;
        case Name::list: answer(Answer::list); break;
        case Name::strict: options.strict = true; break;
        case Name::quiet: options.quiet = true; break;
        case Name::fail_fast: options.fail_fast = true; break;
        default: break;
    }
}

}  // namespace

bool read_host_options(int argc, const char* const* argv, HostOptions& options, std::string& problem) {
    int next = 1;
    for (; next < argc; ++next) {
        const std::string_view word(argv[next]);
        if (word.size() < 2 || word[0] != '-') break;  // an operand, or "-" alone
        if (word == "--") {
            ++next;
            break;
        }
        const OptionRule* rule = nullptr;
        std::optional<std::string_view> attached;  // "--name=VALUE", "-fVALUE"
        if (word[1] == '-') {
            const std::string_view body = word.substr(2);
            const std::size_t equals = body.find('=');
            rule = find_long(body.substr(0, equals));
            if (equals != std::string_view::npos) attached = body.substr(equals + 1);
        } else {
            rule = find_short(word[1]);
            if (word.size() > 2) attached = word.substr(2);
        }
        // A flag given a value, or a bundle such as "-qs", is no option either.
        if (rule == nullptr || (rule->value.empty() && attached)) {
            problem = tr_format("unknown option {1}", {word});
            return false;
        }
        if (rule->value.empty()) {
            set_flag(*rule, options);
            continue;
        }
        if (!attached) {
            if (next + 1 == argc) {
                problem = tr_format("{1} needs {2}", {word, rule->value});
                return false;
            }
            attached = std::string_view(argv[++next]);
        }
        if (!set_value(*rule, *attached, options, problem)) return false;
    }
    options.first_operand = next;
    return true;
}

const char* option_table() {
    static const std::string table = [] {
        std::string out;
        for (const OptionRule& rule : option_rules) {
            std::string form = "  ";
            if (rule.short_form != 0) {
                form += '-';
                form += rule.short_form;
                form += ", ";
            } else {
                form += "    ";
            }
            form += "--";
            form += rule.long_form;
            // Paths are shown as the next word, other values after "=".
            if (!rule.value.empty()) {
                form += rule.name == Name::file || rule.name == Name::module ? ' ' : '=';
                form += rule.value;
            }
            form.resize(std::max<std::size_t>(form.size() + 2, 26), ' ');
            out += form;
            out += rule.text;
            out += '\n';
        }
        return out;
    }();
    return table.c_str();
}

}  // namespace vyxmath::host
