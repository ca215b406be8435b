// A model's per-frame update (animation, box, frustum test, depth, key-frame blending,
// skinning) and its draw with the states its flags ask for.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/VertexBuffer.h"
#include "platform/DirectDrawCaps.h"
#include "tests/engine/render/ModelTestSupport.h"

namespace modeltest {
namespace {

using Vantor::Vector3;

class ModelUpdateTest : public ModelTest {
protected:
    // A looping key-frame triangle of 4 frames at 10 frames per second, playing.
    Model* PlayingKeyFrameModel(std::uint32_t flags = 0) {
        WriteModel(L"models\\walk.mlf", KeyFrameTriangleFile(4));
        Model* model = Models().LoadModel(L"models\\walk.mlf", nullptr, flags, false);
        model->SetWorldMatrix(Vantor::Matrix4::Translation({0, 0, -10}));
        model->GetAnimationControl()->SetLoop(true);
        model->GetAnimationControl()->Play();
        return model;
    }

    void DrawOnce(Model& model) {
        platform::seam::ClearDeviceCalls();
        renderSystem_->BeginScene();
        model.Draw();
        renderSystem_->EndScene();
    }
};

TEST_F(ModelUpdateTest, KeyFramesBlendVerticesAndBoxes) {
    Model* model = PlayingKeyFrameModel();
    model->GetAnimationControl()->SetSpeed(5.0f);  // half a frame per update
    NextFrame();
    model->Update(true);
    EXPECT_EQ(0u, model->GetAnimationControl()->GetFrameA());
    EXPECT_FLOAT_EQ(0.5f, model->GetAnimationControl()->GetBlend());
    EXPECT_FLOAT_EQ(1.5f, VertexPosition(*model, 1).x);
    EXPECT_FLOAT_EQ(0.5f, model->GetBoundingBox().localMin.x);
    // The box is placed by the world matrix.
    EXPECT_FLOAT_EQ(-10.0f, model->GetBoundingBox().worldMin.z);
    delete model;
}

TEST_F(ModelUpdateTest, HiddenKeyFrameModelAdvancesButKeepsItsVertices) {
    Model* model = PlayingKeyFrameModel();
    model->GetAnimationControl()->SetSpeed(5.0f);
    NextFrame();
    model->Update(true);
    const float before = VertexPosition(*model, 1).x;
    const Vantor::BoundingBox box = model->GetBoundingBox();
    model->ClearFlags(ModelFlags::kVisible);
    NextFrame();
    model->Update(true);
    NextFrame();
    model->Update(true);
    EXPECT_FLOAT_EQ(1.5f, model->GetAnimationControl()->GetPosition());
    EXPECT_EQ(before, VertexPosition(*model, 1).x);
    EXPECT_EQ(box.localMin.x, model->GetBoundingBox().localMin.x);
    delete model;
}

TEST_F(ModelUpdateTest, VerticesAreRewrittenOnlyWhenTheFramesChange) {
    Model* model = PlayingKeyFrameModel();
    model->GetAnimationControl()->Stop();
    model->Update(true);
    // Scribble on the buffer: an update for the same frames leaves it alone.
    model->GetVertexBuffer()->Lock(0, 3)[1].position[0] = 42.0f;
    model->GetVertexBuffer()->Unlock();
    model->Update(true);
    EXPECT_EQ(42.0f, VertexPosition(*model, 1).x);
    model->GetAnimationControl()->Play();
    NextFrame();
    model->Update(true);
    EXPECT_FLOAT_EQ(2.0f, VertexPosition(*model, 1).x);
    delete model;
}

TEST_F(ModelUpdateTest, SkinningMovesVerticesWithTheirBones) {
    WriteModel(L"models\\skin.mlf", SkinnedTriangleFile(201, 3));
    Model* model = Models().LoadModel(L"models\\skin.mlf", nullptr, 0, false);
    model->SetWorldMatrix(Vantor::Matrix4::Translation({0, 0, -10}));
    model->GetAnimationControl()->Play();
    NextFrame();
    model->Update(true);
    // Frame 1 lifts the bone by 1.
    EXPECT_EQ(1u, model->GetAnimationControl()->GetFrameA());
    EXPECT_FLOAT_EQ(2.0f, VertexPosition(*model, 2).y);
    EXPECT_FLOAT_EQ(0.5f, model->GetBoundingBox().localMin.y);
    delete model;
}

TEST_F(ModelUpdateTest, DepthIsTheDistanceAlongTheView) {
    Model* near = MakeQuad(Models(), -0.5f, -0.5f, -3.0f);
    Model* fixed = MakeQuad(Models(), -0.5f, -0.5f, -3.0f, ModelFlags::kFixedDepth);
    fixed->SetDepth(77.0f);
    Cameras().GetDefaultCamera()->position = {0, 0, 2};
    NextFrame();
    near->Update(true);
    fixed->Update(true);
    EXPECT_FLOAT_EQ(5.0f, near->GetDepth());
    EXPECT_EQ(77.0f, fixed->GetDepth());
    Models().ReleaseModel(near);
    Models().ReleaseModel(fixed);
}

TEST_F(ModelUpdateTest, ModelsOutsideTheFrustumAreNotDrawn) {
    Model* behind = MakeQuad(Models(), -0.5f, -0.5f, 5.0f);
    Model* ahead = MakeQuad(Models(), -0.5f, -0.5f, -5.0f);
    behind->Update(true);
    ahead->Update(true);
    EXPECT_EQ(0u, behind->GetDrawnPrimitiveCount());
    EXPECT_EQ(2u, ahead->GetDrawnPrimitiveCount());
    // Direct callers skip the test.
    behind->Update(false);
    EXPECT_EQ(2u, behind->GetDrawnPrimitiveCount());
    behind->Update(true);
    DrawOnce(*behind);
    EXPECT_TRUE(Draws().empty());
    Models().ReleaseModel(behind);
    Models().ReleaseModel(ahead);
}

TEST_F(ModelUpdateTest, TwoPassModelIsDrawnCullingBothWays) {
    Model* model = MakeQuad(Models(), 0, 0, -5, ModelFlags::kTwoPasses);
    model->Update(true);
    DrawOnce(*model);
    EXPECT_EQ(2u, Draws().size());
    EXPECT_EQ((std::vector<DWORD>{D3DCULL_CCW, D3DCULL_CW}), RenderStateValues(D3DRENDERSTATE_CULLMODE));
    Models().ReleaseModel(model);
}

struct StateCase {
    const char* name;
    std::uint32_t flags;
    DWORD cull;
    DWORD lighting;
    DWORD zTest;
    DWORD zWrite;
};

TEST_F(ModelUpdateTest, FlagsChooseTheDrawStates) {
    const StateCase cases[] = {
        {"plain", 0, D3DCULL_NONE, 0, 0, 1},
        {"clockwise, lit", ModelFlags::kCullClockwise | ModelFlags::kLighting, D3DCULL_CW, 1, 0, 1},
        {"counter-clockwise, depth test", ModelFlags::kCullCounterClockwise | ModelFlags::kDepthTest, D3DCULL_CCW, 0, 1,
         1},
        {"no depth writes", ModelFlags::kNoDepthWrite | ModelFlags::kDepthTest, D3DCULL_NONE, 0, 1, 0},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case starts from states that differ from what it sets.
        MakeScene();
        renderSystem_->SetCullMode(c.cull == D3DCULL_NONE ? Vantor::CullMode::Clockwise : Vantor::CullMode::None);
        renderSystem_->SetLighting(c.lighting == 0);
        renderSystem_->SetNormalizeNormals(c.lighting == 0);
        renderSystem_->SetZ(c.zTest == 0);
        renderSystem_->SetZWrite(c.zWrite == 0);
        Model* model = MakeQuad(Models(), 0, 0, -5, c.flags);
        model->Update(true);
        DrawOnce(*model);
        ASSERT_EQ(1u, Draws().size());
        EXPECT_EQ(std::vector<DWORD>{c.cull}, RenderStateValues(D3DRENDERSTATE_CULLMODE));
        EXPECT_EQ(std::vector<DWORD>{c.lighting}, RenderStateValues(D3DRENDERSTATE_LIGHTING));
        EXPECT_EQ(std::vector<DWORD>{c.lighting}, RenderStateValues(D3DRENDERSTATE_NORMALIZENORMALS));
        EXPECT_EQ(std::vector<DWORD>{c.zTest}, RenderStateValues(D3DRENDERSTATE_ZENABLE));
        EXPECT_EQ(std::vector<DWORD>{c.zWrite}, RenderStateValues(D3DRENDERSTATE_ZWRITEENABLE));
        Models().ReleaseModel(model);
    }
}

TEST_F(ModelUpdateTest, WorldMatrixReachesTheDeviceTransposed) {
    Model* model = MakeQuad(Models(), 0, 0, 0);
    model->SetWorldMatrix(Vantor::Matrix4::Translation({1, 2, -5}));
    model->Update(true);
    DrawOnce(*model);
    std::vector<platform::seam::DeviceCall> world;
    for (const auto& call : Calls("IDirect3DDevice7::SetTransform"))
        if (call.args.at(0) == D3DTRANSFORMSTATE_WORLD) world.push_back(call);
    ASSERT_EQ(1u, world.size());
    EXPECT_EQ(1.0f, world[0].matrix._41);
    EXPECT_EQ(2.0f, world[0].matrix._42);
    EXPECT_EQ(-5.0f, world[0].matrix._43);
    Models().ReleaseModel(model);
}

TEST_F(ModelUpdateTest, CameraModelTransformPlacesTheModel) {
    Vantor::Camera& camera = *Cameras().GetDefaultCamera();
    camera.useModelTransform = true;
    camera.modelPostTransform = Vantor::Matrix4::Translation({0, 0, -20});
    Model* model = MakeQuad(Models(), -0.5f, -0.5f, 0);
    model->SetWorldMatrix(Vantor::Matrix4::Translation({0, 0, 5}));
    NextFrame();
    // Behind the camera by its world matrix, in front of it by the camera's transform.
    model->Update(true);
    EXPECT_EQ(2u, model->GetDrawnPrimitiveCount());
    Vantor::Matrix4 render;
    EXPECT_FLOAT_EQ(-15.0f, model->GetRenderMatrix(render).m[11]);
    camera.useModelTransform = false;
    EXPECT_FLOAT_EQ(5.0f, model->GetRenderMatrix(render).m[11]);
    Models().ReleaseModel(model);
}

TEST_F(ModelUpdateTest, StencilModelNeedsAStencilBuffer) {
    Model* model = MakeQuad(Models(), 0, 0, -5, ModelFlags::kStencil);
    model->Update(true);
    ASSERT_FALSE(renderSystem_->IsStencilPresent());
    DrawOnce(*model);
    EXPECT_TRUE(Draws().empty());
    Models().ReleaseModel(model);

    MakeScene(true);
    ASSERT_TRUE(renderSystem_->IsStencilPresent());
    model = MakeQuad(Models(), 0, 0, -5, ModelFlags::kStencil);
    model->Update(true);
    DrawOnce(*model);
    EXPECT_EQ(1u, Draws().size());
    EXPECT_EQ(std::vector<DWORD>{1}, RenderStateValues(D3DRENDERSTATE_STENCILENABLE));
    Models().ReleaseModel(model);
}

TEST_F(ModelUpdateTest, MaterialWithMoreStagesThanTheDeviceIsNotDrawn) {
    platform::GraphicsCaps caps = d3d7test::DefaultCaps();
    d3d7test::TheDevice(caps).textureStages = 1;
    platform::seam::SetGraphicsCaps(caps);
    MakeScene();
    Vantor::ShaderDescriptor twoStages(false, false, "pictures\\a", false);
    twoStages.AddTextureStage(0, "pictures\\b", 1);
    Model* model = MakeQuad(Models(), 0, 0, -5, 0, &twoStages);
    model->Update(true);
    DrawOnce(*model);
    EXPECT_TRUE(Draws().empty());
    Models().ReleaseModel(model);
    TakeErrors();
}

}  // namespace
}  // namespace modeltest
