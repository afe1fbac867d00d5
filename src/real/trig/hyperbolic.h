// The hyperbolic functions, the module's own, correctly rounded: from the
// double-double exponential (relative error below 2^-90) where a rounding
// test decides, from the phases of e^x above |x| = 40, and from the wide
// evaluation for the rest.
//
// Edge results:
//   sinh: +-0 -> +-0, +-inf -> +-inf, overflow (|x| above about 710.4759)
//         -> +-inf
//   cosh: +-0 -> 1, +-inf and overflow -> +inf
//   tanh: +-0 -> +-0; |x| >= tanh_unit_threshold (infinities too) -> exactly
//         +-1
//   a NaN passes through.
#pragma once

namespace vyxmath {

// The double 19.06154747 (0x1.30fc19332cd32p+4), the smallest at or above the
// decimal value. Correctly rounded, tanh is 1 already from 55 ln 2 / 2 =
// 19.0615474653984..., so the rule agrees with the rounding on both sides.
inline constexpr double tanh_unit_threshold = 0x1.30fc19332cd32p+4;

double hyperbolic_sine(double x);
double hyperbolic_cosine(double x);
double hyperbolic_tangent(double x);

}  // namespace vyxmath
