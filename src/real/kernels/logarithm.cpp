// ln x = e ln 2 - ln r + ln(1 + z), z = m r - 1:
//
// Reduction. x = 2^e m with m in [0.6875, 1.375) (subnormals scaled by 2^54
// first); the top nine fraction bits of the bits of m less those of 0.6875
// pick one of 512 intervals and its r, a multiple of 2^-9 below 1.46, so of
// at most 10 significant bits (exactly 1 on the two intervals beside 1), with
// |z| < 2^-9 below 1 and < 2^-8 above (generate_log_table.py checks both).
// z is exact: m r and 1 are multiples of 2^-62 (2^-61 above 1), so z is a
// whole number of those units below 2^53 in magnitude, a double; with m = mh + ml, mh the top 43 bits of m, mh r is
// exact (43 + 10 bits), mh r - 1 exact by Sterbenz's lemma, ml r exact, and
// their sum, being the double z, exact too.
//
// ln(1 + z) = z - z^2/2 + z^3 P(z), P(z) = 1/3 - z/4 + ... - z^5/8; the
// first term left out, z^9/9, is below 2^-72 |z| (|z| <= 2^-8.75). z^2/2 is
// zh^2/2 + zl (z + zh)/2 with z = zh + zl split in halves of 26 bits: zh^2/2
// exact, and z - zh^2/2 an exact pair by two_sum. z^3 P(z) is computed with
// about four roundings: below 2^-51 z^3/3 < 2^-70.5 |z|. e ln 2 - ln r is the
// exact pair two_sum(e ln2_hi, -ln r hi) (e ln2_hi exact: ln2_hi has 42 bits,
// |e| < 1100) plus e ln2_lo - ln r lo: below 2^-86 absolute, with |ln x| >=
// 0.3 whenever e != 0.
//
// Error. On the two intervals beside 1 (r = 1, e = 0) ln x = ln(1 + z) and
// every error above is relative to |z|: below 2^-72 + 2^-70.5 + the roundings
// of the low sum (2^-104), so below 2^-70 |ln x|. Elsewhere |ln x| >= 2^-9.1
// and the absolute errors (2^-81.9 truncation, 2^-78.8 from z^3 P with
// |z| < 2^-8.75, 2^-86 from ln 2, 2^-106 from the table) stay below 2^-78,
// that is 2^-68.9 |ln x|. The rounding test takes 2^-66 |S|, a factor
// beyond the bound. log10 multiplies the pair by 1/ln 10 as a double-double
// (Dekker's product): 2^-100 more.
#include "real/kernels/logarithm.h"

#include <cstdint>

#include "real/double_double.h"
#include "common/ieee_double.h"

namespace vyxmath {
namespace {

struct log_table_entry {
    double r;
    double minus_ln_r_hi;
    double minus_ln_r_lo;
};

#include "real/kernels/log_table.inc"

constexpr std::uint64_t interval_offset = 0x3FE6000000000000u;  // the bits of 0.6875
constexpr double ln2_hi = 0x1.62e42fefa3800p-1;                 // 42 bits
constexpr double ln2_lo = 0x1.ef35793c76730p-45;
constexpr double_double inverse_ln10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};
constexpr double fast_phase_error = 0x1p-66;

// ln x as hi + lo, for finite x > 0.
double_double log_pair(double x) {
    std::uint64_t bits = to_bits(x);
    int e = 0;
    if (bits < ieee_double::hidden_bit) {  // subnormal
        bits = to_bits(x * 0x1p54);
        e = -54;
    }
    const std::uint64_t offset_bits = bits - interval_offset;
    const log_table_entry& entry = log_table[(offset_bits >> 43) & 511];
    e += static_cast<int>(static_cast<std::int64_t>(offset_bits) >> ieee_double::fraction_bits);
    const double m = from_bits(bits - (offset_bits & ~ieee_double::fraction_mask));

    const double mh = from_bits(to_bits(m) & ~std::uint64_t{0x3FF});
    const double z = (mh * entry.r - 1.0) + (m - mh) * entry.r;

    const double_double zs = split(z);
    const double_double head = two_sum(z, -0.5 * (zs.hi * zs.hi));
    const double z2 = z * z;
    const double p = 0x1.5555555555555p-2 +
                     z * (-0.25 + z * (0.2 + z * (-0x1.5555555555555p-3 + z * (0x1.2492492492492p-3 + z * -0.125))));
    const double tail = (z2 * z) * p - 0.5 * (zs.lo * (z + zs.hi));

    const double ed = static_cast<double>(e);
    const double_double base = two_sum(ed * ln2_hi, entry.minus_ln_r_hi);
    const double base_lo = base.lo + (ed * ln2_lo + entry.minus_ln_r_lo);
    const double_double sum = two_sum(base.hi, head.hi);
    return {sum.hi, sum.lo + (base_lo + (head.lo + tail))};
}

bool rounded(double_double v, double& result) {
    const double e = magnitude(v.hi) * fast_phase_error;
    const double upper = v.hi + (v.lo + e);
    if (upper != v.hi + (v.lo - e)) return false;
    result = upper;
    return true;
}

}  // namespace

bool log_fast_phase(double x, double& result) { return rounded(log_pair(x), result); }

bool log10_fast_phase(double x, double& result) {
    const double_double ln = log_pair(x);
    const double_double p = two_prod(ln.hi, inverse_ln10.hi);
    return rounded({p.hi, p.lo + (ln.hi * inverse_ln10.lo + ln.lo * inverse_ln10.hi)}, result);
}

}  // namespace vyxmath
