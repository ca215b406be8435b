#pragma once
// A camera that programs the Direct3D 7 device: left-handed projections with depth
// 0..1 from the screen-fitted extents, sent with the view whenever the camera is
// applied. It reaches the device through the render system's device field, so it
// follows a device reset.

#include <cstdint>

#include "engine/kernel/Matrix4.h"
#include "engine/render/Camera.h"
#include "platform/Direct3D.h"

namespace Vantor {

class Camera_D3D7 : public Camera {
public:
    // Made only by the render system (it must be the registered one).
    explicit Camera_D3D7(std::int32_t projectionKind);

    // The base matrices, then the device projection and the device Z-biased projection.
    void Update() override;
    // While the device is ready: the device projection, then the view through the render
    // system's cache. Otherwise nothing.
    void Apply() override;
    void ApplyZBiased() override;

    const Matrix4& GetDeviceProjection() const { return deviceProjection_; }
    const Matrix4& GetDeviceZBiasedProjection() const { return deviceZBiasedProjection_; }

private:
    void Send(const Matrix4& projection, const char* context);

    IDirect3DDevice7* const* deviceSlot_;
    Matrix4 deviceProjection_;
    Matrix4 deviceZBiasedProjection_;
};

}  // namespace Vantor
