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
#include <bit>
#include <cstring>

#include "numtext/number_layout.h"
#include "numtext/wide_product.h"
#include "numtext/writer_rules.h"

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

// The significand and its cut in two 32-bit parts, value = upper * 10^8 +
// lower with lower < 10^8, so that no step needs a 64-bit division (a
// library call on 32-bit machines) and every division is by a constant.
struct split_decimal {
    std::uint32_t upper;
    std::uint32_t lower;
};

constexpr std::uint32_t power_of_ten_32(int k) {
    std::uint32_t p = 1;
    while (k-- > 0) p *= 10;
    return p;
}
constexpr std::uint32_t power_of_ten_32_table[] = {
    power_of_ten_32(0), power_of_ten_32(1), power_of_ten_32(2), power_of_ten_32(3), power_of_ten_32(4),
    power_of_ten_32(5), power_of_ten_32(6), power_of_ten_32(7), power_of_ten_32(8), power_of_ten_32(9),
};
constexpr std::uint32_t ten_to_8 = power_of_ten_32(8);

// ceil(2^84 / 10^8) by long division.
constexpr std::uint64_t reciprocal_of_ten_to_8() {
    std::uint64_t quotient = 0, remainder = 0;
    for (int bit = 84; bit >= 0; --bit) {
        remainder = 2 * remainder + (bit == 84 ? 1 : 0);
        quotient = 2 * quotient + (remainder >= ten_to_8 ? 1 : 0);
        if (remainder >= ten_to_8) remainder -= ten_to_8;
    }
    return quotient + (remainder != 0 ? 1 : 0);
}

// N = U * 10^8 + L for N < 2^57. U = floor(N * m / 2^84) with
// m = ceil(2^84 / 10^8): a multiplier with 27 bits more than the dividend's
// 57, for a divisor below 2^27, makes every such quotient exact
// (Granlund and Montgomery, 1994). L then follows in 32 bits.
split_decimal split_significand(std::uint64_t n) {
    const auto upper = static_cast<std::uint32_t>(multiply_64x64(n, reciprocal_of_ten_to_8()).high >> 20);
    return {upper, low_half(n) - upper * ten_to_8};
}

// The cut of a 17-digit significand N = U * 10^8 + L to n digits:
// C = floor((N + 5 * 10^(16 - n)) / 10^(17 - n)) (C = N when n = 17), the
// digit behind the cut rounding half up.
// For n <= 8 the half is a whole multiple of 10^8, which L cannot push over
// a multiple of the divisor: C = floor((U + 5 * 10^(8 - n)) / 10^(9 - n)).
// For 9 <= n <= 16, with j = 17 - n, 10^j divides 10^8:
// C = U * 10^(8 - j) + floor((L + 5 * 10^(j - 1)) / 10^j), and with
// U = a * 10^j + b that is a * 10^8 + (b * 10^(8 - j) + q), whose lower part
// reaches 10^8 only by a carry.
template <int n>
split_decimal cut_to(split_decimal d) {
    if constexpr (n == 17) {
        return d;
    } else if constexpr (n <= 8) {
        return {0, (d.upper + 5 * power_of_ten_32(8 - n)) / power_of_ten_32(9 - n)};
    } else {
        constexpr int j = 17 - n;
        const std::uint32_t q = (d.lower + 5 * power_of_ten_32(j - 1)) / power_of_ten_32(j);
        split_decimal c{d.upper / power_of_ten_32(j), d.upper % power_of_ten_32(j) * power_of_ten_32(8 - j) + q};
        if (c.lower == ten_to_8) c = {c.upper + 1, 0};
        return c;
    }
}

split_decimal cut(split_decimal digits, int n) {
    switch (n) {
        case 1: return cut_to<1>(digits);
        case 2: return cut_to<2>(digits);
        case 3: return cut_to<3>(digits);
        case 4: return cut_to<4>(digits);
        case 5: return cut_to<5>(digits);
        case 6: return cut_to<6>(digits);
        case 7: return cut_to<7>(digits);
        case 8: return cut_to<8>(digits);
        case 9: return cut_to<9>(digits);
        case 10: return cut_to<10>(digits);
        case 11: return cut_to<11>(digits);
        case 12: return cut_to<12>(digits);
        case 13: return cut_to<13>(digits);
        case 14: return cut_to<14>(digits);
        case 15: return cut_to<15>(digits);
        case 16: return cut_to<16>(digits);
        default: return cut_to<17>(digits);
    }
}

