#pragma once
// A stopwatch in seconds that can be paused, resumed and set. It counts either the
// high-resolution performance counter or the multimedia timer's milliseconds.

#include <cstdint>

namespace Vantor {

class Timer {
public:
    // Starts running at startTime seconds. Without a usable performance counter the
    // stopwatch counts milliseconds instead.
    Timer(float startTime, bool usePerformanceCounter);
    virtual ~Timer() = default;

    // Seconds since the time was 0, without the paused spans.
    float GetTime() const;
    void SetPaused(bool paused);
    bool IsPaused() const { return paused_; }
    // Makes the current time the given value and resumes.
    void SetTime(float seconds);

private:
    static int64_t ReadCounter();

    bool usePerformanceCounter_;
    bool paused_ = false;
    int64_t frequency_ = 0;
    int64_t startCount_ = 0;
    int64_t pauseCount_ = 0;
    uint32_t startMilliseconds_ = 0;
    uint32_t pauseMilliseconds_ = 0;
};

}  // namespace Vantor
