// Constants shared by the real-valued functions, as the doubles nearest the
// mathematical values.
#pragma once

namespace vyxmath {

inline constexpr double pi = 3.141592653589793;
// Euler's number; the exponential of the module is this constant raised to a
// power, so it behaves exactly as this double does.
inline constexpr double euler_e = 2.718281828459045;

// Below this, a function that differs from x by less than |x|^3/3 (sinh,
// tanh, tan, asin, atan) rounds to x itself: the spacing of the doubles next
// to x is at least 2^-53 |x| on either side, and |x|^3/3 stays under
// 2^-55.5 |x|.
inline constexpr double identity_limit = 0x1.0p-27;

}  // namespace vyxmath
