// A one-line diagnostic built in a fixed buffer, so that reporting a bad call
// allocates nothing. Text beyond the capacity is dropped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace vyxmath::host {

// Writes `format` through `put` with {1}..{9} replaced by the texts given
// (a placeholder without a text stays as it is).
template <class Put>
void substitute(std::string_view format, std::initializer_list<std::string_view> values, Put&& put) {
    std::size_t start = 0;
    for (std::size_t i = 0; i + 2 < format.size(); ++i) {
        if (format[i] != '{' || format[i + 1] < '1' || format[i + 1] > '9' || format[i + 2] != '}') continue;
        const auto index = static_cast<std::size_t>(format[i + 1] - '1');
        if (index >= values.size()) continue;
        put(format.substr(start, i - start));
        put(values.begin()[index]);
        start = i + 3;
        i += 2;
    }
    put(format.substr(start));
}

class Message {
public:
    static constexpr std::size_t capacity = 320;
    // Longest piece of user text that add_quoted shows before "...".
    static constexpr std::size_t quoted_limit = 40;

    void clear() { size_ = 0; }
    bool empty() const { return size_ == 0; }
    std::string_view view() const { return {text_.data(), size_}; }

    Message& add(std::string_view text);
    Message& add(std::int64_t value);
    // `format` with {1}..{9} replaced by the texts given, in any order.
    Message& add_format(std::string_view format, std::initializer_list<std::string_view> values);
    // User text in double quotes, cut to quoted_limit bytes; bytes that could
    // break the line or the terminal (controls, '"', '\\', non-ASCII) are
    // shown as \xHH.
    Message& add_quoted(std::string_view text);

private:
    void put(char c) {
        if (size_ < capacity) text_[size_++] = c;
    }
    std::array<char, capacity> text_{};
    std::size_t size_ = 0;
};

}  // namespace vyxmath::host
