#include "real/trig/angle_reduction.h"

#include "real/kernels/double_double_ops.h"
#include "common/ieee_double.h"
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

    bool bit(int position) const {
        if (position < 0 || position >= 32 * product_words) return false;
        return ((word[position / 32] >> (position % 32)) & 1) != 0;
    }

    // The 64 bits at positions top-63 .. top; positions below 0 read as 0.
    std::uint64_t bits_below(int top) const {
        std::uint64_t out = 0;
        for (int p = top; p > top - 64; --p) out = (out << 1) | (bit(p) ? 1 : 0);
        return out;
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

}  // namespace

reduced_angle reduce_by_half_pi_exactly(std::uint64_t magnitude, int exponent, bool negative) {
    const exact_fraction f = fraction_of_quotient(magnitude, exponent);
    const wide_product& p = f.p;
    const int fraction_bits = f.fraction_bits;
    const int quadrant = f.quadrant;
    const bool round_up = f.round_up;

    int top = fraction_bits - 1;
    while (top >= 0 && !p.bit(top)) --top;
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

    // a = significand * 2^(biased - 1075), with the significand below 2^53.
    const std::uint64_t bits = to_bits(a);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t significand = (bits & 0x000FFFFFFFFFFFFFu) | 0x0010000000000000u;
    return reduce_by_half_pi_exactly(significand, biased - 1075, sign_bit(x));
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
        const std::uint64_t bits = to_bits(a);
        significand = (bits & 0x000FFFFFFFFFFFFFu) | 0x0010000000000000u;
        exponent = static_cast<int>(bits >> 52) - 1075;
    }
    const exact_fraction f = fraction_of_quotient(significand, exponent);
    // The fraction's leading 256 bits below the point, times pi/2.
    std::uint32_t words[wide_words] = {};
    for (int i = 0; i < wide_fraction_bits / 32; ++i) {
        const int low = f.fraction_bits - wide_fraction_bits + 32 * i;
        std::uint32_t w = 0;
        for (int b = 31; b >= 0; --b) w = (w << 1) | (f.p.bit(low + b) ? 1u : 0u);
        words[i] = w;
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
    const std::uint64_t bits = to_bits(x);
    const int shift = static_cast<int>((bits >> 52) & 0x7FF) - 1075;  // >= 11
    std::uint64_t r = (bits & 0x000FFFFFFFFFFFFFu) | 0x0010000000000000u;  // < period
    // |x| = significand * 2^shift: double the residue shift times, modulo the
    // period. The residue stays below the period (< 2^64), so 2r may exceed
    // 2^64 only in the comparison, which is made as r >= period - r.
    for (int i = 0; i < shift; ++i) r = (r >= period - r) ? r - (period - r) : r + r;
    // The quotient rounds to nearest: a residue above half the period goes
    // with the next multiple. The period is odd, so there is never a tie.
    if (r > period / 2) return {period - r, true};
    return {r, false};
}

}  // namespace vyxmath
