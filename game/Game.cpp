#include "game/Game.h"

#include <array>
#include <memory>
#include <string>

#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/MessageManager.h"
#include "framework/AudioManager.h"
#include "game/GUIBackground.h"
#include "game/GUIGameCursor.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUIDayCompleteWindow.h"
#include "game/screens/GUIDeleteProfileWindow.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIFinalWindow.h"
#include "game/screens/GUIGameCompleteWindow.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUIGameLogicGameExitWindow.h"
#include "game/screens/GUIGameLogicLoadingWindow.h"
#include "game/screens/GUIGameLogicMenuExitWindow.h"
#include "game/screens/GUIGameLogicMenuWindow.h"
#include "game/screens/GUIGameLogicPauseWindow.h"
#include "game/screens/GUIGameLogicRestartWindow.h"
#include "game/screens/GUIGameLogicWindow.h"
#include "game/screens/GUIGameOverWindow.h"
#include "game/screens/GUIHelpWindow.h"
#include "game/screens/GUIHighScoresWindow.h"
#include "game/screens/GUIHouseWindow.h"
#include "game/screens/GUIIntroductionWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "game/screens/GUILogosWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIMechanicWindow.h"
#include "game/screens/GUIMeetingWindow.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "game/screens/GUINewProfileWindow.h"
#include "game/screens/GUIOptionsWindow.h"
#include "game/screens/GUIProfileNameConflictWindow.h"
#include "game/screens/GUIProfilesWindow.h"
#include "game/screens/GUIRenameProfileWindow.h"
#include "game/screens/GUIResetProfileWindow.h"
#include "game/screens/GUIStageCompleteWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUITutorialWindow.h"
#include "game/screens/GUIUpgradeWindow.h"
#include "game/screens/GUIWelcomeWindow.h"

