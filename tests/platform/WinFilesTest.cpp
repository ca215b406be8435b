#include "platform/WinFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/FailureInjection.h"
#include "platform/WinError.h"
#include "platform/WinPaths.h"
#include "tests/support/TempFolder.h"

namespace {

class WinFilesTest : public ::testing::Test {
protected:
    std::wstring PathOf(const std::wstring& relative) const {
        return platform::ToWindowsPath(temp_.Path().string()) + L"\\" + relative;
    }
    HANDLE Open(const std::wstring& relative, DWORD access, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
        return CreateFileW(PathOf(relative).c_str(), access, FILE_SHARE_READ, nullptr, disposition, flags, nullptr);
    }
    std::string ReadAll(HANDLE file) {
        std::string bytes(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        EXPECT_TRUE(ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr));
        bytes.resize(read);
        return bytes;
    }

    testsupport::TempFolder temp_;
};

TEST_F(WinFilesTest, OpeningAWindowsPathReachesTheFileWhateverItsCase) {
    temp_.WriteFile("data/ui/x.txt", "hello");
    HANDLE file = Open(L"DATA\\Ui\\X.TXT", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), 5u);
    EXPECT_EQ(ReadAll(file), "hello");
    // At the end a read succeeds with nothing read.
    char byte;
    DWORD read = 7;
    EXPECT_TRUE(ReadFile(file, &byte, 1, &read, nullptr));
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(CloseHandle(file));
}

TEST_F(WinFilesTest, DispositionsHaveTheirWindowsMeanings) {
    const std::optional<std::string> absent;
    struct Case {
        const wchar_t* name;
        DWORD disposition;
        bool opens;
        DWORD lastError;
        std::optional<std::string> contentAfter;  // of the named file; none when it does not exist
    } cases[] = {
        {L"OLD.BIN", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
        {L"new.bin", CREATE_ALWAYS, true, ERROR_SUCCESS, ""},
        {L"new.bin", CREATE_NEW, true, ERROR_SUCCESS, ""},
        {L"Old.bin", CREATE_NEW, false, ERROR_FILE_EXISTS, "0123456789"},
        {L"old.BIN", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "0123456789"},
        {L"new.bin", OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
        {L"new.bin", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, absent},
        {L"nofolder\\x.bin", OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND, absent},
        {L"new.bin", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, absent},
        {L"old.bin", TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
    };
    for (const Case& c : cases) {
        temp_.WriteFile("old.bin", "0123456789");
        std::filesystem::remove(temp_.Path() / "new.bin");
        std::string host = platform::ToHostPath(PathOf(c.name)).value();
        SCOPED_TRACE(std::to_string(c.disposition) + " " + host);
        HANDLE file = Open(c.name, GENERIC_WRITE, c.disposition);
        EXPECT_EQ(file != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(GetLastError(), c.lastError);
        if (file != INVALID_HANDLE_VALUE) {
            EXPECT_TRUE(CloseHandle(file));
        }
        EXPECT_EQ(std::filesystem::exists(host), c.contentAfter.has_value());
        if (c.contentAfter) {
            EXPECT_EQ(temp_.ReadFile(host.substr(temp_.Path().string().size() + 1)), *c.contentAfter);
        }
    }
}

TEST_F(WinFilesTest, WritingThenReadingBack) {
    HANDLE file = Open(L"out.bin", GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "abcdef", 6, &written, nullptr));
    EXPECT_EQ(written, 6u);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_BEGIN), 0u);
    EXPECT_TRUE(WriteFile(file, "XY", 2, &written, nullptr));
    EXPECT_TRUE(FlushFileBuffers(file));
    // A handle without read access refuses to read.
    char buffer[4];
    DWORD read = 0;
    EXPECT_FALSE(ReadFile(file, buffer, 4, &read, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(temp_.ReadFile("out.bin"), "XYcdef");
}

TEST_F(WinFilesTest, MovingTheFilePointer) {
    temp_.WriteFile("ten.bin", "0123456789");
    HANDLE file = Open(L"ten.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_BEGIN), 3u);
    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_CURRENT), 5u);
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_END), 9u);
    char byte = 0;
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, &byte, 1, &read, nullptr));
    EXPECT_EQ(byte, '9');
    EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 10u);  // a refused move changes nothing
    // Beyond the end is allowed.
    EXPECT_EQ(SetFilePointer(file, 20, nullptr, FILE_BEGIN), 20u);
    EXPECT_TRUE(CloseHandle(file));
}

