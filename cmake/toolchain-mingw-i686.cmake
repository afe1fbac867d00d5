# Cross build for 32-bit Windows (i386) with mingw-w64: the plug-in module
# "VYXmath.vyk", the Windows host vyxmath.exe and the programs that test them
# under wine.
#
# The win32 threading variant of the compiler is preferred: the module needs
# no threads of its own, and with it the statically linked C++ runtime brings
# in no POSIX-thread emulation. Everything is linked statically, so the module
# and the host depend on nothing beyond the DLLs Windows itself provides.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(VYXMATH_MINGW_TRIPLE i686-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${VYXMATH_MINGW_TRIPLE}-g++-win32 ${VYXMATH_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VYXMATH_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${VYXMATH_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows on i386 only promises a 4-byte aligned stack to a called function;
# code compiled for SSE2 must not assume the 16 bytes GCC would otherwise
# expect, or a caller built by another compiler could make it fault. Nor
# does the module's own code keep more than 4 bytes: with a larger preferred
# boundary every function holding a 64-bit value realigns its frame, which
# ties up a register of the six as frame pointer. Values of 8 bytes at
# 4-byte boundaries are read as fast; a function that needs 16 bytes still
# realigns for itself.
set(CMAKE_CXX_FLAGS_INIT "-mincoming-stack-boundary=2 -mpreferred-stack-boundary=2")
# -static: the C++ and GCC runtimes go into each binary. The time stamps are
# left out so that the same sources give the same bytes.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
