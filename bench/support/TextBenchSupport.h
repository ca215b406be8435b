#pragma once
// What the benchmarks of text share: words from a fixed seed, the check for the headless
// backend, and two pieces of work timed in turns for their ratio.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Backend.h"

namespace benchsupport {

// A word of two to nine letters from the seed, now and then with a capital.
inline std::wstring RandomWord(std::uint32_t& seed) {
    std::wstring word;
    seed = seed * 1664525u + 1013904223u;
    const std::uint32_t length = 2 + (seed >> 16) % 8;
    for (std::uint32_t i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        word.push_back(static_cast<wchar_t>((i == 0 && (seed & 0x100) ? L'A' : L'a') + (seed >> 16) % 26));
    }
    return word;
}

inline bool NeedsHeadless(benchmark::State& state) {
    if (platform::IsHeadless()) return true;
    state.SkipWithError("run with PLATFORM_BACKEND=headless");
    return false;
}

// Runs the two pieces of work in turns, so that both see the same machine load, and
// reports the time of each per iteration (microseconds, under its name) and the ratio of
// the first to the second.
template <class First, class Second>
void TimeInTurns(benchmark::State& state, const char* firstName, First first, const char* secondName, Second second) {
    using Clock = std::chrono::steady_clock;
    Clock::duration firstTotal{}, secondTotal{};
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        first();
        firstTotal += Clock::now() - start;
        start = Clock::now();
        second();
        secondTotal += Clock::now() - start;
    }
    const auto perIteration = [&state](Clock::duration total) {
        return std::chrono::duration<double, std::micro>(total).count() / static_cast<double>(state.iterations());
    };
    state.counters[firstName] = perIteration(firstTotal);
    state.counters[secondName] = perIteration(secondTotal);
    state.counters["ratio"] = perIteration(firstTotal) / perIteration(secondTotal);
}

}  // namespace benchsupport
