// One working day: what its set-up puts in the room from the profile (machines, cafe
// class and day length, distributors, orderable products, customer types, the tutorial
// reset), the frame (a paused day, the tutorial hints starting and finishing, the
// customers' flags), and the day's end (the wait after the last customer, the figures
// in the profile and its file, house building and the daily mood change).

#include "game/GameLogic.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Console.h"
#include "game/AutomaticMachine.h"
#include "game/Clock.h"
#include "game/CursorFood.h"
#include "game/Customer.h"
#include "game/CustomerInfo.h"
#include "game/CustomerManager.h"
#include "game/Distributor.h"
#include "game/Finances.h"
#include "game/Food.h"
#include "game/OrderManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/TutorialScript.h"
#include "tests/game/DayTestSupport.h"

namespace {

using GameFramework::LevelState;
using Morvane::GameLogic;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;

std::vector<std::string> TypeNames(const Morvane::CustomerManager& customers) {
    std::vector<std::string> names;
    for (const Morvane::CustomerInfo* type : customers.GetCustomerTypes()) names.push_back(type->name);
    return names;
}

std::vector<std::string> Products(const Morvane::OrderManager& orders) {
    std::vector<std::string> names;
    for (std::size_t group = 0; group < orders.GetGroups().size(); ++group)
        for (const std::string& name : orders.GetProducts(group)) names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

// Whether the window is among those that alone take the mouse.
bool IsExclusive(Vantor::GUIWindow* window) {
    const std::vector<Vantor::GUIWindow*>& list = Vantor::GUIManager::Instance()->GetExclusiveInputList();
    return std::find(list.begin(), list.end(), window) != list.end();
}

class GameLogicTest : public gametest::DayTest {
protected:
    void SetUp() override {
        DayTest::SetUp();
        LoadCafe();
    }
    // A day of the profile with the day number and the machines bought.
    GameLogic& DayOf(int day, const std::vector<std::string>& machines = {}) {
        Player().SetDay(day);
        for (const std::string& machine : machines) Player().AddMachine(machine);
        return MakeDay();
    }
};

// --- set-up ------------------------------------------------------------------------------

TEST_F(GameLogicTest, WithoutMachinesTheRoomHoldsTheDustbinAndFoodsMadeByHand) {
    SkipTutorial();
    GameLogic& day = DayOf(3);
    EXPECT_THAT(day.GetRoomMachineNames(), ElementsAre("dustbin"));
    ASSERT_EQ(day.GetMachines().size(), 1u);
    EXPECT_EQ(day.FindAutomaticMachine("dustbin"), day.GetMachines()[0].get());
    EXPECT_EQ(day.FindAutomaticMachine("oven"), nullptr);
    // Cafe class 0: the room's own playing time.
    EXPECT_FLOAT_EQ(day.GetDayLength(), 30.0f);
    // The coffee cup needs the coffee machine; nothing uses the spices.
    EXPECT_THAT(day.GetDistributorNames(), ElementsAre("cracker_waffle", "jelly_green", "cracker_chocolate",
                                                       "cracker_fancy", "jelly_red", "base_stand"));
    ASSERT_EQ(day.GetDistributors().size(), 6u);
    EXPECT_EQ(day.FindDistributor("base_stand"), day.GetDistributors()[5].get());
    EXPECT_EQ(day.FindDistributor("coffee_cup"), nullptr);
    // R4 comes from the oven, black coffee from the coffee machine; cups and beans are
    // never ordered.
    EXPECT_THAT(Products(*day.GetOrderManager()), ElementsAre("R1", "R2", "R3", "cake", "cake_07", "cake_13", "coffee"));
    // No black coffee: the pilot, who must have one, never comes.
    EXPECT_THAT(TypeNames(*day.GetCustomerManager()), ElementsAre("student", "teacher"));
    EXPECT_EQ(day.GetDay(), 3u);
    EXPECT_EQ(day.GetDayEndWait(), 0.0f);
    EXPECT_FALSE(day.IsTimerPaused());
    EXPECT_EQ(day.GetState(), LevelState::Running);
    EXPECT_EQ(day.GetDayWindow()->GetParent(), day.GetBackground()->GetFrontWindow());
    EXPECT_EQ(day.GetDayIncome(), 0u);
    day.GetFinances()->income = 42;
    EXPECT_EQ(day.GetDayIncome(), 42u);
}

TEST_F(GameLogicTest, BoughtMachinesStandInTheRoomWithWhatTheyMake) {
    SkipTutorial();
    GameLogic& day = DayOf(3, {"coffee_black"});
    EXPECT_THAT(day.GetRoomMachineNames(), ElementsAre("dustbin", "coffee_black"));
    ASSERT_EQ(day.GetMachines().size(), 2u);
    EXPECT_EQ(day.GetMachines()[1]->GetName(), "coffee_black");
    // Cafe class 1.
    EXPECT_FLOAT_EQ(day.GetDayLength(), 30.0f * 1.25f);
    EXPECT_THAT(day.GetDistributorNames(), ElementsAre("cracker_waffle", "jelly_green", "cracker_chocolate",
                                                       "cracker_fancy", "jelly_red", "coffee_cup", "base_stand"));
    EXPECT_THAT(Products(*day.GetOrderManager()),
                ElementsAre("R1", "R2", "R3", "cake", "cake_07", "cake_13", "coffee", "coffee_black"));
    EXPECT_THAT(TypeNames(*day.GetCustomerManager()), ElementsAre("student", "teacher", "pilot"));
}

TEST_F(GameLogicTest, ShortCafeClassListGivesItsLastClassWithOneWarning) {
    SkipTutorial();
    Warnings();
    GameLogic& day = DayOf(3, {"oven", "coffee_black"});
    EXPECT_FLOAT_EQ(day.GetDayLength(), 30.0f * 1.25f);
    EXPECT_THAT(Warnings(), ElementsAre(HasSubstr("No cafe class for 2 machines")));
}

TEST_F(GameLogicTest, DayMadeAndDeletedLeavesNoWindowBehind) {
    SkipTutorial();
    const std::size_t windows = Gui().GetWindows().GetCount();
    DayOf(3, {"oven", "coffee_black"});
    Step();
    EXPECT_GT(Gui().GetWindows().GetCount(), windows);
    day_.reset();
    EXPECT_EQ(Gui().GetWindows().GetCount(), windows);
}

TEST_F(GameLogicTest, TutorialStartsOverOnTheFirstDayAndAfterAnInterruptedCoffeeLesson) {
    const struct {
        int day;
        std::vector<unsigned> shown;
        bool cleared;
    } cases[] = {
        {0, {1, 2}, true},       // the first day played again
        {0, {5}, false},         // hint 1 not seen yet
        {4, {1, 10, 11}, true},  // the coffee lesson broken off
        {4, {1, 10, 22}, false},
        {4, {1, 2}, false},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.day);
        tutorial_->ClearAllShown();
        for (unsigned hint : entry.shown) tutorial_->MarkShown(hint);
        DayOf(entry.day);
        for (unsigned hint : entry.shown) EXPECT_EQ(tutorial_->IsShown(hint), !entry.cleared) << hint;
        day_.reset();
    }
}

// --- the frame ---------------------------------------------------------------------------

TEST_F(GameLogicTest, PausedDayParksTheHeldFoodAndStandsStill) {
    SkipTutorial();
    GameLogic& day = DayOf(2);
    Step();
    day.GetCursorFood()->GetFood()->AddIngredient("A");
    day.Pause(true);
    const float time = day.GetTime();
    Step();
    Step();
    EXPECT_EQ(day.GetCursorFood()->GetFood()->GetPosition().x, Morvane::CursorFood::kOffScreen.x);
    EXPECT_EQ(day.GetTime(), time);
    EXPECT_EQ(day.GetState(), LevelState::Paused);
}

TEST_F(GameLogicTest, CheatKeyMarksTheDayOnlyInCheatMode) {
    SkipTutorial();
    GameLogic& day = DayOf(2);
    for (const bool cheatMode : {false, true}) {
        Vantor::Console::Instance()->SetEnabled(cheatMode);
        platform::seam::InjectKeyDown(0x70);
        platform::seam::InjectKeyUp(0x70);
        Step();
        EXPECT_EQ(day.IsCheatUsed(), cheatMode);
    }
}

TEST_F(GameLogicTest, FirstDayOpensWithHintOneHoldingTheDayUntilAKeyPress) {
    GameLogic& day = DayOf(0);
    Step();
    EXPECT_TRUE(tutorial_->IsActive());
    EXPECT_EQ(tutorial_->GetHint(), 1);
    EXPECT_FLOAT_EQ(tutorial_->GetDelay(), 2.0f);
    EXPECT_TRUE(day.GetCustomerManager()->IsSpawnHeld());
    EXPECT_TRUE(day.IsTimerPaused());
    // Shown after its delay; a key counts only after half a second on screen.
    ASSERT_TRUE(StepUntil([&] { return tutorialWindow_->IsShowing(); }, 3.0f));
    PressKey();
    Step();
    EXPECT_EQ(tutorial_->GetHint(), 1);
    ASSERT_TRUE(StepUntil([&] { return tutorial_->GetElapsed() > 0.5f; }, 1.0f));
    platform::seam::InjectKeyDown(0x20);
    Step();
    EXPECT_FALSE(tutorial_->IsActive());
    EXPECT_TRUE(tutorial_->IsShown(1));
    // The closing press acts nowhere else: the key stays unseen until it is released.
    Step();
    EXPECT_FALSE(Vantor::Controls::Instance()->IsAnyKeyDown());
    platform::seam::InjectKeyUp(0x20);
    // Hint 1 leaves the day held: hint 2 brings the first customer.
    EXPECT_TRUE(day.IsTimerPaused());
    ASSERT_TRUE(StepUntil([&] { return tutorial_->GetHint() == 2; }, 1.0f));
    EXPECT_EQ(day.GetCustomerManager()->GetCustomers().size(), 1u);
    EXPECT_TRUE(IsExclusive(day.FindDistributor("cracker_waffle")->GetSelectionWindow()));
}

TEST_F(GameLogicTest, KeyPressEndingTheFirstLessonResumesTheDay) {
    GameLogic& day = DayOf(0);
    Step();
    // The player went through hints 1 to 8 meanwhile.
    for (unsigned hint = 1; hint <= 8; ++hint) tutorial_->MarkShown(hint);
    tutorial_->EndHint();
    ASSERT_TRUE(StepUntil([&] { return tutorial_->GetHint() == 9; }, 1.0f));
    ASSERT_TRUE(StepUntil([&] { return tutorial_->GetElapsed() > 0.5f; }, 3.0f));
    EXPECT_TRUE(day.IsTimerPaused());
    PressKey();
    Step();
    EXPECT_TRUE(tutorial_->IsShown(9));
    EXPECT_FALSE(day.IsTimerPaused());
    EXPECT_FALSE(day.GetCustomerManager()->IsSpawnHeld());
    // Set to 1.8 s, it ran down in the same frame's customer update.
    EXPECT_FLOAT_EQ(day.GetCustomerManager()->GetTimeToNextCustomer(), 1.8f - 0.1f);
}

TEST_F(GameLogicTest, OneHintStartsAtATimeAndOthersWaitForIt) {
    // On a coffee day with hint 1 seen, hints 2 and 10 could both start.
    tutorial_->MarkShown(1);
    DayOf(4, {"coffee_black"});
    Step();
    EXPECT_EQ(tutorial_->GetHint(), 2);
    for (int frame = 0; frame < 30; ++frame) Step();
    EXPECT_EQ(tutorial_->GetHint(), 2);
}

TEST_F(GameLogicTest, CoffeeLessonStartsOnTheFirstLaterDayWithTheMachine) {
    GameLogic& day = DayOf(4, {"coffee_black"});
    Step();
    EXPECT_EQ(tutorial_->GetHint(), 10);
    EXPECT_TRUE(day.IsTimerPaused());
    EXPECT_TRUE(day.GetCustomerManager()->IsSpawnHeld());
    // Its customer comes at once and waits without losing patience while hints run.
    ASSERT_EQ(day.GetCustomerManager()->GetCustomers().size(), 1u);
    const Morvane::Customer& customer = *day.GetCustomerManager()->GetCustomers()[0];
    ASSERT_TRUE(StepUntil([&] { return customer.GetState() == Morvane::kWaiting; }, 10.0f));
    const float mood = customer.GetMood();
    for (int frame = 0; frame < 20; ++frame) Step();
    EXPECT_EQ(customer.GetMood(), mood);
}

TEST_F(GameLogicTest, MoodsDoNotDrainOnTheFirstDay) {
    SkipTutorial();
    for (int dayNumber : {0, 1}) {
        SCOPED_TRACE(dayNumber);
        GameLogic& day = DayOf(dayNumber);
        ASSERT_TRUE(StepUntil([&] {
            const auto& customers = day.GetCustomerManager()->GetCustomers();
            return !customers.empty() && customers[0]->GetState() == Morvane::kWaiting;
        }));
        const Morvane::Customer& customer = *day.GetCustomerManager()->GetCustomers()[0];
        const float mood = customer.GetMood();
        for (int frame = 0; frame < 10; ++frame) Step();
        if (dayNumber == 0)
            EXPECT_EQ(customer.GetMood(), mood);
        else
            EXPECT_LT(customer.GetMood(), mood);
    }
}

class GameLogicWithoutRedJellyTest : public gametest::DayTest {
protected:
    void SetUp() override {
        DayTest::SetUp();
        LoadCafe(30, false);
    }
};

TEST_F(GameLogicWithoutRedJellyTest, MissingTutorialElementIsSkippedWithOneWarning) {
    GameLogic& day = MakeDay();
    for (unsigned hint = 1; hint <= 5; ++hint) tutorial_->MarkShown(hint);
    Warnings();
    Step();
    EXPECT_EQ(tutorial_->GetHint(), 6);
    EXPECT_TRUE(IsExclusive(day.FindDistributor("cracker_fancy")->GetSelectionWindow()));
    EXPECT_THAT(Warnings(), ElementsAre(HasSubstr("\"jelly_red\"")));
}

TEST_F(GameLogicTest, HintsFinishWhenThePlayerHoldsWhatTheyAskFor) {
    const struct {
        int hint;
        std::vector<std::string> held;  // layers, or a recipe's name alone
        bool finished;
    } cases[] = {
        {2, {"cracker_waffle"}, true},  {2, {"jelly_green"}, false},   {3, {"jelly_green"}, true},
        {4, {"cracker_chocolate"}, true}, {4, {}, false},              {5, {}, true},
        {5, {"jelly_green"}, false},    {7, {"jelly_green"}, true},    {7, {}, false},
        {8, {}, true},                  {11, {"coffee_cup"}, true},    {11, {}, false},
        {12, {}, true},                 {12, {"coffee_cup"}, false},   {14, {"coffee_cup"}, true},
        {15, {}, true},                 {16, {"coffee_cup"}, true},    {17, {"coffee_black"}, true},
        {17, {"coffee_cup"}, false},    {18, {}, true},                {19, {"coffee_black"}, true},
        {20, {}, true},                 {20, {"coffee_cup"}, false},   {21, {}, true},
        {21, {"coffee_black"}, false},  {13, {}, true},
    };
    SkipTutorial();
    GameLogic& day = DayOf(4, {"coffee_black"});
    Morvane::Food& hand = *day.GetCursorFood()->GetFood();
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::PrintToString(entry.held));
        SCOPED_TRACE(entry.hint);
        hand.Clear();
        if (entry.held.size() == 1 && day.GetGameData()->FindFood(entry.held[0]) && entry.held[0] != "coffee_cup")
            hand.BuildRecipe(entry.held[0]);
        else
            for (const std::string& layer : entry.held) hand.AddIngredient(layer);
        tutorial_->StartHint(entry.hint, 0.0f);
        Step();
        EXPECT_EQ(tutorial_->IsShown(static_cast<unsigned>(entry.hint)), entry.finished);
        EXPECT_EQ(tutorial_->IsActive(), !entry.finished);
        tutorial_->EndHint();
        tutorial_->ClearAllShown();
        SkipTutorial();
    }
}

