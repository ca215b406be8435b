#include "engine/render/AnimationControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/kernel/Random.h"
#include "engine/kernel/TimerManager.h"
#include "platform/Clock.h"

namespace {

using Vantor::AnimationControl;

constexpr float kNear = 1e-4f;

// The frame clock the controls read. Each frame lets the virtual clock run longer
// than the longest frame, so the frame time is exactly the clamped 0.1 s however far
// the clock has run.
Vantor::TimerManager& Timers() {
    static Vantor::TimerManager timers;
    Vantor::TimerManager::Instance(&timers);
    return timers;
}

constexpr float kFrameTime = 0.1f;

// One frame, then the control's update.
void Tick(AnimationControl& control) {
    Vantor::TimerManager& timers = Timers();
    platform::seam::AdvanceVirtualTime(150000);
    timers.Update();
    ASSERT_EQ(kFrameTime, timers.GetFrameTime());
    control.Update();
}

// Moves a playing control by the given number of frames in one frame.
void MoveBy(AnimationControl& control, float frames) {
    control.SetSpeed(frames / kFrameTime);
    Tick(control);
}

struct Frames {
    std::uint32_t a;
    std::uint32_t b;
    float blend;
};

void ExpectFrames(const AnimationControl& control, Frames expected) {
    EXPECT_EQ(expected.a, control.GetFrameA());
    EXPECT_EQ(expected.b, control.GetFrameB());
    EXPECT_NEAR(expected.blend, control.GetBlend(), kNear);
}

TEST(AnimationControlTest, WholeSequenceStopsOnItsLastFrame) {
    AnimationControl control(0, 10);
    control.SetSpeed(10.0f);
    control.Play();
    for (int frame = 0; frame < 10; ++frame) Tick(control);
    EXPECT_NEAR(9.0f, control.GetPosition(), kNear);
    ExpectFrames(control, {9, 9, 0.0f});
    EXPECT_FALSE(control.IsPlaying());
}

TEST(AnimationControlTest, LoopingModeZeroWrapsAfterItsLastStep) {
    AnimationControl control(0, 10);
    control.SetSpeed(10.0f);
    control.SetLoop(true);
    control.Play();
    // 0.95 s at 10 frames per second.
    for (int frame = 0; frame < 9; ++frame) Tick(control);
    MoveBy(control, 0.5f);
    EXPECT_NEAR(0.5f, control.GetPosition(), kNear);
    ExpectFrames(control, {0, 1, 0.5f});
    EXPECT_TRUE(control.IsPlaying());
}

TEST(AnimationControlTest, LoopingModeOneShowsEveryFrameForAWholeStep) {
    AnimationControl control(1, 4);
    control.AddRange(7, 0, 3);
    control.SetRange(7);
    control.SetLoop(true);
    control.Play();
    MoveBy(control, 3.5f);
    // Five steps: the fourth frame blends towards a frame past the sequence, shown as 0.
    ExpectFrames(control, {3, 0, 0.5f});
    MoveBy(control, 1.0f);
    EXPECT_NEAR(0.5f, control.GetPosition(), kNear);
    ExpectFrames(control, {0, 1, 0.5f});
}

TEST(AnimationControlTest, BackwardsRangeInModeZeroRunsDownAndStops) {
    AnimationControl control(0, 10);
    control.AddRange(1, 5, 2);
    control.SetRange(1);
    control.Update();
    ExpectFrames(control, {4, 5, 1.0f});

    control.Play();
    MoveBy(control, 1.25f);
    ExpectFrames(control, {3, 4, 0.75f});

    MoveBy(control, 5.0f);
    EXPECT_NEAR(3.0f, control.GetPosition(), kNear);
    // Blend 1 on frame 2 twice: still frame 2.
    ExpectFrames(control, {2, 2, 1.0f});
    EXPECT_FALSE(control.IsPlaying());
}

TEST(AnimationControlTest, BackwardsRangeInModeOneShowsEachFrameDownToTheFirst) {
    AnimationControl control(1, 4);
    control.AddRange(1, 3, 0);
    control.SetRange(1);
    control.Play();
    MoveBy(control, 0.5f);
    for (std::uint32_t expected : {3u, 2u, 1u, 0u}) {
        EXPECT_EQ(expected, control.GetFrameA()) << "position " << control.GetPosition();
        MoveBy(control, 1.0f);
    }
    EXPECT_NEAR(4.0f, control.GetPosition(), kNear);
    EXPECT_EQ(0u, control.GetFrameA());
    EXPECT_FALSE(control.IsPlaying());
}

TEST(AnimationControlTest, FramesPastTheSequenceShowFrameZero) {
    AnimationControl control(0, 10);
    control.AddRange(2, 8, 12);
    control.SetRange(2);
    control.Play();
    MoveBy(control, 1.5f);
    ExpectFrames(control, {9, 0, 0.5f});
    MoveBy(control, 1.0f);
    ExpectFrames(control, {0, 0, 0.5f});
}

TEST(AnimationControlTest, SpeedsAtOrBelowTheToleranceDoNotMove) {
    for (float speed : {0.0001f, 0.0f, -5.0f, std::numeric_limits<float>::quiet_NaN()}) {
        AnimationControl control(0, 10);
        control.Play();
        control.SetSpeed(speed);
        Tick(control);
        EXPECT_EQ(0.0f, control.GetPosition()) << speed;
        EXPECT_TRUE(control.IsPlaying()) << speed;
    }
}

TEST(AnimationControlTest, HugeAndInfiniteSpeedsKeepTheFramesInTheRange) {
    for (float speed : {3e38f, std::numeric_limits<float>::infinity()}) {
        AnimationControl control(0, 10);
        control.SetLoop(true);
        control.Play();
        control.SetSpeed(speed);
        Tick(control);
        Tick(control);
        EXPECT_TRUE(std::isfinite(control.GetPosition())) << speed;
        EXPECT_LT(control.GetPosition(), 9.0f) << speed;
        EXPECT_LT(control.GetFrameA(), 10u) << speed;
        EXPECT_LT(control.GetFrameB(), 10u) << speed;
    }
}

TEST(AnimationControlTest, SingleFrameRangeInModeZeroIsNotLooped) {
    AnimationControl control(0, 10);
    control.AddRange(3, 4, 4);
    control.SetRange(3);
    control.SetLoop(true);
    control.SetSpeed(10.0f);
    control.Play();
    Tick(control);
    EXPECT_FALSE(control.IsPlaying());
    ExpectFrames(control, {4, 4, 0.0f});
}

TEST(AnimationControlTest, PositionAtTheEndOfALoopWrapsToTheStart) {
    AnimationControl control(0, 10);
    control.SetLoop(true);
    control.SetPositionToEnd();
    EXPECT_EQ(9.0f, control.GetPosition());
    control.Update();
    EXPECT_EQ(0.0f, control.GetPosition());
    ExpectFrames(control, {0, 1, 0.0f});
}

TEST(AnimationControlTest, UnknownRangePlaysFrameZeroAlone) {
    for (int mode : {0, 1}) {
        AnimationControl control(mode, 10);
        control.SetSpeed(10.0f);
        control.SetRange(42);
        control.Play();
        Tick(control);
        EXPECT_FALSE(control.IsPlaying()) << mode;
        ExpectFrames(control, {0, 0, 0.0f});
    }
}

TEST(AnimationControlTest, RandomPositionStaysWithinABackwardsRange) {
    AnimationControl control(1, 10);
    control.AddRange(1, 9, 3);
    control.SetRange(1);
    Vantor::SeedRandom(7);
    float highest = 0.0f;
    for (int i = 0; i < 200; ++i) {
        control.SetRandomPosition();
        EXPECT_GE(control.GetPosition(), 0.0f);
        EXPECT_LE(control.GetPosition(), 6.0f);
        highest = std::max(highest, control.GetPosition());
    }
    EXPECT_GT(highest, 5.0f);
}

TEST(AnimationControlTest, SelectingARangeRewindsAndKeepsPlaying) {
    AnimationControl control(0, 10);
    control.AddRange(1, 2, 6);
    control.SetSpeed(10.0f);
    control.Play();
    MoveBy(control, 2.5f);
    control.SetRange(1);
    EXPECT_EQ(0.0f, control.GetPosition());
    EXPECT_TRUE(control.IsPlaying());
    MoveBy(control, 0.5f);
    ExpectFrames(control, {2, 3, 0.5f});

    control.Stop();
    EXPECT_FALSE(control.IsPlaying());
    EXPECT_EQ(0.0f, control.GetPosition());
}

TEST(AnimationControlTest, AddingAnExistingRangeReplacesItsFrames) {
    AnimationControl control(0, 10);
    control.AddRange(1, 2, 3);
    control.AddRange(1, 6, 8);
    control.SetRange(1);
    control.SetPositionToEnd();
    control.Update();
    ExpectFrames(control, {8, 8, 0.0f});
}

TEST(AnimationControlTest, CopiesTakeTheWholePlayingState) {
    AnimationControl source(1, 8);
    source.AddRange(5, 6, 1);
    source.SetRange(5);
    source.SetLoop(true);
    source.Play();
    MoveBy(source, 2.25f);

    AnimationControl copy(source);
    EXPECT_TRUE(copy.IsPlaying());
    EXPECT_EQ(source.GetPosition(), copy.GetPosition());
    ExpectFrames(copy, {source.GetFrameA(), source.GetFrameB(), source.GetBlend()});
    // The range and loop came along: both go on alike in the same frame.
    source.SetSpeed(40.0f);
    copy.SetSpeed(40.0f);
    Tick(source);
    copy.Update();
    EXPECT_EQ(source.GetPosition(), copy.GetPosition());
    EXPECT_EQ(source.GetFrameA(), copy.GetFrameA());

    AnimationControl assigned(1, 8);
    assigned = source;
    EXPECT_EQ(source.GetPosition(), assigned.GetPosition());
    EXPECT_TRUE(assigned.IsPlaying());
}

TEST(AnimationControlTest, AssigningAnotherKindOfControlChangesNothing) {
    AnimationControl source(0, 8);
    source.SetLoop(true);
    source.Play();
    MoveBy(source, 3.5f);

    for (AnimationControl target : {AnimationControl(1, 8), AnimationControl(0, 9)}) {
        target = source;
        EXPECT_FALSE(target.IsPlaying());
        EXPECT_EQ(0.0f, target.GetPosition());
        ExpectFrames(target, {0, 0, 0.0f});
    }
}

TEST(AnimationControlTest, ControlWithoutFramesShowsFrameZero) {
    AnimationControl control(0, 0);
    control.SetLoop(true);
    control.SetSpeed(100.0f);
    control.Play();
    Tick(control);
    ExpectFrames(control, {0, 0, 0.0f});
}

}  // namespace
