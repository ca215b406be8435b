#include "platform/WinFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/FailureInjection.h"
#include "platform/WinError.h"
#include "tests/support/PathOverridesEnd.h"
#include "tests/support/TempFolder.h"

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        if (old) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(WinFoldersTest, ModulePathIsAWindowsPathOfTheExecutable) {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    ASSERT_GT(length, 3u);
    std::wstring path(buffer, length);
    EXPECT_EQ(path.substr(0, 3), L"Z:\\");
    EXPECT_TRUE(std::filesystem::is_regular_file(platform::ToHostPath(path).value()));
}

TEST(WinFoldersTest, ModulePathOverrideAndShortBuffer) {
    testsupport::PathOverridesEnd end;
    platform::seam::SetExecutablePath(L"C:\\Games\\Cafe\\game.exe");
    wchar_t buffer[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, MAX_PATH), 22u);
    EXPECT_STREQ(buffer, L"C:\\Games\\Cafe\\game.exe");
    wchar_t small[5];
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(small, L"C:\\G");
}

TEST(WinFoldersTest, ApplicationDataIsTheXdgDataFolderCreatedOnDemand) {
    testsupport::TempFolder temp;
    std::string xdg = (temp.Path() / "xdg" / "data").string();
    ScopedEnv env("XDG_DATA_HOME", xdg.c_str());
    wchar_t path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path), E_FAIL);
    EXPECT_FALSE(std::filesystem::exists(xdg));
    EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(std::wstring(path), platform::ToWindowsPath(xdg));
    EXPECT_TRUE(std::filesystem::is_directory(xdg));
}

TEST(WinFoldersTest, WithoutXdgDataHomeTheFolderIsBelowHome) {
    testsupport::TempFolder temp;
    ScopedEnv xdg("XDG_DATA_HOME", "relative/ignored");
    ScopedEnv home("HOME", temp.Path().c_str());
    wchar_t path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathW(nullptr, 0x801A, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(std::wstring(path), platform::ToWindowsPath((temp.Path() / ".local" / "share").string()));
}

TEST(WinFoldersTest, UserDataOverrideAndFailures) {
    testsupport::TempFolder temp;
    testsupport::PathOverridesEnd end;
    platform::seam::SetUserDataFolder(platform::ToWindowsPath(temp.Path().string()) + L"\\AppData");
    wchar_t path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathW(nullptr, 0x801A, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(std::wstring(path), platform::ToWindowsPath(temp.Path().string()) + L"\\AppData");
    EXPECT_TRUE(std::filesystem::is_directory(temp.Path() / "AppData"));

    platform::seam::FailNextCalls("SHGetFolderPathW", 1);
    EXPECT_EQ(SHGetFolderPathW(nullptr, 0x801A, nullptr, SHGFP_TYPE_CURRENT, path), E_FAIL);
    EXPECT_EQ(SHGetFolderPathW(nullptr, 0x0005, nullptr, SHGFP_TYPE_CURRENT, path), E_INVALIDARG);
}

}  // namespace
