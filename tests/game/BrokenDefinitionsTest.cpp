// Broken definition files: each ends the run with its one fatal line, as the data's own
// messages and the XML lookups word it, or naming the file and the element for values
// that would break a day; none crashes, and what was read so far is released cleanly.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/GameData.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using gametest::Definitions;
using gametest::GameDataFolder;
using gametest::SmallGame;
using testing::HasSubstr;

enum class File { Provisions, Room, Customers, Character, Upgrades };

struct BrokenDefinition {
    File file;
    // The file's text; nullopt leaves the file out.
    std::optional<std::string> text;
    std::string message;
    // The message is a part of the fatal text (for the reader's own texts naming a host path).
    bool partOnly = false;
};

std::optional<std::string>& FileText(Definitions& game, File file) {
    switch (file) {
        case File::Provisions:
            return game.provisions;
        case File::Room:
            return game.room;
        case File::Customers:
            return game.customers;
        case File::Character:
            return game.character;
        case File::Upgrades:
            break;
    }
    return game.upgrades;
}

std::string Layers(int count) {
    std::string layers;
    for (int i = 0; i < count; ++i) layers += "<a/>";
    return layers;
}

std::string Provisions(const std::string& food) {
    return R"(<provisions><ingredients><a cost="1"/></ingredients><food>)" + food + "</food></provisions>";
}

std::string Room(const std::string& attributes, const std::string& machines) {
    return "<room " + attributes + "><distributors/><automatic_machines>" + machines + "</automatic_machines></room>";
}

std::string Animation(const std::string& time) {
    return R"(<m><productions/><animations><run group="" layer="lower" start_frame="0" end_frame="5" )" + time +
           "/></animations></m>";
}

std::string Character(const std::string& mood, const std::string& cafeClasses) {
    return "<character><mood " + mood + "/><qualification/><automatic_machines/><cafe_classes>" + cafeClasses +
           "</cafe_classes></character>";
}

const std::string kMood = R"(day_change="1" build_change="1")";
const std::string kProvisions = "Definition \"data\\game_objects\\provisions.xml\", element ";
const std::string kRoom = "Definition \"data\\game_objects\\room.xml\", element ";
const std::string kCustomers = "Definition \"data\\game_objects\\customers.xml\", element ";
const std::string kCharacter = "Definition \"data\\game_objects\\character.xml\", element ";

