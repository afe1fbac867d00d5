// A double from its 64-bit pattern. On 32-bit x86 the pattern sits in two
// 32-bit registers; the plain bit cast stores both halves and loads them
// back as one 8-byte value, which the processor cannot forward from the two
// stores and stalls on. Moving each half into an SSE2 register and joining
// them there keeps it out of memory. The bits are the same either way.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__i386__) && defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vyxmath {

inline double double_from_bits(std::uint64_t bits) {
#if defined(__i386__) && defined(__SSE2__)
    const __m128i low = _mm_cvtsi32_si128(static_cast<int>(static_cast<std::uint32_t>(bits)));
    const __m128i high = _mm_cvtsi32_si128(static_cast<int>(static_cast<std::uint32_t>(bits >> 32)));
    return _mm_cvtsd_f64(_mm_castsi128_pd(_mm_unpacklo_epi32(low, high)));
#else
    return std::bit_cast<double>(bits);
#endif
}

}  // namespace vyxmath
