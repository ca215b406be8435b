#include "engine/kernel/Timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "engine/kernel/TimerManager.h"
#include "platform/Clock.h"
#include "platform/FailureInjection.h"
#include "platform/WinTimers.h"

namespace {

using platform::seam::AdvanceVirtualTime;

constexpr uint64_t kMicrosecondsPerSecond = 1000000;

void AdvanceSeconds(double seconds) { AdvanceVirtualTime(static_cast<uint64_t>(seconds * kMicrosecondsPerSecond)); }

// Both counting modes behave alike on the virtual clock.
class TimerModes : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { platform::seam::SetVirtualTime(5 * kMicrosecondsPerSecond); }
};

TEST_P(TimerModes, CountsFromItsStartTime) {
    Vantor::Timer timer(3.0f, GetParam());
    EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
    AdvanceSeconds(1.5);
    EXPECT_FLOAT_EQ(timer.GetTime(), 4.5f);
}

TEST_P(TimerModes, PausedStopwatchHoldsItsReading) {
    Vantor::Timer timer(0.0f, GetParam());
    AdvanceSeconds(2.0);
    timer.SetPaused(true);
    AdvanceSeconds(5.0);
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
    timer.SetPaused(true);  // pausing again keeps the first pause
    AdvanceSeconds(1.0);
    timer.SetPaused(false);
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
    AdvanceSeconds(1.0);
    EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
}

TEST_P(TimerModes, SetTimeOnAPausedStopwatchRunsOnFromThere) {
    Vantor::Timer timer(0.0f, GetParam());
    AdvanceSeconds(1.0);
    timer.SetPaused(true);
    timer.SetTime(10.0f);
    AdvanceSeconds(0.25);
    EXPECT_FLOAT_EQ(timer.GetTime(), 10.25f);
}

INSTANTIATE_TEST_SUITE_P(Timer, TimerModes, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "PerformanceCounter" : "Milliseconds";
                         });

TEST(Timer, MillisecondsStayRightAcrossTheCounterWrap) {
    const uint64_t wrap = (uint64_t{1} << 32) * 1000;  // 2^32 ms in microseconds
    platform::seam::SetVirtualTime(wrap - 500 * 1000);
    Vantor::Timer timer(0.0f, false);
    AdvanceSeconds(1.0);
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.0f);
}

class TimerManagerTest : public testing::Test {
protected:
    void SetUp() override { platform::seam::SetVirtualTime(kMicrosecondsPerSecond); }
    void TearDown() override { platform::seam::ClearInjectedFailures(); }
};

TEST_F(TimerManagerTest, FrameTimeIsClampedToAMillisecondAndATenth) {
    Vantor::TimerManager timers;
    const struct {
        double seconds;
        float frameTime;
    } frames[] = {{0.5, 0.1f}, {0.0002, 0.001f}, {0.0, 0.001f}, {0.001, 0.001f},
                  {0.05, 0.05f}, {0.1, 0.1f},    {3.0, 0.1f}};
    for (const auto& frame : frames) {
        AdvanceSeconds(frame.seconds);
        timers.Update();
        EXPECT_NEAR(timers.GetFrameTime(), frame.frameTime, 1e-6) << frame.seconds << " s";
    }
}

TEST_F(TimerManagerTest, FirstFrameMeasuresTheTimeSinceConstruction) {
    Vantor::TimerManager timers;
    AdvanceSeconds(0.04);
    timers.Update();
    EXPECT_NEAR(timers.GetFrameTime(), 0.04f, 1e-6);
    EXPECT_NEAR(timers.GetFrameTimer()->GetTime(), 0.04f, 1e-6);
}

TEST_F(TimerManagerTest, FramesPerSecondCountsUnclampedTime) {
    Vantor::TimerManager timers;
    for (double seconds : {0.5, 0.0002}) {
        AdvanceSeconds(seconds);
        timers.Update();
        EXPECT_EQ(timers.GetFramesPerSecond(), 0u);
    }
    AdvanceSeconds(0.5);
    timers.Update();
    EXPECT_EQ(timers.GetFramesPerSecond(), 3u);
    for (int frame = 0; frame < 10; ++frame) {
        AdvanceSeconds(0.05);
        timers.Update();
    }
    EXPECT_EQ(timers.GetFramesPerSecond(), 3u);  // the next second is not complete yet
    for (int frame = 0; frame < 10; ++frame) {
        AdvanceSeconds(0.05);
        timers.Update();
    }
    EXPECT_EQ(timers.GetFramesPerSecond(), 20u);
}

TEST_F(TimerManagerTest, FrameClockCountsMillisecondsAtTheFinestPeriod) {
    {
        Vantor::TimerManager timers;
        TIMECAPS caps{};
        ASSERT_EQ(timeGetDevCaps(&caps, sizeof(caps)), TIMERR_NOERROR);
        EXPECT_EQ(platform::seam::ActiveTimerPeriods(), std::vector<UINT>{caps.wPeriodMin});
        AdvanceVirtualTime(1500);  // 1.5 ms: the millisecond clock shows 1 ms
        EXPECT_FLOAT_EQ(timers.GetFrameTimer()->GetTime(), 0.001f);
    }
    EXPECT_TRUE(platform::seam::ActiveTimerPeriods().empty());
}

TEST_F(TimerManagerTest, WithoutTimerCapsTheFrameClockUsesTheCounter) {
    platform::seam::FailNextCalls("timeGetDevCaps", 1);
    {
        Vantor::TimerManager timers;
        EXPECT_TRUE(platform::seam::ActiveTimerPeriods().empty());
        AdvanceVirtualTime(1500);
        EXPECT_FLOAT_EQ(timers.GetFrameTimer()->GetTime(), 0.0015f);
    }
    EXPECT_TRUE(platform::seam::ActiveTimerPeriods().empty());
}

// Under the address sanitizer: every stopwatch is deleted exactly once, whether the
// caller destroys it or the manager does at its end.
TEST_F(TimerManagerTest, OwnsItsStopwatchesAndIgnoresForeignOnes) {
    Vantor::TimerManager timers;
    Vantor::Timer* first = timers.CreateTimer(0.0f, false);
    Vantor::Timer* second = timers.CreateTimer(0.0f, true);
    timers.CreateTimer(1.0f, false);
    timers.DestroyTimer(second);
    timers.DestroyTimer(second);  // already gone: ignored
    timers.DestroyTimer(nullptr);
    Vantor::Timer* reused = timers.CreateTimer(2.0f, false);
    timers.AddTimer(reused);  // already registered: ignored
    auto foreign = std::make_unique<Vantor::Timer>(0.0f, false);
    timers.DestroyTimer(foreign.get());
    EXPECT_FLOAT_EQ(foreign->GetTime(), 0.0f);
    AdvanceSeconds(1.0);
    EXPECT_FLOAT_EQ(first->GetTime(), 1.0f);
    EXPECT_FLOAT_EQ(reused->GetTime(), 3.0f);
}

}  // namespace
