#pragma once
// The six planes of a camera's view volume, inward-facing, and the sphere test that
// models are culled with.

#include <array>

#include "engine/kernel/Matrix4.h"
#include "engine/render/Plane.h"

namespace Vantor {

class BoundingBox;

class Frustum {
public:
    enum Side { kRight, kLeft, kBottom, kTop, kFar, kNear, kSideCount };

    Frustum() = default;
    virtual ~Frustum() = default;

    // The planes of the volume that the view and then the projection (both in the
    // device's row-vector layout) map into the clip cube.
    void Build(const Matrix4& projection, const Matrix4& view);
    // Whether the sphere around the box's world box reaches into the volume. A box of
    // radius below 0.001 is never visible; a sphere that straddles a plane is.
    bool IsVisible(const BoundingBox& box) const;

    const Plane& GetPlane(Side side) const { return planes_[side]; }

private:
    std::array<Plane, kSideCount> planes_;
};

}  // namespace Vantor
