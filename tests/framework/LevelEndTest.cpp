// The ends of a level and what they leave in the profile, the best times, the high
// scores and the level data: won, lost, game over, the previous level, and the faults
// of a profile that names no level or of no profile at all.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ProfileLevelStatisticsBase.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "tests/framework/ScreenFlowFixture.h"

namespace {

using frameworktest::TestProfile;
using GameFramework::LevelKey;
using GameFramework::LevelState;
using GameFramework::ProfileBase;
using GameFramework::WindowId;
using R = GameFramework::WindowResult;

class LevelEndTest : public frameworktest::ScreenFlowFixture {
protected:
    // Ann's level running for `seconds` of frames of 20 ms, then won with `score`.
    void WinLevel(const LevelKey& key, int score, int seconds = 0) {
        Profile().SetCurrentLevel(key);
        GameFramework::GameLogicBase& logic = StartLevel(key);
        for (int frame = 0; frame < seconds * 50; ++frame) {
            platform::seam::AdvanceVirtualTime(20000);
            game_->GetEngine()->BeginFrame();
            game_->GetEngine()->EndFrame();
        }
        logic.SetScore(score);
        logic.SetState(LevelState::Won);
        game_->RunFrame();
    }

    // Ann's profile as its file holds it now.
    std::unique_ptr<TestProfile> Saved() const {
        return std::make_unique<TestProfile>(ProfileBase::kLoadProfile, Profile().GetFileName(),
                                             game_->GetProfileManager()->GetFolder());
    }

