// The test game's program started twice on the sdl backend under an X server: the
// second copy ends at once without a window and brings the first, minimised one back,
// which ends when its window is closed, with the log's exit line and its configuration
// saved. This process reaches the programs' windows by broadcasts alone.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Utf.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"
#include "platform/WinUser.h"
#include "tests/framework/TestGameData.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

// The test game's program, started with its standard output read here.
class StartedProgram {
public:
    StartedProgram(const std::string& path, const std::vector<std::string>& extraEnvironment) {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry) environment.emplace_back(*entry);
        environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
        std::vector<char*> pointers;
        for (std::string& entry : environment) pointers.push_back(entry.data());
        pointers.push_back(nullptr);

        int pipeEnds[2];
        if (pipe2(pipeEnds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        std::string program = path;
        char* arguments[] = {program.data(), nullptr};
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, arguments, pointers.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        output_ = pipeEnds[0];
    }
    ~StartedProgram() {
        if (pid_ > 0 && exitCode_ < 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) close(output_);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // The next line of its output, or "" when none came in time or the output ended.
    std::string ReadLine(std::chrono::milliseconds limit = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (true) {
            const std::size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                    std::chrono::steady_clock::now());
            pollfd waiting{output_, POLLIN, 0};
            if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) <= 0) return "";
            char bytes[256];
            const ssize_t count = read(output_, bytes, sizeof(bytes));
            if (count <= 0) return "";
            buffer_.append(bytes, static_cast<std::size_t>(count));
        }
    }

    // Reads until the line comes, passing the states on the way (a frame may see the
    // focus go before the window is minimised, or the window back before its focus).
    bool WaitFor(const std::string& expected, std::chrono::milliseconds limit = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            const std::string line = ReadLine(left);
            if (line == expected) return true;
            if (line.empty()) return false;
        }
        return false;
    }

    // Its exit code, or -1 when it has not ended in time.
    int Wait(std::chrono::milliseconds limit = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (exitCode_ < 0 && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
                break;
            }
            usleep(20000);
        }
        return exitCode_;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    int exitCode_ = -1;
    std::string buffer_;
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TestGameProgramSdlTest, SecondCopyEndsAtOnceAndBringsTheFirstBackWhichEndsWhenClosed) {
    testsupport::TempFolder home;
    frameworktest::WriteTestGameData(home);
    const std::string userData = (home.Path() / "user").string();
    home.WriteFile("user/morvane-registry.txt", "[HKEY_CURRENT_USER\\SOFTWARE\\Test Maker\\Test Game]\nInstallPath=sz:" +
                                                    platform::Utf16ToUtf8(platform::ToWindowsPath(home.Path().string())) +
                                                    "\n");
    const std::vector<std::string> environment = {"XDG_DATA_HOME=" + userData, "PLATFORM_MESSAGE_BOXES=answer",
                                                  "SDL_AUDIODRIVER=dummy", "DBUS_SESSION_BUS_ADDRESS=disabled:"};
    // This process reaches the programs' windows through the same application-data folder.
    platform::seam::SetUserDataFolder(platform::ToWindowsPath(userData));

    StartedProgram first(TEST_GAME_PROGRAM, environment);
    ASSERT_EQ(first.ReadLine(), "window shown");
    // Its inbox opens with its first pumps; ask until it has obeyed.
    bool minimised = false;
    for (int attempt = 0; attempt < 50 && !minimised; ++attempt) {
        PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        minimised = first.WaitFor("window minimised without focus", 200ms);
    }
    ASSERT_TRUE(minimised);

    StartedProgram second(TEST_GAME_PROGRAM, environment);
    EXPECT_EQ(second.Wait(), 1);
    EXPECT_EQ(second.ReadLine(1s), "");  // it never had a window
    EXPECT_TRUE(first.WaitFor("window shown"));

    PostMessageW(HWND_BROADCAST, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Wait(), 0);
    platform::seam::SetUserDataFolder(L"");

    const std::filesystem::path gameFolder = home.Path() / "user" / "Test Maker" / "Test Game";
    EXPECT_NE(ReadAll(gameFolder / "Test Game.html").find("Exiting..."), std::string::npos);
    EXPECT_NE(ReadAll(gameFolder / "Test Game.ini").find("g_music_volume"), std::string::npos);
}

}  // namespace
