#include "tools/XMLParser.h"

#include <gtest/gtest.h>

#include "content/PackWriter.h"
#include "engine/kernel/FileManager.h"
#include "platform/Crt.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/tools/XMLTestSupport.h"

namespace {

using GameTools::XMLNode;
using xmltest::DocumentError;
using xmltest::Dump;
using xmltest::ParseDocument;
using xmltest::ParseHeld;

std::string DumpOf(const std::string& bytes) { return Dump(*ParseDocument(bytes)); }

TEST(XMLParserTest, TextIsTheLastNonBlankRunBeforeATag) {
    EXPECT_EQ(DumpOf("<a><b>x</b>y</a>"), "<a> [y]\n  <b> [x]\n");
    EXPECT_EQ(DumpOf("<a>p<b/>q</a>"), "<a> [q]\n  <b> []\n");
    // Lines are joined with CR LF when the file is read; blanks and breaks are kept.
    EXPECT_EQ(DumpOf("<a>\n  two lines \n\tof text\n</a>"), "<a> [\r\n  two lines \r\n\tof text\r\n]\n");
    EXPECT_EQ(DumpOf("<a>  \r\n\t \r\n</a>"), "<a> []\n");
    EXPECT_EQ(DumpOf("<a>x<b>  </b> \r\n </a>"), "<a> [x]\n  <b> []\n");
    // Blanks left before an end tag stay in the buffer and join the next run.
    EXPECT_EQ(DumpOf("<a><b><c>1</c> </b>x</a>"), "<a> [ x]\n  <b> []\n    <c> [1]\n");
}

TEST(XMLParserTest, AttributesNeedQuotesButNoSeparators) {
    EXPECT_EQ(DumpOf("<a b = 'x y' c=\"1\"/>"), "<a b=[x y] c=[1]> []\n");
    EXPECT_EQ(DumpOf("<a b='1'c='2'>"), "<a b=[1] c=[2]> []\n");
    EXPECT_EQ(DumpOf("<a b='say \"hi\"' c=\"it's\"/>"), "<a b=[say \"hi\"] c=[it's]> []\n");
    EXPECT_EQ(DumpOf("<a b='x>y'><c/></a>"), "<a b=[x>y]> []\n  <c> []\n");
    EXPECT_EQ(DumpOf("<a b='one\ntwo'/>"), "<a b=[one\r\ntwo]> []\n");
    // A blank inside an attribute name is dropped.
    EXPECT_EQ(DumpOf("<a b c='1'/>"), "<a bc=[1]> []\n");
    // No entity is decoded.
    EXPECT_EQ(DumpOf("<a b='&amp;&#65;'>&lt;x&gt;</a>"), "<a b=[&amp;&#65;]> [&lt;x&gt;]\n");
}

TEST(XMLParserTest, DeclarationsAndCommentsAreSkipped) {
    EXPECT_EQ(DumpOf("<?xml version=\"1.0\"?>\n<a/>"), "<a> []\n");
    EXPECT_EQ(DumpOf("<a><!-- note --><b/></a>"), "<a> []\n  <b> []\n");
    // Quotes in a comment are plain text: a lone apostrophe neither hides the '>'
    // that ends it nor leaves the rest of the file unterminated.
    EXPECT_EQ(DumpOf("<a><!-- it's --><b/></a>"), "<a> []\n  <b> []\n");
    EXPECT_EQ(DumpOf("<a><!-- \"one -->\n<b c='x>y'/></a>"), "<a> []\n  <b c=[x>y]> []\n");
    // Without a blank after "<!--" it is an element, and it stays open.
    EXPECT_EQ(DumpOf("<a><!--note--><b/>"), "<a> []\n  <!--note--> []\n    <b> []\n");
}

TEST(XMLParserTest, EndTagsMatchTheNameExactly) {
    EXPECT_EQ(DumpOf("<a><b></b  ></a>"), "<a> []\n  <b> []\n");
    EXPECT_EQ(DocumentError("<a></A>"), "XML format error at line 1: code 2");
    EXPECT_EQ(DumpOf("<a><b><c>never closed"), "<a> []\n  <b> []\n    <c> []\n");
}

TEST(XMLParserTest, FormatErrorsNameTheirCodeAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"</a>", "1: code 0"},
        {"<>", "1: code 1"},
        {"<a></>", "1: code 1"},
        {"<a>< >", "1: code 1"},
        {"<a>\n</b>", "2: code 2"},
        {"<a ='1'>", "1: code 4"},
        {"<a / b='1'>", "1: code 5"},
        {"<a b/>", "1: code 6"},
        {"<a b='1'\n b=\"2\">", "2: code 7"},
        {"<a b=1>", "1: code 8"},
        {"\n\n<a b>", "3: code 10"},
        {"<a b=>", "1: code 11"},
        {"<a b='1' c=\n'2>", "2: code 14"},
        {"<a/><b/>", "1: code 12"},
        {"<a/>\n<!-- after -->", "2: code 12"},
        {"<a/>\n<?xml?>", "2: code 12"},
        {"x<a/>", "1: code 13"},
        {"<?xml a='>'?><a/>", "1: code 13"},
        {"<a>\n</a>\n.", "3: code 13"},
        {"<a>\n\n<b", "3: code 14"},
        {"<a>\n</a", "2: code 14"},
        {"<?xml\n", "2: code 14"},
        {"", "1: code 15"},
        {" \n\t\n", "3: code 15"},
        {"<!-- only -->", "1: code 15"},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(DocumentError(text), std::string("XML format error at line ") + error) << text;
}

