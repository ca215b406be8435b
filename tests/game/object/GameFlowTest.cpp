// The game's window flow: for each window and result, what closes, what opens from which
// window, which music slot plays which track at which fade rate, the menu background and
// the cursor. Results are set on the windows directly and answered by dispatch passes.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/AudioManager.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelState.h"
#include "framework/MusicTrack.h"
#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "game/GUIBackground.h"
#include "game/GUIGameCursor.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIDayCompleteWindow.h"
#include "game/screens/GUIFinalWindow.h"
#include "game/screens/GUIHouseWindow.h"
#include "game/screens/GUIIntroductionWindow.h"
#include "game/screens/GUIMechanicWindow.h"
#include "game/screens/GUIMeetingWindow.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/GUIResetProfileWindow.h"
#include "game/screens/GUIUpgradeWindow.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tests/game/object/GameObjectFixture.h"

namespace gameobjecttest {
namespace {

using GameFramework::GUIFrameworkWindow;
using GameFramework::MusicTrack;
using GameFramework::WindowId;
using R = GameFramework::WindowResult;

// The profile's story bits that keep the start-of-day window from forwarding the player
// to the first meeting or greeting.
constexpr std::uint32_t kStoryStarted = 0x1 | 0x2;

enum class Background { Shown, FadingIn, FadingOut, Hidden };

class GameFlowTest : public GameObjectFixture {
protected:
    // A later run's game with every window made and the player "Ann" current, the
    // story started, on the main menu with the menu music.
    GameProbe& MakeGameWithPlayer() {
        GameProbe& game = MakeGameWithWindows();
        game.welcomeWindow_->CreateProfile(L"Ann");
        Player().SetFlag(kStoryStarted);
        Player().Save();
        game.Report(game.welcomeWindow_, R::GoToMainMenu);
        return game;
    }
    Morvane::Profile& Player() const {
        return *static_cast<Morvane::ProfileManager*>(game_->GetProfileManager())->GetCurrent();
    }
    GameFramework::AudioManager& Audio() const { return *game_->GetAudioManager(); }
    Morvane::GUIGameCursor& Cursor() const { return *static_cast<Morvane::GUIGameCursor*>(game_->GetCursor()); }

    // The menu background's state, read from its first layer's fade.
    Background MenuBackground() const {
        const GUITools::GUIBackgroundBase& background = *game_->menuBackground_;
        if (!background.IsVisible()) return Background::Hidden;
        const GUITools::GUIBackgroundLayer& layer = *background.layers.front();
        if (!layer.IsFading()) return Background::Shown;
        return layer.GetFadeValue() < 0.5f ? Background::FadingIn : Background::FadingOut;
    }

    // The track plays in the slot, fading in at the rate (volume per second).
    void ExpectMusic(int slot, const std::string& key, float rate) const {
        EXPECT_EQ(key, Audio().GetSlotTrackName(slot)) << "slot " << slot;
        const MusicTrack* track = Audio().FindTrack(key);
        ASSERT_NE(nullptr, track);
        EXPECT_EQ(MusicTrack::kFadeIn, track->GetFadeKind()) << key;
        EXPECT_FLOAT_EQ(rate, track->GetFadeRate()) << key;
    }
    // The track that played goes, fading out over a second.
    void ExpectStopping(const std::string& key) const {
        const MusicTrack* track = Audio().FindTrack(key);
        ASSERT_NE(nullptr, track);
        EXPECT_EQ(MusicTrack::kFadeOutAndStop, track->GetFadeKind()) << key;
        EXPECT_FLOAT_EQ(1.0f, track->GetFadeRate()) << key;
    }
    // The menu music plays on, untouched by the handler.
    void ExpectMenuMusicGoingOn() const {
        EXPECT_EQ("00", Audio().GetSlotTrackName(0));
        EXPECT_EQ(MusicTrack::kNoFade, Audio().FindTrack("00")->GetFadeKind());
    }
    // Music at full volume with no fade, as if it had played for a while.
    void PlaySteady(int slot, const std::string& key) const {
        Audio().StopAllMusic(false, 1.0f);
        Audio().PlayMusic(slot, key, false, 1.0f);
    }

