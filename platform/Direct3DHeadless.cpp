#include "platform/Direct3DHeadless.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/DirectDrawFormats.h"
#include "platform/FailureInjection.h"
#include "platform/RecordedCall.h"

namespace platform::ddraw {

namespace {

// Bytes of one vertex of a flexible vertex format; 0 for formats the device cannot
// draw (blended positions, texture coordinates of other than two floats).
DWORD VertexSize(DWORD format) {
    constexpr DWORD kKnown =
        D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;
    if (format & ~kKnown) return 0;
    DWORD size = 0;
    switch (format & D3DFVF_POSITION_MASK) {
        case D3DFVF_XYZ:
            size = 12;
            break;
        case D3DFVF_XYZRHW:
            if (format & D3DFVF_NORMAL) return 0;
            size = 16;
            break;
        default:
            return 0;
    }
    if (format & D3DFVF_NORMAL) size += 12;
    if (format & D3DFVF_DIFFUSE) size += 4;
    if (format & D3DFVF_SPECULAR) size += 4;
    DWORD textures = (format & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (textures > D3DDP_MAXTEXCOORD) return 0;
    return size + textures * 8;
}

// Whether an index count makes whole primitives of the type.
bool WholePrimitives(D3DPRIMITIVETYPE type, DWORD indexCount) {
    switch (type) {
        case D3DPT_POINTLIST:
            return indexCount >= 1;
        case D3DPT_LINELIST:
            return indexCount >= 2 && indexCount % 2 == 0;
        case D3DPT_LINESTRIP:
            return indexCount >= 2;
        case D3DPT_TRIANGLELIST:
            return indexCount >= 3 && indexCount % 3 == 0;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN:
            return indexCount >= 3;
    }
    return false;
}

bool KnownRenderState(DWORD state) {
    static constexpr DWORD kStates[] = {2,   4,   7,   8,   9,   10,  14,  15,  16,  19,  20,  22,  23,  24,  25,  26,
                                        27,  28,  29,  30,  33,  34,  35,  36,  37,  38,  40,  41,  47,  48,  52,  53,
                                        54,  55,  56,  57,  58,  59,  60,  128, 129, 130, 131, 132, 133, 134, 135, 136,
                                        137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 151, 152};
    return std::find(std::begin(kStates), std::end(kStates), state) != std::end(kStates);
}

bool KnownTransform(DWORD state) {
    return (state >= D3DTRANSFORMSTATE_WORLD && state <= D3DTRANSFORMSTATE_WORLD3) ||
           (state >= D3DTRANSFORMSTATE_TEXTURE0 && state <= D3DTRANSFORMSTATE_TEXTURE7);
}

// The bits of a value placed under a mask, the value scaled from 0..1 to the mask's range.
DWORD PackUnit(DWORD mask, double value) {
    if (mask == 0) return 0;
    uint64_t largest = (uint64_t{1} << std::popcount(mask)) - 1;
    return static_cast<DWORD>(std::llround(value * double(largest)) << std::countr_zero(mask)) & mask;
}

DWORD PackInteger(DWORD mask, DWORD value) { return mask ? (value << std::countr_zero(mask)) & mask : 0; }

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

HRESULT EnumerateFormats(const std::vector<DDPIXELFORMAT>& formats, LPD3DENUMPIXELFORMATSCALLBACK callback,
                         LPVOID context) {
    for (DDPIXELFORMAT format : formats)
        if (callback(&format, context) == D3DENUMRET_CANCEL) break;
    return D3D_OK;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// HeadlessDirect3D

HeadlessDirect3D::HeadlessDirect3D(HeadlessDirectDraw& owner) : owner_(owner) { owner_.AddRef(); }

HeadlessDirect3D::~HeadlessDirect3D() {
    owner_.Direct3DGone();
    owner_.Release();
}

HRESULT HeadlessDirect3D::QueryInterface(REFIID iid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (!(iid == IID_IDirect3D7)) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<IDirect3D7*>(this);
    return D3D_OK;
}

ULONG HeadlessDirect3D::AddRef() { return ++refs_; }

ULONG HeadlessDirect3D::Release() {
    if (refs_ == 0) return 0;
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

const Direct3DDeviceCaps* HeadlessDirect3D::FindDevice(REFGUID guid) const {
    for (const Direct3DDeviceCaps& device : owner_.Driver().devices)
        if (device.guid == guid) return &device;
    return nullptr;
}

HRESULT HeadlessDirect3D::EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, LPVOID context) {
    if (!callback) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirect3D7::EnumDevices")) return DDERR_GENERIC;
    for (const Direct3DDeviceCaps& device : owner_.Driver().devices) {
        D3DDEVICEDESC7 desc = DescribeDevice(device);
        std::string description = device.description, name = device.name;
        if (callback(description.data(), name.data(), &desc, context) == D3DENUMRET_CANCEL) break;
    }
    return D3D_OK;
}

HRESULT HeadlessDirect3D::EnumZBufferFormats(REFGUID deviceGuid, LPD3DENUMPIXELFORMATSCALLBACK callback,
                                             LPVOID context) {
    if (!callback) return DDERR_INVALIDPARAMS;
    if (ShouldFail("IDirect3D7::EnumZBufferFormats")) return DDERR_GENERIC;
    const Direct3DDeviceCaps* device = FindDevice(deviceGuid);
    if (!device) return DDERR_INVALIDPARAMS;
    return EnumerateFormats(device->zBufferFormats, callback, context);
}

HRESULT HeadlessDirect3D::CreateDevice(REFGUID deviceGuid, IDirectDrawSurface7* renderTarget,
                                       IDirect3DDevice7** device) {
    if (!renderTarget || !device) return DDERR_INVALIDPARAMS;
    *device = nullptr;
    if (ShouldFail("IDirect3D7::CreateDevice")) return DDERR_OUTOFVIDEOMEMORY;
    const Direct3DDeviceCaps* caps = FindDevice(deviceGuid);
    if (!caps) return DDERR_INVALIDPARAMS;
    auto* target = static_cast<HeadlessSurface*>(renderTarget);
    if (&target->Owner() != &owner_) return DDERR_INVALIDPARAMS;
    if (!(target->Shape().caps.dwCaps & DDSCAPS_3DDEVICE)) return DDERR_INVALIDCAPS;
    if (!(caps->renderBitDepths & BitDepthFlag(target->Shape().format.dwRGBBitCount))) return DDERR_INVALIDPIXELFORMAT;
    *device = NewDevice(*caps, *target);
    return D3D_OK;
}

HeadlessDevice* HeadlessDirect3D::NewDevice(const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget) {
    return new HeadlessDevice(*this, caps, renderTarget);
}

// ---------------------------------------------------------------------------------------
// HeadlessDevice

HeadlessDevice::HeadlessDevice(HeadlessDirect3D& owner, const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget)
    : owner_(owner), caps_(caps), renderTarget_(&renderTarget), viewport_{0,
                                                                          0,
                                                                          renderTarget.Shape().width,
                                                                          renderTarget.Shape().height,
                                                                          0.0f,
                                                                          1.0f} {
    owner_.AddRef();
    renderTarget_->AddRef();
}

HeadlessDevice::~HeadlessDevice() {
    for (HeadlessSurface* texture : textures_)
        if (texture) texture->Release();
    renderTarget_->Release();
    owner_.Release();
}

HRESULT HeadlessDevice::QueryInterface(REFIID iid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (!(iid == IID_IDirect3DDevice7)) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<IDirect3DDevice7*>(this);
    return D3D_OK;
}

ULONG HeadlessDevice::AddRef() { return ++refs_; }

ULONG HeadlessDevice::Release() {
    if (refs_ == 0) return 0;
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT HeadlessDevice::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context) {
    RecordedCall call("IDirect3DDevice7::EnumTextureFormats");
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    if (!callback) return call.Answer(DDERR_INVALIDPARAMS);
    return call.Answer(EnumerateFormats(caps_.textureFormats, callback, context));
}

HRESULT HeadlessDevice::BeginScene() {
    RecordedCall call("IDirect3DDevice7::BeginScene");
    if (call.Injected()) return call.Answer(DDERR_SURFACELOST);
    if (inScene_) return call.Answer(D3DERR_SCENE_IN_SCENE);
    if (renderTarget_->Lost()) return call.Answer(DDERR_SURFACELOST);
    inScene_ = true;
    return call.Answer(D3D_OK);
}

HRESULT HeadlessDevice::EndScene() {
    RecordedCall call("IDirect3DDevice7::EndScene");
    if (call.Injected()) return call.Answer(DDERR_SURFACELOST);
    if (!inScene_) return call.Answer(D3DERR_SCENE_NOT_IN_SCENE);
    inScene_ = false;
    return call.Answer(renderTarget_->Lost() ? DDERR_SURFACELOST : D3D_OK);
}

HRESULT HeadlessDevice::CheckRenderTarget(IDirectDrawSurface7* surface) const {
    if (!surface) return DDERR_INVALIDPARAMS;
    auto* target = static_cast<HeadlessSurface*>(surface);
    if (&target->Owner() != &owner_.Owner()) return DDERR_INVALIDPARAMS;
    if (!(target->Shape().caps.dwCaps & DDSCAPS_3DDEVICE)) return DDERR_INVALIDCAPS;
    if (!(caps_.renderBitDepths & BitDepthFlag(target->Shape().format.dwRGBBitCount))) return DDERR_INVALIDPIXELFORMAT;
    return D3D_OK;
}

HRESULT HeadlessDevice::SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) {
    RecordedCall call("IDirect3DDevice7::SetRenderTarget", {flags});
    if (seam::DeviceCall* details = call.Details()) details->surface = surface;
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    if (HRESULT result = CheckRenderTarget(surface); FAILED(result)) return call.Answer(result);
    auto* target = static_cast<HeadlessSurface*>(surface);
    target->AddRef();
    renderTarget_->Release();
    renderTarget_ = target;
    return call.Answer(D3D_OK);
}

HRESULT HeadlessDevice::Clear(DWORD rectCount, LPD3DRECT rects, DWORD flags, D3DCOLOR color, D3DVALUE z,
                              DWORD stencil) {
    RecordedCall call("IDirect3DDevice7::Clear", {flags, color, stencil});
    if (seam::DeviceCall* details = call.Details()) {
        details->z = z;
        if (rects)
            for (DWORD i = 0; i < rectCount; ++i)
                details->rects.push_back({rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2});
    }

    constexpr DWORD kAllFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
    HeadlessSurface* depth = renderTarget_->ZBuffer();
    if (call.Injected()) return call.Answer(DDERR_SURFACELOST);
    if ((rectCount && !rects) || flags == 0 || (flags & ~kAllFlags) || z < 0.0f || z > 1.0f)
        return call.Answer(DDERR_INVALIDPARAMS);
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depth) return call.Answer(D3DERR_ZBUFFER_NOTPRESENT);
    if ((flags & D3DCLEAR_STENCIL) && depth->Shape().format.dwStencilBitDepth == 0)
        return call.Answer(D3DERR_STENCILBUFFER_NOTPRESENT);
    if (renderTarget_->Lost()) return call.Answer(DDERR_SURFACELOST);

    RECT view{LONG(viewport_.dwX), LONG(viewport_.dwY), LONG(viewport_.dwX + viewport_.dwWidth),
              LONG(viewport_.dwY + viewport_.dwHeight)};
    clearAreas_.clear();
    if (rectCount == 0) clearAreas_.push_back(view);
    for (DWORD i = 0; i < rectCount; ++i)
        clearAreas_.push_back(Intersect(RECT{rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2}, view));
    ClearAreas(clearAreas_, flags, color, z, stencil);
    return call.Answer(D3D_OK);
}

void HeadlessDevice::ClearAreas(const std::vector<RECT>& areas, DWORD flags, D3DCOLOR color, D3DVALUE z,
                                DWORD stencil) {
    HeadlessSurface* depth = renderTarget_->ZBuffer();
    const DDPIXELFORMAT& format = renderTarget_->Shape().format;
    for (const RECT& area : areas) {
        if (flags & D3DCLEAR_TARGET) Fill(*renderTarget_, area, PackColour(format, color), 0);
        if (depth && (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL))) {
            const DDPIXELFORMAT& depthFormat = depth->Shape().format;
            DWORD value = 0, cleared = 0;
            if (flags & D3DCLEAR_ZBUFFER) {
                value |= PackUnit(depthFormat.dwZBitMask, z);
                cleared |= depthFormat.dwZBitMask;
            }
            if (flags & D3DCLEAR_STENCIL) {
                value |= PackInteger(depthFormat.dwStencilBitMask, stencil);
                cleared |= depthFormat.dwStencilBitMask;
            }
            Fill(*depth, area, value, ~cleared);
        }
    }
}

void HeadlessDevice::Fill(HeadlessSurface& surface, const RECT& area, DWORD value, DWORD keepMask) {
    const SurfaceShape& shape = surface.Shape();
    RECT clipped = Intersect(area, RECT{0, 0, LONG(shape.width), LONG(shape.height)});
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return;
    switch (BytesPerPixel(shape.format)) {
    case 1: FillPixels<1>(surface, clipped, value, keepMask); break;
    case 2: FillPixels<2>(surface, clipped, value, keepMask); break;
    case 3: FillPixels<3>(surface, clipped, value, keepMask); break;
    case 4: FillPixels<4>(surface, clipped, value, keepMask); break;
    default: break;
    }
}

// A clear of whole values writes one row and copies it to the others; a clear of some
// bits reads every pixel. Constant pixel sizes keep both from calling a copy per pixel.
template <DWORD Bytes>
void HeadlessDevice::FillPixels(HeadlessSurface& surface, const RECT& clipped, DWORD value, DWORD keepMask) {
    BYTE* first = surface.Pixels() + size_t(clipped.top) * surface.Pitch() + size_t(clipped.left) * Bytes;
    const size_t rowBytes = size_t(clipped.right - clipped.left) * Bytes;
    if (keepMask == 0) {
        for (size_t x = 0; x < rowBytes; x += Bytes) std::memcpy(first + x, &value, Bytes);  // little-endian
        for (LONG y = clipped.top + 1; y < clipped.bottom; ++y)
            std::memcpy(first + size_t(y - clipped.top) * surface.Pitch(), first, rowBytes);
        return;
    }
    if constexpr (Bytes == 4) {
        // Every frame's depth clear: a row at a time through whole pixels, so that builds
        // without inlining (and with sanitizers) make no call per pixel either.
        const size_t count = size_t(clipped.right - clipped.left);
        std::vector<DWORD> buffer(count);
        DWORD* const pixels = buffer.data();
        const DWORD kept = value & ~keepMask;
        for (LONG y = clipped.top; y < clipped.bottom; ++y) {
            BYTE* row = first + size_t(y - clipped.top) * surface.Pitch();
            std::memcpy(pixels, row, rowBytes);
            for (size_t x = 0; x < count; ++x) pixels[x] = (pixels[x] & keepMask) | kept;
            std::memcpy(row, pixels, rowBytes);
        }
        return;
    }
    for (LONG y = clipped.top; y < clipped.bottom; ++y) {
        BYTE* row = first + size_t(y - clipped.top) * surface.Pitch();
        for (size_t x = 0; x < rowBytes; x += Bytes) {
            DWORD old = 0;
            std::memcpy(&old, row + x, Bytes);
            const DWORD updated = (old & keepMask) | (value & ~keepMask);
            std::memcpy(row + x, &updated, Bytes);
        }
    }
}

HRESULT HeadlessDevice::SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) {
    RecordedCall call("IDirect3DDevice7::SetTransform", {state});
    if (seam::DeviceCall* details = call.Details(); details && matrix) details->matrix = *matrix;
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    if (!matrix || !KnownTransform(state)) return call.Answer(DDERR_INVALIDPARAMS);
    return call.Answer(D3D_OK);
}

