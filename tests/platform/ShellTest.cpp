// shell32 "open" requests: recorded with every argument, answered as Windows answers,
// and never carried out in tests.

#include "platform/Shell.h"

#include <gtest/gtest.h>

#include "platform/WinPaths.h"
#include "platform/WinUser.h"
#include "tests/support/TempFolder.h"

namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { platform::seam::ClearShellRequests(); }
    void TearDown() override { platform::seam::ClearShellRequests(); }

    static uintptr_t Open(LPCWSTR operation, const std::wstring& file) {
        return reinterpret_cast<uintptr_t>(ShellExecuteW(nullptr, operation, file.c_str(), nullptr, nullptr, SW_SHOW));
    }
};

TEST_F(ShellTest, OpeningAnExistingFileSucceedsAndIsRecorded) {
    testsupport::TempFolder temp;
    temp.WriteFile("Game Folder/play.url", "[InternetShortcut]\n");
    const std::wstring file = platform::ToWindowsPath(temp.Path().string()) + L"\\game folder\\PLAY.URL";

    EXPECT_GT(Open(L"open", file), 32u);

    ASSERT_EQ(platform::seam::ShellRequests().size(), 1u);
    const platform::seam::ShellRequest& request = platform::seam::ShellRequests().front();
    EXPECT_EQ(request.operation, L"open");
    EXPECT_EQ(request.file, file);
    EXPECT_EQ(request.parameters, L"");
    EXPECT_EQ(request.directory, L"");
    EXPECT_EQ(request.showCommand, SW_SHOW);
}

TEST_F(ShellTest, AMissingFileOrAnotherVerbFailsButIsRecorded) {
    testsupport::TempFolder temp;
    temp.WriteFile("x.url", "");
    const std::wstring folder = platform::ToWindowsPath(temp.Path().string());

    EXPECT_EQ(Open(L"open", folder + L"\\missing.url"), static_cast<uintptr_t>(SE_ERR_FNF));
    EXPECT_EQ(Open(L"print", folder + L"\\x.url"), static_cast<uintptr_t>(SE_ERR_NOASSOC));
    EXPECT_EQ(Open(L"open", L"C:\\x.url"), static_cast<uintptr_t>(SE_ERR_FNF)) << "no such drive here";
    EXPECT_EQ(platform::seam::ShellRequests().size(), 3u);
}

}  // namespace
