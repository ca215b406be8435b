// Creation and release of DirectDraw, the screen surfaces, the Z buffer and the device.

#include <string>

#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/d3d7/AdapterInfo_D3D7.h"
#include "engine/render/d3d7/ClassifyPixelFormat.h"
#include "engine/render/d3d7/DeviceInfo_D3D7.h"
#include "engine/render/d3d7/ModeInfo_D3D7.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

constexpr const char* kCreateContext = "RenderSystem_D3D7::CreateDirect3D";
constexpr const char* kReleaseContext = "RenderSystem_D3D7::ReleaseDirect3D";

MessageManager& Log() { return *MessageManager::Instance(); }

template <class Interface>
void ReleaseAndNull(Interface*& object) {
    if (object) object->Release();
    object = nullptr;
}

}  // namespace

// What the Z-buffer format search looks for, and where the match goes.
struct RenderSystem_D3D7::ZBufferSearch {
    DWORD depth;
    DWORD stencil;  // at least this many stencil bits
    DDPIXELFORMAT* out;
    bool found;
};

bool RenderSystem_D3D7::CreateDirect3D(bool logCapabilities) {
    const DeviceInfo_D3D7& device = *GetChosenDeviceD3D7();
    const ModeInfo_D3D7& mode = *GetChosenModeD3D7();
    GUID* adapterGuid = static_cast<AdapterInfo_D3D7*>(chosenAdapter_)->guidPointer;
    Window_WinOS& window = GetWindow();
    HWND handle = window.GetWindowHandle();
    const char* failure = nullptr;

    auto step = [&](HRESULT result, const char* message) {
        CheckResult(kCreateContext, result);
        if (FAILED(result)) failure = message;
        return SUCCEEDED(result);
    };
    auto fail = [&]() {
        ReleaseDirect3D();
        Log().PrintError(std::string("RenderSystem_D3D7: ") + failure);
        return false;
    };

    Log().PrintMessage("...Creating DirectDraw...");
    if (!step(DirectDrawCreateEx(adapterGuid, reinterpret_cast<void**>(&directDraw_),
                                 IID_IDirectDraw7, nullptr),
              "Failed to create DirectDraw"))
        return fail();

    Log().PrintMessage("......Setting cooperative level...");
    DWORD level = (device.fullscreen ? DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN : DDSCL_NORMAL) | DDSCL_FPUSETUP;
    if (!step(directDraw_->SetCooperativeLevel(handle, level), "Failed to set DirectDraw cooperative level"))
        return fail();

    DDSURFACEDESC2 current{};
    current.dwSize = sizeof(current);
    CheckResult(kCreateContext, directDraw_->GetDisplayMode(&current));
    if (current.ddpfPixelFormat.dwRGBBitCount <= 8) {
        failure = "Invalid DirectDraw display mode";
        return fail();
    }

    window.ChangeMode(mode.width, mode.height, device.fullscreen);

    if (device.fullscreen) {
        Log().PrintMessage("......Setting display mode...");
        if (!step(directDraw_->SetDisplayMode(mode.width, mode.height, mode.description->ddpfPixelFormat.dwRGBBitCount,
                                              mode.description->dwRefreshRate, 0),
                  "Failed to set display mode"))
            return fail();
    }

    Log().PrintMessage("......Creating screen buffers...");
    if (!CreateScreenBuffers(mode, device.fullscreen, failure)) return fail();

    Log().PrintMessage("...Creating Direct3D...");
    if (!step(directDraw_->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D_)),
              "Failed to create Direct3D"))
        return fail();

    Log().PrintMessage("...Creating Direct3D device...");
    if (!step(direct3D_->CreateDevice(device.guid, backBuffer_, &device_), "Failed to create Direct3D device"))
        return fail();

    Log().PrintMessage("......Setting viewport...");
    D3DVIEWPORT7 viewport{0, 0, mode.width, mode.height, 0.0f, 1.0f};
    if (!step(device_->SetViewport(&viewport), "Failed to set viewport")) return fail();

    Log().PrintMessage("......Creating Z Buffer...");
    if (!CreateZBuffer(device, failure)) return fail();

    ReadCapabilities(device, logCapabilities);
    return true;
}

bool RenderSystem_D3D7::CreateScreenBuffers(const ModeInfo_D3D7& mode, bool fullscreen, const char*& failure) {
    auto step = [&](HRESULT result, const char* message) {
        CheckResult(kCreateContext, result);
        if (FAILED(result)) failure = message;
        return SUCCEEDED(result);
    };

    DDSURFACEDESC2 primary{};
    primary.dwSize = sizeof(primary);
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (fullscreen) {
        primary.dwFlags |= DDSD_BACKBUFFERCOUNT;
        primary.dwBackBufferCount = 1;
        primary.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    }
    if (!step(directDraw_->CreateSurface(&primary, &primary_, nullptr), "Failed to create primary surface"))
        return false;

    if (fullscreen) {
        // The attached back buffer comes with a reference of its own.
        DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
        if (!step(primary_->GetAttachedSurface(&caps, &backBuffer_), "Failed to create back buffer")) return false;
    } else {
        IDirectDrawClipper* clipper = nullptr;
        if (!step(directDraw_->CreateClipper(0, &clipper, nullptr), "Failed to create clipper")) return false;
        CheckResult(kCreateContext, clipper->SetHWnd(0, GetWindow().GetWindowHandle()));
        CheckResult(kCreateContext, primary_->SetClipper(clipper));
        clipper->Release();

        DDSURFACEDESC2 back{};
        back.dwSize = sizeof(back);
        back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        back.dwWidth = mode.width;
        back.dwHeight = mode.height;
        back.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
        if (!step(directDraw_->CreateSurface(&back, &backBuffer_, nullptr), "Failed to create back buffer"))
            return false;
    }

    backBufferDesc_ = DDSURFACEDESC2{};
    backBufferDesc_.dwSize = sizeof(backBufferDesc_);
    return step(backBuffer_->GetSurfaceDesc(&backBufferDesc_), "Failed to get back buffer description");
}

