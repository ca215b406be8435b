// The drawing scenes through OpenGL under an X server: the captured picture shows each
// shape where it belongs and in its colour, the window shows the frame the right way
// up, and the capture of a window is not cut.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/render/Image.h"
#include "platform/DirectDrawGLSeams.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace {

using scenes::Rgb;

bool Near(const Rgb& actual, const Rgb& expected, int tolerance = 3) {
    return std::abs(actual.red - expected.red) <= tolerance && std::abs(actual.green - expected.green) <= tolerance &&
           std::abs(actual.blue - expected.blue) <= tolerance;
}

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

}  // namespace
