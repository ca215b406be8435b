// The customers of a day: the first gap and the gaps between customers from the
// machines bought and the day's progress, the random draws in their order, day 0's
// first customer, the limits by the number of types, places held by leaving customers,
// arrivals put off or dropped, the counters, and right-click serving.

#include "game/CustomerManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/kernel/Random.h"
#include "framework/Tutorial.h"
#include "game/Customer.h"
#include "game/CustomerMood.h"
#include "game/Food.h"
#include "game/Order.h"
#include "game/OrderManager.h"
#include "tests/framework/PlayerDataTestSupport.h"
#include "tests/game/CustomerTestSupport.h"

namespace {

using Morvane::Customer;
using Morvane::CustomerManager;
using platform::seam::MouseButton;
using testing::ElementsAre;
using testing::HasSubstr;

// The frame clock's longest frame: the tests wait through whole patiences.
constexpr float kStep = 0.1f;

// Types that order one item of the group g1, named after the types with a material.
std::string Types(int count) {
    std::string types;
    for (int i = 0; i < count; ++i)
        types += "<t" + std::to_string(i) + " name=\"" + gametest::CustomerTest::kTypeNames[i] +
                 "\"><a group=\"g1\" must_order=\"1\"/></t" + std::to_string(i) + ">";
    return R"(<customers min_mood_time="4" max_mood_time="8">)" + types + "</customers>";
}

class CustomerManagerTest : public gametest::CustomerTest {
protected:
    void TearDown() override {
        manager_.reset();
        orders_.reset();
        tutorial_.reset();
        profiles_.reset();
        gametest::CustomerTest::TearDown();
    }

    // The data with the places and types; a manager of the day whose types all may
    // come and whose orders hold R1.
    CustomerManager& MakeManager(unsigned places = 3, int types = 1, int day = 1, unsigned machines = 0) {
        LoadCustomers(places, Types(types));
        Frame(0.1f, [] {});
        profiles_ = std::make_unique<frameworktest::TestProfileManager>(home_.root + L"\\user");
        profiles_->SelectProfile(profiles_->CreateProfileIfMissing(L"Anna"), false);
        tutorial_ = std::make_unique<GameFramework::Tutorial>(profiles_.get());
        tutorial_->MarkShown(0);
        orders_ = std::make_unique<Morvane::OrderManager>(data_.get(), tutorial_.get(), static_cast<unsigned>(day));
        orders_->AddProduct("R1");
        manager_ = std::make_unique<CustomerManager>(audio_.get(), data_.get(), tools_.get(), orders_.get(),
                                                     hand_.get(), dayWindow_, &finances_, floatingTexts_.get(), day,
                                                     0.5f, 1.0f, machines);
        for (const auto& type : data_->GetCustomerTypes()) manager_->AddCustomerType(type.get());
        Errors();
        return *manager_;
    }
    std::vector<std::string> Step(float progress = 0.0f, bool arrivals = true) {
        std::vector<std::string> effects;
        Frame(step_, [&] {
            manager_->Update(progress, arrivals, drains_, true);
            effects = EffectsNow();
        });
        return effects;
    }
    template <typename Condition>
    bool StepUntil(Condition condition, float seconds = 60.0f) {
        for (float time = 0.0f; time < seconds; time += step_) {
            Step();
            if (condition()) return true;
        }
        return false;
    }
    // Forces the next customer and waits until it stands waiting.
    Customer& Arrival() {
        manager_->SetTimeToNextCustomer(-1.0f);
        Step();
        Customer& customer = *manager_->GetCustomers().back();
        EXPECT_TRUE(StepUntil([&] { return customer.GetState() == Morvane::kWaiting; }));
        return customer;
    }
    std::vector<std::string> RightClickWith(const std::string& recipe) {
        hand_->Clear();
        if (!recipe.empty()) hand_->GetFood()->BuildRecipe(recipe);
        Click(MouseButton::Right);
        return Step();
    }

