// The edit box: the typed codes acted on (keys and characters in one stream), insert
// and overwrite, the limits by count and width, the view following the caret, the
// printed text and blinking caret, and the print sound.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gui/GUIEditBox.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "platform/WinUser.h"
#include "tests/engine/gui/GUIElementTestSupport.h"

namespace guitest {
namespace {

using Vantor::GUIEditBox;

// Every glyph of the test font is 10 units wide at its size.
constexpr float kGlyph = 10.0f;
const Vector2 kTextOffset{5, 5};

class GUIEditBoxTest : public GUIElementTest {
protected:
    void SetUp() override {
        GUIElementTest::SetUp();
        MakeControls();
        RegisterSound("gui_default_edit_box_print");
        fonts_->LoadFont(0, nullptr, WriteFont("edit", TypingFont()))->SetSize(20.0f);
    }

    GUIEditBox& MakeBox(int maximumCount = 20, float maximumWidth = 1000.0f, float visibleWidth = 1000.0f,
                        int fontId = 0) {
        return Make<GUIEditBox>(GUIWindow::kShown, Vector2(0, 0), Vector2(300, 30), nullptr, nullptr, fontId,
                                Vantor::Color(1, 1, 1, 1), kTextOffset, maximumCount, maximumWidth, visibleWidth,
                                std::uint16_t{u'|'}, nullptr);
    }

    // One frame in which the boxes take their input: the prints of the last frame are
    // drawn first, so that what a box printed is this frame's.
    void Frame(std::initializer_list<GUIEditBox*> boxes) {
        UpdateGUI();
        BeginInputFrame();
        for (GUIEditBox* box : boxes) box->HandleInput(Vector2(-1, -1), false, false);
        EndInputFrame();
    }
    void Key(GUIEditBox& box, unsigned virtualKey) {
        PressKey(virtualKey);
        Frame({&box});
    }
    // Each character typed in a frame of its own.
    void Type(GUIEditBox& box, const std::wstring& text) {
        for (wchar_t c : text) {
            TypeText(std::wstring(1, c));
            Frame({&box});
        }
    }

