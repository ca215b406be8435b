#include "platform/WinTimers.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/FailureInjection.h"

namespace {

// These run on the headless backend, whose virtual clock moves only when told.
TEST(WinTimersTest, EveryCounterFollowsTheVirtualClock) {
    platform::seam::SetVirtualTime(5'000'123);
    EXPECT_EQ(timeGetTime(), 5000u);
    EXPECT_EQ(GetTickCount(), 5000u);
    LARGE_INTEGER frequency, count;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart * 1'000'000 / frequency.QuadPart, 5'000'123);

    Sleep(250);
    EXPECT_EQ(timeGetTime(), 5250u);
    EXPECT_EQ(SleepEx(300, TRUE), 0u);
    EXPECT_EQ(GetTickCount(), 5550u);
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart, 5'550'123);
}

TEST(WinTimersTest, MillisecondCountersWrapAt32Bits) {
    const uint64_t wrap = uint64_t{1} << 32;  // milliseconds
    platform::seam::SetVirtualTime((wrap - 10) * 1000);
    DWORD before = timeGetTime();
    EXPECT_EQ(before, 0xFFFFFFF6u);
    platform::seam::AdvanceVirtualTime(25'000);
    DWORD after = timeGetTime();
    EXPECT_EQ(after, 15u);
    EXPECT_EQ(after - before, 25u);  // unsigned differences stay right across the wrap
    EXPECT_EQ(GetTickCount(), 15u);
    LARGE_INTEGER count;
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart, static_cast<LONGLONG>((wrap + 15) * 1000));
    platform::seam::SetVirtualTime(0);
}

TEST(WinTimersTest, AStepPerReadingMakesEveryReadingCostTime) {
    platform::seam::SetVirtualTime(1'000'000);
    platform::seam::SetVirtualTimeStepPerReading(20'000);
    EXPECT_EQ(timeGetTime(), 1020u);
    EXPECT_EQ(timeGetTime(), 1040u);
    Sleep(100);  // sleeping is not a reading
    EXPECT_EQ(GetTickCount(), 1160u);
    platform::seam::SetVirtualTimeStepPerReading(0);
    EXPECT_EQ(timeGetTime(), 1160u);
    EXPECT_EQ(timeGetTime(), 1160u);
    platform::seam::SetVirtualTime(0);
}

TEST(WinTimersTest, PeriodsAreBegunAndEndedInPairs) {
    TIMECAPS caps{};
    ASSERT_EQ(timeGetDevCaps(&caps, sizeof(caps)), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_GE(caps.wPeriodMax, caps.wPeriodMin);
    EXPECT_EQ(timeBeginPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_EQ(platform::seam::ActiveTimerPeriods(), std::vector<UINT>{1});
    EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
    EXPECT_EQ(timeEndPeriod(5), TIMERR_NOCANDO);
    EXPECT_EQ(timeEndPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_TRUE(platform::seam::ActiveTimerPeriods().empty());

    platform::seam::FailNextCalls("timeGetDevCaps", 1);
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof(caps)), TIMERR_NOCANDO);
    EXPECT_EQ(timeGetDevCaps(&caps, 2), TIMERR_NOCANDO);
}

}  // namespace
