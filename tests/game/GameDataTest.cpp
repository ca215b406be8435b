// The game data store: the provisions read into ingredients and recipes, the lookups by
// exact name, the qualification levels, the partner logos, and the loading protocol
// that reads the definitions as the keeper's one extra step after every queued resource.

#include "game/GameData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using gametest::Definitions;
using gametest::GameDataFolder;
using gametest::SmallGame;
using Morvane::FoodInfo;
using Morvane::GameData;
using testing::ElementsAre;

Definitions WithProvisions(const std::string& ingredients, const std::string& food) {
    Definitions game = SmallGame();
    game.provisions = "<provisions><ingredients>" + ingredients + "</ingredients>" + food + "</provisions>";
    return game;
}

Definitions WithQualification(const std::string& levels) {
    Definitions game = SmallGame();
    game.character = R"(<character><mood day_change="0" build_change="0"/><qualification>)" + levels +
                     R"(</qualification><automatic_machines/><cafe_classes><c cost_multiplier="1" day_multiplier="1"/>
                     </cafe_classes></character>)";
    return game;
}

std::vector<std::string> Names(const auto& records) {
    std::vector<std::string> names;
    for (const auto& record : records) names.push_back(record->name);
    return names;
}

using GameDataTest = gametest::GameDataTest;

// --- provisions ------------------------------------------------------------------------

TEST_F(GameDataTest, ProvisionsBecomeIngredientsAndRecipesInFileOrder) {
    const GameData& data = Load();
    EXPECT_THAT(Names(data.GetIngredients()), ElementsAre("base", "cream", "cherry", "coffee_beans"));
    EXPECT_EQ(3, data.FindIngredient("cherry")->cost);
    EXPECT_THAT(Names(data.GetFoods()), ElementsAre("cake", "coffee", "beans"));

    const FoodInfo& cake = *data.FindFood("cake");
    EXPECT_EQ("cake", cake.group);
    EXPECT_EQ(10, cake.cost);
    EXPECT_TRUE(cake.canOrder);
    EXPECT_THAT(cake.ingredientNames, ElementsAre("base", "cream", "cherry"));
    EXPECT_THAT(cake.visibleFlags, ElementsAre(true, true, false));
    EXPECT_FALSE(data.FindFood("beans")->canOrder);
    EXPECT_EQ(0, data.FindFood("beans")->cost) << "a free food is allowed";
    EXPECT_TRUE(Fatals().empty());
}

TEST_F(GameDataTest, EmptyFoodElementLoadsWithoutFoods) {
    const GameData& data = Load(WithProvisions(R"(<a cost="1"/>)", "<food/>"));
    EXPECT_TRUE(data.GetFoods().empty());
    EXPECT_EQ(nullptr, data.FindFood("cake"));
}

