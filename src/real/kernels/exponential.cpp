// The fast phase of e^y, y = yh + yl:
//
// Reduction. k = round(yh * 256 / ln 2), r = y - k ln2/256, so that
// e^y = 2^(k >> 8) * 2^((k & 255)/256) * e^r with |r| <= ln2/512 (1 + 2^-30)
// < 1.3539e-3. |yh| <= 746 gives |k| <= 746 * 256 / ln 2 + 1/2 < 275521 <
// 2^18.08, so k * exp_step_hi is exact (33 bits times 19), and yh - k *
// exp_step_hi is exact by Sterbenz's lemma (for k != 0 the two are within a
// factor 2 of each other). The rest, c = yl - k * exp_step_lo, rounds twice:
// k * exp_step_lo is below 2^18.08 * 1.45 * 2^-43 < 2^-24.38 and, with |yl|
// <= 1.2 * 2^-43 (a power's product b ln a included), the difference below
// 2^-24.37, so each rounding is below 2^-77.37, 2^-76.37 together. The
// truncation of ln 2 / 256 to two doubles contributes below 2^18.08 * 2^-53
// * 2^-42 = 2^-76.92. With a = yh - k exp_step_hi, r = a + c is held as head
// + rest: head is a rounded to a multiple of 2^-26 (at most 17 significant
// bits, |head| < 2^-9.5), a - head is exact (at most 2^-27, and a multiple
// of a's last unit whenever it is not 0), and rest = (a - head) + c, below
// 2^-27 + 2^-24.37 < 2^-24.15, rounds once, below 2^-53 * 2^-24.15 =
// 2^-77.15. Each of the three is counted as 2^-76 below.
//
// Polynomial. e^r - 1 = head + q, q = rest + x^2 (1/2 + x/6 + ... + x^4/720)
// with x = a + c rounded (|x - r| <= 2^-53 |r|). Left out: the Taylor
// remainder r^7/5040 e^|r| < 2^-78.99 and what using x for r costs in the
// terms from r^2 on, below 2^-53 r^2 < 2^-72. q < 9.17e-7 + 2^-24.15 <
// 2^-19.92 is evaluated in double as (rest + x2 (c2 + x c3)) + x2^2 ((c4 +
// x c5) + x2 c6), x2 = x^2 < 2^-19.04: five roundings of terms below 2^-19.9
// (x2 times c2, c2 + x c3 times x2, the product, the sum with rest, the sum
// with the higher orders), together below 5 * 2^-73; the higher orders are
// below 2^-42 and all their roundings together below 2^-90.
//
// Reconstruction. With T = Th + Tl = 2^(j/256) (Th in [1, 2), |Tl| <= 2^-53 Th,
// table error below 2^-106), and T = lead + trail + d with lead Th's top 26
// bits and |d| < 2^-78 + 2^-106 (the table beside the code),
// T e^r = lead + lead head + (trail + trail head) + Th q + Tl q + d e^r.
// lead head is exact and so is H = lead + lead head (see `reduced`). Left
// out: Tl q < 2^-72 Th and d e^r < 2^-77.9 Th. Roundings: Th q (below 2^-72
// Th), and the sums: Th q comes last, so only that last sum rounds at 2^-72.9
// Th (its value below 2^-19.9 Th); trail head (below 2^-34.5) rounds below
// 2^-87.5 and trail + trail head (below 2^-25) below 2^-78.
//
// Total: |H + lo - e^y / 2^(k >> 8)| below the sum of these terms, twice
// over, times Th (fast_exp_budget below: 2^-68.35 Th), and H >= Th e^-|r|
// (1 - 2^-60) > 0.998 Th. The rounding test compares H + (lo - 2^-68 H) with H + (lo +
// 2^-68 H): equal only when every value within the error rounds to the same
// double. 2^-68 H is exact; lo holds Th q and the trail, so |lo| < 2^-19.8 H
// and lo +- 2^-68 H lies below 2^(e-18) for H in [2^e, 2^(e+1)): rounding it
// moves the tested ends by at most 2^(e-71) <= 2^-71 H, inside the margin
// between the error and 2^-68 H, which exceeds 2^-70.2 H. Rounding H plus either end
// is monotone. Then the scaling by 2^(k >> 8) is exact while the result stays
// normal (at least 2^-1022, which is checked on the rounded value), and
// (k >> 8) = 1024 is applied as 2^1023 * 2, which overflows exactly when the
// rounded value does.
#include "real/kernels/exponential.h"

