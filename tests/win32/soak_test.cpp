// A host that runs for months, compressed into seconds: the module loaded,
// used and unloaded thousands of times, and thousands of short threads that
// each use it. Every reload and every new thread must start the random
// generator afresh (first n_rand of 0 gives 8565), also on a thread that
// lives through all the loads and unloads, and the process must keep
// its thread-local-storage indexes and its private memory: no growth beyond
// one page once the first rounds have warmed the process up.
//   soak_test [CYCLES THREADS]   (default 5000 20000; 0 leaves a soak out)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "process_resources.h"
#include "test_support.h"

namespace vyxmath::win32_test {
namespace {

using RandExport = std::int32_t(__stdcall*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t first_draw_of_zero = 8565;
constexpr std::int64_t allowed_growth = 4096;

std::int32_t first_draw(RandExport n_rand) {
    std::int32_t result = 0;
    n_rand(&result, 0, 0, 0);
    return result;
}

struct Resources {
    int free_indexes = free_tls_indexes();
    std::uint64_t bytes = private_bytes();
};

void expect_flat(Checks& checks, const char* soak, const Resources& before) {
    const Resources after;
    const auto growth = static_cast<std::int64_t>(after.bytes) - static_cast<std::int64_t>(before.bytes);
    std::printf("%s: free TLS indexes %d -> %d, private bytes %llu -> %llu (%+lld)\n", soak, before.free_indexes,
                after.free_indexes, static_cast<unsigned long long>(before.bytes),
                static_cast<unsigned long long>(after.bytes), static_cast<long long>(growth));
    checks.expect(after.free_indexes == before.free_indexes, std::string(soak) + ": no TLS index kept");
    checks.expect(growth <= allowed_growth, std::string(soak) + ": private bytes grew by at most a page");
}

// A thread of the host that lives through every load and unload: each cycle
// it draws once from the freshly loaded module, which must be fresh for it
// too (a thread that existed before the load starts like a new one).
class LongLivedThread {
public:
    LongLivedThread() { thread_ = CreateThread(nullptr, 0, &LongLivedThread::run, this, 0, nullptr); }
    ~LongLivedThread() {
        draw_with(nullptr);  // ends the thread
        WaitForSingleObject(thread_, INFINITE);
        for (HANDLE handle : {thread_, go_, done_}) CloseHandle(handle);
    }
    std::int32_t draw_with(RandExport n_rand) {
        n_rand_ = n_rand;
        SignalObjectAndWait(go_, done_, INFINITE, FALSE);
        return result_;
    }

private:
    static DWORD WINAPI run(void* self) {
        auto& me = *static_cast<LongLivedThread*>(self);
        for (;;) {
            WaitForSingleObject(me.go_, INFINITE);
            if (me.n_rand_ == nullptr) break;
            me.result_ = first_draw(me.n_rand_);
            SetEvent(me.done_);
        }
        SetEvent(me.done_);
        return 0;
    }
    HANDLE go_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE done_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    RandExport n_rand_ = nullptr;
    std::int32_t result_ = 0;
};

// Load, one call on the loading thread and one on the long-lived thread,
// unload; returns false at the first cycle that went wrong.
bool load_use_unload(Checks& checks, LongLivedThread& worker, int cycle) {
    const HMODULE module = LoadLibraryA(module_path().c_str());
    if (!checks.expect(module != nullptr, "cycle " + std::to_string(cycle) + " loads the module")) return false;
    const auto n_rand = as<RandExport>(resolve(module, "_n_rand@16"));
    const std::int32_t draw = n_rand != nullptr ? first_draw(n_rand) : -1;
    const std::int32_t worker_draw = n_rand != nullptr ? worker.draw_with(n_rand) : -1;
    const bool unloaded = FreeLibrary(module) != 0;
    return checks.expect(draw == first_draw_of_zero && worker_draw == first_draw_of_zero && unloaded,
                         "cycle " + std::to_string(cycle) + " starts afresh and unloads, drew " + std::to_string(draw) +
                             " and on the long-lived thread " + std::to_string(worker_draw));
}

void soak_load_cycles(Checks& checks, int cycles) {
    LongLivedThread worker;
    constexpr int warm_up = 20;
    const Resources warming;  // the first measurement touches memory itself
    for (int cycle = 0; cycle < warm_up; ++cycle)
        if (!load_use_unload(checks, worker, cycle)) return;
    const Resources before;
    for (int cycle = warm_up; cycle < cycles; ++cycle)
        if (!load_use_unload(checks, worker, cycle)) return;
    expect_flat(checks, "load/use/unload cycles", before);
}

RandExport thread_rand = nullptr;

DWORD WINAPI draw_once(void* result) {
    *static_cast<std::int32_t*>(result) = first_draw(thread_rand);
    return 0;
}

bool run_short_thread(Checks& checks, int thread_number) {
    std::int32_t result = -1;
    const HANDLE thread = CreateThread(nullptr, 0, &draw_once, &result, 0, nullptr);
    if (!checks.expect(thread != nullptr, "creates thread " + std::to_string(thread_number))) return false;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return checks.expect(result == first_draw_of_zero, "thread " + std::to_string(thread_number) +
                                                           " starts afresh, drew " + std::to_string(result));
}

void soak_short_threads(Checks& checks, int threads) {
    const HMODULE module = LoadLibraryA(module_path().c_str());
    if (!checks.expect(module != nullptr, "loads the module")) return;
    thread_rand = as<RandExport>(resolve(module, "_n_rand@16"));
    constexpr int warm_up = 50;
    const Resources warming;
    bool ok = true;
    for (int thread = 0; ok && thread < warm_up; ++thread) ok = run_short_thread(checks, thread);
    const Resources before;
    for (int thread = warm_up; ok && thread < threads; ++thread) ok = run_short_thread(checks, thread);
    if (ok) expect_flat(checks, "short threads", before);
    FreeLibrary(module);
}

}  // namespace
}  // namespace vyxmath::win32_test

int main(int argc, char** argv) {
    using namespace vyxmath::win32_test;
    const int cycles = argc > 2 ? std::atoi(argv[1]) : 5000;
    const int threads = argc > 2 ? std::atoi(argv[2]) : 20000;
    Checks checks("soak_test");
    if (cycles > 0) soak_load_cycles(checks, cycles);
    if (threads > 0) soak_short_threads(checks, threads);
    return checks.finish();
}
