// Calls an export the way the host does (four 32-bit arguments pushed right
// to left, then call) and records the machine state the caller relies on
// afterwards: the stack pointer, the callee-saved registers, the direction
// flag and the x87 register stack.
#pragma once

#include <array>
#include <cstdint>

namespace vyxmath::win32_test {

struct CallResult {
    std::int32_t status;
    // ESP after the return minus ESP just before the call instruction. A
    // stdcall export removes its 16 bytes of arguments: +16.
    std::int32_t stack_change;
    // Values seen after the return in registers that held known values
    // before the call (callee_saved_before).
    std::uint32_t ebx, esi, edi, ebp;
    std::uint32_t eflags;
    std::uint16_t fpu_tag_word;  // 0xFFFF: every x87 register empty
};

// Distinct values loaded into EBX, ESI, EDI and EBP before each call.
inline constexpr std::array<std::uint32_t, 4> callee_saved_before = {0x0B0B1111, 0x5151C0DE, 0xD1D1F00D, 0xB9B9FEED};

inline constexpr std::uint32_t direction_flag = 0x400;

// Calls `entry` with `args` (p1 first) so that ESP is congruent to
// `stack_misalignment` modulo 16 at the call instruction. Not reentrant.
CallResult checked_call(const void* entry, const std::array<std::uint32_t, 4>& args, unsigned stack_misalignment);

}  // namespace vyxmath::win32_test
