// Small support for the programs that test the Windows module under wine:
// loading "VYXmath.vyk" from the program's own directory the way the host
// does, resolving decorated exports, and counting checks. Each program prints
// one line per failed check and a closing "N passed, N failed" line, and
// exits with 1 when any check failed.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace vyxmath::win32_test {

class Checks {
public:
    explicit Checks(const char* program) : program_(program) {}

    // Records one check; `what` says what was expected when it fails.
    bool expect(bool ok, const std::string& what) {
        if (ok) {
            ++passed_;
        } else {
            ++failed_;
            std::printf("FAILED: %s\n", what.c_str());
        }
        return ok;
    }

    int finish() const {
        std::printf("%s: %d passed, %d failed\n", program_, passed_, failed_);
        std::fflush(stdout);
        return failed_ == 0 ? 0 : 1;
    }

private:
    const char* program_;
    int passed_ = 0;
    int failed_ = 0;
};

// The module file beside the running program.
inline std::string module_path() {
    char exe[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string directory(exe, length);
    directory.resize(directory.find_last_of("\\/") + 1);
    return directory + "VYXmath.vyk";
}

// "_" + name + "@16", built by appending (GCC 12 warns falsely about the
// inlined operator+ of a literal and a string).
inline std::string decorated_name(std::string_view name) {
    std::string symbol(1, '_');
    symbol.append(name).append("@16");
    return symbol;
}

using RawEntry = void (*)();

inline RawEntry resolve(HMODULE module, const std::string& symbol) {
    return reinterpret_cast<RawEntry>(GetProcAddress(module, symbol.c_str()));
}

// Converts to the pointer type of an export without warnings about casts
// between unrelated function types.
template <class Function>
Function as(RawEntry entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}

// Whether threads of this process may run at the same moment. Under the
// user-mode emulator (the route a machine takes when it cannot run 32-bit
// programs itself) two 32-bit wine threads that run at once bring the
// emulator down, with or without the module loaded; wine-run.sh names the
// route it took, and there the programs start their threads one at a time.
inline bool threads_may_overlap() {
    char route[32] = {};
    const DWORD length = GetEnvironmentVariableA("VYXMATH_WINE_ROUTE_TAKEN", route, sizeof route);
    return !(length > 0 && length < sizeof route && std::string_view(route) == "emulated");
}

inline std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

}  // namespace vyxmath::win32_test
