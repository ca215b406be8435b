// Printing a text control's lines: alignment, runs in their rule's style, fading, and
// the typewriter that erases the old text before it prints the new one. The prints of a
// frame are read from the control's element before the GUI draws them. The test font's
// characters are all half the size wide.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextPrint.h"
#include "gui_tools/GUITextControl.h"
#include "tests/gui_tools/GUIToolsTestSupport.h"

namespace {

using GUITools::GUITextControl;
using Vantor::TextPrint;

class GUITextDrawingTest : public guitoolstest::GUIToolsTest {
protected:
    void SetUp() override {
        GUIToolsTest::SetUp();
        WriteFont("plain", "size=\"10\" space_size=\"0.5\"");
        WriteTexts("<texts language=\"english\" />");
        MakeTools();
    }

    // A shown control of 200 x 100 with the literal text and the alignments.
    GUITextControl& Shown(const std::wstring& text, const std::string& horizontal = "left",
                          const std::string& vertical = "bottom") {
        GUITextControl& control = MakeText();
        control.horizontalAlignment = horizontal;
        control.verticalAlignment = vertical;
        control.SetLiteralText(text);
        control.Show(true, false);
        return control;
    }

    // A shown control in printing mode.
    GUITextControl& Printing(const std::wstring& text, float speed, const std::string& horizontal = "left",
                             const std::string& vertical = "bottom") {
        GUITextControl& control = Shown(text, horizontal, vertical);
        control.printingMode = true;
        control.printingSpeed = speed;
        return control;
    }

    static std::vector<TextPrint> Prints(const GUITextControl& control) {
        std::vector<TextPrint> prints;
        const Vantor::GUIWindow& window = *control.GetWindow();
        for (int i = 0; i < window.GetPrintCount(); ++i) prints.push_back(window.GetTextPrint(i));
        return prints;
    }
    // The frame's printed characters, all runs together.
    static std::wstring Printed(const GUITextControl& control) {
        std::wstring text;
        for (const TextPrint& print : Prints(control)) text += print.text;
        return text;
    }
};

TEST_F(GUITextDrawingTest, ASingleLineIsPlacedByItsAlignmentFlags) {
    const struct {
        const char* horizontal;
        const char* vertical;
        float x, y;
    } cases[] = {
        {"center", "center", 90.0f, 45.0f},  // 20 x 10 in 200 x 100
        {"left and right", "top", 0.0f, 90.0f},
        {"right", "bottom", 180.0f, 0.0f},
        {"", "", 90.0f, 45.0f},
    };
    std::vector<GUITextControl*> controls;
    for (const auto& each : cases) controls.push_back(&Shown(L"abcd", each.horizontal, each.vertical));
    Frame();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::vector<TextPrint> prints = Prints(*controls[i]);
        ASSERT_EQ(prints.size(), 1u);
        EXPECT_EQ(prints[0].alignment, 0) << "the runs are placed by the control";
        EXPECT_FLOAT_EQ(prints[0].position.x, cases[i].x) << cases[i].horizontal;
        EXPECT_FLOAT_EQ(prints[0].position.y, cases[i].y) << cases[i].vertical;
    }
}

TEST_F(GUITextDrawingTest, SeveralLinesStandFromTheFirstDownByTheVerticalAlignment) {
    const struct {
        const char* vertical;
        float first;
    } cases[] = {{"bottom", 24.0f}, {"top", 90.0f}, {"middle", 24.0f + (100.0f - 36.0f) * 0.5f}};
    std::vector<GUITextControl*> controls;
    for (const auto& each : cases) {
        controls.push_back(&Shown(L"a|bb|c", "center", each.vertical));
        controls.back()->lineSpace = 2.0f;
    }
    Frame();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::vector<TextPrint> prints = Prints(*controls[i]);
        ASSERT_EQ(prints.size(), 3u);
        for (int line = 0; line < 3; ++line)
            EXPECT_FLOAT_EQ(prints[line].position.y, cases[i].first - 12.0f * static_cast<float>(line))
                << cases[i].vertical << " line " << line;
        EXPECT_FLOAT_EQ(prints[1].position.x, 95.0f) << "each line centred by itself";
    }
}

