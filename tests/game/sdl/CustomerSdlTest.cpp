// A customer drawn by the whole engine under an X server: waiting with its balloon, the
// items of its order, its face and its patience bar; then, served, its verdict in green
// on the balloon and the money text rising from it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/Customer.h"
#include "game/CustomerMood.h"
#include "game/Order.h"
#include "platform/Clock.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/CustomerTestSupport.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

constexpr float kStep = 0.02f;

class CustomerSdlTest : public gametest::CustomerTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        // Frames of exactly their length: the texts rise and fade by the clock, so on the real
        // one a loaded machine would carry them past where the pictures look for them.
        platform::seam::UseVirtualClock();
        gametest::CustomerTest::SetUp();
    }
    void TearDown() override {
        customer_.reset();
        gametest::CustomerTest::TearDown();
    }

    void Step() {
        Frame(kStep, [&] {
            customer_->Update(false);
            floatingTexts_->Update();
            const Vantor::GUIWindow& balloon = *customer_->GetBalloonWindow();
            verdictAlpha_ = balloon.GetPrintCount() > 0 ? balloon.GetTextPrint(0).colour.w : 0.0f;
        });
    }
    template <typename Condition>
    void StepUntil(Condition condition) {
        for (int frame = 0; frame < 1000 && !condition(); ++frame) Step();
        ASSERT_TRUE(condition());
    }
    void ServeWith(const char* recipe) {
        hand_->Clear();
        hand_->GetFood()->BuildRecipe(recipe);
        PointAt(FigureCentre(1));
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
        Step();
    }
    static void Capture(Vantor::Image& picture, const std::string& name) {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }
    // Whether any pixel of the rectangle passes the test.
    template <typename Test>
    static bool Any(const Vantor::Image& picture, int left, int bottom, int right, int top, Test test) {
        for (int y = bottom; y <= top; ++y)
            for (int x = left; x <= right; ++x)
                if (test(PixelAt(picture, x, y))) return true;
        return false;
    }
    // Whether any pixel of the rectangle lies within 50 of the colour in each channel.
    static bool AnyNear(const Vantor::Image& picture, int left, int bottom, int right, int top, Rgb colour) {
        return Any(picture, left, bottom, right, top, [&](const Rgb& seen) {
            return std::abs(seen.red - colour.red) < 50 && std::abs(seen.green - colour.green) < 50 &&
                   std::abs(seen.blue - colour.blue) < 50;
        });
    }

    Morvane::Order order_;
    std::unique_ptr<Morvane::Customer> customer_;
    // The alpha of the verdict's first line printed in the last frame.
    float verdictAlpha_ = 0.0f;
};

TEST_F(CustomerSdlTest, WaitingCustomerThenItsVerdictAndTheMoneyText) {
    LoadCustomers();
    order_.items = {"R1", "R4"};
    customer_ = std::make_unique<Morvane::Customer>(audio_.get(), data_.get(), tools_.get(), hand_.get(), dayWindow_,
                                                    &finances_, floatingTexts_.get(), 0.5f, &order_,
                                                    data_->GetCustomerTypes().front().get(), 1, 1.0f);
    StepUntil([&] { return customer_->GetState() == Morvane::kWaiting; });
    // The bar takes a second to show after the face.
    StepUntil([&] { return customer_->GetPatience().GetBarAlpha() == 1.0f; });
    Vantor::Image waiting;
    Capture(waiting, "customer_waiting");
    EXPECT_TRUE(AnyNear(waiting, 260, 140, 290, 160, {0x30, 0x60, 0xA0})) << "the figure";
    EXPECT_TRUE(AnyNear(waiting, 221, 330, 232, 358, {0xFF, 0xD0, 0x20})) << "the face";
    EXPECT_TRUE(AnyNear(waiting, 221, 311, 258, 315, {0x20, 0xC0, 0x40})) << "the patience bar";
    EXPECT_TRUE(AnyNear(waiting, 236, 352, 290, 385, {0xE0, 0x30, 0x20})) << "an item: R1's bottom layer";

    ServeWith("R1");
    ServeWith("R4");
    ASSERT_EQ(Morvane::kItemsFadingOut, customer_->GetState());
    StepUntil([&] { return verdictAlpha_ == 1.0f; });
    Vantor::Image served;
    Capture(served, "customer_served_rating_and_money");
    // The texts' blocks blend with the white balloon.
    EXPECT_TRUE(Any(served, 220, 320, 380, 420, [](const Rgb& seen) {
        return seen.green > seen.red + 60 && seen.green > seen.blue + 60;
    })) << "the green verdict";
    EXPECT_TRUE(Any(served, 220, 320, 380, 420, [](const Rgb& seen) {
        return seen.red > 200 && seen.green > 150 && seen.blue < seen.green - 60;
    })) << "the orange tip line";
    EXPECT_TRUE(AnyNear(served, 240, 220, 310, 300, {0xFF, 0xFF, 0xFF})) << "the money text";
}

}  // namespace
