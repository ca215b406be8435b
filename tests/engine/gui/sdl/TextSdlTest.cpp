// Text and windows drawn through OpenGL under an X server: a line printed in a font made
// by the font generator shows its ink inside the measured extent, in the print's colour,
// the right way up and centred by its alignment; a child window's quad covers its
// parent's; a slider's thumb shows at its value; an edit box shows its text and caret.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "content/FontGenerator.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/TextAlignment.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/Image.h"
#include "tests/engine/gui/GUITestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace guitest {
namespace {

using scenes::Rgb;
using Vantor::TextAlignment;

// A rectangle of pixels, columns left to right and rows bottom to top, both ends in.
struct Box {
    int left = 800, bottom = 600, right = -1, top = -1;
    bool Empty() const { return right < left; }
};

class TextSdlTest : public GUITest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        GUITest::SetUp();
        Values().vsync = false;
    }

    // The generated DejaVu Sans at 24 pixels under id 0, with the size and space size of
    // its description, as the font tool sets them.
    GUIFont& LoadGeneratedFont() {
        Content::FontGenerator::Write(L"data\\fonts\\common", {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 24});
        const std::string description = home_.folder.ReadFile("data/fonts/common/font.xml");
        auto attribute = [&description](const std::string& name) {
            return std::stof(description.substr(description.find(" " + name + "=\"") + name.size() + 3));
        };
        material_ = Vantor::ShaderDescriptor(true, false, "fonts\\common\\font", true);
        GUIFont& font = *fonts_->LoadFont(0, &material_, L"data\\fonts\\common\\font.fnt");
        font.SetSize(attribute("size"));
        font.SetSpaceSize(attribute("space_size"));
        return font;
    }

    // The GUI's update, then the engine's frame end; the picture.
    void DrawFrame(Vantor::Image& picture) {
        UpdateGUI();
        PresentAndCapture(picture);
    }

    // The pixels within the area that are not black.
    static Box Ink(const Vantor::Image& picture, const Box& area) {
        Box ink;
        for (int y = area.bottom; y <= area.top; ++y) {
            for (int x = area.left; x <= area.right; ++x) {
                const Rgb pixel = scenes::PixelAt(picture, x, y);
                if (pixel.red + pixel.green + pixel.blue == 0) continue;
                ink = {std::min(ink.left, x), std::min(ink.bottom, y), std::max(ink.right, x), std::max(ink.top, y)};
            }
        }
        return ink;
    }

    // How many pixels of the row within the columns are not black.
    static int InkInRow(const Vantor::Image& picture, int y, int left, int right) {
        int count = 0;
        for (int x = left; x <= right; ++x) {
            const Rgb pixel = scenes::PixelAt(picture, x, y);
            count += pixel.red + pixel.green + pixel.blue > 0;
        }
        return count;
    }

    static bool Near(const Rgb& actual, const Rgb& expected, int tolerance) {
        return std::abs(actual.red - expected.red) <= tolerance &&
               std::abs(actual.green - expected.green) <= tolerance &&
               std::abs(actual.blue - expected.blue) <= tolerance;
    }

    Vantor::ShaderDescriptor material_;
};

TEST_F(TextSdlTest, ALineShowsItsInkInsideTheMeasuredExtentCentredInItsColour) {
    GUIFont& font = LoadGeneratedFont();
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {200, 250}, {400, 100});
    const std::wstring text = L"Lily's caf\u00e9 \u2013 \u20ac12";
    const int centred = TextAlignment::kCentreHorizontally | TextAlignment::kCentreVertically;
    window.PrintText(centred, 0, {0, 0}, {1.0f, 0.5f, 0.0f, 1.0f}, text, 0.0f, -1.0f);
    Vantor::Image picture;
    DrawFrame(picture);

    Vector2 extent;
    font.MeasureText(extent, text, 0.0f, -1.0f);
    const Vector2 start = fonts_->PlaceText(centred, 0, window, {0, 0}, 0.0f, text);
    EXPECT_NEAR(start.x, 200 + (400 - extent.x) / 2, 1e-3f);
    EXPECT_NEAR(start.y, 250 + (100 - extent.y) / 2, 1e-3f);

    const Box ink = Ink(picture, {0, 0, 799, 599});
    ASSERT_FALSE(ink.Empty()) << "the text shows";
    EXPECT_GE(ink.left, static_cast<int>(start.x) - 1);
    EXPECT_LE(ink.right, static_cast<int>(start.x + extent.x) + 1);
    EXPECT_GE(ink.bottom, static_cast<int>(start.y) - 1);
    EXPECT_LE(ink.top, static_cast<int>(start.y + extent.y) + 1);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 400.0, 3.0) << "centred in the window";
    EXPECT_GT(ink.right - ink.left, extent.x * 0.9f) << "the whole line shows";

    // Every pixel of ink is the print's colour, covered in part or whole by a glyph.
    int solid = 0;
    for (int y = ink.bottom; y <= ink.top; ++y) {
        for (int x = ink.left; x <= ink.right; ++x) {
            const Rgb pixel = scenes::PixelAt(picture, x, y);
            EXPECT_TRUE(std::abs(pixel.red - 2 * pixel.green) <= 4 && pixel.blue <= 2)
                << scenes::Describe(pixel) << " at " << x << ", " << y;
            solid += Near(pixel, {255, 128, 0}, 3);
        }
    }
    EXPECT_GT(solid, 50) << "solid strokes";
}

