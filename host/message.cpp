#include "message.h"

#include <charconv>

namespace vyxmath::host {

Message& Message::add(std::string_view text) {
    for (char c : text) put(c);
    return *this;
}

Message& Message::add(std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return add(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

Message& Message::add_format(std::string_view format, std::initializer_list<std::string_view> values) {
    substitute(format, values, [this](std::string_view piece) { add(piece); });
    return *this;
}

Message& Message::add_quoted(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    put('"');
    const std::size_t shown = text.size() < quoted_limit ? text.size() : quoted_limit;
    for (std::size_t i = 0; i < shown; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte >= 0x7F || byte == '"' || byte == '\\') {
            put('\\');
            put('x');
            put(hex[byte >> 4]);
            put(hex[byte & 15]);
        } else {
            put(static_cast<char>(byte));
        }
    }
    put('"');
    if (shown < text.size()) add("...");
    return *this;
}

}  // namespace vyxmath::host
