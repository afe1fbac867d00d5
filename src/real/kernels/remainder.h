// The remainder a - q b of a / b, for the whole number q that truncates a / b
// toward zero: exact, with the sign of a. Edge results:
//   - a NaN operand passes through (a's first);
//   - b = +-0, a = +-inf, or a finite with b = +-inf: the default not-a-number;
//   - a = +-0 with b finite and non-zero: +0 (the sign of a zero a is lost);
//   - a non-zero remainder of zero keeps the sign of a (-6 rem 3 is -0).
#pragma once

namespace vyxmath {

double fmod_kernel(double a, double b);

}  // namespace vyxmath
