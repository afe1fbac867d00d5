// ln x = e ln 2 - ln r + ln(1 + z), z = m r - 1:
//
// Reduction. x = 2^e m with m in [0.6875, 1.375) (subnormals scaled by 2^54
// first); the top ten fraction bits of the bits of m less those of 0.6875
// pick one of 1024 intervals and its r, a multiple of 2^-10 below 1.46, so
// of at most 11 significant bits (exactly 1 on the two intervals beside 1),
// with |z| < 2^-10.41 below 1 and < 2^-9.96 above (generate_log_table.py
// checks both).
// 0.6875 has an empty low word, so e, the index and m all come from the high
// 32 bits of x (the low word of m is that of x): on 32-bit x86 no 64-bit
// shift or borrow, and m and its head are made from the words, never read
// back from a double. -ln r is a pair whose head is a multiple of 2^-42, as
// is ln2_hi, so e ln2_hi - ln r hi is exact in one addition (a multiple of
// 2^-42 below 2^11); the pair is within 2^-97 of -ln r.
// z is exact: m r and 1 are multiples of 2^-63 (2^-62 above 1), so z is a
// whole number of those units below 2^53 in magnitude, a double; with
// m = mh + ml, mh the top 42 bits of m, mh r is exact (42 + 11 bits),
// mh r - 1 exact by Sterbenz's lemma, ml r exact, and their sum, being the
// double z, exact too.
//
// ln(1 + z) = z - z^2/2 + z^3 P(z), P(z) = 1/3 - z/4 + ... - z^5/8; the
// first term left out, z^9/9, is below 2^-82 |z| (|z| < 2^-9.96). z^2/2 is
// zh^2/2 + zl (z + zh)/2 with z = zh + zl split in halves of 26 bits: zh^2/2
// exact, and z - zh^2/2 an exact pair by two_sum. z^3 P(z) is computed with
// about four roundings: below 2^-51 z^3/3 < 2^-72.5 |z|. e ln 2 - ln r is the
// exact pair two_sum(e ln2_hi, -ln r hi) (e ln2_hi exact: ln2_hi has 42 bits,
// |e| < 1100) plus e ln2_lo - ln r lo: below 2^-86 absolute, with |ln x| >=
// 0.3 whenever e != 0.
//
// Error. On the two intervals beside 1 (r = 1, e = 0) ln x = ln(1 + z) and
// every error above is relative to |z|: 2^-82 + 2^-72.5 + the roundings of
// the low sum (2^-104). Elsewhere |ln x| >= 2^-11 (the interval [1 - 2^-10,
// 1 - 2^-11) comes closest) and the absolute errors (2^-92 truncation,
// 2^-82.5 from z^3 P with |z| < 2^-9.96, 2^-86 from ln 2, 2^-97 from the
// table), 2^11 times over, are relative to |ln x| (near_one_budget below
// sums both cases). The rounding test takes 2^-66 |S|, a factor beyond the
// bound. log10 multiplies the pair by 1/ln 10 as a double-double (Dekker's
// product): 2^-100 more.
//
// Away from 1 (e != 0) |ln x| >= 0.318 and absolute errors suffice, so z^2
// is not kept exact: the base b = e ln2_hi - ln r hi is exact (above), and
// b + z is an exact pair by fast_two_sum (|b| >= 0.69 - 0.375 > 2^-9.96 >
// |z|). The rest, -z^2/2 + z^3 Q(z) with Q = 1/3 - z/4 + z^2/5 - z^3/6,
// leaves out z^7/7 - z^8/8 + ... < 2^-72.5 (|z| < 2^-9.96); it is below
// 2^-20.9, taken as z^2 (-1/2 + z/3) + z^4 ((-1/4 + z/5) - z^2/6): the
// roundings of z^2 (2^-73, times 1/2), of -1/2 + z/3 (below 2^-55,
// times z^2 < 2^-19.92), of their product and of the last sum (below
// 2^-74 each) come to below 2^-72.18 (log_away_tail::roundings takes the
// 2^-71.98 Gappa proves), those of the z^4 part (below 2^-41.8) to below
// 2^-90. e ln2_lo (below 2^-34: 2^-87 from its
// rounding, 2^-88 from ln 2's third part), the table's 2^-97 and the sum
// with the table's tail add below 2^-85; that sum joins the pair's low part
// first (terms below 2^-33: 2^-86), and the sum with the rest (below
// 2^-20.8) rounds below 2^-74. In all (away_budget below) within 2^-71
// absolute, whatever e: the test takes the constant 2^-68 (no magnitude of
// the result on the chain), which is tighter than 2^-66 |ln x| for every
// such x. log10 multiplies the pair
// by 1/ln 10 (Dekker's product: its roundings below 2^-72 absolute of the
// low sum, 2^-97 |log10 x| < 2^-88 of the product): below 2^-69.5 too, the
// same test.
//
// The power's logarithm (log_for_power) takes the same reduction further.
// Over the table |z| < 2^-9.96, and with e = 0 and r != 1, |z| <= |ln x|
// (worst on the intervals beside those of r = 1); with r = 1,
// |z| < 1.002 |ln(1 + z)|. So an error below 2^-77 |z| in ln(1 + z) is below
// 2^-76.9 |ln x|; with e != 0, |ln x| >= 0.318 > 2^6 |z|.
//   ln(1 + z) = z - z^2/2 + z^3/3 - z^4/4 + z^5 (1/5 - z/6 + ... + z^4/9);
// the first term left out, z^10/10, is below 2^-83 |z|. With zh the top 17
// bits of z (Veltkamp's split at 2^36 + 1) and zl = z - zh (35 bits and a
// sign), zh^2 (34 bits), zh^3 (51 bits) and zh zl (52 bits) are exact. The
// terms, relative to |z|:
//   - z - zh^2/2 is an exact pair (fast_two_sum, |zh^2/2| < |z|);
//   - zh^3/3 = q + rem/3 with q = zh^3 * (1/3 rounded) and rem = zh^3 - 3q
//     exact ((zh^3 - 2q) and then - q, both by Sterbenz's lemma); q joins
//     the pair exactly (fast_two_sum again), rem/3 is below 2^-68;
//   - z^2 - zh^2 = z2l = 2 zh zl + zl^2 (below 2^-16 z^2 < 2^-24.9): one
//     rounding, so z2l/2 is off by below 2^-78.9;
//   - z^4 = zh^4 + z2l (2 zh^2 + z2l): the rounding of zh^2 zh^2 and the
//     rest, below 2^-52 z^4, so z^4/4 is off by below 2^-80.7;
//   - z^3 - zh^3 = zl (z^2 + z zh + zh^2) (below 2^-33) and the z^5 terms
//     (below 2^-38): a few roundings each, below 2^-84 together;
//   - the sums: -z^4/4 - z2l/2 (below 2^-24.7, one rounding: 2^-77.7), the
//     small terms (below 2^-30: 2^-82), their total (2^-77.6).
// Together below 2^-76.7 |z|. Then the exact pair of e ln2_hi - ln r hi plus
// the pair of ln(1 + z): two more roundings of sums below 2^-24.6 |z| +
// 2^-52 |ln x| (2^-77.6 |z| each) and the constant parts (2^-84 |ln x| with
// e != 0; with e = 0 the table's 2^-97, below 2^-86 |ln x| since r != 1
// there, or nothing with r = 1). In all below 2^-76 |ln x|: half the bound
// log_for_power_error = 2^-75 (tests/real/kernel_tables_test.cpp measures
// below 2^-79 over every interval and the whole exponent range). The last
// step makes the pair normalised (fast_two_sum, exact).
//   Away from 1 (e != 0, |ln x| >= 0.318) 2^-77.6 absolute suffices and
// only z^2/2 needs care: with zh the top 26 bits of z, e ln2_hi - ln r hi,
// + z and - zh^2/2 are exact pairs by fast_two_sum (each head above 0.3,
// each term added below 2^-8.9); zl (z + zh)/2 (below 2^-43.6) and
// z^3 (1/3 - z/4 + ... - z^5/8) (below 2^-28.3, about three roundings of
// its size: 2^-79.7; left out z^9/9 < 2^-83.3) and the four sums of the
// small parts (below 2^-80 each) come to below 2^-78 absolute, 2^-76.3
// |ln x|.
//   The small powers' logarithm (log_for_small_power, for exponents whose
// product by an absolute error stays small) keeps only z exact away from 1:
// e ln2_hi - ln r hi is exact in one addition and + z an exact pair as
// above, and the rest, -z^2/2 + z^3 Q(z), is the same plain double as in
// log_pair_away_from_one, with the same errors: below 2^-71 absolute,
// where log_for_small_power_error is 2^-69.4 (kernel_tables_test measures
// below half of it).
#include "real/kernels/logarithm.h"

