// The edge results of a one-argument real function (zeros, infinities,
// not-a-numbers with their payloads, thresholds), compared bit for bit.
#pragma once

#include <gtest/gtest.h>

#include <span>

#include "support/bits_text.h"

namespace vyxmath::test {

struct edge_case {
    const char* name;
    double (*function)(double);
    double x;
    double want;
};

inline void expect_edge_results(std::span<const edge_case> cases) {
    for (const edge_case& c : cases) EXPECT_EQ(bits_text(c.function(c.x)), bits_text(c.want)) << c.name;
}

}  // namespace vyxmath::test
