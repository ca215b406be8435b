// The windows over a running day: the restart and leave questions whose yes closes the
// window, pulls the cover over the screen and reports once it is full; the pause and quit
// windows; the continue window that reports the start of the day as it opens; and the
// dimmed day behind them.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/LevelKey.h"
#include "framework/ProfileBase.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUIGameLogicGameExitWindow.h"
#include "game/screens/GUIGameLogicMenuExitWindow.h"
#include "game/screens/GUIGameLogicPauseWindow.h"
#include "game/screens/GUIGameLogicRestartWindow.h"
#include "gui_tools/GUIControl.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

class DayQuestionWindowsTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", R"(<faders><fader name="frame" show_speed="4" hide_speed="4" />
            <fader name="background_game_logic_animated" show_speed="3" hide_speed="3" /></faders>)");
        for (const char* name : {"game_logic_restart", "game_logic_menu_exit", "game_logic_pause",
                                 "game_logic_game_exit"})
            WriteLayout(std::string(name) + ".xml", DialogLayout(name, ""));
        WriteLayout("continue.xml",
                    DialogLayout("continue_game_logic",
                                 R"(<text_label name="level" font="common" position="0 200" size="400 40" text="''" />
                                    <text_label name="score" font="common" position="0 150" size="400 40" text="''" />)" +
                                     ButtonXml("button_2", {150, 120}, {100, 50}, "Go on")));
        MakeGame();
        dialogueart::AddPicture(*data_, "comics/introduction/background", {20, 20, 60});
        MakeProfiles({L"Ann"});
    }

    // The dimmed day over the whole screen, the title and a body with two buttons.
    static std::string DialogLayout(const std::string& name, const std::string& inside) {
        return "<window name=\"window_" + name + R"(" fader="frame">
            <window name="background" position="0 0" size="800 600" fader="background_game_logic_animated" />
            <text_label name="title" font="common" text="'Question'" position="100 520" size="600 60" />
            <window name="window" position="200 150" size="400 300">)" +
               inside + ButtonXml("button_0", {50, 50}, {100, 50}, "No") +
               ButtonXml("button_1", {250, 50}, {100, 50}, "Yes") + "</window></window>";
    }

    template <class Window>
    Window& Make() {
        return MakeWindow<Window>(audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr);
    }
    Morvane::GUIContinueGameLogicWindow& MakeContinue() {
        return MakeWindow<Morvane::GUIContinueGameLogicWindow>(audio_.get(), profiles_.get(), data_.get(),
                                                               tools_.get(), menus_.get(), nullptr);
    }

    // Clicks the button below the window's layout; the result of the frame that reports it.
    template <class Window>
    WindowResult Click(Window& window, const std::string& path) {
        ClickOn(*window.GetButton(window.GetLayoutName() + path));
        Frame();
        return window.GetResult();
    }
    static const GUITools::GUIControl& Background(const Morvane::GUIMenuWindow& window) {
        return *window.GetControl(window.GetLayoutName() + "/background");
    }

    // Opens the question from the in-day menu, clicks yes and follows the cover frame by
    // frame for 1.2 s after the click, checking it as it goes.
    template <class Window>
    void AnswerYes(Window& window, WindowResult expected, bool fadesOut) {
        window.Open(WindowId::GameLogicMenu);
        RunFor(1.0f);
        ASSERT_TRUE(window.IsShown());
        const Vantor::GUIWindow& cover = window.GetCover().GetWindow();
        ASSERT_EQ(Click(window, "/window/button_1"), WindowResult::None) << "not before the cover is full";
        EXPECT_FALSE(window.IsOpen()) << "closed itself at once";
        // Times close to 0.5 s and 1 s are left to the window's own sum of frame times.
        constexpr float kNear = 1e-4f;
        // The alpha is kept in the vertex colours' 8 bits.
        constexpr float kAlphaStep = 1.0f / 255.0f;
        int reports = 0;
        float previousAlpha = 0.0f;
        for (int frame = 1; frame <= 60; ++frame) {
            Frame();
            const float sinceClick = kFrameSeconds * static_cast<float>(frame);
            const bool reported = window.GetResult() == expected;
            if (reported) {
                ++reports;
                EXPECT_GE(sinceClick, 0.5f - kNear);
                EXPECT_LT(sinceClick - kFrameSeconds, 0.5f) << "reported in the first frame at full cover";
                EXPECT_FLOAT_EQ(cover.GetAlpha(), 1.0f);
                // The flow closes the window after the result: nothing happens.
                window.Close();
            } else {
                EXPECT_EQ(window.GetResult(), WindowResult::None);
            }
            if (sinceClick < 0.5f - kNear) {
                EXPECT_TRUE(cover.IsVisible());
                EXPECT_NEAR(cover.GetAlpha(), sinceClick * 2.0f, kAlphaStep);
                EXPECT_GT(cover.GetAlpha(), previousAlpha) << "rising";
            } else if (sinceClick < 1.0f - kNear && reports == 1 && !reported) {
                EXPECT_TRUE(cover.IsVisible()) << sinceClick;
                if (fadesOut) {
                    EXPECT_NEAR(cover.GetAlpha(), 2.0f - sinceClick * 2.0f, kAlphaStep);
                } else {
                    EXPECT_FLOAT_EQ(cover.GetAlpha(), 1.0f) << "kept full";
                }
            } else if (sinceClick > 1.0f + kNear) {
                EXPECT_FALSE(cover.IsVisible()) << sinceClick;
            }
            previousAlpha = cover.GetAlpha();
        }
        EXPECT_EQ(reports, 1);
        EXPECT_FALSE(window.IsOpen());
    }
};

