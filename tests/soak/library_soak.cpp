// A host that runs for months, compressed into seconds, for the native
// library: thousands of dlopen/use/dlclose cycles and thousands of short
// threads that each use it. Every reload and every new thread must start the
// random generator afresh (first n_rand of 0 gives 8565), and the process
// must keep its open files, its mappings and its resident memory: no growth
// beyond one page once the first rounds have warmed the process up.
//   vyxmath_library_soak LIBRARY [CYCLES THREADS [--sanitized]]
// --sanitized compares open files only: a sanitizer's allocator maps memory of
// its own and holds freed memory back on purpose.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using RandExport = std::int32_t (*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t first_draw_of_zero = 8565;
constexpr long allowed_growth = 4096;

int failures = 0;

bool expect(bool ok, const std::string& what) {
    if (!ok) {
        ++failures;
        std::printf("FAILED: %s\n", what.c_str());
    }
    return ok;
}

long resident_bytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

int count_entries(const char* folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

int count_lines(const char* file) {
    std::ifstream in(file);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

bool check_memory = true;

// Resident memory is read last, after the code that counts has run. The
// first measurement itself touches memory, so each soak makes one during its
// warm-up.
struct Resources {
    int open_files = count_entries("/proc/self/fd");
    int mappings = count_lines("/proc/self/maps");
    long resident = resident_bytes();
};

void expect_flat(const char* soak, const Resources& before) {
    const Resources after;
    std::printf("%s: open files %d -> %d, mappings %d -> %d, resident bytes %ld -> %ld (%+ld)\n", soak,
                before.open_files, after.open_files, before.mappings, after.mappings, before.resident, after.resident,
                after.resident - before.resident);
    expect(after.open_files == before.open_files, std::string(soak) + ": no file kept open");
    if (!check_memory) return;
    expect(after.mappings == before.mappings, std::string(soak) + ": no mapping kept");
    expect(after.resident - before.resident <= allowed_growth, std::string(soak) + ": RSS flat");
}

std::int32_t first_draw(RandExport n_rand) {
    std::int32_t result = -1;
    n_rand(&result, 0, 0, 0);
    return result;
}

bool open_use_close(const char* library, int cycle) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!expect(handle != nullptr, "cycle " + std::to_string(cycle) + " opens " + library)) return false;
    const auto n_rand = reinterpret_cast<RandExport>(dlsym(handle, "n_rand"));
    const std::int32_t draw = n_rand != nullptr ? first_draw(n_rand) : -1;
    const bool closed = dlclose(handle) == 0;
    return expect(draw == first_draw_of_zero && closed,
                  "cycle " + std::to_string(cycle) + " starts afresh and closes, drew " + std::to_string(draw));
}

void soak_load_cycles(const char* library, int cycles) {
    constexpr int warm_up = 20;
    const Resources warming;
    for (int cycle = 0; cycle < warm_up; ++cycle)
        if (!open_use_close(library, cycle)) return;
    const Resources before;
    for (int cycle = warm_up; cycle < cycles; ++cycle)
        if (!open_use_close(library, cycle)) return;
    expect_flat("dlopen/use/dlclose cycles", before);
}

void soak_short_threads(const char* library, int threads) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!expect(handle != nullptr, std::string("opens ") + library)) return;
    const auto n_rand = reinterpret_cast<RandExport>(dlsym(handle, "n_rand"));
    const auto run_short_thread = [&](int number) {
        std::int32_t draw = -1;
        std::thread([&] { draw = first_draw(n_rand); }).join();
        return expect(draw == first_draw_of_zero,
                      "thread " + std::to_string(number) + " starts afresh, drew " + std::to_string(draw));
    };
    constexpr int warm_up = 50;
    const Resources warming;
    bool ok = true;
    for (int thread = 0; ok && thread < warm_up; ++thread) ok = run_short_thread(thread);
    const Resources before;
    for (int thread = warm_up; ok && thread < threads; ++thread) ok = run_short_thread(thread);
    if (ok) expect_flat("short threads", before);
    dlclose(handle);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vyxmath_library_soak LIBRARY [CYCLES THREADS [--sanitized]]\n");
        return 2;
    }
    const int cycles = argc > 3 ? std::atoi(argv[2]) : 5000;
    const int threads = argc > 3 ? std::atoi(argv[3]) : 20000;
    check_memory = !(argc > 4 && std::strcmp(argv[4], "--sanitized") == 0);
    soak_load_cycles(argv[1], cycles);
    soak_short_threads(argv[1], threads);
    std::printf("library soak: %d cycles, %d threads, %d failed checks\n", cycles, threads, failures);
    return failures == 0 ? 0 : 1;
}
