// Automatic machines driven through engine frames with the pointer moved and clicked
// through the platform layer: their sounds and places, the dustbin, a production from
// the flight in to the product at its place, "hide_input", products taken, put back,
// swapped and combined, foods a machine does not deal with, and the orders told about
// what a machine without productions made.

#include "game/AutomaticMachine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Model.h"
#include "game/AnimatedPart.h"
#include "game/Ingredient.h"
#include "game/OrderManager.h"
#include "tests/game/RoomTestSupport.h"

namespace {

using Morvane::AutomaticMachine;
using Morvane::Food;
using testing::ElementsAre;
using testing::IsEmpty;

class AutomaticMachineTest : public gametest::RoomTest {
protected:
    void SetUp() override {
        RoomTest::SetUp();
        orders_ = std::make_unique<Morvane::OrderManager>(data_.get(), nullptr, 0);
        orders_->AddProduct("R1");
    }
    void TearDown() override {
        machine_.reset();
        orders_.reset();
        RoomTest::TearDown();
    }

    AutomaticMachine& Make(const std::string& name) {
        machine_ = std::make_unique<AutomaticMachine>(audio_.get(), data_.get(), hand_.get(), nullptr, nullptr,
                                                      nullptr, orders_.get(), name);
        return *machine_;
    }
    // One frame of 0.1 s: the machine, then the hand, as in a running day.
    void Step() {
        Frame(0.1f, [&] {
            audio_->Update();
            machine_->Update();
            hand_->Update();
        });
    }
    // The pointer over the middle of the machine's selection area.
    void PointAtMachine() {
        const Vantor::GUIWindow& area = *machine_->GetSelectionWindow();
        PointAt(area.GetSelectionPosition() + area.GetSelectionSize() * 0.5f);
    }
    // Puts the held food in with a click; the frames until the product is out.
    int ClickAndProduce() {
        PointAtMachine();
        Click();
        Step();
        int frames = 0;
        while (machine_->GetItemInProduction() && frames < 50) {
            Step();
            ++frames;
        }
        return frames;
    }
    bool HandGlows() const {
        const auto& layers = hand_->GetFood()->GetLayers();
        return !layers.empty() && layers[0]->GetHighlight() > 0.0f;
    }
    static Vantor::Vector2 CornerOf(const Vantor::Model* place) {
        const Vantor::Vector3& corner = place->GetBoundingBox().worldMin;
        return {corner.x, corner.y};
    }
    static float StageFrame(const Morvane::AnimatedPart* part) { return part->GetStage()->GetPosition(); }

    std::unique_ptr<Morvane::OrderManager> orders_;
    std::unique_ptr<AutomaticMachine> machine_;
};

TEST_F(AutomaticMachineTest, SoundIsChosenByTheFirstNamePartInTheListsOrder) {
    const std::pair<const char*, const char*> cases[] = {{"ice_cream_maker", "33"},
                                                         {"coffee_cream_mixer", "31"},
                                                         {"popcorn_cart", "35"},
                                                         {"dustbin", "29"},
                                                         {"oven", nullptr}};
    for (const auto& [name, sound] : cases) {
        const char* key = Make(name).GetSoundKey();
        EXPECT_EQ(sound ? std::string(sound) : "", key ? std::string(key) : "") << name;
    }
}

TEST_F(AutomaticMachineTest, PlacesByFoodGroupElseTheGeneralOne) {
    AutomaticMachine& oven = Make("oven");
    EXPECT_EQ(2 * AutomaticMachine::kLayerOrderStep, oven.GetWindow()->GetOrder());
    EXPECT_EQ(AutomaticMachine::kUpperOrder, oven.GetUpperPart()->GetWindow()->GetOrder());
    EXPECT_EQ(XY({40.0f, 40.0f}), XY(CornerOf(oven.GetInputPlace("R4")))) << "the general input place";
    EXPECT_EQ(XY({40.0f, 130.0f}), XY(CornerOf(oven.GetOutputPlace("R4"))));
    EXPECT_EQ(nullptr, oven.GetOutputPlace("R1")) << "no place for g1 and no general one";
    AutomaticMachine& fryer = Make("fryer");
    EXPECT_NE(nullptr, fryer.GetInputPlace("R1"));
    EXPECT_EQ(nullptr, fryer.GetInputPlace("R4"));
}

TEST_F(AutomaticMachineTest, TutorialHighlightAdmitsTheSelectionArea) {
    Make("oven").EnableInput();
    EXPECT_THAT(Gui().GetExclusiveInputList(), ElementsAre(machine_->GetSelectionWindow()));
    Gui().GetExclusiveInputList().clear();
}

TEST_F(AutomaticMachineTest, DustbinEmptiesAFullHandAndIgnoresAnEmptyOne) {
    Make("dustbin");
    PointAtMachine();
    Click();
    Step();
    EXPECT_THAT(Heard(), IsEmpty());

    Hold({"A", "B"});
    Step();
    EXPECT_TRUE(HandGlows()) << "hovering with a full hand";
    Click();
    Step();
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty());
    EXPECT_THAT(Heard(), ElementsAre("26"));
}

