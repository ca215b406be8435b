// Enumeration of the adapters, devices and display modes, and the choice among them.

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/kernel/Config.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/d3d7/AdapterInfo_D3D7.h"
#include "engine/render/d3d7/DeviceInfo_D3D7.h"
#include "engine/render/d3d7/ModeInfo_D3D7.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

constexpr const char* kEnumerateContext = "RenderSystem_D3D7::EnumerateAdapters";
constexpr const char* kFallbackMode = "640x480x16";

// Smaller display modes are not offered.
constexpr DWORD kMinimumModeWidth = 640;
constexpr DWORD kMinimumModeHeight = 400;

// Copies at most size - 1 characters and terminates.
template <std::size_t size>
void CopyText(char (&target)[size], const char* source) {
    if (!source) source = "";
    std::size_t length = std::min(std::strlen(source), size - 1);
    std::memcpy(target, source, length);
    target[length] = '\0';
}

bool SameText(const std::string& a, const std::string& b) { return ToLower(a) == ToLower(b); }

// The DDBD_ flag a device must have to render into a mode of that depth; 0 for depths
// it never renders into.
DWORD RenderDepthFlag(DWORD bits) {
    switch (bits) {
        case 32:
            return DDBD_32;
        case 24:
            return DDBD_24;
        case 16:
            return DDBD_16;
        default:
            return 0;
    }
}

}  // namespace

bool RenderSystem_D3D7::EnumerateAdapters() {
    MessageManager::Instance()->PrintMessage("...Level device list...");
    CheckResult(kEnumerateContext,
                DirectDrawEnumerateExA(&RenderSystem_D3D7::AddAdapter, this,
                                       DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES |
                                           DDENUM_NONDISPLAYDEVICES));
    return !adapters_.empty() && !adapters_.front()->devices.empty();
}

BOOL RenderSystem_D3D7::AddAdapter(GUID* driver, LPSTR description, LPSTR /*name*/, LPVOID context,
                                   HMONITOR /*monitor*/) {
    auto* self = static_cast<RenderSystem_D3D7*>(context);
    IDirectDraw7* directDraw = nullptr;
    if (FAILED(DirectDrawCreateEx(driver, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr)))
        return TRUE;
    IDirect3D7* direct3D = nullptr;
    if (FAILED(directDraw->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D)))) {
        directDraw->Release();
        return TRUE;
    }
    self->ReadAdapter(directDraw, direct3D, driver, description);
    direct3D->Release();
    directDraw->Release();
    return TRUE;
}

void RenderSystem_D3D7::ReadAdapter(IDirectDraw7* directDraw, IDirect3D7* direct3D, GUID* driver,
                                    const char* description) {
    auto* adapter = new AdapterInfo_D3D7;
    adapters_.push_back(adapter);
    CopyText(adapter->description, description);
    adapter->hardwareCaps.dwSize = sizeof(DDCAPS);
    adapter->emulationCaps.dwSize = sizeof(DDCAPS);
    CheckResult(kEnumerateContext, directDraw->GetCaps(&adapter->hardwareCaps, &adapter->emulationCaps));
    if (driver) {
        adapter->guid = *driver;
        adapter->guidPointer = &adapter->guid;
    }
    adapter->usable = (adapter->hardwareCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED) && !adapter->guidPointer;
    adapter->desktopMode.dmSize = sizeof(DEVMODEW);
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &adapter->desktopMode);

    CheckResult(kEnumerateContext, directDraw->EnumDisplayModes(0, nullptr, adapter, &RenderSystem_D3D7::AddDisplayMode));
    std::stable_sort(adapter->displayModes.begin(), adapter->displayModes.end(),
                     [](const DDSURFACEDESC2& a, const DDSURFACEDESC2& b) {
                         if (a.dwWidth != b.dwWidth) return a.dwWidth > b.dwWidth;
                         if (a.dwHeight != b.dwHeight) return a.dwHeight > b.dwHeight;
                         return a.ddpfPixelFormat.dwRGBBitCount > b.ddpfPixelFormat.dwRGBBitCount;
                     });
    CheckResult(kEnumerateContext, direct3D->EnumDevices(&RenderSystem_D3D7::AddDevice, adapter));
}

HRESULT RenderSystem_D3D7::AddDisplayMode(LPDDSURFACEDESC2 mode, LPVOID context) {
    auto* adapter = static_cast<AdapterInfo_D3D7*>(context);
    if (mode && mode->dwWidth >= kMinimumModeWidth && mode->dwHeight >= kMinimumModeHeight)
        adapter->displayModes.push_back(*mode);
    return DDENUMRET_OK;
}

