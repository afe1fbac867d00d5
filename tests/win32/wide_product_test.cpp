// The wide products as the 32-bit build multiplies (the multiply
// instructions written out, with their carry chains) against a schoolbook
// product of 16-bit limbs in plain C++: random operands of every length and
// all-ones ones, where every column carries. And the bit operations the
// kernels do on doubles in SSE2 registers (kept_bits, with_sign_flipped:
// instructions written out too) against the same operations on the bits.
#include <cstdint>
#include <string>

#include "common/ieee_double.h"
#include "common/wide_product.h"
#include "support/bit_stream.h"
#include "test_support.h"

namespace vyxmath::win32_test {
namespace {

uint128_parts limb_product(std::uint64_t a, std::uint64_t b) {
    std::uint32_t column[8] = {};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            std::uint32_t carry = static_cast<std::uint32_t>((a >> (16 * i)) & 0xFFFF) * ((b >> (16 * j)) & 0xFFFF);
            for (int k = i + j; carry != 0; ++k) {
                const std::uint32_t sum = column[k] + (carry & 0xFFFF);
                column[k] = sum & 0xFFFF;
                carry = (carry >> 16) + (sum >> 16);
            }
        }
    uint128_parts p{0, 0};
    for (int k = 0; k < 4; ++k) {
        p.low |= std::uint64_t{column[k]} << (16 * k);
        p.high |= std::uint64_t{column[k + 4]} << (16 * k);
    }
    return p;
}

bool same(const uint128_parts& x, const uint128_parts& y) { return x.high == y.high && x.low == y.low; }

}  // namespace
}  // namespace vyxmath::win32_test

int main() {
    using namespace vyxmath;
    win32_test::Checks checks("wide_product_test");
    test::bit_stream random(0x9E3779B97F4A7C15u);
    auto next = [&random] { return random.next(); };
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t a = i < 4 ? ~0ull >> (i * 16) : next() >> (i % 61);
        const std::uint64_t b = i < 4 ? ~0ull : next() >> (i % 64);
        const std::string operands = std::to_string(a) + " * " + std::to_string(b);
        if (!checks.expect(win32_test::same(multiply_64x64(a, b), win32_test::limb_product(a, b)), "64 x 64: " + operands)) break;
        if (!checks.expect(win32_test::same(multiply_64x32(a, low_half(b)), win32_test::limb_product(a, low_half(b))),
                           "64 x 32: " + operands))
            break;
    }
    const double masks[] = {from_bits(~((std::uint64_t{1} << 27) - 1)), -0.0, 0.0};
    for (int i = 0; i < 100000; ++i) {
        const double x = from_bits(next()), mask = i % 4 == 3 ? from_bits(next()) : masks[i % 3];
        const std::string operands = std::to_string(to_bits(x)) + ", " + std::to_string(to_bits(mask));
        if (!checks.expect(to_bits(kept_bits(x, mask)) == (to_bits(x) & to_bits(mask)), "and: " + operands)) break;
        if (!checks.expect(to_bits(with_sign_flipped(x, mask)) == (to_bits(x) ^ to_bits(mask)), "xor: " + operands))
            break;
    }
    return checks.finish();
}
