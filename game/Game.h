#pragma once
// The game object: the framework's game base answering every factory with the game's
// own managers and windows, registering the game's sounds, and adding the menu
// background, the menu-window manager and the game's eight own windows with their
// handlers. The constructor runs the framework's initialisation, which ends with the
// logos window open; every other window is made when loading has finished.
//
// Music plays in numbered slots: 0 the menu music, 1 the introduction, 2 the final
// window, 3 the house, 4 the upgrades, 5 the day, whose track alternates between two
// keys from one day of a run to the next.

#include <array>
#include <cstdint>
#include <string>

#include "framework/GameBase.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GameData;
class GUIBackground;
class GUIDayCompleteWindow;
class GUIFinalWindow;
class GUIGameCursor;
class GUIHouseWindow;
class GUIIntroductionWindow;
class GUIMechanicWindow;
class GUIMeetingWindow;
class GUIMenuWindowManager;
class GUIResetProfileWindow;
class GUIUpgradeWindow;
class ProfileManager;

class Game : public GameFramework::GameBase {
public:
    static constexpr const char* kDisplayMode = "1024x768x32";
    // The group icon the program carries.
    static constexpr std::int32_t kIconResource = 101;
    static constexpr float kDefaultMusicVolume = 0.32f;
    static constexpr float kDefaultSoundVolume = 0.26f;

    // The installation settings the loader read, handed to the base unchanged; runs the
    // framework's initialisation. An error in it leaves nothing of the game behind.
    Game(const std::wstring& maker, const std::wstring& gameName, std::int32_t version,
         const std::wstring& registryKey, const std::wstring& installPath, const std::wstring& distributor,
         std::uint32_t restoreMessage);
    ~Game() override;

    void FillEngineSettings(Vantor::EngineSettings& settings) override;
    // The GUI layer's sounds, the music tracks and the effects, in their fixed order.
    void LoadSounds() override;
    // Every window but the logos, loading and comic windows; once loading has finished.
    void CreateWindows() override;

    GameFramework::LevelManagerBase* CreateLevelManager() override;
    GameFramework::ProfileManagerBase* CreateProfileManager() override;
    GameTools::DataKeeper* CreateGameData() override;
    GameFramework::GUIGameCursorBase* CreateGameCursor() override;
    GameFramework::GUILogosWindowBase* CreateLogosWindow() override;
    // Also makes the menu background, the menu-window manager and, on a first run, the
    // introduction comic, which opens at once and waits for the logos to end.
    GameFramework::GUILoadingWindowBase* CreateGameLoadingWindow() override;
    GameFramework::GUILoadingWindowBase* CreateGameLogicLoadingWindow() override;
    GameFramework::GUITutorialWindowBase* CreateTutorialWindow() override;
    GameFramework::GUIWelcomeWindowBase* CreateWelcomeWindow() override;
    GameFramework::GUIExitWindowBase* CreateExitWindow() override;
    GameFramework::GUIMainMenuWindowBase* CreateMainMenuWindow() override;
    GameFramework::GUIProfilesWindowBase* CreateProfilesWindow() override;
    GameFramework::GUINewProfileWindowBase* CreateNewProfileWindow() override;
    GameFramework::GUIRenameProfileWindowBase* CreateRenameProfileWindow() override;
    GameFramework::GUIDeleteProfileWindowBase* CreateDeleteProfileWindow() override;
    GameFramework::GUIProfileNameConflictWindowBase* CreateProfileNameConflictWindow() override;
    GameFramework::GUIStartGameLogicWindowBase* CreateStartGameLogicWindow() override;
    GameFramework::GUIContinueGameLogicWindowBase* CreateContinueGameLogicWindow() override;
    GameFramework::GUIHighScoresWindowBase* CreateHighScoresWindow() override;
    GameFramework::GUIOptionsWindowBase* CreateOptionsWindow() override;
    GameFramework::GUIHelpWindowBase* CreateHelpWindow() override;
    GameFramework::GUIGameLogicWindowBase* CreateGameLogicWindow() override;
    GameFramework::GUIGameLogicPauseWindowBase* CreateGameLogicPauseWindow() override;
    GameFramework::GUIGameLogicMenuWindowBase* CreateGameLogicMenuWindow() override;
    GameFramework::GUIGameLogicMenuExitWindowBase* CreateGameLogicMenuExitWindow() override;
    GameFramework::GUIGameLogicRestartWindowBase* CreateGameLogicRestartWindow() override;
    GameFramework::GUIGameLogicGameExitWindowBase* CreateGameLogicGameExitWindow() override;
    GameFramework::GUILevelCompleteWindowBase* CreateLevelCompleteWindow() override;
    GameFramework::GUIStageCompleteWindowBase* CreateStageCompleteWindow() override;
    GameFramework::GUIGameCompleteWindowBase* CreateGameCompleteWindow() override;
    GameFramework::GUIGameOverWindowBase* CreateGameOverWindow() override;
    GameTools::DataKeeper* CreateGameLogicData(const GameFramework::StageEntry* stage,
                                               const GameFramework::LevelEntry* level) override;
    GameFramework::GameLogicBase* CreateGameLogic(const GameFramework::StageEntry* stage,
                                                  const GameFramework::LevelEntry* level,
                                                  std::uint8_t progress) override;

