// The start-of-day window: its displays, the arrow, the forwarding of sources, the story
// told once per event over successive openings, the advice, the dialogue's steps and
// balloons, the buttons, the cheat keys and the count-ups' timing and sounds.

#include "game/screens/GUIStartGameLogicWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/ProfileManager.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUIParticlesEffect.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/game/screens/StartGameBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;
using Morvane::GUIStartGameLogicWindow;
using Morvane::Profile;
using testing::ElementsAre;


class GUIStartGameLogicWindowTest : public screenstest::StartGameBench {
protected:
    float BarPosition(const std::string& path) const {
        return Control(path).GetWindow()->GetModel()->GetAnimationControl()->GetPosition();
    }
    // The count-ups' sounds ("13" to "19") started since the last call.
    std::vector<std::string> CountSounds() {
        std::vector<std::string> sounds;
        for (const std::string& effect : TakePlayedEffects())
            if (effect >= "13" && effect <= "19") sounds.push_back(effect);
        return sounds;
    }
    // The flags of Anna's file as the next start reads them.
    std::uint32_t SavedFlags() const {
        Morvane::ProfileManager reread(audio_.get(), home_.root + L"\\user");
        reread.SelectProfile(reread.FindProfile(L"Anna"), false);
        return reread.GetCurrent()->GetFlags();
    }
    // Every balloon of the dialogue clicked away until it ends; the events' keys said.
    std::vector<std::wstring> TellToTheEnd() {
        std::vector<std::wstring> said;
        while (window_->IsDialogueRunning()) {
            Morvane::GUITextBalloonWindow* balloon = nullptr;
            RunUntil([&] {
                for (Morvane::GUITextBalloonWindow* b : {window_->GetOwnerBalloon(), window_->GetGirlBalloon()})
                    if (b && b->active) balloon = b;
                return balloon != nullptr || !window_->IsDialogueRunning();
            });
            if (!balloon || HasFailure()) break;
            said.push_back(Said(*balloon));
            ClickAway(*balloon);
            RunUntil([&] { return !balloon->active; });
            Frame();
        }
        return said;
    }
};

// --- Displays ---

TEST_F(GUIStartGameLogicWindowTest, TheMoodShowsFifthsAndTheBuildingStatusKeepsTheMoodsColour) {
    MakeStartWindow();
    struct Case {
        float mood;
        std::vector<std::string> houses;
        const char* moodKey;
        const char* statusKey;
        Vantor::Color colour;
    };
    const Case cases[] = {{0.2f, {}, "start_game/mood_1", "start_game/building_status_1", {1.0f, 127.0f / 255, 0, 1}},
                          {1.0f, {}, "start_game/mood_4", "start_game/building_status_4", {0, 1, 0, 1}},
                          {0.0f, {"roof", "chimney", "garden"}, "start_game/mood_0", "start_game/building_status_5",
                           {1, 0, 0, 1}}};
    for (const Case& test : cases) {
        Anna().Reset();
        SetStory(kQuietFlags | 0x100 | 0x200, 1, 0, 0, test.mood, test.houses);
        OpenFrom(WindowId::Game);
        EXPECT_EQ(Text("/window/mood_progress/text").keys, test.moodKey);
        EXPECT_EQ(Text("/window/building_status").keys, test.statusKey);
        const Vantor::Color& colour = Text("/window/building_status").colour;
        EXPECT_FLOAT_EQ(colour.x, test.colour.x);
        EXPECT_FLOAT_EQ(colour.y, test.colour.y);
        EXPECT_FLOAT_EQ(colour.z, test.colour.z);
        EXPECT_FLOAT_EQ(BarPosition("/window/mood_progress/progress"), test.mood * 10.0f);
        window_->Close();
        RunUntil([&] { return menus_->IsLockFree(); });
    }
}

TEST_F(GUIStartGameLogicWindowTest, FifteenMachinesFillFiveStarsAndFourteenLeaveTheFifthBarAtTwoThirds) {
    MakeStartWindow();
    SetStory(kQuietFlags | 0x400, 14, 0);
    OpenFrom(WindowId::Game);
    for (int star = 0; star < 4; ++star) {
        EXPECT_TRUE(Enabled("/window/cafe_" + std::to_string(star) + "/full"));
        EXPECT_FLOAT_EQ(BarPosition("/window/cafe_" + std::to_string(star) + "/progress"), 10.0f);
    }
    EXPECT_FALSE(Enabled("/window/cafe_4/full"));
    EXPECT_NEAR(BarPosition("/window/cafe_4/progress"), 10.0f * 2.0f / 3.0f, 1e-4f);
    window_->Close();
    Anna().AddMachine("m14");
    OpenFrom(WindowId::Game);
    EXPECT_TRUE(Enabled("/window/cafe_4/full"));
    EXPECT_FLOAT_EQ(BarPosition("/window/cafe_4/progress"), 10.0f);
}

