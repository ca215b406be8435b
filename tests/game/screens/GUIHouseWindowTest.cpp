// House building: the first visit's introduction, the offers (what is buildable, at
// most three, where the lines stand), too little money, building (paid, recorded,
// saved, the mood rule, the reveal), the celebration's toy balloons, the closing prompt
// and the click that ends the visit, and the fade-out after closing.

#include "game/screens/GUIHouseWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/kernel/Random.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "framework/WindowResult.h"
#include "game/HouseUpgradeInfo.h"
#include "game/ProfileManager.h"
#include "game/screens/GUICharacterWindow.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/screens/HouseWindowBench.h"

namespace {

using Morvane::GUIHouseWindow;
using Morvane::GUITextBalloonWindow;

class GUIHouseWindowTest : public screenstest::HouseWindowBench {
protected:
    static std::vector<std::string> Offers(const GUIHouseWindow& house) {
        std::vector<std::string> names;
        for (const Morvane::HouseUpgradeInfo* offer : house.GetOffers()) names.push_back(offer->name);
        return names;
    }
    static std::vector<float> Heights(const GUITextBalloonWindow& balloon) {
        std::vector<float> heights;
        for (const auto& line : balloon.GetLines()) heights.push_back(line->GetPosition().y);
        return heights;
    }
    // The profile as saved in its file.
    std::unique_ptr<Morvane::Profile> Saved() const {
        return std::make_unique<Morvane::Profile>(GameFramework::ProfileBase::kLoadProfile, Player().GetFileName(),
                                                  home_.root + L"\\user");
    }
    bool Played(const std::string& effect) {
        const std::vector<std::string> played = TakePlayedEffects();
        return std::find(played.begin(), played.end(), effect) != played.end();
    }
    void BuildAll(const std::vector<std::string>& names) {
        for (const std::string& name : names) Player().AddHouseUpgrade(name);
    }
};

TEST_F(GUIHouseWindowTest, TheFirstVisitIntroducesTheBuilderOnceAndListsTheFirstThreeBuildableUpgrades) {
    GUIHouseWindow& house = MakeHouse();
    Player().SetMoney(1234);
    Open();
    EXPECT_TRUE(Player().HasFlag(Morvane::Profile::kFlagBuilderIntroduced));
    EXPECT_TRUE(Saved()->HasFlag(Morvane::Profile::kFlagBuilderIntroduced));
    EXPECT_EQ(GUIHouseWindow::kFirstHello, house.GetState());
    EXPECT_EQ(nullptr, house.GetGirlBalloon());
    EXPECT_EQ("worker_hello", house.GetWorker().GetCurrent());
    RunFor(1.4f);
    EXPECT_FLOAT_EQ(0.0f, house.GetWorkerBalloon()->GetBalloonWindow()->GetAlpha()) << "after 1.5 s";

    const struct {
        bool worker;
        const wchar_t* says;
        int state;
    } steps[] = {{true, L"#worker_hello_0#", GUIHouseWindow::kGirlHello},
                 {false, L"#girl_hello#", GUIHouseWindow::kWorkerBuild},
                 {true, L"#meeting_worker_build_0#", GUIHouseWindow::kWorkerBuildMore},
                 {true, L"#meeting_worker_build_1#", GUIHouseWindow::kFirstOffer},
                 {false, L"#meeting_girl_build#", GUIHouseWindow::kChoosing}};
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(step.says)));
        GUITextBalloonWindow* balloon = step.worker ? house.GetWorkerBalloon() : house.GetGirlBalloon();
        ASSERT_NE(nullptr, balloon);
        EXPECT_EQ(step.says, Line(balloon));
        ClickAway(*balloon);
        WaitFor(step.state);
    }
    EXPECT_EQ("worker_stand", house.GetWorker().GetCurrent());
    EXPECT_EQ("girl_stand", house.GetGirl().GetCurrent());

    // The roof waits for the porch, the bell for the tower; the tower comes fourth.
    EXPECT_EQ((std::vector<std::string>{"porch", "garden", "pond"}), Offers(house));
    const GUITextBalloonWindow& list = *house.GetGirlBalloon();
    EXPECT_EQ((std::vector<float>{78.0f, 59.0f, 40.0f, 21.0f, 2.0f}), Heights(list));
    EXPECT_EQ(L"Money: 1234", Line(&list, 0));
    EXPECT_EQ(L"porch for 100", Line(&list, 1));
    EXPECT_EQ(L"pond for 300", Line(&list, 3));
    EXPECT_EQ(L"#girl_build_nothing#", Line(&list, 4));
    EXPECT_EQ(house.GetWorkerBalloon()->leader, &list);
    EXPECT_EQ(L"#worker_upgrade_list#", Line(house.GetWorkerBalloon()));

    // Nothing: the visit ends.
    Answer(list, 4);
    WaitFor(GUIHouseWindow::kEnding);
    EXPECT_EQ("", house.GetGirl().GetCurrent());
    EXPECT_TRUE(Player().GetHouseUpgrades().empty());
}

