#include "engine/kernel/FileManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FailureInjection.h"
#include "platform/WinFolders.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/PathOverridesEnd.h"
#include "tests/support/TempFolder.h"

namespace {

using Vantor::FileManager;

struct PathCase {
    const wchar_t* path;
    const wchar_t* expected;
};

TEST(FileManagerPathsTest, FolderFileNameAndExtension) {
    EXPECT_EQ(FileManager::GetFolder(L"a\\b\\c.txt"), L"a\\b");
    EXPECT_EQ(FileManager::GetFolder(L"c.txt"), L"");
    EXPECT_EQ(FileManager::GetFileName(L"a\\b\\c.txt"), L"c.txt");
    EXPECT_EQ(FileManager::GetFileName(L"c.txt"), L"c.txt");
    EXPECT_EQ(FileManager::GetExtension(L"a\\b.txt"), L"txt");
    EXPECT_EQ(FileManager::GetExtension(L"a.b\\c"), L"b\\c");  // the last point anywhere in the path
    EXPECT_EQ(FileManager::GetExtension(L"a\\b"), L"");
    EXPECT_TRUE(FileManager::HasExtension(L"Data\\Windows\\Main.XML", L"xml"));
    EXPECT_FALSE(FileManager::HasExtension(L"main.xml.bak", L"xml"));
}

TEST(FileManagerPathsTest, ChangeExtension) {
    struct Case {
        const wchar_t* path;
        const wchar_t* extension;
        const wchar_t* expected;
    } cases[] = {
        {L"a\\b.txt", L"xml", L"a\\b.xml"},
        {L"a\\b.txt", L"", L"a\\b"},
        {L"a\\b", L"xml", L"a\\b.xml"},
        {L"a\\b", L"", L"a\\b"},
        {L"a.d\\b", L"xml", L"a.xml"},
    };
    for (const Case& c : cases) {
        std::wstring path = c.path;
        FileManager::ChangeExtension(path, c.extension);
        EXPECT_EQ(path, c.expected) << std::wstring(c.path) << " + " << c.extension;
    }
}

TEST(FileManagerPathsTest, CombinePathJoinsAndResolvesParentFolders) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {L"a\\", L"b", L"a\\b"},
        {L"a", L"b", L"a\\b"},
        {L"", L"b", L"b"},
        {L"a", L"", L""},
        {L"a\\b", L"..\\c", L"a\\c"},
        {L"x", L"..\\..\\y", L"..\\y"},
        {L"C:\\games\\cafe\\data", L"..\\..\\save\\p.prf", L"C:\\games\\save\\p.prf"},
        {L"data\\ui", L"..\\..\\..\\z", L"..\\z"},
        {L"a", L"..", L""},
        {L"..\\a", L"b", L"..\\a\\b"},  // a ".." at the start stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileManager::CombinePath(c.folder, c.path), c.expected) << c.folder << " + " << c.path;
}

TEST(FileManagerPathsTest, AbsolutePathsAreKeptAndRelativeOnesGoBehindTheBaseFolder) {
    filetest::FreshLog();  // the manager logs its start
    static FileManager manager(L"C:\\Games\\Cafe");
    FileManager::Instance(&manager);
    EXPECT_EQ(FileManager::GetAbsolutePath(L"C:\\x"), L"C:\\x");
    EXPECT_EQ(FileManager::GetAbsolutePath(L"\\\\server\\x"), L"\\\\server\\x");
    EXPECT_EQ(FileManager::GetAbsolutePath(L"data\\x"), L"C:\\Games\\Cafe\\data\\x");
    EXPECT_EQ(FileManager::GetAbsolutePath(L"\\x"), L"C:\\Games\\Cafe\\\\x");  // one backslash is not absolute
    EXPECT_FALSE(FileManager::IsAbsolutePath(L"C"));
}

TEST(FileManagerPathsTest, ExecutableFolderIsTheModulePathUpToItsLastBackslash) {
    testsupport::PathOverridesEnd end;
    platform::seam::SetExecutablePath(L"C:\\Games\\Cafe\\game.exe");
    EXPECT_EQ(FileManager::GetExecutableFolder(), L"C:\\Games\\Cafe");
    FileManager defaultBase(L"");
    EXPECT_EQ(defaultBase.GetBaseFolder(), L"C:\\Games\\Cafe");
    platform::seam::SetExecutablePath(L"game.exe");
    EXPECT_EQ(FileManager::GetExecutableFolder(), L"game.exe");
}

TEST(FileManagerPathsTest, UserDataFolderFallsBackOnTheExecutableFolder) {
    testsupport::TempFolder temp;
    testsupport::PathOverridesEnd end;
    const std::wstring appData = platform::ToWindowsPath(temp.Path().string()) + L"\\AppData";
    platform::seam::SetUserDataFolder(appData);
    platform::seam::SetExecutablePath(L"C:\\Games\\Cafe\\game.exe");
    EXPECT_EQ(FileManager::GetUserDataFolder(), appData);
    EXPECT_TRUE(std::filesystem::is_directory(temp.Path() / "AppData"));
    platform::seam::FailNextCalls("SHGetFolderPathW", 1);
    EXPECT_EQ(FileManager::GetUserDataFolder(), L"C:\\Games\\Cafe");
}

TEST(FileManagerPathsTest, RelativePathWithoutAManagerGoesBehindTheExecutableFolder) {
    if (FileManager::Instance()) GTEST_SKIP() << "a file manager was registered earlier in this process";
    testsupport::PathOverridesEnd end;
    platform::seam::SetExecutablePath(L"C:\\Games\\Cafe\\game.exe");
    EXPECT_EQ(FileManager::GetAbsolutePath(L"data\\x"), L"C:\\Games\\Cafe\\data\\x");
}

