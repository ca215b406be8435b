#pragma once
// Four floats; also the RGBA colour (red, green, blue, alpha in x, y, z, w, each
// nominally 0..1 and clamped only when packed for the device).

#include <cstdint>

namespace Vantor {

class Vector4 {
public:
    constexpr Vector4() = default;
    constexpr Vector4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    Vector4& Set(float newX, float newY, float newZ, float newW) {
        x = newX;
        y = newY;
        z = newZ;
        w = newW;
        return *this;
    }
    Vector4& Fill(float v) { return Set(v, v, v, v); }
    // Grey colour: red, green and blue v.
    Vector4& SetGrey(float v, float alpha) { return Set(v, v, v, alpha); }

    Vector4 operator+(const Vector4& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
    // Integer factors convert to float.
    Vector4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
    // Component-wise: colour modulation.
    Vector4 operator*(const Vector4& o) const { return {x * o.x, y * o.y, z * o.z, w * o.w}; }
    Vector4 operator/(const Vector4& o) const { return {x / o.x, y / o.y, z / o.z, w / o.w}; }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

using Color = Vector4;

inline float Dot(const Vector4& a, const Vector4& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }

// Device colour A<<24 | R<<16 | G<<8 | B; each channel clamped to 0..1 and
// rounded to 0..255.
inline uint32_t PackColor(const Color& color) {
    auto channel = [](float c) -> uint32_t {
        if (c >= 1.0f) return 255;
        if (!(c > 0.0f)) return 0;  // also NaN
        return static_cast<uint32_t>(c * 255.0f + 0.5f);
    };
    return channel(color.w) << 24 | channel(color.x) << 16 | channel(color.y) << 8 | channel(color.z);
}

inline Color UnpackColor(uint32_t packed) {
    constexpr float kByteToUnit = 0.003921569f;  // 1 / 255
    auto channel = [](uint32_t bits) { return static_cast<float>(bits & 0xFF) * kByteToUnit; };
    return {channel(packed >> 16), channel(packed >> 8), channel(packed), channel(packed >> 24)};
}

}  // namespace Vantor
