// Calls every export of the loaded module through the four-argument stdcall
// convention, at each stack alignment Windows may hand it, and checks what a
// caller relies on: the export removes exactly its 16 bytes of arguments,
// keeps EBX, ESI, EDI and EBP, leaves the direction flag clear and the x87
// register stack empty, returns its status, and writes no more than
// digits + 8 bytes of text into a result variable.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "checked_call.h"
#include "frame/export_table.h"
#include "test_support.h"

namespace vyxmath::win32_test {
namespace {

constexpr std::size_t text_capacity = 64;
constexpr unsigned char untouched = 0xCC;
// Digits 0 means 8, so a result takes at most 8 + 8 bytes.
constexpr std::size_t result_room = 16;

// The host's variables for one call, filled by slot kind. Integer values are
// 5 (a prime, so n_sosu reports 0); text operands hold "0.5".
struct Variables {
    char text_p1[text_capacity];
    char text_p2[text_capacity];
    std::int32_t integer_p1;

    std::array<std::uint32_t, 4> arguments(const ExportInfo& info) {
        std::memset(text_p1, untouched, sizeof text_p1);
        std::memset(text_p2, untouched, sizeof text_p2);
        std::strcpy(text_p1, "0.5");
        std::strcpy(text_p2, "0.5");
        integer_p1 = 0x55555555;
        std::array<std::uint32_t, 4> args{};
        for (int slot = 0; slot < 4; ++slot) {
            switch (info.slots[slot]) {
                case SlotKind::text_in_out:
                case SlotKind::text_out:
                case SlotKind::text_in:
                    args[slot] = reinterpret_cast<std::uintptr_t>(slot == 0 ? text_p1 : text_p2);
                    break;
                case SlotKind::int_out: args[slot] = reinterpret_cast<std::uintptr_t>(&integer_p1); break;
                case SlotKind::int_in: args[slot] = 5; break;
                case SlotKind::digits:
                case SlotKind::angle_unit: args[slot] = 0; break;
                case SlotKind::ignored: args[slot] = 0xDEADBEEF; break;
            }
        }
        return args;
    }

    bool result_text_fits() const {
        const void* end = std::memchr(text_p1, '\0', result_room);
        if (end == nullptr) return false;
        for (std::size_t i = result_room; i < text_capacity; ++i)
            if (static_cast<unsigned char>(text_p1[i]) != untouched) return false;
        return true;
    }
};

// The call in progress, for the report of a call that faults.
std::string current_call;

// A fault inside an export (for example an aligned SSE access on a stack
// that is only 4-byte aligned) ends the program with a report of the call.
LONG CALLBACK report_fault(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    if ((code & 0xC0000000u) != 0xC0000000u) return EXCEPTION_CONTINUE_SEARCH;  // not an error
    std::printf("FAILED: %s: raised exception %s\n", current_call.c_str(), hex(code).c_str());
    std::fflush(stdout);
    ExitProcess(1);
}

void check_call(Checks& checks, const ExportInfo& info, const void* entry, unsigned misalignment) {
    Variables variables;
    const std::array<std::uint32_t, 4> args = variables.arguments(info);
    const std::string call = std::string(info.name) + " with ESP % 16 == " + std::to_string(misalignment);
    current_call = call;
    const CallResult result = checked_call(entry, args, misalignment);

    checks.expect(result.stack_change == 16,
                  call + ": removes 16 bytes of arguments, removed " + std::to_string(result.stack_change));
    checks.expect(result.ebx == callee_saved_before[0], call + ": keeps EBX, left " + hex(result.ebx));
    checks.expect(result.esi == callee_saved_before[1], call + ": keeps ESI, left " + hex(result.esi));
    checks.expect(result.edi == callee_saved_before[2], call + ": keeps EDI, left " + hex(result.edi));
    checks.expect(result.ebp == callee_saved_before[3], call + ": keeps EBP, left " + hex(result.ebp));
    checks.expect((result.eflags & direction_flag) == 0, call + ": leaves the direction flag clear");
    checks.expect(result.fpu_tag_word == 0xFFFF,
                  call + ": leaves the x87 register stack empty, tag word " + hex(result.fpu_tag_word));
    checks.expect(result.status == 0, call + ": status 0, got " + std::to_string(result.status));
    if (info.slots[0] == SlotKind::text_out || info.slots[0] == SlotKind::text_in_out) {
        checks.expect(variables.result_text_fits(), call + ": result text within digits + 8 bytes");
        checks.expect(std::strcmp(variables.text_p2, "0.5") == 0, call + ": p2 left as it was");
    }
}

}  // namespace
}  // namespace vyxmath::win32_test

int main() {
    using namespace vyxmath::win32_test;
    Checks checks("calling_convention_test");
    AddVectoredExceptionHandler(1, report_fault);

    const HMODULE module = LoadLibraryA(module_path().c_str());
    if (!checks.expect(module != nullptr, "loads " + module_path())) return checks.finish();

    for (const vyxmath::ExportInfo& info : vyxmath::export_table) {
        const RawEntry entry = resolve(module, decorated_name(info.name));
        if (!checks.expect(entry != nullptr, "resolves " + decorated_name(info.name))) continue;
        for (unsigned misalignment : {0u, 4u, 8u, 12u})
            check_call(checks, info, reinterpret_cast<const void*>(entry), misalignment);
    }
    return checks.finish();
}
