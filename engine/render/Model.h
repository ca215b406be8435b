#pragma once
// The one drawable thing of the system: every mesh, GUI quad, font, sprite and particle
// batch, the cursor and every object of the game. A model owns its vertex and index
// buffers, a frame-range player, a shader user for its material and, by its flags,
// per-frame vertices and boxes (key frames) or a skeleton with per-vertex bone weights
// (skinning). Once per frame its update steps the animation, poses the geometry,
// culls it against its camera's frustum and measures its depth; its draw sets the
// render states its flags ask for and draws it in one or two passes.
//
// Models are made only by the model manager: a box, an empty model that its owner
// fills, a model read from a model file ("VTMLF") or a copy.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/SkinVertex.h"
#include "engine/render/Vertex.h"

namespace Vantor {

class AnimationControl;
class Camera;
class IndexBuffer;
class ShaderDescriptor;
class ShaderUser;
class Skeleton;
class VertexBuffer;
struct ModelFileContents;

class Model {
public:
    // Returns the shader user, then deletes what the model owns.
    virtual ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Adds flags, keeping the exclusions: 0x200 wins over 0x400, and 0x2000 over
    // 0x400000 over 0x4000, when passed together.
    void SetFlags(std::uint32_t bits);
    // Clearing one draw list's flag alone leaves the other set.
    void ClearFlags(std::uint32_t bits);
    std::uint32_t GetFlags() const { return flags_; }

    // Null draws with the camera manager's default camera.
    void SetCamera(Camera* camera);
    Camera* GetCamera() const { return camera_; }

    // The triangles the index buffer's indices in use describe.
    void ComputePrimitiveCount();
    // The box around the vertices the indices in use refer to; with `world` its corners
    // are placed by the world matrix first.
    void ComputeBoundingBox(BoundingBox& out, bool world) const;

    // A new shader user of the descriptor; the old one is given back only afterwards,
    // so a shader both share stays loaded.
    void SetShader(const ShaderDescriptor& descriptor);
    void ChangeShader(const ShaderDescriptor& descriptor) { SetShader(descriptor); }

    // The colour or alpha of every vertex (nothing without vertex colours).
    void SetColour(const Color& colour);
    void SetAlpha(float alpha);
    // Multiplies every vertex's u by scale.x and v by scale.y.
    void ScaleTextureCoordinates(const Vector2& scale);

    // The world matrix also places the bounding box.
    void SetWorldMatrix(const Matrix4& matrix);
    const Matrix4& GetWorldMatrix() const { return worldMatrix_; }
    // What owners that re-place the model each frame start from (world = transform x base).
    void SetBaseMatrix(const Matrix4& matrix) { baseMatrix_ = matrix; }
    const Matrix4& GetBaseMatrix() const { return baseMatrix_; }
    // The matrix the model is drawn with: the world matrix, or post x world x pre of the
    // camera when the camera's model transform is on.
    Matrix4& GetRenderMatrix(Matrix4& out) const;

    // The sort depth: distance in front of the camera, larger is farther. Owners of
    // fixed-depth models (0x800) set it; the bias is added for sorting.
    void SetDepth(float depth) { depth_ = depth; }
    float GetDepth() const { return depth_; }
    void SetDepthBias(float bias) { depthBias_ = bias; }
    float GetDepthBias() const { return depthBias_; }

    // The per-frame update: the animation always advances; a visible model also takes
    // its pose and box, is culled against its camera's frustum when `cull` is set, and
    // when in view measures its depth and rewrites animated vertices whose frames
    // changed. The manager passes true, direct callers false.
    void Update(bool cull);
    // Draws a visible model that passed its last update's test with the states its
    // flags ask for; a material with more stages than the device has, or a stencil
    // model without a stencil buffer, is skipped.
    void Draw();

