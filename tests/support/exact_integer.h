// The tests' unsigned big integer, for exact values to check the module's
// arithmetic against: extended products, decimal digits, and (as fixed-point
// numbers, real/trig/big_fixed.h) the angle constants. Simple and slow: 32-bit
// words, schoolbook multiplication, long division bit by bit.
#pragma once

#include <algorithm>
#include <bit>
#include <compare>
#include <cstdint>
#include <string>
#include <vector>

namespace vyxmath::test {

class exact_integer {
public:
    exact_integer() = default;
    explicit exact_integer(std::uint64_t v) {
        while (v != 0) {
            words_.push_back(static_cast<std::uint32_t>(v));
            v >>= 32;
        }
    }

    static exact_integer power_of_two(int n) { return exact_integer(1) << n; }
    static exact_integer power_of_ten(int n) {
        exact_integer r(1);
        for (int i = 0; i < n; ++i) r *= 10;
        return r;
    }
    // The 80-bit integer top64 * 2^16 + low16.
    static exact_integer from_mantissa(std::uint64_t top64, std::uint16_t low16) {
        return (exact_integer(top64) << 16) + exact_integer(low16);
    }

    bool is_zero() const { return words_.empty(); }
    int bit_length() const {
        if (words_.empty()) return 0;
        return 32 * static_cast<int>(words_.size() - 1) + std::bit_width(words_.back());
    }
    bool bit(int n) const {
        const std::size_t w = static_cast<std::size_t>(n) / 32;
        return n >= 0 && w < words_.size() && ((words_[w] >> (n % 32)) & 1) != 0;
    }
    std::uint64_t low64() const { return (std::uint64_t{word(1)} << 32) | word(0); }
    // The 64 bits starting at bit n.
    std::uint64_t bits64(int n) const { return (*this >> n).low64(); }

    exact_integer& operator*=(std::uint32_t m) {
        std::uint64_t carry = 0;
        for (std::uint32_t& w : words_) {
            const std::uint64_t t = std::uint64_t{w} * m + carry;
            w = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) words_.push_back(static_cast<std::uint32_t>(carry));
        trim();
        return *this;
    }

    // Divides by m > 0 in place and returns the remainder.
    std::uint32_t divide(std::uint32_t m) {
        std::uint64_t remainder = 0;
        for (std::size_t i = words_.size(); i-- > 0;) {
            const std::uint64_t t = (remainder << 32) | words_[i];
            words_[i] = static_cast<std::uint32_t>(t / m);
            remainder = t % m;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }
    // The quotient by m > 0, truncated.
    exact_integer divided_by(std::uint32_t m) const {
        exact_integer q = *this;
        q.divide(m);
        return q;
    }

    std::string decimal() const {
        if (is_zero()) return "0";
        exact_integer rest = *this;
        std::string digits;
        while (!rest.is_zero()) {
            std::uint32_t chunk = rest.divide(1000000000);
            for (int i = 0; i < 9; ++i, chunk /= 10) digits.insert(digits.begin(), static_cast<char>('0' + chunk % 10));
        }
        return digits.substr(digits.find_first_not_of('0'));
    }

    friend exact_integer operator*(const exact_integer& a, const exact_integer& b) {
        exact_integer r;
        r.words_.assign(a.words_.size() + b.words_.size(), 0);
        for (std::size_t i = 0; i < a.words_.size(); ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < b.words_.size(); ++j) {
                const std::uint64_t t = std::uint64_t{a.words_[i]} * b.words_[j] + r.words_[i + j] + carry;
                r.words_[i + j] = static_cast<std::uint32_t>(t);
                carry = t >> 32;
            }
            r.words_[i + b.words_.size()] = static_cast<std::uint32_t>(carry);
        }
        r.trim();
        return r;
    }

    friend exact_integer operator+(const exact_integer& a, const exact_integer& b) {
        exact_integer r;
        const std::size_t n = std::max(a.words_.size(), b.words_.size());
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t t = std::uint64_t{a.word(i)} + b.word(i) + carry;
            r.words_.push_back(static_cast<std::uint32_t>(t));
            carry = t >> 32;
        }
        if (carry != 0) r.words_.push_back(1);
        r.trim();
        return r;
    }

    // a - b for a >= b.
    friend exact_integer operator-(const exact_integer& a, const exact_integer& b) {
        exact_integer r;
        std::uint64_t borrow = 0;
        for (std::size_t i = 0; i < a.words_.size(); ++i) {
            const std::uint64_t t = std::uint64_t{a.words_[i]} - b.word(i) - borrow;
            r.words_.push_back(static_cast<std::uint32_t>(t));
            borrow = t >> 63;
        }
        r.trim();
        return r;
    }

    // |a - b|.
    friend exact_integer distance(const exact_integer& a, const exact_integer& b) { return a < b ? b - a : a - b; }

    friend exact_integer operator<<(const exact_integer& a, int n) {
        if (a.is_zero()) return a;
        exact_integer r;
        r.words_.assign(static_cast<std::size_t>(n / 32), 0);
        const int s = n % 32;
        std::uint32_t carry = 0;
        for (std::uint32_t w : a.words_) {
            r.words_.push_back(s == 0 ? w : (w << s) | carry);
            carry = s == 0 ? 0 : w >> (32 - s);
        }
        if (carry != 0) r.words_.push_back(carry);
        return r;
    }

    friend exact_integer operator>>(const exact_integer& a, int n) {
        exact_integer r;
        const std::size_t skip = static_cast<std::size_t>(n / 32);
        const int s = n % 32;
        for (std::size_t i = skip; i < a.words_.size(); ++i) {
            const std::uint64_t pair = (std::uint64_t{a.word(i + 1)} << 32) | a.words_[i];
            r.words_.push_back(static_cast<std::uint32_t>(pair >> s));
        }
        r.trim();
        return r;
    }

    // Quotient and remainder by any non-zero divisor, bit by bit.
    friend void divide(const exact_integer& a, const exact_integer& b, exact_integer& quotient, exact_integer& rest) {
        quotient = exact_integer{};
        rest = exact_integer{};
        const int n = a.bit_length();
        quotient.words_.assign(static_cast<std::size_t>(n / 32 + 1), 0);
        for (int i = n - 1; i >= 0; --i) {
            rest = rest << 1;
            if (a.bit(i)) rest = rest + exact_integer{1};
            if (rest >= b) {
                rest = rest - b;
                quotient.words_[static_cast<std::size_t>(i / 32)] |= 1u << (i % 32);
            }
        }
        quotient.trim();
    }

    friend std::strong_ordering operator<=>(const exact_integer& a, const exact_integer& b) {
        if (a.words_.size() != b.words_.size()) return a.words_.size() <=> b.words_.size();
        for (std::size_t i = a.words_.size(); i-- > 0;)
            if (a.words_[i] != b.words_[i]) return a.words_[i] <=> b.words_[i];
        return std::strong_ordering::equal;
    }
    friend bool operator==(const exact_integer& a, const exact_integer& b) { return a.words_ == b.words_; }

private:
    std::uint32_t word(std::size_t i) const { return i < words_.size() ? words_[i] : 0; }
    void trim() {
        while (!words_.empty() && words_.back() == 0) words_.pop_back();
    }
    std::vector<std::uint32_t> words_;  // least significant first, no leading zeros
};

}  // namespace vyxmath::test
