// The text control's layout: parameters, style blocks (and their bounds), breaks, wrap
// and auto font size. The test font's characters are all half the size wide: at its
// own size 10 a line of n characters measures 5 n.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_tools/GUITextControl.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using GUITools::GUITextControl;

class GUITextControlTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteFont("plain", "size=\"10\" space_size=\"0.5\"");
        WriteTexts(R"(<texts language="english"><common><back text="Back" /></common></texts>)");
        MakeTools();
    }

    // A control over the literal text, laid out.
    GUITextControl& LaidOut(const std::wstring& text, const Vantor::Vector2& size = {200.0f, 100.0f}) {
        GUITextControl& control = MakeText("plain", size);
        control.SetLiteralText(text);
        control.Layout();
        return control;
    }

    static std::vector<std::wstring> Lines(const GUITextControl& control) { return control.lines.lines; }
};

TEST_F(GUITextControlTest, ParametersFillTheirPlacesAndMayBreakTheLine) {
    GUITextControl& control = MakeText();
    control.SetText("'Day %DAY%: %MONEY%'");
    control.SetParameter(L"DAY", L"3|4");
    control.SetParameter(L"DAY", L"7|8");
    control.Layout();
    EXPECT_EQ(Lines(control), (std::vector<std::wstring>{L"Day 7", L"8: %MONEY%"}));
    EXPECT_EQ(control.lines.totalCharacters, 15u);
    EXPECT_EQ(control.parameterNames.size(), 1u) << "a known name gets the new value";
}

TEST_F(GUITextControlTest, LiteralTextIsShownUnchangedAndQuotedAsItsKeys) {
    GUITextControl& control = LaidOut(L"a+b [u] c");
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"a+b [u] c"});
    EXPECT_EQ(control.keys, "'a+b [u] c'");
    control.SetText("[u]common/back");
    control.Layout();
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"BACK"});
}

TEST_F(GUITextControlTest, BreaksCloseLinesAsTheyAreAndAFinalBreakAddsNone) {
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"a||b", {L"a", L"", L"b"}},
        {L"a|", {L"a"}},
        {L"a\r\nb\n", {L"a", L"b"}},
        {L" a |  b  ", {L" a ", L"b"}},
    };
    for (const auto& each : cases) EXPECT_EQ(Lines(LaidOut(each.text)), each.lines) << each.text;
}

TEST_F(GUITextControlTest, StyleBlocksStyleTheirTextAndLoseTheirMarkUp) {
    GUITextControl& control = LaidOut(L"ab {rule size(2) color(1 0 0) offset(3 4)} cd} ef");
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"ab cd ef"}) << "the blank after the header goes";
    EXPECT_EQ(control.lines.styles[0], (std::vector<int>{0, 0, 0, 1, 1, 0, 0, 0}));
    ASSERT_EQ(control.rules.size(), 1u);
    const GUITools::GUITextRule& rule = *control.rules[0];
    EXPECT_TRUE(rule.hasSize && rule.hasColour && rule.hasOffset);
    EXPECT_FALSE(rule.hasFont);
    EXPECT_FLOAT_EQ(rule.sizeFactor, 2.0f);
    EXPECT_FLOAT_EQ(rule.colour.w, 0.0f) << "three numbers: no alpha, so invisible";
    EXPECT_FLOAT_EQ(rule.offset.y, 4.0f);
}

TEST_F(GUITextControlTest, EachBlockIsReadWithinItsOwnBounds) {
    // A "}" and a "size(" before the block neither end nor style it.
    GUITextControl& control = LaidOut(L"x} size(3) {rule color(1 0 0 1)} red} {rule font(plain)} b}");
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"x} size(3) red b"});
    EXPECT_EQ(control.lines.styles[0],
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 2}));
    ASSERT_EQ(control.rules.size(), 2u);
    EXPECT_FALSE(control.rules[0]->hasSize);
    EXPECT_TRUE(control.rules[1]->hasFont);
    EXPECT_EQ(control.rules[1]->fontId, control.fontId);
}

