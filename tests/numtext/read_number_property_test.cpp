// Properties of reading that hold for whole families of texts: exact values
// come back exactly, halves and three quarters go to the smaller magnitude,
// and nothing behind the terminating NUL is ever read.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "numtext/extended_test_support.h"
#include "vyxmath.h"

#if defined(__unix__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vyxmath::test {
namespace {

std::string decimal(std::uint64_t n) { return std::to_string(n); }

// n / 10^places as plain decimal text, e.g. (125, 2) -> "1.25".
std::string with_point(std::uint64_t n, int places) {
    std::string digits = decimal(n);
    if (places == 0) return digits;
    if (static_cast<int>(digits.size()) <= places) digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, ".");
    return digits;
}

std::uint64_t power(std::uint64_t base, int n) {
    std::uint64_t r = 1;
    while (n-- > 0) r *= base;
    return r;
}

// m / 2^j is written exactly by the digits of m * 5^j with j places after the
// point: at most 19 significant digits, so it must read back exactly.
TEST(ReadNumberProperty, ExactBinaryFractionsReadExactly) {
    bit_stream rng(1);
    for (int i = 0; i < 200000; ++i) {
        const int j = rng.between(0, 27);
        const std::uint64_t limit = std::min<std::uint64_t>(std::uint64_t{1} << 53, 9999999999999999999u / power(5, j));
        const std::uint64_t m = 1 + rng.next() % limit;
        const double expected = std::ldexp(static_cast<double>(m), -j);  // exact
        const std::uint64_t n = m * power(5, j);
        const std::string plain = with_point(n, j);
        ASSERT_EQ(read_number(plain.c_str()), expected) << plain;
        const std::string scientific = decimal(n) + "e-" + std::to_string(j);
        ASSERT_EQ(read_number(scientific.c_str()), expected) << scientific;
    }
}

// m * 10^k with m * 5^k < 2^53 is a double; read from "m" followed by k
// zeros, and from "me+k".
TEST(ReadNumberProperty, ExactPowersOfTenMultiplesReadExactly) {
    bit_stream rng(2);
    for (int i = 0; i < 200000; ++i) {
        const int k = rng.between(0, 22);
        const std::uint64_t m = 1 + rng.next() % ((std::uint64_t{1} << 53) / power(5, k));
        const double expected = std::ldexp(static_cast<double>(m * power(5, k)), k);  // exact
        const std::string zeros = decimal(m) + std::string(k, '0');
        ASSERT_EQ(read_number(zeros.c_str()), expected) << zeros;
        const std::string scientific = "-" + decimal(m) + "e+" + std::to_string(k);
        ASSERT_EQ(read_number(scientific.c_str()), -expected) << scientific;
    }
}

// Integers between consecutive doubles of spacing 2^s, at a fraction f of the
// way: f = 1/2 and f = 3/4 round down, f = 5/8 up. Below 2^64 the integer is
// D itself and p = 0, so the extended value is exact.
TEST(ReadNumberProperty, HalvesAndThreeQuartersRoundTowardZero) {
    struct family {
        int spacing_log2;
        std::uint64_t numerator, denominator;  // f
        bool up;
    };
    const family families[] = {{1, 1, 2, false}, {2, 3, 4, false}, {2, 1, 4, false}, {3, 5, 8, true},
                               {10, 1, 2, false}, {10, 3, 4, false}, {10, 513, 1024, true}};
    bit_stream rng(3);
    for (const family& f : families) {
        const std::uint64_t spacing = std::uint64_t{1} << f.spacing_log2;
        const std::uint64_t base = std::uint64_t{1} << (52 + f.spacing_log2);  // doubles spaced 2^s from here
        for (int i = 0; i < 20000; ++i) {
            const std::uint64_t below = base + spacing * (rng.next() % (std::uint64_t{1} << 52));
            if (below + spacing > 9999999999999999999u) continue;
            const std::uint64_t n = below + spacing / f.denominator * f.numerator;
            const double expected = static_cast<double>(f.up ? below + spacing : below);  // exact
            ASSERT_EQ(read_number(decimal(n).c_str()), expected) << n;
            ASSERT_EQ(read_number(("-" + decimal(n)).c_str()), -expected) << n;
        }
    }
}

#if defined(__unix__)
// Texts placed so that their NUL is the last byte of a page whose successor
// is unmapped: reading one byte too far faults.
TEST(ReadNumberProperty, ReadsNothingPastTheTerminatingNul) {
    const long page = sysconf(_SC_PAGESIZE);
    void* region = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(region, MAP_FAILED);
    char* guard = static_cast<char*>(region) + page;
    ASSERT_EQ(mprotect(guard, page, PROT_NONE), 0);
    const char* texts[] = {"",     "-",  "+",   ".",    "-.",  "0",   "00",    "1",    "12",  "1.",  "1.5",
                           "1e",   "1E+", "1e-", "1e0",  "1e00", "1d5", ".5",   "0.",  "0.0", " ",   "\t",
                           "1,",   "1+",  "5e5201", "123456789012345678901234567890", "0.000"};
    for (const char* text : texts) {
        const std::size_t size = std::strlen(text) + 1;
        char* at = guard - size;
        std::memcpy(at, text, size);
        const double expected = read_number(std::string(text).c_str());
        EXPECT_EQ(std::bit_cast<std::uint64_t>(read_number(at)), std::bit_cast<std::uint64_t>(expected)) << text;
    }
    munmap(region, 2 * page);
}
#endif

}  // namespace
}  // namespace vyxmath::test
