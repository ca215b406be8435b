#pragma once
// One fixed-function device light: directional, spot or point, with its colours,
// range, attenuation and cone. The implementation sends it to the device.

#include <cstdint>

#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

class Light {
public:
    static constexpr std::int32_t kDirectional = 0;
    static constexpr std::int32_t kSpot = 1;
    static constexpr std::int32_t kPoint = 2;

    // A white point light at the origin with the device's largest range, for the device
    // light of that index.
    explicit Light(std::int32_t index);
    virtual ~Light() = default;
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Sends the light (enabled) or switches it off (disabled).
    virtual void Refresh() {}
    // Hook for sending the light again; empty here and in the device light.
    virtual void Reenable() {}

    std::int32_t GetIndex() const { return index_; }

    bool enabled = true;
    std::int32_t type = kPoint;
    Vector3 position;
    Vector3 direction{0.0f, 0.0f, -1.0f};
    float range;
    Color ambient{1.0f, 1.0f, 1.0f, 1.0f};
    Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
    float innerConeAngle = 0.0f;  // radians, spot lights only
    float outerConeAngle = 0.0f;

protected:
    std::int32_t index_;
};

}  // namespace Vantor
