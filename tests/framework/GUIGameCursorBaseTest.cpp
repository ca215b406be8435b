// The game cursor base in a running engine: the drawn or the system cursor as
// "ui_custom_cursor" says, switched only while the cursor is shown, kinds handed to the
// window at the first update that shows them, and the drawn cursors given back at the end.

#include <gtest/gtest.h>

#include <memory>

#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Config.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/GUIGameCursorBase.h"
#include "platform/WinUser.h"
#include "tests/framework/FrameworkEngineTestSupport.h"

namespace {

using GameFramework::GUIGameCursorBase;
using Vantor::GUICursor;

constexpr int kArrowKind = 1;
constexpr int kHandKind = 2;
constexpr int kArrowResource = 101;
constexpr int kHandResource = 102;

// The cursor the system shows over the window.
HCURSOR SystemCursor() {
    const HCURSOR current = ::SetCursor(nullptr);
    ::SetCursor(current);
    return current;
}

class GUIGameCursorBaseTest : public frameworktest::FrameworkEngineTest {
protected:
    void SetUp() override {
        FrameworkEngineTest::SetUp();
        platform::DefineCursorResource(kArrowResource, IDC_ARROW);
        platform::DefineCursorResource(kHandResource, IDC_HAND);
        MakeEngine();
        cursor_ = std::make_unique<GUIGameCursorBase>();
        arrow_ = MakeDrawnCursor();
        hand_ = MakeDrawnCursor();
        cursor_->AddKind(kArrowKind, kArrowResource, arrow_);
        cursor_->AddKind(kHandKind, kHandResource, hand_);
        gameUpdate = [this] { cursor_->Update(); };
    }

    void TearDown() override {
        cursor_.reset();
        FrameworkEngineTest::TearDown();
    }

    GUICursor* MakeDrawnCursor() const { return Vantor::GUIManager::Instance()->CreateCursor(nullptr, &plain_, 32.0f); }

    static void SetCustomCursor(bool drawn) {
        ASSERT_EQ(Vantor::Config::Instance()->ExecuteLine(drawn ? "ui_custom_cursor 1" : "ui_custom_cursor 0"),
                  Vantor::ConfigResult::Done);
    }

    static bool SystemCursorVisible() { return Vantor::Controls::Instance()->IsCursorVisible(); }