TEST_F(DayQuestionWindowsTest, RestartCoversTheScreenReportsTheStartOfTheDayOnceAndDropsTheCoverAtOneSecond) {
    auto& restart = Make<Morvane::GUIGameLogicRestartWindow>();
    AnswerYes(restart, WindowResult::GoToStart, false);
    // Another day, another restart.
    AnswerYes(restart, WindowResult::GoToStart, false);
}

TEST_F(DayQuestionWindowsTest, LeavingTheDayReportsTheMainMenuAtFullCoverThenFadesTheCoverOut) {
    auto& leave = Make<Morvane::GUIGameLogicMenuExitWindow>();
    AnswerYes(leave, WindowResult::GoToMainMenu, true);
    AnswerYes(leave, WindowResult::GoToMainMenu, true);
}

TEST_F(DayQuestionWindowsTest, NeitherQuestionCoversOrReportsAnythingBeforeItsFirstYes) {
    auto& restart = Make<Morvane::GUIGameLogicRestartWindow>();
    auto& leave = Make<Morvane::GUIGameLogicMenuExitWindow>();
    restart.Open(WindowId::GameLogicMenu);
    frameStep = [&] {
        EXPECT_NE(restart.GetResult(), WindowResult::GoToStart);
        EXPECT_NE(leave.GetResult(), WindowResult::GoToMainMenu);
        EXPECT_FALSE(restart.GetCover().GetWindow().IsVisible());
        EXPECT_FALSE(leave.GetCover().GetWindow().IsVisible());
    };
    RunFor(1.0f);
    EXPECT_EQ(Click(restart, "/window/button_0"), WindowResult::GoToLevelMenu);
    restart.Close();
    RunFor(1.5f);
    leave.Open(WindowId::GameLogicMenu);
    RunFor(1.0f);
    EXPECT_EQ(Click(leave, "/window/button_0"), WindowResult::GoToLevelMenu);
}

TEST_F(DayQuestionWindowsTest, ThePauseWindowOnlyResumesAndTheQuitWindowQuitsOrResumes) {
    auto& pause = Make<Morvane::GUIGameLogicPauseWindow>();
    auto& quit = Make<Morvane::GUIGameLogicGameExitWindow>();
    pause.Open(WindowId::GameLogic);
    RunFor(1.0f);
    EXPECT_EQ(Click(pause, "/window/button_1"), WindowResult::None) << "the pause window's only answer is button_0";
    EXPECT_EQ(Click(pause, "/window/button_0"), WindowResult::ResumeLevel);
    pause.Close();
    RunFor(1.5f);
    quit.Open(WindowId::GameLogic);
    RunFor(1.0f);
    EXPECT_EQ(Click(quit, "/window/button_1"), WindowResult::QuitProgram);
    EXPECT_EQ(Click(quit, "/window/button_0"), WindowResult::ResumeLevel);
}

TEST_F(DayQuestionWindowsTest, TheDimmedDayFadesInFromTheDayAndStaysFullWhileOneWindowOverItHandsOverToTheNext) {
    auto& pause = Make<Morvane::GUIGameLogicPauseWindow>();
    auto& restart = Make<Morvane::GUIGameLogicRestartWindow>();
    pause.Open(WindowId::GameLogic);
    Frames(2);
    const float early = Background(pause).GetFadeValue();
    EXPECT_LT(early, 0.5f);
    RunFor(1.0f);
    EXPECT_FLOAT_EQ(Background(pause).GetFadeValue(), 1.0f);
    // Back to the day: the dimming fades out.
    pause.Close();
    Frames(10);
    EXPECT_LT(Background(pause).GetFadeValue(), 1.0f);
    RunFor(1.5f);

    restart.Open(WindowId::GameLogicMenu);
    frameStep = [&] {
        if (restart.IsShown()) {
            EXPECT_FLOAT_EQ(Background(restart).GetFadeValue(), 1.0f);
        }
    };
    RunFor(1.0f);
    // Back to the in-day menu: the dimming stays full while the question closes.
    EXPECT_EQ(Click(restart, "/window/button_0"), WindowResult::GoToLevelMenu);
    restart.Close();
    frameStep = [&] {
        if (Background(restart).GetWindow()->IsVisible()) {
            EXPECT_FLOAT_EQ(Background(restart).GetFadeValue(), 1.0f);
        }
    };
    RunFor(1.0f);
}

TEST_F(DayQuestionWindowsTest, TheContinueWindowShowsTheLevelFromOneAndReportsTheStartOfTheDayInTheNextPass) {
    GameFramework::ProfileBase& profile = *profiles_->GetCurrentProfile();
    profile.SetCurrentLevel(GameFramework::LevelKey{0, 4});
    profile.AddGameScore(37);
    auto& window = MakeContinue();
    window.Open(WindowId::MainMenu);
    EXPECT_EQ(window.GetResult(), WindowResult::GoToStart) << "without a click";
    // The reset after the pass that opened it keeps the result for the next pass.
    window.ResetResult();
    EXPECT_EQ(window.GetResult(), WindowResult::GoToStart);
    window.ResetResult();
    EXPECT_EQ(window.GetResult(), WindowResult::None);

    RunFor(1.0f);
    EXPECT_EQ(ShownText(*window.GetTextControl("window_continue_game_logic/window/level")), L"1-5");
    EXPECT_EQ(ShownText(*window.GetTextControl("window_continue_game_logic/window/score")), L"37");
    const std::pair<const char*, WindowResult> buttons[] = {{"/window/button_2", WindowResult::ContinueGame},
                                                            {"/window/button_1", WindowResult::GoToStart},
                                                            {"/window/button_0", WindowResult::GoToMainMenu}};
    for (const auto& [path, result] : buttons) EXPECT_EQ(Click(window, path), result) << path;
}

}  // namespace
