// The player's hand: the held food on the pointer and the system cursor shown only with
// an empty hand; the game cursor's kinds, its trail beside the pointer and the click
// burst that plays only while the trail is on.

#include <gtest/gtest.h>

#include <memory>

#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/render/ParticleSystem.h"
#include "game/CursorFood.h"
#include "game/Food.h"
#include "game/GUIGameCursor.h"
#include "platform/WinUserSeams.h"
#include "tests/game/FoodTestSupport.h"

namespace {

using Morvane::CursorFood;
using Morvane::Food;
using Morvane::GUIGameCursor;

class CursorTest : public gametest::FoodTest {
protected:
    void SetUp() override {
        gametest::FoodTest::SetUp();
        DefineCursorResources();
        LoadFood();
        Gui().SetScreenSize(800, 600);
        Frame(0.1f, [] {});
    }

    static void Click() {
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    }
    static bool SystemCursorVisible() { return Vantor::Controls::Instance()->IsCursorVisible(); }
};

// --- held food -------------------------------------------------------------------------

TEST_F(CursorTest, HoldingHidesTheSystemCursorAndAnEmptyHandShowsIt) {
    CursorFood hand(data_.get(), nullptr);
    EXPECT_EQ(CursorFood::kOrder, hand.GetWindow()->GetOrder());
    EXPECT_TRUE(hand.GetFood()->GetLayers().empty());
    Vantor::Controls::Instance()->SetCursorVisible(true);

    hand.GetFood()->AddIngredient("A");
    MoveMouseToPixel(300, 200);
    Frame(0.1f, [&] { hand.Update(); });
    EXPECT_FALSE(SystemCursorVisible());
    const Vantor::Vector2 centre = hand.GetFood()->GetPosition() + hand.GetFood()->GetExtent() * 0.5f;
    EXPECT_EQ(XY(CursorFood::GetCursorPosition()), XY(centre)) << "the food's centre on the pointer";

    hand.Clear();
    Frame(0.1f, [&] { hand.Update(); });
    EXPECT_TRUE(SystemCursorVisible());

    hand.GetFood()->AddIngredient("B");
    Frame(0.1f, [&] { hand.Update(); });
    ASSERT_FALSE(SystemCursorVisible());
    hand.Hide();
    EXPECT_TRUE(SystemCursorVisible()) << "a paused day shows the system cursor";
    EXPECT_EQ(XY(CursorFood::kOffScreen), XY(hand.GetFood()->GetPosition()));
}

TEST_F(CursorTest, ReleasedFoodBelongsToItsNewHolder) {
    auto hand = std::make_unique<CursorFood>(data_.get(), nullptr);
    hand->GetFood()->BuildRecipe("R1");
    std::unique_ptr<Food> handedOver(hand->GetFood());
    hand->Release();
    ASSERT_NE(handedOver.get(), hand->GetFood());
    EXPECT_TRUE(hand->GetFood()->GetLayers().empty());
    hand->Clear();
    hand.reset();
    EXPECT_EQ("R1", handedOver->GetName()) << "still alive after the hand is gone";
    EXPECT_EQ(2u, handedOver->GetLayers().size());
}

TEST_F(CursorTest, ClicksAreTheMouseButtonsPressedThisFrame) {
    CursorFood hand(data_.get(), nullptr);
    Click();
    bool left = false;
    bool right = true;
    Frame(0.1f, [&] {
        left = CursorFood::IsLeftClick();
        right = CursorFood::IsRightClick();
    });
    EXPECT_TRUE(left);
    EXPECT_FALSE(right);
}

// --- game cursor -----------------------------------------------------------------------

class GameCursorTest : public CursorTest {
protected:
    void SetUp() override {
        CursorTest::SetUp();
        cursor_ = std::make_unique<GUIGameCursor>();
        cursor_->CreateEffects(data_.get());
        cursor_->Show(true);
    }
    void TearDown() override {
        cursor_.reset();
        CursorTest::TearDown();
    }

