#pragma once
// Two pieces of work timed in turns in every iteration of a benchmark, so that both see
// the same machine load: each one's mean time per iteration in microseconds becomes a
// counter under its name, and the first's time over the second's the counter "ratio".

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace benchsupport {

template <typename First, typename Second>
void TimeInTurns(benchmark::State& state, const std::string& firstName, First first, const std::string& secondName,
                 Second second) {
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
