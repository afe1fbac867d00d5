// What a long-running host process has to lose, as the soak and fallback
// programs measure it under the Windows loader: the thread-local-storage
// indexes still free, and the committed private memory of the process.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <vector>

namespace vyxmath::win32_test {

// Takes every free index of the process (the caller gives them back).
inline std::vector<DWORD> take_all_tls_indexes() {
    std::vector<DWORD> taken;
    taken.reserve(2048);
    for (DWORD index; (index = TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(index);
    return taken;
}

inline void give_back(const std::vector<DWORD>& indexes) {
    for (DWORD index : indexes) TlsFree(index);
}

inline int free_tls_indexes() {
    const std::vector<DWORD> taken = take_all_tls_indexes();
    give_back(taken);
    return static_cast<int>(taken.size());
}

// Committed private bytes: the sum of the address space's committed regions
// that belong to this process alone (heaps, stacks, private data).
inline std::uint64_t private_bytes() {
    std::uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (auto* address = static_cast<const char*>(nullptr);
         VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total;
}

}  // namespace vyxmath::win32_test
