// Two doubles worked side by side in one 16-byte vector register (SSE2 on
// both the x86-64 and the i686 builds). Each lane is one plain IEEE double
// operation, rounded to nearest exactly as the scalar operation would be, so
// the bits are those of the two scalar operations; but the pair costs one
// instruction where the scalars cost two. Taking a lane out, or putting two
// scalars into one register, is a shuffle: pairs pay where a chain of
// operations stays in its lanes.
#pragma once

namespace vyxmath {

typedef double double_pair __attribute__((vector_size(16)));

constexpr double_pair pair_of(double first, double second) { return double_pair{first, second}; }

constexpr double_pair both(double x) { return double_pair{x, x}; }

}  // namespace vyxmath
