// The GUI manager over the headless render system and input: elements made and
// destroyed by kind with their slots reused, the mouse routed to every element (the
// exclusive input list first, the others then far away), the cursors, the frame's update
// and everything left over deleted with the manager.

#include "engine/gui/GUIManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/render/Camera.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/gui/GUIElementTestSupport.h"

namespace guitest {
namespace {

using Vantor::GUIButton;
using Vantor::GUICheckBox;
using Vantor::GUICursor;
using Vantor::GUIEditBox;
using Vantor::GUIManager;
using Vantor::ModelFlags;

constexpr std::uint32_t kShown = GUIWindow::kShown;

class GUIManagerTest : public GUIElementTest {
protected:
    void SetUp() override {
        GUIElementTest::SetUp();
        MakeControls();
        gui_ = std::make_unique<GUIManager>(engineSounds_.get());
        GUIManager::Instance(gui_.get());
        gui_->SetScreenSize(800, 600);
    }

    void TearDown() override {
        gui_.reset();
        GUIElementTest::TearDown();
    }

    // The mouse over the GUI point: the 800 x 600 client has a pixel per unit, rows
    // counted from the top.
    void MoveMouseTo(const Vector2& point) {
        POINT pixel{static_cast<LONG>(point.x), static_cast<LONG>(599.0f - point.y)};
        ClientToScreen(Window().GetWindowHandle(), &pixel);
        platform::seam::InjectMouseMove(pixel.x, pixel.y);
    }

    static void PressAndRelease() {
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    }

    // The GUI's part of an engine frame: the input read, the GUI's input pass, its
    // update, the draw pass and the frame end.
    void Frame() {
        BeginInputFrame();
        gui_->ProcessInput();
        gui_->Update();
        Cameras().ResizeCameras();
        Models().Render();
        EndInputFrame();
    }

    GUIButton* Button(const Vector2& position = {100, 100}) {
        return gui_->CreateButton(kShown, position, Vector2(100, 50), nullptr, &plain_, nullptr);
    }

    GUIEditBox* EditBox() {
        gui_->GetFontManager()->LoadFont(0, nullptr, WriteFont("typing", TypingFont()))->SetSize(20.0f);
        return gui_->CreateEditBox(kShown, Vector2(0, 0), Vector2(300, 30), nullptr, nullptr, 0,
                                   Vantor::Color(1, 1, 1, 1), Vector2(0, 0), 20, 1000.0f, 1000.0f,
                                   std::uint16_t{u'|'}, nullptr);
    }

