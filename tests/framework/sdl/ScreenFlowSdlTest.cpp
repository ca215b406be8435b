// The test game played through its screens under an X server, by injected keys: from
// the logos to a first profile, two levels won, the level and stage completion, a level
// lost, game over, the high scores and back to the main menu. Frames of the welcome
// window, the level display under the pause window and the high scores are kept as PNG
// to look at; a second run reads what the first one saved.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelKey.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileLevelStatisticsBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "platform/Clock.h"
#include "platform/DirectInput.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/framework/TestGame.h"
#include "tests/framework/TestGameData.h"

namespace {

using frameworktest::TestGame;
using GameFramework::LevelKey;
using R = GameFramework::WindowResult;

// The keys the walk presses, and what each window reports on them.
const std::map<std::string, std::map<std::string, R>> kKeys{
    {"logos", {{"SPACE", R::Finished}}},
    {"welcome", {{"ENTER", R::GoToMainMenu}}},
    {"main_menu", {{"P", R::Play}}},
    {"start", {{"S", R::Play}}},
    {"level_display", {{"ESCAPE", R::Pause}}},
    {"pause", {{"R", R::ResumeLevel}}},
    {"level_complete", {{"N", R::GoToStart}, {"C", R::GoToStageComplete}}},
    {"stage_complete", {{"N", R::GoToStart}}},
    {"game_over", {{"ENTER", R::Finished}}},
    {"high_scores", {{"ESCAPE", R::GoToMainMenu}}},
};

const std::map<std::string, UINT> kScanCodes{{"SPACE", DIK_SPACE}, {"ENTER", DIK_RETURN}, {"P", DIK_P},
                                             {"S", DIK_S},         {"ESCAPE", DIK_ESCAPE}, {"R", DIK_R},
                                             {"N", DIK_N},         {"C", DIK_C},           {"W", DIK_W},
                                             {"L", DIK_L}};

class ScreenFlowSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        frameworktest::WriteTestGameData(home_.folder);
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    TestGame& Run() {
        game_ = std::make_unique<TestGame>(journal_, home_.root);
        game_->levelScore = 30;
        game_->FindLooks("logos")->script.onKey = kKeys.at("logos");
        return *game_;
    }

    // A frame of 20 ms on the virtual clock.
    void Frame() {
        platform::seam::AdvanceVirtualTime(20000);
        game_->GetEngine()->BeginFrame();
        game_->RunFrame();
        game_->GetEngine()->EndFrame();
    }
    void Frames(int count) {
        for (int frame = 0; frame < count; ++frame) Frame();
    }
    // The key goes down for a frame and up for the next; a few frames let the results travel.
    void Press(const std::string& key) {
        platform::seam::InjectScanCodeDown(kScanCodes.at(key));
        Frame();
        platform::seam::InjectScanCodeUp(kScanCodes.at(key));
        Frames(3);
    }
    // Once the windows exist their keys are given too.
    void LoadGame() {
        Press("SPACE");
        for (int frame = 0; frame < 200 && !game_->FindWindow("main_menu"); ++frame) Frame();
        ASSERT_NE(nullptr, game_->FindWindow("main_menu"));
        for (const auto& [window, keys] : kKeys) game_->FindLooks(window)->script.onKey = keys;
        Frames(3);
    }

    bool Shown(const std::string& window) const { return game_->FindLooks(window)->IsVisible(); }

    void Capture(const std::string& name, Vantor::Image& picture) {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    // Whether the pixel is near the colour.
    static bool Mostly(const Vantor::Image& picture, int x, int y, int red, int green, int blue) {
        const scenes::Rgb pixel = scenes::PixelAt(picture, x, y);
        return std::abs(pixel.red - red) < 40 && std::abs(pixel.green - green) < 40 && std::abs(pixel.blue - blue) < 40;
    }

    frameworktest::Journal journal_;
    std::unique_ptr<TestGame> game_;
};

TEST_F(ScreenFlowSdlTest, APlayerWalksFromTheLogosToTheHighScoresAndTheNextRunRemembers) {
    Run();
    LoadGame();
    ASSERT_TRUE(Shown("welcome"));
    Vantor::Image welcome;
    Capture("screen_flow_welcome", welcome);
    EXPECT_TRUE(Mostly(welcome, 400, 300, 0x20, 0xC0, 0x20)) << scenes::Describe(scenes::PixelAt(welcome, 400, 300));

    dynamic_cast<GameFramework::GUIWelcomeWindowBase&>(*game_->FindWindow("welcome")).CreateProfile(L"Ann");
    Press("ENTER");
    ASSERT_TRUE(Shown("main_menu"));
    Press("P");
    ASSERT_TRUE(Shown("start"));
    Press("S");
    ASSERT_TRUE(Shown("level_display"));
    Press("ESCAPE");
    ASSERT_TRUE(Shown("pause"));
    Vantor::Image paused;
    Capture("screen_flow_pause_over_level", paused);
    EXPECT_TRUE(Mostly(paused, 200, 200, 0x20, 0x40, 0xC0)) << "the level display, still shown";
    EXPECT_TRUE(Mostly(paused, 700, 450, 0xE0, 0xE0, 0x20)) << "the pause window";
    Press("R");
    Frames(50);
    Press("W");  // level 1-1 won
    ASSERT_TRUE(Shown("level_complete"));
    Press("N");
    Press("S");
    Frames(50);
    Press("W");  // level 1-2 won, the stage with it
    Press("C");
    ASSERT_TRUE(Shown("stage_complete"));
    Press("N");
    Press("S");
    Press("L");  // level 2-1 lost
    ASSERT_TRUE(Shown("game_over"));
    Press("ENTER");
    ASSERT_TRUE(Shown("high_scores"));
    Vantor::Image scores;
    Capture("screen_flow_high_scores", scores);
    EXPECT_TRUE(Mostly(scores, 400, 300, 0xD0, 0x20, 0x20)) << scenes::Describe(scenes::PixelAt(scores, 400, 300));
    Press("ESCAPE");
    ASSERT_TRUE(Shown("main_menu"));
    game_.reset();

    Run();
    LoadGame();
    EXPECT_TRUE(Shown("main_menu")) << "a profile exists now";
    EXPECT_FALSE(Shown("welcome"));
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
