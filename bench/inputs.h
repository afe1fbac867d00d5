// The inputs every conversion is timed on: generated sets of number text and
// of doubles, and number text read from data files (one number a line).
// Every generator is seeded, so each run times the same inputs.
#pragma once

#include <cstddef>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace vyxmath::bench {

// One number text: [first, last), with *last == '\0', so that readers that
// want a length and readers that want a terminator see the same bytes.
struct text_span {
    const char* first;
    const char* last;
};

// A named set of number texts, held in one block of memory in input order.
class number_texts {
public:
    number_texts(std::string name, const std::vector<std::string>& texts);
    number_texts(const number_texts&) = delete;
    number_texts& operator=(const number_texts&) = delete;

    const std::string& name() const { return name_; }
    const std::vector<text_span>& spans() const { return spans_; }

private:
    std::string name_;
    std::string storage_;
    std::vector<text_span> spans_;
};

// A named set of doubles to write.
struct number_values {
    std::string name;
    std::vector<double> values;
};

using random_source = std::mt19937_64;

// Any finite double, every exponent equally likely, at 17 significant digits.
std::string random_double_text(random_source& random);
double random_finite_double(random_source& random);
// Prices and measurements: 1 to 6 significant digits with 0 to 5 decimals
// ("12.5", "0.001", "3.14159", "199.95"), one in ten negative.
std::string short_decimal_text(random_source& random);
// Integers of 1 to 10 digits below 2^31, one in ten negative.
std::string integer_text(random_source& random);

inline constexpr std::size_t generated_set_size = 100000;

// The three generated sets, as text and as the doubles the texts name.
struct generated_sets {
    std::vector<std::unique_ptr<number_texts>> texts;
    std::vector<number_values> values;

    const number_texts& text_set(const std::string& name) const;
};
generated_sets make_generated_sets();

// The non-empty lines of `path` (a trailing "\r" removed), or nothing when
// the file cannot be read.
std::unique_ptr<number_texts> read_data_file(const std::string& name, const std::string& path);

}  // namespace vyxmath::bench
