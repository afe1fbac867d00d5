#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

#include "integer/count_generator.h"
#include "integer/mixing_step.h"
#include "vyxmath.h"

namespace vyxmath {
namespace {

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

// Runs `body` on a thread of its own, whose count generator starts afresh.
template <class Body>
void on_new_thread(Body body) {
    std::thread thread(body);
    thread.join();
}

TEST(CountGenerator, FirstDrawsFromTheStartState) {
    constexpr std::array<std::int32_t, 10> expected{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    std::uint32_t state = count_generator_start;
    state = advance_count_state(state);
    EXPECT_EQ(state, 2745024u);
    state = count_generator_start;
    for (std::int32_t draw : expected) {
        state = advance_count_state(state);
        EXPECT_EQ(count_of_state(state), draw);
    }
}

TEST(CountGenerator, FirstZeroIsThe25200thDraw) {
    std::uint32_t state = count_generator_start;
    int draws = 0;
    do {
        state = advance_count_state(state);
        ++draws;
    } while (count_of_state(state) != 0);
    EXPECT_EQ(draws, 25200);
}

TEST(CountGenerator, EachThreadStartsAt41WhateverOthersDrew) {
    std::vector<std::int32_t> first_thread, second_thread;
    on_new_thread([&] {
        for (int i = 0; i < 3; ++i) first_thread.push_back(draw_count());
        on_new_thread([&] {
            for (int i = 0; i < 3; ++i) second_thread.push_back(draw_count());
        });
        first_thread.push_back(draw_count());  // unaffected by the inner thread
    });
    EXPECT_EQ(first_thread, (std::vector<std::int32_t>{41, 18467, 6334, 26500}));
    EXPECT_EQ(second_thread, (std::vector<std::int32_t>{41, 18467, 6334}));
}

struct MixingCase {
    std::int32_t start;
    std::int32_t expected;
};

constexpr MixingCase single_steps[] = {
    {0, 1021}, {-9, 40}, {-1, 912}, {-10, -69}, {40000, 2877}, {int32_min, -31747}, {int32_max, -31856},
};

TEST(MixingStep, SingleSteps) {
    for (const auto& c : single_steps) EXPECT_EQ(mixing_step(c.start), c.expected) << c.start;
}

// The mixing step applied literally, count times.
std::int32_t literal_mixing(std::int32_t v, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) v = mixing_step(v);
    return v;
}

// Every count for a set of starts: negative starts run through the negative
// part first, large starts wrap in the first product.
TEST(MixingStep, EveryCountMatchesTheLiteralSteps) {
    const std::int32_t starts[] = {0, 1, -1, -9, -10, -100, -31856, -32767, 32767, 40000, 19700000,
                                   19800000, -19800000, int32_min, int32_max, -2, 12345, -12345};
    for (std::int32_t start : starts) {
        std::int32_t v = start;
        for (std::int32_t count = 0; count <= 32767; ++count) {
            ASSERT_EQ(apply_mixing_steps(start, count), v) << "start " << start << ", count " << count;
            v = mixing_step(v);
        }
    }
}

TEST(MixingStep, EveryStartInRangeMatchesTheLiteralSteps) {
    for (std::int32_t start = -32800; start <= 32800; ++start) {
        std::int32_t v = start;
        for (std::int32_t count = 0; count <= 3; ++count) {
            ASSERT_EQ(apply_mixing_steps(start, count), v) << "start " << start << ", count " << count;
            v = mixing_step(v);
        }
    }
}

// A negative walk from -u (u >= 10) stays below -9 for a while, then reaches
// -9..0 and turns non-negative: the counts around that point, for every u.
TEST(MixingStep, EveryNegativeWalkAroundItsTurningPoint) {
    for (std::int32_t start = -32767; start <= -10; ++start) {
        std::int32_t before = start;
        std::int32_t v = mixing_step(start);
        std::int32_t count = 1;
        while (v < -9) {
            before = v;
            v = mixing_step(v);
            ++count;
        }
        ASSERT_EQ(apply_mixing_steps(start, count - 1), before) << start;
        ASSERT_EQ(apply_mixing_steps(start, count), v) << start;
        ASSERT_EQ(apply_mixing_steps(start, count + 1), mixing_step(v)) << start;
        ASSERT_EQ(apply_mixing_steps(start, count + 2), mixing_step(mixing_step(v))) << start;
    }
}

TEST(MixingStep, SampledStartsAndCounts) {
    std::uint64_t state = 5;
    for (int i = 0; i < 2000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const auto start = static_cast<std::int32_t>(state >> 32);
        const auto count = static_cast<std::int32_t>(state & 0x7FFF);
        ASSERT_EQ(apply_mixing_steps(start, count), literal_mixing(start, count)) << start << ", " << count;
    }
}

// n_rand on fresh threads: the first call uses the count 41, the second
// 18467, the third 6334.
struct RandCall {
    std::int32_t start;
    std::int32_t expected;
};

struct RandSequence {
    const char* what;
    std::vector<RandCall> calls;
};

TEST(Rand, SequencesOnFreshThreads) {
    const RandSequence sequences[] = {
        {"start 0 three times", {{0, 8565}, {0, 19675}, {0, 18170}}},
        {"chained", {{0, 8565}, {8565, 20244}}},
        {"start 1", {{1, 32002}}},
        {"start -1", {{-1, 17896}}},
        {"start -100", {{-100, -8607}}},
        {"start 40000", {{40000, 28853}}},
        {"start 2147483647", {{int32_max, -14872}}},
    };
    for (const auto& sequence : sequences) {
        on_new_thread([&] {
            for (const auto& call : sequence.calls) {
                std::int32_t result = 0;
                EXPECT_EQ(n_rand(&result, call.start, 7, -7), 0);
                EXPECT_EQ(result, call.expected) << sequence.what << ", start " << call.start;
            }
        });
    }
}

// The 25200th call draws 0: no mixing step runs and the start comes back as
// it was, even outside -32767..32767.
TEST(Rand, The25200thCallReturnsTheStartUnchanged) {
    on_new_thread([] {
        std::int32_t result = 0;
        for (int i = 1; i < 25200; ++i) n_rand(&result, 0, 0, 0);
        n_rand(&result, int32_min, 0, 0);
        EXPECT_EQ(result, int32_min);
    });
}

}  // namespace
}  // namespace vyxmath
