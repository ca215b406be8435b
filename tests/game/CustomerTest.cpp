// One customer: its phases and their timings, serving by a left click (an empty hand, a
// fitting but incomplete food, a wrong layer, the best matching item), the price and the
// tip, the money text, a patience that runs out, flying foods, the verdict's texts,
// colours and bursts, and an ordered name without a food.

#include "game/Customer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ParticleSystem.h"
#include "game/CustomerMood.h"
#include "game/GUIGameLogicText.h"
#include "game/Ingredient.h"
#include "game/Order.h"
#include "tests/game/CustomerTestSupport.h"

namespace {

using Morvane::Customer;
using Morvane::Food;
using platform::seam::MouseButton;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

// Frames for the phases' timings, and the frame clock's longest frame for waiting.
constexpr float kStep = 0.02f;
constexpr float kWait = 0.1f;

class CustomerTest : public gametest::CustomerTest {
protected:
    void SetUp() override {
        gametest::CustomerTest::SetUp();
        LoadCustomers(3, R"(<customers min_mood_time="4" max_mood_time="8">
  <student name="student"><a group="cake"/><b group="drink" must_order="1"/></student></customers>)");
        Frame(0.1f, [] {});
        Errors();
    }
    void TearDown() override {
        customer_.reset();
        gametest::CustomerTest::TearDown();
    }

    Customer& MakeCustomer(const std::vector<std::string>& items, float cafeMood = 0.5f, float multiplier = 1.0f,
                           unsigned place = 1) {
        order_.items = items;
        customer_ = std::make_unique<Customer>(audio_.get(), data_.get(), tools_.get(), hand_.get(), dayWindow_,
                                               &finances_, floatingTexts_.get(), cafeMood, &order_,
                                               data_->GetCustomerTypes().front().get(), place, multiplier);
        return *customer_;
    }
    // One frame of the customer's update; the effects it started.
    std::vector<std::string> Step(bool drains = false, float seconds = kWait) {
        std::vector<std::string> effects;
        Frame(seconds, [&] {
            customer_->Update(drains);
            effects = EffectsNow();
        });
        return effects;
    }
    template <typename Condition>
    bool StepUntil(Condition condition, bool drains = false, float seconds = 60.0f) {
        for (float time = 0.0f; time < seconds; time += kWait) {
            Step(drains);
            if (condition()) return true;
        }
        return false;
    }
    bool WaitForState(Morvane::CustomerState state, bool drains = false) {
        return StepUntil([&] { return customer_->GetState() == state; }, drains);
    }
    // A left click on the figure with the held layers.
    std::vector<std::string> ClickWith(const std::vector<std::string>& layers) {
        hand_->Clear();
        for (const std::string& layer : layers) hand_->GetFood()->AddIngredient(layer);
        PointAt(FigureCentre(customer_->GetPlace()));
        Click(MouseButton::Left);
        return Step(false, kStep);
    }
    static std::vector<bool> Blinking(const Food& food) {
        std::vector<bool> blinking;
        for (const auto& layer : food.GetLayers()) blinking.push_back(layer->IsBlinking());
        return blinking;
    }
    const Food& Item(std::size_t index) const { return *customer_->GetOrderItems()[index]; }

