// A day of the data set make_data built, played by the deterministic player and drawn
// by the whole engine under an X server, captured as a player sees it: a machine at
// work, a customer walking in, and customers leaving with each of the four ratings (the
// worst once the player has stepped away).
// The frames are kept as PNGs to look at.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/RenderSystem.h"
#include "game/AnimatedPart.h"
#include "game/AutomaticMachine.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/GameData.h"
#include "platform/Clock.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/replay/data_set/DataSetDayFixture.h"

namespace replay {
namespace {

using scenes::Distance;
using scenes::PixelAt;
using scenes::Rgb;

// A rectangle of the screen in GUI units (y up), which are the capture's pixels.
struct Area {
    int left = 0, bottom = 0, right = 0, top = 0;

    static Area Of(const Vantor::Model& model) {
        const Vantor::BoundingBox& box = model.GetBoundingBox();
        return {static_cast<int>(box.worldMin.x), static_cast<int>(box.worldMin.y), static_cast<int>(box.worldMax.x),
                static_cast<int>(box.worldMax.y)};
    }
};

// The pixels of the area that differ between two captures by more than a trace.
int Changed(const Vantor::Image& before, const Vantor::Image& after, const Area& area) {
    int changed = 0;
    for (int y = std::max(area.bottom, 0); y < std::min(area.top, 600); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, 800); ++x)
            changed += Distance(PixelAt(before, x, y), PixelAt(after, x, y)) > 30;
    return changed;
}

// The pixels of the area within a small distance of the colour.
int Showing(const Vantor::Image& picture, const Area& area, Rgb colour) {
    int count = 0;
    for (int y = std::max(area.bottom, 0); y < std::min(area.top, 600); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, 800); ++x)
            count += Distance(PixelAt(picture, x, y), colour) < 60;
    return count;
}

Rgb Drawn(const Vantor::Color& colour) {
    const auto channel = [](float value) { return static_cast<int>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return {channel(colour.x), channel(colour.y), channel(colour.z)};
}

// Frames of 0.1 s after the rating came until its texts are captured: they show fully
// from a third of a second to a second on.
constexpr unsigned kRatingShownFrames = 4;

class DataSetCaptureSdlTest : public DataSetDayFixture {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        // Mesa's shader cache writer, still busy when the program ends, can crash the leak
        // checker's walk over the threads.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        platform::seam::UseVirtualClock();
        DataSetDayFixture::SetUp();
    }

    static std::unique_ptr<Vantor::Image> Capture(const std::string& name) {
        auto picture = std::make_unique<Vantor::Image>();
        Vantor::RenderSystem::Instance()->CaptureScreen(*picture);
        scenes::KeepCapture(*picture, name);
        return picture;
    }
    const Morvane::Customer* CustomerIn(Morvane::CustomerState state) const {
        for (const auto& customer : game_->Room().customers->GetCustomers())
            if (customer && customer->GetState() == state) return customer.get();
        return nullptr;
    }
    const Morvane::AutomaticMachine* WorkingMachine() const {
        for (const Morvane::AutomaticMachine* machine : game_->Room().machines)
            if (machine->GetItemInProduction() && machine->GetLowerPart() &&
                machine->GetLowerPart()->GetControl().IsPlaying())
                return machine;
        return nullptr;
    }
    Area PlaceArea(unsigned place, const std::string& part) const {
        return Area::Of(*game_->Data().GetModel("customers/models/" + Vantor::ToString(place, 2) + "/" + part));
    }
};

TEST_F(DataSetCaptureSdlTest, ADayShowsAMachineAtWorkACustomerWalkingInAndEachRating) {
    // Enough machines for orders that keep the player busy, and a low mood: some
    // customers wait too long.
    DayRunner& day = StartDay({8, 1000, 0.2f, FirstMachines(8), false});
    Player();

    // The room as the day's first frame draws it, idle and empty, to compare with.
    day.RunUntil([] { return true; }, 1);
    const std::unique_ptr<Vantor::Image> start = Capture("data_set_day_start");
    std::unique_ptr<Vantor::Image> production;
    std::unique_ptr<Vantor::Image> walkIn;
    std::map<int, std::unique_ptr<Vantor::Image>> ratings;
    // The frame each customer showing its rating was first seen so.
    std::map<const Morvane::Customer*, unsigned> ratingFrames;
    ASSERT_TRUE(day.RunUntil(
        [&] {
            if (!production)
                if (const Morvane::AutomaticMachine* machine = WorkingMachine();
                    machine && machine->GetLowerPart()->GetStage()->GetPosition() >= 3.0f) {
                    production = Capture("data_set_production_" + machine->GetName());
                    const Area area = Area::Of(*game_->Data().GetModel("room/automatic_machines/" +
                                                                       machine->GetName() + "/selection"));
                    EXPECT_GT(Changed(*start, *production, area), 50) << machine->GetName() << " shows no work";
                }
            if (!walkIn)
                if (const Morvane::Customer* customer = CustomerIn(Morvane::kWalkingIn);
                    customer && customer->GetFigureWindow()->GetAlpha() > 0.4f) {
                    walkIn = Capture("data_set_customer_walking_in");
                    EXPECT_GT(Changed(*start, *walkIn, PlaceArea(customer->GetPlace(), "selection")), 500)
                        << "the customer at place " << customer->GetPlace() << " is not seen";
                }
            std::map<const Morvane::Customer*, unsigned> rated;
            for (const auto& customer : game_->Room().customers->GetCustomers()) {
                if (!customer || customer->GetState() != Morvane::kShowingRating) continue;
                const auto seen = ratingFrames.find(customer.get());
                const unsigned since = seen == ratingFrames.end() ? day.GetFrame() : seen->second;
                rated.emplace(customer.get(), since);
                const int rating = static_cast<int>(customer->GetRating());
                if (ratings.count(rating) || day.GetFrame() - since != kRatingShownFrames) continue;
                ratings.emplace(rating, Capture("data_set_leaving_rating_" + std::to_string(rating)));
                // The rating's two lines in its colour on the balloon.
                EXPECT_GT(Showing(*ratings.at(rating), PlaceArea(customer->GetPlace(), "balloon"),
                                  Drawn(customer->GetRatingColour())),
                          20)
                    << "rating " << rating << " at place " << customer->GetPlace();
            }
            ratingFrames = std::move(rated);
            // Served customers have shown the three better ratings: the player steps away
            // and the next customer leaves unserved.
            if (production && walkIn && ratings.size() == 3 && !ratings.count(3)) day.SetPlayer(nullptr);
            return production && walkIn && ratings.size() == 4;
        },
        6000));
    EXPECT_THAT(day.GetFaults(), testing::IsEmpty());
}

}  // namespace
}  // namespace replay
