// The tutorial hints: the lone text box of a text hint, the right-button picture that
// bit 0 shows at the cursor and whose fading keeps following it, the arrow that bit 1
// hides and that closing leaves disabled, the pictures the window places itself in
// hints 18 and 21, the hint sound once per hint, the room's input held while a hint
// waits, and the hints the window does not know.

#include "game/screens/GUITutorialWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/Tutorial.h"
#include "game/screens/GUIParticlesEffect.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/TutorialBench.h"

namespace {

using Morvane::GUITutorialWindow;
using Vantor::Vector2;

constexpr const char* kPressRequest =
    "+tutorial/hit_mouse_button_begin+common/hit_mouse_button+tutorial/hit_mouse_button_end";

class GUITutorialWindowTest : public screenstest::TutorialBench {
protected:
    // Hiding and showing take a quarter of a second.
    static constexpr float kFadeSeconds = 0.25f;

    void SetUp() override {
        TutorialBench::SetUp();
        WriteLayout("faders.xml", R"(<faders><fader name="fade" show_speed="4" hide_speed="4" /></faders>)");
        WriteLayout("tutorial.xml", R"(<window name="window_tutorial" position="0 0" size="800 600">
            <window name="arrow" model="arrow" position="0 0" size="128 64" fader="fade" />
            <window name="mouse_left_small" shader="mouse" position="0 0" size="40 40" fader="fade" />
            <window name="mouse_right_small" shader="mouse" position="0 0" size="40 40" fader="fade" />
            <window name="window" shader="panel" position="0 0" size="352 152" fader="fade">
              <window name="mouse" shader="mouse" position="16 88" size="48 48" fader="fade" />
              <text_label name="text" position="72 12" size="264 128" font="common_2" multiline="1" fader="fade" />
            </window></window>)");
        WriteTexts(R"xml(<tutorial><introduction text="Welcome to the cafe." /><hit_mouse_button_begin text=" (" />
            <hit_mouse_button_end text=")" /><cracker_0 text="Take a cracker." /></tutorial>
            <common><hit_mouse_button text="press a button" /></common>)xml");
        MakeGame();
        AddEffect(GUITutorialWindow::kHintSound, false);
        AddColourShader("mouse", {200, 200, 200, 255});
        AddColourShader("panel", {30, 40, 60, 255});
        AddFramesModel("arrow", 4);
        dialogueart::AddMovingQuad(*data_, "tutorial_hint", {0, 0}, {344, 0}, {8, 8}, 5);
        dialogueart::AddSparkles(*data_, "tutorial_hint");
        MakeTutorial();
    }

    // The hint started by the day's script and shown at once.
    void Show(int hint) {
        tutorial_->StartHint(hint, 0.0f);
        Frame();
        ASSERT_TRUE(window_->IsVisible());
    }
    // The hint finished by the day's script and the window faded out.
    void Finish() {
        tutorial_->FinishHint();
        ASSERT_TRUE(RunUntil([&] { return !window_->IsVisible(); }, 1.0f));
    }
    bool Enabled(const GUITools::GUIControl& control) const { return window_->IsControlEnabled(control); }
    static Vector2 Cursor() { return Vantor::GUIManager::Instance()->GetCursorPosition(); }
    void MoveAndFrame(const Vector2& point) {
        MoveMouseTo(point);
        Frame();
    }
    static void ExpectAt(const GUITools::GUIControl& control, const Vector2& place) {
        EXPECT_FLOAT_EQ(control.GetPosition().x, place.x) << control.GetName();
        EXPECT_FLOAT_EQ(control.GetPosition().y, place.y) << control.GetName();
    }
};

TEST_F(GUITutorialWindowTest, TheWindowWaitsHiddenAndItsArrowLoopsOnItsOwn) {
    Frames(5);
    EXPECT_FALSE(window_->IsVisible());
    EXPECT_TRUE(TakePlayedEffects().empty());
    const GUITools::GUIWindowControl& arrow = window_->GetArrow();
    EXPECT_EQ(arrow.GetModelAnimation(), nullptr) << "the control no longer drives the arrow's frames";
    EXPECT_FALSE(arrow.GetWindow()->IsRectangleHitTest()) << "the window places the arrow's model";
    Show(2);
    // Four frames at ten a second, played over and over.
    RunFor(1.0f);
    EXPECT_TRUE(arrow.GetWindow()->GetModel()->GetAnimationControl()->IsPlaying());
}

TEST_F(GUITutorialWindowTest, ATextHintShowsOnlyTheTextBoxWithItsPressRequest) {
    Show(1);
    ExpectAt(window_->GetTextBox(), {200, 210});
    EXPECT_EQ(window_->GetText().keys, std::string("tutorial/introduction") + kPressRequest);
    RunFor(kFadeSeconds * 2);
    const std::wstring shown = ShownText(window_->GetText());
    EXPECT_NE(shown.find(L"Welcome to the cafe."), std::wstring::npos) << shown;
    EXPECT_NE(shown.find(L"(press a button)"), std::wstring::npos) << shown;
    EXPECT_TRUE(window_->GetTextBox().IsShown());
    for (const GUITools::GUIWindowControl* icon : {&window_->GetArrow(), &window_->GetBoxMouse(),
                                                   &window_->GetLeftButton(), &window_->GetRightButton()}) {
        EXPECT_FALSE(Enabled(*icon)) << icon->GetName();
        EXPECT_FALSE(icon->GetWindow()->IsVisible()) << icon->GetName();
    }
    // The sparkles run around the box while it shows.
    EXPECT_TRUE(window_->GetDecoration().IsActive());
    EXPECT_FLOAT_EQ(window_->GetDecoration().GetOffset().x, 200.0f);
    Finish();
    EXPECT_FALSE(window_->GetDecoration().IsActive());
}

TEST_F(GUITutorialWindowTest, BitZeroShowsTheRightButtonAtTheCursorAndItsFadeKeepsFollowing) {
    Show(6);
    const GUITools::GUIWindowControl& right = window_->GetRightButton();
    EXPECT_TRUE(Enabled(window_->GetBoxMouse()));
    EXPECT_FALSE(Enabled(window_->GetArrow()));
    MoveAndFrame({300, 300});
    RunFor(kFadeSeconds * 2);
    EXPECT_FALSE(Enabled(right)) << "no right button before the bit";

    tutorial_->SetPending(0);
    Frame();
    EXPECT_TRUE(Enabled(right));
    EXPECT_TRUE(right.IsTargetShown());
    ExpectAt(right, Cursor() + Vector2(3, -46));
    EXPECT_NEAR(Cursor().x, 300.0f, 1.0f);
    MoveAndFrame({500, 200});
    ExpectAt(right, Cursor() + Vector2(3, -46));
    RunFor(kFadeSeconds * 2);
    EXPECT_TRUE(right.GetWindow()->IsVisible());

    tutorial_->ClearPending(0);
    Frame();
    EXPECT_FALSE(right.IsTargetShown());
    EXPECT_TRUE(right.IsShown()) << "fading out";
    MoveAndFrame({420, 260});
    ExpectAt(right, Cursor() + Vector2(3, -46));
    RunFor(kFadeSeconds * 2);
    EXPECT_FALSE(right.IsShown());
    EXPECT_TRUE(window_->IsVisible()) << "the rest of the hint stays";

    tutorial_->SetPending(0);
    Frame();
    EXPECT_TRUE(right.IsTargetShown());
    ExpectAt(right, Cursor() + Vector2(3, -46));
}

TEST_F(GUITutorialWindowTest, BitOneHidesTheArrowWhichClosingThenLeavesDisabled) {
    MoveAndFrame({250, 350});
    Show(13);
    const GUITools::GUIWindowControl& arrow = window_->GetArrow();
    const GUITools::GUIWindowControl& left = window_->GetLeftButton();
    ExpectAt(window_->GetTextBox(), {101, 202});
    ExpectAt(arrow, {392, 346});
    ExpectAt(left, {508, 405});
    EXPECT_FLOAT_EQ(window_->GetArrowAngle(), 6.7f);
    RunFor(kFadeSeconds * 2);
    EXPECT_TRUE(arrow.GetWindow()->IsVisible());
    EXPECT_TRUE(left.GetWindow()->IsVisible());

    tutorial_->SetPending(0);
    tutorial_->SetPending(1);
    Frame();
    EXPECT_FALSE(arrow.IsTargetShown());
    EXPECT_FALSE(left.IsTargetShown());
    EXPECT_TRUE(window_->GetRightButton().IsTargetShown());
    ExpectAt(window_->GetRightButton(), Cursor() + Vector2(-8, -39));
    RunFor(kFadeSeconds * 2);
    EXPECT_FALSE(arrow.GetWindow()->IsVisible());

    Finish();
    EXPECT_FALSE(Enabled(arrow));
    EXPECT_FALSE(Enabled(left));

    // The next hint keeps the offset it does not give.
    tutorial_->ClearPending(0);
    tutorial_->ClearPending(1);
    Show(14);
    EXPECT_TRUE(Enabled(arrow)) << "enabled again by its hint";
    tutorial_->SetPending(0);
    Frame();
    ExpectAt(window_->GetRightButton(), Cursor() + Vector2(-8, -39));
}

TEST_F(GUITutorialWindowTest, HintEighteenLeadsTheRightButtonWithTheCursorAndHintTwentyOnePinsIt) {
    MoveAndFrame({400, 300});
    Show(18);
    const GUITools::GUIWindowControl& right = window_->GetRightButton();
    EXPECT_TRUE(Enabled(right));
    EXPECT_TRUE(right.IsTargetShown()) << "shown with the window, without any bit";
    EXPECT_TRUE(Enabled(window_->GetBoxMouse()));
    EXPECT_FALSE(Enabled(window_->GetArrow()));
    MoveAndFrame({150, 450});
    ExpectAt(right, Cursor() + Vector2(-8, -39));
    RunFor(kFadeSeconds * 2);
    EXPECT_TRUE(right.GetWindow()->IsVisible());
    Finish();

    Show(21);
    EXPECT_TRUE(right.IsTargetShown());
    for (const Vector2 point : {Vector2(100, 100), Vector2(700, 500)}) {
        MoveAndFrame(point);
        ExpectAt(right, {508, 405});
    }
}

TEST_F(GUITutorialWindowTest, TheHintSoundPlaysOnceOnEachHintsFirstVisibleFrame) {
    tutorial_->StartHint(2, 0.5f);
    RunFor(0.4f);
    EXPECT_FALSE(window_->IsVisible());
    EXPECT_TRUE(TakePlayedEffects().empty()) << "not while the hint waits";
    ASSERT_TRUE(RunUntil([&] { return window_->IsVisible(); }, 0.2f));
    EXPECT_EQ(TakePlayedEffects(), std::vector<std::string>{GUITutorialWindow::kHintSound});
    RunFor(1.0f);
    EXPECT_TRUE(TakePlayedEffects().empty());
    Finish();
    EXPECT_TRUE(TakePlayedEffects().empty());
    Show(3);
    EXPECT_EQ(TakePlayedEffects(), std::vector<std::string>{GUITutorialWindow::kHintSound});
}

TEST_F(GUITutorialWindowTest, WhileAHintWaitsOnlyTheHighlightedElementsTakeClicks) {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    Vantor::GUIButton& ordinary = *gui.CreateButton(Vantor::GUIWindow::kShown, {40, 40}, {80, 40}, nullptr, nullptr,
                                                    nullptr);
    Vantor::GUIButton& highlighted = *gui.CreateButton(Vantor::GUIWindow::kShown, {200, 40}, {80, 40}, nullptr,
                                                       nullptr, nullptr);
    const auto clicks = [&](Vantor::GUIButton& button) {
        ClickOn(button);
        Frame();
        return button.clicked;
    };
    tutorial_->StartHint(5, 10.0f);
    Frame();
    EXPECT_FALSE(clicks(ordinary));
    EXPECT_FALSE(clicks(highlighted)) << "nothing admitted yet";

    // As the day's script admits a room element to the hint.
    gui.GetExclusiveInputList().push_back(&highlighted);
    EXPECT_FALSE(clicks(ordinary));
    EXPECT_TRUE(clicks(highlighted));
    EXPECT_FALSE(window_->IsVisible());

    // Ended before its delay ran out: never shown, and the input is free again.
    tutorial_->FinishHint();
    Frame();
    EXPECT_TRUE(gui.GetExclusiveInputList().empty());
    EXPECT_TRUE(clicks(ordinary));
    EXPECT_FALSE(window_->IsVisible());
    gui.DestroyButton(&ordinary);
    gui.DestroyButton(&highlighted);
}

TEST_F(GUITutorialWindowTest, AHintOutsideTheTableEndsTheRun) {
    for (const int hint : {0, 23}) {
        SCOPED_TRACE(hint);
        tutorial_->StartHint(hint, 0.0f);
        EXPECT_THROW(window_->Open(), Vantor::FatalError);
        ASSERT_FALSE(Fatals().empty());
        EXPECT_EQ(Fatals().back(), "Unknown tutorial (" + std::to_string(hint) + ")");
    }
}

}  // namespace
