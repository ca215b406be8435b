#include "engine/kernel/Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/WinFolders.h"
#include "platform/WinRegistry.h"
#include "tests/support/TempFolder.h"

namespace {

using Vantor::ReadRegistryString;
using Vantor::ReadRegistryStringFrom;

// The registry store lives in the user-data folder, here a fresh temporary one.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() { platform::seam::SetUserDataFolder(platform::ToWindowsPath(temp_.Path().string())); }
    ~RegistryTest() override {
        EXPECT_EQ(platform::seam::OpenRegistryKeyCount(), 0u);
        platform::seam::SetUserDataFolder(L"");
    }
    void WriteStore(const std::string& text) {
        temp_.WriteFile(std::filesystem::path(platform::RegistryStorePath()).filename().string(), text);
    }

    testsupport::TempFolder temp_;
};

TEST_F(RegistryTest, MachineWideValuesComeBeforePerUserOnes) {
    WriteStore(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Cafe]\n"
        "InstallPath=sz:C:\\Games\\Cafe\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Maker\\Cafe]\n"
        "InstallPath=sz:D:\\Mine\n"
        "Version=sz:1.02\n");
    std::wstring value = L"unchanged";
    EXPECT_TRUE(ReadRegistryString(L"SOFTWARE\\Maker\\Cafe", L"InstallPath", value));
    EXPECT_EQ(value, L"C:\\Games\\Cafe");
    EXPECT_TRUE(ReadRegistryString(L"SOFTWARE\\Maker\\Cafe", L"Version", value));
    EXPECT_EQ(value, L"1.02");
    EXPECT_TRUE(ReadRegistryStringFrom(2, L"SOFTWARE\\Maker\\Cafe", L"InstallPath", value));
    EXPECT_EQ(value, L"D:\\Mine");
}

TEST_F(RegistryTest, MissingKeysValuesAndOtherTypesAnswerFalse) {
    WriteStore(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Cafe]\n"
        "Version=dword:102\n");
    std::wstring value = L"unchanged";
    EXPECT_FALSE(ReadRegistryStringFrom(3, L"SOFTWARE\\Maker\\Cafe", L"Version", value));
    EXPECT_FALSE(ReadRegistryString(L"SOFTWARE\\Maker\\Cafe", L"Version", value));
    EXPECT_FALSE(ReadRegistryString(L"SOFTWARE\\Maker\\Cafe", L"InstallPath", value));
    EXPECT_FALSE(ReadRegistryString(L"SOFTWARE\\Other\\Game", L"Version", value));
    EXPECT_EQ(value, L"unchanged");
}

TEST_F(RegistryTest, TextEndsAtItsFirstZeroUnit) {
    WriteStore("[HKEY_CURRENT_USER\\K]\nTwo=hex(1):61,00,00,00,62,00,00,00\n");
    std::wstring value;
    EXPECT_TRUE(ReadRegistryString(L"K", L"Two", value));
    EXPECT_EQ(value, L"a");
}

TEST_F(RegistryTest, UnterminatedStringsEndWithTheBytesReturned) {
    // A string stored without its terminator, short and exactly filling the 8192-byte
    // buffer: neither may read past what the call returned.
    std::string full = "hex(1):";
    for (int i = 0; i < 4096; ++i) full += i ? ",41,00" : "41,00";
    WriteStore("[HKEY_CURRENT_USER\\K]\nShort=hex(1):61,00,62,00\nFull=" + full +
               "\nOdd=hex(1):61,00,62\nTooLong=" + full + ",42,00\n");
    std::wstring value;
    EXPECT_TRUE(ReadRegistryString(L"K", L"Short", value));
    EXPECT_EQ(value, L"ab");
    EXPECT_TRUE(ReadRegistryString(L"K", L"Full", value));
    EXPECT_EQ(value, std::wstring(4096, L'A'));
    EXPECT_TRUE(ReadRegistryString(L"K", L"Odd", value));
    EXPECT_EQ(value, L"a");
    EXPECT_FALSE(ReadRegistryString(L"K", L"TooLong", value));
}

TEST(RegistryRootTest, RootCodes) {
    EXPECT_EQ(Vantor::GetRegistryRootKey(0), HKEY_CLASSES_ROOT);
    EXPECT_EQ(Vantor::GetRegistryRootKey(1), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(Vantor::GetRegistryRootKey(2), HKEY_CURRENT_USER);
    EXPECT_EQ(Vantor::GetRegistryRootKey(3), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(Vantor::GetRegistryRootKey(4), HKEY_USERS);
    EXPECT_EQ(Vantor::GetRegistryRootKey(9), HKEY_CURRENT_USER);
    EXPECT_EQ(Vantor::GetRegistryRootKey(-1), HKEY_CURRENT_USER);
}

}  // namespace
