// Creating and releasing DirectDraw, the screen surfaces, the Z buffer and the device.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/kernel/FatalError.h"
#include "platform/Desktop.h"
#include "platform/DirectDrawFormats.h"
#include "platform/DirectDrawHeadless.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using d3d7test::DefaultCaps;
using d3d7test::TheDevice;
using platform::ddraw::HeadlessSurface;

class DeviceCreationTest : public d3d7test::RenderSystemTest {
protected:
    // The format of the Z buffer attached to the render target, or none.
    bool ZBufferFormat(DDPIXELFORMAT& format) const {
        std::vector<platform::seam::DeviceCall> targets = Calls("IDirect3DDevice7::SetRenderTarget");
        if (targets.empty()) return false;
        DDSCAPS2 caps{DDSCAPS_ZBUFFER, 0, 0, 0};
        IDirectDrawSurface7* zBuffer = nullptr;
        if (FAILED(targets.back().surface->GetAttachedSurface(&caps, &zBuffer))) return false;
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        zBuffer->GetSurfaceDesc(&desc);
        zBuffer->Release();
        format = desc.ddpfPixelFormat;
        return true;
    }
};

TEST_F(DeviceCreationTest, AWindowedDeviceSharesTheDesktopAndAFullScreenOneOwnsIt) {
    Values().mode = "800x600x32";
    Make();
    std::vector<platform::seam::DeviceCall> levels = Calls("IDirectDraw7::SetCooperativeLevel");
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front().args[0], DWORD{DDSCL_NORMAL | DDSCL_FPUSETUP});
    EXPECT_TRUE(Calls("IDirectDraw7::SetDisplayMode").empty());
    EXPECT_EQ(Window().GetWidth(), 800u);
    EXPECT_FALSE(Window().IsFullScreen());

    renderSystem_.reset();
    platform::seam::ClearDeviceCalls();
    Values().fullscreen = true;
    Make();
    levels = Calls("IDirectDraw7::SetCooperativeLevel");
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front().args[0], DWORD{DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_FPUSETUP});
    std::vector<platform::seam::DeviceCall> modes = Calls("IDirectDraw7::SetDisplayMode");
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(modes[0].args[0], 1280u);
    EXPECT_EQ(modes[0].args[1], 1024u);
    EXPECT_EQ(modes[0].args[2], 32u);
    EXPECT_TRUE(Window().IsFullScreen());
}

TEST_F(DeviceCreationTest, ReadsTheDeviceCapabilities) {
    platform::GraphicsCaps caps = DefaultCaps();
    platform::Direct3DDeviceCaps& device = TheDevice(caps);
    device.textureStages = 3;
    device.maxTextureWidth = 1024;
    device.maxTextureHeight = 512;
    device.maxAnisotropy = 4;
    device.textureFormats = {platform::PixelFormatR5G6B5(), platform::PixelFormatX8R8G8B8(),
                             platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '3'))};
    platform::seam::SetGraphicsCaps(caps);
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    EXPECT_EQ(renderSystem.GetTextureStageCount(), 3u);
    EXPECT_EQ(renderSystem.GetMaxTextureWidth(), 1024u);
    EXPECT_EQ(renderSystem.GetMaxTextureHeight(), 512u);
    EXPECT_EQ(renderSystem.GetMaxAnisotropy(), 4u);
    EXPECT_EQ(renderSystem.GetSupportedTextureFormats(), (1u << 5) | (1u << 0) | (1u << 8));
    EXPECT_TRUE(renderSystem.IsReady());
}

struct ZCase {
    const char* name;
    bool stencilWanted;
    DWORD backBufferBits;  // 16: full screen on a 16-bit desktop
    std::vector<std::pair<DWORD, DWORD>> formats;  // total bits, stencil bits
    std::pair<DWORD, DWORD> chosen;
    bool stencilPresent;
};

TEST_F(DeviceCreationTest, SearchesTheZBufferFormatsInOrder) {
    const ZCase cases[] = {
        {"stencil at the back buffer's depth", true, 32, {{16, 0}, {32, 0}, {32, 8}}, {32, 8}, true},
        {"stencil at 16 bits", true, 32, {{32, 0}, {16, 1}}, {16, 1}, true},
        {"stencil given up for 16 bits", true, 32, {{32, 0}, {16, 0}}, {16, 0}, false},
        {"without stencil any stencil depth", false, 32, {{16, 0}, {32, 8}}, {32, 8}, false},
        {"without stencil 16 bits last", false, 32, {{24, 0}, {16, 1}}, {16, 1}, false},
        {"a 16-bit full-screen back buffer", true, 16, {{32, 8}, {16, 1}}, {16, 1}, true},
    };
    for (const ZCase& c : cases) {
        SCOPED_TRACE(c.name);
        platform::GraphicsCaps caps = DefaultCaps();
        TheDevice(caps).zBufferFormats.clear();
        for (auto [total, stencil] : c.formats)
            TheDevice(caps).zBufferFormats.push_back(platform::ZBufferPixelFormat(total, stencil));
        platform::seam::SetGraphicsCaps(caps);
        platform::seam::ClearDeviceCalls();
        platform::seam::SetDesktop(1280, 1024, static_cast<int>(c.backBufferBits));
        Values().fullscreen = c.backBufferBits == 16;
        Vantor::RenderSystem_D3D7& renderSystem = Make(c.stencilWanted);
        DDPIXELFORMAT format{};
        ASSERT_TRUE(ZBufferFormat(format));
        EXPECT_EQ(format.dwZBufferBitDepth, c.chosen.first);
        EXPECT_EQ(format.dwStencilBitDepth, c.chosen.second);
        EXPECT_EQ(renderSystem.IsStencilPresent(), c.stencilPresent);
        // The stencil states go to the device only with a stencil buffer.
        bool stencilStates = false;
        for (const platform::seam::DeviceCall& call : Calls("IDirect3DDevice7::SetRenderState"))
            stencilStates |= call.args[0] == D3DRENDERSTATE_STENCILFUNC;
        EXPECT_EQ(stencilStates, c.stencilPresent);
        renderSystem_.reset();
    }
}

