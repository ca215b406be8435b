// The room definitions: the day time, distributors with the machines they need,
// automatic machines with their productions and animations, and the made-by-hand pass.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "game/GameData.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using gametest::Definitions;
using gametest::SmallGame;
using Morvane::AutomaticMachineInfo;
using Morvane::GameData;
using Morvane::MachineAnimationInfo;
using testing::ElementsAre;
using testing::IsEmpty;

// The small game's provisions with a room of these distributors and machines.
Definitions WithRoom(const std::string& distributors, const std::string& machines) {
    Definitions game = SmallGame();
    game.room = R"(<room day_time="90.5"><distributors>)" + distributors + "</distributors><automatic_machines>" +
                machines + "</automatic_machines></room>";
    return game;
}

using RoomDefinitionsTest = gametest::GameDataTest;

TEST_F(RoomDefinitionsTest, RoomHoldsTheDayTimeDistributorsAndMachines) {
    const GameData& data = Load();
    EXPECT_EQ(120.0f, data.GetDayTime());
    ASSERT_EQ(2u, data.GetDistributors().size());
    EXPECT_EQ("base", data.FindDistributor("base_stand")->ingredient);
    EXPECT_THAT(data.FindDistributor("base_stand")->requiredMachines, IsEmpty()) << "no machine needed";
    EXPECT_THAT(data.FindDistributor("bean_stand")->requiredMachines, ElementsAre("grinder"));

    const AutomaticMachineInfo& grinder = *data.FindAutomaticMachine("grinder");
    EXPECT_EQ(2, grinder.layer);
    EXPECT_TRUE(grinder.hideInput);
    EXPECT_THAT(grinder.inputs, ElementsAre("beans"));
    EXPECT_THAT(grinder.outputs, ElementsAre("coffee"));
    ASSERT_EQ(1u, grinder.animations.size());
    const MachineAnimationInfo& work = *grinder.animations[0];
    EXPECT_EQ("drink", work.group);
    EXPECT_EQ("lower", work.layer);
    EXPECT_EQ(0, work.startFrame);
    EXPECT_EQ(24, work.endFrame);
    EXPECT_EQ(2.0f, work.time);
    EXPECT_EQ(12.0f, work.speed);
}

TEST_F(RoomDefinitionsTest, MachineWithEmptyListsLoadsAndSameInputsStayInOrder) {
    const GameData& data = Load(WithRoom(R"(<grinder ingredient="x"/>)", R"(
        <idle><productions/><animations/></idle>
        <grinder><productions><a input="beans" output="coffee"/><b input="beans" output="cake"/></productions>
          <animations><back group="" layer="upper" start_frame="24" end_frame="0" time="2"/></animations></grinder>)"));
    const AutomaticMachineInfo& idle = *data.FindAutomaticMachine("idle");
    EXPECT_EQ(0, idle.layer);
    EXPECT_FALSE(idle.hideInput);
    EXPECT_THAT(idle.inputs, IsEmpty());
    EXPECT_THAT(idle.animations, IsEmpty());

    const AutomaticMachineInfo& grinder = *data.FindAutomaticMachine("grinder");
    EXPECT_THAT(grinder.inputs, ElementsAre("beans", "beans"));
    EXPECT_THAT(grinder.outputs, ElementsAre("coffee", "cake"));
    EXPECT_EQ("grinder", data.FindDistributor("grinder")->name) << "a distributor may share a machine's name";
    const MachineAnimationInfo& back = *grinder.animations[0];
    EXPECT_EQ(24, back.startFrame);
    EXPECT_EQ(0, back.endFrame);
    EXPECT_EQ(12.0f, back.speed) << "a backward range plays at its length over its time";
    EXPECT_EQ(90.5f, data.GetDayTime());
}

TEST_F(RoomDefinitionsTest, FoodThatAnyMachineMakesIsNotMadeByHand) {
    const GameData& data = Load(WithRoom("", R"(
        <roaster><productions><a input="coffee" output="beans"/></productions><animations/></roaster>
        <grinder><productions><a input="beans" output="coffee"/></productions><animations/></grinder>)"));
    EXPECT_TRUE(data.FindFood("cake")->madeByHand);
    EXPECT_FALSE(data.FindFood("coffee")->madeByHand) << "made by the grinder, taken by the roaster";
    EXPECT_FALSE(data.FindFood("beans")->madeByHand);
}

}  // namespace
