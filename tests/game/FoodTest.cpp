// Food items: recipe recognition and pricing, the layout of layers by the containing
// recipe, the matching walks, flights at a fixed speed, the done symbol, and the glow
// of ingredient layers on the virtual clock.

#include "game/Food.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderUser.h"
#include "game/Ingredient.h"
#include "tests/game/FoodTestSupport.h"

namespace {

using Morvane::Food;
using Morvane::Ingredient;
using testing::ElementsAre;

class FoodTest : public gametest::FoodTest {
protected:
    void SetUp() override {
        gametest::FoodTest::SetUp();
        LoadFood();
        Frame(0.1f, [] {});
        Vantor::MessageManager::Instance()->ClearMessages();
    }
    void TearDown() override {
        food_.reset();
        gametest::FoodTest::TearDown();
    }

    Food& MakeFood(const std::vector<std::string>& layers = {}) {
        food_ = std::make_unique<Food>(data_.get(), nullptr);
        for (const std::string& name : layers) food_->AddIngredient(name);
        return *food_;
    }

    // Each layer's position and order.
    struct Placed {
        std::pair<float, float> position;
        int order;
        bool operator==(const Placed&) const = default;
        friend void PrintTo(const Placed& placed, std::ostream* out) {
            *out << "(" << placed.position.first << ", " << placed.position.second << ") order " << placed.order;
        }
    };
    std::vector<Placed> Layout() const {
        std::vector<Placed> placed;
        for (const auto& layer : food_->GetLayers())
            placed.push_back({XY(layer->GetPictureWindow()->GetPosition()), layer->GetPictureWindow()->GetOrder()});
        return placed;
    }
    // The layer shown at place n of a placement box.
    static Placed At(unsigned place) { return {{kPlaceLeft, kPlaceStep * place}, static_cast<int>(2 * place + 1)}; }
    // The extent of a stack whose highest shown place is n.
    static Vantor::Vector2 Extent(unsigned place) { return {kPlaceRight, kPlaceStep * place + kPlaceHeight}; }
    static Placed Parked(unsigned place) { return {XY(Food::kParked), static_cast<int>(2 * place + 1)}; }

