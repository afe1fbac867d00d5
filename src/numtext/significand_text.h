// The text of a finite nonzero value at up to 17 digits written straight
// from its significand, and of a small integer straight from its binary
// form: the fast paths of write_number, each giving the same bytes as the
// record's layouts (record_layouts.h) followed by trim_zeros.
#pragma once

#include <bit>
#include <cstdint>

#include "common/export_arguments.h"
#include "common/ieee_double.h"
#include "common/wide_product.h"
#include "numtext/decimal_significand.h"

namespace vyxmath {

// The finished text (both layouts, trimmed) of a finite nonzero value's
// significand at 1 <= digits <= 17, in one pass and without a record: the
// same bytes as the layouts followed by trim_zeros. Returns its NUL.
inline constexpr int significand_text_digit_limit = most_written_digits;
char* significand_text(const decimal_significand& d, std::int32_t digits, char* buffer);

// The same text of a value at 1 <= digits <= short_cut_digit_limit (9),
// from its cut taken straight from the double (short_cut.h); false, with
// nothing written, for zero, values that are not finite and the few the
// cut cannot decide.
bool short_value_text(double value, std::int32_t digits, char* buffer);

// The two steps of write_integer (below). The test, inline so that the many values
// that are no such integer cost no call: v = |value| when that is an
// integer from 1 to 2^27 - 1 (the range that holds 10^8). It runs on the
// two 32-bit halves of the pattern: |value| = 1.f 2^e, the leading bit and
// f's top 20 bits in `top`, f's low 32 bits in `bottom`;
// v = (top:bottom) >> (52 - e), an integer when no one bit is shifted out.
inline bool small_integer_value(std::uint32_t high, std::uint32_t bottom, std::uint32_t& v) {
    constexpr int fraction_bits_in_high = ieee_double::fraction_bits - 32;  // 20
    const int e = static_cast<int>((high >> fraction_bits_in_high) & ieee_double::max_biased_exponent) -
                  ieee_double::exponent_bias;
    if (static_cast<unsigned>(e) > 26) return false;
    const std::uint32_t top = (high & high_half(ieee_double::fraction_mask)) | high_half(ieee_double::hidden_bit);
    if (e <= 20) {
        // top's low 20 - e bits, moved up to the top of the word (two shifts,
        // as a shift by 32 is undefined).
        if ((bottom | ((top << (11 + e)) << 1)) != 0) return false;
        v = top >> (20 - e);
    } else {
        const int shift = 52 - e;  // 26 to 31
        if ((bottom << (32 - shift)) != 0) return false;
        v = (top << (32 - shift)) | (bottom >> shift);
    }
    return true;
}

// The text of v, negative or not, when v < 10^8 has at most `digits` digits
// and digits >= 2; false, writing nothing, otherwise.
bool write_small_integer(std::uint32_t v, bool negative, std::int32_t digits, char* buffer);

// The same text for an integer value below 10^8 that has no more than
// `digits` digits, written from its binary form; false, writing nothing,
// for any other value or for digits below 2.
inline bool write_integer(double value, std::int32_t digits, char* buffer) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    std::uint32_t v;
    return small_integer_value(high_half(bits), low_half(bits), v) &&
           write_small_integer(v, (bits & ieee_double::sign_mask) != 0, digits, buffer);
}

}  // namespace vyxmath
