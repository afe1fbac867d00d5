// Sanitizer builds run the module and the tests several times slower: the
// long loops of the tests take a tenth of their arguments there.
#pragma once

namespace vyxmath::test {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool sanitizer_build = true;
#else
inline constexpr bool sanitizer_build = false;
#endif

constexpr int scaled_count(int full) { return sanitizer_build ? full / 10 : full; }

}  // namespace vyxmath::test
