#include "real/trig/circular.h"

#include "common/ieee_double.h"
#include "real/constants.h"
#include "real/double_double.h"
#include "real/double_pair.h"
#include "real/error_bound.h"
#include "real/trig/angle_reduction.h"
#include "real/trig/circular_detail.h"
#include "real/trig/taylor_kernels.h"
#include "real/trig/trig_constants.h"
#include "real/trig/wide_angle_functions.h"

namespace vyxmath {
namespace {

namespace tc = trig_constants;

// Below these, sin x and tan x round to x itself. The spacing of the doubles
// next to x is at least 2^-53 |x| on either side (2^-53 |x| below a power of
// two, 2^-52 |x| above it, and never less inside a binade), so a value within
// 2^-54 |x| of x rounds to x. sin x lies below |x| by less than |x|^3/6,
// under 2^-54.5 |x| for |x| < 2^-26; tan x lies above it by less than
// |x|^3/3, under 2^-55.5 |x| for |x| < 2^-27 (but 2^-53.5 |x| at 2^-26).
constexpr double sine_identity_limit = 0x1.0p-26;
constexpr double tangent_identity_limit = identity_limit;
// cos x = 1 - x^2/2 + ... lies within 2^-55 of 1 for |x| < 2^-27, and the
// double below 1 is 2^-53 away.
constexpr double cosine_identity_limit = 0x1.0p-27;

// The fast phases reduce arguments below this by pi/512 (sine, cosine) or
// pi/1024 (tangent) in pieces (Cody and Waite) whose products with the
// quotient are exact.
constexpr double fast_reduction_limit = 0x1.0p20;

constexpr double reduction_limit = 0x1.0p63;

// Relative error bounds of the phases (see sine_at_step, tangent_at_step and
// the double-double kernels), with a margin; a result is kept when both ends
// of its error interval round to the same double.
constexpr double fast_sine_error = 0x1.6a09e667f3bcdp-66;  // 2^-65.5
constexpr double fast_tangent_error = 0x1.0p-66;
// The double-double phase: the series' budgets (taylor_kernels.h) and the
// reduction's relative error, below 2^-85 of r, which moves sin r by as much
// of it and cos r by r tan r <= 0.82 (pi/4 + 2^-30) times as much; the
// tangent's quotient adds both series, its division (2^-103) and for the
// reduction r (1 + tan^2 r) / tan r <= 2 times its error. The test's bound
// keeps a factor of 4 over each.
constexpr double accurate_error = accurate_angle_error;
namespace accurate_budget {
namespace eb = error_bound;
constexpr double reduction = eb::two_to_minus(85);
constexpr double sine = eb::sum(sine_of_reduced_error, reduction);
constexpr double cosine = eb::sum(cosine_of_reduced_error, reduction);
constexpr double tangent =
    eb::sum(sine_of_reduced_error, cosine_of_reduced_error, eb::product(2, reduction), eb::two_to_minus(103));
static_assert(eb::product(4, eb::larger(eb::larger(sine, cosine), tangent)) <= accurate_error);
}  // namespace accurate_budget

// Signs as the sign bit alone, for with_sign_flipped: one XOR, where a
// product by -1 would take a multiplier.
constexpr double sign_of_half[2] = {0.0, -0.0};
constexpr double top_26_bits = from_bits(~((std::uint64_t{1} << 27) - 1));

// The fast phases reduce by steps s = pi/N at once (N = 512 for the sine and
// cosine, 1024 for the tangent): x = k s + r with k the integer nearest x/s
// and |r| <= (1/2 + 2^-23) s (x/s is rounded twice, by 2^-23.6 at most below
// 2^20), r = hi + lo. k below 2^28.4 and the pieces' lengths
// (trig_constants.h: at most 24 or 25 bits, so that k c1, k c2 and k c3 are
// exact) and grids make x - k c1 and (x - k c1) - k c2 exact: for k != 0,
// |x| >= 2^-10, and x, k c1 and k c2 are multiples of 2^-62 (of 2^-61 for
// pi/512, |x| >= 2^-9), the second difference lying below 2^-9.3 (2^-8.3),
// and the first too for k = 1; for k >= 2, x lies within a factor of two of
// k c1 (Sterbenz). With |r1| >= |k c3|
// (ensured by the remainder limit: |k c3| < 2^-34.4 for pi/512, 2^-29.7 for
// pi/1024), hi + e = r1 - k c3 is exact (Dekker); the roundings of k c4 and of
// e - k c4 and the rest of s beyond c4 err by 3 * 2^-108.6 < 2^-107 (pi/512;
// 3 * 2^-106.8 < 2^-105 for pi/1024) in all, and |lo| < 2^-55.6 (2^-53.8).
// The polynomials take rr = r1 - beyond rounded (split_by_step) instead of
// hi + lo: it does not wait for hi and lo, and lies within 2^-53 |r| +
// 2^-87.8 of r (2^-82.4 for pi/1024), below (1 + 2^-5.8) 2^-53 |r| for |r|
// >= 2^-29 ((1 + 2^-1.4) 2^-53 |r| for pi/1024, |r| >= 2^-28).
struct step_reduced {
    std::uint32_t step;  // k modulo 2^32
    double hi;
    double lo;
};

//
// Below |x| = 64 (k below 2^14.35) a step in three pieces does it in three
// fewer operations (short_c1, short_c2 of at most 38 bits: k c1 and k c2
// exact): r1 = x - k c1 is exact (Sterbenz for |k| >= 2; for |k| = 1, x and
// c1 are multiples of 2^-62, 2^-61 for pi/512, and |r1| < 2^-9.3, 2^-8.3),
// rh + e = r1 - k c2 exactly (Dekker, |k c2| < 2^-32 <= |r1|), and lo = e -
// k c3 rounds once; k c3 (below 2^-70) rounds by 2^-123 and the step beyond
// c3 costs k 2^-138 < 2^-123: the bounds above hold as they stand.
struct step_constants {
    double per_radian, c1, c2, c3, c4, remainder_limit, short_c1, short_c2, short_c3;
    // The step beyond its exact leading pieces as one double each: c3 + c4
    // (rounded by 2^-112.2 for pi/1024, 2^-117 for pi/512) and short_c2 +
    // short_c3 (by 2^-101.8, 2^-100.8).
    double beyond, short_beyond;
};

constexpr step_constants sine_steps = {
    tc::sine_steps_per_radian,   tc::sine_step_c1,       tc::sine_step_c2,       tc::sine_step_c3,
    tc::sine_step_c4,            0x1.0p-29,              tc::sine_short_step_c1, tc::sine_short_step_c2,
    tc::sine_short_step_c3,      tc::sine_step_c3 + tc::sine_step_c4,
    tc::sine_short_step_c2 + tc::sine_short_step_c3};
constexpr step_constants tangent_steps = {
    tc::tangent_steps_per_radian, tc::tangent_step_c1,       tc::tangent_step_c2,       tc::tangent_step_c3,
    tc::tangent_step_c4,          0x1.0p-28,                 tc::tangent_short_step_c1, tc::tangent_short_step_c2,
    tc::tangent_short_step_c3,    tc::tangent_step_c3 + tc::tangent_step_c4,
    tc::tangent_short_step_c2 + tc::tangent_short_step_c3};
constexpr double short_reduction_limit = 64.0;

// The products the reductions take as exact, from the pieces and the
// limits: k c1, k c2 and k c3 for |x| below the fast reduction limit, k
// short_c1 and k short_c2 below the short one.
template <const step_constants& s>
constexpr bool step_products_exact() {
    using error_bound::product_is_exact;
    const double k = fast_reduction_limit * s.per_radian + 0.5;
    const double short_k = short_reduction_limit * s.per_radian + 0.5;
    return product_is_exact(s.c1, k) && product_is_exact(s.c2, k) && product_is_exact(s.c3, k) &&
           product_is_exact(s.short_c1, short_k) && product_is_exact(s.short_c2, short_k);
}
static_assert(step_products_exact<sine_steps>() && step_products_exact<tangent_steps>());

constexpr double step_shifter = 0x1.8p52;

// k = x / step rounded to the nearest integer, by the shifter: its low 32
// bits hold k modulo 2^32 (the row and the quarter), and less the shifter
// it is k as a double. For |x| < 2^20, where |k| < 2^28.4.
struct step_quotient {
    std::uint32_t step;
    double k;
};

template <const step_constants& s>
inline step_quotient quotient_by_step(double x) {
    const double shifted = x * s.per_radian + step_shifter;
    return {static_cast<std::uint32_t>(to_bits(shifted)), shifted - step_shifter};
}

// x - k c1 (- k c2 from |x| = 64 on), exact.
template <const step_constants& s>
inline double leading_remainder(double x, double k) {
    return magnitude(x) < short_reduction_limit ? x - k * s.short_c1 : (x - k * s.c1) - k * s.c2;
}

// x - k s as r1 - beyond for the rows past the first: r1 exact, beyond the
// product of k and the step beyond its leading pieces, rounded. Below |x| =
// 64 it errs by 2^-86.2 (the product, below 2^-33.1, rounds by 2^-87; the
// constant's rounding times k, below 2^14.35, weighs 2^-87.5); above, by
// 2^-82.4 for pi/1024 (k below 2^28.4: 2^-83 and 2^-83.8) and 2^-87.8 for
// pi/512 (2^-88 and 2^-89.6). For |x| < 2^20.
struct step_split {
    std::uint32_t step;  // k modulo 2^32
    double r1, beyond;
};

template <const step_constants& s>
inline step_split split_by_step(double x) {
    const step_quotient q = quotient_by_step<s>(x);
    const double beyond = q.k * (magnitude(x) < short_reduction_limit ? s.short_beyond : s.beyond);
    return {q.step, leading_remainder<s>(x, q.k), beyond};
}

// For |x| < 2^20; false when the remainder falls below the limit (the
// accurate phase's reduction keeps its relative accuracy under any
// cancellation).
template <const step_constants& s>
inline bool reduce_by_step(double x, step_reduced& out) {
    const auto [step, k] = quotient_by_step<s>(x);
    const bool short_step = magnitude(x) < short_reduction_limit;
    const double r1 = leading_remainder<s>(x, k);
    const double pa = k * (short_step ? s.short_c2 : s.c3);
    const double pb = k * (short_step ? s.short_c3 : s.c4);
    const double rh = r1 - pa;
    const double lo = ((r1 - rh) - pa) - pb;
    if (magnitude(rh) < s.remainder_limit) return false;
    out = {step, rh, lo};
    return true;
}

// sin(a + r) for a = m pi/512 (m = k + 256 for the cosine, modulo 1024, so
// that cos x = sin(x + pi/2)), from A = sin a and B = cos a at m modulo 512,
// the sign from the half period:
//   sin(a + r) = A + B r + A (cos r - 1) + B (sin r - r).
// Past the first row (m modulo 512 != 0) A is held as A lead + A trail, the
// lead a multiple of 2^-52 (A rounded to one: |A - lead| <= 2^-53), and B as
// Bh + Bt with Bh a multiple of 2^-27 (|Bt| <= 1.5 * 2^-28); r comes split
// by the step, r1 - beyond, r1 as head + (r1 - head), the head r1 rounded
// to a multiple of 2^-25 (at most 17 bits, as |r1| < 2^-8.3) and r1 - head
// exact (at most 2^-26); the rest of r, (r1 - head) - beyond, is rounded
// once. Bh head is exact (27 + 17 bits) and a multiple of 2^-52,
// and so is A lead + Bh head, below 2: hi is that sum, exact, with no
// correction term. lo gathers A trail + (Bh rest + Bt rr) and the two
// tails. cos r - 1 to r^6 and sin r - r to r^7 (the rest below 2^-81 R), as
// r^2 P(r^2) and r^3 Q(r^2) with rr for r, r^3 formed beside Q. The order of
// the sums keeps the chain of dependent operations short (the polynomials
// need only rr), so that the calls of a loop overlap more; and as rh and lo
// are not formed, every error past the first row is bounded absolutely,
// against R, however small the remainder. Error bound, relative to the result R, with
// u = 2^-53, |r| <= rho = (1/2 + 2^-23) pi/512 < 2^-8.34 and the ratios
// A <= 2.0001 R, |B r| <= 1.0001 R (a + r lies in [pi/1024, pi - pi/1024]
// up to 2^-23 of a step, so R >= sin(pi/1024) > 2^-8.35):
//   A (cos r - 1), at most rho^2 R = 2^-16.7 R: rr (above, 1.03u, for
//     |r| >= 2^-29; below, its 2^-87.4 absolute weighs under 2^-110 R)
//     squared (3.1u), A hi (u), the product by A, the polynomial's last
//     sum and its product (3u): 7.1u of it                         2^-66.9
//   B (sin r - r), at most rho^2/6 R = 2^-19.3 R: B, rr^3 (4.1u), B rr^3,
//     the polynomial and the product (3u): 9.1u of it              2^-68.9
//   the two tails' sum (below 2^-16.45 R)                          2^-69.4
//   the last addition to lo: the linear terms below 2^-25.9, that
//     is 2^-17.55 R, and the tails, so lo below 2^-15.85 R            2^-68.85
//   the linear terms, below 2^-25.9 absolute: the rest of r (beyond,
//     below 2^-33.1, off by 2^-86.2; the difference, below 2^-25.99,
//     rounded by 2^-79), times Bh <= 1; Bh rest, its sum with Bt rr
//     (below 2^-35.8, rounded by 2^-89) and the sum with A trail,
//     2^-79 each: 2^-77 absolute                                   2^-68.65
//   A trail (one rounding of 2^-106) and Bt (2^-81 |r|)            2^-80
//   the reduction, 2^-107 absolute, for R >= |r| >= 2^-29           2^-78
//   series and table values                                        2^-80
// in all (fast_sine_budget below, summed by the compiler) and with the
// rounding of lo +- err (the last addition's figure again) within the test's
// bound fast_sine_error.
// On the first row (A = 0, B = 1: |R| near |r|, down to 2^-29, the
// remainder limit) hi is the head alone and the linear terms' roundings
// would be of R's own size, so there r is reduced again as rh + lo, and rh
// split exactly in halves of 26 bits: Bh rh1 exact, hi = A + Bh rh1 with
// its exact error, and the linear terms Bh rh2 + Bt rh + B rl below 2^-25 R
// round below 2^-76 R; the bound above holds the same (the linear terms'
// 2^-68.65 there becomes 2^-76).
namespace fast_sine_budget {
namespace eb = error_bound;
constexpr double least_result = eb::two_to_minus(8.35);  // R, past the first row
constexpr double cosine_tail = eb::roundings(7.1, eb::two_to_minus(16.7));
constexpr double sine_tail = eb::roundings(9.1, eb::two_to_minus(19.3));
constexpr double tails_sum = eb::roundings(1, eb::two_to_minus(16.45));
constexpr double last_addition = eb::roundings(1, eb::two_to_minus(15.85));
constexpr double linear_terms = eb::two_to_minus(77) / least_result;
constexpr double trail_and_b_tail = eb::two_to_minus(80);
constexpr double reduction = eb::two_to_minus(78);
constexpr double tables = eb::two_to_minus(80);
constexpr double value = eb::sum(cosine_tail, sine_tail, tails_sum, last_addition, linear_terms, trail_and_b_tail,
                                 reduction, tables);
constexpr double test_rounding = last_addition;
static_assert(eb::sum(value, test_rounding) <= fast_sine_error);
}  // namespace fast_sine_budget

using fast_sine_polynomials::s3, fast_sine_polynomials::s5, fast_sine_polynomials::s7, fast_sine_polynomials::c2,
    fast_sine_polynomials::c4, fast_sine_polynomials::c6;

// sin x or tan x within half a step of 0 (k = 0: |x| < 2^-8.34 for the sine,
// 2^-9.35 for the tangent), as x + x^3 (c3 + x^2 (c5 + x^2 c7)): the next
// term is below 2^-80 |x| (2^-85.3 for the sine). lo = x^3 P lies below
// 2^-19.3 |x| and errs by 4.2 u of it (x^2, x^3, P with its rounded c3,
// the product): below 2^-70 of the result with the rest, and the test's
// rounding of lo +- err below 2^-72, far inside either fast phase's bound.
// It spares small arguments the table and the reduction.
inline double_double odd_series_near_zero(double x, double c3, double c5, double c7) {
    const double x2 = x * x;
    return {x, (x2 * x) * (c3 + x2 * (c5 + x2 * c7))};
}

// cos x within half a step of 0 (|x| < 2^-8.34) as 1 + x^2 (-1/2 + x^2 (1/24
// - x^2/720)): the next term below 2^-82; lo, below 2^-17.7, errs by 2.1 u
// of it (x^2, the first sum, the product), below 2^-69.6 of the result.
inline double_double even_series_near_zero(double x) {
    const double x2 = x * x;
    return {1.0, x2 * (c2 + x2 * (c4 + x2 * c6))};
}

// The rows past the first, made here from sine_cosine_table (A hi, A lo, B
// head of 27 bits, B tail): the lead and trail of A, A hi itself for the
// tail A (cos r - 1), Bh, Bt and B = Bh + Bt rounded. Adding and taking away
// 1 rounds A in [0, 1] to a multiple of 2^-52, and 1.5 * 2^25 rounds B to a
// multiple of 2^-27; the asserts check both.
struct sine_row {
    double a_lead, a_trail, a_hi, b_head, b_tail, b;
};
struct sine_rows {
    sine_row rows[tc::sine_table_steps];
};
constexpr sine_rows make_sine_rows() {
    sine_rows t{};
    for (int m = 0; m < tc::sine_table_steps; ++m) {
        const double* e = tc::sine_cosine_table[m];
        const double lead = (e[0] + 1.0) - 1.0;
        const double head = (e[2] + 0x1.8p25) - 0x1.8p25;
        t.rows[m] = {lead, (e[0] - lead) + e[1], e[0], head, (e[2] - head) + e[3], e[2] + e[3]};
    }
    return t;
}
constexpr sine_rows sine_table_rows = make_sine_rows();
constexpr bool on_grid(double v, double unit) { return (v / unit) == static_cast<double>(static_cast<long long>(v / unit)); }
constexpr bool sine_rows_on_their_grids() {
    for (const sine_row& r : sine_table_rows.rows)
        if (!on_grid(r.a_lead, 0x1p-52) || !on_grid(r.b_head, 0x1p-27) || r.b_tail > 0x1.8p-28 || r.b_tail < -0x1.8p-28)
            return false;
    return true;
}
static_assert(sine_rows_on_their_grids());

// What the sine at every table point takes from the remainder: rh in a head
// of 17 bits and its tail (and in 26-bit halves for the first row), r^2 and
// r^3 from rr, and the polynomials of cos r - 1 over r^2 and of sin r - r
// over r^3. The two tails, A (cos r - 1) and B (sin r - r), take the same
// steps on different numbers, so they go side by side in the two lanes of
// one register: the same bits as two scalar evaluations, with half the
// multiplications and additions (which bound how fast independent calls
// can go; pairing the other products too cost more in moving lanes than it
// saved).
// The remainder as the rows past the first take it, split by the step (r =
// r1 - beyond): r1's head, rounded to a multiple of 2^-25, the rest of r,
// (r1 - head) - beyond, rounded once, and v = r1 - beyond rounded for the
// polynomials.
struct remainder_terms {
    double head, rest, v;
    double_pair powers, polynomials;
};

constexpr double to_multiple_of_2_to_minus_25 = 0x1.8p27;

inline remainder_terms terms_of(const step_split& p) {
    const double v = p.r1 - p.beyond;
    const double head = (p.r1 + to_multiple_of_2_to_minus_25) - to_multiple_of_2_to_minus_25;
    const double r2 = v * v;
    const double_pair square = both(r2);
    return {head, (p.r1 - head) - p.beyond, v, pair_of(r2, v * r2),
            pair_of(c2, s3) + square * (pair_of(c4, s5) + square * pair_of(c6, s7))};
}

// A (cos r - 1) + B (sin r - r), the two tails side by side in the lanes.
inline double sine_tails(double a, double b, const remainder_terms& t) {
    const double_pair tail_pair = (pair_of(a, b) * t.powers) * t.polynomials;
    return tail_pair[0] + tail_pair[1];
}

// sin(a + r) as hi + lo past the first row.
inline double_double sine_at_row(const sine_row& row, const remainder_terms& t) {
    const double hi = row.a_lead + row.b_head * t.head;  // exact
    const double tails = sine_tails(row.a_hi, row.b, t);
    const double linear = row.b_head * t.rest + row.b_tail * t.v;
    return {hi, (row.a_trail + linear) + tails};
}

// sin r as hi + lo on the first row (A = 0, B = 1), r reduced again as rh +
// lo and rh split exactly; false where the remainder is below the limit.
[[gnu::noinline]] bool sine_at_first_row(double x, const remainder_terms& t, double_double& value) {
    step_reduced r;
    if (!reduce_by_step<sine_steps>(x, r)) return false;
    const double* row = tc::sine_cosine_table[0];
    const double ah = row[0], al = row[1], bh = row[2], bt = row[3];
    const double_double halves = split(r.hi);
    const double product = bh * halves.hi;  // exact
    const double hi = ah + product;
    const double hi_error = product - (hi - ah);
    const double b = bh + bt;
    const double tails = sine_tails(ah, b, t);
    const double linear = bh * halves.lo + (bt * r.hi + b * r.lo);
    value = {hi, (hi_error + (al + linear)) + tails};
    return true;
}

// The value before rounding, unsigned, and the sign of the half period as
// +0.0 or -0.0 (with_sign_flipped applies it).
template <std::uint32_t quarter_turns>
inline bool sine_value_at_step(double x, double_double& value, double& sign) {
    const step_split p = split_by_step<sine_steps>(x);
    if (p.step == 0) [[unlikely]] {
        if constexpr (quarter_turns == 0) {
            if (magnitude(x) < sine_steps.remainder_limit) return false;
            value = odd_series_near_zero(x, s3, s5, s7);
        } else {
            value = even_series_near_zero(x);
        }
        sign = 0.0;
        return true;
    }
    const std::uint32_t m = p.step + quarter_turns * (tc::sine_table_steps / 2);
    const std::uint32_t row = m % tc::sine_table_steps;
    const remainder_terms terms = terms_of(p);
    if (row != 0) {
        value = sine_at_row(sine_table_rows.rows[row], terms);
    } else if (!sine_at_first_row(x, terms, value)) {
        return false;
    }
    sign = sign_of_half[(m / tc::sine_table_steps) & 1];
    return true;
}

template <std::uint32_t quarter_turns>
inline bool sine_at_step(double x, double& result) {
    double_double v;
    double sign;
    if (!sine_value_at_step<quarter_turns>(x, v, sign)) return false;
    double rounded;
    const bool decided = rounded_surely(v.hi, v.lo, v.hi * fast_sine_error, rounded);
    result = with_sign_flipped(rounded, sign);
    return decided;
}

reduced_angle reduce_accurately(double x) {
    if (magnitude(x) < reduction_limit) return reduce_by_half_pi(x);
    const large_argument_remainder r = remainder_by_large_period(x);
    return reduce_by_half_pi_exactly(r.magnitude, 0, r.negative != sign_bit(x));
}

double_double sine_or_cosine_accurately(double x, bool cosine) {
    const reduced_angle a = reduce_accurately(x);
    const int quadrant = (a.quadrant + (cosine ? 1 : 0)) & 3;
    const double_double v = (quadrant & 1) == 0 ? sine_of_reduced(a.remainder) : cosine_of_reduced(a.remainder);
    return quadrant >= 2 ? negate(v) : v;
}

// The double-double phase, then the wide one.
double sine_after_fast(double x) {
    const double_double v = sine_or_cosine_accurately(x, false);
    double rounded;
    if (rounded_surely(v.hi, v.lo, magnitude(v.hi) * accurate_error, rounded)) return rounded;
    return wide_sine(x);
}

double cosine_after_fast(double x) {
    const double_double v = sine_or_cosine_accurately(x, true);
    double rounded;
    if (rounded_surely(v.hi, v.lo, magnitude(v.hi) * accurate_error, rounded)) return rounded;
    return wide_cosine(x);
}

double tangent_after_fast(double x) {
    const reduced_angle a = reduce_accurately(x);
    const double_double s = sine_of_reduced(a.remainder);
    const double_double c = cosine_of_reduced(a.remainder);
    // tan(r + pi/2) = -cos r / sin r.
    const double_double v = (a.quadrant & 1) == 0 ? divide(s, c) : negate(divide(c, s));
    double rounded;
    if (rounded_surely(v.hi, v.lo, magnitude(v.hi) * accurate_error, rounded)) return rounded;
    return wide_tangent(x);
}

// tan x for x = k pi/1024 + r (m = k modulo 1024 and its quarter q = m / 256):
// about the table point a = j pi/1024, j = m - 256 q, in the even quarters,
// and j = 256 (q + 1) - m with r negated in the odd ones (tan(pi/4 + y) =
// 1/tan(pi/4 - y)), the value t = tan(a +- r) gives tan x = t, 1/t, -1/t,
// -t in the quarters 0 .. 3. tan(a + v) = b0 + b1 v + v^2 (b2 + ... + b7 v^5),
// v = +-r. Past the first row r comes split by the step, r1 - beyond
// (split_by_step), each part flipped where the quarter is odd; the
// polynomial takes v = r1 - beyond rounded. b0 = lead + trail (lead a
// multiple of 2^-52) and r1 = head + (r1 - head), the head a multiple of
// 2^-26: lead + b1 head * head is exact (tangent_first_part), and b1 head
// times the rest of r, (r1 - head) - beyond, and b1 tail v join the trail.
// So neither rh nor lo is formed there, and every error past the first row
// is bounded absolutely, against R = tan(a + v) >= tan(pi/2048) > 2^-9.35,
// however small the remainder: only the first row needs the remainder
// limit. There, where b0 = 0 and R is near |r|, r is reduced again as rh +
// lo, rh split exactly in 26-bit halves, b1 head times the high half exact,
// and the linear terms left are below 2^-25 R. Past the first row b1/R is
// at most 2^9.35 (on row 1, b1 = 1 + b0^2 being near 1 where R is least).
// The generator bounds, relative to R over every row, the terms from b2
// on, T, and the dropped ones (tangent_terms_log2, tangent_dropped_log2 in
// trig_constants.h). Error bound, relative to R:
//   T: v (1.38 * 2^-53 for |r| >= 2^-28; below, its 2^-82.4 absolute
//     moves T by less than 2^-98 R), v^2, the polynomial's sums and
//     products (b2 + b3 v first, the pair's sum added to it), the product:
//     6.95 * 2^-53 T
//   lo + T: the rest of r below 2^-26.73 (r1 - head exact and below
//     2^-27, beyond below 2^-29.65), so b1 head times it below
//     2^-17.38 R and lo + T below 2^-16.36 R: its rounding          2^-69.36
//   b2 .. b7 rounded                                               2^-53 T
//   dropped terms
//   the linear terms past the first row: the rest of r rounded by
//     2^-80 and beyond's 2^-82.4, times b1 head; that product and the
//     two sums after it, b1 2^-79.73 each: 4 b1 2^-79.73 absolute
//     (on the first row below 2^-76 R)                             2^-68.38
//   the reduction on the first row (2^-105 on |r| >= 2^-28, times
//     b1 <= 2.02)                                                  2^-76
//   table values, the trail, the rounding of b1 tail v             2^-80
// in all fast_tangent_budget::value below. For 1/t, t = hi + lo: q, the reciprocal of hi + lo
// rounded, cut to 26 bits (its low 27 bits cleared), within 2^-24.99 of
// 1/t; e = 1 - q t from the exact product of q and the top 26 bits of hi
// (1 - q head exact by Sterbenz, q head lying within 2^-16 of 1) less q
// times the rest of hi (27 bits, exact) and lo summed: that sum, below
// 2^-16.35 t, and its product by q round by 2^-69.35 each, so that e errs
// by 2^-68.34 with |e| < 2^-24.99; 1/t = q (1 + e + e^2 + ...) taken to
// e^2 as (q e)(1 + e), whose factors do not wait for each other (the rest
// below 2^-74.9; the three roundings below 2^-76.4). The rounding of lo +-
// err in the test is below 2^-78 for 1/t (|lo| < 2^-24.9 |hi|), and below
// 2^-69.36 for t, whose low part is left unnormalised (below 2^-16.36
// |hi|): in all within fast_tangent_error for t and for 1/t, the compiler
// summing both budgets below.
namespace fast_tangent_budget {
namespace eb = error_bound;
constexpr double terms = eb::two_to(tc::tangent_terms_log2);  // T / R, the generator's
constexpr double polynomial = eb::roundings(6.95, terms);
constexpr double last_addition = eb::roundings(1, eb::two_to_minus(16.36));
constexpr double coefficients = eb::roundings(1, terms);
constexpr double dropped_terms = eb::two_to(tc::tangent_dropped_log2);
constexpr double linear_terms = eb::product(4 * eb::two_to_minus(79.73), eb::two_to(9.35));  // b1 / R <= 2^9.35
constexpr double first_row_reduction = eb::two_to_minus(76);
constexpr double tables = eb::two_to_minus(80);
constexpr double value = eb::sum(polynomial, last_addition, coefficients, dropped_terms, linear_terms,
                                 first_row_reduction, tables);
constexpr double correction = eb::sum(eb::roundings(1, eb::two_to_minus(16.35)), eb::two_to_minus(69.35));  // e
constexpr double reciprocal =
    eb::sum(value, correction, eb::two_to_minus(74.9), eb::two_to_minus(76.4));  // e^3 on, the three roundings
static_assert(eb::sum(value, last_addition) <= fast_tangent_error);
static_assert(eb::sum(reciprocal, eb::two_to_minus(78)) <= fast_tangent_error);
}  // namespace fast_tangent_budget
// The rows as the fast phase reads them, one row in one place: b0 = tan a
// (a = j pi/1024, j = 0 .. 256) as lead + trail, the lead b0 rounded to a
// multiple of 2^-52 (adding and taking away 1 does it, b0 being at most 1),
// the trail (b0 hi - lead) + b0 lo rounded once (2^-106); then b1 as head
// (26 bits) + tail, b2 and b3, and b4 .. b7 as the pairs {b4, b6} and {b5,
// b7}: v^2 (b4 + b5 v) and v^4 (b6 + b7 v) side by side in one register.
struct alignas(16) tangent_row {
    double lead, trail, b1_head, b1_tail, b2, b3;
    double_pair b4_b6, b5_b7;
};
struct tangent_rows {
    tangent_row rows[tc::tangent_row_count];
};
constexpr tangent_rows make_tangent_rows() {
    tangent_rows t{};
    for (int j = 0; j < tc::tangent_row_count; ++j) {
        const double* source = tc::tangent_table[j];
        const double lead = (source[0] + 1.0) - 1.0;
        tangent_row& row = t.rows[j];
        row = {lead,      (source[0] - lead) + source[1],  source[2], source[3], source[4], source[5],
               pair_of(source[6], source[8]), pair_of(source[7], source[9])};
    }
    return t;
}
constexpr tangent_rows tangent_table_rows = make_tangent_rows();
constexpr bool tangent_rows_on_their_grids() {
    for (const tangent_row& row : tangent_table_rows.rows)
        if (!on_grid(row.lead, 0x1p-52) || !on_grid(row.b1_head, 0x1p-25)) return false;
    return true;
}
static_assert(tangent_rows_on_their_grids());

constexpr double to_multiple_of_2_to_minus_26 = 0x1.8p26;

// b0 + b1 r as hi + lo past the first row, from r split by the step (both
// parts flipped where the quarter is odd): r1's head, rounded to a multiple of 2^-26 (at
// most 17 bits, |r1| < 2^-9.3), times b1's head (26 bits, a multiple of
// 2^-25 as b1 lies in [1, 2]) is exact and a multiple of 2^-51, and so is
// its sum with b0's lead, below 2: one addition, exact. The rest of r,
// (r1 - head) - beyond, below 2^-26.73, rounds once by 2^-80 and needs
// neither rh nor lo.
inline double_double tangent_first_part(const tangent_row& row, double r1, double beyond, double v) {
    const double head = (r1 + to_multiple_of_2_to_minus_26) - to_multiple_of_2_to_minus_26;
    const double rest = (r1 - head) - beyond;
    return {row.lead + row.b1_head * head, (row.trail + row.b1_head * rest) + row.b1_tail * v};
}

// The same on the first row (b0 = 0, b1 = 1, where R is near |r| and may be
// as small as 2^-28): r reduced again as rh + lo, rh split exactly in halves
// of 26 bits. False where the remainder is below the limit.
[[gnu::noinline]] bool tangent_first_part_at_zero(double x, double v, double_double& first) {
    step_reduced r;
    if (!reduce_by_step<tangent_steps>(x, r)) return false;
    const tangent_row& row = tangent_table_rows.rows[0];
    const double_double hs = split(r.hi);
    const double_double s = fast_two_sum(row.lead, row.b1_head * hs.hi);
    first = {s.hi, ((row.b1_head * hs.lo + (row.b1_tail * v + row.b1_head * r.lo)) + row.trail) + s.lo};
    return true;
}

// t = tan(a +- r) as hi + (lo + tail), and whether tan x is +-1/t.
struct tangent_sum {
    double hi, lo, tail;
    bool reciprocal;
};

inline bool tangent_sum_at_step(double x, tangent_sum& t, double& sign) {
    const step_split p = split_by_step<tangent_steps>(x);
    if (p.step == 0) [[unlikely]] {
        if (magnitude(x) < tangent_steps.remainder_limit) return false;
        const double* first_row = tc::tangent_table[0];  // 0, 1, 0, 1/3, 0, 2/15, 0, 17/315
        const double_double v = odd_series_near_zero(x, first_row[5], first_row[7], first_row[9]);
        t = {v.hi, v.lo, 0.0, false};
        sign = 0.0;
        return true;
    }
    // With m = k modulo 1024 and its quarter q = m / 256, all from k + 256:
    // d = ((k + 256) mod 512) - 256 is m - 256 q in the even quarters and
    // m - 256 (q + 1) in the odd ones, where it is negative; so j = |d|, the
    // quarter is odd where d < 0, the reciprocal is taken where bit 9 of k +
    // 256 is set (quarters 1 and 2), and the result is negative where bit 9
    // of k is (quarters 2 and 3). The row is picked by that arithmetic, not
    // by a branch: the quarter of a random argument is random, and a branch
    // on it would be mispredicted half the time.
    constexpr std::uint32_t quarter_steps = tc::tangent_table_steps / 4;
    const std::uint32_t turned = p.step + quarter_steps;
    const std::uint32_t u = turned % (2 * quarter_steps);
    const std::uint32_t odd_mask = (u / quarter_steps) - 1;  // all ones where d = u - 256 < 0
    const std::uint32_t j = ((u - quarter_steps) ^ odd_mask) - odd_mask;
    const std::uint32_t odd = odd_mask & 1;
    const tangent_row row = tangent_table_rows.rows[j];
    const double flip = sign_of_half[odd];
    const double r1 = with_sign_flipped(p.r1, flip);
    const double beyond = with_sign_flipped(p.beyond, flip);
    const double v = r1 - beyond;
    const double v2 = v * v;
    const double_pair terms = pair_of(v2, v2 * v2) * (row.b4_b6 + both(v) * row.b5_b7);
    const double tail = v2 * ((row.b2 + v * row.b3) + (terms[0] + terms[1]));
    double_double first;
    if (j != 0) {
        first = tangent_first_part(row, r1, beyond, v);
    } else if (!tangent_first_part_at_zero(x, v, first)) {
        return false;
    }
    sign = sign_of_half[(p.step / (2 * quarter_steps)) & 1];
    t = {first.hi, first.lo, tail, (turned & (2 * quarter_steps)) != 0};
    return true;
}

// 1/t for quarters 1 and 2.
inline double_double reciprocal_of(const tangent_sum& t) {
    const double lo = t.lo + t.tail;
    const double q = kept_bits(1.0 / (t.hi + lo), top_26_bits);
    const double head = kept_bits(t.hi, top_26_bits);
    const double e = (1.0 - q * head) - q * ((t.hi - head) + lo);  // 1 - q t
    return {q, (q * e) * (1.0 + e)};
}

inline bool tangent_value_alone(double x, double_double& value, double& sign) {
    tangent_sum t;
    if (!tangent_sum_at_step(x, t, sign)) return false;
    value = t.reciprocal ? reciprocal_of(t) : double_double{t.hi, t.lo + t.tail};
    return true;
}

// tan x = +-t in quarters 0 and 3: hi + (lo + tail) as it stands, its low
// part unnormalised (below 2^-16.36 of the result, so that the rounding of
// lo +- err in the test adds below 2^-69.36 of it).
// The reciprocal is formed only in quarters 1 and 2, after a branch.
// On random arguments that branch goes either way at random, yet a
// mispredicted branch costs less than the reciprocal's dozen operations
// and division in every call: on 2^20 arguments in (-pi, pi) 14.7 ns a
// call against 14.9 with the reciprocal always formed and picked, and
// 13.4 against 14.7 on 4096 arguments that come round again. (The row
// stays picked by masks: with branches on the quarter there as well the
// 2^20 arguments took 19.0 ns against 16.8.)
inline bool tangent_at_step(double x, double& result) {
    tangent_sum t;
    double sign;
    if (!tangent_sum_at_step(x, t, sign)) return false;
    double rounded;
    bool decided;
    if (!t.reciprocal) {
        decided = rounded_surely(t.hi, t.lo + t.tail, t.hi * fast_tangent_error, rounded);
    } else {
        const double_double v = reciprocal_of(t);
        decided = rounded_surely(v.hi, v.lo, v.hi * fast_tangent_error, rounded);
    }
    result = with_sign_flipped(rounded, sign);
    return decided;
}

// Arguments the edge rules answer: NaN, infinities, and the identity range.
inline bool edge_result(double x, double limit, double identity_value, double& result) {
    if (is_nan(x)) {
        result = pass_nan(x);
    } else if (is_infinite(x)) {
        result = default_nan();
    } else if (magnitude(x) < limit) {
        result = identity_value;
    } else {
        return false;
    }
    return true;
}

}  // namespace

// The usual arguments, up to 2^20, go straight to the fast phase; the
// comparison is false for NaN and infinities. Below the remainder limit
// (2^-29, 2^-28 for the tangent) the sine's and tangent's fast phases
// decline (k = 0, r = x), and between that and the identity limit their
// series near 0 are within their bounds, so that the result is the same
// correctly rounded value the identity rule gives.
// Each fast phase is written out twice, below |x| = 64 and above, so that
// the step's size is tested once and either path runs straight: 4 % on the
// tangent's loop of 4096 arguments in (-pi, pi).
double sine(double x) {
    double result;
    const double a = magnitude(x);
    if (a < short_reduction_limit) {
        if (sine_at_step<0>(x, result)) return result;
    } else if (a < fast_reduction_limit && sine_at_step<0>(x, result)) {
        return result;
    }
    if (edge_result(x, sine_identity_limit, x, result)) return result;
    return sine_after_fast(x);
}

double cosine(double x) {
    double result;
    const double a = magnitude(x);
    if (a < short_reduction_limit) {
        if (sine_at_step<1>(x, result)) return result;
    } else if (a < fast_reduction_limit && sine_at_step<1>(x, result)) {
        return result;
    }
    if (edge_result(x, cosine_identity_limit, 1.0, result)) return result;
    return cosine_after_fast(x);
}

double tangent(double x) {
    double result;
    const double a = magnitude(x);
    if (a < short_reduction_limit) {
        if (tangent_at_step(x, result)) return result;
    } else if (a < fast_reduction_limit && tangent_at_step(x, result)) {
        return result;
    }
    if (edge_result(x, tangent_identity_limit, x, result)) return result;
    return tangent_after_fast(x);
}

bool sine_decided_fast(double x) {
    double result;
    return edge_result(x, sine_identity_limit, x, result) ||
           (magnitude(x) < fast_reduction_limit && sine_at_step<0>(x, result));
}

bool cosine_decided_fast(double x) {
    double result;
    return edge_result(x, cosine_identity_limit, 1.0, result) ||
           (magnitude(x) < fast_reduction_limit && sine_at_step<1>(x, result));
}

namespace {

template <bool (*value_at_step)(double, double_double&, double&)>
bool signed_fast_value(double x, double limit, double_double& value) {
    double sign;
    if (!(magnitude(x) >= limit && magnitude(x) < fast_reduction_limit && value_at_step(x, value, sign))) return false;
    value = {with_sign_flipped(value.hi, sign), with_sign_flipped(value.lo, sign)};
    return true;
}

}  // namespace

bool sine_fast_value(double x, double_double& value) {
    return signed_fast_value<sine_value_at_step<0>>(x, sine_identity_limit, value);
}

bool cosine_fast_value(double x, double_double& value) {
    return signed_fast_value<sine_value_at_step<1>>(x, cosine_identity_limit, value);
}

const double sine_fast_value_error = fast_sine_budget::value;
const double tangent_fast_value_error = error_bound::larger(fast_tangent_budget::value, fast_tangent_budget::reciprocal);

bool tangent_fast_value(double x, double_double& value) {
    return signed_fast_value<tangent_value_alone>(x, tangent_identity_limit, value);
}

bool tangent_decided_fast(double x) {
    double result;
    return edge_result(x, tangent_identity_limit, x, result) ||
           (magnitude(x) < fast_reduction_limit && tangent_at_step(x, result));
}

}  // namespace vyxmath
