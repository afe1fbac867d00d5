// Accuracy bookkeeping of the real-valued functions, every one of which the
// module rounds correctly: each result against the correctly rounded value of
// the exact reference (support/mpfr_reference.h), with the count of results
// that are not that double and the first few of them in the failure.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "support/bit_stream.h"
#include "support/bits_text.h"
#include "support/mpfr_reference.h"
#include "support/sanitizer_scale.h"

namespace vyxmath::test {

class accuracy_record {
public:
    explicit accuracy_record(std::string name) : name_(std::move(name)) {}

    // got for the argument x (and y), against want, the correctly rounded value.
    void add(double x, double got, double want) { add(got, want, [&] { return bits_text(x); }); }
    void add(double x, double y, double got, double want) {
        add(got, want, [&] { return bits_text(x) + ", " + bits_text(y); });
    }

    // Every result is the correctly rounded double; the figures go to the log.
    void check() const {
        std::printf("[ accuracy ] %-32s %7d arguments, %d not correctly rounded\n", name_.c_str(), count_,
                    not_nearest_);
        ::testing::Test::RecordProperty(name_ + "_not_nearest", std::to_string(not_nearest_));
        for (const std::string& miss : first_misses_) ADD_FAILURE() << miss;
        EXPECT_EQ(not_nearest_, 0) << name_ << ": of " << count_ << " arguments";
        EXPECT_GT(count_, 0) << name_;
    }

private:
    template <typename ArgumentText>
    void add(double got, double want, ArgumentText arguments) {
        ++count_;
        if (mpfr_reference::is_nearest(got, want)) return;
        ++not_nearest_;
        if (first_misses_.size() < 5)
            first_misses_.push_back(name_ + "(" + arguments() + "): got " + bits_text(got) + ", want " +
                                    bits_text(want));
    }

    std::string name_;
    int count_ = 0;
    int not_nearest_ = 0;
    std::vector<std::string> first_misses_;
};

// A one-argument function of the module beside its exact reference.
struct function_pair {
    const char* name;
    double (*module)(double);
    double (*exact)(double);
};

// One record for each of several functions, all taken at the same arguments.
class accuracy_records {
public:
    explicit accuracy_records(std::span<const function_pair> functions) : functions_(functions) {
        for (const function_pair& f : functions_) records_.emplace_back(f.name);
    }

    void add(double x) {
        for (std::size_t i = 0; i < functions_.size(); ++i) records_[i].add(x, functions_[i].module(x), functions_[i].exact(x));
    }

    void check() const {
        for (const accuracy_record& r : records_) r.check();
    }

private:
    std::span<const function_pair> functions_;
    std::vector<accuracy_record> records_;
};

// The C library's long double functions as a reference good to about 2^-64:
// only glibc on x86-64 (80-bit long double) offers them; elsewhere the checks
// that need them are skipped.
#if defined(__x86_64__) && defined(__GLIBC__)
inline constexpr bool has_long_double_reference = true;
#else
inline constexpr bool has_long_double_reference = false;
#endif
inline constexpr const char* no_long_double_reference =
    "no long double library functions with a 64-bit significand here (glibc on x86-64 has them)";

}  // namespace vyxmath::test
