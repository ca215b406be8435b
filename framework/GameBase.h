#pragma once
// The game object of a game built on the framework. The constructor only stores the
// installation settings; the derived class's constructor calls Initialize, which builds
// the engine, the GUI tools, the framework's managers and, through the factory slots,
// everything game-specific, in one fixed order. The destructor deletes what exists in
// the reverse order, the engine last. When Initialize throws out of the derived
// constructor, the language runs this destructor once for the base part, deleting
// exactly what was made.
//
// Windows never open each other: each reports a result that DispatchWindowResults hands
// to its handler, three passes a frame, each followed by ResetWindowResults.

#include <cstdint>
#include <string>

#include "framework/CheatPhrase.h"
#include "framework/LevelKey.h"
#include "framework/WindowId.h"

namespace GameTools {
class DataKeeper;
class SpriteManager;
}  // namespace GameTools
namespace GUITools {
class GUIFontTool;
class GUITextTool;
class GUIToolManager;
}  // namespace GUITools
namespace Vantor {
class Engine;
class GUISoundManager;
class TextureManager;
struct EngineSettings;
}  // namespace Vantor

namespace GameFramework {

class AudioManager;
class GameLogicBase;
class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIFrameworkWindow;
class GUIGameCompleteWindowBase;
class GUIGameCursorBase;
class GUIGameLogicGameExitWindowBase;
class GUIGameLogicMenuExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicRestartWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHelpWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUITutorialWindowBase;
class GUIWelcomeWindowBase;
class HighScoresTable;
class LevelManagerBase;
class ProfileBase;
class ProfileLevelStatisticsBase;
class ProfileManagerBase;
class Tutorial;
struct LevelEntry;
struct StageEntry;

class GameBase {
public:
    static constexpr const wchar_t* kBasicResources = L"data\\ui\\resources_basic.xml";
    static constexpr const wchar_t* kAdditionalResources = L"data\\ui\\resources_additional.xml";
    static constexpr int kHighScoresPerKey = 10;

    GameBase(const std::wstring& maker, const std::wstring& gameName, std::int32_t version,
             const std::wstring& registryKey, const std::wstring& installPath, const std::wstring& distributor,
             std::uint32_t restoreMessage);
    virtual ~GameBase();
    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    // One turn of the main loop: a full frame while the application is active, an idle
    // pass with a 300 ms sleep while it is not.
    virtual void Frame();
    // Builds everything, in order; called once by the derived class's constructor.
    virtual void Initialize();
    virtual void FillEngineSettings(Vantor::EngineSettings& settings);
    virtual void SetupGUIScreen();
    // The framework's console variables and commands.
    virtual void RegisterConsoleCommands();
    virtual void CreateConsole();
    virtual void LoadSounds() {}
    // Every window not made by Initialize; called once the game loading has finished.
    virtual void CreateWindows();

    virtual LevelManagerBase* CreateLevelManager() = 0;
    virtual ProfileManagerBase* CreateProfileManager() = 0;
    virtual GameTools::DataKeeper* CreateGameData() = 0;
    virtual GUIGameCursorBase* CreateGameCursor() = 0;
    virtual GUILogosWindowBase* CreateLogosWindow() = 0;
    virtual GUILoadingWindowBase* CreateGameLoadingWindow() = 0;
    virtual GUILoadingWindowBase* CreateGameLogicLoadingWindow() = 0;
    virtual GUITutorialWindowBase* CreateTutorialWindow() = 0;
    virtual GUIWelcomeWindowBase* CreateWelcomeWindow() = 0;
    virtual GUIExitWindowBase* CreateExitWindow() = 0;
    virtual GUIMainMenuWindowBase* CreateMainMenuWindow() = 0;
    virtual GUIProfilesWindowBase* CreateProfilesWindow() = 0;
    virtual GUINewProfileWindowBase* CreateNewProfileWindow() = 0;
    virtual GUIRenameProfileWindowBase* CreateRenameProfileWindow() = 0;
    virtual GUIDeleteProfileWindowBase* CreateDeleteProfileWindow() = 0;
    virtual GUIProfileNameConflictWindowBase* CreateProfileNameConflictWindow() = 0;
    virtual GUIStartGameLogicWindowBase* CreateStartGameLogicWindow() = 0;
    virtual GUIContinueGameLogicWindowBase* CreateContinueGameLogicWindow() = 0;
    virtual GUIHighScoresWindowBase* CreateHighScoresWindow() = 0;
    virtual GUIOptionsWindowBase* CreateOptionsWindow() = 0;
    virtual GUIHelpWindowBase* CreateHelpWindow() = 0;
    virtual GUIGameLogicWindowBase* CreateGameLogicWindow() = 0;
    virtual GUIGameLogicPauseWindowBase* CreateGameLogicPauseWindow() = 0;
    virtual GUIGameLogicMenuWindowBase* CreateGameLogicMenuWindow() = 0;
    virtual GUIGameLogicMenuExitWindowBase* CreateGameLogicMenuExitWindow() = 0;
    virtual GUIGameLogicRestartWindowBase* CreateGameLogicRestartWindow() = 0;
    virtual GUIGameLogicGameExitWindowBase* CreateGameLogicGameExitWindow() = 0;
    virtual GUILevelCompleteWindowBase* CreateLevelCompleteWindow() = 0;
    virtual GUIStageCompleteWindowBase* CreateStageCompleteWindow() = 0;
    virtual GUIGameCompleteWindowBase* CreateGameCompleteWindow() = 0;
    virtual GUIGameOverWindowBase* CreateGameOverWindow() = 0;
    virtual GameTools::DataKeeper* CreateGameLogicData(const StageEntry* stage, const LevelEntry* level) = 0;
    virtual GameLogicBase* CreateGameLogic(const StageEntry* stage, const LevelEntry* level,
                                           std::uint8_t progress) = 0;