TEST_F(GUITextDrawingTest, RunsTakeTheirRulesStyleAndTheNextRunStartsAfterTheScaledRun) {
    GUITextControl& control = Shown(L"ab {rule size(2) color(1 0 0 1) offset(0 3)} cd} ef");
    control.fontSize = 20.0f;
    control.colour = {0.0f, 1.0f, 0.0f, 1.0f};
    Frame();
    const std::vector<TextPrint> prints = Prints(control);
    ASSERT_EQ(prints.size(), 3u);
    const struct {
        const wchar_t* text;
        float x, y, size, red;
    } runs[] = {{L"ab ", 0, 0, 20, 0}, {L"cd", 30, 3, 40, 1}, {L" ef", 70, 0, 20, 0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(prints[i].text, runs[i].text);
        EXPECT_FLOAT_EQ(prints[i].position.x, runs[i].x) << i;
        EXPECT_FLOAT_EQ(prints[i].position.y, runs[i].y) << i;
        EXPECT_FLOAT_EQ(prints[i].size, runs[i].size) << i;
        EXPECT_FLOAT_EQ(prints[i].colour.x, runs[i].red) << i;
        EXPECT_FLOAT_EQ(prints[i].colour.y, 1.0f - runs[i].red) << i;
    }
    EXPECT_FLOAT_EQ(control.rules[0]->runStart.x, 30.0f);
    EXPECT_FLOAT_EQ(control.rules[0]->runEnd.x, 30.0f + 30.0f) << "the run's extent at 40";
}

TEST_F(GUITextDrawingTest, AFadedControlDrawsEveryRunAtItsFadeValue) {
    GUITextControl& control = Shown(L"a {rule color(1 0 0 0.5)} b} c");
    control.SetFader("text_fader");
    control.SetFaderMax(0.5f);
    control.SetShowSpeed(10.0f);
    Run(0.3f);
    const std::vector<TextPrint> prints = Prints(control);
    ASSERT_EQ(prints.size(), 3u);
    EXPECT_FLOAT_EQ(prints[0].colour.w, 0.5f);
    EXPECT_FLOAT_EQ(prints[1].colour.w, 0.25f);
    EXPECT_FLOAT_EQ(prints[2].colour.w, 0.5f);
}

TEST_F(GUITextDrawingTest, PrintingIsBoundByTheMaximumTime) {
    GUITextControl& control = Printing(std::wstring(100, L'x'), 10.0f);
    control.maxPrintingTime = 2.0f;
    control.multiline = true;
    // Frame times come from a float clock: a margin of half a frame either side.
    Run(1.0f);
    EXPECT_NEAR(static_cast<float>(Printed(control).size()), 50.0f, 1.0f) << "50 characters a second";
    Run(0.9f);
    Frame(0.05f);
    EXPECT_FALSE(control.IsPrintingFinished());
    Frame(0.1f);
    EXPECT_TRUE(control.IsPrintingFinished()) << "after 2 s";
    EXPECT_EQ(Printed(control).size(), 100u);
}

TEST_F(GUITextDrawingTest, ThreeRunsPrintedHalfwayShowOnlyThePrintedCharactersInTheirStyles) {
    GUITextControl& control = Printing(L"aaaa {rule color(1 0 0 1)} bbbb} cccc", 7.5f);
    Run(1.0f);
    const std::vector<TextPrint> prints = Prints(control);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_EQ(prints[0].text, L"aaaa ");
    EXPECT_EQ(prints[1].text, L"bb");
    EXPECT_FLOAT_EQ(prints[1].colour.y, 0.0f) << "in its rule's colour";
    EXPECT_FLOAT_EQ(prints[1].position.x, 25.0f);
}

TEST_F(GUITextDrawingTest, APrintedLineStandsWhereTheWholeLineWillStand) {
    GUITextControl& control = Printing(L"abcdefgh", 10.0f, "right", "top");
    Run(0.4f);
    const std::vector<TextPrint> prints = Prints(control);
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0].text, L"abcd");
    EXPECT_FLOAT_EQ(prints[0].position.x, 160.0f) << "200 less the whole line's 40";
    EXPECT_FLOAT_EQ(prints[0].position.y, 90.0f);
}

TEST_F(GUITextDrawingTest, ANewTextFirstErasesTheOldOneFromTheEndThenPrints) {
    GUITextControl& control = Printing(L"abcd", 10.0f);
    Run(0.5f);
    ASSERT_TRUE(control.IsPrintingFinished());
    control.SetLiteralText(L"xy");
    EXPECT_FALSE(control.IsPrintingFinished()) << "a different text starts over";

    // What the frames show, each change once (a frame may show nothing in between).
    std::vector<std::wstring> shown;
    for (int frame = 0; frame < 10; ++frame) {
        Frame();
        const std::wstring printed = Printed(control);
        if (!printed.empty() && (shown.empty() || shown.back() != printed)) shown.push_back(printed);
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"abc", L"ab", L"a", L"x", L"xy"}));
    EXPECT_TRUE(control.IsPrintingFinished());

    control.SetLiteralText(L"xy");
    EXPECT_TRUE(control.IsPrintingFinished()) << "the same text goes on";
}

TEST_F(GUITextDrawingTest, HidingTheElementRestartsPrintingFromTheFirstCharacter) {
    GUITextControl& control = Printing(L"abcd", 10.0f);
    Run(0.5f);
    control.Show(false, false);
    Run(0.2f);
    EXPECT_FALSE(control.GetWindow()->IsVisible());
    EXPECT_FALSE(control.IsPrintingFinished());
    EXPECT_FLOAT_EQ(control.printedCharacters, 0.0f);
    control.Show(true, false);
    Frame();
    EXPECT_EQ(Printed(control), L"a");
}

TEST_F(GUITextDrawingTest, ANegativeSpeedOrTimePrintsAtOnce) {
    Printing(L"abcdef", -1.0f);
    GUITextControl& bounded = Printing(L"abcdef", 1.0f);
    bounded.maxPrintingTime = -2.0f;
    Frame();
    for (const auto& control : controls_) {
        EXPECT_TRUE(static_cast<GUITextControl&>(*control).IsPrintingFinished());
        EXPECT_EQ(Printed(static_cast<GUITextControl&>(*control)), L"abcdef");
    }
}

}  // namespace
