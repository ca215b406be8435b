#include "engine/kernel/MessageManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>

#include "engine/kernel/FatalError.h"
#include "platform/WinFolders.h"
#include "tests/support/TempFolder.h"

namespace {

using Vantor::MessageKind;
using Vantor::MessageManager;

const std::string kWhite = "<FONT color=\"#FFFFFF\">";
const std::string kGreen = "<FONT color=\"#00FF00\">";
const std::string kGrey = "<FONT color=\"#7F7F7F\">";
const std::string kRed = "<FONT color=\"#FF0000\">";
const std::string kEnd = "</FONT>";

const std::string kHead = "<HTML><HEAD><TITLE>Cafe Log</TITLE></HEAD><BODY bgcolor=\"#000000\">" + kWhite + kWhite +
                          "======== " + kEnd + kGreen + "Cafe Log: TIME" + kEnd + kWhite + " ========<BR><BR>" + kEnd;
const std::string kFoot = kWhite + "<BR>======== " + kEnd + kGreen + "Cafe Log end: TIME" + kEnd + kWhite +
                          " ========<BR>" + kEnd + kEnd + "</BODY></HTML>";

class MessageManagerTest : public ::testing::Test {
protected:
    std::wstring Folder() const { return platform::ToWindowsPath(temp_.Path().string()); }
    std::unique_ptr<MessageManager> MakeLog(bool enabled = true) {
        return std::make_unique<MessageManager>(L"Cafe", enabled, false, Folder(), L"");
    }
    // The file with each time stamp written as TIME.
    std::string LogText() const {
        static const std::regex stamp("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");
        return std::regex_replace(temp_.ReadFile("Cafe.html"), stamp, "TIME");
    }
    // What the messages appended after the head.
    std::string Body() const {
        std::string text = LogText();
        EXPECT_EQ(text.substr(0, kHead.size()), kHead);
        return text.substr(kHead.size());
    }

    testsupport::TempFolder temp_;
};

TEST_F(MessageManagerTest, HeadAndFootFrameTheMessages) {
    auto log = MakeLog();
    EXPECT_EQ(log->GetPath(), Folder() + L"\\Cafe.html");
    EXPECT_EQ(LogText(), kHead);
    log->PrintMessage("hello");
    log.reset();
    EXPECT_EQ(LogText(), kHead + "hello<BR>" + kFoot);
    EXPECT_EQ(LogText().find('\n'), std::string::npos);  // one physical line
}

TEST_F(MessageManagerTest, EachKindWithLineBreaks) {
    auto log = MakeLog();
    struct Case {
        void (MessageManager::*print)(const std::string&);
        const char* text;
        MessageKind kind;
        std::string listed;
        std::string html;
    } cases[] = {
        {&MessageManager::PrintMessage, "a\nb", MessageKind::Message, "a\nb\n", "a<BR>b<BR>"},
        {&MessageManager::PrintHighlight, "h <&>", MessageKind::Highlight, "h <&>\n", kGreen + "h <&><BR>" + kEnd},
        {&MessageManager::PrintWarning, "w", MessageKind::Warning, "\nWarning: w!\n\n", kGrey + "<BR>Warning: w!<BR><BR>" + kEnd},
        {&MessageManager::PrintError, "x", MessageKind::Error, "\nError: x!\n\n", kRed + "<BR>Error: x!<BR><BR>" + kEnd},
    };
    std::string expected;
    for (const Case& c : cases) {
        (log.get()->*c.print)(c.text);
        expected += c.html;
        EXPECT_EQ(Body(), expected) << c.text;
        ASSERT_FALSE(log->GetMessages().empty());
        EXPECT_EQ(log->GetMessages().back()->kind, c.kind);
        EXPECT_EQ(log->GetMessages().back()->text, c.listed);
    }
    EXPECT_EQ(log->GetMessages().size(), 4u);
}

TEST_F(MessageManagerTest, EachKindWithoutLineBreaks) {
    auto log = MakeLog();
    log->SetLineBreaks(false);
    log->PrintMessage("m");
    log->PrintHighlight("h");
    log->PrintWarning("w");
    log->PrintError("x");
    EXPECT_EQ(Body(), "m" + kGreen + "h" + kEnd + kGrey + "Warning: w!<BR>" + kEnd + kRed + "Error: x!<BR>" + kEnd);
    EXPECT_EQ(log->GetMessages()[2]->text, "Warning: w!\n");
}

TEST_F(MessageManagerTest, FatalErrorLogsThenThrowsTheBareText) {
    auto log = MakeLog();
    for (bool lineBreaks : {true, false}) {
        log->SetLineBreaks(lineBreaks);
        try {
            log->PrintFatalError("f");
            FAIL() << "no exception";
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(error.GetText(), "f");
        }
        EXPECT_EQ(log->GetMessages().back()->kind, MessageKind::FatalError);
        EXPECT_EQ(log->GetMessages().back()->text, "PROGRAM ABORTING: f\n");
    }
    const std::string fatal = kRed + "PROGRAM ABORTING: f<BR>" + kEnd;
    EXPECT_EQ(Body(), fatal + fatal);
}

TEST_F(MessageManagerTest, DisabledLogWritesNoFileButStillListsAndThrows) {
    auto log = MakeLog(false);
    log->PrintMessage("m");
    log->PrintError("x");
    EXPECT_THROW(log->PrintFatalError("f"), Vantor::FatalError);
    EXPECT_EQ(log->GetMessages().size(), 3u);
    log.reset();
    EXPECT_TRUE(std::filesystem::is_empty(temp_.Path()));
}

TEST_F(MessageManagerTest, ListIsEmptiedEachFrameStart) {
    auto log = MakeLog();
    log->PrintMessage("start-up");
    log->ClearMessages();
    EXPECT_TRUE(log->GetMessages().empty());
    log->PrintWarning("during the frame");
    ASSERT_EQ(log->GetMessages().size(), 1u);
    EXPECT_EQ(log->GetMessages()[0]->kind, MessageKind::Warning);
    // The file keeps everything.
    EXPECT_EQ(Body(), "start-up<BR>" + kGrey + "<BR>Warning: during the frame!<BR><BR>" + kEnd);
}

TEST_F(MessageManagerTest, FileNameFolderAndMissingFolders) {
    EXPECT_EQ(MessageManager(L"T", false, false, L"C:\\L", L"").GetPath(), L"C:\\L\\T.html");
    EXPECT_EQ(MessageManager(L"T", false, false, L"C:\\L", L"game").GetPath(), L"C:\\L\\game.html");

    struct ExecutableEnd {
        ~ExecutableEnd() { platform::seam::SetExecutablePath(L""); }
    } end;
    platform::seam::SetExecutablePath(L"C:\\Games\\Cafe\\game.exe");
    EXPECT_EQ(MessageManager(L"T", false, false, L"", L"").GetPath(), L"C:\\Games\\Cafe\\T.html");
    EXPECT_EQ(MessageManager(L"T", false, false, L"logs", L"").GetPath(), L"C:\\Games\\Cafe\\logs\\T.html");

    // On a first run the user-data folder below the application-data folder is new.
    MessageManager log(L"Cafe", true, false, Folder() + L"\\Maker\\Cafe", L"");
    EXPECT_TRUE(std::filesystem::is_regular_file(temp_.Path() / "Maker" / "Cafe" / "Cafe.html"));
}

}  // namespace
