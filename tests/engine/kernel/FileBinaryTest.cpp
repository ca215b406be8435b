#include "engine/kernel/FileBinary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/kernel/EngineFile.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/FailureInjection.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using filetest::Bytes;
using Vantor::FileBinary;
using Vantor::FileError;

class FileBinaryTest : public ::testing::Test {
protected:
    void TearDown() override { platform::seam::ClearInjectedFailures(); }

    std::wstring PathOf(const std::string& name) const { return filetest::WindowsPath(temp_.Path() / name); }

    // The bytes a writer leaves in a new file.
    std::string Written(const std::function<void(FileBinary&)>& write) const {
        {
            FileBinary file(PathOf("out.bin"), 1);
            write(file);
        }
        return temp_.ReadFile("out.bin");
    }

    // A stream over bytes held in memory.
    FileBinary& Over(const std::string& bytes) {
        memory_ = bytes;
        stream_ = std::make_unique<FileBinary>(L"mem.bin", 0, 0, static_cast<std::uint32_t>(memory_.size()),
                                               reinterpret_cast<const std::uint8_t*>(memory_.data()), false);
        return *stream_;
    }

    testsupport::TempFolder temp_;
    std::string memory_;
    std::unique_ptr<FileBinary> stream_;
};

// ---- Field encodings, byte for byte ----

struct EncodingCase {
    const char* name;
    std::function<void(FileBinary&)> write;
    std::string bytes;
};

TEST_F(FileBinaryTest, FieldsAreWrittenByteForByte) {
    const std::int32_t minusTwo = -2;
    const std::uint16_t halfWord = 0x1234;
    const float oneAndHalf = 1.5f;
    const std::uint8_t flag = 1;
    const EncodingCase cases[] = {
        {"narrow abc", [](FileBinary& f) { f.WriteString("abc"); }, Bytes({4, 'a', 'b', 'c', 0})},
        {"narrow empty", [](FileBinary& f) { f.WriteString(""); }, Bytes({1, 0})},
        {"wide ab", [](FileBinary& f) { f.WriteWideString(L"ab"); }, Bytes({3, 'a', 0, 'b', 0, 0, 0})},
        {"wide units", [](FileBinary& f) { f.WriteWideString(L"\u00E9\u20AC"); },
         Bytes({3, 0xE9, 0x00, 0xAC, 0x20, 0, 0})},
        {"list a and empty", [](FileBinary& f) { f.WriteStringList({"a", ""}); },
         Bytes({2, 0, 0, 0, 2, 'a', 0, 1, 0})},
        {"i32", [&](FileBinary& f) { f.Write(&minusTwo, 4, 1); }, Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
        {"u16", [&](FileBinary& f) { f.Write(&halfWord, 2, 1); }, Bytes({0x34, 0x12})},
        {"float", [&](FileBinary& f) { f.Write(&oneAndHalf, 4, 1); }, Bytes({0x00, 0x00, 0xC0, 0x3F})},
        {"flag", [&](FileBinary& f) { f.Write(&flag, 1, 1); }, Bytes({1})},
    };
    for (const EncodingCase& c : cases) EXPECT_EQ(Written(c.write), c.bytes) << c.name;
}

TEST_F(FileBinaryTest, FieldsReadBackFromDiskAndMemory) {
    Written([](FileBinary& f) {
        f.WriteString("name");
        f.WriteWideString(L"w\u00E9");
        f.WriteStringList({"x", "", "yz"});
        const float value = -0.25f;
        f.Write(&value, 4, 1);
    });
    for (std::uint32_t cacheLimit : {0u, 1000u}) {
        FileBinary file(PathOf("out.bin"), 0, cacheLimit);
        char narrow[255];
        wchar_t wide[255];
        std::vector<std::string> list;
        float value = 0;
        file.ReadString(narrow);
        file.ReadWideString(wide);
        file.ReadStringList(list);
        file.Read(&value, 4, 1);
        EXPECT_STREQ(narrow, "name");
        EXPECT_EQ(std::wstring(wide), L"w\u00E9");
        EXPECT_EQ(list, (std::vector<std::string>{"x", "", "yz"}));
        EXPECT_EQ(value, -0.25f);
    }
}

TEST_F(FileBinaryTest, StringListWithCountZeroLeavesTheVector) {
    std::vector<std::string> list{"kept"};
    Over(Bytes({0, 0, 0, 0})).ReadStringList(list);
    EXPECT_EQ(list, std::vector<std::string>{"kept"});
}

TEST_F(FileBinaryTest, TooLongStringIsRefused) {
    FileBinary file(PathOf("long.bin"), 1);
    EXPECT_THROW(file.WriteString(std::string(255, 'x')), FileError);
    EXPECT_THROW(file.WriteWideString(std::wstring(255, L'x')), FileError);
    EXPECT_EQ(file.GetSize(), 0u);
    file.WriteString(std::string(254, 'x'));
    EXPECT_EQ(file.GetSize(), 256u);
}

// ---- Read and seek rules, on a stream in memory and on one read through its handle ----

class FileBinaryBackingTest : public FileBinaryTest, public ::testing::WithParamInterface<std::uint32_t> {
protected:
    void SetUp() override { temp_.WriteFile("ten.bin", "0123456789"); }
    FileBinary Open() { return FileBinary(PathOf("ten.bin"), 0, GetParam()); }
    bool InMemory() const { return GetParam() >= 10; }
};

TEST_P(FileBinaryBackingTest, SmallFilesAreHeldInMemory) {
    FileBinary file = Open();
    EXPECT_EQ(file.GetSize(), 10u);
    EXPECT_EQ(file.GetMemory() != nullptr, InMemory());
    EXPECT_EQ(file.GetFile() == nullptr, InMemory());
}

TEST_P(FileBinaryBackingTest, StrictReadPastTheEndCopiesWhatIsThereAndThrows) {
    FileBinary file = Open();
    ASSERT_TRUE(file.Seek(0, 8));
    char bytes[4] = {};
    try {
        file.Read(bytes, 4, 1);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to read 1 bytes from \"" + Vantor::ToNarrow(PathOf("ten.bin")) + "\" file");
    }
    EXPECT_EQ(std::string(bytes, 2), "89");
    EXPECT_EQ(file.GetPosition(), 10u);
}

