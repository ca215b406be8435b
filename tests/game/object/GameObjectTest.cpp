// The game object itself: its start-up settings, the cheat keys it prints, the resource
// lists of a first and a later run, the days' data stores and levels, and its lifetime
// (what a finished game leaves and what a failed start leaves).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/LogMessage.h"
#include "engine/kernel/MessageManager.h"
#include "framework/AudioManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/StageEntry.h"
#include "game/GameLogicData.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "tests/game/object/GameObjectFixture.h"
#include "tests/support/TempFolder.h"
#include "tools/ResourceLoadEntry.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GAME_OBJECT_TEST_LEAK_CHECK 1
#include <sanitizer/lsan_interface.h>
#endif
#endif

namespace gameobjecttest {
namespace {

using R = GameFramework::WindowResult;

class GameObjectTest : public GameObjectFixture {
protected:
    // The highlighted lines logged since the list was last emptied, without line breaks.
    static std::vector<std::string> HighlightedLines() {
        std::vector<std::string> lines;
        for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages()) {
            if (message->kind != Vantor::MessageKind::Highlight) continue;
            std::string text = message->text;
            while (!text.empty() && text.back() == '\n') text.pop_back();
            lines.push_back(text);
        }
        return lines;
    }

    // Whether the game data holds the material, without logging a miss as an error.
    bool HasShader(const std::string& key) const {
        GameTools::DataKeeper& data = *game_->GetGameData();
        return data.GetShaderUser(key) != data.GetShaderUser("no/such/material");
    }

    // The first folders of the queued models' files, each run of one folder once: the
    // order in which the queued lists were read.
    std::vector<std::string> QueuedModelFolders() const {
        std::vector<std::string> folders;
        for (const GameTools::ResourceLoadEntry* entry : game_->GetGameData()->GetPendingEntries()) {
            if (entry->kind != GameTools::ResourceLoadEntry::kModel) continue;
            const std::wstring& path = entry->path;
            std::string folder(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(path.find(L'\\')));
            if (folders.empty() || folders.back() != folder) folders.push_back(folder);
        }
        return folders;
    }
};

TEST_F(GameObjectTest, StartsWithTheGamesDisplayModeIconAndVolumes) {
    GameProbe& game = MakeGame();
    Vantor::EngineSettings settings;
    game.FillEngineSettings(settings);
    EXPECT_EQ("1024x768x32", settings.displayMode);
    EXPECT_EQ(101, settings.iconId);
    EXPECT_EQ(L"Morvane", settings.title);
    EXPECT_EQ(L"data", settings.dataFolder);

    // A first start has no configuration: the volumes are the game's defaults.
    EXPECT_FLOAT_EQ(0.32f, game.GetAudioManager()->GetMusicVolume());
    EXPECT_FLOAT_EQ(0.26f, game.GetAudioManager()->GetSoundVolume());
}

TEST_F(GameObjectTest, CheatHelpListsTheGamesKeysAfterTheBanner) {
    GameProbe& game = MakeGame();
    Vantor::MessageManager::Instance()->ClearMessages();
    game.PrintCheatHelp();
    const std::string rule(39, '-');
    const std::vector<std::string> gameLines = {
        rule,
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
        rule,
        "- Press in game play",
        "- \"F9\" - add extra 20 seconds for day time",
        "- \"F10\" - day complete",
        rule,
        "- Use \"Page Up\" to see remainder cheats",
    };
    const std::vector<std::string> lines = HighlightedLines();
    ASSERT_GT(lines.size(), gameLines.size());
    EXPECT_EQ("- Console command \"g_disable_cheats\" - cheat mode off", lines[lines.size() - gameLines.size() - 1])
        << "the banner comes first";
    EXPECT_EQ(gameLines, std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(gameLines.size()),
                                                  lines.end()));
}

