// n_rand keeps one count generator per thread: every thread's counts start at
// 41, whatever other threads have drawn or are drawing, and a thread started
// later starts at 41 again.
//
// A call with start value 0 reveals the iteration count it used: the mixing
// step walks 0..32767 in a single cycle, so the result after c steps
// identifies c. The expected counts come from the count generator's own
// definition (s <- s * 214013 + 2531011, draw bits 16..30, from s = 1).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <latch>
#include <thread>
#include <vector>

#include "vyxmath.h"

namespace {

constexpr int period = 32768;

std::int32_t mixing_step(std::int32_t v) {
    const auto w = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) * 109u + 1021u);
    return w % 32768;
}

// results_from_zero[c] is what n_rand stores for start 0 and count c.
const std::vector<std::int32_t>& results_from_zero() {
    static const std::vector<std::int32_t> results = [] {
        std::vector<std::int32_t> r(period);
        std::int32_t v = 0;
        for (int c = 0; c < period; ++c) {
            r[c] = v;
            v = mixing_step(v);
        }
        return r;
    }();
    return results;
}

// The count a start-0 call used, from its result; -1 if no count gives it.
int count_behind(std::int32_t result) {
    static const std::vector<int> counts = [] {
        std::vector<int> c(period, -1);
        for (int count = 0; count < period; ++count) c[results_from_zero()[count]] = count;
        return c;
    }();
    return result >= 0 && result < period ? counts[result] : -1;
}

std::vector<int> expected_counts(int n) {
    std::vector<int> counts;
    std::uint32_t state = 1;
    for (int i = 0; i < n; ++i) {
        state = state * 214013u + 2531011u;
        counts.push_back(static_cast<int>((state >> 16) & 0x7FFF));
    }
    return counts;
}

// The counts of the calling thread's next n draws.
std::vector<int> draw_counts(int n) {
    std::vector<int> counts;
    for (int i = 0; i < n; ++i) {
        std::int32_t result = -1;
        EXPECT_EQ(n_rand(&result, 0, 0, 0), 0);
        counts.push_back(count_behind(result));
    }
    return counts;
}

TEST(NRandThreads, MixingStepIsOneCycleThroughAllStartValues) {
    // The decoding above relies on it: every result from 0 names one count.
    for (int count = 0; count < period; ++count) ASSERT_EQ(count_behind(results_from_zero()[count]), count);
    EXPECT_EQ(mixing_step(results_from_zero()[period - 1]), 0);
}

TEST(NRandThreads, FirstCallOnAFreshThreadUsesCount41) {
    std::int32_t result = 0;
    std::thread([&] { n_rand(&result, 0, 0, 0); }).join();
    EXPECT_EQ(count_behind(result), 41);
    EXPECT_EQ(result, results_from_zero()[41]);
}

TEST(NRandThreads, EightThreadsDrawingAtOnceEachSeeTheWholeSequence) {
    constexpr int threads = 8, draws = 300;
    std::array<std::vector<int>, threads> counts;
    std::latch start_line(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            start_line.arrive_and_wait();
            counts[t] = draw_counts(draws);
        });
    for (std::thread& thread : pool) thread.join();
    const std::vector<int> expected = expected_counts(draws);
    for (int t = 0; t < threads; ++t) EXPECT_EQ(counts[t], expected) << "thread " << t;
}

TEST(NRandThreads, ThreadStartedLaterStartsAgainAt41) {
    // Draws on this thread and on a finished thread...
    draw_counts(50);
    std::thread([] { draw_counts(500); }).join();
    // ...and on a thread that is still drawing while the new one starts.
    std::latch busy(1), done(1);
    std::thread drawing([&] {
        draw_counts(10);
        busy.count_down();
        done.wait();
    });
    busy.wait();
    std::vector<int> later;
    std::thread([&] { later = draw_counts(3); }).join();
    done.count_down();
    drawing.join();
    EXPECT_EQ(later, expected_counts(3));
    EXPECT_EQ(later.front(), 41);
}

TEST(NRandThreads, DrawsOnOtherThreadsDoNotMoveAThreadsSequence) {
    // A thread draws 5, pauses while another draws 1000, then draws 5 more:
    // its 10 counts are the first 10 of the sequence.
    std::latch paused(1), resume(1);
    std::vector<int> first, second;
    std::thread owner([&] {
        first = draw_counts(5);
        paused.count_down();
        resume.wait();
        second = draw_counts(5);
    });
    paused.wait();
    std::thread([] { draw_counts(1000); }).join();
    resume.count_down();
    owner.join();
    first.insert(first.end(), second.begin(), second.end());
    EXPECT_EQ(first, expected_counts(10));
}

}  // namespace
