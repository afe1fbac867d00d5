#include "inputs.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace vyxmath::bench {

number_texts::number_texts(std::string name, const std::vector<std::string>& texts) : name_(std::move(name)) {
    std::size_t total = 0;
    for (const std::string& text : texts) total += text.size() + 1;
    storage_.reserve(total);
    for (const std::string& text : texts) {
        storage_ += text;
        storage_ += '\0';
    }
    // The spans are taken only now: the storage no longer moves.
    spans_.reserve(texts.size());
    const char* next = storage_.data();
    for (const std::string& text : texts) {
        spans_.push_back({next, next + text.size()});
        next += text.size() + 1;
    }
}

namespace {

// A uniform integer from [low, high] by the multiply-and-reject method that
// libstdc++'s uniform_int_distribution uses for a 64-bit generator on 64-bit
// machines, spelt out so that 32-bit builds (the Windows timing program),
// which lack the 128-bit product there, generate the very same sets.
std::uint64_t uniform(random_source& random, std::uint64_t low, std::uint64_t high) {
    const std::uint64_t range = high - low + 1;
    const auto product = [range](std::uint64_t x, std::uint64_t& product_low) {
        const std::uint64_t x0 = x & 0xFFFFFFFFu, x1 = x >> 32, r0 = range & 0xFFFFFFFFu, r1 = range >> 32;
        const std::uint64_t p00 = x0 * r0, p01 = x0 * r1, p10 = x1 * r0;
        const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
        product_low = (middle << 32) | (p00 & 0xFFFFFFFFu);
        return x1 * r1 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
    };
    std::uint64_t product_low;
    std::uint64_t result = product(random(), product_low);
    if (product_low < range) {
        const std::uint64_t threshold = (0 - range) % range;
        while (product_low < threshold) result = product(random(), product_low);
    }
    return low + result;
}

bool one_in(random_source& random, std::uint64_t n) { return uniform(random, 1, n) == 1; }

std::uint64_t power_of_ten(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

}  // namespace

double random_finite_double(random_source& random) {
    for (;;) {
        const double d = std::bit_cast<double>(random());
        if (std::isfinite(d)) return d;
    }
}

std::string random_double_text(random_source& random) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", random_finite_double(random));
    return text;
}

std::string short_decimal_text(random_source& random) {
    const int digits = static_cast<int>(uniform(random, 1, 6));
    const int decimals = static_cast<int>(uniform(random, 0, 5));
    const std::uint64_t m = uniform(random, digits == 1 ? 1 : power_of_ten(digits - 1), power_of_ten(digits) - 1);
    const std::uint64_t scale = power_of_ten(decimals);
    char text[32];
    const char* sign = one_in(random, 10) ? "-" : "";
    if (decimals == 0) {
        std::snprintf(text, sizeof text, "%s%llu", sign, static_cast<unsigned long long>(m));
    } else {
        std::snprintf(text, sizeof text, "%s%llu.%0*llu", sign, static_cast<unsigned long long>(m / scale), decimals,
                      static_cast<unsigned long long>(m % scale));
    }
    return text;
}

std::string integer_text(random_source& random) {
    const int digits = static_cast<int>(uniform(random, 1, 10));
    const std::uint64_t high = digits == 10 ? 2147483647 : power_of_ten(digits) - 1;
    const std::uint64_t n = uniform(random, digits == 1 ? 0 : power_of_ten(digits - 1), high);
    std::string text = std::to_string(n);
    if (one_in(random, 10)) text.insert(text.begin(), '-');
    return text;
}

generated_sets make_generated_sets() {
    struct generator {
        const char* name;
        std::string (*text)(random_source&);
    };
    const generator generators[] = {
        {"random_doubles_17", random_double_text},
        {"short_decimals", short_decimal_text},
        {"integers", integer_text},
    };
    generated_sets sets;
    std::uint64_t seed = 20261207;
    for (const generator& g : generators) {
        random_source random(seed++);
        std::vector<std::string> texts(generated_set_size);
        for (std::string& text : texts) text = g.text(random);
        number_values values{g.name, {}};
        values.values.reserve(texts.size());
        for (const std::string& text : texts) values.values.push_back(std::strtod(text.c_str(), nullptr));
        sets.texts.push_back(std::make_unique<number_texts>(g.name, texts));
        sets.values.push_back(std::move(values));
    }
    return sets;
}

const number_texts& generated_sets::text_set(const std::string& name) const {
    for (const auto& set : texts)
        if (set->name() == name) return *set;
    throw std::out_of_range("no generated set " + name);
}

std::unique_ptr<number_texts> read_data_file(const std::string& name, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return nullptr;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
    }
    if (lines.empty()) return nullptr;
    return std::make_unique<number_texts>(name, lines);
}

}  // namespace vyxmath::bench
