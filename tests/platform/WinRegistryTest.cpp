#include "platform/WinRegistry.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/WinError.h"
#include "platform/WinFolders.h"
#include "tests/support/TempFolder.h"

namespace {

class WinRegistryTest : public ::testing::Test {
protected:
    WinRegistryTest() { platform::seam::SetUserDataFolder(platform::ToWindowsPath(temp_.Path().string())); }
    ~WinRegistryTest() override {
        EXPECT_EQ(platform::seam::OpenRegistryKeyCount(), 0u);
        platform::seam::SetUserDataFolder(L"");
    }
    void WriteStore(const std::string& text) {
        ASSERT_EQ(platform::RegistryStorePath(), (temp_.Path() / "morvane-registry.txt").string());
        temp_.WriteFile("morvane-registry.txt", text);
    }
    // The bytes of a value, or none when the key or value is missing.
    std::optional<std::vector<BYTE>> Query(HKEY root, const wchar_t* key, const wchar_t* value, DWORD* type) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != static_cast<LSTATUS>(ERROR_SUCCESS)) return std::nullopt;
        std::vector<BYTE> bytes(64);
        DWORD size = static_cast<DWORD>(bytes.size());
        LSTATUS status = RegQueryValueExW(opened, value, nullptr, type, bytes.data(), &size);
        EXPECT_EQ(RegCloseKey(opened), static_cast<LSTATUS>(ERROR_SUCCESS));
        if (status != static_cast<LSTATUS>(ERROR_SUCCESS)) return std::nullopt;
        bytes.resize(size);
        return bytes;
    }

    testsupport::TempFolder temp_;
};

TEST_F(WinRegistryTest, NoStoreMeansEveryKeyIsMissing) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Maker\\Game", 0, KEY_READ, &key),
              static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(key, nullptr);
}

TEST_F(WinRegistryTest, ValuesComeBackWithTheirTypeAndBytes) {
    WriteStore(
        "; installation\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Game]\r\n"
        "InstallPath=sz:Z:\\games\\caf\xc3\xa9 \n"
        "Version=dword:0x66\n"
        "Raw=hex(1):61,00,62,00\n"
        "broken line\n"
        "Bad=dword:twelve\n"
        "[HKEY_CURRENT_USER\\Software\\Maker\\Game]\n"
        "Version=dword:7\n");
    DWORD type = 0;
    std::wstring text = L"Z:\\games\\caf\u00e9 ";
    std::vector<BYTE> expected;
    for (wchar_t unit : text) expected.insert(expected.end(), {static_cast<BYTE>(unit & 0xFF), static_cast<BYTE>(unit >> 8)});
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, L"software\\MAKER\\game", L"installpath", &type), expected);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Maker\\Game", L"Version", &type),
              (std::vector<BYTE>{0x66, 0, 0, 0}));
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Maker\\Game", L"Raw", &type),
              (std::vector<BYTE>{0x61, 0, 0x62, 0}));
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(Query(HKEY_CURRENT_USER, L"SOFTWARE\\Maker\\Game", L"Version", &type), (std::vector<BYTE>{7, 0, 0, 0}));
    EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Maker\\Game", L"Bad", &type));
    EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Maker\\Game", L"Missing", &type));
    EXPECT_FALSE(Query(HKEY_USERS, L"SOFTWARE\\Maker\\Game", L"Version", &type));
}

TEST_F(WinRegistryTest, KeysAboveAWrittenKeyExist) {
    WriteStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Game]\nVersion=dword:1\n");
    HKEY software = nullptr, game = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_READ, &software),
              static_cast<LSTATUS>(ERROR_SUCCESS));
    // A key opened below an open key.
    ASSERT_EQ(RegOpenKeyExW(software, L"Maker\\Game", 0, KEY_READ, &game), static_cast<LSTATUS>(ERROR_SUCCESS));
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(game, L"Version", nullptr, &type, nullptr, &size), static_cast<LSTATUS>(ERROR_SUCCESS));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegCloseKey(game), static_cast<LSTATUS>(ERROR_SUCCESS));
    EXPECT_EQ(RegCloseKey(software), static_cast<LSTATUS>(ERROR_SUCCESS));
    EXPECT_EQ(RegCloseKey(software), static_cast<LSTATUS>(ERROR_INVALID_HANDLE));
}

TEST_F(WinRegistryTest, ASmallBufferGetsMoreDataAndTheNeededSize) {
    WriteStore("[HKEY_LOCAL_MACHINE\\K]\nName=sz:abcdef\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"K", 0, KEY_READ, &key), static_cast<LSTATUS>(ERROR_SUCCESS));
    BYTE buffer[4] = {1, 2, 3, 4};
    DWORD size = sizeof(buffer);
    EXPECT_EQ(RegQueryValueExW(key, L"Name", nullptr, nullptr, buffer, &size), static_cast<LSTATUS>(ERROR_MORE_DATA));
    EXPECT_EQ(size, 14u);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(RegCloseKey(key), static_cast<LSTATUS>(ERROR_SUCCESS));
}

}  // namespace
