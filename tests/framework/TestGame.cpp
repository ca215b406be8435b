#include "tests/framework/TestGame.h"

#include <stdexcept>

#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/EngineSettings.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelEntry.h"
#include "framework/LevelManagerBase.h"
#include "framework/StageEntry.h"
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
#include "tests/framework/PlayerDataTestSupport.h"
#include "tests/framework/TestGameData.h"
#include "tools/DataKeeper.h"

namespace frameworktest {

using namespace GameFramework;

namespace {

// The game's parts whose destruction the journal records.
class JournalLevelManager : public LevelManagerBase {
public:
    explicit JournalLevelManager(Journal& journal) : journal_(journal) { Load(); }
    ~JournalLevelManager() override { journal_.push_back("~level_manager"); }

protected:
    StageEntry* CreateStageRecord() override { return new StageEntry; }
    LevelEntry* CreateLevelRecord() override { return new LevelEntry; }

private:
    Journal& journal_;
};

class JournalProfileManager : public ProfileManagerBase {
public:
    JournalProfileManager(Journal& journal, AudioManager* audio, const std::wstring& folder)
        : ProfileManagerBase(audio, folder, "TBPMF", 100), journal_(journal) {
        LoadAll();
    }
    ~JournalProfileManager() override { journal_.push_back("~profile_manager"); }

protected:
    ProfileBase* CreateProfile(int mode, const std::wstring& text) override {
        return new TestProfile(mode, text, GetFolder());
    }

private:
    Journal& journal_;
};

class JournalDataKeeper : public GameTools::DataKeeper {
public:
    JournalDataKeeper(Journal& journal, const std::string& name) : journal_(journal), name_(name) {}
    ~JournalDataKeeper() override { journal_.push_back("~" + name_); }

    // One extra step with nothing to load, as a keeper of a level's data has.
    bool LoadExtraStep(int step) override { return step == kResourceSteps + 1 || step == kAllExtraSteps; }

private:
    Journal& journal_;
    std::string name_;
};

class JournalCursor : public GUIGameCursorBase {
public:
    explicit JournalCursor(Journal& journal) : journal_(journal) {}
    ~JournalCursor() override { journal_.push_back("~cursor"); }

private:
    Journal& journal_;
};

class TestTutorialWindow : public GUITutorialWindowBase, public TestWindowLooks {
public:
    TestTutorialWindow(GameBase& game, Journal& journal, Tutorial* tutorial)
        : GUITutorialWindowBase(tutorial), TestWindowLooks(game, journal, "tutorial") {}

    void Update() override {
        GUITutorialWindowBase::Update();
        GUIWindowBase::Update();
    }
    void Open() override {
        GUITutorialWindowBase::Open();
        Show(true);
    }
    void Close() override {
        GUITutorialWindowBase::Close();
        Show(false);
    }
};

// Loads as the game's loading windows do: everything while opening (reporting at once),
// or one slice in each update while shown (reporting when finished).
class TestLoadingWindow : public TestWindow<GUILoadingWindowBase> {
public:
    TestLoadingWindow(GameBase& game, Journal& journal, const std::string& name, bool atOnce)
        : TestWindow(game, journal, name), atOnce_(atOnce) {}

