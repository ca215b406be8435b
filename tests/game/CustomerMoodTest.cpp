// A customer's patience: the total time from the cafe's mood, the three stages and
// their full-bar drain times, the mood they give, the face's fade, pop and reddening
// between stages, and the patience held full while moods do not drain.

#include "game/CustomerMood.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "tests/game/CustomerTestSupport.h"

namespace {

using Morvane::CustomerMood;

constexpr float kStep = 0.01f;

class CustomerMoodTest : public gametest::CustomerTest {
protected:
    void SetUp() override {
        gametest::CustomerTest::SetUp();
        LoadCustomers(3, {}, AnimatedPatience());
        figure_ = Gui().CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
        Errors();
    }
    void TearDown() override {
        mood_.reset();
        Gui().DestroyWindow(figure_);
        gametest::CustomerTest::TearDown();
    }

    CustomerMood& MakeMood(float cafeMood = 0.5f, unsigned place = 1) {
        mood_ = std::make_unique<CustomerMood>(data_.get(), figure_, place, cafeMood);
        mood_->Start();
        return *mood_;
    }
    // A frame of the clock alone: the patience needs no drawing.
    void Step(bool drains = true) {
        platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(kStep * 1e6f + 0.5f));
        Vantor::TimerManager::Instance()->Update();
        mood_->Update(drains);
    }
    // Steps until the condition holds, at most the seconds; false when it never did.
    template <typename Condition>
    bool StepUntil(Condition condition, float seconds = 60.0f, bool drains = true) {
        for (float time = 0.0f; time < seconds; time += kStep) {
            Step(drains);
            if (condition()) return true;
        }
        return false;
    }
    Vantor::Color FaceColour() const { return mood_->GetSmileWindow()->GetColor(); }
    float FaceScale() const { return mood_->GetSmileWindow()->GetModel()->GetWorldMatrix().m[0]; }

    virtual bool AnimatedPatience() const { return true; }

    Vantor::GUIWindow* figure_ = nullptr;
    std::unique_ptr<CustomerMood> mood_;
};

TEST_F(CustomerMoodTest, StagesDrainTheirSharesOfThePatienceTimeWhileTheBarIsFull) {
    CustomerMood& mood = MakeMood(0.5f);
    EXPECT_FLOAT_EQ(30.0f, mood.GetPatienceTime()) << "20 s + (40 s - 20 s) x 0.5";
    float drained[3] = {0.0f, 0.0f, 0.0f};
    float lastMood = mood.GetMood();
    while (!mood.IsStopped()) {
        const int stage = mood.GetStage();
        const float fraction = mood.GetStageFraction();
        Step();
        if (mood.GetStage() == stage && mood.GetStageFraction() < fraction) drained[stage] += kStep;
        ASSERT_LE(mood.GetMood(), lastMood + Vantor::kFloatTolerance) << "the mood never rises";
        lastMood = mood.GetMood();
    }
    EXPECT_NEAR(6.316f, drained[0], kStep);
    EXPECT_NEAR(11.053f, drained[1], kStep);
    EXPECT_NEAR(12.632f, drained[2], kStep);
    EXPECT_EQ(2, mood.GetStage());
    EXPECT_EQ(0.0f, mood.GetMood()) << "the last stage ran out";
}

TEST_F(CustomerMoodTest, MoodFallsByAThirdPerStage) {
    CustomerMood& mood = MakeMood();
    EXPECT_EQ(1.0f, mood.GetMood());
    ASSERT_TRUE(StepUntil([&] { return mood.GetStage() == 1 && mood.GetStageFraction() <= 0.5f; }));
    EXPECT_NEAR(0.5f, mood.GetMood(), 0.001f) << "stage 1 at half its fraction";
    ASSERT_TRUE(StepUntil([&] { return mood.GetStage() == 2; }));
    EXPECT_NEAR(1.0f / 3.0f, mood.GetMood(), 0.001f);
}

TEST_F(CustomerMoodTest, PatienceStaysFullWhileMoodsDoNotDrain) {
    CustomerMood& mood = MakeMood();
    EXPECT_FALSE(StepUntil([&] { return mood.GetMood() < 1.0f || mood.GetStage() != 0; }, 40.0f, false));
    EXPECT_EQ(1.0f, mood.GetStageFraction());
}

TEST_F(CustomerMoodTest, StoppedPatienceKeepsItsMoodAndTheBarFadesOut) {
    CustomerMood& mood = MakeMood();
    ASSERT_TRUE(StepUntil([&] { return mood.GetStageFraction() < 0.5f; }));
    mood.Stop();
    const float kept = mood.GetMood();
    StepUntil([] { return false; }, 2.0f);
    EXPECT_EQ(kept, mood.GetMood());
    EXPECT_EQ(0.0f, mood.GetBarAlpha());
    EXPECT_EQ(1.0f, mood.GetSmileWindow()->GetAlpha());
}

