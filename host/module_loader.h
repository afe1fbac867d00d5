// Loading the module file at run time and finding its exports by name. The
// host never links the module: it is a file the host opens, as the script
// interpreter does.
#pragma once

#include <string>
#include <string_view>

#include "export_index.h"

namespace vyxmath::host {

// "libvyxmath.so" on POSIX systems, "VYXmath.vyk" on Windows.
std::string_view module_file_name();

// The module file in the directory of the running executable.
std::string default_module_path();

class LoadedModule {
public:
    LoadedModule() = default;
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule();

    // Loads the module at `path`; on failure returns false with the system's
    // reason in `error`.
    bool load(const std::string& path, std::string& error);

    // The entry point of an export (its name as in the export table), or
    // null. On 32-bit Windows the module exports the stdcall-decorated name,
    // "_n_tasu@16".
    RawExport resolve(std::string_view name) const;

private:
    void* handle_ = nullptr;
};

}  // namespace vyxmath::host
