// The two layouts of a finite record, and the marker text of one that is not.
// They write the full text, padding the record's digits with "0"s up to the
// wanted number of positions; trim_zeros then shortens the fraction.
#include <algorithm>
#include <cstring>

#include "numtext/number_layout.h"
#include "numtext/writer_rules.h"

namespace vyxmath {

namespace {

// Characters [from, from + count) of the record's digits followed by
// endless "0"s.
char* put_digits(const digit_record& record, std::int32_t from, std::int32_t count, char* out) {
    const std::int32_t available = std::clamp<std::int32_t>(record.length - from, 0, count);
    if (available > 0) std::memcpy(out, record.digits + from, static_cast<std::size_t>(available));
    std::memset(out + available, '0', static_cast<std::size_t>(count - available));
    return out + count;
}

char* put_sign(const digit_record& record, char* out) {
    if (record.sign == '-') *out++ = '-';
    return out;
}

}  // namespace

char* exponent_form(digit_record record, std::int32_t k, char* buffer) {
    cut_digits(record, k + 1);
    char* out = put_sign(record, buffer);
    *out++ = record.digits[0];
    if (k > 0) {
        *out++ = '.';
        out = put_digits(record, 1, k, out);  // a digit made by a carry beyond these is not shown
    }
    out = put_exponent_part(record.point - 1, out);
    *out = '\0';
    return out;
}

// The choice of layout is made before the cut, so a carry here can give the
// integer part one digit more than `digits` ("100000000" for 99999999.5 at
// 8 digits), or turn 0.96 at one digit into "1.0"; the fraction always keeps
// exactly k positions.
char* fixed_form(digit_record record, std::int32_t k, char* buffer) {
    cut_digits(record, k + record.point);
    char* out = put_sign(record, buffer);
    if (record.point > 0) {
        out = put_digits(record, 0, record.point, out);
    } else {
        *out++ = '0';
    }
    if (k > 0) {
        *out++ = '.';
        out = put_digits(record, record.point, k, out);
    }
    *out = '\0';
    return out;
}

// "-1.#QNAN" needs 9 bytes with its NUL; where only 8 are allowed (one digit
// or fewer) the point goes, as it does from every one-digit text, and the
// sign and the whole marker stay: "-1#QNAN".
char* marker_form(const digit_record& record, std::int64_t limit, char* buffer) {
    const bool negative = record.sign == '-';
    const bool room_for_point = (negative ? 1 : 0) + record.length + 2 <= limit;
    char* out = negative ? put_sign(record, buffer) : buffer;
    *out++ = record.digits[0];
    if (room_for_point) *out++ = '.';
    std::memcpy(out, record.digits + 1, record.length);  // the rest and its NUL
    return out + record.length - 1;
}

}  // namespace vyxmath