const std::vector<BrokenDefinition> kBrokenDefinitions = {
    // Files that cannot be read.
    {File::Provisions, std::nullopt, "Failed to open", true},
    {File::Upgrades, std::nullopt, "Failed to open", true},
    {File::Room, "<room><distributors></room>", "XML format error at line ", true},
    // The data's own messages.
    {File::Provisions, R"(<provisions><ingredients/></provisions>)", "Can't find \"food\" node"},
    {File::Provisions, Provisions(R"(<cake group="g" cost="1"><a/></cake><cake group="h" cost="1"><a/></cake>)"),
     "Food \"cake\" is duplicated"},
    {File::Provisions, Provisions(R"(<cake group="g" cost="1"/>)"), "Food \"cake\" have no ingredients"},
    {File::Room, Room(R"(day_time="1")", "<m><productions/><animations/></m><m><productions/><animations/></m>"),
     "Automatic machine \"m\" is duplicated"},
    {File::Room,
     R"(<room day_time="1"><distributors><d ingredient="a"/><d ingredient="b"/></distributors>
        <automatic_machines/></room>)",
     "Distributor \"d\" is duplicated"},
    {File::Upgrades, "<houses/>", "Can't find \"upgrades\" node"},
    // Required elements and attributes.
    {File::Provisions, "<stock/>", "Failed to find \"/provisions\" node"},
    {File::Provisions, "<provisions><food/></provisions>", "Failed to find \"/provisions/ingredients\" node"},
    {File::Provisions, "<provisions><ingredients><a/></ingredients><food/></provisions>",
     "Failed to find \"cost\" attribute in \"/provisions/ingredients/a\" node"},
    {File::Provisions, Provisions(R"(<cake cost="1"><a/></cake>)"),
     "Failed to find \"group\" attribute in \"/provisions/food/cake\" node"},
    {File::Provisions, Provisions(R"(<cake group="g"><a/></cake>)"),
     "Failed to find \"cost\" attribute in \"/provisions/food/cake\" node"},
    {File::Room, "<room><distributors/><automatic_machines/></room>",
     "Failed to find \"day_time\" attribute in \"/room\" node"},
    {File::Room, R"(<room day_time="1"><automatic_machines/></room>)", "Failed to find \"/room/distributors\" node"},
    {File::Room, R"(<room day_time="1"><distributors><d/></distributors><automatic_machines/></room>)",
     "Failed to find \"ingredient\" attribute in \"/room/distributors/d\" node"},
    {File::Room, R"(<room day_time="1"><distributors/></room>)", "Failed to find \"/room/automatic_machines\" node"},
    {File::Room, Room(R"(day_time="1")", "<m><animations/></m>"),
     "Failed to find \"/room/automatic_machines/m/productions\" node"},
    {File::Room, Room(R"(day_time="1")", "<m><productions/></m>"),
     "Failed to find \"/room/automatic_machines/m/animations\" node"},
    {File::Room, Room(R"(day_time="1")", R"(<m><productions><p output="x"/></productions><animations/></m>)"),
     "Failed to find \"input\" attribute in \"/room/automatic_machines/m/productions/p\" node"},
    {File::Room, Room(R"(day_time="1")", R"(<m><productions><p input="x"/></productions><animations/></m>)"),
     "Failed to find \"output\" attribute in \"/room/automatic_machines/m/productions/p\" node"},
    {File::Room, Room(R"(day_time="1")", Animation("")),
     "Failed to find \"time\" attribute in \"/room/automatic_machines/m/animations/run\" node"},
    {File::Customers, R"(<customers max_mood_time="1"/>)",
     "Failed to find \"min_mood_time\" attribute in \"/customers\" node"},
    {File::Customers, R"(<customers min_mood_time="1" max_mood_time="2"><t/></customers>)",
     "Failed to find \"name\" attribute in \"/customers/t\" node"},
    {File::Customers, R"(<customers min_mood_time="1" max_mood_time="2"><t name="t"><g/></t></customers>)",
     "Failed to find \"group\" attribute in \"/customers/t/g\" node"},
    {File::Character, "<character><qualification/><automatic_machines/><cafe_classes/></character>",
     "Failed to find \"/character/mood\" node"},
    {File::Character, "<character><mood/><qualification/><automatic_machines/></character>",
     "Failed to find \"/character/cafe_classes\" node"},
    {File::Character, Character("", "<c/>"), "Failed to find \"day_change\" attribute in \"/character/mood\" node"},
    {File::Character,
     "<character><mood " + kMood + "/><qualification><l/></qualification><automatic_machines/><cafe_classes/></character>",
     "Failed to find \"tips\" attribute in \"/character/qualification/l\" node"},
    {File::Character, Character(kMood, R"(<c cost_multiplier="1"/>)"),
     "Failed to find \"day_multiplier\" attribute in \"/character/cafe_classes/c\" node"},
    {File::Upgrades, "<upgrades><roof/></upgrades>", "Failed to find \"cost\" attribute in \"/upgrades/roof\" node"},
    // Values that would break a day.
    {File::Provisions, Provisions(R"(<cake group="g" cost="-1"><a/></cake>)"),
     kProvisions + "\"/provisions/food/cake\": \"cost\" must not be below 0, not \"-1\""},
    {File::Provisions, Provisions(R"(<cake group="g" cost="1">)" + Layers(1001) + "</cake>"),
     kProvisions + "\"/provisions/food/cake\": more than 1000 layers"},
    {File::Room, Room(R"(day_time="0")", ""), kRoom + "\"/room\": \"day_time\" must be a number above 0, not \"0\""},
    {File::Room, Room(R"(day_time="-5")", ""),
     kRoom + "\"/room\": \"day_time\" must be a number above 0, not \"-5\""},
    {File::Room, Room(R"(day_time="inf")", ""),
     kRoom + "\"/room\": \"day_time\" must be a number above 0, not \"inf\""},
    {File::Room, Room(R"(day_time="1e39")", ""),
     kRoom + "\"/room\": \"day_time\" must be a number above 0, not \"1e39\""},
    {File::Room, Room(R"(day_time="1")", Animation(R"(time="0")")),
     kRoom + "\"/room/automatic_machines/m/animations/run\": \"time\" must be a number above 0, not \"0\""},
    {File::Room, Room(R"(day_time="1")", Animation(R"(time="-2")")),
     kRoom + "\"/room/automatic_machines/m/animations/run\": \"time\" must be a number above 0, not \"-2\""},
    {File::Room, Room(R"(day_time="1")", Animation(R"(time="nan")")),
     kRoom + "\"/room/automatic_machines/m/animations/run\": \"time\" must be a number above 0, not \"nan\""},
    {File::Customers, R"(<customers min_mood_time="-1" max_mood_time="2"/>)",
     kCustomers + "\"/customers\": \"min_mood_time\" must be a number not below 0, not \"-1\""},
    {File::Customers, R"(<customers min_mood_time="1" max_mood_time="-0.5"/>)",
     kCustomers + "\"/customers\": \"max_mood_time\" must be a number not below 0, not \"-0.5\""},
    {File::Character, Character(R"(day_change="nan" build_change="1")", "<c/>"),
     kCharacter + "\"/character/mood\": \"day_change\" must be a finite number, not \"nan\""},
    {File::Character, Character(kMood, ""), kCharacter + "\"/character/cafe_classes\": no cafe class"},
    {File::Character, Character(kMood, R"(<c cost_multiplier="-1" day_multiplier="1"/>)"),
     kCharacter + "\"/character/cafe_classes/c\": \"cost_multiplier\" must be a number not below 0, not \"-1\""},
    {File::Character, Character(kMood, R"(<c cost_multiplier="1" day_multiplier="0"/>)"),
     kCharacter + "\"/character/cafe_classes/c\": \"day_multiplier\" must be a number above 0, not \"0\""},
    {File::Character, Character(kMood, R"(<c cost_multiplier="1" day_multiplier="-inf"/>)"),
     kCharacter + "\"/character/cafe_classes/c\": \"day_multiplier\" must be a number above 0, not \"-inf\""},
};

