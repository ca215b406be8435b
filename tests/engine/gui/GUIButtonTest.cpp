// Buttons and check boxes: the click from a press begun over the button to its release
// over it, the states and image frames, enabling, and the select and click sounds.

#include <gtest/gtest.h>

#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/ShaderStage.h"
#include "tests/engine/gui/GUIElementTestSupport.h"

namespace guitest {
namespace {

using Vantor::GUIButton;
using Vantor::GUICheckBox;

const Vector2 kOver{50, 50};
const Vector2 kOutside{500, 500};
// Where the GUI manager puts the cursor of elements that do not hold exclusive input.
const Vector2 kFarAway{-123456, 123456};

class GUIButtonTest : public GUIElementTest {
protected:
    void SetUp() override {
        GUIElementTest::SetUp();
        for (const char* name : {"gui_default_button_select", "gui_default_button_click",
                                 "gui_default_check_box_select", "gui_default_check_box_click"})
            RegisterSound(name);
    }

    // A shown button over (0, 0)..(100, 100), first seen with the cursor away from it.
    template <class Element = GUIButton>
    Element& MakeButton(const Vantor::ShaderDescriptor* shader = nullptr) {
        Element& button = Make<Element>(GUIWindow::kShown, Vector2(0, 0), Vector2(100, 100), nullptr, shader, nullptr);
        button.HandleInput(kOutside, false, false);
        return button;
    }

    // A click: press and release over the button in one pass, then the cursor stays.
    static void Click(GUIButton& button) {
        button.HandleInput(kOver, false, true);
        button.HandleInput(kOver, false, false);
    }

