// The level-logic base in a running engine: a new level's state and timer, state
// changes and pauses, the score, the two log lines, and the cheat keys read only while
// the console is enabled.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/kernel/Console.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelEntry.h"
#include "framework/StageEntry.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/framework/FrameworkEngineTestSupport.h"

namespace {

using GameFramework::GameLogicBase;
using GameFramework::LevelState;

// A level logic as the game derives it: it notes the cheat keys it is handed.
class NotingLogic : public GameLogicBase {
public:
    using GameLogicBase::GameLogicBase;

    void OnCheatKey(bool shift, int number) override {
        GameLogicBase::OnCheatKey(shift, number);
        cheats.emplace_back(shift, number);
    }

    std::vector<std::pair<bool, int>> cheats;
};

class GameLogicBaseTest : public frameworktest::FrameworkEngineTest {
protected:
    void TearDown() override {
        logic_.reset();
        FrameworkEngineTest::TearDown();
    }

    // The engine with its console, as the game makes them, and a level logic updated
    // in every frame.
    NotingLogic& StartLevel(std::uint8_t stage, std::uint8_t level) {
        gameUpdate = nullptr;
        MakeEngine();
        engine_->CreateConsole(L"Test 1.02", Vantor::ShaderDescriptor(), 5, u'_', u']', u'^', "~", 0.95f, 308.0f,
                               1000.0f);
        RunFrame();
        Vantor::MessageManager::Instance()->ClearMessages();
        levelEntry_.key = {stage, level};
        logic_ = std::make_unique<NotingLogic>(nullptr, &stageEntry_, &levelEntry_, 7);
        gameUpdate = [this] { logic_->Update(); };
        return *logic_;
    }

    GameFramework::StageEntry stageEntry_;
    GameFramework::LevelEntry levelEntry_;
    std::unique_ptr<NotingLogic> logic_;
};

TEST_F(GameLogicBaseTest, NewLevelRunsWithItsTimerAtZeroAndPaused) {
    NotingLogic& logic = StartLevel(0, 0);
    EXPECT_EQ(logic.GetState(), LevelState::Running);
    EXPECT_FALSE(logic.IsChanged());
    EXPECT_TRUE(logic.IsTimerPaused());
    EXPECT_EQ(logic.GetProgress(), 7);
    EXPECT_EQ(logic.GetScore(), 0);
    RunFor(0.5f);
    EXPECT_EQ(logic.GetTime(), 0.0f);

    // The derived logic starts the clock; the state is not touched.
    logic.SetTimerPaused(false);
    RunFor(0.5f);
    EXPECT_NEAR(logic.GetTime(), 0.5f, 0.001f);
    EXPECT_EQ(logic.GetState(), LevelState::Running);
    EXPECT_FALSE(logic.IsChanged());

    logic.SetScore(1250);
    EXPECT_EQ(logic.GetScore(), 1250);
}

TEST_F(GameLogicBaseTest, LogsTheLevelCountedFromOneAfterAnEmptyLine) {
    const struct {
        std::uint8_t stage;
        std::uint8_t level;
        std::string line;
    } cases[] = {{0, 2, "Loading level 1-3...\n"}, {1, 0, "Loading level 2-1...\n"}};
    for (const auto& c : cases) {
        StartLevel(c.stage, c.level);
        EXPECT_EQ(filetest::LoggedTexts(), (std::vector<std::string>{"\n", c.line}));
        logic_.reset();
        engine_.reset();
    }
}

TEST_F(GameLogicBaseTest, StateChangesPauseTheTimerAndSetTheChangedFlagOnce) {
    NotingLogic& logic = StartLevel(0, 0);
    logic.SetTimerPaused(false);

    logic.SetState(LevelState::Paused);
    EXPECT_TRUE(logic.IsChanged());
    EXPECT_TRUE(logic.IsTimerPaused());
    logic.ClearChanged();
    logic.SetState(LevelState::Paused);
    EXPECT_FALSE(logic.IsChanged());

    logic.SetState(LevelState::Running);
    EXPECT_TRUE(logic.IsChanged());
    EXPECT_FALSE(logic.IsTimerPaused());
    logic.ClearChanged();
    logic.Pause(true);
    EXPECT_EQ(logic.GetState(), LevelState::Paused);
    EXPECT_TRUE(logic.IsChanged());
    logic.Pause(false);
    EXPECT_EQ(logic.GetState(), LevelState::Running);

    logic.SetState(LevelState::Won);
    EXPECT_TRUE(logic.IsTimerPaused());
}

TEST_F(GameLogicBaseTest, PauseLeavesWonAndLostLevelsAlone) {
    NotingLogic& logic = StartLevel(0, 0);
    for (const LevelState ended : {LevelState::Won, LevelState::Lost}) {
        for (const bool paused : {true, false}) {
            logic.SetState(ended);
            logic.ClearChanged();
            logic.Pause(paused);
            EXPECT_EQ(logic.GetState(), ended);
            EXPECT_FALSE(logic.IsChanged());
        }
    }
}

TEST_F(GameLogicBaseTest, CheatKeysReachTheLogicInRisingOrderOnlyWhileTheConsoleIsEnabled) {
    NotingLogic& logic = StartLevel(0, 0);
    platform::seam::InjectKeyDown(VK_RSHIFT);
    platform::seam::InjectKeyDown(VK_F3);
    platform::seam::InjectKeyDown(VK_F1);
    RunFrame();
    EXPECT_EQ(logic.cheats, (std::vector<std::pair<bool, int>>{{true, 1}, {true, 3}}));
    EXPECT_TRUE(logic.IsCheatUsed());
    platform::seam::InjectKeyUp(VK_RSHIFT);
    platform::seam::InjectKeyUp(VK_F3);
    platform::seam::InjectKeyUp(VK_F1);
    RunFrame();

    logic.cheats.clear();
    platform::seam::InjectKeyDown(VK_F12);
    RunFrame();
    EXPECT_EQ(logic.cheats, (std::vector<std::pair<bool, int>>{{false, 12}}));
    platform::seam::InjectKeyUp(VK_F12);
    RunFrame();

    logic.cheats.clear();
    Vantor::Console::Instance()->SetEnabled(false);
    platform::seam::InjectKeyDown(VK_F2);
    RunFrame();
    EXPECT_TRUE(logic.cheats.empty());
}

}  // namespace
