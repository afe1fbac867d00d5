// Structural reading of a text that write_number produced, for the fuzz
// targets' checks: the sign, the significant digits and where they stand,
// and which of the two layouts the text uses. Any byte out of place makes
// the text malformed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vyxmath::fuzz {

struct WrittenText {
    bool negative = false;
    bool exponent_form = false;
    bool has_point = false;
    std::string integer_part;   // digits before the point (or before "e")
    std::string fraction_part;  // digits after the point
    int exponent = 0;           // the value of the "e+ddd" part, 0 in plain form
    // Digits from the first nonzero one to the last nonzero one; empty for 0.
    std::string significant;
    // Decimal exponent of the first nonzero digit (meaningless for 0).
    int leading_exponent = 0;
};

// Parses [-]digits[.digits][e(+|-)ddd]; nullopt when the text has any other
// shape (a "+", blanks, a two-digit exponent, a missing integer part...).
std::optional<WrittenText> parse_written_text(std::string_view text);

}  // namespace vyxmath::fuzz
