// The host's batch mode on arbitrary input bytes.
//
// Byte 0 chooses the size of the blocks the host reads, so that lines, words,
// quotes and "\r\n" fall across block boundaries; the rest is the input.
// The module behind the host is a checking stand-in: each export reads every
// text it is given up to its NUL, checks that integer slots carry 32-bit
// values, and fills p1 with the longest text the real module may write for
// the digits it received, so AddressSanitizer sees any variable the host
// makes too small.
//
// Checked: one output line per input line, in order, each exactly what that
// line gives when it is split and run on its own; as many "error: " lines as
// the host counts failed calls; no read or write error.
#include <unistd.h>

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "batch.h"
#include "call_line.h"
#include "call_runner.h"
#include "export_index.h"
#include "frame/real_export.h"
#include "fuzz_check.h"
#include "host_limits.h"

namespace {

using vyxmath::ExportInfo;
using vyxmath::SlotKind;
using vyxmath::host::RawExport;

std::int32_t slot_int(std::uintptr_t slot) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(slot)); }

template <std::size_t Row>
std::int32_t VYX_CALL checking_export(std::uintptr_t p1, std::uintptr_t p2, std::uintptr_t p3, std::uintptr_t p4) {
    constexpr ExportInfo info = vyxmath::export_table[Row];
    const std::uintptr_t slot[4] = {p1, p2, p3, p4};
    std::int32_t digits = 8;
    std::size_t read_bytes = 0;
    std::uint32_t value_sum = 0;
    for (int i = 0; i < 4; ++i) {
        switch (info.slots[i]) {
        case SlotKind::text_in:
        case SlotKind::text_in_out:
            read_bytes += std::strlen(reinterpret_cast<const char*>(slot[i]));
            break;
        case SlotKind::text_out:
        case SlotKind::int_out:
            FUZZ_CHECK(slot[i] != 0, "no variable for p1");
            break;
        case SlotKind::digits:
            digits = vyxmath::effective_digits(slot_int(slot[i]));
            [[fallthrough]];
        default:
            FUZZ_CHECK(slot[i] <= 0xFFFFFFFFu, "slot %d holds more than 32 bits", i + 1);
            value_sum += static_cast<std::uint32_t>(slot[i]);
        }
    }
    if (info.has_angle_unit() && !vyxmath::is_valid_angle_unit(slot_int(p3))) return 0;
    if (info.slots[0] == SlotKind::int_out) {
        *reinterpret_cast<std::int32_t*>(p1) = static_cast<std::int32_t>(value_sum + read_bytes);
        return 0;
    }
    if (info.slots[0] == SlotKind::text_in_out || info.slots[0] == SlotKind::text_out) {
        // The longest text the module may write, then a short one over it.
        const std::size_t room = vyxmath::written_text_bound(digits);
        char* text = reinterpret_cast<char*>(p1);
        std::memset(text, '7', room - 1);
        text[room - 1] = '\0';
        const std::string shown = std::to_string(Row) + ":" + std::to_string(read_bytes) + ":" + std::to_string(digits);
        std::memcpy(text, shown.c_str(), shown.size() + 1);
        return 0;
    }
    return slot_int(p1) == 7 ? 0 : -1;  // the prime test's verdict
}

template <std::size_t... Row>
constexpr std::array<RawExport, sizeof...(Row)> checking_exports(std::index_sequence<Row...>) {
    return {&checking_export<Row>...};
}
constexpr auto module = checking_exports(std::make_index_sequence<vyxmath::export_count>{});

const vyxmath::host::ExportIndex& exports() {
    static const vyxmath::host::ExportIndex index([](std::string_view name) {
        for (std::size_t row = 0; row < vyxmath::export_count; ++row)
            if (vyxmath::export_table[row].name == name) return module[row];
        return RawExport{nullptr};
    });
    return index;
}

constexpr int lines_per_input = 32;

constexpr std::size_t block_sizes[] = {1, 3, 61, 4096, 70000, vyxmath::host::default_block_bytes};

// An in-memory file holding `bytes`, positioned at its start.
int memory_file(std::string_view bytes) {
    const int fd = memfd_create("batch", 0);
    FUZZ_CHECK(fd >= 0, "memfd_create failed");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        FUZZ_CHECK(n > 0, "write failed");
        done += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string file_contents(int fd) {
    std::string text;
    lseek(fd, 0, SEEK_SET);
    char chunk[65536];
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<std::size_t>(n));
    return text;
}

