// The generated tables of the fast phases against GNU MPFR: every
// 2^(j/256) to 2^-105 relative, the two pieces of ln 2 / 256 with their
// exact-product property, and the logarithm's reciprocals.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>

#include "real/double_double.h"
#include "real/kernels/logarithm.h"
#include "support/bit_stream.h"
#include "support/sanitizer_scale.h"

namespace vyxmath {
namespace table {
#include "real/kernels/exp_table.inc"
struct log_table_entry {
    double r, minus_ln_r_hi, minus_ln_r_lo;
};
#include "real/kernels/log_table.inc"
}  // namespace table
namespace {

// |hi + lo - exact| / exact, from MPFR at 300 bits.
double relative_error(double hi, double lo, mpfr_t exact) {
    mpfr_t d;
    mpfr_init2(d, 300);
    mpfr_sub_d(d, exact, hi, MPFR_RNDN);
    mpfr_sub_d(d, d, lo, MPFR_RNDN);
    mpfr_div(d, d, exact, MPFR_RNDN);
    const double result = std::fabs(mpfr_get_d(d, MPFR_RNDN));
    mpfr_clear(d);
    return result;
}

TEST(ExpTable, EveryEntryIsTwoToTheJOver256) {
    mpfr_t exact;
    mpfr_init2(exact, 300);
    for (int j = 0; j < 256; ++j) {
        const double_double t = table::exp_table[j];
        mpfr_set_ui(exact, static_cast<unsigned>(j), MPFR_RNDN);
        mpfr_div_ui(exact, exact, 256, MPFR_RNDN);
        mpfr_ui_pow(exact, 2, exact, MPFR_RNDN);
        EXPECT_LT(relative_error(t.hi, t.lo, exact), 0x1p-105) << j;
        EXPECT_LE(std::fabs(t.lo), std::ldexp(1.0, -53)) << j;  // hi in [1, 2): |lo| <= ulp(hi)/2
    }
    mpfr_clear(exact);
}

TEST(ExpTable, ReductionStepIsLn2Over256) {
    mpfr_t exact;
    mpfr_init2(exact, 300);
    mpfr_const_log2(exact, MPFR_RNDN);
    mpfr_div_ui(exact, exact, 256, MPFR_RNDN);
    EXPECT_LT(relative_error(table::exp_step_hi, table::exp_step_lo, exact), 0x1p-84);
    // k * exp_step_hi exact for |k| < 2^20: at most 33 significant bits.
    const double scaled = std::ldexp(table::exp_step_hi, 32 - std::ilogb(table::exp_step_hi));
    EXPECT_EQ(scaled, std::trunc(scaled));
    mpfr_clear(exact);
}

// The logarithm's intervals: 1024 over [0.6875, 1.375), 2^-11 wide below 1
// and 2^-10 above; interval 640 starts at 1.
constexpr int log_intervals = 1024;
constexpr int one_interval = 640;

// The logarithm's reciprocals: multiples of 2^-10 (what makes its reduction
// exact), 1 beside 1, and -ln r within 2^-97 by a head that is a multiple of
// 2^-42 (what makes its sum with a multiple of ln 2's head exact).
TEST(LogTable, EveryEntryIsMinusLnR) {
    mpfr_t exact;
    mpfr_init2(exact, 300);
    static_assert(std::size(table::log_table) == log_intervals);
    for (int j = 0; j < log_intervals; ++j) {
        const table::log_table_entry& t = table::log_table[j];
        EXPECT_EQ(t.r * 1024, std::trunc(t.r * 1024)) << j;
        if (j == one_interval - 1 || j == one_interval) {
            EXPECT_EQ(t.r, 1.0);
            continue;
        }
        mpfr_set_d(exact, t.r, MPFR_RNDN);
        mpfr_log(exact, exact, MPFR_RNDN);
        mpfr_neg(exact, exact, MPFR_RNDN);
        EXPECT_EQ(std::ldexp(t.minus_ln_r_hi, 42), std::trunc(std::ldexp(t.minus_ln_r_hi, 42))) << j;
        const double error = relative_error(t.minus_ln_r_hi, t.minus_ln_r_lo, exact) * std::fabs(mpfr_get_d(exact, MPFR_RNDN));
        EXPECT_LT(error, 0x1.001p-97) << j;
    }
    mpfr_clear(exact);
}

// The power's logarithms within half the bound they state, and the fast
// phase's value of ln x within the bound derived for it: on every interval
// of the table (its ends and random points), near 1 where the bound is
// relative to a tiny ln x, and over the whole exponent range.
TEST(LogForPower, WithinHalfItsBoundOfMpfr) {
    mpfr_t exact, d;
    mpfr_inits2(300, exact, d, static_cast<mpfr_ptr>(nullptr));
    test::bit_stream random(7);
    double worst[3] = {0.0, 0.0, 0.0}, worst_x[3] = {0.0, 0.0, 0.0};
    const auto check = [&](double x) {
        if (x == 1.0) return;
        mpfr_set_d(exact, x, MPFR_RNDN);
        mpfr_log(exact, exact, MPFR_RNDN);
        for (int small = 0; small < 2; ++small) {
            const double_double ln = small ? log_for_small_power(x) : log_for_power(x);
            const double bound = small ? log_for_small_power_error_bound(x, ln.hi) : std::fabs(ln.hi) * log_for_power_error;
            mpfr_sub_d(d, exact, ln.hi, MPFR_RNDN);
            mpfr_sub_d(d, d, ln.lo, MPFR_RNDN);
            const double e = std::fabs(mpfr_get_d(d, MPFR_RNDN)) / bound;
            if (e > worst[small]) worst[small] = e, worst_x[small] = x;
        }
        double_double fast;
        ASSERT_TRUE(log_fast_value(x, fast));
        const bool near_one = x >= 0.6875 && x < 1.375;
        const double fast_bound = near_one ? std::fabs(fast.hi) * log_fast_near_one_error : log_fast_away_error;
        mpfr_sub_d(d, exact, fast.hi, MPFR_RNDN);
        mpfr_sub_d(d, d, fast.lo, MPFR_RNDN);
        const double e = std::fabs(mpfr_get_d(d, MPFR_RNDN)) / fast_bound;
        if (e > worst[2]) worst[2] = e, worst_x[2] = x;
    };
    const double first = 0.6875;
    for (int j = 0; j < log_intervals; ++j) {
        const double width = j < one_interval ? 0x1p-11 : 0x1p-10;
        const double low = first + (j < one_interval ? j * width : one_interval * 0x1p-11 + (j - one_interval) * width);
        check(low);
        check(std::nextafter(low + width, 0.0));
        for (int i = 0; i < test::scaled_count(200); ++i)
            check(std::ldexp(random.uniform(low, low + width), random.between(-4, 4)));
    }
    for (int i = 0; i < test::scaled_count(20000); ++i) {
        check(1.0 + std::ldexp(random.uniform(-0.5, 0.5), -random.between(1, 52)));
        check(random.spread(-1074, 1024, false));
    }
    for (int small = 0; small < 2; ++small) EXPECT_LT(worst[small], 0.5) << small << std::hexfloat << " " << worst_x[small];
    EXPECT_LT(worst[2], 1.0) << "fast phase" << std::hexfloat << " " << worst_x[2];
    mpfr_clears(exact, d, static_cast<mpfr_ptr>(nullptr));
}

}  // namespace
}  // namespace vyxmath
