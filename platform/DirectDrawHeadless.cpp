#include "platform/DirectDrawHeadless.h"

#include <algorithm>
#include <bit>

#include "platform/Desktop.h"
#include "platform/Direct3DHeadless.h"
#include "platform/DirectDrawFormats.h"
#include "platform/FailureInjection.h"
#include "platform/RecordedCall.h"
#include "platform/WinDisplay.h"

namespace platform::ddraw {

namespace {

// The one DirectDraw object that holds exclusive (full-screen) mode, if any.
HeadlessDirectDraw* exclusiveOwner = nullptr;

std::vector<HeadlessSurface*>& LiveSurfaces() {
    static std::vector<HeadlessSurface*> surfaces;
    return surfaces;
}

constexpr DWORD kPitchAlignment = 8;

DisplayModeCaps DesktopDisplayMode() {
    DesktopMode desktop = Desktop();
    return {static_cast<DWORD>(desktop.width), static_cast<DWORD>(desktop.height),
            static_cast<DWORD>(desktop.bitsPerPixel), static_cast<DWORD>(desktop.refreshRate)};
}

// Bytes from one row (of pixels, or of 4x4 blocks) to the next.
DWORD RowPitch(DWORD width, const DDPIXELFORMAT& format) {
    if (IsBlockCompressed(format)) return std::max<DWORD>(1, (width + 3) / 4) * BytesPerBlock(format);
    DWORD bytes = width * BytesPerPixel(format);
    return (bytes + kPitchAlignment - 1) / kPitchAlignment * kPitchAlignment;
}

DWORD StorageSize(const SurfaceShape& shape) {
    if (IsBlockCompressed(shape.format)) return CompressedLevelSize(shape.format, shape.width, shape.height);
    return RowPitch(shape.width, shape.format) * shape.height;
}

DDSURFACEDESC2 DescribeMode(const DisplayModeCaps& mode, DWORD refreshRate) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    desc.dwWidth = mode.width;
    desc.dwHeight = mode.height;
    desc.ddpfPixelFormat = DisplayPixelFormat(mode.bitsPerPixel);
    desc.lPitch = static_cast<LONG>(RowPitch(mode.width, desc.ddpfPixelFormat));
    desc.dwRefreshRate = refreshRate;
    return desc;
}

bool SameMode(const DisplayModeCaps& a, const DisplayModeCaps& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel;
}

// The surfaces of a driver in video memory lose their contents when the display mode
// changes under them.
void LoseVideoMemory(const HeadlessDirectDraw& owner) {
    for (HeadlessSurface* surface : LiveSurfaces())
        if (&surface->Owner() == &owner && surface->InVideoMemory()) surface->MarkLost();
}

// Puts a surface in video memory unless it asks for system memory or for a managed
// texture; refuses contradicting requests.
HRESULT PlaceInMemory(DDSCAPS2& caps) {
    bool system = caps.dwCaps & DDSCAPS_SYSTEMMEMORY;
    bool video = caps.dwCaps & DDSCAPS_VIDEOMEMORY;
    bool managed = caps.dwCaps2 & (DDSCAPS2_TEXTUREMANAGE | DDSCAPS2_D3DTEXTUREMANAGE);
    if (int{system} + int{video} + int{managed} > 1) return DDERR_INVALIDCAPS;
    if (managed && !(caps.dwCaps & DDSCAPS_TEXTURE)) return DDERR_INVALIDCAPS;
    if (!system && !managed) caps.dwCaps |= DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
    return DD_OK;
}

bool ValidRect(const RECT& rect, DWORD width, DWORD height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           static_cast<DWORD>(rect.right) <= width && static_cast<DWORD>(rect.bottom) <= height;
}

DDCAPS DescribeDriver(const DisplayDriverCaps& driver, DWORD size, bool emulation) {
    DDCAPS caps{};
    caps.dwSize = size;
    caps.dwCaps = DDCAPS_BLT | DDCAPS_BLTSTRETCH | (!emulation && !driver.devices.empty() ? DDCAPS_3D : 0);
    caps.dwCaps2 = driver.canRenderWindowed ? DDCAPS2_CANRENDERWINDOWED : 0;
    caps.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER | DDSCAPS_COMPLEX | DDSCAPS_FLIP | DDSCAPS_FRONTBUFFER |
                          DDSCAPS_OFFSCREENPLAIN | DDSCAPS_PRIMARYSURFACE | DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE |
                          DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY | DDSCAPS_VISIBLE | DDSCAPS_ZBUFFER | DDSCAPS_MIPMAP |
                          DDSCAPS_LOCALVIDMEM;
    return caps;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// HeadlessDirectDraw

HeadlessDirectDraw::HeadlessDirectDraw(const DisplayDriverCaps& driver)
    : driver_(driver), mode_(DesktopDisplayMode()) {}

HeadlessDirectDraw::~HeadlessDirectDraw() {
    if (exclusiveOwner == this) exclusiveOwner = nullptr;
}

HRESULT HeadlessDirectDraw::QueryInterface(REFIID iid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (ShouldFail("IDirectDraw7::QueryInterface")) return E_NOINTERFACE;
    if (iid == IID_IDirectDraw7) {
        AddRef();
        *object = static_cast<IDirectDraw7*>(this);
        return DD_OK;
    }
    if (iid == IID_IDirect3D7) {
        if (direct3D_)
            direct3D_->AddRef();
        else
            direct3D_ = NewDirect3D();
        *object = static_cast<IDirect3D7*>(direct3D_);
        return DD_OK;
    }
    return E_NOINTERFACE;
}

ULONG HeadlessDirectDraw::AddRef() { return ++refs_; }

ULONG HeadlessDirectDraw::Release() {
    if (refs_ == 0) return 0;
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT HeadlessDirectDraw::CreateClipper(DWORD, IDirectDrawClipper** clipper, void* outer) {
    if (!clipper) return DDERR_INVALIDPARAMS;
    *clipper = nullptr;
    if (outer) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDraw7::CreateClipper")) return DDERR_OUTOFMEMORY;
    *clipper = new HeadlessClipper(*this);
    return DD_OK;
}

HRESULT HeadlessDirectDraw::CreateSurface(LPDDSURFACEDESC2 desc, IDirectDrawSurface7** surface, void* outer) {
    if (!desc || !surface) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (outer) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDraw7::CreateSurface")) return DDERR_OUTOFVIDEOMEMORY;

    std::vector<SurfaceShape> chain;
    HRESULT result = ShapeChain(*desc, chain);
    if (FAILED(result)) return result;

    HeadlessSurface* root = NewSurface(chain[0], nullptr);
    HeadlessSurface* previous = root;
    for (size_t i = 1; i < chain.size(); ++i) {
        HeadlessSurface* next = NewSurface(chain[i], root);
        previous->Chain(next);
        previous = next;
    }
    if (chain[0].caps.dwCaps & DDSCAPS_PRIMARYSURFACE) primary_ = root;
    *surface = root;
    return DD_OK;
}

HRESULT HeadlessDirectDraw::ShapeChain(const DDSURFACEDESC2& desc, std::vector<SurfaceShape>& chain) const {
    if (!(desc.dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
    if (desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) return ShapePrimary(desc, chain);
    if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) || desc.dwWidth == 0 ||
        desc.dwHeight == 0)
        return DDERR_INVALIDPARAMS;

    DDSCAPS2 caps = desc.ddsCaps;
    if (HRESULT result = PlaceInMemory(caps); FAILED(result)) return result;
    if ((caps.dwCaps & DDSCAPS_MIPMAP) && !(caps.dwCaps & DDSCAPS_TEXTURE)) return DDERR_INVALIDCAPS;

    bool depth = caps.dwCaps & DDSCAPS_ZBUFFER;
    if (depth && !(desc.dwFlags & DDSD_PIXELFORMAT)) return DDERR_INVALIDPIXELFORMAT;
    DDPIXELFORMAT format =
        (desc.dwFlags & DDSD_PIXELFORMAT) ? desc.ddpfPixelFormat : DisplayPixelFormat(mode_.bitsPerPixel);
    if (depth != bool(format.dwFlags & DDPF_ZBUFFER)) return DDERR_INVALIDPIXELFORMAT;
    if (!IsBlockCompressed(format) && BytesPerPixel(format) == 0) return DDERR_INVALIDPIXELFORMAT;

    DWORD levels = 1;
    if ((caps.dwCaps & DDSCAPS_MIPMAP) && (caps.dwCaps & DDSCAPS_COMPLEX)) {
        DWORD fullChain = std::bit_width(std::max(desc.dwWidth, desc.dwHeight));
        levels = (desc.dwFlags & DDSD_MIPMAPCOUNT) ? desc.dwMipMapCount : fullChain;
        if (levels == 0 || levels > fullChain) return DDERR_INVALIDPARAMS;
    }
    for (DWORD level = 0; level < levels; ++level) {
        SurfaceShape shape;
        shape.width = std::max<DWORD>(1, desc.dwWidth >> level);
        shape.height = std::max<DWORD>(1, desc.dwHeight >> level);
        shape.format = format;
        shape.caps = caps;
        if (level > 0) shape.caps.dwCaps2 |= DDSCAPS2_MIPMAPSUBLEVEL;
        if (caps.dwCaps & DDSCAPS_MIPMAP) shape.mipLevels = levels - level;
        chain.push_back(shape);
    }
    return DD_OK;
}

HRESULT HeadlessDirectDraw::ShapePrimary(const DDSURFACEDESC2& desc, std::vector<SurfaceShape>& chain) const {
    if (primary_) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    if (desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) return DDERR_INVALIDPARAMS;
    DDSCAPS2 caps = desc.ddsCaps;
    if (caps.dwCaps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE | DDSCAPS_ZBUFFER | DDSCAPS_MIPMAP))
        return DDERR_INVALIDCAPS;
    caps.dwCaps |= DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM | DDSCAPS_VISIBLE;

    DWORD backBuffers = (desc.dwFlags & DDSD_BACKBUFFERCOUNT) ? desc.dwBackBufferCount : 0;
    bool flipping = caps.dwCaps & DDSCAPS_FLIP;
    if (flipping != (backBuffers > 0)) return DDERR_INVALIDPARAMS;
    if (flipping && !(caps.dwCaps & DDSCAPS_COMPLEX)) return DDERR_DDSCAPSCOMPLEXREQUIRED;
    if (flipping && !(cooperativeLevel_ & DDSCL_EXCLUSIVE)) return DDERR_NOEXCLUSIVEMODE;

    SurfaceShape front;
    front.width = mode_.width;
    front.height = mode_.height;
    front.format = DisplayPixelFormat(mode_.bitsPerPixel);
    front.caps = caps;
    if (flipping) front.caps.dwCaps |= DDSCAPS_FRONTBUFFER;
    front.backBufferCount = backBuffers;
    chain.push_back(front);
    for (DWORD i = 0; i < backBuffers; ++i) {
        SurfaceShape back = front;
        back.caps.dwCaps &= ~(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER | DDSCAPS_VISIBLE);
        if (i == 0) back.caps.dwCaps |= DDSCAPS_BACKBUFFER;
        back.backBufferCount = 0;
        chain.push_back(back);
    }
    return DD_OK;
}

HeadlessSurface* HeadlessDirectDraw::NewSurface(const SurfaceShape& shape, HeadlessSurface* root) {
    return new HeadlessSurface(*this, shape, root);
}

HeadlessDirect3D* HeadlessDirectDraw::NewDirect3D() { return new HeadlessDirect3D(*this); }

HRESULT HeadlessDirectDraw::EnumDisplayModes(DWORD flags, LPDDSURFACEDESC2 filter, LPVOID context,
                                             LPDDENUMMODESCALLBACK2 callback) {
    if (!callback) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDraw7::EnumDisplayModes")) return DDERR_GENERIC;
    for (const DisplayModeCaps& mode : driver_.displayModes) {
        if (filter) {
            if ((filter->dwFlags & DDSD_WIDTH) && filter->dwWidth != mode.width) continue;
            if ((filter->dwFlags & DDSD_HEIGHT) && filter->dwHeight != mode.height) continue;
            if ((filter->dwFlags & DDSD_PIXELFORMAT) && filter->ddpfPixelFormat.dwRGBBitCount != mode.bitsPerPixel)
                continue;
            if ((filter->dwFlags & DDSD_REFRESHRATE) && filter->dwRefreshRate != mode.refreshRate) continue;
        }
        DDSURFACEDESC2 desc = DescribeMode(mode, (flags & DDEDM_REFRESHRATES) ? mode.refreshRate : 0);
        if (callback(&desc, context) == DDENUMRET_CANCEL) break;
    }
    return DD_OK;
}

HRESULT HeadlessDirectDraw::GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) {
    if (!driverCaps && !emulationCaps) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDraw7::GetCaps")) return DDERR_GENERIC;
    if (driverCaps) *driverCaps = DescribeDriver(driver_, driverCaps->dwSize, false);
    if (emulationCaps) *emulationCaps = DescribeDriver(driver_, emulationCaps->dwSize, true);
    return DD_OK;
}

HRESULT HeadlessDirectDraw::GetDisplayMode(LPDDSURFACEDESC2 mode) {
    if (!mode) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDraw7::GetDisplayMode")) return DDERR_GENERIC;
    *mode = DescribeMode(mode_, mode_.refreshRate);
    return DD_OK;
}

HRESULT HeadlessDirectDraw::RestoreDisplayMode() {
    RecordedCall call("IDirectDraw7::RestoreDisplayMode");
    HRESULT result = DD_OK;
    if (call.Injected())
        result = DDERR_GENERIC;
    else if (exclusiveOwner && exclusiveOwner != this)
        result = DDERR_NOEXCLUSIVEMODE;
    else {
        platform::RestoreDesktopDisplayMode();
        if (!SameMode(mode_, DesktopDisplayMode())) {
            mode_ = DesktopDisplayMode();
            LoseVideoMemory(*this);
        }
    }
    return call.Answer(result);
}

HRESULT HeadlessDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    RecordedCall call("IDirectDraw7::SetCooperativeLevel", {flags});
    HRESULT result = DD_OK;
    bool exclusive = flags & DDSCL_EXCLUSIVE;
    bool fullScreen = flags & DDSCL_FULLSCREEN;
    bool normal = flags & DDSCL_NORMAL;
    if (call.Injected())
        result = DDERR_EXCLUSIVEMODEALREADYSET;
    else if (exclusive != fullScreen || exclusive == normal || (exclusive && !window))
        result = DDERR_INVALIDPARAMS;
    else if (exclusive && exclusiveOwner && exclusiveOwner != this)
        result = DDERR_EXCLUSIVEMODEALREADYSET;
    else {
        if (exclusive)
            exclusiveOwner = this;
        else if (exclusiveOwner == this)
            exclusiveOwner = nullptr;
        cooperativeLevel_ = flags;
    }
    return call.Answer(result);
}

