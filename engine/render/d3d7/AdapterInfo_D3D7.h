#pragma once
// A DirectDraw driver: its capabilities, the desktop's display mode and the driver's
// display modes of at least 640 x 400, largest first.

#include <vector>

#include "engine/render/AdapterInfo.h"
#include "platform/DirectDraw.h"
#include "platform/WinUser.h"

namespace Vantor {

struct AdapterInfo_D3D7 : AdapterInfo {
    GUID guid{};
    GUID* guidPointer = nullptr;  // null for the primary display driver, else points to guid
    char description[512] = {};
    DDCAPS hardwareCaps{};
    DDCAPS emulationCaps{};
    // Can render in a window, and is the primary display driver.
    bool usable = false;
    DEVMODEW desktopMode{};
    // The devices' modes point into this list: it is complete before they are made.
    std::vector<DDSURFACEDESC2> displayModes;
};

}  // namespace Vantor
