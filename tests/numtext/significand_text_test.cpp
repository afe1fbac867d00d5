// The one-pass text of a significand against the writer's text of the record
// (write_record: the cut, the chosen layout and trim_zeros step by step):
// both must give the same bytes for every finite nonzero value at 1 to 17
// digits.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "numtext/record_layouts.h"
#include "numtext/sample_doubles.h"
#include "numtext/short_cut.h"
#include "numtext/significand_text.h"

namespace vyxmath {
namespace {

// The writer's own text from the record, the path every value without a
// fast one takes.
std::string record_text(double v, int digits) {
    char buffer[64];
    write_record(decimal_digits(v), digits, buffer);
    return buffer;
}

// Values whose digit behind an n-digit cut is 5 or 4, behind runs of 9s of
// every length, so that the cut carries (or just fails to) at every n.
std::vector<double> cut_edge_values() {
    std::vector<double> values;
    test::bit_stream bits(771);
    for (int n = 1; n <= 17; ++n) {
        for (int nines = 0; nines <= n; ++nines) {
            for (const char* behind : {"5", "49", "51", "4999"}) {
                std::string text = "0.";
                for (int i = 0; i < n - nines; ++i) text += static_cast<char>('1' + bits.next() % 9);
                text.append(static_cast<std::size_t>(nines), '9');
                text += behind;
                const int exponent = static_cast<int>(bits.next() % 80) - 40;
                text += "e" + std::to_string(exponent);
                values.push_back(std::strtod(text.c_str(), nullptr));
            }
        }
    }
    return values;
}

void expect_same_texts(const std::vector<double>& values) {
    for (double v : values) {
        const decimal_significand d = significand_of(v);
        if (!has_digits(d)) continue;  // zero and the markers never take this path
        for (int digits = 1; digits <= significand_text_digit_limit; ++digits) {
            char text[64];
            const char* end = significand_text(d, digits, text);
            ASSERT_EQ(std::string(text), record_text(v, digits))
                << std::hex << std::bit_cast<std::uint64_t>(v) << std::dec << " at " << digits;
            ASSERT_EQ(end, text + std::strlen(text));
            if (digits <= short_cut_digit_limit && short_value_text(v, digits, text)) {
                ASSERT_EQ(std::string(text), record_text(v, digits)) << "short cut at " << digits;
            }
        }
    }
}

TEST(SignificandText, SameAsLayoutsForSampleDoubles) { expect_same_texts(test::sample_doubles(3000)); }

TEST(SignificandText, SameAsLayoutsAtCutEdges) {
    std::vector<double> values = cut_edge_values();
    const std::size_t positive_count = values.size();  // push_back may move the elements
    for (std::size_t i = 0; i < positive_count; ++i) values.push_back(-values[i]);
    expect_same_texts(values);
}

TEST(SignificandText, SameAsLayoutsForShortDecimalsAndIntegers) {
    std::vector<double> values;
    test::bit_stream bits(4242);
    for (int i = 0; i < 20000; ++i) {
        const auto digits = static_cast<int>(bits.next() % 8) + 1;
        std::uint64_t m = bits.next() % 100000000u;
        for (int k = digits; k < 8; ++k) m /= 10;
        const auto decimals = static_cast<int>(bits.next() % 8);
        values.push_back(std::strtod((std::to_string(m) + "e-" + std::to_string(decimals)).c_str(), nullptr));
    }
    expect_same_texts(values);
}

// Integers below 10^8 are written from their binary form when they have no
// more digits than asked for; the text must be the layouts' all the same.
TEST(IntegerText, SameAsLayoutsWhereverItAnswers) {
    std::vector<double> values;
    for (int i = 1; i <= 100000; ++i) values.push_back(i);
    test::bit_stream bits(1234);
    for (int i = 0; i < 20000; ++i) values.push_back(static_cast<double>(bits.next() % 200000000u));
    for (double p = 1; p < 1e9; p *= 10) {
        for (double v : {p - 1, p, p + 1, p + 0.5, p - 0.5}) values.push_back(v);
    }
    int answered = 0;
    for (double v : values) {
        for (double signed_v : {v, -v}) {
            for (int digits = 1; digits <= significand_text_digit_limit; ++digits) {
                char text[64];
                if (!write_integer(signed_v, digits, text)) continue;
                ++answered;
                ASSERT_EQ(std::string(text), record_text(signed_v, digits)) << signed_v << " at " << digits;
            }
        }
    }
    EXPECT_GT(answered, 2000000);
}

TEST(IntegerText, LeavesOtherValuesToTheSignificand) {
    char text[64];
    for (double v : {0.0, -0.0, 0.5, 1.5, 123456789.0, 1e8, 1e300, 5e-324}) EXPECT_FALSE(write_integer(v, 8, text)) << v;
    EXPECT_FALSE(write_integer(123456.0, 5, text));  // more digits than asked for: exponent form
    EXPECT_FALSE(write_integer(7.0, 1, text));       // one digit: the bound leaves no room for the whole store
}

}  // namespace
}  // namespace vyxmath
