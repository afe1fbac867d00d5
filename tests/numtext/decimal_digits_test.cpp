// The 17-digit record and the steps that build it.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <string>

#include "numtext/digit_record.h"
#include "numtext/significand_scaling.h"
#include "numtext/sample_doubles.h"
#include "common/wide_product.h"
#include "numtext/widened_double.h"

namespace vyxmath {
namespace {

struct StepCase {
    double value;
    int exponent;        // E of the widened value
    int top_bits;        // t
    int estimate;        // p before the correction by 0.1
    std::uint64_t eighteen;
    const char* text;
    int point;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.text << "e" << c.point; }

class DecimalDigitSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(DecimalDigitSteps, IntermediateValues) {
    const StepCase& c = GetParam();
    const extended_value x = double_to_extended(c.value);
    EXPECT_EQ(x.exponent(), c.exponent);
    EXPECT_EQ(static_cast<int>(x.high >> 24), c.top_bits);
    const int p = estimate_decimal_exponent(x);
    EXPECT_EQ(p, c.estimate);
    EXPECT_EQ(first_18_digits(fraction_of(scale_below_one(x, p).value)), c.eighteen);
    const digit_record r = decimal_digits(c.value);
    EXPECT_STREQ(r.digits, c.text);
    EXPECT_EQ(r.length, std::string(c.text).size());
    EXPECT_EQ(r.point, c.point);
    EXPECT_EQ(r.sign, ' ');
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, DecimalDigitSteps, ::testing::Values(
    StepCase{1.0, 16383, 128, 0, 99999999999999999u, "1", 1},
    StepCase{1000.0, 16392, 250, 3, 99999999999999999u, "1", 4},
    StepCase{0.05, 16378, 204, -1, 500000000000000027u, "50000000000000003", -1},
    StepCase{0.1, 16379, 204, -1, 100000000000000005u, "10000000000000001", 0},
    StepCase{496682386976504.375, 16431, 225, 15, 496682386976504374u, "49668238697650437", 15},
    StepCase{4.9406564584124654e-324, 15309, 128, -323, 494065645841246544u, "49406564584124654", -323}));

TEST(DecimalDigits, ScaledValueBelowOne) {
    // 1 scales to 1 exactly, which is not below 1: it becomes 0.1 truncated.
    const scaled_value one = scale_below_one(double_to_extended(1.0), 0);
    EXPECT_EQ(one.value.sign_exponent, one_tenth.sign_exponent);
    EXPECT_EQ(one.value.top64(), 0xCCCCCCCCCCCCCCCCu);
    EXPECT_EQ(one.value.low, 0xCCCC);
    EXPECT_EQ(one.decimal_exponent, 1);
    const scaled_value twentieth = scale_below_one(double_to_extended(0.05), -1);
    EXPECT_EQ(twentieth.value.exponent(), 16382);
    EXPECT_EQ(twentieth.value.top64(), 0x8000000000000200u);
    EXPECT_EQ(twentieth.value.low, 0);
    EXPECT_EQ(twentieth.decimal_exponent, -1);
}

TEST(DoubleToExtended, ExactWidening) {
    struct Case { std::uint64_t bits; int exponent; std::uint64_t top64; };
    for (const Case& c : {Case{0x3FF0000000000000u, 16383, 0x8000000000000000u},   // 1
                          Case{0xC004000000000000u, 16384, 0xA000000000000000u},   // -2.5, sign dropped
                          Case{0x7FEFFFFFFFFFFFFFu, 17406, 0xFFFFFFFFFFFFF800u},   // largest
                          Case{0x0010000000000000u, 15361, 0x8000000000000000u},   // smallest normal
                          Case{0x000FFFFFFFFFFFFFu, 15360, 0xFFFFFFFFFFFFF000u},   // largest denormal
                          Case{0x0000000000000003u, 15310, 0xC000000000000000u}}) {
        const extended_value x = double_to_extended(std::bit_cast<double>(c.bits));
        EXPECT_EQ(x.sign_exponent, c.exponent) << std::hex << c.bits;
        EXPECT_EQ(x.top64(), c.top64) << std::hex << c.bits;
        EXPECT_EQ(x.low, 0);
    }
}

// For every exponent of a widened double and every top byte t, the whole
// bucket [t, t + 1) * 2^(E - 16390) satisfies 10^(p-1) <= x < 10^(p+1), so p
// is floor(log10 x) or one more. The tolerance only admits exact equality
// (powers of ten that are t * 2^k); no other bucket end comes that close.
TEST(DecimalExponentEstimate, FloorOrOneAboveForEveryBucket) {
    for (int e = 15309; e <= 17406; ++e) {
        for (std::uint32_t t = 128; t <= 255; ++t) {
            const extended_value x{0, 0, t << 24, static_cast<std::uint16_t>(e)};
            const int p = estimate_decimal_exponent(x);
            const double log_low = (e - 16383) * std::log10(2.0) + std::log10(t / 128.0);
            const double log_high = (e - 16383) * std::log10(2.0) + std::log10((t + 1) / 128.0);
            ASSERT_GE(log_low, p - 1 - 1e-9) << e << " " << t;
            ASSERT_LE(log_high, p + 1 + 1e-9) << e << " " << t;
        }
    }
}

// The digit-by-digit generation: F = 10 F; digit = F / 2^88; F = F mod 2^88.
std::uint64_t digits_one_at_a_time(fraction96 f) {
    std::array<std::uint32_t, 3> w{static_cast<std::uint32_t>(f.low), static_cast<std::uint32_t>(f.low >> 32),
                                   f.high};
    std::uint64_t n = 0;
    for (int step = 0; step < 18; ++step) {
        std::uint64_t carry = 0;
        for (std::uint32_t& word : w) {
            const std::uint64_t product = std::uint64_t{word} * 10 + carry;
            word = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        n = n * 10 + (w[2] >> 24);
        w[2] &= 0x00FFFFFFu;
    }
    return n;
}

TEST(FirstEighteenDigits, SingleProductMatchesDigitLoop) {
    test::bit_stream bits(7);
    for (int i = 0; i < 100000; ++i) {
        const fraction96 f{static_cast<std::uint32_t>(bits.next() >> 40), bits.next()};  // F < 2^88
        ASSERT_EQ(first_18_digits(f), digits_one_at_a_time(f)) << f.high << ":" << f.low;
    }
    for (const fraction96 f : {fraction96{0, 0}, fraction96{0xFFFFFF, ~0ull}, fraction96{0x800000, 0}}) {
        EXPECT_EQ(first_18_digits(f), digits_one_at_a_time(f));
    }
    for (double v : test::sample_doubles(3000)) {
        if (!std::isfinite(v) || v == 0) continue;
        const extended_value x = double_to_extended(v);
        const fraction96 f = fraction_of(scale_below_one(x, estimate_decimal_exponent(x)).value);
        ASSERT_EQ(first_18_digits(f), digits_one_at_a_time(f)) << v;
    }
}

#ifdef __SIZEOF_INT128__
TEST(WideProduct, PortablePathMatchesNativeProduct) {
    test::bit_stream bits(11);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t a = i < 4 ? ~0ull >> (i * 16) : bits.next();
        const std::uint64_t b = i < 4 ? ~0ull : bits.next() >> (i % 64);
        const unsigned __int128 exact = static_cast<unsigned __int128>(a) * b;
        const uint128_parts p = multiply_64x64_portable(a, b);
        ASSERT_EQ(p.high, static_cast<std::uint64_t>(exact >> 64)) << a << " * " << b;
        ASSERT_EQ(p.low, static_cast<std::uint64_t>(exact)) << a << " * " << b;
    }
}
#endif

// The record against the correctly rounded 17 digits of the C library: never
// more than one unit apart in the 17th digit, which only the truncated
// products and the rounding on the 18th computed digit alone can cause, and
// that rarely.
TEST(DecimalDigits, WithinOneUnitOfCorrectlyRounded) {
    int samples = 0, differing = 0;
    for (double v : test::sample_doubles(20000)) {
        if (!std::isfinite(v) || v == 0) continue;
        const digit_record r = decimal_digits(v);
        ASSERT_GE(r.length, 1);
        ASSERT_LE(r.length, 17);
        ASSERT_NE(r.digits[0], '0') << v;
        ASSERT_NE(r.digits[r.length - 1], '0') << v;
        ASSERT_EQ(r.sign, std::signbit(v) ? '-' : ' ');
        std::uint64_t ours = 0;
        for (int i = 0; i < 17; ++i) ours = ours * 10 + (i < r.length ? r.digits[i] - '0' : 0);
        char text[40];
        std::snprintf(text, sizeof text, "%.16e", std::fabs(v));
        std::uint64_t exact = text[0] - '0';
        for (int i = 2; i < 18; ++i) exact = exact * 10 + (text[i] - '0');
        const int exact_exponent = std::atoi(text + 19);
        const int shift = (r.point - 1) - exact_exponent;  // -1, 0 or 1 after a carry
        ASSERT_LE(std::abs(shift), 1) << v;
        const std::uint64_t a = shift > 0 ? ours * 10 : ours, b = shift < 0 ? exact * 10 : exact;
        ASSERT_LE(a > b ? a - b : b - a, 1u) << v << " " << r.digits << " P=" << r.point << " vs " << text;
        ++samples;
        differing += a != b;
    }
    EXPECT_LT(differing * 1000, samples) << differing << " of " << samples;
}

}  // namespace
}  // namespace vyxmath
