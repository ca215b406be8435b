// The whole game under an X server, walked by a player from its first window: in
// process, on the built data set, in a fresh user-data folder, every frame a fixed step
// on the virtual clock. The player acts only through injected input (keys, typed text,
// pointer moves and clicks) at the places the game's windows give.
//
// The first run: the logos; the comic, pressed through its balloons and its page; the
// loading; the welcome window, a name typed and Enter; the main menu's play; the
// meeting, its four balloons clicked away; the greeting of the start-of-day window and
// its play; the first day, its hints answered as the day's script asks and then every
// customer served by the replay harness's player until the clock ends the day; the
// level-complete message; the day's results counted up and continued; the start-of-day
// window counting the money up; back, the main menu, exit and quit. The second run over
// the same folders: no comic, the main menu greeting the same name, and play leading to
// the next day's start-of-day window, with the profile holding what the first run did.
//
// At every screen the frame is kept as "captures/game_walk_<n>_<screen>.png" and
// checked for content. Neither run's log holds an error or a fatal line.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/Tutorial.h"
#include "game/Clock.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIConversationWindow.h"
#include "game/screens/GUIDayCompleteWindow.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "game/screens/GUILogosWindow.h"
#include "game/screens/GUIMeetingWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "game/screens/IntroductionScript.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/e2e/GameWalk.h"
#include "tests/game/e2e/ScreenPictures.h"
#include "tests/game/object/GameObjectFixture.h"
#include "tests/game/replay/DayPlayer.h"
#include "tests/game/replay/DayRunner.h"
#include "tests/game/replay/InputDriver.h"
#include "tests/game/replay/ReplayScript.h"
#include "tests/game/replay/data_set/FirstDayHints.h"

namespace e2e {
namespace {

using gameobjecttest::GameProbe;
using testing::IsEmpty;
using GameFramework::GUIFrameworkWindow;
using GameFramework::WindowId;
using Step = Morvane::IntroductionScript::Step;

constexpr const wchar_t* kPlayerName = L"Mira Holt";
// Seconds a window is given after it counts as shown, for its controls' transitions and
// its title's printing, before it is pictured.
constexpr float kSettleSeconds = 1.5f;
// The longest first day the walk waits for, in frames.
constexpr unsigned kDayFrames = 20000;
// Seconds a hint is shown before it is pictured: its box has come in, and the script's
// press has not yet come.
constexpr float kHintPictureSeconds = 0.6f;

Morvane::GUIMenuWindow& Menu(GUIFrameworkWindow* window) { return dynamic_cast<Morvane::GUIMenuWindow&>(*window); }

bool Shown(GUIFrameworkWindow* window) { return window && Menu(window).IsShown(); }

// A control of a menu window by its path below the layout.
GUITools::GUIControl& Control(GUIFrameworkWindow* window, const std::string& path) {
    Morvane::GUIMenuWindow& menu = Menu(window);
    return *menu.GetControl(menu.GetLayoutName() + path);
}

Vantor::GUIButton& Button(GUIFrameworkWindow* window, const std::string& path) {
    Morvane::GUIMenuWindow& menu = Menu(window);
    return *menu.GetButton(menu.GetLayoutName() + path);
}

// The value the text's parameter was last given, if any.
std::optional<std::wstring> Parameter(const GUITools::GUIControl& control, const std::wstring& name) {
    const auto& text = dynamic_cast<const GUITools::GUITextControl&>(control);
    const auto found = std::find(text.parameterNames.begin(), text.parameterNames.end(), name);
    if (found == text.parameterNames.end()) return std::nullopt;
    return text.parameterValues[static_cast<std::size_t>(found - text.parameterNames.begin())];
}

float LastFrame(const Vantor::AnimationControl& animation) {
    return static_cast<float>(animation.GetFrameCount()) - 1.0f;
}

int Number(const std::optional<std::wstring>& value) { return value ? std::stoi(*value) : -1; }

// A button the player can press: in view, fully faded in and not disabled.
bool Pressable(const Vantor::GUIButton& button) {
    return button.IsVisible() && button.GetAlpha() > 0.99f && button.state != Vantor::GUIButton::kDisabled;
}

// A speech balloon up and fully faded in, still to be clicked away.
bool Talking(const Morvane::GUITextBalloonWindow* balloon) {
    return balloon && balloon->active && balloon->shown && balloon->GetBalloonWindow()->GetAlpha() > 0.99f;
}

std::string LogErrors(const std::string& log) {
    std::istringstream lines(log);
    std::string faults;
    for (std::string line; std::getline(lines, line);)
        if (line.find("Error: ") != std::string::npos || line.find("PROGRAM ABORTING") != std::string::npos)
            faults += line + "\n";
    return faults;
}

class GameWalkSdlTest : public gameobjecttest::GameObjectSdlFixture {
protected:
    void TearDown() override {
        walk_.reset();
        GameObjectFixture::TearDown();
    }