bool HeadlessDirectDraw::OffersMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate) const {
    return std::any_of(driver_.displayModes.begin(), driver_.displayModes.end(), [&](const DisplayModeCaps& mode) {
        return mode.width == width && mode.height == height && mode.bitsPerPixel == bits &&
               (refreshRate == 0 || mode.refreshRate == refreshRate);
    });
}

HRESULT HeadlessDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                           DWORD flags) {
    RecordedCall call("IDirectDraw7::SetDisplayMode", {width, height, bitsPerPixel, refreshRate, flags});
    HRESULT result = DD_OK;
    if (call.Injected())
        result = DDERR_UNSUPPORTEDMODE;
    else if (exclusiveOwner && exclusiveOwner != this)
        result = DDERR_NOEXCLUSIVEMODE;
    else if (!OffersMode(width, height, bitsPerPixel, refreshRate))
        result = DDERR_INVALIDMODE;
    else {
        DisplayModeCaps mode{width, height, bitsPerPixel, refreshRate ? refreshRate : mode_.refreshRate};
        // The window layer shows the mode (full screen, cursor in mode coordinates).
        platform::SetDisplayMode(static_cast<int>(width), static_cast<int>(height), static_cast<int>(bitsPerPixel));
        if (!SameMode(mode, mode_)) LoseVideoMemory(*this);
        mode_ = mode;
    }
    return call.Answer(result);
}

