#include "framework/GameBase.h"

#include "engine/gui/GUIManager.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/kernel/Window.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "framework/AudioManager.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelEntry.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileLevelStatisticsBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/Tutorial.h"
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
#include "framework/windows/GUITutorialWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "tools/DataKeeper.h"
#include "tools/Sprite2D.h"
#include "tools/SpriteManager.h"

namespace GameFramework {

namespace {

template <class Object>
void Destroy(Object*& object) {
    delete object;
    object = nullptr;
}

void UpdateOf(GUIFrameworkWindow& window) { window.Update(); }
void ResetResultOf(GUIFrameworkWindow& window) { window.ResetResult(); }

// Visits the windows that exist, in the order given.
template <class... Windows>
void ForEachMade(void (*visit)(GUIFrameworkWindow&), Windows*... windows) {
    ((windows ? visit(*windows) : void()), ...);
}

}  // namespace

GameBase::GameBase(const std::wstring& maker, const std::wstring& gameName, std::int32_t version,
                   const std::wstring& registryKey, const std::wstring& installPath, const std::wstring& distributor,
                   std::uint32_t restoreMessage)
    : maker_(maker),
      gameName_(gameName),
      version_(version),
      distributor_(distributor),
      registryKey_(registryKey),
      restoreMessage_(restoreMessage),
      installPath_(installPath),
      userDataFolder_(Vantor::FileManager::GetUserDataFolder() + L"\\" + maker + L"\\" + gameName) {}

GameBase::~GameBase() {
    Destroy(gameLogic_);
    Destroy(levelCompleteWindow_);
    Destroy(stageCompleteWindow_);
    Destroy(gameCompleteWindow_);
    Destroy(gameOverWindow_);
    Destroy(gameLogicGameExitWindow_);
    Destroy(gameLogicRestartWindow_);
    Destroy(gameLogicMenuExitWindow_);
    Destroy(gameLogicMenuWindow_);
    Destroy(gameLogicPauseWindow_);
    Destroy(gameLogicWindow_);
    Destroy(helpWindow_);
    Destroy(optionsWindow_);
    Destroy(highScoresWindow_);
    Destroy(continueGameLogicWindow_);
    Destroy(startGameLogicWindow_);
    Destroy(profileNameConflictWindow_);
    Destroy(profilesWindow_);
    Destroy(newProfileWindow_);
    Destroy(renameProfileWindow_);
    Destroy(deleteProfileWindow_);
    Destroy(mainMenuWindow_);
    Destroy(exitWindow_);
    Destroy(welcomeWindow_);
    Destroy(gameLogicLoadingWindow_);
    Destroy(gameLoadingWindow_);
    Destroy(logosWindow_);
    Destroy(cursor_);
    Destroy(tutorialWindow_);
    Destroy(tutorial_);
    Destroy(highScoresTable_);
    Destroy(profileManager_);
    Destroy(levelManager_);
    Destroy(gameData_);
    Destroy(levelData_);
    Destroy(previousLevelData_);
    Destroy(spriteManager_);
    fontTool_ = nullptr;
    textTool_ = nullptr;
    Destroy(toolManager_);
    Destroy(audioManager_);
    Destroy(engine_);
}

void GameBase::Initialize() {
    Vantor::EngineSettings settings;
    FillEngineSettings(settings);
    engine_ = new Vantor::Engine(settings);
    textureManager_ = Vantor::ShaderManager::Instance()->GetTextureManager();
    guiSoundManager_ = Vantor::GUIManager::Instance()->GetSoundManager();
    userDataFolder_ += L"\\" + distributor_;
    RegisterConsoleCommands();

    toolManager_ = new GUITools::GUIToolManager();
    fontTool_ = toolManager_->GetFontTool();
    textTool_ = toolManager_->GetTextTool();
    spriteManager_ = new GameTools::SpriteManager();
    GameTools::SpriteManager::Instance(spriteManager_);
    Vantor::Window::Instance()->SetTitle(textTool_->GetText("game_title"));
    SetupGUIScreen();
    CreateConsole();
    Vantor::Console::Instance()->SetEnabled(false);

    audioManager_ = new AudioManager(GetDefaultMusicVolume(), GetDefaultSoundVolume(), engine_->GetSoundManager());
    levelManager_ = CreateLevelManager();
    profileManager_ = CreateProfileManager();
    highScoresTable_ = new HighScoresTable(kHighScoresPerKey, userDataFolder_);
    tutorial_ = new Tutorial(profileManager_);

    gameData_ = CreateGameData();
    gameData_->LoadResourceList(kBasicResources, true);
    gameData_->LoadResourceList(kAdditionalResources, false);

    cursor_ = CreateGameCursor();
    logosWindow_ = CreateLogosWindow();
    gameLoadingWindow_ = CreateGameLoadingWindow();
    LoadSounds();
    logosWindow_->Open(WindowId::Game);
}

void GameBase::FillEngineSettings(Vantor::EngineSettings& settings) {
    settings.title = gameName_;
    settings.version = version_;
    settings.baseFolder = installPath_;
    settings.saveConfigAtExit = true;
    settings.configName = gameName_;
    settings.logEnabled = true;
    settings.logFlush = false;
    settings.logFolder = userDataFolder_;
    settings.logName = gameName_;
    settings.configFolder = userDataFolder_;
    settings.usePacks = true;
    settings.dataFolder = L"data";
    settings.packCacheLimit = 16777216;
    settings.hostWindow = nullptr;
    settings.iconId = 0;
    settings.forceDefaultMode = false;
    settings.displayMode = "1024x768x32";
    settings.forceDefaultFullscreen = false;
    settings.fullscreen = true;
    settings.exactVideoMode = false;
    settings.stencilBufferWanted = false;
    settings.centreWindow = true;
    settings.windowPosition = Vantor::Vector2i{0, 0};
    settings.restoreMessageId = restoreMessage_;
    settings.use3DSound = false;
}

void GameBase::SetupGUIScreen() { Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f); }

