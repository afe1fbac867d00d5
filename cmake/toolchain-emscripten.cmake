# WebAssembly build with Emscripten: the library's own sources compiled to one
# module that a browser or node loads (web/).
#
# Emscripten's own toolchain file does the work; this one only finds it where
# Emscripten is installed (em-config names its root) and names the processor
# wasm32, so that no x86 option (-msse2) reaches the compiler: Emscripten
# would read that as a request for SIMD intrinsics. WebAssembly has no fused
# multiply-add outside its relaxed SIMD, which the build never enables, so
# with the project's -ffp-contract=off every double comes out as natively.
find_program(VYXMATH_EM_CONFIG em-config REQUIRED)
execute_process(COMMAND ${VYXMATH_EM_CONFIG} EMSCRIPTEN_ROOT
                OUTPUT_VARIABLE VYXMATH_EMSCRIPTEN_ROOT OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(EMSCRIPTEN_SYSTEM_PROCESSOR wasm32)
include(${VYXMATH_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

# An older Emscripten's C++ library misses a C++20 piece the sources use; the
# header supplies it where it is missing and is empty elsewhere.
set(CMAKE_CXX_FLAGS_INIT "-include ${CMAKE_CURRENT_LIST_DIR}/../web/module/standard_library_compat.h")
