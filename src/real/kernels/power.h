// a raised to b, with the module's own results at the edges of the domain,
// decided in this order:
//   - a NaN operand passes through (so a^NaN and NaN^0 are NaN too, 1^NaN too);
//   - b = +inf: +inf for |a| > 1, +0 for |a| < 1, NaN for |a| = 1;
//     b = -inf: +0, +inf and NaN in the same three cases;
//   - a = +inf: +inf, 1, +0 for b > 0, b = 0, b < 0; a = -inf the same, but
//     -inf and -0 when b is an odd integer;
//   - a = +-0: 1 for b = +-0, +0 for a subnormal b, +0 for b > 0, +inf for
//     b < 0 (-0 and -inf when a = -0 and b is an odd integer);
//   - a < 0 and finite: NaN unless b is an integer, then |a|^b, negated for
//     odd b;
//   - otherwise e^(b ln a) to well beyond 53 bits, rounded to the nearest
//     double; +-inf above the largest double, and below the smallest normal
//     double truncated toward zero to a multiple of 2^-1074 (0 when smaller).
// Every NaN made here (not passed through) is the default not-a-number.
#pragma once

namespace vyxmath {

double pow_kernel(double a, double b);

// The fast phase of a^b for finite a > 0 (false for b infinite or NaN): true with the
// correctly rounded a^b in `result` when it decides (normal results only),
// false when the accurate phase must. For the tests and the measurement of
// how often the accurate phase runs.
bool power_fast_phase(double a, double b, double& result);

// pow_kernel(euler_e, b), the module's e^b, without the edge cases of other
// bases.
double power_of_euler_e(double b);

}  // namespace vyxmath