    std::unique_ptr<frameworktest::TestProfileManager> profiles_;
    std::unique_ptr<GameFramework::Tutorial> tutorial_;
    std::unique_ptr<Morvane::OrderManager> orders_;
    std::unique_ptr<CustomerManager> manager_;
    // Whether the customers' patience runs, and the frames' length.
    bool drains_ = false;
    float step_ = kStep;
};

// --- pace ------------------------------------------------------------------------------

TEST(CustomerPaceTest, FirstGapGrowsFromFiveToFifteenMachines) {
    const std::pair<unsigned, float> cases[] = {{0, 3.0f}, {5, 3.0f}, {10, 4.0f}, {15, 5.0f}, {40, 5.0f}};
    for (const auto& [machines, gap] : cases) EXPECT_FLOAT_EQ(gap, CustomerManager::FirstGap(machines)) << machines;
}

TEST(CustomerPaceTest, BusyFactorFromTheMachinesBought) {
    const std::pair<unsigned, float> cases[] = {{0, 1.0f},         {1, 1.0f},   {2, 1.0f / 9.0f}, {10, 1.0f},
                                                {12, 1.0f},        {13, 0.41666667f}, {15, 0.75f}, {16, 0.5f}};
    for (const auto& [machines, busy] : cases) EXPECT_FLOAT_EQ(busy, CustomerManager::BusyFactor(machines)) << machines;
}

TEST(CustomerPaceTest, GapBoundsShrinkTowardsTheEndOfTheDay) {
    const auto [lower, upper] = CustomerManager::GapBounds(2, 0.0f);
    EXPECT_NEAR(5.522f, lower, 0.001f);
    EXPECT_NEAR(6.422f, upper, 0.001f);
    const auto [endLower, endUpper] = CustomerManager::GapBounds(1, 1.0f);
    EXPECT_FLOAT_EQ(1.3f, endLower);
    EXPECT_FLOAT_EQ(2.6f, endUpper);
    const auto [startLower, startUpper] = CustomerManager::GapBounds(1, 0.0f);
    EXPECT_FLOAT_EQ(4.9f, startLower);
    EXPECT_FLOAT_EQ(5.8f, startUpper);
}

TEST_F(CustomerManagerTest, ArrivalDrawsTheGapTheTypeAndThePlaceInThatOrder) {
    MakeManager(3, 3, 1, 2);
    Vantor::SeedRandom(77);
    const auto [lower, upper] = CustomerManager::GapBounds(2, 0.25f);
    const float gap = Vantor::RandomRange(lower, upper);
    Vantor::SeedRandom(77);
    manager_->SetTimeToNextCustomer(-1.0f);
    Frame(kStep, [&] { manager_->Update(0.25f, true, false, true); });
    EXPECT_EQ(gap, manager_->GetTimeToNextCustomer());
    ASSERT_EQ(1u, manager_->GetCustomers().size());
    EXPECT_EQ(1u, manager_->GetCustomersCome());
    EXPECT_THAT(orders_->GetOrders().back()->items, testing::Each(std::string("R1")));
}

TEST_F(CustomerManagerTest, FirstCustomerComesAfterTheFirstGap) {
    MakeManager(3, 1, 1, 15);
    EXPECT_FLOAT_EQ(5.0f, manager_->GetTimeToNextCustomer());
    float waited = 0.0f;
    while (manager_->GetCustomers().empty()) {
        Step();
        waited += kStep;
        ASSERT_LT(waited, 10.0f);
    }
    EXPECT_NEAR(5.0f, waited, kStep);
}

TEST_F(CustomerManagerTest, HeldOrForbiddenArrivalsDoNotCountDown) {
    MakeManager();
    manager_->SetSpawnHold(true);
    Step();
    EXPECT_FLOAT_EQ(3.0f, manager_->GetTimeToNextCustomer());
    manager_->SetSpawnHold(false);
    Step(0.5f, false);
    EXPECT_FLOAT_EQ(3.0f, manager_->GetTimeToNextCustomer());
    Step();
    EXPECT_FLOAT_EQ(3.0f - kStep, manager_->GetTimeToNextCustomer());
}

// --- limits and places -----------------------------------------------------------------

TEST_F(CustomerManagerTest, DayZerosFirstCustomerStandsAtPlaceZeroAndComesAlone) {
    MakeManager(3, 3, 0);
    EXPECT_EQ(1u, manager_->GetLimit());
    for (unsigned seed = 0; seed < 3; ++seed) {
        Vantor::SeedRandom(seed);
        manager_ = std::make_unique<CustomerManager>(audio_.get(), data_.get(), tools_.get(), orders_.get(),
                                                     hand_.get(), dayWindow_, &finances_, floatingTexts_.get(), 0,
                                                     0.5f, 1.0f, 0);
        for (const auto& type : data_->GetCustomerTypes()) manager_->AddCustomerType(type.get());
        manager_->SetTimeToNextCustomer(-1.0f);
        Step();
        ASSERT_EQ(1u, manager_->GetCustomers().size());
        EXPECT_EQ(0u, manager_->GetCustomers()[0]->GetPlace());
    }
    EXPECT_FALSE(StepUntil([&] { return manager_->GetCustomers().size() > 1; }, 20.0f))
        << "never a second one while the first waits";
}

TEST_F(CustomerManagerTest, LimitFollowsTheNumberOfTypesUpToThePlaces) {
    MakeManager(4, 5);
    const unsigned limits[] = {4, 1, 2, 2, 3, 4};
    for (std::size_t types = 0; types <= 5; ++types) {
        CustomerManager manager(audio_.get(), data_.get(), tools_.get(), orders_.get(), hand_.get(), dayWindow_,
                                &finances_, floatingTexts_.get(), 1, 0.5f, 1.0f, 0);
        for (std::size_t type = 0; type < types; ++type) manager.AddCustomerType(data_->GetCustomerTypes()[type].get());
        EXPECT_EQ(limits[types], manager.GetLimit()) << types << " types";
    }
}

TEST_F(CustomerManagerTest, AtMostTheLimitWaitsAtOnce) {
    MakeManager(4, 3);
    unsigned most = 0;
    for (float time = 0.0f; time < 20.0f; time += kStep) {
        Step();
        most = std::max(most, manager_->CountActiveCustomers());
    }
    EXPECT_EQ(2u, most);
    EXPECT_EQ(2u, manager_->GetCustomers().size());
}

TEST_F(CustomerManagerTest, LeavingCustomerKeepsItsPlaceAndAForcedArrivalWaitsForIt) {
    MakeManager(1, 5);
    Customer& first = Arrival();
    ASSERT_THAT(RightClickWith("R1"), ElementsAre());
    ASSERT_TRUE(StepUntil([&] { return first.GetState() == Morvane::kItemsFadingOut; }));
    EXPECT_EQ(0u, manager_->CountActiveCustomers());

    manager_->SetTimeToNextCustomer(-1.0f);
    Step();
    EXPECT_EQ(1u, manager_->GetCustomers().size()) << "no place is free";
    EXPECT_EQ(-1.0f, manager_->GetTimeToNextCustomer()) << "the arrival is put off whole, no gap drawn";

    ASSERT_TRUE(StepUntil([&] { return manager_->GetCustomersCome() == 2; }));
    EXPECT_EQ(1u, manager_->GetCustomers().size());
    EXPECT_EQ(1u, manager_->GetCustomersServed());
    EXPECT_EQ(0.0f, manager_->GetRatingSum());
    EXPECT_GT(manager_->GetTimeToNextCustomer(), 0.0f);
}

TEST_F(CustomerManagerTest, LeftClickServesFromArrivalToDeparture) {
    MakeManager();
    manager_->SetSpawnHold(true);
    Customer& customer = Arrival();
    hand_->GetFood()->BuildRecipe("R1");
    PointAt(FigureCentre(customer.GetPlace()));
    Click(MouseButton::Left);
    EXPECT_THAT(Step(), testing::UnorderedElementsAre("27", "24"));
    EXPECT_EQ(Morvane::kItemsFadingOut, customer.GetState());
    EXPECT_EQ(13u, finances_.income) << "10 and a tip of trunc(3.2 + 0.5) at mood 1";
    EXPECT_EQ(3u, finances_.tips);
    ASSERT_TRUE(StepUntil([&] { return manager_->GetCustomers().empty(); }));
    EXPECT_EQ(1u, manager_->GetCustomersServed());
    EXPECT_EQ(0.0f, manager_->GetRatingSum());
    EXPECT_EQ(1u, manager_->GetCustomersCome());
}

TEST_F(CustomerManagerTest, ServedAndRatingsAreCountedWhenCustomersLeave) {
    MakeManager(2, 2);
    manager_->SetSpawnHold(true);
    Arrival();
    Arrival();
    RightClickWith("R1");
    ASSERT_TRUE(StepUntil([&] { return manager_->GetCustomers().size() == 1; }));
    EXPECT_EQ(1u, manager_->GetCustomersServed());
    EXPECT_EQ(0.0f, manager_->GetRatingSum()) << "served at once";
    drains_ = true;
    ASSERT_TRUE(StepUntil([&] { return manager_->GetCustomers().empty(); }));
    EXPECT_EQ(1u, manager_->GetCustomersServed()) << "the one whose patience ran out is not served";
    EXPECT_EQ(3.0f, manager_->GetRatingSum());
    EXPECT_EQ(2u, manager_->GetCustomersCome());
}

// --- decided cases ---------------------------------------------------------------------

TEST_F(CustomerManagerTest, WithoutTypesNobodyComes) {
    LoadCustomers(3, Types(0));
    profiles_ = std::make_unique<frameworktest::TestProfileManager>(home_.root + L"\\user");
    tutorial_ = std::make_unique<GameFramework::Tutorial>(profiles_.get());
    orders_ = std::make_unique<Morvane::OrderManager>(data_.get(), tutorial_.get(), 1u);
    manager_ = std::make_unique<CustomerManager>(audio_.get(), data_.get(), tools_.get(), orders_.get(), hand_.get(),
                                                 dayWindow_, &finances_, floatingTexts_.get(), 1, 0.5f, 1.0f, 0);
    Errors();
    Vantor::MessageManager::Instance()->ClearMessages();
    for (int frame = 0; frame < 100; ++frame) Step();
    EXPECT_TRUE(manager_->GetCustomers().empty());
    EXPECT_EQ(0u, manager_->GetCustomersCome());
    const std::string log = home_.ReadLog();
    EXPECT_EQ(log.find("No customer type"), log.rfind("No customer type")) << "one warning";
    EXPECT_NE(std::string::npos, log.find("No customer type"));
}

TEST_F(CustomerManagerTest, OrderWithoutKnownFoodBringsNobody) {
    MakeManager();
    orders_ = std::make_unique<Morvane::OrderManager>(data_.get(), tutorial_.get(), 1u);
    manager_ = std::make_unique<CustomerManager>(audio_.get(), data_.get(), tools_.get(), orders_.get(), hand_.get(),
                                                 dayWindow_, &finances_, floatingTexts_.get(), 1, 0.5f, 1.0f, 0);
    manager_->AddCustomerType(data_->GetCustomerTypes().front().get());
    manager_->SetTimeToNextCustomer(-1.0f);
    Step();
    EXPECT_TRUE(manager_->GetCustomers().empty()) << "no product: an empty order";
    EXPECT_EQ(0u, manager_->GetCustomersCome());
    EXPECT_GT(manager_->GetTimeToNextCustomer(), 0.0f) << "the next gap was drawn";
    EXPECT_THAT(home_.ReadLog(), HasSubstr("without any known food"));
}

// --- right clicks ----------------------------------------------------------------------

TEST_F(CustomerManagerTest, RightClickServesTheWaitingCustomerWithTheLowestMood) {
    MakeManager(3, 3);
    manager_->SetSpawnHold(true);
    drains_ = true;
    Customer& first = Arrival();
    ASSERT_TRUE(StepUntil([&] { return first.GetMood() < 0.9f; }));
    Customer& second = Arrival();
    ASSERT_LT(first.GetMood(), second.GetMood());
    Morvane::Food* held = nullptr;
    hand_->Clear();
    hand_->GetFood()->BuildRecipe("R1");
    held = hand_->GetFood();
    Click(MouseButton::Right);
    EXPECT_THAT(Step(), ElementsAre());
    ASSERT_EQ(1u, first.GetFlyingItems().size());
    EXPECT_EQ(held, first.GetFlyingItems()[0].get()) << "the customer owns the food now";
    EXPECT_TRUE(second.GetFlyingItems().empty());
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty());

