// A running day drawn by the whole engine under an X server: the room's wall, the
// clock, the distributors, the coffee machine, two customers waiting with their order
// balloons, and the food the player holds at the pointer.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/CursorFood.h"
#include "game/Food.h"
#include "platform/Clock.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/DayTestSupport.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

Rgb ColourOf(std::uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF)};
}

testing::AssertionResult Shows(const Vantor::Image& picture, const Vantor::Vector2& point, std::uint32_t argb) {
    const Rgb colour = ColourOf(argb);
    const Rgb seen = PixelAt(picture, static_cast<int>(point.x), static_cast<int>(point.y));
    if (std::abs(seen.red - colour.red) < 40 && std::abs(seen.green - colour.green) < 40 &&
        std::abs(seen.blue - colour.blue) < 40)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "at (" << point.x << ", " << point.y << "): " << scenes::Describe(seen);
}

class DaySdlTest : public gametest::DayTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        DayTest::SetUp();
    }
    // A frame of at least 0.02 s on the real clock.
    void RealStep() {
        platform::SleepMicroseconds(20000);
        Step(0.02f);
    }
};

TEST_F(DaySdlTest, RunningDayShowsTheRoomItsCustomersAndTheHeldFood) {
    LoadCafe();
    SkipTutorial();
    Player().SetDay(2);
    Player().AddMachine("coffee_black");
    Morvane::GameLogic& day = MakeDay();
    Morvane::CustomerManager& customers = *day.GetCustomerManager();
    // The clock runs in real time here: both customers are called at once.
    customers.SetTimeToNextCustomer(-1.0f);
    RealStep();
    customers.SetTimeToNextCustomer(-1.0f);
    RealStep();
    ASSERT_EQ(customers.GetCustomers().size(), 2u);
    for (int frame = 0; frame < 500; ++frame) {
        if (customers.GetCustomers()[0]->GetState() == Morvane::kWaiting &&
            customers.GetCustomers()[1]->GetState() == Morvane::kWaiting)
            break;
        RealStep();
    }
    ASSERT_EQ(customers.GetCustomers()[0]->GetState(), Morvane::kWaiting);
    ASSERT_EQ(customers.GetCustomers()[1]->GetState(), Morvane::kWaiting);
    const Vantor::Vector2 pointer{470.0f, 200.0f};
    PointAt(pointer);
    day.GetCursorFood()->GetFood()->AddIngredient("A");
    day.GetCursorFood()->GetFood()->AddIngredient("B");
    RealStep();
    RealStep();

    Vantor::Image picture;
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    scenes::KeepCapture(picture, "running_day");
    EXPECT_TRUE(Shows(picture, {5.0f, 440.0f}, kWallColour));
    EXPECT_TRUE(Shows(picture, {780.0f, 20.0f}, kFloorColour));
    EXPECT_TRUE(Shows(picture, kClockBox.Centre(), kClockColour));
    // Each distributor shows its items: the first, waffles.
    EXPECT_TRUE(Shows(picture, DistributorBox(0).Centre(), 0xFFD8A860));
    EXPECT_TRUE(Shows(picture, MachineBox("coffee_black").Centre(), kMachineColour));
    for (const auto& customer : customers.GetCustomers()) {
        EXPECT_TRUE(Shows(picture, FigureCentre(customer->GetPlace()), 0xFF3060A0)) << customer->GetPlace();
        EXPECT_FALSE(customer->GetOrderItems().empty());
    }
    // The top layer of the held food, centred on the pointer.
    EXPECT_TRUE(Shows(picture, pointer + Vantor::Vector2(0.0f, 20.0f), 0xFFF0D040));
}

}  // namespace
