#include "real/trig/angle_reduction.h"

#include <algorithm>
#include <bit>

#include "common/ieee_double.h"
#include "real/double_double.h"
#include "real/trig/trig_constants.h"

namespace vyxmath {
namespace {

using trig_constants::two_over_pi_word_count;
using trig_constants::two_over_pi_words;

// Arguments below this are reduced with pi/2 in pieces (Cody and Waite): the
// quotient then stays below 2^20 and its products with the 33-bit pieces are
// exact.
constexpr double piecewise_limit = 0x1.0p20;

// A remainder below this may have lost relative accuracy to cancellation in
// the piecewise reduction (its absolute error is below 2^-115); such
// arguments are reduced again from the bits of 2/pi.
constexpr double cancellation_limit = 0x1.0p-30;

constexpr double two_over_pi = 0x1.45f306dc9c883p-1;

// Rounds to the nearest integer (ties to even) for |t| < 2^51, by the
// rounding of the addition itself.
constexpr double nearest_integer(double t) {
    constexpr double shifter = 0x1.8p52;
    return (t + shifter) - shifter;
}

reduced_angle negated(reduced_angle a) {
    return {(4 - a.quadrant) & 3, negate(a.remainder)};
}

// A little-endian multi-word integer wide enough for a 64-bit significand
// times the 320 bits of 2/pi.
constexpr int product_words = two_over_pi_word_count + 2;

struct wide_product {
    std::uint32_t word[product_words];  // word[0] least significant

    std::uint32_t word_at(int index) const {
        return (index < 0 || index >= product_words) ? 0 : word[index];
    }

    bool bit(int position) const {
        if (position < 0 || position >= 32 * product_words) return false;
        return ((word[position / 32] >> (position % 32)) & 1) != 0;
    }

    // The 32 bits at positions low .. low+31; positions outside the product
    // read as 0.
    std::uint32_t bits_from(int low) const {
        const int index = low >> 5;  // rounds down for negative positions too
        const int shift = low & 31;
        if (shift == 0) return word_at(index);
        return (word_at(index) >> shift) | (word_at(index + 1) << (32 - shift));
    }

    // The 64 bits at positions top-63 .. top.
    std::uint64_t bits_below(int top) const {
        return (std::uint64_t{bits_from(top - 31)} << 32) | bits_from(top - 63);
    }

