// The GUI window element: flags and visibility, depths by layer, parent and order, the
// two hit tests, the model it draws through and the texts it queues.

#include <gtest/gtest.h>

#include <numbers>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/gui/GUITestSupport.h"

namespace guitest {
namespace {

using Vantor::ModelFlags;

class GUIWindowTest : public GUITest {
protected:
    static bool ModelDrawn(const GUIWindow& window) {
        return (window.GetModel()->GetFlags() & ModelFlags::kVisible) != 0;
    }
    static bool HoveredAt(GUIWindow& window, const Vector2& cursor) {
        window.HandleInput(cursor, false, false);
        return window.IsHovered();
    }

    const Vantor::ShaderDescriptor plain_;
};

// ---- Flags, visibility and depth -----------------------------------------------------

TEST_F(GUIWindowTest, RootWindowsLieAtTheDepthOfTheirFirstLayer) {
    struct Case {
        std::uint32_t flags;
        float depth;
    };
    const Case cases[] = {{0, -175.0f},    {GUIWindow::kShown, -175.0f}, {0x4, -100.0f},        {0x8, -250.0f},
                          {0x10, -400.0f}, {0x4 | 0x8, -100.0f},         {0x8 | 0x10, -250.0f}, {0x40, -175.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        GUIWindow& window = MakeWindow(c.flags, {0, 0}, {10, 10}, nullptr, &plain_);
        EXPECT_EQ(window.GetDepth(), c.depth);
        EXPECT_EQ(window.GetModel()->GetDepth(), c.depth);
        EXPECT_EQ(window.GetFlags(), c.flags);
        EXPECT_EQ(window.GetOrder(), 1);
    }
}

TEST_F(GUIWindowTest, SetFlagsWithABitAlreadySetDoesNothing) {
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10});
    window.SetFlags(GUIWindow::kShown | GUIWindow::kBackLayer);
    EXPECT_EQ(window.GetFlags(), GUIWindow::kShown);
    EXPECT_EQ(window.GetDepth(), -175.0f);
    window.SetFlags(GUIWindow::kBackLayer);
    EXPECT_EQ(window.GetDepth(), -100.0f);
}

TEST_F(GUIWindowTest, ClearingALayerPutsTheWindowAtTheMiddleDepth) {
    GUIWindow& window = MakeWindow(GUIWindow::kBackLayer | GUIWindow::kTopLayer, {0, 0}, {10, 10});
    window.ClearFlags(GUIWindow::kFrontLayer);  // not set: nothing
    EXPECT_EQ(window.GetDepth(), -100.0f);
    window.ClearFlags(GUIWindow::kBackLayer);
    EXPECT_EQ(window.GetFlags(), GUIWindow::kTopLayer);
    EXPECT_EQ(window.GetDepth(), -175.0f) << "whatever layer flags remain";
}

TEST_F(GUIWindowTest, TheModelIsDrawnWhileTheWindowAndItsAncestorsAreShown) {
    GUIWindow& parent = MakeWindow(0, {0, 0}, {10, 10}, nullptr, &plain_);
    GUIWindow& child = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10}, &parent, &plain_);
    EXPECT_FALSE(child.IsVisible());
    EXPECT_FALSE(ModelDrawn(child));
    parent.SetFlags(GUIWindow::kShown);
    EXPECT_TRUE(child.IsVisible());
    EXPECT_TRUE(ModelDrawn(child));
    EXPECT_TRUE(ModelDrawn(parent));
    parent.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(child.IsVisible());
    EXPECT_FALSE(ModelDrawn(child));
}

TEST_F(GUIWindowTest, AChildFollowsItsParentsDepthByItsOrderAndTheSubtreeFollows) {
    GUIWindow& root = MakeWindow(GUIWindow::kFrontLayer, {0, 0}, {10, 10});
    GUIWindow& parent = MakeWindow(0, {0, 0}, {10, 10}, &root);
    GUIWindow& child = MakeWindow(0, {0, 0}, {10, 10}, &parent, &plain_);
    GUIWindow& grandchild = MakeWindow(0, {0, 0}, {10, 10}, &child);
    child.SetOrder(3);
    EXPECT_NEAR(parent.GetDepth(), -250.01f, 1e-4f);
    EXPECT_NEAR(child.GetDepth(), -250.04f, 1e-4f);
    EXPECT_EQ(child.GetModel()->GetDepth(), child.GetDepth());
    EXPECT_NEAR(grandchild.GetDepth(), -250.05f, 1e-4f);

    // The parent's depth moves through its own parent: the whole subtree follows.
    parent.SetOrder(0);
    EXPECT_NEAR(parent.GetDepth(), -250.0f, 1e-4f);
    EXPECT_NEAR(child.GetDepth(), -250.03f, 1e-4f);
    EXPECT_NEAR(grandchild.GetDepth(), -250.04f, 1e-4f);
    EXPECT_EQ(root.GetDepth(), -250.0f) << "a root keeps its layer depth";
}