    std::unique_ptr<GUIGameCursor> cursor_;
};

TEST_F(GameCursorTest, ThreeKindsWithKindZeroChosen) {
    EXPECT_EQ(0, cursor_->GetRequestedKind());
    ASSERT_NE(nullptr, cursor_->GetDrawnCursor());
    EXPECT_TRUE(cursor_->GetDrawnCursor()->visible);
    Frame(0.1f, [&] { cursor_->Update(); });
    EXPECT_EQ(0, cursor_->GetAppliedKind());
    for (int kind : {1, 2}) {
        cursor_->SetKind(kind);
        Frame(0.1f, [&] { cursor_->Update(); });
        EXPECT_EQ(kind, cursor_->GetAppliedKind());
    }
}

TEST_F(GameCursorTest, TrailHangsBesideThePointer) {
    MoveMouseToPixel(400, 300);
    Frame(0.1f, [&] { cursor_->Update(); });
    const Vantor::Vector2 tip = Gui().GetCursorPosition() + Vantor::Vector2{13.0f, -16.0f};
    const Vantor::Vector3& trail = cursor_->GetTrail()->GetPosition();
    EXPECT_EQ(tip.x, trail.x);
    EXPECT_EQ(tip.y, trail.y);
    EXPECT_EQ(0.0f, trail.z);
    EXPECT_TRUE(cursor_->GetTrail()->IsEmitting());
    EXPECT_TRUE(cursor_->GetTrail()->IsLooping());
    EXPECT_EQ(GUIGameCursor::kEffectDepth, cursor_->GetTrail()->GetModel()->GetDepth());
}

TEST_F(GameCursorTest, ClickBurstsOnlyWhileTheTrailIsOn) {
    EXPECT_FALSE(cursor_->GetClickBurst()->IsEmitting()) << "no burst before a click";
    MoveMouseToPixel(200, 100);
    Click();
    Frame(0.1f, [&] { cursor_->Update(); });
    EXPECT_TRUE(cursor_->GetClickBurst()->IsEmitting());
    EXPECT_FALSE(cursor_->GetClickBurst()->IsLooping());
    EXPECT_EQ(Gui().GetCursorPosition().x, cursor_->GetClickBurst()->GetPosition().x);

    cursor_->SetTrailEnabled(false);
    cursor_->GetClickBurst()->Reset();
    const Vantor::Vector3 trailBefore = cursor_->GetTrail()->GetPosition();
    MoveMouseToPixel(500, 400);
    Click();
    Frame(0.1f, [&] { cursor_->Update(); });
    EXPECT_FALSE(cursor_->GetClickBurst()->IsEmitting());
    EXPECT_FALSE(cursor_->GetTrail()->IsEmitting());
    EXPECT_EQ(trailBefore.x, cursor_->GetTrail()->GetPosition().x) << "a disabled trail stays put";
}

TEST_F(GameCursorTest, ShowingRestartsTheTrailOnlyWhenEnabled) {
    cursor_->Show(false);
    EXPECT_FALSE(cursor_->GetTrail()->IsEmitting());
    cursor_->Show(true);
    EXPECT_TRUE(cursor_->GetTrail()->IsEmitting());
    cursor_->SetTrailEnabled(false);
    cursor_->Show(false);
    cursor_->Show(true);
    EXPECT_FALSE(cursor_->GetTrail()->IsEmitting());
    EXPECT_TRUE(cursor_->GetDrawnCursor()->visible);
}

TEST_F(CursorTest, CursorWithoutEffectsWorks) {
    GUIGameCursor cursor;
    cursor.SetTrailEnabled(false);
    cursor.Show(true);
    Click();
    Frame(0.1f, [&] { cursor.Update(); });
    EXPECT_EQ(nullptr, cursor.GetTrail());
    EXPECT_FALSE(cursor.IsTrailEnabled());
}

}  // namespace