HRESULT HeadlessDirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE) {
    RecordedCall call("IDirectDraw7::WaitForVerticalBlank", {flags});
    HRESULT result = DD_OK;
    if (call.Injected())
        result = DDERR_GENERIC;
    else if (flags == DDWAITVB_BLOCKBEGINEVENT)
        result = DDERR_UNSUPPORTED;
    else if (flags != DDWAITVB_BLOCKBEGIN && flags != DDWAITVB_BLOCKEND)
        result = DDERR_INVALIDPARAMS;
    return call.Answer(result);
}

// ---------------------------------------------------------------------------------------
// HeadlessSurface

HeadlessSurface::HeadlessSurface(HeadlessDirectDraw& owner, const SurfaceShape& shape, HeadlessSurface* root)
    : owner_(owner),
      shape_(shape),
      root_(root ? root : this),
      refs_(root ? 0 : 1),
      pitch_(RowPitch(shape.width, shape.format)),
      pixels_(StorageSize(shape), 0) {
    // A chain holds one reference on its DirectDraw object, through its root.
    if (IsRoot()) owner_.AddRef();
    LiveSurfaces().push_back(this);
}

HeadlessSurface::~HeadlessSurface() {
    std::erase(LiveSurfaces(), this);
    if (zBuffer_) {
        zBuffer_->attachedTo_ = nullptr;
        zBuffer_->Release();
    }
    if (clipper_) clipper_->Release();
    if (!IsRoot()) return;
    for (HeadlessSurface* member = next_; member;) {
        HeadlessSurface* following = member->next_;
        delete member;
        member = following;
    }
    if (shape_.caps.dwCaps & DDSCAPS_PRIMARYSURFACE) owner_.PrimaryGone();
    owner_.Release();
}