HRESULT HeadlessDevice::SetViewport(LPD3DVIEWPORT7 viewport) {
    RecordedCall call("IDirect3DDevice7::SetViewport");
    if (seam::DeviceCall* details = call.Details(); details && viewport) details->viewport = *viewport;
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    if (!viewport) return call.Answer(DDERR_INVALIDPARAMS);
    const SurfaceShape& target = renderTarget_->Shape();
    bool inside = viewport->dwWidth > 0 && viewport->dwHeight > 0 &&
                  uint64_t{viewport->dwX} + viewport->dwWidth <= target.width &&
                  uint64_t{viewport->dwY} + viewport->dwHeight <= target.height;
    bool depthRange = viewport->dvMinZ >= 0.0f && viewport->dvMaxZ <= 1.0f && viewport->dvMinZ <= viewport->dvMaxZ;
    if (!inside || !depthRange) return call.Answer(DDERR_INVALIDPARAMS);
    viewport_ = *viewport;
    return call.Answer(D3D_OK);
}

HRESULT HeadlessDevice::SetMaterial(LPD3DMATERIAL7 material) {
    RecordedCall call("IDirect3DDevice7::SetMaterial");
    if (seam::DeviceCall* details = call.Details(); details && material) details->material = *material;
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    return call.Answer(material ? D3D_OK : DDERR_INVALIDPARAMS);
}

