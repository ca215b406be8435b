// The drawing scenes through OpenGL under an X server: the captured picture shows each
// shape where it belongs and in its colour, the window shows the frame the right way
// up, the capture of a window is not cut, and in full screen the screen itself shows
// the whole frame.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "engine/render/Image.h"
#include "platform/DirectDrawGLSeams.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

// Last: its macros (None, Bool, Status) would clash with the engine's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using scenes::Rgb;

bool Near(const Rgb& actual, const Rgb& expected, int tolerance = 3) {
    return std::abs(actual.red - expected.red) <= tolerance && std::abs(actual.green - expected.green) <= tolerance &&
           std::abs(actual.blue - expected.blue) <= tolerance;
}

const scenes::Scene& SceneNamed(const std::string& name) {
    for (const scenes::Scene& scene : scenes::AllScenes())
        if (scene.name == name) return scene;
    throw std::runtime_error("no scene " + name);
}

// What the X server shows on its whole screen, as red, green and blue rows top down.
class ScreenCapture {
public:
    ScreenCapture() : display_(XOpenDisplay(nullptr)) {}
    ~ScreenCapture() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    bool IsOpen() const { return display_ != nullptr; }
    int Width() const { return DisplayWidth(display_, DefaultScreen(display_)); }
    int Height() const { return DisplayHeight(display_, DefaultScreen(display_)); }

    std::vector<Rgb> Take() const {
        XSync(display_, False);
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), 0, 0, Width(), Height(), AllPlanes, ZPixmap);
        std::vector<Rgb> pixels;
        if (image == nullptr) return pixels;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                pixels.push_back({int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)});
            }
        XDestroyImage(image);
        return pixels;
    }

private:
    Display* display_;
};

class SceneDrawingSdlTest : public scenes::SceneTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        SceneTest::SetUp();
    }

    void TearDown() override {
        platform::seam::KeepPresentedPictures(false);
        SceneTest::TearDown();
    }
};

TEST_F(SceneDrawingSdlTest, EveryShapeComesOutWhereItBelongsInItsColour) {
    ASSERT_TRUE(renderSystem_->IsReady());
    for (const scenes::Scene& scene : scenes::AllScenes()) {
        SCOPED_TRACE(scene.name);
        scenes::DrawFrame(scene, *camera_);
        ASSERT_TRUE(renderSystem_->IsReady()) << "no call of the frame failed";
        Vantor::Image picture;
        renderSystem_->CaptureScreen(picture);
        ASSERT_EQ(picture.GetWidth(), 800u);
        ASSERT_EQ(picture.GetHeight(), 600u);
        for (const scenes::Probe& probe : scene.probes) {
            const Rgb actual = scenes::PixelAt(picture, probe.x, probe.y);
            EXPECT_TRUE(Near(actual, probe.colour)) << probe.what << ": " << scenes::Describe(actual) << " instead of "
                                                    << scenes::Describe(probe.colour);
        }
        // Outside every shape the clear colour stays.
        EXPECT_TRUE(Near(scenes::PixelAt(picture, 780, 580), {0, 0, 0}));
    }
}

TEST_F(SceneDrawingSdlTest, TheWindowShowsTheFrameTheRightWayUp) {
    const scenes::Scene* orientation = nullptr;
    for (const scenes::Scene& scene : scenes::AllScenes())
        if (std::string(scene.name) == "orientation") orientation = &scene;
    ASSERT_NE(orientation, nullptr);

    platform::seam::KeepPresentedPictures(true);
    scenes::DrawFrame(*orientation, *camera_);
    int width = 0, height = 0;
    const std::vector<DWORD> shown = platform::seam::PresentedPicture(Window().GetWindowHandle(), width, height);
    ASSERT_EQ(width, 800);
    ASSERT_EQ(height, 600);
    // The window's rows run top down.
    for (const scenes::Probe& probe : orientation->probes) {
        const DWORD pixel = shown[static_cast<std::size_t>(height - 1 - probe.y) * width + probe.x];
        const Rgb actual{int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
        EXPECT_TRUE(Near(actual, probe.colour)) << probe.what << ": " << scenes::Describe(actual);
    }
}

TEST_F(SceneDrawingSdlTest, FullScreenFillsTheDesktopWithTheFourToThreePictureAndItsBars) {
    ScreenCapture screen;
    ASSERT_TRUE(screen.IsOpen());
    ASSERT_EQ(screen.Width(), 1280);
    ASSERT_EQ(screen.Height(), 1024);
    Values().fullscreen = true;
    Restart();
    const scenes::Scene& orientation = SceneNamed("orientation");

    // The 800 x 600 picture takes the screen's whole width, 1.6 pixels a unit, between
    // bars of 32 rows above and below it. Rows of the screen run top down.
    auto at = [](const std::vector<Rgb>& shown, int x, int y) {
        return shown[static_cast<std::size_t>(1023 - (32 + y * 8 / 5)) * 1280 + x * 8 / 5];
    };
    // The X server places the window when it gets round to it: frames are drawn until
    // the screen shows the picture, within a generous bound.
    std::vector<Rgb> shown;
    for (int attempt = 0; attempt < 100; ++attempt) {
        scenes::DrawFrame(orientation, *camera_);
        shown = screen.Take();
        if (shown.size() == 1280u * 1024u && Near(at(shown, 125, 380), {255, 0, 0})) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(shown.size(), 1280u * 1024u);
    for (const scenes::Probe& probe : orientation.probes) {
        const Rgb actual = at(shown, probe.x, probe.y);
        EXPECT_TRUE(Near(actual, probe.colour)) << probe.what << ": " << scenes::Describe(actual);
    }
    for (int x = 0; x < 1280; x += 40)
        for (int y : {0, 31, 992, 1023})
            ASSERT_TRUE(Near(shown[static_cast<std::size_t>(y) * 1280 + x], {0, 0, 0})) << "bar at " << x << ", " << y;
}

}  // namespace