const std::vector<HeadlessSurface*>& HeadlessSurface::Live() { return LiveSurfaces(); }

std::vector<HeadlessSurface*> HeadlessSurface::ChainFromRoot() const {
    std::vector<HeadlessSurface*> chain;
    for (HeadlessSurface* surface = root_; surface; surface = surface->next_) chain.push_back(surface);
    return chain;
}

HRESULT HeadlessSurface::QueryInterface(REFIID iid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (!(iid == IID_IDirectDrawSurface7)) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<IDirectDrawSurface7*>(this);
    return DD_OK;
}

ULONG HeadlessSurface::AddRef() { return ++refs_; }

ULONG HeadlessSurface::Release() {
    // Surfaces made with a chain live as long as its root, whatever their own count says.
    if (refs_ == 0) return 0;
    ULONG left = --refs_;
    if (left == 0 && IsRoot()) delete this;
    return left;
}

HRESULT HeadlessSurface::AddAttachedSurface(IDirectDrawSurface7* surface) {
    if (!surface) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDrawSurface7::AddAttachedSurface")) return DDERR_CANNOTATTACHSURFACE;
    auto* depth = static_cast<HeadlessSurface*>(surface);
    if (&depth->owner_ != &owner_ || !(depth->shape_.caps.dwCaps & DDSCAPS_ZBUFFER)) return DDERR_CANNOTATTACHSURFACE;
    if (zBuffer_ || depth->attachedTo_) return DDERR_SURFACEALREADYATTACHED;
    if (depth->shape_.width != shape_.width || depth->shape_.height != shape_.height) return DDERR_CANNOTATTACHSURFACE;
    depth->AddRef();
    depth->attachedTo_ = this;
    zBuffer_ = depth;
    return DD_OK;
}

