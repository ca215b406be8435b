// Whole days of the data set make_data built, through the test game's frames: the first
// day scripted through tutorial hints 1 to 9, the first coffee day scripted through
// hints 10 to 22, each then finished by the deterministic player; and one day of the
// player giving one digest in two runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace replay