    Morvane::Order order_;
    std::unique_ptr<Customer> customer_;
};

// --- phases ----------------------------------------------------------------------------

TEST_F(CustomerTest, WalksInFadesTheBalloonInAndWaits) {
    std::vector<std::string> effects;
    Frame(kStep, [&] {
        MakeCustomer({"R1"});
        effects = EffectsNow();
    });
    EXPECT_THAT(effects, ElementsAre("23"));
    EXPECT_EQ(0.0f, customer_->GetFigureWindow()->GetAlpha());
    float walked = 0.0f;
    while (customer_->GetState() == Morvane::kWalkingIn) {
        Step(false, kStep);
        walked += kStep;
        ASSERT_LT(walked, 2.0f);
    }
    EXPECT_NEAR(1.0f, walked, 2 * kStep) << "95 frames at 95 frames per second";
    EXPECT_EQ(1.0f, customer_->GetFigureWindow()->GetAlpha());
    EXPECT_EQ(0.0f, customer_->GetBalloonWindow()->GetAlpha());

    float fading = 0.0f;
    while (customer_->GetState() == Morvane::kBalloonFadingIn) {
        Step(false, kStep);
        fading += kStep;
        if (fading < 0.34f) {
            EXPECT_EQ(0.0f, Item(0).GetAlpha());
        }
        ASSERT_LT(fading, 2.0f);
    }
    EXPECT_NEAR(0.6833f, fading, kStep);
    EXPECT_EQ(Morvane::kWaiting, customer_->GetState());
    EXPECT_EQ(1.0f, customer_->GetBalloonWindow()->GetAlpha());
    EXPECT_EQ(1.0f, Item(0).GetAlpha());
}

TEST_F(CustomerTest, OrderItemsStandAtTheirBalloonPlaces) {
    MakeCustomer({"R1", "coffee"});
    ASSERT_EQ(2u, customer_->GetOrderItems().size());
    const Vantor::Vector2 balloon{kPlaceWidth + kBalloonLeft, kBalloonBottom};
    EXPECT_EQ(XY(balloon), XY(customer_->GetBalloonWindow()->GetPosition()));
    for (std::size_t item = 0; item < 2; ++item)
        EXPECT_EQ(XY(balloon + Vantor::Vector2{kItemLeft + kItemStep * static_cast<float>(item), kItemBottom}),
                  XY(Item(item).GetPosition()));
    EXPECT_EQ("coffee", Item(1).GetName());
}

TEST_F(CustomerTest, OrderedNameWithoutFoodIsLeftOutWithAnErrorLine) {
    MakeCustomer({"R1", "nothing", "R4"});
    ASSERT_EQ(2u, customer_->GetOrderItems().size());
    EXPECT_EQ("R4", Item(1).GetName());
    EXPECT_THAT(Errors(), ElementsAre(testing::HasSubstr("\"nothing\"")));
}

// --- left clicks -----------------------------------------------------------------------

TEST_F(CustomerTest, EmptyHandIsRefusedAndNothingBlinks) {
    MakeCustomer({"R1"});
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    EXPECT_THAT(ClickWith({}), ElementsAre("28"));
    EXPECT_THAT(Blinking(Item(0)), ElementsAre(false, false));
    EXPECT_FALSE(Item(0).IsDone());
}

TEST_F(CustomerTest, IncompleteFoodMakesTheItemsMissingLayersBlink) {
    MakeCustomer({"R1"});
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    EXPECT_THAT(ClickWith({"A"}), ElementsAre("28"));
    EXPECT_THAT(Blinking(*hand_->GetFood()), ElementsAre(false));
    EXPECT_THAT(Blinking(Item(0)), ElementsAre(false, true)) << "B is missing";
}

TEST_F(CustomerTest, WrongLayerOfTheHeldFoodBlinks) {
    MakeCustomer({"R1"});
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    EXPECT_THAT(ClickWith({"A", "E"}), ElementsAre("28"));
    EXPECT_THAT(Blinking(*hand_->GetFood()), ElementsAre(false, true));
    EXPECT_THAT(Blinking(Item(0)), ElementsAre(false, false));
}

TEST_F(CustomerTest, ItemSharingMoreLayersIsTheOneCompared) {
    MakeCustomer({"R4", "R2"});
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    // F and G belong to R4 (two shared), B, C and D to R2 (three shared).
    ClickWith({"F", "G", "B", "C", "D"});
    EXPECT_THAT(Blinking(*hand_->GetFood()), ElementsAre(true, true, false, false, false));
    EXPECT_THAT(Blinking(Item(0)), ElementsAre(false, false, false));
    EXPECT_THAT(Blinking(Item(1)), ElementsAre(false, false, false, false));
}

TEST_F(CustomerTest, PointingWithAMatchingFoodHighlightsTheItem) {
    MakeCustomer({"R1"});
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    hand_->GetFood()->BuildRecipe("R1");
    PointAt(FigureCentre(1));
    StepUntil([] { return false; }, false, 0.5f);
    EXPECT_GT(Item(0).GetLayers()[0]->GetHighlight(), 0.0f);
    EXPECT_FALSE(Item(0).IsDone());
}

// --- payment ---------------------------------------------------------------------------

TEST_F(CustomerTest, TipGrowsWithTheMood) {
    const struct {
        unsigned price;
        float mood;
        unsigned tip;
    } cases[] = {
        {45, 0.82f, 14},  // full factor: trunc(14.4 + 0.5)
        {45, 1.0f, 14},   // no more above 0.82
        {1, 0.388f, 1},   // factor 0.1: trunc(0.532) is 0, raised to 1
        {100, 0.34f, 0},  // factor 0: no tip
        {100, 0.2f, 0},
        {30, 0.5f, 3},    // factor 1/3: trunc(3.2 + 0.5)
        {0, 1.0f, 1},     // nothing to pay, but a tip is due
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tip, Customer::ComputeTip(c.price, c.mood)) << c.price << " at mood " << c.mood;
}

TEST_F(CustomerTest, LastItemPaysAtOnceAndTheCustomerRatesAndLeaves) {
    MakeCustomer({"R1", "R4"}, 0.5f, 1.5f);
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    EXPECT_THAT(ClickWith({"A", "B"}), ElementsAre("27"));
    EXPECT_TRUE(Item(0).IsDone());
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty()) << "the held food is consumed";
    EXPECT_EQ(Morvane::kWaiting, customer_->GetState());
    EXPECT_EQ(0u, finances_.income);

