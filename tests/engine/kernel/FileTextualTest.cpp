#include "engine/kernel/FileTextual.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/FailureInjection.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using filetest::Bytes;
using filetest::Utf16;
using Vantor::FileTextual;
using Vantor::TextEncoding;

class FileTextualTest : public ::testing::Test {
protected:
    void TearDown() override { platform::seam::ClearInjectedFailures(); }

    std::wstring PathOf(const std::string& name) const { return filetest::WindowsPath(temp_.Path() / name); }

    std::unique_ptr<FileTextual> Reading(const std::string& bytes) {
        temp_.WriteFile("in.txt", bytes);
        return std::make_unique<FileTextual>(PathOf("in.txt"), FileTextual::kRead, TextEncoding::EightBit);
    }

    // Every line until ReadLine answers false.
    std::vector<std::wstring> WideLines(const std::string& bytes, bool stripComments = false) {
        auto file = Reading(bytes);
        std::vector<std::wstring> lines;
        std::wstring line;
        while (file->ReadLine(line, stripComments, false)) lines.push_back(line);
        return lines;
    }
    std::vector<std::string> NarrowLines(const std::string& bytes, bool stripComments = false) {
        auto file = Reading(bytes);
        std::vector<std::string> lines;
        std::string line;
        while (file->ReadLine(line, stripComments, false)) lines.push_back(line);
        return lines;
    }

    std::string Written(TextEncoding encoding, const std::function<void(FileTextual&)>& write) {
        {
            FileTextual file(PathOf("out.txt"), FileTextual::kWrite, encoding);
            write(file);
            file.Close();
        }
        return temp_.ReadFile("out.txt");
    }

    testsupport::TempFolder temp_;
};

// The same text in each encoding, with every kind of line end and a non-ASCII
// character (U+00E9, which the "C" locale maps to the byte E9).
TEST_F(FileTextualTest, EveryEncodingGivesTheSameLines) {
    const std::u16string text = u"caf\u00E9 one\r\ntwo\nthree\rfour";
    const std::vector<std::wstring> expected{L"caf\u00E9 one", L"two", L"three", L"four"};
    const std::pair<const char*, std::string> files[] = {
        {"8-bit", "caf\xE9 one\r\ntwo\nthree\rfour"},
        {"UTF-8", "\xEF\xBB\xBF" "caf\xC3\xA9 one\r\ntwo\nthree\rfour"},
        {"UTF-16 LE", Utf16(text, false)},
        {"UTF-16 BE", Utf16(text, true)},
    };
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(WideLines(bytes), expected) << name;
        std::vector<std::string> narrow;
        for (const std::wstring& line : expected) narrow.push_back(Vantor::ToNarrow(line));
        EXPECT_EQ(NarrowLines(bytes), narrow) << name;
    }
}

TEST_F(FileTextualTest, ByteOrderMarkChoosesTheEncoding) {
    const std::pair<std::string, TextEncoding> cases[] = {
        {Bytes({0xFF, 0xFE, 'A', 0}), TextEncoding::Utf16LittleEndian},
        {Bytes({0xFE, 0xFF, 0, 'A'}), TextEncoding::Utf16BigEndian},
        {Bytes({0xEF, 0xBB, 0xBF, 'A'}), TextEncoding::Utf8},
        {"A", TextEncoding::EightBit},
    };
    for (const auto& [bytes, encoding] : cases) {
        auto file = Reading(bytes);
        EXPECT_EQ(file->GetEncoding(), encoding);
        std::string line;
        EXPECT_TRUE(file->ReadLine(line, false, false));
        EXPECT_EQ(line, "A");
    }
    // An incomplete UTF-8 mark is 8-bit text read from its first byte.
    EXPECT_EQ(NarrowLines(Bytes({0xEF, 0xBB, 'A', '\n', 'b'})), (std::vector<std::string>{"\xEF\xBB" "A", "b"}));
}

TEST_F(FileTextualTest, LineEnds) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {""}},
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a", ""}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\r\n", {"a", "", ""}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(NarrowLines(bytes), lines) << bytes;
}

