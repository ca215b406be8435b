#pragma once
// What the display drivers offer: their display modes and their Direct3D devices with
// the devices' capabilities and formats. DirectDrawEnumerateExA reports these drivers,
// and a DirectDraw object takes its driver's record when it is created.
//
// By default there is one driver, the primary display driver (null GUID, can render in a
// window), with the display modes 640x480, 800x600, 1024x768 and the desktop's size
// (platform/Desktop.h), each at 16 and 32 bits, and one hardware transform-and-lighting
// device. Tests replace the record through platform::seam::SetGraphicsCaps.

#include <string>
#include <vector>

#include "platform/Direct3D.h"

namespace platform {

struct DisplayModeCaps {
    DWORD width;
    DWORD height;
    DWORD bitsPerPixel;  // 8, 16, 24 or 32
    DWORD refreshRate;
};

struct Direct3DDeviceCaps {
    GUID guid;
    std::string name;
    std::string description;
    DWORD devCaps;          // D3DDEVCAPS_ flags
    DWORD rasterCaps;       // D3DPRASTERCAPS_ flags of triangles and lines
    DWORD renderBitDepths;  // DDBD_ flags: the render-target depths the device draws into
    DWORD maxTextureWidth;
    DWORD maxTextureHeight;
    DWORD maxAnisotropy;
    WORD textureStages;  // simultaneous textures
    std::vector<DDPIXELFORMAT> textureFormats;
    std::vector<DDPIXELFORMAT> zBufferFormats;
};

struct DisplayDriverCaps {
    bool primary;  // the primary display driver, reported and created with a null GUID
    GUID guid;
    std::string description;
    std::string name;
    bool canRenderWindowed;
    std::vector<DisplayModeCaps> displayModes;
    std::vector<Direct3DDeviceCaps> devices;
};

struct GraphicsCaps {
    std::vector<DisplayDriverCaps> drivers;
};

// The capabilities in effect: the ones a test set, else the defaults for the current
// desktop.
GraphicsCaps GraphicsCapsInEffect();

// A device's capabilities as Direct3D describes them in its enumeration.
D3DDEVICEDESC7 DescribeDevice(const Direct3DDeviceCaps& device);

}  // namespace platform

namespace platform::seam {

// The default capabilities for the current desktop (to be changed and set).
platform::GraphicsCaps DefaultGraphicsCaps();
// Used by every enumeration and every DirectDraw object created afterwards.
void SetGraphicsCaps(const platform::GraphicsCaps& caps);
void ResetGraphicsCaps();

}  // namespace platform::seam
