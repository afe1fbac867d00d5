// Accuracy bookkeeping for the angle functions against the C library's long
// double functions (x86-64 glibc only, see long_double_reference.h): the
// largest error in units in the last place and how often a result is not the
// double nearest the reference.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "real/long_double_reference.h"

#if defined(VYXMATH_LONG_DOUBLE_REFERENCE)
namespace vyxmath::test {

class accuracy_record {
public:
    explicit accuracy_record(std::string name) : name_(std::move(name)) {}

    void add(double x, double got, long double want) {
        const double error = ulp_error(got, want);
        ++count_;
        if (clearly_not_nearest(got, want)) ++not_nearest_;
        if (!(error <= max_error_)) {
            max_error_ = error;
            worst_ = x;
        }
    }

    // Every result within one unit in the last place; the figures go to the
    // test log.
    void check() const {
        std::printf("[ accuracy ] %-28s %7d arguments, max %.4f ulp (at %.17g), %d not nearest\n",
                    name_.c_str(), count_, max_error_, worst_, not_nearest_);
        ::testing::Test::RecordProperty(name_ + "_max_ulp", std::to_string(max_error_));
        ::testing::Test::RecordProperty(name_ + "_not_nearest", std::to_string(not_nearest_));
        EXPECT_LT(max_error_, 1.0) << name_ << " at " << worst_;
        EXPECT_GT(count_, 0);
    }

private:
    std::string name_;
    int count_ = 0;
    int not_nearest_ = 0;
    double max_error_ = 0.0;
    double worst_ = 0.0;
};

// Deterministic arguments: uniform in [low, high).
class argument_source {
public:
    explicit argument_source(std::uint64_t seed) : random_(seed) {}

    double uniform(double low, double high) {
        return low + (high - low) * (static_cast<double>(random_() >> 11) * 0x1.0p-53);
    }

    // Spread evenly over the binades from 2^low_exponent to 2^high_exponent,
    // with a random sign when signed_ is set.
    double spread(int low_exponent, int high_exponent, bool signed_) {
        const int e = low_exponent + static_cast<int>(random_() % static_cast<std::uint64_t>(high_exponent - low_exponent));
        const double f = 1.0 + static_cast<double>(random_() >> 12) * 0x1.0p-52;
        const double x = std::ldexp(f, e);
        return signed_ && (random_() & 1) ? -x : x;
    }

private:
    std::mt19937_64 random_;
};

}  // namespace vyxmath::test
#endif
