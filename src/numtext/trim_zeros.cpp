// trim_zeros: the fraction of written number text never ends in "0".
#include <cstring>

#include "numtext/number_layout.h"

namespace vyxmath {

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

}  // namespace vyxmath