    std::unique_ptr<Food> food_;
};

// --- recipes ---------------------------------------------------------------------------

TEST_F(FoodTest, CompleteStackTakesTheRecipesNameAndPrice) {
    Food& food = MakeFood({"A"});
    EXPECT_EQ("", food.GetName());
    EXPECT_EQ(0, food.GetPrice());
    EXPECT_THAT(Layout(), ElementsAre(At(0)));
    EXPECT_EQ(XY(Extent(0)), XY(food.GetExtent()));

    food.AddIngredient("B");
    EXPECT_EQ("R1", food.GetName());
    EXPECT_EQ(10, food.GetPrice());
    EXPECT_THAT(Layout(), ElementsAre(At(0), At(1)));
    EXPECT_EQ(XY(Extent(1)), XY(food.GetExtent()));
}

TEST_F(FoodTest, LargerRecipeLaysTheStackOutButNamesItOnlyWhenComplete) {
    Food& food = MakeFood({"A", "B", "C"});
    EXPECT_EQ("R1", food.GetName()) << "kept from the stack of A and B";
    EXPECT_EQ(10, food.GetPrice());
    EXPECT_THAT(Layout(), ElementsAre(Parked(0), At(1), At(2))) << "R2 does not draw its first layer";
    EXPECT_EQ(XY(Extent(2)), XY(food.GetExtent())) << "only shown layers count";

    food.AddIngredient("D");
    EXPECT_EQ("R2", food.GetName());
    EXPECT_EQ(20, food.GetPrice());
    EXPECT_THAT(Layout(), ElementsAre(Parked(0), At(1), At(2), At(3)));
}

TEST_F(FoodTest, PartialStackIsPackedFromPlaceZeroInRecipeOrder) {
    Food& food = MakeFood({"C"});
    EXPECT_THAT(Layout(), ElementsAre(At(0))) << "slot 2 of R2 at place 0, shown as the only layer";
    EXPECT_EQ(XY(Extent(0)), XY(food.GetExtent()));

    food.AddIngredient("A");
    EXPECT_EQ("", food.GetName()) << "R3 equals the stack but R2 comes first";
    EXPECT_THAT(Layout(), ElementsAre(At(1), Parked(0))) << "C at slot 2, A at slot 0 of R2";
}

TEST_F(FoodTest, AandCAreLaidOutByTheFirstContainingRecipe) {
    Food& food = MakeFood({"A", "C"});
    EXPECT_EQ("", food.GetName());
    EXPECT_THAT(Layout(), ElementsAre(Parked(0), At(1)));
}

TEST_F(FoodTest, UnknownIngredientIsStackedWithoutLayout) {
    Food& food = MakeFood({"A", "B"});
    food.AddIngredient("E");
    ASSERT_EQ(3u, food.GetLayers().size());
    EXPECT_EQ(XY(Vantor::Vector2(0.0f, 0.0f)), XY(food.GetExtent()));
    EXPECT_EQ(At(0), Layout()[0]) << "the others keep their places";
    EXPECT_EQ(At(1), Layout()[1]);
    EXPECT_EQ(XY({0.0f, 0.0f}), Layout()[2].position) << "the new layer stays where it was made";
    EXPECT_EQ("R1", food.GetName());
}

TEST_F(FoodTest, CanAddIngredientAsksWhetherSomeRecipeContainsTheResult) {
    const struct {
        std::vector<std::string> layers;
        std::string ingredient;
        bool expected;
    } cases[] = {
        {{}, "A", true},     {{}, "E", false},         {{"A", "B"}, "E", false},  {{"A", "B"}, "C", true},
        {{"A", "B"}, "A", false}, {{"C"}, "A", true},  {{"A", "B", "C", "D"}, "D", false},
    };
    for (const auto& c : cases) {
        Food& food = MakeFood(c.layers);
        EXPECT_EQ(c.expected, food.CanAddIngredient(c.ingredient)) << testing::PrintToString(c.layers) << " + "
                                                                   << c.ingredient;
    }
}

TEST_F(FoodTest, BuildingCopyingAndClearing) {
    Food& food = MakeFood();
    food.BuildRecipe("R3");
    EXPECT_THAT(std::vector<std::string>({food.GetLayerName(0), food.GetLayerName(1)}), ElementsAre("C", "A"));
    EXPECT_EQ("", food.GetName()) << "R2 lays out C and A first";
    food.BuildRecipe("nothing");
    EXPECT_EQ(2u, food.GetLayers().size());
    EXPECT_EQ("", food.GetLayerName(2));
    food.BlinkLayer(2);

    Food copy(data_.get(), nullptr);
    copy.AddIngredientsOf(nullptr);
    copy.AddIngredientsOf(&food);
    EXPECT_TRUE(copy.HasIngredient("C"));
    EXPECT_FALSE(copy.HasIngredient("B"));

    Food cake(data_.get(), nullptr);
    cake.BuildRecipe("R2");
    EXPECT_EQ("R2", cake.GetName());
    cake.Clear();
    EXPECT_TRUE(cake.GetLayers().empty());
    EXPECT_EQ("R2", cake.GetName()) << "the name stays";
    EXPECT_EQ(0, cake.GetPrice());
    EXPECT_EQ(XY(Vantor::Vector2(0.0f, 0.0f)), XY(cake.GetExtent()));
}

TEST_F(FoodTest, LayerMatchesFindWhatAnOrderItemLacks) {
    Food& held = MakeFood({"A", "C", "A"});
    Food order(data_.get(), nullptr);
    order.BuildRecipe("R2");
    order.ResetLayerMatches(&held);
    std::vector<unsigned> taken;
    for (const char* name : {"A", "B", "C", "D", "A"}) taken.push_back(order.TakeLayerMatch(&held, name));
    EXPECT_THAT(taken, ElementsAre(0u, 3u, 1u, 3u, 2u)) << "3: none left of that name";
}

// --- flights ---------------------------------------------------------------------------

TEST_F(FoodTest, FlightToItsOwnPlaceEndsInOneUpdate) {
    Food& food = MakeFood({"A"});
    food.SetPosition({100.0f, 50.0f});
    food.MoveTo({100.0f, 50.0f});
    Frame(0.01f, [&] { food.Update(); });
    EXPECT_FALSE(food.IsFlying());
    EXPECT_TRUE(food.HasArrived());
    Frame(0.01f, [&] { food.Update(); });
    EXPECT_FALSE(food.HasArrived()) << "for one update only";
}

TEST_F(FoodTest, LongFlightRunsAt1200UnitsASecond) {
    Vantor::GUIWindow* holder = Gui().CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
    holder->SetPosition({100.0f, 0.0f});
    food_ = std::make_unique<Food>(data_.get(), holder);
    Food& food = *food_;
    food.SetPosition({0.0f, 0.0f});
    EXPECT_EQ(XY(Vantor::Vector2(100.0f, 0.0f)), XY(food.GetPosition())) << "absolute";
    food.MoveTo({100.0f, 300.0f});
    for (int frame = 1; frame <= 2; ++frame) {
        Frame(0.1f, [&] { food.Update(); });
        EXPECT_TRUE(food.IsFlying());
        EXPECT_NEAR(100.0f, food.GetRootWindow()->GetPosition().x, 1e-3f);
        EXPECT_NEAR(120.0f * frame, food.GetRootWindow()->GetPosition().y, 1e-3f);
    }
    Frame(0.1f, [&] { food.Update(); });
    EXPECT_FALSE(food.IsFlying());
    EXPECT_TRUE(food.HasArrived());
    EXPECT_NEAR(300.0f, food.GetRootWindow()->GetPosition().y, 1e-3f) << "0.25 s for 300 units";
    food_.reset();
    Gui().DestroyWindow(holder);
}

// --- done ------------------------------------------------------------------------------

TEST_F(FoodTest, DoneSymbolCentresOverTheStackAndGreysItsLayers) {
    Food& food = MakeFood({"A", "B", "C"});
    EXPECT_FALSE(food.IsDone());
    food.MarkDone();
    EXPECT_TRUE(food.IsDone());
    EXPECT_EQ(10, food.GetDoneWindow()->GetOrder());
    const Vantor::Vector2 centred = Extent(2) * 0.5f - Vantor::Vector2(kDoneSide, kDoneSide) * 0.5f;
    EXPECT_EQ(XY(centred), XY(food.GetDoneWindow()->GetPosition()));
    const Vantor::AnimationControl* stage = food.GetDoneWindow()->GetShaderUser()->GetAnimationControl(0);
    ASSERT_NE(nullptr, stage);
    EXPECT_TRUE(stage->IsPlaying());
    EXPECT_TRUE(Errors().empty());

    Frame(0.1f, [&] { food.Update(); });
    EXPECT_NEAR(0.5f, food.GetDoneWindow()->GetAlpha(), 1e-2f);
    const Vantor::Color half = food.GetLayers()[1]->GetPictureWindow()->GetColor();
    EXPECT_NEAR(0.8f, half.x, 1e-2f);
    Frame(0.1f, [&] { food.Update(); });
    Frame(0.1f, [&] { food.Update(); });
    EXPECT_NEAR(1.0f, food.GetDoneWindow()->GetAlpha(), 1e-2f);
    const Vantor::Color grey = food.GetLayers()[1]->GetPictureWindow()->GetColor();
    EXPECT_NEAR(0.6f, grey.x, 1e-2f);
    EXPECT_NEAR(1.0f, grey.w, 1e-2f);
}

TEST_F(FoodTest, DoneSymbolFollowsTheFoodsAlpha) {
    Food& food = MakeFood({"A", "B"});
    food.SetAlpha(0.5f);
    food.MarkDone();
    for (int frame = 0; frame < 3; ++frame) Frame(0.1f, [&] { food.Update(); });
    EXPECT_NEAR(0.5f, food.GetDoneWindow()->GetAlpha(), 1e-2f);
    EXPECT_NEAR(0.5f, food.GetAlpha(), 1e-4f);
}

// --- ingredient glow -------------------------------------------------------------------

TEST_F(FoodTest, HighlightOfOneFrameRisesByFiveTimesTheFrameTimeAndFades) {
    Food& food = MakeFood({"A"});
    const Ingredient& layer = *food.GetLayers()[0];
    Frame(0.04f, [&] {
        food.Highlight();
        food.Update();
    });
    EXPECT_NEAR(0.2f, layer.GetHighlight(), 1e-4f);
    EXPECT_TRUE(layer.GetSelectionWindow()->IsVisible());
    EXPECT_NEAR(0.2f, layer.GetSelectionWindow()->GetColor().w, 1e-2f);
    EXPECT_NEAR(1.0f, layer.GetSelectionWindow()->GetColor().y, 1e-2f) << "green";
    Frame(0.02f, [&] { food.Update(); });
    EXPECT_NEAR(0.1f, layer.GetHighlight(), 1e-4f);
    Frame(0.1f, [&] { food.Update(); });
    EXPECT_EQ(0.0f, layer.GetHighlight());
    EXPECT_FALSE(layer.GetSelectionWindow()->IsVisible());
}

TEST_F(FoodTest, ErrorBlinkFollowsTheRedCurveFromZeroAndEnds) {
    Food& food = MakeFood({"A", "B"});
    const Ingredient& layer = *food.GetLayers()[1];
    for (int frame = 0; frame < 3; ++frame) Frame(0.1f, [&] {
            food.Highlight();
            food.Update();
        });
    ASSERT_EQ(1.0f, layer.GetHighlight());
    food.BlinkLayer(1);
    float time = 0.0f;
    for (float dt : {0.1f, 0.1f, 0.1f}) {
        time += dt;
        Frame(dt, [&] {
            food.Highlight();
            food.Update();
        });
        EXPECT_NEAR(std::fabs(std::sin(4.0f * time)), layer.GetHighlight(), 1e-3f) << time;
        EXPECT_NEAR(1.0f, layer.GetSelectionWindow()->GetColor().x, 1e-2f) << "red";
    }
    EXPECT_EQ(1.0f, food.GetLayers()[0]->GetHighlight()) << "the other layer keeps its green glow";
    while (layer.IsBlinking() && time < 2.0f) {
        time += 0.1f;
        Frame(0.1f, [&] { food.Update(); });
    }
    EXPECT_NEAR(1.2f, time, 1e-3f) << "the first frame past 1.178 s";
    EXPECT_EQ(0.0f, layer.GetHighlight());
    EXPECT_FALSE(layer.GetSelectionWindow()->IsVisible());
}

TEST_F(FoodTest, LayerAlphaCapsTheGlowAndHiddenLayersDrawNothing) {
    Food& food = MakeFood({"A"});
    food.SetAlpha(0.5f);
    for (int frame = 0; frame < 3; ++frame) Frame(0.1f, [&] {
            food.Highlight();
            food.Update();
        });
    const Ingredient& layer = *food.GetLayers()[0];
    EXPECT_NEAR(0.5f, layer.GetSelectionWindow()->GetColor().w, 1e-2f);
    food.SetLayersVisible(false);
    Frame(0.1f, [&] { food.Update(); });
    EXPECT_EQ(0.0f, layer.GetPictureWindow()->GetAlpha());
    EXPECT_EQ(0.5f, food.GetAlpha()) << "the layer keeps its alpha";
}

TEST_F(FoodTest, EnabledLayersJoinTheExclusiveInputList) {
    Food& food = MakeFood({"A", "B"});
    food.EnableInput();
    EXPECT_THAT(Gui().GetExclusiveInputList(), ElementsAre(food.GetLayers()[0]->GetPictureWindow(),
                                                          food.GetLayers()[1]->GetPictureWindow()));
    Gui().GetExclusiveInputList().clear();
}

TEST_F(FoodTest, MissingIngredientResourcesGiveDefaultsWithAnErrorLine) {
    Food& food = MakeFood({"nameless"});
    EXPECT_EQ(1u, food.GetLayers().size());
    EXPECT_FALSE(Errors().empty());
    Frame(0.1f, [&] {
        food.Highlight();
        food.Update();
    });
    EXPECT_NEAR(0.5f, food.GetLayers()[0]->GetHighlight(), 1e-4f);
}

class FoodWithoutDoneAnimationTest : public gametest::FoodTest {};

TEST_F(FoodWithoutDoneAnimationTest, DoneSymbolWithoutTextureStageShowsWithOneErrorLine) {
    LoadFood(false);
    Food food(data_.get(), nullptr);
    food.AddIngredient("A");
    Vantor::MessageManager::Instance()->ClearMessages();
    food.MarkDone();
    EXPECT_TRUE(food.IsDone());
    EXPECT_EQ(1u, Errors().size());
}

}  // namespace
