// The font manager: fonts by id, one instance per window depth shared by the windows
// there and dropped after a frame without text, and texts placed in their window by
// their alignment.

#include <gtest/gtest.h>

#include <numbers>

#include "engine/gui/GUIFontManager.h"
#include "engine/gui/TextAlignment.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/gui/GUITestSupport.h"

namespace guitest {
namespace {

using Vantor::TextAlignment;

class GUIFontManagerTest : public GUITest {
protected:
    const std::vector<GUIFont*>& Instances() const { return fonts_->GetInstances(); }
};

// ---- Fonts and instances ---------------------------------------------------------------

TEST_F(GUIFontManagerTest, FontsAreKeptByIdUntilUnloaded) {
    GUIFont& font = LoadTestFont(3);
    EXPECT_EQ(fonts_->GetFont(3), &font);
    EXPECT_EQ(fonts_->GetFont(0), nullptr);
    fonts_->UnloadFont(0);  // no font there: nothing happens
    fonts_->UnloadFont(3);
    EXPECT_EQ(fonts_->GetFont(3), nullptr);
}

TEST_F(GUIFontManagerTest, LoadingUnderAnIdInUseReplacesTheFont) {
    const std::uint32_t models = Models().GetModelCount();
    LoadTestFont(0);
    GUIFont& second = LoadTestFont(0);
    EXPECT_EQ(fonts_->GetFont(0), &second);
    EXPECT_EQ(Models().GetModelCount(), models + 1) << "the first font is gone";
}

TEST_F(GUIFontManagerTest, SiblingsOfOneOrderShareAnInstanceHalfAStepInFront) {
    LoadTestFont();
    GUIWindow& parent = MakeWindow(GUIWindow::kShown | GUIWindow::kFrontLayer, {0, 0}, {800, 600});
    GUIWindow& first = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50}, &parent);
    GUIWindow& second = MakeWindow(GUIWindow::kShown, {0, 100}, {100, 50}, &parent);
    GUIWindow& other = MakeWindow(GUIWindow::kShown, {0, 200}, {100, 50}, &parent);
    other.SetOrder(2);

    first.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"AM", 0.0f, -1.0f);
    second.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"i", 0.0f, -1.0f);
    other.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"L", 0.0f, -1.0f);
    for (GUIWindow* window : {&parent, &first, &second, &other}) window->Update();

    ASSERT_EQ(Instances().size(), 2u);
    EXPECT_EQ(fonts_->GetFontInstance(0, first), fonts_->GetFontInstance(0, second));
    GUIFont& shared = *fonts_->GetFontInstance(0, first);
    EXPECT_EQ(shared.GetBatchCount(), 3u) << "both texts in one batch";
    EXPECT_NEAR(shared.GetDepth(), -250.01f - 0.005f, 1e-5f);
    EXPECT_NEAR(fonts_->GetFontInstance(0, other)->GetDepth(), -250.02f - 0.005f, 1e-5f);
    EXPECT_EQ(shared.GetSource(), fonts_->GetFont(0));
}

TEST_F(GUIFontManagerTest, AWindowPrintingEveryOtherFrameGetsANewInstanceEachTime) {
    LoadTestFont();
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50});
    const std::uint32_t models = Models().GetModelCount();
    for (int frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE(frame);
        const bool prints = frame % 2 == 0;
        if (prints) window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"A", 0.0f, -1.0f);
        UpdateGUI();
        EXPECT_EQ(Instances().size(), prints ? 1u : 0u);
        EXPECT_EQ(Models().GetModelCount(), models + (prints ? 1 : 0));
    }
}

TEST_F(GUIFontManagerTest, UnloadingAFontDeletesItsInstances) {
    LoadTestFont(0);
    LoadTestFont(1);
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50});
    window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"A", 0.0f, -1.0f);
    window.PrintText(0, 1, {0, 0}, {1, 1, 1, 1}, L"A", 0.0f, -1.0f);
    window.Update();
    ASSERT_EQ(Instances().size(), 2u);
    const GUIFont* kept = fonts_->GetFontInstance(1, window);

    fonts_->UnloadFont(0);
    ASSERT_EQ(Instances().size(), 1u);
    EXPECT_EQ(Instances()[0], kept);
    // A font loaded again under the id gets instances of its own.
    GUIFont& reloaded = LoadTestFont(0);
    EXPECT_EQ(fonts_->GetFontInstance(0, window)->GetSource(), &reloaded);
}

TEST_F(GUIFontManagerTest, TheEndOfAFrameClosesEveryBatch) {
    GUIFont& font = LoadTestFont();
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50});
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"A");
    window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"AA", 0.0f, -1.0f);
    UpdateGUI();
    EXPECT_EQ(font.GetBatchCount(), 0u);
    ASSERT_EQ(Instances().size(), 1u);
    EXPECT_EQ(Instances()[0]->GetBatchCount(), 0u);
    EXPECT_FALSE(Instances()[0]->GetModel()->GetVertexBuffer()->IsLocked());
}

