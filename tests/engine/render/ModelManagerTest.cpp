// The model manager's draw pass: every registered model updated, the two lists and
// their order (the address deciding near-equal depths), the scene bracket, the counters
// and a lost device.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/render/AnimationControl.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/ModelTestSupport.h"

namespace modeltest {
namespace {

class ModelManagerTest : public ModelTest {
protected:
    // A registered quad in view, at x, whose sort depth the test sets.
    Model* QuadAt(float x, float depth, std::uint32_t flags) {
        Model* quad = MakeQuad(Models(), x, 0, -5, flags | ModelFlags::kFixedDepth);
        quad->SetDepth(depth);
        return quad;
    }

    // The pass, with the device's record of it.
    void Pass() {
        platform::seam::ClearDeviceCalls();
        RenderFrame();
    }

    // Two quads with depths that differ by less than the tie tolerance; returns them
    // ordered by address (lower first).
    std::pair<Model*, Model*> NearTie(std::uint32_t flags) {
        Model* a = QuadAt(1, 3.0f, flags);
        Model* b = QuadAt(2, 3.0000005f, flags);
        if (std::less<Model*>()(b, a)) std::swap(a, b);
        return {a, b};
    }
};

TEST_F(ModelManagerTest, FirstListDrawsNearestFirstAndSecondFarthestFirst) {
    Model* firstFar = QuadAt(1, 5.0f, ModelFlags::kFirstDrawList);
    Model* firstNear = QuadAt(2, 2.0f, ModelFlags::kFirstDrawList);
    Model* secondNear = QuadAt(3, 2.0f, ModelFlags::kSecondDrawList);
    Model* neitherFar = QuadAt(4, 5.0f, 0);
    Pass();
    EXPECT_EQ((std::vector<Model*>{firstNear, firstFar}), Models().GetFirstList());
    EXPECT_EQ((std::vector<Model*>{neitherFar, secondNear}), Models().GetSecondList());
    // Both lists in one scene bracket, the first list first.
    EXPECT_EQ((std::vector<float>{2, 1, 4, 3}), DrawnFirstX());
    std::vector<std::string> bracket;
    for (const auto& call : platform::seam::DeviceCalls())
        if (call.name != "IDirect3DDevice7::SetRenderState" && call.name != "IDirect3DDevice7::SetTransform" &&
            call.name != "IDirect3DDevice7::SetTextureStageState" && call.name != "IDirect3DDevice7::SetTexture")
            bracket.push_back(call.name);
    EXPECT_EQ((std::vector<std::string>{"IDirect3DDevice7::Clear", "IDirect3DDevice7::BeginScene",
                                        "IDirect3DDevice7::DrawIndexedPrimitive", "IDirect3DDevice7::DrawIndexedPrimitive",
                                        "IDirect3DDevice7::DrawIndexedPrimitive", "IDirect3DDevice7::DrawIndexedPrimitive",
                                        "IDirect3DDevice7::EndScene"}),
              bracket);
}

TEST_F(ModelManagerTest, NearlyEqualDepthsGoByAddress) {
    const auto [lowFirst, highFirst] = NearTie(ModelFlags::kFirstDrawList);
    const auto [lowSecond, highSecond] = NearTie(0);
    Pass();
    EXPECT_EQ((std::vector<Model*>{lowFirst, highFirst}), Models().GetFirstList());
    EXPECT_EQ((std::vector<Model*>{highSecond, lowSecond}), Models().GetSecondList());
}

TEST_F(ModelManagerTest, DepthBiasIsAddedForSorting) {
    Model* biased = QuadAt(1, 1.0f, 0);
    biased->SetDepthBias(3.0f);
    Model* nearer = QuadAt(2, 3.5f, 0);
    Model* farther = QuadAt(3, 4.5f, 0);
    Pass();
    EXPECT_EQ((std::vector<Model*>{farther, biased, nearer}), Models().GetSecondList());
}

TEST_F(ModelManagerTest, OrderDoesNotDependOnSlots) {
    std::vector<Model*> quads;
    for (int i = 0; i < 8; ++i) quads.push_back(QuadAt(0.1f * static_cast<float>(i), 3.0f + 0.0000001f * (i % 3), 0));
    Pass();
    const std::vector<Model*> order = Models().GetSecondList();
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), std::greater<Model*>()));
    // Free two slots and refill one: still by address.
    Models().ReleaseModel(quads[2]);
    Models().ReleaseModel(quads[5]);
    Model* again = QuadAt(0.5f, 3.0f, 0);
    Pass();
    const std::vector<Model*> after = Models().GetSecondList();
    EXPECT_TRUE(std::is_sorted(after.begin(), after.end(), std::greater<Model*>()));
    EXPECT_NE(after.end(), std::find(after.begin(), after.end(), again));
}

