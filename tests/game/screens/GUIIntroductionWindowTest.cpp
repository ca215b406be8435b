// The introduction comic: its first page after Open, the script's steps in their order
// through a whole run, the balloons' click guard, the prompt page, held keys, the
// prompt following the balloon text's fade, the timer standing still while hidden, and
// a layout that lacks a control the script names.

#include "game/screens/GUIIntroductionWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "gui_tools/GUITextControl.h"
#include "platform/WinUserSeams.h"
#include "tests/game/screens/ComicLayout.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

std::pair<float, float> XY(const Vantor::Vector2& point) { return {point.x, point.y}; }

using GameFramework::WindowResult;
using Morvane::GUIIntroductionWindow;
using Morvane::IntroductionScript;
using Wait = IntroductionScript::Step::Wait;

class GUIIntroductionWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", comiclayout::Faders());
        WriteLayout("introduction.xml", comiclayout::Layout());
        WriteLayout("broken.xml", "<window name=\"window_broken\" />");
        WriteTexts(comiclayout::Texts());
        MakeGame();
    }
    void TearDown() override {
        frameStep = nullptr;
        comic_.reset();
        ScreenTestBench::TearDown();
    }

    GUIIntroductionWindow& MakeComic() {
        comic_ = std::make_unique<GUIIntroductionWindow>(audio_.get(), data_.get(), tools_.get(), nullptr);
        frameStep = [this] {
            comic_->Update();
            prompt_ = -1.0f;
            const Vantor::GUIWindow& print = *comic_->GetPrintWindow();
            for (int index = 0; index < print.GetPrintCount(); ++index)
                if (print.GetTextPrint(index).text == L"Click to go on") prompt_ = print.GetTextPrint(index).colour.w;
        };
        return *comic_;
    }
    GUIIntroductionWindow& StartComic() {
        GUIIntroductionWindow& comic = MakeComic();
        comic.Open(GameFramework::WindowId::Logos);
        Frame();
        comic.Start();
        return comic;
    }
    const GUITools::GUIControl& Control(const std::string& name) const {
        return *comic_->GetControl("window_introduction/" + name);
    }
    bool Shown(const std::string& name) const { return Control(name).IsTargetShown(); }
    static bool WaitsForPress(int step) {
        for (const IntroductionScript::Step& s : IntroductionScript::Steps())
            if (s.step == step) return s.wait == Wait::ClickWait || s.wait == Wait::ClickPage;
        return false;
    }
    static void Press() {
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    }
    // Frames of 0.1 s, the longest the clock gives, for the long stretches of the story.
    void LongFrame() {
        platform::seam::AdvanceVirtualTime(80000);
        Frame();
    }
    // Long frames, pressing in every frame in which the comic waits for a press, until
    // the step is reached; the steps passed on the way.
    std::vector<int> PlayUntil(int step) {
        std::vector<int> passed;
        for (int frame = 0; frame < 2000 && comic_->GetStep() != step; ++frame) {
            if (WaitsForPress(comic_->GetStep())) Press();
            LongFrame();
            if (passed.empty() || passed.back() != comic_->GetStep()) passed.push_back(comic_->GetStep());
        }
        EXPECT_EQ(step, comic_->GetStep());
        return passed;
    }
    // Frames until the condition holds; the seconds that took.
    template <class Condition>
    float SecondsUntil(Condition condition) {
        int frames = 0;
        for (; frames < 1000 && !condition(); ++frames) Frame();
        EXPECT_TRUE(condition());
        return static_cast<float>(frames) * kFrameSeconds;
    }
    // Frames until the step's timer has reached the seconds.
    void WaitInStep(float seconds) {
        while (comic_->GetTimer() + kFrameSeconds * 0.5f < seconds) Frame();
    }

    std::unique_ptr<GUIIntroductionWindow> comic_;
    // The prompt's alpha in the last frame, -1 when it was not printed.
    float prompt_ = -1.0f;
};