TEST_F(DeviceCreationTest, NoMatchingZBufferFormatFailsTheCreation) {
    platform::GraphicsCaps caps = DefaultCaps();
    TheDevice(caps).zBufferFormats = {platform::ZBufferPixelFormat(24, 0)};
    platform::seam::SetGraphicsCaps(caps);
    Window();
    EXPECT_THROW(Make(), Vantor::FatalError);
    EXPECT_EQ(Fatals(), std::vector<std::string>{"RenderSystem_D3D7: Failed to create Direct3D device"});
    std::vector<std::string> errors = TakeErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "RenderSystem_D3D7: Failed to create Z Buffer");
    EXPECT_TRUE(HeadlessSurface::Live().empty());
}

TEST_F(DeviceCreationTest, ADeviceWithoutZBufferGetsNoneAndNoRenderTargetCall) {
    platform::GraphicsCaps caps = DefaultCaps();
    TheDevice(caps).rasterCaps |= D3DPRASTERCAPS_ZBUFFERLESSHSR;
    platform::seam::SetGraphicsCaps(caps);
    Vantor::RenderSystem_D3D7& renderSystem = Make(true);
    EXPECT_TRUE(renderSystem.IsReady());
    EXPECT_FALSE(renderSystem.IsStencilPresent());
    EXPECT_TRUE(Calls("IDirect3DDevice7::SetRenderTarget").empty());
    // Windowed: primary and back buffer only.
    EXPECT_EQ(HeadlessSurface::Live().size(), 2u);
}

struct FailureCase {
    const char* call;
    int count;
    bool fullscreen;
    const char* message;
};

TEST_F(DeviceCreationTest, AFailedStepReleasesEverythingAndIsFatal) {
    const FailureCase cases[] = {
        {"IDirectDraw7::SetCooperativeLevel", 1, false, "Failed to set DirectDraw cooperative level"},
        {"IDirectDraw7::GetDisplayMode", 1, false, "Invalid DirectDraw display mode"},
        {"IDirectDraw7::SetDisplayMode", 1, true, "Failed to set display mode"},
        {"IDirectDraw7::CreateSurface", 1, false, "Failed to create primary surface"},
        {"IDirectDrawSurface7::GetAttachedSurface", 1, true, "Failed to create back buffer"},
        {"IDirectDraw7::CreateClipper", 1, false, "Failed to create clipper"},
        {"IDirectDrawSurface7::GetSurfaceDesc", 1, false, "Failed to get back buffer description"},
        {"IDirect3D7::CreateDevice", 1, false, "Failed to create Direct3D device"},
        {"IDirect3DDevice7::SetViewport", 1, false, "Failed to set viewport"},
        {"IDirect3D7::EnumZBufferFormats", 4, false, "Failed to create Z Buffer"},
        {"IDirectDrawSurface7::AddAttachedSurface", 1, false, "Failed to create Z Buffer"},
        {"IDirect3DDevice7::SetRenderTarget", 1, false, "Failed to set render target"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.call);
        Values().fullscreen = c.fullscreen;
        Window();
        platform::seam::FailNextCalls(c.call, c.count);
        EXPECT_THROW(Make(), Vantor::FatalError);
        platform::seam::ClearInjectedFailures();
        EXPECT_EQ(Fatals(), std::vector<std::string>{"RenderSystem_D3D7: Failed to create Direct3D device"});
        std::vector<std::string> errors = TakeErrors();
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back(), std::string("RenderSystem_D3D7: ") + c.message);
        EXPECT_TRUE(HeadlessSurface::Live().empty());
    }
}

TEST_F(DeviceCreationTest, TeardownEndsWithEveryReferenceGone) {
    for (bool fullscreen : {false, true}) {
        SCOPED_TRACE(fullscreen ? "full screen" : "windowed");
        Values().fullscreen = fullscreen;
        Make(true);
        EXPECT_FALSE(HeadlessSurface::Live().empty());
        renderSystem_.reset();
        EXPECT_TRUE(HeadlessSurface::Live().empty());
        EXPECT_TRUE(Fatals().empty());
    }
}

TEST_F(DeviceCreationTest, AReferenceLeftOnTheDeviceIsLoggedFatallyWithoutThrowingFromTheDestructor) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    IDirect3DDevice7* device = *renderSystem.GetDeviceSlot();
    device->AddRef();
    EXPECT_NO_THROW(renderSystem_.reset());
    EXPECT_EQ(Fatals(), std::vector<std::string>{"RenderSystem_D3D7: device object is still referenced (1)"});
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_TRUE(HeadlessSurface::Live().empty());
}

TEST_F(DeviceCreationTest, AReferenceLeftOnTheDeviceMakesAnExplicitReleaseFatal) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    IDirect3DDevice7* device = *renderSystem.GetDeviceSlot();
    device->AddRef();
    EXPECT_THROW(renderSystem.ReleaseDirect3D(), Vantor::FatalError);
    EXPECT_EQ(*renderSystem.GetDeviceSlot(), nullptr);
    EXPECT_EQ(*renderSystem.GetDirectDrawSlot(), nullptr);
    device->Release();
}

}  // namespace
