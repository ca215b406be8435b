// Sliders and scroll bars: the thumb drag to the nearest step, inversion, the held
// arrows stepping on the frame clock, enabling, the owned parts and the track's frames.

#include <gtest/gtest.h>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderStage.h"
#include "engine/render/ShaderUser.h"
#include "tests/engine/gui/GUIElementTestSupport.h"

namespace guitest {
namespace {

using Vantor::GUIScroll;
using Vantor::GUISlider;

// One frame at 60 frames per second on the virtual clock.
constexpr std::uint64_t kSixtiethSecond = 16667;
// Over the increase arrow, and over the decrease arrow, of MakeScroll's bars.
const Vector2 kOverIncrease{210, 10};
const Vector2 kOverDecrease{240, 10};

class GUISliderTest : public GUIElementTest {
protected:
    // A horizontal track with the thumb's travel from x 10 to x 110 and a 20-unit
    // thumb, at the origin unless placed elsewhere.
    template <class Element = GUISlider>
    Element& MakeTrack(std::uint32_t steps, const Vector2& position = {0, 0},
                       const Vantor::ShaderDescriptor* shader = nullptr) {
        Element& track = Make<Element>(GUIWindow::kShown, position, Vector2(130, 20), nullptr, shader, 0,
                                       Vector2(10, 0), Vector2(110, 0), steps, nullptr);
        track.SetThumbSize(Vector2(20, 20));
        return track;
    }

    // A scroll bar with its arrows at x 200 (increase) and x 230 (decrease).
    GUIScroll& MakeScroll(std::uint32_t steps) {
        GUIScroll& scroll = MakeTrack<GUIScroll>(steps);
        scroll.CreateIncreaseButton(Vector2(200, 0), Vector2(20, 20), nullptr, nullptr);
        scroll.CreateDecreaseButton(Vector2(230, 0), Vector2(20, 20), nullptr, nullptr);
        return scroll;
    }

    // Drags the thumb from its middle to the x.
    static void Drag(GUISlider& slider, float x) {
        slider.HandleInput(Vector2(60, 10), true, true);
        slider.HandleInput(Vector2(x, 10), true, false);
    }

    // The arrow under the cursor held for that many frames at 60 per second.
    void Hold(GUIScroll& scroll, const Vector2& cursor, int frames) {
        for (int frame = 0; frame < frames; ++frame) {
            AdvanceClock(kSixtiethSecond);
            scroll.HandleInput(cursor, true, frame == 0);
        }
    }