// What one line gives when it is split and run on its own.
std::string run_alone(std::string line, std::size_t number, vyxmath::host::CallRunner& runner) {
    // A byte-order mark opening the input belongs to the file, not the call.
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > vyxmath::host::max_line_bytes) return "error: <too long>";
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') return "";
    const std::string error = "error: line " + std::to_string(number) + ": ";
    const std::size_t size = line.size();
    line.push_back('\0');
    vyxmath::host::CallWords words;
    vyxmath::host::Message message;
    if (const auto problem = vyxmath::host::split_call_line(line.data(), size, words)) {
        vyxmath::host::describe(problem, message);
        return error + std::string(message.view());
    }
    std::string_view output;
    const std::span<const vyxmath::host::Argument> args(words.words.data() + 1, words.count - 1);
    if (!runner.run(words.words[0].view(), args, output, message)) return error + std::string(message.view());
    return std::string(output);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    // The first lines_per_input lines only: every line costs the same checks
    // again (and an unknown name its suggestions, twice), so a corpus that
    // drifts towards hundreds of lines per input would run a few inputs a
    // second; what lines do to each other (blocks, held and overlong lines)
    // shows within a few.
    std::size_t cut = 0;
    for (int lines = 0; lines < lines_per_input && cut != std::string_view::npos; ++lines) {
        cut = input.find('\n', cut);
        if (cut != std::string_view::npos) ++cut;
    }
    if (cut != std::string_view::npos) input = input.substr(0, cut);
    // Tiny blocks on long inputs would only cost time: a few hundred reads
    // per input at most.
    const std::size_t block_bytes =
        std::max(block_sizes[data[0] % std::size(block_sizes)], input.size() / 256);

    static vyxmath::host::CallRunner batch_runner(exports());
    static vyxmath::host::CallRunner single_runner(exports());
    // The blocks of one run serve the next; outside each run's own sizes
    // they are poisoned (the fuzz build annotates std::vector for
    // AddressSanitizer), so a stray access still shows as at exact sizes.
    static vyxmath::host::BatchBuffers buffers;
    const int in = memory_file(input);
    const int out = memory_file("");
    const vyxmath::host::BatchResult result = vyxmath::host::run_batch(in, out, batch_runner, buffers, block_bytes);
    const std::string output = file_contents(out);
    close(in);
    close(out);
    FUZZ_CHECK(!result.io_error, "read or write error");

    std::vector<std::string_view> output_lines;
    for (std::size_t at = 0; at < output.size();) {
        const std::size_t end = output.find('\n', at);
        FUZZ_CHECK(end != std::string::npos, "last output line has no line break");
        output_lines.push_back(std::string_view(output).substr(at, end - at));
        at = end + 1;
    }
    FUZZ_CHECK(output_lines.size() == result.calls, "%zu output lines for %llu calls", output_lines.size(),
               static_cast<unsigned long long>(result.calls));

    std::size_t line_index = 0, errors = 0;
    for (std::size_t at = 0; at < input.size(); ++line_index) {
        std::size_t end = input.find('\n', at);
        if (end == std::string_view::npos) end = input.size();
        FUZZ_CHECK(line_index < output_lines.size(), "input line %zu has no output", line_index + 1);
        const std::string expected = run_alone(std::string(input.substr(at, end - at)), line_index + 1, single_runner);
        const std::string_view got = output_lines[line_index];
        if (expected == "error: <too long>")
            FUZZ_CHECK(got.starts_with("error: ") && got.find("longer") != std::string_view::npos,
                       "line %zu: '%.*s' for a line over the limit", line_index + 1, static_cast<int>(got.size()),
                       got.data());
        else
            FUZZ_CHECK(got == expected, "line %zu: batch gave '%.*s', alone '%s'", line_index + 1,
                       static_cast<int>(got.size()), got.data(), expected.c_str());
        if (got.starts_with("error: ")) ++errors;
        at = end + 1;
    }
    FUZZ_CHECK(line_index == output_lines.size(), "%zu input lines, %zu output lines", line_index,
               output_lines.size());
    FUZZ_CHECK(errors == result.failed, "%zu error lines, %llu failed calls", errors,
               static_cast<unsigned long long>(result.failed));
    return 0;
}
