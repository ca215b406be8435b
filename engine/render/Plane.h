#pragma once
// A plane as a normal and a distance: a point p lies on the inner side when
// normal . p + distance > 0.

#include "engine/kernel/Vector3.h"

namespace Vantor {

class Plane {
public:
    // A zero plane: a frustum builds its planes before they are read.
    Plane() = default;
    // Normal (a, b, c) and distance d, normalised.
    Plane(float a, float b, float c, float d);
    virtual ~Plane() = default;
    Plane(const Plane&) = default;
    Plane& operator=(const Plane&) = default;

    // Divides all four values by the normal's length, unless it is shorter than 0.0001.
    void Normalize();
    // normal . p + distance.
    float Distance(const Vector3& p) const { return Dot(normal, p) + distance; }

    Vector3 normal;
    float distance = 0.0f;
};

}  // namespace Vantor
