// read_number: number text to a double, the same bits on every machine.
// Text that holds no number reads as +0.0, a lone sign included.
//
// The double is defined by the extended route: D scaled by 10^p in the
// extended format, then round_mantissa. Digit strings whose D fits 64 bits
// are first offered to the direct rounding, which gives the same bits with
// one product whenever it can prove them.
#include "common/ieee_double.h"
#include "common/text_characters.h"
#include "common/wide_product.h"
#include "numtext/direct_rounding.h"
#include "numtext/module_conversions.h"
#include "numtext/number_reader.h"

namespace vyxmath {
namespace {

constexpr unsigned digit_value(unsigned char c) { return c - unsigned{'0'}; }  // above 9 for a non-digit

// Gathers up to eight digits of a run into a 32-bit group, four per step:
// the digits of a step are combined among themselves before they meet the
// group. Each byte is looked at only once the one before it has proved to
// be a digit, so nothing behind the terminating NUL is read. Returns where
// the gathering stopped; fewer than eight digits taken means the run ended.
[[gnu::always_inline]] inline const unsigned char* gather_group(const unsigned char* s, std::uint32_t& group) {
    std::uint32_t g = 0;
    for (int step = 0; step < 2; ++step) {
        const unsigned a = digit_value(s[0]);
        if (a > 9) break;
        const unsigned b = digit_value(s[1]);
        if (b > 9) {
            g = g * 10 + a;
            s += 1;
            break;
        }
        const unsigned c = digit_value(s[2]);
        if (c > 9) {
            g = g * 100 + (a * 10 + b);
            s += 2;
            break;
        }
        const unsigned e = digit_value(s[3]);
        if (e > 9) {
            g = g * 1000 + (a * 100 + b * 10 + c);
            s += 3;
            break;
        }
        g = g * 10000 + (a * 1000 + b * 100 + c * 10 + e);
        s += 4;
    }
    group = g;
    return s;
}

constexpr std::uint32_t group_scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Appends a run of digits to d, a group of up to eight at a time: the chain
// through d takes one product per eight digits, with a factor below 2^32
// (two multiplies on 32-bit machines, not three). A run too long for 64
// bits wraps d; the caller refuses it. Inlined, so that d stays in
// registers rather than behind a reference (on 32-bit machines the compiler
// keeps it in memory otherwise).
[[gnu::always_inline]] inline const unsigned char* append_digits(const unsigned char* s, std::uint64_t& d) {
    for (;;) {
        std::uint32_t group;
        const unsigned char* const start = s;
        s = gather_group(s, group);
        const auto count = s - start;
        d = d * std::uint64_t{group_scale[count]} + group;
        if (count < 8) return s;
    }
}

// Short decimals: D below 2^31 and 10^-8 <= 10^p <= 1. D and 10^-p are
// doubles as they stand, so one division rounds D / 10^-p to nearest, and
// that is the extended route's double too. With s the shift that brings
// the quotient's mantissa to 53 bits (s >= -p, as D < 2^53), the remainder
// below the last bit is (D 2^(s + p) mod 5^-p) / 5^-p: a multiple of 5^p,
// at least 5^p / 2 from one half and 5^p / 4 from three quarters, that is
// 2^-20.6 of a unit or more for -p <= 8. The extended route scales D, which
// it holds exactly, by one truncated product with the table's 10^p (one
// octal digit of |p|: 10^-8 is the entry of place 1), less than 2^-22.6 of
// a unit off, and rounds up from above one half but for three quarters
// exactly: on the same side of both points as the quotient, it rounds the
// same way. Non-negative p takes only p = 0 (D itself); larger ones have
// exact ties and three quarters among D 10^p.
constexpr int short_decimal_places = 8;
constexpr double short_decimal_divisors[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

constexpr bool is_short_decimal(std::uint64_t d, int p) {
    return (high_half(d) | (low_half(d) >> 31)) == 0 && static_cast<unsigned>(p + short_decimal_places) <= unsigned{short_decimal_places};
}

inline double short_decimal_value(std::uint32_t d, int p, bool negative) {
    const auto n = static_cast<std::int32_t>(d);
    // The division rounds symmetrically, so the sign may go in first. A
    // whole number is not divided (by one) at all.
    const double x = static_cast<double>(negative ? -n : n);
    return p == 0 ? x : x / short_decimal_divisors[-p];
}

// The usual texts in one pass: a sign, at most 19 digits with at most one
// point among them, and an exponent part. D is every digit written, leading
// and trailing zeros included, and p is the exponent less the number of
// fraction digits: the same number D * 10^p as the scan's kept digits and
// adjusted exponent, which is all the direct rounding depends on. Anything
// else (no digit, more digits, an exponent beyond the scan's cap) returns
// false and takes the full scan.
[[gnu::always_inline]] inline bool read_usual(const unsigned char* s, double& result) {
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';
    // A text of at most nine digits with a point and no exponent part is
    // read from its digits in 32 bits, the fraction's gathered in one group.
    const unsigned char* const first = s;
    std::uint32_t leading;
    s = gather_group(s, leading);
    std::uint64_t d = leading;
    if (s - first == 8) s = append_digits(s, d);
    int digits = static_cast<int>(s - first);
    int fraction_digits = 0;
    if (*s == '.') {
        const unsigned char* const fraction = ++s;
        std::uint32_t trailing;
        s = gather_group(s, trailing);
        fraction_digits = static_cast<int>(s - fraction);
        if (digits + fraction_digits <= 9 && fraction_digits < 8 && !is_exponent_marker(*s)) {
            const std::uint32_t short_d = low_half(d) * group_scale[fraction_digits] + trailing;  // below 10^9
            if (short_d != 0) {
                result = short_decimal_value(short_d, -fraction_digits, negative);
                return true;
            }
        }
        d = d * std::uint64_t{group_scale[fraction_digits]} + trailing;
        if (fraction_digits == 8) {
            s = append_digits(s, d);
            fraction_digits = static_cast<int>(s - fraction);
        }
        digits += fraction_digits;
    }
    if (digits == 0 || digits > leading_digit_limit) return false;
    int exponent = 0;
    if (is_exponent_marker(*s)) {
        // An exponent part without a digit is void: it stays 0.
        const unsigned char* e = s + 1;
        const bool exponent_negative = *e == '-';
        if (*e == '+' || *e == '-') ++e;
        for (unsigned v; (v = digit_value(*e)) <= 9; ++e) {
            exponent = exponent * 10 + static_cast<int>(v);
            if (exponent > decimal_exponent_limit) return false;  // the scan applies the cap
        }
        if (exponent_negative) exponent = -exponent;
    }
    if (d == 0) {  // a mantissa of zeros: zero with the mantissa sign
        result = from_bits(negative ? ieee_double::sign_mask : 0);
        return true;
    }
    const int q = exponent - fraction_digits;
    if (is_short_decimal(d, q)) {
        result = short_decimal_value(low_half(d), q, negative);
        return true;
    }
    std::uint64_t bits;
    if (!round_directly_to_bits(d, q, negative, bits)) return false;
    result = from_bits(bits);
    return true;
}

// Every text that the one pass does not take. Kept out of line: inlined, its
// extended arithmetic would give read_value a larger frame and crowd the
// usual path's values out of registers.
[[gnu::noinline]] std::uint64_t read_by_scan(const char* text) {
    std::uint64_t result;
    const decimal_number d = scan_decimal(text);
    if (d.what == decimal_number::form::none) return 0;
    if (d.what == decimal_number::form::digits && d.digits.trailing_count == 0) {
        if (round_directly_to_bits(d.digits.leading, d.power, d.negative, result)) return result;
    }
    return std::bit_cast<std::uint64_t>(extended_to_double(decimal_to_extended(d)));
}

[[gnu::always_inline]] inline double read_value(const char* text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    while (is_space(*s)) ++s;
    double result;
    if (read_usual(s, result)) return result;
    return from_bits(read_by_scan(text));
}

}  // namespace

double read_number(const char* text) { return read_value(text); }

#ifdef VYXMATH_READ_IN_REGISTER
__m128d read_number_in_register(const char* text) { return _mm_set_sd(read_value(text)); }
#endif

}  // namespace vyxmath