TEST_F(GUIStartGameLogicWindowTest, TheQualificationBarCountsWithinItsLevelAndTheTopLevelShowsTheMaximum) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 0, 150);
    OpenFrom(WindowId::Game);
    EXPECT_TRUE(Enabled("/window/star_experience_0/full"));
    EXPECT_FALSE(Enabled("/window/star_experience_1/full"));
    EXPECT_FLOAT_EQ(BarPosition("/window/experience_progress/progress"), 5.0f);
    EXPECT_EQ(ShownText(Text("/window/experience_progress/text")), L"50 / 100");
    EXPECT_FALSE(Enabled("/window/experience_max"));
    window_->Close();
    Anna().SetQualification(300);
    OpenFrom(WindowId::Game);
    EXPECT_FALSE(Enabled("/window/experience_progress"));
    EXPECT_TRUE(Enabled("/window/experience_max"));
    EXPECT_TRUE(Enabled("/window/star_experience_2/full"));
    EXPECT_FALSE(Enabled("/window/star_experience_3/full"));
}

TEST_F(GUIStartGameLogicWindowTest, WithoutThresholdsTheTopStateShowsAndAnEmptySpanIsAFullBar) {
    // Mended: no threshold used to read past the list; an empty span divided by zero.
    MakeStartWindow(Character("", Machines(15)));
    SetStory(kQuietFlags, 1, 0, 40);
    OpenFrom(WindowId::Game);
    EXPECT_TRUE(Enabled("/window/experience_max"));
    EXPECT_FALSE(Enabled("/window/experience_progress"));
    EXPECT_EQ(window_->GetQualificationLevel(40), 0u);
}

TEST_F(GUIStartGameLogicWindowTest, ALevelWhoseNextThresholdIsNotAboveItsOwnShowsAFullBar) {
    MakeStartWindow(Character("<a tips=\"0\"/><b tips=\"100\"/><c tips=\"0\"/><d tips=\"100\"/>", Machines(15)));
    SetStory(kQuietFlags, 1, 0, 50);
    Anna().GetDayResult().tips = 60;
    Anna().GetDayResult().foodSales = 0;
    Anna().GetDayResult().mood = 0.5f;
    Anna().SetQualification(110);
    OpenFrom(WindowId::DayComplete);
    // The star of level 1 fills at 100; level 1 ends where it starts.
    EXPECT_TRUE(RunUntil([&] { return Enabled("/window/star_experience_0/full"); }, 5.0f));
    EXPECT_FLOAT_EQ(BarPosition("/window/experience_progress/progress"), 10.0f);
    EXPECT_TRUE(std::isfinite(window_->GetQualificationCount().shown));
}

TEST_F(GUIStartGameLogicWindowTest, TheArrowStandsAtEachTargetTurnedAboutItsMiddle) {
    MakeStartWindow();
    struct Case {
        int target;
        std::uint32_t flags;
        int machines;
        int money;
        std::vector<std::string> houses;
        WindowId source;
        Vantor::Vector2 position;
        float angle;
    };
    const Case cases[] = {
        {1, 0x1 | 0x2 | 0x4, 1, 0, {}, WindowId::Game, {191, 355}, 5.75f},
        {3, kQuietFlags | 0x40, 1, 0, {}, WindowId::Game, {191, 134}, 5.75f},
        {4, kQuietFlags | 0x20 | 0x100, 1, 400, {"roof"}, WindowId::Game, {558, 119}, 9.95f},
        {5, kQuietFlags | 0x20 | 0x100, 1, 100, {}, WindowId::Game, {558, 147}, 9.95f},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.target);
        Anna().Reset();
        SetStory(test.flags, test.machines, test.money, 0, 0.9f, test.houses);
        OpenFrom(test.source);
        ASSERT_TRUE(RunUntil([&] { return window_->GetArrowTarget() == test.target; }, 2.0f));
        Frame();
        const GUITools::GUIWindowControl& arrow = window_->GetArrow();
        EXPECT_EQ(arrow.GetPosition().x, test.position.x);
        EXPECT_EQ(arrow.GetPosition().y, test.position.y);
        EXPECT_FLOAT_EQ(window_->GetArrowAngle(), test.angle);
        // The turn is about the quad's middle: the box's centre stays the window's centre.
        const Vantor::Vector3& centre = arrow.GetWindow()->GetModel()->GetBoundingBox().centre;
        EXPECT_NEAR(centre.x, test.position.x + 48.0f, 0.5f);
        EXPECT_NEAR(centre.y, test.position.y + 48.0f, 0.5f);
        EXPECT_FALSE(arrow.GetWindow()->IsRectangleHitTest());
        window_->Close();
        RunUntil([&] { return menus_->IsLockFree(); });
    }
    // Target 2: a day that raised the qualification level.
    Anna().Reset();
    SetStory(kQuietFlags, 1, 0, 120);
    Anna().GetDayResult().tips = 40;
    OpenFrom(WindowId::DayComplete);
    ASSERT_TRUE(RunUntil([&] { return window_->GetArrowTarget() == 2; }, 2.0f));
    EXPECT_EQ(window_->GetArrow().GetPosition().y, 234.0f);
}

