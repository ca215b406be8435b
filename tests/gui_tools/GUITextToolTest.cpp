// The text table: keys as element paths, the first text of a key kept, "***" for what
// is missing, the two log lines of a missing file and the locale chosen by the language.

#include <gtest/gtest.h>

#include <string>

#include "gui_tools/GUITextTool.h"
#include "gui_tools/TextComposer.h"
#include "tests/gui_tools/TextTableTestSupport.h"

namespace {

using GUITools::GUITextTool;
using GUITools::TextComposer;

using GUITextToolTest = guitoolstest::TextTableTest;

TEST_F(GUITextToolTest, KeysAreElementPathsAndMissingKeysAnswerThreeAsterisks) {
    WriteTexts(R"(<texts language="english" text="own">
  <common>
    <back text="Back" />
    <back text="Second back" />
    <menu text="Menu %MONEY% {rule color(1 0 0 1)} red}">
      <item text="Item" />
    </menu>
  </common>
  <title text="Title" />
</texts>
<texts language="english"><late text="Late" /></texts>)");
    const GUITextTool table;
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_EQ(table.GetText("common/back"), L"Back") << "the first of two equal paths";
    EXPECT_EQ(table.GetText("common/menu"), L"Menu %MONEY% {rule color(1 0 0 1)} red}") << "mark-up kept";
    EXPECT_EQ(table.GetText("common/menu/item"), L"Item") << "an element's text and its child's";
    EXPECT_EQ(table.GetText("title"), L"Title");
    EXPECT_EQ(table.GetText(""), L"own") << "the texts element's own text";
    for (const char* absent : {"Common/back", "common", "late", "common/back/x"}) {
        EXPECT_FALSE(table.HasText(absent)) << absent;
        EXPECT_EQ(table.GetText(absent), L"***") << absent;
    }
    EXPECT_TRUE(TakeErrors().empty()) << "a missing key is silent";
}

TEST_F(GUITextToolTest, AMissingFileLogsTheFileErrorAndTheFormatAndLeavesTheTableEmpty) {
    const GUITextTool table;
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("texts.xml"), std::string::npos) << errors[0];
    EXPECT_EQ(errors[1], "Incorrect \"text file\" format");
    EXPECT_EQ(table.GetText("game_title"), L"***");
}

TEST_F(GUITextToolTest, AFileWithoutTextsIsLoggedAsAWrongFormat) {
    WriteTexts("<strings><a text=\"A\"/></strings>");
    const GUITextTool table;
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"Incorrect \"text file\" format"});
    EXPECT_FALSE(table.HasText("a"));
}

TEST_F(GUITextToolTest, TheLanguageSelectsUtf8TextWithItsCaseRules) {
    WriteTexts("<texts language=\"english\"><name text=\"caf\xC3\xA9\"/></texts>");
    const GUITextTool table;
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_EQ(TextComposer::Compose("'Caf\xC3\xA9'", table), L"Caf\u00e9");
    EXPECT_EQ(TextComposer::Compose("[u]'Caf\xC3\xA9'", table), L"CAF\u00c9");
    EXPECT_EQ(TextComposer::Compose("name[u]", table), L"CAF\u00c9");
    EXPECT_EQ(TextComposer::Compose("'1.5'", table), L"1.5") << "numbers keep their point";
}

TEST_F(GUITextToolTest, WithoutALanguageTheErrorIsLoggedAndEachByteIsOneCharacter) {
    WriteTexts("<texts><name text=\"Name\"/></texts>");
    const GUITextTool table;
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"(GUITextTool::GUITextTool): Unknown language"});
    EXPECT_EQ(table.GetText("name"), L"Name") << "the texts load all the same";
    EXPECT_EQ(TextComposer::Compose("'Caf\xC3\xA9'", table), L"Caf\u00c3\u00a9");
}

}  // namespace