TEST_F(GameLogicTest, ServingLessonsKeepCustomersComingAndMarkWhatIsPending) {
    SkipTutorial();
    GameLogic& day = DayOf(4, {"coffee_black"});
    Morvane::CustomerManager& customers = *day.GetCustomerManager();
    customers.SetSpawnHold(true);
    Morvane::CursorFood& hand = *day.GetCursorFood();
    // While the coffee is carried, fewer than two customers in play call the next one.
    hand.GetFood()->AddIngredient("coffee_cup");
    tutorial_->StartHint(15, 0.0f);
    Step();
    EXPECT_EQ(customers.GetCustomers().size(), 1u);

    // Hint 13 marks a carried item as pending (bits 0 and 1); an empty hand clears bit 0,
    // and the hint waits until the machine has nothing in it either, then calls the next
    // customer.
    tutorial_->EndHint();
    tutorial_->StartHint(13, 0.0f);
    Step();
    EXPECT_TRUE(tutorial_->IsPending(0));
    EXPECT_TRUE(tutorial_->IsPending(1));
    Morvane::AutomaticMachine& machine = *day.FindAutomaticMachine("coffee_black");
    PointAt(MachineBox("coffee_black").Centre());
    Click(platform::seam::MouseButton::Left);
    Step();
    ASSERT_NE(machine.GetItemInProduction(), nullptr);
    EXPECT_TRUE(hand.GetFood()->GetLayers().empty());
    EXPECT_FALSE(tutorial_->IsPending(0));
    EXPECT_TRUE(tutorial_->IsPending(1));
    ASSERT_TRUE(StepUntil([&] { return machine.GetFinishedItem() != nullptr; }, 5.0f));
    EXPECT_TRUE(tutorial_->IsActive());
    Click(platform::seam::MouseButton::Left);
    Step();
    EXPECT_EQ(hand.GetFood()->GetName(), "coffee_black");
    EXPECT_TRUE(tutorial_->IsPending(0));
    hand.Clear();
    Step();
    EXPECT_TRUE(tutorial_->IsShown(13));
    EXPECT_EQ(customers.GetCustomers().size(), 2u);

    // Hint 6 marks a three-layer item.
    tutorial_->StartHint(6, 0.0f);
    hand.GetFood()->BuildRecipe("cake_07");
    Step();
    EXPECT_TRUE(tutorial_->IsPending(0));
    EXPECT_TRUE(tutorial_->IsActive());
}

