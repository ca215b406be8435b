// A window built from a template as the player sees it, drawn by the whole engine
// through OpenGL: its quad, button and text label appear once it is shown, a fader held
// at half draws the quad at half strength, and once hidden and faded out it is gone.
// Each picture is also written to the test's folder as a PNG to look at.

#include <gtest/gtest.h>

#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "tests/gui_tools/sdl/GUIToolsSdlTestSupport.h"

namespace {

using scenes::Rgb;

class WindowTemplateSdlTest : public guitoolstest::GUIToolsSdlTest {
protected:
    void SetUp() override {
        GUIToolsSdlTest::SetUp();
        const Vantor::ShaderDescriptor blended(true, false, "", false);
        keeper_->AddShaderUser("ui/quad", Vantor::ShaderManager::Instance()->GetShader(blended, false));
        // The sdl backend's frames take real time: the fader holds the quad at half
        // (show speed 0 keeps it at its minimum) and hides it within a frame.
        WriteTemplate("faders.xml", R"(<faders>
            <fader name="half" min="0.5" show_speed="0" hide_speed="1000" /></faders>)");
        WriteTemplate("window_picture.xml", R"(<window name="window_picture" shader="quad" position="100 100"
              size="600 400" fader="half">
            <button name="ok" shader="quad" position="50 50" size="100 40" />
            <text_label name="label" font="common" text="'Hello'" color="1 0 0 1" position="300 300"
              size="250 40" />
          </window>)");
        MakeToolManager();
    }

    static bool IsInk(const Rgb& pixel) { return pixel.red + pixel.green + pixel.blue > 60; }

    static int Count(const Vantor::Image& picture, int left, int bottom, int right, int top, bool (*test)(const Rgb&)) {
        int count = 0;
        for (int y = bottom; y < top; ++y)
            for (int x = left; x < right; ++x)
                if (test(scenes::PixelAt(picture, x, y))) ++count;
        return count;
    }
};

TEST_F(WindowTemplateSdlTest, AppearsWhenShownAtTheFadersHalfAndIsGoneOnceHidden) {
    GUITools::GUIWindowBase& window = MakeWindow("window_picture");
    Frame();
    Vantor::Image picture;
    Capture(picture, "window_before_show");
    EXPECT_EQ(Count(picture, 0, 0, 800, 600, IsInk), 0) << "nothing before the window is shown";

    window.Show(true);
    Frame();
    Frame();
    Capture(picture, "window_shown");
    const Rgb quad = scenes::PixelAt(picture, 120, 450);
    EXPECT_NEAR(quad.red, 128, 6) << "the quad at half alpha";
    EXPECT_NEAR(quad.blue, 128, 6);
    EXPECT_EQ(scenes::PixelAt(picture, 90, 450).red, 0) << "nothing beside the window";
    EXPECT_GT(scenes::PixelAt(picture, 200, 170).red, 200) << "the button's quad";
    EXPECT_GT(Count(picture, 400, 400, 650, 440, [](const Rgb& p) { return p.red > 200 && p.green < 100; }), 50)
        << "the label's red letters";

    window.Show(false);
    for (int frame = 0; frame < 20 && window.IsVisible(); ++frame) Frame();
    EXPECT_FALSE(window.IsVisible());
    Frame();
    Capture(picture, "window_hidden");
    EXPECT_EQ(Count(picture, 0, 0, 800, 600, IsInk), 0) << "gone once the fade has ended";
}

}  // namespace