    // The start window answered with "play", then the level loading window.
    void PlayFromStart() {
        game_->FindWindow("start")->Open(WindowId::MainMenu);
        Report("start", R::Play);
    }
};

TEST_F(LevelEndTest, WinningALevelMovesTheProfileOnAndSavesItAll) {
    MakeFlowGame();
    WinLevel(LevelKey{0, 1}, 9, 3);
    const TestProfile& ann = Profile();
    EXPECT_EQ((LevelKey{1, 0}), ann.GetCurrentLevel());
    EXPECT_EQ((LevelKey{1, 0}), ann.GetMaxLevel());
    EXPECT_FALSE(ann.IsCompleted());
    EXPECT_TRUE(ann.IsGameInProgress());
    EXPECT_EQ(9, ann.GetGameScore());
    EXPECT_EQ(0, game_->GetGameLogic()->GetScore()) << "the level's score went to the game's";
    const std::unique_ptr<TestProfile> saved = Saved();
    EXPECT_EQ((LevelKey{1, 0}), saved->GetCurrentLevel());
    EXPECT_EQ(9, saved->GetGameScore()) << "written with the statistics at the latest";
    EXPECT_TRUE(saved->IsGameInProgress());
    ASSERT_EQ(1u, saved->GetLevelStatistics().size());
    EXPECT_EQ((LevelKey{0, 1}), saved->GetLevelStatistics()[0]->level);
    const float time = game_->GetGameLogic()->GetTime();
    EXPECT_GT(time, 0.0f);
    EXPECT_FLOAT_EQ(time, saved->GetLevelStatistics()[0]->time);
    ASSERT_EQ(1u, game_->GetProfileManager()->GetBestTimes().size());
    EXPECT_EQ(L"Ann", game_->GetProfileManager()->GetBestTimes()[0]->name);
    EXPECT_FLOAT_EQ(time, game_->GetProfileManager()->GetBestTimes()[0]->time);

    EXPECT_EQ((std::vector<std::string>{"level_complete from 17"}), Entries("open "));
    const auto& complete = dynamic_cast<const GameFramework::GUILevelCompleteWindowBase&>(*game_->FindWindow("level_complete"));
    EXPECT_EQ((LevelKey{0, 1}), complete.GetLevel());
    EXPECT_FLOAT_EQ(time, complete.GetLevelTime());
    EXPECT_NE(nullptr, game_->GetGameLogic()) << "the level complete window ends the level";
    EXPECT_TRUE(game_->FindLooks("level_display")->IsOpen());
    EXPECT_FALSE(dynamic_cast<GameFramework::GUIGameLogicWindowBase&>(*game_->FindWindow("level_display")).IsActive());
}

TEST_F(LevelEndTest, WinningTheLastLevelKeepsItCurrentAndEndsTheGame) {
    MakeFlowGame();
    Profile().SetGameInProgress(true);
    WinLevel(LevelKey{1, 1}, 1);
    const std::unique_ptr<TestProfile> saved = Saved();
    EXPECT_EQ((LevelKey{1, 1}), saved->GetCurrentLevel());
    EXPECT_EQ((LevelKey{1, 1}), saved->GetMaxLevel());
    EXPECT_TRUE(saved->IsCompleted());
    EXPECT_FALSE(saved->IsGameInProgress());
}

TEST_F(LevelEndTest, TheGameScoreWrapsAtOneByte) {
    MakeFlowGame();
    WinLevel(LevelKey{0, 0}, 300);
    EXPECT_EQ(44, Profile().GetGameScore());
}

TEST_F(LevelEndTest, ALostLevelEndsTheGameInProgressAndOpensGameOverOverTheLevel) {
    MakeFlowGame();
    Profile().SetGameInProgress(true);
    const int writes = Profile().writes;
    StartLevel(LevelKey{0, 0}).SetState(LevelState::Lost);
    game_->RunFrame();
    EXPECT_FALSE(Saved()->IsGameInProgress());
    EXPECT_EQ(writes + 1, Profile().writes);
    EXPECT_EQ((std::vector<std::string>{"game_over from 17"}), Entries("open "));
    EXPECT_NE(nullptr, game_->GetGameLogic());
    EXPECT_FALSE(dynamic_cast<GameFramework::GUIGameLogicWindowBase&>(*game_->FindWindow("level_display")).IsActive());
}

TEST_F(LevelEndTest, GameOverWithoutAnyScoreOpensTheMainMenu) {
    MakeFlowGame();
    StartLevel(LevelKey{0, 0});
    game_->FindWindow("game_over")->Open(WindowId::GameLogic);
    game_->RunFrame();
    journal_.clear();
    Report("game_over", R::Finished);
    EXPECT_EQ((std::vector<std::string>{"main_menu from 25"}), Entries("open "));
    EXPECT_EQ(0u, game_->GetHighScoresTable()->GetCount(0));
    EXPECT_EQ(nullptr, game_->GetGameLogic());
}

TEST_F(LevelEndTest, ALevelsDataLivesUntilTheStartAfterTheNextOne) {
    MakeFlowGame();
    PlayFromStart();
    Report("level_display", R::GoToLevelMenu);
    Report("level_menu", R::GoToLeaveLevel);
    Report("leave_level", R::GoToStart);
    EXPECT_TRUE(Entries("~level_data").empty());
    PlayFromStart();
    EXPECT_TRUE(Entries("~level_data").empty()) << "the first level's data is the previous one now";
    Report("level_display", R::GoToLevelMenu);
    Report("level_menu", R::GoToLeaveLevel);
    Report("leave_level", R::GoToStart);
    PlayFromStart();
    EXPECT_EQ((std::vector<std::string>{"_1"}), Entries("~level_data"));
    EXPECT_NE(nullptr, game_->GetPreviousLevelData());
}

TEST_F(LevelEndTest, ReturningToThePreviousLevelCrossesAStage) {
    MakeFlowGame();
    Profile().SetCurrentLevel(LevelKey{1, 0});
    StartLevel(LevelKey{1, 0});
    game_->OnReturnToPreviousLevel();
    EXPECT_EQ((LevelKey{0, 1}), Profile().GetCurrentLevel());
    EXPECT_EQ(nullptr, game_->GetGameLogic());
    EXPECT_FALSE(game_->FindLooks("level_display")->IsOpen());
    EXPECT_EQ((std::vector<std::string>{"start from 6"}), Entries("open "));
}

TEST_F(LevelEndTest, AProfilesLevelThatDoesNotExistBecomesTheFirstLevel) {
    MakeFlowGame();
    Profile().SetCurrentLevel(LevelKey{5, 9});
    PlayFromStart();
    EXPECT_TRUE(LoggedProblem(Vantor::MessageKind::Warning, "Screen flow: the profile's level 5-9 does not exist, playing from level 0-0"));
    EXPECT_EQ((LevelKey{0, 0}), Saved()->GetCurrentLevel());
    ASSERT_NE(nullptr, game_->GetGameLogic());
    EXPECT_EQ((LevelKey{0, 0}), game_->GetGameLogic()->GetLevelEntry()->key);
}

TEST_F(LevelEndTest, PlayingAfterTheLastProfileWasDeletedGoesBackToTheWelcomeWindow) {
    MakeFlowGame();
    game_->GetProfileManager()->DeleteProfile(kPlayer);
    ASSERT_EQ(nullptr, game_->GetProfileManager()->GetCurrentProfile());
    game_->FindWindow("main_menu")->Open(WindowId::DeleteProfile);
    game_->RunFrame();
    journal_.clear();
    Report("main_menu", R::Play);
    EXPECT_TRUE(LoggedProblem(Vantor::MessageKind::Error, "Screen flow (main menu): no current profile, back to the welcome window"));
    EXPECT_EQ((std::vector<std::string>{"welcome from 6"}), Entries("open "));
    EXPECT_FALSE(game_->FindLooks("main_menu")->IsOpen());
    EXPECT_TRUE(game_->FindLooks("welcome")->IsOpen());
}

}  // namespace