TEST_F(GameObjectTest, AFirstRunLoadsTheComicAndQueuesTheListsInOrder) {
    GameProbe& game = MakeGame();
    EXPECT_TRUE(game.GetProfileManager()->IsFirstRun());
    EXPECT_TRUE(HasShader("ui/comics/introduction/desk"));
    EXPECT_EQ((std::vector<std::string>{"ui", "background", "house", "final", "game_objects", "ui"}),
              QueuedModelFolders());
}

TEST_F(GameObjectTest, ALaterRunMakesNoComic) {
    MakeGameWithWindows().welcomeWindow_->CreateProfile(L"Ann");
    game_.reset();

    GameProbe& game = MakeGame();
    EXPECT_FALSE(game.GetProfileManager()->IsFirstRun());
    EXPECT_EQ(nullptr, game.introductionWindow_);
    EXPECT_FALSE(HasShader("ui/comics/introduction/desk"));
    // Every hook passes over the comic's place.
    game.Report(game.logosWindow_, R::Finished);
    game.UpdateWindows();
}

TEST_F(GameObjectTest, LevelsAreReadAtStart) {
    GameProbe& game = MakeGame();
    ASSERT_GT(game.GetLevelManager()->GetStageCount(), 0u);
    EXPECT_GT(game.GetLevelManager()->GetStage(0)->levelCount, 0);
}

TEST_F(GameObjectTest, ADaysStoreIsDoneRightAfterItsHundredResourceSteps) {
    MakeGame();
    Morvane::GameLogicData day(nullptr, nullptr);
    EXPECT_TRUE(day.LoadExtraStep(-1));
    EXPECT_TRUE(day.LoadExtraStep(101));
    for (const int step : {0, 1, 100, 102}) EXPECT_FALSE(day.LoadExtraStep(step)) << step;

    // Step 0 prepares, 1 to 100 create, 101 is the one extra step.
    for (int step = 0; step <= 100; ++step) day.Update();
    EXPECT_LT(day.GetProgress(), 1.0f);
    day.Update();
    EXPECT_FLOAT_EQ(1.0f, day.GetProgress());
}

TEST_F(GameObjectTest, AFinishedGameLeavesNoWindowBehindWithOrWithoutTheComic) {
    for (const bool comic : {true, false}) {
        SCOPED_TRACE(comic ? "with the comic" : "without the comic");
        GameProbe& game = MakeGame();
        ASSERT_EQ(comic, game.introductionWindow_ != nullptr);
        game.Report(game.logosWindow_, R::Finished);
        game.GetGameData()->LoadAll();
        // The framework's windows are made while the comic still exists.
        game.CreateWindows();
        game.UpdateWindows();
        EXPECT_FALSE(game.menuWindowManager_->GetWindows().empty());
        if (comic) game.welcomeWindow_->CreateProfile(L"Ann");
        // The menu windows leave their manager and the background they hang on before
        // either goes: the sanitizer sees any use of them after they went.
        game_.reset();
    }
}

TEST_F(GameObjectTest, AnErrorWhileStartingLeavesNothingBehind) {
    testsupport::TempFolder install;
    std::filesystem::copy(DataFolder(), install.Path() / "data", std::filesystem::copy_options::recursive);
    // The loading window's layout is gone: its window fails after the menu background,
    // the menu-window manager and the comic were made.
    std::filesystem::remove(install.Path() / "data" / "ui" / "windows" / "window_game_loading.xml");

    EXPECT_THROW(MakeGame(platform::ToWindowsPath(install.Path().string())), Vantor::Error);
    EXPECT_EQ(nullptr, game_);
#ifdef GAME_OBJECT_TEST_LEAK_CHECK
    EXPECT_EQ(0, __lsan_do_recoverable_leak_check());
#endif
}

TEST_F(GameObjectTest, ABrokenLevelsFileStopsTheStart) {
    testsupport::TempFolder install;
    std::filesystem::copy(DataFolder(), install.Path() / "data", std::filesystem::copy_options::recursive);
    install.WriteFile("data/levels/levels.xml", "<levels");

    EXPECT_THROW(MakeGame(platform::ToWindowsPath(install.Path().string())), Vantor::FatalError);
}

}  // namespace
}  // namespace gameobjecttest
