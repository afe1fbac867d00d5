// The scanner against a literal rendering of its state table, on random
// texts drawn from the bytes that matter: digits (zeros most of all), points,
// exponent markers, signs, spaces and bytes that end a number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/exact_integer.h"
#include "numtext/extended_test_support.h"
#include "numtext/number_reader.h"

namespace vyxmath::test {
namespace {

struct reference_result {
    decimal_number::form what = decimal_number::form::none;
    bool negative = false;
    std::string d;  // decimal digits of D
    long long p = 0;
};

bool digit(char c) { return c >= '0' && c <= '9'; }
bool marker(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }
bool space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

reference_result reference_scan(const std::string& text) {
    enum state { start, after_sign, leading_zeros, integer_part, point_first, fraction_part, exponent_mark,
                 exponent_sign, exponent_zeros, exponent_digits, end };
    std::size_t i = 0;
    while (space(text[i])) ++i;
    bool seen = false, negative = false, exponent_negative = false;
    std::vector<int> kept;
    long long adjustment = 0;
    int written = 0;
    state s = start;
    while (s != end) {
        const char c = text[i];
        switch (s) {
            case start:
            case after_sign:
                if (digit(c) && c != '0') s = integer_part;
                else if (c == '.') { ++i; s = point_first; }
                else if (s == start && (c == '+' || c == '-')) { negative = c == '-'; ++i; s = after_sign; }
                else if (c == '0') { ++i; s = leading_zeros; }
                else s = end;
                break;
            case leading_zeros:
                seen = true;
                if (c == '0') ++i;
                else if (digit(c)) s = integer_part;
                else if (c == '.') { ++i; s = fraction_part; }
                else if (marker(c)) { ++i; s = exponent_mark; }
                else s = end;
                break;
            case integer_part:
                seen = true;
                for (; digit(text[i]); ++i) {
                    if (kept.size() < 25) kept.push_back(text[i] - '0');
                    else ++adjustment;
                }
                if (text[i] == '.') { ++i; s = fraction_part; }
                else if (marker(text[i])) { ++i; s = exponent_mark; }
                else s = end;
                break;
            case point_first:
                s = digit(c) ? fraction_part : end;
                break;
            case fraction_part:
                seen = true;
                if (kept.empty())
                    for (; text[i] == '0'; ++i) --adjustment;
                for (; digit(text[i]); ++i)
                    if (kept.size() < 25) { kept.push_back(text[i] - '0'); --adjustment; }
                if (marker(text[i])) { ++i; s = exponent_mark; }
                else s = end;
                break;
            case exponent_mark:
            case exponent_sign:
                if (digit(c) && c != '0') s = exponent_digits;
                else if (s == exponent_mark && (c == '+' || c == '-')) { exponent_negative = c == '-'; ++i; s = exponent_sign; }
                else if (c == '0') { ++i; s = exponent_zeros; }
                else { written = 0; s = end; }
                break;
            case exponent_zeros:
                for (; text[i] == '0'; ++i) {}
                s = digit(text[i]) ? exponent_digits : end;
                break;
            case exponent_digits:
                for (; digit(text[i]); ++i)
                    if (written <= 5200) {
                        written = written * 10 + (text[i] - '0');
                        if (written > 5200) written = 5201;
                    }
                s = end;
                break;
            case end:
                break;
        }
    }
    reference_result r;
    if (!seen) return r;
    r.negative = negative;
    if (kept.size() == 25) {
        if (kept[24] >= 5) ++kept[23];  // may become the digit value ten
        kept.pop_back();
        ++adjustment;
    }
    if (kept.empty()) {
        r.what = decimal_number::form::zero;
        return r;
    }
    while (kept.back() == 0) {
        kept.pop_back();
        ++adjustment;
    }
    exact_integer d(0);
    for (int k : kept) {
        d *= 10;
        d = d + exact_integer(static_cast<std::uint64_t>(k));
    }
    r.what = decimal_number::form::digits;
    r.d = d.decimal();
    r.p = (exponent_negative ? -written : written) + adjustment;
    return r;
}

std::string random_text(bit_stream& rng) {
    static const char alphabet[] = "0000000123456789999..eEdD+-+- \t\vx,\xA0";
    std::string text;
    const int length = rng.between(0, 12);
    for (int i = 0; i < length; ++i) {
        if (rng.next() % 10 == 0) {  // a long run of digits
            for (int n = rng.between(15, 40); n > 0; --n) text += static_cast<char>('0' + (rng.next() % 3 == 0 ? 0 : rng.next() % 10));
        } else {
            text += alphabet[rng.next() % (sizeof alphabet - 1)];
        }
    }
    return text;
}

TEST(ScanNumber, MatchesTheStateTableOnRandomTexts) {
    bit_stream rng(5);
    int failures = 0;
    for (int i = 0; i < 300000 && failures < 10; ++i) {
        const std::string text = random_text(rng);
        const reference_result expected = reference_scan(text);
        const decimal_number got = scan_decimal(text.c_str());
        std::string d;
        if (got.what == decimal_number::form::digits) {
            exact_integer n(got.digits.leading);
            for (int k = 0; k < got.digits.trailing_count; ++k) n *= 10;
            d = (n + exact_integer(got.digits.trailing)).decimal();
        }
        const bool same = got.what == expected.what &&
                          (got.what == decimal_number::form::none || got.negative == expected.negative) &&
                          d == expected.d && (got.what != decimal_number::form::digits || got.power == expected.p);
        if (!same) {
            ++failures;
            ADD_FAILURE() << '"' << text << "\": D " << d << " p " << got.power << ", expected D " << expected.d
                          << " p " << expected.p;
        }
    }
}

}  // namespace
}  // namespace vyxmath::test
