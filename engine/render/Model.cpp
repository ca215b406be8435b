#include "engine/render/Model.h"

#include <algorithm>
#include <utility>

#include "engine/kernel/FileManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ModelFileReader.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

namespace Vantor {

namespace {

// Start of the scan for the box of the vertices; every coordinate lies within it.
constexpr float kWorldBound = 100000.0f;
// The box of a self-made model until its owner fills it.
constexpr float kSelfMadeExtent = 0.0001f;
// An animation control that blends between key frames.
constexpr std::int32_t kModelAnimationMode = 0;

// A flag word of 0 would make buffers of neither kind.
std::uint32_t NonZeroFlags(std::uint32_t flags) { return flags != 0 ? flags : ModelFlags::kVertexBufferKind; }

std::int32_t VertexBufferKind(std::uint32_t flags) { return (flags & ModelFlags::kVertexBufferKind) ? 1 : 0; }
std::int32_t IndexBufferKind(std::uint32_t flags) { return (flags & ModelFlags::kIndexBufferKind) ? 1 : 0; }
std::int32_t HasColours(std::uint32_t flags) { return (flags & ModelFlags::kVertexColours) ? 1 : 0; }

template <class Layout>
void CopyVertices(Layout* out, const std::vector<Vertex>& vertices) {
    for (const Vertex& vertex : vertices) {
        Layout& target = *out++;
        std::copy(vertex.position, vertex.position + 3, target.position);
        std::copy(vertex.normal, vertex.normal + 3, target.normal);
        target.u = vertex.u;
        target.v = vertex.v;
    }
}

template <class Layout>
void ScaleCoordinates(Layout* vertices, std::uint32_t count, const Vector2& scale) {
    for (std::uint32_t i = 0; i < count; ++i) {
        vertices[i].u *= scale.x;
        vertices[i].v *= scale.y;
    }
}

// The box's faces: normal, the four corners (per axis 0 the minimum, 1 the maximum)
// and their texture coordinates.
struct BoxFace {
    Vector3 normal;
    int corners[4][3];
    float uv[4][2];
};

const BoxFace kBoxFaces[6] = {
    {{0, 0, -1}, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
    {{0, 0, 1}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {{0, -1, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {{1, 0, 0}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {{0, 1, 0}, {{1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {1, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    {{-1, 0, 0}, {{0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
};
constexpr std::uint32_t kBoxVertexCount = 24;
constexpr std::uint32_t kBoxIndexCount = 36;

template <class Layout>
void PutBoxVertices(Layout* out, const Vector3& minimum, const Vector3& maximum) {
    for (const BoxFace& face : kBoxFaces) {
        for (int k = 0; k < 4; ++k) {
            const int* corner = face.corners[k];
            const Vector3 position{corner[0] ? maximum.x : minimum.x, corner[1] ? maximum.y : minimum.y,
                                   corner[2] ? maximum.z : minimum.z};
            Layout& vertex = *out++;
            PutPositionAndNormal(vertex, position, face.normal);
            vertex.u = face.uv[k][0];
            vertex.v = face.uv[k][1];
        }
    }
}

// Without a descriptor, the default material, loaded at once.
ShaderUser* ShaderFor(const ShaderDescriptor* descriptor, bool lazyTextures) {
    ShaderManager& shaders = *ShaderManager::Instance();
    if (descriptor) return shaders.GetShader(*descriptor, lazyTextures);
    return shaders.GetShader(ShaderDescriptor(), false);
}

}  // namespace

Model::Model(const Vector3& minimum, const Vector3& maximum, const ShaderDescriptor* shader, Camera* camera,
             std::uint32_t flags)
    : name_(L"box"), flags_(ModelFlags::kBoxDefaults) {
    SetFlags(flags);
    animationControl_ = new AnimationControl(kModelAnimationMode, 1);
    BuildBox(minimum, maximum);
    shaderUser_ = ShaderFor(shader, false);
    FinishConstruction(camera);
    ComputeBoundingBox(boundingBox_, false);
}

Model::Model(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount, std::uint32_t frameCount,
             const ShaderDescriptor* shader, Camera* camera, bool lazyTextures)
    : name_(L"self_made"), flags_(NonZeroFlags(flags)) {
    animationControl_ = new AnimationControl(kModelAnimationMode, frameCount);
    indexBuffer_ = RenderSystem::Instance()->CreateIndexBuffer(IndexBufferKind(flags_), indexCount);
    vertexBuffer_ =
        RenderSystem::Instance()->CreateVertexBuffer(VertexBufferKind(flags_), HasColours(flags_), vertexCount);
    shaderUser_ = ShaderFor(shader, lazyTextures);
    FinishConstruction(camera);
    boundingBox_.SetMinMax({-kSelfMadeExtent, -kSelfMadeExtent, -kSelfMadeExtent},
                           {kSelfMadeExtent, kSelfMadeExtent, kSelfMadeExtent});
}

Model::Model(const std::wstring& fileName, Camera* camera, std::uint32_t flags, bool lazyTextures) : name_(fileName) {
    ModelFileContents contents;
    ModelFileReader::Read(fileName, flags, contents);
    TakeFileContents(contents);
    std::wstring shaderFile = fileName;
    FileManager::ChangeExtension(shaderFile, L"srf");
    shaderUser_ = ShaderManager::Instance()->LoadShader(shaderFile, lazyTextures);
    FinishConstruction(camera);
}

Model::Model(const Model& source, Camera* camera, std::uint32_t flags)
    : name_(source.name_), flags_(NonZeroFlags(flags | source.flags_)) {
    animationControl_ = new AnimationControl(*source.animationControl_);
    if ((flags_ & ModelFlags::kSkinned) && source.skeleton_) {
        skeleton_ = new Skeleton(*source.skeleton_);
        keyFrames_ = source.keyFrames_;
    }
    RenderSystem& renderSystem = *RenderSystem::Instance();
    vertexBuffer_ = renderSystem.CreateVertexBufferConverted(VertexBufferKind(flags_), HasColours(flags_),
                                                             *source.vertexBuffer_);
    if (flags_ & ModelFlags::kKeyFrames)
        frameVertices_ = source.frameVertices_;
    else if (flags_ & ModelFlags::kSkinned)
        skinVertices_ = source.skinVertices_;
    indexBuffer_ = renderSystem.CreateIndexBufferConverted(IndexBufferKind(flags_), *source.indexBuffer_);
    boundingBox_ = source.boundingBox_;
    frameBoxes_ = source.frameBoxes_;
    shaderUser_ = ShaderManager::Instance()->CopyShader(*source.shaderUser_, false);
    SetCamera(camera ? camera : source.camera_);

    worldMatrix_ = source.worldMatrix_;
    boundingBox_.SetMatrix(worldMatrix_);
    baseMatrix_ = source.baseMatrix_;
    depth_ = source.depth_;
    depthBias_ = source.depthBias_;
    primitiveType_ = source.primitiveType_;
    ComputePrimitiveCount();
    lastFramesValid_ = source.lastFramesValid_;
    lastFrameA_ = source.lastFrameA_;
    lastFrameB_ = source.lastFrameB_;
    lastBlend_ = source.lastBlend_;
}

Model::~Model() {
    ShaderManager::Instance()->ReleaseShader(shaderUser_);
    delete skeleton_;
    delete animationControl_;
    delete vertexBuffer_;
    delete indexBuffer_;
}

void Model::FinishConstruction(Camera* camera) {
    SetCamera(camera);
    primitiveType_ = (flags_ & ModelFlags::kTriangleList) ? PrimitiveType::TriangleList : PrimitiveType::TriangleStrip;
    ComputePrimitiveCount();
}

void Model::BuildBox(const Vector3& minimum, const Vector3& maximum) {
    RenderSystem& renderSystem = *RenderSystem::Instance();
    vertexBuffer_ = renderSystem.CreateVertexBuffer(VertexBufferKind(flags_), HasColours(flags_), kBoxVertexCount);
    if (vertexBuffer_->HasColours())
        PutBoxVertices(vertexBuffer_->LockColoured(0, kBoxVertexCount), minimum, maximum);
    else
        PutBoxVertices(vertexBuffer_->Lock(0, kBoxVertexCount), minimum, maximum);
    vertexBuffer_->Unlock();

    std::int32_t indices[kBoxIndexCount];
    for (std::int32_t face = 0; face < 6; ++face) {
        const std::int32_t first = 4 * face;
        const std::int32_t triangles[6] = {first, first + 1, first + 2, first + 2, first + 3, first};
        std::copy(triangles, triangles + 6, indices + 6 * face);
    }
    indexBuffer_ = renderSystem.CreateIndexBuffer(IndexBufferKind(flags_), kBoxIndexCount);
    indexBuffer_->SetIndices(0, kBoxIndexCount, indices);
}

void Model::TakeFileContents(ModelFileContents& contents) {
    flags_ = contents.flags;
    skeleton_ = contents.skeleton.release();
    keyFrames_ = std::move(contents.keyFrames);

    RenderSystem& renderSystem = *RenderSystem::Instance();
    indexBuffer_ =
        renderSystem.CreateIndexBuffer(IndexBufferKind(flags_), static_cast<std::uint32_t>(contents.indices.size()));
    FillIndexBuffer(contents.indices);
    vertexBuffer_ = renderSystem.CreateVertexBuffer(VertexBufferKind(flags_), HasColours(flags_), contents.vertexCount);
    switch (contents.layout) {
        case ModelVertexLayout::kStatic:
            FillVertexBuffer(contents.vertices);
            break;
        case ModelVertexLayout::kKeyFrames:
            // The first update writes the vertex buffer.
            frameVertices_ = std::move(contents.vertices);
            break;
        case ModelVertexLayout::kSkinned:
            // Texture coordinates only: skinning computes positions and normals.
            FillVertexBuffer(contents.vertices);
            skinVertices_ = std::move(contents.skinVertices);
            break;
        case ModelVertexLayout::kNone:
            break;
    }

    if (flags_ & ModelFlags::kKeyFrames) {
        frameBoxes_ = std::move(contents.boxes);
        boundingBox_ = frameBoxes_.front();
    } else {
        boundingBox_ = contents.boxes.front();
    }
    if ((flags_ & ModelFlags::kSkinned) && skeleton_) {
        skeleton_->SetPose(keyFrames_.data(), 0, 0, 0.0f);
        boundingBox_ = skeleton_->GetBoundingBox();
    }
    animationControl_ = new AnimationControl(kModelAnimationMode, contents.frameCount);
    animationControl_->SetSpeed(contents.speed);
}

void Model::FillIndexBuffer(const std::vector<std::uint32_t>& indices) {
    const auto count = static_cast<std::uint32_t>(indices.size());
    void* slots = indexBuffer_->Lock(0, count);
    if (indexBuffer_->IsWide())
        std::copy(indices.begin(), indices.end(), static_cast<std::uint32_t*>(slots));
    else
        std::transform(indices.begin(), indices.end(), static_cast<std::uint16_t*>(slots),
                       [](std::uint32_t index) { return static_cast<std::uint16_t>(index); });
    indexBuffer_->Unlock();
}

void Model::FillVertexBuffer(const std::vector<Vertex>& vertices) {
    const auto count = static_cast<std::uint32_t>(vertices.size());
    if (vertexBuffer_->HasColours())
        CopyVertices(vertexBuffer_->LockColoured(0, count), vertices);
    else
        CopyVertices(vertexBuffer_->Lock(0, count), vertices);
    vertexBuffer_->Unlock();
}

void Model::SetFlags(std::uint32_t bits) {
    flags_ |= bits;
    if (bits & ModelFlags::kFirstDrawList)
        flags_ &= ~ModelFlags::kSecondDrawList;
    else if (bits & ModelFlags::kSecondDrawList)
        flags_ &= ~ModelFlags::kFirstDrawList;

    if (bits & ModelFlags::kCullClockwise)
        flags_ &= ~(ModelFlags::kTwoPasses | ModelFlags::kCullCounterClockwise);
    else if (bits & ModelFlags::kCullCounterClockwise)
        flags_ &= ~(ModelFlags::kTwoPasses | ModelFlags::kCullClockwise);
    else if (bits & ModelFlags::kTwoPasses)
        flags_ &= ~(ModelFlags::kCullClockwise | ModelFlags::kCullCounterClockwise);
}

void Model::ClearFlags(std::uint32_t bits) {
    // Leaving one list moves the model to the other.
    if (bits & (ModelFlags::kFirstDrawList | ModelFlags::kSecondDrawList))
        flags_ |= ModelFlags::kFirstDrawList | ModelFlags::kSecondDrawList;
    flags_ &= ~bits;
}

void Model::SetCamera(Camera* camera) { camera_ = camera ? camera : CameraManager::Instance()->GetDefaultCamera(); }

void Model::ComputePrimitiveCount() {
    const std::uint32_t count = indexBuffer_->GetCount();
    if (count <= 2)
        primitiveCount_ = 0;
    else if (primitiveType_ == PrimitiveType::TriangleList)
        primitiveCount_ = count / 3;
    else
        primitiveCount_ = count - 2;
}

void Model::ComputeBoundingBox(BoundingBox& out, bool world) const {
    Vector3 minimum{kWorldBound, kWorldBound, kWorldBound};
    Vector3 maximum{-kWorldBound, -kWorldBound, -kWorldBound};
    const std::uint8_t* vertices = vertexBuffer_->GetData();
    const std::uint32_t stride = vertexBuffer_->GetVertexSize();
    const std::uint32_t vertexCount = vertexBuffer_->GetVertexCount();
    const std::uint8_t* indices = indexBuffer_->GetData();
    const bool wide = indexBuffer_->IsWide();
    for (std::uint32_t i = 0; i < indexBuffer_->GetCount(); ++i) {
        std::uint32_t index;
        if (wide) {
            std::uint32_t value;
            std::copy_n(indices + 4 * i, 4, reinterpret_cast<std::uint8_t*>(&value));
            index = value;
        } else {
            std::uint16_t value;
            std::copy_n(indices + 2 * i, 2, reinterpret_cast<std::uint8_t*>(&value));
            index = value;
        }
        // An owner's index past its vertices names nothing.
        if (index >= vertexCount) continue;
        float position[3];
        std::copy_n(vertices + std::size_t{index} * stride, sizeof(position), reinterpret_cast<std::uint8_t*>(position));
        minimum = {std::min(minimum.x, position[0]), std::min(minimum.y, position[1]), std::min(minimum.z, position[2])};
        maximum = {std::max(maximum.x, position[0]), std::max(maximum.y, position[1]), std::max(maximum.z, position[2])};
    }
    if (world) {
        minimum = worldMatrix_.TransformPoint(minimum);
        maximum = worldMatrix_.TransformPoint(maximum);
    }
    out.SetMinMax(minimum, maximum);
}

void Model::SetShader(const ShaderDescriptor& descriptor) {
    ShaderManager& shaders = *ShaderManager::Instance();
    ShaderUser* previous = shaderUser_;
    shaderUser_ = shaders.GetShader(descriptor, false);
    shaders.ReleaseShader(previous);
}

void Model::SetColour(const Color& colour) { vertexBuffer_->SetColour(colour); }

void Model::SetAlpha(float alpha) { vertexBuffer_->SetAlpha(alpha); }

void Model::ScaleTextureCoordinates(const Vector2& scale) {
    const std::uint32_t count = vertexBuffer_->GetVertexCount();
    if (vertexBuffer_->HasColours())
        ScaleCoordinates(vertexBuffer_->LockColoured(0, count), count, scale);
    else
        ScaleCoordinates(vertexBuffer_->Lock(0, count), count, scale);
    vertexBuffer_->Unlock();
}

void Model::SetWorldMatrix(const Matrix4& matrix) {
    worldMatrix_ = matrix;
    boundingBox_.SetMatrix(worldMatrix_);
}

}  // namespace Vantor