    static bool IsOpen(GUIFrameworkWindow* window) {
        return dynamic_cast<Morvane::GUIMenuWindow&>(*window).IsOpen();
    }

    // From the start-of-day window into a day: the day is made and its display opens.
    void StartDay() {
        GameProbe& game = *game_;
        game.startGameLogicWindow_->Open(WindowId::MainMenu);
        game.Report(game.startGameLogicWindow_, R::Play);
        game.Report(game.gameLogicLoadingWindow_, R::Finished);
        ASSERT_NE(nullptr, game.GetGameLogic());
    }
};

TEST_F(GameFlowTest, FirstRunTellsTheComicBetweenTheLogosAndTheLoading) {
    GameProbe& game = MakeGame();
    ASSERT_NE(nullptr, game.introductionWindow_);
    EXPECT_EQ(WindowId::Logos, game.introductionWindow_->GetSource());
    EXPECT_EQ(Background::Shown, MenuBackground());

    game.Report(game.logosWindow_, R::Finished);
    ExpectMusic(1, "01", 2.0f);
    EXPECT_EQ("", Audio().GetSlotTrackName(0));
    EXPECT_EQ(R::None, game.logosWindow_->GetResult());
    EXPECT_EQ(WindowId{0}, game.gameLoadingWindow_->GetSource()) << "the loading waits for the comic";
    EXPECT_TRUE(Cursor().IsShown());

    game.Report(game.introductionWindow_, R::Finished);
    EXPECT_EQ(WindowId::Introduction, game.gameLoadingWindow_->GetSource());
    ExpectStopping("01");
    ExpectMusic(0, "00", 1.0f);
    EXPECT_FALSE(Cursor().IsShown());

    game.GetGameData()->LoadAll();
    game.Report(game.gameLoadingWindow_, R::Finished);
    EXPECT_EQ(nullptr, game.introductionWindow_);
    ASSERT_NE(nullptr, game.welcomeWindow_);
    EXPECT_TRUE(IsOpen(game.welcomeWindow_));
    EXPECT_EQ(WindowId::GameLoading, game.welcomeWindow_->GetSource());
    EXPECT_TRUE(Cursor().IsShown());
    // A pass over every window, the comic's place skipped.
    game.Pass();
}

TEST_F(GameFlowTest, LaterRunGoesFromTheLogosToTheLoadingWithTheMenuMusic) {
    MakeGameWithWindows().welcomeWindow_->CreateProfile(L"Ann");
    game_.reset();

    GameProbe& game = MakeGame();
    EXPECT_EQ(nullptr, game.introductionWindow_);
    game.Report(game.logosWindow_, R::Finished);
    ExpectMusic(0, "00", 2.0f);
    EXPECT_EQ(WindowId::Logos, game.gameLoadingWindow_->GetSource());

    game.GetGameData()->LoadAll();
    game.Report(game.gameLoadingWindow_, R::Finished);
    EXPECT_TRUE(IsOpen(game.mainMenuWindow_));
    EXPECT_EQ(WindowId::GameLoading, game.mainMenuWindow_->GetSource());
    EXPECT_EQ(nullptr, game.introductionWindow_);
}

// One result of the start-of-day window: the window it opens and the music that comes
// with it (none: the menu music goes on).
struct StartRow {
    R result;
    std::function<GUIFrameworkWindow*(GameProbe&)> opened;
    int slot;
    std::string track;
};

TEST_F(GameFlowTest, StartOfDayResultsOpenTheirWindowsWithTheirMusic) {
    const std::vector<StartRow> rows = {
        {R::GoToHouse, [](GameProbe& g) { return g.houseWindow_; }, 3, "03"},
        {R::GoToUpgrade, [](GameProbe& g) { return g.upgradeWindow_; }, 4, "04"},
        {R::GoToDayComplete, [](GameProbe& g) { return g.dayCompleteWindow_; }, -1, ""},
        {R::GoToMeeting, [](GameProbe& g) { return g.meetingWindow_; }, -1, ""},
        {R::GoToMechanic, [](GameProbe& g) { return g.mechanicWindow_; }, -1, ""},
        {R::GoToFinal, [](GameProbe& g) { return g.finalWindow_; }, 2, "02"},
        {R::GoToResetProfile, [](GameProbe& g) { return g.resetProfileWindow_; }, -1, ""},
    };
    for (const StartRow& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.result));
        GameProbe& game = MakeGameWithPlayer();
        game.startGameLogicWindow_->Open(WindowId::MainMenu);
        PlaySteady(0, "00");
        game.Report(game.startGameLogicWindow_, row.result);
        EXPECT_FALSE(IsOpen(game.startGameLogicWindow_));
        EXPECT_EQ(WindowId::StartGameLogic, row.opened(game)->GetSource());
        if (row.slot < 0) {
            ExpectMenuMusicGoingOn();
        } else {
            ExpectStopping("00");
            ExpectMusic(row.slot, row.track, 1.0f);
        }
        EXPECT_EQ(Background::Shown, MenuBackground());
        game_.reset();
    }
}