    // The highest set bit below position `end`, or -1; the product holds no
    // bit at `end` or above.
    int highest_bit_below(int end) const {
        for (int i = std::min((end - 1) >> 5, product_words - 1); i >= 0; --i) {
            if (word[i] != 0) return 32 * i + std::bit_width(word[i]) - 1;
        }
        return -1;
    }
};

wide_product multiply_by_two_over_pi(std::uint64_t magnitude) {
    wide_product p{};
    const std::uint32_t halves[2] = {static_cast<std::uint32_t>(magnitude),
                                     static_cast<std::uint32_t>(magnitude >> 32)};
    for (int h = 0; h < 2; ++h) {
        std::uint64_t carry = 0;
        for (int i = 0; i < two_over_pi_word_count; ++i) {
            // Least significant table word first.
            const std::uint32_t t = two_over_pi_words[two_over_pi_word_count - 1 - i];
            const std::uint64_t sum = std::uint64_t{halves[h]} * t + p.word[i + h] + carry;
            p.word[i + h] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        for (int i = two_over_pi_word_count + h; carry != 0 && i < product_words; ++i) {
            const std::uint64_t sum = std::uint64_t{p.word[i]} + carry;
            p.word[i] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
    }
    return p;
}

// Two's complement of the low `bits` bits: 2^bits - value, for 0 < value < 2^bits.
void complement_low_bits(wide_product& p, int bits) {
    std::uint64_t borrow = 0;
    for (int i = 0; i < product_words; ++i) {
        const std::uint64_t difference = std::uint64_t{0} - p.word[i] - borrow;
        p.word[i] = static_cast<std::uint32_t>(difference);
        borrow = (difference >> 32) & 1;
    }
    // Clear everything from position `bits` up.
    for (int i = 0; i < product_words; ++i) {
        const int low = 32 * i;
        if (low >= bits) {
            p.word[i] = 0;
        } else if (low + 32 > bits) {
            p.word[i] &= (std::uint32_t{1} << (bits - low)) - 1;
        }
    }
}

// x * 2/pi modulo 4 for x = magnitude * 2^exponent: the quadrant of the
// nearest multiple and the distance to it, |fraction| <= 1/2, in units of
// pi/2, as the fraction_bits low bits of p (a magnitude; negative when the
// quotient was rounded up).
struct exact_fraction {
    int quadrant;
    bool round_up;
    int fraction_bits;
    wide_product p;
};

exact_fraction fraction_of_quotient(std::uint64_t magnitude, int exponent) {
    // x * 2/pi = magnitude * W * 2^(exponent - 320), W the table as an integer.
    // Bits of the product at positions >= fraction_bits + 2 are multiples of
    // 4 and do not change the angle; the table's truncation error is below
    // 2^(64 + 10 - 320) in units of pi/2.
    exact_fraction f{0, false, 32 * two_over_pi_word_count - exponent, multiply_by_two_over_pi(magnitude)};
    wide_product& p = f.p;
    const int fraction_bits = f.fraction_bits;

    f.quadrant = (p.bit(fraction_bits + 1) ? 2 : 0) + (p.bit(fraction_bits) ? 1 : 0);
    for (int i = 0; i < product_words; ++i) {
        const int low = 32 * i;
        if (low >= fraction_bits) {
            p.word[i] = 0;
        } else if (low + 32 > fraction_bits) {
            p.word[i] &= (std::uint32_t{1} << (fraction_bits - low)) - 1;
        }
    }
    // A fraction of one half or more rounds the quotient up; the remainder
    // is then negative, and its magnitude is 2^fraction_bits - fraction.
    f.round_up = p.bit(fraction_bits - 1);
    if (f.round_up) {
        f.quadrant = (f.quadrant + 1) & 3;
        complement_low_bits(p, fraction_bits);
    }
    return f;
}

// 2^k modulo the large period for every k an argument's significand is
// scaled by (k = 11 .. 971, and 27 more for its upper part), made by
// doubling when the module is compiled.
constexpr int residue_split = 27;
constexpr int residue_count = 971 + residue_split + 1;

struct power_residues {
    std::uint64_t value[residue_count];
};

constexpr power_residues make_power_of_two_residues() {
    constexpr std::uint64_t period = large_argument_period;
    power_residues table{};
    std::uint64_t r = 1;
    for (int k = 0; k < residue_count; ++k) {
        table.value[k] = r;
        // 2r modulo the period for r below it; 2r may exceed 2^64, so the
        // comparison is made as r >= period - r.
        r = (r >= period - r) ? r - (period - r) : r + r;
    }
    return table;
}

constexpr power_residues power_of_two_residues = make_power_of_two_residues();

}  // namespace

reduced_angle reduce_by_half_pi_exactly(std::uint64_t magnitude, int exponent, bool negative) {
    const exact_fraction f = fraction_of_quotient(magnitude, exponent);
    const wide_product& p = f.p;
    const int fraction_bits = f.fraction_bits;
    const int quadrant = f.quadrant;
    const bool round_up = f.round_up;

    const int top = p.highest_bit_below(fraction_bits);
    if (top < 0) return {quadrant, {0.0, 0.0}};

    // The leading 106 bits of the fraction as hi + lo, in units of pi/2.
    const std::uint64_t high = p.bits_below(top);
    const std::uint64_t low = p.bits_below(top - 64);
    const int scale = top - fraction_bits + 1;  // fraction = 0.high... * 2^scale
    const double hi = static_cast<double>(high >> 11) * scale_by_power_of_two(1.0, scale - 53);
    const double lo = static_cast<double>(((high & 0x7FF) << 42) | (low >> 22)) *
                      scale_by_power_of_two(1.0, scale - 53 - 53);
    double_double r = mul(fast_two_sum(hi, lo), trig_constants::half_pi);
    if (round_up) r = negate(r);
    reduced_angle result{quadrant, r};
    return negative ? negated(result) : result;
}

reduced_angle reduce_by_half_pi(double x) {
    const double a = magnitude(x);
    if (a <= 0x1.921fb54442d18p-1) return {0, {x, 0.0}};  // |x| <= pi/4

    if (a < piecewise_limit) {
        const double n = nearest_integer(a * two_over_pi);
        double_double r = two_sum(a, -n * trig_constants::half_pi_c1);
        r = add(r, -n * trig_constants::half_pi_c2);
        r = add(r, -n * trig_constants::half_pi_c3);
        r = add(r, -n * trig_constants::half_pi_c4);
        if (magnitude(r.hi) >= cancellation_limit) {
            const reduced_angle result{static_cast<int>(n) & 3, r};
            return sign_bit(x) ? negated(result) : result;
        }
    }

    const integer_significand s = integer_significand_of(a);
    return reduce_by_half_pi_exactly(s.significand, s.exponent, sign_bit(x));
}

wide_reduced_angle reduce_by_half_pi_wide(double x) {
    const double a = magnitude(x);
    if (a <= 0x1.921fb54442d18p-1) return {0, to_wide(x)};
    std::uint64_t significand;
    int exponent;
    bool negative = sign_bit(x);
    if (a >= 0x1.0p63) {
        const large_argument_remainder r = remainder_by_large_period(x);
        significand = r.magnitude;
        exponent = 0;
        negative = r.negative != negative;
    } else {
        const integer_significand s = integer_significand_of(a);
        significand = s.significand;
        exponent = s.exponent;
    }
    const exact_fraction f = fraction_of_quotient(significand, exponent);
    // The fraction's leading 256 bits below the point, times pi/2.
    std::uint32_t words[wide_words] = {};
    for (int i = 0; i < wide_fraction_bits / 32; ++i) {
        words[i] = f.p.bits_from(f.fraction_bits - wide_fraction_bits + 32 * i);
    }
    const wide_fixed half_pi = wide_from_words(trig_constants::half_pi_wide, false);
    wide_reduced_angle result{f.quadrant, wide_from_words(words, f.round_up) * half_pi};
    if (negative) {
        result.quadrant = (4 - result.quadrant) & 3;
        result.remainder = -result.remainder;
    }
    return result;
}

large_argument_remainder remainder_by_large_period(double x) {
    constexpr std::uint64_t period = large_argument_period;
    const integer_significand parts = integer_significand_of(x);
    const int shift = parts.exponent;  // 11 .. 971
    const std::uint64_t significand = parts.significand;
    // |x| = (a + b 2^27) 2^shift with a < 2^27, b < 2^26, congruent to
    // s = a R(shift) + b R(shift + 27) < 2^92, R(k) = 2^k mod the period.
    const std::uint32_t a = static_cast<std::uint32_t>(significand) & ((1u << residue_split) - 1);
    const std::uint32_t b = static_cast<std::uint32_t>(significand >> residue_split);
    const std::uint64_t ra = power_of_two_residues.value[shift];
    const std::uint64_t rb = power_of_two_residues.value[shift + residue_split];
    const std::uint64_t a_low = std::uint64_t{a} * static_cast<std::uint32_t>(ra);
    const std::uint64_t a_high = std::uint64_t{a} * static_cast<std::uint32_t>(ra >> 32);
    const std::uint64_t b_low = std::uint64_t{b} * static_cast<std::uint32_t>(rb);
    const std::uint64_t b_high = std::uint64_t{b} * static_cast<std::uint32_t>(rb >> 32);
    // s in 32-bit columns.
    const std::uint64_t column0 = (a_low & 0xFFFFFFFFu) + (b_low & 0xFFFFFFFFu);
    const std::uint64_t column1 =
        (a_low >> 32) + (b_low >> 32) + (a_high & 0xFFFFFFFFu) + (b_high & 0xFFFFFFFFu) + (column0 >> 32);
    const std::uint32_t s2 = static_cast<std::uint32_t>((a_high >> 32) + (b_high >> 32) + (column1 >> 32));
    const std::uint32_t s1 = static_cast<std::uint32_t>(column1);
    const std::uint64_t s_low = (std::uint64_t{s1} << 32) | static_cast<std::uint32_t>(column0);
    // The nearest multiple q of the period, from the leading 52 bits of s:
    // the bits left out and the roundings move s / period by less than
    // 2^-22, so q is the nearest multiple or, within 2^-22 of a tie, the
    // next one, and s - q period lies within (1/2 + 2^-22) periods of 0 (below
    // 2^63): the difference of the low 64 bits is exact as a signed number.
    constexpr double inverse_period = 1.0 / static_cast<double>(period);
    const double leading = static_cast<double>(static_cast<std::int32_t>(s2)) * 0x1.0p64 +
                           static_cast<double>(static_cast<std::int32_t>(s1 >> 8)) * 0x1.0p40;
    const std::uint32_t q = static_cast<std::uint32_t>(static_cast<std::int32_t>(nearest_integer(leading * inverse_period)));
    const std::uint64_t q_period = std::uint64_t{q} * static_cast<std::uint32_t>(period) +
                                   (std::uint64_t{q * static_cast<std::uint32_t>(period >> 32)} << 32);
    const std::uint64_t difference = s_low - q_period;  // s - q period modulo 2^64
    // The remainder with the quotient rounded to nearest: below half the
    // period in magnitude (the period is odd, so there is never a tie).
    if ((difference >> 63) == 0) {
        if (difference > period / 2) return {period - difference, true};
        return {difference, false};
    }
    const std::uint64_t below = 0 - difference;  // q period - s
    if (below > period / 2) return {period - below, false};
    return {below, true};
}

}  // namespace vyxmath
