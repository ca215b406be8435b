#pragma once
// One rendering device of a display adapter, with the display modes it can draw in.

#include <vector>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/render/ModeInfo.h"

namespace Vantor {

struct DeviceInfo {
    DeviceInfo() = default;
    DeviceInfo(const DeviceInfo&) = delete;
    DeviceInfo& operator=(const DeviceInfo&) = delete;
    virtual ~DeviceInfo() { DeleteAllAndClear(modes); }

    std::vector<ModeInfo*> modes;  // owned
    ModeInfo* chosenMode = nullptr;
    bool fullscreen = false;  // the chosen mode is used full screen
};

}  // namespace Vantor
