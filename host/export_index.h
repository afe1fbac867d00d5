// The exports the host can call: each row of the export table with the entry
// point the module offers for it, found by name in constant time. Built once
// when the module is loaded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame/export_table.h"
#include "vyxmath.h"

namespace vyxmath::host {

// Every export takes four 32-bit slots; the host passes each as a machine
// word holding either an address or the 32-bit value, which is what the
// calling convention makes of the export's own argument types.
using RawExport = std::int32_t(VYX_CALL*)(std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t);

struct ResolvedExport {
    const ExportInfo* info = nullptr;
    RawExport entry = nullptr;  // null when the module lacks the export
};

class ExportIndex {
public:
    // `resolve(name)` gives the module's entry point for an export, or null.
    template <class Resolve>
    explicit ExportIndex(Resolve&& resolve) {
        for (const ExportInfo& info : export_table) insert({&info, resolve(info.name)});
    }

    // The export called `name`, or null when the table has none.
    const ResolvedExport* find(std::string_view name) const;

private:
    // Open addressing with linear probing, at most about half full.
    static constexpr std::size_t bucket_count = 128;
    static_assert(bucket_count >= 2 * export_count);
    static std::size_t bucket_of(std::string_view name);
    void insert(const ResolvedExport& entry);

    std::array<ResolvedExport, bucket_count> buckets_{};
};

}  // namespace vyxmath::host
