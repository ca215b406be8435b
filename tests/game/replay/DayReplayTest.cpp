// Whole days of the replay data through the test game's frames: the first day scripted
// through its tutorial hints and played to its end, a day in which nobody is served, a
// day played by the deterministic player whose every payment is checked against the
// price and tip rules, one seed and script giving one digest twice in a process and in
// two processes, and a player's record replaying the same day.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "game/GameData.h"
#include "game/GameLogic.h"
#include "tests/game/replay/ReplayDayFixture.h"

namespace replay {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// A short day with quick customers keeps the runs short.
const ReplayDataOptions kQuickDay{12.0f, 0.5f, 5.0f, 8.0f};

class DayReplayTest : public ReplayDayFixture {
protected:
    std::unique_ptr<ReplayGame> MakeGame(enginetest::EngineFolder& folder) override {
        return std::make_unique<ReplayGame>(folder.folder, folder.root, kQuickDay);
    }
    int Cost(const std::string& food) const { return game_->Data().FindFood(food)->cost; }
};

const ProfileSetup kSecondDay{1, 40, 0.5f, {"coffee_black"}, false};

// Hints 1 to 9 of the first day, each step well after the hint it answers has started.
constexpr const char* kFirstDayHints = R"(# hint 1 shows after 2 s; a key after half a second more
30 key SPACE
# hints 2 to 4 highlight the cake's three distributors, hint 5 the customer
+25 click distributor cracker_waffle
+5 click distributor jelly_green
+5 click distributor cracker_chocolate
+5 click customer at place 0
# hint 6: the second customer's cake, sent by a right click wherever it stands
+10 click distributor cracker_fancy
+8 click distributor jelly_red
+8 click distributor cracker_fancy
+12 right_click point 400 20
# hint 7 wants something in the hand, hint 8 the hand emptied into the dustbin
+30 click distributor jelly_green
+15 click machine dustbin
# hint 9 shows after 1.4 s
+25 key SPACE
)";

TEST_F(DayReplayTest, TheFirstDayRunsThroughHintsOneToNineAndThePlayerFinishesIt) {
    DayRunner& runner = StartDay({0, 0, 0.5f, {}, true});
    runner.Follow(ReplayScript::Parse(kFirstDayHints));
    const unsigned scriptEnd = ReplayScript::Parse(kFirstDayHints).GetSteps().back().frame;
    ASSERT_TRUE(runner.RunUntil([&] { return runner.GetFrame() > scriptEnd + 10; }, scriptEnd + 20));
    EXPECT_THAT(runner.GetFaults(), IsEmpty());
    for (unsigned hint = 1; hint <= 9; ++hint) EXPECT_TRUE(Shown(hint)) << "hint " << hint;
    EXPECT_FALSE(Shown(10));
    // Spawning runs again: the player serves the rest of the day.
    Player();
    ASSERT_TRUE(runner.RunDay());
    EXPECT_THAT(runner.GetFaults(), IsEmpty());

    const DayLog log = runner.GetLog();
    ASSERT_GE(log.customers.size(), 3u) << log.ToText();
    EXPECT_EQ(log.customers[0].order, std::vector<std::string>{"cake_13"});
    EXPECT_EQ(log.customers[0].place, 0u);
    EXPECT_EQ(log.customers[0].type, "student");
    EXPECT_EQ(log.customers[1].order, std::vector<std::string>{"cake_07"});
    // Moods do not drain on the first day: everyone is served at full mood.
    for (const CustomerRecord& record : log.customers) {
        EXPECT_TRUE(record.paid) << log.ToText();
        EXPECT_EQ(record.moodAtPayment, 1.0f);
        EXPECT_EQ(record.rating, 0);
    }
    EXPECT_EQ(log.figures.profile.day, 1);
    EXPECT_EQ(log.figures.profile.customersServed, static_cast<std::int32_t>(log.customers.size()));
}

TEST_F(DayReplayTest, ADayNobodyServesRatesEveryCustomerThree) {
    DayRunner& runner = StartDay({1, 25, 0.5f, {}, false});
    ASSERT_TRUE(runner.RunDay());
    const DayLog log = runner.GetLog();
    ASSERT_FALSE(log.customers.empty());
    for (const CustomerRecord& record : log.customers) {
        EXPECT_FALSE(record.paid);
        EXPECT_EQ(record.rating, 3);
    }
    EXPECT_EQ(log.figures.come, log.customers.size());
    EXPECT_EQ(log.figures.served, 0u);
    EXPECT_EQ(log.figures.income, 0u);
    EXPECT_EQ(log.figures.profile.serviceRating, 3);
    EXPECT_EQ(log.figures.profile.foodSales, 0);
    EXPECT_EQ(log.figures.profile.money, 25);
    EXPECT_EQ(log.figures.profile.day, 2);
}

