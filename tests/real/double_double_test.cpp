// The double-double module against GNU MPFR: the error-free steps exact, the
// operations on pairs within their stated relative error, every result
// normalised (hi is the double nearest hi + lo), over operands spread across
// the exponent range.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <array>

#include "real/double_double.h"
#include "support/bit_stream.h"
#include "support/sanitizer_scale.h"

namespace vyxmath {
namespace {

// Wide enough to hold any sum or product of two pairs exactly.
constexpr mpfr_prec_t exact_bits = 2400;

struct exact_number {
    mpfr_t v;
    exact_number() { mpfr_init2(v, exact_bits); }
    explicit exact_number(double_double a) : exact_number() {
        mpfr_set_d(v, a.hi, MPFR_RNDN);
        mpfr_add_d(v, v, a.lo, MPFR_RNDN);
    }
    ~exact_number() { mpfr_clear(v); }
};

// log2 of |got - want| / |want|; -infinity when exact.
double log2_relative_error(double_double got, const exact_number& want) {
    exact_number error(got);
    mpfr_sub(error.v, error.v, want.v, MPFR_RNDN);
    if (mpfr_zero_p(error.v)) return -INFINITY;
    mpfr_div(error.v, error.v, want.v, MPFR_RNDN);
    mpfr_abs(error.v, error.v, MPFR_RNDN);
    return mpfr_get_d(error.v, MPFR_RNDN) == 0.0 ? -INFINITY : std::log2(mpfr_get_d(error.v, MPFR_RNDN));
}

// A normalised pair of either sign with its exponent in [-spread, spread].
double_double random_pair(test::bit_stream& bits, int spread) {
    const double hi = std::ldexp(1.0 + static_cast<double>(bits.next() >> 12) * 0x1p-52, bits.between(-spread, spread));
    const double lo = hi * (static_cast<double>(bits.next() >> 11) * 0x1p-53 - 0.5) * 0x1p-53;
    const double_double a = fast_two_sum(hi, lo);
    return (bits.next() & 1) != 0 ? negate(a) : a;
}

using pair_operation = double_double (*)(double_double, double_double);
using exact_operation = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

int exact_square_root(mpfr_ptr r, mpfr_srcptr a, mpfr_srcptr, mpfr_rnd_t rounding) { return mpfr_sqrt(r, a, rounding); }

// What each operation takes: two doubles (the lo halves zero), a pair and a
// double, two pairs, or one positive pair.
enum class operands { doubles, pair_and_double, pairs, positive_pair };

struct operation_case {
    const char* name;
    pair_operation operation;
    exact_operation reference;
    operands kind;
    double log2_bound;  // -infinity: exact
};

const operation_case operation_cases[] = {
    {"two_sum", [](double_double a, double_double b) { return two_sum(a.hi, b.hi); }, mpfr_add, operands::doubles, -INFINITY},
    {"two_prod", [](double_double a, double_double b) { return two_prod(a.hi, b.hi); }, mpfr_mul, operands::doubles, -INFINITY},
    {"add", [](double_double a, double_double b) { return add(a, b); }, mpfr_add, operands::pairs, std::log2(3.0) - 106},
    {"add double", [](double_double a, double_double b) { return add(a, b.hi); }, mpfr_add, operands::pair_and_double, 1.0 - 106},
    {"mul", [](double_double a, double_double b) { return mul(a, b); }, mpfr_mul, operands::pairs, std::log2(7.0) - 106},
    {"mul double", [](double_double a, double_double b) { return mul(a, b.hi); }, mpfr_mul, operands::pair_and_double, 1.0 - 106},
    {"divide", [](double_double a, double_double b) { return divide(a, b); }, mpfr_div, operands::pairs, 2.0 - 106},
    {"square_root", [](double_double a, double_double) { return square_root(a); }, exact_square_root, operands::positive_pair, 2.0 - 106},
};

TEST(DoubleDouble, OperationsHoldTheirBoundsAndStayNormalised) {
    const int count = test::scaled_count(20000);
    for (const operation_case& c : operation_cases) {
        test::bit_stream bits(0xD0BB1E);
        for (int i = 0; i < count; ++i) {
            double_double a = random_pair(bits, 400);
            double_double b = random_pair(bits, 400);
            if (i % 4 == 0) {  // sums that nearly cancel, quotients near -1
                const double near = -a.hi * (1.0 + bits.between(-64, 64) * 0x1p-52);
                b = fast_two_sum(near, a.lo * (static_cast<double>(bits.next() >> 11) * 0x1p-53 - 0.5));
            }
            if (c.kind == operands::doubles) a.lo = 0.0;
            if (c.kind == operands::doubles || c.kind == operands::pair_and_double) b.lo = 0.0;
            if (c.kind == operands::positive_pair && a.hi < 0.0) a = negate(a);
            const exact_number x(a), y(b);
            exact_number want;
            c.reference(want.v, x.v, y.v, MPFR_RNDN);
            const double_double got = c.operation(a, b);
            ASSERT_LE(log2_relative_error(got, want), c.log2_bound)
                << c.name << " of " << a.hi << " + " << a.lo << ", " << b.hi << " + " << b.lo;
            ASSERT_EQ(got.hi + got.lo, got.hi) << c.name << ": not normalised";
        }
    }
}

// split_horner against the exact polynomial sum_j z^j / (j + 1)!, the series
// of (e^z - 1) / z, for both joins of the plain-double tail: its terms stay
// below 2^-50 of the sum, so the tail's roundings cost under 2^-100.
TEST(DoubleDouble, SplitHornerMatchesTheExactPolynomial) {
    constexpr int terms = 14, head_terms = 5;
    std::array<double_double, terms> c{};
    double_double factorial = {1.0, 0.0};
    for (int j = 0; j < terms; ++j) {
        factorial = mul(factorial, static_cast<double>(j + 1));
        c[j] = divide(double_double{1.0, 0.0}, factorial);
    }
    test::bit_stream bits(0x4E12);
    for (int i = 0; i < test::scaled_count(20000); ++i) {
        const double_double z = scale(random_pair(bits, 0), -10 - bits.between(0, 40));
        exact_number want, power, term;
        mpfr_set_ui(power.v, 1, MPFR_RNDN);
        mpfr_set_zero(want.v, 1);
        const exact_number exact_z(z);
        for (int j = 0; j < terms; ++j) {
            const exact_number coefficient(c[j]);
            mpfr_mul(term.v, power.v, coefficient.v, MPFR_RNDN);
            mpfr_add(want.v, want.v, term.v, MPFR_RNDN);
            mpfr_mul(power.v, power.v, exact_z.v, MPFR_RNDN);
        }
        EXPECT_LE(log2_relative_error(split_horner<tail_join::rounded_product>(c, head_terms, z), want), -100.0);
        EXPECT_LE(log2_relative_error(split_horner<tail_join::exact_product>(c, head_terms, z), want), -100.0);
    }
}

}  // namespace
}  // namespace vyxmath
