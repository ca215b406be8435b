#pragma once
// Two floats: GUI positions and sizes, texture coordinates.

namespace Vantor {

class Vector3;

class Vector2 {
public:
    constexpr Vector2() = default;
    constexpr Vector2(float x, float y) : x(x), y(y) {}
    // Takes x and y and drops z.
    explicit Vector2(const Vector3& v);

    Vector2& Set(float newX, float newY) {
        x = newX;
        y = newY;
        return *this;
    }
    Vector2& AssignXY(const Vector3& v);
    Vector2& Fill(float v) { return Set(v, v); }

    Vector2 operator+(const Vector2& o) const { return {x + o.x, y + o.y}; }
    Vector2 operator-(const Vector2& o) const { return {x - o.x, y - o.y}; }
    Vector2& operator+=(const Vector2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    // Integer factors convert to float (an unsigned one stays positive).
    Vector2 operator*(float s) const { return {x * s, y * s}; }
    Vector2 operator*(const Vector2& o) const { return {x * o.x, y * o.y}; }
    Vector2 operator/(const Vector2& o) const { return {x / o.x, y / o.y}; }

    float LengthSquared() const { return x * x + y * y; }
    // True when both components are strictly smaller.
    bool IsLess(const Vector2& o) const { return x < o.x && y < o.y; }

    float x = 0.0f;
    float y = 0.0f;
};

}  // namespace Vantor

// The members that take a Vector3 are defined there.
#include "engine/kernel/Vector3.h"
