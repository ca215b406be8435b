#pragma once
// Three floats: positions, directions, and RGB colours without alpha.

#include <cmath>

#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Vector2.h"

namespace Vantor {

class Vector3 {
public:
    constexpr Vector3() = default;
    constexpr Vector3(float x, float y, float z) : x(x), y(y), z(z) {}
    // (v.x, v.y, 0).
    explicit constexpr Vector3(const Vector2& v) : x(v.x), y(v.y) {}

    void CopyTo(Vector3& out) const { out = *this; }
    Vector3& Fill(float v) {
        x = y = z = v;
        return *this;
    }

    Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3& operator+=(const Vector3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }
    Vector3& operator/=(float s) {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    // True when any component differs by the tolerance or more.
    bool operator!=(const Vector3& o) const {
        return !IsNearlyEqual(x, o.x) || !IsNearlyEqual(y, o.y) || !IsNearlyEqual(z, o.z);
    }

    float LengthSquared() const { return x * x + y * y + z * z; }
    // Scales to the given length; a (nearly) zero vector is left as it is.
    void Normalize(float length) {
        float k = std::sqrt(LengthSquared()) / length;
        if (std::fabs(k) < kFloatTolerance) return;
        x /= k;
        y /= k;
        z /= k;
    }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline Vector2::Vector2(const Vector3& v) : x(v.x), y(v.y) {}

inline Vector2& Vector2::AssignXY(const Vector3& v) { return Set(v.x, v.y); }

}  // namespace Vantor
