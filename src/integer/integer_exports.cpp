// The exports on 32-bit integers. Each reads its arguments, computes the
// result completely, writes p1 once (n_bitsft with another direction and
// n_sosu write nothing) and returns 0 (n_sosu returns its verdict).
#include "integer/binomial.h"
#include "integer/euclid.h"
#include "common/factorial.h"
#include "integer/fibonacci.h"
#include "integer/primality.h"
#include "common/wrapping_arithmetic.h"
#include "vyxmath.h"

using namespace vyxmath;

std::int32_t VYX_CALL n_kaijo(std::int32_t* result, std::int32_t n, std::int32_t, std::int32_t) {
    *result = factorial_routine(n);
    return 0;
}

std::int32_t VYX_CALL n_fib(std::int32_t* result, std::int32_t n, std::int32_t, std::int32_t) {
    *result = fibonacci_number(n);
    return 0;
}

std::int32_t VYX_CALL n_gcd(std::int32_t* result, std::int32_t a, std::int32_t b, std::int32_t) {
    *result = euclid_routine(a, b);
    return 0;
}

// The wrapped product divided by the Euclid routine's result; 0 when both
// operands are 0. A quotient of 2^31 (product -2^31 divided by -1) wraps to
// -2^31.
std::int32_t VYX_CALL n_lcm(std::int32_t* result, std::int32_t a, std::int32_t b, std::int32_t) {
    const std::int32_t product = wrapping_mul(a, b);
    const std::int32_t divisor = euclid_routine(a, b);
    *result = divisor == 0 ? 0 : truncating_div(product, divisor);
    return 0;
}

std::int32_t VYX_CALL n_comb(std::int32_t* result, std::int32_t n, std::int32_t k, std::int32_t) {
    *result = binomial_routine(n, k);
    return 0;
}

// n! / (n - k)! from the two wrapped factorials. When n - k (wrapping) is 34
// or more the divisor is 0 and there is no quotient; the result is then 0,
// the value the dividend takes as well whenever n >= 34.
std::int32_t VYX_CALL n_perm(std::int32_t* result, std::int32_t n, std::int32_t k, std::int32_t) {
    const std::int32_t dividend = factorial_routine(n);
    const std::int32_t divisor = factorial_routine(wrapping_sub(n, k));
    *result = divisor == 0 ? 0 : truncating_div(dividend, divisor);
    return 0;
}

// Status 0 for a prime, -1 for every other n. The routine's rule, trial
// division upward from floor(sqrt(n)) to n - 1, finds a divisor exactly when
// n is composite (the cofactor of its smallest prime factor lies in that
// range), so its verdict is primality itself. is_prime reaches the same
// verdict by Miller-Rabin with the bases 2, 7 and 61, which is exact below
// 4759123141 and so for every 32-bit n: equal answers in a bounded number of
// steps, not the same steps.
std::int32_t VYX_CALL n_sosu(std::int32_t n, std::int32_t, std::int32_t, std::int32_t) {
    return is_prime(n) ? 0 : -1;
}

// Direction 0 shifts right arithmetically, 1 shifts left (bits shifted out are
// lost); the count is taken modulo 32. Any other direction writes nothing.
std::int32_t VYX_CALL n_bitsft(std::int32_t* result, std::int32_t value, std::int32_t count, std::int32_t direction) {
    const unsigned shift = static_cast<std::uint32_t>(count) & 31u;
    if (direction == 0) *result = value >> shift;
    if (direction == 1) *result = wrap_to_int32(static_cast<std::uint32_t>(value) << shift);
    return 0;
}