TEST_F(AutomaticMachineTest, ProductionFliesInRunsTheGroupsRangesAndPutsTheProductAtItsPlace) {
    AutomaticMachine& oven = Make("oven");
    Hold({"A", "B"});
    PointAtMachine();
    Click();
    Step();
    Food* item = oven.GetItemInProduction();
    ASSERT_NE(nullptr, item);
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty());
    EXPECT_THAT(Heard(), ElementsAre("26"));
    EXPECT_TRUE(item->IsFlying());

    Vantor::AnimationControl& lower = oven.GetLowerPart()->GetControl();
    Vantor::AnimationControl& upper = oven.GetUpperPart()->GetControl();
    int frames = 0;
    while (!lower.IsPlaying() && frames++ < 20) Step();
    EXPECT_EQ(XY({40.0f, 40.0f}), XY(item->GetPosition())) << "arrived at the input place";
    EXPECT_EQ(0, lower.GetRangeId()) << "the range for every group";
    EXPECT_EQ(1, upper.GetRangeId()) << "the range for g1";
    EXPECT_TRUE(upper.IsPlaying());

    // The lower range takes 0.4 s, the upper one 0.6 s; the product comes with the last.
    for (int frame = 0; frame < 4; ++frame) Step();
    EXPECT_FALSE(lower.IsPlaying());
    EXPECT_EQ(3.0f, StageFrame(oven.GetLowerPart()));
    EXPECT_NE(nullptr, oven.GetItemInProduction());
    EXPECT_EQ(nullptr, oven.GetFinishedItem());
    frames = 0;
    while (oven.GetItemInProduction() && frames++ < 20) Step();
    ASSERT_NE(nullptr, oven.GetFinishedItem());
    EXPECT_EQ("R4", oven.GetFinishedItem()->GetName());
    EXPECT_EQ(XY({40.0f, 130.0f}), XY(oven.GetFinishedItem()->GetPosition()));
    EXPECT_EQ(7.0f, StageFrame(oven.GetUpperPart()));
    EXPECT_THAT(orders_->GetMade(0), IsEmpty()) << "a production's product is not reported";

    Click();
    Step();
    EXPECT_EQ("R4", hand_->GetFood()->GetName()) << "taken with an empty hand";
    EXPECT_EQ(nullptr, oven.GetFinishedItem());
    EXPECT_EQ(0.0f, StageFrame(oven.GetLowerPart())) << "back to the first frame";
}

TEST_F(AutomaticMachineTest, HiddenInputVanishesRangesStartAtFrameOneAndTheProductStaysUnseen) {
    AutomaticMachine& steamer = Make("steamer");
    Hold({"A", "B"});
    PointAtMachine();
    Click();
    Step();
    Vantor::AnimationControl& lower = steamer.GetLowerPart()->GetControl();
    int frames = 0;
    while (!lower.IsPlaying() && frames++ < 20) Step();
    EXPECT_EQ(XY({10000.0f, 10000.0f}), XY(steamer.GetItemInProduction()->GetPosition()));
    EXPECT_NEAR(1.0f + 10.0f * 0.1f, lower.GetPosition(), 0.01f) << "from frame 1 at 10 frames a second";

    while (steamer.GetItemInProduction() && frames++ < 40) Step();
    const Food* product = steamer.GetFinishedItem();
    ASSERT_NE(nullptr, product);
    Step();
    for (const auto& layer : product->GetLayers()) EXPECT_EQ(0.0f, layer->GetPictureWindow()->GetAlpha());

    Click();
    Step();
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("F", "G", "H"));
    for (const auto& layer : hand_->GetFood()->GetLayers()) EXPECT_EQ(1.0f, layer->GetPictureWindow()->GetAlpha());
}

TEST_F(AutomaticMachineTest, MachineWithoutProductionsCompletesOnArrivalAndTellsTheOrders) {
    AutomaticMachine& toaster = Make("toaster");
    Hold({"A", "B"});
    PointAtMachine();
    Click();
    Step();
    Food* item = toaster.GetItemInProduction();
    ASSERT_NE(nullptr, item);
    bool arrivedAndDone = false;
    for (int frame = 0; frame < 20 && toaster.GetItemInProduction(); ++frame) {
        Frame(0.1f, [&] {
            machine_->Update();
            arrivedAndDone = toaster.GetItemInProduction() == nullptr;
        });
    }
    EXPECT_TRUE(arrivedAndDone);
    ASSERT_NE(nullptr, toaster.GetFinishedItem());
    EXPECT_EQ("R1", toaster.GetFinishedItem()->GetName());
    EXPECT_EQ(XY({440.0f, 130.0f}), XY(toaster.GetFinishedItem()->GetPosition()));
    EXPECT_THAT(orders_->GetMade(0), ElementsAre("R1"));
}