    const Vantor::ShaderDescriptor plain_;
};

// ---- The thumb drag ----------------------------------------------------------------

TEST_F(GUISliderTest, TheDraggedThumbPicksTheNearestStepWithHalvesRoundingUp) {
    struct Case {
        float x;
        bool inverted;
        std::uint32_t value;
    };
    const Case cases[] = {{70.0f, false, 2}, {72.5f, false, 2}, {82.5f, false, 3}, {-50.0f, false, 0},
                          {20.0f, false, 0}, {500.0f, false, 4}, {500.0f, true, 0}, {-50.0f, true, 4},
                          {90.0f, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << (c.inverted ? " inverted" : ""));
        GUISlider& slider = MakeTrack(5);
        slider.inverted = c.inverted;
        Drag(slider, c.x);
        EXPECT_EQ(slider.GetValue(), c.value);
        EXPECT_TRUE(slider.IsDragging());
    }
}

TEST_F(GUISliderTest, ThePlacedSliderTakesItsOriginIntoTheDrag) {
    GUISlider& slider = MakeTrack(5, Vector2(100, 0));
    slider.HandleInput(Vector2(160, 10), true, true);
    slider.HandleInput(Vector2(182.5f, 10), true, false);
    EXPECT_EQ(slider.GetValue(), 3u);
}

TEST_F(GUISliderTest, AVerticalSliderDragsAlongY) {
    GUISlider& slider = Make<GUISlider>(GUIWindow::kShown, Vector2(0, 0), Vector2(20, 130), nullptr, nullptr, 1,
                                        Vector2(0, 10), Vector2(0, 110), 5u, nullptr);
    slider.SetThumbSize(Vector2(20, 20));
    slider.HandleInput(Vector2(10, 60), true, true);
    slider.HandleInput(Vector2(10, 82.5f), true, false);
    EXPECT_EQ(slider.GetValue(), 3u);
}

TEST_F(GUISliderTest, ReleasingTheThumbEndsTheDrag) {
    GUISlider& slider = MakeTrack(5);
    Drag(slider, 70.0f);
    slider.HandleInput(Vector2(70, 10), false, false);
    EXPECT_FALSE(slider.IsDragging());
    slider.HandleInput(Vector2(110, 10), false, false);
    EXPECT_EQ(slider.GetValue(), 2u);
}

// ---- Values and steps --------------------------------------------------------------

TEST_F(GUISliderTest, ValuesAndStepCountsStayInRange) {
    GUISlider& slider = MakeTrack(0);
    EXPECT_EQ(slider.GetStepCount(), 2u);
    slider.SetStepCount(10);
    slider.SetValue(99);
    EXPECT_EQ(slider.GetValue(), 9u);
    slider.SetStepCount(10);
    EXPECT_EQ(slider.GetValue(), 9u) << "the same count changes nothing";
    slider.SetStepCount(4);
    EXPECT_EQ(slider.GetValue(), 3u);
    slider.SetStepCount(1);
    EXPECT_EQ(slider.GetStepCount(), 2u);
    EXPECT_EQ(slider.GetValue(), 1u);
}

// ---- Arrows ------------------------------------------------------------------------

TEST_F(GUISliderTest, AnArrowHeldForOneSecondStepsSevenTimes) {
    GUIScroll& scroll = MakeScroll(20);
    Hold(scroll, kOverIncrease, 1);
    EXPECT_EQ(scroll.GetValue(), 1u) << "the first step comes at once";
    Hold(scroll, kOverIncrease, 59);
    EXPECT_EQ(scroll.GetValue(), 7u);
    EXPECT_TRUE(scroll.IsDragging());
}

TEST_F(GUISliderTest, HeldArrowsStopAtTheEnds) {
    GUIScroll& scroll = MakeScroll(3);
    Hold(scroll, kOverIncrease, 60);
    EXPECT_EQ(scroll.GetValue(), 2u);
    scroll.HandleInput(kOverIncrease, false, false);
    Hold(scroll, kOverDecrease, 60);
    EXPECT_EQ(scroll.GetValue(), 0u);
}

TEST_F(GUISliderTest, InvertedArrowsSwapRoles) {
    GUIScroll& scroll = MakeScroll(20);
    scroll.inverted = true;
    scroll.SetValue(5);
    Hold(scroll, kOverIncrease, 1);
    EXPECT_EQ(scroll.GetValue(), 4u);
}

TEST_F(GUISliderTest, LeavingTheArrowPausesTheRepeatAndResetsItsTimer) {
    GUIScroll& scroll = MakeScroll(20);
    Hold(scroll, kOverIncrease, 5);
    EXPECT_NE(scroll.GetRepeatTimer(), 0.0f);
    AdvanceClock(kSixtiethSecond);
    scroll.HandleInput(Vector2(500, 500), true, false);
    EXPECT_EQ(scroll.GetRepeatTimer(), 0.0f);
    AdvanceClock(kSixtiethSecond);
    scroll.HandleInput(kOverIncrease, true, false);
    EXPECT_EQ(scroll.GetValue(), 2u) << "back over the arrow, the next step comes at once";
}

// ---- Enabling ----------------------------------------------------------------------

TEST_F(GUISliderTest, ADisabledScrollBarIgnoresThumbAndArrowsAndResetsItsTimer) {
    GUIScroll& scroll = MakeScroll(20);
    Hold(scroll, kOverIncrease, 5);
    scroll.SetEnabled(false);
    EXPECT_EQ(scroll.GetState(), GUISlider::kDisabled);
    EXPECT_FALSE(scroll.HandleInput(kOverIncrease, true, false));
    EXPECT_EQ(scroll.GetRepeatTimer(), 0.0f);
    Hold(scroll, kOverIncrease, 30);
    Drag(scroll, 110.0f);
    EXPECT_EQ(scroll.GetValue(), 1u);
    scroll.SetEnabled(true);
    EXPECT_EQ(scroll.GetState(), GUISlider::kNormal);
    EXPECT_EQ(scroll.GetIncreaseButton()->state, Vantor::GUIButton::kNormal);
}

TEST_F(GUISliderTest, TheStateFollowsTheHover) {
    GUISlider& slider = MakeTrack(5);
    slider.HandleInput(Vector2(5, 10), false, false);
    EXPECT_EQ(slider.GetState(), GUISlider::kHovered);
    slider.HandleInput(Vector2(500, 10), false, false);
    EXPECT_EQ(slider.GetState(), GUISlider::kNormal);
}

// ---- Parts and drawing -------------------------------------------------------------

TEST_F(GUISliderTest, PartsOfASliderWithoutModelOrShaderUseItsCamera) {
    GUIScroll& scroll = MakeScroll(5);
    ASSERT_EQ(scroll.GetModel(), nullptr);
    scroll.CreateThumb(Vector2(20, 20), nullptr, &plain_);
    scroll.CreateIncreaseButton(Vector2(200, 0), Vector2(20, 20), nullptr, &plain_);
    EXPECT_EQ(scroll.GetThumb()->GetModel()->GetCamera(), camera_);
    EXPECT_EQ(scroll.GetIncreaseButton()->GetModel()->GetCamera(), camera_);
}

TEST_F(GUISliderTest, PartsAreOwnedChildrenWithTheirOwnSoundsAndTheThumbInFront) {
    GUIScroll& scroll = MakeScroll(5);
    EXPECT_EQ(scroll.GetChildren().size(), 3u);
    EXPECT_EQ(scroll.GetThumb()->GetParent(), &scroll);
    EXPECT_EQ(scroll.GetThumb()->GetOrder(), 2);
    EXPECT_EQ(scroll.GetIncreaseButton()->GetOrder(), 1);
    EXPECT_EQ(scroll.GetThumb()->clickSound, "gui_default_scroll_toddler_click");
    EXPECT_EQ(scroll.GetDecreaseButton()->selectSound, "gui_default_scroll_navigation_select");
    EXPECT_EQ(MakeTrack(5).GetThumb()->selectSound, "gui_default_slider_toddler_select");
    RegisterSound("gui_default_scroll_navigation_click");
    Hold(scroll, kOverDecrease, 1);
    EXPECT_EQ(Plays("gui_default_scroll_navigation_click"), 1u);
}

TEST_F(GUISliderTest, TheThumbModelIsDrawnAtTheValuesPlace) {
    GUISlider& slider = MakeTrack(5, Vector2(100, 50), &plain_);
    slider.CreateThumb(Vector2(20, 10), nullptr, &plain_);
    slider.SetValue(2);
    UpdateGUI();
    const Vantor::BoundingBox& box = slider.GetThumb()->GetModel()->GetBoundingBox();
    ExpectVector(Vector2(160, 50), Vector2(box.worldMin.x, box.worldMin.y));
    ExpectVector(Vector2(10, 5), Vector2(box.halfExtents.x, box.halfExtents.y));
    slider.inverted = true;
    slider.SetValue(1);
    UpdateGUI();
    EXPECT_NEAR(slider.GetThumb()->GetModel()->GetBoundingBox().worldMin.x, 185.0f, 1e-3f);
}

TEST_F(GUISliderTest, ColourAndAlphaReachEveryPart) {
    GUIScroll& scroll = MakeScroll(5);
    scroll.CreateThumb(Vector2(20, 20), nullptr, &plain_);
    scroll.CreateDecreaseButton(Vector2(230, 0), Vector2(20, 20), nullptr, &plain_);
    scroll.SetColor(Vantor::Color(1, 0, 0, 1));
    scroll.SetAlpha(0.25f);
    for (const Vantor::GUIButton* part : {scroll.GetThumb(), scroll.GetDecreaseButton()}) {
        EXPECT_EQ(part->GetColor().y, 0.0f);
        EXPECT_NEAR(part->GetAlpha(), 0.25f, 1.0f / 255.0f);
    }
}

TEST_F(GUISliderTest, TheTrackShowsAFramePerState) {
    const Vantor::ShaderDescriptor sheet(true, false, Vantor::ShaderStage::kGridSheet, 3, 1, 3, 0.0f, "ui/track",
                                         true);
    GUISlider& slider = MakeTrack(5, Vector2(0, 0), &sheet);
    Vantor::AnimationControl& track = *slider.GetShaderUser()->GetAnimationControl(0);
    slider.HandleInput(Vector2(5, 10), false, false);
    UpdateGUI();
    EXPECT_EQ(track.GetPosition(), 1.0f);
    slider.SetEnabled(false);
    UpdateGUI();
    EXPECT_EQ(track.GetPosition(), 2.0f);
}

}  // namespace
}  // namespace guitest
