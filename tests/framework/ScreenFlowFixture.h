#pragma once
// The test game with every window made and one player, "Ann", current: the state the
// screen flow's tests start from, and what they look at afterwards (the windows shown,
// the level, the level data, the profile, the high scores and the exit command).

#include <set>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/kernel/LogMessage.h"
#include "engine/kernel/MessageKind.h"
#include "engine/kernel/MessageManager.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelKey.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelState.h"
#include "framework/ProfileManagerBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "tests/framework/PlayerDataTestSupport.h"
#include "tests/framework/TestGameFixture.h"

namespace frameworktest {

// What the screen flow may change, taken before and after a step.
struct FlowState {
    std::set<std::string> shown;  // the windows open
    GameFramework::GameLogicBase* logic = nullptr;
    GameFramework::LevelState levelState = GameFramework::LevelState::Running;
    bool displayActive = false;
    GameTools::DataKeeper* levelData = nullptr;
    GameTools::DataKeeper* previousLevelData = nullptr;
    std::uint8_t gameScore = 0;
    std::uint8_t progress = 0;
    bool gameInProgress = false;
    GameFramework::LevelKey currentLevel;
    int profileWrites = 0;
    unsigned highScores = 0;
    bool exit = false;
};

class ScreenFlowFixture : public TestGameFixture {
protected:
    static constexpr const wchar_t* kPlayer = L"Ann";

    // The game with its windows, "Ann" current and nothing open.
    TestGame& MakeFlowGame() {
        TestGame& game = MakeGameWithWindows();
        GameFramework::ProfileManagerBase* profiles = game.GetProfileManager();
        profiles->SelectProfile(profiles->CreateProfileIfMissing(kPlayer), true);
        game.FindWindow("logos")->Close();
        game.RunFrame();
        journal_.clear();
        return game;
    }

    TestProfile& Profile() const {
        return *static_cast<TestProfile*>(game_->GetProfileManager()->GetCurrentProfile());
    }

    // The profile's level as a running level: its logic and the level display open.
    GameFramework::GameLogicBase& StartLevel(const GameFramework::LevelKey& key) {
        GameFramework::LevelManagerBase* levels = game_->GetLevelManager();
        GameFramework::GameLogicBase* logic =
            game_->CreateGameLogic(levels->GetStage(key.stage), levels->GetLevel(key), Profile().GetProgress());
        game_->SetGameLogic(logic);
        static_cast<GameFramework::GUIGameLogicWindowBase*>(game_->FindWindow("level_display"))
            ->OpenWith(GameFramework::WindowId::GameLogicLoading, logic);
        journal_.clear();
        return *logic;
    }

    // One frame with `window` reporting `result` in its update, answered in the next.
    void Report(const std::string& window, GameFramework::WindowResult result) {
        game_->FindWindow(window)->Report(result);
        game_->RunFrame();
    }

    // Whether the log's list holds the error or warning with this text.
    static bool LoggedProblem(Vantor::MessageKind kind, const std::string& text) {
        const std::string prefix = kind == Vantor::MessageKind::Error ? "Error: " : "Warning: ";
        for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages())
            if (message->kind == kind && enginetest::Unframed(message->text, prefix, "!") == text) return true;
        return false;
    }

    FlowState Take() const {
        FlowState state;
        for (const char* name : kWindowNames)
            if (game_->FindLooks(name)->IsOpen()) state.shown.insert(name);
        state.logic = game_->GetGameLogic();
        if (state.logic) state.levelState = state.logic->GetState();
        state.displayActive =
            static_cast<GameFramework::GUIGameLogicWindowBase*>(game_->FindWindow("level_display"))->IsActive();
        state.levelData = game_->GetLevelData();
        state.previousLevelData = game_->GetPreviousLevelData();
        if (game_->GetProfileManager()->GetCurrentProfile()) {
            const TestProfile& profile = Profile();
            state.gameScore = profile.GetGameScore();
            state.progress = profile.GetProgress();
            state.gameInProgress = profile.IsGameInProgress();
            state.currentLevel = profile.GetCurrentLevel();
            state.profileWrites = profile.writes;
        }
        state.highScores = game_->GetHighScoresTable()->GetCount(0);
        state.exit = game_->GetEngine()->IsExitRequested();
        return state;
    }

    static constexpr const char* kWindowNames[] = {
        "logos", "game_loading", "level_loading", "welcome", "exit", "main_menu", "profiles", "new_profile",
        "rename_profile", "delete_profile", "name_conflict", "start", "continue", "high_scores", "options", "help",
        "level_display", "pause", "level_menu", "leave_level", "restart", "quit_from_level", "level_complete",
        "stage_complete", "game_complete", "game_over"};
};

}  // namespace frameworktest