TEST_F(TextSdlTest, AnLStandsOnItsFoot) {
    LoadGeneratedFont();
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {300, 300}, {100, 100});
    window.PrintText(TextAlignment::kLeft | TextAlignment::kBottom, 0, {0, 0}, {1, 1, 1, 1}, L"L", 0.0f, -1.0f);
    Vantor::Image picture;
    DrawFrame(picture);

    const Box ink = Ink(picture, {300, 300, 399, 399});
    ASSERT_FALSE(ink.Empty());
    // The foot runs along the bottom; the stem alone reaches the top.
    EXPECT_GT(InkInRow(picture, ink.bottom + 1, ink.left, ink.right),
              2 * InkInRow(picture, ink.top - 1, ink.left, ink.right));
}

TEST_F(TextSdlTest, AChildWindowsQuadCoversItsParents) {
    const Vantor::ShaderDescriptor plain;
    GUIWindow& parent = MakeWindow(GUIWindow::kShown, {100, 100}, {300, 200}, nullptr, &plain);
    GUIWindow& child = MakeWindow(GUIWindow::kShown, {100, 50}, {300, 200}, &parent, &plain);
    // Made first, the child is updated first: the depth alone puts it in front.
    std::swap(windows_.front(), windows_.back());
    parent.SetColor({1, 0, 0, 1});
    child.SetColor({0, 0, 1, 1});
    Vantor::Image picture;
    DrawFrame(picture);
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 150, 150), {255, 0, 0}, 3)) << "the parent alone";
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 300, 200), {0, 0, 255}, 3)) << "both: the child in front";
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 450, 320), {0, 0, 255}, 3)) << "the child alone";
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 50, 50), {0, 0, 0}, 3)) << "outside both";
}

TEST_F(TextSdlTest, ASlidersThumbShowsAtItsValueOverTheTrack) {
    const Vantor::ShaderDescriptor plain;
    windows_.push_back(std::make_unique<Vantor::GUISlider>(fonts_.get(), nullptr, camera_, GUIWindow::kShown,
                                                           Vector2(100, 100), Vector2(300, 40), nullptr, &plain, 0,
                                                           Vector2(0, 0), Vector2(280, 0), 5u, nullptr));
    auto& slider = static_cast<Vantor::GUISlider&>(*windows_.back());
    slider.CreateThumb(Vector2(20, 40), nullptr, &plain);
    slider.SetColor({0, 0, 1, 1});
    slider.GetThumb()->SetColor({1, 1, 0, 1});
    slider.SetValue(3);
    Vantor::Image picture;
    DrawFrame(picture);
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 110, 120), {0, 0, 255}, 3)) << "the track at value 0";
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 320, 120), {255, 255, 0}, 3)) << "the thumb at 3 of 0 to 4";
    EXPECT_TRUE(Near(scenes::PixelAt(picture, 345, 120), {0, 0, 255}, 3)) << "the track beyond it";
}

TEST_F(TextSdlTest, AnEditBoxShowsItsTextAndTheCaretAfterIt) {
    LoadGeneratedFont();
    windows_.push_back(std::make_unique<Vantor::GUIEditBox>(
        fonts_.get(), nullptr, camera_, GUIWindow::kShown, Vector2(100, 300), Vector2(400, 40), nullptr, nullptr, 0,
        Vantor::Color(1, 1, 1, 1), Vector2(10, 10), 20, 1000.0f, 1000.0f, std::uint16_t{u'_'}, nullptr));
    auto& box = static_cast<Vantor::GUIEditBox&>(*windows_.back());
    box.SetText(L"Name");
    timers_->GetFrameTimer()->SetTime(0.0f);  // the caret's shown half of the blink
    box.HandleInput(Vector2(), false, false);
    Vantor::Image picture;
    DrawFrame(picture);
    const Box withCaret = Ink(picture, {100, 290, 499, 339});
    box.inputOn = false;
    box.HandleInput(Vector2(), false, false);
    DrawFrame(picture);
    const Box text = Ink(picture, {100, 290, 499, 339});
    ASSERT_FALSE(text.Empty());
    EXPECT_NEAR(text.left, 110, 3);
    EXPECT_EQ(withCaret.left, text.left);
    EXPECT_GT(withCaret.right, text.right + 5) << "the caret follows the text";
}

}  // namespace
}  // namespace guitest
