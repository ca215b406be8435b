// The day's clock on a level timer set by hand: the progress after the first seconds,
// the finish, the hand's frame, the end sound played once, and the two cheat keys that
// act only in cheat mode while the timer runs.

#include "game/Clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderDescriptor.h"
#include "game/Finances.h"
#include "platform/WinUserSeams.h"
#include "tests/game/RoomTestSupport.h"

namespace {

using Morvane::Clock;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr float kDayLength = 100.0f;

class ClockTest : public gametest::RoomTest {
protected:
    // The console exists in every test (its holder outlives the engine that made it),
    // cheat mode only where enabled.
    void SetUp() override {
        RoomTest::SetUp();
        engine_->CreateConsole(L"Test", Vantor::ShaderDescriptor(), 0, u'_', u']', u'^', "~", 0.9f, 300.0f, 1000.0f);
        Vantor::Console::Instance()->SetEnabled(false);
        Errors();
        timer_ = Vantor::TimerManager::Instance()->CreateTimer(0.0f, false);
        clock_ = std::make_unique<Clock>(audio_.get(), data_.get(), timer_, nullptr, kDayLength);
    }
    void TearDown() override {
        clock_.reset();
        Vantor::TimerManager::Instance()->DestroyTimer(timer_);
        RoomTest::TearDown();
    }

    void Step() {
        Frame(0.1f, [&] {
            audio_->Update();
            clock_->Update();
        });
    }
    // One frame with the function key held down through it.
    void Press(UINT key) {
        platform::seam::InjectKeyDown(key);
        Step();
        platform::seam::InjectKeyUp(key);
    }
    static void EnterCheatMode() { Vantor::Console::Instance()->SetEnabled(true); }

    Vantor::Timer* timer_ = nullptr;
    std::unique_ptr<Clock> clock_;
};

TEST_F(ClockTest, FirstSecondsDoNotCountAndTheHandFollowsTheProgress) {
    EXPECT_EQ(Clock::kOrder, clock_->GetWindow()->GetOrder());
    const struct {
        float time;
        float progress;
    } cases[] = {{0.0f, 0.0f}, {2.5f, 0.0f}, {52.5f, 0.5f}, {102.5f, 1.0f}, {500.0f, 1.0f}};
    for (const auto& [time, progress] : cases) {
        timer_->SetTime(time);
        EXPECT_NEAR(progress, clock_->GetProgress(), 0.0001f) << time;
    }
    timer_->SetTime(52.5f);
    timer_->SetPaused(true);
    Step();
    ASSERT_NE(nullptr, clock_->GetHand());
    EXPECT_NEAR(0.5f * (kFrameCount - 1), clock_->GetHand()->GetPosition(), 0.001f);
    EXPECT_FALSE(clock_->GetHand()->IsPlaying());
}

TEST_F(ClockTest, FinishesJustBeforeTheEndAndPlaysTheEndSoundOnce) {
    timer_->SetTime(2.5f + 0.9998f * kDayLength);
    timer_->SetPaused(true);
    EXPECT_FALSE(clock_->IsFinished());
    timer_->SetTime(2.5f + 0.99995f * kDayLength);
    timer_->SetPaused(true);
    EXPECT_TRUE(clock_->IsFinished()) << "a progress of 0.99995 counts as finished";
    Step();
    EXPECT_THAT(Heard(), ElementsAre("36"));
    EXPECT_TRUE(clock_->IsEndSoundPlayed());
    Step();
    EXPECT_THAT(Heard(), IsEmpty());
}

TEST_F(ClockTest, CheatKeysMoveTheTimeBackOrToTheLastSecond) {
    EnterCheatMode();
    timer_->SetTime(10.0f);
    Press(VK_F9);
    EXPECT_NEAR(Clock::kStartTime, timer_->GetTime(), 0.2f) << "not below the start";
    EXPECT_NEAR(0.0f, clock_->GetProgress(), 0.002f);

    Press(VK_F10);
    EXPECT_NEAR((kDayLength - 1.0f) / kDayLength, clock_->GetProgress(), 0.002f);
    EXPECT_FALSE(clock_->IsFinished());
    for (int frame = 0; frame < 11; ++frame) Step();
    EXPECT_TRUE(clock_->IsFinished()) << "one second later by itself";
    EXPECT_THAT(Heard(), ElementsAre("36"));

    Press(VK_F9);
    EXPECT_FALSE(clock_->IsFinished());
    Press(VK_F10);
    for (int frame = 0; frame < 11; ++frame) Step();
    EXPECT_TRUE(clock_->IsFinished());
    EXPECT_THAT(Heard(), IsEmpty()) << "the end sound does not come again";
}

TEST_F(ClockTest, CheatKeysDoNothingOutsideCheatModeOrWhileTheTimerIsPaused) {
    timer_->SetTime(50.0f);
    Press(VK_F9);
    Press(VK_F10);
    EXPECT_NEAR(50.2f, timer_->GetTime(), 0.01f) << "the console not enabled";

    EnterCheatMode();
    timer_->SetTime(50.0f);
    timer_->SetPaused(true);
    Press(VK_F9);
    Press(VK_F10);
    EXPECT_EQ(50.0f, timer_->GetTime());
    EXPECT_TRUE(timer_->IsPaused());
}

TEST_F(ClockTest, DayLengthNotAboveZeroEndsTheDayOnceItCounts) {
    Clock broken(audio_.get(), data_.get(), timer_, nullptr, 0.0f);
    EXPECT_EQ(std::vector<std::string>{"Clock: the day length 0.00 is not above 0; the day ends at once"}, Errors());
    timer_->SetTime(1.0f);
    EXPECT_FALSE(broken.IsFinished());
    timer_->SetTime(3.0f);
    EXPECT_TRUE(broken.IsFinished());
}

TEST(FinancesTest, StartsEmpty) {
    const Morvane::Finances finances;
    EXPECT_EQ(0u, finances.income);
    EXPECT_EQ(0u, finances.tips);
}

}  // namespace
