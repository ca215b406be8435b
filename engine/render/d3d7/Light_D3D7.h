#pragma once
// A light that the Direct3D 7 device receives: sent and enabled at every refresh while
// it is enabled, switched off otherwise and when it is deleted. It reaches the device
// through the render system's device field, so it follows a device reset; while the
// device is not ready nothing is sent.

#include <cstdint>

#include "engine/render/Light.h"
#include "platform/Direct3D.h"

namespace Vantor {

class Light_D3D7 : public Light {
public:
    // Made only by the render system (it must be the registered one).
    explicit Light_D3D7(std::int32_t index);
    ~Light_D3D7() override;

    void Refresh() override;
    // Switches the device light off.
    void DisableLight();

private:
    // The device record: only the members of the light's type are filled.
    D3DLIGHT7 DeviceLight() const;
    // The device, or null while it is not ready.
    IDirect3DDevice7* ReadyDevice() const;

    IDirect3DDevice7* const* deviceSlot_;
};

}  // namespace Vantor
