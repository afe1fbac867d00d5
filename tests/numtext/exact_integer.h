// A small unsigned big integer for checking extended arithmetic against exact
// values in tests: products, shifts, differences and comparisons only.
#pragma once

#include <algorithm>
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

    int bit_length() const {
        if (words_.empty()) return 0;
        int bits = 32 * static_cast<int>(words_.size() - 1);
        for (std::uint32_t top = words_.back(); top != 0; top >>= 1) ++bits;
        return bits;
    }
    bool is_zero() const { return words_.empty(); }
    bool bit(int n) const {
        const std::size_t w = static_cast<std::size_t>(n) / 32;
        return w < words_.size() && ((words_[w] >> (n % 32)) & 1) != 0;
    }
    // The 64 bits starting at bit n.
    std::uint64_t bits64(int n) const {
        std::uint64_t r = 0;
        for (int i = 63; i >= 0; --i) r = (r << 1) | (bit(n + i) ? 1 : 0);
        return r;
    }

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

    // |a - b|.
    friend exact_integer distance(const exact_integer& a, const exact_integer& b) {
        const exact_integer& big = a < b ? b : a;
        const exact_integer& small = a < b ? a : b;
        exact_integer r;
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < big.words_.size(); ++i) {
            std::int64_t t = std::int64_t{big.word(i)} - small.word(i) - borrow;
            borrow = t < 0 ? 1 : 0;
            if (t < 0) t += std::int64_t{1} << 32;
            r.words_.push_back(static_cast<std::uint32_t>(t));
        }
        r.trim();
        return r;
    }

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
    std::vector<std::uint32_t> words_;
};

}  // namespace vyxmath::test
