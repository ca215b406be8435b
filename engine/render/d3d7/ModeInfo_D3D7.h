#pragma once
// A display mode of a Direct3D 7 device: 16 bits for a 16-bit mode and 32 for every
// deeper one, and the adapter's description of the mode, whose real depth and refresh
// rate are used when the mode is set.

#include "engine/render/ModeInfo.h"
#include "platform/DirectDraw.h"

namespace Vantor {

struct ModeInfo_D3D7 : ModeInfo {
    const DDSURFACEDESC2* description = nullptr;  // in the adapter's mode list
};

}  // namespace Vantor