#include <cstdint>

#include "real/double_double.h"
#include "real/double_pair.h"
#include "real/error_bound.h"
#include "common/ieee_double.h"
#include "real/kernels/exp_log_detail.h"
#include "real/kernels/exponential_detail.h"
#include "real/kernels/wide_fixed.h"

namespace vyxmath {
namespace {

namespace fast_exp_budget {
namespace eb = error_bound;
constexpr double x_for_r = eb::two_to_minus(72);
constexpr double polynomial = fast_exp_polynomial::roundings;
constexpr double th_q = eb::two_to_minus(72);
constexpr double tl_q = eb::two_to_minus(72);
constexpr double last_sum = eb::two_to_minus(72.9);
constexpr double reduction_c = eb::two_to_minus(76);
constexpr double ln2_step = eb::two_to_minus(76);
constexpr double reduction_rest = eb::two_to_minus(76);
constexpr double taylor_remainder = fast_exp_polynomial::truncation;
constexpr double table_d = eb::two_to_minus(77.9);
constexpr double trail = eb::two_to_minus(78);
constexpr double trail_head = eb::two_to_minus(87.5);
constexpr double value = eb::product(2, eb::sum(x_for_r, polynomial, th_q, tl_q, last_sum, reduction_c, ln2_step,
                                                reduction_rest, taylor_remainder, table_d, trail, trail_head));
constexpr double relative_to_h = value / 0.998 * (1 + 0x1p-50);
constexpr double test_rounding = eb::two_to_minus(71);
static_assert(eb::sum(relative_to_h, test_rounding) <= exp_fast_phase_error);
}  // namespace fast_exp_budget

#include "real/kernels/exp_table.inc"

// The largest |yh| the fast phase takes, and k * exp_step_hi exact for every
// k it gives there.
constexpr double largest_argument = 746.0;
static_assert(error_bound::product_is_exact(exp_step_hi, largest_argument * exp_steps_per_unit + 0.5));

// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51
// to a whole number, ties to even.
constexpr double round_to_integer_shifter = 0x1.8p52;

using fast_exp_polynomial::c2, fast_exp_polynomial::c3, fast_exp_polynomial::c4, fast_exp_polynomial::c5,
    fast_exp_polynomial::c6;

// Each 2^(j/256) again as lead + trail: lead its high part's top 26 bits
// (Veltkamp's half), trail = (hi - lead) + lo rounded once. |hi - lead| <=
// 2^-26, so |trail| < 2^-25 and it is within 2^-78 + 2^-106 of 2^(j/256) -
// lead. Made here from exp_table rather than generated: the sum is the only
// rounding, and the asserts below check the lead's width.
struct lead_and_trail {
    double lead;
    double trail;
};
struct lead_trail_table {
    lead_and_trail entries[256];
};
constexpr lead_trail_table make_lead_trail_table() {
    lead_trail_table t{};
    for (int j = 0; j < 256; ++j) {
        const double lead = split(exp_table[j].hi).hi;
        t.entries[j] = {lead, (exp_table[j].hi - lead) + exp_table[j].lo};
    }
    return t;
}
constexpr lead_trail_table exp_leads = make_lead_trail_table();
constexpr bool leads_have_26_bits() {
    for (const lead_and_trail& e : exp_leads.entries)
        if ((to_bits(e.lead) & ((std::uint64_t{1} << 27) - 1)) != 0 || e.lead < 1.0 || e.lead >= 2.0) return false;
    return true;
}
static_assert(leads_have_26_bits());

// The reduced argument r = head + rest: head is r rounded to a multiple of
// 2^-26 (adding and subtracting 1.5 * 2^26 does it, exactly), so of at most
// 17 significant bits (|r| < 2^-9.5), and rest = (a - head) + c below 2^-27 +
// |c|. lead * head is exact (26 + 17 bits) and a multiple of 2^-51 (lead one
// of 2^-25), so lead + lead * head, a multiple of 2^-51 below 2.01, is a
// double: the exact first part of the result, in two operations. x = a + c
// rounded is what the polynomial takes (one addition, not waiting for head
// and rest).
struct reduced {
    double head;
    double rest;
    double x;
};
constexpr double to_multiple_of_2_to_minus_26 = 0x1.8p26;

// a + c, a the exact part of the reduction, c its small rounded part.
reduced reduce(double a, double c) {
    const double head = (a + to_multiple_of_2_to_minus_26) - to_multiple_of_2_to_minus_26;
    const double rest = (a - head) + c;
    return {head, rest, a + c};
}

// 2^(j/256) (1 + head + q) scaled by 2^binade, q holding the rest of r:
// lead + lead head exact, then trail (1 + head) and 2^(j/256) q, the latest,
// last.
exp_unrounded table_times(int k, double head, double q) {
    const lead_and_trail& t = exp_leads.entries[k & 255];
    const double hi = t.lead + t.lead * head;
    const double lo = (t.trail + t.trail * head) + exp_table[k & 255].hi * q;
    return {k >> 8, hi, lo};
}

}  // namespace

// The pair shares the reduction (e^-y = 2^(-k/256) e^-r) and the
// polynomial: with its even part E and odd part O, e^r - 1 - head = E +
// (rest + O) and e^-r - 1 + head = E - (rest + O). E and O take at most
// seven roundings of terms below 2^-19.9 where the single polynomial takes
// five (below 7 * 2^-73), and each lane takes table_times' steps (the e^-y
// lane on a table point scaled by a power of two, which scales every one of
// its roundings alike). Here yl = 0 and c is one rounding. The total of the
// bound above becomes (2^-72 + 7 * 2^-73 + 2^-72 + 2^-72 + 2^-72.9 + 2^-77
// + 2^-76 + 2^-76 + 2^-78.99 + 2^-77.9 + 2^-78 + 2^-87.5) * 2 Th < 2^-68.14
// Th: below 2^-68 H, for e^y and e^-y alike.
//
// The two evaluations of table_times go side by side in the two lanes of
// one register (lane 0 for e^y, lane 1 for e^-y): each lane takes
// table_times' own steps, at half the additions and multiplications, which
// bound how fast independent calls can go.
namespace {

struct exp_lanes {
    int k;
    double_pair hi;
    double_pair lo;
};

// The table as the pair reads it: row j holds each of lead, trail and
// 2^(j/256) for the e^y lane beside the same for the e^-y lane, whose table
// point is 2^(-j/256) (for j != 0 the entry of 256 - j halved, exactly), so
// that one aligned load fills both lanes and both binades come from
// b = k >> 8: e^y = 2^b 2^(j/256) e^r and e^-y = 2^-b 2^(-j/256) e^-r.
// Halving keeps what the lanes rely on: lead * head stays exact, and a
// multiple of 2^-52 below 1 where the lead was one of 2^-51 below 2.
struct alignas(16) exp_pair_row {
    double lead[2], trail[2], hi[2];
};
struct exp_pair_rows {
    exp_pair_row rows[256];
};
constexpr exp_pair_rows make_exp_pair_rows() {
    exp_pair_rows t{};
    for (int j = 0; j < 256; ++j) {
        const int d = (256 - j) & 255;
        const double half = j == 0 ? 1.0 : 0.5;
        t.rows[j] = {{exp_leads.entries[j].lead, exp_leads.entries[d].lead * half},
                     {exp_leads.entries[j].trail, exp_leads.entries[d].trail * half},
                     {exp_table[j].hi, exp_table[d].hi * half}};
    }
    return t;
}
constexpr exp_pair_rows exp_pair_table = make_exp_pair_rows();

inline double_pair load_pair(const double* p) { return double_pair{p[0], p[1]}; }

// The halved scales {2^(b - 1), sign 2^(-b - 1)} for b = 0 .. 63 (y <= 40
// gives b <= 57), read as one pair where building them from b takes a
// dozen instructions.
struct alignas(16) scale_pair {
    double up, down;
};
struct scale_pairs {
    scale_pair rows[64];
};
constexpr scale_pairs make_scale_pairs(int sign) {
    scale_pairs t{};
    for (int b = 0; b < 64; ++b) t.rows[b] = {power_of_two(b - 1), sign * power_of_two(-b - 1)};
    return t;
}
template <int sign>
constexpr scale_pairs halved_scales = make_scale_pairs(sign);

// The lanes of e^y and e^-y, for sign 0 before their scaling by 2^b and
// 2^-b; for sign +1 or -1 scaled by halved_scales<sign>, the table values
// that q meets (the trail and 2^(j/256)) scaled while q is still being
// made, so that no product follows q's on the chain. Scaling by a power of
// two commutes with every rounding here (binades within 59 of 0): the
// bits are those of scaling the finished parts.
// q = E +- (rest + O): the sum rest + O (below 2^-23.3) rounds once, and E
// joins last, so that the longer of the two parts waits for one addition.
template <int sign>
[[gnu::always_inline]] inline exp_lanes exp_pair_lanes(double y) {
    // k from the shifted sum's low word: 1.5 * 2^52 + k has k modulo 2^32
    // there, which saves the conversion on the way to the table.
    const double shifted = y * exp_steps_per_unit + round_to_integer_shifter;
    const double kd = shifted - round_to_integer_shifter;
    const int k = static_cast<int>(static_cast<std::uint32_t>(to_bits(shifted)));
    const reduced r = reduce(y - kd * exp_step_hi, -(kd * exp_step_lo));
    const double x = r.x;
    const double x2 = x * x;
    const double even = x2 * c2 + (x2 * x2) * (c4 + x2 * c6);
    const double odd = (x2 * x) * (c3 + x2 * c5);
    const double rest_and_odd = r.rest + odd;
    // {E + (rest + O), E - (rest + O)}: the q of each lane.
    const double_pair q = both(even) + pair_of(rest_and_odd, -rest_and_odd);
    const exp_pair_row& row = exp_pair_table.rows[k & 255];
    double_pair scales = both(1.0);
    if constexpr (sign != 0) {
        const scale_pair& scale = halved_scales<sign>.rows[(k >> 8) & 63];
        scales = pair_of(scale.up, scale.down);
    }
    const double_pair leads = load_pair(row.lead);
    const double_pair trails = load_pair(row.trail) * scales;
    const double_pair heads = pair_of(r.head, -r.head);
    const double_pair hi = (leads + leads * heads) * scales;
    const double_pair lo = (trails + trails * heads) + (load_pair(row.hi) * scales) * q;
    return {k, hi, lo};
}

}  // namespace

exp_unrounded_pair exp_pair_fast_value(double y) {
    const exp_lanes e = exp_pair_lanes<0>(y);
    return {{e.k >> 8, e.hi[0], e.lo[0]}, {-(e.k >> 8), e.hi[1], e.lo[1]}};
}

// The high part of e^y is the larger for y >= 0 (fast_two_sum): for k = 0
// they are 1 + x and 1 - x; from k = 1 on e^2y > 1.0027 and each high part
// is within 2^-19 of its value. Binades within 59 of 0: exact scalings.
template <int sign>
[[gnu::flatten]] double_double exp_pair_fast_half_sum(double y) {
    static_assert(sign == 1 || sign == -1);
    const exp_lanes e = exp_pair_lanes<sign>(y);
    const double_double s = fast_two_sum(e.hi[0], e.hi[1]);
    return {s.hi, (s.lo + e.lo[0]) + e.lo[1]};
}
template double_double exp_pair_fast_half_sum<1>(double y);
template double_double exp_pair_fast_half_sum<-1>(double y);

exp_unrounded exp_fast_value(double y_hi, double y_lo) {
    const double_double y{y_hi, y_lo};
    const double shifted = y.hi * exp_steps_per_unit + round_to_integer_shifter;
    const double kd = shifted - round_to_integer_shifter;
    const int k = static_cast<int>(static_cast<std::uint32_t>(to_bits(shifted)));
    // -(k lo - yl) is yl - k lo (up to the sign of a zero), written so that
    // for yl = 0 the compiler may drop the subtraction of 0.
    const reduced r = reduce(y.hi - kd * exp_step_hi, -(kd * exp_step_lo - y.lo));

    // q in two halves that need not wait for each other: the second order
    // and the third, and x^4 times the rest; the latest, the higher orders,
    // added last.
    const double x = r.x;
    const double x2 = x * x;
    const double low_orders = x2 * (c2 + x * c3);
    const double high_orders = (x2 * x2) * ((c4 + x * c5) + x2 * c6);
    const double q = (r.rest + low_orders) + high_orders;
    return table_times(k, r.head, q);
}

bool exp_fast_phase(double_double y, double& result) { return exp_fast_phase(y, exp_fast_phase_error, result); }

bool exp_fast_phase(double y_hi, double y_lo, double relative_error, double& result) {
    const exp_unrounded v = exp_fast_value(y_hi, y_lo);
    if (v.binade < -1022) return false;
    double upper;
    if (!rounded_surely(v.hi, v.lo, v.hi * relative_error, upper)) return false;
    if (v.binade == -1022 && upper <= 1.0) return false;  // at or below 2^-1022
    result = v.binade <= 1023 ? upper * power_of_two(v.binade) : (upper * power_of_two(1023)) * 2.0;
    return true;
}

// k = round(256 y.hi / ln 2) lies in [-261301, 261855] for y.hi in
// [-707.5, 709] (707.5 and 709 times 369.33 are 261300.9 and 261854.9), so
// k >> 8 in [-1021, 1022]: H in [0.99, 2.01] rounds to at most 2, and
// 2^binade times it is a normal double, at least 0.99 * 2^-1021 and at most
// 2^1023, the scaling exact; exp_fast_phase takes the same steps there.
namespace {

[[gnu::always_inline]] inline double normal_range_fast_phase(double y_hi, double y_lo, double relative_error) {
    const exp_unrounded v = exp_fast_value(y_hi, y_lo);
    double upper;
    if (!rounded_surely(v.hi, v.lo, v.hi * relative_error, upper)) return 0.0;
    return upper * power_of_two(v.binade);
}

}  // namespace

double exp_fast_phase_in_normal_range(double y_hi, double y_lo, double relative_error) {
    return normal_range_fast_phase(y_hi, y_lo, relative_error);
}

double exp_fast_phase_in_normal_range(double y_hi, double y_lo) {
    return normal_range_fast_phase(y_hi, y_lo, exp_fast_phase_error);
}

// The double-double evaluation: split_exp is good to about 2^-90 relative,
// and the arguments handed here carry at most 2^-90 of their own (the
// product b ln a of a power); a rounding test at 2^-75 leaves a wide margin.
// Results near or beyond the ends of the normal range go on to the wide
// evaluation, which rounds or truncates them exactly.
bool exp_double_double_phase(double_double y, double& result) {
    const exp_split s = split_exp(y);
    if (s.exponent < -1021 || s.exponent > 1022) return false;
    const double_double v = add(s.fraction, 1.0);  // in [0.7, 1.42]
    double upper;
    if (!rounded_surely(v.hi, v.lo, v.hi * accurate_exp_log_error, upper)) return false;
    result = upper * power_of_two(s.exponent);
    return true;
}

bool exp_by_double_phases(double y_hi, double y_lo, double& result) {
    const double_double y{y_hi, y_lo};
    return exp_fast_phase(y, result) || exp_double_double_phase(y, result);
}

namespace {

// e^x where the fast phase has not decided, or outside its normal range.
[[gnu::noinline]] double exp_after_fast_phase(double x) {
    if (is_nan(x)) return pass_nan(x);
    if (x > 710.0) return positive_infinity;  // e^710 > largest double
    if (x < -746.0) return 0.0;               // e^-746 < 2^-1076
    double result;
    if (exp_by_double_phases(double_double{x, 0.0}, result)) return result;
    return wide_exp_rounded(wide_from_double(x), TinyResult::round_to_nearest);
}

}  // namespace

// The common range first, by two comparisons (NaN fails both): there the fast
// phase's result is a normal double and needs no range checks; here it is
// inline, so that on 32-bit x86 nothing passes through memory (arguments
// and results of calls do there).
double exp_kernel(double x) {
    if (x >= exp_normal_range_low && x <= exp_normal_range_high) [[likely]] {
        const double fast = normal_range_fast_phase(x, 0.0, exp_fast_phase_error);
        if (fast != 0.0) return fast;
    }
    return exp_after_fast_phase(x);
}

}  // namespace vyxmath