TEST_F(GUIIntroductionWindowTest, OpenShowsTheFirstPageAndWaitsForStart) {
    GUIIntroductionWindow& comic = MakeComic();
    EXPECT_EQ(GUIIntroductionWindow::kPrintOrder, comic.GetPrintWindow()->GetOrder());
    comic.Open(GameFramework::WindowId::Logos);
    for (int frame = 0; frame < 30; ++frame) LongFrame();
    EXPECT_TRUE(comic.IsVisible());
    EXPECT_TRUE(Control("comics_background_0").GetWindow()->IsVisible());
    for (const std::string& name : comiclayout::ComicControls()) {
        if (name != "comics_background_0") {
            EXPECT_FALSE(Control(name).GetWindow()->IsVisible()) << name;
        }
    }
    EXPECT_EQ(0, comic.GetStep());
    EXPECT_EQ(-1.0f, prompt_);

    comic.Start();
    Frame();
    EXPECT_EQ(2, comic.GetStep());
    RunFor(1.0f);
    EXPECT_TRUE(Control("comics_paper").GetWindow()->IsVisible());
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUIIntroductionWindowTest, AWholeRunTakesTheStepsInTheScriptsOrderAndEndsWithFinished) {
    StartComic();
    std::vector<int> results;
    const auto record = frameStep;
    frameStep = [&] {
        record();
        if (comic_->GetResult() != WindowResult::None) results.push_back(comic_->GetStep());
    };
    const std::vector<int> passed = PlayUntil(0);
    const std::vector<int> expected{2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                    17, 18, 20, 21, 22, 19, 23, 24, 25, 26, 27, 28, 29, 0};
    EXPECT_EQ(expected, passed);
    EXPECT_EQ(std::vector<int>{0}, results) << "Finished once, as the script goes idle";
    EXPECT_EQ(std::vector<std::string>(8, "20"), TakePlayedEffects()) << "a sound with every balloon";
    EXPECT_FALSE(Shown("comics_frame_5_0_anim_0")) << "faded out at the end";
    EXPECT_FALSE(Shown("comics_background_0"));
    EXPECT_FALSE(Control("comics_frame_5_1_anim_0").GetWindow()->IsVisible()) << "removed";
    EXPECT_TRUE(comic_->IsVisible()) << "idle on screen until the game closes it";
    for (int frame = 0; frame < 10; ++frame) LongFrame();
    EXPECT_EQ(0, comic_->GetStep());
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUIIntroductionWindowTest, ABalloonTakesAPressOnlyAfterHalfASecondAndActsHalfASecondLater) {
    GUIIntroductionWindow& comic = StartComic();
    PlayUntil(12);
    EXPECT_TRUE(Shown("comics_balloon_160"));
    EXPECT_TRUE(comic.GetBalloonText().IsTargetShown());
    EXPECT_EQ(L"Balloon 0", ShownText(comic.GetBalloonText()));
    EXPECT_EQ(std::pair(209.0f, 401.0f), XY(comic.GetBalloonText().GetPosition()));
    EXPECT_EQ(std::pair(207.0f, 85.0f), XY(comic.GetBalloonText().GetSize()));
    EXPECT_EQ(std::pair(178.0f, 375.0f), XY(comic.GetBalloonMouse().GetPosition()));

    WaitInStep(0.3f);
    Press();
    Frame();
    EXPECT_TRUE(Shown("comics_balloon_160")) << "too early";
    WaitInStep(0.7f);
    Press();
    Frame();
    EXPECT_FALSE(Shown("comics_balloon_160"));
    EXPECT_FALSE(comic.GetBalloonText().IsTargetShown());
    EXPECT_FALSE(comic.GetBalloonMouse().IsTargetShown());
    EXPECT_FALSE(Shown("comics_frame_1_0_anim_1"));
    EXPECT_NEAR(0.5f, SecondsUntil([&] { return comic.GetStep() == 13; }), 0.03f);
    EXPECT_TRUE(Shown("comics_frame_1_0_anim_1"));
    EXPECT_FALSE(Control("comics_frame_1_0_anim_0").GetWindow()->IsVisible());
}

