// The in-day display drawn over a running day under an X server: the opening cover in
// front of everything at its full alpha, then the room with the display's bar and the
// day's money in the bar.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/Finances.h"
#include "game/GameLogic.h"
#include "platform/Clock.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/DisplayGame.h"
#include "tests/game/screens/sdl/PictureChecks.h"

namespace {

using displaytest::DisplayGame;
using picturechecks::CountPixels;
using picturechecks::Shows;

class GUIGameLogicWindowSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        platform::seam::UseVirtualClock();
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        game_ = std::make_unique<DisplayGame>(home_.folder, home_.root);
        game_->Step();
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    // The last frame drawn, also kept as "captures/<name>.png".
    static std::unique_ptr<Vantor::Image> Capture(const std::string& name) {
        auto picture = std::make_unique<Vantor::Image>();
        Vantor::RenderSystem::Instance()->CaptureScreen(*picture);
        scenes::KeepCapture(*picture, name);
        return picture;
    }

    std::unique_ptr<DisplayGame> game_;
};

TEST_F(GUIGameLogicWindowSdlTest, TheCoverHidesTheOpeningDayThenTheBarShowsTheMoneyOverTheRoom) {
    Morvane::GameLogic& day = game_->StartDay();
    day.GetFinances()->income = 1250;
    game_->Steps(10);
    const std::unique_ptr<Vantor::Image> covered = Capture("day_display_cover");
    for (const auto& [x, y] : {std::pair{400, 300}, {100, 100}, {300, 575}, {60, 575}})
        EXPECT_TRUE(Shows(*covered, x, y, {20, 30, 90})) << "the cover at full alpha, in front of all";

    game_->Steps(20);
    const std::unique_ptr<Vantor::Image> shown = Capture("day_display_money");
    EXPECT_TRUE(Shows(*shown, 300, 575, {60, 40, 30})) << "the bar beside the money";
    const auto money = [](const scenes::Rgb& pixel) {
        return pixel.red > 200 && pixel.green > 170 && pixel.blue < 120;
    };
    EXPECT_GT(CountPixels(*shown, 24, 556, 200, 40, money), 80) << "the money's digits";
    EXPECT_EQ(CountPixels(*shown, 24, 300, 200, 40, money), 0);
    EXPECT_FALSE(Shows(*shown, 400, 300, {20, 30, 90})) << "the cover gone";
}

}  // namespace
