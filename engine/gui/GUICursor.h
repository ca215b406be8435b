#pragma once
// The mouse in GUI units, and optionally a cursor image hanging from that point in front
// of every GUI window. The GUI manager moves every cursor at the frame start and places
// its image in the frame's update; the cursor's owner decides whether the image shows.

#include <cstdint>

#include "engine/kernel/Vector2.h"

namespace Vantor {

class Camera;
class Model;
class ShaderDescriptor;

class GUICursor {
public:
    // In front of the top layer of windows, behind the letterbox bars.
    static constexpr float kDepth = -400.0f - 10.0f * 0.01f;
    // The image quad's model flags: static, 0x10, the blended list, the given depth,
    // bounds every frame, drawn.
    static constexpr std::uint32_t kQuadModelFlags = 0x48C11;

    // With a model resource the image is a registered copy of it; else with a shader a
    // square of the quad size whose top-left corner is the hot spot; else no image.
    // Only the GUI manager makes cursors.
    GUICursor(Camera* camera, const Model* modelResource, const ShaderDescriptor* shader, float quadSize);
    virtual ~GUICursor();
    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;

    // The position from the mouse: the client pixel scaled to the camera's extent, with y
    // turned upwards and the bottom pixel row at 0.
    void UpdatePosition();
    // Moves the image to the position; it is drawn only while visible.
    void UpdateModel();

    const Vector2& GetPosition() const { return position_; }
    Model* GetModel() const { return model_; }

    // Set by the cursor's owner; a hidden cursor still follows the mouse.
    bool visible = false;

private:
    void MakeQuad(const ShaderDescriptor& shader, float quadSize);

    Camera* camera_;          // not owned
    Model* model_ = nullptr;  // registered with the model manager
    Vector2 position_;
};

}  // namespace Vantor
