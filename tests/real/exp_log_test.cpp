// The exponential and logarithm kernels: their edge results bit for bit, the
// double-double constants against exact integer values, and the accuracy on
// many deterministic pseudo-random arguments: correctly rounded, against the
// exact reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "real/kernels/exp_log.h"
#include "real/kernels/exp_log_detail.h"
#include "support/bits_text.h"
#include "common/ieee_double.h"
#include "support/accuracy.h"
#include "support/exact_integer.h"

namespace vyxmath::test {
namespace {

constexpr double inf = positive_infinity;
const double quiet_nan_payload = from_bits(0x7FF8000000000123u);
const double negative_nan_payload = from_bits(0xFFF80000000ABCDEu);
const double signalling_nan = from_bits(0x7FF0000000000001u);

struct EdgeCase {
    const char* name;
    double (*function)(double);
    double x;
    std::uint64_t expected_bits;
};

const EdgeCase edge_cases[] = {
    {"exp(nan) keeps its payload", exp_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"exp(-nan) keeps its sign", exp_kernel, negative_nan_payload, 0xFFF80000000ABCDEu},
    {"exp(snan) comes out quiet", exp_kernel, signalling_nan, 0x7FF8000000000001u},
    {"exp(+inf)", exp_kernel, inf, to_bits(inf)},
    {"exp(-inf)", exp_kernel, -inf, to_bits(0.0)},
    {"exp(+0)", exp_kernel, 0.0, to_bits(1.0)},
    {"exp(-0)", exp_kernel, -0.0, to_bits(1.0)},
    {"exp(1) is the double nearest e", exp_kernel, 1.0, to_bits(2.718281828459045)},
    {"exp(ln 2) rounds to 2", exp_kernel, 0x1.62e42fefa39efp-1, to_bits(2.0)},
    {"exp overflows just above ln(max)", exp_kernel, 0x1.62e42fefa39f0p+9, to_bits(inf)},
    {"exp(710)", exp_kernel, 710.0, to_bits(inf)},
    {"exp(1e308)", exp_kernel, 1e308, to_bits(inf)},
    {"exp(-746) underflows to +0", exp_kernel, -746.0, to_bits(0.0)},
    {"exp(-1e308)", exp_kernel, -1e308, to_bits(0.0)},
    {"exp(tiny) is 1", exp_kernel, 0x1p-60, to_bits(1.0)},
    {"exp(-tiny) is 1", exp_kernel, -0x1p-60, to_bits(1.0)},
    {"exp(subnormal) is 1", exp_kernel, smallest_subnormal, to_bits(1.0)},
    {"exp(-1074 ln 2) is 2^-1074", exp_kernel, -1074 * 0x1.62e42fefa39efp-1, 1},

    {"expm1(nan)", expm1_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"expm1(+0) keeps the sign", expm1_kernel, 0.0, to_bits(0.0)},
    {"expm1(-0) keeps the sign", expm1_kernel, -0.0, to_bits(-0.0)},
    {"expm1(+inf)", expm1_kernel, inf, to_bits(inf)},
    {"expm1(-inf)", expm1_kernel, -inf, to_bits(-1.0)},
    {"expm1(-50)", expm1_kernel, -50.0, to_bits(-1.0)},
    {"expm1(1e-300) is itself", expm1_kernel, 1e-300, to_bits(1e-300)},
    {"expm1(subnormal) is itself", expm1_kernel, -3 * smallest_subnormal, to_bits(-3 * smallest_subnormal)},
    {"expm1(710)", expm1_kernel, 710.0, to_bits(inf)},

    {"log(nan) keeps its payload", log_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"log(-nan) keeps its sign", log_kernel, negative_nan_payload, 0xFFF80000000ABCDEu},
    {"log(+0)", log_kernel, 0.0, to_bits(-inf)},
    {"log(-0)", log_kernel, -0.0, to_bits(-inf)},
    {"log(-1) is the default nan", log_kernel, -1.0, default_nan_bits},
    {"log(-subnormal) is the default nan", log_kernel, -smallest_subnormal, default_nan_bits},
    {"log(-inf) is the default nan", log_kernel, -inf, default_nan_bits},
    {"log(+inf)", log_kernel, inf, to_bits(inf)},
    {"log(1) is +0", log_kernel, 1.0, to_bits(0.0)},
    {"log(2) is ln 2", log_kernel, 2.0, to_bits(0x1.62e42fefa39efp-1)},
    {"log(e) is 1", log_kernel, 2.718281828459045, to_bits(1.0)},

    {"log10(nan)", log10_kernel, quiet_nan_payload, 0x7FF8000000000123u},
    {"log10(+0)", log10_kernel, 0.0, to_bits(-inf)},
    {"log10(-0)", log10_kernel, -0.0, to_bits(-inf)},
    {"log10(-2)", log10_kernel, -2.0, default_nan_bits},
    {"log10(-inf)", log10_kernel, -inf, default_nan_bits},
    {"log10(+inf)", log10_kernel, inf, to_bits(inf)},
    {"log10(1) is +0", log10_kernel, 1.0, to_bits(0.0)},
};

class KernelEdge : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(KernelEdge, GivesTheExactBits) {
    const EdgeCase& c = GetParam();
    const double got = c.function(c.x);
    EXPECT_EQ(to_bits(got), c.expected_bits)
        << c.name << ": got " << bits_text(got) << ", want " << bits_text(from_bits(c.expected_bits));
}

INSTANTIATE_TEST_SUITE_P(ExpLog, KernelEdge, ::testing::ValuesIn(edge_cases));

TEST(Log10Kernel, PowersOfTenThatAreDoublesGiveWholeNumbers) {
    double power = 1.0;
    for (int n = 0; n <= 22; ++n) {
        EXPECT_EQ(log10_kernel(power), n) << "10^" << n;
        power *= 10.0;  // exact up to 10^22
    }
}

// Powers of e use a logarithm of the constant taken at compile time; it must
// be the very pair the run-time logarithm gives.
TEST(ExpLogConstants, StoredLogarithmOfEIsTheComputedOne) {
    volatile double e = 2.718281828459045;
    const double_double computed = log_double_double(e);
    EXPECT_EQ(to_bits(ln_of_euler_e.hi), to_bits(computed.hi));
    EXPECT_EQ(to_bits(ln_of_euler_e.lo), to_bits(computed.lo));
}

// The exact value of a positive double times 2^scale, which must be a whole
// number.
exact_integer to_fixed(double x, int scale) {
    const std::uint64_t bits = to_bits(x);
    const int exponent = static_cast<int>(bits >> 52) - 1075 + scale;
    const exact_integer significand((bits & 0x000FFFFFFFFFFFFFu) | 0x0010000000000000u);
    return exponent >= 0 ? significand << exponent : significand >> -exponent;
}

// ln 2 * 2^124 from ln 2 = sum_{k>=1} 1 / (k 2^k); each term is truncated,
// so the sum is below the true value by less than 124 units of 2^-124.
exact_integer ln2_fixed124() {
    exact_integer sum;
    for (std::uint32_t k = 1; k <= 124; ++k) sum = sum + exact_integer::power_of_two(124 - static_cast<int>(k)).divided_by(k);
    return sum;
}

// ln 10 * 2^124 = 3 ln 2 + ln(5/4), ln(5/4) = 2 atanh(1/9)
// = 2 sum_j 1 / ((2j + 1) 9^(2j + 1)); error below 200 units of 2^-124.
exact_integer ln10_fixed124() {
    exact_integer power = exact_integer::power_of_two(124).divided_by(9);  // 2^124 / 9^(2j+1)
    exact_integer atanh;
    for (std::uint32_t j = 0; !power.is_zero(); ++j) {
        atanh = atanh + power.divided_by(2 * j + 1);
        power = power.divided_by(81);
    }
    exact_integer three_ln2 = ln2_fixed124();
    three_ln2 *= 3;
    atanh *= 2;
    return three_ln2 + atanh;
}

TEST(ExpLogConstants, Ln2IsTheNearestPairTo106Bits) {
    const exact_integer pair = to_fixed(ln2.hi, 124) + to_fixed(ln2.lo, 124);
    const exact_integer difference = distance(pair, ln2_fixed124());  // the sum: below ln 2 by < 124 units
    // hi + lo is within half a unit of lo's last place (2^-109 = 2^15 units).
    EXPECT_LE(difference, exact_integer{(1u << 15) + 124}) << difference.decimal();
}

TEST(ExpLogConstants, InverseLn10TimesLn10IsOneTo104Bits) {
    const exact_integer pair = to_fixed(inverse_ln10.hi, 110) + to_fixed(inverse_ln10.lo, 110);
    // pair * 2^-110 * ln10 * 2^-124, in units of 2^-106.
    const exact_integer product = (pair * ln10_fixed124()) >> 128;
    const exact_integer difference = distance(product, exact_integer::power_of_two(106));
    EXPECT_LE(difference, exact_integer{2}) << difference.decimal();
}

struct accuracy_range {
    const char* name;
    double (*function)(double);
    double (*exact)(double);
    double (*draw)(bit_stream&);
    int count;
};

const accuracy_range accuracy_ranges[] = {
    {"exp over its whole finite range", exp_kernel, mpfr_reference::exp,
     [](bit_stream& s) { return s.uniform(-745.2, 709.8); }, 40000},
    {"exp near 0", exp_kernel, mpfr_reference::exp, [](bit_stream& s) { return s.uniform(-1.0, 1.0); }, 20000},
    {"exp to subnormal results", exp_kernel, mpfr_reference::exp,
     [](bit_stream& s) { return s.uniform(-745.2, -708.0); }, 20000},
    {"exp of small magnitudes", exp_kernel, mpfr_reference::exp,
     [](bit_stream& s) { return s.spread(-60, -1, true); }, 20000},
    {"expm1 near 0", expm1_kernel, mpfr_reference::expm1, [](bit_stream& s) { return s.uniform(-1.0, 1.0); },
     20000},
    {"expm1 of small magnitudes", expm1_kernel, mpfr_reference::expm1,
     [](bit_stream& s) { return s.spread(-60, -1, true); }, 20000},
    {"expm1 wide", expm1_kernel, mpfr_reference::expm1, [](bit_stream& s) { return s.uniform(-45.0, 709.7); },
     20000},
    {"log over all positive doubles", log_kernel, mpfr_reference::log,
     [](bit_stream& s) { return s.spread(-1074, 1024, false); }, 40000},
    {"log near 1", log_kernel, mpfr_reference::log, [](bit_stream& s) { return s.uniform(0.75, 1.5); }, 40000},
    {"log10 over all positive doubles", log10_kernel, mpfr_reference::log10,
     [](bit_stream& s) { return s.spread(-1074, 1024, false); }, 40000},
    {"log10 near 1", log10_kernel, mpfr_reference::log10, [](bit_stream& s) { return s.uniform(0.75, 1.5); },
     20000},
};

class KernelAccuracy : public ::testing::TestWithParam<accuracy_range> {};

TEST_P(KernelAccuracy, IsCorrectlyRounded) {
    const accuracy_range& r = GetParam();
    accuracy_record record(r.name);
    bit_stream source(0x5EED0000u + static_cast<unsigned>(r.count));
    for (int i = 0; i < scaled_count(r.count); ++i) {
        const double x = r.draw(source);
        record.add(x, r.function(x), r.exact(x));
    }
    record.check();
}

INSTANTIATE_TEST_SUITE_P(ExpLog, KernelAccuracy, ::testing::ValuesIn(accuracy_ranges));

}  // namespace
}  // namespace vyxmath::test