    const std::wstring& GetName() const { return name_; }
    AnimationControl* GetAnimationControl() const { return animationControl_; }
    ShaderUser* GetShaderUser() const { return shaderUser_; }
    VertexBuffer* GetVertexBuffer() const { return vertexBuffer_; }
    IndexBuffer* GetIndexBuffer() const { return indexBuffer_; }
    const Skeleton* GetSkeleton() const { return skeleton_; }
    const BoundingBox& GetBoundingBox() const { return boundingBox_; }
    // A box the owner measured in the model's own frame (ComputeBoundingBox), placed by
    // the world matrix; for models whose update keeps their box.
    void SetBoundingBox(const BoundingBox& box) {
        boundingBox_ = box;
        boundingBox_.SetMatrix(worldMatrix_);
    }
    PrimitiveType GetPrimitiveType() const { return primitiveType_; }
    std::uint32_t GetPrimitiveCount() const { return primitiveCount_; }
    // The primitive count when the last update found the model in view, else 0.
    std::uint32_t GetDrawnPrimitiveCount() const { return drawnPrimitiveCount_; }

private:
    friend class ModelManager;

    // A box from minimum to maximum: 24 vertices, 36 indices, flags 0x422C9 plus the
    // caller's, named "box".
    Model(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader, Camera* camera,
          std::uint32_t flags);
    // An empty model named "self_made" whose buffers the caller fills.
    Model(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount, std::uint32_t frameCount,
          const ShaderDescriptor* shader, Camera* camera, bool lazyTextures);
    // A model read from a model file, its material from the shader file of the same
    // name with the extension "srf". A file that cannot be read is logged and throws
    // Error with the logged text; nothing is left allocated then.
    Model(const std::wstring& fileName, Camera* camera, std::uint32_t flags, bool lazyTextures);
    // A copy with the caller's flags added to the source's.
    Model(const Model& source, Camera* camera, std::uint32_t flags);

    // The fields every constructor starts from, and what every constructor ends with.
    void FinishConstruction(Camera* camera);
    void BuildBox(const Vector3& minimum, const Vector3& maximum);
    void TakeFileContents(ModelFileContents& contents);
    void FillIndexBuffer(const std::vector<std::uint32_t>& indices);
    void FillVertexBuffer(const std::vector<Vertex>& vertices);

    // Whether the key frames, frame boxes and frame vertices hold the frame.
    bool HasFrameBoxes(std::uint32_t frame) const { return frame < frameBoxes_.size(); }
    bool HasBoneKeys(std::uint32_t frame) const;
    bool HasFrameVertices(std::uint32_t frame) const;
    // The vertex buffer from the frame vertices between frame A and frame B.
    void BlendFrameVertices(std::uint32_t frameA, std::uint32_t frameB, float blend);
    // The vertex buffer from the skin vertices moved by the posed bones.
    void SkinVertices();
    // Whether frames and blend differ from the last ones the vertices were made for;
    // remembers the new ones.
    bool TakeFrames(std::uint32_t frameA, std::uint32_t frameB, float blend);

    std::wstring name_;
    std::uint32_t flags_ = 0;
    PrimitiveType primitiveType_ = PrimitiveType::TriangleStrip;
    IndexBuffer* indexBuffer_ = nullptr;             // owned
    VertexBuffer* vertexBuffer_ = nullptr;           // owned
    AnimationControl* animationControl_ = nullptr;  // owned
    ShaderUser* shaderUser_ = nullptr;               // from and back to the shader manager
    std::vector<SkinVertex> skinVertices_;
    // Frame count x vertex count, frame-major.
    std::vector<Vertex> frameVertices_;
    Skeleton* skeleton_ = nullptr;  // owned
    // Frame count x bone count x Skeleton::kKeyValues.
    std::vector<float> keyFrames_;
    Camera* camera_ = nullptr;  // not owned
    Matrix4 worldMatrix_;
    Matrix4 baseMatrix_;
    std::vector<BoundingBox> frameBoxes_;
    BoundingBox boundingBox_;
    std::uint32_t primitiveCount_ = 0;
    std::uint32_t drawnPrimitiveCount_ = 0;
    float depth_ = 0.0f;
    float depthBias_ = 0.0f;
    // The frames and blend the vertex buffer was last computed for.
    bool lastFramesValid_ = false;
    std::uint32_t lastFrameA_ = 0;
    std::uint32_t lastFrameB_ = 0;
    float lastBlend_ = 0.0f;
};

}  // namespace Vantor
