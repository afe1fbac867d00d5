// The module's own cosine: its Taylor series summed term by term until a term
// no longer changes the leading eight digits of the sum.
//
// The argument is first reduced exactly by 2 pi (the double 6.283185307179586)
// to |x| < 2 pi. Terms t_i = -t_(i-2) x^2 / (i (i + 1)) for i = 1, 3, ..., 199
// are added to the sum s, starting from t = s = 1; the sum is returned as soon
// as |s_before| * 1e-8 > |s_after - s_before|. The result is good to about ten
// significant digits (cos 1 gives 0.5403023058795627), and for every finite
// argument the loop stops after at most 16 terms. An infinite or not-a-number
// argument, for which the series cannot settle, gives the default
// not-a-number.
#pragma once

namespace vyxmath {

double series_cosine(double x);

}  // namespace vyxmath
