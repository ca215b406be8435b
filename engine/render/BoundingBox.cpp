#include "engine/render/BoundingBox.h"

#include <algorithm>
#include <cmath>

#include "engine/kernel/MathHelpers.h"

namespace Vantor {

namespace {

// World coordinates of every box lie within this bound.
constexpr float kWorldBound = 100000.0f;

}  // namespace

void BoundingBox::SetMinMax(const Vector3& minimum, const Vector3& maximum) {
    localMin = minimum;
    localMax = maximum;
    Recompute(false);
}

BoundingBox& BoundingBox::Set(const Vector3& minimum, const Vector3& maximum) {
    SetMinMax(minimum, maximum);
    return *this;
}

void BoundingBox::SetMatrix(const Matrix4& matrix) {
    transform = matrix;
    Recompute(true);
}

void BoundingBox::Recompute(bool transformed) {
    if (transformed) {
        const Vector3& a = localMin;
        const Vector3& b = localMax;
        const Vector3 corners[8] = {{a.x, a.y, a.z}, {b.x, a.y, a.z}, {b.x, b.y, a.z}, {b.x, a.y, b.z},
                                    {b.x, b.y, b.z}, {a.x, b.y, a.z}, {a.x, b.y, b.z}, {a.x, a.y, b.z}};
        worldMin = {kWorldBound, kWorldBound, kWorldBound};
        worldMax = {-kWorldBound, -kWorldBound, -kWorldBound};
        for (const Vector3& corner : corners) {
            Vector3 p = transform.TransformPoint(corner);
            worldMin = {std::min(worldMin.x, p.x), std::min(worldMin.y, p.y), std::min(worldMin.z, p.z)};
            worldMax = {std::max(worldMax.x, p.x), std::max(worldMax.y, p.y), std::max(worldMax.z, p.z)};
        }
    } else {
        transform = Matrix4::Identity();
        secondMatrix = Matrix4::Identity();
        worldMin = localMin;
        worldMax = localMax;
    }
    halfExtents = (worldMax - worldMin) * 0.5f;
    centre = worldMin + halfExtents;
    radius = std::sqrt(Dot(halfExtents, halfExtents));
}

BoundingBox& BoundingBox::Interpolate(BoundingBox& out, const BoundingBox& a, const BoundingBox& b, float t) {
    Vector3 c = Lerp(a.centre, b.centre, t);
    Vector3 e = Lerp(a.halfExtents, b.halfExtents, t);
    return out.Set(c - e, c + e);
}

}  // namespace Vantor
