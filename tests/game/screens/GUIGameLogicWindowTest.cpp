// The in-day display over a running day, through the framework's frames: the opening
// cover, the keys and buttons that pause or open the menu (and how a tutorial hint and
// another window in front silence them), the money, the full-screen box and the display
// switch the framework carries out at a frame's end, and the statistics lines.

#include "game/screens/GUIGameLogicWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/kernel/Window.h"
#include "game/Finances.h"
#include "game/GameLogic.h"
#include "game/screens/GUICoverWindow.h"
#include "gui_tools/GUITextControl.h"
#include "platform/Clock.h"
#include "platform/WinUser.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/game/screens/DisplayGame.h"

namespace {

using GameFramework::WindowResult;
using displaytest::DisplayGame;

constexpr unsigned kKeyP = 'P';

class GUIGameLogicWindowTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        platform::seam::UseVirtualClock();
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        game_ = std::make_unique<DisplayGame>(home_.folder, home_.root);
        game_->Step();  // the window is shown and focused
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    Morvane::GUIGameLogicWindow& Display() const { return game_->Display(); }
    // The result of the next frame.
    WindowResult NextResult() {
        game_->Step();
        return Display().GetResult();
    }
    // A click on the element, the keys pressed in the frame that reports the click, and
    // that frame's result.
    WindowResult ClickWithKeys(const Vantor::GUIWindow& element, const std::vector<unsigned>& keys) {
        DisplayGame::Click(element);
        game_->Step();
        for (unsigned key : keys) DisplayGame::PressKey(key);
        return NextResult();
    }
    // The frame in which the framework answers the last result, putting a window in
    // front of the display; the display made active again.
    void Answered() {
        game_->Step();
        EXPECT_FALSE(Display().IsActive());
        Display().SetActive(true);
    }
    static std::vector<Vantor::GUIWindow*>& ExclusiveInput() {
        return Vantor::GUIManager::Instance()->GetExclusiveInputList();
    }
    static std::wstring ShownMoney(const GUITools::GUITextControl& text) {
        std::wstring shown;
        for (const std::wstring& line : text.lines.lines) shown += line;
        return shown;
    }
    std::string ReadIni() const { return home_.folder.ReadFile("user/Test Maker/Test Game/Test Game.ini"); }

    std::unique_ptr<DisplayGame> game_;
};

TEST_F(GUIGameLogicWindowTest, OpeningFadesTheCoverInAndOutOverOneSecondAndNeverBefore) {
    const Vantor::GUIWindow& cover = Display().GetCover().GetWindow();
    game_->Steps(10);
    EXPECT_FALSE(cover.IsVisible()) << "made with its time far past the fade";
    game_->StartDay();
    float time = 0.0f;
    for (int frame = 0; frame < 30; ++frame) {
        game_->Step();
        time += Vantor::TimerManager::Instance()->GetFrameTime();
        if (time < 1.0f) {
            const float alpha = time < 0.5f ? 2.0f * time : 2.0f * (1.0f - time);
            ASSERT_TRUE(cover.IsVisible()) << time;
            EXPECT_NEAR(cover.GetAlpha(), alpha, 0.01f) << time;
        } else {
            EXPECT_FALSE(cover.IsVisible()) << time;
        }
    }
}

TEST_F(GUIGameLogicWindowTest, SpaceAndPPauseAndEscapeOpensTheMenu) {
    game_->StartDay();
    game_->Step();
    const struct {
        unsigned key;
        WindowResult result;
    } cases[] = {{VK_SPACE, WindowResult::Pause}, {kKeyP, WindowResult::Pause}, {VK_ESCAPE, WindowResult::GoToLevelMenu}};
    for (const auto& [key, result] : cases) {
        DisplayGame::PressKey(key);
        EXPECT_EQ(NextResult(), result) << key;
        Answered();
    }
}

TEST_F(GUIGameLogicWindowTest, ALaterResultOfTheSameFrameWins) {
    game_->StartDay();
    game_->Step();
    EXPECT_EQ(ClickWithKeys(Display().GetCloseButton(), {}), WindowResult::GoToExit);
    Answered();
    EXPECT_EQ(ClickWithKeys(Display().GetCloseButton(), {kKeyP}), WindowResult::Pause);
    Answered();
    EXPECT_EQ(ClickWithKeys(Display().GetCloseButton(), {kKeyP, VK_ESCAPE}), WindowResult::GoToLevelMenu);
    Answered();
    EXPECT_EQ(ClickWithKeys(Display().GetMenuButton(), {}), WindowResult::GoToLevelMenu);
}

TEST_F(GUIGameLogicWindowTest, WhileAHintHoldsTheInputKeysDoNothingAndOnlyAHighlightedMenuButtonClicks) {
    game_->StartDay();
    game_->Step();
    // The tutorial's hold without highlighted elements: nothing of the display reacts.
    ExclusiveInput().push_back(nullptr);
    for (unsigned key : {VK_SPACE, kKeyP, VK_ESCAPE}) {
        DisplayGame::PressKey(key);
        EXPECT_EQ(NextResult(), WindowResult::None) << key;
    }
    EXPECT_EQ(ClickWithKeys(Display().GetMenuButton(), {}), WindowResult::None);
    EXPECT_EQ(ClickWithKeys(Display().GetCloseButton(), {}), WindowResult::None);
    // A hint that highlights the menu button: the click reaches it, Escape still does not.
    ExclusiveInput().push_back(&Display().GetMenuButton());
    DisplayGame::PressKey(VK_ESCAPE);
    EXPECT_EQ(NextResult(), WindowResult::None);
    EXPECT_EQ(ClickWithKeys(Display().GetMenuButton(), {VK_SPACE}), WindowResult::GoToLevelMenu);
    ExclusiveInput().clear();
}

