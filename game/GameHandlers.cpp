// The game's screen flow: the game's additions to the framework's handlers (music,
// menu background, cursor trail) and the handlers of the game's own windows, which all
// lead back to the start-of-day window.

#include "framework/AudioManager.h"
#include "framework/HighScoresTable.h"
#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/GUIGameOverWindowBase.h"
#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUILogosWindowBase.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "game/GUIBackground.h"
#include "game/GUIGameCursor.h"
#include "game/Game.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIDayCompleteWindow.h"
#include "game/screens/GUIFinalWindow.h"
#include "game/screens/GUIHouseWindow.h"
#include "game/screens/GUIIntroductionWindow.h"
#include "game/screens/GUIMechanicWindow.h"
#include "game/screens/GUIMeetingWindow.h"
#include "game/screens/GUIResetProfileWindow.h"
#include "game/screens/GUIUpgradeWindow.h"

namespace Morvane {

using GameFramework::WindowId;
using GameFramework::WindowResult;

namespace {

// The music slots and their tracks.
constexpr int kMenuSlot = 0;
constexpr int kIntroductionSlot = 1;
constexpr int kFinalSlot = 2;
constexpr int kHouseSlot = 3;
constexpr int kUpgradeSlot = 4;
constexpr int kDaySlot = 5;
constexpr const char* kMenuTrack = "00";
constexpr const char* kIntroductionTrack = "01";
constexpr const char* kFinalTrack = "02";
constexpr const char* kHouseTrack = "03";
constexpr const char* kUpgradeTrack = "04";
// The day's music takes turns between these within a run.
constexpr const char* kFirstDayTrack = "05";
constexpr const char* kSecondDayTrack = "06";

// Fades in seconds.
constexpr float kShortFade = 0.5f;
constexpr float kFade = 1.0f;
constexpr float kBackgroundSpeed = 1.0f;

float RateOf(float seconds) { return 1.0f / seconds; }

// Closes the window and opens the next one from `source`.
void Switch(GameFramework::GUIFrameworkWindow* from, GameFramework::GUIFrameworkWindow* to, WindowId source) {
    from->Close();
    to->Open(source);
}

}  // namespace

void Game::ChangeMusic(int slot, const char* key, float fadeSeconds) {
    audioManager_->StopAllMusic(true, RateOf(kFade));
    audioManager_->PlayMusic(slot, key, true, RateOf(fadeSeconds));
}

void Game::PlayMenuMusic() { ChangeMusic(kMenuSlot, kMenuTrack, kFade); }

void Game::ShowMenuBackground(bool fade) { menuBackground_->Show(true, fade, kBackgroundSpeed); }

void Game::SetTrail(bool enabled) { Cursor()->SetTrailEnabled(enabled); }

void Game::OnLogosWindow() {
    if (logosWindow_->GetResult() != WindowResult::Finished) return;
    if (!introductionWindow_) {
        audioManager_->PlayMusic(kMenuSlot, kMenuTrack, true, RateOf(kShortFade));
        GameBase::OnLogosWindow();
        return;
    }
    // The comic comes before the loading window, which it opens when it ends.
    audioManager_->PlayMusic(kIntroductionSlot, kIntroductionTrack, true, RateOf(kShortFade));
    logosWindow_->ResetResult();
    logosWindow_->Close();
    introductionWindow_->Start();
    cursor_->Show(true);
}

void Game::OnGameLoadingWindow() {
    if (gameLoadingWindow_->GetResult() == WindowResult::Finished) {
        delete introductionWindow_;
        introductionWindow_ = nullptr;
    }
    GameBase::OnGameLoadingWindow();
}

void Game::OnGameLogicLoadingWindow() {
    const bool finished = gameLogicLoadingWindow_->GetResult() == WindowResult::Finished;
    GameBase::OnGameLogicLoadingWindow();
    // Without a profile the base went back to the welcome window and made no day.
    if (!finished || !gameLogic_) return;
    menuBackground_->Show(false, true, kBackgroundSpeed);
    // The slot keeps the last day's key after it stopped: empty before a run's first day.
    const bool firstTrackLast = audioManager_->GetSlotTrackName(kDaySlot) == kFirstDayTrack;
    ChangeMusic(kDaySlot, firstTrackLast ? kSecondDayTrack : kFirstDayTrack, kFade);
    SetTrail(false);
}

void Game::OnStartGameLogicWindow() {
    switch (startGameLogicWindow_->GetResult()) {
    case WindowResult::GoToHouse:
        Switch(startGameLogicWindow_, houseWindow_, WindowId::StartGameLogic);
        ChangeMusic(kHouseSlot, kHouseTrack, kFade);
        break;
    case WindowResult::GoToUpgrade:
        Switch(startGameLogicWindow_, upgradeWindow_, WindowId::StartGameLogic);
        ChangeMusic(kUpgradeSlot, kUpgradeTrack, kFade);
        break;
    case WindowResult::GoToDayComplete:
        Switch(startGameLogicWindow_, dayCompleteWindow_, WindowId::StartGameLogic);
        break;
    case WindowResult::GoToMeeting: Switch(startGameLogicWindow_, meetingWindow_, WindowId::StartGameLogic); break;
    case WindowResult::GoToMechanic: Switch(startGameLogicWindow_, mechanicWindow_, WindowId::StartGameLogic); break;
    case WindowResult::GoToFinal:
        Switch(startGameLogicWindow_, finalWindow_, WindowId::StartGameLogic);
        ChangeMusic(kFinalSlot, kFinalTrack, kFade);
        break;
    case WindowResult::GoToResetProfile:
        Switch(startGameLogicWindow_, resetProfileWindow_, WindowId::StartGameLogic);
        break;
    case WindowResult::Play: cursor_->Show(false); break;
    default: break;
    }
    GameBase::OnStartGameLogicWindow();
}

void Game::OnGameLogicWindow() {
    switch (gameLogicWindow_->GetResult()) {
    case WindowResult::GoToExit:
    case WindowResult::Pause:
    case WindowResult::GoToLevelMenu:
        cursor_->SetKind(0);
        SetTrail(true);
        break;
    default: break;
    }
    GameBase::OnGameLogicWindow();
}

void Game::OnGameLogicPauseWindow() {
    const bool resumed = gameLogicPauseWindow_->GetResult() == WindowResult::ResumeLevel;
    GameBase::OnGameLogicPauseWindow();
    if (resumed) SetTrail(false);
}

void Game::OnGameLogicMenuWindow() {
    const bool resumed = gameLogicMenuWindow_->GetResult() == WindowResult::ResumeLevel;
    GameBase::OnGameLogicMenuWindow();
    if (resumed) SetTrail(false);
}

void Game::OnGameLogicGameExitWindow() {
    const bool resumed = gameLogicGameExitWindow_->GetResult() == WindowResult::ResumeLevel;
    GameBase::OnGameLogicGameExitWindow();
    if (resumed) SetTrail(false);
}

void Game::OnGameLogicMenuExitWindow() {
    const bool toMainMenu = gameLogicMenuExitWindow_->GetResult() == WindowResult::GoToMainMenu;
    GameBase::OnGameLogicMenuExitWindow();
    if (!toMainMenu) return;
    ChangeMusic(kMenuSlot, kMenuTrack, kShortFade);
    ShowMenuBackground(false);
}

void Game::OnGameLogicRestartWindow() {
    const bool toStart = gameLogicRestartWindow_->GetResult() == WindowResult::GoToStart;
    GameBase::OnGameLogicRestartWindow();
    // The day's music goes on in the start-of-day window.
    if (toStart) ShowMenuBackground(false);
}

void Game::OnLevelWon() {
    GameBase::OnLevelWon();
    cursor_->SetKind(0);
    SetTrail(true);
}

void Game::OnLevelLost() {
    GameBase::OnLevelLost();
    SetTrail(true);
}

void Game::OnLevelCompleteWindow() {
    if (levelCompleteWindow_->GetResult() == WindowResult::GoToStart) {
        PlayMenuMusic();
        ShowMenuBackground(false);
    }
    GameBase::OnLevelCompleteWindow();
}

void Game::OnStageCompleteWindow() {
    const WindowResult result = stageCompleteWindow_->GetResult();
    if (result == WindowResult::GoToStart || result == WindowResult::GoToGameComplete) {
        PlayMenuMusic();
        ShowMenuBackground(false);
    }
    GameBase::OnStageCompleteWindow();
}

void Game::OnGameOverWindow() {
    const bool finished = gameOverWindow_->GetResult() == WindowResult::Finished;
    GameBase::OnGameOverWindow();
    if (!finished) return;
    PlayMenuMusic();
    ShowMenuBackground(true);
}

void Game::OnHouseWindow() {
    if (houseWindow_->GetResult() != WindowResult::GoToStart) return;
    Switch(houseWindow_, startGameLogicWindow_, WindowId::House);
    PlayMenuMusic();
}

void Game::OnIntroductionWindow() {
    if (introductionWindow_->GetResult() != WindowResult::Finished) return;
    introductionWindow_->Close();
    gameLoadingWindow_->OpenWith(WindowId::Introduction, gameData_);
    PlayMenuMusic();
    cursor_->Show(false);
}

void Game::OnUpgradeWindow() {
    if (upgradeWindow_->GetResult() != WindowResult::GoToStart) return;
    Switch(upgradeWindow_, startGameLogicWindow_, WindowId::Upgrade);
    PlayMenuMusic();
}

void Game::OnDayCompleteWindow() {
    if (dayCompleteWindow_->GetResult() == WindowResult::GoToStart)
        Switch(dayCompleteWindow_, startGameLogicWindow_, WindowId::DayComplete);
}

void Game::OnMeetingWindow() {
    if (meetingWindow_->GetResult() == WindowResult::GoToStart)
        Switch(meetingWindow_, startGameLogicWindow_, WindowId::Meeting);
}

void Game::OnMechanicWindow() {
    if (mechanicWindow_->GetResult() == WindowResult::GoToStart)
        Switch(mechanicWindow_, startGameLogicWindow_, WindowId::Mechanic);
}

void Game::OnFinalWindow() {
    if (finalWindow_->GetResult() != WindowResult::GoToHighScores) return;
    finalWindow_->Close();
    // The score is the number of days played, the last one included.
    const Profile* profile = Profiles()->GetCurrent();
    GameFramework::HighScoreEntry* entry =
        profile ? highScoresTable_->Insert(profile->GetName(), profile->GetMode(), profile->GetDay() + 1) : nullptr;
    highScoresWindow_->OpenWith(WindowId::Final, entry);
    PlayMenuMusic();
}

void Game::OnResetProfileWindow() {
    if (resetProfileWindow_->GetResult() == WindowResult::GoToStart)
        Switch(resetProfileWindow_, startGameLogicWindow_, WindowId::ResetProfile);
}

}  // namespace Morvane
