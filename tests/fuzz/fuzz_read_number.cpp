// read_number on arbitrary bytes. Each input is copied into a heap block of
// exactly its size plus the NUL, so AddressSanitizer reports any byte read
// past the terminator. Beyond "no crash", the reading must not depend on
// anything but the text, and a sign in front of a digit must act as a sign.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_check.h"
#include "vyxmath.h"

namespace {

// Exactly-sized NUL-terminated heap copy of `prefix` followed by the input.
std::unique_ptr<char[]> terminated_copy(const char* prefix, const std::uint8_t* data, std::size_t size) {
    const std::size_t prefix_size = std::strlen(prefix);
    auto text = std::make_unique<char[]>(prefix_size + size + 1);
    std::memcpy(text.get(), prefix, prefix_size);
    if (size != 0) std::memcpy(text.get() + prefix_size, data, size);
    text[prefix_size + size] = '\0';
    return text;
}

std::uint64_t bits_of(double value) { return std::bit_cast<std::uint64_t>(value); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = terminated_copy("", data, size);
    const std::uint64_t plain = bits_of(vyxmath::read_number(text.get()));
    FUZZ_CHECK(bits_of(vyxmath::read_number(text.get())) == plain, "second reading differs");

    // Leading space-class bytes are skipped.
    const auto spaced = terminated_copy(" \t\n\v\f\r", data, size);
    FUZZ_CHECK(bits_of(vyxmath::read_number(spaced.get())) == plain, "leading blanks change the value");

    // A text that starts with a digit holds a number, so a sign put in front
    // of it negates (including 0 into -0) or keeps the value exactly.
    if (size != 0 && data[0] >= '0' && data[0] <= '9') {
        const auto minus = terminated_copy("-", data, size);
        const auto plus = terminated_copy("+", data, size);
        FUZZ_CHECK(bits_of(vyxmath::read_number(minus.get())) == (plain ^ (std::uint64_t{1} << 63)),
                   "'-' does not negate %016llx", static_cast<unsigned long long>(plain));
        FUZZ_CHECK(bits_of(vyxmath::read_number(plus.get())) == plain, "'+' changes the value");
    }
    return 0;
}