void GameBase::CreateConsole() {
    engine_->CreateConsole(engine_->GetTitleWithVersion(), Vantor::ShaderDescriptor(true, false, "console\\console", false),
                           fontTool_->GetFontIndex("console"), 95, 93, 94, "~", 0.95f, 308.0f, 1000.0f);
}

void GameBase::CreateWindows() {
    gameLogicLoadingWindow_ = CreateGameLogicLoadingWindow();
    welcomeWindow_ = CreateWelcomeWindow();
    exitWindow_ = CreateExitWindow();
    mainMenuWindow_ = CreateMainMenuWindow();
    profilesWindow_ = CreateProfilesWindow();
    newProfileWindow_ = CreateNewProfileWindow();
    renameProfileWindow_ = CreateRenameProfileWindow();
    deleteProfileWindow_ = CreateDeleteProfileWindow();
    profileNameConflictWindow_ = CreateProfileNameConflictWindow();
    startGameLogicWindow_ = CreateStartGameLogicWindow();
    continueGameLogicWindow_ = CreateContinueGameLogicWindow();
    highScoresWindow_ = CreateHighScoresWindow();
    optionsWindow_ = CreateOptionsWindow();
    helpWindow_ = CreateHelpWindow();
    gameLogicWindow_ = CreateGameLogicWindow();
    gameLogicPauseWindow_ = CreateGameLogicPauseWindow();
    gameLogicMenuWindow_ = CreateGameLogicMenuWindow();
    gameLogicMenuExitWindow_ = CreateGameLogicMenuExitWindow();
    gameLogicRestartWindow_ = CreateGameLogicRestartWindow();
    gameLogicGameExitWindow_ = CreateGameLogicGameExitWindow();
    levelCompleteWindow_ = CreateLevelCompleteWindow();
    stageCompleteWindow_ = CreateStageCompleteWindow();
    gameCompleteWindow_ = CreateGameCompleteWindow();
    gameOverWindow_ = CreateGameOverWindow();
    tutorialWindow_ = CreateTutorialWindow();
}

void GameBase::FillLevelStatistics(ProfileLevelStatisticsBase& record) {
    record.mode = profileManager_->GetCurrentProfile()->GetMode();
    record.level = gameLogic_->GetLevelEntry()->key;
    record.time = gameLogic_->GetTime();
}

