// The host's fixed limits. Every buffer of the host is sized from these once,
// at start-up, so that no call allocates and no variable is ever too small
// for what the module may write into it.
#pragma once

#include <algorithm>
#include <cstddef>

#include "common/export_arguments.h"

namespace vyxmath::host {

// Largest digits argument the host passes on. The module writes at most
// written_text_bound(digits) bytes into p1.
inline constexpr int max_digits = 4096;

// Longest call line in batch mode, and longest text the host copies into a
// text variable, without the terminating NUL.
inline constexpr std::size_t max_line_bytes = 64 * 1024;
inline constexpr std::size_t max_text_bytes = max_line_bytes;

// Most words (export name and arguments) on one call line. No export takes
// more than four arguments, so a line with more words is always wrong.
inline constexpr std::size_t max_line_words = 8;

// p1's text variable holds either an operand (read first) or a result.
inline constexpr std::size_t text_variable_bytes = std::max(max_text_bytes + 1, written_text_bound(max_digits));

}  // namespace vyxmath::host
