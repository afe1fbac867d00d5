#include "integer/primality.h"

#include <array>

namespace vyxmath {
namespace {

// Dividing out these first also settles the bases themselves.
constexpr std::array<std::uint32_t, 7> small_primes{2, 3, 5, 7, 11, 13, 61};
constexpr std::array<std::uint32_t, 3> witness_bases{2, 7, 61};

std::uint32_t multiply_mod(std::uint32_t a, std::uint32_t b, std::uint32_t m) {
    return static_cast<std::uint32_t>(std::uint64_t{a} * b % m);
}

std::uint32_t power_mod(std::uint32_t base, std::uint32_t exponent, std::uint32_t m) {
    std::uint32_t result = 1;
    base %= m;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1) result = multiply_mod(result, base, m);
        base = multiply_mod(base, base, m);
    }
    return result;
}

// Odd n > 2 with n - 1 = d * 2^s, d odd. A prime n passes for every base a:
// a^d = 1, or a^(d * 2^j) = -1 for some j < s. A composite n passes for at
// most a quarter of the bases; no composite below 4759123141 passes for all
// of 2, 7 and 61 together, and that bound covers every 32-bit n.
bool passes_strong_probable_prime_test(std::uint32_t n, std::uint32_t base) {
    std::uint32_t d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    std::uint32_t x = power_mod(base, d, n);
    if (x == 1 || x == n - 1) return true;
    for (int j = 1; j < s; ++j) {
        x = multiply_mod(x, x, n);
        if (x == n - 1) return true;
    }
    return false;
}

}  // namespace

bool is_prime(std::int32_t n) {
    if (n < 2) return false;
    const auto m = static_cast<std::uint32_t>(n);
    for (std::uint32_t small : small_primes) {
        if (m == small) return true;
        if (m % small == 0) return false;
    }
    for (std::uint32_t base : witness_bases)
        if (!passes_strong_probable_prime_test(m, base)) return false;
    return true;
}

}  // namespace vyxmath
