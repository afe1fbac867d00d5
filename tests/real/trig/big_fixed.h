// Exact multi-word arithmetic for the angle tests: unsigned integers of any
// length, used as fixed-point numbers with `fraction_bits` bits after the
// point. pi comes from Machin's formula, 2/pi by long division; nothing here
// shares code or tables with the module.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "real/double_double.h"

namespace vyxmath::test {

class big_unsigned {
public:
    std::vector<std::uint32_t> words;  // least significant first, no leading zeros

    big_unsigned() = default;
    explicit big_unsigned(std::uint64_t v) {
        while (v != 0) {
            words.push_back(static_cast<std::uint32_t>(v));
            v >>= 32;
        }
    }

    bool is_zero() const { return words.empty(); }
    int bit_length() const {
        if (words.empty()) return 0;
        return 32 * static_cast<int>(words.size() - 1) + std::bit_width(words.back());
    }
    bool bit(int i) const {
        const std::size_t w = static_cast<std::size_t>(i / 32);
        return i >= 0 && w < words.size() && ((words[w] >> (i % 32)) & 1) != 0;
    }
    std::uint64_t low64() const {
        std::uint64_t v = 0;
        for (std::size_t i = std::min<std::size_t>(2, words.size()); i-- > 0;) v = (v << 32) | words[i];
        return v;
    }

    void trim() {
        while (!words.empty() && words.back() == 0) words.pop_back();
    }

    friend int compare(const big_unsigned& a, const big_unsigned& b) {
        if (a.words.size() != b.words.size()) return a.words.size() < b.words.size() ? -1 : 1;
        for (std::size_t i = a.words.size(); i-- > 0;)
            if (a.words[i] != b.words[i]) return a.words[i] < b.words[i] ? -1 : 1;
        return 0;
    }

    friend big_unsigned operator+(const big_unsigned& a, const big_unsigned& b) {
        big_unsigned r;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < std::max(a.words.size(), b.words.size()) || carry; ++i) {
            const std::uint64_t s = carry + (i < a.words.size() ? a.words[i] : 0) + (i < b.words.size() ? b.words[i] : 0);
            r.words.push_back(static_cast<std::uint32_t>(s));
            carry = s >> 32;
        }
        r.trim();
        return r;
    }

    // a - b for a >= b.
    friend big_unsigned operator-(const big_unsigned& a, const big_unsigned& b) {
        big_unsigned r = a;
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < r.words.size(); ++i) {
            std::int64_t d = static_cast<std::int64_t>(r.words[i]) - borrow - (i < b.words.size() ? b.words[i] : 0);
            borrow = d < 0 ? 1 : 0;
            r.words[i] = static_cast<std::uint32_t>(d + (borrow << 32));
        }
        r.trim();
        return r;
    }

    friend big_unsigned operator*(const big_unsigned& a, const big_unsigned& b) {
        big_unsigned r;
        r.words.assign(a.words.size() + b.words.size(), 0);
        for (std::size_t i = 0; i < a.words.size(); ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < b.words.size(); ++j) {
                const std::uint64_t t = std::uint64_t{a.words[i]} * b.words[j] + r.words[i + j] + carry;
                r.words[i + j] = static_cast<std::uint32_t>(t);
                carry = t >> 32;
            }
            r.words[i + b.words.size()] = static_cast<std::uint32_t>(carry);
        }
        r.trim();
        return r;
    }

    friend big_unsigned operator<<(const big_unsigned& a, int n) {
        if (a.is_zero()) return a;
        big_unsigned r;
        r.words.assign(static_cast<std::size_t>(n / 32), 0);
        std::uint32_t carry = 0;
        for (std::uint32_t w : a.words) {
            r.words.push_back((w << (n % 32)) | carry);
            carry = n % 32 ? w >> (32 - n % 32) : 0;
        }
        r.words.push_back(carry);
        r.trim();
        return r;
    }

    friend big_unsigned operator>>(const big_unsigned& a, int n) {
        big_unsigned r;
        for (int i = n; i < a.bit_length(); i += 32) {
            std::uint32_t w = 0;
            for (int k = 0; k < 32; ++k) w |= (a.bit(i + k) ? 1u : 0u) << k;
            r.words.push_back(w);
        }
        r.trim();
        return r;
    }

    // Quotient by a small divisor, truncated.
    big_unsigned divided_by(std::uint32_t d) const {
        big_unsigned q = *this;
        std::uint64_t rest = 0;
        for (std::size_t i = q.words.size(); i-- > 0;) {
            const std::uint64_t cur = (rest << 32) | q.words[i];
            q.words[i] = static_cast<std::uint32_t>(cur / d);
            rest = cur % d;
        }
        q.trim();
        return q;
    }

    // Quotient and remainder by any non-zero divisor, bit by bit.
    friend void divide(const big_unsigned& a, const big_unsigned& b, big_unsigned& quotient, big_unsigned& rest) {
        quotient = big_unsigned{};
        rest = big_unsigned{};
        const int n = a.bit_length();
        std::vector<std::uint32_t> q(static_cast<std::size_t>(n / 32 + 1), 0);
        for (int i = n - 1; i >= 0; --i) {
            rest = rest << 1;
            if (a.bit(i)) rest = rest + big_unsigned{1};
            if (compare(rest, b) >= 0) {
                rest = rest - b;
                q[static_cast<std::size_t>(i / 32)] |= 1u << (i % 32);
            }
        }
        quotient.words = q;
        quotient.trim();
    }
};