// Whether the cut carried through all n digits (C = 10^n), and the C of
// 10^(n - 1) that stands for it with the point one place up.
bool carried_out(split_decimal c, int n) {
    return n <= 8 ? c.lower == power_of_ten_32_table[n] : c.upper == power_of_ten_32_table[n - 8] && c.lower == 0;
}
split_decimal one_digit_less(int n) {
    return n <= 8 ? split_decimal{0, power_of_ten_32_table[n - 1]} : split_decimal{power_of_ten_32_table[n - 9], 0};
}

// The 4 digit values of x < 10^4, one per byte in memory order (the first
// digit in the lowest byte on little-endian machines). x splits into two
// pairs by x * 5243 / 2^19 (floor(x / 100) for x < 43699), and each pair,
// on its own 16-bit lane, into two digits by y * 103 / 2^10 (floor(y / 10)
// for y < 100), no lane's product reaching the next lane. All in 32 bits:
// on 32-bit machines one multiply each.
std::uint32_t four_digit_values(std::uint32_t x) {
    const std::uint32_t hundreds = (x * 5243) >> 19;
    const std::uint32_t pairs = hundreds | ((x - hundreds * 100) << 16);
    const std::uint32_t tens = ((pairs * 103) >> 10) & 0x000F000Fu;
    return tens | ((pairs - tens * 10) << 8);
}

// The 8 digit values of c < 10^8, leading zeros included, in memory order.
// 64-bit machines split both halves at once, on the lanes of one word.
std::uint64_t eight_digit_values(std::uint32_t c) {
    if constexpr (std::endian::native == std::endian::little && sizeof(void*) >= 8) {
        std::uint64_t x = (c / 10000) | (std::uint64_t{c % 10000} << 32);
        const std::uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007Fu;
        x = hundreds | ((x - hundreds * 100) << 16);
        const std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000Fu;
        return tens | ((x - tens * 10) << 8);
    } else if constexpr (std::endian::native == std::endian::little) {
        return four_digit_values(c / 10000) | (std::uint64_t{four_digit_values(c % 10000)} << 32);
    } else {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i, c /= 10) word |= std::uint64_t{c % 10} << (8 * i);
        return word;
    }
}

// The zero bits below the lowest and above the highest one bit of a nonzero
// word. 32-bit machines count within one 32-bit half (a library call for
// the whole word otherwise).
int zero_bits_below(std::uint64_t x) {
    if constexpr (sizeof(void*) >= 8) return std::countr_zero(x);
    return low_half(x) != 0 ? std::countr_zero(low_half(x)) : 32 + std::countr_zero(high_half(x));
}
int zero_bits_above(std::uint64_t x) {
    if constexpr (sizeof(void*) >= 8) return std::countl_zero(x);
    return high_half(x) != 0 ? std::countl_zero(high_half(x)) : 32 + std::countl_zero(low_half(x));
}

// How many of the 8 digits, from the last backwards, are 0; the value is not
// all zeros.
int trailing_zero_digits(std::uint64_t values) {
    return std::endian::native == std::endian::little ? zero_bits_above(values) / 8 : zero_bits_below(values) / 8;
}

constexpr std::uint64_t ascii_zeros = 0x3030303030303030u;

// Copies 0 <= n <= 32 bytes with fixed-size moves that stay inside
// [to, to + n).
void copy_short(char* to, const char* from, int n) {
    if (n >= 8) {
        // Spelt out rather than a loop, which the compiler would turn into a
        // call of the library's memcpy.
        if (n > 8) std::memcpy(to, from, 8);
        if (n > 16) std::memcpy(to + 8, from + 8, 8);
        if (n > 24) std::memcpy(to + 16, from + 16, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(to, from, 2);
        std::memcpy(to + n - 2, from + n - 2, 2);
    } else if (n == 1) {
        *to = *from;
    }
}

// Copies count <= 8 characters as one fixed 8-byte move when those 8 bytes
// lie within the caller's bound (the bytes beyond count are overwritten
// later or lie behind the NUL), else exactly.
void copy_digits(char* out, const char* from, int count, const char* bound) {
    if (out + 8 <= bound && count <= 8) {
        std::memcpy(out, from, 8);
    } else {
        copy_short(out, from, count);
    }
}

}  // namespace