HRESULT RenderSystem_D3D7::MatchZBufferFormat(LPDDPIXELFORMAT format, LPVOID context) {
    auto* search = static_cast<ZBufferSearch*>(context);
    if (!format || format->dwZBufferBitDepth != search->depth || format->dwStencilBitDepth < search->stencil)
        return D3DENUMRET_OK;
    *search->out = *format;
    search->found = true;
    return D3DENUMRET_CANCEL;
}

bool RenderSystem_D3D7::CreateZBuffer(const DeviceInfo_D3D7& device, const char*& failure) {
    // Nothing may keep the stencil of a device made before a reset.
    stencilPresent_ = false;
    if (device.deviceDescription.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR) return true;

    bool hardware = device.guid == IID_IDirect3DHALDevice || device.guid == IID_IDirect3DTnLHalDevice;
    DDSURFACEDESC2 desc = backBufferDesc_;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps = DDSCAPS2{(hardware ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY) | DDSCAPS_ZBUFFER, 0, 0, 0};

    // The back buffer's depth, then 16 bits; a stencil that no format offers is given up.
    bool stencilWish = stencilBufferWanted_;
    ZBufferSearch search{backBufferDesc_.ddpfPixelFormat.dwRGBBitCount, stencilWish ? 1u : 0u,
                         &desc.ddpfPixelFormat, false};
    auto find = [&](DWORD depth) {
        search.depth = depth;
        search.stencil = stencilWish ? 1u : 0u;
        CheckResult(kCreateContext, direct3D_->EnumZBufferFormats(device.guid, &RenderSystem_D3D7::MatchZBufferFormat,
                                                                  &search));
        return search.found;
    };
    if (!find(search.depth) && !find(16) && stencilWish) {
        stencilWish = false;
        find(16);
    }
    if (!search.found) {
        failure = "Failed to create Z Buffer";
        return false;
    }
    stencilPresent_ = stencilWish;

    HRESULT result = directDraw_->CreateSurface(&desc, &zBuffer_, nullptr);
    CheckResult(kCreateContext, result);
    if (SUCCEEDED(result)) {
        result = backBuffer_->AddAttachedSurface(zBuffer_);
        CheckResult(kCreateContext, result);
    }
    if (FAILED(result)) {
        failure = "Failed to create Z Buffer";
        return false;
    }
    result = device_->SetRenderTarget(backBuffer_, 0);
    CheckResult(kCreateContext, result);
    if (FAILED(result)) {
        failure = "Failed to set render target";
        return false;
    }
    return true;
}

void RenderSystem_D3D7::ReadCapabilities(const DeviceInfo_D3D7& device, bool logCapabilities) {
    const D3DDEVICEDESC7& caps = device.deviceDescription;
    if (logCapabilities) {
        Log().PrintMessage(kSeparator);
        Log().PrintMessage("......Capabilities:");
    }
    textureStageCount_ = caps.wMaxSimultaneousTextures;
    maxTextureWidth_ = caps.dwMaxTextureWidth;
    maxTextureHeight_ = caps.dwMaxTextureHeight;
    maxAnisotropy_ = caps.dwMaxAnisotropy;
    if (logCapabilities) {
        Log().PrintMessage(".........Maximal texture units: " + std::to_string(textureStageCount_));
        Log().PrintMessage(".........Maximal texture size: " + std::to_string(maxTextureWidth_) + "x" +
                           std::to_string(maxTextureHeight_));
        Log().PrintMessage(".........Maximal texture anisotropy: " + std::to_string(maxAnisotropy_));
    }
    supportedTextureFormats_ = 0;
    CheckResult(kCreateContext, device_->EnumTextureFormats(&RenderSystem_D3D7::AddTextureFormat, this));
}

HRESULT RenderSystem_D3D7::AddTextureFormat(LPDDPIXELFORMAT format, LPVOID context) {
    if (format) {
        auto* self = static_cast<RenderSystem_D3D7*>(context);
        self->supportedTextureFormats_ |= 1u << (static_cast<std::uint32_t>(ClassifyPixelFormat(*format)) % 32);
    }
    return D3DENUMRET_OK;
}

void RenderSystem_D3D7::ReleaseDirect3D() {
    Log().PrintMessage("...Releasing device...");
    ULONG deviceReferences = device_ ? device_->Release() : 0;
    device_ = nullptr;

    Log().PrintMessage("...Releasing surfaces...");
    ReleaseAndNull(backBuffer_);
    ReleaseAndNull(zBuffer_);
    ReleaseAndNull(primary_);

    Log().PrintMessage("...Releasing Direct3D...");
    ReleaseAndNull(direct3D_);

    Log().PrintMessage("...Releasing DirectDraw...");
    ULONG directDrawReferences = 0;
    if (directDraw_) {
        CheckResult(kReleaseContext, directDraw_->RestoreDisplayMode());
        CheckResult(kReleaseContext, directDraw_->SetCooperativeLevel(GetWindow().GetWindowHandle(), DDSCL_NORMAL));
        directDrawReferences = directDraw_->Release();
        directDraw_ = nullptr;
    }

    if (deviceReferences != 0)
        Log().PrintFatalError("RenderSystem_D3D7: device object is still referenced (" +
                              std::to_string(deviceReferences) + ")");
    if (directDrawReferences != 0)
        Log().PrintFatalError("RenderSystem_D3D7: DirectDraw object is still referenced (" +
                              std::to_string(directDrawReferences) + ")");
}

}  // namespace Vantor
