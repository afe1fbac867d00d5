#include "module_loader.h"

#include <array>
#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace vyxmath::host {
namespace {

// Export names are short; with room for a decoration and the NUL.
constexpr std::size_t symbol_capacity = 64;

std::string directory_of(const std::string& file) {
    const std::size_t cut = file.find_last_of("/\\");
    return cut == std::string::npos ? std::string(".") : file.substr(0, cut);
}

// A bare file name would make the system search its library path; the host
// means the file itself, relative to the current directory.
std::string as_file_path(const std::string& path) {
    if (path.find_first_of("/\\") != std::string::npos) return path;
    return "./" + path;
}

}  // namespace

#ifdef _WIN32

std::string_view module_file_name() { return "VYXmath.vyk"; }

std::string default_module_path() {
    std::array<char, MAX_PATH * 4> exe{};
    const DWORD length = GetModuleFileNameA(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    const std::string directory =
        length == 0 || length >= exe.size() ? std::string(".") : directory_of(std::string(exe.data(), length));
    return directory + "\\" + std::string(module_file_name());
}

LoadedModule::~LoadedModule() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

bool LoadedModule::load(const std::string& path, std::string& error) {
    // A module that fails to load is reported on the command line, never in
    // a message box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle_ = LoadLibraryA(as_file_path(path).c_str());
    if (handle_ != nullptr) return true;
    const DWORD code = GetLastError();
    std::array<char, 512> text{};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  text.data(), static_cast<DWORD>(text.size()), nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
    error = length > 0 ? std::string(text.data(), length) : "error " + std::to_string(code);
    return false;
}

RawExport LoadedModule::resolve(std::string_view name) const {
    if (handle_ == nullptr || name.size() + 5 > symbol_capacity) return nullptr;
    std::array<char, symbol_capacity> symbol{};
#if defined(__i386__) || defined(_M_IX86)
    // stdcall decoration: "_" + name + "@" + bytes of arguments (4 x 4).
    symbol[0] = '_';
    std::memcpy(symbol.data() + 1, name.data(), name.size());
    std::memcpy(symbol.data() + 1 + name.size(), "@16", 4);
#else
    std::memcpy(symbol.data(), name.data(), name.size());
#endif
    const FARPROC entry = GetProcAddress(static_cast<HMODULE>(handle_), symbol.data());
    // Through a generic function pointer type, so the compiler does not warn
    // about the cast between unrelated function types.
    return reinterpret_cast<RawExport>(reinterpret_cast<void (*)()>(entry));
}

#else

std::string_view module_file_name() { return "libvyxmath.so"; }

std::string default_module_path() {
    std::array<char, 4096> exe{};
    const ssize_t length = ::readlink("/proc/self/exe", exe.data(), exe.size() - 1);
    std::string directory;
    if (length > 0) {
        directory = directory_of(std::string(exe.data(), static_cast<std::size_t>(length)));
    } else {
        // Without /proc: the file the running program was loaded from.
        Dl_info info{};
        const int found = ::dladdr(reinterpret_cast<void*>(&default_module_path), &info);
        directory = found != 0 && info.dli_fname != nullptr ? directory_of(info.dli_fname) : std::string(".");
    }
    std::string beside = directory + "/" + std::string(module_file_name());
#ifdef VYXMATH_INSTALLED_MODULE
    // An installed host has no library beside it: it takes the one in the
    // installed library folder, by that folder's path from its own.
    if (::access(beside.c_str(), F_OK) != 0) return directory + "/" VYXMATH_INSTALLED_MODULE;
#endif
    return beside;
}

LoadedModule::~LoadedModule() {
    if (handle_ != nullptr) ::dlclose(handle_);
}

bool LoadedModule::load(const std::string& path, std::string& error) {
    handle_ = ::dlopen(as_file_path(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ != nullptr) return true;
    const char* reason = ::dlerror();
    error = reason != nullptr ? reason : "unknown reason";
    return false;
}

RawExport LoadedModule::resolve(std::string_view name) const {
    if (handle_ == nullptr || name.size() + 1 > symbol_capacity) return nullptr;
    std::array<char, symbol_capacity> symbol{};
    std::memcpy(symbol.data(), name.data(), name.size());
    void* entry = ::dlsym(handle_, symbol.data());
    return reinterpret_cast<RawExport>(entry);
}

#endif

}  // namespace vyxmath::host