TEST_F(GUIWindowTest, AChildMadeWithALayerFlagLosesIt) {
    GUIWindow& parent = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10});
    GUIWindow& child = MakeWindow(GUIWindow::kShown | GUIWindow::kTopLayer, {0, 0}, {10, 10}, &parent);
    EXPECT_EQ(child.GetFlags(), GUIWindow::kShown);
    EXPECT_NEAR(child.GetDepth(), -175.01f, 1e-4f);
    EXPECT_EQ(parent.GetChildren(), std::vector<GUIWindow*>{&child});
}

TEST_F(GUIWindowTest, ChildrenOfADestroyedParentBecomeRootWindows) {
    GUIWindow& parent = MakeWindow(GUIWindow::kFrontLayer, {0, 0}, {10, 10});
    GUIWindow& shown = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10}, &parent, &plain_);
    GUIWindow& hidden = MakeWindow(0, {0, 0}, {10, 10}, &parent);
    EXPECT_FALSE(shown.IsVisible());
    DestroyWindow(parent);
    for (GUIWindow* child : {&shown, &hidden}) {
        EXPECT_EQ(child->GetParent(), nullptr);
        EXPECT_EQ(child->GetDepth(), -175.0f);
    }
    EXPECT_TRUE(shown.IsVisible()) << "shown on its own now";
    EXPECT_TRUE(ModelDrawn(shown));
    EXPECT_FALSE(hidden.IsVisible());
}

TEST_F(GUIWindowTest, ADestroyedChildLeavesItsParent) {
    GUIWindow& parent = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10});
    GUIWindow& child = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10}, &parent);
    GUIWindow& other = MakeWindow(GUIWindow::kShown, {0, 0}, {10, 10}, &parent);
    DestroyWindow(child);
    EXPECT_EQ(parent.GetChildren(), std::vector<GUIWindow*>{&other});
}

TEST_F(GUIWindowTest, MovingToAnotherParentOrToTheRoot) {
    GUIWindow& first = MakeWindow(GUIWindow::kShown, {10, 20}, {10, 10});
    GUIWindow& second = MakeWindow(GUIWindow::kShown | GUIWindow::kBackLayer, {30, 40}, {10, 10});
    GUIWindow& child = MakeWindow(GUIWindow::kShown, {1, 2}, {10, 10}, &first);
    child.SetParent(&second);
    EXPECT_TRUE(first.GetChildren().empty());
    EXPECT_EQ(second.GetChildren(), std::vector<GUIWindow*>{&child});
    EXPECT_NEAR(child.GetDepth(), -100.01f, 1e-4f);
    EXPECT_EQ(child.GetAbsolutePosition().x, 30.0f);
    child.SetParent(nullptr);
    EXPECT_EQ(child.GetDepth(), -175.0f);
    EXPECT_EQ(child.GetAbsolutePosition().x, 0.0f);
}

// ---- Hit tests -----------------------------------------------------------------------

TEST_F(GUIWindowTest, TheRectangleTestIsStrictAtEveryEdge) {
    GUIWindow& parent = MakeWindow(GUIWindow::kShown, {50, 50}, {400, 400});
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {50, 50}, {100, 50}, &parent);
    // The window covers (100, 100) to (200, 150).
    EXPECT_FALSE(HoveredAt(window, {100, 120})) << "left edge";
    EXPECT_TRUE(HoveredAt(window, {101, 120}));
    EXPECT_FALSE(HoveredAt(window, {200, 120})) << "right edge";
    EXPECT_TRUE(HoveredAt(window, {199, 149}));
    EXPECT_FALSE(HoveredAt(window, {150, 100})) << "bottom edge";
    EXPECT_FALSE(HoveredAt(window, {150, 150})) << "top edge";
    EXPECT_EQ(window.GetCursorPosition().x, 150.0f);
}

TEST_F(GUIWindowTest, TheSelectionRectangleReplacesTheWindowRectangle) {
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {100, 100}, {100, 50});
    window.SetSelectionOn(true);
    window.SetSelectionPosition({-20, 0});
    window.SetSelectionSize({30, 10});
    EXPECT_TRUE(HoveredAt(window, {85, 105}));
    EXPECT_FALSE(HoveredAt(window, {150, 120}));
}