TEST_F(GameLogicTest, RightClickServesNobodyWhileTheCoffeeIsCarriedByHand) {
    SkipTutorial();
    GameLogic& day = DayOf(4, {"coffee_black"});
    Morvane::CustomerManager& customers = *day.GetCustomerManager();
    customers.SetTimeToNextCustomer(-1.0f);
    Step();
    ASSERT_EQ(customers.GetCustomers().size(), 1u);
    const Morvane::Customer& customer = *customers.GetCustomers()[0];
    ASSERT_TRUE(StepUntil([&] { return customer.GetState() == Morvane::kWaiting; }, 10.0f));
    Morvane::CursorFood& hand = *day.GetCursorFood();
    hand.GetFood()->BuildRecipe(customer.GetOrderItems()[0]->GetName());
    // Hints 20 and 18 both wait for an empty hand.
    for (const int hint : {20, 18}) {
        SCOPED_TRACE(hint);
        tutorial_->StartHint(hint, 0.0f);
        Click(platform::seam::MouseButton::Right);
        Step();
        EXPECT_EQ(hand.GetFood()->GetLayers().empty(), hint == 18);
        tutorial_->EndHint();
    }
}

TEST(TutorialScriptTest, RightClicksServeExceptWhileTheCoffeeIsCarriedByHand) {
    const struct {
        bool active;
        int hint;
        bool allowed;
    } cases[] = {{false, 0, true}, {true, 18, true}, {true, 19, false}, {true, 20, false}, {true, 21, true}};
    for (const auto& entry : cases)
        EXPECT_EQ(Morvane::TutorialScript::AllowsRightClickServing(entry.active, entry.hint), entry.allowed)
            << entry.hint;
}

