// Builds without a line-editing library (Windows): a terminal is read as any
// other input, one call per line, without a prompt.
#include "interactive.h"

namespace vyxmath::host {

bool interactive_available() { return false; }
int run_interactive(CallRunner&) { return 1; }

}  // namespace vyxmath::host
