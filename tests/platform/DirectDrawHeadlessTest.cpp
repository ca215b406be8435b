#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>

#include "tests/platform/DirectDrawTestSupport.h"

namespace {

using ddtest::DirectDrawTest;
using ddtest::Desc;
using ddtest::TestWindow;

struct ReportedDriver {
    bool nullGuid;
    GUID guid;
    std::string description;
};

BOOL CollectDriver(GUID* guid, LPSTR description, LPSTR, LPVOID context, HMONITOR) {
    static_cast<std::vector<ReportedDriver>*>(context)->push_back(
        {guid == nullptr, guid ? *guid : GUID{}, description});
    return TRUE;
}

using Mode = std::tuple<DWORD, DWORD, DWORD>;

HRESULT CollectMode(LPDDSURFACEDESC2 desc, LPVOID context) {
    static_cast<std::vector<Mode>*>(context)->emplace_back(desc->dwWidth, desc->dwHeight,
                                                           desc->ddpfPixelFormat.dwRGBBitCount);
    return DDENUMRET_OK;
}

HRESULT CollectDevice(LPSTR, LPSTR name, LPD3DDEVICEDESC7 desc, LPVOID context) {
    static_cast<std::vector<std::pair<std::string, D3DDEVICEDESC7>>*>(context)->emplace_back(name, *desc);
    return D3DENUMRET_OK;
}

HRESULT CollectFormat(LPDDPIXELFORMAT format, LPVOID context) {
    static_cast<std::vector<DDPIXELFORMAT>*>(context)->push_back(*format);
    return D3DENUMRET_OK;
}

std::vector<Mode> DisplayModes(IDirectDraw7* directDraw) {
    std::vector<Mode> modes;
    EXPECT_EQ(directDraw->EnumDisplayModes(0, nullptr, &modes, CollectMode), DD_OK);
    return modes;
}

DWORD& Pixel32(const DDSURFACEDESC2& locked, DWORD x, DWORD y) {
    return *reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch + x * 4);
}

void WritePixel32(IDirectDrawSurface7* surface, DWORD x, DWORD y, DWORD value) {
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    Pixel32(locked, x, y) = value;
    ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
}

DWORD ReadPixel32(IDirectDrawSurface7* surface, DWORD x, DWORD y) {
    DDSURFACEDESC2 locked{};
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    if (!locked.lpSurface) return 0;
    DWORD value = Pixel32(locked, x, y);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    return value;
}

constexpr GUID kSecondDriver{0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};

// ---------------------------------------------------------------------------------------
// Enumeration and capabilities

TEST_F(DirectDrawTest, EnumerationReportsThePrimaryDriverAndSecondariesOnlyWhenAsked) {
    std::vector<ReportedDriver> drivers;
    EXPECT_EQ(DirectDrawEnumerateExA(
                  CollectDriver, &drivers,
                  DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES),
              DD_OK);
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_TRUE(drivers[0].nullGuid);

    platform::GraphicsCaps caps = platform::seam::DefaultGraphicsCaps();
    platform::DisplayDriverCaps second = caps.drivers[0];
    second.primary = false;
    second.guid = kSecondDriver;
    second.description = "Second adapter";
    second.canRenderWindowed = false;
    caps.drivers.push_back(second);
    platform::seam::SetGraphicsCaps(caps);

    drivers.clear();
    DirectDrawEnumerateExA(CollectDriver, &drivers, 0);
    EXPECT_EQ(drivers.size(), 1u);
    drivers.clear();
    DirectDrawEnumerateExA(CollectDriver, &drivers, DDENUM_ATTACHEDSECONDARYDEVICES);
    ASSERT_EQ(drivers.size(), 2u);
    EXPECT_FALSE(drivers[1].nullGuid);
    EXPECT_EQ(drivers[1].guid, kSecondDriver);
    EXPECT_EQ(drivers[1].description, "Second adapter");

    // A driver is created by its GUID, and has its own capabilities.
    GUID guid = kSecondDriver;
    IDirectDraw7* directDraw = CreateDirectDraw(&guid);
    ASSERT_NE(directDraw, nullptr);
    DDCAPS driverCaps{}, emulationCaps{};
    EXPECT_EQ(directDraw->GetCaps(&driverCaps, &emulationCaps), DD_OK);
    EXPECT_EQ(driverCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED, 0u);
    EXPECT_EQ(directDraw->Release(), 0u);

    IDirectDraw7* primary = CreateDirectDraw();
    EXPECT_EQ(primary->GetCaps(&driverCaps, nullptr), DD_OK);
    EXPECT_NE(driverCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED, 0u);
    EXPECT_EQ(primary->Release(), 0u);
}

