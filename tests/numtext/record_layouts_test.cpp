// The cut to fewer digits and the trimming of fraction zeros.
#include <gtest/gtest.h>

#include <cstring>

#include "numtext/record_layouts.h"

namespace vyxmath {
namespace {

digit_record record(char sign, int point, const char* digits) { return make_record(sign, point, digits); }

TEST(CutDigits, RoundsHalfUpOnTheRecordDigits) {
    struct Case { const char* digits; int point; std::int32_t n; const char* cut; int cut_point; };
    for (const Case& c : {Case{"200000015", 1, 8, "20000002", 1},   // second rounding of 2.00000015
                          Case{"123456785", 0, 8, "12345679", 0},
                          Case{"999999995", 8, 8, "1", 9},          // carry out of the first digit
                          Case{"96", 0, 1, "1", 1},
                          Case{"1995", 3, 3, "2", 3},               // carried 9s become dropped zeros
                          Case{"1234", 2, 3, "123", 2},
                          Case{"1235", 2, 3, "124", 2},
                          Case{"10000000000000001", 0, 8, "1", 0},  // zeros behind the cut are dropped
                          Case{"14999", 1, 1, "1", 1},              // only the next digit decides
                          Case{"15", 1, 1, "2", 1},
                          Case{"12345", 5, 5, "12345", 5},
                          Case{"12345", 5, 40, "12345", 5},
                          Case{"99999999999999999", 3, 2147483647, "99999999999999999", 3}}) {
        digit_record r = record(' ', c.point, c.digits);
        cut_digits(r, c.n);
        EXPECT_STREQ(r.digits, c.cut) << c.digits << " cut to " << c.n;
        EXPECT_EQ(r.length, std::strlen(c.cut)) << c.digits;
        EXPECT_EQ(r.point, c.cut_point) << c.digits << " cut to " << c.n;
    }
}

TEST(TrimZeros, RemovesTrailingFractionZerosOnly) {
    struct Case { const char* before; const char* after; };
    for (const Case& c : {Case{"1.0000000", "1."}, Case{"0.50000000", "0.5"}, Case{"10.0", "10."},
                          Case{"1.0000000e+010", "1.e+010"}, Case{"-2.500e-100", "-2.5e-100"},
                          Case{"1.05", "1.05"}, Case{"100", "100"}, Case{"5e-002", "5e-002"},
                          Case{"1e+000", "1e+000"}, Case{"1180591620717411300000.000", "1180591620717411300000."},
                          Case{"1.#INF000", "1.#INF"}, Case{"0.", "0."}, Case{"", ""}}) {
        char text[40];
        std::strcpy(text, c.before);
        trim_zeros(text);
        EXPECT_STREQ(text, c.after) << c.before;
    }
}

}  // namespace
}  // namespace vyxmath