HRESULT HeadlessSurface::GetAttachedSurface(LPDDSCAPS2 caps, IDirectDrawSurface7** surface) {
    if (!caps || !surface) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (ShouldFail("IDirectDrawSurface7::GetAttachedSurface")) return DDERR_NOTFOUND;
    for (HeadlessSurface* attached : {next_, zBuffer_}) {
        if (!attached) continue;
        const DDSCAPS2& has = attached->shape_.caps;
        if ((has.dwCaps & caps->dwCaps) == caps->dwCaps && (has.dwCaps2 & caps->dwCaps2) == caps->dwCaps2) {
            attached->AddRef();
            *surface = attached;
            return DD_OK;
        }
    }
    return DDERR_NOTFOUND;
}

HRESULT HeadlessSurface::GetSurfaceDesc(LPDDSURFACEDESC2 desc) {
    if (!desc) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDrawSurface7::GetSurfaceDesc")) return DDERR_GENERIC;
    *desc = Describe();
    return DD_OK;
}

DDSURFACEDESC2 HeadlessSurface::Describe() const {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = shape_.width;
    desc.dwHeight = shape_.height;
    if (IsBlockCompressed(shape_.format)) {
        desc.dwFlags |= DDSD_LINEARSIZE;
        desc.dwLinearSize = static_cast<DWORD>(pixels_.size());
    } else {
        desc.dwFlags |= DDSD_PITCH;
        desc.lPitch = static_cast<LONG>(pitch_);
    }
    if (shape_.backBufferCount) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = shape_.backBufferCount;
    }
    if (shape_.mipLevels) {
        desc.dwFlags |= DDSD_MIPMAPCOUNT;
        desc.dwMipMapCount = shape_.mipLevels;
    }
    desc.ddpfPixelFormat = shape_.format;
    desc.ddsCaps = shape_.caps;
    return desc;
}

