// Binding host arguments to the export slots: which slot each argument fills,
// what the others receive, and the checks that protect the host's variables.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "argument_binding.h"
#include "host_limits.h"

namespace vyxmath::host {
namespace {

// What one slot should receive.
struct Expect {
    enum Kind { value, host_text, host_integer, argument } kind;
    std::int64_t n = 0;  // the 32-bit value, or the argument's index
};
constexpr Expect val(std::int64_t v) { return {Expect::value, v}; }
constexpr Expect arg(std::int64_t i) { return {Expect::argument, i}; }
constexpr Expect text_var{Expect::host_text};
constexpr Expect int_var{Expect::host_integer};

struct BindRow {
    std::string_view name;
    std::vector<std::string> args;
    std::array<Expect, 4> slots;
    std::string p1_text;  // the text variable's content before the call, when p1 is text
};

void PrintTo(const BindRow& row, std::ostream* os) {
    *os << row.name;
    for (const std::string& a : row.args) *os << " " << a;
}

// Holds the arguments as NUL-terminated words, as the line splitter gives them.
struct Words {
    explicit Words(const std::vector<std::string>& texts) : storage(texts) {
        for (const std::string& s : storage) args.push_back({s.c_str(), s.size()});
    }
    std::vector<std::string> storage;
    std::vector<Argument> args;
};

class BindArguments : public testing::TestWithParam<BindRow> {};

TEST_P(BindArguments, FillsEachSlot) {
    const BindRow& row = GetParam();
    const ExportInfo e = *find_export(row.name);
    Words words(row.args);
    std::vector<char> text(text_variable_bytes, 'z');  // stale content of an earlier call
    HostVariables vars{text.data(), text.size(), 99};
    std::array<std::uintptr_t, 4> slots;
    slots.fill(0xDEAD);
    Message error;
    ASSERT_TRUE(bind_arguments(e, words.args, vars, slots, error)) << error.view();

    for (std::size_t s = 0; s < 4; ++s) {
        const Expect& want = row.slots[s];
        switch (want.kind) {
            case Expect::value:
                EXPECT_EQ(slots[s], static_cast<std::uintptr_t>(static_cast<std::uint32_t>(want.n))) << "p" << s + 1;
                break;
            case Expect::host_text:
                EXPECT_EQ(slots[s], reinterpret_cast<std::uintptr_t>(vars.text)) << "p" << s + 1;
                break;
            case Expect::host_integer:
                EXPECT_EQ(slots[s], reinterpret_cast<std::uintptr_t>(&vars.integer)) << "p" << s + 1;
                EXPECT_EQ(vars.integer, 0) << "an integer variable starts at 0";
                break;
            case Expect::argument:
                // Input-only texts are passed where they stand, not copied.
                EXPECT_EQ(slots[s], reinterpret_cast<std::uintptr_t>(words.args[want.n].text)) << "p" << s + 1;
                break;
        }
    }
    if (row.slots[0].kind == Expect::host_text) {
        EXPECT_STREQ(vars.text, row.p1_text.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Exports, BindArguments,
                         testing::Values(
                             // p1 read and written: the host copies the argument into its variable.
                             BindRow{"n_tasu", {"1.5", "2.25"}, {text_var, arg(1), val(0), val(0)}, "1.5"},
                             BindRow{"n_waru", {"1", "3", "17"}, {text_var, arg(1), val(17), val(0)}, "1"},
                             BindRow{"n_tasu", {"", ""}, {text_var, arg(1), val(0), val(0)}, ""},
                             BindRow{"n_tasu", {"1", "2", "4096"}, {text_var, arg(1), val(4096), val(0)}, "1"},
                             BindRow{"n_tasu", {"1", "2", "-5"}, {text_var, arg(1), val(-5), val(0)}, "1"},
                             BindRow{"n_atanex", {"1", "-1"}, {text_var, arg(1), val(0), val(0)}, "1"},
                             // p1 only written: skipped, and the host's variable starts empty.
                             BindRow{"n_sqrt", {"2"}, {text_var, arg(0), val(0), val(0)}, ""},
                             BindRow{"n_sqrt", {"2", "12"}, {text_var, arg(0), val(12), val(0)}, ""},
                             BindRow{"n_sin", {"30", "1", "5"}, {text_var, arg(0), val(1), val(5)}, ""},
                             BindRow{"n_sin", {"30"}, {text_var, arg(0), val(0), val(0)}, ""},
                             BindRow{"n_cos", {"1", "-1"}, {text_var, arg(0), val(-1), val(0)}, ""},
                             BindRow{"n_poisson", {"2.5", "3", "10"}, {text_var, arg(0), val(3), val(10)}, ""},
                             BindRow{"n_poisson", {"2.5", "3"}, {text_var, arg(0), val(3), val(0)}, ""},
                             // Integer exports: p1 is the host's integer variable.
                             BindRow{"n_bitsft", {"-1", "3", "1"}, {int_var, val(-1), val(3), val(1)}, ""},
                             BindRow{"n_bitsft", {"-2147483648"}, {int_var, val(-2147483648LL), val(0), val(0)}, ""},
                             BindRow{"n_gcd", {"12", "18"}, {int_var, val(12), val(18), val(0)}, ""},
                             BindRow{"n_rand", {}, {int_var, val(0), val(0), val(0)}, ""},
                             BindRow{"n_ceil", {"-2.5"}, {int_var, arg(0), val(0), val(0)}, ""},
                             BindRow{"n_kaijo", {"12"}, {int_var, val(12), val(0), val(0)}, ""},
                             // The prime test takes its operand by value in p1.
                             BindRow{"n_sosu", {"2147483647"}, {val(2147483647), val(0), val(0), val(0)}, ""},
                             BindRow{"n_sosu", {}, {val(0), val(0), val(0), val(0)}, ""}),
                         [](const testing::TestParamInfo<BindRow>& info) {
                             return std::string(info.param.name.substr(2)) + "_" + std::to_string(info.index);
                         });

struct RejectRow {
    std::string_view name;
    std::vector<std::string> args;
    std::string message;
};

void PrintTo(const RejectRow& row, std::ostream* os) {
    *os << row.name;
    for (const std::string& a : row.args) *os << " " << a;
}

class RejectArguments : public testing::TestWithParam<RejectRow> {};

TEST_P(RejectArguments, NamesTheProblem) {
    const RejectRow& row = GetParam();
    Words words(row.args);
    std::vector<char> text(text_variable_bytes);
    HostVariables vars{text.data(), text.size(), 0};
    std::array<std::uintptr_t, 4> slots{};
    Message error;
    EXPECT_FALSE(bind_arguments(*find_export(row.name), words.args, vars, slots, error));
    EXPECT_EQ(error.view(), row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, RejectArguments,
    testing::Values(
        RejectRow{"n_tasu", {}, "n_tasu: argument 1 (p1, text) is missing: TEXT TEXT [DIGITS]"},
        RejectRow{"n_tasu", {"1"}, "n_tasu: argument 2 (p2, text) is missing: TEXT TEXT [DIGITS]"},
        RejectRow{"n_sqrt", {}, "n_sqrt: argument 1 (p2, text) is missing: TEXT [DIGITS]"},
        RejectRow{"n_ceil", {}, "n_ceil: argument 1 (p2, text) is missing: TEXT"},
        RejectRow{
            "n_tasu", {"1", "2", "3", "4"}, "n_tasu: too many arguments (4 given, at most 3: TEXT TEXT [DIGITS])"},
        RejectRow{
            "n_sin", {"1", "0", "8", "0"}, "n_sin: too many arguments (4 given, at most 3: TEXT [UNIT] [DIGITS])"},
        RejectRow{"n_sosu", {"7", "0"}, "n_sosu: too many arguments (2 given, at most 1: [INT])"},
        RejectRow{"n_ceil", {"1", "0"}, "n_ceil: too many arguments (2 given, at most 1: TEXT)"},
        RejectRow{"n_tasu", {"1", "2", "x"}, "n_tasu: argument 3 (p3, digits) is not an integer: \"x\""},
        RejectRow{"n_tasu", {"1", "2", ""}, "n_tasu: argument 3 (p3, digits) is not an integer: \"\""},
        RejectRow{"n_sin", {"1", "1.0"}, "n_sin: argument 2 (p3, angle unit) is not an integer: \"1.0\""},
        RejectRow{"n_gcd",
                  {"4", "2147483648"},
                  "n_gcd: argument 2 (p3, integer) is outside the 32-bit range: \"2147483648\""},
        RejectRow{
            "n_sosu", {"-2147483649"}, "n_sosu: argument 1 (p1, integer) is outside the 32-bit range: \"-2147483649\""},
        RejectRow{
            "n_tasu", {"1", "2", "4097"}, "n_tasu: argument 3 (p3, digits) is 4097, above the host's limit of 4096"},
        RejectRow{"n_tan",
                  {"1", "0", "2147483647"},
                  "n_tan: argument 3 (p4, digits) is 2147483647, above the host's limit of 4096"}),
    [](const testing::TestParamInfo<RejectRow>& info) {
        return std::string(info.param.name.substr(2)) + "_" + std::to_string(info.index);
    });

TEST(BindArguments, RefusesAp1TextLongerThanTheVariable) {
    const std::string longest(max_text_bytes, '7');
    const std::string too_long(max_text_bytes + 1, '7');
    std::vector<char> text(text_variable_bytes);
    HostVariables vars{text.data(), text.size(), 0};
    std::array<std::uintptr_t, 4> slots{};
    Message error;
    const std::vector<Argument> fits{{longest.c_str(), longest.size()}, {"1", 1}};
    EXPECT_TRUE(bind_arguments(*find_export("n_tasu"), fits, vars, slots, error)) << error.view();
    EXPECT_EQ(std::strlen(vars.text), max_text_bytes);

    const std::vector<Argument> overflows{{too_long.c_str(), too_long.size()}, {"1", 1}};
    EXPECT_FALSE(bind_arguments(*find_export("n_tasu"), overflows, vars, slots, error));
    EXPECT_NE(error.view().find("longer than the host's limit"), std::string_view::npos) << error.view();
}

TEST(BindArguments, NeverOffersLessRoomThanTheResultNeeds) {
    // A variable smaller than the host's own: the digits that would overrun
    // it are refused even below the host's limit.
    std::vector<char> text(100);
    HostVariables vars{text.data(), text.size(), 0};
    std::array<std::uintptr_t, 4> slots{};
    for (int digits : {1, 50, 92, 93, 200}) {
        const std::string d = std::to_string(digits);
        const std::vector<Argument> args{{"2", 1}, {d.c_str(), d.size()}};
        Message error;
        EXPECT_EQ(bind_arguments(*find_export("n_sqrt"), args, vars, slots, error), written_text_bound(digits) <= 100)
            << digits;
    }
}

TEST(ArgumentForm, FollowsTheSlotKinds) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"n_tasu", "TEXT TEXT [DIGITS]"},
        {"n_sqrt", "TEXT [DIGITS]"},
        {"n_sin", "TEXT [UNIT] [DIGITS]"},
        {"n_bitsft", "[INT] [INT] [INT]"},
        {"n_poisson", "TEXT [INT] [DIGITS]"},
        {"n_floor", "TEXT"},
        {"n_sosu", "[INT]"},
        {"n_rand", "[INT]"},
    };
    for (const auto& [name, form] : rows) {
        Message m;
        add_argument_form(*find_export(name), m);
        EXPECT_EQ(m.view(), form) << name;
    }
}

TEST(ArgumentForm, OnlyThePrimeTestPrintsItsStatus) {
    for (const ExportInfo& e : export_table) EXPECT_EQ(prints_status(e), e.name == "n_sosu") << e.name;
}

}  // namespace
}  // namespace vyxmath::host
