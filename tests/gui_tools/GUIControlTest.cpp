// The control base: actions, show and hide with and without a fader, the fader's speeds
// and limits, the frame ranges of the model and the animator, the animator's offset and
// the alpha written only on a change.

#include <gtest/gtest.h>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using GUITools::GUIControl;
using GUITools::GUIControlDescription;
using Vantor::GUIWindow;

// The element's alpha is held in 8 bits.
constexpr float kAlphaStep = 1.0f / 255.0f;

// An element that counts how often its alpha is written.
class CountingWindow : public GUIWindow {
public:
    using GUIWindow::GUIWindow;
    void SetAlpha(float alpha) override {
        ++alphaWrites;
        GUIWindow::SetAlpha(alpha);
    }
    int alphaWrites = 0;
};

// A control over a counting quad of its own.
class CountingControl : public GUIControl {
public:
    explicit CountingControl(GameTools::DataKeeper* keeper)
        : GUIControl(keeper, {}),
          window(Vantor::GUIManager::Instance()->GetFontManager(), Vantor::GUIManager::Instance()->GetCamera(), 0,
                 {0.0f, 0.0f}, {10.0f, 10.0f}, nullptr, &kQuad, nullptr) {
        Attach(&window, {});
    }
    CountingWindow window;

private:
    static inline const Vantor::ShaderDescriptor kQuad;
};

class GUIControlTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        MakeTools();
    }

    // A control without a font: only its base does anything.
    GUIControl& MakeControl(const GUIControlDescription& description = {}) {
        GUITools::GUITextControl& control = MakeText("", {50.0f, 20.0f}, description);
        control.SetPosition({100.0f, 200.0f});
        return control;
    }

    static GUIControlDescription FramesDescription(int start, int end) {
        GUIControlDescription description;
        description.model = "frames";
        description.modelStartFrame = start;
        description.modelEndFrame = end;
        return description;
    }

    static bool Visible(const GUIControl& control) { return control.GetWindow()->IsVisible(); }
    static float Alpha(const GUIControl& control) { return control.GetWindow()->GetAlpha(); }

    // A control with a unit quad whose alpha shows, fading by the timed fader.
    GUIControl& MakeFadedControl(float showSpeed) {
        GUIControlDescription description;
        description.model = "frames";
        if (!keeper_->HasModel("ui/frames")) AddFramesModel("frames", 1);
        GUIControl& control = MakeControl(description);
        control.SetFader("fader");
        control.SetShowSpeed(showSpeed);
        return control;
    }
};

TEST_F(GUIControlTest, AControlStartsHiddenAndShowsInTheNextUpdateAtItsPlace) {
    GUIControl& control = MakeControl();
    EXPECT_FALSE(Visible(control));
    EXPECT_FALSE(control.IsShown());
    control.Show(true, false);
    EXPECT_FALSE(Visible(control)) << "not before the update";
    EXPECT_TRUE(control.IsShown()) << "the target counts";
    Frame();
    EXPECT_TRUE(Visible(control));
    EXPECT_FLOAT_EQ(control.GetWindow()->GetPosition().x, 100.0f);
    EXPECT_FLOAT_EQ(control.GetWindow()->GetSize().y, 20.0f);
}

TEST_F(GUIControlTest, ExclusiveInputAppendsTheElementToTheGUIsList) {
    GUIControl& control = MakeControl();
    control.SetExclusiveInput();
    std::vector<GUIWindow*>& exclusive = Vantor::GUIManager::Instance()->GetExclusiveInputList();
    EXPECT_EQ(exclusive, std::vector<GUIWindow*>{control.GetWindow()});
    exclusive.clear();
}

