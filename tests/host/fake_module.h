// Stand-in exports for testing the host without a module: each kind of
// export leaves a trace of the slot values it received, so a test sees
// exactly what the host passed.
#pragma once

#include <string_view>

#include "export_index.h"

namespace vyxmath::host::testing_support {

// Text exports write "p1|p2|p3|p4" (texts as text, other slots as signed
// integers) into p1; angle exports leave p1 alone for a unit other than 0
// or 1; n_fabs copies p2 into p1; integer exports store p2 + p3 + p4;
// n_sosu returns 0 for 7 and -1 otherwise; n_lcm is missing from the
// module.
RawExport fake_export(std::string_view name);

}  // namespace vyxmath::host::testing_support
