#include "written_text.h"

#include <cstddef>

namespace vyxmath::fuzz {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view take_digits(std::string_view& rest) {
    std::size_t n = 0;
    while (n < rest.size() && is_digit(rest[n])) ++n;
    const std::string_view run = rest.substr(0, n);
    rest.remove_prefix(n);
    return run;
}

}  // namespace

std::optional<WrittenText> parse_written_text(std::string_view rest) {
    WrittenText w;
    if (!rest.empty() && rest.front() == '-') {
        w.negative = true;
        rest.remove_prefix(1);
    }
    w.integer_part = take_digits(rest);
    if (w.integer_part.empty()) return std::nullopt;
    if (!rest.empty() && rest.front() == '.') {
        w.has_point = true;
        rest.remove_prefix(1);
        w.fraction_part = take_digits(rest);
    }
    if (!rest.empty() && rest.front() == 'e') {
        w.exponent_form = true;
        rest.remove_prefix(1);
        if (rest.empty() || (rest.front() != '+' && rest.front() != '-')) return std::nullopt;
        const bool negative_exponent = rest.front() == '-';
        rest.remove_prefix(1);
        const std::string_view e = take_digits(rest);
        if (e.size() != 3) return std::nullopt;
        w.exponent = (e[0] - '0') * 100 + (e[1] - '0') * 10 + (e[2] - '0');
        if (negative_exponent) w.exponent = -w.exponent;
    }
    if (!rest.empty()) return std::nullopt;

    const std::string all = w.integer_part + w.fraction_part;
    const std::size_t first = all.find_first_not_of('0');
    if (first != std::string::npos) {
        const std::size_t last = all.find_last_not_of('0');
        w.significant = all.substr(first, last - first + 1);
        // The digit at index i of `all` stands for 10^(integer digits - 1 - i).
        w.leading_exponent = static_cast<int>(w.integer_part.size()) - 1 - static_cast<int>(first) + w.exponent;
    }
    return w;
}

}  // namespace vyxmath::fuzz
