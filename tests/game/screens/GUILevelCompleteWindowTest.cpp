// The end of a day: the message pieces flying in one after another, each bursting once
// on arrival, the window closing itself a while after the last piece, and the cover
// that fades in and out behind it with the result reported once, at full cover.

#include "game/screens/GUILevelCompleteWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "framework/LevelKey.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/screens/ResultScreens.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;
using Morvane::GUILevelCompleteWindow;

// Frames of this length never land on the times the window compares with.
constexpr float kStep = 0.03f;
const char* const kThreePieces = "{rule} Day} {rule} is} {rule} over!}";

class GUILevelCompleteWindowTest : public screenstest::ScreenTestBench {
protected:
    GUILevelCompleteWindow& Make(const std::string& message) {
        WriteLayout("level_complete.xml", resultscreens::LevelCompleteLayout());
        WriteTexts(resultscreens::LevelCompleteTexts(message));
        MakeGame();
        resultscreens::AddPieceArt(*data_);
        dialogueart::AddPicture(*data_, "comics/introduction/background", {20, 20, 60});
        return MakeWindow<GUILevelCompleteWindow>(audio_.get(), nullptr, data_.get(), tools_.get(), menus_.get(),
                                                  nullptr);
    }
    // Opened after a day, and the frame that grants the opening.
    static void Open(GUILevelCompleteWindow& window) {
        window.OpenWith(WindowId::GameLogic, GameFramework::LevelKey{0, 3}, 120.0f);
    }
    // Frames of kStep after the granting frame until the window has closed itself.
    int FramesUntilClosed(const GUILevelCompleteWindow& window) {
        Frame(kStep);
        int frames = 0;
        while (window.IsOpen() && frames < 1000) {
            Frame(kStep);
            ++frames;
        }
        return frames;
    }
    // Frames after the closing until the result, each frame's result and cover checked.
    int FramesUntilReported(const GUILevelCompleteWindow& window) {
        for (int frame = 1; frame < 100; ++frame) {
            Frame(kStep);
            if (window.GetResult() == WindowResult::GoToStart) {
                EXPECT_TRUE(window.GetCover().GetWindow().IsVisible());
                EXPECT_GT(window.GetCover().GetWindow().GetAlpha(), 0.95f) << "at full cover";
                return frame;
            }
            EXPECT_EQ(window.GetResult(), WindowResult::None);
        }
        return 0;
    }
};

TEST_F(GUILevelCompleteWindowTest, AMessageWithoutStyleBlocksClosesTheWindowAfterTwoPointEightSeconds) {
    GUILevelCompleteWindow& window = Make("Closed");
    EXPECT_TRUE(window.GetPieces().empty());
    Open(window);
    EXPECT_EQ(FramesUntilClosed(window), 94) << "the first frame past 2.8 s";
}

TEST_F(GUILevelCompleteWindowTest, ThreePiecesCloseTheWindowAfterThreePointThirtyOneSeconds) {
    GUILevelCompleteWindow& window = Make(kThreePieces);
    ASSERT_EQ(window.GetPieces().size(), 3u);
    ASSERT_EQ(window.GetBursts().size(), 3u);
    Open(window);
    EXPECT_EQ(FramesUntilClosed(window), 111) << "the first frame past 3.31 s";
}

TEST_F(GUILevelCompleteWindowTest, EachClosingReportsOnceAtFullCoverWhichThenFadesOut) {
    GUILevelCompleteWindow& window = Make(kThreePieces);
    const Vantor::GUIWindow& cover = window.GetCover().GetWindow();
    Open(window);
    RunFor(1.0f);
    EXPECT_FALSE(cover.IsVisible()) << "no cover before the first closing";
    for (int closing = 0; closing < 2; ++closing) {
        if (closing > 0) Open(window);
        FramesUntilClosed(window);
        EXPECT_EQ(FramesUntilReported(window), 17) << "the first frame past 0.5 s";
        float alpha = cover.GetAlpha();
        int reports = 0;
        for (int frame = 0; frame < 60; ++frame) {
            Frame(kStep);
            reports += window.GetResult() == WindowResult::GoToStart;
            if (!cover.IsVisible()) continue;
            EXPECT_LT(cover.GetAlpha(), alpha) << "fading out";
            alpha = cover.GetAlpha();
        }
        EXPECT_EQ(reports, 0) << "once per closing";
        EXPECT_FALSE(cover.IsVisible());
    }
}

TEST_F(GUILevelCompleteWindowTest, EachPieceBurstsOnceWhenItArrivesAndReopeningHidesTheBursts) {
    GUILevelCompleteWindow& window = Make(kThreePieces);
    const std::vector<Vantor::ParticleSystem*>& bursts = window.GetBursts();
    Open(window);
    EXPECT_EQ(window.GetMessage().GetPosition().x, GUILevelCompleteWindow::kOffScreen);
    Frame(kStep);
    std::vector<float> arrivals(3, 0.0f);
    std::vector<int> starts(3, 0);
    std::vector<bool> emitted(3, false);
    float time = 0.0f;
    while (window.IsOpen() && time < 10.0f) {
        Frame(kStep);
        time += kStep;
        if (time > 0.31f) {
            EXPECT_EQ(window.GetMessage().GetPosition().x, 0.0f) << time;
        }
        for (std::size_t k = 0; k < 3; ++k) {
            if (bursts[k]->IsVisible() && arrivals[k] == 0.0f) arrivals[k] = time;
            const bool emitting = bursts[k]->IsVisible() && bursts[k]->IsEmitting();
            starts[k] += emitting && !emitted[k];
            emitted[k] = emitting;
        }
    }
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(starts[k], 1) << "piece " << k;
        // The opening pause, the piece's start offset, and its flight.
        const float arrival = 0.3f + 0.17f * static_cast<float>(k) + 1.0f / 0.65f;
        EXPECT_NEAR(arrivals[k], arrival, kStep + 0.001f) << "piece " << k;
        const GUITools::GUITextRule& block = *window.GetMessage().rules[k];
        EXPECT_NEAR(block.offset.x, 0.0f, 0.01f) << "the piece rests in its place";
        EXPECT_NEAR(block.offset.y, 0.0f, 0.01f);
        EXPECT_EQ(block.colour.w, 1.0f);
        EXPECT_NEAR(bursts[k]->GetPosition().y, 300.0f, 30.0f) << "in the middle of the block";
    }
    EXPECT_LT(bursts[0]->GetPosition().x, bursts[1]->GetPosition().x);
    EXPECT_LT(bursts[1]->GetPosition().x, bursts[2]->GetPosition().x);

    Open(window);
    for (const Vantor::ParticleSystem* burst : bursts) EXPECT_FALSE(burst->IsVisible());
}

}  // namespace
