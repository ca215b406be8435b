#include "platform/DirectDrawCaps.h"

#include <algorithm>
#include <optional>

#include "platform/Desktop.h"
#include "platform/DirectDrawFormats.h"

namespace {

std::optional<platform::GraphicsCaps>& CapsOverride() {
    static std::optional<platform::GraphicsCaps> caps;
    return caps;
}

std::vector<platform::DisplayModeCaps> DefaultDisplayModes() {
    platform::DesktopMode desktop = platform::Desktop();
    std::vector<std::pair<DWORD, DWORD>> sizes{{640, 480}, {800, 600}, {1024, 768}};
    std::pair<DWORD, DWORD> desktopSize{static_cast<DWORD>(desktop.width), static_cast<DWORD>(desktop.height)};
    if (std::find(sizes.begin(), sizes.end(), desktopSize) == sizes.end()) sizes.push_back(desktopSize);
    std::sort(sizes.begin(), sizes.end());

    std::vector<platform::DisplayModeCaps> modes;
    for (auto [width, height] : sizes)
        for (DWORD bits : {16u, 32u}) modes.push_back({width, height, bits, static_cast<DWORD>(desktop.refreshRate)});
    return modes;
}

platform::Direct3DDeviceCaps DefaultDevice() {
    platform::Direct3DDeviceCaps device;
    device.guid = IID_IDirect3DTnLHalDevice;
    device.name = "Direct3D T&L HAL";
    device.description = "Hardware rasterisation with hardware transform and lighting";
    device.devCaps = D3DDEVCAPS_HWRASTERIZATION | D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    device.rasterCaps = D3DPRASTERCAPS_ZTEST | D3DPRASTERCAPS_ANISOTROPY;
    device.renderBitDepths = DDBD_16 | DDBD_32;
    device.maxTextureWidth = 2048;
    device.maxTextureHeight = 2048;
    device.maxAnisotropy = 16;
    device.textureStages = 2;
    device.textureFormats = {platform::PixelFormatA8R8G8B8(), platform::PixelFormatA4R4G4B4(),
                             platform::PixelFormatR5G6B5()};
    for (char n = '1'; n <= '5'; ++n)
        device.textureFormats.push_back(platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', n)));
    device.zBufferFormats = {platform::ZBufferPixelFormat(16, 0), platform::ZBufferPixelFormat(32, 0),
                             platform::ZBufferPixelFormat(32, 8)};
    return device;
}

// The DDBD_ flag of a depth, 0 for depths no flag names.
DWORD DepthFlag(DWORD bits) {
    switch (bits) {
        case 8:
            return DDBD_8;
        case 16:
            return DDBD_16;
        case 24:
            return DDBD_24;
        case 32:
            return DDBD_32;
        default:
            return 0;
    }
}

}  // namespace

namespace platform {

GraphicsCaps GraphicsCapsInEffect() { return CapsOverride() ? *CapsOverride() : seam::DefaultGraphicsCaps(); }

D3DDEVICEDESC7 DescribeDevice(const Direct3DDeviceCaps& device) {
    D3DDEVICEDESC7 desc{};
    desc.dwDevCaps = device.devCaps;
    for (D3DPRIMCAPS* caps : {&desc.dpcTriCaps, &desc.dpcLineCaps}) {
        caps->dwSize = sizeof(D3DPRIMCAPS);
        caps->dwRasterCaps = device.rasterCaps;
    }
    desc.dwDeviceRenderBitDepth = device.renderBitDepths;
    for (const DDPIXELFORMAT& format : device.zBufferFormats)
        desc.dwDeviceZBufferBitDepth |= DepthFlag(format.dwZBufferBitDepth);
    desc.dwMinTextureWidth = 1;
    desc.dwMinTextureHeight = 1;
    desc.dwMaxTextureWidth = device.maxTextureWidth;
    desc.dwMaxTextureHeight = device.maxTextureHeight;
    desc.dwMaxAnisotropy = device.maxAnisotropy;
    desc.wMaxTextureBlendStages = device.textureStages;
    desc.wMaxSimultaneousTextures = device.textureStages;
    desc.dwMaxActiveLights = 8;
    desc.deviceGUID = device.guid;
    return desc;
}

}  // namespace platform

namespace platform::seam {

platform::GraphicsCaps DefaultGraphicsCaps() {
    platform::DisplayDriverCaps driver;
    driver.primary = true;
    driver.guid = GUID{};
    driver.description = "Primary Display Driver";
    driver.name = "display";
    driver.canRenderWindowed = true;
    driver.displayModes = DefaultDisplayModes();
    driver.devices = {DefaultDevice()};
    return platform::GraphicsCaps{{driver}};
}

void SetGraphicsCaps(const platform::GraphicsCaps& caps) { CapsOverride() = caps; }

void ResetGraphicsCaps() { CapsOverride().reset(); }

}  // namespace platform::seam
