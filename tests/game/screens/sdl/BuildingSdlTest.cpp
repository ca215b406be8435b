// The windows between days drawn by the whole engine under an X server: the machine
// shop with a figure in red and the picture of a machine out of reach faded, and the
// house before and after a build, the new part fading in under its sparkles, with the
// toy balloons of the celebration rising over it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/AnimationControl.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/RenderSystem.h"
#include "game/screens/GUIHouseWindow.h"
#include "game/screens/GUIUpgradeWindow.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "gui_tools/GUIControl.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/HouseWindowBench.h"
#include "tests/game/screens/UpgradeWindowBench.h"
#include "tests/game/screens/sdl/PictureChecks.h"

namespace {

using picturechecks::CountPixels;
using scenes::PixelAt;

// The last frame drawn, also kept as "captures/<name>.png".
std::unique_ptr<Vantor::Image> Capture(const std::string& name) {
    auto picture = std::make_unique<Vantor::Image>();
    Vantor::RenderSystem::Instance()->CaptureScreen(*picture);
    scenes::KeepCapture(*picture, name);
    return picture;
}

bool Red(const scenes::Rgb& pixel) { return pixel.red > 100 && pixel.green < 60 && pixel.blue < 60; }
bool Green(const scenes::Rgb& pixel) { return pixel.green > 100 && pixel.red < 90 && pixel.blue < 60; }
// Glyphs of the small texts are grey at their edges.
bool Light(const scenes::Rgb& pixel) { return pixel.red > 120 && pixel.green > 120 && pixel.blue > 120; }

testing::AssertionResult Shows(const Vantor::Image& picture, int x, int y, dialogueart::Rgb colour,
                               float share = 1.0f) {
    return picturechecks::Shows(picture, x, y, {colour.red, colour.green, colour.blue}, share);
}

class UpgradeSdlTest : public screenstest::UpgradeWindowBench {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        UpgradeWindowBench::SetUp();
    }
};

TEST_F(UpgradeSdlTest, AMachineOutOfReachShowsItsMissingFigureInRedAndItsPictureFaded) {
    Morvane::GUIUpgradeWindow& shop = MakeShop();
    Player().SetQualification(250);
    Player().SetMoney(120);
    OpenShop(shop);
    ASSERT_EQ(L"#no money#", Saying(shop));
    // This backend runs on the real clock: the window and the balloon fade in first.
    const GUITools::GUIControl& level = *shop.GetControl("window_upgrade/window/level");
    const GUITools::GUIControl& preview = *shop.GetControl("window_upgrade/window/preview");
    ASSERT_TRUE(RunUntil([&] {
        return shop.GetBigBalloon().GetBalloonWindow()->GetAlpha() == 1.0f && level.GetFadeValue() == 1.0f &&
               preview.GetFadeValue() == Morvane::GUIUpgradeWindow::kFadedPreview;
    }));
    const std::unique_ptr<Vantor::Image> shown = Capture("upgrade_short_of_money");

    // The window lies at (50, 50): the preview at (150, 280), the level text at (150,
    // 220) and the cost text at (150, 180), 30 units high.
    EXPECT_TRUE(Shows(*shown, 230, 360, kPreviewColour, Morvane::GUIUpgradeWindow::kFadedPreview));
    EXPECT_GT(CountPixels(*shown, 150, 180, 600, 30, Red), 10) << "the money in red";
    EXPECT_GT(CountPixels(*shown, 150, 220, 220, 30, Green), 5) << "the level is enough";
    EXPECT_EQ(0, CountPixels(*shown, 150, 220, 220, 30, Red));
    EXPECT_GT(CountPixels(*shown, 150, 220, 220, 30, Light), 10) << "the level text itself";
}