    EXPECT_THAT(RightClickWith("R1"), ElementsAre()) << "the first already has one on its way: the second";
    EXPECT_EQ(1u, second.GetFlyingItems().size());
}

TEST_F(CustomerManagerTest, RightClickOnEqualMoodsServesTheEarlierCustomer) {
    MakeManager(3, 3);
    manager_->SetSpawnHold(true);
    Customer& first = Arrival();
    Customer& second = Arrival();
    ASSERT_EQ(first.GetMood(), second.GetMood());
    RightClickWith("R1");
    EXPECT_EQ(1u, first.GetFlyingItems().size());
    EXPECT_TRUE(second.GetFlyingItems().empty());
}

TEST_F(CustomerManagerTest, RightClickNeverServesACustomerAtTheEndOfItsPatience) {
    MakeManager(3, 3);
    manager_->SetSpawnHold(true);
    drains_ = true;
    Customer& first = Arrival();
    ASSERT_TRUE(StepUntil([&] { return first.GetMood() < 0.5f; }));
    Customer& second = Arrival();
    ASSERT_TRUE(StepUntil([&] { return first.GetMood() < 0.05f; }));
    step_ = 0.01f;
    ASSERT_TRUE(StepUntil([&] { return first.GetMood() <= CustomerManager::kRightClickMinimumMood; }));
    ASSERT_EQ(Morvane::kWaiting, first.GetState());
    RightClickWith("R1");
    EXPECT_TRUE(first.GetFlyingItems().empty());
    EXPECT_EQ(1u, second.GetFlyingItems().size());
}

TEST_F(CustomerManagerTest, RightClickNobodyNeedsIsRefusedAndTheFoodKept) {
    MakeManager();
    EXPECT_THAT(RightClickWith(""), ElementsAre("28")) << "an empty hand";
    Step();
    Arrival();
    EXPECT_THAT(RightClickWith("R4"), ElementsAre("28"));
    EXPECT_EQ("R4", hand_->GetFood()->GetName());
}

}  // namespace