TEST_F(DirectDrawTest, CreationRefusesUnknownDriversAndInterfaces) {
    void* object = reinterpret_cast<void*>(1);
    GUID unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DirectDrawCreateEx(&unknown, &object, IID_IDirectDraw7, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirect3D7, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(object, nullptr);
}

TEST_F(DirectDrawTest, DefaultDisplayModesAreThreeSizesAndTheDesktopAtSixteenAndThirtyTwoBits) {
    struct Case {
        int width, height, bits;
        std::vector<Mode> modes;
    };
    const Case cases[] = {
        {1280,
         1024,
         32,
         {{640, 480, 16},
          {640, 480, 32},
          {800, 600, 16},
          {800, 600, 32},
          {1024, 768, 16},
          {1024, 768, 32},
          {1280, 1024, 16},
          {1280, 1024, 32}}},
        {1024,
         768,
         16,
         {{640, 480, 16}, {640, 480, 32}, {800, 600, 16}, {800, 600, 32}, {1024, 768, 16}, {1024, 768, 32}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.width);
        platform::seam::SetDesktop(test.width, test.height, test.bits);
        IDirectDraw7* directDraw = CreateDirectDraw();
        EXPECT_EQ(DisplayModes(directDraw), test.modes);

        DDSURFACEDESC2 current{};
        EXPECT_EQ(directDraw->GetDisplayMode(&current), DD_OK);
        EXPECT_EQ(Mode(current.dwWidth, current.dwHeight, current.ddpfPixelFormat.dwRGBBitCount),
                  Mode(test.width, test.height, test.bits));
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(DirectDrawTest, DefaultDeviceIsOneHardwareTransformAndLightingDevice) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    IDirect3D7* direct3D = QueryDirect3D(directDraw);
    std::vector<std::pair<std::string, D3DDEVICEDESC7>> devices;
    EXPECT_EQ(direct3D->EnumDevices(CollectDevice, &devices), D3D_OK);
    ASSERT_EQ(devices.size(), 1u);
    const D3DDEVICEDESC7& desc = devices[0].second;
    EXPECT_EQ(desc.deviceGUID, IID_IDirect3DTnLHalDevice);
    EXPECT_NE(desc.dwDevCaps & D3DDEVCAPS_HWRASTERIZATION, 0u);
    EXPECT_EQ(desc.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR, 0u);
    EXPECT_EQ(desc.dwDeviceRenderBitDepth, DDBD_16 | DDBD_32);
    EXPECT_EQ(desc.wMaxSimultaneousTextures, 2);
    EXPECT_EQ(desc.dwMaxTextureWidth, 2048u);
    EXPECT_EQ(desc.dwMaxTextureHeight, 2048u);
    EXPECT_EQ(desc.dwMaxAnisotropy, 16u);

    std::vector<DDPIXELFORMAT> depths;
    EXPECT_EQ(direct3D->EnumZBufferFormats(IID_IDirect3DTnLHalDevice, CollectFormat, &depths), D3D_OK);
    ASSERT_EQ(depths.size(), 3u);
    EXPECT_EQ(depths[0].dwZBufferBitDepth, 16u);
    EXPECT_EQ(depths[2].dwZBufferBitDepth, 32u);
    EXPECT_EQ(depths[2].dwStencilBitDepth, 8u);
    EXPECT_EQ(direct3D->EnumZBufferFormats(IID_IDirect3DHALDevice, CollectFormat, &depths), DDERR_INVALIDPARAMS);

    EXPECT_EQ(direct3D->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, OverriddenCapsReachTheEnumerations) {
    platform::GraphicsCaps caps = platform::seam::DefaultGraphicsCaps();
    platform::DisplayDriverCaps& driver = caps.drivers[0];
    driver.displayModes = {{800, 600, 24, 75}, {640, 400, 16, 60}};
    platform::Direct3DDeviceCaps& device = driver.devices[0];
    device.guid = IID_IDirect3DHALDevice;
    device.devCaps = D3DDEVCAPS_HWRASTERIZATION;
    device.rasterCaps = D3DPRASTERCAPS_ZBUFFERLESSHSR;
    device.renderBitDepths = DDBD_16;
    device.maxTextureWidth = 256;
    device.maxTextureHeight = 128;
    device.maxAnisotropy = 0;
    device.textureStages = 4;
    device.zBufferFormats = {platform::ZBufferPixelFormat(16, 1)};
    platform::Direct3DDeviceCaps software = device;
    software.guid = IID_IDirect3DRGBDevice;
    software.devCaps = 0;
    driver.devices.push_back(software);
    platform::seam::SetGraphicsCaps(caps);

    IDirectDraw7* directDraw = CreateDirectDraw();
    EXPECT_EQ(DisplayModes(directDraw), (std::vector<Mode>{{800, 600, 24}, {640, 400, 16}}));

    IDirect3D7* direct3D = QueryDirect3D(directDraw);
    std::vector<std::pair<std::string, D3DDEVICEDESC7>> devices;
    direct3D->EnumDevices(CollectDevice, &devices);
    ASSERT_EQ(devices.size(), 2u);
    const D3DDEVICEDESC7& desc = devices[0].second;
    EXPECT_EQ(desc.deviceGUID, IID_IDirect3DHALDevice);
    EXPECT_EQ(desc.dwDeviceRenderBitDepth, DDBD_16);
    EXPECT_EQ(desc.dwDeviceZBufferBitDepth, DDBD_16);
    EXPECT_NE(desc.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR, 0u);
    EXPECT_EQ(desc.dwMaxTextureWidth, 256u);
    EXPECT_EQ(desc.dwMaxTextureHeight, 128u);
    EXPECT_EQ(desc.dwMaxAnisotropy, 0u);
    EXPECT_EQ(desc.wMaxSimultaneousTextures, 4);
    EXPECT_EQ(devices[1].second.deviceGUID, IID_IDirect3DRGBDevice);
    EXPECT_EQ(devices[1].second.dwDevCaps & D3DDEVCAPS_HWRASTERIZATION, 0u);

    std::vector<DDPIXELFORMAT> depths;
    direct3D->EnumZBufferFormats(IID_IDirect3DHALDevice, CollectFormat, &depths);
    ASSERT_EQ(depths.size(), 1u);
    EXPECT_EQ(depths[0].dwStencilBitDepth, 1u);
    EXPECT_EQ(depths[0].dwZBitMask, 0xFFFEu);

    direct3D->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

// ---------------------------------------------------------------------------------------
// Cooperative level and display mode

TEST_F(DirectDrawTest, OnlyOneObjectHoldsExclusiveModeAndModesMustBeOffered) {
    IDirectDraw7* first = CreateDirectDraw();
    IDirectDraw7* second = CreateDirectDraw();
    const DWORD fullScreen = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_FPUSETUP;
    EXPECT_EQ(first->SetCooperativeLevel(nullptr, fullScreen), DDERR_INVALIDPARAMS);
    EXPECT_EQ(first->SetCooperativeLevel(TestWindow(), DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    EXPECT_EQ(first->SetCooperativeLevel(TestWindow(), fullScreen), DD_OK);
    EXPECT_EQ(second->SetCooperativeLevel(TestWindow(), fullScreen), DDERR_EXCLUSIVEMODEALREADYSET);
    EXPECT_EQ(second->SetDisplayMode(800, 600, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);

    EXPECT_EQ(first->SetDisplayMode(1234, 567, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(first->SetDisplayMode(800, 600, 24, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(first->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    DDSURFACEDESC2 mode{};
    first->GetDisplayMode(&mode);
    EXPECT_EQ(Mode(mode.dwWidth, mode.dwHeight, mode.ddpfPixelFormat.dwRGBBitCount), Mode(800, 600, 16));
    EXPECT_EQ(mode.ddpfPixelFormat.dwRBitMask, 0xF800u);
    EXPECT_EQ(mode.lPitch, 1600);

    EXPECT_EQ(first->RestoreDisplayMode(), DD_OK);
    first->GetDisplayMode(&mode);
    EXPECT_EQ(Mode(mode.dwWidth, mode.dwHeight, mode.ddpfPixelFormat.dwRGBBitCount), Mode(1280, 1024, 32));

    EXPECT_EQ(first->SetCooperativeLevel(TestWindow(), DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(second->SetCooperativeLevel(TestWindow(), fullScreen), DD_OK);

    const auto& calls = platform::seam::DeviceCalls();
    auto setMode = std::find_if(calls.begin(), calls.end(), [](const platform::seam::DeviceCall& call) {
        return call.name == "IDirectDraw7::SetDisplayMode" && call.result == DD_OK;
    });
    ASSERT_NE(setMode, calls.end());
    EXPECT_EQ(setMode->args, (std::vector<DWORD>{800, 600, 16, 0, 0}));

    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(second->Release(), 0u);
}

// ---------------------------------------------------------------------------------------
// Surfaces

TEST_F(DirectDrawTest, LockGivesEachFormatItsPitchOrLinearSize) {
    struct Case {
        const char* name;
        DDPIXELFORMAT format;
        DWORD width, height;
        DWORD pitchOrSize;
    };
    const Case cases[] = {
        {"A8R8G8B8", platform::PixelFormatA8R8G8B8(), 3, 2, 16},
        {"X8R8G8B8", platform::PixelFormatX8R8G8B8(), 4, 1, 16},
        {"A4R4G4B4", platform::PixelFormatA4R4G4B4(), 5, 3, 16},
        {"R5G6B5", platform::PixelFormatR5G6B5(), 8, 1, 16},
        {"DXT1", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '1')), 8, 8, 32},
        {"DXT1 2x2", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '1')), 2, 2, 8},
        {"DXT3", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '3')), 8, 4, 32},
        {"DXT5 5x5", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '5')), 5, 5, 64},
    };
    IDirectDraw7* directDraw = CreateDirectDraw();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        IDirectDrawSurface7* surface = CreateSurface(
            directDraw, Desc(test.width, test.height, DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY, test.format));
        ASSERT_NE(surface, nullptr);
        DDSURFACEDESC2 locked{};
        ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
        EXPECT_NE(locked.lpSurface, nullptr);
        EXPECT_EQ(locked.dwWidth, test.width);
        EXPECT_EQ(locked.dwHeight, test.height);
        EXPECT_TRUE(platform::SamePixelFormat(locked.ddpfPixelFormat, test.format));
        if (platform::IsBlockCompressed(test.format)) {
            EXPECT_TRUE(locked.dwFlags & DDSD_LINEARSIZE);
            EXPECT_EQ(locked.dwLinearSize, test.pitchOrSize);
        } else {
            EXPECT_TRUE(locked.dwFlags & DDSD_PITCH);
            EXPECT_EQ(static_cast<DWORD>(locked.lPitch), test.pitchOrSize);
        }
        std::memset(locked.lpSurface, 0xAB,
                    platform::IsBlockCompressed(test.format) ? locked.dwLinearSize : locked.lPitch * test.height);
        EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
        EXPECT_EQ(surface->Release(), 0u);
    }
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, LockedContentStaysAndRectLocksStartAtTheirCorner) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    IDirectDrawSurface7* surface = CreateSurface(
        directDraw, Desc(3, 3, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY, platform::PixelFormatA8R8G8B8()));
    for (DWORD y = 0; y < 3; ++y)
        for (DWORD x = 0; x < 3; ++x) WritePixel32(surface, x, y, 10 * y + x);

    RECT corner{1, 1, 3, 3};
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(surface->Lock(&corner, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Pixel32(locked, 0, 0), 11u);
    EXPECT_EQ(Pixel32(locked, 1, 1), 22u);
    DDSURFACEDESC2 again{};
    EXPECT_EQ(surface->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

    RECT outside{2, 2, 4, 3};
    EXPECT_EQ(surface->Lock(&outside, &again, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
    surface->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, FlipShowsTheBackBufferAndHandsItTheFrontMemory) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    IDirectDrawSurface7* refused = nullptr;
    DDSURFACEDESC2 flipping = PrimaryDesc(1);
    EXPECT_EQ(directDraw->CreateSurface(&flipping, &refused, nullptr), DDERR_NOEXCLUSIVEMODE);

    directDraw->SetCooperativeLevel(TestWindow(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    directDraw->SetDisplayMode(640, 480, 32, 0, 0);
    IDirectDrawSurface7* front = CreateSurface(directDraw, PrimaryDesc(1));
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(directDraw->CreateSurface(&flipping, &refused, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);

    IDirectDrawSurface7* back = Attached(front, DDSCAPS_BACKBUFFER);
    ASSERT_NE(back, nullptr);
    DDSURFACEDESC2 frontDesc = DescOf(front), backDesc = DescOf(back);
    EXPECT_EQ(frontDesc.dwBackBufferCount, 1u);
    EXPECT_TRUE(frontDesc.ddsCaps.dwCaps & DDSCAPS_FRONTBUFFER);
    EXPECT_EQ(backDesc.dwWidth, 640u);
    EXPECT_EQ(backDesc.dwHeight, 480u);
    EXPECT_EQ(backDesc.ddsCaps.dwCaps & (DDSCAPS_BACKBUFFER | DDSCAPS_3DDEVICE), DDSCAPS_BACKBUFFER | DDSCAPS_3DDEVICE);

    WritePixel32(front, 5, 7, 0x112233);
    WritePixel32(back, 5, 7, 0xAABBCC);
    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    platform::seam::ClearDeviceCalls();
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT | DDFLIP_NOVSYNC), DD_OK);
    EXPECT_EQ(ReadPixel32(front, 5, 7), 0xAABBCCu);
    EXPECT_EQ(ReadPixel32(back, 5, 7), 0x112233u);

    const auto& calls = platform::seam::DeviceCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, "IDirectDrawSurface7::Flip");
    EXPECT_EQ(calls[0].args, (std::vector<DWORD>{DDFLIP_WAIT | DDFLIP_NOVSYNC}));
    EXPECT_EQ(calls[0].target, front);

    back->Release();
    EXPECT_EQ(front->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, MipChainWalksDownToTheSmallestLevel) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    const DWORD mipCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    IDirectDrawSurface7* texture =
        CreateSurface(directDraw, Desc(64, 32, mipCaps | DDSCAPS_SYSTEMMEMORY, platform::PixelFormatA8R8G8B8()));
    ASSERT_NE(texture, nullptr);

    std::vector<std::pair<DWORD, DWORD>> sizes;
    IDirectDrawSurface7* level = texture;
    level->AddRef();
    for (DWORD expectedLevels = 7; level; --expectedLevels) {
        DDSURFACEDESC2 desc = DescOf(level);
        sizes.emplace_back(desc.dwWidth, desc.dwHeight);
        EXPECT_EQ(desc.dwMipMapCount, expectedLevels);
        EXPECT_EQ(bool(desc.ddsCaps.dwCaps2 & DDSCAPS2_MIPMAPSUBLEVEL), level != texture);
        DDSCAPS2 next{mipCaps, 0, 0, 0};
        IDirectDrawSurface7* below = nullptr;
        HRESULT result = level->GetAttachedSurface(&next, &below);
        EXPECT_EQ(result, below ? DD_OK : DDERR_NOTFOUND);
        EXPECT_EQ(level->Release(), level == texture ? 1u : 0u);
        level = below;
    }
    EXPECT_EQ(sizes,
              (std::vector<std::pair<DWORD, DWORD>>{{64, 32}, {32, 16}, {16, 8}, {8, 4}, {4, 2}, {2, 1}, {1, 1}}));
    EXPECT_EQ(texture->Release(), 0u);

    DDSURFACEDESC2 counted = Desc(64, 32, mipCaps | DDSCAPS_SYSTEMMEMORY, platform::PixelFormatA8R8G8B8());
    counted.dwFlags |= DDSD_MIPMAPCOUNT;
    counted.dwMipMapCount = 8;
    IDirectDrawSurface7* refused = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&counted, &refused, nullptr), DDERR_INVALIDPARAMS);
    counted.dwMipMapCount = 3;
    texture = CreateSurface(directDraw, counted);
    EXPECT_EQ(DescOf(texture).dwMipMapCount, 3u);
    IDirectDrawSurface7* last = Attached(Attached(texture, mipCaps), mipCaps);
    EXPECT_EQ(DescOf(last).dwWidth, 16u);
    texture->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, BltCopiesStretchesAndClipsToTheDestination) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    const DWORD caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface7* source = CreateSurface(directDraw, Desc(2, 2, caps, platform::PixelFormatX8R8G8B8()));
    IDirectDrawSurface7* dest = CreateSurface(directDraw, Desc(4, 4, caps, platform::PixelFormatX8R8G8B8()));
    IDirectDrawSurface7* other = CreateSurface(directDraw, Desc(2, 2, caps, platform::PixelFormatR5G6B5()));
    for (DWORD i = 0; i < 4; ++i) WritePixel32(source, i % 2, i / 2, i + 1);

    platform::seam::ClearDeviceCalls();
    EXPECT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < 4; ++y)
        for (DWORD x = 0; x < 4; ++x) EXPECT_EQ(ReadPixel32(dest, x, y), (y / 2) * 2 + x / 2 + 1) << x << "," << y;
    const platform::seam::DeviceCall& call = platform::seam::DeviceCalls().back();
    EXPECT_EQ(call.target, dest);
    EXPECT_EQ(call.surface, source);
    ASSERT_EQ(call.rects.size(), 2u);
    EXPECT_EQ(call.rects[0].right, 4);
    EXPECT_EQ(call.rects[1].right, 2);

    // Without a clipper a destination outside the surface is refused; with one it is cut.
    RECT hanging{3, 3, 5, 5};
    EXPECT_EQ(dest->Blt(&hanging, source, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), DD_OK);
    EXPECT_EQ(clipper->SetHWnd(0, TestWindow()), DD_OK);
    EXPECT_EQ(dest->SetClipper(clipper), DD_OK);
    EXPECT_EQ(clipper->Release(), 1u);
    WritePixel32(source, 0, 0, 99);
    EXPECT_EQ(dest->Blt(&hanging, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ReadPixel32(dest, 3, 3), 99u);
    EXPECT_EQ(ReadPixel32(dest, 2, 2), 4u);
    // Unstretched copies of part of the source, whole and cut on the left and top.
    RECT column{1, 0, 2, 2}, intoColumn{0, 0, 1, 2}, overCorner{-1, -1, 1, 1};
    EXPECT_EQ(dest->Blt(&intoColumn, source, &column, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ReadPixel32(dest, 0, 0), 2u);
    EXPECT_EQ(ReadPixel32(dest, 0, 1), 4u);
    EXPECT_EQ(dest->Blt(&overCorner, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ReadPixel32(dest, 0, 0), 4u);
    EXPECT_EQ(ReadPixel32(dest, 1, 0), 1u);  // outside the cut copy

    EXPECT_EQ(dest->Blt(nullptr, other, nullptr, DDBLT_WAIT, nullptr), DDERR_UNSUPPORTEDFORMAT);
    other->Release();
    source->Release();
    dest->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

// ---------------------------------------------------------------------------------------
// Reference counts

TEST_F(DirectDrawTest, ATypicalDeviceSetUpAndTearDownEndsAtZero) {
    for (bool fullScreen : {true, false}) {
        SCOPED_TRACE(fullScreen ? "full screen" : "windowed");
        IDirectDraw7* directDraw = CreateDirectDraw();
        IDirectDrawSurface7* primary = nullptr;
        IDirectDrawSurface7* back = nullptr;
        DWORD width = 1280, height = 1024;
        if (fullScreen) {
            directDraw->SetCooperativeLevel(TestWindow(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_FPUSETUP);
            EXPECT_EQ(directDraw->SetDisplayMode(width, height, 32, 0, 0), DD_OK);
            primary = CreateSurface(directDraw, PrimaryDesc(1));
            back = Attached(primary, DDSCAPS_BACKBUFFER);
            back->AddRef();
        } else {
            width = 800;
            height = 600;
            directDraw->SetCooperativeLevel(TestWindow(), DDSCL_NORMAL | DDSCL_FPUSETUP);
            primary = CreateSurface(directDraw, PrimaryDesc(0));
            IDirectDrawClipper* clipper = nullptr;
            directDraw->CreateClipper(0, &clipper, nullptr);
            clipper->SetHWnd(0, TestWindow());
            primary->SetClipper(clipper);
            clipper->Release();
            back = CreateSurface(directDraw, Desc(width, height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE));
        }
        IDirect3D7* direct3D = QueryDirect3D(directDraw);
        IDirect3DDevice7* device = nullptr;
        ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DTnLHalDevice, back, &device), D3D_OK);

        IDirectDrawSurface7* depth = CreateSurface(
            directDraw,
            Desc(width, height, DDSCAPS_VIDEOMEMORY | DDSCAPS_ZBUFFER, platform::ZBufferPixelFormat(32, 8)));
        EXPECT_EQ(back->AddAttachedSurface(depth), DD_OK);
        EXPECT_EQ(back->AddAttachedSurface(depth), DDERR_SURFACEALREADYATTACHED);
        IDirectDrawSurface7* found = Attached(back, DDSCAPS_ZBUFFER);
        EXPECT_EQ(found, depth);
        found->Release();
        EXPECT_EQ(device->SetRenderTarget(back, 0), D3D_OK);

        DDSURFACEDESC2 textureDesc =
            Desc(64, 64, DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX, platform::PixelFormatA8R8G8B8());
        textureDesc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
        IDirectDrawSurface7* texture = CreateSurface(directDraw, textureDesc);
        IDirectDrawSurface7* level = Attached(texture, DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX);
        EXPECT_EQ(level->Release(), 0u);
        EXPECT_EQ(device->SetTexture(0, texture), D3D_OK);
        EXPECT_EQ(texture->Release(), 1u);  // the device still holds it
        EXPECT_GT(References(directDraw), 1u);

        // Released in the order the render system uses.
        EXPECT_EQ(device->Release(), 0u);
        back->Release();
        depth->Release();
        EXPECT_EQ(primary->Release(), 0u);
        EXPECT_EQ(direct3D->Release(), 0u);
        EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
        EXPECT_EQ(directDraw->SetCooperativeLevel(TestWindow(), DDSCL_NORMAL), DD_OK);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(DirectDrawTest, DirectDrawStaysAliveWhileItsObjectsDo) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    IDirectDrawSurface7* surface = CreateSurface(directDraw, Desc(4, 4, DDSCAPS_OFFSCREENPLAIN));
    IDirect3D7* direct3D = QueryDirect3D(directDraw);
    IDirect3D7* again = QueryDirect3D(directDraw);
    EXPECT_EQ(again, direct3D);
    EXPECT_EQ(again->Release(), 1u);
    EXPECT_EQ(directDraw->Release(), 2u);  // the surface and Direct3D hold it
    WritePixel32(surface, 0, 0, 7);
    EXPECT_EQ(direct3D->Release(), 0u);
    EXPECT_EQ(surface->Release(), 0u);  // and with it DirectDraw goes
}

// ---------------------------------------------------------------------------------------
// Failure injection and lost surfaces

TEST_F(DirectDrawTest, InjectedFailuresAnswerTheirCodeAndChangeNothing) {
    void* object = nullptr;
    platform::seam::FailNextCalls("DirectDrawCreateEx", 1);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DDERR_NODIRECTDRAWHW);
    EXPECT_EQ(object, nullptr);
    IDirectDraw7* directDraw = CreateDirectDraw();

    platform::seam::FailNextCalls("IDirectDraw7::QueryInterface", 1);
    EXPECT_EQ(directDraw->QueryInterface(IID_IDirect3D7, &object), E_NOINTERFACE);
    EXPECT_EQ(References(directDraw), 1u);

    DDSURFACEDESC2 desc = Desc(4, 4, DDSCAPS_OFFSCREENPLAIN, platform::PixelFormatX8R8G8B8());
    IDirectDrawSurface7* surface = nullptr;
    platform::seam::FailNextCalls("IDirectDraw7::CreateSurface", 1);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(surface, nullptr);
    surface = CreateSurface(directDraw, desc);
    IDirectDrawSurface7* copy = CreateSurface(directDraw, desc);

    DDSURFACEDESC2 locked{};
    platform::seam::FailNextCalls("IDirectDrawSurface7::Lock", 2);
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    platform::seam::FailNextCalls("IDirectDrawSurface7::Unlock", 1);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_GENERIC);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);

    platform::seam::FailNextCalls("IDirectDrawSurface7::Blt", 1);
    EXPECT_EQ(copy->Blt(nullptr, surface, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(platform::seam::DeviceCalls().back().result, DDERR_SURFACELOST);
    EXPECT_EQ(copy->Blt(nullptr, surface, nullptr, DDBLT_WAIT, nullptr), DD_OK);

    surface->Release();
    copy->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, LostSurfacesRefuseUseUntilTheirRootIsRestored) {
    IDirectDraw7* directDraw = CreateDirectDraw();
    directDraw->SetCooperativeLevel(TestWindow(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    directDraw->SetDisplayMode(640, 480, 32, 0, 0);
    IDirectDrawSurface7* front = CreateSurface(directDraw, PrimaryDesc(1));
    IDirectDrawSurface7* back = Attached(front, DDSCAPS_BACKBUFFER);
    IDirectDrawSurface7* offscreen = CreateSurface(directDraw, Desc(640, 480, DDSCAPS_OFFSCREENPLAIN));
    IDirectDrawSurface7* system =
        CreateSurface(directDraw, Desc(8, 8, DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY, platform::PixelFormatA8R8G8B8()));
    DDSURFACEDESC2 managedDesc = Desc(8, 8, DDSCAPS_TEXTURE, platform::PixelFormatA8R8G8B8());
    managedDesc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    IDirectDrawSurface7* managed = CreateSurface(directDraw, managedDesc);
    WritePixel32(back, 0, 0, 0x123456);

    platform::seam::MarkAllSurfacesLost();
    DDSURFACEDESC2 locked{};
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(back->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(back->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(front->Blt(nullptr, offscreen, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(system->IsLost(), DD_OK);
    EXPECT_EQ(managed->IsLost(), DD_OK);

    EXPECT_EQ(back->Restore(), DDERR_IMPLICITLYCREATED);
    EXPECT_EQ(front->Restore(), DD_OK);
    EXPECT_EQ(back->IsLost(), DD_OK);
    EXPECT_EQ(ReadPixel32(back, 0, 0), 0u);  // the memory came back without its contents
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(offscreen->Restore(), DD_OK);

    platform::seam::MarkSurfaceLost(system);
    EXPECT_EQ(system->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(system->Restore(), DD_OK);
    EXPECT_EQ(system->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    system->Unlock(nullptr);

    // A display-mode change loses what lives in video memory.
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 32, 0, 0), DD_OK);
    EXPECT_EQ(offscreen->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(system->IsLost(), DD_OK);

    for (IDirectDrawSurface7* surface : {back, front, offscreen, system, managed}) surface->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

// ---------------------------------------------------------------------------------------
// Result codes

TEST(DirectDrawResultCodes, EveryDirectDrawFailureCodeHasItsRealValue) {
    const HRESULT declared[] = {
        DDERR_UNSUPPORTED,
        DDERR_GENERIC,
        DDERR_NOTINITIALIZED,
        DDERR_OUTOFMEMORY,
        DDERR_INVALIDPARAMS,
        DDERR_ALREADYINITIALIZED,
        DDERR_CANNOTATTACHSURFACE,
        DDERR_CANNOTDETACHSURFACE,
        DDERR_CURRENTLYNOTAVAIL,
        DDERR_EXCEPTION,
        DDERR_HEIGHTALIGN,
        DDERR_INCOMPATIBLEPRIMARY,
        DDERR_INVALIDCAPS,
        DDERR_INVALIDCLIPLIST,
        DDERR_INVALIDMODE,
        DDERR_INVALIDOBJECT,
        DDERR_INVALIDPIXELFORMAT,
        DDERR_INVALIDRECT,
        DDERR_LOCKEDSURFACES,
        DDERR_NO3D,
        DDERR_NOALPHAHW,
        DDERR_NOSTEREOHARDWARE,
        DDERR_NOSURFACELEFT,
        DDERR_NOCLIPLIST,
        DDERR_NOCOLORCONVHW,
        DDERR_NOCOOPERATIVELEVELSET,
        DDERR_NOCOLORKEY,
        DDERR_NOCOLORKEYHW,
        DDERR_NODIRECTDRAWSUPPORT,
        DDERR_NOEXCLUSIVEMODE,
        DDERR_NOFLIPHW,
        DDERR_NOGDI,
        DDERR_NOMIRRORHW,
        DDERR_NOTFOUND,
        DDERR_NOOVERLAYHW,
        DDERR_OVERLAPPINGRECTS,
        DDERR_NORASTEROPHW,
        DDERR_NOROTATIONHW,
        DDERR_NOSTRETCHHW,
        DDERR_NOT4BITCOLOR,
        DDERR_NOT4BITCOLORINDEX,
        DDERR_NOT8BITCOLOR,
        DDERR_NOTEXTUREHW,
        DDERR_NOVSYNCHW,
        DDERR_NOZBUFFERHW,
        DDERR_NOZOVERLAYHW,
        DDERR_OUTOFCAPS,
        DDERR_OUTOFVIDEOMEMORY,
        DDERR_OVERLAYCANTCLIP,
        DDERR_OVERLAYCOLORKEYONLYONEACTIVE,
        DDERR_PALETTEBUSY,
        DDERR_COLORKEYNOTSET,
        DDERR_SURFACEALREADYATTACHED,
        DDERR_SURFACEALREADYDEPENDENT,
        DDERR_SURFACEBUSY,
        DDERR_CANTLOCKSURFACE,
        DDERR_SURFACEISOBSCURED,
        DDERR_SURFACELOST,
        DDERR_SURFACENOTATTACHED,
        DDERR_TOOBIGHEIGHT,
        DDERR_TOOBIGSIZE,
        DDERR_TOOBIGWIDTH,
        DDERR_UNSUPPORTEDFORMAT,
        DDERR_UNSUPPORTEDMASK,
        DDERR_INVALIDSTREAM,
        DDERR_VERTICALBLANKINPROGRESS,
        DDERR_WASSTILLDRAWING,
        DDERR_DDSCAPSCOMPLEXREQUIRED,
        DDERR_XALIGN,
        DDERR_INVALIDDIRECTDRAWGUID,
        DDERR_DIRECTDRAWALREADYCREATED,
        DDERR_NODIRECTDRAWHW,
        DDERR_PRIMARYSURFACEALREADYEXISTS,
        DDERR_NOEMULATION,
        DDERR_REGIONTOOSMALL,
        DDERR_CLIPPERISUSINGHWND,
        DDERR_NOCLIPPERATTACHED,
        DDERR_NOHWND,
        DDERR_HWNDSUBCLASSED,
        DDERR_HWNDALREADYSET,
        DDERR_NOPALETTEATTACHED,
        DDERR_NOPALETTEHW,
        DDERR_BLTFASTCANTCLIP,
        DDERR_NOBLTHW,
        DDERR_NODDROPSHW,
        DDERR_OVERLAYNOTVISIBLE,
        DDERR_NOOVERLAYDEST,
        DDERR_INVALIDPOSITION,
        DDERR_NOTAOVERLAYSURFACE,
        DDERR_EXCLUSIVEMODEALREADYSET,
        DDERR_NOTFLIPPABLE,
        DDERR_CANTDUPLICATE,
        DDERR_NOTLOCKED,
        DDERR_CANTCREATEDC,
        DDERR_NODC,
        DDERR_WRONGMODE,
        DDERR_IMPLICITLYCREATED,
        DDERR_NOTPALETTIZED,
        DDERR_UNSUPPORTEDMODE,
        DDERR_NOMIPMAPHW,
        DDERR_INVALIDSURFACETYPE,
        DDERR_NOOPTIMIZEHW,
        DDERR_NOTLOADED,
        DDERR_NOFOCUSWINDOW,
        DDERR_DCALREADYCREATED,
        DDERR_NONONLOCALVIDMEM,
        DDERR_CANTPAGELOCK,
        DDERR_CANTPAGEUNLOCK,
        DDERR_NOTPAGELOCKED,
        DDERR_MOREDATA,
        DDERR_EXPIRED,
        DDERR_TESTFINISHED,
        DDERR_NEWMODE,
        DDERR_VIDEONOTACTIVE,
        DDERR_NOMONITORINFORMATION,
        DDERR_NODRIVERSUPPORT,
        DDERR_DEVICEDOESNTOWNSURFACE,
    };
    // The codes of the result-message table: five shared with COM, then 0x8876xxxx.
    std::set<uint32_t> expected{0x80004001u, 0x80004005u, 0x800401F0u, 0x8007000Eu, 0x80070057u};
    for (uint32_t low :
         {0x005, 0x00A, 0x014, 0x028, 0x037, 0x05A, 0x05F, 0x064, 0x06E, 0x078, 0x082, 0x091, 0x096, 0x0A0,
          0x0AA, 0x0B4, 0x0B5, 0x0B6, 0x0CD, 0x0D2, 0x0D4, 0x0D7, 0x0DC, 0x0DE, 0x0E1, 0x0E6, 0x0F0, 0x0FA,
          0x0FF, 0x104, 0x10E, 0x118, 0x122, 0x136, 0x13C, 0x13D, 0x140, 0x14A, 0x14F, 0x154, 0x15E, 0x168,
          0x17C, 0x17E, 0x180, 0x183, 0x190, 0x19A, 0x1A4, 0x1AE, 0x1B3, 0x1B8, 0x1C2, 0x1CC, 0x1D6, 0x1E0,
          0x1EA, 0x1FE, 0x208, 0x209, 0x219, 0x21C, 0x21E, 0x258, 0x259, 0x25A, 0x26C, 0x276, 0x280, 0x294,
          0x2A8, 0x2B2, 0x2B3, 0x2B4, 0x2B5, 0x2B7, 0x2B8, 0x2B9, 0x2BB})
        expected.insert(0x88760000u | low);
    for (uint32_t low = 0x230; low <= 0x250; ++low) expected.insert(0x88760000u | low);

    std::set<uint32_t> actual;
    for (HRESULT code : declared) actual.insert(static_cast<uint32_t>(code));
    EXPECT_EQ(std::size(declared), 117u);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(static_cast<uint32_t>(DDERR_SURFACELOST), 0x887601C2u);
    EXPECT_EQ(static_cast<uint32_t>(DDERR_WASSTILLDRAWING), 0x8876021Cu);
    EXPECT_EQ(static_cast<uint32_t>(DDERR_OUTOFVIDEOMEMORY), 0x8876017Cu);
    EXPECT_EQ(static_cast<uint32_t>(DDERR_NOEXCLUSIVEMODE), 0x887600E1u);
}

}  // namespace
