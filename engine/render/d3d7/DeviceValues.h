#pragma once
// The engine's values as the Direct3D 7 device takes them.

#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"
#include "platform/Direct3D.h"

namespace Vantor {

// The render system's own colours: A<<24 | R<<16 | G<<8 | B, each component clamped to
// 0..1, times 255 with its fraction dropped.
D3DCOLOR PackDeviceColour(const Color& colour);
D3DCOLORVALUE DeviceColourValue(const Color& colour);
D3DVECTOR DeviceVector(const Vector3& vector);
// Element for element: both store row by row.
D3DMATRIX DeviceMatrix(const Matrix4& matrix);

}  // namespace Vantor
