// The angle exports: the common sequence (unit check after the digits
// default, p1 untouched for a bad unit, status 0) and that each export
// applies its function to the argument in the right unit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "real/trig/degree_conversion.h"
#include "real/trig/hyperbolic.h"
#include "real/trig/series_cosine.h"
#include "vyxmath.h"

namespace vyxmath::testing {
namespace {

using angle_entry = std::int32_t VYX_CALL (*)(char*, const char*, std::int32_t, std::int32_t);

struct angle_export_case {
    const char* name;
    angle_entry entry;
    double (*in_radians)(double);  // the result for an argument in radians
    bool result_is_angle;          // the unit applies to the result, not the argument
};

double asin_hi(double x) { return arcsine(x).hi; }
double acos_hi(double x) { return arccosine(x).hi; }
double atan_hi(double x) { return arctangent(x).hi; }

const angle_export_case angle_exports[] = {
    {"n_sin", n_sin, sine, false},
    {"n_cos", n_cos, series_cosine, false},
    {"n_tan", n_tan, tangent, false},
    {"n_sinh", n_sinh, hyperbolic_sine, false},
    {"n_cosh", n_cosh, hyperbolic_cosine, false},
    {"n_tanh", n_tanh, hyperbolic_tangent, false},
    {"n_asin", n_asin, asin_hi, true},
    {"n_acos", n_acos, acos_hi, true},
    {"n_atan", n_atan, atan_hi, true},
};

double_double arc_value(const char* name, double x) {
    if (std::strcmp(name, "n_asin") == 0) return arcsine(x);
    if (std::strcmp(name, "n_acos") == 0) return arccosine(x);
    return arctangent(x);
}

std::string written(double value, std::int32_t digits) {
    char buffer[64];
    write_number(value, digits, buffer);
    return buffer;
}

TEST(AngleExports, UnitOtherThanZeroOrOneLeavesP1Untouched) {
    for (const angle_export_case& c : angle_exports) {
        for (std::int32_t unit : {2, -1, 1000}) {
            for (std::int32_t digits : {0, 8}) {
                char p1[32] = "untouched";
                EXPECT_EQ(c.entry(p1, "0.5", unit, digits), 0) << c.name;
                EXPECT_STREQ(p1, "untouched") << c.name << " unit " << unit;
            }
        }
    }
}

TEST(AngleExports, EachAppliesItsFunctionInTheGivenUnit) {
    const char* arguments[] = {"0.5", "-0.25", "30", "1e-5", "3"};
    for (const angle_export_case& c : angle_exports) {
        for (const char* text : arguments) {
            const double x = read_number(text);
            for (std::int32_t digits : {0, 8, 17, 3}) {
                const std::int32_t shown = digits == 0 ? 8 : digits;
                char p1[64] = "";
                EXPECT_EQ(c.entry(p1, text, 0, digits), 0);
                EXPECT_EQ(std::string(p1), written(c.in_radians(x), shown)) << c.name << " " << text;

                const double in_degrees = c.result_is_angle ? radians_to_degrees(arc_value(c.name, x))
                                                            : c.in_radians(degrees_to_radians(x));
                EXPECT_EQ(c.entry(p1, text, 1, digits), 0);
                EXPECT_EQ(std::string(p1), written(in_degrees, shown)) << c.name << " " << text << " degrees";
            }
        }
    }
}

TEST(AngleExports, TwoArgumentArcTangentReadsYFromP1) {
    const struct {
        const char* y;
        const char* x;
    } points[] = {{"1", "-1"}, {"-1", "1"}, {"0", "-0"}, {"2", "0"}, {"1e999", "1e999"}};
    for (const auto& p : points) {
        char p1[64];
        std::strcpy(p1, p.y);
        EXPECT_EQ(n_atanex(p1, p.x, 0, 12345), 0);
        EXPECT_EQ(std::string(p1), written(arctangent2(read_number(p.y), read_number(p.x)), 8)) << p.y << ", " << p.x;
    }
    char same[64] = "-3";  // the same variable as both operands: the angle of (-3, -3)
    n_atanex(same, same, 17, 0);
    EXPECT_EQ(std::string(same), written(arctangent2(-3.0, -3.0), 17));
}

}  // namespace
}  // namespace vyxmath::testing