TEST_F(GUIHouseWindowTest, WithNothingBuildableOnlyTheMoneyAndNothingLinesStandAtTheOrigin) {
    GUIHouseWindow& house = MakeHouse();
    BuildAll({"porch", "roof", "garden", "pond", "tower", "bell"});
    OpenTheList();
    EXPECT_TRUE(house.GetOffers().empty()) << "the castle waits for a moat";
    EXPECT_EQ((std::vector<float>{0.0f, 0.0f}), Heights(*house.GetGirlBalloon()));
    EXPECT_EQ(L"#girl_build_nothing#", Line(house.GetGirlBalloon(), 1));
}

TEST_F(GUIHouseWindowTest, TooLittleMoneyBuildsNothingAndListsTheOffersAgain) {
    GUIHouseWindow& house = MakeHouse();
    Player().SetMoney(99);
    Player().Save();
    OpenTheList();
    TakePlayedEffects();
    Answer(*house.GetGirlBalloon(), 1);
    WaitFor(GUIHouseWindow::kNoMoney);
    EXPECT_EQ(L"#worker_build_no_money#", Line(house.GetWorkerBalloon()));
    EXPECT_EQ("worker_miss", house.GetWorker().GetCurrent());
    EXPECT_EQ("girl_miss", house.GetGirl().GetCurrent());
    Frame();
    EXPECT_TRUE(Played("11"));
    EXPECT_EQ(99, Player().GetMoney());
    EXPECT_TRUE(Player().GetHouseUpgrades().empty());
    EXPECT_TRUE(Saved()->GetHouseUpgrades().empty());

    ClickAway(*house.GetWorkerBalloon());
    WaitFor(GUIHouseWindow::kChoosing);
    EXPECT_EQ((std::vector<std::string>{"porch", "garden", "pond"}), Offers(house));
    EXPECT_EQ(L"Money: 99", Line(house.GetGirlBalloon(), 0));
}