TEST_F(AutomaticMachineTest, RightClickTakesTheProductOnlyWithAnEmptyHand) {
    AutomaticMachine& toaster = Make("toaster");
    Hold({"A", "B"});
    ClickAndProduce();
    ASSERT_NE(nullptr, toaster.GetFinishedItem());

    Hold({"C"});
    Click(true);
    Step();
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("C"));
    EXPECT_NE(nullptr, toaster.GetFinishedItem());

    hand_->Clear();
    Click(true);
    Step();
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("A", "B"));
    EXPECT_EQ(nullptr, toaster.GetFinishedItem());
    EXPECT_THAT(Heard(), ElementsAre("26"));
}

TEST_F(AutomaticMachineTest, FoodTheMachineNeitherTakesNorStoresIsLeftAlone) {
    AutomaticMachine& oven = Make("oven");
    Hold({"A", "B", "C", "D"});  // R2: neither the oven's input nor its output
    PointAtMachine();
    Step();
    EXPECT_FALSE(HandGlows());
    Click();
    Step();
    EXPECT_EQ("R2", hand_->GetFood()->GetName());
    EXPECT_EQ(nullptr, oven.GetItemInProduction());
    EXPECT_THAT(Heard(), IsEmpty());
}

TEST_F(AutomaticMachineTest, ProductPutBackShowsTheEndFrames) {
    AutomaticMachine& oven = Make("oven");
    hand_->GetFood()->BuildRecipe("R4");
    PointAtMachine();
    Step();
    EXPECT_TRUE(HandGlows());
    Click();
    Step();
    ASSERT_NE(nullptr, oven.GetFinishedItem());
    EXPECT_EQ("R4", oven.GetFinishedItem()->GetName());
    EXPECT_EQ(nullptr, oven.GetItemInProduction());
    EXPECT_EQ(XY({40.0f, 130.0f}), XY(oven.GetFinishedItem()->GetPosition()));
    EXPECT_EQ(3.0f, StageFrame(oven.GetLowerPart()));
    EXPECT_EQ(7.0f, StageFrame(oven.GetUpperPart()));
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty());
}

TEST_F(AutomaticMachineTest, InputIsSwappedForTheWaitingProduct) {
    AutomaticMachine& toaster = Make("toaster");
    Hold({"A", "B"});
    ClickAndProduce();
    Hold({"F", "G", "H"});  // nothing combines R1 with F
    Click();
    Step();
    ASSERT_NE(nullptr, toaster.GetItemInProduction());
    EXPECT_EQ("R4", toaster.GetItemInProduction()->GetName());
    EXPECT_EQ(nullptr, toaster.GetFinishedItem());
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("A", "B"));
}

TEST_F(AutomaticMachineTest, WaitingProductIsCombinedWithTheHeldFood) {
    AutomaticMachine& toaster = Make("toaster");
    Hold({"A", "B"});
    ClickAndProduce();
    Hold({"C"});  // A, B and C are part of R2
    Click();
    Step();
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("C", "A", "B"));
    EXPECT_EQ(nullptr, toaster.GetFinishedItem());
    EXPECT_EQ(nullptr, toaster.GetItemInProduction());
    EXPECT_THAT(Heard(), ElementsAre("26"));
}

TEST_F(AutomaticMachineTest, AcceptedInputWithoutAPlaceIsNotTakenAndLoggedOnce) {
    AutomaticMachine& fryer = Make("fryer");
    Hold({"F", "G", "H"});
    PointAtMachine();
    Step();
    EXPECT_FALSE(HandGlows());
    EXPECT_EQ(std::vector<std::string>{"Machine \"fryer\" has no input place for \"R4\""}, Errors());
    Click();
    Step();
    EXPECT_EQ("R4", hand_->GetFood()->GetName());
    EXPECT_EQ(nullptr, fryer.GetItemInProduction());
    EXPECT_THAT(Errors(), IsEmpty()) << "logged once";

    Hold({"A", "B"});
    Click();
    Step();
    EXPECT_NE(nullptr, fryer.GetItemInProduction()) << "g1 has its place";
}

TEST_F(AutomaticMachineTest, UnknownNameEndsTheRunWithTheMessageAsWritten) {
    try {
        Make("nowhere");
        FAIL() << "made";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ("Can't find \"nowhere\"machine", error.GetText());
    }
}

}  // namespace