TEST_F(GUIWindowTest, AHiddenWindowIsNeverHoveredAndReshownChildrenStartUnhovered) {
    GUIWindow& parent = MakeWindow(GUIWindow::kShown, {0, 0}, {400, 400});
    GUIWindow& child = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 100}, &parent);
    EXPECT_TRUE(HoveredAt(child, {50, 50}));
    parent.ClearFlags(GUIWindow::kShown);
    parent.SetFlags(GUIWindow::kShown);
    EXPECT_TRUE(child.IsVisible());
    EXPECT_FALSE(child.IsHovered()) << "shown again, not hovered until the next input pass";

    EXPECT_TRUE(HoveredAt(child, {50, 50}));
    parent.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(child.HandleInput({50, 50}, false, false));
    EXPECT_FALSE(child.IsHovered());
}

TEST_F(GUIWindowTest, ATurnedModelIsHitTestedByItsOwnBox) {
    // A unit quad made 100 x 20, turned by 45 degrees about its corner at (400, 300).
    GUIWindow& source = MakeWindow(0, {0, 0}, {1, 1}, nullptr, &plain_);
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {1, 1}, nullptr, nullptr, source.GetModel());
    window.SetRectangleHitTest(false);
    window.GetModel()->SetWorldMatrix(Vantor::Matrix4::Translation({400, 300, 0}) *
                                      Vantor::Matrix4::RotationZ(std::numbers::pi_v<float> / 4) *
                                      Vantor::Matrix4::Scale({100, 20, 1}));
    EXPECT_TRUE(HoveredAt(window, {430, 340})) << "along the turned quad";
    EXPECT_NEAR(window.GetCursorPosition().x, 0.495f, 0.001f) << "the cursor in the model's own frame";
    EXPECT_FALSE(HoveredAt(window, {470, 310})) << "inside its world box, outside the quad";
    EXPECT_FALSE(HoveredAt(window, {410, 302})) << "below its lower edge";

    // Update leaves the placement to the owner.
    window.Update();
    EXPECT_NEAR(window.GetModel()->GetWorldMatrix().m[3], 400.0f, 1e-4f);
}

TEST_F(GUIWindowTest, TheSelectionFromAModelIsItsWorldBox) {
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {100, 200}, {50, 30}, nullptr, &plain_);
    window.Update();
    window.SetSelectionFromModel(nullptr);
    EXPECT_TRUE(window.IsSelectionOn());
    EXPECT_NEAR(window.GetSelectionPosition().x, 100.0f, 1e-4f);
    EXPECT_NEAR(window.GetSelectionPosition().y, 200.0f, 1e-4f);
    EXPECT_NEAR(window.GetSelectionSize().x, 50.0f, 1e-4f);
    EXPECT_NEAR(window.GetSelectionSize().y, 30.0f, 1e-4f);

    GUIWindow& empty = MakeWindow(GUIWindow::kShown, {0, 0}, {1, 1});
    empty.SetSelectionFromModel(nullptr);
    EXPECT_FALSE(empty.IsSelectionOn()) << "no model, no selection";
}

// ---- The model -----------------------------------------------------------------------

TEST_F(GUIWindowTest, AMaterialGivesABlendedUnitQuadPlacedOverTheRectangle) {
    GUIWindow& parent = MakeWindow(GUIWindow::kShown, {10, 20}, {400, 400});
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {100, 50}, {200, 80}, &parent, &plain_);
    const Vantor::Model& model = *window.GetModel();
    EXPECT_EQ(model.GetFlags() & ~ModelFlags::kVisible, GUIWindow::kQuadModelFlags);
    EXPECT_EQ(model.GetCamera(), camera_);
    const Vantor::ShaderUser& material = *window.GetShaderUser();
    EXPECT_TRUE(material.GetFlags() & Vantor::ShaderDescriptor::kBlending);
    EXPECT_EQ(material.GetBlendFactor(0), 4);
    EXPECT_EQ(material.GetBlendFactor(1), 5);
    EXPECT_EQ(model.GetBoundingBox().localMax.x, 1.0f);

    EXPECT_TRUE(window.Update());
    EXPECT_NEAR(model.GetBoundingBox().worldMin.x, 110.0f, 1e-4f);
    EXPECT_NEAR(model.GetBoundingBox().worldMin.y, 70.0f, 1e-4f);
    EXPECT_NEAR(model.GetBoundingBox().worldMax.x, 310.0f, 1e-4f);
    EXPECT_NEAR(model.GetBoundingBox().worldMax.y, 150.0f, 1e-4f);
}