    const Vantor::ShaderDescriptor plain_;
};

// ---- Clicks and states ---------------------------------------------------------------

TEST_F(GUIButtonTest, APressReleasedWithinOnePassClicksForThatPassOnly) {
    GUIButton& button = MakeButton();
    EXPECT_TRUE(button.HandleInput(kOver, false, true));
    EXPECT_TRUE(button.clicked);
    EXPECT_EQ(button.state, GUIButton::kHovered);
    EXPECT_EQ(Plays("gui_default_button_click"), 1u);
    button.HandleInput(kOver, false, false);
    EXPECT_FALSE(button.clicked);
}

TEST_F(GUIButtonTest, PressLeaveReturnReleaseShowsEachStateAndClicksOnce) {
    GUIButton& button = MakeButton();
    struct Pass {
        Vector2 cursor;
        bool held, pressed;
        int state;
        bool clicked;
    };
    const Pass passes[] = {{kOver, true, true, GUIButton::kPressed, false},
                           {kOutside, true, false, GUIButton::kNormal, false},
                           {kOver, true, false, GUIButton::kPressed, false},
                           {kOver, false, false, GUIButton::kHovered, true},
                           {kOver, false, false, GUIButton::kHovered, false}};
    for (const Pass& pass : passes) {
        button.HandleInput(pass.cursor, pass.held, pass.pressed);
        EXPECT_EQ(button.state, pass.state);
        EXPECT_EQ(button.clicked, pass.clicked);
    }
    EXPECT_EQ(Plays("gui_default_button_click"), 1u) << "the click sound belongs to the press";
}

TEST_F(GUIButtonTest, APressBegunOutsideAndReleasedOverTheButtonNeitherClicksNorSoundsAClick) {
    GUIButton& button = MakeButton();
    button.HandleInput(kOutside, true, true);
    button.HandleInput(kOver, true, false);
    EXPECT_EQ(button.state, GUIButton::kHovered);
    button.HandleInput(kOver, false, false);
    EXPECT_FALSE(button.clicked);
    EXPECT_EQ(Plays("gui_default_button_click"), 0u);
}

TEST_F(GUIButtonTest, ReleasingOutsideCancelsThePress) {
    GUIButton& button = MakeButton();
    button.HandleInput(kOver, true, true);
    button.HandleInput(kOutside, false, false);
    EXPECT_FALSE(button.clicked);
    EXPECT_FALSE(button.IsPressing());
    button.HandleInput(kOver, false, false);
    EXPECT_FALSE(button.clicked);
}

TEST_F(GUIButtonTest, APressInProgressEndsWithoutAClickWhenInputGoesElsewhere) {
    GUIButton& button = MakeButton();
    button.HandleInput(kOver, true, true);
    button.HandleInput(kFarAway, false, false);
    EXPECT_FALSE(button.clicked);
    EXPECT_FALSE(button.IsPressing());
    EXPECT_EQ(button.state, GUIButton::kNormal);
    EXPECT_FALSE(button.IsHovered());
}

TEST_F(GUIButtonTest, AHiddenButtonTakesNoInput) {
    GUIButton& button = MakeButton();
    button.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(button.HandleInput(kOver, false, true));
    EXPECT_FALSE(button.clicked);
    EXPECT_EQ(Plays("gui_default_button_click"), 0u);
}

// ---- Enabling ----------------------------------------------------------------------

TEST_F(GUIButtonTest, ADisabledButtonUnderTheCursorStaysSilentAndNeverClicks) {
    GUIButton& button = MakeButton();
    button.SetEnabled(false);
    for (bool pressed : {true, false}) {
        EXPECT_FALSE(button.HandleInput(kOver, pressed, pressed));
        EXPECT_FALSE(button.HandleInput(kOver, false, false));
        EXPECT_EQ(button.state, GUIButton::kDisabled);
        EXPECT_FALSE(button.clicked);
        EXPECT_TRUE(button.IsHovered()) << "the window's own test still runs";
    }
    EXPECT_EQ(Plays("gui_default_button_select") + Plays("gui_default_button_click"), 0u);
    button.SetEnabled(true);
    EXPECT_EQ(button.state, GUIButton::kNormal);
}

TEST_F(GUIButtonTest, EnablingAnEnabledButtonKeepsItsState) {
    GUIButton& button = MakeButton();
    button.HandleInput(kOver, true, true);
    button.SetEnabled(true);
    EXPECT_EQ(button.state, GUIButton::kPressed);
}

TEST_F(GUIButtonTest, AButtonComingIntoViewShowsItsNormalStateUnlessDisabled) {
    GUIButton& button = MakeButton();
    button.HandleInput(kOver, false, false);
    button.ClearFlags(GUIWindow::kShown);
    button.SetFlags(GUIWindow::kShown);
    EXPECT_EQ(button.state, GUIButton::kNormal);
    button.SetEnabled(false);
    button.ClearFlags(GUIWindow::kShown);
    button.SetFlags(GUIWindow::kShown);
    EXPECT_EQ(button.state, GUIButton::kDisabled);
}

// ---- Select sound ------------------------------------------------------------------

TEST_F(GUIButtonTest, TheSelectSoundPlaysWhenTheHoverStarts) {
    GUIButton& button = MakeButton();
    button.HandleInput(kOver, false, false);
    button.HandleInput(kOver, false, false);
    EXPECT_EQ(Plays("gui_default_button_select"), 1u);
    button.HandleInput(kOutside, false, false);
    button.HandleInput(kOver, false, false);
    EXPECT_EQ(Plays("gui_default_button_select"), 2u);
}

TEST_F(GUIButtonTest, AButtonMadeUnderTheCursorIsSilentUntilTheCursorLeftItOnce) {
    GUIButton& button = Make<GUIButton>(GUIWindow::kShown, Vector2(0, 0), Vector2(100, 100), nullptr, nullptr, nullptr);
    button.HandleInput(kOver, false, false);
    EXPECT_EQ(button.state, GUIButton::kHovered);
    EXPECT_EQ(Plays("gui_default_button_select"), 0u);
    button.HandleInput(kOutside, false, false);
    button.HandleInput(kOver, false, false);
    EXPECT_EQ(Plays("gui_default_button_select"), 1u);
}

// ---- Check boxes -------------------------------------------------------------------

TEST_F(GUIButtonTest, EachClickTurnsACheckBoxOver) {
    auto& box = MakeButton<GUICheckBox>();
    std::vector<bool> seen;
    for (int i = 0; i < 4; ++i) {
        Click(box);
        seen.push_back(box.checked);
    }
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Plays("gui_default_check_box_click"), 4u);
    EXPECT_EQ(Plays("gui_default_button_click"), 0u);
}

TEST_F(GUIButtonTest, FramesFollowStateAndCheckedFlag) {
    GUIButton& button = MakeButton();
    auto& box = MakeButton<GUICheckBox>();
    struct Case {
        int state;
        bool checked;
        std::uint32_t buttonFrame, boxFrame;
    };
    const Case cases[] = {{0, false, 0, 0}, {1, false, 1, 1}, {2, false, 2, 2}, {3, false, 3, 6},
                          {0, true, 0, 3},  {1, true, 1, 4},  {2, true, 2, 5},  {3, true, 3, 7},
                          {7, false, 0, 0}, {-1, true, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.state << " " << c.checked);
        button.state = box.state = c.state;
        box.checked = c.checked;
        EXPECT_EQ(button.GetFrameIndex(), c.buttonFrame);
        EXPECT_EQ(box.GetFrameIndex(), c.boxFrame);
    }
}

TEST_F(GUIButtonTest, DisablingACheckBoxShowsItsDisabledFrame) {
    auto& box = MakeButton<GUICheckBox>();
    box.HandleInput(kOver, false, false);
    EXPECT_EQ(box.GetFrameIndex(), 1u);
    box.SetEnabled(false);
    EXPECT_EQ(box.GetFrameIndex(), 6u);
    box.checked = true;
    EXPECT_EQ(box.GetFrameIndex(), 7u);
}

// ---- Image frames ------------------------------------------------------------------

TEST_F(GUIButtonTest, TheUpdateShowsTheStatesFrameOnAnAnimatedStage) {
    const Vantor::ShaderDescriptor sheet(true, false, Vantor::ShaderStage::kGridSheet, 4, 1, 4, 0.0f, "ui/button",
                                         true);
    GUIButton& button = MakeButton(&sheet);
    Vantor::AnimationControl& stage = *button.GetShaderUser()->GetAnimationControl(0);
    button.HandleInput(kOver, true, true);
    UpdateGUI();
    EXPECT_EQ(stage.GetPosition(), 2.0f);
    button.SetEnabled(false);
    UpdateGUI();
    EXPECT_EQ(stage.GetPosition(), 3.0f);
}

TEST_F(GUIButtonTest, ASingleFrameImageIsLeftAlone) {
    GUIButton& button = MakeButton(&plain_);
    button.HandleInput(kOver, false, false);
    UpdateGUI();
    EXPECT_EQ(button.GetModel()->GetAnimationControl()->GetPosition(), 0.0f);
}

}  // namespace
}  // namespace guitest