TEST_F(GUIHouseWindowTest, BuildingPaysRecordsSavesRevealsAndLiftsTheMood) {
    const struct {
        const char* what;
        std::vector<std::string> built;
        float mood, expected;
    } cases[] = {
        {"the change added", {}, 0.5f, 0.8f},
        {"from a mood above 1 taken as 1, then not capped", {}, 1.6f, 1.3f},
        {"the last upgrade: exactly 1", {"roof", "garden", "pond", "tower", "bell", "castle"}, 0.2f, 1.0f},
    };
    GUIHouseWindow& house = MakeHouse();
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        Player().Reset();
        BuildAll(entry.built);
        Player().SetMoney(150);
        Player().SetDay(9);
        Player().SetMood(entry.mood);
        OpenTheList();
        ASSERT_EQ("porch", Offers(house).front());
        TakePlayedEffects();
        const std::size_t bursts = house.GetBackground().GetBuildEffects().size();
        Answer(*house.GetGirlBalloon(), 1);
        WaitFor(GUIHouseWindow::kBuilt);
        EXPECT_EQ(50, Player().GetMoney());
        EXPECT_EQ("porch", Player().GetHouseUpgrades().back());
        EXPECT_EQ(9, Player().GetLastBuildDay());
        EXPECT_FLOAT_EQ(entry.expected, Player().GetMood());
        const std::unique_ptr<Morvane::Profile> saved = Saved();
        EXPECT_EQ(50, saved->GetMoney());
        EXPECT_EQ(Player().GetHouseUpgrades(), saved->GetHouseUpgrades());
        EXPECT_FLOAT_EQ(entry.expected, saved->GetMood());
        EXPECT_EQ(bursts + 1, house.GetBackground().GetBuildEffects().size()) << "a burst over the porch";
        EXPECT_EQ("worker_look", house.GetWorker().GetCurrent());
        Frame();
        EXPECT_TRUE(Played("12"));
        RunFor(1.8f);
        EXPECT_FLOAT_EQ(0.0f, house.GetWorkerBalloon()->GetBalloonWindow()->GetAlpha()) << "after 1.9 s";
        EXPECT_EQ(house.GetWorkerBalloon(), house.GetGirlBalloon()->leader);
        ClickAway(*house.GetWorkerBalloon());
        WaitFor(entry.expected == 1.0f ? GUIHouseWindow::kGirlAllDone : GUIHouseWindow::kWorkerAsks);
        house.Close();
        ASSERT_TRUE(RunUntil([&] { return !(house.GetRootWindow()->GetFlags() & Vantor::GUIWindow::kShown); }));
    }
}

TEST_F(GUIHouseWindowTest, ABuildWithAFallingMoodStopsAtZero) {
    GUIHouseWindow& house = MakeHouse("-0.3");
    Player().SetMoney(150);
    Player().SetMood(-0.5f);
    OpenTheList();
    Answer(*house.GetGirlBalloon(), 1);
    WaitFor(GUIHouseWindow::kBuilt);
    EXPECT_FLOAT_EQ(0.0f, Player().GetMood());
}

TEST_F(GUIHouseWindowTest, TheLastBuildReleasesAHundredToyBalloonsBeforeThePrompt) {
    GUIHouseWindow& house = MakeHouse("0.3", R"(<upgrades><porch cost="100"/></upgrades>)");
    Player().SetMoney(100);
    OpenTheList();
    Answer(*house.GetGirlBalloon(), 1);
    WaitFor(GUIHouseWindow::kBuilt);
    ClickAway(*house.GetWorkerBalloon());
    TakePlayedEffects();
    WaitFor(GUIHouseWindow::kGirlAllDone);
    EXPECT_EQ(L"#girl_build_all_done#", Line(house.GetGirlBalloon()));
    Frame();
    EXPECT_TRUE(Played("10"));

    // The conversation ends while the toy balloons still go up; the prompt waits for all
    // of them, one every 0.01 to 0.15 s, and 1.2 s more.
    ClickAway(*house.GetGirlBalloon());
    ClickAway(*house.GetWorkerBalloon());
    WaitFor(GUIHouseWindow::kEnding);
    ASSERT_LT(house.GetNextToyBalloon(), 50u);
    float seconds = 0.0f;
    unsigned int released = house.GetNextToyBalloon();
    while (house.GetNextToyBalloon() < GUIHouseWindow::kToyBalloonCount && seconds < 20.0f) {
        Frame();
        seconds += kFrameSeconds;
        ASSERT_LE(house.GetNextToyBalloon(), released + 2) << "at most two in a frame of 0.02 s";
        released = house.GetNextToyBalloon();
        ASSERT_FLOAT_EQ(0.0f, promptAlpha_);
    }
    EXPECT_GE(seconds, static_cast<float>(released) * 0.01f);
    EXPECT_EQ(GUIHouseWindow::kToyBalloonCount, released);
    // Its alpha follows its animation as the frame's update found it, one step behind.
    Frames(5);
    const Vantor::Model& last = *house.GetToyBalloons().back();
    EXPECT_TRUE(last.GetFlags() & Vantor::ModelFlags::kVisible);
    const float position = last.GetAnimationControl()->GetPosition();
    const float step = last.GetAnimationControl()->GetSpeed() * kFrameSeconds;
    EXPECT_NEAR((position - step) / 5.0f, last.GetVertexBuffer()->GetAlpha(0), 0.01f) << "fading in";
    const Vantor::Model& first = *house.GetToyBalloons().front();
    EXPECT_FALSE(first.GetFlags() & Vantor::ModelFlags::kVisible) << "gone up and out of sight";

    RunFor(1.08f);
    EXPECT_FLOAT_EQ(0.0f, house.GetClosingFade());
    ASSERT_TRUE(RunUntil([&] { return promptAlpha_ > 0.0f; }, 0.5f));
    EXPECT_FALSE(cursor_->IsTrailEnabled());
}

