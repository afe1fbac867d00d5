// The count generator behind n_rand: a 32-bit linear congruential generator
// with one state per thread. Each thread's state starts at 1 (the thread that
// loads the module included) and is never seeded; each draw advances it once,
// so every thread sees the same sequence of counts 41, 18467, 6334, ...
#pragma once

#include <cstdint>

namespace vyxmath {

inline constexpr std::uint32_t count_generator_start = 1;

// s <- s * 214013 + 2531011 modulo 2^32.
constexpr std::uint32_t advance_count_state(std::uint32_t state) { return state * 214013u + 2531011u; }

// The draw made from a freshly advanced state: its bits 16 to 30, 0..32767.
constexpr std::int32_t count_of_state(std::uint32_t state) { return static_cast<std::int32_t>((state >> 16) & 0x7FFF); }

// Advances the calling thread's state once and returns the draw (natively
// count_generator.cpp, in the Windows module frame/win32/count_state_slot.cpp).
std::int32_t draw_count();

}  // namespace vyxmath
