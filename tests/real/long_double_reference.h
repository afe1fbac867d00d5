// Distances between a double result and a reference value held in the x86-64
// 80-bit long double (64-bit significand), for accuracy checks against the C
// library's long double functions. Only glibc on x86-64 offers those to the
// needed accuracy, so the checks that use this header are compiled there only.
#pragma once

#if defined(__x86_64__) && defined(__GLIBC__)
#define VYXMATH_LONG_DOUBLE_REFERENCE 1

#include <cmath>
#include <limits>

namespace vyxmath::test {

// The unit in the last place of doubles near the reference: 2^-1074 for
// subnormals, else the spacing of doubles in want's binade.
inline long double ulp_near(long double want) {
    const long double a = std::fabs(want);
    if (a < 0x1p-1022L) return 0x1p-1074L;
    int e = 0;
    std::frexp(a, &e);  // a = f 2^e, 0.5 <= f < 1
    return std::ldexp(1.0L, e - 53);
}

// |got - want| in units in the last place of the double format.
inline double ulp_error(double got, long double want) {
    if (std::fabs(want) >= 0x1.fffffffffffff8p1023L) {
        // At or beyond the rounding boundary above the largest double: a
        // correctly rounded result is +-inf.
        const double inf = std::numeric_limits<double>::infinity();
        return got == (want > 0 ? inf : -inf) ? 0.0 : inf;
    }
    return static_cast<double>(std::fabs(static_cast<long double>(got) - want) / ulp_near(want));
}

// Whether got is not the double nearest want, counted only where the
// reference is clear of the midpoint by more than its own error (2^-10 ulp is
// far more than a 64-bit significand's error after one correctly rounded
// function evaluation).
inline bool clearly_not_nearest(double got, long double want) {
    return ulp_error(got, want) > 0.5 + 0x1p-10;
}

}  // namespace vyxmath::test
#endif