TEST_F(GameFlowTest, PlayHidesTheCursorAndLoadsTheDay) {
    GameProbe& game = MakeGameWithPlayer();
    game.startGameLogicWindow_->Open(WindowId::MainMenu);
    game.Report(game.startGameLogicWindow_, R::Play);
    EXPECT_FALSE(Cursor().IsShown());
    EXPECT_EQ(WindowId::StartGameLogic, game.gameLogicLoadingWindow_->GetSource());
    EXPECT_NE(nullptr, game.gameLogicLoadingWindow_->GetDataKeeper());
}

TEST_F(GameFlowTest, TheDayStartsWithItsMusicWithoutTheBackgroundAndTrail) {
    GameProbe& game = MakeGameWithPlayer();
    PlaySteady(0, "00");
    StartDay();
    EXPECT_EQ(WindowId::GameLogicLoading, game.gameLogicWindow_->GetSource());
    EXPECT_TRUE(Cursor().IsShown());
    EXPECT_EQ(Background::FadingOut, MenuBackground());
    ExpectStopping("00");
    ExpectMusic(5, "05", 1.0f);
    EXPECT_FALSE(Cursor().IsTrailEnabled());
}

TEST_F(GameFlowTest, DayMusicTakesTurnsWithinARunAndStartsAgainInTheNext) {
    GameProbe& game = MakeGameWithPlayer();
    const std::vector<std::string> expected = {"05", "06", "05"};
    for (const std::string& track : expected) {
        StartDay();
        EXPECT_EQ(track, Audio().GetSlotTrackName(5));
        game.Report(game.gameLogicWindow_, R::GoToLevelMenu);
        game.Report(game.gameLogicMenuWindow_, R::GoToRestart);
        game.Report(game.gameLogicRestartWindow_, R::GoToStart);
    }
    game_.reset();

    MakeGameWithWindows();
    StartDay();
    EXPECT_EQ("05", Audio().GetSlotTrackName(5));
}

// A window opened over the running day from its display, and how the player goes back.
struct OverDayRow {
    R result;
    std::function<GUIFrameworkWindow*(GameProbe&)> opened;
};