// An integer v with L <= digits digits: its 17-digit significand is exactly
// v * 10^(17 - L) with point L (the scaling errs by far less than half a unit
// of the 17th digit, and v / 10^L stays below 1 by 10^-L), so the cut keeps
// v's digits and adds zero digits, and the plain layout shows v followed by
// a fraction of zeros that trimming removes, leaving the point when there is
// a fraction position (L < digits). Taken for 1 <= v < 10^8 and 2 <= digits,
// where the eight digit characters can be stored whole within the bound.
bool write_small_integer(std::uint32_t v, bool negative, std::int32_t digits, char* buffer) {
    if (digits < 2) return false;
    if (v >= 100'000'000u || v >= powers_of_ten[digits < 17 ? digits : 17]) return false;

    const std::uint64_t values = eight_digit_values(v);
    const int leading_zeros = std::endian::native == std::endian::little ? zero_bits_below(values) / 8
                                                                        : zero_bits_above(values) / 8;
    const int length = 8 - leading_zeros;
    // The digits without the leading zeros, then NUL bytes.
    const std::uint64_t text = std::endian::native == std::endian::little
                                   ? (values | ascii_zeros) >> (8 * leading_zeros)
                                   : (values | ascii_zeros) << (8 * leading_zeros);
    char* out = buffer;
    *out = '-';  // kept only for a negative value
    out += negative ? 1 : 0;
    std::memcpy(out, &text, 8);  // sign + 8 <= digits + 8
    out += length;
    if (length < digits) *out++ = '.';
    *out = '\0';
    return true;
}

bool write_integer(double value, std::int32_t digits, char* buffer) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    std::uint32_t v;
    return small_integer_value(high_half(bits), low_half(bits), v) &&
           write_small_integer(v, bits >> 63 != 0, digits, buffer);
}

char* significand_text(const decimal_significand& d, std::int32_t digits, char* buffer) {
    const int n = digits;
    split_decimal c = cut(split_significand(d.digits), n);
    int point = d.point;
    if (carried_out(c, n)) {
        c = one_digit_less(n);
        ++point;
    }

    // S: C's n digits at s, then "0"s, of which a carried integer part can
    // reach the first. `significant` counts S's digits up to its last nonzero.
    char digit_space[32];
    char* s;
    int significant;
    if (n <= 8) {
        const std::uint64_t values = eight_digit_values(c.lower);
        const std::uint64_t text = values | ascii_zeros;
        std::memcpy(digit_space, &text, 8);
        std::memcpy(digit_space + 8, &ascii_zeros, 8);
        std::memcpy(digit_space + 16, &ascii_zeros, 8);
        s = digit_space + (8 - n);
        significant = n - trailing_zero_digits(values);  // C > 0: its leading digit is not 0
    } else {
        const std::uint64_t high = eight_digit_values(c.upper % 100'000'000u);
        const std::uint64_t low = eight_digit_values(c.lower);
        const std::uint64_t high_text = high | ascii_zeros, low_text = low | ascii_zeros;
        digit_space[0] = static_cast<char>('0' + c.upper / 100'000'000u);
        std::memcpy(digit_space + 1, &high_text, 8);
        std::memcpy(digit_space + 9, &low_text, 8);
        std::memcpy(digit_space + 17, &ascii_zeros, 8);
        s = digit_space + (17 - n);
        significant = low != 0 ? n - trailing_zero_digits(low) : high != 0 ? n - 8 - trailing_zero_digits(high) : n - 16;
    }

    const char* const bound = buffer + written_text_bound(n);
    char* out = buffer;
    *out = '-';  // kept only for a negative value; a branch here would be mispredicted
    out += d.negative ? 1 : 0;
    // The layout is chosen on the point before the cut.
    if (uses_exponent_form(d.point, n)) {
        *out++ = s[0];
        if (n > 1) {
            *out++ = '.';
            copy_digits(out, s + 1, significant - 1, bound);
            out += significant - 1;
        }
        out = put_exponent_part(point - 1, out);
    } else {
        const int fraction_width = n - d.point;
        if (point > 0) {
            copy_digits(out, s, point, bound);  // point <= n + 1
            out += point;
        } else {
            *out++ = '0';
        }
        if (fraction_width > 0) {
            *out++ = '.';
            int shown = significant - point;
            if (shown > fraction_width) shown = fraction_width;
            if (shown > 0) {
                copy_digits(out, s + point, shown, bound);
                out += shown;
            }
        }
    }
    *out = '\0';
    return out;
}

}  // namespace vyxmath