HRESULT HeadlessSurface::IsLost() { return Lost() ? DDERR_SURFACELOST : DD_OK; }

HRESULT HeadlessSurface::Lock(RECT* rect, LPDDSURFACEDESC2 desc, DWORD, HANDLE) {
    if (!desc) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirectDrawSurface7::Lock")) return DDERR_SURFACELOST;
    if (Lost()) return DDERR_SURFACELOST;
    if (locked_) return DDERR_SURFACEBUSY;

    size_t offset = 0;
    if (rect) {
        if (!ValidRect(*rect, shape_.width, shape_.height)) return DDERR_INVALIDRECT;
        if (IsBlockCompressed(shape_.format)) {
            if (rect->left % 4 || rect->top % 4) return DDERR_INVALIDRECT;
            offset = size_t(rect->top / 4) * pitch_ + size_t(rect->left / 4) * BytesPerBlock(shape_.format);
        } else {
            offset = size_t(rect->top) * pitch_ + size_t(rect->left) * BytesPerPixel(shape_.format);
        }
    }
    *desc = Describe();
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = pixels_.data() + offset;
    locked_ = true;
    return DD_OK;
}

HRESULT HeadlessSurface::Unlock(RECT*) {
    if (ShouldFail("IDirectDrawSurface7::Unlock")) return DDERR_GENERIC;
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    return DD_OK;
}

HRESULT HeadlessSurface::Restore() {
    if (ShouldFail("IDirectDrawSurface7::Restore")) return DDERR_WRONGMODE;
    if (!IsRoot()) return DDERR_IMPLICITLYCREATED;
    if (!lost_) return DD_OK;
    // The memory comes back, its contents do not.
    for (HeadlessSurface* surface : ChainFromRoot()) std::fill(surface->pixels_.begin(), surface->pixels_.end(), 0);
    lost_ = false;
    return DD_OK;
}

HRESULT HeadlessSurface::SetClipper(IDirectDrawClipper* clipper) {
    if (ShouldFail("IDirectDrawSurface7::SetClipper")) return DDERR_GENERIC;
    if (clipper) clipper->AddRef();
    if (clipper_) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT HeadlessSurface::Flip(IDirectDrawSurface7* target, DWORD flags) {
    RecordedCall call("IDirectDrawSurface7::Flip", {flags});
    HRESULT result = DD_OK;
    if (seam::DeviceCall* details = call.Details()) {
        details->target = this;
        details->surface = target;
    }
    std::vector<HeadlessSurface*> chain = ChainFromRoot();
    auto locked = [](HeadlessSurface* surface) { return surface->locked_; };
    if (call.Injected())
        result = DDERR_SURFACELOST;
    else if (!(shape_.caps.dwCaps & DDSCAPS_FRONTBUFFER) || !next_)
        result = DDERR_NOTFLIPPABLE;
    else if (Lost())
        result = DDERR_SURFACELOST;
    else if (std::any_of(chain.begin(), chain.end(), locked))
        result = DDERR_SURFACEBUSY;
    else if (target) {
        auto found = std::find(chain.begin() + 1, chain.end(), static_cast<HeadlessSurface*>(target));
        if (found == chain.end())
            result = DDERR_INVALIDPARAMS;
        else
            std::swap(pixels_, (*found)->pixels_);
    } else {
        // Each buffer takes over the memory of the one behind it; the front's goes last.
        for (size_t i = 0; i + 1 < chain.size(); ++i) std::swap(chain[i]->pixels_, chain[i + 1]->pixels_);
    }
    return call.Answer(result);
}

HRESULT HeadlessSurface::Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, LPDDBLTFX) {
    RecordedCall call("IDirectDrawSurface7::Blt", {flags});
    HRESULT result = DD_OK;
    auto* from = static_cast<HeadlessSurface*>(source);
    RECT dest = destRect ? *destRect : RECT{0, 0, LONG(shape_.width), LONG(shape_.height)};
    RECT sourceArea{};
    if (from) sourceArea = sourceRect ? *sourceRect : RECT{0, 0, LONG(from->shape_.width), LONG(from->shape_.height)};
    if (seam::DeviceCall* details = call.Details()) {
        details->target = this;
        details->surface = source;
        details->rects = {dest, sourceArea};
    }

    constexpr DWORD kSupportedFlags = DDBLT_WAIT | DDBLT_DONOTWAIT | DDBLT_ASYNC;
    if (call.Injected())
        result = DDERR_SURFACELOST;
    else if (flags & ~kSupportedFlags)
        result = DDERR_UNSUPPORTED;
    else if (!from)
        result = DDERR_INVALIDPARAMS;
    else if (Lost() || from->Lost())
        result = DDERR_SURFACELOST;
    else if (locked_ || from->locked_)
        result = DDERR_SURFACEBUSY;
    else if (!SamePixelFormat(shape_.format, from->shape_.format) || IsBlockCompressed(shape_.format))
        result = DDERR_UNSUPPORTEDFORMAT;
    else if (!ValidRect(sourceArea, from->shape_.width, from->shape_.height) || dest.left >= dest.right ||
             dest.top >= dest.bottom || (!clipper_ && !ValidRect(dest, shape_.width, shape_.height)))
        result = DDERR_INVALIDRECT;
    else
        CopyRect(dest, *from, sourceArea);
    return call.Answer(result);
}

