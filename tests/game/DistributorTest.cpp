// Distributors driven through engine frames with the pointer moved and clicked through
// the platform layer: slots from the models found, taking into a hand that can use the
// ingredient, the selection area offering the last full slot, the refill fade-in, the
// tutorial highlight and the fatal line for an unknown name.

#include "game/Distributor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FatalError.h"
#include "engine/render/AnimationControl.h"
#include "game/AnimatedPart.h"
#include "game/Ingredient.h"
#include "tests/game/RoomTestSupport.h"

namespace {

using Morvane::Distributor;
using testing::ElementsAre;

class DistributorTest : public gametest::RoomTest {
protected:
    void TearDown() override {
        distributor_.reset();
        RoomTest::TearDown();
    }

    Distributor& Make(const std::string& name) {
        distributor_ = std::make_unique<Distributor>(audio_.get(), data_.get(), hand_.get(), nullptr, name);
        return *distributor_;
    }
    // Equal frames of at most 0.1 s filling the seconds, in which the distributor and
    // the audio manager run.
    void Step(float seconds = 0.1f) {
        const int frames = static_cast<int>(std::ceil(seconds / 0.1f - 0.0001f));
        for (int frame = 0; frame < frames; ++frame)
            Frame(seconds / static_cast<float>(frames), [&] {
                audio_->Update();
                distributor_->Update();
            });
    }
    std::vector<bool> FullSlots() const {
        std::vector<bool> full;
        for (const auto& food : distributor_->GetSlotFoods()) full.push_back(!food->GetLayers().empty());
        return full;
    }
    std::vector<float> Alphas() const {
        std::vector<float> alphas;
        for (const auto& food : distributor_->GetSlotFoods()) alphas.push_back(food->GetAlpha());
        return alphas;
    }
    // Whether any slot's item glows this frame.
    std::vector<bool> Highlighted() const {
        std::vector<bool> lit;
        for (const auto& food : distributor_->GetSlotFoods())
            lit.push_back(!food->GetLayers().empty() && food->GetLayers()[0]->GetHighlight() > 0.0f);
        return lit;
    }

    std::unique_ptr<Distributor> distributor_;
};

TEST_F(DistributorTest, SlotsComeFromEachInputModelFoundEvenAfterAGap) {
    Distributor& stand = Make("stand");
    EXPECT_EQ(Distributor::kOrder, stand.GetWindow()->GetOrder());
    ASSERT_EQ(3u, stand.GetSlotWindows().size());
    const Vantor::GUIWindow* third = stand.GetSlotWindows()[2];
    EXPECT_EQ(XY({440.0f, 450.0f}), XY(third->GetPosition())) << "placed at the model for 3";
    EXPECT_EQ(17, third->GetOrder());
    EXPECT_EQ(2, stand.GetSlotWindows()[0]->GetOrder());
    EXPECT_THAT(LayersOf(stand.GetSlotFoods()[2].get()), ElementsAre("A"));
    EXPECT_EQ(nullptr, stand.GetSelectionWindow());
    EXPECT_EQ(nullptr, stand.GetLowerPart());
}

TEST_F(DistributorTest, HoveredItemGlowsAndAClickAddsItsIngredientToTheHand) {
    Make("stand");
    Hold({"B"});
    PointAt({200.0f, 480.0f});  // over the item of slot 1
    Step();
    EXPECT_THAT(Highlighted(), ElementsAre(false, true, false));
    EXPECT_TRUE(Heard().empty());

    Click();
    Step();
    EXPECT_THAT(FullSlots(), ElementsAre(true, false, true)) << "the hovered slot, not the last";
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("B", "A"));
    EXPECT_EQ("R1", hand_->GetFood()->GetName());
    EXPECT_THAT(Heard(), ElementsAre("26"));
}

TEST_F(DistributorTest, HandThatCannotTakeTheIngredientSeesNoGlowAndClicksDoNothing) {
    Make("stand");
    Hold({"F"});  // no recipe has F and A
    PointAt({200.0f, 480.0f});
    Step();
    EXPECT_THAT(Highlighted(), ElementsAre(false, false, false));
    Click();
    Step();
    EXPECT_THAT(FullSlots(), ElementsAre(true, true, true));
    EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("F"));
    EXPECT_TRUE(Heard().empty());
}

