// The screen flow's routing: for every window and every result it knows, which window
// closes, which opens from which window with which arguments, and what changes in the
// level, the level data, the profile, the high scores and the exit command; results a
// handler does not know change nothing.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/GUIGameCursorBase.h"
#include "framework/HighScoreEntry.h"
#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUINewProfileWindowBase.h"
#include "framework/windows/GUIProfilesWindowBase.h"
#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "tests/framework/ScreenFlowFixture.h"

namespace {

using frameworktest::FlowState;
using frameworktest::TestGame;
using GameFramework::LevelKey;
using GameFramework::LevelState;
using GameFramework::WindowId;
using GameFramework::WindowResult;
using R = GameFramework::WindowResult;

// What a step changes besides the windows shown.
enum Change : unsigned {
    kNothing = 0,
    kEndsLevel = 1,       // the level logic is gone
    kMakesLevel = 2,      // a new level logic runs
    kPausesLevel = 4,     // paused, the level display inactive
    kResumesLevel = 8,    // running, the level display active
    kMakesLevelData = 16,
    kNewGame = 32,        // progress and game score of a new game, in memory
    kEndsGame = 64,       // the game-in-progress flag cleared and saved
    kHighScore = 128,     // one entry more
    kExits = 256,
};

// Where the row starts: no level, a running level under its display, or a level paused
// under a window opened over the display.
enum class Level { None, Running, Paused };

struct Route {
    const char* window;
    WindowResult result;
    const char* opens;  // null: none
    WindowId source;
    unsigned changes = kNothing;
    Level level = Level::None;
    bool closes = true;
    bool gameInProgress = true;
    // The arguments the opened window got.
    std::function<void(const TestGame&)> arguments = nullptr;
};

template <class Window>
const Window& As(const TestGame& game, const char* name) {
    return *dynamic_cast<const Window*>(game.FindWindow(name));
}

const std::vector<Route>& Routes() {
    static const std::vector<Route> routes{
        {"welcome", R::GoToMainMenu, "main_menu", WindowId::Welcome},
        {"welcome", R::GoToExit, "exit", WindowId::Welcome},
        {"exit", R::GoToWelcome, "welcome", WindowId::Exit},
        {"exit", R::GoToMainMenu, "main_menu", WindowId::Exit},
        {"exit", R::GoToNewProfile, "new_profile", WindowId::Exit, kNothing, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_FALSE(As<GameFramework::GUINewProfileWindowBase>(game, "new_profile").IsClearRequested());
         }},
        {"exit", R::QuitProgram, nullptr, WindowId{0}, kExits, Level::None, false},
        {"main_menu", R::GoToExit, "exit", WindowId::MainMenu},
        {"main_menu", R::GoToProfiles, "profiles", WindowId::MainMenu},
        {"main_menu", R::GoToHighScores, "high_scores", WindowId::MainMenu, kNothing, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_EQ(nullptr, As<GameFramework::GUIHighScoresWindowBase>(game, "high_scores").GetEntryToShow());
         }},
        {"main_menu", R::GoToOptions, "options", WindowId::MainMenu},
        {"main_menu", R::GoToHelp, "help", WindowId::MainMenu},
        {"main_menu", R::Play, "continue", WindowId::MainMenu},
        {"main_menu", R::Play, "start", WindowId::MainMenu, kNewGame, Level::None, true, false},
        {"profiles", R::GoToMainMenu, "main_menu", WindowId::Profiles},
        {"profiles", R::GoToNewProfile, "new_profile", WindowId::Profiles, kNothing, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_TRUE(As<GameFramework::GUINewProfileWindowBase>(game, "new_profile").IsClearRequested());
         }},
        {"profiles", R::GoToRenameProfile, "rename_profile", WindowId::Profiles, kNothing, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_EQ(L"Bob", As<GameFramework::GUIRenameProfileWindowBase>(game, "rename_profile").GetProfileName());
         }},
        {"profiles", R::GoToDeleteProfile, "delete_profile", WindowId::Profiles, kNothing, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_EQ(L"Bob", As<GameFramework::GUIDeleteProfileWindowBase>(game, "delete_profile").GetProfileName());
         }},
        {"level_loading", R::Finished, "level_display", WindowId::GameLogicLoading, kMakesLevel, Level::None, true,
         true,
         [](const TestGame& game) {
             EXPECT_EQ(game.GetGameLogic(),
                       As<GameFramework::GUIGameLogicWindowBase>(game, "level_display").GetGameLogic());
             EXPECT_EQ((LevelKey{0, 1}), game.GetGameLogic()->GetLevelEntry()->key);
             EXPECT_EQ(4, game.GetGameLogic()->GetProgress()) << "the profile's";
             EXPECT_TRUE(game.GetCursor()->IsShown());
         }},
        {"new_profile", R::NameAlreadyUsed, "name_conflict", WindowId::NewProfile},
        {"new_profile", R::GoToProfiles, "profiles", WindowId::NewProfile},
        {"new_profile", R::GoToExit, "exit", WindowId::NewProfile},
        {"rename_profile", R::NameAlreadyUsed, "name_conflict", WindowId::RenameProfile},
        {"rename_profile", R::GoToProfiles, "profiles", WindowId::RenameProfile},
        {"delete_profile", R::GoToProfiles, "profiles", WindowId::DeleteProfile},
        {"delete_profile", R::GoToNewProfile, "new_profile", WindowId::DeleteProfile, kNothing, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_TRUE(As<GameFramework::GUINewProfileWindowBase>(game, "new_profile").IsClearRequested());
         }},
        {"name_conflict", R::GoToNewProfile, "new_profile", WindowId::ProfileNameConflict, kNothing, Level::None, true,
         true,
         [](const TestGame& game) {
             EXPECT_FALSE(As<GameFramework::GUINewProfileWindowBase>(game, "new_profile").IsClearRequested());
         }},
        {"name_conflict", R::GoToRenameProfile, "rename_profile", WindowId::ProfileNameConflict, kNothing,
         Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_EQ(L"Cid", As<GameFramework::GUIRenameProfileWindowBase>(game, "rename_profile").GetProfileName())
                 << "the name of the last opening stays";
         }},
        {"start", R::GoToMainMenu, "main_menu", WindowId::StartGameLogic},
        {"start", R::Play, "level_loading", WindowId::StartGameLogic, kMakesLevelData, Level::None, true, true,
         [](const TestGame& game) {
             EXPECT_EQ(game.GetLevelData(), As<GameFramework::GUILoadingWindowBase>(game, "level_loading").GetDataKeeper());
         }},
        {"continue", R::ContinueGame, "start", WindowId::ContinueGameLogic},
        {"continue", R::GoToStart, "start", WindowId::ContinueGameLogic, kNewGame | kEndsGame},
        {"continue", R::GoToStart, "start", WindowId::ContinueGameLogic, kNewGame, Level::None, true, false},
        {"continue", R::GoToMainMenu, "main_menu", WindowId::ContinueGameLogic},
        {"high_scores", R::GoToMainMenu, "main_menu", WindowId::HighScores},
        {"options", R::GoToMainMenu, "main_menu", WindowId::Options},
        {"help", R::GoToMainMenu, "main_menu", WindowId::Help},
        {"level_display", R::GoToLevelMenu, "level_menu", WindowId::GameLogic, kPausesLevel, Level::Running, false},
        {"level_display", R::Pause, "pause", WindowId::GameLogic, kPausesLevel, Level::Running, false},
        {"level_display", R::GoToExit, "quit_from_level", WindowId::GameLogic, kPausesLevel, Level::Running, false},
        {"pause", R::ResumeLevel, nullptr, WindowId{0}, kResumesLevel, Level::Paused},
        {"level_menu", R::ResumeLevel, nullptr, WindowId{0}, kResumesLevel, Level::Paused},
        {"level_menu", R::GoToLeaveLevel, "leave_level", WindowId::GameLogicMenu, kNothing, Level::Paused},
        {"level_menu", R::GoToRestart, "restart", WindowId::GameLogicMenu, kNothing, Level::Paused},
        {"leave_level", R::GoToLevelMenu, "level_menu", WindowId::GameLogicMenuExit, kNothing, Level::Paused},
        {"leave_level", R::GoToMainMenu, "main_menu", WindowId::GameLogicMenuExit, kEndsLevel, Level::Paused},
        {"leave_level", R::GoToStart, "start", WindowId::GameLogicMenuExit, kEndsLevel, Level::Paused},
        {"restart", R::GoToLevelMenu, "level_menu", WindowId::GameLogicRestart, kNothing, Level::Paused},
        {"restart", R::GoToGameOver, "game_over", WindowId::GameLogicRestart, kNothing, Level::Paused},
        {"restart", R::GoToStart, "start", WindowId::GameLogicRestart, kEndsLevel, Level::Paused},
        {"quit_from_level", R::ResumeLevel, nullptr, WindowId{0}, kResumesLevel, Level::Paused},
        {"quit_from_level", R::QuitProgram, nullptr, WindowId{0}, kExits, Level::Paused, false},
        {"level_complete", R::GoToStart, "start", WindowId::LevelComplete, kEndsLevel, Level::Paused},
        {"level_complete", R::GoToStageComplete, "stage_complete", WindowId::LevelComplete, kNothing, Level::Paused,
         true, true,
         [](const TestGame& game) {
             EXPECT_EQ((LevelKey{0, 1}), As<GameFramework::GUIStageCompleteWindowBase>(game, "stage_complete").GetLevel());
         }},
        {"stage_complete", R::GoToStart, "start", WindowId::StageComplete, kEndsLevel, Level::Paused},
        {"stage_complete", R::GoToGameComplete, "game_complete", WindowId::StageComplete, kEndsLevel, Level::Paused},
        {"game_complete", R::Finished, "high_scores", WindowId::GameComplete, kHighScore, Level::None, true, true,
         [](const TestGame& game) {
             const GameFramework::HighScoreEntry* entry =
                 As<GameFramework::GUIHighScoresWindowBase>(game, "high_scores").GetEntryToShow();
             ASSERT_NE(nullptr, entry);
             EXPECT_EQ(L"Ann", entry->name);
             EXPECT_EQ(7, entry->score);
         }},
        {"game_over", R::Finished, "high_scores", WindowId::GameOver, kHighScore | kEndsLevel, Level::Paused, true,
         true,
         [](const TestGame& game) {
             const GameFramework::HighScoreEntry* entry =
                 As<GameFramework::GUIHighScoresWindowBase>(game, "high_scores").GetEntryToShow();
             ASSERT_NE(nullptr, entry);
             EXPECT_EQ(7 + 250, entry->score) << "the game's score and the level's, not wrapped";
         }},
        {"game_over", R::GoToRestart, "restart", WindowId::GameOver, kNothing, Level::Paused},
    };
    return routes;
}