TEST_F(GUIControlTest, ActionsDecideWhatShowingAndHidingTheWindowDoes) {
    GUIControl& hiddenWithWindow = MakeControl();
    hiddenWithWindow.SetShowAction("hide");
    GUIControl& shownWithHiding = MakeControl();
    shownWithHiding.SetHideAction("show");
    GUIControl& ignoring = MakeControl();
    ignoring.SetShowAction("wait");
    ignoring.SetHideAction("wait");

    for (GUIControl* control : {&hiddenWithWindow, &shownWithHiding, &ignoring}) control->Show(true, true);
    Frame();
    EXPECT_FALSE(hiddenWithWindow.IsShown());
    EXPECT_TRUE(shownWithHiding.IsShown());
    EXPECT_FALSE(ignoring.IsShown()) << "another action changes nothing";

    ignoring.Show(true, false);
    Frame();
    for (GUIControl* control : {&hiddenWithWindow, &shownWithHiding, &ignoring}) control->Show(false, true);
    EXPECT_TRUE(Visible(ignoring)) << "a running state is not restarted either";
    EXPECT_TRUE(ignoring.IsTargetShown());
    Frame();
    EXPECT_TRUE(shownWithHiding.IsShown());
    EXPECT_TRUE(Visible(ignoring));
}

TEST_F(GUIControlTest, HidingAHiddenControlShowsItUntilTheNextUpdateAndIsShownUntilThen) {
    GUIControl& control = MakeControl();
    control.Show(false, false);
    EXPECT_TRUE(Visible(control));
    EXPECT_TRUE(control.IsShown()) << "still hiding";
    Frame();
    EXPECT_FALSE(Visible(control));
    EXPECT_FALSE(control.IsShown());
}

TEST_F(GUIControlTest, ATimedFaderReachesItsMaximumAfterOneOverTheSpeed) {
    GUIControl& quick = MakeFadedControl(2.0f);
    GUIControl& still = MakeFadedControl(0.0f);
    GUIControl& half = MakeFadedControl(1.0f);
    half.SetFaderMax(0.5f);
    for (GUIControl* control : {&quick, &still, &half}) control->Show(true, false);
    Run(0.4f);
    EXPECT_NEAR(quick.GetFadeValue(), 0.8f, 1e-4f);
    EXPECT_NEAR(Alpha(quick), 0.8f, kAlphaStep);
    EXPECT_NEAR(Alpha(still), 0.0f, kAlphaStep) << "speed 0 stays at the minimum";
    Run(0.1f);
    EXPECT_NEAR(Alpha(quick), 1.0f, kAlphaStep) << "0.5 s at speed 2";
    Run(1.0f);
    EXPECT_NEAR(Alpha(half), 0.5f, kAlphaStep);
    EXPECT_NEAR(half.GetFadeValue(), 0.5f, 1e-6f);
    EXPECT_TRUE(Visible(still));
}

TEST_F(GUIControlTest, AFaderWaitsForItsOffsetsAndHidesWhenItReachesZero) {
    GUIControl& control = MakeFadedControl(10.0f);
    control.SetShowOffset(0.3f);
    control.SetHideSpeed(5.0f);
    control.SetHideOffset(0.2f);
    control.Show(true, false);
    Run(0.2f);
    EXPECT_FALSE(Visible(control)) << "before the show offset";
    Run(0.1f);
    EXPECT_TRUE(Visible(control));
    Run(0.2f);
    control.Show(false, false);
    Run(0.2f);
    EXPECT_NEAR(Alpha(control), 1.0f, kAlphaStep) << "before the hide offset";
    EXPECT_TRUE(control.IsShown());
    Run(0.1f);
    EXPECT_NEAR(Alpha(control), 0.5f, kAlphaStep);
    Run(0.1f);
    EXPECT_FALSE(Visible(control)) << "hidden in the update in which it reaches 0";
    EXPECT_FALSE(control.IsShown());
}

TEST_F(GUIControlTest, AModelAnimationFaderWithoutAnimationKeepsTheMinimumAndHidesAtOnce) {
    GUIControl& control = MakeFadedControl(1.0f);
    control.SetFaderType(GUIControl::kModelAnimationFader);
    control.SetFaderMin(0.25f);
    control.Show(true, false);
    Run(0.5f);
    EXPECT_NEAR(Alpha(control), 0.25f, kAlphaStep);
    control.SetHideOffset(0.15f);
    control.Show(false, false);
    Run(0.1f);
    EXPECT_TRUE(Visible(control));
    Run(0.1f);
    EXPECT_FALSE(Visible(control)) << "the first update after the hide offset";
}

