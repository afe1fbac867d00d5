#include "real/trig/degree_conversion.h"

#include <cstdint>

#include "real/constants.h"
#include "common/ieee_double.h"

namespace vyxmath {
namespace {

// v * 2^k rounded once, for a positive normal v of at most 2^64 and any k
// that keeps the product below the overflow threshold. Products that stay
// normal are exact; a subnormal product is rounded by the last
// multiplication alone, the ones before it being exact.
double scale_rounding_once(double v, int k) {
    if (k >= ieee_double::min_normal_exponent) return scale_by_power_of_two(v, k);
    return (v * power_of_two(k + 600)) * power_of_two(-600);
}

// A positive value m * 2^e with m a 64-bit significand (2^63 <= m < 2^64).
struct wide_value {
    std::uint64_t significand;
    int exponent;
};

// hi + lo rounded to nearest (ties to even) at 64 significant bits, for
// hi > 0 and |lo| <= ulp(hi)/2 as in a normalised double-double.
wide_value round_to_64_bits(double_double v) {
    if (is_subnormal(v.hi)) {
        // lo is then zero: the value has at most 52 bits.
        std::uint64_t m = to_bits(v.hi);
        int e = ieee_double::subnormal_exponent;
        while (m < (std::uint64_t{1} << 63)) {
            m <<= 1;
            --e;
        }
        return {m, e};
    }
    // hi = hi_significand * 2^hi_exponent, hi_exponent the weight of its last bit.
    const auto [hi_significand, hi_exponent] = integer_significand_of(v.hi);
    // hi a power of two and lo negative: the value lies in the binade below
    // hi, where a 64-bit significand reaches one bit further down.
    const int extra = (hi_significand == ieee_double::hidden_bit && v.lo < 0.0) ? 12 : 11;
    // In units of 2^(hi_exponent - extra), lo is at most 2^(extra - 1) in
    // magnitude, so rounding it to a whole number there is exact arithmetic
    // on small doubles: adding and removing 1.5 * 2^52 rounds to nearest even.
    const double units = scale_by_power_of_two(v.lo, extra - hi_exponent);
    const double rounded = (units + 0x1.8p52) - 0x1.8p52;
    // Unsigned arithmetic: a negative lo wraps around as it should. With
    // extra = 12, hi_significand << 12 is 2^64 (wrapped to 0), and a lo that
    // rounds to nothing leaves hi itself.
    const std::uint64_t m = (hi_significand << extra) +
                            static_cast<std::uint64_t>(static_cast<std::int64_t>(rounded));
    if (m == 0) return {std::uint64_t{1} << 63, hi_exponent - 11};
    return {m, hi_exponent - extra};
}

}  // namespace

double_double rounded_to_64_bits(double_double v) {
    if (!is_finite(v.hi) || v.hi == 0.0) return v;
    const bool negative = sign_bit(v.hi);
    const wide_value w = round_to_64_bits(with_sign(v, negative));
    return with_sign(exact_pair(w.significand, w.exponent), negative);
}

double degrees_to_radians(double x) {
    if (!is_finite(x) || x == 0.0) return x * pi / 180.0;
    // x = f * 2^e with f in [1, 2). (f * pi) / 180 rounds exactly as
    // (x * pi) / 180 does with an unbounded exponent: rounding to 53 bits
    // does not depend on the power of two, and f * pi and the quotient are
    // normal doubles.
    const double a = magnitude(x);
    const auto [f, e] = split_binade(a);
    const double radians = scale_rounding_once((f * pi) / 180.0, e);
    return sign_bit(x) ? -radians : radians;
}

double radians_to_degrees(double_double radians) {
    const double hi = radians.hi;
    if (!is_finite(hi) || hi == 0.0) return hi * 180.0 / pi;
    const bool negative = sign_bit(hi);
    const double_double a = negative ? double_double{-hi, -radians.lo} : radians;
    const wide_value v = round_to_64_bits(a);

    // v * 180 = m * 180 * 2^e with m * 180 below 2^72: high:low in 64-bit words.
    const std::uint64_t upper = (v.significand >> 32) * 180;  // < 2^40
    const std::uint64_t lower = (v.significand & 0xFFFFFFFFu) * 180;  // < 2^40
    const std::uint64_t low = (upper << 32) + lower;
    const std::uint64_t high = (upper >> 32) + (low < lower ? 1 : 0);  // < 2^8

    // m * 180 >= 2^70, so rounding to 53 bits drops the low 18 or 19 bits.
    const int dropped = high >= 128 ? 19 : 18;
    std::uint64_t kept = (high << (64 - dropped)) | (low >> dropped);
    const std::uint64_t rest = low & ((std::uint64_t{1} << dropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;  // 2^53 stays exact

    // (kept * 2^k) / pi rounds to 53 bits as kept / pi does.
    const double degrees = scale_rounding_once(static_cast<double>(kept) / pi, v.exponent + dropped);
    return negative ? -degrees : degrees;
}

}  // namespace vyxmath