// --- the day's end -----------------------------------------------------------------------

TEST(ServiceRatingTest, AverageRatingRoundsFromThirtyFiveHundredths) {
    const struct {
        std::vector<float> ratings;
        int service;
    } cases[] = {
        {{0, 1, 1, 3}, 1}, {{3, 3}, 3}, {{2}, 2}, {{0, 0, 1}, 0}, {{1, 2}, 1}, {{1, 1, 2}, 1}, {{}, 0},
    };
    for (const auto& entry : cases) {
        float sum = 0.0f;
        for (float rating : entry.ratings) sum += rating;
        EXPECT_EQ(GameLogic::AverageServiceRating(sum, static_cast<unsigned>(entry.ratings.size())), entry.service)
            << testing::PrintToString(entry.ratings);
    }
}

// A day of one second of playing time; its end watched in frames of a sixteenth of a
// second.
class DayEndTest : public gametest::DayTest {
protected:
    static constexpr float kStep = 0.0625f;

    void SetUp() override {
        DayTest::SetUp();
        LoadCafe(1);
        SkipTutorial();
    }
    // The profile with these fields; a day of it in which nobody comes.
    GameLogic& QuietDay(const std::vector<std::string>& machines, int money, float mood = 0.5f,
                        std::uint32_t flags = 0, const std::vector<std::string>& built = {}) {
        Player().Reset();
        Player().SetDay(1);
        for (const std::string& machine : machines) Player().AddMachine(machine);
        for (const std::string& upgrade : built) Player().AddHouseUpgrade(upgrade);
        Player().SetMoney(money);
        Player().SetMood(mood);
        Player().SetFlag(flags);
        Player().Save();
        SkipTutorial();
        GameLogic& day = MakeDay();
        day.GetCustomerManager()->SetSpawnHold(true);
        return day;
    }
    bool RunToEnd(float seconds = 60.0f) {
        return StepUntil([&] { return day_->GetState() == LevelState::Won; }, seconds);
    }
    // The profile as its file holds it.
    Morvane::Profile& Reloaded() {
        reloaded_ = std::make_unique<Morvane::ProfileManager>(nullptr, home_.root + L"\\user");
        auto* profile = static_cast<Morvane::Profile*>(reloaded_->FindProfile(L"Anna"));
        EXPECT_NE(profile, nullptr);
        return *profile;
    }

