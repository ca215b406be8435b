#include "platform/WinCrtFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace {

class WinCrtFilesTest : public ::testing::Test {
protected:
    std::wstring PathOf(const std::wstring& relative) const {
        return platform::ToWindowsPath(temp_.Path().string()) + L"\\" + relative;
    }

    struct Found {
        std::wstring name;
        bool folder;
        uint32_t size;
        bool operator==(const Found&) const = default;
    };
    std::vector<Found> List(const std::wstring& pattern) {
        std::vector<Found> found;
        _wfinddata_t data;
        intptr_t search = _wfindfirst(PathOf(pattern).c_str(), &data);
        if (search == -1) return found;
        do {
            found.push_back({data.name, (data.attrib & _A_SUBDIR) != 0, data.size});
        } while (_wfindnext(search, &data) == 0);
        EXPECT_EQ(errno, ENOENT);
        EXPECT_EQ(_findclose(search), 0);
        return found;
    }

    testsupport::TempFolder temp_;
};

TEST_F(WinCrtFilesTest, StreamsOpenWindowsPathsInTextModes) {
    FILE* file = _wfopen(PathOf(L"Log.html").c_str(), L"wt");
    ASSERT_NE(file, nullptr);
    std::fputs("<HTML>", file);
    std::fclose(file);
    file = _wfopen(PathOf(L"LOG.HTML").c_str(), L"at");
    ASSERT_NE(file, nullptr);
    std::fputs("<BR>", file);
    std::fclose(file);
    EXPECT_EQ(temp_.ReadFile("Log.html"), "<HTML><BR>");

    EXPECT_EQ(_wfopen(PathOf(L"missing\\x.html").c_str(), L"wt"), nullptr);
    std::filesystem::create_directory(temp_.Path() / "folder");
    EXPECT_EQ(_wfopen(PathOf(L"folder").c_str(), L"rt"), nullptr);
}

TEST_F(WinCrtFilesTest, AccessTestAndRemove) {
    temp_.WriteFile("Sub/File.txt", "x");
    EXPECT_EQ(_waccess(PathOf(L"sub\\file.TXT").c_str(), 0), 0);
    EXPECT_EQ(_waccess(PathOf(L"SUB").c_str(), 0), 0);
    EXPECT_EQ(_waccess(PathOf(L"sub\\other.txt").c_str(), 0), -1);
    EXPECT_EQ(_waccess(L"C:\\x", 0), -1);

    // A folder is never removed as a file, even an empty one.
    std::filesystem::create_directory(temp_.Path() / "empty");
    EXPECT_EQ(_wremove(PathOf(L"Empty").c_str()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(temp_.Path() / "empty"));
    EXPECT_EQ(_wremove(PathOf(L"SUB\\FILE.TXT").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "Sub" / "File.txt"));
    EXPECT_EQ(_wremove(PathOf(L"SUB\\FILE.TXT").c_str()), -1);
    EXPECT_EQ(errno, ENOENT);

    temp_.WriteFile("full/x", "");
    EXPECT_EQ(_wrmdir(PathOf(L"FULL").c_str()), -1);
    EXPECT_EQ(_wrmdir(PathOf(L"EMPTY").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "empty"));
}

TEST_F(WinCrtFilesTest, ListingGivesDotEntriesThenSortedNamesWithTheFolderAttribute) {
    temp_.WriteFile("b.xml", "12");
    temp_.WriteFile("A.txt", "1");
    temp_.WriteFile("noext", "");
    temp_.WriteFile("Zed/inner.xml", "");
    std::vector<Found> all = {{L".", true, 0},       {L"..", true, 0},      {L"A.txt", false, 1},
                              {L"b.xml", false, 2}, {L"noext", false, 0}, {L"Zed", true, 0}};
    EXPECT_EQ(List(L"*.*"), all);
    EXPECT_EQ(List(L"*"), all);
    EXPECT_EQ(List(L"*.XML"), (std::vector<Found>{{L"b.xml", false, 2}}));
    EXPECT_EQ(List(L"a.*"), (std::vector<Found>{{L"A.txt", false, 1}}));
    EXPECT_EQ(List(L"?.xm?"), (std::vector<Found>{{L"b.xml", false, 2}}));
    EXPECT_EQ(List(L"ZED\\*.*").size(), 3u);
}

TEST_F(WinCrtFilesTest, NothingFound) {
    _wfinddata_t data;
    EXPECT_EQ(_wfindfirst(PathOf(L"*.none").c_str(), &data), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_wfindfirst(PathOf(L"missing\\*.*").c_str(), &data), -1);
    EXPECT_EQ(_findclose(12345), -1);
}

}  // namespace
