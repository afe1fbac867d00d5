// After its first application the mixing step keeps v within -32767..32767,
// and there it is one of two affine maps modulo 2^15:
//
//   v >= 0:            v  <- (109 v + 1021) mod 2^15          (no wrap: 109 v + 1021 < 2^31)
//   v = -u, u >= 10:   u  <- (109 u - 1021) mod 2^15, v = -u  (109 u - 1021 > 0)
//   v = -u, 1 <= u <= 9: 109 v + 1021 lies in 40..912, so v becomes non-negative.
//
// So a walk is negative for a while (only if it starts negative), reaches some
// u <= 9 (u = 0 is v = 0), and from then on stays non-negative. Powers of an
// affine map x -> a x + b are affine again and are formed by repeated
// squaring, so the non-negative part costs 15 squarings whatever its length.
//
// The negative part ends at the first u <= 9. Both maps have full period 2^15
// (a = 109 is 1 mod 4 and b is odd), so the negative walk runs around one
// cycle through all of 0..32767, and what is needed is the distance along
// that cycle from u to the nearest of the ten exits 0..9. Distances along the
// cycle come from a discrete logarithm: for x' = a x + b modulo 2^15, the
// quantity Y(x) = (a - 1) x + b satisfies Y(x') = a Y(x) modulo (a - 1) 2^15,
// hence modulo 2^17 (as 108 = 4 * 27), and x <-> Y(x) mod 2^17 is one-to-one.
// So j steps lead from x to y exactly when a^j = Y(y) / Y(x) modulo 2^17.
// -Y(x) is 1 mod 4 here, and 109 (5 mod 8) generates the 2^15 units that are
// 1 mod 4, so the logarithm exists and is found bit by bit.
#include "integer/mixing_step.h"

#include <algorithm>
#include <array>

namespace vyxmath {
namespace {

constexpr std::uint32_t mixing_modulus = 32768;  // 2^15
constexpr std::uint32_t mixing_mask = mixing_modulus - 1;
constexpr std::uint32_t multiplier = 109;
constexpr std::uint32_t increment = 1021;
constexpr std::uint32_t negative_increment = mixing_modulus - increment;  // -1021 mod 2^15
constexpr std::int32_t last_exit = 9;  // u in 0..9 leaves the negative part

// x -> factor * x + offset modulo 2^15 (kept modulo 2^32, masked on use).
struct affine_map {
    std::uint32_t factor;
    std::uint32_t offset;

    // this after first
    constexpr affine_map after(affine_map first) const {
        return {factor * first.factor, factor * first.offset + offset};
    }
    constexpr std::uint32_t operator()(std::uint32_t x) const { return (factor * x + offset) & mixing_mask; }
};

constexpr affine_map non_negative_map{multiplier, increment};
constexpr affine_map negative_map{multiplier, negative_increment};

constexpr affine_map power(affine_map map, std::uint32_t count) {
    affine_map result{1, 0};
    for (; count != 0; count >>= 1) {
        if (count & 1) result = map.after(result);
        map = map.after(map);
    }
    return result;
}

// The j with 109^j = z modulo 2^17, for z = 1 mod 4. Invariant: before round
// i, z = h modulo 2^(i+2) with h = 109^j; 109^(2^i) is 1 + 2^(i+2) times an
// odd number, so multiplying h by it flips exactly bit i + 2 of h.
constexpr std::uint32_t log_mask = (1u << 17) - 1;
constexpr std::uint32_t discrete_log(std::uint32_t z) {
    std::uint32_t h = 1;
    std::uint32_t square = multiplier;  // 109^(2^i)
    std::uint32_t j = 0;
    for (int i = 0; i < 15; ++i) {
        const std::uint32_t low_bits = (1u << (i + 3)) - 1;
        if (((z - h) & low_bits) != 0) {
            h = (h * square) & log_mask;
            j |= 1u << i;
        }
        square = (square * square) & log_mask;
    }
    return j;
}

// Position of u on the negative map's cycle: log of -Y(u) = -(108 u - 1021).
constexpr std::uint32_t cycle_position(std::uint32_t u) {
    return discrete_log((0u - ((multiplier - 1) * u + negative_increment)) & log_mask);
}

constexpr std::array<std::uint32_t, last_exit + 1> exit_positions = [] {
    std::array<std::uint32_t, last_exit + 1> positions{};
    for (std::uint32_t u = 0; u <= last_exit; ++u) positions[u] = cycle_position(u);
    return positions;
}();

// Steps of the negative map from u (u > 9) to the first value 0..9.
std::uint32_t steps_to_exit(std::uint32_t u) {
    const std::uint32_t from = cycle_position(u);
    std::uint32_t nearest = mixing_modulus;
    for (std::uint32_t to : exit_positions) nearest = std::min(nearest, (to - from) & mixing_mask);
    return nearest;
}

}  // namespace

std::int32_t apply_mixing_steps(std::int32_t start, std::int32_t count) {
    if (count <= 0) return start;
    std::int32_t v = mixing_step(start);
    std::uint32_t remaining = static_cast<std::uint32_t>(count) - 1;
    if (v < -last_exit) {
        const auto u = static_cast<std::uint32_t>(-v);
        const std::uint32_t negative_steps = steps_to_exit(u);
        if (remaining < negative_steps) return -static_cast<std::int32_t>(power(negative_map, remaining)(u));
        v = -static_cast<std::int32_t>(power(negative_map, negative_steps)(u));
        remaining -= negative_steps;
    }
    if (v < 0) {
        if (remaining == 0) return v;
        v = mixing_step(v);
        --remaining;
    }
    return static_cast<std::int32_t>(power(non_negative_map, remaining)(static_cast<std::uint32_t>(v)));
}

}  // namespace vyxmath
