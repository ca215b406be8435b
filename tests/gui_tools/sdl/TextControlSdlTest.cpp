// Marked-up text as the player sees it, drawn by the whole engine through OpenGL: a
// style block's run shows in its colour and the rest of the line in the control's, and
// a text printed halfway shows only its first half. Each picture is also written to
// the test's folder as a PNG to look at.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/gui/GUIFont.h"
#include "tests/gui_tools/sdl/GUIToolsSdlTestSupport.h"

namespace {

using GUITools::GUITextControl;
using scenes::Rgb;

// Columns of ink: the leftmost and rightmost that are not black, within the rows.
struct Span {
    int left = 800, right = -1;
    bool Empty() const { return right < left; }
};

class TextControlSdlTest : public guitoolstest::GUIToolsSdlTest {
protected:
    void SetUp() override {
        GUIToolsSdlTest::SetUp();
        MakeTools();
    }

    // A white line in a shown control across the picture's middle.
    GUITextControl& Line(const std::wstring& text, float y) {
        GUITextControl& control = MakeText("common", {700.0f, 40.0f});
        control.SetPosition({50.0f, y});
        control.SetLiteralText(text);
        control.Show(true, false);
        return control;
    }

    static bool IsInk(const Rgb& pixel) { return pixel.red + pixel.green + pixel.blue > 60; }
    static bool IsRed(const Rgb& pixel) { return pixel.red > 100 && pixel.green < 40 && pixel.blue < 40; }
    static bool IsGrey(const Rgb& pixel) {
        return std::abs(pixel.red - pixel.green) <= 3 && std::abs(pixel.green - pixel.blue) <= 3;
    }

    static Span InkSpan(const Vantor::Image& picture, int bottom, int top) {
        Span span;
        for (int y = bottom; y <= top; ++y)
            for (int x = 0; x < 800; ++x)
                if (IsInk(scenes::PixelAt(picture, x, y))) span = {std::min(span.left, x), std::max(span.right, x)};
        return span;
    }
};

TEST_F(TextControlSdlTest, AStyleBlockColoursItsRunOnlyAndTheRestStaysWhite) {
    GUITextControl& control = Line(L"White text {rule color(1 0 0 1)} RED RUN} white again", 280.0f);
    Frame();
    Vantor::Image picture;
    Capture(picture, "style_block");

    // The run's ends are kept relative to the control.
    const int left = 50 + static_cast<int>(control.rules[0]->runStart.x);
    const int right = 50 + static_cast<int>(control.rules[0]->runEnd.x);
    ASSERT_GT(right - left, 50) << "the run was drawn and measured";
    int red = 0, white = 0, stray = 0;
    for (int y = 280; y < 320; ++y) {
        for (int x = 0; x < 800; ++x) {
            const Rgb pixel = scenes::PixelAt(picture, x, y);
            if (!IsInk(pixel)) continue;
            const bool inRun = x > left + 1 && x < right - 1;
            const bool outside = x < left - 1 || x > right + 1;
            if (inRun && IsRed(pixel)) ++red;
            if (outside && IsGrey(pixel)) ++white;
            if ((inRun && !IsRed(pixel) && pixel.green > 40) || (outside && !IsGrey(pixel))) ++stray;
        }
    }
    EXPECT_GT(red, 200) << "the run is red";
    EXPECT_GT(white, 400) << "the rest of the line is white";
    EXPECT_EQ(stray, 0) << "no white in the run, no colour outside it";
}

TEST_F(TextControlSdlTest, HalfwayThroughItsPrintingOnlyTheFirstHalfShows) {
    const std::wstring text = L"HHHHHHHHHHHHHHHHHHHH";
    Line(text, 380.0f);
    GUITextControl& printing = Line(text, 200.0f);
    // The sdl backend's frames take real time: the typewriter is put halfway and held.
    printing.printingMode = true;
    printing.printingSpeed = 0.0f;
    printing.printedCharacters = 10.5f;
    Frame();
    Vantor::Image picture;
    Capture(picture, "printed_halfway");

    const Span whole = InkSpan(picture, 380, 420);
    const Span half = InkSpan(picture, 200, 240);
    ASSERT_FALSE(whole.Empty());
    ASSERT_FALSE(half.Empty());
    EXPECT_NEAR(half.left, whole.left, 1) << "both start at the control's left";
    const float width = static_cast<float>(whole.right - whole.left);
    EXPECT_NEAR(static_cast<float>(half.right - half.left), width / 2.0f, width / 20.0f + 2.0f)
        << "ten of twenty characters";
}

}  // namespace
