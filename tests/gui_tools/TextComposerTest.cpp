// Composing a text from its keys: "+"-joined pieces, keys and quoted literals, case tags
// before or after a key, and what is missing.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gui_tools/GUITextTool.h"
#include "gui_tools/TextComposer.h"
#include "tests/gui_tools/TextTableTestSupport.h"

namespace {

using GUITools::GUITextTool;
using GUITools::TextComposer;

class TextComposerTest : public guitoolstest::TextTableTest {
protected:
    void SetUp() override {
        TextTableTest::SetUp();
        WriteTexts(R"(<texts language="english">
  <common><back text="Back to the menu" /></common>
  <tutorial>
    <introduction text="Welcome. " />
    <hit_mouse_button_begin text="Press the " />
    <hit_mouse_button_end text=" to go on." />
  </tutorial>
  <common_2><hit_mouse_button text="left button" /></common_2>
  <shout text="wELCOME to the CAFé a" />
</texts>)");
        texts_ = std::make_unique<GUITextTool>();
    }

    std::wstring Compose(const std::string& keys) const { return TextComposer::Compose(keys, *texts_); }

    std::unique_ptr<GUITextTool> texts_;
};

TEST_F(TextComposerTest, KeysComposeTheirTextsWithNothingBetween) {
    EXPECT_EQ(Compose("tutorial/introduction+tutorial/hit_mouse_button_begin+common_2/hit_mouse_button+tutorial/"
                      "hit_mouse_button_end"),
              L"Welcome. Press the left button to go on.");
    EXPECT_EQ(Compose("++common/back+"), L"Back to the menu") << "empty pieces are skipped";
    EXPECT_EQ(Compose(" common/back"), L"***") << "blanks belong to the key";
    EXPECT_EQ(Compose(""), L"");
}

TEST_F(TextComposerTest, CaseTagsApplyBeforeOrAfterTheKeyInEitherLetterCase) {
    const struct {
        const char* keys;
        const wchar_t* text;
    } cases[] = {
        {"[u]common/back", L"BACK TO THE MENU"},
        {"common/back[u]", L"BACK TO THE MENU"},
        {"[U]common/back", L"BACK TO THE MENU"},
        {"common/back[L]", L"back to the menu"},
        {"[fu]'hello world'", L"Hello world"},
        {"[x]common/back", L"Back to the menu"},
        {"[wu]shout", L"Welcome To The Caf\u00e9 A"},
        {"[u]''+[u]'x'", L"X"},
        {"[u]'x' ", L"***"},
    };
    for (const auto& each : cases) EXPECT_EQ(Compose(each.keys), each.text) << each.keys;
}

TEST_F(TextComposerTest, QuotedPiecesAreLiteralsAndAPlusAlwaysSplits) {
    const struct {
        const char* keys;
        const wchar_t* text;
    } cases[] = {
        {"'It''s'", L"It''s"},
        {"\"mixed quotes'", L"mixed quotes"},
        {"'a+b'", L"******"},
        {"'[b]old'", L"old"},
        {"'", L""},
        {"'+\"", L""},
        {"'x'+common/back", L"xBack to the menu"},
    };
    for (const auto& each : cases) EXPECT_EQ(Compose(each.keys), each.text) << each.keys;
}

}  // namespace
