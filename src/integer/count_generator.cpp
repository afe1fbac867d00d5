#include "integer/count_generator.h"

namespace vyxmath {
namespace {

// Constant-initialised, so every thread's copy (also the loading thread's)
// holds the start value before its first draw; it ends with its thread.
thread_local std::uint32_t count_state = count_generator_start;

}  // namespace

std::int32_t draw_count() {
    count_state = advance_count_state(count_state);
    return count_of_state(count_state);
}

}  // namespace vyxmath