TEST_F(GUIControlTest, TheAlphaIsWrittenOnlyWhenTheFadeValueMovesByMoreThanTheTolerance) {
    auto control = std::make_unique<CountingControl>(keeper_.get());
    CountingControl& counted = *control;
    controls_.push_back(std::move(control));
    counted.SetFader("fader");
    counted.SetShowSpeed(10.0f);
    counted.SetFaderMax(128.0f * kAlphaStep);  // what the element holds exactly
    counted.Show(true, false);
    Run(0.2f);
    const int writes = counted.window.alphaWrites;
    EXPECT_GT(writes, 0);
    Run(0.3f);
    EXPECT_EQ(counted.window.alphaWrites, writes) << "the alpha is the fade value already";
    counted.SetFaderMax(0.5f);  // between two values the element can hold
    Run(0.3f);
    EXPECT_EQ(counted.window.alphaWrites, writes + 3);
    EXPECT_NEAR(Alpha(counted), 0.5f, kAlphaStep);
}

TEST_F(GUIControlTest, FrameRangesOfOneFrameShowThatFrameWithoutAnAnimation) {
    AddFramesModel("frames", 8);
    const struct {
        int start, end;
        float frame;
    } cases[] = {{3, 3, 3.0f}, {5, 2, 5.0f}, {20, 30, 7.0f}, {-5, -1, 7.0f}};
    for (const auto& each : cases) {
        GUIControl& control = MakeControl(FramesDescription(each.start, each.end));
        EXPECT_EQ(control.GetModelAnimation(), nullptr) << each.start << "-" << each.end;
        EXPECT_FLOAT_EQ(control.GetWindow()->GetModel()->GetAnimationControl()->GetPosition(), each.frame)
            << each.start << "-" << each.end;
    }
}

TEST_F(GUIControlTest, AFrameRangeShowsForwardsAndHidesBackwardsThenTheElementGoes) {
    AddFramesModel("frames", 8);
    GUIControl& control = MakeControl(FramesDescription(2, 5));
    Vantor::AnimationControl* animation = control.GetModelAnimation();
    ASSERT_NE(animation, nullptr);
    control.Show(true, false);
    Frame();
    EXPECT_EQ(animation->GetRangeId(), 0);
    EXPECT_EQ(animation->GetRangeFirst(), 2u);
    EXPECT_EQ(animation->GetRangeLast(), 5u);
    EXPECT_FALSE(control.IsAnimationFinished());
    Run(1.0f);
    EXPECT_TRUE(control.IsAnimationFinished());
    control.Show(false, false);
    Frame();
    EXPECT_EQ(animation->GetRangeId(), 1);
    EXPECT_EQ(animation->GetRangeFirst(), 5u);
    EXPECT_TRUE(Visible(control)) << "until the hide animation has ended";
    Run(1.0f);
    EXPECT_FALSE(Visible(control));

    control.ClearModelAnimation();
    EXPECT_EQ(control.GetModelAnimation(), nullptr) << "an owner took it over";
}

TEST_F(GUIControlTest, TheAnimatorMovesTheControlByItsBoxCorner) {
    AddFramesModel("mover", 5);
    GUIControlDescription description;
    description.animatorModel = "mover";
    GUIControl& control = MakeControl(description);
    control.Show(true, false);
    Frame();
    Run(0.2f);
    const Vantor::Vector2 position = control.GetWindow()->GetPosition();
    // Three frames of the animator at 10 frames per second: it steps in the update
    // that starts it.
    EXPECT_NEAR(position.x, 100.0f + 30.0f, 1e-3f);
    EXPECT_NEAR(position.y, 200.0f + 15.0f, 1e-3f);
    EXPECT_FALSE(control.IsAnimationFinished());
}

}  // namespace