TEST(XMLParserTest, HolderTakesEveryTopElementAndTheTextBetween) {
    const auto holder = ParseHeld("<?xml?>lead <a/> between <b>x</b> trailing");
    EXPECT_EQ(Dump(*holder), "<> [ between ]\n  <a> []\n  <b> [x]\n");
    EXPECT_EQ(holder->children[0]->parent, holder.get());

    // More files add more children.
    GameTools::XMLParser().Parse(holder.get(), *xmltest::TextFile("<c/>"));
    EXPECT_EQ(holder->children.size(), 3u);
}

TEST(XMLParserTest, HolderKeepsWhatWasAttachedBeforeAnError) {
    auto holder = std::make_unique<XMLNode>();
    try {
        GameTools::XMLParser().Parse(holder.get(), *xmltest::TextFile("<a/>\n<b><c/><d e>"));
        FAIL() << "no error";
    } catch (const Vantor::FileError& error) {
        EXPECT_EQ(error.GetText(), "XML format error at line 2: code 10");
    }
    EXPECT_EQ(Dump(*holder), "<> []\n  <a> []\n  <b> []\n    <c> []\n    <d> []\n");
}

// A holder with a name could otherwise be closed, and later elements would go astray.
TEST(XMLParserTest, AnEndTagNeverClosesTheHolder) {
    XMLNode holder("x");
    EXPECT_THROW(GameTools::XMLParser().Parse(&holder, *xmltest::TextFile("<a/></x><b/>")), Vantor::FileError);
    EXPECT_EQ(holder.children.size(), 1u);
    EXPECT_THROW(GameTools::XMLParser().Parse(nullptr, *xmltest::TextFile("<a/>")), Vantor::FileError);
}

// Parts of a document that fails are destroyed (the leak checker sees the rest).
TEST(XMLParserTest, DocumentModeLeavesNoRootAfterAnError) {
    EXPECT_EQ(DocumentError("<a b='1' b='2'>"), "XML format error at line 1: code 7");
    EXPECT_EQ(DocumentError("<a><b/><c d>"), "XML format error at line 1: code 10");
}