TEST_F(GUIIntroductionWindowTest, AHeldKeyNeverAdvancesABalloon) {
    GUIIntroductionWindow& comic = StartComic();
    PlayUntil(14);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
    RunFor(3.0f);
    EXPECT_EQ(14, comic.GetStep());
    EXPECT_TRUE(Shown("comics_balloon_175_1"));
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    Press();
    RunFor(0.6f);
    EXPECT_EQ(15, comic.GetStep());
}

TEST_F(GUIIntroductionWindowTest, ThePromptPageShowsItsPromptFromOneAndAHalfSecondsAndTurnsAfterAPress) {
    GUIIntroductionWindow& comic = StartComic();
    PlayUntil(7);
    WaitInStep(1.0f);
    Press();
    Frame();
    EXPECT_EQ(-1.0f, prompt_) << "not yet, and the press is not seen";
    WaitInStep(2.0f);
    EXPECT_NEAR(0.5f, prompt_, 0.03f);
    Press();
    Frame();
    Frame();
    EXPECT_NEAR(1.0f, prompt_, 0.03f) << "at full strength from the press";
    RunFor(0.5f);
    EXPECT_NEAR(0.5f, prompt_, 0.03f);
    EXPECT_FALSE(Shown("comics_background_1"));
    // The page turns 1.1 s after the press, of which 0.52 s have passed.
    EXPECT_NEAR(1.1f - 0.52f, SecondsUntil([&] { return comic.GetStep() == 8; }), 0.03f);
    EXPECT_TRUE(Shown("comics_background_1"));
    EXPECT_EQ("fader", Control("comics_background_1").GetFader());
}

TEST_F(GUIIntroductionWindowTest, ThePromptFollowsTheBalloonTextsFade) {
    GUIIntroductionWindow& comic = StartComic();
    PlayUntil(12);
    const GUITools::GUITextControl& text = comic.GetBalloonText();
    // The prompt is printed before the controls' update: it shows the fade of the frame before.
    const auto followingFrame = [&] {
        const float fade = text.GetFadeValue();
        Frame();
        EXPECT_EQ(fade, prompt_);
    };
    for (int frame = 0; frame < 20; ++frame) followingFrame();
    EXPECT_GT(prompt_, 0.2f);
    EXPECT_LT(prompt_, 1.0f) << "fading in";
    WaitInStep(0.6f);
    Press();
    followingFrame();
    ASSERT_FALSE(text.IsTargetShown());
    float last = 2.0f;
    for (int frame = 0; frame < 100 && text.IsShown(); ++frame) {
        followingFrame();
        EXPECT_LE(prompt_, last);
        last = prompt_;
    }
    EXPECT_LT(last, 0.1f) << "faded out with the text";
    Frame();
    EXPECT_EQ(-1.0f, prompt_);
}

TEST_F(GUIIntroductionWindowTest, AHiddenComicsTimerStandsStill) {
    GUIIntroductionWindow& comic = StartComic();
    PlayUntil(3);
    RunFor(1.0f);
    comic.Close();
    RunFor(1.0f);
    ASSERT_FALSE(comic.IsVisible());
    const float timer = comic.GetTimer();
    for (int frame = 0; frame < 30; ++frame) LongFrame();
    EXPECT_EQ(timer, comic.GetTimer());
    EXPECT_EQ(3, comic.GetStep());
}

TEST_F(GUIIntroductionWindowTest, ALayoutThatLacksAControlOfTheScriptStopsTheGameWhenTheComicIsMade) {
    for (const char* missing : {"comics_frame_3_2_anim_1", "comics_balloon_382", "comics_mouse"}) {
        SCOPED_TRACE(missing);
        WriteLayout("introduction.xml", comiclayout::Layout({}, missing));
        tools_ = std::make_unique<GUITools::GUIToolManager>();
        EXPECT_THROW(GUIIntroductionWindow(audio_.get(), data_.get(), tools_.get(), nullptr), Vantor::FatalError);
        const std::vector<std::string> fatals = Fatals();
        ASSERT_FALSE(fatals.empty());
        EXPECT_NE(std::string::npos, fatals.back().find(missing));
    }
}

}  // namespace
