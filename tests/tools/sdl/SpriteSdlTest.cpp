// A sprite of a texture pack drawn by the whole engine through OpenGL under an X server:
// each frame of its animation shows that frame's rectangle of its atlas texture, the
// right way up, at the frame's place and size, and nothing else of the atlas. The
// captured frames are kept in "captures/" beside the test program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/gui/GUIManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/tools/SpriteTestSupport.h"

namespace spritetest {
namespace {

using scenes::Rgb;

class SpriteSdlTest : public SpriteTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        SpriteTest::SetUp();
        // One GUI unit a pixel of the 800 x 600 window, as the framework sets it.
        Vantor::GUIManager::Instance()->SetScreenSize(800, 600);
    }

    void CaptureFrame(Vantor::Image& picture, const std::string& name) {
        Frame();
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    // Expects the window from (left, bottom) of the size to show the frame's rectangle
    // of the atlas texture: red follows u and green v across it, blue names the atlas
    // texture; one pixel outside each edge shows the black background.
    static void ExpectFrameShown(const Vantor::Image& picture, int left, int bottom, int width, int height,
                                 const TexturePackWriter::Frame& frame) {
        const int blue = kAtlas[frame.atlasIndex].blue;
        for (int i = 0; i < 8; ++i) {
            for (int j = 0; j < 8; ++j) {
                const float across = (i + 0.5f) / 8, up = (j + 0.5f) / 8;
                const int x = left + static_cast<int>(across * width), y = bottom + static_cast<int>(up * height);
                const float u = frame.topLeft[0] + across * (frame.bottomRight[0] - frame.topLeft[0]);
                const float v = frame.topLeft[1] + up * (frame.bottomRight[1] - frame.topLeft[1]);
                const Rgb pixel = scenes::PixelAt(picture, x, y);
                EXPECT_NEAR(pixel.red, 255 * u, 6) << "at " << x << ", " << y << ": " << scenes::Describe(pixel);
                EXPECT_NEAR(pixel.green, 255 * v, 6) << "at " << x << ", " << y << ": " << scenes::Describe(pixel);
                EXPECT_NEAR(pixel.blue, blue, 6) << "at " << x << ", " << y << ": " << scenes::Describe(pixel);
            }
        }
        const int middleX = left + width / 2, middleY = bottom + height / 2;
        for (const auto& [x, y] : {std::pair{left - 1, middleY}, std::pair{left + width, middleY},
                                   std::pair{middleX, bottom - 1}, std::pair{middleX, bottom + height}}) {
            const Rgb pixel = scenes::PixelAt(picture, x, y);
            EXPECT_EQ(0, pixel.red + pixel.green + pixel.blue) << "outside, at " << x << ", " << y << ": "
                                                               << scenes::Describe(pixel);
        }
    }
};

TEST_F(SpriteSdlTest, EachFrameOfAnAnimatedSpriteShowsItsRectangleOfItsAtlasTexture) {
    // Frame 0: the bottom-left eighth of the 256 x 128 texture 0; frame 1: the top-right
    // quarter of the 64 x 64 texture 1, drawn 4 units to the right and 2 down. The
    // sprite doubles their size. The real clock runs here: the test moves the animation
    // on itself.
    const TexturePackWriter::Frame first = AtlasFrame(0, 0.0f, 0.0f, 0.5f, 0.25f);
    const TexturePackWriter::Frame second = AtlasFrame(1, 0.5f, 0.5f, 1.0f, 1.0f, 4, -2);
    TexturePack& pack = LoadPack({PackTexture("walk", {first, second})});
    Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 200}, {2, 2});

    Vantor::Image picture;
    CaptureFrame(picture, "sprite_frame_0");
    ASSERT_EQ(0, sprite.GetShownFrame());
    ExpectFrameShown(picture, 100, 200, 256, 64, first);

    sprite.GetAnimation().SetPosition(1.0f);
    CaptureFrame(picture, "sprite_frame_1");
    ASSERT_EQ(1, sprite.GetShownFrame());
    ExpectFrameShown(picture, 104, 198, 64, 64, second);
    const Rgb left = scenes::PixelAt(picture, 300, 230);
    EXPECT_EQ(0, left.red + left.green + left.blue) << "frame 0 is gone: " << scenes::Describe(left);
    EXPECT_TRUE(TakeErrors().empty());
}

}  // namespace
}  // namespace spritetest
