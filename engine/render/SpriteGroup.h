#pragma once
// A fixed-capacity batch of camera-facing square sprites drawn as the quads of one
// model with one shader. Sprite i owns vertices 4i..4i+3 and indices 6i..6i+5; each
// rebuild writes the live sprites' quads, far to near when sorting, into the first
// slots and lets the model draw only those. Made through the sprite-group manager.

#include <cstdint>
#include <vector>

#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/Sprite.h"

namespace Vantor {

class Camera;
class Model;
struct ColouredVertex;
class ShaderDescriptor;
class ShaderUser;

class SpriteGroup {
public:
    // The model's flags: static vertices, triangle list, vertex colours, depth test, the
    // far-to-near draw list, bounds recomputed each frame, visible, no depth writes and
    // the vertex buffer kind.
    static constexpr std::uint32_t kModelFlags =
        ModelFlags::kStatic | ModelFlags::kTriangleList | ModelFlags::kVertexColours | ModelFlags::kDepthTest |
        ModelFlags::kSecondDrawList | ModelFlags::kBoundsEachFrame | ModelFlags::kVisible |
        ModelFlags::kNoDepthWrite | ModelFlags::kVertexBufferKind;

    // Null camera: the camera manager's default camera. The descriptor is copied.
    SpriteGroup(std::uint32_t capacity, const ShaderDescriptor* descriptor, Camera* camera, bool lazyTextures);
    // A registered copy of the source's model, with its sprites, free indices, sort flag
    // and tint.
    SpriteGroup(const SpriteGroup& source);
    virtual ~SpriteGroup();
    SpriteGroup& operator=(const SpriteGroup&) = delete;

    // Takes the most recently freed index and shows a sprite there with rotation 0;
    // -1 when every sprite is in use.
    std::int32_t AddSprite(const Vector3& position, float size, const Color& colour);
    // Hides the sprite and frees its index for the next AddSprite. An index out of range
    // or already free is ignored.
    void RemoveSprite(std::int32_t index);
    // Direct access for moving, resizing, turning and colouring; null out of range.
    Sprite* GetSprite(std::int32_t index);

    bool IsVisible() const;
    void SetVisible(bool visible);
    // The tint every sprite's colour is multiplied with, from the next rebuild.
    void SetColour(const Color& colour) { colour_ = colour; }
    const Color& GetColour() const { return colour_; }
    void SetSort(bool sort) { sort_ = sort; }
    bool IsSorted() const { return sort_; }
    // Null gives the default material.
    void SetShader(const ShaderDescriptor* descriptor);
    ShaderUser* GetShaderUser() const;
    Model* GetModel() const { return model_; }
    Camera* GetCamera() const { return camera_; }
    std::uint32_t GetCapacity() const { return capacity_; }

    // Once per frame for registered groups: writes the live sprites' camera-facing
    // quads into the model and sets how many indices it draws. A hidden group keeps the
    // quads of its last rebuild.
    void Rebuild();

private:
    // The four corners and colours of one quad; normals and texture coordinates stay.
    void WriteQuad(ColouredVertex* quad, const Sprite& sprite, const Vector3& right, const Vector3& up,
                   const Vector3& back) const;

    // Free sprite indices, the next one to hand out at the back.
    std::vector<std::uint32_t> freeIndices_;
    std::uint32_t capacity_;
    std::vector<Sprite> sprites_;
    // The live sprites of the last rebuild, in draw order.
    std::vector<Sprite*> drawList_;
    Camera* camera_;
    Model* model_ = nullptr;  // registered with the model manager
    bool sort_ = true;
    Color colour_{1.0f, 1.0f, 1.0f, 1.0f};
};

static_assert(SpriteGroup::kModelFlags == 0x2c84a9);

}  // namespace Vantor
