// The module's square root: Newton's iteration a <- (x / a + a) * 0.5.
//   - finite x > 0: the correctly rounded root;
//   - +-0: +0 (the root of a zero is written as 0);
//   - x < 0, -inf included: the default not-a-number;
//   - +inf: +inf; a NaN passes through.
#pragma once

namespace vyxmath {

double newton_square_root(double x);

}  // namespace vyxmath
