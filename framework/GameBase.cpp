#include "framework/GameBase.h"

#include <cstdio>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/kernel/Window.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/sound/SoundManager.h"
#include "framework/AudioManager.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelEntry.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelState.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileLevelStatisticsBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageEntry.h"
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
#include "platform/WinTimers.h"
#include "tools/DataKeeper.h"
#include "tools/Sprite2D.h"
#include "tools/SpriteManager.h"

namespace GameFramework {

namespace {

constexpr DWORD kIdleSleepMilliseconds = 300;
// Music is paused at once around a device reset and fades back in over two seconds.
constexpr float kMusicFadeRate = 0.5f;
constexpr int kWindowModeFramesBeforeUpdate = 2;
constexpr const char* kUsedVideoMemoryCommand = "d_get_used_video_memory_size";
constexpr const char* kManagersOccupationCommand = "d_get_manages_occupation";
constexpr const char* kLoadedTexturesCommand = "d_get_loaded_textures";
constexpr const char* kShowStatisticsVariable = "d_show_statistics";
constexpr const char* kUpdateVideoModeCommand = "g_update_video_mode";
constexpr const char* kOpenMapCommand = "g_open_map";
constexpr const char* kResetMapCommand = "g_reset_map";
constexpr const char* kDisableCheatsCommand = "g_disable_cheats";
constexpr const char* kWindowChangeModeCommand = "v_window_change_mode";

bool IsIssued(const char* command) { return Vantor::Config::Instance()->GetCommandState(command) == 0; }
void SetIdle(const char* command) { Vantor::Config::Instance()->SetCommandState(command, 1); }

// An issued command is set idle before its owner acts on it.
bool TakeIssued(const char* command) {
    if (!IsIssued(command)) return false;
    SetIdle(command);
    return true;
}

void Print(const std::string& text) { Vantor::MessageManager::Instance()->PrintMessage(text); }

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
    DestroyWindows();
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

void GameBase::DestroyWindows() {
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

void GameBase::Frame() {
    Vantor::Window* window = Vantor::Window::Instance();
    if (window->IsSuspended()) {
        if (suspendedFrames_ > 0) {
            // The messages are still pumped, so that the resume announcement is seen.
            window->Update();
            SleepEx(kIdleSleepMilliseconds, TRUE);
            return;
        }
        ++suspendedFrames_;
    } else {
        suspendedFrames_ = 0;
    }
    if (IsApplicationActive())
        RunActiveFrame();
    else
        RunInactiveFrame();
}

bool GameBase::IsApplicationActive() const {
    const Vantor::Window* window = Vantor::Window::Instance();
    const Vantor::RenderSystem* render = Vantor::RenderSystem::Instance();
    return window->HasFocus() && !window->IsMinimized() && !window->IsSuspended() &&
           (render->IsReady() || !render->IsRecoverPending());
}

void GameBase::RunInactiveFrame() {
    if (!inactivePauseDone_) {
        PauseForInactivity();
        inactivePauseDone_ = true;
    }
    Vantor::Window::Instance()->Update();
    Vantor::RenderSystem::Instance()->Update();
    Vantor::TimerManager::Instance()->Update();
    if (Vantor::SoundManager* sounds = engine_->GetSoundManager()) sounds->SetActive(false);
    SleepEx(kIdleSleepMilliseconds, TRUE);
}

void GameBase::PauseForInactivity() {
    if (!gameLogic_) return;
    const bool hintShowing = tutorial_ && tutorial_->IsActive();
    if (gameLogic_->GetState() == LevelState::Running && !hintShowing) {
        gameLogic_->Pause(true);
        if (gameLogicWindow_) gameLogicWindow_->SetActive(false);
        if (gameLogicPauseWindow_) gameLogicPauseWindow_->Open(WindowId::Game);
        // The player resumes the level from the pause window.
        inactiveTimerState_ = true;
        return;
    }
    inactiveTimerState_ = gameLogic_->IsTimerPaused();
    gameLogic_->SetTimerPaused(true);
}

void GameBase::RunActiveFrame() {
    if (inactivePauseDone_) {
        if (gameLogic_) gameLogic_->SetTimerPaused(inactiveTimerState_);
        inactivePauseDone_ = false;
    }
    ApplyVideoMode();
    engine_->BeginFrame();
    CheckCheatPhrase();
    OnFrameHook();
    ExecuteConsoleCommands();
    Update();
    engine_->EndFrame();
    FollowWindowModeChange();
}

void GameBase::ApplyVideoMode() {
    Vantor::RenderSystem* render = Vantor::RenderSystem::Instance();
    if (TakeIssued(kUpdateVideoModeCommand)) render->CheckVideoMode();
    if (!render->IsResetPending()) return;
    audioManager_->PauseAllMusic(true, false, kMusicFadeRate);
    RestoreDevice();
    audioManager_->PauseAllMusic(false, true, kMusicFadeRate);
    // The keys of the switch (Alt+Enter) must not reach the game.
    Vantor::Controls::Instance()->BlockUntilReleased();
}

void GameBase::FollowWindowModeChange() {
    // The windows showing the full-screen choice take the new value while the command
    // stays issued; the counter keeps its count over frames in which it is idle.
    if (!IsIssued(kWindowChangeModeCommand)) return;
    if (++windowModeFrames_ < kWindowModeFramesBeforeUpdate) return;
    windowModeFrames_ = 0;
    SetIdle(kWindowChangeModeCommand);
    Vantor::Config::Instance()->SetCommandState(kUpdateVideoModeCommand, 0);
}

void GameBase::RestoreDevice() { Vantor::RenderSystem::Instance()->ResetDevice(Vantor::RenderSystem::kResetDevice); }

void GameBase::Update() {
    audioManager_->Update();
    // A window that reports while being opened is answered in the same frame.
    for (int pass = 0; pass < 3; ++pass) {
        DispatchWindowResults();
        ResetWindowResults();
    }
    UpdateWindows();
    if (cursor_) cursor_->Update();
    spriteManager_->Update();
}

void GameBase::RegisterConsoleCommands() {
    Vantor::Config* config = Vantor::Config::Instance();
    const auto registerCommand = [config](const char* name) {
        config->RegisterVariable(name, Vantor::ConfigVariableType::Command, false, false, nullptr, "", false);
    };
    registerCommand(kUsedVideoMemoryCommand);
    registerCommand(kManagersOccupationCommand);
    registerCommand(kLoadedTexturesCommand);
    config->RegisterVariable(kShowStatisticsVariable, Vantor::ConfigVariableType::Bool, false, true, &showStatistics_,
                             "0", false);
    registerCommand(kUpdateVideoModeCommand);
    registerCommand(kOpenMapCommand);
    registerCommand(kResetMapCommand);
    registerCommand(kDisableCheatsCommand);
}

void GameBase::ExecuteConsoleCommands() {
    if (TakeIssued(kUsedVideoMemoryCommand)) PrintUsedVideoMemory();
    if (TakeIssued(kManagersOccupationCommand)) PrintManagersOccupation();
    if (TakeIssued(kLoadedTexturesCommand)) PrintLoadedTextures();
    if (TakeIssued(kOpenMapCommand)) OpenAllLevels();
    if (TakeIssued(kResetMapCommand)) ResetLevelProgress();
    if (TakeIssued(kDisableCheatsCommand)) {
        if (Vantor::Console* console = engine_->GetConsole()) console->SetEnabled(false);
    }
}

void GameBase::PrintUsedVideoMemory() {
    char megabytes[32];
    std::snprintf(megabytes, sizeof(megabytes), "%.2f",
                  static_cast<double>(static_cast<float>(textureManager_->GetUsedVideoMemorySize()) / 1048576.0f));
    Print(std::string("Video Memory Used: ") + megabytes + " Mb");
}

void GameBase::PrintManagersOccupation() {
    const Vantor::ShaderManager* shaders = Vantor::ShaderManager::Instance();
    const Vantor::SoundManager* sounds = engine_->GetSoundManager();
    Print("Shader users count: " + std::to_string(shaders->GetShaderUserCount()));
    Print("Shaders count: " + std::to_string(shaders->GetShaderCount()));
    Print("Textures count: " + std::to_string(textureManager_->GetTextureCount()));
    Print("Models count: " + std::to_string(Vantor::ModelManager::Instance()->GetModelCount()));
    // A game without a sound device has no sounds.
    Print("Sounds count: " + std::to_string(sounds ? sounds->GetSoundCount() : 0));
}

void GameBase::PrintLoadedTextures() {
    std::vector<Vantor::Texture2D*> textures;
    textureManager_->GetTextures(textures);
    for (std::size_t i = 0; i < textures.size(); ++i)
        Print("Texture " + std::to_string(i) + ": " + textures[i]->key +
              " (used memory: " + std::to_string(static_cast<std::uint32_t>(textures[i]->videoBytes)) + ")");
}

void GameBase::OpenAllLevels() {
    ProfileBase* profile = profileManager_->GetCurrentProfile();
    if (!profile) return;
    // The last level that exists: stages without levels at the end are passed over.
    for (std::size_t stage = levelManager_->GetStageCount(); stage-- > 0;) {
        const std::int32_t levels = levelManager_->GetStage(stage)->levelCount;
        if (levels <= 0) continue;
        profile->SetMaxLevel(LevelKey{static_cast<std::uint8_t>(stage), static_cast<std::uint8_t>(levels - 1)}, false);
        break;
    }
    profile->SetCurrentLevel(LevelKey{0, 0});
}

void GameBase::ResetLevelProgress() {
    ProfileBase* profile = profileManager_->GetCurrentProfile();
    if (!profile) return;
    // The maximum level stays: a profile only ever raises it.
    profile->SetCurrentLevel(LevelKey{0, 0});
    profile->ResetGameProgress();
    profile->SetGameInProgress(false);
    profile->Save();
}

void GameBase::CheckCheatPhrase() {
    Vantor::Console* console = engine_->GetConsole();
    if (!console || console->IsEnabled()) return;
    if (!cheatPhrase_.Take(*Vantor::Controls::Instance())) return;
    console->SetEnabled(true);
    console->Open();
    PrintCheatHelp();
}

void GameBase::PrintCheatHelp() {
    Vantor::MessageManager* log = Vantor::MessageManager::Instance();
    const std::string rule(39, '-');
    log->PrintHighlight("");
    log->PrintHighlight(rule);
    log->PrintHighlight("- CHEAT MODE ON");
    log->PrintHighlight(rule);
    // The key shown is the default console key, whatever "ui_console_key" holds.
    log->PrintHighlight("- Key \"~\" - toggle console");
    log->PrintHighlight("- Console command \"g_disable_cheats\" - cheat mode off");
}

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
