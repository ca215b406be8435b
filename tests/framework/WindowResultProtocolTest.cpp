// The window-result protocol walked through the test game: the fixed orders of dispatch,
// reset and update, results answered one pass or one frame later, chains across the
// three passes of a frame, and nothing but the logos and loading windows before the
// windows are made.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/kernel/Engine.h"
#include "framework/GUIFrameworkWindow.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelState.h"
#include "framework/ProfileManagerBase.h"
#include "platform/DirectInput.h"
#include "platform/FailureInjection.h"
#include "tests/framework/TestGameFixture.h"

namespace {

using frameworktest::TestGame;
using GameFramework::GUIFrameworkWindow;
using GameFramework::LevelState;
using GameFramework::WindowId;
using GameFramework::WindowResult;

class WindowResultProtocolTest : public frameworktest::TestGameFixture {
protected:
    // A level logic of the first level, owned by the game.
    GameFramework::GameLogicBase& StartLevel(TestGame& game) {
        const GameFramework::LevelKey first{};
        GameFramework::GameLogicBase* logic = game.CreateGameLogic(game.GetLevelManager()->GetStage(0),
                                                                   game.GetLevelManager()->GetLevel(first), 0);
        game.SetGameLogic(logic);
        return *logic;
    }

    // Records the result the window's handler sees at each call.
    void Watch(TestGame& game, const std::string& name) {
        game.handlerActions[name] = [this, &game, name] {
            journal_.push_back("saw " + std::to_string(static_cast<int>(game.FindWindow(name)->GetResult())));
        };
    }
};

const std::vector<std::string> kWindowHandlersBeforeLevel{
    "logos", "game_loading", "welcome", "exit", "main_menu", "profiles", "level_loading", "new_profile",
    "rename_profile", "delete_profile", "name_conflict", "start", "continue", "high_scores", "options", "help",
    "level_display", "pause", "level_menu", "leave_level", "restart", "quit_from_level"};
const std::vector<std::string> kWindowHandlersAfterLevel{"level_complete", "stage_complete", "game_complete",
                                                          "game_over"};

TEST_F(WindowResultProtocolTest, DispatchCallsEveryHandlerInItsOrderWithTheLevelsEndBetween) {
    struct Case {
        LevelState state;
        const char* levelHandler;  // null: none
    };
    for (const Case& c : {Case{LevelState::Won, "level_won"}, Case{LevelState::Lost, "level_lost"},
                          Case{LevelState::Running, nullptr}}) {
        TestGame& game = MakeGameWithWindows();
        StartLevel(game).SetState(c.state);
        game.DispatchWindowResults();
        std::vector<std::string> expected = kWindowHandlersBeforeLevel;
        if (c.levelHandler) expected.push_back(c.levelHandler);
        expected.insert(expected.end(), kWindowHandlersAfterLevel.begin(), kWindowHandlersAfterLevel.end());
        EXPECT_EQ(expected, Entries("handle ")) << static_cast<int>(c.state);
        game_.reset();
        journal_.clear();
    }
}

TEST_F(WindowResultProtocolTest, TheLevelsEndIsDispatchedOnlyInThePassAfterItChanged) {
    TestGame& game = MakeGameWithWindows();
    GameFramework::ProfileManagerBase* profiles = game.GetProfileManager();
    profiles->SelectProfile(profiles->CreateProfileIfMissing(L"Ann"), true);
    GameFramework::GameLogicBase& logic = StartLevel(game);
    logic.SetState(LevelState::Won);
    EXPECT_TRUE(logic.IsChanged());
    game.RunFrame();
    const std::vector<std::string> handled = Entries("handle ");
    EXPECT_EQ(1, std::count(handled.begin(), handled.end(), "level_won"));
    EXPECT_FALSE(logic.IsChanged()) << "cleared by the first reset";
}

TEST_F(WindowResultProtocolTest, UpdatesFollowTheirOrderWithTheTutorialFirst) {
    TestGame& game = MakeGameWithWindows();
    game.UpdateWindows();
    const std::vector<std::string> expected{
        "logos", "game_loading", "welcome", "exit", "main_menu", "profiles", "new_profile", "rename_profile",
        "delete_profile", "name_conflict", "level_loading", "start", "continue", "high_scores", "options", "help",
        "level_display", "pause", "level_menu", "leave_level", "restart", "quit_from_level", "level_complete",
        "stage_complete", "game_complete", "game_over"};
    EXPECT_EQ(expected, Entries("update "));
}

TEST_F(WindowResultProtocolTest, BeforeTheWindowsExistOnlyLogosAndGameLoadingAreTouched) {
    TestGame& game = MakeGame();
    journal_.clear();
    game.RunFrame();
    EXPECT_EQ((std::vector<std::string>{"logos", "game_loading", "logos", "game_loading", "logos", "game_loading"}),
              Entries("handle "));
    EXPECT_EQ((std::vector<std::string>{"logos", "game_loading"}), Entries("update "));
}

TEST_F(WindowResultProtocolTest, AResultReportedWhileUpdatingIsAnsweredInTheNextFramesFirstPassOnly) {
    TestGame& game = MakeGame();
    Watch(game, "logos");
    game.FindLooks("logos")->script.onUpdate = WindowResult::Finished;
    game.RunFrame();
    EXPECT_EQ(WindowResult::Finished, game.FindWindow("logos")->GetResult());
    journal_.clear();
    game.DispatchWindowResults();
    game.ResetWindowResults();
    EXPECT_EQ(WindowResult::None, game.FindWindow("logos")->GetResult())
        << "a result no handler took is gone after the first reset";
    game.DispatchWindowResults();
    EXPECT_EQ((std::vector<std::string>{"1", "0"}), Entries("saw "));
}

TEST_F(WindowResultProtocolTest, AResultReportedWhileOpeningIsAnsweredInTheNextPass) {
    TestGame& game = MakeGameWithWindows();
    // The main menu's handler comes before the options window's in a pass.
    game.FindLooks("options")->script.onUpdate = WindowResult::GoToMainMenu;
    game.FindLooks("main_menu")->script.onOpen = WindowResult::GoToHelp;
    Watch(game, "main_menu");
    game.UpdateWindows();
    journal_.clear();
    game.DispatchWindowResults();
    game.ResetWindowResults();
    EXPECT_EQ(WindowResult::GoToHelp, game.FindWindow("main_menu")->GetResult()) << "kept by the reset";
    game.DispatchWindowResults();
    game.ResetWindowResults();
    EXPECT_EQ((std::vector<std::string>{"0", "12"}), Entries("saw "));
    EXPECT_EQ(WindowResult::None, game.FindWindow("main_menu")->GetResult()) << "cleared by the second reset";
}

TEST_F(WindowResultProtocolTest, AChainOfOpeningReportsIsAnsweredAcrossTheThreePasses) {
    // Each window opened comes earlier in the dispatch order than the one opening it.
    TestGame& game = MakeGameWithWindows();
    game.FindWindow("name_conflict")->Open(WindowId::NewProfile);
    game.FindLooks("name_conflict")->script.onUpdate = WindowResult::GoToNewProfile;
    game.FindLooks("new_profile")->script.onOpen = WindowResult::GoToExit;
    game.FindLooks("exit")->script.onOpen = WindowResult::GoToWelcome;
    game.FindLooks("welcome")->script.onOpen = WindowResult::GoToMainMenu;
    game.UpdateWindows();
    journal_.clear();
    game.RunFrame();
    EXPECT_EQ((std::vector<std::string>{"new_profile from 14", "exit from 11", "welcome from 5"}), Entries("open "));
    for (const char* name : {"name_conflict", "new_profile", "exit"}) EXPECT_FALSE(game.FindLooks(name)->IsVisible());
    EXPECT_TRUE(game.FindLooks("welcome")->IsVisible());
    EXPECT_EQ(WindowResult::None, game.FindWindow("welcome")->GetResult())
        << "opened in the third pass: its own update of the frame cleared the result";
}

TEST_F(WindowResultProtocolTest, AnInjectedKeyMakesAWindowReport) {
    TestGame& game = MakeGame();
    game.FindLooks("logos")->script.onKey["SPACE"] = WindowResult::Finished;
    game.GetEngine()->BeginFrame();
    game.RunFrame();
    EXPECT_EQ(WindowResult::None, game.FindWindow("logos")->GetResult());
    game.GetEngine()->EndFrame();
    platform::seam::InjectScanCodeDown(DIK_SPACE);
    platform::seam::AdvanceVirtualTime(20000);
    game.GetEngine()->BeginFrame();
    game.RunFrame();
    EXPECT_EQ(WindowResult::Finished, game.FindWindow("logos")->GetResult());
    game.GetEngine()->EndFrame();
}

}  // namespace
