// What a day's room offers from the machines standing in it: productions whose input
// comes from a machine elsewhere, foods made by hand, products in name order, the
// ingredients needed, the distributors and the customer types that take part.

#include "game/DayProducts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/CustomerInfo.h"
#include "game/FoodInfo.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using Morvane::DayProducts;
using testing::ElementsAre;
using testing::ElementsAreArray;

// The oven bakes dough into buns, the toaster toasts buns into crisps, the press makes
// juice from fruit. Scones are made by hand; soup is made by hand but never ordered.
gametest::Definitions Bakery() {
    gametest::Definitions game = gametest::SmallGame();
    game.provisions = R"(<provisions>
  <ingredients><flour cost="1"/><butter cost="1"/><salt cost="1"/><apple cost="1"/><egg cost="1"/></ingredients>
  <food>
    <scone group="bakery" cost="3"><flour/><butter/></scone>
    <dough group="bakery" can_order="0" cost="1"><flour/><salt/></dough>
    <bun group="bakery" cost="4"><flour/><salt/></bun>
    <crisp group="snack" cost="5"><flour/><salt/><butter/></crisp>
    <soup group="soup" can_order="0" cost="2"><salt/></soup>
    <fruit group="drink" can_order="0" cost="1"><apple/></fruit>
    <juice group="drink" cost="2"><apple/></juice>
  </food>
</provisions>)";
    game.room = R"(<room day_time="60">
  <distributors>
    <flour_bin ingredient="flour"/><butter_dish ingredient="butter"/><salt_cellar ingredient="salt"/>
    <apple_crate ingredient="apple"><automatic_machines><press/></automatic_machines></apple_crate>
    <egg_box ingredient="egg"/>
  </distributors>
  <automatic_machines>
    <dustbin><productions/><animations/></dustbin>
    <oven><productions><bake input="dough" output="bun"/></productions><animations/></oven>
    <toaster><productions><toast input="bun" output="crisp"/></productions><animations/></toaster>
    <press><productions><squeeze input="fruit" output="juice"/></productions><animations/></press>
  </automatic_machines>
</room>)";
    game.customers = R"(<customers min_mood_time="20" max_mood_time="40">
  <baker name="baker"><a group="bakery" must_order="1"/></baker>
  <snacker name="snacker"><a group="bakery"/><b group="snack" must_order="1"/></snacker>
  <drinker name="drinker"><a group="drink" must_order="1"/><b group="soup" must_order="1"/></drinker>
  <browser name="browser"><a group="soup"/><b group="drink"/></browser>
</customers>)";
    return game;
}

class DayProductsTest : public gametest::GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        Load(Bakery());
    }

    static std::vector<std::string> Names(const std::map<std::string, const Morvane::FoodInfo*>& products) {
        std::vector<std::string> names;
        for (const auto& [name, food] : products) {
            EXPECT_EQ(name, food->name);
            names.push_back(name);
        }
        return names;
    }
    static std::vector<std::string> Names(const std::vector<const Morvane::CustomerInfo*>& types) {
        std::vector<std::string> names;
        for (const Morvane::CustomerInfo* type : types) names.push_back(type->name);
        return names;
    }
};

TEST_F(DayProductsTest, RoomOffersWhatItsMachinesAndHandsCanMake) {
    const struct {
        std::vector<std::string> machines;
        std::vector<std::string> inputs, outputs, orderable, ingredients, distributors, types;
    } cases[] = {
        // The dustbin alone: only foods made by hand that may be ordered.
        {{"dustbin"}, {"scone"}, {"scone"}, {"scone"}, {"flour", "butter"}, {"flour_bin", "butter_dish"},
         {"baker", "browser"}},
        // The toaster's buns come from the oven, which is elsewhere: it adds nothing.
        {{"dustbin", "toaster"}, {"scone"}, {"scone"}, {"scone"}, {"flour", "butter"},
         {"flour_bin", "butter_dish"}, {"baker", "browser"}},
        // With the oven the toaster works too; products in name order, not file order.
        {{"dustbin", "toaster", "oven"},
         {"bun", "dough", "scone"},
         {"bun", "crisp", "scone"},
         {"bun", "crisp", "scone"},
         {"flour", "salt", "butter"},
         {"flour_bin", "butter_dish", "salt_cellar"},
         {"baker", "snacker", "browser"}},
        // The press needs fruit, never ordered itself; its distributor comes with it.
        {{"dustbin", "press"},
         {"fruit", "scone"},
         {"juice", "scone"},
         {"juice", "scone"},
         {"apple", "flour", "butter"},
         {"flour_bin", "butter_dish", "apple_crate"},
         {"baker", "browser"}},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::PrintToString(entry.machines));
        const DayProducts products(*data_, entry.machines);
        EXPECT_THAT(Names(products.GetInputs()), ElementsAreArray(entry.inputs));
        EXPECT_THAT(Names(products.GetOutputs()), ElementsAreArray(entry.outputs));
        EXPECT_THAT(products.OrderableProducts(), ElementsAreArray(entry.orderable));
        EXPECT_THAT(products.NeededIngredients(), ElementsAreArray(entry.ingredients));
        EXPECT_THAT(products.DistributorNames(), ElementsAreArray(entry.distributors));
        EXPECT_THAT(Names(products.CustomerTypes()), ElementsAreArray(entry.types));
    }
}

TEST_F(DayProductsTest, ProductionOfAnUnknownFoodIsLeftOutWithAWarning) {
    gametest::Definitions game = Bakery();
    const std::string oven = R"(<bake input="dough" output="bun"/>)";
    game.room->replace(game.room->find(oven), oven.size(), R"(<bake input="dough" output="bagel"/>)");
    Load(game);
    Warnings();
    // Buns are made by hand now that no machine makes them.
    const DayProducts products(*data_, {"dustbin", "oven"});
    EXPECT_THAT(Names(products.GetInputs()), ElementsAre("bun", "dough", "scone"));
    EXPECT_THAT(Names(products.GetOutputs()), ElementsAre("bun", "scone"));
    EXPECT_THAT(Warnings(), ElementsAre(testing::HasSubstr("\"bagel\"")));
}

}  // namespace
