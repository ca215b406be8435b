// What a single-instance game needs of the layer, between processes of one user on the
// headless backend: named mutexes over lock files, window-message ids that agree in
// every process, and broadcasts that reach the top-level windows of another process
// through its ordinary message pump. The other process is a fork that reports back
// through a pipe and ends with _exit, so that it runs none of the parent's exit work.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "platform/WinError.h"
#include "platform/WinFolders.h"
#include "platform/WinHandles.h"
#include "platform/WinMutex.h"
#include "platform/WinPaths.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/support/TempFolder.h"

namespace {

std::vector<UINT> received;

LRESULT Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0xC000) received.push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { UseFolder(folder_); }
    void TearDown() override {
        platform::seam::ResetWindowing();
        platform::seam::SetUserDataFolder(L"");
        received.clear();
    }

    static void UseFolder(const testsupport::TempFolder& folder) {
        platform::seam::SetUserDataFolder(platform::ToWindowsPath(folder.Path().string()));
    }

    // Runs the work in another process and returns the number it wrote back.
    static long InOtherProcess(const std::function<long()>& work) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return -1;
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            const long answer = work();
            (void)!write(pipeEnds[1], &answer, sizeof(answer));
            _exit(0);
        }
        close(pipeEnds[1]);
        long answer = -1;
        (void)!read(pipeEnds[0], &answer, sizeof(answer));
        close(pipeEnds[0]);
        waitpid(child, nullptr, 0);
        return answer;
    }

    // The error a fresh create of the name sees; the handle is closed again.
    static long CreateError(const wchar_t* name) {
        const HANDLE handle = CreateMutexW(nullptr, TRUE, name);
        const long error = handle ? static_cast<long>(GetLastError()) : -1;
        if (handle) CloseHandle(handle);
        return error;
    }

    static HWND CreateTopLevelWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Record;
        windowClass.lpszClassName = L"single instance test";
        RegisterClassW(&windowClass);
        return CreateWindowExW(0, L"single instance test", L"Test", WS_CAPTION, 0, 0, 320, 240, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }

    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    static int Inboxes() {
        int count = 0;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(platform::SessionFolder().value(), error))
            count += entry.path().extension() == ".inbox";
        return count;
    }

    testsupport::TempFolder folder_;
};

// --- Named mutexes ---

TEST_F(SingleInstanceTest, FirstCreatorOwnsTheNameAndLaterCreatesHearItExists) {
    const HANDLE first = CreateMutexW(nullptr, TRUE, L"blue heronMutex");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(CreateError(L"blue heronMutex"), static_cast<long>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(InOtherProcess([] { return CreateError(L"blue heronMutex"); }), static_cast<long>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(CreateError(L"Blue HeronMutex"), static_cast<long>(ERROR_SUCCESS));  // names keep their case

    EXPECT_TRUE(CloseHandle(first));
    EXPECT_EQ(InOtherProcess([] { return CreateError(L"blue heronMutex"); }), static_cast<long>(ERROR_SUCCESS));
    EXPECT_EQ(CreateError(L"blue heronMutex"), static_cast<long>(ERROR_SUCCESS));
}

TEST_F(SingleInstanceTest, TheEndOfTheHoldingProcessReleasesTheName) {
    // The other process creates the name and ends without closing it.
    EXPECT_EQ(InOtherProcess([] { return CreateMutexW(nullptr, TRUE, L"gameMutex") ? long(GetLastError()) : -1L; }),
              static_cast<long>(ERROR_SUCCESS));
    EXPECT_EQ(CreateError(L"gameMutex"), static_cast<long>(ERROR_SUCCESS));
}

TEST_F(SingleInstanceTest, ProcessesOfAnotherApplicationDataFolderNeverMeet) {
    const HANDLE first = CreateMutexW(nullptr, TRUE, L"gameMutex");
    testsupport::TempFolder other;
    EXPECT_EQ(InOtherProcess([&other] {
                  UseFolder(other);
                  return CreateError(L"gameMutex");
              }),
              static_cast<long>(ERROR_SUCCESS));
    CloseHandle(first);
}

// --- Messages between processes ---

TEST_F(SingleInstanceTest, ARegisteredNameHasOneIdInEveryProcess) {
    const UINT restore = RegisterWindowMessageW(L"blue heronRestore");
    EXPECT_EQ(InOtherProcess([] {
                  RegisterWindowMessageW(L"something registered first");
                  return static_cast<long>(RegisterWindowMessageW(L"Blue HeronRestore"));
              }),
              static_cast<long>(restore));
}

TEST_F(SingleInstanceTest, ABroadcastFromAProcessWithoutWindowsReachesTheOtherProcesssWindows) {
    const UINT restore = RegisterWindowMessageW(L"blue heronRestore");
    CreateTopLevelWindow();
    CreateTopLevelWindow();
    Pump();  // the pump opens the process's inbox

    EXPECT_EQ(InOtherProcess([restore] {
                  platform::seam::ResetWindowing();  // no window in this process
                  return static_cast<long>(PostMessageW(HWND_BROADCAST, restore, 0, 0));
              }),
              TRUE);
    EXPECT_TRUE(received.empty());
    Pump();
    EXPECT_EQ(received, (std::vector<UINT>{restore, restore}));
}

TEST_F(SingleInstanceTest, ABroadcastSkipsInboxesOfEndedProcesses) {
    // The other process opens an inbox and ends without closing it.
    InOtherProcess([] {
        CreateTopLevelWindow();
        Pump();
        return 0L;
    });
    EXPECT_EQ(Inboxes(), 1);
    const UINT message = RegisterWindowMessageW(L"anyone there");
    EXPECT_TRUE(PostMessageW(HWND_BROADCAST, message, 0, 0));
    EXPECT_EQ(Inboxes(), 0);
}

}  // namespace