TEST_F(GUIGameLogicWindowTest, WhileInactiveNothingIsReportedButTheMoneyGoesOnAndMinimisingStillWorks) {
    Morvane::GameLogic& day = game_->StartDay();
    game_->Step();
    Display().SetActive(false);
    EXPECT_EQ(Display().GetMenuButton().state, Vantor::GUIButton::kDisabled);
    EXPECT_EQ(Display().GetCloseButton().state, Vantor::GUIButton::kDisabled);
    for (unsigned key : {VK_SPACE, kKeyP, VK_ESCAPE}) {
        DisplayGame::PressKey(key);
        EXPECT_EQ(NextResult(), WindowResult::None) << key;
    }
    EXPECT_EQ(ClickWithKeys(Display().GetMenuButton(), {}), WindowResult::None);
    EXPECT_EQ(ClickWithKeys(Display().GetCloseButton(), {}), WindowResult::None);

    day.GetFinances()->income = 1234;
    game_->Steps(2);
    EXPECT_EQ(ShownMoney(Display().GetMoneyText()), L"1234");

    ClickWithKeys(Display().GetMinimizeButton(), {});
    EXPECT_TRUE(Vantor::Window::Instance()->IsMinimized());
}

TEST_F(GUIGameLogicWindowTest, TheMoneyIsTheDaysIncomeEveryFrame) {
    Morvane::GameLogic& day = game_->StartDay();
    // The text takes the figure in one frame's update and is laid out in the next's.
    game_->Steps(2);
    EXPECT_EQ(ShownMoney(Display().GetMoneyText()), L"0");
    for (std::uint32_t income : {15u, 40u, 1005u}) {
        day.GetFinances()->income = income;
        game_->Steps(2);
        EXPECT_EQ(ShownMoney(Display().GetMoneyText()), std::to_wstring(income));
    }
}

TEST_F(GUIGameLogicWindowTest, TheBoxWritesTheSettingAtOnceAndTheFrameworkSwitchesTheDisplayAtAFramesEnd) {
    game_->StartDay();
    game_->Step();
    // Another window in front leaves the box at hand.
    Display().SetActive(false);
    Vantor::Config& config = *Vantor::Config::Instance();
    const Vantor::Window& window = *Vantor::Window::Instance();
    Vantor::GUICheckBox& box = Display().GetFullscreenBox();
    ASSERT_FALSE(window.IsFullScreen());
    ASSERT_FALSE(box.checked);

    ClickWithKeys(box, {});
    EXPECT_TRUE(config.values.fullscreen);
    EXPECT_NE(ReadIni().find("v_fullscreen 1"), std::string::npos) << "saved in the same frame";
    EXPECT_TRUE(Display().IsFullscreen());
    EXPECT_FALSE(window.IsFullScreen()) << "switched at a later frame's end";
    int frames = 0;
    while (!window.IsFullScreen() && frames < 10) {
        EXPECT_TRUE(box.checked) << "the mode the configuration holds, frame " << frames;
        game_->Step();
        ++frames;
    }
    EXPECT_TRUE(window.IsFullScreen());
    EXPECT_TRUE(box.checked);

    // Switched back elsewhere (the mode key): the box follows while the switch is pending.
    Vantor::Window::Instance()->RequestModeChange();
    game_->Step();
    EXPECT_FALSE(config.values.fullscreen);
    EXPECT_FALSE(box.checked);
    EXPECT_FALSE(Display().IsFullscreen());
    for (frames = 0; window.IsFullScreen() && frames < 10; ++frames) game_->Step();
    EXPECT_FALSE(window.IsFullScreen());
    EXPECT_FALSE(box.checked);
}

TEST_F(GUIGameLogicWindowTest, StatisticsArePrintedOnlyWhileSwitchedOnWithTheDaysTimeToOneDecimal) {
    Morvane::GameLogic& day = game_->StartDay();
    game_->Steps(5);
    const Vantor::GUIWindow& statistics = Display().GetStatisticsWindow();
    Vantor::Config& config = *Vantor::Config::Instance();
    // The prints go at the frame's end: the test looks at one more update's.
    Display().Update();
    EXPECT_EQ(statistics.GetPrintCount(), 0);

    config.SetValueText(Morvane::GUIGameLogicWindow::kStatisticsVariable, "1");
    game_->Step();
    Display().Update();
    ASSERT_EQ(statistics.GetPrintCount(), 4);
    const char* starts[] = {"FPS: ", "Model count: ", "Triangle count: ", "Time: "};
    for (int line = 0; line < 4; ++line) {
        const Vantor::TextPrint& print = statistics.GetTextPrint(line);
        EXPECT_EQ(print.text.rfind(Vantor::ToWide(starts[line]), 0), 0u) << line;
        EXPECT_EQ(print.position.x, 8.0f);
        EXPECT_EQ(print.position.y, 512.0f - 15.0f * static_cast<float>(line));
    }
    const std::wstring time = statistics.GetTextPrint(3).text.substr(6);
    EXPECT_EQ(time, Vantor::ToWide(Vantor::ToString(day.GetTime(), 1)));
    EXPECT_EQ(time.size() - time.find(L'.'), 2u) << "one decimal";

    config.SetValueText(Morvane::GUIGameLogicWindow::kStatisticsVariable, "0");
    game_->Step();
    Display().Update();
    EXPECT_EQ(statistics.GetPrintCount(), 0);
}

}  // namespace