    Step(false, kStep);
    EXPECT_THAT(ClickWith({"F", "G", "H"}), UnorderedElementsAre("27", "24"));
    EXPECT_EQ(Morvane::kItemsFadingOut, customer_->GetState());
    // (10 + 40) x 1.5 = 75 at mood 1: trunc(24 + 0.5) = 24.
    EXPECT_EQ(75u, customer_->GetPrice());
    EXPECT_EQ(24u, customer_->GetTip());
    EXPECT_EQ(99u, finances_.income);
    EXPECT_EQ(24u, finances_.tips);
    ASSERT_EQ(1u, floatingTexts_->GetTexts().size());
    EXPECT_THAT(floatingTexts_->GetTexts()[0]->GetLines(), ElementsAre(L"+99"));
    EXPECT_TRUE(customer_->GetPatience().IsStopped());

    float fading = 0.0f;
    while (customer_->GetState() == Morvane::kItemsFadingOut) {
        Step(false, kStep);
        fading += kStep;
        ASSERT_LT(fading, 2.0f);
    }
    EXPECT_NEAR(0.6833f, fading, kStep);
    EXPECT_EQ(Morvane::kServedQuickly, customer_->GetRating());
    EXPECT_EQ(L"Great", customer_->GetRatingLine1());
    EXPECT_EQ(L"service!", customer_->GetRatingLine2());
    EXPECT_EQ(L"Tip: 24", customer_->GetTipLine());
    EXPECT_FLOAT_EQ(0.7882353f, customer_->GetRatingColour().y) << "green";
    EXPECT_TRUE(customer_->GetGoodParticles()->IsEmitting());
    EXPECT_FALSE(customer_->GetBadParticles()->IsEmitting());

    std::vector<std::wstring> printed;
    Frame(kStep, [&] {
        customer_->Update(false);
        for (int i = 0; i < customer_->GetBalloonWindow()->GetPrintCount(); ++i)
            printed.push_back(customer_->GetBalloonWindow()->GetTextPrint(i).text);
    });
    EXPECT_THAT(printed, ElementsAre(L"Great", L"service!", L"Tip: 24"));

    float rating = kStep;
    while (customer_->GetState() == Morvane::kShowingRating) {
        Step(false, kStep);
        rating += kStep;
        ASSERT_LT(rating, 3.0f);
    }
    EXPECT_NEAR(1.3333f, rating, kStep);
    EXPECT_EQ(0.0f, customer_->GetBalloonWindow()->GetAlpha());
    ASSERT_TRUE(StepUntil([&] { return !customer_->IsAlive(); }));
    EXPECT_EQ(0.0f, customer_->GetFigureWindow()->GetAlpha()) << "walked out backwards";
}

TEST_F(CustomerTest, PatienceRunningOutLeavesWithTheWorstRating) {
    MakeCustomer({"R1"}, 0.0f);
    std::vector<std::string> effects;
    ASSERT_TRUE(StepUntil(
        [&] {
            effects = EffectsNow();
            return customer_->GetState() == Morvane::kItemsFadingOut;
        },
        true));
    EXPECT_THAT(effects, ElementsAre("25"));
    ASSERT_TRUE(WaitForState(Morvane::kShowingRating, true));
    EXPECT_EQ(Morvane::kRanOut, customer_->GetRating());
    EXPECT_FLOAT_EQ(0.9137255f, customer_->GetRatingColour().x) << "red";
    EXPECT_EQ(0.0f, customer_->GetRatingColour().y);
    EXPECT_EQ(L"Gone!", customer_->GetRatingLine1()) << "a text without a blank stays whole";
    EXPECT_EQ(L"", customer_->GetRatingLine2());
    EXPECT_EQ(L"", customer_->GetTipLine());
    EXPECT_EQ(0u, finances_.income);
    EXPECT_TRUE(customer_->GetBadParticles()->IsEmitting());
    EXPECT_FALSE(customer_->GetGoodParticles()->IsEmitting());
}

// --- flying foods ----------------------------------------------------------------------

TEST_F(CustomerTest, FlyingFoodIsServedOnArrivalAndBlocksASecondOfItsName) {
    MakeCustomer({"R1", "R1"});
    ASSERT_TRUE(WaitForState(Morvane::kWaiting));
    auto food = std::make_unique<Food>(data_.get(), dayWindow_);
    food->BuildRecipe("R1");
    ASSERT_EQ(&Item(0), customer_->FindOrderItem(food.get()));
    customer_->ReceiveFood(food.release());
    Food other(data_.get(), dayWindow_);
    other.BuildRecipe("R1");
    EXPECT_EQ(nullptr, customer_->FindOrderItem(&other)) << "one of that name is on its way";

    std::vector<std::string> effects;
    ASSERT_TRUE(StepUntil([&] {
        effects = EffectsNow();
        return customer_->GetFlyingItems().empty();
    }));
    EXPECT_THAT(effects, ElementsAre("27"));
    EXPECT_TRUE(Item(0).IsDone());
    EXPECT_EQ(&Item(1), customer_->FindOrderItem(&other));
}

}  // namespace