// --- Opening: sources and story ---

TEST_F(GUIStartGameLogicWindowTest, ANewPlayerMeetsTheOwnerFirstAndIsThenGreetedWithOnlyPlayAndBack) {
    MakeStartWindow();
    window_->Open(WindowId::MainMenu);
    EXPECT_EQ(window_->GetResult(), WindowResult::GoToMeeting);
    EXPECT_FALSE(window_->IsResultSeen());
    EXPECT_FALSE(window_->IsOpen());
    EXPECT_EQ(SavedFlags(), 0x1u);
    OpenFrom(WindowId::Meeting);
    EXPECT_EQ(Said(*window_->GetOwnerBalloon()), L"Welcome to the cafe!");
    EXPECT_EQ(window_->GetOwnerBalloon(), &window_->GetOwnerShortBalloon());
    EXPECT_TRUE(Enabled("/window/play"));
    EXPECT_TRUE(Enabled("/window/back"));
    EXPECT_FALSE(Enabled("/window/button_0"));
    EXPECT_FALSE(Enabled("/window/button_1"));
    EXPECT_TRUE(window_->GetPlayHint().IsActive());
    EXPECT_EQ(SavedFlags(), 0x3u);
}

TEST_F(GUIStartGameLogicWindowTest, SourcesThatDoNotShowTheWindowForwardTheirResults) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 0);
    struct Case {
        WindowId source;
        WindowResult result;
    };
    for (const Case& test : {Case{WindowId::GameLogicRestart, WindowResult::Play},
                             Case{WindowId::LevelComplete, WindowResult::GoToDayComplete}}) {
        window_->Open(test.source);
        WindowResult seen = WindowResult::None;
        frameStep = [&] { seen = window_->GetResult(); };
        Frame();
        EXPECT_EQ(seen, test.result);
        Frame();
        EXPECT_EQ(seen, WindowResult::None) << "once";
        EXPECT_FALSE(window_->IsOpen());
    }
    frameStep = nullptr;
    window_->Open(WindowId::Mechanic);
    EXPECT_EQ(window_->GetResult(), WindowResult::GoToUpgrade);
    EXPECT_EQ(window_->GetGirl().GetCurrent(), "girl_stand");
    Anna().SetFlag(0x1000);
    window_->Open(WindowId::MainMenu);
    EXPECT_EQ(window_->GetResult(), WindowResult::GoToResetProfile);
}

TEST_F(GUIStartGameLogicWindowTest, WithoutAPlayerTheWindowStaysClosedWithOneErrorLine) {
    MakeStartWindow();
    profiles_->SelectProfile(nullptr, false);
    window_->Open(WindowId::MainMenu);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"The start of the day has no player to show"});
    Frames(3);
    EXPECT_FALSE(window_->IsOpen());
    EXPECT_EQ(window_->GetResult(), WindowResult::None);
}

TEST_F(GUIStartGameLogicWindowTest, MoneyEqualToTheSecondMachinesCostOffersTheMachinesAndLocksPlay) {
    MakeStartWindow();
    SetStory(0x1 | 0x2, 0, 200);
    OpenFrom(WindowId::Game);
    EXPECT_EQ(window_->GetOwnerBalloon(), &window_->GetOwnerLongBalloon());
    EXPECT_EQ(Said(*window_->GetOwnerBalloon()), L"You can buy a machine now.");
    EXPECT_TRUE(Enabled("/window/button_0"));
    EXPECT_FALSE(Enabled("/window/play"));
    EXPECT_FALSE(Enabled("/window/button_1"));
    EXPECT_TRUE(window_->IsPlayLocked());
    EXPECT_EQ(window_->GetArrowWantedTarget(), GUIStartGameLogicWindow::kUpgradeArrow);
    EXPECT_EQ(SavedFlags(), 0x7u);
}

TEST_F(GUIStartGameLogicWindowTest, WithoutASecondMachineForSaleTheOfferNeverComes) {
    // Mended: the offer used to read the second entry of a shorter list.
    MakeStartWindow(Character(DefaultThresholds(), Machines(1)));
    SetStory(0x1 | 0x2, 0, 100000);
    OpenFrom(WindowId::Game);
    EXPECT_EQ(SavedFlags(), 0x3u);
    EXPECT_TRUE(Enabled("/window/play"));
}

