// A one-line diagnostic built in a fixed buffer, so that reporting a bad call
// allocates nothing. Text beyond the capacity is dropped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vyxmath::host {

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
