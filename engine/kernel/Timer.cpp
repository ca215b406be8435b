#include "engine/kernel/Timer.h"

#include "platform/WinTimers.h"

namespace Vantor {

Timer::Timer(float startTime, bool usePerformanceCounter) : usePerformanceCounter_(usePerformanceCounter) {
    if (usePerformanceCounter_) {
        LARGE_INTEGER frequency{};
        // A counter without a frequency would divide by zero: count milliseconds then.
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
            frequency_ = frequency.QuadPart;
        else
            usePerformanceCounter_ = false;
    }
    SetTime(startTime);
}

int64_t Timer::ReadCounter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

float Timer::GetTime() const {
    if (usePerformanceCounter_) {
        const int64_t now = paused_ ? pauseCount_ : ReadCounter();
        return static_cast<float>(static_cast<double>(now - startCount_) / static_cast<double>(frequency_));
    }
    // 32-bit unsigned difference: right across the millisecond counter's wrap.
    const uint32_t now = paused_ ? pauseMilliseconds_ : timeGetTime();
    return static_cast<float>((now - startMilliseconds_) * 0.001);
}

void Timer::SetPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    if (usePerformanceCounter_) {
        if (paused)
            pauseCount_ = ReadCounter();
        else
            startCount_ += ReadCounter() - pauseCount_;
    } else {
        if (paused)
            pauseMilliseconds_ = timeGetTime();
        else
            startMilliseconds_ += timeGetTime() - pauseMilliseconds_;
    }
}

void Timer::SetTime(float seconds) {
    if (usePerformanceCounter_)
        startCount_ = ReadCounter() - static_cast<int64_t>(static_cast<double>(seconds) * frequency_);
    else
        startMilliseconds_ = timeGetTime() - static_cast<uint32_t>(static_cast<int64_t>(seconds * 1000.0));
    paused_ = false;
}

}  // namespace Vantor
