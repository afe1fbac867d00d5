// Every kernel against GNU MPFR: the published hardest-to-round arguments
// (hardest_cases.txt) and random ones, all correctly rounded; and the wide
// evaluation's constants. The long-run program (scripts/long-run-kernels.sh)
// does the same over ten million random arguments per kernel.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <string>

#include "real/kernels/wide_fixed.h"
#include "support/kernel_cases.h"
#include "support/sanitizer_scale.h"

namespace vyxmath {
namespace wide_table {
#include "real/kernels/wide_constants.inc"
}  // namespace wide_table
namespace {

using kernel_check::Tally;

constexpr int random_count = test::scaled_count(30000);

class KernelAgainstMpfr : public ::testing::TestWithParam<const char*> {};

TEST_P(KernelAgainstMpfr, IsCorrectlyRounded) {
    const kernel_check::Kernel* kernel = kernel_check::find_kernel(GetParam());
    ASSERT_NE(kernel, nullptr);
    Tally hard, random;
    const auto cases = kernel_check::read_cases(VYXMATH_HARDEST_CASES, kernel->name);
    for (kernel_check::Arguments a : cases) kernel_check::compare(*kernel, a, hard);
    test::bit_stream generator(0x5EED);
    for (int i = 0; i < random_count; ++i) kernel_check::compare(*kernel, kernel->draw(generator), random);
    for (const Tally* t : {&hard, &random})
        for (const std::string& m : t->first_mismatches) ADD_FAILURE() << m;
    EXPECT_EQ(hard.mismatches + random.mismatches, 0);
    // The rate is judged on the full random set only: at 1 in 1,000, the few
    // thousand arguments of a sanitizer build are too few to measure it.
    if (kernel->takes_accurate_phase != nullptr && random.tried >= 30000) {
        // Far more than 1 in 1,000 would mean a fast phase that has lost its
        // accuracy (or a rounding test grown too wide).
        EXPECT_LT(random.accurate_phase * 1000, random.tried) << random.accurate_phase;
    }
    RecordProperty("hardest_cases", static_cast<int>(hard.tried));
    RecordProperty("accurate_phase", static_cast<int>(random.accurate_phase));
}

INSTANTIATE_TEST_SUITE_P(Kernels, KernelAgainstMpfr,
                         ::testing::Values("exp", "exp_of_e_constant", "expm1", "log", "log10", "pow", "sinh", "cosh", "tanh", "sin",
                                           "cos", "tan", "sin_large", "tan_large", "asin", "acos", "atan",
                                           "atan2"));

// The hardest-cases file must hold what the test above relies on.
TEST(HardestCases, AreThere) {
    for (const char* name : {"exp", "log", "log10", "pow", "sinh", "cosh", "tanh"})
        EXPECT_GE(kernel_check::read_cases(VYXMATH_HARDEST_CASES, name).size(), 500u) << name;
}

// ln 2 and 1 / ln 10 in the wide format against MPFR: within 2^-224 (half
// a unit of their last place and a little); and the wide logarithm of 2.
TEST(WideConstants, AreLn2AndInverseLn10) {
    mpfr_t exact, got;
    mpfr_inits2(400, exact, got, static_cast<mpfr_ptr>(nullptr));
    const auto distance = [&](const wide& w) {
        mpfr_set_ui(got, 0, MPFR_RNDN);
        for (int i = 8; i >= 0; --i) {
            mpfr_mul_2ui(got, got, 32, MPFR_RNDN);
            mpfr_add_ui(got, got, w.limb[i], MPFR_RNDN);
        }
        mpfr_div_2ui(got, got, 224, MPFR_RNDN);
        mpfr_sub(got, got, exact, MPFR_RNDN);
        return std::fabs(mpfr_get_d(got, MPFR_RNDN));
    };
    mpfr_const_log2(exact, MPFR_RNDN);
    EXPECT_LE(distance(wide_table::wide_ln2), 0x1p-225);
    EXPECT_LE(distance(wide_log(2.0)), 0x1p-200);
    mpfr_set_ui(exact, 10, MPFR_RNDN);
    mpfr_log(exact, exact, MPFR_RNDN);
    mpfr_ui_div(exact, 1, exact, MPFR_RNDN);
    EXPECT_LE(distance(wide_table::wide_inverse_ln10), 0x1p-225);
    mpfr_clears(exact, got, static_cast<mpfr_ptr>(nullptr));
}

}  // namespace
}  // namespace vyxmath
