// The texts that describe the exports: the --list table, one row per export
// with its arguments and what it computes, and the --help EXPORT page with
// its slots and examples. All of it comes from the export table and the
// export descriptions.
#pragma once

#include <string>

#include "frame/export_table.h"

namespace vyxmath::host {

std::string export_listing();

std::string export_help_page(const ExportInfo& e);

}  // namespace vyxmath::host
