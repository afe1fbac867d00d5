// Writes call lines for the host's batch mode, one call a line, to standard
// output: vyxmath_batch_calls KIND COUNT, where KIND is
//   n_tasu     additions of two short decimals ("n_tasu 12.5 0.001")
//   n_tasu_17  additions of two doubles written at 17 digits
//   mixed      every export, weighted as a script might call them, with
//              arguments that keep each call's own loops short
// The same KIND and COUNT always give the same lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "inputs.h"

namespace {

using vyxmath::bench::random_source;

std::int64_t between(random_source& random, std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random);
}

std::string decimal(random_source& random) { return vyxmath::bench::short_decimal_text(random); }

// A decimal with 0 to 4 decimals in [low, high].
std::string decimal_in(random_source& random, double low, double high) {
    const std::int64_t scale = 10000;
    const std::int64_t units = between(random, static_cast<std::int64_t>(low * scale), static_cast<std::int64_t>(high * scale));
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", static_cast<int>(between(random, 0, 4)), static_cast<double>(units) / scale);
    return text;
}

std::string integer(random_source& random, std::int64_t low, std::int64_t high) {
    return std::to_string(between(random, low, high));
}

std::string unit(random_source& random) { return between(random, 0, 3) == 0 ? " 1" : ""; }

// One row per export: its weight among the mixed calls and its line.
struct call_kind {
    int weight;
    std::string (*line)(random_source&);
};

const call_kind mixed_calls[] = {
    {14, [](random_source& r) { return "n_tasu " + decimal(r) + " " + decimal(r); }},
    {10, [](random_source& r) { return "n_hiku " + decimal(r) + " " + decimal(r); }},
    {10, [](random_source& r) { return "n_kakeru " + decimal(r) + " " + decimal(r); }},
    {8, [](random_source& r) { return "n_waru " + decimal(r) + " " + decimal(r); }},
    {2, [](random_source& r) { return "n_fmod " + decimal(r) + " " + decimal(r); }},
    {2, [](random_source& r) { return "n_bitsft " + integer(r, -100000, 100000) + " " + integer(r, 0, 31) + " " + integer(r, 0, 1); }},
    {4, [](random_source& r) { return "n_sqrt " + decimal_in(r, 0, 10000); }},
    {4, [](random_source& r) { return "n_sin " + decimal_in(r, -360, 360) + unit(r); }},
    {1, [](random_source& r) { return "n_asin " + decimal_in(r, -1, 1) + unit(r); }},
    {1, [](random_source& r) { return "n_sinh " + decimal_in(r, -20, 20); }},
    {4, [](random_source& r) { return "n_cos " + decimal_in(r, -360, 360) + unit(r); }},
    {1, [](random_source& r) { return "n_acos " + decimal_in(r, -1, 1) + unit(r); }},
    {1, [](random_source& r) { return "n_cosh " + decimal_in(r, -20, 20); }},
    {2, [](random_source& r) { return "n_tan " + decimal_in(r, -80, 80) + unit(r); }},
    {1, [](random_source& r) { return "n_atanex " + decimal(r) + " " + decimal(r); }},
    {2, [](random_source& r) { return "n_atan " + decimal(r) + unit(r); }},
    {1, [](random_source& r) { return "n_tanh " + decimal_in(r, -5, 5); }},
    {2, [](random_source& r) { return "n_ceil " + decimal(r); }},
    {2, [](random_source& r) { return "n_floor " + decimal(r); }},
    {1, [](random_source& r) { return "n_circle " + decimal_in(r, 0, 1000); }},
    {1, [](random_source& r) { return "n_rand " + integer(r, -32767, 32767); }},
    {2, [](random_source& r) { return "n_fabs " + decimal(r); }},
    {2, [](random_source& r) { return "n_ln " + decimal_in(r, 0.001, 100000); }},
    {2, [](random_source& r) { return "n_log " + decimal_in(r, 0.001, 100000); }},
    {2, [](random_source& r) { return "n_pow " + decimal_in(r, 0, 100) + " " + decimal_in(r, -4, 4); }},
    {1, [](random_source& r) { return "n_kaijo " + integer(r, 0, 20); }},
    {1, [](random_source& r) { return "n_fib " + integer(r, 0, 46); }},
    {2, [](random_source& r) { return "n_gcd " + integer(r, 1, 1000000) + " " + integer(r, 1, 1000000); }},
    {1, [](random_source& r) { return "n_poisson " + decimal_in(r, 0.5, 10) + " " + integer(r, 0, 12); }},
    {1, [](random_source& r) { return "n_seikibunpu " + decimal_in(r, -0.9, 3); }},
    {1, [](random_source& r) { return "n_comb " + integer(r, 0, 60) + " " + integer(r, 0, 20); }},
    {1, [](random_source& r) { return "n_perm " + integer(r, 0, 30) + " " + integer(r, 0, 10); }},
    {2, [](random_source& r) { return "n_exp " + decimal_in(r, -50, 50); }},
    {2, [](random_source& r) { return "n_sosu " + integer(r, 2, 2147483647); }},
    {1, [](random_source& r) { return "n_lcm " + integer(r, 1, 40000) + " " + integer(r, 1, 40000); }},
};

std::string mixed_call(random_source& random) {
    int total = 0;
    for (const call_kind& kind : mixed_calls) total += kind.weight;
    std::int64_t pick = between(random, 0, total - 1);
    for (const call_kind& kind : mixed_calls) {
        if (pick < kind.weight) return kind.line(random);
        pick -= kind.weight;
    }
    return {};
}

int usage() {
    std::fputs("usage: vyxmath_batch_calls n_tasu|n_tasu_17|mixed COUNT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    std::string (*line)(random_source&) = nullptr;
    if (std::strcmp(argv[1], "n_tasu") == 0) {
        line = [](random_source& r) { return "n_tasu " + decimal(r) + " " + decimal(r); };
    } else if (std::strcmp(argv[1], "n_tasu_17") == 0) {
        line = [](random_source& r) {
            return "n_tasu " + vyxmath::bench::random_double_text(r) + " " + vyxmath::bench::random_double_text(r);
        };
    } else if (std::strcmp(argv[1], "mixed") == 0) {
        line = mixed_call;
    } else {
        return usage();
    }
    char* end = nullptr;
    const unsigned long long count = std::strtoull(argv[2], &end, 10);
    if (*argv[2] == '\0' || *end != '\0') return usage();

    random_source random(1000003);
    std::string block;
    for (unsigned long long i = 0; i < count; ++i) {
        block += line(random);
        block += '\n';
        if (block.size() >= (1 << 16)) {
            std::fwrite(block.data(), 1, block.size(), stdout);
            block.clear();
        }
    }
    std::fwrite(block.data(), 1, block.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
