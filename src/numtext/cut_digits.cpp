// cut_digits: rounding a digit record half up to fewer significant digits.
#include "numtext/number_layout.h"

namespace vyxmath {

// The decision looks at the single digit behind the cut, so the value is
// rounded a second time, after the 17-digit rounding of decimal_digits:
// 2.0000001499999999766 has the 17 digits 20000001500000000 and cuts to
// 2.0000002 at 8 digits.
void cut_digits(digit_record& record, std::int32_t n) {
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

}  // namespace vyxmath
