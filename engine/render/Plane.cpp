#include "engine/render/Plane.h"

#include <cmath>

#include "engine/kernel/MathHelpers.h"

namespace Vantor {

Plane::Plane(float a, float b, float c, float d) : normal(a, b, c), distance(d) { Normalize(); }

void Plane::Normalize() {
    const float length = std::sqrt(normal.LengthSquared());
    if (length < kFloatTolerance) return;
    normal /= length;
    distance /= length;
}

}  // namespace Vantor
