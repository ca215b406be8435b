// The start-of-day window drawn by the whole engine under an X server, after buying two
// machines: the café class counting up and filling its first star, the owner telling
// of the new class in a balloon beside his portrait, and the arrow pointing at the
// café's stars.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "framework/WindowId.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "gui_tools/GUIWindowControl.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/StartGameBench.h"

namespace {

using GameFramework::WindowId;
using scenes::PixelAt;

class StartGameSdlTest : public screenstest::StartGameBench {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        StartGameBench::SetUp();
    }

    // The last frame drawn, also kept as "captures/<name>.png".
    const Vantor::Image& Capture(const std::string& name) {
        captures_.push_back(std::make_unique<Vantor::Image>());
        Vantor::RenderSystem::Instance()->CaptureScreen(*captures_.back());
        scenes::KeepCapture(*captures_.back(), name);
        return *captures_.back();
    }
    static testing::AssertionResult Near(const Vantor::Image& picture, int x, int y, scenes::Rgb colour) {
        const scenes::Rgb seen = PixelAt(picture, x, y);
        if (std::abs(seen.red - colour.red) < 40 && std::abs(seen.green - colour.green) < 40 &&
            std::abs(seen.blue - colour.blue) < 40)
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "at (" << x << ", " << y << "): " << scenes::Describe(seen);
    }

    // Pixels of the rectangle (x, y from the bottom left) near the colour.
    static int Count(const Vantor::Image& picture, int left, int bottom, int width, int height, scenes::Rgb colour) {
        int count = 0;
        for (int y = bottom; y < bottom + height; ++y)
            for (int x = left; x < left + width; ++x) count += Near(picture, x, y, colour) ? 1 : 0;
        return count;
    }

    std::vector<std::unique_ptr<Vantor::Image>> captures_;
};

constexpr scenes::Rgb kStarFill{200, 150, 40};
constexpr scenes::Rgb kStarFull{255, 210, 40};
constexpr scenes::Rgb kArrow{240, 60, 60};

TEST_F(StartGameSdlTest, TheCafeClassCountsUpWhileTheOwnerTellsOfItAndTheArrowPointsAtTheStars) {
    WriteStartTexts({{"start_game/owner_cafe_class_changed_1_0", "Four machines: our cafe is finer now!"}});
    MakeStartWindow();
    SetStory(kQuietFlags | 0x8, 2, 340, 150, 0.7f);
    OpenFrom(WindowId::Game);
    ClickOn(*Control("/window/button_0").GetWindow());
    Frame();
    window_->Close();
    ASSERT_TRUE(RunUntil([&] { return menus_->IsLockFree(); }));
    Anna().AddMachine("m2");
    Anna().AddMachine("m3");
    OpenFrom(WindowId::Upgrade);

    // This backend runs on the real clock: frames are taken by what they show.
    ASSERT_TRUE(RunUntil([&] { return window_->GetCafeCount().shown > 2.4f; }));
    const Vantor::Image& counting = Capture("start_game_counting");
    // The first star's bar four fifths of the way, the second star still empty.
    EXPECT_GT(Count(counting, 288, 352, 40, 40, kStarFill), 300);
    EXPECT_LT(Count(counting, 288, 352, 40, 40, kStarFill), 1300);
    EXPECT_EQ(Count(counting, 332, 352, 40, 40, kStarFill), 0);
    EXPECT_EQ(Count(counting, 288, 352, 40, 40, kStarFull), 0) << "not full yet";
    EXPECT_GT(Count(counting, 191, 355, 96, 96, kArrow), 1000) << "the arrow beside the stars";

    const Morvane::GUITextBalloonWindow* balloon = window_->GetOwnerBalloon();
    ASSERT_NE(balloon, nullptr);
    ASSERT_TRUE(RunUntil(
        [&] { return balloon->GetBalloonWindow()->GetAlpha() == 1.0f && window_->GetCafeCount().paused; }));
    const Vantor::Image& told = Capture("start_game_dialogue");
    EXPECT_TRUE(Near(told, 510, 360, {50, 70, 150})) << "the owner's balloon";
    EXPECT_TRUE(Near(told, 780, 480, {200, 120, 90})) << "below his portrait";
    // The burst's sparks cover much of it.
    EXPECT_GT(Count(told, 288, 352, 40, 40, kStarFull), 100) << "the first star full";

    ASSERT_TRUE(RunUntil([&] { return !window_->GetCafeCount().running; }));
    Frame();
    Capture("start_game_counted");
}

}  // namespace