    GameProbe& Run() {
        GameProbe& game = MakeGame();
        walk_ = std::make_unique<GameWalk>(game);
        return game;
    }
    // The game goes as the program deletes it when its loop ends; its log is complete.
    void EndRun() {
        walk_.reset();
        game_.reset();
        const std::string log = home_.folder.ReadFile(std::string(kGameFolder) + "/Morvane.html");
        EXPECT_FALSE(log.empty()) << "no log";
        EXPECT_EQ("", LogErrors(log));
    }

    void Picture(const std::string& screen) { EXPECT_THAT(pictures_.Take(screen), IsEmpty()); }

    // The menu window shown and its look settled; pictured.
    void Settled(GUIFrameworkWindow* window, const std::string& screen) {
        ASSERT_TRUE(walk_->Until([&] { return Shown(window); })) << screen << " never shows";
        walk_->Wait(kSettleSeconds);
        Picture(screen);
    }
    void Press(Vantor::GUIButton& button, const std::string& what) {
        ASSERT_TRUE(walk_->Until([&] { return Pressable(button); })) << what << " never takes a press";
        GameWalk::Click(button);
        walk_->Frame();
    }

    // Each splash picture once it has faded in.
    void ThroughLogos(GameProbe& game, const std::string& run) {
        auto& logos = dynamic_cast<Morvane::GUILogosWindow&>(*game.logosWindow_);
        for (Vantor::GUIWindow* splash : {logos.GetSecondPicture(), logos.GetFirstPicture()}) {
            ASSERT_NE(nullptr, splash);
            ASSERT_TRUE(walk_->Until([&] { return splash->IsVisible() && splash->GetAlpha() > 0.99f; }));
            Picture(run + (splash == logos.GetFirstPicture() ? "logos_first" : "logos_second"));
        }
    }

    // Each balloon pressed on once it is up, the page under the prompt once the prompt
    // has faded in, until the comic hands over to the loading window.
    void ThroughComic(GameProbe& game) {
        Morvane::GUIIntroductionWindow& comic = *game.introductionWindow_;
        int pressedStep = 0, balloons = 0, pages = 0;
        const bool ended = walk_->Until(
            [&] {
                if (game.gameLoadingWindow_->GetSource() == WindowId::Introduction) return true;
                const auto& steps = Morvane::IntroductionScript::Steps();
                const auto step = std::find_if(steps.begin(), steps.end(),
                                               [&](const Step& s) { return s.step == comic.GetStep(); });
                if (step == steps.end() || step->step == pressedStep) return false;
                if (step->wait == Step::Wait::ClickWait && comic.GetTimer() >= Morvane::GUIIntroductionWindow::kClickGuard &&
                    comic.GetBalloonText().GetFadeValue() > 0.99f) {
                    if (balloons++ == 0) Picture("comic_balloon");
                    GameWalk::Click(*comic.GetControl(comic.GetLayoutName() + step->control)->GetWindow());
                    pressedStep = step->step;
                } else if (step->wait == Step::Wait::ClickPage &&
                           comic.GetTimer() > Morvane::GUIIntroductionWindow::kPageHintStart + 1.0f) {
                    if (pages++ == 0) Picture("comic_page");
                    // The page offers no place: the press goes to the middle of the screen.
                    GameWalk::ClickAt(400.0f, 300.0f);
                    pressedStep = step->step;
                }
                return false;
            },
            6000);
        ASSERT_TRUE(ended) << "the comic did not end; at step " << comic.GetStep();
        EXPECT_EQ(8, balloons);
        EXPECT_EQ(1, pages);
    }

    // The bar half way, then the loading to its end.
    void ThroughLoading(GameProbe& game, const std::string& run) {
        auto& loading = dynamic_cast<Morvane::GUIGameLoadingWindow&>(*game.gameLoadingWindow_);
        ASSERT_TRUE(walk_->Until([&] {
            const Vantor::AnimationControl* bar = loading.GetProgressAnimation();
            return loading.IsShown() && bar->GetPosition() >= 0.5f * LastFrame(*bar);
        })) << "the loading never reaches half way";
        Picture(run + "loading");
        ASSERT_TRUE(walk_->Until([&] { return game.mainMenuWindow_ != nullptr; }, 5000)) << "the loading never ends";
    }

