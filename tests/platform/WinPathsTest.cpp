#include "platform/WinPaths.h"

#include <gtest/gtest.h>

#include "platform/Utf.h"
#include "tests/support/TempFolder.h"

namespace {

std::wstring WindowsPathOf(const testsupport::TempFolder& folder) {
    return platform::ToWindowsPath(folder.Path().string());
}

TEST(WinPathsTest, DriveZIsTheRootAndBackslashesBecomeSlashes) {
    EXPECT_EQ(platform::ToWindowsPath("/usr/lib/x.so"), L"Z:\\usr\\lib\\x.so");
    EXPECT_EQ(platform::ToWindowsPath("/"), L"Z:\\");
    EXPECT_EQ(platform::ToHostPath(L"z:\\"), "/");
    EXPECT_EQ(platform::ToHostPath(L"\\"), "/");
}

TEST(WinPathsTest, PathsThatNameNothingHere) {
    EXPECT_FALSE(platform::ToHostPath(L""));
    EXPECT_FALSE(platform::ToHostPath(L"C:\\windows"));
    EXPECT_FALSE(platform::ToHostPath(L"\\\\server\\share\\x"));
}

TEST(WinPathsTest, ComponentsAreMatchedWithoutRegardToCase) {
    testsupport::TempFolder temp;
    temp.WriteFile("data/ui/x.txt", "x");
    std::string root = temp.Path().string();
    EXPECT_EQ(platform::ToHostPath(WindowsPathOf(temp) + L"\\DATA\\Ui\\X.TXT"), root + "/data/ui/x.txt");
    // Mixed separators, doubled backslashes and "." / ".." are resolved on the text.
    EXPECT_EQ(platform::ToHostPath(WindowsPathOf(temp) + L"/Data\\\\nothere\\..\\.\\UI/x.Txt"),
              root + "/data/ui/x.txt");
}

TEST(WinPathsTest, ExactNameWinsAndAmbiguousMatchesAreStable) {
    testsupport::TempFolder temp;
    temp.WriteFile("ReadMe", "exact");
    temp.WriteFile("README", "other");
    std::string root = temp.Path().string();
    EXPECT_EQ(platform::ToHostPath(WindowsPathOf(temp) + L"\\ReadMe"), root + "/ReadMe");
    EXPECT_EQ(platform::ToHostPath(WindowsPathOf(temp) + L"\\readme"), root + "/README");
}

TEST(WinPathsTest, MissingComponentsKeepTheirGivenNames) {
    testsupport::TempFolder temp;
    temp.WriteFile("Data/keep", "");
    std::string root = temp.Path().string();
    // Existing folders are matched, the new name is used as given, and nothing below a
    // missing folder is searched for.
    EXPECT_EQ(platform::ToHostPath(WindowsPathOf(temp) + L"\\DATA\\NewFile.Txt"), root + "/Data/NewFile.Txt");
    EXPECT_EQ(platform::ToHostPath(WindowsPathOf(temp) + L"\\data\\New\\Data"), root + "/Data/New/Data");
}

TEST(WinPathsTest, FoldCaseCoversMoreThanAscii) {
    EXPECT_EQ(platform::FoldCase(L"caf\u00e9.Txt"), L"CAF\u00c9.TXT");
}

TEST(WinPathsTest, SplitPathGivesDriveFolderNameAndExtension) {
    struct Case {
        const wchar_t* path;
        const wchar_t* drive;
        const wchar_t* dir;
        const wchar_t* fname;
        const wchar_t* ext;
    };
    for (const Case& c : {Case{L"Z:\\games\\cafe\\morvane.exe", L"Z:", L"\\games\\cafe\\", L"morvane", L".exe"},
                          Case{L"Z:/a.b/c", L"Z:", L"/a.b/", L"c", L""},
                          Case{L"\\\\server\\share\\x.tar.gz", L"", L"\\\\server\\share\\", L"x.tar", L".gz"},
                          Case{L"name", L"", L"", L"name", L""},
                          Case{L"Z:", L"Z:", L"", L"", L""},
                          Case{L"", L"", L"", L"", L""}}) {
        SCOPED_TRACE(platform::Utf16ToUtf8(c.path));
        wchar_t drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _wsplitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive);
        EXPECT_STREQ(dir, c.dir);
        EXPECT_STREQ(fname, c.fname);
        EXPECT_STREQ(ext, c.ext);
    }
}

TEST(WinPathsTest, SplitPathCutsLongPartsToTheirBuffersAndSkipsMissingOnes) {
    std::wstring folder = L"\\" + std::wstring(300, L'f') + L"\\";
    wchar_t dir[_MAX_DIR];
    _wsplitpath((L"Z:" + folder + L"x.url").c_str(), nullptr, dir, nullptr, nullptr);
    EXPECT_EQ(std::wstring(dir), folder.substr(0, _MAX_DIR - 1));
}

}  // namespace