TEST_F(GUIStartGameLogicWindowTest, ADayCountsWhatChanged) {
    MakeStartWindow();
    struct Case {
        int sales;
        int tips;
        float moodBefore;
        bool money;
        bool qualification;
        bool mood;
    };
    for (const Case& test : {Case{0, 50, 0.5f, false, true, false}, Case{80, 0, 0.50005f, true, false, false},
                             Case{80, 10, 0.3f, true, true, true}}) {
        Anna().Reset();
        SetStory(kQuietFlags, 1, 500, 20, 0.5f);
        Morvane::DayResult& day = Anna().GetDayResult();
        day.foodSales = test.sales;
        day.tips = test.tips;
        day.mood = test.moodBefore;
        OpenFrom(WindowId::DayComplete);
        EXPECT_EQ(window_->GetMoneyCount().running, test.money);
        EXPECT_EQ(window_->GetQualificationCount().running, test.qualification);
        EXPECT_EQ(window_->GetMoodCount().running, test.mood);
        if (test.money) {
            EXPECT_FLOAT_EQ(window_->GetMoneyCount().start, 500.0f - test.sales - test.tips);
        }
        window_->Close();
        RunUntil([&] { return menus_->IsLockFree(); });
    }
}

TEST_F(GUIStartGameLogicWindowTest, BuyingAcrossAMultipleOfThreeTellsTheNewCafeClass) {
    WriteStartTexts({{"start_game/owner_cafe_class_changed_1_0", "A finer cafe!"}});
    MakeStartWindow();
    struct Case {
        int before;
        int after;
        const char* event;
    };
    for (const Case& test : {Case{2, 4, "cafe_class_changed_1"}, Case{3, 5, ""}}) {
        Anna().Reset();
        SetStory(kQuietFlags | 0x8, test.before, 0);
        OpenFrom(WindowId::Game);
        EXPECT_EQ(Click("/window/button_0"), WindowResult::GoToUpgrade);
        window_->Close();
        for (int i = test.before; i < test.after; ++i) Anna().AddMachine("m" + std::to_string(i));
        OpenFrom(WindowId::Upgrade);
        EXPECT_EQ(window_->IsDialogueRunning(), *test.event != '\0');
        if (*test.event) {
            EXPECT_EQ(window_->GetEventName(), test.event);
        }
        window_->Close();
        RunUntil([&] { return menus_->IsLockFree(); });
    }
}

TEST_F(GUIStartGameLogicWindowTest, TheStoryIsToldOnceEventByEventOverSuccessiveOpenings) {
    std::map<std::string, std::string> texts;
    const std::vector<std::string> events = {"first_upgrade", "start_build", "first_build",
                                             "cafe_last_upgrade_without_house", "house_last_build_with_cafe", "trip"};
    for (const std::string& event : events) texts["start_game/owner_" + event + "_0"] = "#" + event + "#";
    WriteStartTexts(texts);
    MakeStartWindow();
    // Each step of the café's progress, then one opening after it.
    const std::vector<std::function<void()>> progress = {
        [&] {},
        [&] { Anna().SetMoney(200); },
        [&] { Anna().AddMachine("m0"); },
        [&] { Anna().SetFlag(0x40); },
        [&] { Anna().AddHouseUpgrade("roof"); },
        [&] { for (int i = 1; i < 15; ++i) Anna().AddMachine("m" + std::to_string(i)); },
        [&] {
            Anna().AddHouseUpgrade("chimney");
            Anna().AddHouseUpgrade("garden");
        },
        [&] { Anna().SetMoney(4000); },
        [&] { Anna().SetMoney(5000); },
    };
    SetStory(0x1, 0, 0);
    std::vector<std::string> told;
    std::vector<std::uint32_t> flags;
    for (const auto& step : progress) {
        step();
        Anna().Save();
        OpenFrom(WindowId::Game);
        if (window_->IsDialogueRunning()) told.push_back(window_->GetEventName());
        else if (window_->GetOwnerBalloon()) told.push_back(Vantor::ToNarrow(Said(*window_->GetOwnerBalloon())));
        flags.push_back(SavedFlags());
        if (window_->IsDialogueRunning()) TellToTheEnd();
        // Leaving as the player does: the balloons kept open go with the click.
        if (Enabled("/window/back")) {
            EXPECT_EQ(Click("/window/back"), WindowResult::GoToMainMenu);
        }
        window_->Close();
        // The time in the other windows before the next opening: the balloons go.
        ASSERT_TRUE(RunUntil([&] {
            return !window_->GetOwnerShortBalloon().active && !window_->GetOwnerLongBalloon().active &&
                   !window_->GetGirlShortBalloon().active && !window_->GetGirlLongBalloon().active;
        }));
    }
    EXPECT_THAT(told, ElementsAre("Welcome to the cafe!", "You can buy a machine now.", "first_upgrade", "start_build",
                                  "first_build",
                                  "cafe_last_upgrade_without_house", "house_last_build_with_cafe",
                                  "Save 1000 more for the trip.", "trip"));
    EXPECT_THAT(flags, ElementsAre(0x3u, 0x7u, 0x17u, 0x77u, 0x177u, 0x577u, 0xF77u, 0xF77u, 0x1F77u));
    // Nothing is told twice.
    OpenFrom(WindowId::Game);
    EXPECT_FALSE(window_->IsDialogueRunning());
}

