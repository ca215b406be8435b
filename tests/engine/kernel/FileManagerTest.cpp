#include "engine/kernel/FileManager.h"

#include <gtest/gtest.h>

#include <memory>

#include "content/PackWriter.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileTextual.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/WinFolders.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using Content::PackWriter;
using Vantor::FileBinary;
using Vantor::FileManager;

class FileManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        filetest::FreshLog();
        temp_.WriteFile("game.exe", "MZ program");
        platform::seam::SetExecutablePath(PathOf("game.exe"));
    }

    void TearDown() override {
        // The holder keeps what it was given last: leave it a manager that stays.
        static FileManager resting(L"Z:\\");
        FileManager::Instance(&resting);
        manager_.reset();
        platform::seam::SetExecutablePath(L"");
    }

    std::wstring Base() const { return filetest::WindowsPath(temp_.Path()); }
    std::wstring PathOf(const std::string& name) const { return filetest::WindowsPath(temp_.Path() / name); }

    void WritePack(const std::string& name, const std::vector<std::pair<std::string, std::string>>& entries) {
        PackWriter writer;
        for (const auto& [entry, content] : entries) writer.Add(entry, content);
        const PackWriter::Bytes bytes = writer.Build();
        temp_.WriteFile(name, filetest::ToString(bytes));
    }

    void WriteExecutable(const std::vector<std::pair<std::string, std::string>>& entries) {
        PackWriter writer;
        for (const auto& [entry, content] : entries) writer.Add(entry, content);
        temp_.WriteFile("game.exe", filetest::ToString(writer.BuildAppended({'M', 'Z'})));
    }

    FileManager& Start(std::uint32_t packCacheLimit = FileManager::kDefaultPackCacheLimit) {
        manager_ = std::make_unique<FileManager>(Base(), true, L"Data", packCacheLimit);
        FileManager::Instance(manager_.get());
        return *manager_;
    }

    std::string Read(const std::wstring& path, std::uint32_t cacheLimit = 0) const {
        std::unique_ptr<FileBinary> file(manager_->OpenFile(path, false, cacheLimit, 0));
        std::string bytes(file->GetSize(), '\0');
        file->Read(bytes.data(), 1, file->GetSize());
        return bytes;
    }

    testsupport::TempFolder temp_;
    std::unique_ptr<FileManager> manager_;
};

TEST_F(FileManagerTest, LooseFilesWinOverPackEntries) {
    temp_.WriteFile("data/x.txt", "loose");
    WritePack("data/a.pak", {{"x.txt", "packed"}, {"y.txt", "only packed"}});
    Start();
    EXPECT_EQ(Read(L"data\\x.txt"), "loose");
    EXPECT_EQ(Read(L"data\\y.txt"), "only packed");
    EXPECT_TRUE(manager_->Exists(L"data\\y.txt"));
    EXPECT_FALSE(manager_->Exists(L"data\\z.txt"));
}

TEST_F(FileManagerTest, PackLookupTakesPathsBelowTheDataFolderOnly) {
    WritePack("data/a.pak", {{"ui\\cursor.xml", "<cursor/>"}});
    Start();
    EXPECT_EQ(manager_->GetDataFolder(), L"data\\");
    std::uint32_t size = 0;
    EXPECT_TRUE(manager_->FindInPacks(L"DATA\\\\UI\\\\Cursor.xml", &size));
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(Read(L"Data\\UI\\Cursor.XML"), "<cursor/>");
    EXPECT_FALSE(manager_->FindInPacks(L"ui\\cursor.xml"));
    const std::wstring absolute = Base() + L"\\data\\ui\\cursor.xml";
    EXPECT_FALSE(manager_->FindInPacks(absolute));
    EXPECT_THROW(Read(absolute), Vantor::FileError);
}

TEST_F(FileManagerTest, ExecutablePackComesFirstThenPackFilesByName) {
    WriteExecutable({{"same.txt", "exe"}});
    WritePack("data/b.pak", {{"same.txt", "b"}, {"ab.txt", "b"}, {"b.txt", "b"}});
    WritePack("data/a.pak", {{"same.txt", "a"}, {"ab.txt", "a"}});
    WritePack("data/old.pak.bak", {{"bak.txt", "bak"}});  // any name holding ".pak"
    WritePack("data/sub/c.pak", {{"sub.txt", "sub"}});    // sub-folders are not searched
    Start();
    EXPECT_EQ(Read(L"data\\same.txt"), "exe");
    EXPECT_EQ(Read(L"data\\ab.txt"), "a");
    EXPECT_EQ(Read(L"data\\b.txt"), "b");
    EXPECT_EQ(Read(L"data\\bak.txt"), "bak");
    EXPECT_FALSE(manager_->Exists(L"data\\sub.txt"));
}

TEST_F(FileManagerTest, BrokenPacksAreLoggedAndSkipped) {
    temp_.WriteFile("data/broken.pak", "not a pack at all");
    WritePack("data/good.pak", {{"x.txt", "x"}});
    Start();
    EXPECT_EQ(Read(L"data\\x.txt"), "x");
    const std::vector<std::string> logged = filetest::LoggedTexts();
    const std::string refusal =
        "Error: Pack file \"" + Vantor::ToNarrow(PathOf("data/broken.pak")) + "\" refused: Incorrect pack file format!\n";
    EXPECT_NE(std::find(logged.begin(), logged.end(), refusal), logged.end());
}

TEST_F(FileManagerTest, ExecutableWithoutItsTrailerHasNoPack) {
    Start();
    EXPECT_EQ(filetest::LoggedTexts(), std::vector<std::string>{"Initialization of File Manager...\n"});
}

