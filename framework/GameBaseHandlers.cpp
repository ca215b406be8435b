// The game base's screen flow: one handler per window, turning the window's result into
// closing it, opening the next window from it and changing the game's state.

#include <vector>

#include "engine/kernel/Engine.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelEntry.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileLevelStatisticsBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/windows/GUIContinueGameLogicWindowBase.h"
#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "framework/windows/GUIExitWindowBase.h"
#include "framework/windows/GUIGameCompleteWindowBase.h"
#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/GUIGameOverWindowBase.h"
#include "framework/windows/GUIHelpWindowBase.h"
#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUILogosWindowBase.h"
#include "framework/windows/GUIMainMenuWindowBase.h"
#include "framework/windows/GUINewProfileWindowBase.h"
#include "framework/windows/GUIOptionsWindowBase.h"
#include "framework/windows/GUIProfileNameConflictWindowBase.h"
#include "framework/windows/GUIProfilesWindowBase.h"
#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "tools/DataKeeper.h"

namespace GameFramework {

namespace {

// Closes the window and opens the next one from `source`.
void Switch(GUIFrameworkWindow* from, GUIFrameworkWindow* to, WindowId source) {
    from->Close();
    to->Open(source);
}

// A game in progress ends, saved at once.
void EndGameInProgress(ProfileBase& profile) {
    if (!profile.IsGameInProgress()) return;
    profile.SetGameInProgress(false);
    profile.Save();
}

std::string KeyText(const LevelKey& key) {
    return Vantor::ToString(static_cast<unsigned int>(key.stage), 0) + "-" +
           Vantor::ToString(static_cast<unsigned int>(key.level), 0);
}

}  // namespace

void GameBase::OnLogosWindow() {
    if (logosWindow_->GetResult() != WindowResult::Finished) return;
    logosWindow_->Close();
    gameLoadingWindow_->OpenWith(WindowId::Logos, gameData_);
}

void GameBase::OnGameLoadingWindow() {
    if (gameLoadingWindow_->GetResult() != WindowResult::Finished) return;
    gameLoadingWindow_->Close();
    CreateWindows();
    if (profileManager_->GetProfiles().empty())
        welcomeWindow_->Open(WindowId::GameLoading);
    else
        mainMenuWindow_->Open(WindowId::GameLoading);
    cursor_->Show(true);
}

void GameBase::OnWelcomeWindow() {
    switch (welcomeWindow_->GetResult()) {
    case WindowResult::GoToMainMenu: Switch(welcomeWindow_, mainMenuWindow_, WindowId::Welcome); break;
    case WindowResult::GoToExit: Switch(welcomeWindow_, exitWindow_, WindowId::Welcome); break;
    default: break;
    }
}

void GameBase::OnExitWindow() {
    switch (exitWindow_->GetResult()) {
    case WindowResult::GoToWelcome: Switch(exitWindow_, welcomeWindow_, WindowId::Exit); break;
    case WindowResult::GoToMainMenu: Switch(exitWindow_, mainMenuWindow_, WindowId::Exit); break;
    case WindowResult::GoToNewProfile:
        exitWindow_->Close();
        newProfileWindow_->OpenWith(WindowId::Exit, false);
        break;
    case WindowResult::QuitProgram: engine_->RequestExit(); break;
    default: break;
    }
}

void GameBase::OnMainMenuWindow() {
    switch (mainMenuWindow_->GetResult()) {
    case WindowResult::GoToExit: Switch(mainMenuWindow_, exitWindow_, WindowId::MainMenu); break;
    case WindowResult::GoToProfiles: Switch(mainMenuWindow_, profilesWindow_, WindowId::MainMenu); break;
    case WindowResult::GoToHighScores:
        mainMenuWindow_->Close();
        highScoresWindow_->OpenWith(WindowId::MainMenu, nullptr);
        break;
    case WindowResult::GoToOptions: Switch(mainMenuWindow_, optionsWindow_, WindowId::MainMenu); break;
    case WindowResult::GoToHelp: Switch(mainMenuWindow_, helpWindow_, WindowId::MainMenu); break;
    case WindowResult::Play: {
        ProfileBase* profile = ProfileFor(mainMenuWindow_, WindowId::MainMenu, "main menu");
        if (!profile) return;
        mainMenuWindow_->Close();
        if (profile->IsGameInProgress()) {
            continueGameLogicWindow_->Open(WindowId::MainMenu);
        } else {
            profile->ResetGameProgress();
            startGameLogicWindow_->Open(WindowId::MainMenu);
        }
        break;
    }
    default: break;
    }
}

void GameBase::OnProfilesWindow() {
    switch (profilesWindow_->GetResult()) {
    case WindowResult::GoToMainMenu: Switch(profilesWindow_, mainMenuWindow_, WindowId::Profiles); break;
    case WindowResult::GoToNewProfile:
        profilesWindow_->Close();
        newProfileWindow_->OpenWith(WindowId::Profiles, true);
        break;
    case WindowResult::GoToRenameProfile:
        profilesWindow_->Close();
        renameProfileWindow_->OpenWith(WindowId::Profiles, true, profilesWindow_->GetProfileName());
        break;
    case WindowResult::GoToDeleteProfile:
        profilesWindow_->Close();
        deleteProfileWindow_->OpenWith(WindowId::Profiles, profilesWindow_->GetProfileName());
        break;
    default: break;
    }
}

void GameBase::OnGameLogicLoadingWindow() {
    if (gameLogicLoadingWindow_->GetResult() != WindowResult::Finished) return;
    ProfileBase* profile = ProfileFor(gameLogicLoadingWindow_, WindowId::GameLogicLoading, "level loading");
    if (!profile) return;
    gameLogicLoadingWindow_->Close();
    cursor_->Show(true);
    const LevelKey key = PlayableLevelOf(*profile);
    delete gameLogic_;
    gameLogic_ = CreateGameLogic(levelManager_->GetStage(key.stage), levelManager_->GetLevel(key),
                                 profile->GetProgress());
    gameLogicWindow_->OpenWith(WindowId::GameLogicLoading, gameLogic_);
}

void GameBase::OnNewProfileWindow() {
    switch (newProfileWindow_->GetResult()) {
    case WindowResult::NameAlreadyUsed:
        Switch(newProfileWindow_, profileNameConflictWindow_, WindowId::NewProfile);
        break;
    case WindowResult::GoToProfiles: Switch(newProfileWindow_, profilesWindow_, WindowId::NewProfile); break;
    case WindowResult::GoToExit: Switch(newProfileWindow_, exitWindow_, WindowId::NewProfile); break;
    default: break;
    }
}

void GameBase::OnRenameProfileWindow() {
    switch (renameProfileWindow_->GetResult()) {
    case WindowResult::NameAlreadyUsed:
        Switch(renameProfileWindow_, profileNameConflictWindow_, WindowId::RenameProfile);
        break;
    case WindowResult::GoToProfiles: Switch(renameProfileWindow_, profilesWindow_, WindowId::RenameProfile); break;
    default: break;
    }
}

void GameBase::OnDeleteProfileWindow() {
    switch (deleteProfileWindow_->GetResult()) {
    case WindowResult::GoToProfiles: Switch(deleteProfileWindow_, profilesWindow_, WindowId::DeleteProfile); break;
    case WindowResult::GoToNewProfile:
        deleteProfileWindow_->Close();
        newProfileWindow_->OpenWith(WindowId::DeleteProfile, true);
        break;
    default: break;
    }
}

void GameBase::OnProfileNameConflictWindow() {
    switch (profileNameConflictWindow_->GetResult()) {
    case WindowResult::GoToNewProfile:
        profileNameConflictWindow_->Close();
        newProfileWindow_->OpenWith(WindowId::ProfileNameConflict, false);
        break;
    case WindowResult::GoToRenameProfile:
        profileNameConflictWindow_->Close();
        renameProfileWindow_->OpenWith(WindowId::ProfileNameConflict, false, L"");
        break;
    default: break;
    }
}

void GameBase::OnStartGameLogicWindow() {
    switch (startGameLogicWindow_->GetResult()) {
    case WindowResult::GoToMainMenu:
        Switch(startGameLogicWindow_, mainMenuWindow_, WindowId::StartGameLogic);
        break;
    case WindowResult::Play:
        if (!ProfileFor(startGameLogicWindow_, WindowId::StartGameLogic, "start")) return;
        LoadLevel();
        startGameLogicWindow_->Close();
        gameLogicLoadingWindow_->OpenWith(WindowId::StartGameLogic, levelData_);
        break;
    default: break;
    }
}

void GameBase::OnContinueGameLogicWindow() {
    switch (continueGameLogicWindow_->GetResult()) {
    case WindowResult::ContinueGame:
        Switch(continueGameLogicWindow_, startGameLogicWindow_, WindowId::ContinueGameLogic);
        break;
    case WindowResult::GoToStart: {
        ProfileBase* profile = ProfileFor(continueGameLogicWindow_, WindowId::ContinueGameLogic, "continue");
        if (!profile) return;
        EndGameInProgress(*profile);
        profile->ResetGameProgress();
        Switch(continueGameLogicWindow_, startGameLogicWindow_, WindowId::ContinueGameLogic);
        break;
    }
    case WindowResult::GoToMainMenu:
        Switch(continueGameLogicWindow_, mainMenuWindow_, WindowId::ContinueGameLogic);
        break;
    default: break;
    }
}

void GameBase::OnHighScoresWindow() {
    if (highScoresWindow_->GetResult() == WindowResult::GoToMainMenu)
        Switch(highScoresWindow_, mainMenuWindow_, WindowId::HighScores);
}

void GameBase::OnOptionsWindow() {
    if (optionsWindow_->GetResult() == WindowResult::GoToMainMenu)
        Switch(optionsWindow_, mainMenuWindow_, WindowId::Options);
}

void GameBase::OnHelpWindow() {
    if (helpWindow_->GetResult() == WindowResult::GoToMainMenu) Switch(helpWindow_, mainMenuWindow_, WindowId::Help);
}

void GameBase::OnGameLogicWindow() {
    switch (gameLogicWindow_->GetResult()) {
    case WindowResult::GoToLevelMenu: OpenOverLevel(gameLogicMenuWindow_); break;
    case WindowResult::Pause: OpenOverLevel(gameLogicPauseWindow_); break;
    case WindowResult::GoToExit: OpenOverLevel(gameLogicGameExitWindow_); break;
    default: break;
    }
}

void GameBase::OnGameLogicPauseWindow() {
    if (gameLogicPauseWindow_->GetResult() == WindowResult::ResumeLevel) ResumeLevel(gameLogicPauseWindow_, "pause");
}

void GameBase::OnGameLogicMenuWindow() {
    switch (gameLogicMenuWindow_->GetResult()) {
    case WindowResult::ResumeLevel: ResumeLevel(gameLogicMenuWindow_, "level menu"); break;
    case WindowResult::GoToLeaveLevel:
        Switch(gameLogicMenuWindow_, gameLogicMenuExitWindow_, WindowId::GameLogicMenu);
        break;
    case WindowResult::GoToRestart:
        Switch(gameLogicMenuWindow_, gameLogicRestartWindow_, WindowId::GameLogicMenu);
        break;
    default: break;
    }
}

void GameBase::OnGameLogicMenuExitWindow() {
    switch (gameLogicMenuExitWindow_->GetResult()) {
    case WindowResult::GoToLevelMenu:
        Switch(gameLogicMenuExitWindow_, gameLogicMenuWindow_, WindowId::GameLogicMenuExit);
        break;
    case WindowResult::GoToMainMenu:
        LeaveLevel(gameLogicMenuExitWindow_, mainMenuWindow_, WindowId::GameLogicMenuExit);
        break;
    case WindowResult::GoToStart:
        LeaveLevel(gameLogicMenuExitWindow_, startGameLogicWindow_, WindowId::GameLogicMenuExit);
        break;
    default: break;
    }
}

void GameBase::OnGameLogicRestartWindow() {
    switch (gameLogicRestartWindow_->GetResult()) {
    case WindowResult::GoToLevelMenu:
        Switch(gameLogicRestartWindow_, gameLogicMenuWindow_, WindowId::GameLogicRestart);
        break;
    case WindowResult::GoToGameOver:
        Switch(gameLogicRestartWindow_, gameOverWindow_, WindowId::GameLogicRestart);
        break;
    case WindowResult::GoToStart:
        LeaveLevel(gameLogicRestartWindow_, startGameLogicWindow_, WindowId::GameLogicRestart);
        break;
    default: break;
    }
}

void GameBase::OnGameLogicGameExitWindow() {
    switch (gameLogicGameExitWindow_->GetResult()) {
    case WindowResult::ResumeLevel: ResumeLevel(gameLogicGameExitWindow_, "quit from level"); break;
    case WindowResult::QuitProgram: engine_->RequestExit(); break;
    default: break;
    }
}

void GameBase::OnLevelWon() {
    ProfileBase* profile = ProfileFor(nullptr, WindowId::GameLogic, "level won");
    if (!profile) return;
    gameLogicWindow_->SetActive(false);
    const LevelKey played = gameLogic_->GetLevelEntry()->key;
    const LevelKey next = levelManager_->GetNextLevel(played);
    const bool last = next == played;
    profile->SetCurrentLevel(next);
    profile->SetMaxLevel(next, last);
    profile->SetProgress(static_cast<std::uint8_t>(gameLogic_->GetProgress()));
    profile->AddGameScore(gameLogic_->GetScore());
    gameLogic_->SetScore(0);
    if (last) {
        EndGameInProgress(*profile);
    } else if (!profile->IsGameInProgress()) {
        profile->SetGameInProgress(true);
        profile->Save();
    }
    profileManager_->RecordBestTime(played, profile->GetName(), profile->GetMode(), gameLogic_->GetTime());
    ProfileLevelStatisticsBase* statistics = profile->CreateLevelStatistics();
    FillLevelStatistics(*statistics);
    profile->AddLevelStatistics(statistics);
    levelCompleteWindow_->OpenWith(WindowId::GameLogic, played, gameLogic_->GetTime());
}

void GameBase::OnReturnToPreviousLevel() {
    ProfileBase* profile = ProfileFor(nullptr, WindowId::MainMenu, "return to the previous level");
    if (!profile) return;
    if (LevelLogicFor("return to the previous level")) {
        profile->SetCurrentLevel(levelManager_->GetPreviousLevel(gameLogic_->GetLevelEntry()->key));
        EndLevel();
    }
    startGameLogicWindow_->Open(WindowId::MainMenu);
}

void GameBase::OnLevelLost() {
    ProfileBase* profile = ProfileFor(nullptr, WindowId::GameLogic, "level lost");
    if (!profile) return;
    gameLogicWindow_->SetActive(false);
    EndGameInProgress(*profile);
    gameOverWindow_->Open(WindowId::GameLogic);
}

void GameBase::OnLevelCompleteWindow() {
    switch (levelCompleteWindow_->GetResult()) {
    case WindowResult::GoToStart:
        LeaveLevel(levelCompleteWindow_, startGameLogicWindow_, WindowId::LevelComplete);
        break;
    case WindowResult::GoToStageComplete: {
        // Without a level logic the stage is the one of the level the window was opened for.
        const GameLogicBase* logic = LevelLogicFor("level complete");
        const LevelKey played = logic ? logic->GetLevelEntry()->key : levelCompleteWindow_->GetLevel();
        levelCompleteWindow_->Close();
        stageCompleteWindow_->OpenWith(WindowId::LevelComplete, played);
        break;
    }
    default: break;
    }
}

void GameBase::OnStageCompleteWindow() {
    switch (stageCompleteWindow_->GetResult()) {
    case WindowResult::GoToStart:
        LeaveLevel(stageCompleteWindow_, startGameLogicWindow_, WindowId::StageComplete);
        break;
    case WindowResult::GoToGameComplete:
        LeaveLevel(stageCompleteWindow_, gameCompleteWindow_, WindowId::StageComplete);
        break;
    default: break;
    }
}

void GameBase::OnGameCompleteWindow() {
    if (gameCompleteWindow_->GetResult() != WindowResult::Finished) return;
    ProfileBase* profile = ProfileFor(gameCompleteWindow_, WindowId::GameComplete, "game complete");
    if (!profile) return;
    gameCompleteWindow_->Close();
    ShowFinalScore(*profile, profile->GetGameScore(), WindowId::GameComplete);
}

void GameBase::OnGameOverWindow() {
    switch (gameOverWindow_->GetResult()) {
    case WindowResult::Finished: {
        ProfileBase* profile = ProfileFor(gameOverWindow_, WindowId::GameOver, "game over");
        if (!profile) return;
        gameOverWindow_->Close();
        const GameLogicBase* logic = LevelLogicFor("game over");
        ShowFinalScore(*profile, profile->GetGameScore() + (logic ? logic->GetScore() : 0), WindowId::GameOver);
        EndLevel();
        break;
    }
    case WindowResult::GoToRestart: Switch(gameOverWindow_, gameLogicRestartWindow_, WindowId::GameOver); break;
    default: break;
    }
}

void GameBase::LeaveLevel(GUIFrameworkWindow* from, GUIFrameworkWindow* to, WindowId source) {
    from->Close();
    EndLevel();
    to->Open(source);
}

void GameBase::EndLevel() {
    gameLogicWindow_->Close();
    delete gameLogic_;
    gameLogic_ = nullptr;
}

void GameBase::LoadLevel() {
    delete previousLevelData_;
    previousLevelData_ = levelData_;
    const LevelKey key = PlayableLevelOf(*profileManager_->GetCurrentProfile());
    levelData_ = CreateGameLogicData(levelManager_->GetStage(key.stage), levelManager_->GetLevel(key));
    std::vector<std::wstring> lists;
    levelManager_->GetLevelResourceLists(key, lists);
    for (const std::wstring& list : lists) levelData_->LoadResourceList(list, false);
}

ProfileBase* GameBase::ProfileFor(GUIFrameworkWindow* window, WindowId id, const char* handler) {
    ProfileBase* profile = profileManager_->GetCurrentProfile();
    if (profile) return profile;
    Vantor::MessageManager::Instance()->PrintError(std::string("Screen flow (") + handler +
                                                   "): no current profile, back to the welcome window");
    if (window) window->Close();
    if (gameLogic_) EndLevel();
    welcomeWindow_->Open(id);
    return nullptr;
}

GameLogicBase* GameBase::LevelLogicFor(const char* handler) {
    if (!gameLogic_)
        Vantor::MessageManager::Instance()->PrintError(std::string("Screen flow (") + handler + "): no level runs");
    return gameLogic_;
}

LevelKey GameBase::PlayableLevelOf(ProfileBase& profile) {
    const LevelKey key = profile.GetCurrentLevel();
    if (levelManager_->GetLevel(key)) return key;
    Vantor::MessageManager::Instance()->PrintWarning("Screen flow: the profile's level " + KeyText(key) +
                                                     " does not exist, playing from level 0-0");
    profile.SetCurrentLevel(LevelKey{});
    return LevelKey{};
}

void GameBase::ShowFinalScore(ProfileBase& profile, std::int32_t score, WindowId id) {
    if (score == 0) {
        mainMenuWindow_->Open(id);
        return;
    }
    highScoresWindow_->OpenWith(id, highScoresTable_->Insert(profile.GetName(), profile.GetMode(), score));
}

void GameBase::OpenOverLevel(GUIFrameworkWindow* window) {
    gameLogicWindow_->SetActive(false);
    window->Open(WindowId::GameLogic);
    if (GameLogicBase* logic = LevelLogicFor("level display")) logic->Pause(true);
}

void GameBase::ResumeLevel(GUIFrameworkWindow* window, const char* handler) {
    window->Close();
    gameLogicWindow_->SetActive(true);
    if (GameLogicBase* logic = LevelLogicFor(handler)) logic->Pause(false);
}

}  // namespace GameFramework