TEST_F(GUIStartGameLogicWindowTest, TheAdviceWeighsMachinesHouseAndMood) {
    MakeStartWindow();
    struct Case {
        const char* name;
        int money;
        float mood;
        std::vector<std::string> houses;
        int lastPurchaseDay;
        bool build;
        bool upgrade;
    };
    // m1 (200) is the next machine; the chimney (50) follows the roof, the garden costs 80.
    const Case cases[] = {
        {"nothing built: any house upgrade", 250, 0.9f, {}, -5, true, false},
        {"a machine affordable, good mood", 250, 0.5f, {"roof"}, -5, false, true},
        {"a machine affordable, bad mood", 250, 0.2f, {"roof"}, -5, true, false},
        {"a machine unlocked, not affordable", 150, 0.5f, {"roof"}, -5, false, false},
        {"unlocked, after a recent purchase", 150, 0.5f, {"roof"}, 3, true, false},
        {"nothing affordable", 10, 0.1f, {"roof"}, -5, false, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Anna().Reset();
        SetStory(kQuietFlags | 0x20 | 0x100, 1, test.money, 0, test.mood, test.houses);
        Anna().SetDay(4);
        Anna().SetLastMachineDay(test.lastPurchaseDay);
        OpenFrom(WindowId::Game);
        EXPECT_EQ(window_->IsBuildSuggested(), test.build);
        EXPECT_EQ(window_->IsUpgradeSuggested(), test.upgrade);
        EXPECT_EQ(window_->GetPlayHint().IsActive(), !test.build && !test.upgrade);
        window_->Close();
        RunUntil([&] { return menus_->IsLockFree(); });
    }
}

// --- Dialogue ---

TEST_F(GUIStartGameLogicWindowTest, DialogueStepsFollowTheTextTable) {
    const std::string owner42(42, 'o');
    WriteStartTexts({{"start_game/owner_first_upgrade_0", owner42},
                     {"start_game/girl_first_upgrade_0", std::string(40, 'g')},
                     {"start_game/girl_first_upgrade_1", "Only me."},
                     {"start_game/owner_first_upgrade_2", std::string(41, 'o')},
                     {"start_game/girl_first_upgrade_2", std::string(39, 'g')}});
    MakeStartWindow();
    SetStory(0x1 | 0x2 | 0x4, 1, 0);
    OpenFrom(WindowId::Game);
    ASSERT_TRUE(window_->IsDialogueRunning());
    EXPECT_FALSE(Enabled("/window/play"));
    Frame();
    // Step 0: both speak at once, 42 and 40 characters take the long balloons.
    EXPECT_EQ(window_->GetOwnerBalloon(), &window_->GetOwnerLongBalloon());
    EXPECT_EQ(window_->GetGirlBalloon(), &window_->GetGirlLongBalloon());
    EXPECT_EQ(window_->GetOwner().GetCurrent(), "owner_look");
    RunFor(1.4f);
    EXPECT_FLOAT_EQ(window_->GetOwnerBalloon()->GetBalloonWindow()->GetAlpha(), 0.0f) << "after 1.5 s";
    ClickAway(*window_->GetOwnerBalloon());
    EXPECT_FALSE(window_->GetGirlBalloon()->shown) << "one key closes both";
    // Step 1: the girl alone.
    ASSERT_TRUE(RunUntil([&] { return window_->GetDialogueStep() == 2; }, 2.0f));
    EXPECT_EQ(Said(*window_->GetGirlBalloon()), L"Only me.");
    EXPECT_EQ(window_->GetGirlBalloon(), &window_->GetGirlShortBalloon());
    EXPECT_FALSE(window_->GetOwnerBalloon()->active);
    ClickAway(*window_->GetGirlBalloon());
    // Step 2: 41 and 39 characters take the short ones.
    ASSERT_TRUE(RunUntil([&] { return window_->GetDialogueStep() == 3; }, 2.0f));
    EXPECT_EQ(window_->GetOwnerBalloon(), &window_->GetOwnerShortBalloon());
    EXPECT_EQ(window_->GetGirlBalloon(), &window_->GetGirlShortBalloon());
    ClickAway(*window_->GetOwnerBalloon());
    ASSERT_TRUE(RunUntil([&] { return !window_->IsDialogueRunning(); }, 2.0f));
    EXPECT_EQ(window_->GetOwner().GetCurrent(), "owner_stand");
    EXPECT_TRUE(Enabled("/window/play"));
    EXPECT_TRUE(Enabled("/window/back"));
    EXPECT_TRUE(Control("/window/play").IsTargetShown());
}

TEST_F(GUIStartGameLogicWindowTest, AnEventWithoutStepZeroEndsInTheFirstShownFrame) {
    MakeStartWindow();
    SetStory(0x1 | 0x2 | 0x4, 1, 0);
    window_->GetOwner().SetCharacter("girl_stand");
    OpenFrom(WindowId::Game);
    EXPECT_TRUE(window_->IsDialogueRunning());
    Frame();
    EXPECT_FALSE(window_->IsDialogueRunning());
    EXPECT_TRUE(Enabled("/window/play"));
    EXPECT_TRUE(Control("/window/back").IsTargetShown());
    EXPECT_EQ(window_->GetOwner().GetCurrent(), "girl_stand") << "no step was told";
    EXPECT_EQ(window_->GetArrowWantedTarget(), GUIStartGameLogicWindow::kNoArrow);
}

TEST_F(GUIStartGameLogicWindowTest, TheTripEndsInTheFinalWindow) {
    WriteStartTexts({{"start_game/owner_trip_0", "Off we go!"}});
    MakeStartWindow();
    SetStory(kQuietFlags | 0x20 | 0x100 | 0x200 | 0x400 | 0x800, 15, 5000, 0, 0.5f, {"roof", "chimney", "garden"});
    OpenFrom(WindowId::Game);
    ASSERT_EQ(window_->GetEventName(), "trip");
    EXPECT_EQ(SavedFlags() & 0x1000u, 0x1000u);
    RunUntil([&] { return window_->GetOwnerBalloon() && window_->GetOwnerBalloon()->active; });
    WindowResult seen = WindowResult::None;
    frameStep = [&] {
        if (window_->GetResult() != WindowResult::None) seen = window_->GetResult();
    };
    ClickAway(*window_->GetOwnerBalloon());
    ASSERT_TRUE(RunUntil([&] { return seen != WindowResult::None; }, 2.0f));
    EXPECT_EQ(seen, WindowResult::GoToFinal);
    EXPECT_FALSE(Enabled("/window/play"));
}

TEST_F(GUIStartGameLogicWindowTest, ABalloonPutOutOfUseWhileFadingOutStillGoes) {
    // Mended: the next opening used to leave it half faded on the screen for good.
    MakeStartWindow();
    SetStory(0x1, 0, 0);
    OpenFrom(WindowId::Game);
    const Morvane::GUITextBalloonWindow& greeting = window_->GetOwnerShortBalloon();
    ASSERT_TRUE(RunUntil([&] { return greeting.GetBalloonWindow()->GetAlpha() == 1.0f; }));
    EXPECT_EQ(Click("/window/back"), WindowResult::GoToMainMenu);
    window_->Close();
    ASSERT_TRUE(RunUntil([&] { return menus_->IsLockFree(); }));
    OpenFrom(WindowId::Game);
    EXPECT_EQ(window_->GetOwnerBalloon(), nullptr);
    EXPECT_TRUE(RunUntil([&] { return !greeting.active; }, 1.0f));
    EXPECT_FALSE(greeting.GetBalloonWindow()->IsVisible());
}

// --- Buttons ---

TEST_F(GUIStartGameLogicWindowTest, TheFirstUpgradeClickMeetsTheMechanicAndOnlyTheUpgradeWindowKeepsTheGirl) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 0);
    OpenFrom(WindowId::Game);
    EXPECT_EQ(Click("/window/button_0"), WindowResult::GoToMechanic);
    EXPECT_EQ(SavedFlags() & 0x8u, 0x8u);
    EXPECT_EQ(window_->GetGirl().GetCurrent(), "");
    EXPECT_EQ(window_->GetOwner().GetCurrent(), "");
    window_->Close();
    RunUntil([&] { return menus_->IsLockFree(); });
    OpenFrom(WindowId::Game);
    EXPECT_EQ(Click("/window/button_0"), WindowResult::GoToUpgrade);
    EXPECT_EQ(window_->GetGirl().GetCurrent(), "girl_stand");
    EXPECT_FALSE(window_->GetUpgradeHint().IsActive());
}

