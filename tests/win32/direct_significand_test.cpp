// The 17-digit significand as the 32-bit build takes it from one product
// (only the top three words of the 192-bit product, shifted on 32-bit
// words) against the extended scaling that defines it: random bit patterns,
// every binary exponent, and decimals whose 18th digit is a 5 (the values
// next to the margin around a half). It must also answer nearly always.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "numtext/decimal_significand.h"
#include "support/bit_stream.h"
#include "test_support.h"

int main() {
    using namespace vyxmath;
    win32_test::Checks checks("direct_significand_test");
    test::bit_stream random(0x2545F4914F6CDD1Du);
    auto next = [&random] { return random.next(); };
    long asked = 0, answered = 0;
    auto agrees = [&](double v) {
        ++asked;
        decimal_significand direct;
        if (!significand_directly(v, direct)) return true;
        ++answered;
        const decimal_significand route = significand_by_scaling(v);
        return checks.expect(direct.digits == route.digits && direct.point == route.point &&
                                 direct.negative == route.negative,
                             "significand of bits " + std::to_string(std::bit_cast<std::uint64_t>(v)));
    };
    char text[64];
    bool ok = true;
    for (std::uint64_t exponent = 0; ok && exponent < 2047; ++exponent)
        for (int i = 0; ok && i < 100; ++i) ok = agrees(std::bit_cast<double>(exponent << 52 | (next() >> 12)));
    for (int i = 0; ok && i < 200000; ++i) {
        std::snprintf(text, sizeof text, "%llu5e%d", static_cast<unsigned long long>(next() % 100000000000000000u),
                      static_cast<int>(next() % 600) - 320);
        ok = agrees(std::strtod(text, nullptr)) && agrees(std::bit_cast<double>(next()));
    }
    checks.expect(answered > asked - asked / 100,
                  "answered directly: " + std::to_string(answered) + " of " + std::to_string(asked));
    return checks.finish();
}
