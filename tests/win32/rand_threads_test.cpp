// The random generator's per-thread state seen through the loaded module:
// every thread, the loading one included, starts its own sequence of
// iteration counts at 41 whatever the other threads draw; a thread started
// after another has ended starts afresh; a fresh load starts afresh.
//
// Known values of the first calls on a thread (counts 41, 18467, 6334):
// start 0 gives 8565; then start 8565 (chained) gives 20244; then start 0
// gives 18170. A second call with start 0 instead gives 19675.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "test_support.h"

namespace vyxmath::win32_test {
namespace {

using RandExport = std::int32_t(__stdcall*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);

RandExport n_rand = nullptr;

std::int32_t draw(std::int32_t start) {
    std::int32_t result = 0x55555555;
    n_rand(&result, start, 0, 0);
    return result;
}

constexpr int calls_per_thread = 200;

// Start values over the whole 32-bit range, the same list for every thread.
std::int32_t start_value(int call) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(call) * 2654435761u);
}

// Calls n_rand calls_per_thread times; with events, strictly alternating
// with another thread (wait for my turn, call, hand the turn over).
struct Walker {
    HANDLE my_turn = nullptr;
    HANDLE next_turn = nullptr;
    std::vector<std::int32_t> results;

    static DWORD WINAPI run(void* self) {
        auto& walker = *static_cast<Walker*>(self);
        for (int call = 0; call < calls_per_thread; ++call) {
            if (walker.my_turn != nullptr) WaitForSingleObject(walker.my_turn, INFINITE);
            walker.results.push_back(draw(start_value(call)));
            if (walker.next_turn != nullptr) SetEvent(walker.next_turn);
        }
        return 0;
    }
};

HANDLE start_thread(Walker& walker) { return CreateThread(nullptr, 0, &Walker::run, &walker, 0, nullptr); }

void first_calls_on_a_new_thread(Checks& checks) {
    struct FirstCalls {
        std::array<std::int32_t, 3> results{};
        static DWORD WINAPI run(void* self) {
            auto& calls = *static_cast<FirstCalls*>(self);
            calls.results[0] = draw(0);
            calls.results[1] = draw(calls.results[0]);
            calls.results[2] = draw(0);
            return 0;
        }
    } calls;
    const HANDLE thread = CreateThread(nullptr, 0, &FirstCalls::run, &calls, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    checks.expect(calls.results == std::array<std::int32_t, 3>{8565, 20244, 18170},
                  "a new thread's first calls give 8565, 20244, 18170; got " + std::to_string(calls.results[0]) +
                      ", " + std::to_string(calls.results[1]) + ", " + std::to_string(calls.results[2]));
}

}  // namespace
}  // namespace vyxmath::win32_test

int main() {
    using namespace vyxmath::win32_test;
    Checks checks("rand_threads_test");

    HMODULE module = LoadLibraryA(module_path().c_str());
    if (!checks.expect(module != nullptr, "loads " + module_path())) return checks.finish();
    n_rand = as<RandExport>(resolve(module, "_n_rand@16"));
    if (!checks.expect(n_rand != nullptr, "resolves _n_rand@16")) return checks.finish();

    // One thread alone: its sequence is the reference for the others.
    first_calls_on_a_new_thread(checks);
    Walker alone;
    HANDLE thread = start_thread(alone);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);

    // Two threads in strict alternation: a shared state would give each
    // thread every other count of the sequence.
    Walker first, second;
    first.my_turn = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    second.my_turn = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    first.next_turn = second.my_turn;
    second.next_turn = first.my_turn;
    const HANDLE threads[2] = {start_thread(first), start_thread(second)};
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (HANDLE handle : {threads[0], threads[1], first.my_turn, second.my_turn}) CloseHandle(handle);
    checks.expect(first.results == alone.results, "the first of two alternating threads sees its own sequence");
    checks.expect(second.results == alone.results, "the second of two alternating threads sees its own sequence");

    // The loading thread has drawn nothing yet, whatever the others did.
    checks.expect(draw(0) == 8565, "the loading thread's first call gives 8565");
    checks.expect(draw(0) == 19675, "the loading thread's second call gives 19675");

    // A new thread after all the others have ended starts at 1 again.
    first_calls_on_a_new_thread(checks);

    // The host's last-error value survives a draw (the slot's read clears it).
    SetLastError(1234);
    draw(0);
    checks.expect(GetLastError() == 1234, "a draw leaves the thread's last-error value as it was");

    // Unloading discards every state; a fresh load begins again.
    checks.expect(FreeLibrary(module) != 0, "unloads the module");
    module = LoadLibraryA(module_path().c_str());
    if (!checks.expect(module != nullptr, "loads the module again")) return checks.finish();
    n_rand = as<RandExport>(resolve(module, "_n_rand@16"));
    checks.expect(n_rand != nullptr && draw(0) == 8565, "after a fresh load the loading thread's first call gives 8565");
    FreeLibrary(module);
    return checks.finish();
}