    const Vantor::ShaderDescriptor plain_;
    std::unique_ptr<GUIManager> gui_;
};

// ---- Making and destroying ----------------------------------------------------------

TEST_F(GUIManagerTest, ElementsAreDestroyedOnlyThroughTheirOwnKind) {
    const std::uint32_t windowsBefore = gui_->GetWindows().GetCount();
    GUIWindow* window = gui_->CreateWindow(kShown, Vector2(0, 0), Vector2(10, 10), nullptr, &plain_, nullptr);
    GUIButton* button = Button();
    GUICheckBox* checkBox = gui_->CreateCheckBox(kShown, Vector2(0, 0), Vector2(10, 10), nullptr, nullptr, window);
    Vantor::GUISlider* slider =
        gui_->CreateSlider(kShown, Vector2(0, 0), Vector2(100, 10), nullptr, nullptr, 0, Vector2(0, 0),
                           Vector2(90, 0), 10, window);
    Vantor::GUIScroll* scroll =
        gui_->CreateScroll(kShown, Vector2(0, 0), Vector2(10, 100), nullptr, nullptr, 1, Vector2(0, 0),
                           Vector2(0, 90), 10, nullptr);
    GUICursor* cursor = gui_->CreateCursor(nullptr, &plain_, 32.0f);
    EXPECT_EQ(gui_->GetWindows().GetCount(), windowsBefore + 1);
    EXPECT_EQ(gui_->GetButtons().GetCount(), 1u);
    EXPECT_EQ(gui_->GetCheckBoxes().GetCount(), 1u);
    EXPECT_EQ(gui_->GetSliders().GetCount(), 1u);
    EXPECT_EQ(gui_->GetScrolls().GetCount(), 1u);
    EXPECT_EQ(gui_->GetCursors().GetCount(), 2u) << "with the system cursor";

    // A button, a check box or a scroll bar is a window or a slider, yet lives in its
    // own registry only.
    gui_->DestroyWindow(button);
    gui_->DestroyButton(checkBox);
    gui_->DestroySlider(scroll);
    gui_->DestroyWindow(nullptr);
    EXPECT_EQ(gui_->GetButtons().GetCount(), 1u);
    EXPECT_EQ(gui_->GetCheckBoxes().GetCount(), 1u);
    EXPECT_EQ(gui_->GetScrolls().GetCount(), 1u);
    EXPECT_EQ(gui_->GetWindows().GetCount(), windowsBefore + 1);

    gui_->DestroyButton(button);
    gui_->DestroyButton(button);  // already gone: nothing happens
    gui_->DestroyCheckBox(checkBox);
    gui_->DestroySlider(slider);
    gui_->DestroyScroll(scroll);
    gui_->DestroyCursor(cursor);
    gui_->DestroyWindow(window);
    EXPECT_EQ(gui_->GetButtons().GetCount(), 0u);
    EXPECT_EQ(gui_->GetCheckBoxes().GetCount(), 0u);
    EXPECT_EQ(gui_->GetSliders().GetCount(), 0u);
    EXPECT_EQ(gui_->GetScrolls().GetCount(), 0u);
    EXPECT_EQ(gui_->GetCursors().GetCount(), 1u);
    EXPECT_EQ(gui_->GetWindows().GetCount(), windowsBefore);
}

TEST_F(GUIManagerTest, AFreedSlotIsReusedByTheNextElementOfItsKind) {
    GUIButton* first = Button();
    GUIButton* second = Button();
    GUIButton* third = Button();
    gui_->DestroyButton(second);
    gui_->CreateCheckBox(kShown, Vector2(0, 0), Vector2(10, 10), nullptr, nullptr, nullptr);
    GUIButton* next = Button();
    EXPECT_EQ(gui_->GetButtons().GetSlots(), (std::vector<GUIButton*>{first, next, third}));
}

TEST_F(GUIManagerTest, AreaWindowsAreHitInsideTheirCorners) {
    GUIWindow* area = gui_->CreateAreaWindow(Vector2(100, 100), Vector2(200, 150), nullptr);
    std::unique_ptr<Vantor::Model> box(Models().CreateBoxModel(Vantor::Vector3(300, 100, -1),
                                                               Vantor::Vector3(400, 150, 1), nullptr, camera_, 0));
    GUIWindow* fromModel = gui_->CreateAreaWindowFromModel(*box, nullptr);
    EXPECT_TRUE(area->IsVisible());
    EXPECT_EQ(area->GetModel(), nullptr);
    ExpectVector(Vector2(300, 100), fromModel->GetSelectionPosition());
    ExpectVector(Vector2(100, 50), fromModel->GetSelectionSize());

    MoveMouseTo(Vector2(150, 125));
    Frame();
    EXPECT_TRUE(area->IsHovered());
    EXPECT_FALSE(fromModel->IsHovered());
    MoveMouseTo(Vector2(350, 125));
    Frame();
    EXPECT_FALSE(area->IsHovered());
    EXPECT_TRUE(fromModel->IsHovered());
}

// ---- Routing the mouse ----------------------------------------------------------------

TEST_F(GUIManagerTest, OverlappingButtonsAreBothHoveredAndBothClick) {
    GUIButton* under = Button(Vector2(100, 100));
    GUIButton* over = Button(Vector2(150, 120));
    MoveMouseTo(Vector2(170, 130));
    PressAndRelease();
    Frame();
    EXPECT_TRUE(under->IsHovered());
    EXPECT_TRUE(over->IsHovered());
    EXPECT_TRUE(under->IsPressing());
    EXPECT_TRUE(over->IsPressing());
    BeginInputFrame();
    gui_->ProcessInput();
    EXPECT_TRUE(under->clicked);
    EXPECT_TRUE(over->clicked);
    EndInputFrame();
}

TEST_F(GUIManagerTest, OnlyListedElementsSeeTheMouseTheOthersSeeItFarAway) {
    GUIButton* listed = Button();
    GUIButton* other = Button();
    gui_->GetExclusiveInputList().push_back(listed);
    MoveMouseTo(Vector2(150, 120));
    PressAndRelease();
    Frame();
    EXPECT_TRUE(listed->IsHovered());
    EXPECT_TRUE(listed->IsPressing());
    EXPECT_FALSE(other->IsHovered());
    EXPECT_FALSE(other->IsPressing());
    ExpectVector(GUIManager::kFarAwayCursor, other->GetCursorPosition());
    ExpectVector(Vector2(150, 120), gui_->GetCursorPosition());

    // Clearing the list gives the mouse back to everyone.
    gui_->GetExclusiveInputList().clear();
    Frame();
    EXPECT_TRUE(other->IsHovered());
}

TEST_F(GUIManagerTest, ANullEntryBlocksEveryHoverAndClickButTypingStillReachesEditBoxes) {
    GUIButton* button = Button();
    GUIEditBox* box = EditBox();
    gui_->GetExclusiveInputList().push_back(nullptr);
    MoveMouseTo(Vector2(150, 120));
    PressAndRelease();
    platform::seam::InjectKeyDown('K');
    TypeText(L"k");
    platform::seam::InjectKeyUp('K');
    Frame();
    Frame();
    EXPECT_FALSE(button->IsHovered());
    EXPECT_FALSE(button->IsPressing());
    EXPECT_FALSE(button->clicked);
    EXPECT_EQ(box->GetText(), L"k");
}

TEST_F(GUIManagerTest, AnElementListedTwiceTakesTheInputTwice) {
    GUIEditBox* box = EditBox();
    gui_->GetExclusiveInputList() = {box, box};
    platform::seam::InjectKeyDown('K');
    TypeText(L"k");
    platform::seam::InjectKeyUp('K');
    Frame();
    EXPECT_EQ(box->GetText(), L"kk");
}

// Destroying a listed element leaves a null entry: the list still holds the mouse for
// the element that captured it, and no later element takes the capture over.
TEST_F(GUIManagerTest, ADestroyedListedElementLeavesANullEntryThatStillBlocks) {
    GUIButton* listed = Button();
    GUIButton* other = Button();
    gui_->GetExclusiveInputList() = {listed, other, listed};
    gui_->DestroyButton(listed);
    EXPECT_EQ(gui_->GetExclusiveInputList(), (std::vector<GUIWindow*>{nullptr, other, nullptr}));

    gui_->GetExclusiveInputList() = {nullptr};
    GUIButton* later = Button();
    MoveMouseTo(Vector2(150, 120));
    Frame();
    EXPECT_FALSE(later->IsHovered());
    EXPECT_FALSE(other->IsHovered());
    EXPECT_EQ(gui_->GetExclusiveInputList().size(), 1u);
}

// ---- Cursors and the update -----------------------------------------------------------

TEST_F(GUIManagerTest, ACursorFollowsTheMouseAndIsDrawnOnlyWhileVisible) {
    GUICursor* cursor = gui_->CreateCursor(nullptr, &plain_, 32.0f);
    ASSERT_NE(cursor->GetModel(), nullptr);
    EXPECT_FLOAT_EQ(cursor->GetModel()->GetDepth(), -400.1f);
    MoveMouseTo(Vector2(200, 300));
    Frame();
    ExpectVector(Vector2(200, 300), cursor->GetPosition());
    EXPECT_FALSE(cursor->GetModel()->GetFlags() & ModelFlags::kVisible);

    cursor->visible = true;
    MoveMouseTo(Vector2(400, 100));
    Frame();
    EXPECT_TRUE(cursor->GetModel()->GetFlags() & ModelFlags::kVisible);
    // The image hangs down and to the right of the hot spot.
    const Vantor::BoundingBox& box = cursor->GetModel()->GetBoundingBox();
    ExpectVector(Vector2(400, 68), Vector2(box.worldMin.x, box.worldMin.y));
    ExpectVector(Vector2(432, 100), Vector2(box.worldMax.x, box.worldMax.y));

    cursor->visible = false;
    MoveMouseTo(Vector2(10, 20));
    Frame();
    ExpectVector(Vector2(10, 20), cursor->GetPosition());
    EXPECT_FALSE(cursor->GetModel()->GetFlags() & ModelFlags::kVisible);
}

TEST_F(GUIManagerTest, UpdatePlacesEveryKindAndDropsFontInstancesNoLongerPrinted) {
    EditBox();
    // In front of the edit box, so that its text has a font instance of its own.
    GUIButton* button =
        gui_->CreateButton(kShown | GUIWindow::kFrontLayer, Vector2(300, 200), Vector2(100, 50), nullptr, &plain_,
                           nullptr);
    Vantor::GUISlider* slider = gui_->CreateSlider(kShown, Vector2(100, 400), Vector2(200, 20), nullptr, &plain_, 0,
                                                   Vector2(0, 0), Vector2(180, 0), 5, nullptr);
    button->PrintText(0, 0, Vector2(0, 0), Vantor::Color(1, 1, 1, 1), L"ab", 0.0f, -1.0f);
    Frame();
    const Vantor::BoundingBox& buttonBox = button->GetModel()->GetBoundingBox();
    ExpectVector(Vector2(300, 200), Vector2(buttonBox.worldMin.x, buttonBox.worldMin.y));
    ExpectVector(Vector2(400, 250), Vector2(buttonBox.worldMax.x, buttonBox.worldMax.y));
    const Vantor::BoundingBox& sliderBox = slider->GetModel()->GetBoundingBox();
    ExpectVector(Vector2(300, 420), Vector2(sliderBox.worldMax.x, sliderBox.worldMax.y));
    // The button's text and the edit box's caret, each at its window's depth.
    EXPECT_EQ(gui_->GetFontManager()->GetInstances().size(), 2u);

    Frame();
    EXPECT_EQ(gui_->GetFontManager()->GetInstances().size(), 1u) << "only the caret is printed again";
}

TEST_F(GUIManagerTest, TheManagerDeletesWhatIsLeftAndGivesBackCameraAndModels) {
    const std::size_t camerasWithoutGUI = Cameras().GetCameras().GetLiveCount() - 1;
    GUIWindow* parent = gui_->CreateWindow(kShown, Vector2(0, 0), Vector2(10, 10), nullptr, &plain_, nullptr);
    Button(Vector2(0, 0));
    gui_->CreateCheckBox(kShown, Vector2(0, 0), Vector2(10, 10), nullptr, &plain_, parent);
    EditBox();
    gui_->CreateSlider(kShown, Vector2(0, 0), Vector2(100, 10), nullptr, &plain_, 0, Vector2(0, 0), Vector2(90, 0),
                       10, parent);
    gui_->CreateScroll(kShown, Vector2(0, 0), Vector2(10, 100), nullptr, &plain_, 1, Vector2(0, 0), Vector2(0, 90),
                       10, parent);
    gui_->CreateCursor(nullptr, &plain_, 16.0f);
    gui_->GetExclusiveInputList().push_back(parent);
    Frame();
    EXPECT_GT(Models().GetModelCount(), 0u);

    gui_.reset();
    EXPECT_EQ(Models().GetModelCount(), 0u);
    EXPECT_EQ(Shaders().GetShaderUserCount(), 0u);
    EXPECT_EQ(Cameras().GetCameras().GetLiveCount(), camerasWithoutGUI);
}

}  // namespace
}  // namespace guitest
