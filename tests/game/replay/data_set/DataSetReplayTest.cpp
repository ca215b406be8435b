// Whole days of the data set make_data built, through the test game's frames: the first
// day scripted through tutorial hints 1 to 9, the first coffee day scripted through
// hints 10 to 22, each then finished by the deterministic player; one day of the player
// giving one digest in two runs; days with 0, 1, 5 and 15 machines set up without a
// logged problem and with their trays; and the player's days with 1, 8 and 15 machines
// serving everything the room offers and seeing every rating.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "game/Clock.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/CustomerMood.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/ServiceRating.h"
#include "tests/game/replay/data_set/DataSetDayFixture.h"
#include "tests/game/replay/data_set/FirstDayHints.h"

namespace replay {
namespace {

using testing::IsEmpty;

using DataSetReplayTest = DataSetDayFixture;

TEST_F(DataSetReplayTest, TheFirstDayRunsThroughHintsOneToNineAndThePlayerFinishesIt) {
    DayRunner& runner = StartDay({0, 0, 0.5f, {}, true});
    runner.Follow(ReplayScript::Parse(kFirstDayHints));
    const unsigned scriptEnd = ReplayScript::Parse(kFirstDayHints).GetSteps().back().frame;
    ASSERT_TRUE(runner.RunUntil([&] { return runner.GetFrame() > scriptEnd + 10; }, scriptEnd + 20));
    EXPECT_THAT(runner.GetFaults(), IsEmpty());
    for (unsigned hint = 1; hint <= 9; ++hint) EXPECT_TRUE(Shown(hint)) << "hint " << hint;
    EXPECT_FALSE(Shown(10));
    Player();
    ASSERT_TRUE(runner.RunDay());
    EXPECT_THAT(runner.GetFaults(), IsEmpty());

    const DayLog log = runner.GetLog();
    ASSERT_GE(log.customers.size(), 3u) << log.ToText();
    EXPECT_EQ(log.customers[0].order, std::vector<std::string>{"cake_13"});
    EXPECT_EQ(log.customers[0].type, "regular");
    EXPECT_EQ(log.customers[1].order, std::vector<std::string>{"cake_07"});
    // Moods do not drain on the first day: everyone is served at full mood.
    for (const CustomerRecord& record : log.customers) {
        EXPECT_TRUE(record.paid) << log.ToText();
        EXPECT_EQ(record.rating, 0);
    }
    EXPECT_EQ(log.figures.profile.day, 1);
    EXPECT_EQ(log.figures.profile.customersServed, static_cast<std::int32_t>(log.customers.size()));
}

// Hints 10 to 22 of the first day with the coffee machine. Each customer of the lesson
// orders a black coffee; right clicks send it wherever the customer stands.
constexpr const char* kCoffeeHints = R"(# hint 10 shows after 2 s; a key after half a second more
30 key SPACE
# hint 11 highlights the cups, hint 12 the machine, which brews for 3 s
+10 click distributor coffee_cup
+10 click machine coffee_black
# hint 13: the coffee taken out and served empties hand and machine
+45 click machine coffee_black
+10 right_click point 400 20
# hints 14 to 16: a cup into the machine, and the next cup taken while it brews
+30 click distributor coffee_cup
+5 click machine coffee_black
+8 click distributor coffee_cup
# hint 17: the cup swapped for the coffee; hint 18: the coffee served
+40 click machine coffee_black
+10 right_click point 400 20
# hint 19: the coffee taken out, hint 20: put back, hint 21: taken and served
+40 click machine coffee_black
+5 click machine coffee_black
+5 click machine coffee_black
+5 right_click point 400 20
# hint 22 waits for a key
+15 key SPACE
)";

TEST_F(DataSetReplayTest, TheFirstCoffeeDayRunsThroughHintsTenToTwentyTwo) {
    DayRunner& runner = StartDay({1, 0, 0.5f, {"coffee_black"}, true});
    runner.Follow(ReplayScript::Parse(kCoffeeHints));
    const unsigned scriptEnd = ReplayScript::Parse(kCoffeeHints).GetSteps().back().frame;
    ASSERT_TRUE(runner.RunUntil([&] { return runner.GetFrame() > scriptEnd + 10; }, scriptEnd + 20));
    EXPECT_THAT(runner.GetFaults(), IsEmpty());
    for (unsigned hint = 10; hint <= 22; ++hint) EXPECT_TRUE(Shown(hint)) << "hint " << hint;
    EXPECT_FALSE(Shown(1));
    Player();
    ASSERT_TRUE(runner.RunDay());
    EXPECT_THAT(runner.GetFaults(), IsEmpty());

    const DayLog log = runner.GetLog();
    ASSERT_GE(log.customers.size(), 3u) << log.ToText();
    // The lesson's customers order the black coffee and are served.
    for (std::size_t customer = 0; customer < 3; ++customer) {
        EXPECT_EQ(log.customers[customer].order, std::vector<std::string>{"coffee_black"}) << log.ToText();
        EXPECT_TRUE(log.customers[customer].paid) << log.ToText();
    }
}

TEST_F(DataSetReplayTest, ThePlayersDayGivesOneDigestInTwoRuns) {
    const ProfileSetup setup{1, 1000, 0.5f, FirstMachines(1), false};
    const DayLog first = PlayedDay(setup);
    const DayLog second = PlayedDay(setup);
    EXPECT_EQ(first.Digest(), second.Digest());
    EXPECT_EQ(first.ToText(), second.ToText());
}


// A day's frames at most, far more than the longest day's 3000 or so.
constexpr unsigned kMaxDayFrames = 20000;
// The first customer comes within 5 s.
constexpr unsigned kFirstCustomerFrames = 100;

// The foods customers may order in a room with the machines: those no machine makes, and
// those a machine of the room makes from a food the room has.
std::set<std::string> OrderableFoods(const Morvane::GameData& data, const std::vector<std::string>& machines) {
    const auto& everyMachine = data.GetAutomaticMachines();
    std::set<std::string> has;
    for (const auto& food : data.GetFoods())
        if (std::none_of(everyMachine.begin(), everyMachine.end(), [&](const auto& machine) {
                return std::count(machine->outputs.begin(), machine->outputs.end(), food->name) > 0;
            }))
            has.insert(food->name);
    for (bool grew = true; grew;) {
        grew = false;
        for (const std::string& name : machines)
            if (const Morvane::AutomaticMachineInfo* machine = data.FindAutomaticMachine(name))
                for (std::size_t production = 0; production < machine->inputs.size(); ++production)
                    if (has.count(machine->inputs[production]))
                        grew = has.insert(machine->outputs[production]).second || grew;
    }
    std::set<std::string> orderable;
    for (const std::string& name : has)
        if (const Morvane::FoodInfo* food = data.FindFood(name); food && food->canOrder) orderable.insert(name);
    return orderable;
}

// What the days' customers left out of what the room with the machines offers, read
// from the game's data: each food customers may order there that no paid order held,
// each machine none of whose products a paid order held, each customer type that may
// come (its compulsory groups all offered) that no served customer was, and each rating
// that nobody gave.
std::vector<std::string> Uncovered(const std::vector<CustomerRecord>& customers, const Morvane::GameData& data,
                                   const std::vector<std::string>& machines) {
    std::set<std::string> served, servedTypes;
    std::set<int> ratings;
    for (const CustomerRecord& record : customers) {
        ratings.insert(record.rating);
        if (!record.paid) continue;
        served.insert(record.order.begin(), record.order.end());
        servedTypes.insert(record.type);
    }
    std::vector<std::string> missing;
    const std::set<std::string> orderable = OrderableFoods(data, machines);
    std::set<std::string> groups;
    for (const std::string& food : orderable) {
        groups.insert(data.FindFood(food)->group);
        if (!served.count(food)) missing.push_back("food " + food);
    }
    for (const std::string& name : machines) {
        const Morvane::AutomaticMachineInfo* machine = data.FindAutomaticMachine(name);
        if (!machine || std::none_of(machine->outputs.begin(), machine->outputs.end(),
                                     [&](const std::string& output) { return served.count(output) > 0; }))
            missing.push_back("machine " + name);
    }
    for (const auto& type : data.GetCustomerTypes()) {
        bool comes = true;
        for (std::size_t group = 0; group < type->groups.size(); ++group)
            comes = comes && (!type->mustOrderFlags[group] || groups.count(type->groups[group]) > 0);
        if (comes && !servedTypes.count(type->name)) missing.push_back("customer type " + type->name);
    }
    for (int rating = Morvane::kServedQuickly; rating <= Morvane::kRanOut; ++rating)
        if (!ratings.count(rating)) missing.push_back("rating " + std::to_string(rating));
    return missing;
}

// The days with the first machines bought: each set up without an error or a warning
// line, with a tray for every ingredient its machines take, and its first customer let
// in without one.
class DataSetRoomSetUpTest : public DataSetDayFixture, public testing::WithParamInterface<std::size_t> {};

TEST_P(DataSetRoomSetUpTest, TheDayIsSetUpWithItsTraysAndWithoutALoggedProblem) {
    DayRunner& runner = StartDay({3, 0, 0.5f, FirstMachines(GetParam()), false});
    EXPECT_THAT(game_->Room().MissingTrays(game_->Data()), IsEmpty());
    std::vector<std::string> logged = ReplayGame::TakeLogged();
    EXPECT_TRUE(runner.RunUntil(
        [&] {
            for (std::string& line : ReplayGame::TakeLogged()) logged.push_back(std::move(line));
            return !runner.GetLog().customers.empty();
        },
        kFirstCustomerFrames));
    EXPECT_THAT(logged, IsEmpty());
    EXPECT_THAT(runner.GetFaults(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Machines, DataSetRoomSetUpTest, testing::Values(0, 1, 5, 15),
                         [](const testing::TestParamInfo<std::size_t>& machines) {
                             return std::to_string(machines.param) + "Machines";
                         });

// The machines bought and the seeds of the days that together serve everything.
struct CoveringDays {
    std::size_t machines = 0;
    std::vector<std::uint32_t> seeds;
};

void PrintTo(const CoveringDays& days, std::ostream* out) {
    *out << days.machines << " machines, seeds";
    for (std::uint32_t seed : days.seeds) *out << " " << seed;
}

// The seeds are chosen so that the days' customers order every product of the room and
// the player serves each. A day has some forty customers at the player's pace: one day
// serves the nineteen products of one machine, but eight and fifteen machines offer 28
// and 38, eighteen of them cakes, and an order takes its groups in the room's order, so
// that ice cream, which only children and tourists order, often falls off the end of
// one: their products take two days.
const CoveringDays kCoveringDays[] = {{1, {110}}, {8, {1, 2}}, {15, {1, 11}}};

class DataSetCoveringDayTest : public DataSetDayFixture, public testing::WithParamInterface<CoveringDays> {
protected:
    static constexpr float kMood = 0.2f;

    // A day at a low mood, which the player comes to late: once its first customer has
    // waited into the last stage of its patience. The customers who came meanwhile have
    // waited a while when served. When the café closes the player steps away: whoever
    // still waits leaves unserved.
    DayLog PlayDayComingLate(std::size_t machineCount, std::uint32_t seed) {
        DayRunner& runner = StartDay({10, 1000, kMood, FirstMachines(machineCount), false}, seed);
        const Morvane::GameLogic& day = *game_->GetDay();
        logged_ = ReplayGame::TakeLogged();
        const auto runUntil = [&](auto condition) {
            return runner.RunUntil(
                [&] {
                    for (std::string& line : ReplayGame::TakeLogged()) logged_.push_back(std::move(line));
                    return condition();
                },
                kMaxDayFrames);
        };
        EXPECT_TRUE(runUntil([&] {
            const auto& customers = day.GetCustomerManager()->GetCustomers();
            return std::any_of(customers.begin(), customers.end(), [](const auto& customer) {
                return customer->GetPatience().GetStage() == Morvane::CustomerMood::kStageCount - 1;
            });
        }));
        Player();
        EXPECT_TRUE(runUntil([&] { return day.GetClock()->IsFinished(); }));
        runner.SetPlayer(nullptr);
        EXPECT_TRUE(runUntil([&] { return runner.IsDayWon(); }));
        return runner.GetLog();
    }

    // The error and warning lines logged while the day ran.
    std::vector<std::string> logged_;
};

TEST_P(DataSetCoveringDayTest, ThePlayerServesEveryProductMachineAndCustomerTypeAndSeesEachRating) {
    std::vector<CustomerRecord> customers;
    for (std::uint32_t seed : GetParam().seeds) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const DayLog log = PlayDayComingLate(GetParam().machines, seed);
        EXPECT_THAT(runner_->GetFaults(), IsEmpty());
        EXPECT_THAT(logged_, IsEmpty());
        customers.insert(customers.end(), log.customers.begin(), log.customers.end());
    }
    EXPECT_THAT(Uncovered(customers, game_->Data(), FirstMachines(GetParam().machines)), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Machines, DataSetCoveringDayTest, testing::ValuesIn(kCoveringDays),
                         [](const testing::TestParamInfo<CoveringDays>& days) {
                             return std::to_string(days.param.machines) + "Machines";
                         });

}  // namespace
}  // namespace replay