class FileManagerDiskTest : public ::testing::Test {
protected:
    std::wstring Root() const { return platform::ToWindowsPath(temp_.Path().string()); }
    std::vector<std::wstring> Relative(const std::vector<std::wstring>& paths) const {
        std::vector<std::wstring> relative;
        for (const std::wstring& path : paths) relative.push_back(path.substr(Root().size() + 1));
        return relative;
    }

    testsupport::TempFolder temp_;
};

TEST_F(FileManagerDiskTest, ExistenceIgnoresLetterCase) {
    temp_.WriteFile("data/ui/x.txt", "x");
    EXPECT_TRUE(FileManager::ExistsOnDisk(Root() + L"\\DATA\\Ui\\X.TXT"));
    EXPECT_TRUE(FileManager::ExistsOnDisk(Root() + L"\\Data"));
    EXPECT_FALSE(FileManager::ExistsOnDisk(Root() + L"\\data\\ui\\y.txt"));
}

TEST_F(FileManagerDiskTest, CreateFoldersMakesEveryFolderBeforeTheFileName) {
    temp_.WriteFile("Data/keep", "");
    FileManager::CreateFolders(Root() + L"\\data\\New\\Deep\\file.bin");
    EXPECT_TRUE(std::filesystem::is_directory(temp_.Path() / "Data" / "New" / "Deep"));
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "Data" / "New" / "Deep" / "file.bin"));
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "data"));  // the existing folder was matched
}

TEST_F(FileManagerDiskTest, ListingLowerCasesNamesAndTestsThePatternAsASubstring) {
    temp_.WriteFile("Windows/Main.XML", "");
    temp_.WriteFile("Windows/a.xml.bak", "");
    temp_.WriteFile("Windows/readme.txt", "");
    temp_.WriteFile("Windows/Sub/Inner.xml", "");
    temp_.WriteFile("Windows/Sub/Deeper/z.xml", "");

    std::vector<std::wstring> files;
    FileManager::ListFilesOnDisk(Root() + L"\\windows", L".XML", false, files);
    EXPECT_EQ(Relative(files), (std::vector<std::wstring>{L"windows\\a.xml.bak", L"windows\\main.xml"}));

    files.clear();
    FileManager::ListFilesOnDisk(Root() + L"\\windows\\", L"*.*", true, files);
    EXPECT_EQ(Relative(files), (std::vector<std::wstring>{L"windows\\a.xml.bak", L"windows\\main.xml",
                                                          L"windows\\readme.txt", L"windows\\sub\\deeper\\z.xml",
                                                          L"windows\\sub\\inner.xml"}));

    std::vector<std::wstring> folders;
    FileManager::ListSubFolders(Root() + L"\\windows", folders);
    EXPECT_EQ(Relative(folders), std::vector<std::wstring>{L"windows\\sub"});

    files.clear();
    FileManager::ListFilesOnDisk(Root() + L"\\missing", L"", true, files);
    FileManager::ListFilesOnDisk(L"", L"", false, files);
    EXPECT_TRUE(files.empty());
}

TEST_F(FileManagerDiskTest, DeletePathRemovesAFileOrAWholeTree) {
    temp_.WriteFile("profiles/Anna.prf", "p");
    temp_.WriteFile("profiles/Anna/Save/slot.bin", "s");
    temp_.WriteFile("profiles/Anna/notes.txt", "n");
    temp_.WriteFile("profiles/Anna/Empty/.keep", "");
    temp_.WriteFile("profiles/Bob.prf", "b");

    // The framework deletes a profile's file and the same path without its extension.
    FileManager::DeletePath(Root() + L"\\PROFILES\\anna.prf");
    FileManager::DeletePath(Root() + L"\\PROFILES\\anna");
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "profiles" / "Anna.prf"));
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "profiles" / "Anna"));
    EXPECT_TRUE(std::filesystem::exists(temp_.Path() / "profiles" / "Bob.prf"));

    FileManager::DeletePath(Root() + L"\\profiles\\nobody");  // nothing there: nothing happens
    EXPECT_TRUE(std::filesystem::exists(temp_.Path() / "profiles" / "Bob.prf"));
}

TEST_F(FileManagerDiskTest, DeleteFileLeavesFoldersAlone) {
    temp_.WriteFile("profiles/anna.prf", "p");
    temp_.WriteFile("profiles/anna/notes.txt", "n");
    EXPECT_TRUE(FileManager::DeleteFile(Root() + L"\\PROFILES\\Anna.prf"));
    EXPECT_FALSE(FileManager::DeleteFile(Root() + L"\\profiles\\anna"));
    EXPECT_FALSE(FileManager::DeleteFile(Root() + L"\\profiles\\nobody"));
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "profiles" / "anna.prf"));
    EXPECT_EQ("n", temp_.ReadFile("profiles/anna/notes.txt"));
}

TEST_F(FileManagerDiskTest, MoveFileReplacesOnlyWhenAsked) {
    temp_.WriteFile("new", "new");
    temp_.WriteFile("old", "old");
    temp_.WriteFile("folder/inside", "");
    EXPECT_FALSE(FileManager::MoveFile(Root() + L"\\new", Root() + L"\\old", false));
    EXPECT_FALSE(FileManager::MoveFile(Root() + L"\\new", Root() + L"\\folder", true));
    EXPECT_EQ("old", temp_.ReadFile("old"));
    EXPECT_TRUE(FileManager::MoveFile(Root() + L"\\NEW", Root() + L"\\old", true));
    EXPECT_EQ("new", temp_.ReadFile("old"));
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "new"));
    EXPECT_TRUE(FileManager::MoveFile(Root() + L"\\old", Root() + L"\\aside", false));
    EXPECT_EQ("new", temp_.ReadFile("aside"));
}

}  // namespace