TEST(XMLParserTest, EveryEncodingGivesTheSameTree) {
    const std::u16string text = u"<menu title='caf\u00E9'>\r\n <item id=\"1\">cr\u00E8me\r\n br\u00FBl\u00E9e</item>\r\n</menu>";
    const std::string eightBit(text.begin(), text.end());
    const std::string expected = Dump(*ParseDocument(eightBit));
    EXPECT_EQ(expected, "<menu title=[caf\xE9]> []\n  <item id=[1]> [cr\xE8me\r\n br\xFBl\xE9" "e]\n");
    const std::string utf8 =
        "\xEF\xBB\xBF<menu title='caf\xC3\xA9'>\r\n <item id=\"1\">cr\xC3\xA8me\r\n br\xC3\xBBl\xC3\xA9" "e</item>\r\n</menu>";
    EXPECT_EQ(Dump(*ParseDocument(utf8)), expected);
    EXPECT_EQ(Dump(*ParseDocument(filetest::Utf16(text, false))), expected);
    EXPECT_EQ(Dump(*ParseDocument(filetest::Utf16(text, true))), expected);
}

// Names are classified and converted by the program's locale state.
TEST(XMLParserTest, NamesFollowTheLocaleState) {
    crt::setlocale(LC_CTYPE, "french");
    const auto root = ParseDocument("\xEF\xBB\xBF<caf\xC3\xA9 cr\xC3\xA8me='1'></caf\xC3\xA9>");
    crt::setlocale(LC_ALL, "C");
    EXPECT_EQ(root->name, "caf\xC3\xA9");
    ASSERT_EQ(root->attributes.size(), 1u);
    EXPECT_EQ(root->attributes[0]->name, "cr\xC3\xA8me");
}

TEST(XMLParserTest, DeepNestingIsParsedAndDestroyed) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "<a>";
    const auto root = ParseDocument(text);
    EXPECT_EQ(root->children.size(), 1u);
}

// Files through the file manager: loose files and pack entries.
class XMLParserFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        filetest::FreshLog();
        Content::PackWriter pack;
        pack.Add("packed.xml", "<packed/>");
        temp_.WriteFile("data/game.pak", filetest::ToString(pack.Build()));
        temp_.WriteFile("data/one.xml", "<one/>");
        temp_.WriteFile("data/broken.xml", "<a>\n<b/></a>\n<c/>");
        manager_ = std::make_unique<Vantor::FileManager>(filetest::WindowsPath(temp_.Path()), true, L"data");
        Vantor::FileManager::Instance(manager_.get());
    }

    void TearDown() override {
        // The holder keeps what it was given last: leave it a manager that stays.
        static Vantor::FileManager resting(L"Z:\\");
        Vantor::FileManager::Instance(&resting);
    }

    testsupport::TempFolder temp_;
    std::unique_ptr<Vantor::FileManager> manager_;
};

TEST_F(XMLParserFileTest, LoadAddsTheTopElementsOfEachFile) {
    XMLNode holder;
    GameTools::XMLParser parser;
    parser.Load(&holder, L"data\\one.xml");
    parser.Load(&holder, L"data\\packed.xml");
    EXPECT_EQ(Dump(holder), "<> []\n  <one> []\n  <packed> []\n");
}

TEST_F(XMLParserFileTest, ParseFileReturnsTheDocumentOrPassesTheErrorOn) {
    GameTools::XMLParser parser;
    XMLNode* root = nullptr;
    parser.ParseFile(root, L"data\\one.xml");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->name, "one");
    delete root;

    root = nullptr;
    try {
        parser.ParseFile(root, L"data\\broken.xml");
        FAIL() << "no error";
    } catch (const Vantor::FileError& error) {
        EXPECT_EQ(error.GetText(), "XML format error at line 3: code 12");
    }
    EXPECT_EQ(root, nullptr);

    try {
        parser.ParseFile(root, L"data\\missing.xml");
        FAIL() << "no error";
    } catch (const Vantor::FileError& error) {
        EXPECT_EQ(error.GetText().rfind("Failed to open \"", 0), 0u) << error.GetText();
    }
    EXPECT_EQ(root, nullptr);
}

}  // namespace
