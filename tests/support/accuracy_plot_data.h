// The data behind the accuracy pictures (docs/accuracy.md, drawn by
// bench/report/report.py accuracy): the fast phases' values against MPFR
// beside their bounds, and where the number-text reader's double differs
// from the correctly rounded one, by decimal exponent.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/kernel_cases.h"

namespace vyxmath::kernel_check {

// One kernel's tally from the long run, as the pictures show it.
struct LongRunTally {
    std::string name;
    Tally random;
    bool has_fast_phase;
};

// Writes the JSON file of the pictures: the tallies, `samples` arguments per
// fast phase (each with its value's relative error against MPFR, the bound
// its rounding test is derived from, and whether the argument goes on to the
// slower phases), and the reader's differences at `texts_per_exponent` texts
// of each kind per decimal exponent.
void write_plot_data(std::FILE* out, const std::vector<LongRunTally>& tallies, int samples, int texts_per_exponent,
                     std::uint64_t seed);

// The reader's double against the correctly rounded one for the texts of one
// decimal exponent: 17 random significant digits; the point half-way between
// two neighbouring doubles written with 25 significant digits (the digits
// the reader takes); and those of the latter that are the half-way point
// exactly.
struct ReaderCounts {
    std::int64_t tried[3] = {0, 0, 0};
    std::int64_t differ[3] = {0, 0, 0};
    std::int64_t low[3] = {0, 0, 0};  // of those that differ, the ones of smaller magnitude
};
ReaderCounts reader_differences(int decimal_exponent, int texts, test::bit_stream& random);

// The point half-way between the positive double `low` and the next one up,
// written with 25 significant digits to `text`; true when the text is that
// point exactly.
bool half_way_text(double low, char (&text)[48]);

}  // namespace vyxmath::kernel_check
