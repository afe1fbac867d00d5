#include "call_line.h"

#include <cstring>

#include "translation.h"

namespace vyxmath::host {
namespace {

constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::size_t utf8_sequence_length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) {
        length = 2;
    } else if (lead < 0xF0) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead < 0xF5) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}

namespace {

// The character an escape stands for ("\\" then `c`), or 0 for none.
constexpr char escaped_character(char c) {
    switch (c) {
        case '"': return '"';
        case '\\': return '\\';
        case 'n': return '\n';
        case 't': return '\t';
        case 'r': return '\r';
        default: return '\0';
    }
}

// The quoted word opening at line[i], its escapes resolved in place (which
// only ever shortens the text) and NUL-terminated; i moves past the closing
// quote, which must end the word.
LineProblem take_quoted_word(char* line, std::size_t size, std::size_t& i, Argument& word) {
    const std::size_t opening = i++;
    std::size_t written = i;
    for (;;) {
        if (i == size) return {LineError::unbalanced_quote, opening + 1};
        const char c = line[i];
        if (c == '"') break;
        if (c != '\\') {
            line[written++] = c;
            ++i;
            continue;
        }
        if (i + 1 == size) return {LineError::unbalanced_quote, opening + 1};
        const char meant = escaped_character(line[i + 1]);
        if (meant == '\0') return {LineError::unknown_escape, i + 1};
        line[written++] = meant;
        i += 2;
    }
    ++i;  // past the closing quote
    if (i < size && !is_blank(line[i])) return {LineError::text_after_quote, i + 1};
    line[written] = '\0';
    word = {line + opening + 1, written - (opening + 1)};
    return {};
}

// The unquoted word starting at line[i], NUL-terminated in place of the
// blank behind it; i moves past that blank.
LineProblem take_plain_word(char* line, std::size_t size, std::size_t& i, Argument& word) {
    const std::size_t start = i;
    while (i < size && !is_blank(line[i])) {
        if (line[i] == '"') return {LineError::quote_inside_word, i + 1};
        ++i;
    }
    line[i] = '\0';  // the blank behind the word, or line[size]
    word = {line + start, i - start};
    if (i < size) ++i;
    return {};
}

}  // namespace

LineProblem check_text_bytes(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) return {LineError::nul_byte, nul + 1};
    return {};
}

LineProblem split_call_line(char* line, std::size_t size, CallWords& out) {
    out.count = 0;
    if (const LineProblem bad = check_text_bytes({line, size})) return bad;

    std::size_t i = 0;
    for (;;) {
        while (i < size && is_blank(line[i])) ++i;
        if (i == size || line[i] == '#') break;
        if (out.count == max_line_words) return {LineError::too_many_words, i + 1};
        Argument& word = out.words[out.count++];
        const LineProblem bad =
            line[i] == '"' ? take_quoted_word(line, size, i, word) : take_plain_word(line, size, i, word);
        if (bad) return bad;
    }
    if (out.count == 0) return {LineError::empty, 1};
    return {};
}

void describe(const LineProblem& problem, Message& out) {
    const char* format = nullptr;
    switch (problem.error) {
        case LineError::none: return;
        case LineError::empty: out.add(tr("empty line: no export named")); return;
        case LineError::nul_byte: format = tr("NUL byte at column {1}"); break;
        case LineError::unbalanced_quote: format = tr("quote not closed, opened at column {1}"); break;
        case LineError::unknown_escape: format = tr("unknown escape (use \\\" \\\\ \\n \\t \\r) at column {1}"); break;
        case LineError::text_after_quote: format = tr("text right after a closing quote at column {1}"); break;
        case LineError::quote_inside_word: format = tr("quote inside an unquoted word at column {1}"); break;
        case LineError::too_many_words:
            format = tr("too many words (an export takes at most 4 arguments) at column {1}");
            break;
    }
    Message column;
    column.add(static_cast<std::int64_t>(problem.column));
    out.add_format(format, {column.view()});
}

IntegerError parse_int32(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return IntegerError::not_an_integer;
    // Magnitudes are gathered in 64 bits and stop growing once they pass
    // 2^31, so any number of digits is judged without overflow.
    constexpr std::uint64_t limit = std::uint64_t{1} << 31;
    std::uint64_t magnitude = 0;
    bool too_large = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return IntegerError::not_an_integer;
        if (!too_large) {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
            too_large = magnitude > limit;
        }
    }
    if (too_large || magnitude > limit - (negative ? 0 : 1)) return IntegerError::out_of_range;
    const auto bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    value = static_cast<std::int32_t>(bits);
    return IntegerError::none;
}

}  // namespace vyxmath::host
