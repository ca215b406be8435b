// The room's objects drawn by the whole engine under an X server: a machine's
// production (the item flying in, the animation's frames on the machine's parts, the
// product at its output place) and a money text growing and rising from its spot.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "platform/Clock.h"
#include "game/AnimatedPart.h"
#include "game/AutomaticMachine.h"
#include "game/GUIGameLogicText.h"
#include "game/GUIGameLogicTextManager.h"
#include "game/OrderManager.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/RoomTestSupport.h"
#include "tests/gui_tools/sdl/GUIToolsSdlTestSupport.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

Rgb ColourOf(std::uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF)};
}

testing::AssertionResult Shows(const Vantor::Image& picture, int x, int y, Rgb colour) {
    const Rgb seen = PixelAt(picture, x, y);
    if (std::abs(seen.red - colour.red) < 40 && std::abs(seen.green - colour.green) < 40 &&
        std::abs(seen.blue - colour.blue) < 40)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "at (" << x << ", " << y << "): " << scenes::Describe(seen);
}

class RoomObjectsSdlTest : public gametest::RoomTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        RoomTest::SetUp();
    }

    // A frame of at least 0.05 s on the real clock (at most 0.1 s counts) in which the
    // machine and the hand run, and its picture.
    void Draw(Morvane::AutomaticMachine& machine, Vantor::Image& picture) {
        platform::SleepMicroseconds(50000);
        Frame(0.05f, [&] {
            machine.Update();
            hand_->Update();
        });
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    }
};

TEST_F(RoomObjectsSdlTest, ProductionFliesInAnimatesAndPutsTheProductOut) {
    Morvane::OrderManager orders(data_.get(), nullptr, 0);
    Morvane::AutomaticMachine oven(audio_.get(), data_.get(), hand_.get(), nullptr, nullptr, nullptr, &orders, "oven");
    Hold({"A", "B"});
    PointAt({110.0f, 245.0f});
    Vantor::Image picture;
    for (int frame = 0; frame < 20 && !oven.GetSelectionWindow()->IsHovered(); ++frame) Draw(oven, picture);
    ASSERT_TRUE(oven.GetSelectionWindow()->IsHovered());
    Click();
    Draw(oven, picture);
    ASSERT_NE(nullptr, oven.GetItemInProduction());
    Draw(oven, picture);
    ASSERT_TRUE(oven.GetItemInProduction()->IsFlying());
    scenes::KeepCapture(picture, "machine_1_item_flying_in");
    // The lower part still shows frame 0 beside the item.
    EXPECT_TRUE(Shows(picture, 190, 30, ColourOf(kFrameColours[0])));

    const Vantor::AnimationControl& lower = oven.GetLowerPart()->GetControl();
    for (int frame = 0; frame < 10 && (!lower.IsPlaying() || lower.GetFrameA() < 2); ++frame) Draw(oven, picture);
    ASSERT_TRUE(lower.IsPlaying());
    scenes::KeepCapture(picture, "machine_2_working");
    EXPECT_TRUE(Shows(picture, 190, 30, ColourOf(kFrameColours[lower.GetFrameA()])));
    EXPECT_TRUE(Shows(picture, 60, 50, {0xE0, 0x30, 0x20})) << "the item at the input place, red A at the bottom";

    for (int frame = 0; frame < 30 && oven.GetItemInProduction(); ++frame) Draw(oven, picture);
    ASSERT_NE(nullptr, oven.GetFinishedItem());
    Draw(oven, picture);
    scenes::KeepCapture(picture, "machine_3_product_out");
    EXPECT_TRUE(Shows(picture, 190, 30, ColourOf(kFrameColours[3]))) << "the lower range's last frame";
    EXPECT_TRUE(Shows(picture, 190, 240, ColourOf(kFrameColours[7]))) << "the upper range's last frame";
    EXPECT_TRUE(Shows(picture, 100, 150, {0xF0, 0x80, 0x20})) << "R4's orange F at the output place";
    EXPECT_TRUE(Shows(picture, 100, 185, {0xFF, 0xF0, 0xD0})) << "with its cream G above";
}

class MoneyTextSdlTest : public guitoolstest::GUIToolsSdlTest {
protected:
    // The lowest and highest rows with a lit pixel between x 300 and 500; (-1, -1) for none.
    static std::pair<int, int> LitRows(const Vantor::Image& picture) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 200; y < 400; ++y)
            for (int x = 300; x < 500; ++x) {
                const Rgb seen = PixelAt(picture, x, y);
                if (seen.red + seen.green + seen.blue < 150) continue;
                if (rows.first < 0) rows.first = y;
                rows.second = y;
            }
        return rows;
    }
};

TEST_F(MoneyTextSdlTest, MoneyTextGrowsAndRises) {
    WriteFont("tip", "size=\"40\"");
    WriteTexts(R"(<texts><game_logic><plus_money text="+%MONEY%"/></game_logic></texts>)");
    MakeTools();
    Morvane::GUIGameLogicTextManager texts(texts_.get(), fonts_.get(), "tip", nullptr);
    Vantor::Image young;
    Vantor::Image risen;
    texts.AddMoneyText(25, {400.0f, 300.0f});
    // Frames on the real clock, each at least 0.05 s and counted at most 0.1 s long.
    auto step = [&] {
        platform::SleepMicroseconds(50000);
        Frame();
        texts.Update();
    };
    step();
    ASSERT_LE(texts.GetTexts()[0]->GetAge(), 0.1f + 0.0001f);
    Capture(young, "money_text_1_growing");
    // Past 1.1 s, before the fade at 1.2 s: full size, 31.5 to 35 units up.
    while (texts.GetTexts()[0]->GetAge() < 1.1f) step();
    Capture(risen, "money_text_2_risen");
    const auto [youngBottom, youngTop] = LitRows(young);
    const auto [risenBottom, risenTop] = LitRows(risen);
    ASSERT_GE(youngBottom, 0);
    ASSERT_GE(risenBottom, 0);
    EXPECT_GT(risenTop - risenBottom, (youngTop - youngBottom) * 3 / 2) << "grown from half size";
    // Young, the line's foot is at most a quarter line below the spot; risen, half a
    // line below it and over 31 units up.
    EXPECT_GT(risenBottom, youngBottom + 10) << "risen";
}

}  // namespace