    std::unique_ptr<Morvane::ProfileManager> reloaded_;
};

TEST_F(DayEndTest, DayEndsOnceTheLastCustomerHasBeenGoneForMoreThanOneSecond) {
    GameLogic& day = QuietDay({}, 0);
    Morvane::CustomerManager& customers = *day.GetCustomerManager();
    // A customer comes shortly before closing time and stays after it: no waiting while
    // it is there.
    ASSERT_TRUE(StepUntil([&] { return day.GetClock()->GetProgress() >= 0.5f; }, 10.0f, kStep));
    customers.SetTimeToNextCustomer(-1.0f);
    Step(kStep);
    ASSERT_EQ(customers.GetCustomers().size(), 1u);
    ASSERT_TRUE(StepUntil([&] { return day.GetClock()->IsFinished(); }, 10.0f, kStep));
    ASSERT_EQ(customers.GetCustomers().size(), 1u);
    while (!customers.GetCustomers().empty()) {
        EXPECT_EQ(day.GetDayEndWait(), 0.0f);
        Step(kStep);
    }
    // The frame it left in counts; the day ends in the frame whose wait passes 1 s.
    EXPECT_EQ(day.GetDayEndWait(), Vantor::TimerManager::Instance()->GetFrameTime());
    float wait = 0.0f;
    while (day.GetState() == LevelState::Running) {
        wait = day.GetDayEndWait();
        ASSERT_LE(wait, 1.0f);
        Step(kStep);
    }
    EXPECT_GT(wait, 1.0f - kStep);
    EXPECT_GT(day.GetDayEndWait(), 1.0f);
    EXPECT_EQ(day.GetState(), LevelState::Won);
    EXPECT_TRUE(day.IsChanged());
    EXPECT_THAT(EffectsNow(), testing::Contains("22"));
}

