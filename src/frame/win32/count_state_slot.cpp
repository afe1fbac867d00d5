// The count generator's per-thread state in the Windows module.
//
// Each thread's 32-bit state lives in the value of one slot of the process's
// thread-local storage. The slot is taken when the module's runtime starts
// (on the loading thread, before the entry routine is first called, like the
// floating-point start-up) and given back when the runtime shuts down on
// unload. So any number of loads and unloads leave the process with the slots
// it had, nothing is allocated per thread, and a thread that ends leaves
// nothing behind. Windows clears a freed slot on every thread, so a later load
// that is handed the same slot starts afresh too.
//
// A slot no thread has written reads as 0, on threads that existed before the
// load as on new ones. The slot therefore holds the state XOR the start
// value: a thread's first read gives the start state, with no separate
// "created" mark, and every 32-bit state is representable.
//
// If the process has no slot left at load, the module still loads and n_rand
// still works: every thread then draws from one process-wide state, advanced
// by compare-and-exchange (no lock), so the threads share one sequence of
// counts instead of each having its own.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "integer/count_generator.h"

namespace vyxmath {
namespace {

DWORD count_slot = TLS_OUT_OF_INDEXES;
std::atomic<std::uint32_t> shared_count_state{count_generator_start};

__attribute__((constructor)) void take_count_slot() { count_slot = TlsAlloc(); }

__attribute__((destructor)) void give_back_count_slot() {
    if (count_slot != TLS_OUT_OF_INDEXES) TlsFree(count_slot);
    count_slot = TLS_OUT_OF_INDEXES;
}

std::uint32_t slot_value_of(std::uint32_t state) { return state ^ count_generator_start; }

std::uint32_t advance_shared_state() {
    std::uint32_t state = shared_count_state.load(std::memory_order_relaxed);
    while (!shared_count_state.compare_exchange_weak(state, advance_count_state(state), std::memory_order_relaxed)) {
    }
    return advance_count_state(state);
}

}  // namespace

std::int32_t draw_count() {
    if (count_slot == TLS_OUT_OF_INDEXES) return count_of_state(advance_shared_state());
    // TlsGetValue clears the thread's last-error value; a call of the module
    // leaves the host's value as it found it.
    const DWORD hosts_last_error = GetLastError();
    const auto held = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(TlsGetValue(count_slot)));
    const std::uint32_t state = advance_count_state(slot_value_of(held));
    TlsSetValue(count_slot, reinterpret_cast<void*>(static_cast<std::uintptr_t>(slot_value_of(state))));
    SetLastError(hosts_last_error);
    return count_of_state(state);
}

}  // namespace vyxmath
