#include "fake_module.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace vyxmath::host::testing_support {
namespace {

std::int32_t as_int(std::uintptr_t slot) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(slot)); }
const char* as_text(std::uintptr_t slot) { return reinterpret_cast<const char*>(slot); }

// Both texts are read before p1 is written, as a real export does.
std::int32_t VYX_CALL two_texts(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t p3, std::uintptr_t p4) {
    const std::string trace = std::string(as_text(p1)) + "|" + as_text(p2) + "|" + std::to_string(as_int(p3)) + "|" +
                              std::to_string(as_int(p4));
    std::memcpy(reinterpret_cast<char*>(p1), trace.c_str(), trace.size() + 1);
    return 0;
}

std::int32_t VYX_CALL one_text(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t p3, std::uintptr_t p4) {
    const std::string trace =
        std::string("|") + as_text(p2) + "|" + std::to_string(as_int(p3)) + "|" + std::to_string(as_int(p4));
    std::memcpy(reinterpret_cast<char*>(p1), trace.c_str(), trace.size() + 1);
    return 0;
}

std::int32_t VYX_CALL angle(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t p3, std::uintptr_t p4) {
    const std::int32_t unit = as_int(p3);
    if (unit != 0 && unit != 1) return 0;
    return one_text(p1, p2, p3, p4);
}

std::int32_t VYX_CALL copy_text(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t, std::uintptr_t) {
    std::strcpy(reinterpret_cast<char*>(p1), as_text(p2));
    return 0;
}

std::int32_t VYX_CALL sum(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t p3, std::uintptr_t p4) {
    const std::uint32_t total =
        static_cast<std::uint32_t>(p2) + static_cast<std::uint32_t>(p3) + static_cast<std::uint32_t>(p4);
    *reinterpret_cast<std::int32_t*>(p1) = static_cast<std::int32_t>(total);
    return 0;
}

std::int32_t VYX_CALL text_to_int(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t, std::uintptr_t) {
    *reinterpret_cast<std::int32_t*>(p1) = static_cast<std::int32_t>(std::strlen(as_text(p2)));
    return 0;
}

std::int32_t VYX_CALL prime_seven(std::uintptr_t p1, std::uintptr_t, std::uintptr_t, std::uintptr_t) {
    return as_int(p1) == 7 ? 0 : -1;
}

}  // namespace

RawExport fake_export(std::string_view name) {
    if (name == "n_lcm") return nullptr;
    if (name == "n_sosu") return prime_seven;
    if (name == "n_fabs") return copy_text;
    const ExportInfo e = *find_export(name);
    switch (e.slots[0]) {
        case SlotKind::text_in_out: return two_texts;
        case SlotKind::text_out: return e.has_angle_unit() ? angle : one_text;
        default: return e.slots[1] == SlotKind::text_in ? text_to_int : sum;
    }
}

}  // namespace vyxmath::host::testing_support
