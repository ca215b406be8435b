#include "engine/kernel/PackFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "content/PackWriter.h"
#include "engine/kernel/EngineFile.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/StringHelpers.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using Content::PackWriter;
using Vantor::PackFile;

constexpr std::uint32_t kInMemory = 0x1000000;
constexpr std::uint32_t kThroughFile = 0;

class PackFileTest : public ::testing::Test {
protected:
    void SetUp() override { filetest::FreshLog(); }

    std::wstring PathOf(const std::string& name) const { return filetest::WindowsPath(temp_.Path() / name); }

    std::wstring Save(const std::string& name, const PackWriter::Bytes& bytes) const {
        PackWriter::WriteFile(PathOf(name), bytes);
        return PathOf(name);
    }

    // The entry's content, read through a stream built from the pack's answers.
    static std::string Content(const PackFile& pack, const std::wstring& name, std::uint32_t entryCacheLimit = 0) {
        std::uint32_t size = 0;
        const std::uint8_t* memory = nullptr;
        bool ownsMemory = true;
        Vantor::EngineFile* sharedFile = nullptr;
        std::uint32_t baseOffset = 0;
        EXPECT_TRUE(pack.GetSize(name, size));
        EXPECT_TRUE(pack.Locate(name, memory, ownsMemory, sharedFile, baseOffset));
        EXPECT_FALSE(ownsMemory);
        Vantor::FileBinary entry(name, 0, entryCacheLimit, size, memory, ownsMemory, sharedFile, baseOffset);
        std::string bytes(entry.GetSize(), '\0');
        entry.Read(bytes.data(), 1, entry.GetSize());
        return bytes;
    }

    // Opening that must fail: the error lines it logged.
    std::vector<std::string> FailedOpen(const std::wstring& path, std::uint32_t offset = 0, std::uint32_t length = 0) {
        filetest::FreshLog();
        try {
            PackFile pack(path, offset, length, kInMemory);
            ADD_FAILURE() << "the pack opened";
        } catch (const Vantor::Error& error) {
            EXPECT_EQ(error.GetText(), "");
        }
        return filetest::LoggedTexts();
    }

    static PackWriter Sample() {
        PackWriter writer;
        writer.Add("UI\\Cursor.XML", "<cursor/>");
        writer.Add("ui\\a.xml", "a");
        writer.Add("ui\\windows\\b.xml", "bb");
        writer.Add("ui\\a.xml.bak", "old");
        writer.Add("sounds\\click.wav", std::string(100, 'w'));
        return writer;
    }

    testsupport::TempFolder temp_;
};

TEST_F(PackFileTest, OpensAndLogsItsSize) {
    const std::wstring path = Save("sample.pak", Sample().Build());
    filetest::FreshLog();
    PackFile pack(path, 0, 0, kInMemory);
    EXPECT_EQ(filetest::LoggedTexts(), (std::vector<std::string>{"...Pack file " + Vantor::ToNarrow(path) + " found...\n",
                                                                 "......It contains 5 files...\n"}));
}

TEST_F(PackFileTest, NamesAreFoundWithoutRegardToCase) {
    const std::wstring path = Save("sample.pak", Sample().Build());
    PackFile pack(path, 0, 0, kInMemory);
    for (const wchar_t* name : {L"ui\\cursor.xml", L"Ui\\CURSOR.xml", L"UI\\Cursor.XML"}) {
        EXPECT_TRUE(pack.Contains(name)) << Vantor::ToNarrow(name);
        EXPECT_EQ(Content(pack, name), "<cursor/>");
    }
    EXPECT_FALSE(pack.Contains(L"ui\\cursor"));
    EXPECT_FALSE(pack.Contains(L"data\\ui\\cursor.xml"));
    std::uint32_t size = 77;
    EXPECT_FALSE(pack.GetSize(L"missing", size));
    EXPECT_EQ(size, 77u);
}

TEST_F(PackFileTest, EntriesComeFromMemoryOrThroughTheSharedFile) {
    const std::wstring path = Save("sample.pak", Sample().Build());
    for (std::uint32_t cacheLimit : {kInMemory, kThroughFile}) {
        PackFile pack(path, 0, 0, cacheLimit);
        const std::uint8_t* memory = nullptr;
        bool ownsMemory = true;
        Vantor::EngineFile* sharedFile = nullptr;
        std::uint32_t baseOffset = 0;
        ASSERT_TRUE(pack.Locate(L"sounds\\click.wav", memory, ownsMemory, sharedFile, baseOffset));
        EXPECT_EQ(memory != nullptr, cacheLimit == kInMemory);
        EXPECT_EQ(sharedFile != nullptr, cacheLimit == kThroughFile);
        // Interleaved reads of two entries over the one shared handle.
        EXPECT_EQ(Content(pack, L"sounds\\click.wav"), std::string(100, 'w'));
        EXPECT_EQ(Content(pack, L"ui\\windows\\b.xml"), "bb");
        EXPECT_EQ(Content(pack, L"sounds\\click.wav", 1000), std::string(100, 'w'));
    }
}

