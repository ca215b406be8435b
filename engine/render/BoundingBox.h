#pragma once
// An axis-aligned box in an object's own space, the transform that places it in the
// world, and what follows from the two: the axis-aligned world box around the placed
// corners, its centre, half-extents and the radius of the sphere around it. A plain
// value, copied member by member.

#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Vector3.h"

namespace Vantor {

class BoundingBox {
public:
    // Zero box, identity matrices; owners set a box before reading it.
    BoundingBox() = default;

    BoundingBox& Assign(const BoundingBox& other) { return *this = other; }

    // A new local box; the transform and the second matrix become identity and the world
    // box is the local box.
    void SetMinMax(const Vector3& minimum, const Vector3& maximum);
    BoundingBox& Set(const Vector3& minimum, const Vector3& maximum);
    // Places the local box with the matrix (column-vector convention).
    void SetMatrix(const Matrix4& matrix);
    // Derives the world box from the local box: through the transform when transformed,
    // else as the local box itself with both matrices reset.
    void Recompute(bool transformed);

    // The box between two: centre and half-extents interpolated, set into `out` as a
    // local box with identity transform.
    static BoundingBox& Interpolate(BoundingBox& out, const BoundingBox& a, const BoundingBox& b, float t);

    Vector3 localMin;
    Vector3 localMax;
    Matrix4 transform;
    // Reset and copied with the box; the box itself never reads it.
    Matrix4 secondMatrix;
    Vector3 worldMin;
    Vector3 worldMax;
    Vector3 centre;
    Vector3 halfExtents;
    float radius = 0.0f;
};

}  // namespace Vantor
