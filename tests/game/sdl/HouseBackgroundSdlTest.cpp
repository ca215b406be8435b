// The house background drawn by the whole engine under an X server: each built part of
// the house shows its pack picture where the placement file puts it and nothing else
// shows, and a part built next fades in under its burst of particles.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "content/GameTexturePackWriter.h"
#include "content/HousePlacementWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/GameData.h"
#include "game/HouseBackground.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "tests/game/GameDataFolder.h"
#include "tests/game/sdl/GameSdlTestSupport.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

// Four pictures side by side in a 256 x 64 atlas, one colour each.
const Rgb kColours[] = {{200, 200, 200}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
const char* const kPictures[] = {"walls", "roof", "chimney", "tower"};

std::vector<std::uint8_t> Atlas() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgb& colour = kColours[x / 64];
            pixels.insert(pixels.end(), {std::uint8_t(colour.red), std::uint8_t(colour.green),
                                         std::uint8_t(colour.blue), 255});
        }
    return pixels;
}

class HouseBackgroundSdlTest : public gamesdltest::GameSdlTest {
protected:
    void SetUp() override {
        GameSdlTest::SetUp();
        WriteHouseData();
        data_ = std::make_unique<Morvane::GameData>();
        data_->LoadResourceList(L"data\\ui\\resources.xml", false);
        data_->LoadAll();
        profiles_ = std::make_unique<Morvane::ProfileManager>(nullptr, home_.root + L"\\user");
        profiles_->SelectProfile(profiles_->CreateProfileIfMissing(L"Anna"), false);
    }
    void TearDown() override {
        profiles_.reset();
        data_.reset();
        GameSdlTest::TearDown();
    }

    static void WriteHouseData() {
        gametest::GameDataFolder::WriteDefinitions(gametest::SmallGame());
        Content::TgaWriter::WriteFile(L"data\\house\\textures\\texture_pack_0.tga", 256, 64, Atlas());
        Content::GameTexturePackWriter::Pack pack;
        for (int i = 0; i < 4; ++i) pack.pictures.push_back({kPictures[i], 0, {i * 0.25f, 0}, {(i + 1) * 0.25f, 1}});
        Content::GameTexturePackWriter::WriteFile(L"data\\house\\textures\\texture_pack.tpf", pack);
        Content::HousePlacementWriter::File placements;
        placements.entries = {{"walls", "walls", 100, 300, {0, 0}},
                              {"upgrade_roof", "roof", 100, 100, {0, 0}},
                              {"upgrade_chimney", "chimney", 300, 100, {0, 0}},
                              {"upgrade_tower", "tower", 500, 100, {0, 0}}};
        Content::HousePlacementWriter::WriteFile(Morvane::HouseBackground::kPlacementFile, placements);
        gametest::GameDataFolder::WriteText(Morvane::HouseBackground::kDescriptionFile, R"(<?xml version="1.0"?>
<background resources_prefix="house">
  <texture_pack name="walls"/>
  <texture_pack name="upgrade_roof"/>
  <texture_pack name="upgrade_chimney"/>
  <texture_pack name="upgrade_tower"/>
</background>
)");
        // White sparks from anywhere in the box, a second each, no gravity.
        Content::ParticleFileWriter::ParticleSystem sparks;
        sparks.maxParticles = 300;
        sparks.period = 2.0f;
        sparks.gravityOn = 0;
        sparks.floorOn = 0;
        sparks.killWhenStopped = 0;
        for (float& rate : sparks.rate) rate = 40.0f;
        for (float& size : sparks.size) size = 4.0f;
        for (float& speed : sparks.speedBase) speed = 0.5f;
        sparks.emitterShape = 1;
        Content::ParticleFileWriter::WriteFile(L"data\\ui\\particles\\build.prt", sparks);
        Content::ShaderFileWriter::WriteFile(L"data\\ui\\particles\\build.srf", {});
        gametest::GameDataFolder::WriteResourceList(
            L"data\\ui\\resources.xml",
            R"(<game_logic><house><particles name="build" file_name="particles\build.prt"/></house></game_logic>)");
    }

    void Draw(Morvane::HouseBackground& house, Vantor::Image& picture) {
        platform::seam::AdvanceVirtualTime(100000);
        engine_->BeginFrame();
        house.Update();
        engine_->EndFrame();
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    }

    // The brightest blue in the rectangle that is not a white spark.
    static int Blue(const Vantor::Image& picture, int left, int bottom, int width, int height) {
        int blue = 0;
        for (int y = bottom; y < bottom + height; ++y)
            for (int x = left; x < left + width; ++x) {
                const Rgb pixel = PixelAt(picture, x, y);
                if (pixel.red < 100) blue = std::max(blue, pixel.blue);
            }
        return blue;
    }

    // Pixels in the rectangle that are white: sparks.
    static int Sparks(const Vantor::Image& picture, int left, int bottom, int width, int height) {
        int count = 0;
        for (int y = bottom; y < bottom + height; ++y)
            for (int x = left; x < left + width; ++x) {
                const Rgb pixel = PixelAt(picture, x, y);
                count += pixel.red > 200 && pixel.green > 200 && pixel.blue > 200;
            }
        return count;
    }

    std::unique_ptr<Morvane::GameData> data_;
    std::unique_ptr<Morvane::ProfileManager> profiles_;
};

TEST_F(HouseBackgroundSdlTest, BuiltPartsShowAndANewOneFadesInUnderSparks) {
    profiles_->GetCurrent()->AddHouseUpgrade("roof");
    Morvane::HouseBackground house(profiles_.get(), data_.get(), nullptr);
    house.Show(true, false, 1.0f);
    Vantor::Image picture;
    Draw(house, picture);
    scenes::KeepCapture(picture, "house_roof_built");
    const Rgb black{0, 0, 0};
    EXPECT_TRUE(Shows(picture, 132, 332, kColours[0])) << "the walls";
    EXPECT_TRUE(Shows(picture, 132, 132, kColours[1])) << "the roof";
    EXPECT_TRUE(Shows(picture, 332, 132, black)) << "no chimney yet";
    EXPECT_TRUE(Shows(picture, 532, 132, black)) << "no tower";
    EXPECT_TRUE(Shows(picture, 180, 132, black)) << "the roof ends at 164";

    house.PlayBuildAnimation("chimney");
    int previousBlue = 0;
    int sparksSeen = 0;
    for (int frame = 1; frame <= 20; ++frame) {
        Draw(house, picture);
        if (frame == 3 || frame == 10 || frame == 20) scenes::KeepCapture(picture, "house_chimney_" + std::to_string(frame));
        if (frame % 5 == 0) {
            SCOPED_TRACE("frame " + std::to_string(frame));
            const int blue = Blue(picture, 304, 104, 56, 56);
            EXPECT_GE(blue, previousBlue) << "the chimney fades in";
            previousBlue = blue;
            EXPECT_TRUE(Shows(picture, 532, 132, black)) << "still no tower";
        }
        sparksSeen += Sparks(picture, 290, 90, 84, 84);
    }
    // This backend runs on the real clock, so how far the fade has come depends on the
    // machine; the fade's timing is shown on the headless backend.
    EXPECT_GT(Blue(picture, 304, 104, 56, 56), 0) << "the chimney shows";
    EXPECT_GT(sparksSeen, 0) << "sparks over the chimney";
}

}  // namespace
