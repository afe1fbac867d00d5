// The data behind the accuracy pictures: a text called a half-way point is
// that point exactly (checked with MPFR), and the reader's doubles differ
// from the correctly rounded ones only where its rounding rule puts them.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>

#include "support/accuracy_plot_data.h"
#include "support/bit_stream.h"
#include "support/sanitizer_scale.h"

namespace vyxmath::test {
namespace {

using kernel_check::half_way_text;
using kernel_check::reader_differences;
using kernel_check::ReaderCounts;

// From 2^30 to 2^90 both kinds occur: below about 2^41 the half-way point
// needs more than 25 digits, above it has them all.
TEST(AccuracyPlotData, HalfWayTextIsExactExactlyWhenSaid) {
    mpfr_t half, read;
    mpfr_inits2(200, half, read, static_cast<mpfr_ptr>(nullptr));
    bit_stream random(0x4A1F);
    int exact = 0, inexact = 0;
    for (int i = 0; i < scaled_count(4000); ++i) {
        const double low = random.spread(30, 90, false);
        char text[48];
        const bool said = half_way_text(low, text);
        mpfr_set_d(half, low, MPFR_RNDN);
        mpfr_add_d(half, half, std::nextafter(low, INFINITY), MPFR_RNDN);  // exact in 200 bits
        mpfr_div_2ui(half, half, 1, MPFR_RNDN);
        mpfr_set_str(read, text, 10, MPFR_RNDN);  // a text off the point by 10^-25 stays off it
        ASSERT_EQ(said, mpfr_equal_p(read, half) != 0) << text;
        ++(said ? exact : inexact);
    }
    mpfr_clears(half, read, static_cast<mpfr_ptr>(nullptr));
    EXPECT_GT(exact, scaled_count(1000));
    EXPECT_GT(inexact, scaled_count(400));
}

TEST(AccuracyPlotData, ReaderDiffersOnlyWhereItsRulePutsIt) {
    bit_stream random(7);
    const int texts = scaled_count(400);
    // Normal doubles away from 2^52..2^67: 17 random digits read to the
    // nearest double, and no half-way point has as few as 25 digits; texts
    // next to a half-way point go below it about half the time.
    for (int e : {-300, -100, -5, 0, 5, 100, 300}) {
        const ReaderCounts c = reader_differences(e, texts, random);
        EXPECT_EQ(c.tried[0], texts);
        EXPECT_EQ(c.differ[0], 0) << e;
        EXPECT_EQ(c.tried[2], 0) << e;
        EXPECT_GT(c.differ[1], texts / 4) << e;
        EXPECT_LT(c.differ[1], texts * 3 / 4) << e;
        EXPECT_EQ(c.low[1], c.differ[1]) << e;
    }
    // At 10^20 every half-way point is an integer of 21 digits: the exact
    // ties go to the smaller magnitude, where the even double is above half
    // the time.
    const ReaderCounts ties = reader_differences(20, texts, random);
    EXPECT_EQ(ties.tried[2], texts);
    EXPECT_GT(ties.differ[2], texts / 4);
    EXPECT_LT(ties.differ[2], texts * 3 / 4);
    EXPECT_EQ(ties.low[2], ties.differ[2]);
}

}  // namespace
}  // namespace vyxmath::test
