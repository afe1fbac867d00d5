// write_number never writes past written_text_bound(digits) bytes, for any
// double and any digits, and its text ends with a NUL inside that bound; the
// bound is the one the public header promises.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "common/export_arguments.h"
#include "numtext/sample_doubles.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

constexpr unsigned char guard = 0xA5;

TEST(WriteNumberBound, NothingWrittenPastTheBound) {
    const std::vector<double> values = test::sample_doubles(400);
    std::array<unsigned char, 40 + 8 + 64> buffer;
    for (std::int32_t digits = -5; digits <= 40; ++digits) {
        const std::size_t bound = written_text_bound(digits);
        for (double v : values) {
            buffer.fill(guard);
            char* text = reinterpret_cast<char*>(buffer.data());
            ASSERT_EQ(write_number(v, digits, text), text);
            const void* nul = std::memchr(text, '\0', bound);
            ASSERT_NE(nul, nullptr) << std::bit_cast<std::uint64_t>(v) << " at " << digits;
            for (std::size_t i = bound; i < buffer.size(); ++i) {
                ASSERT_EQ(buffer[i], guard) << "byte " << i << " for " << text << " at " << digits;
            }
        }
    }
}

// The longest texts reach the bound exactly: a negative value in exponent
// form with a three-digit exponent, and "-1.#QNAN" from two digits on.
TEST(WriteNumberBound, LongestTextsFillTheBound) {
    char text[64];
    EXPECT_EQ(std::strlen(write_number(-1.2345678e-100, 8, text)) + 1, 16u);
    EXPECT_EQ(std::strlen(write_number(-1.5e-100, 1, text)) + 1, 8u);
    EXPECT_EQ(std::strlen(write_number(-std::bit_cast<double>(0x7FF8000000000001u), 1, text)) + 1, 8u);
}

// The public header states the room and the default in words ("digits + 8
// bytes (8 when digits <= 1)", "A digits argument of 0 means 8"); the rules
// the module and the host keep must say the same.
TEST(WriteNumberBound, PublicHeaderStatesTheRules) {
    std::ifstream in(VYXMATH_PUBLIC_HEADER);
    ASSERT_TRUE(in) << VYXMATH_PUBLIC_HEADER;
    const std::string header{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::smatch room;
    ASSERT_TRUE(std::regex_search(header, room,
                                  std::regex(R"(digits\s*\+\s*(\d+)\s+bytes\s*\((\d+)\s+when\s+digits\s*<=\s*(\d+)\))")));
    const int added = std::stoi(room[1]), least = std::stoi(room[2]), few = std::stoi(room[3]);
    for (std::int32_t digits = -3; digits <= 5000; ++digits) {
        const std::size_t promised = digits <= few ? least : static_cast<std::size_t>(digits + added);
        ASSERT_EQ(written_text_bound(digits), promised) << digits;
    }
    std::smatch fallback;
    ASSERT_TRUE(std::regex_search(header, fallback, std::regex(R"(digits\s+argument\s+of\s+0\s+means\s+(\d+))")));
    EXPECT_EQ(effective_digits(0), std::stoi(fallback[1]));
}

}  // namespace
}  // namespace vyxmath