    std::uint32_t PrintSounds() const { return Plays("gui_default_edit_box_print"); }
};

// ---- Typing ------------------------------------------------------------------------

TEST_F(GUIEditBoxTest, TypedCharactersAreInsertedAtTheCaret) {
    GUIEditBox& box = MakeBox();
    Type(box, L"abd");
    Key(box, VK_LEFT);
    Type(box, L"c");
    EXPECT_EQ(box.GetText(), L"abcd");
    EXPECT_EQ(box.GetCaret(), 3);
    EXPECT_EQ(PrintSounds(), 4u);
}

TEST_F(GUIEditBoxTest, KeysMoveTheCaretAndEdit) {
    GUIEditBox& box = MakeBox();
    box.SetText(L"abcdef");
    struct Step {
        unsigned key;
        std::wstring text;
        int caret;
    };
    const Step steps[] = {{VK_HOME, L"abcdef", 0},  {VK_RIGHT, L"abcdef", 1}, {VK_DELETE, L"acdef", 1},
                          {VK_BACK, L"cdef", 0},    {VK_BACK, L"cdef", 0},    {VK_END, L"cdef", 4},
                          {VK_RIGHT, L"cdef", 4},   {VK_LEFT, L"cdef", 3},    {VK_BACK, L"cdf", 2},
                          {VK_RETURN, L"cdf", 2},   {VK_ESCAPE, L"cdf", 2},   {VK_TAB, L"cdf", 2}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key);
        Key(box, step.key);
        EXPECT_EQ(box.GetText(), step.text);
        EXPECT_EQ(box.GetCaret(), step.caret);
    }
    EXPECT_EQ(PrintSounds(), 3u);
}

TEST_F(GUIEditBoxTest, DeleteAtTheEndDoesNothingSilently) {
    GUIEditBox& box = MakeBox();
    box.SetText(L"abc");
    Key(box, VK_DELETE);
    EXPECT_EQ(box.GetText(), L"abc");
    EXPECT_EQ(PrintSounds(), 0u);
}

TEST_F(GUIEditBoxTest, TypedFullStopDeletesAndTypedHyphenTogglesOverwrite) {
    GUIEditBox& box = MakeBox();
    box.SetText(L"abc");
    Key(box, VK_HOME);
    Type(box, L".");
    EXPECT_EQ(box.GetText(), L"bc");
    Type(box, L"-");
    EXPECT_TRUE(box.IsOverwrite());
    Type(box, L"x");
    EXPECT_EQ(box.GetText(), L"xc");
}

TEST_F(GUIEditBoxTest, CharactersWithoutAGlyphAreIgnoredButTheBlankIsEntered) {
    GUIEditBox& box = MakeBox();
    Type(box, L"Q");
    EXPECT_EQ(box.GetText(), L"");
    EXPECT_EQ(PrintSounds(), 0u);
    Type(box, L"a b");
    EXPECT_EQ(box.GetText(), L"a b");
}

// ---- Limits ------------------------------------------------------------------------

TEST_F(GUIEditBoxTest, AFullTextKeepsTheCaretOnItsLastCharacterWhereBackspaceTakesIt) {
    GUIEditBox& box = MakeBox(10);
    box.SetText(L"abcdefghij");
    EXPECT_EQ(box.GetCaret(), 9);
    Key(box, VK_BACK);
    EXPECT_EQ(box.GetText(), L"abcdefghi");
    EXPECT_EQ(box.GetCaret(), 9);
    EXPECT_EQ(PrintSounds(), 1u);
}

TEST_F(GUIEditBoxTest, BackspaceBeforeTheLastCharacterOfAShortTextTakesTheCharacterBeforeTheCaret) {
    GUIEditBox& box = MakeBox(10);
    Type(box, L"abc");
    Key(box, VK_LEFT);
    Key(box, VK_BACK);
    EXPECT_EQ(box.GetText(), L"ac");
    EXPECT_EQ(box.GetCaret(), 1);
}

TEST_F(GUIEditBoxTest, ARefusedCharacterIsIgnoredSilently) {
    struct Case {
        int count;
        float width;
    };
    const Case cases[] = {{3, 1000.0f}, {100, 3 * kGlyph + 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        GUIEditBox& box = MakeBox(c.count, c.width);
        Type(box, L"abc");
        const std::uint32_t sounds = PrintSounds();
        Type(box, L"d");
        Key(box, VK_HOME);
        Type(box, L"e");
        EXPECT_EQ(box.GetText(), L"abc");
        EXPECT_EQ(PrintSounds(), sounds);
    }
}

TEST_F(GUIEditBoxTest, OverwriteReplacesCharactersOfAFullTextAndKeepsReplacingTheLast) {
    GUIEditBox& box = MakeBox(10);
    box.SetText(L"abcdefghij");
    Key(box, VK_INSERT);
    Key(box, VK_HOME);
    Type(box, L"xy");
    EXPECT_EQ(box.GetText(), L"xycdefghij");
    EXPECT_EQ(box.GetCaret(), 2);
    Key(box, VK_END);
    Type(box, L"klm");
    EXPECT_EQ(box.GetText(), L"xycdefghim");
    EXPECT_EQ(box.GetCaret(), 9);
    EXPECT_EQ(PrintSounds(), 5u);
}

TEST_F(GUIEditBoxTest, OverwriteAtTheEndAppendsWithinTheLimits) {
    GUIEditBox& box = MakeBox(3);
    Key(box, VK_INSERT);
    Type(box, L"abcd");
    EXPECT_EQ(box.GetText(), L"abd") << "the third character is replaced once the caret stays on it";
}

TEST_F(GUIEditBoxTest, SetTextKeepsATextBeyondTheLimitsWhichTypingCannotLengthen) {
    GUIEditBox& box = MakeBox(4);
    box.SetText(L"abcdefg");
    EXPECT_EQ(box.GetCaret(), 3);
    Key(box, VK_END);
    Type(box, L"x");
    EXPECT_EQ(box.GetText(), L"abcdefg");
    EXPECT_EQ(PrintSounds(), 0u);
}

TEST_F(GUIEditBoxTest, AMaximumCountBelowOneCountsAsOne) {
    for (int count : {0, -5}) {
        GUIEditBox& box = MakeBox(count);
        box.SetText(L"abc");
        EXPECT_EQ(box.GetCaret(), 0);
        box.SetText(L"");
        Type(box, L"xy");
        EXPECT_EQ(box.GetText(), L"x");
        EXPECT_EQ(box.GetCaret(), 0);
    }
}

// ---- The view and drawing ----------------------------------------------------------

TEST_F(GUIEditBoxTest, AWideTextShowsWhatFitsFromTheFirstVisibleCharacter) {
    GUIEditBox& box = MakeBox(20, 1000.0f, 5.5f * kGlyph);
    box.SetText(L"abcdefghij");
    EXPECT_EQ(box.GetFirstVisible(), 6) << "the four last characters and the caret fit";
    Key(box, VK_HOME);
    EXPECT_EQ(box.GetFirstVisible(), 0);
    ASSERT_EQ(box.GetPrintCount(), 2);
    EXPECT_EQ(box.GetTextPrint(0).text, L"abcde");
    ExpectVector(kTextOffset, box.GetTextPrint(0).position);
    Key(box, VK_RIGHT);
    Key(box, VK_RIGHT);
    EXPECT_EQ(box.GetTextPrint(1).text, L"|");
    ExpectVector(kTextOffset + Vector2(2 * kGlyph, 0), box.GetTextPrint(1).position);
}

TEST_F(GUIEditBoxTest, TheViewJumpsByFiveCharacters) {
    GUIEditBox& box = MakeBox(40, 1000.0f, 6.5f * kGlyph);
    Type(box, L"abcdef");
    EXPECT_EQ(box.GetFirstVisible(), 1) << "no further than where the end fits";
    Type(box, L"ghijklmno");
    const int first = box.GetFirstVisible();
    EXPECT_GT(first, 5);
    EXPECT_LE(box.GetCaret() - first, 5);
    while (box.GetCaret() > first) Key(box, VK_LEFT);
    EXPECT_EQ(box.GetFirstVisible(), first - 5) << "reaching the view's start jumps left by five";
    EXPECT_EQ(box.GetTextPrint(1).position.x, kTextOffset.x + 5 * kGlyph);
}

TEST_F(GUIEditBoxTest, AViewNarrowerThanFiveCharactersNeverLeavesTheCaretBehind) {
    GUIEditBox& box = MakeBox(40, 1000.0f, 2.5f * kGlyph);
    for (wchar_t c : std::wstring(L"abcdefghijkl")) {
        Type(box, std::wstring(1, c));
        EXPECT_LE(box.GetFirstVisible(), box.GetCaret());
    }
    Key(box, VK_HOME);
    for (int i = 0; i < 12; ++i) {
        Key(box, VK_RIGHT);
        EXPECT_LE(box.GetFirstVisible(), box.GetCaret());
        ASSERT_EQ(box.GetPrintCount(), 2);
    }
}

TEST_F(GUIEditBoxTest, AViewTooNarrowForTheCaretStopsAtTheCaret) {
    for (float visible : {5.0f, 0.0f, -10.0f}) {
        SCOPED_TRACE(visible);
        GUIEditBox& box = MakeBox(20, 1000.0f, visible);
        box.SetText(L"abcd");
        EXPECT_EQ(box.GetFirstVisible(), 4);
        Type(box, L"e");
        EXPECT_EQ(box.GetFirstVisible(), 5);
        Key(box, VK_LEFT);
        Key(box, VK_BACK);
        EXPECT_EQ(box.GetText(), L"abce");
        EXPECT_EQ(box.GetFirstVisible(), 3) << "the view stays on the caret";
    }
}

TEST_F(GUIEditBoxTest, TheCaretBlinksEveryFourTenthsOfASecond) {
    GUIEditBox& box = MakeBox();
    box.SetText(L"ab");
    timers_->GetFrameTimer()->SetTime(0.0f);
    struct Moment {
        std::uint64_t microseconds;
        bool shown;
    };
    const Moment moments[] = {{0, true}, {200000, true}, {390000, true}, {410000, false},
                              {790000, false}, {810000, true}, {1210000, false}};
    std::uint64_t now = 0;
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.microseconds);
        AdvanceClock(moment.microseconds - now);
        now = moment.microseconds;
        Frame({&box});
        EXPECT_EQ(box.GetPrintCount(), moment.shown ? 2 : 1);
    }
}