TEST_F(DayEndTest, DayEndWritesItsFiguresIntoTheProfileAndItsFile) {
    Player().SetMoney(50);
    Player().SetQualification(7);
    Player().SetMood(1.4f);
    Player().SetDay(1);
    Player().Save();
    GameLogic& day = MakeDay();
    day.GetFinances()->income = 30;
    day.GetFinances()->tips = 5;
    // Whoever comes is left waiting until they give up.
    ASSERT_TRUE(RunToEnd());
    const Morvane::DayResult& result = Player().GetDayResult();
    EXPECT_FALSE(result.shown);
    EXPECT_EQ(result.foodSales, 25);
    EXPECT_EQ(result.tips, 5);
    ASSERT_GT(result.customersCome, 0);
    EXPECT_EQ(result.customersServed, 0);
    EXPECT_EQ(result.serviceRating, 3);
    EXPECT_FLOAT_EQ(result.mood, 1.0f);
    Morvane::Profile& saved = Reloaded();
    EXPECT_EQ(saved.GetDay(), 2);
    EXPECT_EQ(saved.GetMoney(), 80);
    EXPECT_EQ(saved.GetQualification(), 12);
    // The day's figures are not kept in the file.
    EXPECT_TRUE(saved.GetDayResult().shown);
}

TEST_F(DayEndTest, DayWithoutCustomersRatesZero) {
    QuietDay({}, 0);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(Player().GetDayResult().customersCome, 0);
    EXPECT_EQ(Player().GetDayResult().serviceRating, 0);
}

