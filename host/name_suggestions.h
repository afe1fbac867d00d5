// Suggestions for a name that is not an export: the exports whose name, or
// one of the other words for them ("add" for n_tasu), is nearest to it in
// edit distance. Case, a leading "_" and a trailing "@16" of the decorated
// form do not count. Nothing is allocated.
#pragma once

#include <string_view>

#include "message.h"

namespace vyxmath::host {

// Adds "; did you mean n_tasu?" (or up to three names) to `out` when some
// export is near enough; adds nothing otherwise.
void add_name_suggestions(std::string_view name, Message& out);

// "unknown export "n_foo"; did you mean n_fib? (--list shows the exports)"
void describe_unknown_export(std::string_view name, Message& out);

}  // namespace vyxmath::host