    // The base's banner, then the game's cheat keys.
    void PrintCheatHelp() override;
    float GetDefaultMusicVolume() override { return kDefaultMusicVolume; }
    float GetDefaultSoundVolume() override { return kDefaultSoundVolume; }

    // The base's work, then the same for each of the game's own windows that exists.
    void DispatchWindowResults() override;
    void ResetWindowResults() override;
    // The menu background's fades and the menu-window manager around the base's update
    // and the game's own windows.
    void UpdateWindows() override;

    void OnLogosWindow() override;
    void OnGameLoadingWindow() override;
    void OnGameLogicLoadingWindow() override;
    void OnStartGameLogicWindow() override;
    void OnGameLogicWindow() override;
    void OnGameLogicPauseWindow() override;
    void OnGameLogicMenuWindow() override;
    void OnGameLogicGameExitWindow() override;
    void OnGameLogicMenuExitWindow() override;
    void OnGameLogicRestartWindow() override;
    void OnLevelWon() override;
    void OnLevelLost() override;
    void OnLevelCompleteWindow() override;
    void OnStageCompleteWindow() override;
    void OnGameOverWindow() override;

    // The game's own windows, each called only while its window exists.
    virtual void OnHouseWindow();
    virtual void OnIntroductionWindow();
    virtual void OnUpgradeWindow();
    virtual void OnDayCompleteWindow();
    virtual void OnMeetingWindow();
    virtual void OnMechanicWindow();
    virtual void OnFinalWindow();
    virtual void OnResetProfileWindow();

protected:
    GameData* Data() const;
    ProfileManager* Profiles() const;
    GUIGameCursor* Cursor() const;
    // The menu background's front window, on which every menu window hangs.
    Vantor::GUIWindow* TopContainer() const;

    GUIBackground* menuBackground_ = nullptr;
    GUIMenuWindowManager* menuWindowManager_ = nullptr;
    GUIHouseWindow* houseWindow_ = nullptr;
    GUIIntroductionWindow* introductionWindow_ = nullptr;
    GUIUpgradeWindow* upgradeWindow_ = nullptr;
    GUIDayCompleteWindow* dayCompleteWindow_ = nullptr;
    GUIMeetingWindow* meetingWindow_ = nullptr;
    GUIMechanicWindow* mechanicWindow_ = nullptr;
    GUIFinalWindow* finalWindow_ = nullptr;
    GUIResetProfileWindow* resetProfileWindow_ = nullptr;

private:
    // The game's own windows in member order, null where not made.
    std::array<GameFramework::GUIFrameworkWindow*, 8> OwnWindows() const;
    // Deletes what the game made besides the base's managers, children before the
    // windows they hang on: the game's own windows, the framework's windows, the
    // menu-window manager and the menu background.
    void DestroyGameWindows();
    // Every slot's music fades out over a second and stops; the track plays in its slot,
    // fading in over the seconds.
    void ChangeMusic(int slot, const char* key, float fadeSeconds);
    // The menu music after a second's fade-out, fading in over a second.
    void PlayMenuMusic();
    void ShowMenuBackground(bool fade);
    void SetTrail(bool enabled);
};

}  // namespace Morvane
