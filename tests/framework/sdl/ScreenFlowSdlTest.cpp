// The test game played through its screens under an X server, its windows reporting what
// the test chooses: from the logos to a first profile, two levels won, the level and
// stage completion, a level lost, game over, the high scores and back to the main menu.
// Frames of the welcome window, the level display under the pause window and the high
// scores are kept as PNG to look at; a second run reads what the first one saved.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelKey.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileLevelStatisticsBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/LevelState.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/framework/TestGame.h"
#include "tests/framework/TestGameData.h"
#include "tests/framework/sdl/TestGameSdlFixture.h"

namespace {

using frameworktest::TestGame;
using GameFramework::LevelKey;
using GameFramework::LevelState;
using R = GameFramework::WindowResult;

class ScreenFlowSdlTest : public frameworktest::TestGameSdlFixture {
protected:
    // The game's own frames.
    void Frames(int count) {
        for (int frame = 0; frame < count; ++frame) game_->Frame();
    }
    // The window, open, reports the result in its next update; a few frames let it travel.
    void Choose(const std::string& window, R result) {
        ASSERT_TRUE(game_->FindLooks(window)->IsOpen()) << window;
        game_->FindLooks(window)->script.onUpdate = result;
        Frames(4);
    }
    // The running level ends in the state, with the score.
    void EndLevel(LevelState state, int score) {
        ASSERT_NE(nullptr, game_->GetGameLogic());
        game_->GetGameLogic()->SetScore(score);
        game_->GetGameLogic()->SetState(state);
        Frames(4);
    }
    // From the logos through the game loading to the first window of the menus.
    void Start() {
        game_ = std::make_unique<TestGame>(journal_, home_.root);
        Frames(2);
        Choose("logos", R::Finished);
        for (int frame = 0; frame < 200 && !game_->FindWindow("main_menu"); ++frame) Frames(1);
        ASSERT_NE(nullptr, game_->FindWindow("main_menu"));
        Frames(10);
    }

    bool Open(const std::string& window) const { return game_->FindLooks(window)->IsOpen(); }

    void Capture(const std::string& name, Vantor::Image& picture) {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    // Whether the pixel is near the colour.
    static bool Near(const Vantor::Image& picture, int x, int y, int red, int green, int blue) {
        const scenes::Rgb pixel = scenes::PixelAt(picture, x, y);
        return std::abs(pixel.red - red) < 40 && std::abs(pixel.green - green) < 40 && std::abs(pixel.blue - blue) < 40;
    }
};

TEST_F(ScreenFlowSdlTest, APlayerWalksFromTheLogosToTheHighScoresAndTheNextRunRemembers) {
    Start();
    ASSERT_TRUE(Open("welcome"));
    Vantor::Image welcome;
    Capture("screen_flow_welcome", welcome);
    EXPECT_TRUE(Near(welcome, 400, 300, 0x20, 0xC0, 0x20)) << scenes::Describe(scenes::PixelAt(welcome, 400, 300));

    dynamic_cast<GameFramework::GUIWelcomeWindowBase&>(*game_->FindWindow("welcome")).CreateProfile(L"Ann");
    Choose("welcome", R::GoToMainMenu);
    Choose("main_menu", R::Play);
    Choose("start", R::Play);
    ASSERT_TRUE(Open("level_display"));
    Choose("level_display", R::Pause);
    ASSERT_TRUE(Open("pause"));
    Frames(10);
    Vantor::Image paused;
    Capture("screen_flow_pause_over_level", paused);
    EXPECT_TRUE(Near(paused, 200, 200, 0x20, 0x40, 0xC0)) << "the level display, still shown";
    EXPECT_TRUE(Near(paused, 600, 420, 0xE0, 0xE0, 0x20)) << "the pause window over it";
    Choose("pause", R::ResumeLevel);
    EndLevel(LevelState::Won, 30);  // level 1-1
    Choose("level_complete", R::GoToStart);
    Choose("start", R::Play);
    EndLevel(LevelState::Won, 30);  // level 1-2, the last of the stage
    Choose("level_complete", R::GoToStageComplete);
    Choose("stage_complete", R::GoToStart);
    Choose("start", R::Play);
    EndLevel(LevelState::Lost, 0);  // level 2-1
    Choose("game_over", R::Finished);
    ASSERT_TRUE(Open("high_scores"));
    Frames(10);
    Vantor::Image scores;
    Capture("screen_flow_high_scores", scores);
    EXPECT_TRUE(Near(scores, 400, 300, 0xD0, 0x20, 0x20)) << scenes::Describe(scenes::PixelAt(scores, 400, 300));
    Choose("high_scores", R::GoToMainMenu);
    ASSERT_TRUE(Open("main_menu"));
    game_.reset();

    Start();
    EXPECT_TRUE(Open("main_menu")) << "a profile exists now";
    EXPECT_FALSE(Open("welcome"));
    const GameFramework::ProfileBase* ann = game_->GetProfileManager()->GetCurrentProfile();
    ASSERT_NE(nullptr, ann);
    EXPECT_EQ(L"Ann", ann->GetName());
    EXPECT_EQ((LevelKey{1, 0}), ann->GetCurrentLevel());
    EXPECT_EQ((LevelKey{1, 0}), ann->GetMaxLevel());
    EXPECT_EQ(60, ann->GetGameScore());
    EXPECT_FALSE(ann->IsGameInProgress()) << "the game was lost";
    EXPECT_EQ(2u, ann->GetLevelStatistics().size());
    EXPECT_EQ(2u, game_->GetProfileManager()->GetBestTimes().size());
    ASSERT_EQ(1u, game_->GetHighScoresTable()->GetCount(0));
    EXPECT_EQ(L"Ann", game_->GetHighScoresTable()->GetEntry(0, 0)->name);
    EXPECT_EQ(60, game_->GetHighScoresTable()->GetEntry(0, 0)->score);
}

}  // namespace