TEST_P(FileBinaryBackingTest, LenientReadReportsTheBytesMoved) {
    FileBinary file = Open();
    file.Seek(0, 8);
    char bytes[4] = {};
    std::uint32_t moved = 99;
    file.Read(bytes, 4, 1, &moved);
    EXPECT_EQ(moved, 2u);
    file.Read(bytes, 0, 1, &moved);
    EXPECT_EQ(moved, 0u);
}

struct SeekCase {
    std::uint32_t from;
    int origin;
    std::int32_t offset;
    std::uint32_t position;
    bool inside;
};

TEST_P(FileBinaryBackingTest, SeekKeepsThePositionOnAByte) {
    const SeekCase cases[] = {
        {0, 0, 10, 9, false}, {0, 1, 3, 7, true},   {0, 1, 11, 0, false}, {5, 2, -20, 0, false},
        {0, 1, 0, 9, false},  {2, 2, 3, 5, true},   {4, 0, -1, 0, false}, {4, 7, 3, 4, true},
    };
    for (const SeekCase& c : cases) {
        FileBinary file = Open();
        file.Seek(0, static_cast<std::int32_t>(c.from));
        EXPECT_EQ(file.Seek(c.origin, c.offset), c.inside) << c.origin << " " << c.offset;
        EXPECT_EQ(file.GetPosition(), c.position) << c.origin << " " << c.offset;
        // The next read starts there, whatever backs the stream.
        char byte = 0;
        file.Read(&byte, 1, 1);
        EXPECT_EQ(byte, static_cast<char>('0' + c.position));
    }
}

INSTANTIATE_TEST_SUITE_P(MemoryAndHandle, FileBinaryBackingTest, ::testing::Values(16u, 0u));

TEST_F(FileBinaryTest, EmptyStreamHasNothingToReadAfterASeek) {
    temp_.WriteFile("empty.bin", "");
    for (std::uint32_t cacheLimit : {0u, 16u}) {
        FileBinary file(PathOf("empty.bin"), 0, cacheLimit);
        EXPECT_TRUE(file.Seek(0, 5));
        EXPECT_EQ(file.GetPosition(), 5u);
        char bytes[8];
        std::uint32_t moved = 99;
        file.Read(bytes, 1, sizeof bytes, &moved);
        EXPECT_EQ(moved, 0u);
        EXPECT_THROW(file.Read(bytes, 1, 1), FileError);
        EXPECT_EQ(file.GetPosition(), 5u);
    }
}

TEST_F(FileBinaryTest, WritingAfterASeekOverwrites) {
    const std::string bytes = Written([](FileBinary& f) {
        f.Write("abcdef", 1, 6);
        EXPECT_TRUE(f.Seek(0, 0));
        f.Write("WXYZ", 2, 2);
        EXPECT_EQ(f.GetSize(), 6u);
        EXPECT_EQ(f.GetPosition(), 4u);
    });
    EXPECT_EQ(bytes, "WXYZef");
}

TEST_F(FileBinaryTest, FailedWriteThrowsOnlyWhenStrict) {
    FileBinary file(PathOf("w.bin"), 1);
    platform::seam::FailNextCalls("WriteFile", 2);
    std::uint32_t moved = 99;
    file.Write("abc", 1, 3, &moved);
    EXPECT_EQ(moved, 0u);
    EXPECT_THROW(file.Write("abc", 1, 3), FileError);
    EXPECT_EQ(file.GetSize(), 0u);
}

