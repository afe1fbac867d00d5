#include "real/trig/wide_fixed.h"

#include <bit>
#include <cmath>

#include "common/ieee_double.h"
#include "real/wide_words.h"

namespace vyxmath {
namespace {

constexpr int total_bits = 32 * wide_words;

int compare_magnitudes(const wide_fixed& a, const wide_fixed& b) {
    for (int i = wide_words; i-- > 0;)
        if (a.word[i] != b.word[i]) return a.word[i] < b.word[i] ? -1 : 1;
    return 0;
}

wide_fixed add_magnitudes(const wide_fixed& a, const wide_fixed& b, bool negative) {
    wide_fixed r{};
    add_words(a.word, b.word, r.word);
    r.negative = negative;
    return r;
}

// |a| - |b| for |a| >= |b|.
wide_fixed subtract_magnitudes(const wide_fixed& a, const wide_fixed& b, bool negative) {
    wide_fixed r{};
    subtract_words(a.word, b.word, r.word);
    r.negative = negative;
    return r;
}

bool bit(const wide_fixed& a, int position) {
    if (position < 0 || position >= total_bits) return false;
    return ((a.word[position / 32] >> (position % 32)) & 1) != 0;
}

int top_bit(const wide_fixed& a) {
    for (int i = wide_words; i-- > 0;)
        if (a.word[i] != 0) return 32 * i + 31 - std::countl_zero(a.word[i]);
    return -1;
}

// Bits top .. top-63 as an integer (positions below 0 read as 0).
std::uint64_t bits_below(const wide_fixed& a, int top) {
    std::uint64_t out = 0;
    for (int p = top; p > top - 64; --p) out = (out << 1) | (bit(a, p) ? 1 : 0);
    return out;
}

bool any_bit_below(const wide_fixed& a, int position) {
    for (int p = position - 1; p >= 0; --p)
        if (bit(a, p)) return true;
    return false;
}

double to_double_approximately(const wide_fixed& a) {
    const int top = top_bit(a);
    if (top < 0) return 0.0;
    const double v = static_cast<double>(bits_below(a, top) >> 11) *
                     scale_by_power_of_two(1.0, top - 52 - wide_fraction_bits);
    return a.negative ? -v : v;
}

wide_fixed one() {
    wide_fixed r{};
    r.word[wide_fraction_bits / 32] = 1;
    return r;
}

}  // namespace

wide_fixed to_wide(double x) {
    wide_fixed r{};
    r.negative = sign_bit(x);
    if (x == 0.0) return r;
    const auto [significand, exponent] = integer_significand_of(x);
    const int low = exponent + wide_fraction_bits;  // position of bit 0
    for (int i = 0; i < ieee_double::precision; ++i) {
        const int p = low + i;
        if (p >= 0 && p < total_bits && ((significand >> i) & 1) != 0) r.word[p / 32] |= std::uint32_t{1} << (p % 32);
    }
    return r;
}

wide_fixed wide_from_words(const std::uint32_t (&words)[wide_words], bool negative) {
    wide_fixed r{};
    for (int i = 0; i < wide_words; ++i) r.word[i] = words[i];
    r.negative = negative;
    return r;
}

bool is_zero(const wide_fixed& a) { return top_bit(a) < 0; }

wide_fixed operator-(wide_fixed a) {
    a.negative = !a.negative;
    return a;
}

wide_fixed operator+(const wide_fixed& a, const wide_fixed& b) {
    if (a.negative == b.negative) return add_magnitudes(a, b, a.negative);
    if (compare_magnitudes(a, b) >= 0) return subtract_magnitudes(a, b, a.negative);
    return subtract_magnitudes(b, a, b.negative);
}

wide_fixed operator-(const wide_fixed& a, const wide_fixed& b) { return a + (-b); }

wide_fixed operator*(const wide_fixed& a, const wide_fixed& b) {
    wide_fixed r{};
    multiply_fixed_words<wide_words, wide_fraction_bits / 32>(a.word, b.word, r.word);
    r.negative = a.negative != b.negative;
    return r;
}

wide_fixed multiply_small(const wide_fixed& a, std::uint32_t m) {
    wide_fixed r = a;
    multiply_words_by_small(a.word, m, r.word);
    return r;
}

wide_fixed divide_small(const wide_fixed& a, std::uint32_t d) {
    wide_fixed r = a;
    divide_words_by_small(a.word, d, r.word);
    return r;
}

wide_fixed divide(const wide_fixed& a, const wide_fixed& b) {
    // y <- y + y (1 - b y) doubles the correct bits: 53, 106, 212, then the
    // limit of the format.
    wide_fixed y = to_wide(1.0 / to_double_approximately(b));
    for (int i = 0; i < 3; ++i) y = y + y * (one() - b * y);
    return a * y;
}

wide_fixed square_root(const wide_fixed& a) {
    wide_fixed y = to_wide(std::sqrt(to_double_approximately(a)));
    for (int i = 0; i < 3; ++i) y = divide_small(y + divide(a, y), 2);
    return y;
}

double_double round_wide(const wide_fixed& a, int bits) {
    const int top = top_bit(a);
    std::uint64_t m = bits_below(a, top) >> (64 - bits);
    const int round_position = top - bits;  // the first bit dropped
    const bool up = bit(a, round_position) && (any_bit_below(a, round_position) || (m & 1) != 0);
    int exponent = round_position + 1 - wide_fraction_bits;  // of m's last bit
    if (up && m == (~std::uint64_t{0} >> (64 - bits))) {  // carried into a new binade
        m = std::uint64_t{1} << (bits - 1);
        ++exponent;
    } else if (up) {
        ++m;
    }
    return with_sign(exact_pair(m, exponent), a.negative);
}

}  // namespace vyxmath