TEST_F(PackFileTest, EmptyPackOpens) {
    const std::wstring path = Save("empty.pak", PackWriter().Build());
    PackFile pack(path, 0, 0, kInMemory);
    EXPECT_EQ(filetest::LoggedTexts().back(), "......It contains 0 files...\n");
    std::vector<std::wstring> files;
    pack.ListFiles(L"", L"*.*", true, files);
    EXPECT_TRUE(files.empty());
}

TEST_F(PackFileTest, RepeatedNameAnswersWithTheFirstAndListsTwice) {
    PackWriter writer;
    writer.Add("x.txt", "first");
    writer.Add("X.TXT", "second");
    PackFile pack(Save("twice.pak", writer.Build()), 0, 0, kInMemory);
    EXPECT_EQ(Content(pack, L"x.txt"), "first");
    std::vector<std::wstring> files;
    pack.ListFiles(L"", L"", false, files);
    EXPECT_EQ(files, (std::vector<std::wstring>{L"x.txt", L"x.txt"}));
}

TEST_F(PackFileTest, Listing) {
    PackFile pack(Save("sample.pak", Sample().Build()), 0, 0, kInMemory);
    struct Case {
        const wchar_t* folder;
        const wchar_t* pattern;
        bool recursive;
        std::vector<std::wstring> files;
    };
    const Case cases[] = {
        {L"ui", L"*.*", false, {L"ui\\cursor.xml", L"ui\\a.xml", L"ui\\a.xml.bak"}},
        {L"UI\\", L"*.*", false, {L"ui\\cursor.xml", L"ui\\a.xml", L"ui\\a.xml.bak"}},
        {L"ui", L"", true, {L"ui\\cursor.xml", L"ui\\a.xml", L"ui\\windows\\b.xml", L"ui\\a.xml.bak"}},
        {L"ui", L".XML", true, {L"ui\\cursor.xml", L"ui\\a.xml", L"ui\\windows\\b.xml", L"ui\\a.xml.bak"}},
        {L"ui", L".bak", false, {L"ui\\a.xml.bak"}},
        {L"ui\\windows", L".xml", false, {L"ui\\windows\\b.xml"}},
        {L"", L".wav", false, {}},
        {L"", L".wav", true, {L"sounds\\click.wav"}},
        {L"u", L"", true, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> files{L"kept"};
        pack.ListFiles(c.folder, c.pattern, c.recursive, files);
        std::vector<std::wstring> expected{L"kept"};
        expected.insert(expected.end(), c.files.begin(), c.files.end());
        EXPECT_EQ(files, expected) << Vantor::ToNarrow(c.folder) << " " << Vantor::ToNarrow(c.pattern);
    }
}

TEST_F(PackFileTest, PackAppendedToAnExecutable) {
    const PackWriter::Bytes program(1000, 0x90);
    const PackWriter::Bytes exe = Sample().BuildAppended(program);
    const std::wstring path = Save("game.exe", exe);
    const std::uint32_t length = static_cast<std::uint32_t>(Sample().Build().size());
    PackFile pack(path, static_cast<std::uint32_t>(exe.size()) - length - 7, length, kInMemory);
    EXPECT_EQ(Content(pack, L"ui\\a.xml"), "a");

    PackFile throughFile(path, static_cast<std::uint32_t>(exe.size()) - length - 7, length, kThroughFile);
    EXPECT_EQ(Content(throughFile, L"ui\\windows\\b.xml"), "bb");
}

// ---- Refused packs: "......" then one error line naming the pack and the reason ----

std::string RefusalLine(const std::wstring& path, const std::string& text) {
    return "Error: Pack file \"" + Vantor::ToNarrow(path) + "\" refused: " + text + "!\n";
}

std::vector<std::string> Refusal(const std::wstring& path, const std::string& text) {
    return {"......", RefusalLine(path, text)};
}

void Patch(PackWriter::Bytes& bytes, std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

TEST_F(PackFileTest, BrokenPacksAreRefused) {
    const PackWriter::Bytes good = Sample().Build();
    const std::int32_t goodLength = static_cast<std::int32_t>(good.size());
    struct Case {
        const char* name;
        std::function<void(PackWriter::Bytes&)> damage;
        std::string error;
    };
    const std::string format = "Incorrect pack file format";
    const std::string version = "Incorrect pack file version, current is 100";
    const Case cases[] = {
        {"length differs from the file", [&](auto& b) { Patch(b, 0, goodLength + 1); }, format},
        {"version 101", [](auto& b) { Patch(b, 9, 101); }, version},
        {"wrong magic, version 100", [](auto& b) { b[4] = 'X'; }, format},
        {"wrong magic and version", [](auto& b) { b[8] = 'X'; Patch(b, 9, 7); }, format},
        {"names cut short", [](auto& b) { b.resize(30); Patch(b, 0, 30); }, ""},
        {"directory cut short", [&](auto& b) { b.resize(b.size() - 135); Patch(b, 0, static_cast<std::int32_t>(b.size())); }, ""},
        {"header cut short", [](auto& b) { b.resize(6); }, ""},
        {"huge entry count", [](auto& b) { Patch(b, 13, 0x7FFFFFFF); }, ""},
    };
    for (const Case& c : cases) {
        PackWriter::Bytes bytes = good;
        c.damage(bytes);
        const std::wstring path = Save("broken.pak", bytes);
        const std::vector<std::string> logged = FailedOpen(path);
        ASSERT_GE(logged.size(), 3u) << c.name;
        const std::vector<std::string> tail(logged.end() - 2, logged.end());
        if (!c.error.empty())
            EXPECT_EQ(tail, Refusal(path, c.error)) << c.name;
        else
            EXPECT_TRUE(tail[1].starts_with("Error: Pack file \"" + Vantor::ToNarrow(path) + "\" refused: Failed to read "))
                << c.name << ": " << tail[1];
    }
}

TEST_F(PackFileTest, MissingPackIsRefused) {
    const std::wstring path = PathOf("none.pak");
    EXPECT_EQ(FailedOpen(path).back(),
              RefusalLine(path, "Failed to open \"" + Vantor::ToNarrow(path) + "\" file"));
}

TEST_F(PackFileTest, ExecutableTrailerMustMatchThePack) {
    const PackWriter::Bytes exe = Sample().BuildAppended(PackWriter::Bytes(50, 0x90));
    const std::wstring path = Save("game.exe", exe);
    const std::uint32_t length = static_cast<std::uint32_t>(Sample().Build().size());
    const std::uint32_t start = static_cast<std::uint32_t>(exe.size()) - length - 7;
    const std::vector<std::string> logged = FailedOpen(path, start, length - 1);
    EXPECT_EQ(std::vector<std::string>(logged.end() - 2, logged.end()), Refusal(path, "Incorrect pack file format"));
    // A pack said to reach past the end of the file, or to start beyond it.
    EXPECT_EQ(FailedOpen(path, start, length + 8).back(), RefusalLine(path, "Incorrect pack file format"));
    EXPECT_EQ(FailedOpen(path, static_cast<std::uint32_t>(exe.size()) + 5, length).back(),
              RefusalLine(path, "Incorrect pack file format"));
}

TEST_F(PackFileTest, EntriesOutsideThePackAreRejectedAtOpening) {
    PackWriter writer;
    writer.Add("good.txt", "good");
    writer.Add("far.txt", "far");
    writer.Add("long.txt", "long");
    writer.Add("negative.txt", "neg");
    PackWriter::Bytes bytes = writer.Build();
    const std::size_t records = 17 + (2 + 8) + (2 + 7) + (2 + 8) + (2 + 12);
    Patch(bytes, records + 8, 1000);               // far.txt: offset beyond the pack
    Patch(bytes, records + 16 + 4, 0x7FFFFFF0);    // long.txt: size beyond the pack
    Patch(bytes, records + 24, -4);                // negative.txt: negative offset
    const std::wstring path = Save("corrupt.pak", bytes);

    filetest::FreshLog();
    PackFile pack(path, 0, 0, kInMemory);
    EXPECT_EQ(Content(pack, L"good.txt"), "good");
    for (const wchar_t* name : {L"far.txt", L"long.txt", L"negative.txt"}) EXPECT_FALSE(pack.Contains(name));
    std::vector<std::wstring> files;
    pack.ListFiles(L"", L"", true, files);
    EXPECT_EQ(files, std::vector<std::wstring>{L"good.txt"});
    int errors = 0;
    for (const std::string& line : filetest::LoggedTexts())
        if (line.find("Error: Pack entry \"") != std::string::npos) ++errors;
    EXPECT_EQ(errors, 3);
}

}  // namespace
