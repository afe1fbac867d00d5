// Rounding a double to an integral value toward +infinity (ceiling) or
// -infinity (floor), exactly, by clearing fraction bits of the bit pattern.
// Integral values, infinities and not-a-number values come back unchanged;
// the sign of zero is kept, and ceiling of a value in (-1, 0) is -0.
#pragma once

namespace vyxmath {

double round_toward_positive(double value);
double round_toward_negative(double value);

}  // namespace vyxmath
