#pragma once
// A hardware-rasterising Direct3D 7 device of an adapter.

#include "engine/render/DeviceInfo.h"
#include "platform/Direct3D.h"

namespace Vantor {

struct DeviceInfo_D3D7 : DeviceInfo {
    GUID guid{};
    GUID* guidPointer = nullptr;  // points to guid
    char name[512] = {};
    char description[512] = {};
    D3DDEVICEDESC7 deviceDescription{};
};

}  // namespace Vantor
