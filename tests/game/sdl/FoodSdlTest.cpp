// Food items and the game cursor drawn by the whole engine under an X server: a stacked
// food of three layers with its middle layer blinking red and its top layer glowing
// green, and the drawn cursor trailing particles.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "content/ParticleFileWriter.h"
#include "content/ParticlePresets.h"
#include "content/Picture.h"
#include "content/PictureEncoder.h"
#include "content/VersionedFileWriting.h"
#include "engine/render/Image.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/RenderSystem.h"
#include "game/Food.h"
#include "game/GUIGameCursor.h"
#include "game/Ingredient.h"
#include "platform/Clock.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/FoodTestSupport.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

class FoodSdlTest : public gametest::FoodTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        // Frames of exactly their length, however loaded the machine.
        platform::seam::UseVirtualClock();
        gametest::FoodTest::SetUp();
        Gui().SetScreenSize(800, 600);
        DefineCursorResources();
    }

    // Within the tolerance in each channel: the glow frame blends into the picture below.
    static testing::AssertionResult Shows(const Vantor::Image& picture, int x, int y, Rgb colour) {
        constexpr int kTolerance = 70;
        const Rgb seen = PixelAt(picture, x, y);
        if (std::abs(seen.red - colour.red) < kTolerance && std::abs(seen.green - colour.green) < kTolerance &&
            std::abs(seen.blue - colour.blue) < kTolerance)
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "at (" << x << ", " << y << "): " << scenes::Describe(seen);
    }
};

TEST_F(FoodSdlTest, StackedFoodWithGlowingAndBlinkingLayersAndTheTrailingCursor) {
    // A cyan cursor picture and a bright trail, after the food's own data.
    const Content::ParticleFileWriter::ParticleSystem trail =
        Content::ParticlePresets::Make(Content::ParticlePresets::Kind::Trail, {1.0f, 1.0f, 0.2f}, 2.0f);
    Content::ParticleFileWriter::WriteFile(L"data\\ui\\particles\\cursor.prt", trail);
    Content::Picture arrow(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* pixel = arrow.Pixel(x, y);
            pixel[1] = pixel[2] = pixel[3] = 0xFF;
        }
    const Content::PictureEncoder::Bytes jpeg = Content::PictureEncoder::Jpeg(arrow);
    Content::VersionedFileWriting::WriteFile(L"data\\ui\\cursors\\cursor_alpha.jpg", jpeg);
    LoadFood();

    Morvane::Food food(data_.get(), nullptr);
    food.BuildRecipe("R4");
    ASSERT_EQ("R4", food.GetName());
    food.SetPosition({300.0f, 150.0f});
    food.BlinkLayer(1);

    Morvane::GUIGameCursor cursor;
    cursor.CreateEffects(data_.get());
    cursor.Show(true);
    MoveMouseToPixel(560, 300);
    // Four frames of 0.1 s: the red blink at |sin 1.6|, the green glow full.
    for (int frame = 0; frame < 4; ++frame) {
        Frame(0.1f, [&] {
            food.GetLayers()[2]->Highlight();
            food.Update();
            cursor.Update();
        });
    }
    ASSERT_TRUE(food.GetLayers()[1]->IsBlinking());
    ASSERT_EQ(1.0f, food.GetLayers()[2]->GetHighlight());
    const auto& particles = cursor.GetTrail()->GetParticles();
    const auto live = std::count_if(particles.begin(), particles.end(), [](const auto& p) { return !p.dead; });
    EXPECT_GT(live, 0) << "the trail emits";

    Vantor::Image picture;
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    scenes::KeepCapture(picture, "food_stack_glow_blink_and_cursor");

    // Places 0, 1, 2 at y 150, 190, 230 (each 60 high, 120 wide from x 305); each layer
    // covers the one below but for its lowest 40 units.
    EXPECT_TRUE(Shows(picture, 360, 170, {0xF0, 0x80, 0x20})) << "the bottom layer, orange";
    EXPECT_TRUE(Shows(picture, 360, 210, {0xFF, 0xF0, 0xD0})) << "the middle layer's inside, cream";
    EXPECT_TRUE(Shows(picture, 306, 210, {0xFF, 0x00, 0x00})) << "the middle layer's frame, red";
    EXPECT_TRUE(Shows(picture, 360, 270, {0x8B, 0x45, 0x13})) << "the top layer's inside, brown";
    EXPECT_TRUE(Shows(picture, 306, 270, {0x00, 0xFF, 0x00})) << "the top layer's frame, green";
}

}  // namespace
