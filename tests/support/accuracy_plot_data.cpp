#include "support/accuracy_plot_data.h"

#include <mpfr.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "real/double_double.h"
#include "real/kernels/exponential.h"
#include "real/kernels/logarithm.h"
#include "real/trig/arc.h"
#include "real/trig/circular.h"
#include "support/mpfr_reference.h"
#include "vyxmath.h"

namespace vyxmath::kernel_check {
namespace {

using mpfr_reference::angle_function;

// A fast phase's value for one argument: its relative error against the
// exact function and the bound its rounding test takes (ran is false where
// the fast phase does not run for the argument).
struct Measured {
    bool ran;
    double error;
    double bound;
};

struct FastPhase {
    const char* kernel;  // the registry's kernel whose arguments and slower phases go with it
    const char* bound_text;
    Measured (*measure)(double x);
};

// The arc functions' fast values are those of |x| (the sign is put on after).
Measured angle(angle_function f, bool (*fast_value)(double, double_double&), double x, double bound) {
    if (f == angle_function::arcsine || f == angle_function::arctangent) x = std::fabs(x);
    double_double v;
    if (!fast_value(x, v)) return {false, 0, 0};
    return {true, mpfr_reference::angle_relative_error(f, v.hi, v.lo, x), bound};
}

// ln x's value: within 2^-71 |ln x| for x in [0.6875, 1.375) and 2^-71
// absolute elsewhere, shown relative to ln x like the others.
Measured logarithm(double x) {
    double_double v;
    if (x == 1.0 || !log_fast_value(x, v)) return {false, 0, 0};
    mpfr_t exact, difference;
    mpfr_inits2(200, exact, difference, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(exact, x, MPFR_RNDN);
    mpfr_log(exact, exact, MPFR_RNDN);
    mpfr_sub_d(difference, exact, v.hi, MPFR_RNDN);
    mpfr_sub_d(difference, difference, v.lo, MPFR_RNDN);
    mpfr_div(difference, difference, exact, MPFR_RNDN);
    const double error = std::fabs(mpfr_get_d(difference, MPFR_RNDN));
    const double ln = std::fabs(mpfr_get_d(exact, MPFR_RNDN));
    mpfr_clears(exact, difference, static_cast<mpfr_ptr>(nullptr));
    const bool near_one = x >= 0.6875 && x < 1.375;
    return {true, error, near_one ? 0x1p-71 : 0x1p-71 / ln};
}

double exp_error(const exp_unrounded& v, double y) {
    return mpfr_reference::exp_relative_error(v.hi, v.lo, v.binade, y, 0.0);
}

const FastPhase fast_phases[] = {
    {"exp", "2^-68", [](double x) { return Measured{true, exp_error(exp_fast_value(x, 0.0), x), 0x1p-68}; }},
    {"log", "2^-71 of ln x near 1, 2^-71 absolute elsewhere", logarithm},
    {"sin", "2^-65.92",
     [](double x) { return angle(angle_function::sine, sine_fast_value, x, std::exp2(-65.92)); }},
    {"cos", "2^-65.92",
     [](double x) { return angle(angle_function::cosine, cosine_fast_value, x, std::exp2(-65.92)); }},
    {"tan", "2^-66.13",
     [](double x) { return angle(angle_function::tangent, tangent_fast_value, x, std::exp2(-66.13)); }},
    {"asin", "2^-65.5",
     [](double x) { return angle(angle_function::arcsine, arcsine_fast_value, x, std::exp2(-65.5)); }},
    {"atan", "2^-66.7 up to 1, 2^-67.6 from 1 to 4",
     [](double x) {
         return angle(angle_function::arctangent, arctangent_fast_value, x,
                      std::fabs(x) <= 1.0 ? std::exp2(-66.7) : std::exp2(-67.6));
     }},
    // sinh and cosh share one fast value, the pair e^x, e^-x: the worse of the two.
    {"sinh", "2^-68 for e^x and e^-x",
     [](double x) {
         const exp_unrounded_pair pair = exp_pair_fast_value(x);
         return Measured{true, std::max(exp_error(pair.up, x), exp_error(pair.down, -x)), 0x1p-68};
     }},
};

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void write_tallies(std::FILE* out, const std::vector<LongRunTally>& tallies) {
    std::fprintf(out, "\"tallies\": [\n");
    for (std::size_t i = 0; i < tallies.size(); ++i) {
        const LongRunTally& t = tallies[i];
        std::fprintf(out, "{\"name\": \"%s\", \"tried\": %lld, \"mismatches\": %lld, \"accurate_phase\": %lld, "
                          "\"fast_phase\": %s}%s\n",
                     t.name.c_str(), static_cast<long long>(t.random.tried),
                     static_cast<long long>(t.random.mismatches), static_cast<long long>(t.random.accurate_phase),
                     t.has_fast_phase ? "true" : "false", i + 1 < tallies.size() ? "," : "");
    }
    std::fprintf(out, "],\n");
}

void write_fast_phases(std::FILE* out, int samples, std::uint64_t seed) {
    std::fprintf(out, "\"fast_phases\": [\n");
    for (std::size_t k = 0; k < std::size(fast_phases); ++k) {
        const FastPhase& phase = fast_phases[k];
        const Kernel* kernel = find_kernel(phase.kernel);
        test::bit_stream random(seed + k);
        std::fprintf(out, "{\"name\": \"%s\", \"bound\": \"%s\", \"samples\": [", phase.kernel, phase.bound_text);
        const char* separator = "";
        for (int i = 0; i < samples; ++i) {
            const Arguments a = kernel->draw(random);
            const Measured m = phase.measure(a.x);
            if (!m.ran) continue;
            std::fprintf(out, "%s\n[%.17g, %.6g, %.6g, %d]", separator, a.x, m.error, m.bound,
                         kernel->takes_accurate_phase(a) ? 1 : 0);
            separator = ",";
        }
        std::fprintf(out, "]}%s\n", k + 1 < std::size(fast_phases) ? "," : "");
    }
    std::fprintf(out, "],\n");
}

}  // namespace

ReaderCounts reader_differences(int decimal_exponent, int texts, test::bit_stream& random) {
    ReaderCounts counts;
    const auto count = [&](int kind, const char* text) {
        ++counts.tried[kind];
        const double got = read_number(text), nearest = std::strtod(text, nullptr);
        if (same_bits(got, nearest)) return;
        ++counts.differ[kind];
        if (std::fabs(got) < std::fabs(nearest)) ++counts.low[kind];
    };
    for (int i = 0; i < texts; ++i) {
        char digits[17];
        digits[0] = static_cast<char>('1' + random.next() % 9);
        for (int j = 1; j < 17; ++j) digits[j] = static_cast<char>('0' + random.next() % 10);
        char text[48];
        std::snprintf(text, sizeof text, "%c.%.16se%d", digits[0], digits + 1, decimal_exponent);
        count(0, text);
        const double low = std::strtod(text, nullptr);
        if (!(low > 0.0) || !std::isfinite(std::nextafter(low, INFINITY))) continue;
        char near[48];
        const bool exact = half_way_text(low, near);
        count(1, near);
        if (exact) count(2, near);
    }
    return counts;
}

bool half_way_text(double low, char (&text)[48]) {
    // The half-way point is exact in the 64-bit significand of long double,
    // and printf writes its decimal digits exactly.
    const long double half = (static_cast<long double>(low) + std::nextafter(low, INFINITY)) / 2;
    std::snprintf(text, sizeof text, "%.24Le", half);
    // Exact when every digit after the 25th significant one is 0 (the
    // expansion of a half-way point that is not, runs on to its last digit).
    char longer[96];
    std::snprintf(longer, sizeof longer, "%.70Le", half);
    const char* after = longer + 2 + 24;
    return std::all_of(after, after + 46, [](char c) { return c == '0'; });
}

void write_plot_data(std::FILE* out, const std::vector<LongRunTally>& tallies, int samples, int texts_per_exponent,
                     std::uint64_t seed) {
    char date[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S+00:00", std::gmtime(&now));
    std::fprintf(out, "{\n\"context\": {\"date\": \"%s\", \"compiler\": \"g++ %s\", \"seed\": %llu, "
                      "\"samples\": %d, \"texts_per_exponent\": %d},\n",
                 date, __VERSION__, static_cast<unsigned long long>(seed), samples, texts_per_exponent);
    write_tallies(out, tallies);
    write_fast_phases(out, samples, seed);
    std::fprintf(out, "\"reader\": [\n");
    test::bit_stream random(seed);
    for (int e = -323; e <= 308; ++e) {
        const ReaderCounts c = reader_differences(e, texts_per_exponent, random);
        std::fprintf(out, "{\"exponent\": %d", e);
        for (const auto& [key, values] : {std::pair{"tried", c.tried}, {"differ", c.differ}, {"low", c.low}})
            std::fprintf(out, ", \"%s\": [%lld, %lld, %lld]", key, static_cast<long long>(values[0]),
                         static_cast<long long>(values[1]), static_cast<long long>(values[2]));
        std::fprintf(out, "}%s\n", e < 308 ? "," : "");
    }
    std::fprintf(out, "]\n}\n");
}

}  // namespace vyxmath::kernel_check
