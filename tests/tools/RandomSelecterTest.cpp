// The weighted random selecter on the seeded engine generator: weights with the first
// weighted entry's extra chance, uniform picks without weights, and the repeat limit.

#include "tools/RandomSelecter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "engine/kernel/Random.h"

namespace {

using GameTools::RandomSelecter;

std::vector<int> Picks(RandomSelecter& selecter, int count) {
    std::vector<int> picks;
    for (int i = 0; i < count; ++i) picks.push_back(selecter.Select());
    return picks;
}

// The longest run of one value.
int LongestRun(const std::vector<int>& picks) {
    int longest = 0;
    int run = 0;
    for (std::size_t i = 0; i < picks.size(); ++i) {
        run = (i > 0 && picks[i] == picks[i - 1]) ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    return longest;
}

std::map<int, int> Counts(const std::vector<int>& picks) {
    std::map<int, int> counts;
    for (int pick : picks) ++counts[pick];
    return counts;
}

class RandomSelecterTest : public testing::Test {
protected:
    void SetUp() override { Vantor::SeedRandom(1234); }
};

TEST_F(RandomSelecterTest, WithoutEntriesSelectsZero) {
    RandomSelecter selecter(2);
    EXPECT_EQ(0, selecter.Select());
    EXPECT_EQ(0, selecter.Select());
}

TEST_F(RandomSelecterTest, OneEntryIsAlwaysPickedWhateverTheLimit) {
    for (int limit : {0, 1, 5}) {
        RandomSelecter selecter(limit);
        selecter.Add(42, 3);
        EXPECT_EQ(std::vector<int>(50, 42), Picks(selecter, 50)) << "limit " << limit;
    }
}

TEST_F(RandomSelecterTest, FirstWeightedEntryHasOneExtraChance) {
    // Weights 0, 1, 1: draws 0 and 1 land on the second entry, draw 2 on the third.
    RandomSelecter selecter(1000000);
    selecter.Add(1, 0);
    selecter.Add(2, 1);
    selecter.Add(3, 1);
    const std::map<int, int> counts = Counts(Picks(selecter, 3000));
    EXPECT_EQ(0u, counts.count(1));
    EXPECT_NEAR(2000, counts.at(2), 100);
    EXPECT_NEAR(1000, counts.at(3), 100);
}

TEST_F(RandomSelecterTest, LimitOfOneNeverPicksAnEntryThreeTimesInARow) {
    RandomSelecter selecter(1);
    selecter.Add(1, 1);
    selecter.Add(2, 1);
    const std::vector<int> picks = Picks(selecter, 3000);
    EXPECT_EQ(2, LongestRun(picks));
}

TEST_F(RandomSelecterTest, LimitOfZeroNeverRepeats) {
    RandomSelecter selecter(0);
    selecter.Add(1, 5);
    selecter.Add(2, 1);
    selecter.Add(3, 1);
    const std::vector<int> picks = Picks(selecter, 3000);
    EXPECT_EQ(1, LongestRun(picks));
    EXPECT_EQ(3u, Counts(picks).size());
}

TEST_F(RandomSelecterTest, WithoutWeightsPicksAreUniformAndStillLimited) {
    RandomSelecter selecter(1);
    for (int value = 1; value <= 4; ++value) selecter.Add(value, 0);
    const std::vector<int> picks = Picks(selecter, 4000);
    for (const auto& [value, count] : Counts(picks)) EXPECT_NEAR(1000, count, 100) << value;
    EXPECT_EQ(4u, Counts(picks).size());
    EXPECT_LE(LongestRun(picks), 2);
}

TEST_F(RandomSelecterTest, UnweightedEntryAfterOthersIsNeverPicked) {
    RandomSelecter selecter(3);
    selecter.Add(1, 2);
    selecter.Add(2, 1);
    selecter.Add(3, 0);
    EXPECT_EQ(0u, Counts(Picks(selecter, 3000)).count(3));
}

TEST_F(RandomSelecterTest, RepeatIsTakenWhenEveryTryIsBlocked) {
    // The second entry can never be drawn, so each pick after the first is a repeat
    // beyond the limit of 0 that 1000 tries cannot avoid.
    RandomSelecter selecter(0);
    selecter.Add(7, 1);
    selecter.Add(8, 0);
    EXPECT_EQ(std::vector<int>(5, 7), Picks(selecter, 5));
}

}  // namespace
