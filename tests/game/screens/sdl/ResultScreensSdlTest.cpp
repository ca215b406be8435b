// The loading and results screens drawn by the whole engine through OpenGL under an X
// server: the loading bar near empty and near full, the day-completed message with its
// pieces in flight and their bursts, and the day's results with their counted figures
// and the face of the service. The captures are kept as PNGs to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/AnimationControl.h"
#include "engine/render/Image.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/LevelKey.h"
#include "game/Profile.h"
#include "game/screens/GUIDayCompleteWindow.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/ResultScreens.h"
#include "tests/game/screens/ScreenTestBench.h"
#include "tools/DataKeeper.h"

namespace {

using GameFramework::WindowId;
using scenes::PixelAt;

constexpr dialogueart::Rgb kBar{60, 160, 230};

// A keeper whose own loading work takes 300 steps, one a frame.
class SlowKeeper : public GameTools::DataKeeper {
public:
    SlowKeeper() { SetExtraStepCount(300); }
    bool LoadExtraStep(int step) override { return step > kResourceSteps; }
};

class ResultScreensSdlTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", resultscreens::Faders());
    }

    // The last frame drawn, also kept as "captures/<name>.png".
    const Vantor::Image& Capture(const std::string& name) {
        captures_.push_back(std::make_unique<Vantor::Image>());
        Vantor::RenderSystem::Instance()->CaptureScreen(*captures_.back());
        scenes::KeepCapture(*captures_.back(), name);
        return *captures_.back();
    }
    // Pixels of the rectangle (x, y from the bottom left) near the colour.
    static int PixelsNear(const Vantor::Image& picture, int left, int bottom, int width, int height,
                          dialogueart::Rgb colour) {
        int count = 0;
        for (int y = bottom; y < bottom + height; ++y)
            for (int x = left; x < left + width; ++x) {
                const scenes::Rgb pixel = PixelAt(picture, x, y);
                if (std::abs(pixel.red - colour.red) + std::abs(pixel.green - colour.green) +
                        std::abs(pixel.blue - colour.blue) < 60)
                    ++count;
            }
        return count;
    }
    // Pixels of the rectangle whose every channel is above 100.
    static int LitPixels(const Vantor::Image& picture, int left, int bottom, int width, int height) {
        int count = 0;
        for (int y = bottom; y < bottom + height; ++y)
            for (int x = left; x < left + width; ++x) {
                const scenes::Rgb pixel = PixelAt(picture, x, y);
                count += pixel.red > 100 && pixel.green > 100 && pixel.blue > 100;
            }
        return count;
    }
    static int BrightPixels(const Vantor::Image& picture, int left, int bottom, int width, int height) {
        return PixelsNear(picture, left, bottom, width, height, {255, 255, 255});
    }

    std::vector<std::unique_ptr<Vantor::Image>> captures_;
};

TEST_F(ResultScreensSdlTest, TheLoadingBarFillsFromNearlyEmptyToNearlyFull) {
    WriteLayout("game_loading.xml", resultscreens::LoadingLayout());
    MakeGame();
    AddFramesModel("frame", 10);
    resultscreens::AddProgressBar(*data_, 101, kBar);
    auto& loading =
        MakeWindow<Morvane::GUIGameLoadingWindow>(audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr);
    SlowKeeper keeper;
    loading.OpenWith(WindowId::Logos, &keeper);

    ASSERT_TRUE(RunUntil([&] { return keeper.GetProgress() > 0.1f; }, 30.0f));
    Frame();
    const Vantor::Image& empty = Capture("loading_near_empty");
    ASSERT_TRUE(RunUntil([&] { return keeper.GetProgress() > 0.95f; }, 30.0f));
    Frame();
    const Vantor::Image& full = Capture("loading_near_full");

    // The bar runs from x 204 to 596 between y 268 and 292; the figure is in its middle.
    EXPECT_GT(PixelsNear(empty, 206, 270, 20, 20, kBar), 300) << "its start filled";
    EXPECT_EQ(PixelsNear(empty, 520, 270, 60, 20, kBar), 0) << "its end empty";
    EXPECT_GT(PixelsNear(full, 520, 270, 50, 20, kBar), 800) << "filled to near its end";
    EXPECT_EQ(PixelsNear(full, 586, 270, 10, 20, kBar), 0) << "but not all of it";
    EXPECT_GT(BrightPixels(full, 370, 268, 60, 24), 10) << "the percentage over the bar";
    EXPECT_GT(BrightPixels(full, 300, 330, 200, 40), 20) << "the title";
}

