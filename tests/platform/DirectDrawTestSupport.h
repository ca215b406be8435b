#pragma once
// Shared set-up of the DirectDraw and Direct3D tests: a clean layer state around each
// test and short ways to make the objects under test (surface descriptions are used by
// the sdl backend's tests too).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Direct3D.h"
#include "platform/DirectDrawCaps.h"
#include "platform/DirectDrawFormats.h"
#include "platform/DirectDrawSeams.h"
#include "platform/FailureInjection.h"

namespace ddtest {

inline HWND TestWindow() {
    static HWND__ window{};
    return &window;
}

// The description of a surface of this size and these capabilities.
inline DDSURFACEDESC2 Desc(DWORD width, DWORD height, DWORD caps) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = caps;
    return desc;
}

// The same with a pixel format of its own.
inline DDSURFACEDESC2 Desc(DWORD width, DWORD height, DWORD caps, const DDPIXELFORMAT& format) {
    DDSURFACEDESC2 desc = Desc(width, height, caps);
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat = format;
    return desc;
}

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLayer(); }
    void TearDown() override { ResetLayer(); }

    static void ResetLayer() {
        platform::seam::ResetGraphicsCaps();
        platform::seam::ResetDesktop();
        platform::seam::ClearInjectedFailures();
        platform::seam::ClearDeviceCalls();
    }

    static IDirectDraw7* CreateDirectDraw(GUID* driver = nullptr) {
        void* object = nullptr;
        EXPECT_EQ(DirectDrawCreateEx(driver, &object, IID_IDirectDraw7, nullptr), DD_OK);
        return static_cast<IDirectDraw7*>(object);
    }

    static IDirect3D7* QueryDirect3D(IDirectDraw7* directDraw) {
        void* object = nullptr;
        EXPECT_EQ(directDraw->QueryInterface(IID_IDirect3D7, &object), DD_OK);
        return static_cast<IDirect3D7*>(object);
    }

    static DDSURFACEDESC2 PrimaryDesc(DWORD backBuffers) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        if (backBuffers) {
            desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
            desc.dwBackBufferCount = backBuffers;
            desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
        }
        return desc;
    }

    static IDirectDrawSurface7* CreateSurface(IDirectDraw7* directDraw, DDSURFACEDESC2 desc) {
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    static IDirectDrawSurface7* Attached(IDirectDrawSurface7* surface, DWORD caps) {
        DDSCAPS2 wanted{caps, 0, 0, 0};
        IDirectDrawSurface7* attached = nullptr;
        EXPECT_EQ(surface->GetAttachedSurface(&wanted, &attached), DD_OK);
        return attached;
    }

    static DDSURFACEDESC2 DescOf(IDirectDrawSurface7* surface) {
        DDSURFACEDESC2 desc{};
        EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
        return desc;
    }

    // The count left after one AddRef and one Release: what others hold.
    static ULONG References(IDirectDraw7* object) {
        object->AddRef();
        return object->Release();
    }

    static std::vector<std::string> CallNames() {
        std::vector<std::string> names;
        for (const platform::seam::DeviceCall& call : platform::seam::DeviceCalls()) names.push_back(call.name);
        return names;
    }
};

}  // namespace ddtest
