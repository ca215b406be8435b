#pragma once
// The backend a benchmark measures on: CPU work on the headless backend, whole frames on
// the sdl backend under an X server. A benchmark run on the other one is skipped with
// the way to run it.

#include <benchmark/benchmark.h>

#include "platform/Backend.h"

namespace benchsupport {

inline bool NeedsHeadless(benchmark::State& state) {
    if (platform::IsHeadless()) return true;
    state.SkipWithError("run with PLATFORM_BACKEND=headless");
    return false;
}

inline bool NeedsSdl(benchmark::State& state) {
    if (!platform::IsHeadless()) return true;
    state.SkipWithError("run with PLATFORM_BACKEND=sdl under an X server");
    return false;
}

// The benchmark's iterations as frames per second of real time.
inline void ReportFramesPerSecond(benchmark::State& state) {
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace benchsupport