TEST_F(GUIStartGameLogicWindowTest, PlayingThreeTimesAgainstTheAdviceLocksPlayUntilBuilding) {
    MakeStartWindow();
    SetStory(kQuietFlags | 0x20, 1, 100, 0, 0.9f);
    for (int day = 1; day <= 3; ++day) {
        OpenFrom(WindowId::Game);
        ASSERT_TRUE(window_->IsBuildSuggested());
        ASSERT_TRUE(Enabled("/window/play"));
        EXPECT_EQ(Click("/window/play"), WindowResult::Play);
        EXPECT_EQ(Anna().GetPlaysCounter(), day);
        window_->Close();
        RunUntil([&] { return menus_->IsLockFree(); });
    }
    OpenFrom(WindowId::Game);
    EXPECT_FALSE(Enabled("/window/play"));
    EXPECT_TRUE(window_->IsPlayLocked());
    EXPECT_EQ(Click("/window/button_1"), WindowResult::GoToHouse);
    EXPECT_EQ(Anna().GetPlaysCounter(), 0);
    EXPECT_EQ(window_->GetMoodCount().start, 0.9f);
}

TEST_F(GUIStartGameLogicWindowTest, CheatKeysChangeMoneyQualificationAndMoodOnlyInCheatMode) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 999, 150, 0.5f);
    OpenFrom(WindowId::Game);
    auto press = [&](std::initializer_list<unsigned> keys) {
        for (unsigned key : keys) platform::seam::InjectKeyDown(key);
        Frame();
        for (unsigned key : keys) platform::seam::InjectKeyUp(key);
        Frame();
    };
    Vantor::Console::Instance()->SetEnabled(false);
    press({VK_F1});
    EXPECT_EQ(Anna().GetMoney(), 999) << "not in cheat mode";
    Vantor::Console::Instance()->SetEnabled(true);
    Text("/window/money/text").SetParameter(L"MONEY", L"stale");
    press({VK_LSHIFT, VK_F1});
    EXPECT_EQ(Anna().GetMoney(), 999);
    Frame();
    EXPECT_EQ(ShownText(Text("/window/money/text")), L"999 coins") << "redrawn all the same";
    press({VK_F1, VK_F2, VK_F3});
    EXPECT_EQ(Anna().GetMoney(), 2109);
    press({VK_LSHIFT, VK_F2});
    EXPECT_EQ(Anna().GetMoney(), 2009);
    press({VK_F4});
    EXPECT_EQ(Anna().GetQualification(), 250);
    press({VK_LSHIFT, VK_F6});
    EXPECT_EQ(Anna().GetMood(), 0.0f);
    EXPECT_EQ(Text("/window/mood_progress/text").keys, "start_game/mood_0");
    Morvane::ProfileManager reread(audio_.get(), home_.root + L"\\user");
    reread.SelectProfile(reread.FindProfile(L"Anna"), false);
    EXPECT_EQ(reread.GetCurrent()->GetMoney(), 2009) << "saved";
}