TEST_F(ModelManagerTest, CountsVisibleAndDrawnModels) {
    QuadAt(0, 1.0f, 0);
    QuadAt(1, 1.0f, 0);
    Model* behind = MakeQuad(Models(), 0, 0, 5);
    Model* hidden = QuadAt(2, 1.0f, 0);
    hidden->ClearFlags(ModelFlags::kVisible);
    Model* hiddenBehind = MakeQuad(Models(), 0, 0, 5);
    hiddenBehind->ClearFlags(ModelFlags::kVisible);
    ASSERT_NE(nullptr, behind);
    Pass();
    EXPECT_EQ(3u, Models().GetVisibleModelCount());
    EXPECT_EQ(2u, Models().GetDrawnModelCount());
    EXPECT_EQ(6u, Models().GetVisiblePrimitiveCount());
    EXPECT_EQ(4u, Models().GetDrawnPrimitiveCount());
    EXPECT_EQ(2u, Draws().size());
}

TEST_F(ModelManagerTest, HiddenKeyFrameModelStillAdvancesItsAnimation) {
    WriteModel(L"models\\walk.mlf", KeyFrameTriangleFile(4));
    Model* source = Models().LoadModel(L"models\\walk.mlf", nullptr, 0, false);
    Model* hidden = Models().CreateModelInstance(*source, nullptr, 0);
    delete source;
    hidden->ClearFlags(ModelFlags::kVisible);
    hidden->GetAnimationControl()->SetSpeed(5.0f);
    hidden->GetAnimationControl()->Play();
    Pass();
    Pass();
    EXPECT_FLOAT_EQ(1.0f, hidden->GetAnimationControl()->GetPosition());
    EXPECT_EQ(0u, Models().GetVisibleModelCount());
    EXPECT_TRUE(Draws().empty());
}

TEST_F(ModelManagerTest, LostDeviceSuspendsThePass) {
    QuadAt(0, 1.0f, 0);
    Model* animated = Models().CreateModel(ModelFlags::kKeyFrames | ModelFlags::kVisible, 3, 3, 4, nullptr, nullptr, false);
    animated->GetAnimationControl()->SetSpeed(10.0f);
    animated->GetAnimationControl()->Play();
    Pass();
    EXPECT_EQ(1u, Models().GetDrawnModelCount());
    const float position = animated->GetAnimationControl()->GetPosition();

    platform::seam::FailNextCalls("IDirect3DDevice7::EndScene", 1);
    Pass();
    ASSERT_FALSE(renderSystem_->IsReady());
    Pass();
    EXPECT_EQ(0u, Models().GetVisibleModelCount());
    EXPECT_EQ(0u, Models().GetDrawnModelCount());
    EXPECT_EQ(0u, Models().GetDrawnPrimitiveCount());
    EXPECT_TRUE(platform::seam::DeviceCalls().empty());
    // One more step for the failing frame, none while the device is lost.
    EXPECT_FLOAT_EQ(position + 1.0f, animated->GetAnimationControl()->GetPosition());
    TakeErrors();
}

TEST_F(ModelManagerTest, SwapBuffersPresentsTheFrame) {
    QuadAt(0, 1.0f, 0);
    Pass();
    Models().SwapBuffers();
    EXPECT_EQ(1u, Calls("IDirectDrawSurface7::Blt").size());
}

TEST_F(ModelManagerTest, DestroyingTheManagerDeletesRegisteredModels) {
    for (int i = 0; i < 3; ++i) QuadAt(static_cast<float>(i), 1.0f, 0);
    EXPECT_EQ(3u, Shaders().GetShaderUserCount());
    models_.reset();
    EXPECT_EQ(0u, Shaders().GetShaderUserCount());
}

}  // namespace
}  // namespace modeltest
