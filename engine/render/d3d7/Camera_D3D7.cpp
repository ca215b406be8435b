#include "engine/render/d3d7/Camera_D3D7.h"

#include "engine/render/d3d7/DeviceValues.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

RenderSystem_D3D7& TheRenderSystem() { return *static_cast<RenderSystem_D3D7*>(RenderSystem::Instance()); }

// Left-handed, depth to 0..1, row-vector layout.
Matrix4 DeviceProjection(bool perspective, const Camera::Extents& e, float n, float f) {
    const float r = e.right, l = e.left, t = e.top, b = e.bottom;
    Matrix4 m;
    for (float& element : m.m) element = 0.0f;
    if (perspective) {
        m.m[0] = 2.0f * n / (r - l);
        m.m[5] = 2.0f * n / (t - b);
        m.m[8] = (l + r) / (l - r);
        m.m[9] = (t + b) / (b - t);
        m.m[10] = f / (f - n);
        m.m[11] = 1.0f;
        m.m[14] = n * f / (n - f);
    } else {
        m.m[0] = 2.0f / (r - l);
        m.m[5] = 2.0f / (t - b);
        m.m[10] = 1.0f / (n - f);
        m.m[12] = (l + r) / (l - r);
        m.m[13] = (t + b) / (b - t);
        m.m[14] = n / (n - f);
        m.m[15] = 1.0f;
    }
    return m;
}

}  // namespace

Camera_D3D7::Camera_D3D7(std::int32_t projectionKind)
    : Camera(projectionKind), deviceSlot_(TheRenderSystem().GetDeviceSlot()) {}

void Camera_D3D7::Update() {
    Camera::Update();
    deviceProjection_ = DeviceProjection(IsPerspective(), fittedExtents_, nearPlane, farPlane);
    deviceZBiasedProjection_ = DeviceProjection(IsPerspective(), fittedExtents_, nearPlane, farPlane + 1.0f);
}

void Camera_D3D7::Apply() { Send(deviceProjection_, "Camera_D3D7::Apply"); }

void Camera_D3D7::ApplyZBiased() { Send(deviceZBiasedProjection_, "Camera_D3D7::ApplyZBiased"); }

void Camera_D3D7::Send(const Matrix4& projection, const char* context) {
    RenderSystem_D3D7& renderSystem = TheRenderSystem();
    IDirect3DDevice7* device = *deviceSlot_;
    if (!renderSystem.IsReady() || !device) return;
    D3DMATRIX matrix = DeviceMatrix(projection);
    renderSystem.CheckResult(context, device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix));
    renderSystem.SetViewMatrix(view_);
}

}  // namespace Vantor