// --- Count-ups ---

TEST_F(GUIStartGameLogicWindowTest, FromTwoToFourMachinesTheCountPausesAtTheFilledStar) {
    MakeStartWindow();
    SetStory(kQuietFlags | 0x8, 2, 0);
    OpenFrom(WindowId::Game);
    Click("/window/button_0");
    window_->Close();
    RunUntil([&] { return menus_->IsLockFree(); });
    Anna().AddMachine("m2");
    Anna().AddMachine("m3");
    OpenFrom(WindowId::Upgrade);
    TakePlayedEffects();
    std::vector<std::pair<float, std::string>> heard;
    float shownAt3 = -1.0f;
    for (float t = kFrameSeconds; t < 6.0f; t += kFrameSeconds) {
        Frame();
        for (const std::string& effect : CountSounds()) heard.emplace_back(t, effect);
        if (shownAt3 < 0.0f && window_->GetCafeCount().shown >= 3.0f) shownAt3 = t;
    }
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[0].second, "14");
    EXPECT_NEAR(heard[0].first, 1.0f, 0.05f) << "after a second's wait";
    EXPECT_EQ(heard[1].second, "16");
    EXPECT_NEAR(heard[1].first, 2.0f, 0.05f);
    EXPECT_NEAR(shownAt3, 2.0f, 0.05f);
    EXPECT_EQ(heard[2].second, "14");
    EXPECT_NEAR(heard[2].first, 3.0f, 0.1f) << "after the pause of a second";
    EXPECT_FALSE(window_->GetCafeCount().running);
    EXPECT_FLOAT_EQ(window_->GetCafeCount().shown, 4.0001f);
    EXPECT_TRUE(Enabled("/window/cafe_0/full"));
    EXPECT_NE(audio_->GetEffectState("14"), 0) << "stopped at the end";
}

