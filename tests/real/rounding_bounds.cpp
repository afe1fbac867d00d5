// Writes a Gappa script that proves the rounding errors of the fast phases'
// polynomials within the terms their budgets count, from the same constants
// (the *_detail.h headers): each evaluation in doubles, in the order the
// code takes, against the same polynomial in real numbers. Gappa exits with
// a failure when it cannot prove a bound. Run as:
// vyxmath_rounding_bounds | gappa
#include <cstdio>

#include "real/kernels/exponential_detail.h"
#include "real/kernels/logarithm_detail.h"

int main() {
    namespace ep = vyxmath::fast_exp_polynomial;
    namespace lt = vyxmath::log_away_tail;
    std::printf("@rnd = float<ieee_64, ne>;\n"
                "x = rnd(x_in);\n"
                "rest = rnd(rest_in);\n"
                "x2 = rnd(x * x);\n"
                "low = rnd(x2 * rnd(%a + rnd(x * %a)));\n"
                "high = rnd(rnd(x2 * x2) * rnd(rnd(%a + rnd(x * %a)) + rnd(x2 * %a)));\n"
                "q = rnd(rnd(rest + low) + high);\n"
                "exact_q = rest + (x * x) * (%a + x * %a) + ((x * x) * (x * x)) * ((%a + x * %a) + (x * x) * %a);\n",
                ep::c2, ep::c3, ep::c4, ep::c5, ep::c6, ep::c2, ep::c3, ep::c4, ep::c5, ep::c6);
    std::printf("z = rnd(z_in);\n"
                "z2 = rnd(z * z);\n"
                "tail = rnd(rnd(z2 * rnd(%a + rnd(%a * z))) + rnd(rnd(z2 * z2) * rnd(rnd(%a + rnd(%a * z)) - rnd(%a * z2))));\n"
                "exact_tail = (z * z) * (%a + %a * z) + ((z * z) * (z * z)) * ((%a + %a * z) - %a * (z * z));\n",
                lt::c2, lt::c3, lt::c4, lt::c5, lt::c6, lt::c2, lt::c3, lt::c4, lt::c5, lt::c6);
    std::printf("{ |x_in| <= %a /\\ |rest_in| <= %a /\\ |z_in| <= %a\n"
                "  -> |q - exact_q| <= %a /\\ |tail - exact_tail| <= %a }\n",
                ep::reach, ep::rest_bound, lt::reach, ep::roundings, lt::roundings);
}