// A signed fixed-point value: (negative ? -1 : 1) * magnitude * 2^-fraction_bits.
inline constexpr int fraction_bits = 700;

struct fixed {
    bool negative = false;
    big_unsigned magnitude;
};

inline fixed operator-(fixed a) {
    a.negative = !a.negative && !a.magnitude.is_zero();
    return a;
}

inline fixed operator+(const fixed& a, const fixed& b) {
    if (a.negative == b.negative) return {a.negative, a.magnitude + b.magnitude};
    if (compare(a.magnitude, b.magnitude) >= 0) return {a.negative, a.magnitude - b.magnitude};
    return {b.negative, b.magnitude - a.magnitude};
}

inline fixed operator-(const fixed& a, const fixed& b) { return a + (-b); }

inline fixed operator*(const fixed& a, const fixed& b) {
    return {a.negative != b.negative, (a.magnitude * b.magnitude) >> fraction_bits};
}

// The exact value of a double (|x| >= 2^-fraction_bits in its last bit).
inline fixed to_fixed(double x) {
    fixed r;
    if (x == 0.0) return r;
    r.negative = x < 0;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x) & 0x7FFFFFFFFFFFFFFFu;
    int e = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & 0x000FFFFFFFFFFFFFu;
    if (e == 0) {
        e = 1;
    } else {
        m |= 0x0010000000000000u;
    }
    const int shift = e - 1075 + fraction_bits;
    r.magnitude = shift >= 0 ? big_unsigned{m} << shift : big_unsigned{m} >> -shift;
    return r;
}

inline fixed to_fixed(double_double x) { return to_fixed(x.hi) + to_fixed(x.lo); }

inline fixed from_integer(std::uint64_t v) { return {false, big_unsigned{v} << fraction_bits}; }

// The nearest long double (64-bit significand) is not needed: a double view
// is enough for messages and for seeding references.
inline double to_double(const fixed& a) {
    const int n = a.magnitude.bit_length();
    if (n == 0) return 0.0;
    const int shift = n - 64;
    const std::uint64_t top = shift >= 0 ? (a.magnitude >> shift).low64() : (a.magnitude << -shift).low64();
    double v = static_cast<double>(top);
    for (int i = 0; i < shift - fraction_bits; ++i) v *= 2.0;
    for (int i = 0; i < fraction_bits - shift; ++i) v *= 0.5;
    return a.negative ? -v : v;
}

// Whether |a - b| <= |a| * 2^-bits.
inline bool agrees_to_bits(const fixed& a, const fixed& b, int bits) {
    const fixed d = a - b;
    return d.magnitude.is_zero() || d.magnitude.bit_length() + bits <= a.magnitude.bit_length();
}

// atan(1/m) = sum_k (-1)^k / ((2k+1) m^(2k+1)).
inline fixed atan_of_inverse(std::uint32_t m) {
    fixed sum;
    big_unsigned power = (big_unsigned{1} << fraction_bits).divided_by(m);
    for (std::uint32_t k = 0; !power.is_zero(); ++k) {
        const fixed term{(k % 2) != 0, power.divided_by(2 * k + 1)};
        sum = sum + term;
        power = power.divided_by(m).divided_by(m);
    }
    return sum;
}

// pi = 16 atan(1/5) - 4 atan(1/239), good to about 2^-(fraction_bits - 8).
inline fixed pi_fixed() {
    const fixed a = atan_of_inverse(5);
    const fixed b = atan_of_inverse(239);
    return {false, (a.magnitude << 4) - (b.magnitude << 2)};
}

inline fixed two_over_pi_fixed() {
    big_unsigned q, r;
    divide(big_unsigned{2} << (2 * fraction_bits), pi_fixed().magnitude, q, r);
    return {false, q};
}

}  // namespace vyxmath::test
