#pragma once
// A small game on the framework for the framework's tests: a game class with a level
// manager, a profile manager, game data, a cursor and a level logic, and one window
// class per factory deriving from its framework base and from the window base over a
// tiny template. Its windows report the results a test asks for, on update, inside
// their open operation or on an injected key; the game writes what happens (window
// updates and openings, handler calls, destructions) into a journal the test owns.
// The loading windows load as the game's do: the game loading window a slice per frame,
// the level loading window everything while opening. Its level logic keeps time from the
// start and ends when a test sets its state. Its data folder is written by TestGameData.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/GameBase.h"
#include "framework/GUIFrameworkWindow.h"
#include "gui_tools/GUIWindowBase.h"

namespace frameworktest {

using Journal = std::vector<std::string>;

// What a test window reports; each result is reported once and then forgotten.
struct WindowScript {
    GameFramework::WindowResult onUpdate = GameFramework::WindowResult::None;
    GameFramework::WindowResult onOpen = GameFramework::WindowResult::None;
    // Key name -> result reported in the update of a frame in which the key was pressed
    // while the window is open.
    std::map<std::string, GameFramework::WindowResult> onKey;
};

// The looks and the script of every test window, whatever its framework base.
class TestWindowLooks : public GUITools::GUIWindowBase {
public:
    TestWindowLooks(GameFramework::GameBase& game, Journal& journal, const std::string& name);
    ~TestWindowLooks() override;

    const std::string& GetName() const { return name_; }
    // Opened and not closed since; the looks hide only in the next update.
    bool IsOpen() const { return open_; }

    WindowScript script;

protected:
    // Called by the window's own update after its framework base's update.
    void Follow(GameFramework::GUIFrameworkWindow& window);
    void Opened(GameFramework::GUIFrameworkWindow& window);
    void Closed() { open_ = false; }

    Journal& journal_;
    std::string name_;
    bool open_ = false;
};

template <class Base>
class TestWindow : public Base, public TestWindowLooks {
public:
    template <class... Arguments>
    TestWindow(GameFramework::GameBase& game, Journal& journal, const std::string& name, Arguments... arguments)
        : Base(arguments...), TestWindowLooks(game, journal, name) {}

    void Update() override {
        Base::Update();
        GUIWindowBase::Update();
        Follow(*this);
    }
    void Open(GameFramework::WindowId source) override {
        Base::Open(source);
        Show(true);
        Opened(*this);
    }
    void Close() override {
        Base::Close();
        Show(false);
        Closed();
    }
};

struct TestGameOptions {
    // The level-manager factory throws instead of making one.
    bool throwInLevelManager = false;
    // The loader's message that brings the window to the front; 0 for none.
    std::uint32_t restoreMessage = 0;
};

class TestGame : public GameFramework::GameBase {
public:
    // The maker "Test Maker", the game "Test Game", version 102, the distributor "default".
    TestGame(Journal& journal, const std::wstring& installPath, const TestGameOptions& options = {});

    void FillEngineSettings(Vantor::EngineSettings& settings) override;
    // The test's part of a frame (the game's update belongs to the frame's own issue):
    // three passes of dispatch and reset, then the window updates.
    void RunFrame();

    // Every window of the framework, by its journal name ("logos", "game_loading", ...),
    // null when not made yet.
    GameFramework::GUIFrameworkWindow* FindWindow(const std::string& name) const;
    TestWindowLooks* FindLooks(const std::string& name) const;
    GameFramework::GUITutorialWindowBase* GetTutorialWindow() const { return tutorialWindow_; }
    // Takes the level logic over in place of the running one.
    void SetGameLogic(GameFramework::GameLogicBase* logic);
    GameTools::DataKeeper* GetLevelData() const { return levelData_; }
    GameTools::DataKeeper* GetPreviousLevelData() const { return previousLevelData_; }

    // Runs in a handler after it was written into the journal, by journal name.
    std::map<std::string, std::function<void()>> handlerActions;

    GameFramework::LevelManagerBase* CreateLevelManager() override;
    GameFramework::ProfileManagerBase* CreateProfileManager() override;
    GameTools::DataKeeper* CreateGameData() override;
    GameFramework::GUIGameCursorBase* CreateGameCursor() override;
    GameFramework::GUILogosWindowBase* CreateLogosWindow() override;
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