#include <cstdint>
#include <iterator>

#include "real/double_double.h"
#include "real/error_bound.h"
#include "real/kernels/exp_log.h"
#include "real/kernels/logarithm_detail.h"
#include "common/ieee_double.h"

namespace vyxmath {
namespace {

namespace generated {
struct log_table_entry {
    double r;
    double minus_ln_r_hi;
    double minus_ln_r_lo;
};
#include "real/kernels/log_table.inc"
}  // namespace generated

constexpr std::uint32_t interval_offset_high = 0x3FE60000u;  // the high word of 0.6875

#if defined(__i386__)
using log_table_entry = generated::log_table_entry;
constexpr const auto& log_table = generated::log_table;
#else
// On 64-bit processors z comes from one integer product (reduce_normal):
// each entry holds r as the whole number r_units = r 2^10 on the intervals
// below 1 and r 2^11 above, so that m r = M r_units 2^-63 for the
// significand M of m (53 bits with its leading one) either way.
struct log_table_entry {
    std::uint64_t r_units;
    double minus_ln_r_hi;
    double minus_ln_r_lo;
};
struct log_entries {
    log_table_entry rows[std::size(generated::log_table)];
};
constexpr log_entries make_log_entries() {
    log_entries t{};
    for (std::uint32_t j = 0; j < std::size(generated::log_table); ++j) {
        const generated::log_table_entry& g = generated::log_table[j];
        const bool below_one = interval_offset_high + (j << 10) < 0x3FF00000u;
        t.rows[j] = {static_cast<std::uint64_t>(g.r * (below_one ? 0x1p10 : 0x1p11)), g.minus_ln_r_hi, g.minus_ln_r_lo};
    }
    return t;
}
constexpr log_entries log_table_rows = make_log_entries();
constexpr const auto& log_table = log_table_rows.rows;
// Each r_units is r scaled exactly (r on its grid of 2^-10), and even above 1.
constexpr bool r_units_exact() {
    for (std::uint32_t j = 0; j < std::size(generated::log_table); ++j) {
        const bool below_one = interval_offset_high + (j << 10) < 0x3FF00000u;
        const double scaled = generated::log_table[j].r * (below_one ? 0x1p10 : 0x1p11);
        if (static_cast<double>(log_table[j].r_units) != scaled || (!below_one && log_table[j].r_units % 2 != 0))
            return false;
    }
    return true;
}
static_assert(r_units_exact());
#endif

// The premise of the tail's rounding bound (log_away_tail::reach, which
// Gappa takes), checked on the committed table: on every interval, at both
// ends, |z| = |m r - 1| stays within the reach. With m = M 2^(e - 52) (M
// with its hidden bit, e = -1 or 0) and r = R 2^-10, m r - 1 is (M R -
// 2^(62 - e)) 2^(e - 62), M R below 2^64.
constexpr bool z_within_reach() {
    for (std::uint64_t i = 0; i < std::size(generated::log_table); ++i) {
        const auto r_units = static_cast<std::uint64_t>(generated::log_table[i].r * 0x1p10);
        for (std::uint64_t end = i; end <= i + 1; ++end) {
            const std::uint64_t bits = (std::uint64_t{interval_offset_high} << 32) + (end << 42);
            const int shift = (bits >> 52) == 1022 ? 63 : 62;
            const std::uint64_t product = ((bits & ieee_double::fraction_mask) | ieee_double::hidden_bit) * r_units;
            const std::uint64_t one = std::uint64_t{1} << shift;
            const std::uint64_t distance = product > one ? product - one : one - product;
            if (static_cast<double>(distance) > log_away_tail::reach * static_cast<double>(one) * (1 - 0x1p-50))
                return false;
        }
    }
    return true;
}
static_assert(z_within_reach());
constexpr std::uint32_t normal_high = 0x00100000u;           // of 2^-1022
constexpr std::uint32_t infinity_high = 0x7FF00000u;
constexpr double ln2_hi = 0x1.62e42fefa3800p-1;  // 42 bits, a multiple of 2^-42
constexpr double ln2_lo = 0x1.ef35793c76730p-45;
constexpr double fast_phase_error = 0x1p-66;     // relative, for e = 0
constexpr double away_from_one_error = 0x1p-68;  // absolute, for e != 0

namespace near_one_budget {
namespace eb = error_bound;
constexpr double r_one = eb::sum(eb::two_to_minus(82), eb::two_to_minus(72.5), eb::two_to_minus(104));
constexpr double absolute = eb::sum(eb::two_to_minus(92), eb::two_to_minus(82.5), eb::two_to_minus(86),
                                    eb::two_to_minus(97));
constexpr double value = eb::larger(r_one, eb::product(absolute, 0x1p11));  // |ln x| >= 2^-11
static_assert(eb::product(16, value) <= fast_phase_error);
}  // namespace near_one_budget

namespace away_budget {
namespace eb = error_bound;
constexpr double truncation = eb::two_to_minus(72.5);
constexpr double tail_roundings = log_away_tail::roundings;  // z^2 and z^4 parts
constexpr double constants = eb::two_to_minus(85);
constexpr double low_part = eb::two_to_minus(86);
constexpr double last_sum = eb::two_to_minus(74);
constexpr double value = eb::sum(truncation, tail_roundings, constants, low_part, last_sum);
static_assert(eb::product(4, value) <= away_from_one_error);
}  // namespace away_budget
constexpr double one_third = 0x1.5555555555555p-2;

// x = 2^e m, m = (1 + z) / r with the table's r: the exact z, e and the
// entry, and z_units = z / z_unit as the reduction makes it (z itself on
// 32-bit x86, z 2^63 on 64-bit processors), from which the polynomial
// starts without waiting for the scaling.
#if defined(__i386__)
constexpr double z_unit = 1.0;
#else
constexpr double z_unit = 0x1p-63;
#endif
struct reduced_argument {
    int exponent;
    double e;  // the same, as a double
    const log_table_entry* entry;
    double z;
    double z_units;
};

// From the bits of a normal x > 0; `e` is added to x's binary exponent.
// On 32-bit x86 the steps are taken on the words (see the head of this
// file). On 64-bit processors they are taken on the whole pattern, and z
// exactly in integers: M r_units < 2^63.6 (M < 2^53 and r_units < 1490
// below 1, M < 2^52.46 and r_units <= 2^11 above), so the unsigned product
// is exact, and less 2^63 (a flip of its top bit) it is z 2^63, below
// 2^52.6 in magnitude below 1, and below 2^53.04 but even above 1 (r_units
// is even there): a whole number the conversion to double keeps exactly.
// The same z as the words' route, in fewer instructions and two
// floating-point operations where that takes five.
#if defined(__i386__)
reduced_argument reduce_normal(std::uint64_t bits, int e) {
    const std::uint32_t high = static_cast<std::uint32_t>(bits >> 32);
    const std::uint32_t low = static_cast<std::uint32_t>(bits);
    const std::uint32_t offset = high - interval_offset_high;
    const log_table_entry& entry = log_table[(offset >> 10) & 1023];
    e += static_cast<std::int32_t>(offset) >> 20;
    const std::uint32_t m_high = high - (offset & 0xFFF00000u);
    const double m = from_words(m_high, low);
    const double mh = from_words(m_high, low & ~0x7FFu);
    const double z = (mh * entry.r - 1.0) + (m - mh) * entry.r;
    return {e, static_cast<double>(e), &entry, z, z};
}
#else
reduced_argument reduce_normal(std::uint64_t bits, int e) {
    const std::uint64_t offset = bits - (std::uint64_t{interval_offset_high} << 32);
    const log_table_entry& entry = log_table[(offset >> 42) & 1023];
    e += static_cast<int>(static_cast<std::int64_t>(offset) >> 52);
    const std::uint64_t product = ((bits & ieee_double::fraction_mask) | ieee_double::hidden_bit) * entry.r_units;
    const double z_units = static_cast<double>(static_cast<std::int64_t>(product ^ ieee_double::sign_mask));
    return {e, static_cast<double>(e), &entry, z_units * z_unit, z_units};
}
#endif

reduced_argument reduce(double x) {
    const std::uint64_t bits = to_bits(x);
    if (bits < ieee_double::hidden_bit) return reduce_normal(to_bits(x * 0x1p54), -54);
    return reduce_normal(bits, 0);
}

// e ln 2 - ln r + (lead + rest), with lead + rest = ln(1 + z) and lead the
// larger part: the exact pair of e ln2_hi and -ln r hi, the small terms summed
// below it.
double_double assemble(const reduced_argument& a, double lead, double rest) {
    const double_double base = two_sum(a.e * ln2_hi, a.entry->minus_ln_r_hi);
    const double base_lo = base.lo + (a.e * ln2_lo + a.entry->minus_ln_r_lo);
    const double_double sum = two_sum(base.hi, lead);
    return {sum.hi, sum.lo + (base_lo + rest)};
}

// The polynomial of log_pair_near_one: 1/3 - z/4 + ... - z^5/8.
double log_polynomial(double z) {
    return 0x1.5555555555555p-2 +
           z * (-0.25 + z * (0.2 + z * (-0x1.5555555555555p-3 + z * (0x1.2492492492492p-3 + z * -0.125))));
}

// ln(1 + z) - z away from 1 in plain double: z^2 (-1/2 + z/3) + z^4 ((-1/4
// + z/5) - z^2/6), in eleven operations with five on the longest chain: the
// fast phase's calls overlap more than with z^2 (-1/2 + z Q), which saves
// an operation but takes three steps more (3 % slower).
// It takes w = z_units, z = u w with u = z_unit, and the constants scaled
// by powers of u: with w^2 = z^2 / u^2 and w^4 = z^4 / u^4, each step
// rounds u^k times the real number the same step on z rounds, so that
// every intermediate is the one on z times a power of two, and the result
// is the same to the bit (all of them stay normal: u^6 = 2^-378).
[[gnu::always_inline]] inline double log_tail_after_z(double w) {
    constexpr double u = z_unit, u2 = u * u, u3 = u2 * u, u4 = u3 * u, u5 = u4 * u, u6 = u5 * u;
    const double w2 = w * w;
    const double w4 = w2 * w2;
    namespace t = log_away_tail;
    return w2 * (t::c2 * u2 + t::c3 * u3 * w) + w4 * ((t::c4 * u4 + t::c5 * u5 * w) - t::c6 * u6 * w2);
}

// ln x for e != 0, where |ln x| >= 0.318 and an absolute error suffices (see
// the head of this file): no exact square. The constant parts join the
// pair's low part before the tail, which comes last.
double_double log_pair_away_from_one(const reduced_argument& a) {
    const double z = a.z;
    const double_double sum = fast_two_sum(a.e * ln2_hi + a.entry->minus_ln_r_hi, z);
    const double tail = log_tail_after_z(a.z_units);
    return {sum.hi, (sum.lo + (a.e * ln2_lo + a.entry->minus_ln_r_lo)) + tail};
}

// ln x for e = 0, within log_fast_near_one_error |ln x| (see the head of
// this file).
// Out of line, and given its parts in registers, so that the path away from
// 1 keeps no frame.
[[gnu::noinline]] double_double log_pair_near_one(const log_table_entry* entry, double z) {
    const reduced_argument a = {0, 0.0, entry, z, z / z_unit};
    const double_double zs = split(z);
    const double_double head = two_sum(z, -0.5 * (zs.hi * zs.hi));
    const double z2 = z * z;
    const double tail = (z2 * z) * log_polynomial(z) - 0.5 * (zs.lo * (z + zs.hi));
    return assemble(a, head.hi, head.lo + tail);
}

// The power's logarithm for e != 0: zh^2/2 exact (zh the top 26 bits of z)
// and the rest of ln(1 + z) in plain double (see the head of this file).
double_double log_pair_for_power_away_from_one(const reduced_argument& a) {
    const double z = a.z;
    const double_double zs = split(z);
    const double_double base = fast_two_sum(a.e * ln2_hi, a.entry->minus_ln_r_hi);
    const double_double first = fast_two_sum(base.hi, z);
    const double_double second = fast_two_sum(first.hi, -0.5 * (zs.hi * zs.hi));
    const double rest = (z * z) * z * log_polynomial(z) - 0.5 * (zs.lo * (z + zs.hi));
    const double low = (first.lo + second.lo) + ((base.lo + (a.e * ln2_lo + a.entry->minus_ln_r_lo)) + rest);
    return fast_two_sum(second.hi, low);
}

// The small powers' logarithm for e != 0, within log_for_small_power_error:
// the rest of ln(1 + z) after z in plain double (see the head of this file).
// The pair is left as made, hi = e ln 2 - ln r hi + z rounded and lo the
// rest (below 2^-18.8), so that the power's product by hi need not wait for
// the polynomial.
double_double short_log_pair_for_power_away_from_one(const reduced_argument& a) {
    const double z = a.z;
    const double_double first = fast_two_sum(a.e * ln2_hi + a.entry->minus_ln_r_hi, z);
    const double tail = log_tail_after_z(a.z_units);
    const double low = (first.lo + (a.e * ln2_lo + a.entry->minus_ln_r_lo)) + tail;
    return {first.hi, low};
}

// ln(1 + z) to about 2^-77 |z| for the power's fast phase (error bound at
// the head of this file), the leading terms kept exact by a head zh of z with
// 17 bits: zh^2 (34 bits) and zh^3 (51 bits) are exact, and so is zh zl.
double_double log_pair_for_power_near_one(const reduced_argument& a) {
    const double z = a.z;
    const double t = z * 0x1.000000001p36;  // 2^36 + 1: the split keeps 17 bits
    const double zh = t - (t - z);
    const double zl = z - zh;
    const double zh2 = zh * zh;
    const double zh3 = zh2 * zh;
    const double z2l = 2.0 * (zh * zl) + zl * zl;  // z^2 - zh^2
    // zh^3 / 3 = q + rem / 3, rem = zh^3 - 3q from two exact subtractions.
    const double q = zh3 * one_third;
    const double rem = (zh3 - 2.0 * q) - q;
    const double_double head = fast_two_sum(z, -0.5 * zh2);
    const double_double lead = fast_two_sum(head.hi, q);

    const double z4 = zh2 * zh2 + z2l * (2.0 * zh2 + z2l);
    const double z3l = zl * ((z * z + z * zh) + zh2);  // z^3 - zh^3
    const double p5 = 0.2 + z * (-0x1.5555555555555p-3 + z * (0x1.2492492492492p-3 + z * (-0.125 + z * 0x1.c71c71c71c71cp-4)));
    const double small = (lead.lo + head.lo) + ((rem + z3l) * one_third + (z4 * z) * p5);
    const double rest = (-0.25 * z4 - 0.5 * z2l) + small;
    const double_double ln = assemble(a, lead.hi, rest);
    return fast_two_sum(ln.hi, ln.lo);
}

// hi + lo rounded, when every value within `error` of it rounds the same.
bool rounded_within(double_double v, double error, double& result) { return rounded_surely(v.hi, v.lo, error, result); }

bool rounded(double_double v, double& result) { return rounded_within(v, magnitude(v.hi) * fast_phase_error, result); }

// The reduction of any x: false for what is not a positive finite number.
// Normal numbers first, by one comparison of the high word.
[[gnu::always_inline]] inline bool reduced_positive(double x, reduced_argument& a) {
    const std::uint64_t bits = to_bits(x);
#if defined(__i386__)
    const bool normal = static_cast<std::uint32_t>(bits >> 32) - normal_high < infinity_high - normal_high;
#else
    const bool normal = bits - ieee_double::hidden_bit < ieee_double::exponent_mask - ieee_double::hidden_bit;
#endif
    if (normal) [[likely]] {
        a = reduce_normal(bits, 0);
        return true;
    }
    if (bits == 0 || bits >= ieee_double::hidden_bit) return false;  // zeros, negatives, infinities, NaNs
    a = reduce_normal(to_bits(x * 0x1p54), -54);
    return true;
}

[[gnu::always_inline]] inline bool log_decided(double x, double& result) {
    reduced_argument a;
    if (!reduced_positive(x, a)) return false;
    if (a.exponent != 0) [[likely]]
        return rounded_within(log_pair_away_from_one(a), away_from_one_error, result);
    return rounded(log_pair_near_one(a.entry, a.z), result);
}

[[gnu::always_inline]] inline bool log10_decided(double x, double& result) {
    reduced_argument a;
    if (!reduced_positive(x, a)) return false;
    const bool away = a.exponent != 0;
    const double_double ln = away ? log_pair_away_from_one(a) : log_pair_near_one(a.entry, a.z);
    const double_double p = two_prod(ln.hi, inverse_ln10.hi);
    const double_double v = {p.hi, p.lo + (ln.hi * inverse_ln10.lo + ln.lo * inverse_ln10.hi)};
    return away ? rounded_within(v, away_from_one_error, result) : rounded(v, result);
}

}  // namespace

bool log_fast_phase(double x, double& result) { return log_decided(x, result); }

bool log10_fast_phase(double x, double& result) { return log10_decided(x, result); }

const double log_fast_near_one_error = near_one_budget::value;
const double log_fast_away_error = away_budget::value;

bool log_fast_value(double x, double_double& value) {
    reduced_argument a;
    if (!reduced_positive(x, a)) return false;
    value = a.exponent != 0 ? log_pair_away_from_one(a) : log_pair_near_one(a.entry, a.z);
    return true;
}

double_double log_for_power(double x) {
    const reduced_argument a = reduce(x);
    return a.e != 0.0 ? log_pair_for_power_away_from_one(a) : log_pair_for_power_near_one(a);
}

double_double log_for_small_power(double x) {
    const reduced_argument a = reduce(x);
    return a.exponent != 0 ? short_log_pair_for_power_away_from_one(a) : log_pair_for_power_near_one(a);
}

double log_kernel(double x) {
    double result;
    if (log_decided(x, result)) return result;
    return log_after_fast_phase(x);
}

double log10_kernel(double x) {
    double result;
    if (log10_decided(x, result)) return result;
    return log10_after_fast_phase(x);
}

}  // namespace vyxmath