TEST_F(DistributorTest, SelectionAreaAlwaysOffersTheLastFullSlot) {
    Distributor& shelf = Make("shelf");
    ASSERT_NE(nullptr, shelf.GetSelectionWindow());
    EXPECT_EQ(std::vector<std::string>{"The material of \"room/distributors/shelf/upper\" has no texture stage to animate"},
              Errors());
    EXPECT_EQ(Distributor::kUpperOrder, shelf.GetUpperPart()->GetWindow()->GetOrder());
    PointAt({50.0f, 370.0f});  // inside the area, over slot 0's item
    Step();
    EXPECT_THAT(Highlighted(), ElementsAre(true, true, true, true)) << "the whole row glows";
    for (const std::vector<bool>& left : {std::vector{true, true, true, false}, {true, true, false, false}}) {
        hand_->Clear();
        Click();
        Step();
        EXPECT_EQ(left, FullSlots());
        EXPECT_THAT(LayersOf(hand_->GetFood()), ElementsAre("A"));
    }
    PointAt({590.0f, 295.0f});  // elsewhere in the area, over no item
    hand_->Clear();
    Click();
    Step();
    EXPECT_THAT(FullSlots(), ElementsAre(true, false, false, false));
}

TEST_F(DistributorTest, EmptyRowRefillsSlotBySlotAndOffersNothingMeanwhile) {
    Make("shelf");
    PointAt({50.0f, 370.0f});
    for (int taken = 0; taken < 4; ++taken) {
        hand_->Clear();
        Click();
        Step();
    }
    ASSERT_THAT(FullSlots(), ElementsAre(false, false, false, false));
    // The frame that finds the row empty starts the fade, the items all clear.
    hand_->Clear();
    Click();
    Step(0.001f);
    EXPECT_TRUE(distributor_->IsRefilling());
    EXPECT_THAT(FullSlots(), ElementsAre(true, true, true, true));
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty()) << "nothing taken in that frame";

    // Three time units a second: after a third of a second slot 0 is whole.
    const float unit = 1.0f / Distributor::kRefillSpeed;
    Step(unit - 0.001f);
    EXPECT_NEAR(1.0f, Alphas()[0], 0.01f);
    EXPECT_NEAR(0.5f, Alphas()[1], 0.01f);
    EXPECT_NEAR(0.0f, Alphas()[2], 0.01f);
    hand_->Clear();
    Click();
    Step(0.001f);
    EXPECT_TRUE(hand_->GetFood()->GetLayers().empty()) << "no taking while the fade runs";
    // (3 x 0.5 + 1) / 3 s in all; slot 3 comes last.
    Step(2.5f * unit - unit - 0.01f);
    EXPECT_TRUE(distributor_->IsRefilling());
    EXPECT_LT(Alphas()[3], 1.0f);
    EXPECT_NEAR(1.0f, Alphas()[2], 0.01f);
    Step(0.02f);
    EXPECT_FALSE(distributor_->IsRefilling());
    EXPECT_THAT(Alphas(), ElementsAre(1.0f, 1.0f, 1.0f, 1.0f));
}

TEST_F(DistributorTest, WithoutSlotsNothingIsOfferedAndNothingRefills) {
    Distributor& bare = Make("bare");
    EXPECT_TRUE(bare.GetSlotFoods().empty());
    for (int frame = 0; frame < 3; ++frame) Step();
    EXPECT_FALSE(bare.IsRefilling());
    bare.EnableInput();
    EXPECT_TRUE(Gui().GetExclusiveInputList().empty());
}

TEST_F(DistributorTest, TutorialHighlightAdmitsTheAreaOrTheLastFullItem) {
    Make("shelf").EnableInput();
    EXPECT_THAT(Gui().GetExclusiveInputList(), ElementsAre(distributor_->GetSelectionWindow()));
    Gui().GetExclusiveInputList().clear();

    Distributor& stand = Make("stand");
    stand.GetSlotFoods()[2]->Clear();
    stand.EnableInput();
    EXPECT_THAT(Gui().GetExclusiveInputList(),
                ElementsAre(stand.GetSlotFoods()[1]->GetLayers()[0]->GetPictureWindow()));
    Gui().GetExclusiveInputList().clear();
}

TEST_F(DistributorTest, PartsShowTheirFirstFrame) {
    Distributor& shelf = Make("shelf");
    Step();
    const Vantor::AnimationControl* stage = shelf.GetLowerPart()->GetStage();
    ASSERT_NE(nullptr, stage);
    EXPECT_EQ(0.0f, stage->GetPosition());
    EXPECT_FALSE(stage->IsPlaying());
    EXPECT_EQ(nullptr, shelf.GetUpperPart()->GetStage());
}

TEST_F(DistributorTest, UnknownNameEndsTheRun) {
    try {
        Make("nowhere");
        FAIL() << "made";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ("Can't find \"nowhere\" distributor", error.GetText());
    }
}

}  // namespace
