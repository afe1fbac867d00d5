// write_number on arbitrary 64-bit patterns and digits counts from -1000 to
// 1000. Input: 8 bytes of the double (little endian), 2 bytes of the digits
// count (reduced into -1000..1000); missing bytes count as zero.
//
// Checked for every input:
//  - nothing is read or written outside the digits + 8 bytes the caller must
//    provide (8 when digits <= 1): an exactly-sized heap block under
//    AddressSanitizer, and guard bytes on both sides of a second buffer;
//  - the text is NUL-terminated inside that room and does not depend on what
//    the buffer held before.
// For digits >= 1 also:
//  - a finite value gives a well-formed text with at most min(digits, 17)
//    significant digits, in the layout its decimal exponent calls for;
//  - reading it back gives a value within one unit of the last significant
//    digit position (plus the reader's own two units in the last place);
//  - infinities and not-a-numbers give their marker texts.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "common/export_arguments.h"
#include "fuzz_check.h"
#include "vyxmath.h"
#include "written_text.h"

namespace {

constexpr std::size_t guard_size = 32;
constexpr unsigned char guard_byte = 0xA5;

std::size_t room_for(std::int32_t digits) { return vyxmath::written_text_bound(digits); }

// Writes into an exactly-sized heap block prefilled with `fill`; returns the
// text, checking it ends inside the block.
std::string write_exactly_sized(double value, std::int32_t digits, unsigned char fill) {
    const std::size_t room = room_for(digits);
    auto buffer = std::make_unique<char[]>(room);
    std::memset(buffer.get(), fill, room);
    char* returned = vyxmath::write_number(value, digits, buffer.get());
    FUZZ_CHECK(returned == buffer.get(), "write_number returns another address");
    const void* nul = std::memchr(buffer.get(), '\0', room);
    FUZZ_CHECK(nul != nullptr, "no NUL within %zu bytes (digits %d)", room, digits);
    return std::string(buffer.get());
}

// Writes into the middle of a block with guard bytes on both sides and
// checks that the guards are untouched.
std::string write_between_guards(double value, std::int32_t digits, unsigned char fill) {
    const std::size_t room = room_for(digits);
    auto block = std::make_unique<unsigned char[]>(room + 2 * guard_size);
    std::memset(block.get(), guard_byte, room + 2 * guard_size);
    std::memset(block.get() + guard_size, fill, room);
    char* buffer = reinterpret_cast<char*>(block.get() + guard_size);
    vyxmath::write_number(value, digits, buffer);
    for (std::size_t i = 0; i < guard_size; ++i) {
        FUZZ_CHECK(block[i] == guard_byte, "byte %zu before the buffer written (digits %d)", guard_size - i, digits);
        FUZZ_CHECK(block[guard_size + room + i] == guard_byte, "byte %zu past the room written (digits %d)", i, digits);
    }
    return std::string(buffer);
}

// Marker texts of the values that are not finite, from the sign and the
// fraction: the default not-a-number (only the sign and the quiet bit set)
// is "-1.#IND"; every other not-a-number is a "#QNAN".
std::string_view marker_text(std::uint64_t bits) {
    const bool negative = (bits >> 63) != 0;
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (fraction == 0) return negative ? "-1.#INF" : "1.#INF";
    if (bits == 0xFFF8000000000000u) return "-1.#IND";
    return negative ? "-1.#QNAN" : "1.#QNAN";
}

void check_not_finite(std::uint64_t bits, std::int32_t digits, const std::string& text) {
    const std::string_view expected = marker_text(bits);
    const bool is_qnan_marker = expected.find("QNAN") != std::string_view::npos;
    // The marker texts are complete from 6 digits on, the shorter ones from 5.
    if (digits >= 6 || (digits == 5 && !is_qnan_marker))
        FUZZ_CHECK(text == expected, "%016llx at %d digits: '%s', expected '%.*s'",
                   static_cast<unsigned long long>(bits), digits, text.c_str(),
                   static_cast<int>(expected.size()), expected.data());
}

void check_layout(const vyxmath::fuzz::WrittenText& w, double value, std::int32_t digits, const std::string& text) {
    const int max_significant = digits < 17 ? digits : 17;
    FUZZ_CHECK(static_cast<int>(w.significant.size()) <= max_significant, "'%s' has more than %d significant digits",
               text.c_str(), max_significant);
    FUZZ_CHECK(w.negative == (std::signbit(value) && value != 0.0), "'%s' has the wrong sign", text.c_str());
    if (value == 0.0) {
        FUZZ_CHECK(text == "0.", "zero written as '%s'", text.c_str());
        return;
    }
    FUZZ_CHECK(!w.significant.empty(), "nonzero value written as '%s'", text.c_str());
    if (w.has_point && !w.fraction_part.empty())
        FUZZ_CHECK(w.fraction_part.back() != '0', "'%s' keeps a trailing fraction zero", text.c_str());
    if (w.exponent_form) {
        // One nonzero digit before the point; the point exactly when there
        // are digits to follow it; plain notation covers exponents 0..digits-1.
        FUZZ_CHECK(w.integer_part.size() == 1 && w.integer_part[0] != '0', "'%s': bad exponent-form mantissa",
                   text.c_str());
        FUZZ_CHECK(w.has_point == (digits > 1), "'%s': point does not match %d digits", text.c_str(), digits);
        FUZZ_CHECK(w.exponent < 0 || w.exponent >= digits, "'%s' should be plain at %d digits", text.c_str(), digits);
    } else {
        FUZZ_CHECK(w.integer_part == "0" || w.integer_part[0] != '0', "'%s': leading zero", text.c_str());
        const auto integer_digits = static_cast<std::int32_t>(w.integer_part.size());
        if (w.has_point)
            FUZZ_CHECK(w.integer_part == "0" || integer_digits <= digits, "'%s': too many integer digits",
                       text.c_str());
        else
            FUZZ_CHECK(integer_digits == digits || integer_digits == digits + 1,
                       "'%s' has no point at %d digits", text.c_str(), digits);
        if (w.integer_part == "0")
            FUZZ_CHECK(w.leading_exponent == -1, "'%s' should be in exponent form", text.c_str());
    }
}

// |read back - value| <= one unit at the last significant position the text
// can carry, plus two units in the last place of the value for the reader.
void check_read_back(const vyxmath::fuzz::WrittenText& w, double value, std::int32_t digits, const std::string& text) {
    const int carried = digits < 17 ? digits : 17;
    const long double unit = std::pow(10.0L, w.leading_exponent - carried + 1);
    const double magnitude = std::fabs(value);
    const long double reader_slack = 2.0L * (magnitude - std::nextafter(magnitude, 0.0));
    const long double tolerance = (unit + reader_slack) * (1.0L + 1e-9L);

    const double read_back = vyxmath::read_number(text.c_str());
    if (std::isinf(read_back)) {
        // Rounding up at the top of the range ("2e+308" at one digit) gives
        // text above the largest double; check the text's own value instead.
        const long double written = std::strtold(text.c_str(), nullptr);
        FUZZ_CHECK(std::fabs(written - static_cast<long double>(value)) <= tolerance, "'%s' is far from %.17g",
                   text.c_str(), value);
        return;
    }
    const long double error = std::fabs(static_cast<long double>(read_back) - static_cast<long double>(value));
    FUZZ_CHECK(error <= tolerance, "%.17g written '%s' at %d digits reads back as %.17g", value, text.c_str(), digits,
               read_back);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t input[10] = {};
    if (size != 0) std::memcpy(input, data, size < sizeof input ? size : sizeof input);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | input[i];
    const auto raw_digits = static_cast<std::int16_t>(input[8] | (input[9] << 8));
    const std::int32_t digits = raw_digits % 1001;
    const double value = std::bit_cast<double>(bits);

    const std::string text = write_exactly_sized(value, digits, 'A');
    const std::string again = write_between_guards(value, digits, '9');
    FUZZ_CHECK(text == again, "text depends on the old buffer: '%s' / '%s'", text.c_str(), again.c_str());
    if (digits < 1) return 0;  // only the bounds are defined there

    if (!std::isfinite(value)) {
        check_not_finite(bits, digits, text);
        return 0;
    }
    const auto written = vyxmath::fuzz::parse_written_text(text);
    FUZZ_CHECK(written.has_value(), "%.17g at %d digits: malformed '%s'", value, digits, text.c_str());
    check_layout(*written, value, digits, text);
    check_read_back(*written, value, digits, text);
    return 0;
}
