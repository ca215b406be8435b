#include "engine/kernel/TimerManager.h"

#include <algorithm>

#include "engine/kernel/Timer.h"
#include "platform/WinTimers.h"

namespace Vantor {

namespace {

constexpr float kShortestFrame = 0.001f;
constexpr float kLongestFrame = 0.1f;

}  // namespace

TimerManager::TimerManager() {
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof(caps)) == TIMERR_NOERROR) {
        timerPeriod_ = caps.wPeriodMin;
        timeBeginPeriod(timerPeriod_);
    }
    // Milliseconds at the finest period; the performance counter only when no period was set.
    frameTimer_ = CreateTimer(0.0f, timerPeriod_ == 0);
}

TimerManager::~TimerManager() {
    DestroyTimer(frameTimer_);
    freeIds_.clear();
    for (uint32_t id : liveIds_) {
        delete timers_[id];
        timers_[id] = nullptr;
    }
    timers_.clear();
    liveIds_.clear();
    if (timerPeriod_ != 0) timeEndPeriod(timerPeriod_);
}

Timer* TimerManager::CreateTimer(float startTime, bool usePerformanceCounter) {
    Timer* timer = new Timer(startTime, usePerformanceCounter);
    AddTimer(timer);
    return timer;
}

void TimerManager::AddTimer(Timer* timer) {
    // Registering a stopwatch twice would delete it twice.
    if (timer == nullptr || std::find(timers_.begin(), timers_.end(), timer) != timers_.end()) return;
    uint32_t id = static_cast<uint32_t>(timers_.size());
    if (!freeIds_.empty()) {
        id = freeIds_.back();
        freeIds_.pop_back();
    }
    liveIds_.push_back(id);
    if (id == timers_.size())
        timers_.push_back(timer);
    else
        timers_[id] = timer;
}

void TimerManager::DestroyTimer(Timer* timer) {
    if (timer == nullptr) return;
    const auto live = std::find_if(liveIds_.begin(), liveIds_.end(), [&](uint32_t id) { return timers_[id] == timer; });
    if (live == liveIds_.end()) return;
    const uint32_t id = *live;
    delete timer;
    timers_[id] = nullptr;
    freeIds_.push_back(id);
    liveIds_.erase(live);
}

void TimerManager::Update() {
    const float now = frameTimer_->GetTime();
    float elapsed = now - lastTime_;
    lastTime_ = now;

    secondAccumulator_ += elapsed;
    ++frameCount_;
    if (secondAccumulator_ >= 1.0f) {
        secondAccumulator_ -= 1.0f;
        framesPerSecond_ = frameCount_;
        frameCount_ = 0;
    }

    if (elapsed <= kShortestFrame) elapsed = kShortestFrame;
    if (elapsed >= kLongestFrame) elapsed = kLongestFrame;
    frameTime_ = elapsed;
}

}  // namespace Vantor
