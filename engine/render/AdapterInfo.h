#pragma once
// One display adapter with its rendering devices.

#include <vector>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/render/DeviceInfo.h"

namespace Vantor {

struct AdapterInfo {
    AdapterInfo() = default;
    AdapterInfo(const AdapterInfo&) = delete;
    AdapterInfo& operator=(const AdapterInfo&) = delete;
    virtual ~AdapterInfo() { DeleteAllAndClear(devices); }

    std::vector<DeviceInfo*> devices;  // owned
    DeviceInfo* chosenDevice = nullptr;
};

}  // namespace Vantor
