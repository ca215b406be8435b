#pragma once
// Rotation quaternion (x, y, z, w); (0, 0, 0, 1) is no rotation.

#include "engine/kernel/Matrix4.h"

namespace Vantor {

class Quaternion {
public:
    constexpr Quaternion() = default;
    constexpr Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    // The rotation that applies this one first, then o (the Hamilton product o * this),
    // in the eight-multiplication form.
    Quaternion operator*(const Quaternion& o) const {
        const float a = (o.w + o.x) * (w + x);
        const float b = (o.z - o.y) * (y - z);
        const float c = (o.x - o.w) * (y + z);
        const float d = (o.y + o.z) * (x - w);
        const float e = (o.x + o.z) * (x + y);
        const float f = (o.x - o.z) * (x - y);
        const float g = (o.w + o.y) * (w - z);
        const float h = (o.w - o.y) * (w + z);
        return {a - (e + f + g + h) * 0.5f, -c + (e - f + g - h) * 0.5f, -d + (e - f - g + h) * 0.5f,
                b + (-e - f + g + h) * 0.5f};
    }

    float LengthSquared() const { return x * x + y * y + z * z + w * w; }

    // Rotation matrix for column vectors; scaled by 2 / |q|^2, so any non-zero
    // length gives a pure rotation. A zero quaternion (bad data) gives the identity.
    Matrix4 ToMatrix() const {
        Matrix4 r;
        const float lengthSquared = LengthSquared();
        if (lengthSquared == 0.0f) return r;
        const float s = 2.0f / lengthSquared;
        r.m[0] = 1.0f - s * (y * y + z * z);
        r.m[1] = s * (x * y - z * w);
        r.m[2] = s * (x * z + y * w);
        r.m[4] = s * (x * y + z * w);
        r.m[5] = 1.0f - s * (x * x + z * z);
        r.m[6] = s * (y * z - x * w);
        r.m[8] = s * (x * z - y * w);
        r.m[9] = s * (y * z + x * w);
        r.m[10] = 1.0f - s * (x * x + y * y);
        return r;
    }

    // Linear blend a * (1 - t) + b * t, taking -b when it lies on the other side
    // of a, so that q and -q (the same rotation) blend to q. Not normalised.
    static Quaternion Blend(const Quaternion& a, const Quaternion& b, float t) {
        const float sign = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w < 0.0f ? -1.0f : 1.0f;
        const float u = 1.0f - t;
        const float v = t * sign;
        return {a.x * u + b.x * v, a.y * u + b.y * v, a.z * u + b.z * v, a.w * u + b.w * v};
    }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
};

}  // namespace Vantor
