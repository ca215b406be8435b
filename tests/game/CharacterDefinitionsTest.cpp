// The customer types and mood times, the place counts from the loaded models, the
// character tables, the house texture pack and the house upgrades.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "game/GameData.h"
#include "game/TexturePack.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using gametest::Definitions;
using gametest::GameDataFolder;
using gametest::SmallGame;
using Morvane::CustomerInfo;
using Morvane::GameData;
using testing::ElementsAre;
using testing::IsEmpty;

using CharacterDefinitionsTest = gametest::GameDataTest;

TEST_F(CharacterDefinitionsTest, CustomerTypesNameTheirGroupsAndWhichTheyNeed) {
    Definitions game = SmallGame();
    game.customers = R"(<customers min_mood_time="0" max_mood_time="12.5">
        <a name="kid"><x group="cake"/><y group="drink" must_order="1"/><z group="ice" must_order="0"/></a>
        <b name="kid"/></customers>)";
    const GameData& data = Load(game);
    EXPECT_EQ(0.0f, data.GetMinMoodTime());
    EXPECT_EQ(12.5f, data.GetMaxMoodTime());
    ASSERT_EQ(2u, data.GetCustomerTypes().size()) << "a repeated type name is kept";
    const CustomerInfo& kid = *data.GetCustomerTypes()[0];
    EXPECT_EQ("kid", kid.name) << "the name attribute, not the element's";
    EXPECT_THAT(kid.groups, ElementsAre("cake", "drink", "ice"));
    EXPECT_THAT(kid.mustOrderFlags, ElementsAre(false, true, false));
    EXPECT_THAT(data.GetCustomerTypes()[1]->groups, IsEmpty());
}

struct PlaceCase {
    const char* name;
    std::vector<int> customerModels;
    std::vector<int> balloonModels;
    unsigned customerPlaces;
    unsigned balloonPlaces;
};

std::vector<int> Numbers(int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    return numbers;
}

TEST_F(CharacterDefinitionsTest, PlacesCountConsecutiveModelsFromZeroUpToAHundred) {
    const std::vector<PlaceCase> cases = {
        {"a gap after 01", {0, 1, 3}, {0}, 2, 1},
        {"none", {}, {1, 2}, 0, 0},
        {"more than a hundred", Numbers(104), Numbers(3), 100, 3},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameDataFolder::WriteResourceList(
            L"data\\ui\\resources_places.xml",
            GameDataFolder::NumberedModels("customers/models/", c.customerModels, "/customer") +
                GameDataFolder::NumberedModels("customers/balloon/place_", c.balloonModels, "/cake") +
                GameDataFolder::ModelElement("customers/models/02/selection"));
        const GameData& data = Load(SmallGame(), {L"data\\ui\\resources_places.xml"});
        EXPECT_EQ(c.customerPlaces, data.GetCustomerPlaceCount());
        EXPECT_EQ(c.balloonPlaces, data.GetBalloonPlaceCount());
    }
}

TEST_F(CharacterDefinitionsTest, CharacterHoldsMoodChangesMachinesForSaleAndCafeClasses) {
    const GameData& data = Load();
    const Morvane::CharacterInfo& character = data.GetCharacter();
    EXPECT_EQ(-0.1f, character.dayChange);
    EXPECT_EQ(0.3f, character.buildChange);
    ASSERT_EQ(1u, character.machineUpgrades.size());
    EXPECT_EQ("grinder", character.machineUpgrades[0]->name);
    EXPECT_EQ(1, character.machineUpgrades[0]->qualification);
    EXPECT_EQ(500, character.machineUpgrades[0]->cost);
    ASSERT_EQ(2u, character.cafeClasses.size());
    EXPECT_EQ(1.5f, character.cafeClasses[1]->costMultiplier);
    EXPECT_EQ(1.25f, character.cafeClasses[1]->dayMultiplier);
}

TEST_F(CharacterDefinitionsTest, HouseUpgradesListThePartsTheyNeedAndThePackIsRead) {
    const GameData& data = Load();
    ASSERT_EQ(2u, data.GetHouseUpgrades().size());
    EXPECT_EQ("roof", data.GetHouseUpgrades()[0]->name);
    EXPECT_EQ(100, data.GetHouseUpgrades()[0]->cost);
    EXPECT_THAT(data.GetHouseUpgrades()[0]->parts, IsEmpty());
    EXPECT_THAT(data.GetHouseUpgrades()[1]->parts, ElementsAre("roof"));
    EXPECT_EQ(L"data\\house\\textures\\texture_pack.tpf", data.GetHouseTexturePack()->GetPath());
    EXPECT_NE(nullptr, data.GetHouseTexturePack()->FindPicture("chimney"));
}

TEST_F(CharacterDefinitionsTest, EmptyUpgradesElementLoadsNoUpgrade) {
    Definitions game = SmallGame();
    game.upgrades = "<upgrades/>";
    EXPECT_THAT(Load(game).GetHouseUpgrades(), IsEmpty());
}

}  // namespace
