#include "platform/Clock.h"

#include <chrono>
#include <thread>

#include "platform/Backend.h"

namespace {

uint64_t& VirtualNow() {
    static uint64_t now = 0;
    return now;
}

uint64_t& VirtualStepPerReading() {
    static uint64_t step = 0;
    return step;
}

uint64_t RealNow() {
    static const auto origin = std::chrono::steady_clock::now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - origin).count());
}

}  // namespace

namespace platform {

uint64_t NowMicroseconds() {
    if (!IsHeadless()) return RealNow();
    return VirtualNow() += VirtualStepPerReading();
}

void SleepMicroseconds(uint64_t microseconds) {
    if (IsHeadless())
        VirtualNow() += microseconds;
    else
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

}  // namespace platform

namespace platform::seam {

void SetVirtualTime(uint64_t microseconds) { VirtualNow() = microseconds; }
void AdvanceVirtualTime(uint64_t microseconds) { VirtualNow() += microseconds; }
void SetVirtualTimeStepPerReading(uint64_t microseconds) { VirtualStepPerReading() = microseconds; }

}  // namespace platform::seam
