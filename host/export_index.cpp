#include "export_index.h"

namespace vyxmath::host {

std::size_t ExportIndex::bucket_of(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash % bucket_count;
}

void ExportIndex::insert(const ResolvedExport& entry) {
    std::size_t b = bucket_of(entry.info->name);
    while (buckets_[b].info != nullptr) b = (b + 1) % bucket_count;
    buckets_[b] = entry;
}

const ResolvedExport* ExportIndex::find(std::string_view name) const {
    for (std::size_t b = bucket_of(name);; b = (b + 1) % bucket_count) {
        const ResolvedExport& entry = buckets_[b];
        if (entry.info == nullptr) return nullptr;
        if (entry.info->name == name) return &entry;
    }
}

}  // namespace vyxmath::host