class ScreenFlowTest : public frameworktest::ScreenFlowFixture {
protected:
    // The row's start: Ann at level (0, 1) with progress 4 and a game score of 7, the
    // row's window open (from the main menu) and the row's level.
    void Arrange(const Route& route) {
        MakeFlowGame();
        GameFramework::ProfileManagerBase* profiles = game_->GetProfileManager();
        profiles->CreateProfileIfMissing(L"Bob");
        profiles->SelectProfile(profiles->FindProfile(kPlayer), true);
        frameworktest::TestProfile& ann = Profile();
        ann.SetCurrentLevel(LevelKey{0, 1});
        ann.ResetGameProgress();
        ann.SetProgress(4);
        ann.AddGameScore(7);
        ann.SetGameInProgress(route.gameInProgress);
        ann.Save();
        dynamic_cast<GameFramework::GUIProfilesWindowBase&>(*game_->FindWindow("profiles")).SetProfileName(L"Bob");
        dynamic_cast<GameFramework::GUIRenameProfileWindowBase&>(*game_->FindWindow("rename_profile"))
            .OpenWith(WindowId::Profiles, true, L"Cid");
        game_->FindWindow("rename_profile")->Close();
        if (route.level != Level::None) {
            StartLevel(LevelKey{0, 1}).SetScore(250);
            if (route.level == Level::Paused) {
                game_->GetGameLogic()->Pause(true);
                dynamic_cast<GameFramework::GUIGameLogicWindowBase&>(*game_->FindWindow("level_display")).SetActive(false);
            }
        }
        if (std::string(route.window) != "level_display") game_->FindWindow(route.window)->Open(WindowId::MainMenu);
        game_->RunFrame();
        journal_.clear();
    }