    void OnLogosWindow() override {
        Handled("logos", [this] { GameBase::OnLogosWindow(); });
    }
    void OnGameLoadingWindow() override {
        Handled("game_loading", [this] { GameBase::OnGameLoadingWindow(); });
    }
    void OnWelcomeWindow() override {
        Handled("welcome", [this] { GameBase::OnWelcomeWindow(); });
    }
    void OnExitWindow() override {
        Handled("exit", [this] { GameBase::OnExitWindow(); });
    }
    void OnMainMenuWindow() override {
        Handled("main_menu", [this] { GameBase::OnMainMenuWindow(); });
    }
    void OnProfilesWindow() override {
        Handled("profiles", [this] { GameBase::OnProfilesWindow(); });
    }
    void OnGameLogicLoadingWindow() override {
        Handled("level_loading", [this] { GameBase::OnGameLogicLoadingWindow(); });
    }
    void OnNewProfileWindow() override {
        Handled("new_profile", [this] { GameBase::OnNewProfileWindow(); });
    }
    void OnRenameProfileWindow() override {
        Handled("rename_profile", [this] { GameBase::OnRenameProfileWindow(); });
    }
    void OnDeleteProfileWindow() override {
        Handled("delete_profile", [this] { GameBase::OnDeleteProfileWindow(); });
    }
    void OnProfileNameConflictWindow() override {
        Handled("name_conflict", [this] { GameBase::OnProfileNameConflictWindow(); });
    }
    void OnStartGameLogicWindow() override {
        Handled("start", [this] { GameBase::OnStartGameLogicWindow(); });
    }
    void OnContinueGameLogicWindow() override {
        Handled("continue", [this] { GameBase::OnContinueGameLogicWindow(); });
    }
    void OnHighScoresWindow() override {
        Handled("high_scores", [this] { GameBase::OnHighScoresWindow(); });
    }
    void OnOptionsWindow() override {
        Handled("options", [this] { GameBase::OnOptionsWindow(); });
    }
    void OnHelpWindow() override {
        Handled("help", [this] { GameBase::OnHelpWindow(); });
    }
    void OnGameLogicWindow() override {
        Handled("level_display", [this] { GameBase::OnGameLogicWindow(); });
    }
    void OnGameLogicPauseWindow() override {
        Handled("pause", [this] { GameBase::OnGameLogicPauseWindow(); });
    }
    void OnGameLogicMenuWindow() override {
        Handled("level_menu", [this] { GameBase::OnGameLogicMenuWindow(); });
    }
    void OnGameLogicMenuExitWindow() override {
        Handled("leave_level", [this] { GameBase::OnGameLogicMenuExitWindow(); });
    }
    void OnGameLogicRestartWindow() override {
        Handled("restart", [this] { GameBase::OnGameLogicRestartWindow(); });
    }
    void OnGameLogicGameExitWindow() override {
        Handled("quit_from_level", [this] { GameBase::OnGameLogicGameExitWindow(); });
    }
    void OnLevelWon() override {
        Handled("level_won", [this] { GameBase::OnLevelWon(); });
    }
    void OnLevelLost() override {
        Handled("level_lost", [this] { GameBase::OnLevelLost(); });
    }
    void OnLevelCompleteWindow() override {
        Handled("level_complete", [this] { GameBase::OnLevelCompleteWindow(); });
    }
    void OnStageCompleteWindow() override {
        Handled("stage_complete", [this] { GameBase::OnStageCompleteWindow(); });
    }
    void OnGameCompleteWindow() override {
        Handled("game_complete", [this] { GameBase::OnGameCompleteWindow(); });
    }
    void OnGameOverWindow() override {
        Handled("game_over", [this] { GameBase::OnGameOverWindow(); });
    }

protected:
    // For a derived game that makes some of the parts itself: its own constructor calls
    // Initialize, once its overrides are in place.
    struct InitializeLater {};
    TestGame(Journal& journal, const std::wstring& installPath, const TestGameOptions& options, InitializeLater);

private:
    // Journals the handler's call, runs the framework's handler, then the test's action.
    void Handled(const std::string& name, const std::function<void()>& base);
    GameFramework::GUILoadingWindowBase* MakeLoading(const std::string& name, bool atOnce);
    template <class Window>
    Window* Register(const std::string& name, Window* window);
    template <class Base, class... Arguments>
    TestWindow<Base>* Make(const std::string& name, Arguments... arguments);

    Journal& journal_;
    TestGameOptions options_;
    std::map<std::string, GameFramework::GUIFrameworkWindow*> windowsByName_;
    std::map<std::string, TestWindowLooks*> looksByName_;
    int levelDataMade_ = 0;
};

}  // namespace frameworktest
