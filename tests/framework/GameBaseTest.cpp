// The game object: what initialisation leaves behind, where the engine and the player
// data write their files, the engine's settings, and what destruction deletes in
// which order, also when initialisation fails or ends before the windows exist.

#include "framework/GameBase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/Window.h"
#include "framework/GUIFrameworkWindow.h"
#include "tests/framework/TestGameFixture.h"
#include "tools/DataKeeper.h"
#include "tools/ResourceLoadEntry.h"

namespace {

using frameworktest::TestGameFixture;
using GameFramework::WindowId;

using GameBaseTest = TestGameFixture;

TEST_F(GameBaseTest, InitialisationOpensOnlyTheLogosWindowFromTheGameWithTheConsoleDisabled) {
    frameworktest::TestGame& game = MakeGame();
    EXPECT_EQ(std::vector<std::string>{"logos from 1"}, Entries("open "));
    EXPECT_EQ(WindowId::Game, game.FindWindow("logos")->GetSource());
    EXPECT_TRUE(game.FindLooks("logos")->IsVisible());
    EXPECT_FALSE(game.FindLooks("game_loading")->IsVisible());
    EXPECT_EQ(nullptr, game.FindWindow("welcome"));
    EXPECT_EQ(nullptr, game.GetTutorialWindow());
    EXPECT_FALSE(Vantor::Console::Instance()->IsEnabled());
    EXPECT_EQ(std::wstring(L"Test Game Title"), Vantor::Window::Instance()->GetTitle());

    const auto& pending = game.GetGameData()->GetPendingEntries();
    ASSERT_EQ(1u, pending.size()) << "the additional list is queued";
    EXPECT_EQ("ui/extra", pending[0]->key);
    EXPECT_NE(game.GetGameData()->GetShaderUser("ui/quad"), game.GetGameData()->GetShaderUser("ui/extra"))
        << "the basic list is loaded, the additional one is not";
}

TEST_F(GameBaseTest, LogAndConfigurationLieInTheGamesFolderAndPlayerDataInTheDistributorsFolder) {
    MakeGame();
    EXPECT_EQ(home_.root + L"\\user\\Test Maker\\Test Game\\default", game_->GetUserDataFolder());
    game_.reset();
    const std::filesystem::path folder = home_.folder.Path() / kGameFolder;
    EXPECT_TRUE(std::filesystem::exists(folder / "Test Game.html"));
    EXPECT_TRUE(std::filesystem::exists(folder / "Test Game.ini"));
    EXPECT_TRUE(std::filesystem::exists(folder / "default" / "high_scores.hsf"));
    EXPECT_TRUE(std::filesystem::exists(folder / "default" / "profiles.pmf"));
}

TEST_F(GameBaseTest, EngineSettingsTakeTheTablesValues) {
    frameworktest::TestGame& game = MakeGame();
    Vantor::EngineSettings settings;
    game.GameBase::FillEngineSettings(settings);
    const std::wstring folder = home_.root + L"\\user\\Test Maker\\Test Game";
    EXPECT_EQ(L"Test Game", settings.title);
    EXPECT_EQ(102, settings.version);
    EXPECT_EQ(home_.root, settings.baseFolder);
    EXPECT_TRUE(settings.saveConfigAtExit);
    EXPECT_EQ(L"Test Game", settings.configName);
    EXPECT_TRUE(settings.logEnabled);
    EXPECT_FALSE(settings.logFlush);
    EXPECT_EQ(folder + L"\\default", settings.logFolder) << "filled after the distributor was added";
    EXPECT_EQ(L"Test Game", settings.logName);
    EXPECT_TRUE(settings.usePacks);
    EXPECT_EQ(L"data", settings.dataFolder);
    EXPECT_EQ(16777216u, settings.packCacheLimit);
    EXPECT_EQ(0, settings.iconId);
    EXPECT_FALSE(settings.forceDefaultMode);
    EXPECT_EQ("1024x768x32", settings.displayMode);
    EXPECT_FALSE(settings.forceDefaultFullscreen);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_FALSE(settings.exactVideoMode);
    EXPECT_FALSE(settings.stencilBufferWanted);
    EXPECT_TRUE(settings.centreWindow);
    EXPECT_FALSE(settings.use3DSound);
    EXPECT_EQ(L"Test Game 1.02", game.GetEngine()->GetTitleWithVersion()) << "the record reached the engine";
}

TEST_F(GameBaseTest, DestructionDeletesTheWindowsThenTheManagersInTheirOrder) {
    MakeGameWithWindows();
    game_.reset();
    const std::vector<std::string> expected{
        "level_complete", "stage_complete", "game_complete", "game_over", "quit_from_level", "restart",
        "leave_level", "level_menu", "pause", "level_display", "help", "options", "high_scores", "continue",
        "start", "name_conflict", "profiles", "new_profile", "rename_profile", "delete_profile", "main_menu",
        "exit", "welcome", "level_loading", "game_loading", "logos", "cursor", "tutorial", "profile_manager",
        "level_manager", "game_data"};
    EXPECT_EQ(expected, Entries("~"));
}

TEST_F(GameBaseTest, DestructionBeforeTheWindowsExistDeletesOnlyWhatWasMade) {
    MakeGame();
    game_.reset();
    const std::vector<std::string> expected{"game_loading", "logos", "cursor", "profile_manager", "level_manager",
                                            "game_data"};
    EXPECT_EQ(expected, Entries("~"));
}

TEST_F(GameBaseTest, AFailingFactoryLeavesNothingBehindAndTheErrorGoesOn) {
    EXPECT_THROW(MakeGame({.throwInLevelManager = true}), std::runtime_error);
    EXPECT_TRUE(journal_.empty()) << "nothing of the game was made";
    // The engine is gone: a new one (and a whole game) can be made in its place.
    MakeGame();
    EXPECT_EQ(std::vector<std::string>{"logos from 1"}, Entries("open "));
}

}  // namespace
