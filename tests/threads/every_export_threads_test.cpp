// Every export, called from eight threads at once on each thread's own
// variables, gives exactly what it gives on a thread of its own. Each thread
// runs the same list of calls from a different starting point, so different
// exports overlap; n_rand's results depend on how often the calling thread
// has drawn before, so each thread's list is first run alone on a fresh
// thread and the concurrent run must repeat it call for call.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "frame/export_table.h"
#include "threads/export_invoker.h"

namespace vyxmath::test {
namespace {

constexpr int thread_count = 8;
constexpr int rounds = 2;

// Operand texts: ordinary values, both zeros, the ends of the range, a
// denormal, text without a number and text that reads as infinity.
const std::vector<std::string> operand_texts = {"1.5", "-0.75", "3",         "0",   "-0",
                                                "0.5", "1e308", "-2.5e-310", "abc", "1e999"};
// Small enough that no export's loop runs long.
const std::vector<std::int32_t> integer_values = {-7, -1, 0, 1, 2, 5, 13, 34, 97, 1000};
const std::vector<std::int32_t> digits_values = {0, 1, 8, 17, 25};
const std::vector<std::int32_t> angle_units = {0, 1, 2};
constexpr std::int32_t ignored_value = 12345;
constexpr const char* untouched_output = "junk";   // what a text_out p1 holds before the call
constexpr std::int32_t untouched_integer = -99;    // what an int_out p1 holds before the call
constexpr std::size_t text_room = 64;              // digits 25 needs 33 bytes

struct Call {
    std::size_t row = 0;
    std::array<std::string, 4> text;
    std::array<std::int32_t, 4> value{};
};

// Every combination of the values above over the slots of every export.
std::vector<Call> every_call() {
    std::vector<Call> calls;
    for (std::size_t row = 0; row < export_count; ++row) {
        const auto& slots = export_table[row].slots;
        std::function<void(int, Call&)> fill = [&](int slot, Call& call) {
            if (slot == 4) {
                calls.push_back(call);
                return;
            }
            auto each_value = [&](const std::vector<std::int32_t>& values) {
                for (std::int32_t v : values) {
                    call.value[slot] = v;
                    fill(slot + 1, call);
                }
            };
            switch (slots[slot]) {
            case SlotKind::text_in_out:
            case SlotKind::text_in:
                for (const std::string& t : operand_texts) {
                    call.text[slot] = t;
                    fill(slot + 1, call);
                }
                break;
            case SlotKind::text_out:
                call.text[slot] = untouched_output;
                fill(slot + 1, call);
                break;
            case SlotKind::int_out: fill(slot + 1, call); break;
            case SlotKind::int_in: each_value(integer_values); break;
            case SlotKind::digits: each_value(digits_values); break;
            case SlotKind::angle_unit: each_value(angle_units); break;
            case SlotKind::ignored: each_value({ignored_value}); break;
            }
        };
        Call call;
        call.row = row;
        fill(0, call);
    }
    return calls;
}

std::string describe(const Call& call) {
    const ExportInfo& info = export_table[call.row];
    std::string s(info.name);
    for (int slot = 0; slot < 4; ++slot) {
        switch (info.slots[slot]) {
        case SlotKind::text_in_out:
        case SlotKind::text_in: s += " \"" + call.text[slot] + "\""; break;
        case SlotKind::text_out:
        case SlotKind::int_out: s += " <out>"; break;
        default: s += " " + std::to_string(call.value[slot]);
        }
    }
    return s;
}

// Runs one call on the calling thread's own variables; the outcome is the
// status and p1 afterwards, and a mark if a read-only operand was changed.
std::string run(const Call& call) {
    const ExportInfo& info = export_table[call.row];
    std::array<std::array<char, text_room>, 4> texts{};
    std::int32_t integer_variable = untouched_integer;
    ExportArguments args;
    for (int slot = 0; slot < 4; ++slot) {
        std::strncpy(texts[slot].data(), call.text[slot].c_str(), text_room - 1);
        args.text[slot] = texts[slot].data();
        args.value[slot] = call.value[slot];
    }
    args.integer_variable = &integer_variable;

    const std::int32_t status = export_callers[call.row](args);

    std::string outcome = std::to_string(status) + " ";
    if (info.slots[0] == SlotKind::int_out)
        outcome += std::to_string(integer_variable);
    else if (info.is_real_valued())
        outcome += texts[0].data();
    if (info.slots[1] == SlotKind::text_in && call.text[1] != texts[1].data()) outcome += " (p2 changed)";
    return outcome;
}

// The list of calls as one thread makes it: `rounds` passes starting at
// `start` and wrapping around.
std::vector<std::string> run_program(const std::vector<Call>& calls, std::size_t start) {
    std::vector<std::string> outcomes;
    outcomes.reserve(calls.size() * rounds);
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < calls.size(); ++i) outcomes.push_back(run(calls[(start + i) % calls.size()]));
    return outcomes;
}

TEST(ExportsOnEightThreads, GiveTheResultsOfASingleThread) {
    const std::vector<Call> calls = every_call();
    ASSERT_FALSE(calls.empty());
    std::array<std::size_t, thread_count> starts{};
    for (int t = 0; t < thread_count; ++t) starts[t] = calls.size() * t / thread_count;

    // Alone: each program on a fresh thread of its own, one after the other.
    std::array<std::vector<std::string>, thread_count> alone;
    for (int t = 0; t < thread_count; ++t)
        std::thread([&, t] { alone[t] = run_program(calls, starts[t]); }).join();

    // Together: all eight released at the same moment.
    std::array<std::vector<std::string>, thread_count> together;
    std::latch start_line(thread_count);
    std::vector<std::thread> threads;
    for (int t = 0; t < thread_count; ++t)
        threads.emplace_back([&, t] {
            start_line.arrive_and_wait();
            together[t] = run_program(calls, starts[t]);
        });
    for (std::thread& thread : threads) thread.join();

    std::array<bool, export_count> exercised{};
    for (int t = 0; t < thread_count; ++t) {
        ASSERT_EQ(together[t].size(), alone[t].size());
        for (std::size_t i = 0; i < alone[t].size(); ++i) {
            const Call& call = calls[(starts[t] + i) % calls.size()];
            exercised[call.row] = true;
            ASSERT_EQ(together[t][i], alone[t][i]) << "thread " << t << ", call " << i << ": " << describe(call);
        }
    }
    for (std::size_t row = 0; row < export_count; ++row)
        EXPECT_TRUE(exercised[row]) << export_table[row].name << " was never called";
}

}  // namespace
}  // namespace vyxmath::test