TEST_F(GUIWindowTest, AModelResourceIsCopiedWithoutLightingOrDepthTest) {
    const std::uint32_t models = Models().GetModelCount();
    Vantor::Model& box = *Models().CreateBoxModel({0, 0, 0}, {1, 1, 1}, nullptr, camera_, 0);
    GUIWindow& window = MakeWindow(0, {0, 0}, {1, 1}, nullptr, nullptr, &box);
    delete &box;
    const std::uint32_t flags = window.GetModel()->GetFlags();
    EXPECT_EQ(Models().GetModelCount(), models + 1);
    EXPECT_TRUE(flags & ModelFlags::kVertexColours);
    EXPECT_FALSE(flags &
                 (ModelFlags::kVisible | ModelFlags::kLighting | ModelFlags::kDepthTest | ModelFlags::kFirstDrawList));
    EXPECT_TRUE(flags & ModelFlags::kSecondDrawList);
    EXPECT_TRUE(flags & ModelFlags::kFixedDepth);
    EXPECT_EQ(window.GetDepth(), -175.0f);
    DestroyWindow(window);
    EXPECT_EQ(Models().GetModelCount(), models);
}

TEST_F(GUIWindowTest, ColourAndAlphaGoToTheModelAndAreWhiteWithoutOne) {
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {1, 1}, nullptr, &plain_);
    window.SetColor({1, 0, 0, 1});
    window.SetAlpha(0.5f);
    const Vantor::Color colour = window.GetColor();
    EXPECT_NEAR(colour.x, 1.0f, 0.01f);
    EXPECT_NEAR(colour.y, 0.0f, 0.01f);
    EXPECT_NEAR(window.GetAlpha(), 0.5f, 0.01f);

    GUIWindow& bare = MakeWindow(GUIWindow::kShown, {0, 0}, {1, 1});
    bare.SetColor({0, 0, 0, 0});
    EXPECT_EQ(bare.GetColor().y, 1.0f);
    EXPECT_EQ(bare.GetAlpha(), 1.0f);
    EXPECT_EQ(bare.GetShaderUser(), nullptr);
}

// ---- Text prints ---------------------------------------------------------------------

TEST_F(GUIWindowTest, PrintsLiveForOneFrameAndReuseThePool) {
    LoadTestFont();
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50});
    window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"", 0.0f, -1.0f);
    EXPECT_EQ(window.GetPrintCount(), 0) << "an empty text queues nothing";
    window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"AA", 0.0f, -1.0f);
    const Vantor::TextPrint* first = window.NewTextPrint();
    EXPECT_EQ(window.GetPrintCount(), 2);
    window.Update();
    EXPECT_EQ(window.GetPrintCount(), 0);
    EXPECT_EQ(fonts_->GetFontInstance(0, window)->GetBatchCount(), 2u);
    window.NewTextPrint();
    EXPECT_EQ(window.NewTextPrint(), first) << "the pool's entries are used again";
}

TEST_F(GUIWindowTest, PrintsOfAHiddenWindowAreDropped) {
    LoadTestFont();
    GUIWindow& window = MakeWindow(0, {0, 0}, {100, 50});
    window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"A", 0.0f, -1.0f);
    EXPECT_FALSE(window.Update());
    EXPECT_EQ(window.GetPrintCount(), 0);
    window.SetFlags(GUIWindow::kShown);
    window.Update();
    EXPECT_TRUE(fonts_->GetInstances().empty());
}

TEST_F(GUIWindowTest, APrintsOwnSizeHoldsForThatPrintOnly) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    GUIWindow& window = MakeWindow(GUIWindow::kShown, {0, 0}, {100, 50});
    window.PrintText(0, 0, {0, 0}, {1, 1, 1, 1}, L"A", 0.0f, 30.0f);
    window.PrintText(0, 0, {50, 0}, {1, 1, 1, 1}, L"A", 0.0f, -1.0f);
    window.Update();
    EXPECT_EQ(font.GetSize(), 10.0f);
    const auto* vertices = reinterpret_cast<const Vantor::ColouredVertex*>(
        fonts_->GetFontInstance(0, window)->GetModel()->GetVertexBuffer()->GetData());
    EXPECT_FLOAT_EQ(vertices[0].position[1], 30.0f);  // top-left of the first
    EXPECT_FLOAT_EQ(vertices[4].position[1], 10.0f);  // and of the second
}

}  // namespace
}  // namespace guitest