    // Mode of the current profile, key and time of the running level.
    virtual void FillLevelStatistics(ProfileLevelStatisticsBase& record);
    // Carries out every issued framework command, each set idle before it acts.
    virtual void ExecuteConsoleCommands();
    // Typing the phrase while cheat mode is off enables and opens the console.
    virtual void CheckCheatPhrase();
    virtual void OnFrameHook() {}
    // The game's part of an active frame: fades, window results, windows, cursor, sprites.
    virtual void Update();
    // The text shown when cheat mode starts.
    virtual void PrintCheatHelp();
    virtual float GetDefaultMusicVolume() { return 1.0f; }
    virtual float GetDefaultSoundVolume() { return 1.0f; }
    // Resets the render device after a display-mode change.
    virtual void RestoreDevice();

    // Every existing window's handler, then the level logic's end, in the fixed order.
    virtual void DispatchWindowResults();
    // Clears the results that were seen, and the level logic's changed flag.
    virtual void ResetWindowResults();
    // The tutorial, every existing window and the level logic.
    virtual void UpdateWindows();

    // Handlers, one per window: each reads its window's result and, for a result it
    // knows, closes the window, opens the next one from it and changes the game's state.
    virtual void OnLogosWindow();
    virtual void OnGameLoadingWindow();
    virtual void OnWelcomeWindow();
    virtual void OnExitWindow();
    virtual void OnMainMenuWindow();
    virtual void OnProfilesWindow();
    virtual void OnGameLogicLoadingWindow();
    virtual void OnNewProfileWindow();
    virtual void OnRenameProfileWindow();
    virtual void OnDeleteProfileWindow();
    virtual void OnProfileNameConflictWindow();
    virtual void OnStartGameLogicWindow();
    virtual void OnContinueGameLogicWindow();
    virtual void OnHighScoresWindow();
    virtual void OnOptionsWindow();
    virtual void OnHelpWindow();
    virtual void OnGameLogicWindow();
    virtual void OnGameLogicPauseWindow();
    virtual void OnGameLogicMenuWindow();
    virtual void OnGameLogicMenuExitWindow();
    virtual void OnGameLogicRestartWindow();
    virtual void OnGameLogicGameExitWindow();
    // The running level was won: the profile moves on, the level-complete window opens.
    virtual void OnLevelWon();
    // For the game: ends the level and starts the one before it.
    virtual void OnReturnToPreviousLevel();
    virtual void OnLevelLost();
    virtual void OnLevelCompleteWindow();
    virtual void OnStageCompleteWindow();
    virtual void OnGameCompleteWindow();
    virtual void OnGameOverWindow();

    bool IsExitRequested() const;

    Vantor::Engine* GetEngine() const { return engine_; }
    const std::wstring& GetUserDataFolder() const { return userDataFolder_; }
    AudioManager* GetAudioManager() const { return audioManager_; }
    GUITools::GUIToolManager* GetToolManager() const { return toolManager_; }
    GameTools::DataKeeper* GetGameData() const { return gameData_; }
    LevelManagerBase* GetLevelManager() const { return levelManager_; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }
    HighScoresTable* GetHighScoresTable() const { return highScoresTable_; }
    Tutorial* GetTutorial() const { return tutorial_; }
    GUIGameCursorBase* GetCursor() const { return cursor_; }
    GameLogicBase* GetGameLogic() const { return gameLogic_; }

protected:
    // Deletes the level logic, every window and the cursor; the destructor starts with
    // it. A game whose windows hang on objects of its own calls it before deleting those.
    void DestroyWindows();

    std::wstring maker_;
    std::wstring gameName_;
    std::int32_t version_;
    std::wstring distributor_;
    std::wstring registryKey_;
    std::uint32_t restoreMessage_;
    std::wstring installPath_;
    // The maker's and game's folder; the distributor's below it once the engine exists.
    std::wstring userDataFolder_;

