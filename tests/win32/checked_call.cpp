#include "checked_call.h"

#include <cstddef>

namespace vyxmath::win32_test {
namespace {

struct CallFrame {
    // Inputs.
    const void* entry;
    std::uint32_t args[4];
    std::uint32_t padding;  // bytes below a 16-byte boundary before the pushes
    // Outputs.
    std::uint32_t esp_at_call;
    std::uint32_t esp_after_return;
    std::uint32_t status;
    std::uint32_t ebx, esi, edi, ebp;
    std::uint32_t eflags;
    std::uint32_t fpu_environment[7];  // FNSTENV image, 32-bit protected mode
    std::uint32_t caller_esp;
    std::uint16_t caller_control_word;
};

// The frame of the call in progress. The assembly reaches it by its absolute
// address, because the callee may leave ESP and every register but the
// callee-saved ones changed.
CallFrame* volatile active_frame;

}  // namespace

CallResult checked_call(const void* entry, const std::array<std::uint32_t, 4>& args, unsigned stack_misalignment) {
    CallFrame frame{};
    frame.entry = entry;
    for (int i = 0; i < 4; ++i) frame.args[i] = args[i];
    // 16 bytes of arguments follow the padding, so ESP at the call is
    // (boundary - padding - 16), which is -padding modulo 16.
    frame.padding = (16 - stack_misalignment % 16) % 16;
    active_frame = &frame;

    asm volatile(
        "pushl %%ebp\n\t"
        "movl %[frame], %%eax\n\t"
        "movl %%esp, %c[caller_esp](%%eax)\n\t"
        "fnstcw %c[control](%%eax)\n\t"
        "andl $-16, %%esp\n\t"
        "subl %c[padding](%%eax), %%esp\n\t"
        "pushl %c[arg3](%%eax)\n\t"
        "pushl %c[arg2](%%eax)\n\t"
        "pushl %c[arg1](%%eax)\n\t"
        "pushl %c[arg0](%%eax)\n\t"
        "movl %%esp, %c[esp_at_call](%%eax)\n\t"
        "movl %c[entry](%%eax), %%eax\n\t"
        "movl %[ebx_value], %%ebx\n\t"
        "movl %[esi_value], %%esi\n\t"
        "movl %[edi_value], %%edi\n\t"
        "movl %[ebp_value], %%ebp\n\t"
        "call *%%eax\n\t"
        "movl %[frame], %%ecx\n\t"
        "movl %%eax, %c[status](%%ecx)\n\t"
        "movl %%esp, %c[esp_after](%%ecx)\n\t"
        "movl %%ebx, %c[ebx](%%ecx)\n\t"
        "movl %%esi, %c[esi](%%ecx)\n\t"
        "movl %%edi, %c[edi](%%ecx)\n\t"
        "movl %%ebp, %c[ebp](%%ecx)\n\t"
        "pushfl\n\t"
        "popl %c[eflags](%%ecx)\n\t"
        "fnstenv %c[fpu](%%ecx)\n\t"
        // Whatever the callee left, the caller goes on with its own state:
        // direction flag clear, x87 registers empty, its control word.
        "cld\n\t"
        "fninit\n\t"
        "fldcw %c[control](%%ecx)\n\t"
        "movl %c[caller_esp](%%ecx), %%esp\n\t"
        "popl %%ebp"
        :
        : [frame] "m"(active_frame), [entry] "i"(offsetof(CallFrame, entry)),
          [arg0] "i"(offsetof(CallFrame, args) + 0), [arg1] "i"(offsetof(CallFrame, args) + 4),
          [arg2] "i"(offsetof(CallFrame, args) + 8), [arg3] "i"(offsetof(CallFrame, args) + 12),
          [padding] "i"(offsetof(CallFrame, padding)), [esp_at_call] "i"(offsetof(CallFrame, esp_at_call)),
          [esp_after] "i"(offsetof(CallFrame, esp_after_return)), [status] "i"(offsetof(CallFrame, status)),
          [ebx] "i"(offsetof(CallFrame, ebx)), [esi] "i"(offsetof(CallFrame, esi)),
          [edi] "i"(offsetof(CallFrame, edi)), [ebp] "i"(offsetof(CallFrame, ebp)),
          [eflags] "i"(offsetof(CallFrame, eflags)), [fpu] "i"(offsetof(CallFrame, fpu_environment)),
          [caller_esp] "i"(offsetof(CallFrame, caller_esp)),
          [control] "i"(offsetof(CallFrame, caller_control_word)), [ebx_value] "i"(callee_saved_before[0]),
          [esi_value] "i"(callee_saved_before[1]), [edi_value] "i"(callee_saved_before[2]),
          [ebp_value] "i"(callee_saved_before[3])
        : "eax", "ebx", "ecx", "edx", "esi", "edi", "memory", "cc");

    CallResult result{};
    result.status = static_cast<std::int32_t>(frame.status);
    result.stack_change = static_cast<std::int32_t>(frame.esp_after_return - frame.esp_at_call);
    result.ebx = frame.ebx;
    result.esi = frame.esi;
    result.edi = frame.edi;
    result.ebp = frame.ebp;
    result.eflags = frame.eflags;
    result.fpu_tag_word = static_cast<std::uint16_t>(frame.fpu_environment[2] & 0xFFFF);
    return result;
}

}  // namespace vyxmath::win32_test
