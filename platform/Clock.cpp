#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Backend.h"

namespace {

// Atomic: on the sdl backend, SDL's audio thread reads the clock too.
std::atomic<uint64_t>& VirtualNow() {
    static std::atomic<uint64_t> now = 0;
    return now;
}

std::atomic<uint64_t>& VirtualStepPerReading() {
    static std::atomic<uint64_t> step = 0;
    return step;
}

std::atomic<bool>& VirtualClockChosen() {
    static std::atomic<bool> chosen = false;
    return chosen;
}

bool RunsVirtualClock() { return platform::IsHeadless() || VirtualClockChosen(); }

uint64_t RealNow() {
    static const auto origin = std::chrono::steady_clock::now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - origin).count());
}

}  // namespace

namespace platform {

uint64_t NowMicroseconds() {
    if (!RunsVirtualClock()) return RealNow();
    return VirtualNow() += VirtualStepPerReading();
}

void SleepMicroseconds(uint64_t microseconds) {
    if (RunsVirtualClock())
        VirtualNow() += microseconds;
    else
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

}  // namespace platform

namespace platform::seam {

void SetVirtualTime(uint64_t microseconds) { VirtualNow() = microseconds; }
void AdvanceVirtualTime(uint64_t microseconds) { VirtualNow() += microseconds; }
void SetVirtualTimeStepPerReading(uint64_t microseconds) { VirtualStepPerReading() = microseconds; }
void UseVirtualClock() { VirtualClockChosen() = true; }

}  // namespace platform::seam