HRESULT HeadlessDevice::SetLight(DWORD index, LPD3DLIGHT7 light) {
    RecordedCall call("IDirect3DDevice7::SetLight", {index});
    if (seam::DeviceCall* details = call.Details(); details && light) details->light = *light;
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    bool valid = light && light->dltType >= D3DLIGHT_POINT && light->dltType <= D3DLIGHT_DIRECTIONAL &&
                 light->dvRange >= 0.0f && light->dvRange <= D3DLIGHT_RANGE_MAX;
    return call.Answer(valid ? D3D_OK : DDERR_INVALIDPARAMS);
}

HRESULT HeadlessDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    RecordedCall call("IDirect3DDevice7::SetRenderState", {state, value});
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    return call.Answer(KnownRenderState(state) ? D3D_OK : DDERR_INVALIDPARAMS);
}

HRESULT HeadlessDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices,
                                             DWORD vertexCount, WORD* indices, DWORD indexCount, DWORD flags) {
    RecordedCall call("IDirect3DDevice7::DrawIndexedPrimitive", {type, vertexFormat, vertexCount, indexCount, flags});
    constexpr DWORD kKnownFlags = D3DDP_WAIT | D3DDP_DONOTCLIP | D3DDP_DONOTUPDATEEXTENTS | D3DDP_DONOTLIGHT;
    DWORD vertexSize = VertexSize(vertexFormat);
    if (call.Injected()) return call.Answer(DDERR_SURFACELOST);
    if (!inScene_) return call.Answer(D3DERR_SCENE_NOT_IN_SCENE);
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN) return call.Answer(D3DERR_INVALIDPRIMITIVETYPE);
    if (vertexSize == 0 || !DrawsVertexFormat(vertexFormat)) return call.Answer(D3DERR_INVALIDVERTEXFORMAT);
    if (!vertices || !indices || vertexCount == 0 || vertexCount > D3DMAXNUMVERTICES ||
        !WholePrimitives(type, indexCount) || (flags & ~kKnownFlags))
        return call.Answer(DDERR_INVALIDPARAMS);

    // Every index must address one of the vertices handed over.
    if (std::any_of(indices, indices + indexCount, [&](WORD index) { return index >= vertexCount; }))
        return call.Answer(DDERR_INVALIDPARAMS);
    if (seam::DeviceCall* details = call.Details()) {
        details->indices.assign(indices, indices + indexCount);
        const BYTE* vertexBytes = static_cast<const BYTE*>(vertices);
        details->vertices.assign(vertexBytes, vertexBytes + size_t(vertexCount) * vertexSize);
    }
    if (renderTarget_->Lost()) return call.Answer(DDERR_SURFACELOST);
    return call.Answer(D3D_OK);
}

