// The game's frame on the headless backend and the virtual clock: the active test, the
// one pause of an inactive period and what coming back restores, idle frames, a system
// suspension, the follow-up of a windowed/full-screen switch and the frame that ends the
// run.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/kernel/Config.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/RenderSystem.h"
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "framework/AudioManager.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/MusicTrack.h"
#include "framework/Tutorial.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "platform/Clock.h"
#include "platform/DirectDrawSeams.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/framework/TestGameFixture.h"

namespace frameworktest {
namespace {

using GameFramework::GameLogicBase;
using GameFramework::LevelState;

constexpr std::uint64_t kIdleSleepMicroseconds = 300000;

// The test game with the device resets and the music's state at that moment written
// into a journal of their own.
class FrameTestGame : public TestGame {
public:
    using TestGame::TestGame;

    void RestoreDevice() override {
        TestGame::RestoreDevice();
        resets.push_back("restore device, music " + std::to_string(GetAudioManager()->GetSlotState(0)));
    }

    Journal resets;
};

class GameFrameTest : public TestGameFixture {
protected:
    TestGame& Game() {
        if (!game_) {
            MakeGameWithWindows();
            Frames(1);  // the window is shown and focused
            journal_.clear();
        }
        return *game_;
    }

    void Frames(int count) {
        for (int frame = 0; frame < count; ++frame) game_->Frame();
    }

    static HWND Handle() { return static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle(); }

    // The first level, running with its timer going.
    // The first level, played by "Ann".
    GameLogicBase& StartLevel() {
        TestGame& game = Game();
        GameFramework::ProfileManagerBase* profiles = game.GetProfileManager();
        profiles->SelectProfile(profiles->CreateProfileIfMissing(L"Ann"), true);
        const GameFramework::LevelManagerBase* levels = game.GetLevelManager();
        game.SetGameLogic(game.CreateGameLogic(levels->GetStage(0), levels->GetLevel({0, 0}), 0));
        game.GetGameLogic()->SetTimerPaused(false);
        return *game.GetGameLogic();
    }

    int Updates() const {
        return static_cast<int>(std::count_if(journal_.begin(), journal_.end(),
                                              [](const std::string& e) { return e.rfind("update ", 0) == 0; }));
    }

    static Vantor::Config& Config() { return *Vantor::Config::Instance(); }

    // The game with a looping track playing in slot 0.
    FrameTestGame& MakeGameWithMusic() {
        const std::vector<std::uint8_t> wav =
            Content::WavWriter::Write({}, Content::WavWriter::SampleBytes(std::vector<std::int16_t>(44100, 1000)));
        home_.folder.WriteFile("data/audio/theme.wav", std::string(wav.begin(), wav.end()));
        game_ = std::make_unique<FrameTestGame>(journal_, home_.root);
        game_->CreateWindows();
        game_->GetAudioManager()->AddMusic("00", L"audio\\theme.wav", true);
        game_->GetAudioManager()->PlayMusic(0, "00", false, 1.0f);
        Frames(2);
        journal_.clear();
        return static_cast<FrameTestGame&>(*game_);
    }

