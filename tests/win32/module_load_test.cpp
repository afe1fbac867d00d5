// Loads the module with the Windows loader as the host does and checks what
// the load itself provides: the floating-point start-up on the loading
// thread, the export directory as the loader resolves it, and the version
// resource as Windows reads it.
#include <cstdint>
#include <cstring>
#include <string>

#include "frame/export_table.h"
#include "test_support.h"

namespace vyxmath::win32_test {
namespace {

// x87 control word fields.
constexpr std::uint16_t precision_control = 0x0300;
constexpr std::uint16_t precision_53_bits = 0x0200;
constexpr std::uint16_t rounding_toward_zero = 0x0C00;
constexpr std::uint16_t precision_64_bits = 0x0300;
constexpr std::uint16_t all_masked_but_denormal = 0x007D;  // bit 6 is reserved, reads 1
constexpr std::uint16_t exception_flags = 0x003F;
constexpr std::uint16_t error_summary = 0x0080;

std::uint16_t x87_control_word() {
    std::uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

std::uint16_t x87_status_word() {
    std::uint16_t word;
    asm volatile("fnstsw %0" : "=m"(word));
    return word;
}

void set_x87_control_word(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

// 1 / 0 on the x87 unit with the zero-divide exception masked: leaves the
// zero-divide flag pending in the status word.
void raise_masked_zero_divide() {
    asm volatile("fldz\n\tfld1\n\tfdiv %%st(1), %%st\n\tfstp %%st(0)\n\tfstp %%st(0)" : : : "st", "st(1)");
}

// Load with a host state the start-up must partly change and partly keep:
// 64-bit precision, rounding toward zero, one exception unmasked, and a
// pending zero-divide flag.
HMODULE load_and_check_fpu_startup(Checks& checks) {
    const std::uint16_t host_word = rounding_toward_zero | precision_64_bits | all_masked_but_denormal;
    set_x87_control_word(host_word);
    raise_masked_zero_divide();
    checks.expect((x87_status_word() & exception_flags) != 0, "the host state has a pending x87 exception");

    const HMODULE module = LoadLibraryA(module_path().c_str());

    const std::uint16_t word = x87_control_word();
    const std::uint16_t status = x87_status_word();
    set_x87_control_word(0x027F);  // the usual state, for the rest of the program
    checks.expect((word & precision_control) == precision_53_bits,
                  "loading sets 53-bit precision, control word " + hex(word));
    checks.expect((word & ~precision_control) == (host_word & ~precision_control),
                  "loading keeps rounding mode and exception masks: " + hex(host_word) + " became " + hex(word));
    checks.expect((status & (exception_flags | error_summary)) == 0,
                  "loading clears pending x87 exceptions, status word " + hex(status));
    return module;
}

void check_export_directory(Checks& checks, HMODULE module) {
    for (const ExportInfo& info : export_table) {
        const std::string decorated = decorated_name(info.name);
        const RawEntry by_name = resolve(module, decorated);
        checks.expect(by_name != nullptr, "exports " + decorated);
        const int ordinal = export_ordinal(info.name);
        const RawEntry by_ordinal =
            reinterpret_cast<RawEntry>(GetProcAddress(module, MAKEINTRESOURCEA(static_cast<WORD>(ordinal))));
        checks.expect(by_ordinal == by_name, decorated + " has ordinal " + std::to_string(ordinal));
        // No undecorated or half-decorated duplicates.
        const std::string name(info.name);
        for (const std::string& other : {name, decorated.substr(0, decorated.size() - 3), decorated.substr(1)})
            checks.expect(resolve(module, other) == nullptr, "does not export " + other);
    }
    checks.expect(GetProcAddress(module, MAKEINTRESOURCEA(0)) == nullptr, "no ordinal 0");
    checks.expect(GetProcAddress(module, MAKEINTRESOURCEA(export_count + 1)) == nullptr,
                  "no ordinal past " + std::to_string(export_count));
}

std::wstring widen(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

void check_version_resource(Checks& checks, const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (!checks.expect(size > 0, "has a version resource")) return;
    std::string block(size, '\0');
    if (!checks.expect(GetFileVersionInfoA(path.c_str(), 0, size, block.data()) != 0, "reads the version resource"))
        return;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (checks.expect(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) != 0,
                      "has the fixed version part")) {
        checks.expect(fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0x00000001,
                      "file version 1.0.0.1");
        checks.expect(fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0x00000001,
                      "product version 1.0.0.1");
        checks.expect((fixed->dwFileFlags & fixed->dwFileFlagsMask) == VS_FF_PRIVATEBUILD,
                      "private-build flag only, flags " + hex(fixed->dwFileFlags));
        checks.expect(fixed->dwFileOS == VOS_NT_WINDOWS32, "operating system 32-bit Windows NT");
        checks.expect(fixed->dwFileType == VFT_DLL, "file type dynamic-link library");
    }

    WORD* translation = nullptr;
    if (checks.expect(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                     reinterpret_cast<void**>(&translation), &length) != 0 && length == 4,
                      "has one translation"))
        checks.expect(translation[0] == 0x0411 && translation[1] == 932, "Japanese, code page 932");

    struct Expected {
        const char* name;
        const char* value;  // code page 932 text
    };
    static constexpr Expected strings[] = {
        {"Comments", "VYX\x97\x70\x8e\x5a\x8f\x70\x8a\xd6\x90\x94\x83\x76\x83\x89\x83\x4f\x83\x43\x83\x93"},
        {"FileDescription", "VYXmath"},
        {"InternalName", "VYXmath"},
        {"ProductName", " VYXmath"},
        {"OriginalFilename", "VYXmath.vyk"},
        {"FileVersion", "0, 0, 1, 5"},
        {"ProductVersion", "0, 0, 1, 5"},
        {"PrivateBuild", "200009091842"},
    };
    for (const Expected& expected : strings) {
        const std::wstring key = L"\\StringFileInfo\\041103a4\\" + widen(expected.name);
        wchar_t* value = nullptr;
        if (!checks.expect(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) != 0,
                           std::string("has the string ") + expected.name))
            continue;
        char text[128] = {};
        WideCharToMultiByte(932, 0, value, -1, text, sizeof text, nullptr, nullptr);
        checks.expect(std::strcmp(text, expected.value) == 0,
                      std::string(expected.name) + " is \"" + expected.value + "\" in code page 932, got \"" + text + "\"");
    }
}

}  // namespace
}  // namespace vyxmath::win32_test

int main() {
    using namespace vyxmath::win32_test;
    Checks checks("module_load_test");

    const HMODULE module = load_and_check_fpu_startup(checks);
    if (!checks.expect(module != nullptr, "loads " + module_path())) return checks.finish();
    check_export_directory(checks, module);
    check_version_resource(checks, module_path());
    checks.expect(FreeLibrary(module) != 0, "unloads the module");
    return checks.finish();
}
