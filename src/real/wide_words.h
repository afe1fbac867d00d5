// Whole numbers as arrays of 32-bit words, least significant first: the word
// arithmetic both wide evaluations (the exponential and logarithm one in
// kernels/, the angle one in trig/) are made of, for any width. 64-bit
// products and carries only, so every machine gives the same words.
#pragma once

#include <cstdint>

namespace vyxmath {

// a + b modulo 2^(32 n).
template <int n>
void add_words(const std::uint32_t (&a)[n], const std::uint32_t (&b)[n], std::uint32_t (&r)[n]) {
    std::uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
        carry += std::uint64_t{a[i]} + b[i];
        r[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
}

// a - b modulo 2^(32 n).
template <int n>
void subtract_words(const std::uint32_t (&a)[n], const std::uint32_t (&b)[n], std::uint32_t (&r)[n]) {
    std::uint64_t borrow = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint64_t d = std::uint64_t{a[i]} - b[i] - borrow;
        r[i] = static_cast<std::uint32_t>(d);
        borrow = (d >> 32) & 1;
    }
}

// a * m, truncated to n words.
template <int n>
void multiply_words_by_small(const std::uint32_t (&a)[n], std::uint32_t m, std::uint32_t (&r)[n]) {
    std::uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
        carry += std::uint64_t{a[i]} * m;
        r[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
}

// a / d, truncated.
template <int n>
void divide_words_by_small(const std::uint32_t (&a)[n], std::uint32_t d, std::uint32_t (&r)[n]) {
    std::uint64_t remainder = 0;
    for (int i = n - 1; i >= 0; --i) {
        const std::uint64_t current = (remainder << 32) | a[i];
        r[i] = static_cast<std::uint32_t>(current / d);
        remainder = current % d;
    }
}

// Words dropped .. dropped + n - 1 of the full product a * b: the product of
// two fixed-point numbers with 32 * dropped fraction bits, truncated.
template <int n, int dropped>
void multiply_fixed_words(const std::uint32_t (&a)[n], const std::uint32_t (&b)[n], std::uint32_t (&r)[n]) {
    std::uint32_t product[2 * n] = {};
    for (int i = 0; i < n; ++i) {
        if (a[i] == 0) continue;  // adds nothing
        std::uint64_t carry = 0;
        for (int j = 0; j < n; ++j) {
            carry += std::uint64_t{a[i]} * b[j] + product[i + j];
            product[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        product[i + n] = static_cast<std::uint32_t>(carry);
    }
    for (int i = 0; i < n; ++i) r[i] = product[i + dropped];
}

}  // namespace vyxmath
