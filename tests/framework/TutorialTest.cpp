// The tutorial record: hint timing, pending flags, and shown flags kept in the current
// profile (and nowhere without one).

#include "framework/Tutorial.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/PlayerDataTestSupport.h"

namespace {

using frameworktest::TestProfileManager;
using GameFramework::Tutorial;

class TutorialTest : public frameworktest::PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        profiles_ = std::make_unique<TestProfileManager>(Folder());
        profiles_->SelectProfile(profiles_->CreateProfileIfMissing(L"Anna"), true);
    }
    void TearDown() override {
        profiles_.reset();
        PlayerDataTest::TearDown();
    }

    std::unique_ptr<TestProfileManager> profiles_;
};

TEST_F(TutorialTest, HintShowsWhenItsDelayHasRunOut) {
    Tutorial tutorial(profiles_.get());
    EXPECT_TRUE(tutorial.IsReady());
    tutorial.StartHint(5, 2.0f);
    EXPECT_FALSE(tutorial.IsReady());
    EXPECT_TRUE(tutorial.IsActive());
    for (int frame = 0; frame < 4; ++frame) tutorial.Update(0.5f);
    EXPECT_EQ(0.0f, tutorial.GetDelay());
    EXPECT_EQ(0.5f, tutorial.GetElapsed());
    tutorial.Update(0.5f);
    EXPECT_EQ(1.0f, tutorial.GetElapsed());

    tutorial.EndHint();
    tutorial.Update(0.5f);
    EXPECT_EQ(1.0f, tutorial.GetElapsed()) << "nothing runs without a hint";
    EXPECT_EQ(0, tutorial.GetHint());
    EXPECT_FALSE(tutorial.IsReady()) << "the tutorial window sets it";
    EXPECT_FALSE(tutorial.IsShown(5));
}

TEST_F(TutorialTest, PendingFlagsAreNumberedModulo32) {
    Tutorial tutorial(profiles_.get());
    tutorial.StartHint(1, 0.0f);
    tutorial.SetPending(33);
    EXPECT_TRUE(tutorial.IsPending(1));
    EXPECT_EQ(2u, tutorial.GetPending());
    tutorial.ClearPending(1);
    EXPECT_FALSE(tutorial.IsPending(33));
    tutorial.SetPending(4);
    tutorial.StartHint(2, 0.0f);
    EXPECT_EQ(0u, tutorial.GetPending());
}

TEST_F(TutorialTest, FinishedHintIsShownAlsoAfterARestart) {
    {
        Tutorial tutorial(profiles_.get());
        tutorial.StartHint(7, 1.0f);
        tutorial.FinishHint();
        EXPECT_FALSE(tutorial.IsActive());
        EXPECT_TRUE(tutorial.IsShown(7));
    }
    profiles_ = std::make_unique<TestProfileManager>(Folder());
    const Tutorial restarted(profiles_.get());
    EXPECT_TRUE(restarted.IsShown(7));
    EXPECT_FALSE(restarted.IsShown(6));
    EXPECT_TRUE(restarted.IsShown(300));
}

TEST_F(TutorialTest, ClearAllShownSavesOncePerSetFlag) {
    Tutorial tutorial(profiles_.get());
    for (unsigned n : {0u, 100u, 255u}) tutorial.MarkShown(n);
    const int writes = profiles_->Current()->writes;
    tutorial.ClearAllShown();
    EXPECT_EQ(writes + 3, profiles_->Current()->writes);
    for (unsigned n = 0; n < 256; ++n) EXPECT_FALSE(tutorial.IsShown(n)) << n;
}

TEST_F(TutorialTest, WithoutACurrentProfileNoHintIsShownOrStored) {
    profiles_->SelectProfile(nullptr, true);
    Tutorial tutorial(profiles_.get());
    tutorial.StartHint(3, 0.0f);
    tutorial.FinishHint();
    tutorial.MarkShown(4);
    tutorial.ClearAllShown();
    EXPECT_FALSE(tutorial.IsShown(3));
    EXPECT_FALSE(tutorial.IsShown(4));
    EXPECT_TRUE(tutorial.IsShown(256));
    EXPECT_FALSE(profiles_->Find(L"Anna")->IsShownBitSet(3));
}

}  // namespace
