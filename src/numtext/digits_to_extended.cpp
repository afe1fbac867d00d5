// The kept digits as an extended value: D shifted left until bit 79 is set,
// with exponent 16383 + (bits of D) - 1. Exact, since D <= 10^24 < 2^80.
#include <bit>

#include "numtext/number_reader.h"
#include "common/wide_product.h"

namespace vyxmath {
namespace {

constexpr std::uint32_t powers_of_ten_32[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

}  // namespace

extended_value digits_to_extended(const kept_digits& digits) {
    if (digits.trailing_count == 0) {
        // Up to 64 significant bits: the low 16 mantissa bits stay zero.
        const int zeros = std::countl_zero(digits.leading);
        return make_extended(false, extended_bias + 63 - zeros, digits.leading << zeros);
    }
    // D = leading * 10^count + trailing, below 2^80: high holds bits 64..79.
    uint128_parts d = multiply_64x64(digits.leading, powers_of_ten_32[digits.trailing_count]);
    d.low += digits.trailing;
    if (d.low < digits.trailing) ++d.high;
    if (d.high == 0) {
        const int zeros = std::countl_zero(d.low);
        return make_extended(false, extended_bias + 63 - zeros, d.low << zeros);
    }
    // 65 to 80 significant bits: shift left by `zeros` within the 80 bits.
    const int zeros = std::countl_zero(d.high) - 48;  // high < 2^16
    const int bits = 80 - zeros;
    const std::uint64_t top64 = (d.high << (48 + zeros)) | (d.low >> (16 - zeros));
    const std::uint16_t low16 = static_cast<std::uint16_t>(d.low << zeros);
    return make_extended(false, extended_bias + bits - 1, top64, low16);
}

}  // namespace vyxmath