bool GameBase::IsExitRequested() const { return engine_->IsExitRequested(); }

void GameBase::DispatchWindowResults() {
    // Each window is looked at when its turn comes: a handler may make windows.
    if (logosWindow_) OnLogosWindow();
    if (gameLoadingWindow_) OnGameLoadingWindow();
    if (welcomeWindow_) OnWelcomeWindow();
    if (exitWindow_) OnExitWindow();
    if (mainMenuWindow_) OnMainMenuWindow();
    if (profilesWindow_) OnProfilesWindow();
    if (gameLogicLoadingWindow_) OnGameLogicLoadingWindow();
    if (newProfileWindow_) OnNewProfileWindow();
    if (renameProfileWindow_) OnRenameProfileWindow();
    if (deleteProfileWindow_) OnDeleteProfileWindow();
    if (profileNameConflictWindow_) OnProfileNameConflictWindow();
    if (startGameLogicWindow_) OnStartGameLogicWindow();
    if (continueGameLogicWindow_) OnContinueGameLogicWindow();
    if (highScoresWindow_) OnHighScoresWindow();
    if (optionsWindow_) OnOptionsWindow();
    if (helpWindow_) OnHelpWindow();
    if (gameLogicWindow_) OnGameLogicWindow();
    if (gameLogicPauseWindow_) OnGameLogicPauseWindow();
    if (gameLogicMenuWindow_) OnGameLogicMenuWindow();
    if (gameLogicMenuExitWindow_) OnGameLogicMenuExitWindow();
    if (gameLogicRestartWindow_) OnGameLogicRestartWindow();
    if (gameLogicGameExitWindow_) OnGameLogicGameExitWindow();
    if (gameLogic_ && gameLogic_->IsChanged()) {
        if (gameLogic_->GetState() == LevelState::Won)
            OnLevelWon();
        else if (gameLogic_->GetState() == LevelState::Lost)
            OnLevelLost();
    }
    if (levelCompleteWindow_) OnLevelCompleteWindow();
    if (stageCompleteWindow_) OnStageCompleteWindow();
    if (gameCompleteWindow_) OnGameCompleteWindow();
    if (gameOverWindow_) OnGameOverWindow();
}

void GameBase::ResetWindowResults() {
    ForEachMade(ResetResultOf, logosWindow_, gameLoadingWindow_, gameLogicLoadingWindow_, welcomeWindow_, exitWindow_,
                mainMenuWindow_, profilesWindow_, newProfileWindow_, renameProfileWindow_, deleteProfileWindow_,
                profileNameConflictWindow_, startGameLogicWindow_, continueGameLogicWindow_, highScoresWindow_,
                optionsWindow_, helpWindow_, gameLogicWindow_, gameLogicPauseWindow_, gameLogicMenuWindow_,
                gameLogicMenuExitWindow_, gameLogicRestartWindow_, gameLogicGameExitWindow_, levelCompleteWindow_,
                stageCompleteWindow_, gameCompleteWindow_, gameOverWindow_);
    if (gameLogic_) gameLogic_->ClearChanged();
}

void GameBase::UpdateWindows() {
    if (tutorial_) tutorial_->Update(Vantor::TimerManager::Instance()->GetFrameTime());
    if (tutorialWindow_) tutorialWindow_->Update();
    ForEachMade(UpdateOf, logosWindow_, gameLoadingWindow_, welcomeWindow_, exitWindow_, mainMenuWindow_,
                profilesWindow_, newProfileWindow_, renameProfileWindow_, deleteProfileWindow_,
                profileNameConflictWindow_, gameLogicLoadingWindow_, startGameLogicWindow_, continueGameLogicWindow_,
                highScoresWindow_, optionsWindow_, helpWindow_, gameLogicWindow_, gameLogicPauseWindow_,
                gameLogicMenuWindow_, gameLogicMenuExitWindow_, gameLogicRestartWindow_, gameLogicGameExitWindow_);
    if (gameLogic_) gameLogic_->Update();
    ForEachMade(UpdateOf, levelCompleteWindow_, stageCompleteWindow_, gameCompleteWindow_, gameOverWindow_);
}

}  // namespace GameFramework
