// The tests' one pseudo-random sequence: SplitMix64, a fixed and portable
// stream of 64-bit patterns, so every run and every build checks the same
// operands; and the doubles drawn from it.
#pragma once

#include <cmath>
#include <cstdint>

namespace vyxmath::test {

class bit_stream {
public:
    explicit bit_stream(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    // Uniform in [lo, hi] (the slight bias of a remainder does not matter here).
    int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }

    // Uniform in [low, high).
    double uniform(double low, double high) { return low + (high - low) * (static_cast<double>(next() >> 11) * 0x1.0p-53); }

    // Spread evenly over the binades from 2^low_exponent to 2^high_exponent
    // (a random significand in a binade drawn uniformly), with a random sign
    // when signed_ is set.
    double spread(int low_exponent, int high_exponent, bool signed_) {
        const int e = between(low_exponent, high_exponent - 1);
        const double x = std::ldexp(1.0 + static_cast<double>(next() >> 12) * 0x1.0p-52, e);
        return signed_ && (next() & 1) != 0 ? -x : x;
    }

private:
    std::uint64_t state_;
};

}  // namespace vyxmath::test