TEST_F(GUITextControlTest, AnEmptyBlockRemovesOnlyItsOwnCharacters) {
    GUITextControl& control = LaidOut(L"a{rule size(2)}}bc");
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"abc"});
    EXPECT_EQ(control.lines.styles[0], (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(control.rules.size(), 1u);
}

TEST_F(GUITextControlTest, ABlockWithoutItsEndsStaysPlainTextWithTheRest) {
    for (const wchar_t* text : {L"a {rule size(2)} b {rule", L"a {rule size(2) b"}) {
        GUITextControl& control = LaidOut(text);
        EXPECT_EQ(Lines(control), std::vector<std::wstring>{text});
        EXPECT_TRUE(control.rules.empty()) << text;
    }
    GUITextControl& control = LaidOut(L"{rule size(2)} a} b {rule x");
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"a b {rule x"}) << "blocks before it are read";
    EXPECT_EQ(control.rules.size(), 1u);
}

TEST_F(GUITextControlTest, WrappingBreaksAtTheLastBlankAndKeepsAWideWordWhole) {
    GUITextControl& narrow = MakeText("plain", {30.0f, 100.0f});
    narrow.multiline = true;
    narrow.SetLiteralText(L"a enormousword b c");
    narrow.Layout();
    EXPECT_EQ(Lines(narrow), (std::vector<std::wstring>{L"a", L"enormousword", L"b c"}));

    GUITextControl& styled = MakeText("plain", {42.0f, 100.0f});
    styled.multiline = true;
    styled.SetLiteralText(L"{rule size(2)} one two} three");
    styled.Layout();
    EXPECT_EQ(Lines(styled), (std::vector<std::wstring>{L"one two", L"three"}));
    EXPECT_EQ(styled.lines.styles[0], (std::vector<int>(7, 1)));
    EXPECT_EQ(styled.lines.styles[1], (std::vector<int>(5, 0)));
}

TEST_F(GUITextControlTest, AutoFontSizeShrinksFromTwentyUntilTheTextFits) {
    // Ten characters at size s measure 4.5 s + 5 wide (the boxes keep the font's 10).
    const struct {
        Vantor::Vector2 box;
        float size;
    } cases[] = {{{100, 30}, 20.0f}, {{60, 30}, 12.0f}, {{100, 15}, 15.0f}, {{10, 5}, 8.0f}};
    for (const auto& each : cases) {
        GUITextControl& control = MakeText("plain", each.box);
        control.fontSize = 20.0f;
        control.autoFontSize = true;
        control.SetLiteralText(L"abcdefghij");
        control.Layout();
        EXPECT_FLOAT_EQ(control.currentFontSize, each.size) << each.box.x << " x " << each.box.y;
    }
    // Sizes that auto font size leaves alone even where the text does not fit.
    for (const float start : {7.5f, 8.0f, 1e30f}) {
        GUITextControl& control = MakeText("plain", {1, 1});
        control.fontSize = start;
        control.autoFontSize = true;
        control.SetLiteralText(L"abc");
        control.Layout();
        EXPECT_FLOAT_EQ(control.currentFontSize, start) << "8 or less, or too large to be lowered by one step";
    }
}

TEST_F(GUITextControlTest, WithoutAFontNothingIsLaidOutAndASetterOnlyMarksTheLayout) {
    GUITextControl& control = MakeText("");
    control.SetLiteralText(L"text");
    control.Layout();
    EXPECT_TRUE(control.lines.lines.empty());
    EXPECT_TRUE(control.needsLayout);
    control.SetFont("plain");
    EXPECT_TRUE(control.lines.lines.empty()) << "SetFont only marks the layout";
    control.Show(true, false);
    Frame();
    EXPECT_FALSE(control.needsLayout);
    EXPECT_EQ(Lines(control), std::vector<std::wstring>{L"text"});
}

}  // namespace
