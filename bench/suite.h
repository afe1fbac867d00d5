// The conversion and export timings, registered at start-up once the input
// sets are built. Names are "<group>/<input set>/<contender>"; within a group
// every contender works on the same inputs, so their times compare directly.
#pragma once

#include <vector>

#include "inputs.h"

namespace vyxmath::bench {

// read/<set>/{read_number, strtod, std_from_chars, fast_float, double_conversion}
void register_read_benchmarks(const std::vector<const number_texts*>& sets);

// write8/<set>/... and write17/<set>/...:
// {write_number, snprintf, std_to_chars, double_conversion}
void register_write_benchmarks(const std::vector<const number_values*>& sets);

// export/<export>/<operands>/{module, libc}: the export from text to text
// against strtod, the same operation and snprintf("%.8g").
void register_export_benchmarks(const number_texts& short_decimals, const number_texts& long_decimals);

}  // namespace vyxmath::bench
