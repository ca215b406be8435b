#pragma once
// Shared set-up of the Direct3D-over-OpenGL tests: a window on the X server, DirectDraw
// in a window's cooperative level, a primary surface with the window's clipper, a
// 64 x 64 back buffer with a Z buffer carrying stencil, and a device drawing into it.
// Geometry is given in clip coordinates (transforms stay identity): x and y from -1 to
// 1 with y up, z from 0 (near) to 1 (far).

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/Direct3D.h"
#include "platform/DirectDrawCaps.h"
#include "platform/DirectDrawFormats.h"
#include "platform/FailureInjection.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/platform/DirectDrawTestSupport.h"

namespace gltest {

using ddtest::Desc;

struct PlainVertex {
    float x, y, z, nx, ny, nz, u, v;
};
struct ColouredVertex {
    float x, y, z, nx, ny, nz;
    DWORD colour;
    float u, v;
};
static_assert(sizeof(PlainVertex) == 32 && sizeof(ColouredVertex) == 36);
constexpr DWORD kPlainFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr DWORD kColouredFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

constexpr int kSize = 64;  // back buffer width and height
constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// A rectangle in clip coordinates.
struct Area {
    float left, top, right, bottom;
};
constexpr Area kWhole{-1, 1, 1, -1};

// Two triangles, both clockwise on screen: top-left, top-right, bottom-left, then
// bottom-left, top-right, bottom-right.
inline const std::vector<WORD> kQuadIndices{0, 1, 2, 2, 1, 3};

// Whether two 0xRRGGBB colours differ by at most `tolerance` in every channel.
inline ::testing::AssertionResult Near(DWORD actual, DWORD expected, int tolerance = 2) {
    for (int shift : {16, 8, 0}) {
        int a = int((actual >> shift) & 0xFF), e = int((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return ::testing::AssertionFailure()
                   << std::hex << "colour 0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

class Direct3DGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        platform::seam::ResetWindowing();
        platform::seam::ResetGraphicsCaps();
        platform::seam::ClearInjectedFailures();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"gl test window";
        ASSERT_NE(RegisterClassW(&windowClass), 0);
        window_ = CreateWindowExW(0, L"gl test window", L"GL", WS_POPUP, 100, 100, 2 * kSize, 2 * kSize, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);

        void* object = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
        directDraw_ = static_cast<IDirectDraw7*>(object);
        ASSERT_EQ(directDraw_->SetCooperativeLevel(window_, DDSCL_NORMAL), DD_OK);

        DDSURFACEDESC2 desc = Desc(0, 0, DDSCAPS_PRIMARYSURFACE);
        desc.dwFlags = DDSD_CAPS;
        ASSERT_EQ(directDraw_->CreateSurface(&desc, &primary_, nullptr), DD_OK);
        IDirectDrawClipper* clipper = nullptr;
        ASSERT_EQ(directDraw_->CreateClipper(0, &clipper, nullptr), DD_OK);
        clipper->SetHWnd(0, window_);
        primary_->SetClipper(clipper);
        clipper->Release();

        desc = Desc(kSize, kSize, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, platform::PixelFormatX8R8G8B8());
        ASSERT_EQ(directDraw_->CreateSurface(&desc, &backBuffer_, nullptr), DD_OK);
        desc = Desc(kSize, kSize, DDSCAPS_ZBUFFER, platform::ZBufferPixelFormat(32, 8));
        ASSERT_EQ(directDraw_->CreateSurface(&desc, &zBuffer_, nullptr), DD_OK);
        ASSERT_EQ(backBuffer_->AddAttachedSurface(zBuffer_), DD_OK);

        ASSERT_EQ(directDraw_->QueryInterface(IID_IDirect3D7, &object), DD_OK);
        direct3D_ = static_cast<IDirect3D7*>(object);
        ASSERT_EQ(direct3D_->CreateDevice(IID_IDirect3DTnLHalDevice, backBuffer_, &device_), D3D_OK);
        // Plain colours: no lighting, no culling, no depth test until a test asks.
        device_->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
        device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
        device_->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_FALSE);
    }

    void TearDown() override {
        // Everything made goes, and the counts say so.
        if (device_) {
            EXPECT_EQ(device_->Release(), 0u);
        }
        if (zBuffer_) {  // the back buffer holds it
            EXPECT_EQ(zBuffer_->Release(), 1u);
        }
        if (backBuffer_) {
            EXPECT_EQ(backBuffer_->Release(), 0u);
        }
        if (primary_) {
            EXPECT_EQ(primary_->Release(), 0u);
        }
        if (direct3D_) {
            EXPECT_EQ(direct3D_->Release(), 0u);
        }
        if (directDraw_) {
            EXPECT_EQ(directDraw_->Release(), 0u);
        }
        platform::seam::ResetWindowing();
    }

    void Clear(DWORD colour, float z = 1.0f, DWORD stencil = 0) {
        ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, colour, z,
                                 stencil),
                  D3D_OK);
    }

