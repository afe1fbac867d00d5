// The factorial routine: n * (n - 1) * ... * 1 modulo 2^32, read as signed.
// Every n <= 1 gives 1. Exact up to 12! = 479001600; every n >= 34 gives 0.
#pragma once

#include <cstdint>

#include "common/wrapping_arithmetic.h"

namespace vyxmath {

// The product is taken from n downward. Any m consecutive factors hold at
// least as many factors of two as m! does (their product divided by m! is a
// binomial coefficient), and 34! holds 32 of them, so the running product is
// 0 modulo 2^32 after at most 34 factors. It then stays 0, so the loop ends
// there: never more than 34 multiplications, whatever n is.
constexpr std::int32_t factorial_routine(std::int32_t n) {
    std::int32_t product = 1;
    for (std::int32_t m = n; m >= 1 && product != 0; --m) product = wrapping_mul(product, m);
    return product;
}

}  // namespace vyxmath
