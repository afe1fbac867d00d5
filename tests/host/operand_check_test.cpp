// The host's view of an operand text against the module's own reader: the
// number the host says a text is read as must read to the same bits as the
// whole text, for texts built from every kind of piece a number may have.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "operand_check.h"
#include "vyxmath.h"

namespace vyxmath::host {
namespace {

std::uint64_t bits_read(const std::string& text) { return std::bit_cast<std::uint64_t>(read_number(text.c_str())); }

TEST(ReadAsNumber, TheNumberShownReadsLikeTheWholeText) {
    const char* const leads[] = {"", " ", "\t\n", "\xA0"};
    const char* const signs[] = {"", "-", "+", "--"};
    const char* const mantissas[] = {"", "0", "00", "1", "12", "1.", ".5", ".", "0.0", "1.25", "9007199254740993"};
    const char* const exponents[] = {"", "e", "E+", "d-", "e5", "D-3", "e+07", "e0"};
    const char* const tails[] = {"", " ", "x", ",5", ".3", "+2", "e9", "#INF", " 1", "\x80"};
    int checked = 0;
    for (const char* lead : leads)
        for (const char* sign : signs)
            for (const char* mantissa : mantissas)
                for (const char* exponent : exponents)
                    for (const char* tail : tails) {
                        const std::string text = std::string(lead) + sign + mantissa + exponent + tail;
                        const NumberReading reading = read_as_number(text);
                        const std::string shown(reading.number);
                        EXPECT_EQ(bits_read(shown), bits_read(text)) << "\"" << text << "\" shown as \"" << shown << "\"";
                        ++checked;
                    }
    EXPECT_GT(checked, 10000);
}

TEST(ReadAsNumber, WholeOnlyWhenNothingButBlanksFollows) {
    const struct {
        const char* text;
        bool whole;
    } rows[] = {
        {"1.5", true},   {" -0.25e-3 ", true}, {"5.", true},      {".5", true},   {"1e+5", true},
        {"1.5x", false}, {"1e", false},        {"1.2.3", false},  {"0x10", false}, {"", false},
        {"  ", false},   {"-", false},         {"1.#INF", false}, {"1 2", false},  {"inf", false},
    };
    for (const auto& row : rows) EXPECT_EQ(read_as_number(row.text).whole, row.whole) << row.text;
}

}  // namespace
}  // namespace vyxmath::host
