// Whole texts written for given doubles and digits.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "support/bits_text.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

std::string written(double value, std::int32_t digits) {
    char buffer[80];
    return write_number(value, digits, buffer);
}

struct WrittenCase {
    double value;
    std::int32_t digits;
    const char* text;
};

void PrintTo(const WrittenCase& c, std::ostream* os) {
    *os << std::hex << std::bit_cast<std::uint64_t>(c.value) << std::dec << "@" << c.digits;
}

class WrittenText : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenText, MatchesExactly) {
    const WrittenCase& c = GetParam();
    EXPECT_EQ(written(c.value, c.digits), c.text) << c.value << " at " << c.digits << " digits";
}

// Each double is the one nearest the decimal literal.
INSTANTIATE_TEST_SUITE_P(PlainAndExponentForms, WrittenText, ::testing::Values(
    WrittenCase{1, 8, "1."}, WrittenCase{3, 8, "3."}, WrittenCase{0.5, 8, "0.5"},
    WrittenCase{0.1, 8, "0.1"}, WrittenCase{0.05, 8, "5.e-002"}, WrittenCase{0.001, 8, "1.e-003"},
    WrittenCase{0.00001, 8, "1.e-005"}, WrittenCase{2.5e-7, 8, "2.5e-007"},
    WrittenCase{3.14159265358979, 8, "3.1415927"}, WrittenCase{2.0 / 3.0, 8, "0.66666667"},
    WrittenCase{1.0 / 3.0, 8, "0.33333333"}, WrittenCase{0.3 - 0.1, 8, "0.2"},
    WrittenCase{-123.456, 8, "-123.456"}, WrittenCase{100, 8, "100."}, WrittenCase{1234567, 8, "1234567."},
    WrittenCase{12345678, 8, "12345678"}, WrittenCase{10000000, 8, "10000000"},
    WrittenCase{100000000, 8, "1.e+008"}, WrittenCase{123456789, 8, "1.2345679e+008"},
    WrittenCase{6.02e23, 8, "6.02e+023"}, WrittenCase{1e100, 8, "1.e+100"}, WrittenCase{-1e-300, 8, "-1.e-300"},
    WrittenCase{1.7976931348623157e308, 8, "1.7976931e+308"},
    WrittenCase{4.9406564584124654e-324, 8, "4.9406565e-324"},
    WrittenCase{0.0, 8, "0."}, WrittenCase{-0.0, 8, "0."}, WrittenCase{-0.0, 1, "0."}));

INSTANTIATE_TEST_SUITE_P(CarriesAndDoubleRounding, WrittenText, ::testing::Values(
    WrittenCase{99999999.5, 8, "100000000"}, WrittenCase{9.9999999999, 8, "10."},
    WrittenCase{0.099999999999, 8, "1.e-001"}, WrittenCase{2.00000015, 8, "2.0000002"},
    WrittenCase{0.123456785, 8, "0.12345679"}, WrittenCase{9.9999999999, 3, "10."},
    WrittenCase{999.5, 3, "1000"}, WrittenCase{-9.99e-5, 2, "-1.e-004"}));

INSTANTIATE_TEST_SUITE_P(FewDigits, WrittenText, ::testing::Values(
    WrittenCase{0.25, 1, "0.3"}, WrittenCase{0.75, 1, "0.8"}, WrittenCase{-1.5, 1, "-2"},
    WrittenCase{0.96, 1, "1."}, WrittenCase{9.6, 1, "10"}, WrittenCase{1, 1, "1"},
    WrittenCase{0.05, 1, "5e-002"}, WrittenCase{123456789, 1, "1e+008"}, WrittenCase{10, 3, "10."},
    WrittenCase{100, 3, "100"}, WrittenCase{-123.456, 3, "-123"}));

INSTANTIATE_TEST_SUITE_P(ManyDigits, WrittenText, ::testing::Values(
    WrittenCase{0.1, 17, "0.10000000000000001"}, WrittenCase{1.0 / 3.0, 17, "0.33333333333333331"},
    WrittenCase{0.00001, 17, "1.0000000000000001e-005"},
    WrittenCase{496682386976504.375, 17, "496682386976504.37"},
    WrittenCase{496682386976504.375, 16, "496682386976504.4"},
    WrittenCase{1.0 / 3.0, 25, "0.33333333333333331"}, WrittenCase{1e20, 25, "100000000000000000000."},
    WrittenCase{0x1p70, 25, "1180591620717411300000."}, WrittenCase{-0x1p70, 22, "-1180591620717411300000"}));

// Below one digit, texts are those of one digit.
INSTANTIATE_TEST_SUITE_P(DigitsBelowOne, WrittenText, ::testing::Values(
    WrittenCase{-1.5, 0, "-2"}, WrittenCase{-1.5, -1, "-2"}, WrittenCase{0.05, -3, "5e-002"},
    WrittenCase{123456789, INT32_MIN, "1e+008"}, WrittenCase{0.96, -40, "1."}));

constexpr double plus_infinity = std::numeric_limits<double>::infinity();
const double indefinite = from_bits(0xFFF8000000000000u);

INSTANTIATE_TEST_SUITE_P(NotFinite, WrittenText, ::testing::Values(
    WrittenCase{plus_infinity, 8, "1.#INF"}, WrittenCase{-plus_infinity, 8, "-1.#INF"},
    WrittenCase{indefinite, 8, "-1.#IND"}, WrittenCase{from_bits(0x7FF8000000000000u), 8, "1.#QNAN"},
    WrittenCase{from_bits(0xFFF8000000000001u), 8, "-1.#QNAN"},
    WrittenCase{from_bits(0x7FF0000000000001u), 8, "1.#QNAN"},  // signalling
    WrittenCase{from_bits(0xFFF0000000000001u), 8, "-1.#QNAN"},
    WrittenCase{from_bits(0xFFF4000000000000u), 8, "-1.#QNAN"},  // quietened it is not the default
    WrittenCase{from_bits(0x7FFFFFFFFFFFFFFFu), 40, "1.#QNAN"}));

// Markers stay whole at any digits; at one digit or fewer "-1.#QNAN" would
// need 9 bytes of the 8 allowed and drops its point.
INSTANTIATE_TEST_SUITE_P(NotFiniteFewDigits, WrittenText, ::testing::Values(
    WrittenCase{plus_infinity, 1, "1.#INF"}, WrittenCase{plus_infinity, 2, "1.#INF"},
    WrittenCase{-plus_infinity, 1, "-1.#INF"}, WrittenCase{-plus_infinity, 4, "-1.#INF"},
    WrittenCase{indefinite, 1, "-1.#IND"}, WrittenCase{indefinite, 3, "-1.#IND"},
    WrittenCase{from_bits(0x7FF8000000000000u), 1, "1.#QNAN"},
    WrittenCase{from_bits(0x7FF8000000000000u), 5, "1.#QNAN"},
    WrittenCase{from_bits(0xFFF8000000000001u), 1, "-1#QNAN"},
    WrittenCase{from_bits(0xFFF8000000000001u), -7, "-1#QNAN"},
    WrittenCase{from_bits(0xFFF8000000000001u), 2, "-1.#QNAN"},
    WrittenCase{from_bits(0xFFF8000000000001u), 5, "-1.#QNAN"}));

}  // namespace
}  // namespace vyxmath