TEST_F(ResultScreensSdlTest, TheDayCompletedMessageFliesInPieceByPieceWithItsBursts) {
    WriteLayout("level_complete.xml", resultscreens::LevelCompleteLayout());
    WriteTexts(resultscreens::LevelCompleteTexts("{rule} Day} {rule} is} {rule} over!}"));
    MakeGame();
    resultscreens::AddPieceArt(*data_);
    dialogueart::AddPicture(*data_, "comics/introduction/background", {20, 20, 60});
    auto& window = MakeWindow<Morvane::GUILevelCompleteWindow>(audio_.get(), nullptr, data_.get(), tools_.get(),
                                                               menus_.get(), nullptr);
    window.OpenWith(WindowId::GameLogic, GameFramework::LevelKey{0, 1}, 100.0f);
    const auto arrived = [&](std::size_t piece) { return window.GetBursts()[piece]->IsVisible(); };

    const auto burstNear = [&](const Vantor::Image& picture, std::size_t piece) {
        const int x = static_cast<int>(window.GetBursts()[piece]->GetPosition().x);
        return PixelsNear(picture, x - 50, 250, 100, 100, resultscreens::kBurst);
    };

    // This backend runs on the real clock: each picture is taken in the state it shows.
    ASSERT_TRUE(RunUntil([&] { return arrived(0); }, 60.0f));
    Frame();
    const Vantor::Image& flying = Capture("level_complete_in_flight");
    ASSERT_FALSE(arrived(1)) << "the frame came too late for the pieces in flight";
    EXPECT_GT(burstNear(flying, 0), 10) << "the first piece's burst";
    EXPECT_GT(LitPixels(flying, 400, 330, 220, 270), 20) << "the last piece still above its place";

    ASSERT_TRUE(RunUntil([&] { return arrived(2); }, 60.0f));
    RunFor(0.1f);
    const Vantor::Image& landed = Capture("level_complete_arrived");
    EXPECT_GT(BrightPixels(landed, 250, 270, 300, 60), 200) << "the message in place";
    EXPECT_EQ(LitPixels(landed, 250, 400, 300, 200), 0) << "nothing left in flight";
    for (std::size_t piece = 0; piece < 3; ++piece) EXPECT_GT(burstNear(landed, piece), 10) << "burst " << piece;

    ASSERT_TRUE(RunUntil([&] { return !window.IsOpen(); }, 60.0f));
    ASSERT_TRUE(RunUntil([&] { return window.GetResult() == GameFramework::WindowResult::GoToStart; }, 60.0f));
    const Vantor::Image& covered = Capture("level_complete_covered");
    EXPECT_GT(PixelsNear(covered, 0, 0, 800, 600, {20, 20, 60}), 400000) << "the cover over the whole screen";
}

TEST_F(ResultScreensSdlTest, TheDaysResultsShowTheirCountedFiguresAndTheFaceOfTheService) {
    WriteLayout("day_complete.xml", resultscreens::DayCompleteLayout(
                                        ButtonXml("button_0", {400, 20}, {150, 50}, "Continue")));
    WriteTexts(resultscreens::DayCompleteTexts());
    MakeGame();
    AddEffect(Morvane::GUIDayCompleteWindow::kCountSound, true);
    resultscreens::AddFaceSheet(*data_);
    MakeProfiles({L"Ann"});
    Morvane::Profile& profile = *profiles_->GetCurrent();
    profile.SetDay(12);
    profile.GetDayResult() = {false, 1234, 56, 1, 7, 10, 0.5f};
    auto& window = MakeWindow<Morvane::GUIDayCompleteWindow>(audio_.get(), profiles_.get(), data_.get(),
                                                             tools_.get(), menus_.get(), nullptr);
    window.Open(WindowId::StartGameLogic);
    ASSERT_TRUE(RunUntil([&] {
        return ShownText(*window.GetTextControl("window_day_complete/window/total_sales")) == L"1290";
    }, 60.0f));
    RunFor(0.2f);
    const Vantor::Image& results = Capture("day_complete_counted");

    // The face of rating 1 on the left, the figures in a column on the right.
    EXPECT_GT(PixelsNear(results, 150, 230, 100, 100, resultscreens::kFaceRows[2]), 8000) << "rating 1's face";
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(BrightPixels(results, 500, 440 - 50 * row, 150, 40), 20) << "figure " << row;
    EXPECT_GT(PixelsNear(results, 280, 280, 300, 40, {255, 206, 0}), 20) << "the service text in amber";
    EXPECT_GT(BrightPixels(results, 300, 520, 200, 40), 20) << "the title";
}

}  // namespace
