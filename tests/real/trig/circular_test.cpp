// The sine, cosine and tangent: edge results, correct rounding against the
// exact reference, and the arguments of 2^63 and more.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "common/ieee_double.h"
#include "real/trig/angle_reduction.h"
#include "real/trig/circular.h"
#include "support/accuracy.h"
#include "support/bit_stream.h"
#include "support/edge_results.h"

namespace vyxmath::test {
namespace {

const double nan_with_payload = from_bits(0x7FF8000000001234u);

const edge_case edge_cases[] = {
    {"sin +0", sine, 0.0, 0.0},
    {"sin -0", sine, -0.0, -0.0},
    {"sin +inf", sine, inf, default_nan()},
    {"sin -inf", sine, -inf, default_nan()},
    {"sin nan", sine, nan_with_payload, nan_with_payload},
    {"sin smallest subnormal", sine, 0x1.0p-1074, 0x1.0p-1074},
    {"sin -2^-28", sine, -0x1.0p-28, -0x1.0p-28},
    {"tan +0", tangent, 0.0, 0.0},
    {"tan -0", tangent, -0.0, -0.0},
    {"tan +inf", tangent, inf, default_nan()},
    {"tan -inf", tangent, -inf, default_nan()},
    {"tan nan", tangent, nan_with_payload, nan_with_payload},
    {"tan -smallest subnormal", tangent, -0x1.0p-1074, -0x1.0p-1074},
};

TEST(Circular, EdgeResults) { expect_edge_results(edge_cases); }

const function_pair angle_functions[] = {
    {"sin", sine, mpfr_reference::sin},
    {"cos", cosine, mpfr_reference::cos},
    {"tan", tangent, mpfr_reference::tan},
};

// Near the multiples of pi/2 the result comes from a remainder that lost most
// of its leading bits to cancellation: numerators of close fractions for pi,
// scaled, and the doubles nearest k pi/2.
std::vector<double> near_multiples_of_half_pi() {
    std::vector<double> arguments;
    const double numerators[] = {355.0, 103993.0, 833719.0, 4272943.0, 80143857.0, 1068966896.0,
                                 6167950454.0, 21053343141.0, 3587785776203.0, 139755218526789.0,
                                 5706674932067741.0, 6134899525417045.0};
    for (double p : numerators)
        for (int k = 0; k < 10; ++k)
            for (double x : {std::ldexp(p, k), std::nextafter(std::ldexp(p, k), 0.0), 0.5 * p}) arguments.push_back(x);
    const double half_pi_multiples[] = {0x1.921fb54442d18p+0, 0x1.921fb54442d18p+1, 0x1.2d97c7f3321d2p+2,
                                        0x1.921fb54442d18p+2, 0x1.921fb54442d18p+10};
    for (double x : half_pi_multiples)
        for (double v : {x, std::nextafter(x, 0.0), std::nextafter(x, 10.0 * x)}) arguments.push_back(v);
    return arguments;
}

TEST(Circular, CorrectlyRounded) {
    accuracy_records records(angle_functions);
    bit_stream source(11);
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.uniform(-8.0, 8.0));
    for (int i = 0; i < scaled_count(20000); ++i) records.add(source.spread(-40, 63, true));
    for (double x : near_multiples_of_half_pi()) records.add(x);
    records.check();
}

// From 2^63 on the argument is replaced by its remainder modulo pi * 2^62
// held to 64 bits; the reference takes the function of that remainder.
TEST(Circular, ArgumentsOf2To63AndMore) {
    accuracy_record sin_record("sin of |x| >= 2^63");
    accuracy_record tan_record("tan of |x| >= 2^63");
    bit_stream source(13);
    for (int i = 0; i < scaled_count(5000); ++i) {
        const double x = i == 0 ? 0x1.0p63 : i == 1 ? -0x1.fffffffffffffp1023 : source.spread(63, 1024, true);
        sin_record.add(x, sine(x), mpfr_reference::sin_of_remainder(x, large_argument_period));
        tan_record.add(x, tangent(x), mpfr_reference::tan_of_remainder(x, large_argument_period));
    }
    sin_record.check();
    tan_record.check();
    // The remainder by the 64-bit period is not the true angle: at 2^63 the
    // result differs from the sine of 2^63 itself.
    EXPECT_NE(sine(0x1.0p63), mpfr_reference::sin(0x1.0p63));
}

// The fast phases' values before rounding against the exact functions: the
// relative error must stay within the budget summed beside the code, which
// their rounding tests take with a margin. Uniform arguments on (-pi, pi) and below 2^20,
// arguments just off the multiples of the steps pi/512 and pi/1024, whose
// small remainders weigh the reduction's absolute errors most, and small
// ones, which the series near 0 takes.
TEST(Circular, FastValuesWithinTheirBounds) {
    using mpfr_reference::angle_function;
    struct Row {
        const char* name;
        angle_function function;
        bool (*fast_value)(double, double_double&);
        double bound;
        double step;
    };
    const Row rows[] = {
        {"sin", angle_function::sine, sine_fast_value, sine_fast_value_error, 0x1.921fb54442d18p-8},
        {"cos", angle_function::cosine, cosine_fast_value, sine_fast_value_error, 0x1.921fb54442d18p-8},
        {"tan", angle_function::tangent, tangent_fast_value, tangent_fast_value_error, 0x1.921fb54442d18p-9},
    };
    bit_stream source(0x5EC7u);
    for (const Row& row : rows) {
        double worst = 0.0;
        int tried = 0;
        for (int i = 0; i < scaled_count(30000); ++i) {
            const double multiple = std::floor(source.uniform(-0x1.0p20, 0x1.0p20) / row.step) * row.step;
            const double arguments[] = {source.uniform(-3.2, 3.2), source.uniform(-0x1.0p20, 0x1.0p20),
                                        multiple + std::ldexp(source.uniform(-1.0, 1.0), source.between(-40, -20)),
                                        std::ldexp(source.uniform(-1.0, 1.0), source.between(-28, -8))};
            for (double x : arguments) {
                double_double v;
                if (!row.fast_value(x, v)) continue;
                ++tried;
                worst = std::max(worst, mpfr_reference::angle_relative_error(row.function, v.hi, v.lo, x) / row.bound);
            }
        }
        std::printf("[ budget   ] fast %s value   worst 2^%.2f of its budget\n", row.name, std::log2(worst));
        EXPECT_GT(tried, scaled_count(80000));
        EXPECT_LT(worst, 1.0) << row.name;
    }
}

}  // namespace
}  // namespace vyxmath::test
