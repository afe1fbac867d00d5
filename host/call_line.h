// The text form of a call: words separated by blanks, the first naming the
// export and the others its arguments. A word with blanks is written in
// double quotes, where \" \\ \n \t and \r stand for one character each; ""
// is the empty text. An unquoted word starting with "#" begins a comment that
// runs to the end of the line. Integer arguments are decimal with an optional
// sign. The text is 8-bit: every byte but NUL is passed on as it is, since
// the module reads any 8-bit text (a 0xA0 byte is one of its blanks).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host_limits.h"
#include "message.h"

namespace vyxmath::host {

// One word of a call: NUL-terminated text, so that it can be handed to the
// module as a text variable as it is.
struct Argument {
    const char* text;
    std::size_t size;
    std::string_view view() const { return {text, size}; }
};

struct CallWords {
    std::array<Argument, max_line_words> words;
    std::size_t count = 0;
};

enum class LineError {
    none,
    empty,
    nul_byte,
    unbalanced_quote,
    unknown_escape,
    text_after_quote,
    quote_inside_word,
    too_many_words,
};

struct LineProblem {
    LineError error = LineError::none;
    std::size_t column = 0;  // 1-based byte column where the problem starts
    explicit operator bool() const { return error != LineError::none; }
};

// The first NUL byte in `text`, if any: the one byte a NUL-terminated text
// variable cannot hold.
LineProblem check_text_bytes(std::string_view text);

// Length of the well-formed UTF-8 sequence starting at text[i], or 0 when it
// is malformed (stray continuation byte, overlong form, surrogate, a value
// beyond U+10FFFF, or a sequence cut short). For output formats that must
// be Unicode.
std::size_t utf8_sequence_length(std::string_view text, std::size_t i);

// Splits line[0, size) into words in place: quotes and escapes are resolved
// and every word is NUL-terminated inside the line. line[size] must be
// writable (it may receive a NUL). The line holds no line break.
LineProblem split_call_line(char* line, std::size_t size, CallWords& out);

void describe(const LineProblem& problem, Message& out);

enum class IntegerError { none, not_an_integer, out_of_range };

// Decimal 32-bit signed integer: optional '+' or '-', then one or more digits.
IntegerError parse_int32(std::string_view text, std::int32_t& value);

}  // namespace vyxmath::host