HRESULT HeadlessDevice::SetTexture(DWORD stage, IDirectDrawSurface7* texture) {
    RecordedCall call("IDirect3DDevice7::SetTexture", {stage});
    if (seam::DeviceCall* details = call.Details()) details->surface = texture;
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    auto* surface = static_cast<HeadlessSurface*>(texture);
    if (stage >= textures_.size()) return call.Answer(DDERR_INVALIDPARAMS);
    if (surface && (&surface->Owner() != &owner_.Owner() || !(surface->Shape().caps.dwCaps & DDSCAPS_TEXTURE)))
        return call.Answer(DDERR_INVALIDPARAMS);
    if (surface) surface->AddRef();
    if (textures_[stage]) textures_[stage]->Release();
    textures_[stage] = surface;
    return call.Answer(D3D_OK);
}

HRESULT HeadlessDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
    RecordedCall call("IDirect3DDevice7::SetTextureStageState", {stage, state, value});
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    bool valid = stage < D3DDP_MAXTEXCOORD && state >= D3DTSS_COLOROP && state <= D3DTSS_TEXTURETRANSFORMFLAGS;
    return call.Answer(valid ? D3D_OK : DDERR_INVALIDPARAMS);
}

HRESULT HeadlessDevice::LightEnable(DWORD index, BOOL enable) {
    RecordedCall call("IDirect3DDevice7::LightEnable", {index, static_cast<DWORD>(enable)});
    if (call.Injected()) return call.Answer(DDERR_GENERIC);
    return call.Answer(D3D_OK);
}

}  // namespace platform::ddraw
