// n_rand: one draw of the calling thread's count generator gives the number
// of mixing steps applied to the start value p2.
#include "integer/count_generator.h"
#include "integer/mixing_step.h"
#include "vyxmath.h"

std::int32_t VYX_CALL n_rand(std::int32_t* result, std::int32_t start, std::int32_t, std::int32_t) {
    *result = vyxmath::apply_mixing_steps(start, vyxmath::draw_count());
    return 0;
}
