#include "engine/render/SpriteGroup.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/VertexBuffer.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kVerticesPerSprite = 4;
constexpr std::uint32_t kIndicesPerSprite = 6;

// Far first; a depth that is not a number sorts as the nearest, so the order stays strict.
float SortKey(const Sprite* sprite) {
    return std::isnan(sprite->depth) ? -std::numeric_limits<float>::infinity() : sprite->depth;
}

}  // namespace

SpriteGroup::SpriteGroup(std::uint32_t capacity, const ShaderDescriptor* descriptor, Camera* camera, bool lazyTextures)
    : capacity_(capacity),
      sprites_(capacity),
      drawList_(capacity, nullptr),
      camera_(camera ? camera : CameraManager::Instance()->GetDefaultCamera()) {
    model_ = ModelManager::Instance()->CreateModel(kModelFlags, capacity * kVerticesPerSprite,
                                                   capacity * kIndicesPerSprite, 1, descriptor, camera,
                                                   lazyTextures);

    // Two triangles per sprite over its own four vertices.
    std::vector<std::int32_t> indices(capacity * kIndicesPerSprite);
    for (std::uint32_t i = 0; i < capacity; ++i) {
        const auto first = static_cast<std::int32_t>(i * kVerticesPerSprite);
        const std::int32_t quad[kIndicesPerSprite] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        std::copy(quad, quad + kIndicesPerSprite, indices.begin() + i * kIndicesPerSprite);
    }
    model_->GetIndexBuffer()->SetIndices(0, static_cast<std::uint32_t>(indices.size()), indices.data());

    // Every slot maps the whole texture; the rebuild writes positions and colours only.
    VertexBuffer* vertices = model_->GetVertexBuffer();
    ColouredVertex* vertex = vertices->LockColoured(0, capacity * kVerticesPerSprite);
    for (std::uint32_t i = 0; i < capacity; ++i, vertex += kVerticesPerSprite) {
        vertex[0].u = 0.0f;
        vertex[0].v = 0.0f;
        vertex[1].u = 0.0f;
        vertex[1].v = 1.0f;
        vertex[2].u = 1.0f;
        vertex[2].v = 0.0f;
        vertex[3].u = 1.0f;
        vertex[3].v = 1.0f;
    }
    vertices->Unlock();

    freeIndices_.reserve(capacity);
    for (std::uint32_t i = 0; i < capacity; ++i) freeIndices_.push_back(i);
}

SpriteGroup::SpriteGroup(const SpriteGroup& source)
    : freeIndices_(source.freeIndices_),
      capacity_(source.capacity_),
      sprites_(source.sprites_),
      drawList_(source.capacity_, nullptr),
      camera_(source.camera_),
      model_(ModelManager::Instance()->CreateModelInstance(*source.model_, nullptr, 0)),
      sort_(source.sort_),
      colour_(source.colour_) {
    freeIndices_.reserve(capacity_);
}

SpriteGroup::~SpriteGroup() { ModelManager::Instance()->ReleaseModel(model_); }

std::int32_t SpriteGroup::AddSprite(const Vector3& position, float size, const Color& colour) {
    if (freeIndices_.empty()) return -1;
    const std::uint32_t index = freeIndices_.back();
    freeIndices_.pop_back();
    Sprite& sprite = sprites_[index];
    sprite.hidden = false;
    sprite.position = position;
    sprite.size = size;
    sprite.rotation = 0.0f;
    sprite.colour = colour;
    return static_cast<std::int32_t>(index);
}

void SpriteGroup::RemoveSprite(std::int32_t index) {
    Sprite* sprite = GetSprite(index);
    // Freeing an index twice would hand it out twice.
    if (sprite == nullptr || sprite->hidden) return;
    sprite->hidden = true;
    freeIndices_.push_back(static_cast<std::uint32_t>(index));
}

Sprite* SpriteGroup::GetSprite(std::int32_t index) {
    if (index < 0 || static_cast<std::uint32_t>(index) >= capacity_) return nullptr;
    return &sprites_[static_cast<std::uint32_t>(index)];
}

bool SpriteGroup::IsVisible() const { return (model_->GetFlags() & ModelFlags::kVisible) != 0; }

void SpriteGroup::SetVisible(bool visible) {
    if (visible)
        model_->SetFlags(ModelFlags::kVisible);
    else
        model_->ClearFlags(ModelFlags::kVisible);
}

void SpriteGroup::SetShader(const ShaderDescriptor* descriptor) {
    model_->SetShader(descriptor ? *descriptor : ShaderDescriptor());
}

ShaderUser* SpriteGroup::GetShaderUser() const { return model_->GetShaderUser(); }

void SpriteGroup::Rebuild() {
    if (!IsVisible()) return;
    const Vector3& right = camera_->GetRightAxis();
    const Vector3& up = camera_->GetUpAxis();
    const Vector3& back = camera_->GetBackAxis();

    std::uint32_t count = 0;
    for (Sprite& sprite : sprites_) {
        if (sprite.hidden) continue;
        if (sort_) sprite.depth = Dot(back, camera_->position - sprite.position);
        drawList_[count++] = &sprite;
    }
    if (sort_)
        std::sort(drawList_.begin(), drawList_.begin() + count,
                  [](const Sprite* a, const Sprite* b) { return SortKey(a) > SortKey(b); });

    VertexBuffer* vertices = model_->GetVertexBuffer();
    ColouredVertex* quad = vertices->LockColoured(0, count * kVerticesPerSprite);
    for (std::uint32_t slot = 0; slot < count; ++slot, quad += kVerticesPerSprite)
        WriteQuad(quad, *drawList_[slot], right, up, back);
    vertices->Unlock();
    model_->GetIndexBuffer()->SetCount(count * kIndicesPerSprite);
}

void SpriteGroup::WriteQuad(ColouredVertex* quad, const Sprite& sprite, const Vector3& right, const Vector3& up,
                            const Vector3& back) const {
    const Vector3& centre = sprite.position;
    Vector3 corners[kVerticesPerSprite] = {
        centre + (-right - up) * sprite.size,
        centre + (-right + up) * sprite.size,
        centre + (right - up) * sprite.size,
        centre + (right + up) * sprite.size,
    };
    if (std::fabs(sprite.rotation) > kFloatTolerance) {
        const Matrix4 turn = Matrix4::Rotation(back, sprite.rotation);
        for (Vector3& corner : corners) corner = turn.TransformPoint(corner - centre) + centre;
    }

    const std::uint32_t colour = model_->GetVertexBuffer()->PackColour(sprite.colour * colour_);
    for (std::uint32_t i = 0; i < kVerticesPerSprite; ++i) {
        quad[i].position[0] = corners[i].x;
        quad[i].position[1] = corners[i].y;
        quad[i].position[2] = corners[i].z;
        quad[i].colour = colour;
    }
}

}  // namespace Vantor