using BrokenDefinitionsTest = gametest::GameDataTest;

TEST_F(BrokenDefinitionsTest, EveryBrokenFileEndsInItsOneFatalLine) {
    for (const BrokenDefinition& broken : kBrokenDefinitions) {
        SCOPED_TRACE(broken.message);
        Definitions game = SmallGame();
        FileText(game, broken.file) = broken.text;
        // The file the case leaves out must not stay from the case before.
        std::filesystem::remove_all(home_.folder.Path() / "data" / "game_objects");
        std::filesystem::remove(home_.folder.Path() / "data" / "house" / "upgrades.xml");
        Vantor::MessageManager::Instance()->ClearMessages();
        if (broken.partOnly)
            EXPECT_THAT(LoadFatal(game), HasSubstr(broken.message));
        else
            EXPECT_EQ(broken.message, LoadFatal(game));
        data_.reset();
    }
}

TEST_F(BrokenDefinitionsTest, MissingHousePackIsFatalAfterEveryDefinitionWasRead) {
    GameDataFolder::WriteDefinitions(SmallGame());
    data_ = std::make_unique<Morvane::GameData>();
    try {
        data_->LoadAll();
        FAIL() << "loaded without a house pack";
    } catch (const Vantor::FatalError& error) {
        EXPECT_THAT(error.GetText(), HasSubstr("Failed to open"));
        EXPECT_THAT(error.GetText(), HasSubstr("texture_pack.tpf"));
    }
    EXPECT_EQ(2u, data_->GetCharacter().cafeClasses.size()) << "the character is read before the pack";
    EXPECT_TRUE(data_->GetHouseUpgrades().empty()) << "the upgrades are read after it";
}

}  // namespace
