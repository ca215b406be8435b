#include "engine/render/d3d7/DeviceValues.h"

#include <algorithm>

namespace Vantor {

D3DCOLOR PackDeviceColour(const Color& colour) {
    auto channel = [](float c) { return static_cast<D3DCOLOR>(std::clamp(c, 0.0f, 1.0f) * 255.0f); };
    return channel(colour.w) << 24 | channel(colour.x) << 16 | channel(colour.y) << 8 | channel(colour.z);
}

D3DCOLORVALUE DeviceColourValue(const Color& colour) {
    D3DCOLORVALUE value;
    value.r = colour.x;
    value.g = colour.y;
    value.b = colour.z;
    value.a = colour.w;
    return value;
}

D3DVECTOR DeviceVector(const Vector3& vector) {
    D3DVECTOR value;
    value.x = vector.x;
    value.y = vector.y;
    value.z = vector.z;
    return value;
}

D3DMATRIX DeviceMatrix(const Matrix4& matrix) {
    D3DMATRIX device;
    for (int i = 0; i < 16; ++i) device.m[i / 4][i % 4] = matrix.m[i];
    return device;
}

}  // namespace Vantor
