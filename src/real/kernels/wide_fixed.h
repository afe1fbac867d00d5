// The wide evaluation behind the double-double phases: real numbers as
// 288-bit two's complement integers times 2^-224 (nine 32-bit limbs, 64 bits
// before the point), with e^y, ln x and a^b computed to about 2^-200 and
// rounded once. Slow (a few microseconds) and taken only for the rare
// arguments the faster phases cannot decide; plain 32-bit integer arithmetic,
// the same on every machine.
//
// Why 2^-200 decides: the exhaustive searches of the table maker's dilemma
// (Lefevre, Muller et al.) put e^x, ln x and log10 x of any double, other than
// the exact cases, at least 2^-(53+70) away, relative, from every rounding
// boundary; and a^b, which has no complete search, needs more than 2^-200 only
// for an argument closer to a boundary than any found (the published worst
// cases of pow have at most 153 identical bits after the rounding bit, and
// the exact and half-way results are recognised before this point).
#pragma once

#include <cstdint>

#include "real/kernels/exp_log.h"

namespace vyxmath {

struct wide {
    std::uint32_t limb[9];  // lowest first; value = (signed integer) * 2^-224
};

// e^y rounded per `tiny` below the smallest normal double, to nearest
// elsewhere (+inf above the largest double); |y| < 750.
double wide_exp_rounded(const wide& y, TinyResult tiny);

// ln x (and log10 x) rounded to nearest, for finite x > 0.
double wide_log_rounded(double x);
double wide_log10_rounded(double x);

// a^b = e^(b ln a) for finite a > 0 and finite b with |b ln a| < 750,
// rounded per `tiny`.
double wide_power_rounded(double a, double b, TinyResult tiny);

// sinh a (sign -1), cosh a (sign +1) for 0 < a <= 711, and tanh a for
// 0 < a < 20, rounded to nearest.
double wide_hyperbolic_rounded(double a, int sign);
double wide_tanh_rounded(double a);

// Helpers the functions above are made of, exposed for their tests.
wide wide_from_double(double x);  // exact for multiples of 2^-224 below 2^63
wide wide_log(double x);           // ln x for finite x > 0
wide wide_multiply(const wide& a, const wide& b);
double wide_to_double(const wide& a);  // rounded to nearest

}  // namespace vyxmath