    // One dispatch pass and its reset.
    void Dispatch() {
        game_->DispatchWindowResults();
        game_->ResetWindowResults();
    }
};

std::string Describe(const Route& route) {
    return std::string(route.window) + " reporting " + std::to_string(static_cast<int>(route.result));
}

TEST_F(ScreenFlowTest, EveryRouteClosesOpensAndChangesWhatItsRowSays) {
    for (const Route& route : Routes()) {
        SCOPED_TRACE(Describe(route));
        Arrange(route);
        const FlowState before = Take();
        game_->FindWindow(route.window)->Report(route.result);
        Dispatch();
        const FlowState after = Take();

        std::set<std::string> shown = before.shown;
        if (route.closes) shown.erase(route.window);
        if (route.opens) shown.insert(route.opens);
        if (route.changes & kEndsLevel) shown.erase("level_display");
        if (route.changes & kMakesLevel) shown.insert("level_display");
        EXPECT_EQ(shown, after.shown);
        const std::vector<std::string> opened = Entries("open ");
        if (route.opens) {
            EXPECT_EQ((std::vector<std::string>{std::string(route.opens) + " from " +
                                                 std::to_string(static_cast<int>(route.source))}),
                      opened);
            if (route.arguments) route.arguments(*game_);
        } else {
            EXPECT_TRUE(opened.empty());
        }

        if (route.changes & kEndsLevel) {
            EXPECT_EQ(nullptr, after.logic);
        } else if (route.changes & kMakesLevel) {
            EXPECT_NE(nullptr, after.logic);
        } else {
            EXPECT_EQ(before.logic, after.logic);
            if (after.logic) {
                const bool pauses = route.changes & kPausesLevel, resumes = route.changes & kResumesLevel;
                EXPECT_EQ(pauses ? LevelState::Paused : resumes ? LevelState::Running : before.levelState,
                          after.levelState);
                EXPECT_EQ(pauses ? false : resumes ? true : before.displayActive, after.displayActive);
            }
        }
        if (route.changes & kMakesLevelData) {
            EXPECT_NE(nullptr, after.levelData);
            EXPECT_NE(before.levelData, after.levelData);
        } else {
            EXPECT_EQ(before.levelData, after.levelData);
        }
        EXPECT_EQ(before.previousLevelData, after.previousLevelData);

        const bool newGame = route.changes & kNewGame;
        EXPECT_EQ(newGame ? 0 : before.gameScore, after.gameScore);
        EXPECT_EQ(newGame ? GameFramework::ProfileBase::kStartProgress : before.progress, after.progress);
        EXPECT_EQ((route.changes & kEndsGame) ? false : before.gameInProgress, after.gameInProgress);
        EXPECT_EQ(before.profileWrites + ((route.changes & kEndsGame) ? 1 : 0), after.profileWrites)
            << "the profile is written only when the game in progress ends";
        EXPECT_EQ(before.currentLevel, after.currentLevel);
        EXPECT_EQ(before.highScores + ((route.changes & kHighScore) ? 1 : 0), after.highScores);
        EXPECT_EQ(bool(route.changes & kExits), after.exit);
        game_.reset();
        journal_.clear();
    }
}