TEST_F(GameFlowTest, WindowsOverTheDayTurnTheTrailOnAndResumingTurnsItOff) {
    const std::vector<OverDayRow> rows = {
        {R::GoToExit, [](GameProbe& g) { return g.gameLogicGameExitWindow_; }},
        {R::Pause, [](GameProbe& g) { return g.gameLogicPauseWindow_; }},
        {R::GoToLevelMenu, [](GameProbe& g) { return g.gameLogicMenuWindow_; }},
    };
    GameProbe& game = MakeGameWithPlayer();
    StartDay();
    for (const OverDayRow& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.result));
        Cursor().SetKind(2);
        game.Report(game.gameLogicWindow_, row.result);
        EXPECT_EQ(WindowId::GameLogic, row.opened(game)->GetSource());
        EXPECT_EQ(0, Cursor().GetRequestedKind());
        EXPECT_TRUE(Cursor().IsTrailEnabled());
        EXPECT_EQ(GameFramework::LevelState::Paused, game.GetGameLogic()->GetState());

        game.Report(row.opened(game), R::ResumeLevel);
        EXPECT_FALSE(IsOpen(row.opened(game)));
        EXPECT_EQ(GameFramework::LevelState::Running, game.GetGameLogic()->GetState());
        EXPECT_FALSE(Cursor().IsTrailEnabled());
    }
}

TEST_F(GameFlowTest, LeavingTheDayForTheMainMenuBringsBackTheMenu) {
    GameProbe& game = MakeGameWithPlayer();
    StartDay();
    PlaySteady(5, "05");
    game.Report(game.gameLogicWindow_, R::GoToLevelMenu);
    game.Report(game.gameLogicMenuWindow_, R::GoToLeaveLevel);
    game.Report(game.gameLogicMenuExitWindow_, R::GoToMainMenu);
    EXPECT_EQ(nullptr, game.GetGameLogic());
    EXPECT_EQ(WindowId::GameLogicMenuExit, game.mainMenuWindow_->GetSource());
    ExpectStopping("05");
    ExpectMusic(0, "00", 2.0f);
    EXPECT_EQ(Background::Shown, MenuBackground());
}

TEST_F(GameFlowTest, RestartingKeepsTheDayMusicInTheStartOfDayWindow) {
    GameProbe& game = MakeGameWithPlayer();
    StartDay();
    PlaySteady(5, "05");
    game.Report(game.gameLogicWindow_, R::GoToLevelMenu);
    game.Report(game.gameLogicMenuWindow_, R::GoToRestart);
    game.Report(game.gameLogicRestartWindow_, R::GoToStart);
    EXPECT_EQ(nullptr, game.GetGameLogic());
    EXPECT_EQ(WindowId::GameLogicRestart, game.startGameLogicWindow_->GetSource());
    EXPECT_EQ("05", Audio().GetSlotTrackName(5));
    EXPECT_EQ(MusicTrack::kNoFade, Audio().FindTrack("05")->GetFadeKind());
    EXPECT_EQ(Background::Shown, MenuBackground());
}

TEST_F(GameFlowTest, AWonDayLeadsThroughLevelCompleteBackToTheMenuMusic) {
    GameProbe& game = MakeGameWithPlayer();
    StartDay();
    Cursor().SetKind(2);
    game.GetGameLogic()->SetState(GameFramework::LevelState::Won);
    game.Pass();
    EXPECT_EQ(WindowId::GameLogic, game.levelCompleteWindow_->GetSource());
    EXPECT_EQ(0, Cursor().GetRequestedKind());
    EXPECT_TRUE(Cursor().IsTrailEnabled());

    PlaySteady(5, "05");
    game.Report(game.levelCompleteWindow_, R::GoToStart);
    EXPECT_EQ(nullptr, game.GetGameLogic());
    EXPECT_EQ(WindowId::LevelComplete, game.startGameLogicWindow_->GetSource());
    ExpectStopping("05");
    ExpectMusic(0, "00", 1.0f);
    EXPECT_EQ(Background::Shown, MenuBackground());
}