TEST_F(GUIStartGameLogicWindowTest, MoneyThenQualificationThenMoodCountInTurn) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 500, 150, 0.3f);
    Morvane::DayResult& day = Anna().GetDayResult();
    day.foodSales = 60;
    day.tips = 40;
    day.mood = 0.6f;
    OpenFrom(WindowId::DayComplete);
    TakePlayedEffects();
    float moneyEnd = -1.0f, qualificationStart = -1.0f, qualificationEnd = -1.0f, moodStart = -1.0f;
    int moodDownSounds = 0;
    bool badHint = false;
    for (float t = kFrameSeconds; t < 8.0f; t += kFrameSeconds) {
        Frame();
        const auto& money = window_->GetMoneyCount();
        const auto& points = window_->GetQualificationCount();
        const auto& mood = window_->GetMoodCount();
        if (moneyEnd < 0.0f && !money.running) moneyEnd = t;
        if (qualificationStart < 0.0f && points.shown > points.start) qualificationStart = t;
        if (qualificationEnd < 0.0f && !points.running) qualificationEnd = t;
        if (moodStart < 0.0f && mood.shown < mood.start) moodStart = t;
        badHint = badHint || window_->GetMoodBadHint().IsActive();
        for (const std::string& effect : CountSounds()) moodDownSounds += effect == "19";
    }
    EXPECT_NEAR(moneyEnd, 2.5f, 0.05f) << "a second's wait and a second and a half";
    EXPECT_NEAR(qualificationStart, 3.0f, 0.05f) << "half a second after the money";
    EXPECT_NEAR(qualificationEnd, 5.0f, 0.05f) << "two seconds, no star filled";
    EXPECT_NEAR(moodStart, 5.75f, 0.05f);
    EXPECT_EQ(moodDownSounds, 1);
    EXPECT_TRUE(badHint);
    EXPECT_FALSE(window_->GetMoodGoodHint().IsActive());
    EXPECT_FALSE(window_->GetMoodCount().running);
    EXPECT_FALSE(window_->GetMoodBadHint().GetEmitters().empty());
}

TEST_F(GUIStartGameLogicWindowTest, ARisingMoodPlaysTheGoodSoundAndAFilledQualificationStarPauses) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 500, 120, 0.8f);
    Morvane::DayResult& day = Anna().GetDayResult();
    day.tips = 40;
    day.mood = 0.4f;
    OpenFrom(WindowId::DayComplete);
    TakePlayedEffects();
    std::vector<std::string> heard;
    bool goodHint = false;
    float qualificationEnd = -1.0f;
    for (float t = kFrameSeconds; t < 8.0f; t += kFrameSeconds) {
        Frame();
        for (const std::string& effect : CountSounds()) heard.push_back(effect);
        goodHint = goodHint || window_->GetMoodGoodHint().IsActive();
        if (qualificationEnd < 0.0f && !window_->GetQualificationCount().running) qualificationEnd = t;
    }
    // The level-changed event lets the qualification count first.
    EXPECT_NEAR(qualificationEnd, 3.5f, 0.1f) << "half a second, two seconds and a second's pause";
    EXPECT_THAT(heard, ElementsAre("15", "17", "15", "18"));
    EXPECT_TRUE(goodHint);
    EXPECT_TRUE(Enabled("/window/star_experience_0/full"));
}

TEST_F(GUIStartGameLogicWindowTest, CountingIntoTheTopLevelGivesThePanelWayToTheMaximumAndSilencesTheCharge) {
    MakeStartWindow();
    SetStory(kQuietFlags, 1, 500, 320, 0.5f);
    Morvane::DayResult& day = Anna().GetDayResult();
    day.tips = 70;
    day.mood = 0.5f;
    OpenFrom(WindowId::DayComplete);
    TakePlayedEffects();
    std::vector<std::string> heard;
    for (float t = kFrameSeconds; t < 5.0f; t += kFrameSeconds) {
        Frame();
        for (const std::string& effect : CountSounds()) heard.push_back(effect);
    }
    EXPECT_THAT(heard, ElementsAre("15", "17")) << "no charge once the maximum shows";
    EXPECT_TRUE(Control("/window/experience_max").IsShown());
    EXPECT_FALSE(Control("/window/experience_progress").IsTargetShown());
    EXPECT_TRUE(Enabled("/window/star_experience_2/full"));
    window_->Close();
    EXPECT_FALSE(Enabled("/window/experience_progress")) << "closed with the window";
}

}  // namespace