    // The four balloons clicked away, each once it is up.
    void ThroughMeeting(GameProbe& game) {
        auto& meeting = dynamic_cast<Morvane::GUIConversationWindow&>(*game.meetingWindow_);
        int clicks = 0;
        ASSERT_TRUE(walk_->Until([&] {
            if (Shown(game.startGameLogicWindow_)) return true;
            for (Morvane::GUITextBalloonWindow* balloon : {&meeting.GetSpeakerBalloon(), &meeting.GetGirlBalloon()})
                if (Talking(balloon)) {
                    if (clicks++ == 0) Picture("meeting");
                    GameWalk::Click(*balloon->GetBalloonWindow());
                }
            return false;
        })) << "the meeting never ends; at step " << meeting.GetStep();
        EXPECT_EQ(4, clicks);
    }

    // The script's hints, then the player's service until the day is won; pictures of the
    // first hint and of a customer waiting after half the day.
    void ThroughFirstDay(GameProbe& game) {
        ASSERT_TRUE(walk_->Until([&] { return walk_->GetDay() != nullptr; })) << "no day starts";
        replay::DayRunner runner(*walk_);
        const replay::ReplayScript hints = replay::ReplayScript::Parse(replay::kFirstDayHints);
        runner.Follow(hints);
        const GameFramework::Tutorial& tutorial = *game.GetTutorial();
        bool hintPictured = false;
        ASSERT_TRUE(runner.RunUntil(
            [&] {
                if (!hintPictured && tutorial.IsActive() && tutorial.GetHint() == 1 && tutorial.GetElapsed() > kHintPictureSeconds) {
                    Picture("day_first_hint");
                    hintPictured = true;
                }
                return runner.GetFrame() > hints.GetSteps().back().frame + 10;
            },
            hints.GetSteps().back().frame + 20));
        EXPECT_TRUE(hintPictured);
        EXPECT_THAT(runner.GetFaults(), IsEmpty());
        for (unsigned hint = 1; hint <= 9; ++hint) EXPECT_TRUE(tutorial.IsShown(hint)) << "hint " << hint;

        replay::DayPlayer player(static_cast<const Morvane::GameData&>(*game.GetGameData()), &tutorial);
        runner.SetPlayer(&player);
        bool servicePictured = false;
        ASSERT_TRUE(runner.RunUntil(
            [&] {
                if (!servicePictured && walk_->GetDay()->GetClock()->GetProgress() >= 0.5f && CustomerWaiting()) {
                    Picture("day_service");
                    servicePictured = true;
                }
                return runner.IsDayWon();
            },
            kDayFrames))
            << "the day did not end";
        EXPECT_TRUE(servicePictured);
        EXPECT_THAT(runner.GetFaults(), IsEmpty());
        dayLog_ = runner.GetLog().ToText();
    }

    // A customer of the running day waits in full view.
    bool CustomerWaiting() const {
        for (const auto& customer : walk_->GetDay()->GetCustomerManager()->GetCustomers())
            if (customer && customer->GetState() == Morvane::kWaiting && customer->GetFigureWindow()->GetAlpha() > 0.99f)
                return true;
        return false;
    }

    // The message's pieces all in place.
    void ThroughLevelComplete(GameProbe& game) {
        auto& complete = dynamic_cast<Morvane::GUILevelCompleteWindow&>(*game.levelCompleteWindow_);
        ASSERT_TRUE(walk_->Until([&] {
            if (!complete.IsShown()) return false;
            return std::all_of(complete.GetPieces().begin(), complete.GetPieces().end(), [](const Vantor::Model* piece) {
                const Vantor::AnimationControl& path = *piece->GetAnimationControl();
                return path.GetPosition() >= LastFrame(path);
            });
        })) << "the day-completed message never settles";
        Picture("level_complete");
    }

    // The results counted up to their end; the total read as the player sees it, then
    // continued.
    int ThroughDayResults(GameProbe& game) {
        GUIFrameworkWindow* results = game.dayCompleteWindow_;
        EXPECT_TRUE(walk_->Until([&] { return Shown(results); })) << "no day results";
        // The three figures count one after another and end 4.35 s after the window shows.
        walk_->Wait(5.0f);
        Picture("day_results");
        const int sales = Number(Parameter(Control(results, "/window/food_sales"), L"MONEY"));
        const int tips = Number(Parameter(Control(results, "/window/tips"), L"MONEY"));
        const int total = Number(Parameter(Control(results, "/window/total_sales"), L"MONEY"));
        EXPECT_GT(sales, 0) << dayLog_;
        EXPECT_EQ(sales + tips, total);
        Press(Button(results, "/window/button_0"), "continue");
        return total;
    }