void HeadlessSurface::CopyRect(const RECT& dest, HeadlessSurface& source, const RECT& sourceRect) {
    // A clipper keeps the copy inside this surface; pixels are taken from the nearest
    // source pixel, so a different size stretches.
    const DWORD bytes = BytesPerPixel(shape_.format);
    const std::vector<BYTE> snapshot = &source == this ? pixels_ : std::vector<BYTE>{};
    const BYTE* from = &source == this ? snapshot.data() : source.pixels_.data();
    const int64_t destWidth = dest.right - dest.left, destHeight = dest.bottom - dest.top;
    const int64_t sourceWidth = sourceRect.right - sourceRect.left, sourceHeight = sourceRect.bottom - sourceRect.top;
    const LONG top = std::max<LONG>(dest.top, 0), bottom = std::min<LONG>(dest.bottom, LONG(shape_.height));
    const LONG left = std::max<LONG>(dest.left, 0), right = std::min<LONG>(dest.right, LONG(shape_.width));
    const bool sameSize = destWidth == sourceWidth && destHeight == sourceHeight;
    for (LONG y = top; y < bottom; ++y) {
        int64_t sy = sourceRect.top + ((2 * (y - dest.top) + 1) * sourceHeight) / (2 * destHeight);
        BYTE* row = pixels_.data() + size_t(y) * pitch_;
        const BYTE* sourceRow = from + size_t(sy) * source.pitch_;
        if (sameSize) {
            // Every frame's present: whole rows at once.
            if (left < right)
                std::copy_n(sourceRow + size_t(sourceRect.left + (left - dest.left)) * bytes, size_t(right - left) * bytes,
                            row + size_t(left) * bytes);
            continue;
        }
        for (LONG x = left; x < right; ++x) {
            int64_t sx = sourceRect.left + ((2 * (x - dest.left) + 1) * sourceWidth) / (2 * destWidth);
            std::copy_n(sourceRow + size_t(sx) * bytes, bytes, row + size_t(x) * bytes);
        }
    }
}

// ---------------------------------------------------------------------------------------
// HeadlessClipper

HeadlessClipper::HeadlessClipper(HeadlessDirectDraw& owner) : owner_(owner) { owner_.AddRef(); }

HeadlessClipper::~HeadlessClipper() { owner_.Release(); }

HRESULT HeadlessClipper::QueryInterface(REFIID iid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (!(iid == IID_IDirectDrawClipper)) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<IDirectDrawClipper*>(this);
    return DD_OK;
}

ULONG HeadlessClipper::AddRef() { return ++refs_; }

ULONG HeadlessClipper::Release() {
    if (refs_ == 0) return 0;
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT HeadlessClipper::GetHWnd(HWND* window) {
    if (!window) return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
}

HRESULT HeadlessClipper::SetHWnd(DWORD, HWND window) {
    if (ShouldFail("IDirectDrawClipper::SetHWnd")) return DDERR_GENERIC;
    window_ = window;
    return DD_OK;
}

}  // namespace platform::ddraw
