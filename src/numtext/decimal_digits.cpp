// decimal_digits: a double's first 17 significant decimal digits, its sign and
// the decimal point position, by extended-precision integer arithmetic.
#include <array>
#include <bit>
#include <cstring>

#include "numtext/digit_pairs.h"
#include "numtext/digit_record.h"
#include "numtext/power_scaling.h"
#include "numtext/wide_product.h"

namespace vyxmath {

namespace {

constexpr std::uint64_t sign_bit = std::uint64_t{1} << 63;
constexpr std::uint64_t fraction_mask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t quiet_bit = std::uint64_t{1} << 51;
constexpr std::uint64_t ten_to_17 = 100'000'000'000'000'000u;
constexpr std::uint64_t ten_to_18 = 1'000'000'000'000'000'000u;

// Exponent of the widened double when the double's exponent field is 1:
// 1 - 1023 + 16383.
constexpr int widened_exponent_offset = 16383 - 1023;  // 0x3C00

digit_record make_record(char sign, int point, const char* text) {
    digit_record r{};
    r.sign = sign;
    r.point = static_cast<std::int16_t>(point);
    r.length = static_cast<std::uint8_t>(std::strlen(text));
    std::memcpy(r.digits, text, r.length + 1u);
    return r;
}

// Infinities keep their sign; the default not-a-number of invalid
// operations (sign set, fraction bit 51 alone) is "indefinite"; every other
// not-a-number, signalling ones included, is a quiet one. Quieting a
// signalling not-a-number sets bit 51 next to a nonzero fraction, which never
// makes it the indefinite pattern, so it needs no step of its own here.
digit_record marker_record(std::uint64_t bits) {
    const char sign = (bits & sign_bit) ? '-' : ' ';
    const std::uint64_t fraction = bits & fraction_mask;
    const char* marker = fraction == 0                                 ? "1#INF"
                         : ((bits & sign_bit) && fraction == quiet_bit) ? "1#IND"
                                                                        : "1#QNAN";
    return make_record(sign, 1, marker);
}

// Writes the last 2 * pair_count digits of n, leading zeros included, ending
// before `end`.
void write_digit_pairs(std::uint32_t n, int pair_count, char* end) {
    for (int i = 0; i < pair_count; ++i) {
        end -= 2;
        std::memcpy(end, &digit_pairs[2 * (n % 100)], 2);
        n /= 100;
    }
}

// The 17 decimal digits of n < 10^17, leading zeros included. Two 32-bit
// halves keep the digit loop free of 64-bit divisions on 32-bit targets.
void write_17_digits(std::uint64_t n, char* out) {
    const std::uint32_t high = static_cast<std::uint32_t>(n / 100'000'000u);  // < 10^9
    const std::uint32_t low = static_cast<std::uint32_t>(n % 100'000'000u);
    out[0] = static_cast<char>('0' + high / 100'000'000u);
    write_digit_pairs(high % 100'000'000u, 4, out + 9);
    write_digit_pairs(low, 4, out + 17);
}

// The steps of decimal_digits on magnitudes (top 64 mantissa bits, low 16,
// exponent), the form the inlined products work on. The value is positive
// throughout: the sign is put back at the end.

extended_magnitude widen(std::uint64_t bits) {
    const int exponent_field = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & fraction_mask;
    if (exponent_field != 0)
        return {(std::uint64_t{1} << 63) | (fraction << 11), 0, exponent_field + widened_exponent_offset};
    // A denormal is 0.f x 2^-1022: normalise it, one exponent step per bit of
    // shift, so the leading bit lands on bit 63.
    const int shift = std::countl_zero(fraction << 11);
    return {(fraction << 11) << shift, 0, 1 + widened_exponent_offset - shift};
}

// numerator / 2^16 is a piecewise-linear stand-in for log10 x + 1: the slope
// 0x4D10 / 2^16 plus 0x4D / 2^24 (the E / 256 term) is log10 2 to seven
// digits, 2 t * 0x4D / 2^16 is a chord of log10 over the mantissa's top 8
// bits, and 0x134312F4 removes the exponent bias. Over every (E, t) bucket it
// lies from log10 x + 0.971 to log10 x + 1.001, and the overshoot beyond +1
// occurs only where it cannot reach the next integer, so the floor is
// floor(log10 x) or one more for every finite nonzero double. The numerator
// is negative below about 0.1, and the arithmetic shift floors it.
int estimate(const extended_magnitude& x) {
    const std::int32_t e = x.exponent;
    const auto t = static_cast<std::int32_t>(x.top >> 56);  // 128..255
    const std::int32_t numerator = e * 0x4D10 + (e / 256 + 2 * t) * 0x4D - 0x134312F4;
    return numerator >> 16;
}

extended_magnitude multiply_positive(const extended_magnitude& a, const extended_value& b) {
    extended_magnitude r;
    if (multiply_usual(a, magnitude_of(b), r)) return r;
    return magnitude_of(multiply_extended(with_magnitude(false, a), b));
}

struct scaled_magnitude {
    extended_magnitude value;
    int decimal_exponent;
};

// x * 10^-p (|p| <= 324 for doubles, so at most three factors), then one
// more 0.1 when that is still 1 or more.
scaled_magnitude below_one(const extended_magnitude& x, int p) {
    bool negative = false;
    scaled_magnitude s{scale_magnitude(x, negative, p < 0 ? 0u - static_cast<unsigned>(p) : static_cast<unsigned>(p),
                                       p < 0 ? positive_powers : negative_powers),
                       p};
    if (s.value.exponent >= extended_bias) {  // v >= 1: the estimate was floor(log10 x)
        s.value = multiply_positive(s.value, one_tenth);
        s.decimal_exponent += 1;
    }
    return s;
}

// F = mantissa * 2^8 puts the binary point of a value in [1/2, 1) (exponent
// 16382) between bits 87 and 88; smaller values shift right by the missing
// exponent steps. For any double that is 0 to 3 steps, and since the low 8
// bits of F are zero no bit is lost.
fraction96 fraction_of_magnitude(const extended_magnitude& v) {
    fraction96 f{static_cast<std::uint32_t>(v.top >> 40), (v.top << 24) | (std::uint64_t{v.low} << 8)};
    const int shift = (extended_bias - 1) - v.exponent;
    if (shift <= 0) return f;
    if (shift >= 96) return fraction96{0, 0};
    if (shift >= 64) return fraction96{0, std::uint64_t{f.high} >> (shift - 64)};
    f.low = (f.low >> shift) | (std::uint64_t{f.high} << (64 - shift));
    f.high = shift < 32 ? f.high >> shift : 0;
    return f;
}

// The direct digits. The extended route computes N = floor(10^17 v + 1/2)
// (the 18 digits floor(10^18 v), then + 5 and / 10 on them, which is the
// same), where v is x * 10^-p after at most three table products and the
// product by one_tenth. Each product errs by less than 2^-75.7 relative (the
// lost limb carries below 2^-75.99, the rounding to 80 bits 2^-80, the
// factor's own rounding, or one_tenth's truncation, below 2^-79.6), so
// 10^17 v is within 10^17 * 4 * 2^-75.7 < 2^-17.2 of its exact value, and
// below 1 exactly when the exact value is, unless the two lie within 2^-70
// of 1 - where either way the text is "1" with the point one place up.
//
// Here y = x * 10^(17 - p) is computed from a 128-bit power of five, off by
// far less than 2^-60. Whenever y's fraction is at least 2^-16 away from 1/2,
// N = floor(y + 1/2) is the route's; when y rounds to 10^17 or more, the
// route's v was 1 or more (or its 17 digits were all 9s, which it writes as
// 1 with the point one place up, the same text), and y / 10, computed from
// the next power down, gives N with the point one place up. Values within
// the margin of a half take the route itself.
struct fixed_decimal {
    std::uint64_t integer;
    std::uint64_t fraction;  // the top 64 bits of the fraction
};

constexpr std::uint64_t one_half = std::uint64_t{1} << 63;
constexpr std::uint64_t digit_margin = std::uint64_t{1} << 48;  // 2^-16

// y = m * 2^e * 10^q for m with bit 63 set, when 10^16 <= y < 10^18.
bool multiply_by_power_of_ten(std::uint64_t m, int e, int q, fixed_decimal& y) {
    if (q < wide_powers_of_five_first || q > wide_powers_of_five_last) return false;
    // 10^q = 5^q * 2^q ~ T * 2^(floor(log2 5^q) - 127 + q)
    const wide_power& t = wide_powers_of_five[q - wide_powers_of_five_first];
    const uint128_parts high = multiply_64x64(m, t.high);
    const std::uint64_t middle_part = multiply_64x64(m, t.low).high;  // the lowest 64 bits barely matter
    const std::uint64_t r1 = high.low + middle_part;
    const std::uint64_t r2 = high.high + (r1 < middle_part ? 1 : 0);
    // The 192-bit product r2:r1:... has its leading bit at 190 or 191, and
    // y = product / 2^shift with 131 <= shift <= 139 for the y wanted here.
    const int shift = 127 - e - floor_log2_of_five_power(q) - q;
    if (shift <= 128 || shift >= 192) return false;
    const int k = shift - 128;
    y.integer = r2 >> k;
    y.fraction = (r2 << (64 - k)) | (r1 >> k);
    return true;
}

// N = floor(y + 1/2), or false when y lies too close to a half.
bool round_clear_of_half(const fixed_decimal& y, std::uint64_t& n) {
    if (y.fraction - (one_half - digit_margin) <= 2 * digit_margin) return false;
    n = y.integer + (y.fraction >= one_half ? 1 : 0);
    return true;
}

bool direct_significand(const extended_magnitude& x, int p, bool negative, decimal_significand& d) {
    const int e = x.exponent - extended_bias - 63;
    fixed_decimal y;
    std::uint64_t n;
    if (!multiply_by_power_of_ten(x.top, e, 17 - p, y) || !round_clear_of_half(y, n)) return false;
    if (n >= ten_to_17) {
        ++p;
        if (!multiply_by_power_of_ten(x.top, e, 17 - p, y) || !round_clear_of_half(y, n)) return false;
    }
    if (n < ten_to_17 / 10 || n >= ten_to_17) return false;
    d = {n, p, negative};
    return true;
}

}  // namespace

extended_value double_to_extended(double value) {
    return with_magnitude(false, widen(std::bit_cast<std::uint64_t>(value)));
}

int estimate_decimal_exponent(const extended_value& x) { return estimate(magnitude_of(x)); }

scaled_value scale_below_one(const extended_value& x, int p) {
    const scaled_magnitude s = below_one(magnitude_of(x), p);
    return {with_magnitude(x.negative(), s.value), s.decimal_exponent};
}

fraction96 fraction_of(const extended_value& v) { return fraction_of_magnitude(magnitude_of(v)); }

// Generating digits one at a time (F = 10 F; digit = F / 2^88; F = F mod 2^88)
// gives the same 18 digits as this single product. With F_0 = F < 2^88, each
// step forms 10 F_(k-1) < 10 * 2^88 < 2^92, so arithmetic modulo 2^96 never
// drops a bit, and d_k = floor(10 F_(k-1) / 2^88) <= 9. By induction
//     10^k F_0 = N_k * 2^88 + F_k,  N_k = d_1 d_2 ... d_k (decimal), 0 <= F_k < 2^88,
// since 10^k F_0 = 10 N_(k-1) 2^88 + 10 F_(k-1) = (10 N_(k-1) + d_k) 2^88 + F_k.
// Hence N_18 = floor(10^18 F / 2^88), whose 18 decimal digits, leading zeros
// included, are d_1 ... d_18.
//
// With F = high * 2^64 + low: floor(F * 10^18 / 2^88)
//     = floor((high * 10^18 + floor(low * 10^18 / 2^64)) / 2^24),
// dropping low * 10^18's bottom 64 bits first being harmless for a floor.
// high < 2^24, so the sum is below 2^84 + 2^60 and the result below 2^60.
std::uint64_t first_18_digits(const fraction96& f) {
    const uint128_parts upper = multiply_64x64(f.high, ten_to_18);
    const std::uint64_t lower = multiply_64x64(f.low, ten_to_18).high;
    const std::uint64_t sum_low = upper.low + lower;
    const std::uint64_t sum_high = upper.high + (sum_low < lower ? 1 : 0);
    return (sum_high << 40) | (sum_low >> 24);
}

namespace {

// The extended route from the widened magnitude and the estimate p.
decimal_significand by_scaling(const extended_magnitude& x, int p, bool negative) {
    const scaled_magnitude s = below_one(x, p);
    const std::uint64_t eighteen = first_18_digits(fraction_of_magnitude(s.value));

    // Rounding to 17 digits on the 18th alone: floor(N / 10) plus one when
    // the 18th digit is 5 or more, carrying through any run of 9s.
    const std::uint64_t seventeen = (eighteen + 5) / 10;
    if (seventeen == ten_to_17)  // 17 nines rounded up: 0.99...9 -> 1.0
        return {ten_to_17 / 10, s.decimal_exponent + 1, negative};
    if (seventeen == 0) return {0, 0, false};
    // A first digit 0 (a value scaled to just below 0.1, as every exact power
    // of ten is) is always followed by seventeen 9s, which the rounding above
    // has already carried into it, so the significand has 17 digits.
    return {seventeen, s.decimal_exponent, negative};
}

// Zero and the values that are not finite, which carry no digits.
bool without_digits(std::uint64_t bits, decimal_significand& d) {
    const bool negative = (bits & sign_bit) != 0;
    if ((bits & ~sign_bit) == 0) {
        d = {0, 0, false};
        return true;
    }
    if (((bits >> 52) & 0x7FF) == 0x7FF) {
        d = {0, 1, negative};
        return true;
    }
    return false;
}

}  // namespace

decimal_significand significand_of(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    decimal_significand d;
    if (without_digits(bits, d)) return d;
    const bool negative = (bits & sign_bit) != 0;
    const extended_magnitude x = widen(bits);
    const int p = estimate(x);
    if (direct_significand(x, p, negative, d)) return d;
    return by_scaling(x, p, negative);
}

bool significand_directly(double value, decimal_significand& d) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (without_digits(bits, d)) return false;
    const extended_magnitude x = widen(bits);
    return direct_significand(x, estimate(x), (bits & sign_bit) != 0, d);
}

decimal_significand significand_by_scaling(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    decimal_significand d;
    if (without_digits(bits, d)) return d;
    const extended_magnitude x = widen(bits);
    return by_scaling(x, estimate(x), (bits & sign_bit) != 0);
}

digit_record decimal_digits(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (((bits >> 52) & 0x7FF) == 0x7FF) return marker_record(bits);
    const decimal_significand d = significand_of(value);
    if (d.digits == 0) return make_record(' ', 0, "0");

    digit_record r{};
    r.sign = d.negative ? '-' : ' ';
    r.point = static_cast<std::int16_t>(d.point);
    write_17_digits(d.digits, r.digits);
    int length = record_digit_count;
    while (r.digits[length - 1] == '0') --length;
    r.digits[length] = '\0';
    r.length = static_cast<std::uint8_t>(length);
    return r;
}

}  // namespace vyxmath
