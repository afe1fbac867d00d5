#include "call_record.h"

#include <charconv>

namespace vyxmath::host {
namespace {

// The letter of the escape that stands for `c` in call lines and TSV, or 0.
constexpr char escape_letter(char c) {
    switch (c) {
        case '"': return '"';
        case '\\': return '\\';
        case '\n': return 'n';
        case '\r': return 'r';
        case '\t': return 't';
        default: return '\0';
    }
}

void append_number(std::int64_t value, std::string& out) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// A TSV field: tab, line breaks and backslash escaped, quotes as they are.
void append_tsv_field(std::string_view text, std::string& out) {
    for (char c : text) {
        const char letter = c == '"' ? '\0' : escape_letter(c);
        if (letter != '\0') {
            out += '\\';
            out += letter;
        } else {
            out += c;
        }
    }
}

// A word as a call line writes it: quoted when it is empty, holds a blank,
// a quote, a backslash or a line break, or would start a comment.
void append_call_word(std::string_view word, std::string& out) {
    bool plain = !word.empty() && word.front() != '#';
    for (char c : word) plain = plain && c != ' ' && escape_letter(c) == '\0';
    if (plain) {
        out += word;
        return;
    }
    out += '"';
    for (char c : word) {
        const char letter = escape_letter(c);
        if (letter != '\0') out += '\\';
        out += letter != '\0' ? letter : c;
    }
    out += '"';
}

void append_json_string(std::string_view text, std::string& out) {
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            const std::size_t length = utf8_sequence_length(text, i);
            if (length > 0) {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
        }
        if (const char letter = escape_letter(static_cast<char>(byte)); letter != '\0') {
            out += '\\';
            out += letter;
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += static_cast<char>(byte);
        }
        ++i;
    }
    out += '"';
}

void append_tsv(const CallRecord& r, std::string& out) {
    append_tsv_field(r.export_name, out);
    out += '\t';
    // The call-line form escapes tabs and line breaks itself.
    for (std::size_t i = 0; i < r.arguments.size(); ++i) {
        if (i > 0) out += ' ';
        append_call_word(r.arguments[i].view(), out);
    }
    out += '\t';
    if (!r.error.empty()) {
        out += "\terror\t";
        append_tsv_field(r.error, out);
        return;
    }
    append_tsv_field(r.p1, out);
    out += '\t';
    append_number(r.status, out);
    out += '\t';
    bool first = true;
    for (const Message& note : r.warnings) {
        if (!first) out += "; ";
        first = false;
        append_tsv_field(note.view(), out);
    }
}

void append_json(const CallRecord& r, std::string& out) {
    out += "{\"export\":";
    append_json_string(r.export_name, out);
    out += ",\"arguments\":[";
    for (std::size_t i = 0; i < r.arguments.size(); ++i) {
        if (i > 0) out += ',';
        append_json_string(r.arguments[i].view(), out);
    }
    out += ']';
    if (!r.error.empty()) {
        out += ",\"error\":";
        append_json_string(r.error, out);
        out += '}';
        return;
    }
    out += ",\"p1\":";
    append_json_string(r.p1, out);
    out += ",\"status\":";
    append_number(r.status, out);
    out += ",\"warnings\":[";
    for (std::size_t i = 0; i < r.warnings.size(); ++i) {
        if (i > 0) out += ',';
        append_json_string(r.warnings[i].view(), out);
    }
    out += "]}";
}

}  // namespace

void append_record(OutputFormat format, const CallRecord& record, std::string& out) {
    switch (format) {
        case OutputFormat::plain: out += record.error.empty() ? record.p1 : record.error; return;
        case OutputFormat::tsv: append_tsv(record, out); return;
        case OutputFormat::json: append_json(record, out); return;
    }
}

}  // namespace vyxmath::host