    void OpenWith(WindowId source, GameTools::DataKeeper* keeper) override {
        TestWindow::OpenWith(source, keeper);
        if (!atOnce_) return;
        LoadAll();
        ReportWhileOpening(WindowResult::Finished);
    }
    void Update() override {
        TestWindow::Update();
        if (atOnce_ || !IsOpen() || !GetDataKeeper() || IsFinished()) return;
        LoadStep();
        if (IsFinished()) Report(WindowResult::Finished);
    }

private:
    bool atOnce_;
};

// A level whose clock runs from the start; a test ends it as it likes.
class TestGameLogic : public GameLogicBase {
public:
    TestGameLogic(AudioManager* audio, const StageEntry* stage, const LevelEntry* level, std::uint8_t progress)
        : GameLogicBase(audio, stage, level, progress) {
        SetTimerPaused(false);
    }
};

}  // namespace

TestWindowLooks::TestWindowLooks(GameBase& game, Journal& journal, const std::string& name)
    : GUIWindowBase(game.GetGameData(), game.GetToolManager(), nullptr, TestWindowLayoutOf(name)),
      journal_(journal),
      name_(name) {}

TestWindowLooks::~TestWindowLooks() { journal_.push_back("~" + name_); }

void TestWindowLooks::Follow(GUIFrameworkWindow& window) {
    journal_.push_back("update " + name_);
    if (IsOpen())
        for (const auto& [key, result] : script.onKey)
            if (Vantor::Controls::Instance()->IsKeyPressed(key)) window.Report(result);
    if (script.onUpdate == WindowResult::None) return;
    window.Report(script.onUpdate);
    script.onUpdate = WindowResult::None;
}

void TestWindowLooks::Opened(GUIFrameworkWindow& window) {
    open_ = true;
    journal_.push_back("open " + name_ + " from " + std::to_string(static_cast<int>(window.GetSource())));
    if (script.onOpen == WindowResult::None) return;
    window.ReportWhileOpening(script.onOpen);
    script.onOpen = WindowResult::None;
}

TestGame::TestGame(Journal& journal, const std::wstring& installPath, const TestGameOptions& options)
    : TestGame(journal, installPath, options, InitializeLater{}) {
    Initialize();
}

TestGame::TestGame(Journal& journal, const std::wstring& installPath, const TestGameOptions& options, InitializeLater)
    : GameBase(L"Test Maker", L"Test Game", 102, L"Software\\Test Maker\\Test Game", installPath, L"default",
               options.restoreMessage),
      journal_(journal),
      options_(options) {}

void TestGame::FillEngineSettings(Vantor::EngineSettings& settings) {
    GameBase::FillEngineSettings(settings);
    settings.fullscreen = false;
    settings.usePacks = false;
    settings.displayMode = "800x600x32";
}

void TestGame::SetGameLogic(GameFramework::GameLogicBase* logic) {
    delete gameLogic_;
    gameLogic_ = logic;
}

void TestGame::RunFrame() {
    for (int pass = 0; pass < 3; ++pass) {
        DispatchWindowResults();
        ResetWindowResults();
    }
    UpdateWindows();
}

GUIFrameworkWindow* TestGame::FindWindow(const std::string& name) const {
    const auto found = windowsByName_.find(name);
    return found == windowsByName_.end() ? nullptr : found->second;
}

TestWindowLooks* TestGame::FindLooks(const std::string& name) const {
    const auto found = looksByName_.find(name);
    return found == looksByName_.end() ? nullptr : found->second;
}

void TestGame::Handled(const std::string& name, const std::function<void()>& base) {
    journal_.push_back("handle " + name);
    base();
    const auto action = handlerActions.find(name);
    if (action != handlerActions.end()) action->second();
}

template <class Base, class... Arguments>
TestWindow<Base>* TestGame::Make(const std::string& name, Arguments... arguments) {
    return Register(name, new TestWindow<Base>(*this, journal_, name, arguments...));
}

template <class Window>
Window* TestGame::Register(const std::string& name, Window* window) {
    windowsByName_[name] = window;
    looksByName_[name] = window;
    return window;
}

GUILoadingWindowBase* TestGame::MakeLoading(const std::string& name, bool atOnce) {
    return Register(name, new TestLoadingWindow(*this, journal_, name, atOnce));
}

LevelManagerBase* TestGame::CreateLevelManager() {
    if (options_.throwInLevelManager) throw std::runtime_error("no level manager");
    return new JournalLevelManager(journal_);
}

ProfileManagerBase* TestGame::CreateProfileManager() {
    return new JournalProfileManager(journal_, audioManager_, userDataFolder_);
}

GameTools::DataKeeper* TestGame::CreateGameData() { return new JournalDataKeeper(journal_, "game_data"); }
GUIGameCursorBase* TestGame::CreateGameCursor() { return new JournalCursor(journal_); }
GUILogosWindowBase* TestGame::CreateLogosWindow() { return Make<GUILogosWindowBase>("logos"); }
GUILoadingWindowBase* TestGame::CreateGameLoadingWindow() { return MakeLoading("game_loading", false); }
GUILoadingWindowBase* TestGame::CreateGameLogicLoadingWindow() { return MakeLoading("level_loading", true); }
GUITutorialWindowBase* TestGame::CreateTutorialWindow() {
    auto* window = new TestTutorialWindow(*this, journal_, tutorial_);
    looksByName_["tutorial"] = window;
    return window;
}
GUIWelcomeWindowBase* TestGame::CreateWelcomeWindow() { return Make<GUIWelcomeWindowBase>("welcome", profileManager_); }
GUIExitWindowBase* TestGame::CreateExitWindow() { return Make<GUIExitWindowBase>("exit"); }
GUIMainMenuWindowBase* TestGame::CreateMainMenuWindow() { return Make<GUIMainMenuWindowBase>("main_menu"); }
GUIProfilesWindowBase* TestGame::CreateProfilesWindow() { return Make<GUIProfilesWindowBase>("profiles", profileManager_); }
GUINewProfileWindowBase* TestGame::CreateNewProfileWindow() {
    return Make<GUINewProfileWindowBase>("new_profile", profileManager_);
}
GUIRenameProfileWindowBase* TestGame::CreateRenameProfileWindow() {
    return Make<GUIRenameProfileWindowBase>("rename_profile", profileManager_);
}
GUIDeleteProfileWindowBase* TestGame::CreateDeleteProfileWindow() {
    return Make<GUIDeleteProfileWindowBase>("delete_profile", profileManager_);
}
GUIProfileNameConflictWindowBase* TestGame::CreateProfileNameConflictWindow() {
    return Make<GUIProfileNameConflictWindowBase>("name_conflict");
}
GUIStartGameLogicWindowBase* TestGame::CreateStartGameLogicWindow() { return Make<GUIStartGameLogicWindowBase>("start"); }
GUIContinueGameLogicWindowBase* TestGame::CreateContinueGameLogicWindow() {
    return Make<GUIContinueGameLogicWindowBase>("continue");
}
GUIHighScoresWindowBase* TestGame::CreateHighScoresWindow() {
    return Make<GUIHighScoresWindowBase>("high_scores", highScoresTable_);
}
GUIOptionsWindowBase* TestGame::CreateOptionsWindow() {
    return Make<GUIOptionsWindowBase>("options", audioManager_, profileManager_);
}
GUIHelpWindowBase* TestGame::CreateHelpWindow() { return Make<GUIHelpWindowBase>("help"); }
GUIGameLogicWindowBase* TestGame::CreateGameLogicWindow() {
    auto* window = Make<GUIGameLogicWindowBase>("level_display", profileManager_);
    // Behind the windows opened over the level.
    window->GetRoot()->SetFlags(Vantor::GUIWindow::kBackLayer);
    return window;
}
GUIGameLogicPauseWindowBase* TestGame::CreateGameLogicPauseWindow() { return Make<GUIGameLogicPauseWindowBase>("pause"); }
GUIGameLogicMenuWindowBase* TestGame::CreateGameLogicMenuWindow() {
    return Make<GUIGameLogicMenuWindowBase>("level_menu", audioManager_, profileManager_);
}
GUIGameLogicMenuExitWindowBase* TestGame::CreateGameLogicMenuExitWindow() {
    return Make<GUIGameLogicMenuExitWindowBase>("leave_level");
}
GUIGameLogicRestartWindowBase* TestGame::CreateGameLogicRestartWindow() {
    return Make<GUIGameLogicRestartWindowBase>("restart");
}
GUIGameLogicGameExitWindowBase* TestGame::CreateGameLogicGameExitWindow() {
    return Make<GUIGameLogicGameExitWindowBase>("quit_from_level");
}
GUILevelCompleteWindowBase* TestGame::CreateLevelCompleteWindow() {
    return Make<GUILevelCompleteWindowBase>("level_complete", levelManager_);
}
GUIStageCompleteWindowBase* TestGame::CreateStageCompleteWindow() {
    return Make<GUIStageCompleteWindowBase>("stage_complete", levelManager_);
}
GUIGameCompleteWindowBase* TestGame::CreateGameCompleteWindow() { return Make<GUIGameCompleteWindowBase>("game_complete"); }
GUIGameOverWindowBase* TestGame::CreateGameOverWindow() { return Make<GUIGameOverWindowBase>("game_over"); }

GameTools::DataKeeper* TestGame::CreateGameLogicData(const StageEntry*, const LevelEntry*) {
    return new JournalDataKeeper(journal_, "level_data_" + std::to_string(++levelDataMade_));
}

GameLogicBase* TestGame::CreateGameLogic(const StageEntry* stage, const LevelEntry* level, std::uint8_t progress) {
    return new TestGameLogic(audioManager_, stage, level, progress);
}

}  // namespace frameworktest