TEST_F(GameFlowTest, StageCompleteResultsBringBackTheMenuMusic) {
    for (const R result : {R::GoToStart, R::GoToGameComplete}) {
        SCOPED_TRACE(static_cast<int>(result));
        GameProbe& game = MakeGameWithPlayer();
        StartDay();
        PlaySteady(5, "05");
        game.Report(game.stageCompleteWindow_, result);
        EXPECT_EQ(nullptr, game.GetGameLogic());
        ExpectStopping("05");
        ExpectMusic(0, "00", 1.0f);
        EXPECT_EQ(Background::Shown, MenuBackground());
        game_.reset();
    }
}

TEST_F(GameFlowTest, ALostDayEndsInGameOverWithTheBackgroundFadingIn) {
    GameProbe& game = MakeGameWithPlayer();
    StartDay();
    PlaySteady(5, "05");
    game.GetGameLogic()->SetState(GameFramework::LevelState::Lost);
    // The game-over window answers while opening: its result comes in the next pass.
    game.Pass();
    EXPECT_EQ(WindowId::GameLogic, game.gameOverWindow_->GetSource());
    EXPECT_TRUE(Cursor().IsTrailEnabled());
    game.Pass();
    EXPECT_EQ(nullptr, game.GetGameLogic());
    ExpectStopping("05");
    ExpectMusic(0, "00", 1.0f);
    EXPECT_EQ(Background::FadingIn, MenuBackground());
}

// A window reached from the start-of-day window and its way back: the source it gives
// the start-of-day window and whether the menu music starts again.
struct BackRow {
    std::function<GUIFrameworkWindow*(GameProbe&)> window;
    WindowId source;
    bool menuMusic;
};

TEST_F(GameFlowTest, TheStartOfDayWindowsLeadBackToItWithTheirOwnIds) {
    const std::vector<BackRow> rows = {
        {[](GameProbe& g) { return g.houseWindow_; }, WindowId::House, true},
        {[](GameProbe& g) { return g.upgradeWindow_; }, WindowId::Upgrade, true},
        {[](GameProbe& g) { return g.dayCompleteWindow_; }, WindowId::DayComplete, false},
        {[](GameProbe& g) { return g.meetingWindow_; }, WindowId::Meeting, false},
        {[](GameProbe& g) { return g.mechanicWindow_; }, WindowId::Mechanic, false},
        {[](GameProbe& g) { return g.resetProfileWindow_; }, WindowId::ResetProfile, false},
    };
    for (const BackRow& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.source));
        GameProbe& game = MakeGameWithPlayer();
        GUIFrameworkWindow* window = row.window(game);
        window->Open(WindowId::StartGameLogic);
        PlaySteady(3, "03");
        game.Report(window, R::GoToStart);
        EXPECT_EQ(row.source, game.startGameLogicWindow_->GetSource());
        if (row.menuMusic) {
            ExpectStopping("03");
            ExpectMusic(0, "00", 1.0f);
        } else {
            EXPECT_EQ(MusicTrack::kNoFade, Audio().FindTrack("03")->GetFadeKind());
        }
        game_.reset();
    }
}

TEST_F(GameFlowTest, TheFinalWindowEntersTheDaysPlayedIntoTheHighScores) {
    GameProbe& game = MakeGameWithPlayer();
    Player().SetDay(41);
    game.finalWindow_->Open(WindowId::StartGameLogic);
    PlaySteady(2, "02");
    game.Report(game.finalWindow_, R::GoToHighScores);

    EXPECT_EQ(WindowId::Final, game.highScoresWindow_->GetSource());
    const GameFramework::HighScoreEntry* entry = game.GetHighScoresTable()->GetEntry(Player().GetMode(), 0);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(L"Ann", entry->name);
    EXPECT_EQ(42, entry->score);
    EXPECT_EQ(entry, game.highScoresWindow_->GetEntryToShow());
    ExpectStopping("02");
    ExpectMusic(0, "00", 1.0f);
}

}  // namespace
}  // namespace gameobjecttest
