// Constants shared by the real-valued functions, as the doubles nearest the
// mathematical values.
#pragma once

namespace vyxmath {

inline constexpr double pi = 3.141592653589793;
// Euler's number; the exponential of the module is this constant raised to a
// power, so it behaves exactly as this double does.
inline constexpr double euler_e = 2.718281828459045;

}  // namespace vyxmath