    static Vantor::Sound& Music(TestGame& game) { return *game.GetAudioManager()->FindSlotTrack(0)->GetSound(); }
};

// --- Focus lost and regained ---

TEST_F(GameFrameTest, FocusLostWhileALevelRunsPausesItOnceWithThePauseWindow) {
    GameLogicBase& level = StartLevel();
    auto* display = static_cast<GameFramework::GUIGameLogicWindowBase*>(Game().FindWindow("level_display"));
    display->SetActive(true);

    platform::seam::InjectFocusLost(Handle());
    Frames(3);

    EXPECT_EQ(level.GetState(), LevelState::Paused);
    EXPECT_FALSE(display->IsActive());
    EXPECT_EQ(Entries("open "), std::vector<std::string>{"pause from 1"});

    platform::seam::InjectFocusGained(Handle());
    Frames(2);
    // The player resumes from the pause window.
    EXPECT_EQ(level.GetState(), LevelState::Paused);
    EXPECT_TRUE(level.IsTimerPaused());
    EXPECT_EQ(Entries("open "), std::vector<std::string>{"pause from 1"});
}

TEST_F(GameFrameTest, FocusLostWithAHintOrAFinishedLevelPausesOnlyTheTimerAndReturnGivesItBack) {
    struct Case {
        const char* name;
        LevelState state;
        bool hint;
        bool timerPausedBefore;
    };
    // A hint still waiting for its delay leaves the timer running.
    for (const Case& c : {Case{"hint", LevelState::Running, true, false}, Case{"won", LevelState::Won, false, true},
                          Case{"hint, timer already paused", LevelState::Running, true, true}}) {
        SCOPED_TRACE(c.name);
        GameLogicBase& level = StartLevel();
        level.SetState(c.state);
        level.SetTimerPaused(c.timerPausedBefore);
        if (c.hint) Game().GetTutorial()->StartHint(3, 100.0f);
        Frames(1);
        journal_.clear();

        platform::seam::InjectFocusLost(Handle());
        Frames(3);
        EXPECT_TRUE(level.IsTimerPaused());
        EXPECT_EQ(level.GetState(), c.state);
        EXPECT_TRUE(Entries("open ").empty());

        platform::seam::InjectFocusGained(Handle());
        Frames(2);
        EXPECT_EQ(level.IsTimerPaused(), c.timerPausedBefore);
        game_.reset();
    }
}

TEST_F(GameFrameTest, FocusLostWithoutALevelPausesNothingAndFramesGoOnAfterReturn) {
    Game();
    platform::seam::InjectFocusLost(Handle());
    Frames(1);  // the frame that sees the loss
    journal_.clear();
    Frames(2);
    EXPECT_EQ(Updates(), 0);
    platform::seam::InjectFocusGained(Handle());
    Frames(2);  // an idle frame pumps the return
    EXPECT_GT(Updates(), 0);
    EXPECT_TRUE(Entries("open ").empty());
}

// --- Idle frames ---

TEST_F(GameFrameTest, InactiveFramesUpdateAndDrawNothingSilenceSoundsAndSleep300Milliseconds) {
    FrameTestGame& game = MakeGameWithMusic();
    platform::seam::InjectMinimize(Handle());
    Frames(1);  // the frame that sees the minimise
    journal_.clear();
    platform::seam::ClearDeviceCalls();
    const std::uint64_t start = platform::NowMicroseconds();
    Frames(3);
    EXPECT_EQ(platform::NowMicroseconds() - start, 3 * kIdleSleepMicroseconds);
    EXPECT_EQ(Updates(), 0);
    EXPECT_TRUE(platform::seam::DeviceCalls().empty());
    EXPECT_FALSE(Music(game).IsActive());

    platform::seam::InjectRestore(Handle());
    Frames(2);
    EXPECT_GT(Updates(), 0);
    EXPECT_FALSE(platform::seam::DeviceCalls().empty());
    EXPECT_TRUE(Music(game).IsActive());
}

TEST_F(GameFrameTest, ASuspensionOnlySleepsAfterItsFirstFrameAndEndsWithTheResume) {
    StartLevel();
    platform::seam::InjectPowerBroadcast(PBT_APMSUSPEND);
    Frames(1);  // pumps the announcement
    Frames(1);  // the first suspended frame runs the inactive path: the level is paused
    EXPECT_EQ(Entries("open "), std::vector<std::string>{"pause from 1"});
    journal_.clear();

    const std::uint64_t start = platform::NowMicroseconds();
    Frames(4);
    EXPECT_EQ(platform::NowMicroseconds() - start, 4 * kIdleSleepMicroseconds);
    EXPECT_EQ(Updates(), 0);

    platform::seam::InjectPowerBroadcast(PBT_APMRESUMESUSPEND);
    Frames(1);  // still asleep, but it sees the resume
    EXPECT_FALSE(Vantor::Window::Instance()->IsSuspended());
    Frames(1);
    EXPECT_GT(Updates(), 0);
}

// --- Display-mode switch ---

TEST_F(GameFrameTest, WindowModeSwitchHandsOverAfterTwoFrameEndsAndTheNextFrameResetsTheDevice) {
    FrameTestGame& game = MakeGameWithMusic();
    Config().ExecuteLine("v_fullscreen 1");
    Config().SetCommandState("v_window_change_mode", 0);
    Frames(1);
    EXPECT_EQ(Config().GetCommandState("v_window_change_mode"), 0);
    EXPECT_EQ(Config().GetCommandState("g_update_video_mode"), 1);
    Frames(1);
    EXPECT_EQ(Config().GetCommandState("v_window_change_mode"), 1);
    EXPECT_EQ(Config().GetCommandState("g_update_video_mode"), 0);
    EXPECT_TRUE(game.resets.empty());

    Frames(1);
    EXPECT_EQ(game.resets, std::vector<std::string>{"restore device, music 1"});
    EXPECT_EQ(Config().GetCommandState("g_update_video_mode"), 1);
    EXPECT_FALSE(Vantor::RenderSystem::Instance()->IsResetPending());
    const GameFramework::MusicTrack* track = game.GetAudioManager()->FindSlotTrack(0);
    EXPECT_EQ(track->GetFadeKind(), GameFramework::MusicTrack::kFadeIn);
    EXPECT_FLOAT_EQ(track->GetFadeRate(), 0.5f);
    EXPECT_EQ(game.GetAudioManager()->GetSlotState(0), 0);

    Frames(2);
    EXPECT_EQ(game.resets.size(), 1u);
}

TEST_F(GameFrameTest, UnchangedDisplayModeLeavesTheDeviceAlone) {
    FrameTestGame& game = MakeGameWithMusic();
    Config().SetCommandState("g_update_video_mode", 0);
    Frames(2);
    EXPECT_TRUE(game.resets.empty());
    EXPECT_EQ(Config().GetCommandState("g_update_video_mode"), 1);
}

// --- The end of the run ---

TEST_F(GameFrameTest, AFrameThatIssuesExitFinishesItsFrameEnd) {
    TestGame& game = Game();
    game.handlerActions["logos"] = [&game] { game.GetEngine()->RequestExit(); };
    Frames(1);
    EXPECT_TRUE(game.IsExitRequested());
    EXPECT_TRUE(enginetest::Logged("\nExiting...\n\n"));
    EXPECT_GT(Updates(), 0);
}

}  // namespace
}  // namespace frameworktest