    Vantor::Engine* engine_ = nullptr;  // owned
    Vantor::TextureManager* textureManager_ = nullptr;   // the engine's
    Vantor::GUISoundManager* guiSoundManager_ = nullptr;  // the engine's
    bool showStatistics_ = false;
    AudioManager* audioManager_ = nullptr;
    GUITools::GUIToolManager* toolManager_ = nullptr;
    GameTools::SpriteManager* spriteManager_ = nullptr;  // registered as the single instance
    GUITools::GUIFontTool* fontTool_ = nullptr;  // the tool manager's
    GUITools::GUITextTool* textTool_ = nullptr;  // the tool manager's
    GameTools::DataKeeper* gameData_ = nullptr;
    GameTools::DataKeeper* levelData_ = nullptr;
    GameTools::DataKeeper* previousLevelData_ = nullptr;
    LevelManagerBase* levelManager_ = nullptr;
    ProfileManagerBase* profileManager_ = nullptr;
    HighScoresTable* highScoresTable_ = nullptr;
    Tutorial* tutorial_ = nullptr;
    GUITutorialWindowBase* tutorialWindow_ = nullptr;
    GUIGameCursorBase* cursor_ = nullptr;

    GUILogosWindowBase* logosWindow_ = nullptr;
    GUILoadingWindowBase* gameLoadingWindow_ = nullptr;
    GUILoadingWindowBase* gameLogicLoadingWindow_ = nullptr;
    GUIWelcomeWindowBase* welcomeWindow_ = nullptr;
    GUIExitWindowBase* exitWindow_ = nullptr;
    GUIMainMenuWindowBase* mainMenuWindow_ = nullptr;
    GUIProfilesWindowBase* profilesWindow_ = nullptr;
    GUINewProfileWindowBase* newProfileWindow_ = nullptr;
    GUIRenameProfileWindowBase* renameProfileWindow_ = nullptr;
    GUIDeleteProfileWindowBase* deleteProfileWindow_ = nullptr;
    GUIProfileNameConflictWindowBase* profileNameConflictWindow_ = nullptr;
    GUIStartGameLogicWindowBase* startGameLogicWindow_ = nullptr;
    GUIContinueGameLogicWindowBase* continueGameLogicWindow_ = nullptr;
    GUIHighScoresWindowBase* highScoresWindow_ = nullptr;
    GUIOptionsWindowBase* optionsWindow_ = nullptr;
    GUIHelpWindowBase* helpWindow_ = nullptr;
    GUIGameLogicWindowBase* gameLogicWindow_ = nullptr;
    GUIGameLogicPauseWindowBase* gameLogicPauseWindow_ = nullptr;
    GUIGameLogicMenuWindowBase* gameLogicMenuWindow_ = nullptr;
    GUIGameLogicMenuExitWindowBase* gameLogicMenuExitWindow_ = nullptr;
    GUIGameLogicRestartWindowBase* gameLogicRestartWindow_ = nullptr;
    GUIGameLogicGameExitWindowBase* gameLogicGameExitWindow_ = nullptr;
    GUILevelCompleteWindowBase* levelCompleteWindow_ = nullptr;
    GUIStageCompleteWindowBase* stageCompleteWindow_ = nullptr;
    GUIGameCompleteWindowBase* gameCompleteWindow_ = nullptr;
    GUIGameOverWindowBase* gameOverWindow_ = nullptr;

    GameLogicBase* gameLogic_ = nullptr;
    bool inactivePauseDone_ = false;
    bool inactiveTimerState_ = false;
    std::int32_t windowModeFrames_ = 0;
    std::uint32_t suspendedFrames_ = 0;
    CheatPhrase cheatPhrase_;

private:
    // Focus, not minimised, not suspended, and a device that is usable or not being recovered.
    bool IsApplicationActive() const;
    // Pauses the running level once per inactive period, then idles.
    void RunInactiveFrame();
    void PauseForInactivity();
    void RunActiveFrame();
    // A display mode that differs from the device's: the device is reset with the music paused.
    void ApplyVideoMode();
    // Two frame ends after a windowed/full-screen switch the display mode is checked.
    void FollowWindowModeChange();

    void PrintUsedVideoMemory();
    void PrintManagersOccupation();
    void PrintLoadedTextures();
    void OpenAllLevels();
    void ResetLevelProgress();

    // Closes the level display and deletes the level logic.
    void EndLevel();
    // Closes the window, ends the level and opens the next window from `source`.
    void LeaveLevel(GUIFrameworkWindow* from, GUIFrameworkWindow* to, WindowId source);
    // Makes the current level's data store and queues its resource lists; the store of
    // the level before the previous one goes.
    void LoadLevel();
    // The current profile. Without one (the last was deleted) the window closes, a
    // running level ends and the welcome window opens from `id`: null is returned.
    ProfileBase* ProfileFor(GUIFrameworkWindow* window, WindowId id, const char* handler);
    // The level logic, or null with an error line naming the handler.
    GameLogicBase* LevelLogicFor(const char* handler);
    // The profile's current level; one that names no loaded level becomes (0, 0).
    LevelKey PlayableLevelOf(ProfileBase& profile);
    // A final score enters the high scores, which open from `id`; 0 opens the main menu.
    void ShowFinalScore(ProfileBase& profile, std::int32_t score, WindowId id);
    // The level display goes inactive over a window opened from it; the level pauses.
    void OpenOverLevel(GUIFrameworkWindow* window);
    // The window over the level display closes and the level goes on.
    void ResumeLevel(GUIFrameworkWindow* window, const char* handler);
};

}  // namespace GameFramework