TEST_F(CustomerMoodTest, FaceFadesInAfterItsDelayAndOutWhenHidden) {
    CustomerMood& mood = MakeMood();
    EXPECT_EQ(0.0f, mood.GetSmileWindow()->GetAlpha()) << "invisible until the first update";
    StepUntil([] { return false; }, 0.345f);
    EXPECT_EQ(0.0f, mood.GetSmileWindow()->GetAlpha());
    StepUntil([] { return false; }, 0.34f);
    EXPECT_EQ(1.0f, mood.GetSmileWindow()->GetAlpha()) << "full at 0.6833 s";
    EXPECT_LE(mood.GetBarAlpha(), 2 * kStep) << "the bar follows only once the face is full";
    StepUntil([] { return false; }, 1.0f);
    EXPECT_NEAR(1.0f, mood.GetBarAlpha(), 0.02f) << "one second from empty to full";
    mood.Hide();
    StepUntil([] { return false; }, 0.17f);
    EXPECT_NEAR(0.5f, mood.GetSmileWindow()->GetAlpha(), 0.02f);
    StepUntil([] { return false; }, 0.17f);
    EXPECT_EQ(0.0f, mood.GetSmileWindow()->GetAlpha());
}

TEST_F(CustomerMoodTest, FacePopsBetweenStagesAndReddensOnlyIntoTheLast) {
    CustomerMood& mood = MakeMood();
    ASSERT_TRUE(StepUntil([&] { return mood.IsChangingStage(); }));
    bool sawHalfway = false;
    while (mood.IsChangingStage()) {
        Step();
        const float bar = mood.GetBarAlpha();
        if (!mood.IsChangingStage()) break;
        EXPECT_NEAR(Vantor::QuadraticBezier(1.0f, 1.75f, 1.0f, bar), FaceScale(), 0.0001f);
        if (Vantor::IsNearlyEqual(bar, 0.5f)) {
            EXPECT_NEAR(1.375f, FaceScale(), 0.0001f) << "the pop's height halfway";
            sawHalfway = true;
        }
        EXPECT_EQ(1.0f, FaceColour().y) << "no reddening into stage 1";
    }
    EXPECT_TRUE(sawHalfway);
    EXPECT_EQ(1, mood.GetStage());

    ASSERT_TRUE(StepUntil([&] { return mood.IsChangingStage(); }));
    EXPECT_NEAR(1.0f, FaceColour().y, 0.02f) << "white while the bar is still shown";
    ASSERT_TRUE(StepUntil([&] { return mood.GetStage() == 2; }));
    EXPECT_NEAR(0.5f, FaceColour().y, 0.01f) << "reddish once the bar has gone";
    EXPECT_NEAR(0.5f, FaceColour().z, 0.01f);
    EXPECT_EQ(1.0f, FaceColour().x);
}

TEST_F(CustomerMoodTest, FacePlaysItsStagesRangeAndTheBarShowsStageAndFraction) {
    CustomerMood& mood = MakeMood();
    Vantor::AnimationControl& face = *mood.GetSmileWindow()->GetShaderUser()->GetAnimationControl(0);
    Vantor::AnimationControl& barPicture = *mood.GetBarWindow()->GetShaderUser()->GetAnimationControl(0);
    Vantor::AnimationControl& bar = *mood.GetBarWindow()->GetModel()->GetAnimationControl();
    EXPECT_FALSE(face.IsPlaying());
    ASSERT_TRUE(StepUntil([&] { return mood.GetStageFraction() < 0.5f; }));
    EXPECT_NEAR((gametest::CustomerTest::kBarFrames - 1) * mood.GetStageFraction(), bar.GetPosition(), 0.0001f);
    ASSERT_TRUE(StepUntil([&] { return mood.IsChangingStage(); }));
    EXPECT_TRUE(face.IsPlaying());
    EXPECT_EQ(0, face.GetRangeId());
    EXPECT_EQ(16u, face.GetRangeLast());
    EXPECT_EQ(12.0f, face.GetSpeed());
    ASSERT_TRUE(StepUntil([&] { return mood.GetStage() == 1; }));
    EXPECT_EQ(1.0f, barPicture.GetPosition());
    ASSERT_TRUE(StepUntil([&] { return mood.IsChangingStage(); }));
    EXPECT_EQ(1, face.GetRangeId());
    EXPECT_EQ(32u, face.GetRangeLast());
}

// Materials without a texture stage: the face and the bar keep their pictures still.
class StillPatienceTest : public CustomerMoodTest {
protected:
    bool AnimatedPatience() const override { return false; }
};

TEST_F(StillPatienceTest, PatienceWorksWithoutTheAnimationsAndSaysSo) {
    CustomerMood& mood = MakeMood();
    EXPECT_THAT(Errors(), testing::ElementsAre(testing::HasSubstr("customers/balloon/smile\""),
                                               testing::HasSubstr("customers/balloon/smile_progress\"")));
    ASSERT_TRUE(StepUntil([&] { return mood.GetStage() == 1; }));
    EXPECT_LT(mood.GetMood(), 2.0f / 3.0f + 0.001f);
    EXPECT_TRUE(Errors().empty()) << "said once";
}

}  // namespace
