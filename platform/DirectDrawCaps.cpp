#include "platform/DirectDrawCaps.h"

#include <algorithm>
#include <tuple>

#include <optional>

#include "platform/WinDisplay.h"
#include "platform/DirectDrawFormats.h"

namespace {

std::optional<platform::GraphicsCaps>& CapsOverride() {
    static std::optional<platform::GraphicsCaps> caps;
    return caps;
}

std::vector<platform::DisplayModeCaps> DefaultDisplayModes() {
    // The same list the window layer enumerates, so both APIs agree.
    std::vector<platform::DisplayModeCaps> modes;
    for (const platform::DisplayMode& mode : platform::DisplayModes())
        modes.push_back({static_cast<DWORD>(mode.width), static_cast<DWORD>(mode.height),
                         static_cast<DWORD>(mode.bitsPerPixel), static_cast<DWORD>(mode.refreshRate)});
    // DirectDraw lists by size, then depth.
    std::sort(modes.begin(), modes.end(), [](const platform::DisplayModeCaps& a, const platform::DisplayModeCaps& b) {
        return std::tie(a.width, a.height, a.bitsPerPixel) < std::tie(b.width, b.height, b.bitsPerPixel);
    });
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
        desc.dwDeviceZBufferBitDepth |= BitDepthFlag(format.dwZBufferBitDepth);
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