TEST_F(FileBinaryTest, FailedFlushThrows) {
    FileBinary file(PathOf("w.bin"), 1, 0, 0, nullptr, true, nullptr, 0, 1);
    file.Write("abc", 1, 3);
    platform::seam::FailNextCalls("FlushFileBuffers", 1);
    try {
        file.Flush();
        FAIL() << "flushed";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to flush \"" + Vantor::ToNarrow(PathOf("w.bin")) + "\" file");
    }
    EXPECT_NO_THROW(file.Flush());
    EXPECT_NO_THROW(Over("abc").Flush()) << "nothing to flush";
}

TEST_F(FileBinaryTest, MissingFileCannotBeOpened) {
    const std::wstring path = PathOf("missing.bin");
    try {
        FileBinary file(path);
        FAIL() << "opened";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"" + Vantor::ToNarrow(path) + "\" file");
    }
}

// ---- Streams over a shared file (entries of a pack read through its handle) ----

TEST_F(FileBinaryTest, StreamsOverASharedFileEachReadTheirOwnBytes) {
    temp_.WriteFile("pack.bin", "0123456789");
    Vantor::EngineFile shared(PathOf("pack.bin"), 0, 0);
    FileBinary first(L"first", 0, 0, 4, nullptr, false, &shared, 2);
    FileBinary second(L"second", 0, 0, 4, nullptr, false, &shared, 6);
    char a[2], b[2], c[2], d[2];
    first.Read(a, 1, 2);
    second.Read(b, 1, 2);
    first.Read(c, 1, 2);
    second.Seek(0, 0);
    second.Read(d, 1, 2);
    EXPECT_EQ(std::string(a, 2) + std::string(b, 2) + std::string(c, 2) + std::string(d, 2), "23674567");
    std::uint32_t moved = 0;
    first.Read(a, 1, 2, &moved);  // the entry ends here, the file does not
    EXPECT_EQ(moved, 0u);
}

TEST_F(FileBinaryTest, SharedEntryWithinTheCacheLimitIsCopied) {
    temp_.WriteFile("pack.bin", "0123456789");
    Vantor::EngineFile shared(PathOf("pack.bin"), 0, 0);
    FileBinary entry(L"entry", 0, 16, 3, nullptr, false, &shared, 5);
    ASSERT_NE(entry.GetMemory(), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.GetMemory()), 3), "567");
}

// ---- Damaged input and failed writes ----

TEST_F(FileBinaryTest, StringWithLengthZeroIsEmpty) {
    FileBinary& stream = Over(Bytes({0, 2, 'a', 0, 0, 2, 'b', 0, 0, 0}));
    char narrow[255] = "junk";
    wchar_t wide[255] = L"junk";
    stream.ReadString(narrow);
    EXPECT_STREQ(narrow, "");
    stream.ReadString(narrow);
    EXPECT_STREQ(narrow, "a");
    stream.ReadWideString(wide);
    EXPECT_EQ(std::wstring(wide), L"");
    stream.ReadWideString(wide);
    EXPECT_EQ(std::wstring(wide), L"b");
}

TEST_F(FileBinaryTest, StringWithoutTerminatorIsCutAndTerminated) {
    // Stored without their 0: "abcde", then "xyz" read into a 3-byte buffer, then a
    // wide "ab"; a final string shows the stream stayed in step.
    FileBinary& stream = Over(Bytes({5, 'a', 'b', 'c', 'd', 'e', 3, 'x', 'y', 'z', 2, 'a', 0, 'b', 0, 2, 'k', 0}));
    char narrow[255];
    stream.ReadString(narrow);
    EXPECT_STREQ(narrow, "abcde");

    char guarded[8];
    std::memset(guarded, '#', sizeof guarded);
    stream.ReadString(guarded, 3);
    EXPECT_EQ(std::string(guarded, 8), std::string("xy\0#####", 8));

    wchar_t wide[255];
    stream.ReadWideString(wide);
    EXPECT_EQ(std::wstring(wide), L"ab");
    stream.ReadString(narrow);
    EXPECT_STREQ(narrow, "k");
}

TEST_F(FileBinaryTest, StringListCountBeyondTheFileIsAnError) {
    std::vector<std::string> list{"kept"};
    FileBinary& stream = Over(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 2, 'a', 0}));
    EXPECT_THROW(stream.ReadStringList(list), FileError);
    EXPECT_EQ(list, std::vector<std::string>{"kept"});
}

TEST_F(FileBinaryTest, CachedReadChecksThatEveryByteArrived) {
    temp_.WriteFile("ten.bin", "0123456789");
    platform::seam::FailNextCalls("ReadFile", 1);
    EXPECT_THROW(FileBinary(PathOf("ten.bin"), 0, 16), FileError);

    // A pack entry reaching past the end of its file.
    Vantor::EngineFile shared(PathOf("ten.bin"), 0, 0);
    EXPECT_THROW(FileBinary(L"entry", 0, 100, 8, nullptr, false, &shared, 6), FileError);
}

}  // namespace