TEST_F(GUIFontManagerTest, AnIdWithoutAFontDrawsNothing) {
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {10, 10}, {100, 50});
    EXPECT_EQ(fonts_->GetFontInstance(5, window), nullptr);
    ExpectVector({0, 0}, fonts_->PlaceText(0, 5, window, {3, 4}, 0.0f, L"A"));
    window.PrintText(0, 5, {0, 0}, {1, 1, 1, 1}, L"A", 0.0f, 30.0f);
    window.Update();
    EXPECT_TRUE(Instances().empty());
}

TEST_F(GUIFontManagerTest, AHiddenWindowDrawsNothing) {
    LoadTestFont();
    GUIWindow& window = MakeWindow(0, {10, 10}, {100, 50});
    fonts_->DrawText(0, 0, 0.0f, window, {0, 0}, {1, 1, 1, 1}, L"A");
    EXPECT_TRUE(Instances().empty());
}

TEST_F(GUIFontManagerTest, DestroyingTheManagerReleasesEveryBatchModel) {
    const std::uint32_t models = Models().GetModelCount();
    LoadTestFont();
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50});
    fonts_->DrawText(0, 0, 0.0f, window, {0, 0}, {1, 1, 1, 1}, L"A");
    DestroyWindow(window);
    EXPECT_EQ(Models().GetModelCount(), models + 2);
    fonts_.reset();
    EXPECT_EQ(Models().GetModelCount(), models);
}

// ---- Placing texts ---------------------------------------------------------------------

// The test font at size 20: "AAAA" measures (80, 20).
class TextPlacementTest : public GUIFontManagerTest {
protected:
    void SetUp() override {
        GUIFontManagerTest::SetUp();
        LoadTestFont(0, 20.0f);
        parent_ = &MakeWindow(GUIWindow::kShown, {100, 50}, {600, 500});
        window_ = &MakeWindow(GUIWindow::kShown, {20, 30}, {200, 50}, parent_);
    }

    Vector2 Place(int alignment, const Vector2& position, float angle = 0.0f) {
        return fonts_->PlaceText(alignment, 0, *window_, position, angle, L"AAAA");
    }

    GUIWindow* parent_ = nullptr;
    GUIWindow* window_ = nullptr;
    const Vector2 origin_{120, 80};
};

TEST_F(TextPlacementTest, AlignmentsPlaceTheExtentInTheWindow) {
    struct Case {
        int alignment;
        Vector2 offset;
    };
    const Case cases[] = {
        {0, {7, 9}},  // at the position
        {TextAlignment::kCentreHorizontally | TextAlignment::kTop, {60, 30}},
        {TextAlignment::kCentreHorizontally | TextAlignment::kCentreVertically, {60, 15}},
        {TextAlignment::kLeft | TextAlignment::kBottom, {0, 0}},
        {TextAlignment::kRight, {120, 9}},  // y from the position
        {TextAlignment::kTop, {7, 30}},     // x from the position
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        ExpectVector(origin_ + c.offset, Place(c.alignment, {7, 9}));
    }
}

TEST_F(TextPlacementTest, TextTurnedByPiStartsAtTheRightEndOfItsExtent) {
    // Running leftwards and downwards, the text still covers the box from its left edge.
    const float pi = std::numbers::pi_v<float>;
    const Vector2 start = Place(TextAlignment::kLeft, {0, 0}, pi);
    EXPECT_NEAR(start.x, origin_.x + 80.0f, 1e-3f);
    const Vector2 bottom = Place(TextAlignment::kBottom, {0, 0}, pi + 0.1f);
    Vector2 extent;
    fonts_->GetFont(0)->MeasureText(extent, L"AAAA", pi + 0.1f, -1.0f);
    EXPECT_NEAR(bottom.y, origin_.y + extent.y, 1e-3f) << "a downward text starts at the top of its extent";
}

TEST_F(TextPlacementTest, TheTextAreaReplacesTheWindowRectangle) {
    window_->SetTextAreaOn(true);
    window_->SetTextAreaPosition({10, 5});
    window_->SetTextAreaSize({100, 40});
    ExpectVector(origin_ + Vector2(10 + 10, 5 + 20),
                 Place(TextAlignment::kCentreHorizontally | TextAlignment::kTop, {0, 0}));
    ExpectVector(origin_ + Vector2(10 + 3, 5 + 4), Place(0, {3, 4}));
}

TEST_F(TextPlacementTest, APrintIsDrawnWhereItIsPlaced) {
    window_->PrintText(TextAlignment::kCentreHorizontally | TextAlignment::kTop, 0, {0, 0}, {1, 1, 1, 1}, L"AAAA", 0.0f,
                       -1.0f);
    window_->Update();
    const GUIFont& instance = *fonts_->GetFontInstance(0, *window_);
    const auto* vertices =
        reinterpret_cast<const Vantor::ColouredVertex*>(instance.GetModel()->GetVertexBuffer()->GetData());
    // Bottom-left corner of the first character.
    EXPECT_FLOAT_EQ(vertices[1].position[0], origin_.x + 60);
    EXPECT_FLOAT_EQ(vertices[1].position[1], origin_.y + 30);
}

}  // namespace
}  // namespace guitest
