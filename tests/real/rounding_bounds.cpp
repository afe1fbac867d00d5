// Writes a Gappa script that proves the rounding errors of the exponential's
// fast polynomial within the term its budget counts, from the same
// constants (exponential_detail.h): the evaluation in doubles, exactly as
// exponential.cpp orders it, against the same polynomial in real numbers.
// Gappa exits with a failure when it cannot prove the bound.
// Run as: vyxmath_rounding_bounds > exp.g && gappa exp.g
#include <cstdio>

#include "real/kernels/exponential_detail.h"

int main() {
    namespace ep = vyxmath::fast_exp_polynomial;
    std::printf("@rnd = float<ieee_64, ne>;\n"
                "x = rnd(x_in);\n"
                "rest = rnd(rest_in);\n"
                "x2 = rnd(x * x);\n"
                "low = rnd(x2 * rnd(%a + rnd(x * %a)));\n"
                "high = rnd(rnd(x2 * x2) * rnd(rnd(%a + rnd(x * %a)) + rnd(x2 * %a)));\n"
                "q = rnd(rnd(rest + low) + high);\n"
                "exact = rest + (x * x) * (%a + x * %a) + ((x * x) * (x * x)) * ((%a + x * %a) + (x * x) * %a);\n"
                "{ |x_in| <= %a /\\ |rest_in| <= %a -> |q - exact| <= %a }\n",
                ep::c2, ep::c3, ep::c4, ep::c5, ep::c6, ep::c2, ep::c3, ep::c4, ep::c5, ep::c6, ep::reach, ep::rest_bound,
                ep::roundings);
}
