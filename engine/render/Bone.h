#pragma once
// One bone of a skeleton: what the model file gives (name, local box, pivot, whether it
// widens the skeleton's box) and the current pose with every matrix that skinning
// reads, kept so that they are computed once per pose.

#include <cstdint>
#include <string>

#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Quaternion.h"
#include "engine/kernel/Vector3.h"
#include "engine/render/BoundingBox.h"

namespace Vantor {

struct Bone {
    // A bone with this flag does not widen the skeleton's box.
    bool excludeFromBounds = false;
    std::string name;
    // Local box from the model file, placed by the bone matrix of the current pose.
    BoundingBox boundingBox;
    // Two values the model file stores with each bone; kept and copied, never read.
    std::uint16_t fileValues[2] = {0, 0};
    // The point the bone scales and rotates about.
    Vector3 pivot;

    // Current pose.
    Quaternion rotation;
    Vector3 position;
    Vector3 scale{1.0f, 1.0f, 1.0f};

    Matrix4 pivotMatrix;
    Matrix4 translationMatrix;
    // From the rotation, which need not be normalised (Quaternion::ToMatrix scales by
    // 2 / |q|^2).
    Matrix4 rotationMatrix;
    Matrix4 scaleMatrix;
    // Rotation x scale x pivot: moves normals.
    Matrix4 normalMatrix;
    // Translation x rotation x scale x pivot: a point is moved by the pivot, then scaled,
    // rotated and translated.
    Matrix4 boneMatrix;
};

}  // namespace Vantor