TEST_F(GameDataTest, RepeatedIngredientsAndLayersAllStay) {
    const GameData& data =
        Load(WithProvisions(R"(<a cost="1"/><a cost="2"/>)", R"(<food><twice group="g" cost="1"><a/><a/><unknown/>
                            </twice></food>)"));
    EXPECT_THAT(Names(data.GetIngredients()), ElementsAre("a", "a"));
    EXPECT_EQ(1, data.FindIngredient("a")->cost) << "the first of the name";
    EXPECT_THAT(data.FindFood("twice")->ingredientNames, ElementsAre("a", "a", "unknown"))
        << "layers are not checked against the ingredients";
}

TEST_F(GameDataTest, FlagsReadTheirNumberAndOnlyZeroIsFalse) {
    const GameData& data = Load(WithProvisions(R"(<a cost="1"/>)", R"(<food>
        <f0 group="g" cost="1" can_order="0"><a visible="0"/><a visible="2"/><a visible="x"/><a/></f0>
        <f2 group="g" cost="1" can_order="2"><a/></f2>
        <fx group="g" cost="1" can_order="x"><a/></fx></food>)"));
    EXPECT_THAT(data.FindFood("f0")->visibleFlags, ElementsAre(false, true, false, true));
    EXPECT_FALSE(data.FindFood("f0")->canOrder);
    EXPECT_TRUE(data.FindFood("f2")->canOrder);
    EXPECT_FALSE(data.FindFood("fx")->canOrder) << "no number reads as 0";
}

TEST_F(GameDataTest, LookupsAreExactAndSilent) {
    const GameData& data = Load();
    EXPECT_EQ(nullptr, data.FindFood("Cake"));
    EXPECT_EQ(nullptr, data.FindIngredient("bas"));
    EXPECT_EQ(nullptr, data.FindDistributor("grinder")) << "machines and distributors are apart";
    EXPECT_EQ(nullptr, data.FindAutomaticMachine("bean_stand"));
    EXPECT_EQ("bean_stand", data.FindDistributor("bean_stand")->name);
    EXPECT_EQ("grinder", data.FindAutomaticMachine("grinder")->name);
    EXPECT_TRUE(enginetest::TakeErrors(*Vantor::MessageManager::Instance()).empty());
}

// --- qualification ---------------------------------------------------------------------

struct QualificationCase {
    const char* tips;
    std::vector<unsigned> thresholds;
    // Points and the level they reach.
    std::vector<std::pair<unsigned, int>> levels;
};

TEST_F(GameDataTest, QualificationThresholdsAddUpAndPointsReachTheLastOneBelowThem) {
    const std::vector<QualificationCase> cases = {
        {R"(<a tips="0"/><b tips="100"/><c tips="200"/>)",
         {0, 100, 300},
         {{0, 0}, {99, 0}, {100, 1}, {299, 1}, {300, 2}, {100000, 2}}},
        {R"(<a tips="50"/><b tips="0"/><c tips="25"/>)", {50, 50, 75}, {{0, 0}, {49, 0}, {50, 1}, {74, 1}, {75, 2}}},
        {"", {}, {{0, 0}, {1000, 0}}},
    };
    for (const QualificationCase& c : cases) {
        SCOPED_TRACE(c.tips);
        const GameData& data = Load(WithQualification(c.tips));
        EXPECT_EQ(c.thresholds, data.GetCharacter().qualificationThresholds);
        for (const auto& [points, level] : c.levels) EXPECT_EQ(level, data.GetQualificationLevel(points)) << points;
    }
}

// --- logos -----------------------------------------------------------------------------

TEST_F(GameDataTest, ALogoIsMadeOnlyWhenBothOfItsPicturesExist) {
    GameDataFolder::WritePicture(L"ui\\textures\\publishers\\1_logo_small.jpg", {4, 4});
    GameDataFolder::WritePicture(L"ui\\textures\\publishers\\1_logo_small_alpha.jpg", {4, 4});
    GameDataFolder::WritePicture(L"ui\\textures\\publishers\\0_logo_small.jpg", {4, 4});
    const GameData data;
    EXPECT_EQ(nullptr, data.GetLogoShader(0)) << "logo 0 lacks its alpha picture";
    ASSERT_NE(nullptr, data.GetLogoShader(1));
    const Vantor::ShaderUser& logo = *data.GetLogoShader(1);
    EXPECT_TRUE(logo.GetFlags() & Vantor::ShaderDescriptor::kBlending);
    ASSERT_EQ(1u, logo.GetStageCount());
    EXPECT_EQ("ui\\textures\\publishers\\1_logo_small_alpha.jpg", logo.GetStage(0).textureName);
}

// --- loading protocol ------------------------------------------------------------------

TEST_F(GameDataTest, DefinitionsLoadOnlyAtTheFirstExtraStepOrAllAtOnce) {
    GameDataFolder::WriteDefinitions(SmallGame());
    GameDataFolder::WriteHousePack();
    GameData data;
    // The keeper stands at step 0: even 101 is not its current step.
    for (int step : {0, 1, 100, 101, 102}) EXPECT_FALSE(data.LoadExtraStep(step)) << step;
    EXPECT_TRUE(data.GetFoods().empty());
    EXPECT_EQ(nullptr, data.GetRootWindow());
    EXPECT_TRUE(data.LoadExtraStep(GameData::kAllExtraSteps));
    EXPECT_EQ(3u, data.GetFoods().size());
}

TEST_F(GameDataTest, StepwiseLoadingReadsTheDefinitionsAfterTheQueuedModels) {
    GameDataFolder::WriteDefinitions(SmallGame());
    GameDataFolder::WriteHousePack();
    GameDataFolder::WritePicture(L"ui\\pictures\\steam.tga", {4, 4});
    GameDataFolder::WriteParticles(L"ui\\particles\\steam.prt");
    GameDataFolder::WriteResourceList(
        L"data\\ui\\resources_places.xml",
        GameDataFolder::NumberedModels("customers/models/", {0}, "/customer") +
            R"(<fx><shader name="steam" texture_name="pictures\steam.tga" alpha_blend="1"/>
               <particles name="steam" file_name="particles\steam.prt"/></fx>)");
    GameData data;
    data.LoadResourceList(L"data\\ui\\resources_places.xml", false);
    while (data.GetStep() <= GameData::kResourceSteps) {
        data.Update();
        EXPECT_TRUE(data.GetFoods().empty()) << "step " << data.GetStep();
    }
    data.Update();
    EXPECT_EQ(GameData::kResourceSteps + 2, data.GetStep());
    EXPECT_EQ(1.0f, data.GetProgress());
    EXPECT_EQ(1u, data.GetCustomerPlaceCount()) << "the queued place model was there to count";
    EXPECT_EQ(3u, data.GetFoods().size());
    data.Update();
    EXPECT_EQ(GameData::kResourceSteps + 2, data.GetStep()) << "nothing more to load";
    data.GetShaderUser("fx/steam");
    data.GetParticleSystem("fx/steam");
    EXPECT_THAT(enginetest::TakeErrors(*Vantor::MessageManager::Instance()), testing::IsEmpty())
        << "the list's resources are in";
}

TEST_F(GameDataTest, LoadingMakesTheRootAndFrontWindows) {
    const GameData& data = Load();
    const Vantor::GUIWindow& root = *data.GetRootWindow();
    EXPECT_TRUE(root.IsVisible());
    EXPECT_EQ(Vantor::GUIWindow::kBackDepth, root.GetDepth());
    EXPECT_EQ(nullptr, root.GetParent());
    const Vantor::GUIWindow& front = *data.GetFrontWindow();
    EXPECT_EQ(&root, front.GetParent());
    EXPECT_EQ(100, front.GetOrder());
    EXPECT_TRUE(front.IsVisible());
}

}  // namespace