    void Draw(void* vertices, DWORD format, DWORD vertexCount, std::vector<WORD> indices,
              D3DPRIMITIVETYPE type = D3DPT_TRIANGLELIST) {
        ASSERT_EQ(device_->BeginScene(), D3D_OK);
        EXPECT_EQ(device_->DrawIndexedPrimitive(type, format, vertices, vertexCount, indices.data(),
                                                DWORD(indices.size()), 0),
                  D3D_OK);
        ASSERT_EQ(device_->EndScene(), D3D_OK);
    }

    void DrawQuad(Area area, float z, DWORD colour, const D3DVECTOR& normal = {{0}, {0}, {-1}}) {
        std::vector<ColouredVertex> vertices;
        for (auto [x, y] : {std::pair{area.left, area.top}, std::pair{area.right, area.top},
                            std::pair{area.left, area.bottom}, std::pair{area.right, area.bottom}})
            vertices.push_back({x, y, z, normal.x, normal.y, normal.z, colour, 0, 0});
        Draw(vertices.data(), kColouredFormat, 4, kQuadIndices);
    }

    // A quad without vertex colours, texture coordinates (u0, v0) at its top left and
    // (u1, v1) at its bottom right.
    void DrawTexturedQuad(Area area, float u0, float v0, float u1, float v1) {
        PlainVertex vertices[4] = {{area.left, area.top, 0.5f, 0, 0, -1, u0, v0},
                                   {area.right, area.top, 0.5f, 0, 0, -1, u1, v0},
                                   {area.left, area.bottom, 0.5f, 0, 0, -1, u0, v1},
                                   {area.right, area.bottom, 0.5f, 0, 0, -1, u1, v1}};
        Draw(vertices, kPlainFormat, 4, kQuadIndices);
    }

    // A back-buffer pixel (top row first) as 0xRRGGBB.
    DWORD Pixel(int x, int y) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        EXPECT_EQ(backBuffer_->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
        DWORD value = 0;
        if (desc.lpSurface) std::memcpy(&value, static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * 4, 4);
        backBuffer_->Unlock(nullptr);
        return value & 0xFFFFFF;
    }

    // The back-buffer pixel under a point in clip coordinates.
    DWORD PixelAt(float x, float y) { return Pixel(int((x + 1) / 2 * kSize), int((1 - y) / 2 * kSize)); }

    // A texture of `levels` mip levels, each texel's colour (0xAARRGGBB) given by level
    // and position.
    IDirectDrawSurface7* MakeTexture(DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD levels,
                                     const std::function<DWORD(DWORD level, DWORD x, DWORD y)>& colourAt) {
        DDSURFACEDESC2 desc = Desc(width, height, DDSCAPS_TEXTURE, format);
        desc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
        if (levels > 1) {
            desc.dwFlags |= DDSD_MIPMAPCOUNT;
            desc.dwMipMapCount = levels;
            desc.ddsCaps.dwCaps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
        }
        IDirectDrawSurface7* texture = nullptr;
        EXPECT_EQ(directDraw_->CreateSurface(&desc, &texture, nullptr), DD_OK);
        IDirectDrawSurface7* level = texture;
        level->AddRef();
        for (DWORD index = 0; index < levels && level; ++index) {
            DDSURFACEDESC2 locked{};
            locked.dwSize = sizeof(locked);
            EXPECT_EQ(level->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
            const DWORD bytes = platform::BytesPerPixel(format);
            for (DWORD y = 0; y < locked.dwHeight; ++y)
                for (DWORD x = 0; x < locked.dwWidth; ++x) {
                    DWORD packed = platform::PackColour(format, colourAt(index, x, y));
                    std::memcpy(static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch + x * bytes, &packed,
                                bytes);
                }
            EXPECT_EQ(level->Unlock(nullptr), DD_OK);
            DDSCAPS2 caps{DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, 0, 0, 0};
            IDirectDrawSurface7* next = nullptr;
            level->GetAttachedSurface(&caps, &next);
            level->Release();
            level = next;
        }
        if (level) level->Release();
        return texture;
    }

    // A compressed texture of one level made of the given blocks.
    IDirectDrawSurface7* MakeCompressedTexture(DWORD fourCC, DWORD width, DWORD height,
                                               const std::vector<BYTE>& blocks) {
        DDSURFACEDESC2 desc = Desc(width, height, DDSCAPS_TEXTURE, platform::FourCCPixelFormat(fourCC));
        IDirectDrawSurface7* texture = nullptr;
        EXPECT_EQ(directDraw_->CreateSurface(&desc, &texture, nullptr), DD_OK);
        DDSURFACEDESC2 locked{};
        locked.dwSize = sizeof(locked);
        EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
        EXPECT_EQ(locked.dwLinearSize, blocks.size());
        std::memcpy(locked.lpSurface, blocks.data(), blocks.size());
        EXPECT_EQ(texture->Unlock(nullptr), DD_OK);
        return texture;
    }

    HWND window_ = nullptr;
    IDirectDraw7* directDraw_ = nullptr;
    IDirectDrawSurface7* primary_ = nullptr;
    IDirectDrawSurface7* backBuffer_ = nullptr;
    IDirectDrawSurface7* zBuffer_ = nullptr;
    IDirect3D7* direct3D_ = nullptr;
    IDirect3DDevice7* device_ = nullptr;
};

}  // namespace gltest
