// Emscripten's C++ standard library before its 3.1.x releases of 2022 (the
// LLVM 13 libc++) lacks std::bit_cast, which the library uses to take a
// double's bits at compile time. The compiler's builtin is what later
// libc++ versions define it with. Included before every source of the
// WebAssembly build, and only there.
#pragma once

#include <bit>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000 && !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
[[nodiscard]] constexpr To bit_cast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From));
    return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
