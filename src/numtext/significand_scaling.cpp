// The extended route to the 17-digit significand, step by step.
#include "numtext/significand_scaling.h"

#include "numtext/power_scaling.h"
#include "common/wide_product.h"

namespace vyxmath {
namespace {

constexpr std::uint64_t ten_to_18 = 1'000'000'000'000'000'000u;

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

}  // namespace

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

decimal_significand significand_by_scaling(const extended_magnitude& x, int p, bool negative) {
    const scaled_magnitude s = below_one(x, p);
    const std::uint64_t eighteen = first_18_digits(fraction_of_magnitude(s.value));

    // Rounding to 17 digits on the 18th alone: floor(N / 10) plus one when
    // the 18th digit is 5 or more, carrying through any run of 9s.
    const std::uint64_t seventeen = (eighteen + 5) / 10;
    if (seventeen == ten_to_17)  // 17 nines rounded up: 0.99...9 -> 1.0
        return {{ten_to_8, 0}, s.decimal_exponent + 1, negative};
    if (seventeen == 0) return {{0, 0}, 0, false};
    // A first digit 0 (a value scaled to just below 0.1, as every exact power
    // of ten is) is always followed by seventeen 9s, which the rounding above
    // has already carried into it, so the significand has 17 digits.
    return {split_significand(seventeen), s.decimal_exponent, negative};
}

}  // namespace vyxmath
