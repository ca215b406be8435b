// Named targets found among the room's objects of the replay data and given input
// through the platform's injection: a click on a distributor takes its ingredient, the
// coffee machine brews what is put in and hands out its product, the dustbin empties the
// hand; targets that are not in the room are not found.

#include "tests/game/replay/TargetFinder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "framework/AudioManager.h"
#include "game/AutomaticMachine.h"
#include "game/CursorFood.h"
#include "game/Distributor.h"
#include "game/Finances.h"
#include "game/Food.h"
#include "game/OrderManager.h"
#include "platform/Clock.h"
#include "tests/game/GameDataTestSupport.h"
#include "tests/game/replay/InputDriver.h"
#include "tests/game/replay/ReplayData.h"
#include "tests/game/replay/ReplayScript.h"

namespace replay {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class RoomTargetTest : public gametest::GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        ReplayData::Write(L"data\\ui\\replay.xml");
        Load(ReplayData::Definitions({}), {L"data\\ui\\replay.xml"});
        audio_ = std::make_unique<GameFramework::AudioManager>(1.0f, 1.0f, engine_->GetSoundManager());
        hand_ = std::make_unique<Morvane::CursorFood>(data_.get(), nullptr);
        orders_ = std::make_unique<Morvane::OrderManager>(data_.get(), nullptr, 1u);
        for (const char* name : ReplayData::kDistributors) {
            distributors_.push_back(
                std::make_unique<Morvane::Distributor>(audio_.get(), data_.get(), hand_.get(), nullptr, name));
            room_.distributors.push_back(distributors_.back().get());
        }
        for (const char* name : {"dustbin", "coffee_black"}) {
            machines_.push_back(std::make_unique<Morvane::AutomaticMachine>(
                audio_.get(), data_.get(), hand_.get(), nullptr, &finances_, nullptr, orders_.get(), name));
            room_.machines.push_back(machines_.back().get());
        }
        room_.hand = hand_.get();
        Run(ReplayScript());
    }
    void TearDown() override {
        machines_.clear();
        distributors_.clear();
        orders_.reset();
        hand_.reset();
        audio_.reset();
        GameDataTest::TearDown();
    }

    // Frames of 0.05 s from the script's first frame, each step given before its frame,
    // the room's objects updated inside it, until a frame after the last step.
    void Run(const ReplayScript& script, unsigned extraFrames = 2) {
        const auto& steps = script.GetSteps();
        const unsigned last = steps.empty() ? 0 : steps.back().frame + extraFrames;
        std::size_t next = 0;
        for (unsigned frame = steps.empty() ? 0 : steps.front().frame; frame <= last; ++frame) {
            for (; next < steps.size() && steps[next].frame == frame; ++next) {
                const std::optional<Vantor::Vector2> point = TargetFinder::Find(steps[next].target, room_);
                ASSERT_TRUE(point) << ReplayScript::ToText(steps[next]);
                InputDriver::Give(steps[next], *point);
            }
            platform::seam::AdvanceVirtualTime(50000);
            engine_->BeginFrame();
            for (auto& distributor : distributors_) distributor->Update();
            for (auto& machine : machines_) machine->Update();
            hand_->Update();
            engine_->EndFrame();
        }
    }
    std::vector<std::string> Held() const {
        std::vector<std::string> names;
        const Morvane::Food& food = *hand_->GetFood();
        for (std::size_t layer = 0; layer < food.GetLayers().size(); ++layer) names.push_back(food.GetLayerName(layer));
        return names;
    }

    std::unique_ptr<GameFramework::AudioManager> audio_;
    std::unique_ptr<Morvane::CursorFood> hand_;
    std::unique_ptr<Morvane::OrderManager> orders_;
    Morvane::Finances finances_;
    std::vector<std::unique_ptr<Morvane::Distributor>> distributors_;
    std::vector<std::unique_ptr<Morvane::AutomaticMachine>> machines_;
    RoomView room_;
};

TEST_F(RoomTargetTest, ClicksOnNamedDistributorsBuildTheFoodAndTheDustbinTakesIt) {
    Run(ReplayScript::Parse("10 click distributor cracker_waffle\n+3 click distributor jelly_green\n"
                            "+3 click distributor cracker_chocolate"));
    EXPECT_THAT(Held(), ElementsAre("cracker_waffle", "jelly_green", "cracker_chocolate"));
    EXPECT_EQ(hand_->GetFood()->GetName(), "cake_13");

    Run(ReplayScript::Parse("30 click machine dustbin"));
    EXPECT_THAT(Held(), IsEmpty());
}

TEST_F(RoomTargetTest, TheCoffeeMachineBrewsWhatIsPutInAndHandsItOut) {
    Run(ReplayScript::Parse("10 click distributor coffee_cup\n+3 click machine coffee_black"));
    EXPECT_THAT(Held(), IsEmpty());
    // Half a second of brewing, then the product waits.
    Run(ReplayScript::Parse("30 move point 10 10"), 12);
    ASSERT_NE(machines_[1]->GetFinishedItem(), nullptr);
    Run(ReplayScript::Parse("50 click machine coffee_black"));
    EXPECT_THAT(Held(), ElementsAre("coffee_cup", "coffee"));
    EXPECT_EQ(hand_->GetFood()->GetName(), "coffee_black");
}

TEST_F(RoomTargetTest, TargetsNotInTheRoomAreNotFound) {
    const ReplayScript absent =
        ReplayScript::Parse("1 click distributor spice_rack\n1 click machine oven\n1 click customer at place 0");
    for (const ReplayStep& step : absent.GetSteps())
        EXPECT_FALSE(TargetFinder::Find(step.target, room_)) << ReplayScript::ToText(step);

    const std::optional<Vantor::Vector2> dustbin =
        TargetFinder::Find(ReplayScript::Parse("1 click machine dustbin").GetSteps()[0].target, room_);
    ASSERT_TRUE(dustbin);
    EXPECT_FLOAT_EQ(dustbin->x, 740.0f);
    EXPECT_FLOAT_EQ(dustbin->y, 80.0f);
}

}  // namespace
}  // namespace replay
