// A layered background drawn by the whole engine through OpenGL under an X server: a
// blue quad layer with a layer of orange particles in front of it shows both, the
// particles over the quad; halfway through a fade in at speed 1 the quad shows at a
// quarter of its alpha; after a hide with a fade nothing of it remains. Each picture is
// also written into the test's working folder as a PNG file, to be looked at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "content/ModelShapes.h"
#include "engine/render/Image.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/RenderSystem.h"
#include "gui_tools/GUIBackgroundBase.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/gui_tools/BackgroundTestSupport.h"

namespace {

using Content::ModelShapes;
using GUITools::GUIBackgroundBase;

struct Rgb {
    int red, green, blue;
};

class BackgroundSdlTest : public backgroundtest::BackgroundTest {
protected:
    // The quad's colour and where only the quad shows: far from the particles.
    static constexpr Rgb kQuadColour{51, 102, 255};
    static constexpr int kQuadOnlyX = 230, kQuadOnlyY = 180;

    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        BackgroundTest::SetUp();
        // The quad covers (200, 150) to (600, 450); the particles' window is held at the
        // centre by an animator that does not move.
        AddModel("room/quad", ModelShapes::Quad({200, 150, 400, 300}));
        AddModel("room/centre", ModelShapes::Bounds({390, 290, 20, 20}));
        Content::ParticleFileWriter::ParticleSystem sparks;
        sparks.maxParticles = 60;
        sparks.gravityOn = 0;
        sparks.floorOn = 0;
        sparks.emitterShape = Vantor::ParticleSystem::kBoxEmitter;
        for (int key = 0; key < Content::ParticleFileWriter::kKeyCount; ++key) {
            sparks.rate[key] = 40.0f;
            sparks.life[key] = 2.0f;
            sparks.size[key] = 8.0f;
            sparks.speedBase[key] = 0.3f;
        }
        for (int axis = 0; axis < 3; ++axis) {
            sparks.boxMinimum[axis] = -60.0f;
            sparks.boxMaximum[axis] = 60.0f;
        }
        AddParticles("room/sparks", sparks);
        WriteBackground(R"(resources_prefix="room")",
                        R"(<model name="quad" color="0.2 0.4 1 1"/>)"
                        R"(<particles name="sparks" animator_model="centre" color="1 0.5 0 1"/>)");
    }

    // The picture of the frame just ended, also kept as "captures/<name>.png".
    static void Capture(Vantor::Image& picture, const std::string& name) {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    // Column x, row y from the bottom.
    static Rgb PixelAt(const Vantor::Image& picture, int x, int y) {
        const std::uint8_t* pixel =
            rendertest::PixelAddress(picture, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
        return {pixel[0], pixel[1], pixel[2]};
    }

    static bool Near(const Rgb& actual, const Rgb& expected, int tolerance) {
        return std::abs(actual.red - expected.red) <= tolerance &&
               std::abs(actual.green - expected.green) <= tolerance &&
               std::abs(actual.blue - expected.blue) <= tolerance;
    }
    static bool IsOrange(const Rgb& pixel) { return pixel.red > 200 && pixel.blue < 60; }
    static bool IsLit(const Rgb& pixel) { return pixel.red + pixel.green + pixel.blue > 0; }

    // Pixels of the rectangle (both ends in) for which the test holds.
    template <class Test>
    static int Count(const Vantor::Image& picture, int left, int bottom, int right, int top, Test test) {
        int count = 0;
        for (int y = bottom; y <= top; ++y)
            for (int x = left; x <= right; ++x) count += test(PixelAt(picture, x, y));
        return count;
    }
};

TEST_F(BackgroundSdlTest, TheParticlesShowOverTheQuadFadeInTogetherAndLeaveNothingWhenHidden) {
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    background.CreateBasicLayers();
    Run(background, 0.2f);
    Vantor::Image hidden;
    Capture(hidden, "background_before_show");
    EXPECT_EQ(Count(hidden, 0, 0, 799, 599, IsLit), 0) << "nothing shows before the background is shown";

    background.Show(true, false, 1.0f);
    Run(background, 1.0f);
    Vantor::Image shown;
    Capture(shown, "background_shown");
    EXPECT_TRUE(Near(PixelAt(shown, kQuadOnlyX, kQuadOnlyY), kQuadColour, 3));
    EXPECT_GT(Count(shown, 300, 200, 500, 400, IsOrange), 500) << "particles over the quad";
    EXPECT_EQ(Count(shown, 0, 0, 150, 599, IsLit), 0) << "nothing beside the quad";

    // A fade out, then a fade in halfway: the background's half times the layer's half.
    background.Show(false, true, 1.0f);
    Run(background, 1.0f);
    Vantor::Image gone;
    Capture(gone, "background_hidden");
    EXPECT_FALSE(background.IsVisible());
    EXPECT_EQ(Count(gone, 0, 0, 799, 599, IsLit), 0) << "nothing of it remains";

    background.Show(true, true, 1.0f);
    Run(background, 0.5f);
    Vantor::Image half;
    Capture(half, "background_fading_in");
    const Rgb quarter{kQuadColour.red / 4, kQuadColour.green / 4, kQuadColour.blue / 4};
    EXPECT_TRUE(Near(PixelAt(half, kQuadOnlyX, kQuadOnlyY), quarter, 4));
}

}  // namespace
