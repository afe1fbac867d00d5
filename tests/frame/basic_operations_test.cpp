// The four basic operations called as the host calls them: p1 read and then
// overwritten, p2 read, p3 the digits, p4 ignored, status 0.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "vyxmath.h"

namespace {

using BasicOperation = std::int32_t(VYX_CALL*)(char*, const char*, std::int32_t, std::int32_t);

struct Operation {
    const char* name;
    BasicOperation call;
};
constexpr Operation tasu{"n_tasu", n_tasu}, hiku{"n_hiku", n_hiku}, kakeru{"n_kakeru", n_kakeru},
    waru{"n_waru", n_waru};
constexpr Operation all_operations[] = {tasu, hiku, kakeru, waru};

// A text variable of 64 bytes (room for results of up to 56 digits), every
// byte behind its initial text a guard byte.
struct Variable {
    static constexpr std::size_t size = 64;
    std::array<char, size> bytes;
    explicit Variable(const char* text) {
        bytes.fill('\x7f');
        std::strcpy(bytes.data(), text);
    }
    char* data() { return bytes.data(); }
};

struct Row {
    Operation op;
    const char* a;
    const char* b;
    std::int32_t digits;
    const char* result;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.op.name << "(\"" << row.a << "\", \"" << row.b << "\", " << row.digits << ")";
}

class BasicOperations : public testing::TestWithParam<Row> {};

TEST_P(BasicOperations, WriteTheResultIntoP1AndReturnZero) {
    const Row& row = GetParam();
    Variable a(row.a);
    const std::string b = row.b;
    EXPECT_EQ(row.op.call(a.data(), b.c_str(), row.digits, 0), 0);
    EXPECT_STREQ(a.data(), row.result);
    EXPECT_EQ(b, row.b) << "p2 is only read";
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, BasicOperations,
    testing::Values(Row{tasu, "1.5", "2.25", 0, "3.75"}, Row{tasu, "1", "2", 0, "3."}, Row{tasu, "-1", "1", 0, "0."},
                    Row{tasu, "0.1", "0.2", 17, "0.30000000000000004"}, Row{tasu, "0.1", "0.2", 0, "0.3"},
                    Row{tasu, "1e308", "1e308", 0, "1.#INF"}, Row{tasu, "-1e308", "-1e308", 0, "-1.#INF"},
                    Row{hiku, "0.3", "0.1", 0, "0.2"}, Row{hiku, "0.3", "0.1", 17, "0.19999999999999998"},
                    Row{hiku, "1", "3", 0, "-2."}, Row{hiku, "-0", "0", 0, "0."}, Row{kakeru, "abc", "5", 0, "0."},
                    Row{kakeru, "", "5", 0, "0."}, Row{kakeru, "-1.5", "1.5", 0, "-2.25"},
                    Row{kakeru, "12345678", "10", 0, "1.2345678e+008"}, Row{kakeru, "1e-200", "1e-200", 0, "0."},
                    Row{waru, "1", "3", 0, "0.33333333"}, Row{waru, "1", "3", 17, "0.33333333333333331"},
                    Row{waru, "2", "3", 1, "0.7"}, Row{waru, "1", "0", 0, "1.#INF"}, Row{waru, "-1", "0", 0, "-1.#INF"},
                    Row{waru, "1", "-0", 0, "-1.#INF"}, Row{waru, "0", "0", 0, "-1.#IND"},
                    Row{waru, "abc", "xyz", 0, "-1.#IND"}, Row{waru, "1e-300", "1e300", 0, "0."},
                    Row{waru, "1e300", "1e-300", 0, "1.#INF"}));

// Digits 0 stands for 8: the texts agree for every operation and operand.
TEST(BasicOperations, DigitsZeroWritesWhatDigitsEightWrites) {
    const char* operands[][2] = {
        {"1", "3"}, {"2", "3"}, {"-123.456789", "1e-3"}, {"99999999.5", "1"}, {"1e100", "7"},    {"0.3", "0.1"},
        {"1", "0"}, {"0", "0"}, {"6.02e23", "2"},        {"-1e-300", "3"},    {"123456789", "1"}};
    for (const Operation& op : all_operations) {
        for (const auto& [a, b] : operands) {
            Variable zero(a), eight(a);
            EXPECT_EQ(op.call(zero.data(), b, 0, 0), 0);
            EXPECT_EQ(op.call(eight.data(), b, 8, 0), 0);
            EXPECT_STREQ(zero.data(), eight.data()) << op.name << " " << a << " " << b;
        }
    }
}

// Every operand is read before p1 is written, so one variable can be both.
TEST(BasicOperations, SameVariableAsP1AndP2) {
    const struct {
        Operation op;
        const char* value;
        const char* result;
    } rows[] = {
        {tasu, "1.25", "2.5"}, {tasu, "3", "6."}, {hiku, "1.25", "0."},   {kakeru, "1.5", "2.25"},
        {kakeru, "-3", "9."},  {waru, "7", "1."}, {waru, "0", "-1.#IND"}, {tasu, "abc", "0."},
    };
    for (const auto& row : rows) {
        Variable v(row.value);
        EXPECT_EQ(row.op.call(v.data(), v.data(), 0, 0), 0);
        EXPECT_STREQ(v.data(), row.result) << row.op.name << " " << row.value;
    }
}

// The module writes at most digits + 8 bytes (8 when digits <= 1) into p1:
// the bytes behind that room keep what the host put there.
TEST(BasicOperations, StayInsideTheRoomOfTheirDigits) {
    const char* widest[] = {"-1.2345678901234567e-100", "-123456789012345678", "-0.00012345678901234567", "0"};
    for (const Operation& op : all_operations) {
        for (std::int32_t digits = -3; digits <= 40; ++digits) {
            const std::int32_t used = digits == 0 ? 8 : digits;
            const std::size_t room = used <= 1 ? 8 : static_cast<std::size_t>(used) + 8;
            for (const char* value : widest) {
                Variable a("-3");  // a short operand, so every byte beyond it is a guard
                EXPECT_EQ(op.call(a.data(), value, digits, 0), 0);
                for (std::size_t i = room; i < Variable::size; ++i)
                    ASSERT_EQ(a.bytes[i], '\x7f') << op.name << " " << value << " digits " << digits << " byte " << i;
            }
        }
    }
}

}  // namespace
