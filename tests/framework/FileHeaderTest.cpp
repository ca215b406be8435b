// The versioned file header: files written through it and read back, the length, magic
// and version checks with their messages, and Close on streams it must leave alone.

#include "framework/FileHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "content/PackWriter.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/kernel/FileTestSupport.h"

namespace {

using GameFramework::FileHeader;
using Stream = std::unique_ptr<Vantor::FileBinary>;

// Paths below the base folder, as the framework names its own files.
const std::wstring kScores = L"user\\high_scores.hsf";
const std::string kScoresOnDisk = "user/high_scores.hsf";

class FileHeaderTest : public enginetest::KernelManagersTest {
protected:
    // A file of the header's kind holding the content, closed properly.
    void WriteScores(const std::string& content, const FileHeader& header) {
        const Stream file(header.Open(kScores, 1));
        file->Write(content.data(), 1, static_cast<std::uint32_t>(content.size()));
        header.Close(file.get());
    }

    std::string OnDisk() const { return home_.folder.ReadFile(kScoresOnDisk); }
    void ReplaceOnDisk(const std::string& bytes) const { home_.folder.WriteFile(kScoresOnDisk, bytes); }

    // The FileError text of opening the file for reading, or "" when it opens.
    std::string OpenError(const FileHeader& header, bool anyVersion = false, std::uint32_t* version = nullptr) {
        try {
            const Stream file(header.Open(kScores, 0, anyVersion, version));
            return "";
        } catch (const Vantor::FileError& error) {
            return error.GetText();
        }
    }

    const FileHeader scores_{"GFHSF", 101};
    const std::string formatError_ = "Incorrect + \"user\\high_scores.hsf\" file format";
};

// --- writing and reading back -------------------------------------------------------

TEST_F(FileHeaderTest, WrittenFileReadsBackWithItsLengthStored) {
    WriteScores("content", scores_);
    const std::string disk = OnDisk();
    ASSERT_EQ(13u + 7u, disk.size());
    EXPECT_EQ(filetest::Bytes({20, 0, 0, 0}) + "GFHSF" + filetest::Bytes({101, 0, 0, 0}) + "content", disk);

    const Stream file(scores_.Open(kScores, 0));
    EXPECT_EQ(13u, file->GetPosition());
    char content[7];
    file->Read(content, 1, sizeof(content));
    EXPECT_EQ("content", std::string(content, sizeof(content)));
}

TEST_F(FileHeaderTest, OnlyTheFirstFiveLettersOfTheMagicCount) {
    WriteScores("", FileHeader("GFHSFX", 101));
    EXPECT_EQ("", OpenError(scores_));
    EXPECT_THROW(FileHeader("GFHS", 101), Vantor::Error);
}

TEST_F(FileHeaderTest, EveryWriteReachesTheDiskAndTheLengthStaysZeroUntilClose) {
    const Stream file(scores_.Open(kScores, 1));
    file->Write("ab", 1, 2);
    EXPECT_EQ(filetest::Bytes({0, 0, 0, 0}) + "GFHSF" + filetest::Bytes({101, 0, 0, 0}) + "ab", OnDisk());
    scores_.Close(file.get());
    EXPECT_EQ(15, OnDisk()[0]);
}

TEST_F(FileHeaderTest, FileOfAWriterThatNeverClosedIsRefused) {
    {
        const Stream file(scores_.Open(kScores, 1));
        file->Write("ab", 1, 2);
    }
    EXPECT_EQ(formatError_, OpenError(scores_));
}

TEST_F(FileHeaderTest, HeaderReadsFromAPackEntry) {
    const FileHeader pack("GFTPF", 101);
    {
        const Stream file(pack.Open(L"build\\ui.tpf", 1));
        file->Write("xyz", 1, 3);
        pack.Close(file.get());
    }
    Content::PackWriter writer;
    writer.Add("ui\\ui.tpf", home_.folder.ReadFile("build/ui.tpf"));
    home_.folder.WriteFile("data/ui.pak", filetest::ToString(writer.Build()));
    files_ = std::make_unique<Vantor::FileManager>(home_.root, true, L"data", 0u);
    Vantor::FileManager::Instance(files_.get());

    const Stream file(pack.Open(L"data\\ui\\ui.tpf", 0));
    char content[3];
    file->Read(content, 1, sizeof(content));
    EXPECT_EQ("xyz", std::string(content, sizeof(content)));
}

// --- refused files --------------------------------------------------------------------

TEST_F(FileHeaderTest, ChangedLengthOrMagicIsAFormatError) {
    WriteScores("content", scores_);
    const std::string good = OnDisk();
    std::string otherMagic = good;
    otherMagic[8] = 'X';
    for (const std::string& bytes : {good + "!", good.substr(0, good.size() - 1), otherMagic}) {
        ReplaceOnDisk(bytes);
        EXPECT_EQ(formatError_, OpenError(scores_)) << bytes.size() << " bytes";
    }
}

TEST_F(FileHeaderTest, FileShorterThanAHeaderFailsToRead) {
    ReplaceOnDisk("GF");
    EXPECT_EQ("Failed to read 1 bytes from \"user\\high_scores.hsf\" file", OpenError(scores_));
}

TEST_F(FileHeaderTest, MissingFileFailsToOpen) {
    EXPECT_EQ("Failed to open \"user\\high_scores.hsf\" file", OpenError(scores_));
}

TEST_F(FileHeaderTest, OtherVersionOpensOnlyWhenAnyIsAccepted) {
    WriteScores("", FileHeader("MVPRF", 108));
    const FileHeader profile("MVPRF", 109);

    std::uint32_t version = 0;
    EXPECT_EQ("", OpenError(profile, true, &version));
    EXPECT_EQ(108u, version);
    EXPECT_EQ("", OpenError(profile, true));

    version = 7;
    EXPECT_EQ("Incorrect \"user\\high_scores.hsf\" format version (108), current is 109",
              OpenError(profile, false, &version));
    EXPECT_EQ(7u, version) << "an exact check hands no version back";
}

TEST_F(FileHeaderTest, VersionsAreNamedAsUnsignedNumbers) {
    WriteScores("", FileHeader("GFHSF", -1));
    EXPECT_EQ("Incorrect \"user\\high_scores.hsf\" format version (4294967295), current is 101", OpenError(scores_));
}

// --- Close on streams it leaves alone -------------------------------------------------

TEST_F(FileHeaderTest, CloseLeavesReadStreamsAndNullAlone) {
    WriteScores("content", scores_);
    const std::string before = OnDisk();
    {
        const Stream file(scores_.Open(kScores, 0));
        file->Read(nullptr, 0, 0);
        const std::uint32_t position = file->GetPosition();
        scores_.Close(file.get());
        EXPECT_EQ(position, file->GetPosition());
    }
    scores_.Close(nullptr);
    EXPECT_EQ(before, OnDisk());
}

}  // namespace
