// The game's texture pack drawn by the whole engine under an X server: a picture shows
// its part of the atlas at its pixel size times the scale, and a mirrored one shows it
// flipped left to right, the same way up.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "content/GameTexturePackWriter.h"
#include "content/TgaWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/TexturePack.h"
#include "tests/game/sdl/GameSdlTestSupport.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

// An 8 x 4 atlas: the left half red, the right half blue, the top row of the right
// half green (rows bottom first).
std::vector<std::uint8_t> Atlas() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool right = x >= 4;
            const bool top = y == 3;
            pixels.insert(pixels.end(), {std::uint8_t(right ? 0 : 255), std::uint8_t(right && top ? 255 : 0),
                                         std::uint8_t(right && !top ? 255 : 0), 255});
        }
    return pixels;
}

class TexturePackSdlTest : public gamesdltest::GameSdlTest {
protected:
    void SetUp() override {
        GameSdlTest::SetUp();
        Content::TgaWriter::WriteFile(L"data\\house\\textures\\texture_pack_0.tga", 8, 4, Atlas());
        Content::GameTexturePackWriter::Pack pack;
        pack.pictures = {{"flag", 0, {0, 0}, {1, 1}}, {"half", 0, {0.25f, 0}, {0.75f, 1}}};
        Content::GameTexturePackWriter::WriteFile(L"data\\house\\textures\\texture_pack.tpf", pack);
    }
    void Draw(Vantor::Image& picture) {
        Frame(*engine_);
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    }

};

TEST_F(TexturePackSdlTest, MirroredPictureIsFlippedLeftToRight) {
    const Morvane::TexturePack pack("house\\textures", false);
    // 8 x 4 pixels times 16: 128 x 64 units of the 800 x 600 screen.
    pack.CreateWindow("flag", 1, {100, 100}, {16, 16}, nullptr, false);
    pack.CreateWindow("FLAG", 1, {-500 - 128, 100}, {16, 16}, nullptr, true);
    pack.CreateWindow("half", 1, {100, 300}, {16, 16}, nullptr, false);
    Vantor::Image picture;
    Draw(picture);

    const Rgb red{255, 0, 0}, blue{0, 0, 255}, green{0, 255, 0}, black{0, 0, 0};
    EXPECT_TRUE(Shows(picture, 130, 130, red));
    EXPECT_TRUE(Shows(picture, 200, 130, blue));
    EXPECT_TRUE(Shows(picture, 200, 160, green)) << "the atlas's top row at the top";
    EXPECT_TRUE(Shows(picture, 530, 130, blue)) << "mirrored: the right half on the left";
    EXPECT_TRUE(Shows(picture, 600, 130, red));
    EXPECT_TRUE(Shows(picture, 530, 160, green)) << "mirrored, the same way up";
    EXPECT_TRUE(Shows(picture, 640, 130, black)) << "the mirrored window ends at 500 + 128";
    // The middle half of the atlas: 64 units wide.
    EXPECT_TRUE(Shows(picture, 110, 330, red));
    EXPECT_TRUE(Shows(picture, 150, 330, blue));
    EXPECT_TRUE(Shows(picture, 170, 330, black));
}

}  // namespace