TEST_F(DayReplayTest, ThePlayersPaymentsFollowThePriceAndTipRules) {
    const DayLog log = PlayedDay(kSecondDay);
    const float priceMultiplier = 1.5f;  // the cafe class of one machine bought
    std::uint32_t income = 0;
    std::uint32_t tips = 0;
    float ratings = 0.0f;
    unsigned served = 0;
    bool coffeeServed = false;
    for (const CustomerRecord& record : log.customers) {
        SCOPED_TRACE(log.ToText());
        ASSERT_GE(record.rating, 0);
        ratings += static_cast<float>(record.rating);
        if (record.rating < 3) ++served;
        if (!record.paid) continue;
        int cost = 0;
        for (const std::string& item : record.order) {
            cost += Cost(item);
            coffeeServed |= item == "coffee_black";
        }
        const unsigned price = static_cast<unsigned>(static_cast<float>(cost) * priceMultiplier);
        const float share = std::clamp((record.moodAtPayment - 0.34f) / (0.82f - 0.34f), 0.0f, 1.0f);
        unsigned tip = static_cast<unsigned>(share * 0.32f * static_cast<float>(price) + 0.5f);
        if (share > 0.0001f && tip == 0) tip = 1;
        EXPECT_EQ(record.price, price);
        EXPECT_EQ(record.tip, tip);
        income += record.price + record.tip;
        tips += record.tip;
    }
    EXPECT_GT(served, 0u);
    EXPECT_TRUE(coffeeServed);
    EXPECT_EQ(log.figures.income, income);
    EXPECT_EQ(log.figures.tips, tips);
    EXPECT_EQ(log.figures.come, log.customers.size());
    EXPECT_EQ(log.figures.served, served);
    EXPECT_EQ(log.figures.ratingSum, ratings);
    const ProfileFigures& profile = log.figures.profile;
    EXPECT_EQ(profile.money, 40 + static_cast<std::int32_t>(income));
    EXPECT_EQ(profile.qualification, static_cast<std::int32_t>(tips));
    EXPECT_EQ(profile.foodSales, static_cast<std::int32_t>(income - tips));
    EXPECT_EQ(profile.tips, static_cast<std::int32_t>(tips));
    EXPECT_EQ(profile.serviceRating, static_cast<std::int32_t>(ratings / static_cast<float>(log.customers.size()) + 0.35f));
}

TEST_F(DayReplayTest, OneSeedAndScriptGiveOneDigestInOneProcessAndInTwo) {
    const ReplayScript script = ReplayScript::Parse(
        "40 click distributor cracker_waffle\n+3 click distributor jelly_red\n+3 right_click point 10 10\n"
        "+30 click distributor coffee_cup\n+3 click machine coffee_black\n+10 click machine coffee_black\n"
        "+3 right_click point 10 10\n");
    const auto digest = [&] {
        DayRunner& runner = StartDay(kSecondDay);
        runner.Follow(script);
        EXPECT_TRUE(runner.RunDay());
        return runner.GetLog().Digest();
    };
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::uint64_t childDigest = 0;
        {
            // A home of its own: both processes write their data and profiles.
            enginetest::EngineFolder own;
            folder_ = &own;
            childDigest = digest();
            runner_.reset();
            game_.reset();
        }
        const bool written = write(pipeEnds[1], &childDigest, sizeof(childDigest)) == sizeof(childDigest);
        _exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    const std::uint64_t first = digest();
    const std::uint64_t second = digest();
    std::uint64_t fromChild = 0;
    EXPECT_EQ(read(pipeEnds[0], &fromChild, sizeof(fromChild)), static_cast<ssize_t>(sizeof(fromChild)));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, fromChild);
    // Another seed is another day.
    DayRunner& other = StartDay(kSecondDay, kSeed + 1);
    other.Follow(script);
    other.RunDay();
    EXPECT_NE(other.GetLog().Digest(), first);
}

TEST_F(DayReplayTest, APlayersRecordReplaysTheSameDay) {
    const DayLog played = PlayedDay(kSecondDay);
    const ReplayScript record = ReplayScript::Parse(runner_->GetRecord().ToText());
    ASSERT_FALSE(record.GetSteps().empty());

    DayRunner& replay = StartDay(kSecondDay);
    replay.Follow(record);
    ASSERT_TRUE(replay.RunDay());
    EXPECT_THAT(replay.GetFaults(), IsEmpty());
    EXPECT_EQ(replay.GetLog().ToText(), played.ToText());
    EXPECT_EQ(replay.GetRecord(), record);
}

TEST_F(DayReplayTest, AStepWhoseTargetIsMissingIsAFaultAndNotGiven) {
    DayRunner& runner = StartDay(kSecondDay);
    runner.Follow(ReplayScript::Parse("0 click customer at place 2\n0 click distributor spice_rack\n1 key NOPE\n"
                                      "2 click distributor cracker_waffle"));
    runner.RunUntil([] { return false; }, 4);
    EXPECT_THAT(runner.GetFaults(),
                ElementsAre("frame 0: cannot be given: 0 click customer at place 2",
                            "frame 0: cannot be given: 0 click distributor spice_rack",
                            "frame 1: cannot be given: 1 key NOPE"));
    EXPECT_EQ(runner.GetRecord().ToText(), "2 click distributor cracker_waffle\n");
}

}  // namespace
}  // namespace replay
