// The text of a finite nonzero value at up to 17 digits, written straight
// from its 17-digit significand N in one pass. It is the text the record's
// layouts give followed by trim_zeros, with the cut done in integers:
//
// Cut to n digits. The record's digit n + 1 decides, so the cut value is
//     C = floor((floor(N / 10^(16 - n)) + 5) / 10)   (C = N when n = 17),
// which has n digits unless the carry ran through all of them (C = 10^n);
// then the text is "1" and the point moves up one place, which is C =
// 10^(n - 1) with point P + 1. Digits of the record beyond its length are
// zeros, so S, the n digits of C followed by endless "0"s, is exactly what
// the layouts take their characters from.
//
// Trimming. Both layouts put the fraction's characters right behind the
// point and the layouts' padding is "0"s, so trim_zeros leaves the fraction
// up to the last nonzero digit of C; with L the count of C's digits without
// its trailing zeros, a fraction starting at position f of S keeps
// max(0, min(L - f, its width)) characters.
#include <cstring>

#include "numtext/number_layout.h"

namespace vyxmath {
namespace {

constexpr std::uint64_t powers_of_ten[] = {
    1u,
    10u,
    100u,
    1'000u,
    10'000u,
    100'000u,
    1'000'000u,
    10'000'000u,
    100'000'000u,
    1'000'000'000u,
    10'000'000'000u,
    100'000'000'000u,
    1'000'000'000'000u,
    10'000'000'000'000u,
    100'000'000'000'000u,
    1'000'000'000'000'000u,
    10'000'000'000'000'000u,
    100'000'000'000'000'000u,
};

constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The n decimal digits of c < 10^n, leading zeros included, at out[0..n).
void put_digits(std::uint64_t c, int n, char* out) {
    char* end = out + n;
    while (c >= 100'000'000u) {  // 64-bit steps only for the digits above 10^8
        const auto pair = static_cast<unsigned>(c % 100);
        c /= 100;
        end -= 2;
        std::memcpy(end, &digit_pairs[2 * pair], 2);
    }
    auto small = static_cast<std::uint32_t>(c);
    while (end - out >= 2) {
        end -= 2;
        std::memcpy(end, &digit_pairs[2 * (small % 100)], 2);
        small /= 100;
    }
    if (end != out) *out = static_cast<char>('0' + small);
}

// Digits of s[0..n) without the trailing "0"s; s[0] is not "0".
int without_trailing_zeros(const char* s, int n) {
    while (s[n - 1] == '0') --n;
    return n;
}

char* put_exponent(int exponent, char* out) {
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out[0] = 'e';
    out[1] = exponent < 0 ? '-' : '+';
    out[2] = static_cast<char>('0' + magnitude / 100);
    std::memcpy(out + 3, &digit_pairs[2 * (magnitude % 100)], 2);
    return out + 5;
}

}  // namespace

char* significand_text(const decimal_significand& d, std::int32_t digits, char* buffer) {
    const int n = digits;
    std::uint64_t c = n == significand_text_digit_limit ? d.digits : (d.digits / powers_of_ten[16 - n] + 5) / 10;
    int point = d.point;
    if (c == powers_of_ten[n]) {
        c = powers_of_ten[n - 1];
        ++point;
    }
    char s[significand_text_digit_limit + 1];
    put_digits(c, n, s);
    s[n] = '0';  // the first padding zero: a carried integer part can reach it
    const int significant = without_trailing_zeros(s, n);

    char* out = buffer;
    if (d.negative) *out++ = '-';
    // The layout is chosen on the point before the cut.
    if (d.point < 0 || d.point > n) {
        *out++ = s[0];
        if (n > 1) {
            *out++ = '.';
            std::memcpy(out, s + 1, static_cast<std::size_t>(significant - 1));
            out += significant - 1;
        }
        out = put_exponent(point - 1, out);
    } else {
        const int fraction_width = n - d.point;
        if (point > 0) {
            std::memcpy(out, s, static_cast<std::size_t>(point));  // point <= n + 1
            out += point;
        } else {
            *out++ = '0';
        }
        if (fraction_width > 0) {
            *out++ = '.';
            int shown = significant - point;
            if (shown > fraction_width) shown = fraction_width;
            if (shown > 0) {
                std::memcpy(out, s + point, static_cast<std::size_t>(shown));
                out += shown;
            }
        }
    }
    *out = '\0';
    return out;
}

}  // namespace vyxmath