    const Vantor::ShaderDescriptor plain_;
    std::unique_ptr<GUIGameCursorBase> cursor_;
    GUICursor* arrow_ = nullptr;
    GUICursor* hand_ = nullptr;
};

TEST_F(GUIGameCursorBaseTest, StartsHiddenWithTheDrawnCursorAsTheSavedDefault) {
    EXPECT_EQ(Vantor::Config::Instance()->GetDefaultText("ui_custom_cursor"), "1");
    EXPECT_FALSE(cursor_->IsShown());
    EXPECT_FALSE(SystemCursorVisible());
    EXPECT_FALSE(arrow_->visible);
    EXPECT_FALSE(cursor_->Update());

    cursor_->SetKind(kArrowKind);
    cursor_->Show(true);
    EXPECT_TRUE(cursor_->IsDrawn());
    EXPECT_TRUE(arrow_->visible);
    EXPECT_FALSE(SystemCursorVisible());
    RunFrame();
    EXPECT_EQ(SystemCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(GUIGameCursorBaseTest, SettingSwitchedWhileShownTakesEffectAtTheNextUpdate) {
    cursor_->SetKind(kArrowKind);
    cursor_->Show(true);
    RunFrame();

    SetCustomCursor(false);
    EXPECT_TRUE(arrow_->visible);
    RunFrame();
    EXPECT_FALSE(cursor_->IsDrawn());
    EXPECT_FALSE(arrow_->visible);
    EXPECT_TRUE(SystemCursorVisible());
    EXPECT_TRUE(cursor_->IsShown());

    SetCustomCursor(true);
    RunFrame();
    EXPECT_TRUE(arrow_->visible);
    EXPECT_FALSE(SystemCursorVisible());
}

TEST_F(GUIGameCursorBaseTest, SettingSwitchedWhileHiddenWaitsForTheNextChangeWhileShown) {
    cursor_->SetKind(kArrowKind);
    RunFrame();
    SetCustomCursor(false);
    RunFrame();
    cursor_->Show(true);
    RunFrames(2);
    // The drawn mode stayed as it was: the change was made while nothing was shown.
    EXPECT_TRUE(cursor_->IsDrawn());
    EXPECT_TRUE(arrow_->visible);
    EXPECT_FALSE(SystemCursorVisible());

    // The next change made while shown is taken.
    SetCustomCursor(true);
    RunFrame();
    SetCustomCursor(false);
    RunFrame();
    EXPECT_FALSE(cursor_->IsDrawn());
    EXPECT_TRUE(SystemCursorVisible());
}

TEST_F(GUIGameCursorBaseTest, AskingForTheKindAlreadyAskedForDoesNothing) {
    cursor_->SetKind(kArrowKind);
    cursor_->Show(true);
    RunFrame();
    // Not even the hide and show of a change: the flag set from outside stays.
    arrow_->visible = false;
    cursor_->SetKind(kArrowKind);
    EXPECT_FALSE(arrow_->visible);

    arrow_->visible = true;
    cursor_->SetKind(kHandKind);
    EXPECT_FALSE(arrow_->visible);
    EXPECT_TRUE(hand_->visible);
}

TEST_F(GUIGameCursorBaseTest, KindChangedWhileHiddenReachesTheWindowAtTheFirstUpdateAfterShowing) {
    cursor_->SetKind(kArrowKind);
    cursor_->Show(true);
    RunFrame();
    EXPECT_EQ(cursor_->GetAppliedKind(), kArrowKind);

    cursor_->Show(false);
    cursor_->SetKind(kHandKind);
    RunFrames(2);
    EXPECT_EQ(cursor_->GetAppliedKind(), kArrowKind);
    EXPECT_EQ(SystemCursor(), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_FALSE(hand_->visible);

    cursor_->Show(true);
    EXPECT_TRUE(hand_->visible);
    EXPECT_FALSE(arrow_->visible);
    RunFrame();
    EXPECT_EQ(cursor_->GetAppliedKind(), kHandKind);
    EXPECT_EQ(SystemCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(GUIGameCursorBaseTest, KindRegisteredTwiceKeepsItsFirstEntry) {
    GUICursor* second = MakeDrawnCursor();
    cursor_->AddKind(kArrowKind, kHandResource, second);
    cursor_->SetKind(kArrowKind);
    cursor_->Show(true);
    RunFrame();
    EXPECT_EQ(cursor_->GetDrawnCursor(), arrow_);
    EXPECT_FALSE(second->visible);
    EXPECT_EQ(SystemCursor(), LoadCursorW(nullptr, IDC_ARROW));
    Vantor::GUIManager::Instance()->DestroyCursor(second);
}

TEST_F(GUIGameCursorBaseTest, WithoutAKindTheWindowKeepsItsCursor) {
    const HCURSOR before = LoadCursorW(nullptr, IDC_HAND);
    ::SetCursor(before);
    cursor_->SetKind(7);
    cursor_->Show(true);
    EXPECT_TRUE(SystemCursorVisible());
    EXPECT_TRUE(cursor_->Update());
    EXPECT_EQ(SystemCursor(), before);
    EXPECT_EQ(cursor_->GetDrawnCursor(), nullptr);
}

TEST_F(GUIGameCursorBaseTest, DrawnCursorsAreGivenBackAndTheSettingLeftAtTheEnd) {
    const Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    const std::uint32_t withCursors = gui.GetCursors().GetCount();
    cursor_.reset();
    EXPECT_EQ(gui.GetCursors().GetCount(), withCursors - 2);
    EXPECT_EQ(Vantor::Config::Instance()->ExecuteLine("ui_custom_cursor 0"), Vantor::ConfigResult::Unknown);
}

}  // namespace
