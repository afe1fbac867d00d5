// The hyperbolic functions, the module's own, correctly rounded: a fast phase
// (odd series for small |x|, the fast phase of e^x elsewhere) with a rounding
// test; behind it the double-double exponential (relative error below 2^-90)
// with a test of its own, the phases of e^x above |x| = 40, and the wide
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

// Whether the fast phase decides x (true also where none runs: the edge
// rules and, for sinh and cosh, |x| above 40). For the tests and the
// measurement of how often the slower phases run.
bool hyperbolic_sine_decided_fast(double x);
bool hyperbolic_cosine_decided_fast(double x);
bool hyperbolic_tangent_decided_fast(double x);

}  // namespace vyxmath