TEST_F(ScreenFlowTest, ResultsAHandlerDoesNotKnowChangeNothing) {
    std::set<std::string> windows;
    for (const Route& route : Routes()) windows.insert(route.window);
    for (const std::string& window : windows) {
        std::set<WindowResult> known;
        Route start{};
        for (const Route& route : Routes()) {
            if (route.window != window) continue;
            known.insert(route.result);
            start = route;
        }
        Arrange(start);
        for (int value = 0; value <= 32; ++value) {
            const WindowResult result = static_cast<WindowResult>(value);
            if (known.count(result)) continue;
            SCOPED_TRACE(window + " reporting " + std::to_string(value));
            const FlowState before = Take();
            game_->FindWindow(window)->Report(result);
            Dispatch();
            const FlowState after = Take();
            EXPECT_EQ(before.shown, after.shown);
            EXPECT_TRUE(Entries("open ").empty());
            EXPECT_EQ(before.logic, after.logic);
            EXPECT_EQ(before.levelState, after.levelState);
            EXPECT_EQ(before.levelData, after.levelData);
            EXPECT_EQ(before.profileWrites, after.profileWrites);
            EXPECT_EQ(before.gameScore, after.gameScore);
            EXPECT_EQ(before.highScores, after.highScores);
            EXPECT_FALSE(after.exit);
        }
        game_.reset();
        journal_.clear();
    }
}