namespace Morvane {

namespace {

// The game data's resource lists, in loading order, after which the framework adds its
// own two. The introduction comic's list is loaded on a first run only.
struct ResourceList {
    const wchar_t* path;
    bool atOnce;
};
constexpr ResourceList kMenuBackgroundBasic{L"data\\ui\\background\\resources_basic.xml", true};
constexpr ResourceList kMenuBackgroundAdditional{L"data\\ui\\background\\resources_additional.xml", false};
constexpr ResourceList kIntroductionComic{L"data\\ui\\resources_introduction_comics.xml", true};
constexpr std::array<ResourceList, 6> kGameLists{{
    {L"data\\background\\resources.xml", false},
    {L"data\\house\\resources.xml", false},
    {L"data\\final\\resources.xml", false},
    {L"data\\game_objects\\provisions_resources.xml", false},
    {L"data\\game_objects\\room_resources.xml", false},
    {L"data\\game_objects\\customers_resources.xml", false},
}};

void Load(GameData& data, const ResourceList& list) { data.LoadResourceList(list.path, list.atOnce); }

// The cheat keys, printed after the framework's banner when cheat mode starts.
constexpr std::array<const char*, 18> kCheatHelp{{
    "---------------------------------------",
    "- Press in start game screen",
    "- \"F1\" - add $1000",
    "- \"F1\" + \"LEFT SHIFT\" - subtract $1000",
    "- \"F2\" - add $100",
    "- \"F2\" + \"LEFT SHIFT\" - subtract $100",
    "- \"F3\" - add $10",
    "- \"F3\" + \"LEFT SHIFT\" - subtract $10",
    "- \"F4\" - add 100 points of qualification",
    "- \"F4\" + \"LEFT SHIFT\" - subtract 100 points of qualification",
    "- \"F6\" - set maximal mood",
    "- \"F6\" + \"LEFT SHIFT\" - set minimal mood",
    "---------------------------------------",
    "- Press in game play",
    "- \"F9\" - add extra 20 seconds for day time",
    "- \"F10\" - day complete",
    "---------------------------------------",
    "- Use \"Page Up\" to see remainder cheats",
}};

template <class Object>
void Destroy(Object*& object) {
    delete object;
    object = nullptr;
}

}  // namespace

Game::Game(const std::wstring& maker, const std::wstring& gameName, std::int32_t version,
           const std::wstring& registryKey, const std::wstring& installPath, const std::wstring& distributor,
           std::uint32_t restoreMessage)
    : GameBase(maker, gameName, version, registryKey, installPath, distributor, restoreMessage) {
    try {
        Initialize();
    } catch (...) {
        // Only the base's destructor runs after a throw from here.
        DestroyGameWindows();
        throw;
    }
}

Game::~Game() { DestroyGameWindows(); }

void Game::DestroyGameWindows() {
    Destroy(resetProfileWindow_);
    Destroy(finalWindow_);
    Destroy(mechanicWindow_);
    Destroy(meetingWindow_);
    Destroy(dayCompleteWindow_);
    Destroy(upgradeWindow_);
    Destroy(introductionWindow_);
    Destroy(houseWindow_);
    // The framework's windows are menu windows on the manager and the background.
    DestroyWindows();
    Destroy(menuWindowManager_);
    Destroy(menuBackground_);
}

GameData* Game::Data() const { return static_cast<GameData*>(gameData_); }

ProfileManager* Game::Profiles() const { return static_cast<ProfileManager*>(profileManager_); }

GUIGameCursor* Game::Cursor() const { return static_cast<GUIGameCursor*>(cursor_); }

Vantor::GUIWindow* Game::TopContainer() const { return menuBackground_->GetFrontWindow(); }

void Game::FillEngineSettings(Vantor::EngineSettings& settings) {
    GameBase::FillEngineSettings(settings);
    settings.displayMode = kDisplayMode;
    settings.iconId = kIconResource;
}

void Game::CreateWindows() {
    Cursor()->CreateEffects(Data());
    menuBackground_->CreateAdditionalLayers();
    GameBase::CreateWindows();
    Vantor::GUIWindow* top = TopContainer();
    houseWindow_ = new GUIHouseWindow(audioManager_, Profiles(), Data(), toolManager_, top, Cursor());
    upgradeWindow_ = new GUIUpgradeWindow(audioManager_, Profiles(), Data(), toolManager_, menuWindowManager_, top);
    dayCompleteWindow_ =
        new GUIDayCompleteWindow(audioManager_, Profiles(), Data(), toolManager_, menuWindowManager_, top);
    meetingWindow_ = new GUIMeetingWindow(audioManager_, Profiles(), Data(), toolManager_, menuWindowManager_, top);
    mechanicWindow_ = new GUIMechanicWindow(audioManager_, Profiles(), Data(), toolManager_, menuWindowManager_, top);
    finalWindow_ = new GUIFinalWindow(Profiles(), Data(), toolManager_, top, Cursor());
    resetProfileWindow_ =
        new GUIResetProfileWindow(audioManager_, Profiles(), Data(), toolManager_, menuWindowManager_, top);
}

GameFramework::LevelManagerBase* Game::CreateLevelManager() { return new LevelManager(); }

GameFramework::ProfileManagerBase* Game::CreateProfileManager() {
    return new ProfileManager(audioManager_, userDataFolder_);
}

GameTools::DataKeeper* Game::CreateGameData() {
    auto data = std::make_unique<GameData>();
    Load(*data, kMenuBackgroundBasic);
    Load(*data, kMenuBackgroundAdditional);
    if (profileManager_->IsFirstRun()) Load(*data, kIntroductionComic);
    for (const ResourceList& list : kGameLists) Load(*data, list);
    return data.release();
}

GameFramework::GUIGameCursorBase* Game::CreateGameCursor() { return new GUIGameCursor(); }

GameFramework::GUILogosWindowBase* Game::CreateLogosWindow() { return new GUILogosWindow(); }

GameFramework::GUILoadingWindowBase* Game::CreateGameLoadingWindow() {
    menuBackground_ = new GUIBackground(Data());
    menuBackground_->Show(true, false, 1.0f);
    menuWindowManager_ = new GUIMenuWindowManager(Data());
    if (profileManager_->IsFirstRun()) {
        introductionWindow_ = new GUIIntroductionWindow(audioManager_, Data(), toolManager_, TopContainer());
        introductionWindow_->Open(GameFramework::WindowId::Logos);
    }
    return new GUIGameLoadingWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUILoadingWindowBase* Game::CreateGameLogicLoadingWindow() {
    return new GUIGameLogicLoadingWindow(levelManager_);
}

GameFramework::GUITutorialWindowBase* Game::CreateTutorialWindow() {
    return new GUITutorialWindow(tutorial_, audioManager_, Data(), toolManager_, TopContainer());
}

GameFramework::GUIWelcomeWindowBase* Game::CreateWelcomeWindow() {
    return new GUIWelcomeWindow(profileManager_, audioManager_, Data(), toolManager_, menuWindowManager_,
                                TopContainer());
}

GameFramework::GUIExitWindowBase* Game::CreateExitWindow() {
    return new GUIExitWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUIMainMenuWindowBase* Game::CreateMainMenuWindow() {
    return new GUIMainMenuWindow(profileManager_, audioManager_, Data(), toolManager_, menuWindowManager_,
                                 TopContainer());
}

GameFramework::GUIProfilesWindowBase* Game::CreateProfilesWindow() {
    return new GUIProfilesWindow(audioManager_, profileManager_, Data(), toolManager_, menuWindowManager_,
                                 TopContainer());
}

GameFramework::GUINewProfileWindowBase* Game::CreateNewProfileWindow() {
    return new GUINewProfileWindow(profileManager_, audioManager_, Data(), toolManager_, menuWindowManager_,
                                   TopContainer());
}

GameFramework::GUIRenameProfileWindowBase* Game::CreateRenameProfileWindow() {
    return new GUIRenameProfileWindow(profileManager_, audioManager_, Data(), toolManager_, menuWindowManager_,
                                      TopContainer());
}

GameFramework::GUIDeleteProfileWindowBase* Game::CreateDeleteProfileWindow() {
    return new GUIDeleteProfileWindow(profileManager_, audioManager_, Data(), toolManager_, menuWindowManager_,
                                      TopContainer());
}

GameFramework::GUIProfileNameConflictWindowBase* Game::CreateProfileNameConflictWindow() {
    return new GUIProfileNameConflictWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUIStartGameLogicWindowBase* Game::CreateStartGameLogicWindow() {
    return new GUIStartGameLogicWindow(audioManager_, Profiles(), Data(), toolManager_, menuWindowManager_,
                                       TopContainer());
}

GameFramework::GUIContinueGameLogicWindowBase* Game::CreateContinueGameLogicWindow() {
    return new GUIContinueGameLogicWindow(audioManager_, profileManager_, Data(), toolManager_, menuWindowManager_,
                                          TopContainer());
}

GameFramework::GUIHighScoresWindowBase* Game::CreateHighScoresWindow() {
    return new GUIHighScoresWindow(audioManager_, highScoresTable_, Data(), toolManager_, menuWindowManager_,
                                   TopContainer());
}

GameFramework::GUIOptionsWindowBase* Game::CreateOptionsWindow() {
    return new GUIOptionsWindow(audioManager_, profileManager_, Data(), toolManager_, menuWindowManager_,
                                TopContainer());
}

GameFramework::GUIHelpWindowBase* Game::CreateHelpWindow() { return new GUIHelpWindow(); }

GameFramework::GUIGameLogicWindowBase* Game::CreateGameLogicWindow() {
    return new GUIGameLogicWindow(Profiles(), Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUIGameLogicPauseWindowBase* Game::CreateGameLogicPauseWindow() {
    return new GUIGameLogicPauseWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUIGameLogicMenuWindowBase* Game::CreateGameLogicMenuWindow() {
    return new GUIGameLogicMenuWindow(audioManager_, profileManager_, Data(), toolManager_, menuWindowManager_,
                                      TopContainer());
}

GameFramework::GUIGameLogicMenuExitWindowBase* Game::CreateGameLogicMenuExitWindow() {
    return new GUIGameLogicMenuExitWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUIGameLogicRestartWindowBase* Game::CreateGameLogicRestartWindow() {
    return new GUIGameLogicRestartWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUIGameLogicGameExitWindowBase* Game::CreateGameLogicGameExitWindow() {
    return new GUIGameLogicGameExitWindow(audioManager_, Data(), toolManager_, menuWindowManager_, TopContainer());
}

GameFramework::GUILevelCompleteWindowBase* Game::CreateLevelCompleteWindow() {
    return new GUILevelCompleteWindow(audioManager_, levelManager_, Data(), toolManager_, menuWindowManager_,
                                      TopContainer());
}

GameFramework::GUIStageCompleteWindowBase* Game::CreateStageCompleteWindow() {
    return new GUIStageCompleteWindow(levelManager_);
}

GameFramework::GUIGameCompleteWindowBase* Game::CreateGameCompleteWindow() { return new GUIGameCompleteWindow(); }

GameFramework::GUIGameOverWindowBase* Game::CreateGameOverWindow() { return new GUIGameOverWindow(); }

GameTools::DataKeeper* Game::CreateGameLogicData(const GameFramework::StageEntry* stage,
                                                 const GameFramework::LevelEntry* level) {
    return new GameLogicData(stage, level);
}

GameFramework::GameLogicBase* Game::CreateGameLogic(const GameFramework::StageEntry* stage,
                                                    const GameFramework::LevelEntry* level, std::uint8_t progress) {
    return new GameLogic(Profiles(), audioManager_, Data(), levelData_, tutorial_, toolManager_, stage, level,
                         progress);
}

void Game::PrintCheatHelp() {
    GameBase::PrintCheatHelp();
    Vantor::MessageManager* log = Vantor::MessageManager::Instance();
    for (const char* line : kCheatHelp) log->PrintHighlight(line);
}

void Game::UpdateWindows() {
    if (menuBackground_) menuBackground_->Update();
    if (menuWindowManager_) menuWindowManager_->PreUpdate();
    GameBase::UpdateWindows();
    for (GameFramework::GUIFrameworkWindow* window : OwnWindows())
        if (window) window->Update();
    if (menuWindowManager_) menuWindowManager_->Update();
}

void Game::ResetWindowResults() {
    GameBase::ResetWindowResults();
    for (GameFramework::GUIFrameworkWindow* window : OwnWindows())
        if (window) window->ResetResult();
}

void Game::DispatchWindowResults() {
    GameBase::DispatchWindowResults();
    // Each window is looked at when its turn comes: a handler may delete one.
    if (houseWindow_) OnHouseWindow();
    if (introductionWindow_) OnIntroductionWindow();
    if (upgradeWindow_) OnUpgradeWindow();
    if (dayCompleteWindow_) OnDayCompleteWindow();
    if (meetingWindow_) OnMeetingWindow();
    if (mechanicWindow_) OnMechanicWindow();
    if (finalWindow_) OnFinalWindow();
    if (resetProfileWindow_) OnResetProfileWindow();
}

std::array<GameFramework::GUIFrameworkWindow*, 8> Game::OwnWindows() const {
    return {houseWindow_,   introductionWindow_, upgradeWindow_, dayCompleteWindow_,
            meetingWindow_, mechanicWindow_,     finalWindow_,   resetProfileWindow_};
}

}  // namespace Morvane
