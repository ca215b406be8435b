// The entry point run in process on the headless backend over the built data set:
// "play.url" required beside the executable, the game's run, and the file opened with
// the shell once the game has gone, when it is still there. A close request injected
// between frames ends each run.

#include "platform/WinMain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "engine/kernel/Window_WinOS.h"
#include "game/program/ProgramResources.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/WinHandles.h"
#include "platform/WinMutex.h"
#include "platform/WinPaths.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

class WinMainTest : public enginetest::EngineObjectTest {
protected:
    static constexpr int kClosingPump = 20;

    void SetUp() override {
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        platform::seam::ClearMessageBoxes();
        platform::seam::ClearShellRequests();
        const std::filesystem::path dataSet = MORVANE_DATA_SET_FOLDER;
        ASSERT_TRUE(std::filesystem::is_directory(dataSet)) << "make_data has not built " << dataSet;
        std::filesystem::create_directories(Installation());
        std::filesystem::create_directory_symlink(dataSet, Installation() / "data");
        platform::seam::SetExecutablePath(platform::ToWindowsPath((Installation() / "Morvane.exe").string()));
        // As the executable does when it starts.
        Morvane::ProgramResources::Define();
    }
    void TearDown() override {
        platform::seam::ClearMessageBoxes();
        platform::seam::ClearShellRequests();
        EngineObjectTest::TearDown();
    }

    std::filesystem::path Installation() const { return home_.folder.Path() / "game"; }
    std::wstring PlayFile() const { return platform::ToWindowsPath(Installation().string()) + L"\\play.url"; }
    void WritePlayFile() const { home_.folder.WriteFile("game/play.url", "[InternetShortcut]\n"); }
    std::filesystem::path GameFolder() const { return home_.folder.Path() / "user" / "Dremlock" / "Morvane"; }
    std::string ReadLog() const { return home_.folder.ReadFile("user/Dremlock/Morvane/Morvane.html"); }

    // At the closing pump of the game's message loop the game's window is asked to
    // close; `beforeClosing` runs just before.
    void CloseTheGameWindow(std::function<void()> beforeClosing = {}) {
        platform::seam::SetMessagePumpHook([this, beforeClosing, pumps = 0]() mutable {
            auto* window = static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance());
            if (!window || ++pumps != kClosingPump) return;
            framesRun_ = true;
            EXPECT_TRUE(platform::seam::ShellRequests().empty()) << "nothing is opened while the game runs";
            if (beforeClosing) beforeClosing();
            platform::seam::InjectCloseRequest(window->GetWindowHandle());
        });
    }

    static int RunWinMain() {
        char commandLine[] = "";
        return WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    }

    void ExpectOpenedOnce(const std::wstring& file) const {
        ASSERT_EQ(platform::seam::ShellRequests().size(), 1u);
        const platform::seam::ShellRequest& request = platform::seam::ShellRequests().front();
        EXPECT_EQ(request.operation, L"open");
        EXPECT_EQ(request.file, file);
        EXPECT_EQ(request.parameters, L"");
        EXPECT_EQ(request.directory, L"");
        EXPECT_EQ(request.showCommand, SW_SHOW);
    }

    bool framesRun_ = false;
};

TEST_F(WinMainTest, WithoutThePlayFileTheBoxSaysSoAndNothingRuns) {
    CloseTheGameWindow();
    EXPECT_EQ(RunWinMain(), 1);

    ASSERT_EQ(platform::seam::ShownMessageBoxes().size(), 1u);
    const platform::seam::MessageBoxRecord& box = platform::seam::ShownMessageBoxes().front();
    EXPECT_EQ(box.text, L"Some files are corrupt. The game may not run. Please reinstall the game");
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(framesRun_) << "no engine, no window";
    EXPECT_FALSE(std::filesystem::exists(GameFolder())) << "no log, no configuration";
    EXPECT_TRUE(platform::seam::ShellRequests().empty());
}

TEST_F(WinMainTest, WithThePlayFileTheGameRunsAndThenTheFileIsOpened) {
    WritePlayFile();
    CloseTheGameWindow();
    EXPECT_EQ(RunWinMain(), 1);

    EXPECT_TRUE(framesRun_);
    EXPECT_TRUE(platform::seam::ShownMessageBoxes().empty()) << "no error ended the run";
    const std::string log = ReadLog();
    EXPECT_LT(Position(log, "Exiting..."), Position(log, "Log end: "));
    ExpectOpenedOnce(PlayFile());
}

TEST_F(WinMainTest, APlayFileRemovedDuringTheRunIsNotOpened) {
    WritePlayFile();
    CloseTheGameWindow([this] { std::filesystem::remove(Installation() / "play.url"); });
    EXPECT_EQ(RunWinMain(), 1);

    EXPECT_TRUE(framesRun_);
    EXPECT_TRUE(platform::seam::ShownMessageBoxes().empty());
    EXPECT_TRUE(platform::seam::ShellRequests().empty());
}

TEST_F(WinMainTest, ASecondCopyEndsAtOnceAndStillOpensThePlayFile) {
    WritePlayFile();
    HANDLE firstCopy = CreateMutexW(nullptr, TRUE, L"morvaneMutex");
    ASSERT_NE(firstCopy, nullptr);
    CloseTheGameWindow();
    EXPECT_EQ(RunWinMain(), 1);
    CloseHandle(firstCopy);

    EXPECT_FALSE(framesRun_);
    EXPECT_FALSE(std::filesystem::exists(GameFolder() / "Morvane.html")) << "the second copy made no game";
    EXPECT_TRUE(platform::seam::ShownMessageBoxes().empty());
    ExpectOpenedOnce(PlayFile());
}

TEST_F(WinMainTest, AnErrorWhileTheGameStartsReachesTheLoadersBoxAndThePlayFileIsStillOpened) {
    // The built data set with a damaged levels file: the game cannot be made.
    const std::filesystem::path data = Installation() / "data";
    std::filesystem::remove(data);
    std::filesystem::create_directory(data);
    for (const auto& entry : std::filesystem::directory_iterator(MORVANE_DATA_SET_FOLDER))
        if (entry.path().filename() != "levels")
            std::filesystem::create_symlink(entry.path(), data / entry.path().filename());
    home_.folder.WriteFile("game/data/levels/levels.xml", "<levels");
    WritePlayFile();
    CloseTheGameWindow();
    EXPECT_EQ(RunWinMain(), 1);

    EXPECT_FALSE(framesRun_);
    ASSERT_EQ(platform::seam::ShownMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::seam::ShownMessageBoxes().front().caption, L"Fatal Error");
    ExpectOpenedOnce(PlayFile());
}

}  // namespace
