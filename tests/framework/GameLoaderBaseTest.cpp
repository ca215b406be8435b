// The game loader: the installation settings read before any engine exists (version,
// installation folder, distributor), the single-instance names, the main loop and the
// message box of an error that ends the run after everything was shut down.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FatalError.h"
#include "framework/GameLoaderBase.h"
#include "platform/MessageBox.h"
#include "platform/WinError.h"
#include "platform/WinHandles.h"
#include "platform/WinMutex.h"
#include "platform/WinUser.h"
#include "tests/framework/TestGameFixture.h"
#include "tests/framework/TestGameLoader.h"

namespace frameworktest {
namespace {

using GameFramework::GameBase;

class GameLoaderBaseTest : public TestGameFixture {
protected:
    void SetUp() override {
        TestGameFixture::SetUp();
        platform::seam::ClearMessageBoxes();
    }
    void TearDown() override {
        platform::seam::ClearMessageBoxes();
        TestGameFixture::TearDown();
    }

    void WriteRegistry(const std::string& values) {
        home_.folder.WriteFile("user/morvane-registry.txt", "[HKEY_CURRENT_USER\\SOFTWARE\\Test Maker\\Test Game]\n" + values);
    }
};

// --- Installation settings ---

TEST_F(GameLoaderBaseTest, DistributorIsCleanedToLettersAndNeverEmpty) {
    struct Case {
        const char* file;
        const wchar_t* distributor;
    };
    for (const Case& c : {Case{"<distributor name=\"North-Star 7\"/>", L"northstar"},
                          Case{"<distributor name=\"2000\"/>", L"default"},
                          Case{"<distributor name=\"\"/>", L"default"},
                          Case{"<distributor/>", L"default"},
                          Case{"<other name=\"Blue\"/>", L"default"},
                          Case{"<distributor name=\"Bl", L"default"},
                          Case{nullptr, L"default"}}) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        std::filesystem::remove(home_.folder.Path() / "data/distributor.xml");
        if (c.file) home_.folder.WriteFile("data/distributor.xml", c.file);
        EXPECT_EQ(TestGameLoader(journal_, L"Test Game").GetDistributor(), c.distributor);
    }
}

TEST_F(GameLoaderBaseTest, RegistryVersionReplacesTheGivenOneAsItsLeadingNumber) {
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game", 102).GetVersion(), 102);
    WriteRegistry("Version=sz:105\n");
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game", 102).GetVersion(), 105);
    WriteRegistry("Version=sz:abc\n");
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game", 102).GetVersion(), 0);
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game").GetRegistryKey(), L"SOFTWARE\\Test Maker\\Test Game");
}

TEST_F(GameLoaderBaseTest, PacksBesideTheExecutableWinOverTheRegistrysInstallPath) {
    WriteRegistry("InstallPath=sz:Z:\\elsewhere\n");
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game").GetInstallPath(), L"Z:\\elsewhere");
    home_.folder.WriteFile("data/pack0.pak", "");
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game").GetInstallPath(), home_.root);
    std::filesystem::remove(home_.folder.Path() / "user/morvane-registry.txt");
    EXPECT_EQ(TestGameLoader(journal_, L"Test Game").GetInstallPath(), home_.root);
}

// --- Single instance ---

TEST_F(GameLoaderBaseTest, InstanceNamesIgnoreBlanksAroundTheGameNameAndItsCase) {
    const HANDLE first = CreateMutexW(nullptr, TRUE, L"blue heronMutex");
    ASSERT_EQ(GetLastError(), ERROR_SUCCESS);
    for (const wchar_t* name : {L" Blue Heron ", L"blue heron"}) {
        TestGameLoader second(journal_, name);
        EXPECT_FALSE(second.Run());
        EXPECT_EQ(second.GetRestoreMessage(), RegisterWindowMessageW(L"blue heronRestore"));
    }
    EXPECT_TRUE(journal_.empty());  // no game was made
    EXPECT_TRUE(platform::seam::ShownMessageBoxes().empty());
    CloseHandle(first);
}

TEST_F(GameLoaderBaseTest, ARunHoldsTheMutexWhileTheGameRunsAndReleasesItAfterwards) {
    TestGameLoader loader(journal_, L"Test Game");
    loader.makeGame = [this] {
        auto* game = new TestGame(journal_, home_.root);
        game->handlerActions["logos"] = [this, game] {
            const HANDLE other = CreateMutexW(nullptr, TRUE, L"test gameMutex");
            journal_.push_back(GetLastError() == ERROR_ALREADY_EXISTS ? "mutex held" : "mutex free");
            CloseHandle(other);
            game->GetEngine()->RequestExit();
        };
        return game;
    };
    EXPECT_TRUE(loader.Run());
    EXPECT_EQ(loader.GetGame(), nullptr);
    EXPECT_EQ(loader.GetMutex(), nullptr);
    EXPECT_EQ(Entries("mutex "), (std::vector<std::string>{"held", "held", "held"}));  // three passes of one frame
    const HANDLE again = CreateMutexW(nullptr, TRUE, L"test gameMutex");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(again);
}

// --- Main loop ---

TEST_F(GameLoaderBaseTest, MainLoopRunsAtLeastOneFrameAndStopsAfterTheFrameThatAskedToExit) {
    struct Case {
        const char* name;
        bool exitBeforeTheLoop;
        std::size_t frames;
    };
    for (const Case& c : {Case{"exit in the third frame", false, 3}, Case{"exit before the loop", true, 1}}) {
        SCOPED_TRACE(c.name);
        journal_.clear();
        TestGameLoader loader(journal_);
        loader.makeGame = [this, &c] {
            auto* game = new TestGame(journal_, home_.root);
            if (c.exitBeforeTheLoop) game->GetEngine()->RequestExit();
            game->handlerActions["logos"] = [this, game] {
                // The results are looked at before the windows' update: this is the third frame.
                if (Entries("update logos").size() == 2) game->GetEngine()->RequestExit();
            };
            return game;
        };
        EXPECT_TRUE(loader.Run());
        EXPECT_EQ(Entries("update logos").size(), c.frames);
    }
}

// --- Errors ---

TEST_F(GameLoaderBaseTest, AnErrorWhileTheGameIsBuiltEndsInAFatalBoxShownAfterShutdown) {
    struct Case {
        const char* name;
        std::function<GameBase*()> make;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"engine error", [] () -> GameBase* { throw Vantor::Error("Failed to open \"data\\levels\\levels.xml\" file"); },
         L"Failed to open \"data\\levels\\levels.xml\" file"},
        {"other exception",
         [this] () -> GameBase* {
             TestGameOptions options;
             options.throwInLevelManager = true;
             return new TestGame(journal_, home_.root, options);
         },
         L"Unhandled exception!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        journal_.clear();
        platform::seam::ClearMessageBoxes();
        TestGameLoader loader(journal_, L"Test Game");
        loader.makeGame = c.make;
        EXPECT_FALSE(loader.Run());
        EXPECT_EQ(Entries("shutdown"), std::vector<std::string>{", game none, boxes 0"});
        ASSERT_EQ(platform::seam::ShownMessageBoxes().size(), 1u);
        const platform::seam::MessageBoxRecord& box = platform::seam::ShownMessageBoxes().front();
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.caption, L"Fatal Error");
        EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
        EXPECT_EQ(loader.GetMutex(), nullptr);
    }
}

TEST_F(GameLoaderBaseTest, AnErrorInAFrameShutsTheGameDownBeforeTheBox) {
    TestGameLoader loader(journal_, L"Test Game");
    loader.makeGame = [this] {
        auto* game = new TestGame(journal_, home_.root);
        game->handlerActions["logos"] = [] { throw Vantor::FatalError("Broken frame"); };
        return game;
    };
    EXPECT_FALSE(loader.Run());
    EXPECT_EQ(Entries("shutdown"), std::vector<std::string>{", game there, boxes 0"});
    ASSERT_EQ(platform::seam::ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::seam::ShownMessageBoxes().front().text, L"Broken frame");
    EXPECT_EQ(loader.GetGame(), nullptr);
}

}  // namespace
}  // namespace frameworktest
