// read_number takes the usual texts (a sign, up to 19 digits with one point,
// an exponent part) in one pass, with every written digit in D. That must
// give the bits of the full scan's route, which keeps at most 25 digits,
// drops trailing zeros and scales in the extended format.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>

#include "numtext/number_reader.h"
#include "numtext/sample_doubles.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

double by_full_scan(const std::string& text) {
    const decimal_number d = scan_decimal(text.c_str());
    if (d.what == decimal_number::form::none) return 0.0;
    return extended_to_double(decimal_to_extended(d));
}

void expect_same_bits(const std::string& text) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read_number(text.c_str())), std::bit_cast<std::uint64_t>(by_full_scan(text)))
        << '"' << text << '"';
}

// Texts of every shape the one pass takes, and of the shapes around it that
// it must leave to the scan: leading and trailing zeros, a point anywhere or
// first or last, exponent parts with a sign, leading zeros, no digit, or
// beyond the cap, and what may follow.
std::string random_text(test::bit_stream& bits) {
    auto pick = [&bits](std::uint64_t n) { return bits.next() % n; };
    std::string text;
    if (pick(8) == 0) text += " \t"[pick(2)];
    if (pick(3) == 0) text += "+-"[pick(2)];
    const std::uint64_t digits = pick(22);  // 0 to 21: both sides of 19
    const std::uint64_t point = pick(digits + 2);
    const std::uint64_t zeros_first = pick(4) == 0 ? pick(6) : 0;
    for (std::uint64_t i = 0; i < digits; ++i) {
        if (i == point) text += '.';
        const bool zero = i < zeros_first || (pick(4) == 0);
        text += static_cast<char>('0' + (zero ? 0 : 1 + pick(9)));
    }
    if (point == digits) text += '.';
    if (pick(2) == 0) {
        text += "eEdD"[pick(4)];
        if (pick(2) == 0) text += "+-"[pick(2)];
        if (pick(4) == 0) text.append(pick(3), '0');
        const std::uint64_t range[] = {10, 400, 5300, 100000};
        if (pick(8) != 0) text += std::to_string(pick(range[pick(4)]));
    }
    if (pick(4) == 0) text += ".e+-5x"[pick(6)];
    return text;
}

TEST(ReadUsualTexts, SameBitsAsTheFullScanOnRandomTexts) {
    test::bit_stream bits(90210);
    for (int i = 0; i < 200000; ++i) {
        expect_same_bits(random_text(bits));
        if (HasFailure()) return;
    }
}

TEST(ReadUsualTexts, SameBitsAsTheFullScanForWrittenDoubles) {
    for (double v : test::sample_doubles(2000)) {
        for (int precision : {15, 16, 17}) {
            char text[40];
            std::snprintf(text, sizeof text, "%.*e", precision, v);
            expect_same_bits(text);
            std::snprintf(text, sizeof text, "%.*g", precision, v);
            expect_same_bits(text);
        }
        if (HasFailure()) return;
    }
}

// Short decimals D / 10^k, D below 2^31, whose remainder below the double's
// last bit lies as near a quarter, a half or three quarters of a unit as
// such a quotient's can: for D / 10^k in [2^e, 2^(e+1)) the remainder is
// (D 2^(52 - e - k) mod 5^k) / 5^k, so D is solved for the residues next to
// 5^k / 4, 5^k / 2 and 3 5^k / 4. k runs past the reader's division, to
// where the extended route's own error reaches such distances.
std::string with_point(std::uint64_t d, int k, bool negative) {
    std::string digits = std::to_string(d);
    if (static_cast<int>(digits.size()) <= k) digits.insert(0, k + 1 - digits.size(), '0');
    digits.insert(digits.size() - k, 1, '.');
    return (negative ? "-" : "") + digits;
}

TEST(ReadUsualTexts, SameBitsAsTheFullScanForShortDecimalsNearRoundingPoints) {
    constexpr std::uint64_t limit = std::uint64_t{1} << 31;
    std::uint64_t ten = 1, five = 1;
    for (int k = 1; k <= 13; ++k) {
        ten *= 10;
        five *= 5;
        const std::uint64_t half_inverse = (five + 1) / 2;  // the inverse of 2 modulo 5^k
        for (int e = -4 * k; e <= 31; ++e) {
            // 10^k 2^x rounded up, or the limit once it reaches that far.
            const auto scaled = [&](int x) {
                if (x < 0) return (ten + (std::uint64_t{1} << -x) - 1) >> -x;
                return x < std::countl_zero(ten) - 1 ? std::min(ten << x, limit) : limit;
            };
            const std::uint64_t low = std::max<std::uint64_t>(scaled(e), 1);
            const std::uint64_t high = std::min(scaled(e + 1), limit);
            if (low >= high) continue;
            std::uint64_t inverse = 1;  // of 2^(52 - e - k)
            for (int i = 0; i < 52 - e - k; ++i) inverse = inverse * half_inverse % five;
            for (const std::uint64_t j : {five / 4, five / 4 + 1, five / 2, five / 2 + 1, 3 * five / 4, 3 * five / 4 + 1}) {
                const std::uint64_t residue = j % five * inverse % five;
                std::uint64_t d = low + (residue + five - low % five) % five;
                for (int n = 0; n < 2 && d < high; ++n, d += five) {
                    expect_same_bits(with_point(d, k, n == 1));
                    expect_same_bits(std::to_string(d) + "e-" + std::to_string(k));
                }
            }
            if (HasFailure()) return;
        }
    }
}

// Exact ties, three quarters, and values a hair off them, with the zeros
// that make them longer than their kept digits.
TEST(ReadUsualTexts, SameBitsAsTheFullScanAtRoundingPoints) {
    for (const char* text : {"9007199254740993", "9007199254740995", "9007199254740993.0", "900719925474099.50",
                             "4503599627370497.5", "4503599627370497.50", "18014398509481987", "1801439850948198.70",
                             "9007199254740993e0", "90071992547409930e-1", "0.9007199254740993e16",
                             "66287682351673492627e-33", "6628768235167349262.7e-32", "2.2250738585072014e-308",
                             "1.7976931348623158e308", "1.7976931348623159e308", "4.9406564584124654e-324",
                             "1000000000000000000", "10000000000000000000", "0.0000000000000000001",
                             "00000000000000000001", "1e5200", "1e5201", "0e5201", "-0e-5201", "-0.000e7"}) {
        expect_same_bits(text);
    }
}

}  // namespace
}  // namespace vyxmath