TEST_F(GUIEditBoxTest, TheTextTakesTheWindowsAlpha) {
    const Vantor::ShaderDescriptor plain;
    auto& box = Make<GUIEditBox>(GUIWindow::kShown, Vector2(0, 0), Vector2(300, 30), nullptr, &plain, 0,
                                 Vantor::Color(1, 0, 0, 0.5f), kTextOffset, 20, 1000.0f, 1000.0f, std::uint16_t{u'|'},
                                 nullptr);
    box.SetAlpha(0.5f);
    box.SetText(L"a");
    Frame({&box});
    EXPECT_NEAR(box.GetTextPrint(0).colour.w, 0.25f, 0.01f);
    EXPECT_EQ(box.GetTextPrint(0).colour.x, 1.0f);
}

// ---- Boxes, input and fonts --------------------------------------------------------

TEST_F(GUIEditBoxTest, EveryVisibleBoxWithInputOnTakesTheCharacter) {
    GUIEditBox& first = MakeBox();
    GUIEditBox& second = MakeBox();
    GUIEditBox& closed = MakeBox();
    GUIEditBox& hidden = MakeBox();
    closed.inputOn = false;
    hidden.ClearFlags(GUIWindow::kShown);
    TypeText(L"k");
    Frame({&first, &second, &closed, &hidden});
    EXPECT_EQ(first.GetText(), L"k");
    EXPECT_EQ(second.GetText(), L"k");
    EXPECT_EQ(closed.GetText(), L"");
    EXPECT_EQ(closed.GetPrintCount(), 0) << "no text and no caret";
    EXPECT_EQ(hidden.GetText(), L"");
}

TEST_F(GUIEditBoxTest, WithoutAFontTheBoxDrawsNothingAndIgnoresTyping) {
    GUIEditBox& none = MakeBox(20, 1000.0f, 1000.0f, -1);
    GUIEditBox& missing = MakeBox(20, 1000.0f, 1000.0f, 7);
    TypeText(L"a");
    UpdateGUI();
    BeginInputFrame();
    EXPECT_FALSE(none.HandleInput(Vector2(), false, false));
    EXPECT_FALSE(missing.HandleInput(Vector2(), false, false));
    EndInputFrame();
    EXPECT_EQ(none.GetText() + missing.GetText(), L"");
    EXPECT_EQ(none.GetPrintCount() + missing.GetPrintCount(), 0);
    missing.SetFont(0);
    Type(missing, L"b");
    EXPECT_EQ(missing.GetText(), L"b");
}

}  // namespace
}  // namespace guitest