TEST_F(FileTextualTest, CommentsAreRemoved) {
    EXPECT_EQ(NarrowLines("volume 5 // loud\n// whole line\nx", true),
              (std::vector<std::string>{"volume 5 ", "", "x"}));
    EXPECT_EQ(WideLines(Utf16(u"a//b", false), true), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(NarrowLines("volume 5 // loud", false), std::vector<std::string>{"volume 5 // loud"});
}

TEST_F(FileTextualTest, WordModeSkipsOneSeparator) {
    auto file = Reading("ab cd  e\r\nf // g h");
    std::vector<std::string> words;
    std::string word;
    while (file->ReadLine(word, true, true)) words.push_back(word);
    EXPECT_EQ(words, (std::vector<std::string>{"ab", "cd", "", "e", "", "f", ""}));
}

TEST_F(FileTextualTest, ReadAllJoinsLinesWithCrLf) {
    std::wstring text;
    Reading("a\r\n")->ReadAll(text, false);
    EXPECT_EQ(text, L"a\r\n");
    Reading("x\ny // c\rz")->ReadAll(text, true);
    EXPECT_EQ(text, L"x\r\ny \r\nz");
}

TEST_F(FileTextualTest, LoneUtf8ContinuationByteIsAReplacementCharacter) {
    EXPECT_EQ(WideLines(Bytes({0xEF, 0xBB, 0xBF, 0x80, 'A', 0xF0, 'B'})),
              std::vector<std::wstring>{L"\uFFFDA\uFFFDB"});
}

TEST_F(FileTextualTest, NarrowLineOfAWideFileReplacesWhatHasNoByte) {
    EXPECT_EQ(NarrowLines(Utf16(u"a\u0100b", false)), std::vector<std::string>{"a?b"});
}

TEST_F(FileTextualTest, WritingInEachEncoding) {
    const auto write = [](FileTextual& f) {
        f.WriteText("\xE9");
        f.WriteNewLine();
    };
    EXPECT_EQ(Written(TextEncoding::EightBit, write), Bytes({0xE9, 13, 10}));
    EXPECT_EQ(Written(TextEncoding::Utf8, write), Bytes({0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 13, 10}));
    EXPECT_EQ(Written(TextEncoding::Utf16LittleEndian, write), Bytes({0xFF, 0xFE, 0xE9, 0, 13, 0, 10, 0}));
    EXPECT_EQ(Written(TextEncoding::Utf16BigEndian, write), Bytes({0xFE, 0xFF, 0, 0xE9, 0, 13, 0, 10}));
}

TEST_F(FileTextualTest, WrittenTextReadsBackInEveryEncoding) {
    for (TextEncoding encoding : {TextEncoding::EightBit, TextEncoding::Utf8, TextEncoding::Utf16LittleEndian,
                                  TextEncoding::Utf16BigEndian}) {
        const std::string bytes = Written(encoding, [](FileTextual& f) {
            f.WriteText("v_mode 800x600");
            f.WriteNewLine();
            f.WriteText("caf\xE9");
        });
        EXPECT_EQ(NarrowLines(bytes), (std::vector<std::string>{"v_mode 800x600", "caf\xE9"}));
    }
}

TEST_F(FileTextualTest, WritesGoOutAKilobyteAtATime) {
    {
        FileTextual file(PathOf("big.txt"), FileTextual::kWrite, TextEncoding::EightBit);
        file.WriteText(std::string(1024, 'x'));
        EXPECT_EQ(temp_.ReadFile("big.txt").size(), 0u);
        file.WriteText("y");
        EXPECT_EQ(temp_.ReadFile("big.txt").size(), 1024u);
    }
    EXPECT_EQ(temp_.ReadFile("big.txt"), std::string(1024, 'x') + "y");
}

TEST_F(FileTextualTest, FailedFinalFlushIsReportedByClose) {
    filetest::FreshLog();
    FileTextual file(PathOf("flush.txt"), FileTextual::kWrite, TextEncoding::EightBit);
    file.WriteText("volume 5");
    platform::seam::FailNextCalls("WriteFile", 1);
    EXPECT_THROW(file.Close(), Vantor::FileError);
    EXPECT_NO_THROW(file.Close());  // closed either way
}

TEST_F(FileTextualTest, DestructorLogsAFailedFlushInsteadOfThrowing) {
    filetest::FreshLog();
    {
        FileTextual file(PathOf("flush.txt"), FileTextual::kWrite, TextEncoding::EightBit);
        file.WriteText("volume 5");
        platform::seam::FailNextCalls("WriteFile", 1);
    }
    const std::vector<std::string> logged = filetest::LoggedTexts();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find("Error: Failed to write 8 bytes"), std::string::npos) << logged[0];
}

}  // namespace