class HouseSdlTest : public screenstest::HouseWindowBench {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        HouseWindowBench::SetUp();
    }
    static constexpr dialogueart::Rgb kToyBalloon{240, 60, 200};
    static bool ToyBalloon(const scenes::Rgb& pixel) {
        return std::abs(pixel.red - kToyBalloon.red) < 40 && std::abs(pixel.green - kToyBalloon.green) < 40 &&
               std::abs(pixel.blue - kToyBalloon.blue) < 40;
    }
    // Where a toy balloon of the bench's art stands: its model rises from y -40 to 640
    // over its 31 frames, moved x units right.
    static Vantor::Vector2 Place(const Vantor::Model& toyBalloon) {
        const float frame = std::min(toyBalloon.GetAnimationControl()->GetPosition(), 30.0f);
        return {toyBalloon.GetWorldMatrix().m[3], -40.0f + 680.0f * frame / 30.0f};
    }
    // A toy balloon in flight between the portraits and below the balloons, or null.
    const Vantor::Model* OneInTheOpen() const {
        for (const Vantor::Model* toyBalloon : house_->GetToyBalloons()) {
            const Vantor::Vector2 place = Place(*toyBalloon);
            if ((toyBalloon->GetFlags() & Vantor::ModelFlags::kVisible) && place.x > 240.0f && place.x < 440.0f &&
                place.y > 120.0f && place.y < 200.0f)
                return toyBalloon;
        }
        return nullptr;
    }
    static int ToyBalloonPixelsAt(const Vantor::Image& picture, const Vantor::Vector2& place) {
        return CountPixels(picture, static_cast<int>(place.x) + 4, static_cast<int>(place.y) + 4, 16, 24, ToyBalloon);
    }
};

TEST_F(HouseSdlTest, TheBuiltPorchFadesInUnderItsSparklesAndToyBalloonsRiseOverTheFinishedHouse) {
    Morvane::GUIHouseWindow& house = MakeHouse("0.3", R"(<upgrades><porch cost="100"/></upgrades>)");
    Player().SetMoney(500);
    OpenTheList();
    const GUITools::GUIBackgroundLayer* porch = nullptr;
    for (const GUITools::GUIBackgroundLayer* layer : house.GetBackground().GetUpgradeLayers())
        if (layer->GetName() == "upgrade_porch") porch = layer;
    ASSERT_NE(nullptr, porch);
    ASSERT_TRUE(RunUntil([&] { return house.GetGirlBalloon()->GetBalloonWindow()->GetAlpha() == 1.0f; }));
    const std::unique_ptr<Vantor::Image> before = Capture("house_before_building");
    // The base stands at (300, 110), 128 x 128; the porch will stand right of it.
    EXPECT_TRUE(Shows(*before, 360, 170, kBase));
    EXPECT_TRUE(Shows(*before, 490, 140, {0, 0, 0}));

    Answer(*house.GetGirlBalloon(), 1);
    ASSERT_TRUE(RunUntil([&] { return porch->GetFadeValue() > 0.3f; }));
    const float share = porch->GetFadeValue();
    const std::unique_ptr<Vantor::Image> building = Capture("house_porch_fading_in");
    EXPECT_GT(CountPixels(*building, 420, 100, 150, 90, Light), 5) << "sparkles over the porch";
    // The porch stands at (430, 110), 128 x 64; most of it shows through the sparkles.
    const auto fadedPorch = [share](const scenes::Rgb& pixel) {
        const auto near = [share](int value, int full) { return std::abs(value - full * share) < 30.0f; };
        return near(pixel.red, kPorch.red) && near(pixel.green, kPorch.green) && near(pixel.blue, kPorch.blue);
    };
    EXPECT_GT(CountPixels(*building, 432, 112, 124, 60, fadedPorch), 124 * 60 / 2) << "the porch at " << share;

    ASSERT_TRUE(RunUntil([&] { return porch->GetFadeValue() == 1.0f; }));
    ClickAway(*house.GetWorkerBalloon());
    WaitFor(Morvane::GUIHouseWindow::kGirlAllDone);
    const Vantor::Model* rising = nullptr;
    ASSERT_TRUE(RunUntil([&] { return house.GetNextToyBalloon() >= 40 && (rising = OneInTheOpen()) != nullptr; },
                         20.0f));
    const Vantor::Vector2 low = Place(*rising);
    const std::unique_ptr<Vantor::Image> early = Capture("house_toy_balloons_rising");
    EXPECT_TRUE(Shows(*early, 490, 140, kPorch)) << "the porch built";
    EXPECT_GT(CountPixels(*early, 0, 0, 800, 600, ToyBalloon), 1000);
    EXPECT_EQ(16 * 24, ToyBalloonPixelsAt(*early, low));
    ASSERT_TRUE(RunUntil([&] { return Place(*rising).y > low.y + 100.0f; }));
    const Vantor::Vector2 high = Place(*rising);
    const std::unique_ptr<Vantor::Image> later = Capture("house_toy_balloons_higher");
    EXPECT_EQ(16 * 24, ToyBalloonPixelsAt(*later, high)) << "the same balloon, higher";
}

}  // namespace