TEST_F(GUIHouseWindowTest, WithEverythingBuiltTheGirlStandsAloneAndTheClickAfterThePromptEndsTheVisit) {
    GUIHouseWindow& house = MakeHouse();
    BuildAll({"porch", "roof", "garden", "pond", "tower", "bell", "castle"});
    Open();
    EXPECT_EQ(GUIHouseWindow::kEnding, house.GetState());
    EXPECT_EQ("girl_stand", house.GetGirl().GetCurrent());
    EXPECT_EQ("", house.GetWorker().GetCurrent());
    EXPECT_EQ(nullptr, house.GetWorkerBalloon());
    EXPECT_EQ(nullptr, house.GetGirlBalloon());

    // The prompt starts 1.2 s + 0.2 s after opening; a click before counts for nothing.
    RunFor(1.3f);
    EXPECT_FLOAT_EQ(0.0f, promptAlpha_);
    ClickOn(*house.GetLayerWindow());
    Frame();
    EXPECT_EQ(GameFramework::WindowResult::None, house.GetResult());
    RunFor(0.08f);
    EXPECT_GT(promptAlpha_, 0.0f);
    EXPECT_LT(promptAlpha_, 0.2f);
    RunFor(1.0f);
    EXPECT_FLOAT_EQ(1.0f, promptAlpha_);
    ClickOn(*house.GetLayerWindow());
    EXPECT_EQ(GameFramework::WindowResult::GoToStart, house.GetResult());
    EXPECT_EQ("", house.GetGirl().GetCurrent());

    // Closed: the prompt fades, then the house, then the window rests.
    house.Close();
    ASSERT_TRUE(RunUntil([&] { return cursor_->IsTrailEnabled(); }, 1.5f));
    EXPECT_LT(house.GetClosingFade(), GUIHouseWindow::kPromptStart);
    EXPECT_TRUE(house.GetRootWindow()->GetFlags() & Vantor::GUIWindow::kShown);
    ASSERT_TRUE(RunUntil([&] { return !(house.GetRootWindow()->GetFlags() & Vantor::GUIWindow::kShown); }, 2.0f));
    EXPECT_FALSE(house.GetBackground().IsVisible());
}

TEST_F(GUIHouseWindowTest, TheToyBalloonsAreDrawnAlikeFromTheSameSeed) {
    MakeHouse();
    const auto draw = [this] {
        Vantor::SeedRandom(42);
        NewHouse();
        std::vector<float> draws;
        for (const Vantor::Model* toyBalloon : house_->GetToyBalloons()) {
            EXPECT_FALSE(toyBalloon->GetFlags() & Vantor::ModelFlags::kVisible);
            const float x = toyBalloon->GetWorldMatrix().m[3];
            const float speed = toyBalloon->GetAnimationControl()->GetSpeed();
            EXPECT_GE(x, -50.0f);
            EXPECT_LE(x, 850.0f);
            EXPECT_GE(speed, 6.0f);
            EXPECT_LE(speed, 12.0f);
            draws.insert(draws.end(), {x, speed});
        }
        return draws;
    };
    const std::vector<float> first = draw();
    EXPECT_EQ(first, draw());
    EXPECT_NE(first[0], first[2]) << "each its own";
}

}  // namespace