HRESULT RenderSystem_D3D7::AddDevice(LPSTR description, LPSTR name, LPD3DDEVICEDESC7 desc, LPVOID context) {
    auto* adapter = static_cast<AdapterInfo_D3D7*>(context);
    if (!desc || !(desc->dwDevCaps & D3DDEVCAPS_HWRASTERIZATION)) return D3DENUMRET_OK;

    auto* device = new DeviceInfo_D3D7;
    device->deviceDescription = *desc;
    device->guid = desc->deviceGUID;
    device->guidPointer = &device->guid;
    CopyText(device->name, name);
    CopyText(device->description, description);
    for (const DDSURFACEDESC2& mode : adapter->displayModes) {
        DWORD bits = mode.ddpfPixelFormat.dwRGBBitCount;
        DWORD depthFlag = RenderDepthFlag(bits);
        if (!depthFlag || !(desc->dwDeviceRenderBitDepth & depthFlag)) continue;
        auto* info = new ModeInfo_D3D7;
        info->width = mode.dwWidth;
        info->height = mode.dwHeight;
        info->bitsPerPixel = bits == 16 ? 16 : 32;
        info->description = &mode;
        device->modes.push_back(info);
    }
    if (device->modes.empty()) {
        delete device;
    } else {
        adapter->devices.push_back(device);
    }
    return D3DENUMRET_OK;
}

bool RenderSystem_D3D7::ChooseDevice() {
    AdapterInfo* halAdapter = nullptr;
    DeviceInfo* halDevice = nullptr;
    AdapterInfo* otherAdapter = nullptr;
    DeviceInfo* otherDevice = nullptr;
    for (AdapterInfo* adapter : adapters_) {
        if (!static_cast<AdapterInfo_D3D7*>(adapter)->usable) continue;
        for (DeviceInfo* device : adapter->devices) {
            if (static_cast<DeviceInfo_D3D7*>(device)->guid == IID_IDirect3DTnLHalDevice) {
                halAdapter = adapter;
                halDevice = device;
            } else {
                otherAdapter = adapter;
                otherDevice = device;
            }
        }
    }
    if (halDevice) {
        chosenAdapter_ = halAdapter;
        chosenAdapter_->chosenDevice = halDevice;
    } else if (otherDevice) {
        chosenAdapter_ = otherAdapter;
        chosenAdapter_->chosenDevice = otherDevice;
    } else {
        return false;
    }
    return true;
}

bool RenderSystem_D3D7::ChooseVideoMode() {
    auto* adapter = static_cast<AdapterInfo_D3D7*>(chosenAdapter_);
    DeviceInfo* device = adapter->chosenDevice;
    Vector2i workOrigin, workSize;
    Window_WinOS::GetWorkArea(workOrigin, workSize);
    const DEVMODEW& desktop = adapter->desktopMode;

    std::uint32_t width = 0, height = 0, bits = 0;
    if (SameText(configValues_->mode, "desktop")) {
        width = desktop.dmPelsWidth;
        height = desktop.dmPelsHeight;
        bits = desktop.dmBitsPerPel;
        configValues_->fullscreen = true;
    } else {
        ParseDisplayMode(configValues_->mode, &width, &height, &bits);
    }
    // Full screen always runs at the desktop's resolution and depth.
    if (configValues_->fullscreen) {
        width = desktop.dmPelsWidth;
        height = desktop.dmPelsHeight;
        bits = desktop.dmBitsPerPel;
    }

    bool fitsWorkArea = static_cast<std::int64_t>(width) < workSize.x && static_cast<std::int64_t>(height) < workSize.y;
    ModeInfo* chosen = nullptr;
    if (configValues_->fullscreen || exactVideoMode_ || fitsWorkArea) {
        for (ModeInfo* mode : device->modes) {
            if (mode->width == width && mode->height == height && mode->bitsPerPixel == bits) {
                chosen = mode;
                break;
            }
        }
        if (!chosen) {
            Config* config = Config::Instance();
            const std::string mode = configValues_->mode;
            if (!SameText(mode, config->GetDefaultText("v_mode")) && !SameText(mode, kFallbackMode)) {
                config->ResetVariable("v_mode");
            } else if (SameText(mode, kFallbackMode)) {
                return false;
            } else {
                configValues_->mode = kFallbackMode;
            }
            return ChooseVideoMode();
        }
    } else {
        // A window that does not fit the work area: the largest usual 4:3 size that
        // does, else the desktop's own size.
        ModeInfo* desktopCandidate = nullptr;
        ModeInfo* candidate640 = nullptr;
        ModeInfo* candidate800 = nullptr;
        ModeInfo* candidate1024 = nullptr;
        for (ModeInfo* mode : device->modes) {
            if (mode->bitsPerPixel != bits) continue;
            bool desktopSize = mode->width == desktop.dmPelsWidth && mode->height == desktop.dmPelsHeight;
            bool fourThree = mode->width % 4 == 0 && mode->height % 3 == 0 && mode->width / 4 == mode->height / 3;
            bool fits = static_cast<std::int64_t>(mode->width) < workSize.x &&
                        static_cast<std::int64_t>(mode->height) < workSize.y;
            if (desktopSize) {
                if (!desktopCandidate) desktopCandidate = mode;
            } else if (fourThree && fits) {
                if (mode->width == 640 && mode->height == 480) candidate640 = mode;
                if (mode->width == 800 && mode->height == 600) candidate800 = mode;
                if (mode->width == 1024 && mode->height == 768) candidate1024 = mode;
            }
        }
        chosen = candidate1024   ? candidate1024
                 : candidate800  ? candidate800
                 : candidate640  ? candidate640
                 : desktopCandidate ? desktopCandidate
                                    : device->modes.front();
    }
    device->chosenMode = chosen;
    device->fullscreen = configValues_->fullscreen && !GetWindow().IsHosted();
    return true;
}

}  // namespace Vantor
