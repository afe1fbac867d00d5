#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "numtext/extended_product_detail.h"
#include "numtext/extended_value.h"
#include "numtext/extended_test_support.h"
#include "numtext/reference_multiply.h"

namespace vyxmath::test {
namespace {

constexpr std::uint64_t leading = 0x8000000000000000;

struct product_case {
    const char* what;
    extended_value a;
    extended_value b;
    extended_value expected;
};

// Expected values follow from exact arithmetic on the limbs; where b has only
// its top limb, no limb pair is lost and the product is exact before rounding.
const product_case product_cases[] = {
    {"ten times ten", ext(0x4002, 0xA000000000000000), ext(0x4002, 0xA000000000000000),
     ext(0x4005, 0xC800000000000000)},
    {"signs combine by exclusive or", ext(0x4002, 0xA000000000000000, 0, true), ext(0x3FFF, leading),
     ext(0x4002, 0xA000000000000000, 0, true)},
    {"two negatives give a positive", ext(0x4000, leading, 0, true), ext(0x4000, leading, 0, true),
     ext(0x4001, leading)},
    // (2^79 + 1) * 1.5: the guard is exactly half and the mantissa odd.
    {"tie rounds up to even", ext(0x3FFF, leading, 0x0001), ext(0x3FFF, 0xC000000000000000),
     ext(0x3FFF, 0xC000000000000000, 0x0002)},
    // (2^79 + 3) * 1.5: the guard is exactly half and the mantissa even.
    {"tie stays on even", ext(0x3FFF, leading, 0x0003), ext(0x3FFF, 0xC000000000000000),
     ext(0x3FFF, 0xC000000000000000, 0x0004)},
    // (2^79 + 1) * 1.75 leaves a guard of 0xC000, (2^79 + 3) * 1.75 one of 0x4000.
    {"above half rounds up", ext(0x3FFF, leading, 0x0001), ext(0x3FFF, 0xE000000000000000),
     ext(0x3FFF, 0xE000000000000000, 0x0002)},
    {"below half rounds down", ext(0x3FFF, leading, 0x0003), ext(0x3FFF, 0xE000000000000000),
     ext(0x3FFF, 0xE000000000000000, 0x0005)},
    // The truncated sum is 7FFF...FFC5C8: normalised, all mantissa bits are
    // ones and the guard is 0x8B90, so the rounding carries into a new bit.
    {"rounding carries out of an all-ones mantissa", ext(0x3FFF, 0x8F947640043C019B, 0x1635),
     ext(0x3FFF, 0xE438A7F850B3F088, 0x3B61), ext(0x4000, leading)},
    // The exact product rounds to ...4947; the ten missing low pairs would
    // have carried 0x192CF units into the sum, and without them it is ...4944.
    {"lost carries are part of the result", ext(0x3FFF, 0xC0E1763F51CBC3B9, 0xE8B4),
     ext(0x3FFF, 0x9236E1C04D42C692, 0xA31C), ext(0x3FFF, 0xDC53DE2C347BDA96, 0x4944)},
    {"exponent sum 0xBFFD with a small product stays finite", ext(0x5FFE, leading), ext(0x5FFF, leading),
     ext(0x7FFE, leading)},
    {"exponent sum 0xBFFD with a large product overflows", ext(0x5FFE, 0xC000000000000000),
     ext(0x5FFF, 0xC000000000000000), extended_infinity()},
    {"exponent sum 0xBFFE overflows", ext(0x5FFF, leading), ext(0x5FFF, leading), extended_infinity()},
    {"overflow keeps the sign", ext(0x5FFF, leading, 0, true), ext(0x5FFF, leading), extended_infinity(true)},
    {"infinity times zero is infinity", extended_infinity(), extended_zero(), extended_infinity()},
    {"exponent sum 0x3FBF underflows to positive zero", ext(0x1FDF, leading, 0, true), ext(0x1FE0, leading),
     extended_zero()},
    // Exponent sum 0x3FC0: 2^94 shifted right by 63 bits leaves 2^31, a
    // mantissa of 0x8000 below exponent 1.
    {"exponent sum 0x3FC0 gives a tiny nonzero value", ext(0x1FE0, leading), ext(0x1FE0, leading),
     ext(0, 0, 0x8000)},
    // Shifted right by 63 the sum (2^79 + 2^63) * 2^15 leaves mantissa
    // 0x8000 and a guard of exactly half: even, so it stays.
    {"tie below exponent 1 stays on even", ext(0x1FE0, 0x8000800000000000), ext(0x1FE0, leading),
     ext(0, 0, 0x8000)},
    // The same with a low bit shifted out: the sticky bit breaks the tie.
    {"sticky bit breaks a tie below exponent 1", ext(0x1FE0, 0x8000800000000000, 0x0001), ext(0x1FE0, leading),
     ext(0, 0, 0x8001)},
    {"exponent 0 scales like exponent 1", ext(0, leading), ext(0x7FFD, leading), ext(0x3FFF, leading)},
    {"unnormalised mantissa is normalised", ext(0, 0x4000000000000000), ext(0x7FFD, leading),
     ext(0x3FFE, leading)},
    {"zero mantissa gives zero", ext(0x3FFF, 0), ext(0x3FFF, leading, 0, true), extended_zero()},
};

class MultiplyExtended : public ::testing::TestWithParam<product_case> {};

TEST_P(MultiplyExtended, GivesTheTruncatedRoundedProduct) {
    const product_case& c = GetParam();
    EXPECT_EQ(multiply_extended(c.a, c.b), c.expected);
    EXPECT_EQ(multiply_extended_inline(c.a, c.b), c.expected) << "inlined";
    EXPECT_EQ(multiply_extended(c.b, c.a), c.expected) << "operands swapped";
    EXPECT_EQ(reference_multiply_extended(c.a, c.b), c.expected) << "reference";
}

std::string case_name(const ::testing::TestParamInfo<product_case>& info) {
    std::string name;
    for (const char* c = info.param.what; *c != '\0'; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, MultiplyExtended, ::testing::ValuesIn(product_cases), case_name);

// Operands drawn to reach every branch: normalised mantissas with random,
// sparse or all-ones bit patterns; exponents around 1.0, near the overflow
// and underflow sums, exponent 0 with unnormalised mantissas, and infinity.
extended_value random_operand(bit_stream& rng) {
    std::uint64_t top = rng.next();
    std::uint16_t low = static_cast<std::uint16_t>(rng.next());
    switch (rng.next() % 8) {
        case 0: top = ~std::uint64_t{0} << (rng.next() % 64); low = 0xFFFF; break;  // ones
        case 1: top = std::uint64_t{1} << (rng.next() % 64); low = 0; break;        // one bit
        case 2: low = 0; break;                                                     // reader's operands
        default: break;
    }
    int exponent;
    switch (rng.next() % 8) {
        case 0: exponent = rng.between(0x5FF0, 0x600F); break;   // pairs near 0xBFFD
        case 1: exponent = rng.between(0x1FD0, 0x1FEF); break;   // pairs near 0x3FBF..0x3FFE
        case 2: exponent = 0; break;
        case 3: exponent = rng.between(1, 0x7FFF); break;
        default: exponent = rng.between(0x3F00, 0x40FF); break;  // around 1.0
    }
    if (exponent != 0) top |= std::uint64_t{1} << 63;
    if (exponent == 0x7FFF) {
        top = std::uint64_t{1} << 63;
        low = 0;
    }
    return make_extended(rng.next() % 2 == 0, exponent, top, low);
}

TEST(MultiplyExtended, MatchesTheLimbByLimbReference) {
    bit_stream rng(20261207);
    constexpr int count = 3'000'000;
    int mismatches = 0;
    for (int i = 0; i < count && mismatches < 10; ++i) {
        const extended_value a = random_operand(rng), b = random_operand(rng);
        const extended_value reference = reference_multiply_extended(a, b);
        const extended_value general = multiply_extended(a, b);
        const extended_value inlined = multiply_extended_inline(a, b);
        if (!(general == reference) || !(inlined == reference)) {
            ++mismatches;
            ADD_FAILURE() << a << " * " << b << ": " << general << ", inlined " << inlined << ", reference "
                          << reference;
        }
    }
}

}  // namespace
}  // namespace vyxmath::test