TEST_F(DayEndTest, HouseBuildingOpensWithTwoMachinesAndTheFirstUpgradesPriceAndMoodThenChangesDaily) {
    constexpr std::uint32_t kHouse = Morvane::Profile::kFlagHouseUnlocked;
    const struct {
        const char* what;
        std::vector<std::string> machines;
        int money;
        float mood;
        std::uint32_t flags;
        std::vector<std::string> built;
        bool unlocked;
        float moodAfter;
    } cases[] = {
        {"one machine", {"oven"}, 500, 0.5f, 0, {}, false, 0.5f},
        {"short of money", {"oven", "coffee_black"}, 99, 0.5f, 0, {}, false, 0.5f},
        // The day-change (-0.1) follows the same evening.
        {"unlocked", {"oven", "coffee_black"}, 100, 0.5f, 0, {}, true, 0.4f},
        {"clamped first", {}, 0, 1.5f, kHouse, {"roof"}, true, 0.9f},
        {"floored at 0", {}, 0, 0.05f, kHouse, {}, true, 0.0f},
        {"everything built", {}, 0, 1.5f, kHouse, {"roof", "chimney"}, true, 1.5f},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        QuietDay(entry.machines, entry.money, entry.mood, entry.flags, entry.built);
        ASSERT_TRUE(RunToEnd());
        EXPECT_EQ(Reloaded().HasFlag(kHouse), entry.unlocked);
        EXPECT_FLOAT_EQ(Reloaded().GetMood(), entry.moodAfter);
        day_.reset();
    }
}

class DayEndWithoutHouseUpgradesTest : public gametest::DayTest {
protected:
    void SetUp() override {
        DayTest::SetUp();
        baseGame_.upgrades = "<upgrades/>";
        LoadCafe(1);
        SkipTutorial();
    }
};

TEST_F(DayEndWithoutHouseUpgradesTest, NothingUnlocksAndTheMoodStays) {
    Player().SetDay(1);
    Player().AddMachine("oven");
    Player().AddMachine("coffee_black");
    Player().SetMoney(1000);
    GameLogic& day = MakeDay();
    day.GetCustomerManager()->SetSpawnHold(true);
    ASSERT_TRUE(StepUntil([&] { return day.GetState() == LevelState::Won; }, 20.0f));
    EXPECT_FALSE(Player().HasFlag(Morvane::Profile::kFlagHouseUnlocked));
    Player().SetFlag(Morvane::Profile::kFlagHouseUnlocked);
    Player().SetDay(1);
    GameLogic& again = MakeDay();
    again.GetCustomerManager()->SetSpawnHold(true);
    ASSERT_TRUE(StepUntil([&] { return again.GetState() == LevelState::Won; }, 20.0f));
    EXPECT_FLOAT_EQ(Player().GetMood(), Morvane::Profile::kStartMood);
}

}  // namespace
