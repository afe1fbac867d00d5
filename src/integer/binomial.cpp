// The binomial routine runs up to 2^31 - 1 steps. The result here is that of
// the literal steps, reached by skipping runs of steps that provably repeat.
//
// Why runs repeat. A quotient of a 32-bit product by i has magnitude at most
// 2^31 / i, so late in the loop the running value r takes few values, and for
// a fixed r the step result changes only slowly with i:
//
//   * The factor n + 1 - i (as a 32-bit value) is linear in i, with at most one
//     wrap, where the exact difference would drop below -2^31.
//   * Between wraps the product p(i) = r * (n + 1 - i) modulo 2^32 is linear
//     too: p(i) = a - r * i for a constant a.
//   * So the step result q(i) = trunc(p(i) / i) = trunc(a / i - r) is monotone
//     in i, and the last i at which it still has the same value is found by
//     one division per bound (constancy_end).
//
// When the running value comes back to a value it had `period` steps earlier,
// and the step result of each value of that cycle stays the same up to some
// step W, the values repeat with that period up to W: whole periods are
// skipped at once. Periods are sought by doubling the distance to a marked
// value (Brent's cycle search), up to a longest period; early in the loop,
// where values do not repeat, the search costs one comparison per step.
//
// The running value is 0 for good once it is 0 (every later product is 0),
// so the loop also ends there; 0 <= n < k always ends at step n + 1, whose
// factor is 0.
//
// Cost. Until the values begin to repeat, steps are taken one by one. For
// most n the value reaches 0 or a short cycle within some 10^5 steps; the
// longest rows found take about 1.6 million steps (small negative n, near
// -1.7e5, whose value keeps growing to the wrap bound and falling back).
#include "integer/binomial.h"

#include <algorithm>
#include <limits>

namespace vyxmath {
namespace {

constexpr std::int64_t two_to_31 = std::int64_t{1} << 31;
constexpr std::int64_t unbounded = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t longest_period_sought = 1024;

// The last t with c * t <= a, given that it holds at some t >= 1: for c > 0 it
// fails from a / c + 1 on; for c <= 0 the left side never grows.
constexpr std::int64_t last_at_most(std::int64_t c, std::int64_t a) { return c > 0 ? a / c : unbounded; }

// The last t with c * t < a, under the same premise.
constexpr std::int64_t last_below(std::int64_t c, std::int64_t a) { return c > 0 ? (a - 1) / c : unbounded; }

// The last step index j >= i such that binomial_step(n, t, value) is the same
// for every t from i to j (unbounded when it never changes).
std::int64_t constancy_end(std::int32_t n, std::int64_t i, std::int32_t value) {
    const std::int64_t r = value;
    std::int64_t end = unbounded;

    // The 32-bit factor equals n + 1 - t until that drops below -2^31; past
    // that point it is n + 1 - t + 2^32, which stays in range to t = 2^31 - 1.
    if (std::int64_t{n} + 1 - i >= -two_to_31) end = std::int64_t{n} + 1 + two_to_31;

    const std::int32_t wrapped_product = binomial_product(n, i, value);
    // p(t) = a - r t while the exact product stays in the same 2^32 band.
    const std::int64_t a = wrapped_product + r * i;
    if (r > 0) end = std::min(end, last_at_most(r, a + two_to_31));  // p(t) >= -2^31
    if (r < 0) end = std::min(end, last_at_most(-r, two_to_31 - 1 - a));  // p(t) <= 2^31 - 1

    // q(t) = trunc(a / t - r) keeps the value q while a / t - r stays in the
    // truncation cell of q: [q, q + 1) for q > 0, (q - 1, q] for q < 0,
    // (-1, 1) for q = 0. Multiplied by t, each side is a linear bound in t.
    const std::int64_t q = wrapped_product / i;
    if (q > 0) {
        end = std::min(end, last_at_most(q + r, a));        // (q + r) t <= a
        end = std::min(end, last_below(-(q + r + 1), -a));  // a < (q + r + 1) t
    } else if (q < 0) {
        end = std::min(end, last_below(q + r - 1, a));      // (q + r - 1) t < a
        end = std::min(end, last_at_most(-(q + r), -a));    // a <= (q + r) t
    } else {
        end = std::min(end, last_below(r - 1, a));          // (r - 1) t < a
        end = std::min(end, last_below(-(r + 1), -a));      // a < (r + 1) t
    }
    return end;
}

}  // namespace

std::int32_t continue_binomial(std::int32_t n, std::int64_t completed, std::int32_t value, std::int32_t k) {
    if (completed >= k) return value;
    // The counters in 32 bits (step <= k < 2^31): on 32-bit x86 each 64-bit
    // one is a register pair.
    std::int32_t step = static_cast<std::int32_t>(completed);
    std::int32_t r = value;
    std::int32_t mark = r;
    std::int32_t since_mark = 0;
    std::int32_t search_length = 1;
    while (step < k && r != 0) {
        ++step;
        r = binomial_step(n, step, r);
        ++since_mark;
        if (r == mark) {
            // r repeats after `period` steps. Run the cycle once more with
            // literal steps: a value met twice on the way up and down a short
            // row (C(10, 3) and C(10, 7)) seldom closes a cycle, and the
            // extents below take 64-bit divisions. If it closes, run it once
            // more, taking the common extent over which each of its values
            // keeps its step result; if it closes again, skip every whole
            // period within it.
            const std::int32_t period = since_mark;
            for (std::int32_t j = 0; j < period && step < k; ++j) {
                ++step;
                r = binomial_step(n, step, r);
            }
            if (r == mark) {
                std::int64_t fixed_until = k;
                for (std::int32_t j = 0; j < period && step < k; ++j) {
                    fixed_until = std::min(fixed_until, constancy_end(n, step + 1, r));
                    ++step;
                    r = binomial_step(n, step, r);
                }
                if (r == mark && step < fixed_until)
                    step += static_cast<std::int32_t>((fixed_until - step) / period * period);  // step stays <= k
            }
            mark = r;
            since_mark = 0;
            search_length = 1;
        } else if (since_mark == search_length) {
            mark = r;
            since_mark = 0;
            search_length = std::min(2 * search_length, longest_period_sought);
        }
    }
    return r;
}

std::int32_t binomial_routine(std::int32_t n, std::int32_t k) {
    if (k <= 0) return 1;
    return continue_binomial(n, 0, 1, k);
}

}  // namespace vyxmath
