// write_number never writes past digits + 8 bytes (8 when digits <= 1), for
// any double and any digits, and its text ends with a NUL inside that bound.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>

#include "numtext/sample_doubles.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

constexpr unsigned char guard = 0xA5;

TEST(WriteNumberBound, NothingWrittenPastTheBound) {
    const std::vector<double> values = testing::sample_doubles(400);
    std::array<unsigned char, 40 + 8 + 64> buffer;
    for (std::int32_t digits = -5; digits <= 40; ++digits) {
        const std::size_t bound = digits <= 1 ? 8 : static_cast<std::size_t>(digits) + 8;
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

}  // namespace
}  // namespace vyxmath
