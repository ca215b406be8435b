#pragma once
// The game object over the data set make_data built for the test run, in a private
// home on the headless backend (or the sdl one) and the virtual clock. The probe opens
// the game's windows and objects to the tests, which set a window's result directly
// and run dispatch passes as the frame does.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/GUIFrameworkWindow.h"
#include "framework/ProfileManagerBase.h"
#include "framework/windows/GUIContinueGameLogicWindowBase.h"
#include "framework/windows/GUIExitWindowBase.h"
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
#include "framework/windows/GUIMainMenuWindowBase.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "game/Game.h"
#include "game/screens/GUIIntroductionWindow.h"
#include "platform/Clock.h"
#include "platform/WinPaths.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tools/DataKeeper.h"

namespace gameobjecttest {

class GameProbe : public Morvane::Game {
public:
    using Game::Game;

    using GameBase::continueGameLogicWindow_;
    using GameBase::exitWindow_;
    using GameBase::gameLoadingWindow_;
    using GameBase::gameLogicGameExitWindow_;
    using GameBase::gameLogicLoadingWindow_;
    using GameBase::gameLogicMenuExitWindow_;
    using GameBase::gameLogicMenuWindow_;
    using GameBase::gameLogicPauseWindow_;
    using GameBase::gameLogicRestartWindow_;
    using GameBase::gameLogicWindow_;
    using GameBase::gameOverWindow_;
    using GameBase::guiSoundManager_;
    using GameBase::highScoresWindow_;
    using GameBase::levelCompleteWindow_;
    using GameBase::logosWindow_;
    using GameBase::mainMenuWindow_;
    using GameBase::stageCompleteWindow_;
    using GameBase::startGameLogicWindow_;
    using GameBase::welcomeWindow_;
    using Game::dayCompleteWindow_;
    using Game::finalWindow_;
    using Game::houseWindow_;
    using Game::introductionWindow_;
    using Game::mechanicWindow_;
    using Game::meetingWindow_;
    using Game::menuBackground_;
    using Game::menuWindowManager_;
    using Game::resetProfileWindow_;
    using Game::upgradeWindow_;

    // One dispatch pass and the reset after it, as the frame runs them.
    void Pass() {
        DispatchWindowResults();
        ResetWindowResults();
    }
    // The window reports the result, which the next pass answers.
    void Report(GameFramework::GUIFrameworkWindow* window, GameFramework::WindowResult result) {
        window->Report(result);
        Pass();
    }
};

class GameObjectFixture : public enginetest::EngineObjectTest {
protected:
    static constexpr const wchar_t* kMaker = L"Dremlock";
    static constexpr const wchar_t* kGameName = L"Morvane";
    // The game's settings, log and profiles, below the user-data folder.
    static constexpr const char* kGameFolder = "user/Dremlock/Morvane";

    // The game's own configuration, written before the game is made.
    void WriteSettings(const std::string& lines) {
        home_.folder.WriteFile(std::string(kGameFolder) + "/Morvane.ini", lines);
    }

    void SetUp() override {
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        ASSERT_TRUE(std::filesystem::is_directory(DataFolder())) << "make_data has not built " << DataFolder();
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    static std::filesystem::path DataFolder() { return MORVANE_DATA_SET_FOLDER; }
    // The folder holding "data": the installation.
    static std::wstring InstallPath() { return platform::ToWindowsPath(DataFolder().parent_path().string()); }

    GameProbe& MakeGame(const std::wstring& installPath = InstallPath()) {
        game_ = std::make_unique<GameProbe>(kMaker, kGameName, 102, L"SOFTWARE\\Dremlock\\Morvane", installPath,
                                            L"default", 0u);
        return *game_;
    }

    // From the logos (and on a first run the comic) through the loading, with every
    // resource loaded at once: the menus' first window is open.
    GameProbe& MakeGameWithWindows() {
        GameProbe& game = MakeGame();
        game.Report(game.logosWindow_, GameFramework::WindowResult::Finished);
        if (game.introductionWindow_) game.Report(game.introductionWindow_, GameFramework::WindowResult::Finished);
        game.GetGameData()->LoadAll();
        game.Report(game.gameLoadingWindow_, GameFramework::WindowResult::Finished);
        return game;
    }

    std::unique_ptr<GameProbe> game_;
};

// The same under the test run's X server, running the game's own frames on the virtual
// clock, in a window rather than over the whole display.
class GameObjectSdlFixture : public GameObjectFixture {
protected:
    void SetUp() override {
        // Mesa's shader cache writer, still busy when the program ends, can crash the leak
        // checker's walk over the threads.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        platform::seam::UseVirtualClock();
        GameObjectFixture::SetUp();
        WriteSettings("v_fullscreen 0\n");
    }
};

}  // namespace gameobjecttest
