#include "engine/render/Frustum.h"

#include "engine/render/BoundingBox.h"

namespace Vantor {

namespace {

// Spheres smaller than this belong to empty or degenerate boxes.
constexpr float kMinimumRadius = 0.001f;

}  // namespace

void Frustum::Build(const Matrix4& projection, const Matrix4& view) {
    const Matrix4 m = view * projection;
    // Column j of the combined matrix gives clip coordinate j of a row vector (x, y, z, 1).
    auto column = [&m](int j, float sign) {
        return std::array<float, 4>{sign * m.m[j], sign * m.m[4 + j], sign * m.m[8 + j], sign * m.m[12 + j]};
    };
    auto plane = [&](int j, float sign) {
        const std::array<float, 4> w = column(3, 1.0f);
        const std::array<float, 4> c = column(j, sign);
        return Plane(w[0] + c[0], w[1] + c[1], w[2] + c[2], w[3] + c[3]);
    };
    planes_[kRight] = plane(0, -1.0f);
    planes_[kLeft] = plane(0, 1.0f);
    planes_[kBottom] = plane(1, 1.0f);
    planes_[kTop] = plane(1, -1.0f);
    planes_[kFar] = plane(2, -1.0f);
    planes_[kNear] = plane(2, 1.0f);
}

bool Frustum::IsVisible(const BoundingBox& box) const {
    if (box.radius < kMinimumRadius) return false;
    for (const Plane& plane : planes_) {
        if (plane.Distance(box.centre) <= -box.radius) return false;
    }
    return true;
}

}  // namespace Vantor