// A reader that does not share writing reads through a read-ahead block; every read,
// small or large, across its edges, after any move of the pointer, gives the file's bytes.
TEST_F(WinFilesTest, ReadingInPiecesAndJumpsGivesTheFileBytes) {
    std::string content(200000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 % 251);
    temp_.WriteFile("big.bin", content);
    HANDLE file = Open(L"big.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), content.size());
    struct Step {
        DWORD moveMethod;  // FILE_CURRENT with 0: no move
        LONG distance;
        DWORD count;
    } steps[] = {
        {FILE_CURRENT, 0, 8},        {FILE_CURRENT, 0, 13},          {FILE_BEGIN, 65530, 12},
        {FILE_CURRENT, -40, 3},      {FILE_CURRENT, 0, 100000},      {FILE_END, -5, 20},
        {FILE_BEGIN, 10, 1},         {FILE_CURRENT, 70000, 70000},   {FILE_BEGIN, 199999, 1},
    };
    std::size_t position = 0;
    for (const Step& step : steps) {
        const DWORD moved = SetFilePointer(file, step.distance, nullptr, step.moveMethod);
        const std::int64_t base = step.moveMethod == FILE_BEGIN ? 0
                                  : step.moveMethod == FILE_END ? static_cast<std::int64_t>(content.size())
                                                                : static_cast<std::int64_t>(position);
        position = static_cast<std::size_t>(base + step.distance);
        SCOPED_TRACE(std::to_string(position) + " + " + std::to_string(step.count));
        EXPECT_EQ(moved, position);
        std::string bytes(step.count, '\0');
        DWORD read = 0;
        EXPECT_TRUE(ReadFile(file, bytes.data(), step.count, &read, nullptr));
        const std::string expected = content.substr(std::min(position, content.size()), step.count);
        EXPECT_EQ(bytes.substr(0, read), expected);
        position += read;
        EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), position);
    }
    EXPECT_TRUE(CloseHandle(file));
}

// A reader that shares writing sees at once what another handle writes.
TEST_F(WinFilesTest, AReaderSharingWritingSeesWhatIsWritten) {
    temp_.WriteFile("log.txt", "ab");
    HANDLE reader = CreateFileW(PathOf(L"log.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    char byte = 0;
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(reader, &byte, 1, &read, nullptr));
    HANDLE writer = Open(L"log.txt", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(writer, "xyz", 3, &written, nullptr));
    EXPECT_TRUE(CloseHandle(writer));
    EXPECT_EQ(GetFileSize(reader, nullptr), 3u);
    char rest[4] = {};
    EXPECT_TRUE(ReadFile(reader, rest, 4, &read, nullptr));
    EXPECT_EQ(std::string(rest, read), "yz");
    EXPECT_TRUE(CloseHandle(reader));
}

TEST_F(WinFilesTest, FoldersAndBadHandles) {
    EXPECT_TRUE(CreateDirectoryW(PathOf(L"Sub").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryW(PathOf(L"SUB").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(PathOf(L"a\\b").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(CreateDirectoryW(PathOf(L"sub\\Deeper").c_str(), nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(temp_.Path() / "Sub" / "Deeper"));

    EXPECT_EQ(Open(L"sub", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    HANDLE file = Open(L"f", GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
    EXPECT_EQ(GetFileSize(file, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(CreateFileW(L"C:\\nowhere.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(WinFilesTest, InjectedFailures) {
    platform::seam::FailNextCalls("CreateFileW", 1);
    EXPECT_EQ(Open(L"a", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    HANDLE file = Open(L"a", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    platform::seam::FailNextCalls("WriteFile", 1);
    DWORD written = 5;
    EXPECT_FALSE(WriteFile(file, "abc", 3, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(WriteFile(file, "abc", 3, &written, nullptr));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(temp_.ReadFile("a"), "abc");
}

TEST_F(WinFilesTest, FailuresCanWaitForSuccessfulCallsFirst) {
    HANDLE file = Open(L"a", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    platform::seam::FailCallsAfter("WriteFile", 2, 1);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "a", 1, &written, nullptr));
    EXPECT_TRUE(WriteFile(file, "b", 1, &written, nullptr));
    EXPECT_FALSE(WriteFile(file, "c", 1, &written, nullptr));
    EXPECT_TRUE(WriteFile(file, "d", 1, &written, nullptr));
    platform::seam::FailNextCalls("FlushFileBuffers", 1);
    EXPECT_FALSE(FlushFileBuffers(file));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    EXPECT_TRUE(FlushFileBuffers(file));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(temp_.ReadFile("a"), "abd");
}

TEST_F(WinFilesTest, MovingAFileReplacesOnlyWhenAsked) {
    temp_.WriteFile("new", "fresh");
    temp_.WriteFile("old", "stale");
    EXPECT_FALSE(MoveFileExW(PathOf(L"new").c_str(), PathOf(L"old").c_str(), 0));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(temp_.ReadFile("old"), "stale");

    platform::seam::FailNextCalls("MoveFileExW", 1);
    EXPECT_FALSE(MoveFileExW(PathOf(L"new").c_str(), PathOf(L"old").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(temp_.ReadFile("old"), "stale");

    EXPECT_TRUE(MoveFileExW(PathOf(L"NEW").c_str(), PathOf(L"old").c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(temp_.ReadFile("old"), "fresh");
    EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "new"));

    EXPECT_FALSE(MoveFileExW(PathOf(L"new").c_str(), PathOf(L"other").c_str(), 0));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    std::filesystem::create_directory(temp_.Path() / "folder");
    EXPECT_FALSE(MoveFileExW(PathOf(L"old").c_str(), PathOf(L"folder").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(temp_.ReadFile("old"), "fresh");
}

}  // namespace
