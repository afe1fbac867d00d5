// A shortcut from D * 10^p to the double, for digit strings whose integer D
// fits 64 bits: one 64 x 64-bit product with a 64-bit power of five decides
// the rounding, unless the value lies too close to a point where the
// extended scaling could round differently.
#pragma once

#include <cstdint>

namespace vyxmath {

// Sets `result` to D * 10^p as read_number rounds it, and returns true, when
// that rounding can be decided without the extended scaling; returns false
// otherwise (p outside -342..308, results outside the normal range, or a
// value near half or three quarters of a unit in the last place).
bool round_directly(std::uint64_t d, std::int64_t p, bool negative, double& result);

}  // namespace vyxmath