TEST_F(ScreenFlowTest, LogosAndGameLoadingLeadToTheWelcomeWindowOrTheMainMenu) {
    for (const bool withProfile : {false, true}) {
        SCOPED_TRACE(withProfile ? "a profile on disk" : "no profile yet");
        TestGame& game = MakeGame();
        if (withProfile) game.GetProfileManager()->CreateProfileIfMissing(L"Ann");
        journal_.clear();
        Report("logos", R::Finished);
        EXPECT_FALSE(game.FindLooks("logos")->IsOpen());
        EXPECT_EQ(game.GetGameData(), As<GameFramework::GUILoadingWindowBase>(game, "game_loading").GetDataKeeper());
        EXPECT_EQ(nullptr, game.FindWindow("main_menu")) << "the windows come when loading has finished";
        EXPECT_FALSE(game.GetCursor()->IsShown());
        for (int frame = 0; frame < 200 && !game.FindWindow("main_menu"); ++frame) game.RunFrame();
        ASSERT_NE(nullptr, game.FindWindow("main_menu"));
        game.RunFrame();
        EXPECT_FALSE(game.FindLooks("game_loading")->IsOpen());
        const char* first = withProfile ? "main_menu" : "welcome";
        EXPECT_EQ((std::vector<std::string>{"game_loading from 2", std::string(first) + " from 3"}), Entries("open "));
        EXPECT_TRUE(game.FindLooks(first)->IsOpen());
        EXPECT_TRUE(game.GetCursor()->IsShown());
        game_.reset();
        journal_.clear();
    }
}

TEST_F(ScreenFlowTest, TheLevelLoadingWindowIsAnsweredInTheSecondPassOfTheStartsFrame) {
    MakeFlowGame();
    game_->FindWindow("start")->Open(WindowId::MainMenu);
    game_->RunFrame();
    journal_.clear();
    game_->FindWindow("start")->Report(R::Play);
    game_->DispatchWindowResults();
    game_->ResetWindowResults();
    EXPECT_EQ(nullptr, game_->GetGameLogic());
    EXPECT_TRUE(game_->FindLooks("level_loading")->IsOpen());
    game_->DispatchWindowResults();
    EXPECT_NE(nullptr, game_->GetGameLogic());
    EXPECT_EQ((std::vector<std::string>{"level_loading from 15", "level_display from 16"}), Entries("open "));
    EXPECT_FALSE(game_->FindLooks("level_loading")->IsOpen());
    EXPECT_TRUE(game_->FindLooks("level_display")->IsOpen());
}

}  // namespace
