#include "engine/render/d3d7/Light_D3D7.h"

#include "engine/render/d3d7/DeviceValues.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

RenderSystem_D3D7& TheRenderSystem() { return *static_cast<RenderSystem_D3D7*>(RenderSystem::Instance()); }

}  // namespace

Light_D3D7::Light_D3D7(std::int32_t index) : Light(index), deviceSlot_(TheRenderSystem().GetDeviceSlot()) {}

Light_D3D7::~Light_D3D7() { DisableLight(); }

IDirect3DDevice7* Light_D3D7::ReadyDevice() const {
    return TheRenderSystem().IsReady() ? *deviceSlot_ : nullptr;
}

D3DLIGHT7 Light_D3D7::DeviceLight() const {
    D3DLIGHT7 light{};
    light.dcvDiffuse = DeviceColourValue(diffuse);
    light.dcvSpecular = DeviceColourValue(specular);
    light.dcvAmbient = DeviceColourValue(ambient);
    light.dvRange = range;
    switch (type) {
        case kDirectional:
            light.dltType = D3DLIGHT_DIRECTIONAL;
            light.dvDirection = DeviceVector(direction);
            break;
        case kSpot:
            light.dltType = D3DLIGHT_SPOT;
            light.dvPosition = DeviceVector(position);
            light.dvDirection = DeviceVector(direction);
            light.dvAttenuation0 = constantAttenuation;
            light.dvAttenuation1 = linearAttenuation;
            light.dvAttenuation2 = quadraticAttenuation;
            light.dvTheta = innerConeAngle;
            light.dvPhi = outerConeAngle;
            light.dvFalloff = 1.0f;
            break;
        case kPoint:
            light.dltType = D3DLIGHT_POINT;
            light.dvPosition = DeviceVector(position);
            light.dvAttenuation0 = constantAttenuation;
            light.dvAttenuation1 = linearAttenuation;
            light.dvAttenuation2 = quadraticAttenuation;
            break;
    }
    return light;
}

void Light_D3D7::Refresh() {
    if (!enabled) {
        DisableLight();
        return;
    }
    D3DLIGHT7 light = DeviceLight();
    IDirect3DDevice7* device = ReadyDevice();
    if (!device) return;
    RenderSystem_D3D7& renderSystem = TheRenderSystem();
    const auto index = static_cast<DWORD>(index_);
    renderSystem.CheckResult("Light_D3D7::Refresh", device->SetLight(index, &light));
    renderSystem.CheckResult("Light_D3D7::Refresh", device->LightEnable(index, TRUE));
}

void Light_D3D7::DisableLight() {
    IDirect3DDevice7* device = ReadyDevice();
    if (!device) return;
    TheRenderSystem().CheckResult("Light_D3D7::DisableLight", device->LightEnable(static_cast<DWORD>(index_), FALSE));
}

}  // namespace Vantor

