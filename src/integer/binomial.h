// The binomial routine: r starts at 1 and each step i = 1, 2, ..., k makes
// r <- (r * (n - i + 1)) / i, the difference and the product wrapping modulo
// 2^32, the quotient truncated. While no product leaves the 32-bit range, r
// after step i is the binomial coefficient C(n, i); k <= 0 gives 1.
//
// The result is that of the k literal steps for every n and k, but it is
// found without running all of them: see binomial.cpp.
#pragma once

#include <cassert>
#include <cstdint>

namespace vyxmath {

std::int32_t binomial_routine(std::int32_t n, std::int32_t k);

// The value after step k of the same recurrence, continued from the value
// `value` after step `completed` (0 <= completed; completed >= k returns
// value unchanged).
std::int32_t continue_binomial(std::int32_t n, std::int64_t completed, std::int32_t value, std::int32_t k);

// The wrapped product of step i (1 <= i <= 2^31 - 1): value * (n - i + 1).
constexpr std::int32_t binomial_product(std::int32_t n, std::int64_t i, std::int32_t value) {
    assert(1 <= i && i <= 0x7FFFFFFF);
    const std::uint32_t factor = static_cast<std::uint32_t>(n) - static_cast<std::uint32_t>(i) + 1u;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) * factor);
}

// One literal step: the value after step i from the value after step i - 1.
// The divisor i is at least 1, so the quotient always exists.
constexpr std::int32_t binomial_step(std::int32_t n, std::int64_t i, std::int32_t value) {
    return binomial_product(n, i, value) / static_cast<std::int32_t>(i);
}

}  // namespace vyxmath
