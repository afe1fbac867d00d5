// Floating-point start-up of the module, run by the language runtime on the
// thread that loads the module, before the entry routine is first called.
//
// The module's own double arithmetic is done in SSE2 registers, but the
// mathematical functions of the platform's runtime work on the x87 unit. The
// loading thread's x87 precision control is therefore set to 53 bits, so that
// their intermediate results are rounded as doubles, and any exception flags
// left pending by the host are cleared, so that no later x87 instruction
// inside the module raises a stale exception. The rounding mode and the
// exception masks belong to the host and are left exactly as they are.
#include <cstdint>

namespace vyxmath::win32 {
namespace {

// x87 control word: bits 8-9 are the precision control (00 24 bits, 10 53
// bits, 11 64 bits); bits 10-11 the rounding control and bits 0-5 the
// exception masks stay untouched.
constexpr std::uint16_t precision_control_mask = 0x0300;
constexpr std::uint16_t precision_control_53_bits = 0x0200;

constexpr std::uint16_t with_53_bit_precision(std::uint16_t control_word) {
    return static_cast<std::uint16_t>((control_word & ~precision_control_mask) | precision_control_53_bits);
}
static_assert(with_53_bit_precision(0x037F) == 0x027F, "64-bit precision becomes 53-bit");
static_assert(with_53_bit_precision(0x0C7F) == 0x0E7F, "rounding control is kept");
static_assert(with_53_bit_precision(0x0260) == 0x0260, "exception masks are kept");

__attribute__((constructor)) void set_x87_double_precision() {
    std::uint16_t control_word;
    asm volatile("fnstcw %0" : "=m"(control_word));
    control_word = with_53_bit_precision(control_word);
    // fnclex drops the status word's exception flags; fldcw changes only the
    // precision bits, so no exception becomes unmasked by this code.
    asm volatile("fnclex\n\tfldcw %0" : : "m"(control_word));
}

}  // namespace
}  // namespace vyxmath::win32
