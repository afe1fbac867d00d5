// The module loaded into a process that has no thread-local-storage index
// left: it must load, and n_rand must work, with all threads drawing from one
// process-wide sequence of counts (41, 18467, 6334, ...) that loses no draw
// when threads draw at once. Unloading gives everything back, and the next
// load, with indexes free again, has per-thread states once more.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "integer/count_generator.h"
#include "integer/mixing_step.h"
#include "process_resources.h"
#include "test_support.h"

namespace vyxmath::win32_test {
namespace {

using RandExport = std::int32_t(__stdcall*)(std::int32_t*, std::int32_t, std::int32_t, std::int32_t);

RandExport n_rand = nullptr;

std::int32_t draw_from_zero() {
    std::int32_t result = 0;
    n_rand(&result, 0, 0, 0);
    return result;
}

// From start 0 the mixing step runs through all 32768 values before it comes
// back, so the result of n_rand(0) tells the count that was drawn.
std::vector<std::int32_t> count_of_result_from_zero() {
    std::vector<std::int32_t> count_of(32768);
    std::int32_t value = 0;
    for (std::int32_t count = 0; count < 32768; ++count, value = mixing_step(value)) count_of[value] = count;
    return count_of;
}

// The counts of draws first + 1 to first + n of one generator.
std::vector<std::int32_t> sequence_counts(int first, int n) {
    std::uint32_t state = count_generator_start;
    std::vector<std::int32_t> counts;
    for (int draw = 1; draw <= first + n; ++draw) {
        state = advance_count_state(state);
        if (draw > first) counts.push_back(count_of_state(state));
    }
    return counts;
}

struct Drawer {
    int draws = 20000;
    std::vector<std::int32_t> results;
    static DWORD WINAPI run(void* self) {
        auto& drawer = *static_cast<Drawer*>(self);
        for (int i = 0; i < drawer.draws; ++i) drawer.results.push_back(draw_from_zero());
        return 0;
    }
};

// Runs one Drawer per entry at once; returns their results, all together.
template <std::size_t N>
std::vector<std::int32_t> draw_on_threads(std::array<Drawer, N>& drawers) {
    std::array<HANDLE, N> threads;
    for (std::size_t i = 0; i < N; ++i) {
        threads[i] = CreateThread(nullptr, 0, &Drawer::run, &drawers[i], 0, nullptr);
        if (!threads_may_overlap()) WaitForSingleObject(threads[i], INFINITE);
    }
    WaitForMultipleObjects(N, threads.data(), TRUE, INFINITE);
    std::vector<std::int32_t> all;
    for (std::size_t i = 0; i < N; ++i) {
        CloseHandle(threads[i]);
        all.insert(all.end(), drawers[i].results.begin(), drawers[i].results.end());
    }
    return all;
}

std::int32_t first_draw_on_new_thread() {
    std::array<Drawer, 1> drawer;
    drawer[0].draws = 1;
    return draw_on_threads(drawer).front();
}

bool load(Checks& checks, HMODULE& module, const char* when) {
    module = LoadLibraryA(module_path().c_str());
    n_rand = module != nullptr ? as<RandExport>(resolve(module, "_n_rand@16")) : nullptr;
    return checks.expect(n_rand != nullptr, std::string("loads and resolves n_rand ") + when);
}

}  // namespace
}  // namespace vyxmath::win32_test

int main() {
    using namespace vyxmath::win32_test;
    Checks checks("slot_fallback_test");
    const int free_at_start = free_tls_indexes();

    const std::vector<DWORD> taken = take_all_tls_indexes();
    HMODULE module = nullptr;
    const bool loaded = load(checks, module, "with no TLS index free");
    give_back(taken);
    if (!loaded) return checks.finish();

    // One sequence for all threads: the loading thread draws 41, a new thread
    // 18467, the loading thread again 6334.
    checks.expect(draw_from_zero() == 8565, "the first draw of the process gives 8565");
    checks.expect(first_draw_on_new_thread() == 19675, "a new thread continues the shared sequence with 19675");
    checks.expect(draw_from_zero() == 18170, "the loading thread continues with 18170");

    // Threads drawing at once take every draw of the sequence exactly once
    // (under the emulator they draw in turn: still one shared sequence).
    std::array<Drawer, 4> drawers;
    std::vector<std::int32_t> counts = draw_on_threads(drawers);
    const std::vector<std::int32_t> count_of = count_of_result_from_zero();
    for (std::int32_t& count : counts) count = count_of[count];
    std::vector<std::int32_t> expected = sequence_counts(3, static_cast<int>(counts.size()));
    std::sort(counts.begin(), counts.end());
    std::sort(expected.begin(), expected.end());
    checks.expect(counts == expected, "concurrent draws take the next draws of the sequence, none lost or repeated");

    FreeLibrary(module);
    checks.expect(free_tls_indexes() == free_at_start, "unloading leaves the TLS indexes as they were");

    if (!load(checks, module, "again")) return checks.finish();
    checks.expect(draw_from_zero() == 8565, "after a reload the loading thread starts afresh");
    checks.expect(first_draw_on_new_thread() == 8565, "after a reload each new thread has its own state again");
    checks.expect(free_tls_indexes() == free_at_start - 1, "the reloaded module holds one TLS index");
    FreeLibrary(module);
    return checks.finish();
}
