// A new player's career on the data set make_data builds, played by the deterministic
// player between the start-of-day window's advice (EconomyWalk): the game loads without
// an error or warning line; every day is set up and played without one and with a tray
// in the room for every ingredient its machines take; the days chain through the
// profile. The whole career (run by hand) has days with 0, 1, 5 and all 15 machines,
// every machine and every house upgrade in 30 to 45 days, and then the trip's money.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/GameData.h"
#include "game/HouseUpgradeInfo.h"
#include "game/MachineUpgradeInfo.h"
#include "game/Profile.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUIUpgradeWindow.h"
#include "platform/Clock.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/game/replay/economy/EconomyWalk.h"
#include "tests/game/replay/ReplayGame.h"

namespace replay {
namespace {

using Morvane::GUIStartGameLogicWindow;

constexpr std::uint32_t kSeed = 20261211;
constexpr int kFirstGoalDay = 30;
constexpr int kLastGoalDay = 45;
// The days a career's start may take to its first house upgrade.
constexpr int kFirstDaysToBuild = 6;
// Past the last goal day, the days the last task may take.
constexpr int kMaxDays = kLastGoalDay + 20;

class EconomyWalkTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        EngineObjectTest::SetUp();
        platform::seam::SetVirtualTime(0);
        const std::filesystem::path data = MORVANE_DATA_SET_FOLDER;
        ASSERT_TRUE(std::filesystem::is_directory(data)) << "make_data has not built " << data;
        game_ = std::make_unique<ReplayGame>(home_.folder, home_.root, data);
        walk_ = std::make_unique<EconomyWalk>(*game_, kSeed);
    }
    void TearDown() override {
        walk_.reset();
        game_.reset();
        EngineObjectTest::TearDown();
    }

    std::unique_ptr<ReplayGame> game_;
    std::unique_ptr<EconomyWalk> walk_;
};

// One day of the walk: played without a fault or a logged problem, with its trays, and
// its money carried from the day before: the day's income in, the purchases out.
void ExpectSoundDay(const WalkDay& day, std::int32_t moneyBefore, const ReplayGame& game) {
    SCOPED_TRACE(day.ToText());
    EXPECT_EQ(day.faults, std::vector<std::string>{});
    EXPECT_EQ(day.logged, std::vector<std::string>{});
    EXPECT_EQ(game.Room().MissingTrays(game.Data()), std::vector<std::string>{});
    std::int32_t spent = 0;
    for (const std::string& machine : day.bought)
        for (const auto& forSale : game.Data().GetCharacter().machineUpgrades)
            if (forSale->name == machine) spent += forSale->cost;
    for (const std::string& upgrade : day.built)
        for (const auto& house : game.Data().GetHouseUpgrades())
            if (house->name == upgrade) spent += house->cost;
    EXPECT_EQ(day.money, moneyBefore + static_cast<std::int32_t>(day.figures.income) - spent);
}

// What a build with sanitizers plays in a few minutes: a career's first days, up to the
// first house upgrade.
TEST_F(EconomyWalkTest, TheFirstDaysBuyTheFirstMachinesInOrderAndBuildTheFirstUpgrade) {
    EXPECT_EQ(walk_->GetSetUpLogged(), std::vector<std::string>{});
    const auto forSale = Morvane::GUIUpgradeWindow::MachinesForSale(game_->Data());
    std::vector<std::string> bought;
    std::int32_t money = 0;
    float moodBefore = walk_->GetProfile().GetMood();
    for (int days = 1; days <= kFirstDaysToBuild && walk_->GetProfile().GetHouseUpgrades().empty(); ++days) {
        const WalkDay day = walk_->PlayDay();
        ExpectSoundDay(day, money, *game_);
        if (days == 1) {
            EXPECT_TRUE(day.bought.empty()) << "the first offer comes with the second machine's price";
        }
        bought.insert(bought.end(), day.bought.begin(), day.bought.end());
        if (!day.built.empty()) {
            EXPECT_GT(day.mood, moodBefore) << day.ToText();
        }
        money = day.money;
        moodBefore = day.mood;
    }
    ASSERT_EQ(walk_->GetProfile().GetHouseUpgrades(), std::vector<std::string>{game_->Data().GetHouseUpgrades()[0]->name});
    ASSERT_LE(bought.size(), forSale.size());
    for (std::size_t i = 0; i < bought.size(); ++i) EXPECT_EQ(bought[i], forSale[i]->name);
    EXPECT_EQ(walk_->GetProfile().GetMachines(), bought);
}

// The whole career, some 40 days: too long for a build with sanitizers (minutes a day),
// run by hand on an optimised build with --gtest_also_run_disabled_tests. It prints a
// line a day.
TEST_F(EconomyWalkTest, DISABLED_EveryMachineAndUpgradeComeInThirtyToFortyFiveDaysThenTheTripMoney) {
    EXPECT_EQ(walk_->GetSetUpLogged(), std::vector<std::string>{});
    std::optional<int> everyMachine, everyUpgrade, tripMoney;
    std::vector<unsigned> machineCounts;
    std::int32_t money = 0;
    for (int days = 1; days <= kMaxDays && !tripMoney; ++days) {
        const WalkDay day = walk_->PlayDay();
        std::cout << day.ToText() << "\n";
        ExpectSoundDay(day, money, *game_);
        money = day.money;
        machineCounts.push_back(day.machinesInRoom);
        if (!everyMachine && walk_->HasEveryMachine()) everyMachine = days;
        if (!everyUpgrade && walk_->HasEveryUpgrade()) everyUpgrade = days;
        if (everyMachine && everyUpgrade && day.money >= GUIStartGameLogicWindow::kTripMoney) tripMoney = days;
    }
    std::cout << "every machine after " << everyMachine.value_or(0) << " days, every upgrade after "
              << everyUpgrade.value_or(0) << ", the trip money after " << tripMoney.value_or(0) << "\n";
    ASSERT_TRUE(everyMachine && everyUpgrade && tripMoney);
    const int bothGoals = std::max(*everyMachine, *everyUpgrade);
    EXPECT_GE(bothGoals, kFirstGoalDay);
    EXPECT_LE(bothGoals, kLastGoalDay);
    for (unsigned count : {0u, 1u, 5u, GUIStartGameLogicWindow::kAllMachines})
        EXPECT_NE(std::find(machineCounts.begin(), machineCounts.end(), count), machineCounts.end())
            << "no day with " << count << " machines";
}

}  // namespace
}  // namespace replay