    // The money counting up from the day before, pictured half way, to the day's total.
    void ThroughMoneyCount(GameProbe& game, int total) {
        auto& start = dynamic_cast<Morvane::GUIStartGameLogicWindow&>(*game.startGameLogicWindow_);
        const Morvane::CountUp& money = start.GetMoneyCount();
        ASSERT_TRUE(walk_->Until([&] {
            return start.IsShown() && money.running && money.shown >= money.start + 0.5f * (money.target - money.start);
        })) << "the money never counts up";
        Picture("start_of_day_money");
        const int counted = Number(Parameter(Control(&start, "/window/money/text"), L"MONEY"));
        EXPECT_GT(counted, 0);
        EXPECT_LT(counted, total);
        ASSERT_TRUE(walk_->Until([&] { return !money.running; }));
        EXPECT_EQ(total, Number(Parameter(Control(&start, "/window/money/text"), L"MONEY")));
    }

    std::unique_ptr<GameWalk> walk_;
    ScreenPictures pictures_{"game_walk"};
    std::string dayLog_;
};

TEST_F(GameWalkSdlTest, APlayerWalksFromTheFirstRunThroughTheFirstDayToTheNextDaysStart) {
    // The first run.
    GameProbe& first = Run();
    ASSERT_NE(nullptr, first.introductionWindow_) << "a first run tells the comic";
    ThroughLogos(first, "");
    ThroughComic(first);
    ThroughLoading(first, "");

    ASSERT_TRUE(walk_->Until([&] { return Shown(first.welcomeWindow_); })) << "no welcome";
    walk_->Wait(kSettleSeconds);
    ASSERT_TRUE(walk_->Type(kPlayerName));
    walk_->Wait(0.5f);
    Picture("welcome");
    ASSERT_TRUE(replay::InputDriver::PressKey("ENTER"));

    Settled(first.mainMenuWindow_, "main_menu");
    Press(Button(first.mainMenuWindow_, "/window/start"), "play");
    ThroughMeeting(first);

    auto& start = dynamic_cast<Morvane::GUIStartGameLogicWindow&>(*first.startGameLogicWindow_);
    ASSERT_TRUE(walk_->Until([&] { return start.IsShown() && Talking(start.GetOwnerBalloon()); }))
        << "no greeting";
    Picture("start_of_day_greeting");
    Press(Button(&start, "/window/play"), "play");

    ThroughFirstDay(first);
    ThroughLevelComplete(first);
    const int total = ThroughDayResults(first);
    ThroughMoneyCount(first, total);
    Press(Button(&start, "/window/back"), "back");

    Settled(first.mainMenuWindow_, "main_menu_again");
    Press(Button(first.mainMenuWindow_, "/window/exit"), "exit");
    Settled(first.exitWindow_, "exit");
    Press(Button(first.exitWindow_, "/window/button_1"), "quit");
    ASSERT_TRUE(walk_->Until([&] { return first.IsExitRequested(); }, 10)) << "quitting did not end the game";
    const unsigned firstRunFrames = walk_->GetFrames();
    EndRun();

    // The second run over the same folders.
    GameProbe& second = Run();
    EXPECT_EQ(nullptr, second.introductionWindow_) << "the comic is told once";
    ThroughLogos(second, "again_");
    ThroughLoading(second, "again_");
    Settled(second.mainMenuWindow_, "again_main_menu");
    EXPECT_EQ(kPlayerName, Parameter(Control(second.mainMenuWindow_, "/title"), L"PROFILE_NAME").value_or(L""));
    Press(Button(second.mainMenuWindow_, "/window/start"), "play");
    Settled(second.startGameLogicWindow_, "again_start_of_day");
    EXPECT_EQ(L"2", Parameter(Control(second.startGameLogicWindow_, "/title"), L"DAY").value_or(L""));

    const Morvane::Profile& player = *walk_->Profiles().GetCurrent();
    EXPECT_EQ(kPlayerName, player.GetName());
    EXPECT_EQ(1, player.GetDay());
    EXPECT_EQ(total, player.GetMoney());
    EXPECT_TRUE(player.HasFlag(Morvane::Profile::kFlagMeetingShown));
    EXPECT_TRUE(player.HasFlag(Morvane::Profile::kFlagGreetingGiven));
    for (unsigned hint = 1; hint <= 9; ++hint) EXPECT_TRUE(second.GetTutorial()->IsShown(hint)) << "hint " << hint;
    const unsigned secondRunFrames = walk_->GetFrames();
    EndRun();

    std::string written;
    for (const std::string& file : pictures_.GetFiles()) written += " " + file;
    std::printf("frames: %u + %u; pictures:%s\n", firstRunFrames, secondRunFrames, written.c_str());
}

}  // namespace
}  // namespace e2e
