#pragma once
// The timer table and the frame clock. The manager owns every stopwatch it hands
// out (ids of destroyed ones are reused) and once per frame measures the frame time
// that every animation, fade and movement multiplies by.

#include <cstdint>
#include <deque>
#include <vector>

#include "engine/kernel/GlobalPointerHolder.h"

namespace Vantor {

class Timer;

class TimerManager : public GlobalPointerHolder<TimerManager> {
public:
    // Sets the finest multimedia timer period and starts the frame clock at 0.
    TimerManager();
    virtual ~TimerManager();
    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    // Measures the frame time (clamped to 0.001..0.1 s) and counts the frames per second.
    void Update();

    // A new stopwatch, owned by the manager.
    Timer* CreateTimer(float startTime, bool usePerformanceCounter);
    // Takes ownership of a stopwatch under a new or reused id.
    void AddTimer(Timer* timer);
    // Deletes a stopwatch of the table and frees its id; others are left alone.
    void DestroyTimer(Timer* timer);

    float GetFrameTime() const { return frameTime_; }
    uint32_t GetFramesPerSecond() const { return framesPerSecond_; }
    // Running time in seconds since the manager was made.
    Timer* GetFrameTimer() const { return frameTimer_; }

private:
    // The multimedia timer period begun at construction, 0 when none was.
    uint32_t timerPeriod_ = 0;
    // Ids of destroyed stopwatches, the most recent at the back.
    std::deque<uint32_t> freeIds_;
    // Ids of the existing stopwatches in creation order.
    std::vector<uint32_t> liveIds_;
    // Stopwatch by id (owned); a freed id holds null.
    std::vector<Timer*> timers_;
    Timer* frameTimer_ = nullptr;
    // Frame clock reading at the previous update.
    float lastTime_ = 0.0f;
    float frameTime_ = 0.0f;
    uint32_t framesPerSecond_ = 0;
    uint32_t frameCount_ = 0;
    // Unclamped frame times since the last completed second.
    float secondAccumulator_ = 0.0f;
};

}  // namespace Vantor