TEST_F(FileManagerTest, ExecutableTrailerLongerThanTheFileIsRefused) {
    temp_.WriteFile("game.exe", "MZ" + filetest::Bytes({0xFF, 0xFF, 0, 0}) + "APC");
    Start();
    EXPECT_EQ(filetest::LoggedTexts().back(),
              "Error: Pack file \"" + Vantor::ToNarrow(PathOf("game.exe")) + "\" refused: Incorrect pack file format!\n");
    EXPECT_FALSE(manager_->Exists(L"data\\x.txt"));
}

TEST_F(FileManagerTest, ExecutableTrailerDisagreeingWithThePackIsRefused) {
    WriteExecutable({{"x.txt", "x"}});
    std::string exe = temp_.ReadFile("game.exe");
    exe[exe.size() - 7] -= 1;  // the trailer's length is one less than the pack's own field
    temp_.WriteFile("game.exe", exe);
    Start();
    EXPECT_EQ(filetest::LoggedTexts().back(),
              "Error: Pack file \"" + Vantor::ToNarrow(PathOf("game.exe")) + "\" refused: Incorrect pack file format!\n");
    EXPECT_FALSE(manager_->Exists(L"data\\x.txt"));
}

TEST_F(FileManagerTest, WithoutPacksOnlyLooseFilesAreRead) {
    WritePack("data/a.pak", {{"y.txt", "packed"}});
    manager_ = std::make_unique<FileManager>(Base(), false, L"data", FileManager::kDefaultPackCacheLimit);
    FileManager::Instance(manager_.get());
    EXPECT_FALSE(manager_->Exists(L"data\\y.txt"));
    EXPECT_EQ(filetest::LoggedTexts(), std::vector<std::string>{"Initialization of File Manager...\n"});
}

TEST_F(FileManagerTest, EntriesOfLargePacksShareThePackFile) {
    WritePack("data/a.pak", {{"x.txt", "0123456789"}});
    for (std::uint32_t packCacheLimit : {0u, FileManager::kDefaultPackCacheLimit}) {
        Start(packCacheLimit);
        std::unique_ptr<FileBinary> entry(manager_->OpenFile(L"data\\x.txt", false, 0, 0));
        EXPECT_EQ(entry->GetFile() != nullptr, packCacheLimit == 0);
        EXPECT_EQ(Read(L"data\\x.txt"), "0123456789");
        EXPECT_EQ(Read(L"data\\x.txt", 100), "0123456789");
    }
}

TEST_F(FileManagerTest, ListingMergesDiskAndPacks) {
    temp_.WriteFile("data/ui/windows/c.xml", "");
    temp_.WriteFile("data/ui/windows/a.xml", "");
    temp_.WriteFile("data/ui/windows/notes.txt", "");
    temp_.WriteFile("data/ui/windows/sub/d.xml", "");
    WritePack("data/a.pak", {{"ui\\windows\\b.xml", ""}, {"ui\\windows\\a.xml", ""}, {"ui\\windows\\sub\\e.xml", ""},
                             {"ui\\x.xml", ""}});
    Start();
    std::vector<std::wstring> files{L"dropped"};
    manager_->ListFiles(L"data\\ui\\windows", L".xml", false, files);
    EXPECT_EQ(files, (std::vector<std::wstring>{L"data\\ui\\windows\\a.xml", L"data\\ui\\windows\\b.xml",
                                                L"data\\ui\\windows\\c.xml"}));
    manager_->ListFiles(L"data\\ui\\windows", L"*.*", true, files);
    EXPECT_EQ(files.size(), 6u);
    // An absolute folder lists the disk only, written absolutely.
    const std::wstring absolute = Base() + L"\\data\\ui\\windows";
    manager_->ListFiles(absolute, L".xml", false, files);
    EXPECT_EQ(files, (std::vector<std::wstring>{absolute + L"\\a.xml", absolute + L"\\c.xml"}));
}

TEST_F(FileManagerTest, WritingCreatesTheFolders) {
    Start();
    {
        std::unique_ptr<FileBinary> file(manager_->OpenFile(L"data\\new\\deep\\f.bin", true, 0, 1));
        file->Write("abc", 1, 3);
    }
    EXPECT_EQ(temp_.ReadFile("data/new/deep/f.bin"), "abc");
}

TEST_F(FileManagerTest, MissingFileErrorQuotesThePathAsGiven) {
    Start();
    try {
        Read(L"data\\nothing.bin");
        FAIL() << "opened";
    } catch (const Vantor::FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"data\\nothing.bin\" file");
    }
}

TEST_F(FileManagerTest, TextFilesComeFromPacksToo) {
    WritePack("data/a.pak", {{"texts\\t.txt", "\xEF\xBB\xBF" "one\r\ntwo"}});
    Start();
    std::unique_ptr<Vantor::FileTextual> text(
        manager_->OpenTextFile(L"data\\texts\\t.txt", 0, Vantor::TextEncoding::EightBit, 0));
    std::wstring all;
    text->ReadAll(all, false);
    EXPECT_EQ(all, L"one\r\ntwo");
}

TEST_F(FileManagerTest, ContentPaths) {
    Start();
    EXPECT_EQ(manager_->GetDataPath(L"models\\box.mlf"), L"data\\models\\box.mlf");
    EXPECT_EQ(manager_->GetDataPath(L"C:\\models\\box.mlf"), L"C:\\models\\box.mlf");
    EXPECT_EQ(manager_->StripDataFolder(L"data\\ui\\cursor.xml"), L"ui\\cursor.xml");
    EXPECT_EQ(manager_->StripDataFolder(L"Data\\ui\\cursor.xml"), L"Data\\ui\\cursor.xml");
}

}  // namespace
