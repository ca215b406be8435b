// A model's per-frame update (animation step, pose and box, frustum test, depth,
// key-frame blending or skinning) and its draw.

#include <cmath>

#include "engine/kernel/MathHelpers.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

namespace Vantor {

namespace {

Vector3 PositionOf(const Vertex& vertex) { return {vertex.position[0], vertex.position[1], vertex.position[2]}; }
Vector3 NormalOf(const Vertex& vertex) { return {vertex.normal[0], vertex.normal[1], vertex.normal[2]}; }

// Normals are blended without being normalised again.
template <class Layout>
void BlendVertices(Layout* out, const Vertex* a, const Vertex* b, std::uint32_t count, float blend) {
    for (std::uint32_t v = 0; v < count; ++v) {
        PutPositionAndNormal(out[v], Lerp(PositionOf(a[v]), PositionOf(b[v]), blend),
                             Lerp(NormalOf(a[v]), NormalOf(b[v]), blend));
        out[v].u = a[v].u * (1.0f - blend) + b[v].u * blend;
        out[v].v = a[v].v * (1.0f - blend) + b[v].v * blend;
    }
}

// Weights are used as stored; a vertex without influences lands on the origin.
template <class Layout>
void SkinInto(Layout* out, const std::vector<SkinVertex>& skin, Skeleton& skeleton) {
    const std::uint16_t boneCount = skeleton.GetBoneCount();
    for (std::size_t v = 0; v < skin.size(); ++v) {
        Vector3 position;
        Vector3 normal;
        const SkinVertex& weights = skin[v];
        for (std::uint16_t i = 0; i < weights.influenceCount; ++i) {
            const SkinInfluence& influence = weights.influences[i];
            if (influence.boneIndex >= boneCount) continue;
            const Bone& bone = *skeleton.GetBone(influence.boneIndex);
            normal += bone.normalMatrix.TransformPoint(influence.normal) * influence.weight;
            position += bone.boneMatrix.TransformPoint(influence.position) * influence.weight;
        }
        PutPositionAndNormal(out[v], position, normal);
    }
}

}  // namespace

Matrix4& Model::GetRenderMatrix(Matrix4& out) const {
    if (camera_->useModelTransform)
        out = camera_->modelPostTransform * worldMatrix_ * camera_->modelPreTransform;
    else
        out = worldMatrix_;
    return out;
}

bool Model::HasBoneKeys(std::uint32_t frame) const {
    const std::size_t boneCount = skeleton_ ? skeleton_->GetBoneCount() : 0;
    return skeleton_ && (std::size_t{frame} + 1) * boneCount * Skeleton::kKeyValues <= keyFrames_.size();
}

bool Model::HasFrameVertices(std::uint32_t frame) const {
    return (std::size_t{frame} + 1) * vertexBuffer_->GetVertexCount() <= frameVertices_.size();
}

bool Model::TakeFrames(std::uint32_t frameA, std::uint32_t frameB, float blend) {
    const bool changed = !(lastFramesValid_ && lastFrameA_ == frameA && lastFrameB_ == frameB &&
                           std::fabs(lastBlend_ - blend) < kFloatTolerance);
    lastFramesValid_ = true;
    lastFrameA_ = frameA;
    lastFrameB_ = frameB;
    lastBlend_ = blend;
    return changed;
}

void Model::Update(bool cull) {
    std::uint32_t frameA = 0;
    std::uint32_t frameB = 0;
    float blend = 0.0f;
    if (flags_ & (ModelFlags::kKeyFrames | ModelFlags::kSkinned)) {
        animationControl_->Update();
        frameA = animationControl_->GetFrameA();
        frameB = animationControl_->GetFrameB();
        blend = animationControl_->GetBlend();
    }
    if (!(flags_ & ModelFlags::kVisible)) return;

    if ((flags_ & ModelFlags::kBoundsEachFrame) && (flags_ & ModelFlags::kStatic)) {
        ComputeBoundingBox(boundingBox_, false);
        boundingBox_.SetMatrix(worldMatrix_);
    }
    // Models that were given the animated flags without the data keep their box.
    if (flags_ & ModelFlags::kKeyFrames) {
        if (HasFrameBoxes(frameA) && HasFrameBoxes(frameB)) {
            BoundingBox::Interpolate(boundingBox_, frameBoxes_[frameA], frameBoxes_[frameB], blend);
            boundingBox_.SetMatrix(worldMatrix_);
        }
    } else if (flags_ & ModelFlags::kSkinned) {
        if (HasBoneKeys(frameA) && HasBoneKeys(frameB)) {
            skeleton_->SetPose(keyFrames_.data(), frameA, frameB, blend);
            boundingBox_ = skeleton_->GetBoundingBox();
            boundingBox_.SetMatrix(worldMatrix_);
        }
    }

    ComputePrimitiveCount();
    drawnPrimitiveCount_ = primitiveCount_;
    if (drawnPrimitiveCount_ > 0 && cull) {
        bool visible;
        if (camera_->useModelTransform) {
            BoundingBox placed = boundingBox_;
            Matrix4 render;
            placed.SetMatrix(GetRenderMatrix(render));
            visible = camera_->GetFrustum().IsVisible(placed);
        } else {
            visible = camera_->GetFrustum().IsVisible(boundingBox_);
        }
        if (!visible) drawnPrimitiveCount_ = 0;
    }
    if (drawnPrimitiveCount_ == 0) return;

    // The camera looks along its negative back axis: larger is farther.
    if (!(flags_ & ModelFlags::kFixedDepth)) depth_ = Dot(camera_->GetBackAxis(), camera_->position - boundingBox_.centre);

    if (!TakeFrames(frameA, frameB, blend)) return;
    if (flags_ & ModelFlags::kKeyFrames) {
        if (HasFrameVertices(frameA) && HasFrameVertices(frameB)) BlendFrameVertices(frameA, frameB, blend);
    } else if (flags_ & ModelFlags::kSkinned) {
        if (skeleton_ && skinVertices_.size() == vertexBuffer_->GetVertexCount()) SkinVertices();
    }
}

void Model::BlendFrameVertices(std::uint32_t frameA, std::uint32_t frameB, float blend) {
    const std::uint32_t count = vertexBuffer_->GetVertexCount();
    const Vertex* a = frameVertices_.data() + std::size_t{frameA} * count;
    const Vertex* b = frameVertices_.data() + std::size_t{frameB} * count;
    if (vertexBuffer_->HasColours())
        BlendVertices(vertexBuffer_->LockColoured(0, count), a, b, count, blend);
    else
        BlendVertices(vertexBuffer_->Lock(0, count), a, b, count, blend);
    vertexBuffer_->Unlock();
}

void Model::SkinVertices() {
    const std::uint32_t count = vertexBuffer_->GetVertexCount();
    if (vertexBuffer_->HasColours())
        SkinInto(vertexBuffer_->LockColoured(0, count), skinVertices_, *skeleton_);
    else
        SkinInto(vertexBuffer_->Lock(0, count), skinVertices_, *skeleton_);
    vertexBuffer_->Unlock();
}

void Model::Draw() {
    if (!(flags_ & ModelFlags::kVisible) || drawnPrimitiveCount_ == 0) return;
    RenderSystem& renderSystem = *RenderSystem::Instance();
    if (shaderUser_->GetStageCount() > renderSystem.GetTextureStageCount()) return;
    const bool stencil = (flags_ & ModelFlags::kStencil) != 0;
    if (stencil && !renderSystem.IsStencilPresent()) return;

    CameraManager::Instance()->SetCurrentCamera(camera_, (flags_ & ModelFlags::kDepthBiasedCamera) != 0);
    const bool lighting = (flags_ & ModelFlags::kLighting) != 0;
    LightManager::Instance()->SetLighting(lighting);
    renderSystem.SetNormalizeNormals(lighting);
    Matrix4 render;
    renderSystem.SetWorldMatrix(GetRenderMatrix(render));
    renderSystem.SetZ((flags_ & ModelFlags::kDepthTest) != 0);
    renderSystem.SetZWrite(!(flags_ & ModelFlags::kNoDepthWrite));
    renderSystem.SetStencil(stencil);

    // Two passes draw both sides: first culling counter-clockwise triangles, then
    // clockwise ones. A mirrored world matrix does not change the cull mode.
    const bool twoPasses = (flags_ & ModelFlags::kTwoPasses) != 0;
    for (int pass = 0; pass < (twoPasses ? 2 : 1); ++pass) {
        CullMode cull = CullMode::None;
        if (twoPasses)
            cull = pass == 0 ? CullMode::CounterClockwise : CullMode::Clockwise;
        else if (flags_ & ModelFlags::kCullClockwise)
            cull = CullMode::Clockwise;
        else if (flags_ & ModelFlags::kCullCounterClockwise)
            cull = CullMode::CounterClockwise;
        renderSystem.SetCullMode(cull);
        shaderUser_->Apply();
        renderSystem.DrawIndexedPrimitive(primitiveType_, indexBuffer_, vertexBuffer_,
                                          static_cast<std::int32_t>(primitiveCount_));
    }
}

}  // namespace Vantor
