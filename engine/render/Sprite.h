#pragma once
// One camera-facing square of a sprite group, a plain record.

#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

struct Sprite {
    // The slot is free; hidden sprites are not drawn.
    bool hidden = true;
    // Distance in front of the group's camera, written by the rebuild.
    float depth = 0.0f;
    // World position of the centre.
    Vector3 position;
    // Half the side of the square, in world units.
    float size = 0.0f;
    // Radians about the camera's back axis.
    float rotation = 0.0f;
    // Multiplied with the group's tint.
    Color colour{1.0f, 1.0f, 1.0f, 1.0f};
};

}  // namespace Vantor
