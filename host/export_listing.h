// The --list text: every export with the kind of each slot and the host
// arguments it takes, all derived from the export table.
#pragma once

#include <string>

namespace vyxmath::host {

std::string export_listing();

}  // namespace vyxmath::host
