// The steps of writing a digit record as number text: the cut to the wanted
// number of significant digits, the two layouts of a finite record and the
// marker text of one that is not, and the removal of trailing fraction
// zeros. The layouts write the full text, padding the record's digits with
// "0"s up to the wanted number of positions; trim_zeros then shortens the
// fraction.
#include "numtext/record_layouts.h"

#include <cassert>
#include <algorithm>
#include <cstring>

#include "numtext/writer_rules.h"

namespace vyxmath {

// The decision looks at the single digit behind the cut, so the value is
// rounded a second time, after the 17-digit rounding of decimal_digits:
// 2.0000001499999999766 has the 17 digits 20000001500000000 and cuts to
// 2.0000002 at 8 digits.
void cut_digits(digit_record& record, std::int32_t n) {
    assert(n >= 1);
    if (n >= record.length) return;  // nothing behind the cut: already exact
    int kept = n;
    if (record.digits[n] >= '5') {
        while (kept > 0 && record.digits[kept - 1] == '9') --kept;  // 9s carried become 0s, dropped
        if (kept == 0) {
            record.digits[0] = '1';
            kept = 1;
            record.point = static_cast<std::int16_t>(record.point + 1);
        } else {
            ++record.digits[kept - 1];
        }
    } else {
        while (record.digits[kept - 1] == '0') --kept;  // stops at the nonzero first digit
    }
    record.digits[kept] = '\0';
    record.length = static_cast<std::uint8_t>(kept);
}

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

// Text without a point (an integer laid out with no fraction positions, or
// the one-digit exponent form) is left alone: its zeros are significant.
void trim_zeros(char* text) {
    char* const point = std::strchr(text, '.');
    if (point == nullptr) return;
    char* fraction_end = point + 1;
    while (*fraction_end != '\0' && *fraction_end != 'e') ++fraction_end;
    char* kept_end = fraction_end;
    while (kept_end > point + 1 && kept_end[-1] == '0') --kept_end;
    if (kept_end != fraction_end) std::memmove(kept_end, fraction_end, std::strlen(fraction_end) + 1);
}

void write_record(const digit_record& record, std::int32_t digits, char* buffer) {
    if (record.is_marker()) {
        marker_form(record, static_cast<std::int64_t>(written_text_bound(digits)), buffer);
        return;
    }
    if (uses_exponent_form(record.point, digits)) {
        exponent_form(record, digits - 1, buffer);
    } else {
        fixed_form(record, digits - record.point, buffer);
    }
    trim_zeros(buffer);
}

}  // namespace vyxmath
