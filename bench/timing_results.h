// The figures of one run of the module timing program, kept in a small text
// file so that the native run and the run inside the Windows process can be
// set side by side afterwards: one line per figure, "name<TAB>ns<TAB>check",
// where check is a digest of every result the figure's calls produced.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vyxmath::bench {

struct timing_figure {
    std::string name;          // "<group>/<what>/<input set>", e.g. "export/n_tasu/short_decimals"
    double nanoseconds;        // median time per call
    std::uint64_t check;       // digest of the results, equal on every build that agrees
};

void write_figures(std::FILE* out, const std::vector<timing_figure>& figures);
// The figures of a file written by write_figures; false when it cannot be read.
bool read_figures(const std::string& path, std::vector<timing_figure>& figures);

// Prints, for every figure of the first native run, the median over the runs
// of each side, the module's time divided by the native one, and whether the
// digests agree. Returns the number of figures whose digests differ.
int print_comparison(std::FILE* out, const std::vector<std::vector<timing_figure>>& native_runs,
                     const std::vector<std::vector<timing_figure>>& module_runs);

// FNV-1a, 64 bits: the digest of results.
class result_digest {
public:
    void add_text(const char* text) {
        for (; *text != '\0'; ++text) add_byte(static_cast<unsigned char>(*text));
        add_byte(0);
    }
    void add_word(std::uint64_t word) {
        for (int i = 0; i < 8; ++i) add_byte(static_cast<unsigned char>(word >> (8 * i)));
    }
    std::uint64_t value() const { return state_; }

private:
    void add_byte(unsigned char b) { state_ = (state_ ^ b) * 0x100000001B3u; }
    std::uint64_t state_ = 0xCBF29CE484222325u;
};

}  // namespace vyxmath::bench
