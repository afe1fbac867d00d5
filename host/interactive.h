// A session at a prompt, when the calls come from a terminal: each line is a
// call as in batch mode, read with line editing, a history kept between
// sessions and completion of the export names. The word "ans" as an
// argument stands for the last result; "help [EXPORT]" shows the listing or
// an export's page; "quit", "exit" or the end of input end the session.
#pragma once

#include "call_runner.h"

namespace vyxmath::host {

// Whether this build has line editing; without it a terminal is read as any
// other input.
bool interactive_available();

// Runs the session until its end: 0 when every call ran, 1 otherwise.
int run_interactive(CallRunner& runner);

}  // namespace vyxmath::host
