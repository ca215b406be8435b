#pragma once
// Inside the platform layer: the Direct3D object and device of the system-memory
// implementation. The device keeps the state that decides whether a call is valid
// (scene bracket, render target, bound textures, viewport), clears its render target
// and Z buffer, and records every call; it rasterises nothing. A backend that draws
// derives from HeadlessDevice and makes its devices through HeadlessDirect3D::NewDevice.

#include <array>
#include <vector>

#include "platform/Direct3D.h"
#include "platform/DirectDrawHeadless.h"

namespace platform::ddraw {

class HeadlessDevice;

class HeadlessDirect3D : public IDirect3D7 {
public:
    explicit HeadlessDirect3D(HeadlessDirectDraw& owner);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, LPVOID context) override;
    HRESULT CreateDevice(REFGUID deviceGuid, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** device) override;
    HRESULT EnumZBufferFormats(REFGUID deviceGuid, LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context) override;

    HeadlessDirectDraw& Owner() const { return owner_; }

protected:
    ~HeadlessDirect3D() override;
    virtual HeadlessDevice* NewDevice(const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget);

private:
    const Direct3DDeviceCaps* FindDevice(REFGUID guid) const;

    HeadlessDirectDraw& owner_;
    ULONG refs_ = 1;
};

class HeadlessDevice : public IDirect3DDevice7 {
public:
    HeadlessDevice(HeadlessDirect3D& owner, const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) override;
    HRESULT Clear(DWORD rectCount, LPD3DRECT rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) override;
    HRESULT SetViewport(LPD3DVIEWPORT7 viewport) override;
    HRESULT SetMaterial(LPD3DMATERIAL7 material) override;
    HRESULT SetLight(DWORD index, LPD3DLIGHT7 light) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices, DWORD vertexCount,
                                 WORD* indices, DWORD indexCount, DWORD flags) override;
    HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;

protected:
    ~HeadlessDevice() override;
    HeadlessSurface& RenderTarget() const { return *renderTarget_; }
    HeadlessSurface* StageTexture(DWORD stage) const { return stage < textures_.size() ? textures_[stage] : nullptr; }
    const D3DVIEWPORT7& Viewport() const { return viewport_; }
    // The clearing step of a valid Clear (areas already inside the viewport): fills the
    // render target's and Z buffer's memory here; a backend that draws elsewhere
    // replaces it.
    virtual void ClearAreas(const std::vector<RECT>& areas, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil);
    // Whether the backend can draw a vertex format that is valid in itself.
    virtual bool DrawsVertexFormat(DWORD) const { return true; }

private:
    // A render target this device can draw into, or the reason it cannot.
    HRESULT CheckRenderTarget(IDirectDrawSurface7* surface) const;
    void Fill(HeadlessSurface& surface, const RECT& area, DWORD value, DWORD keepMask);
    template <DWORD Bytes>
    static void FillPixels(HeadlessSurface& surface, const RECT& clipped, DWORD value, DWORD keepMask);

    HeadlessDirect3D& owner_;
    Direct3DDeviceCaps caps_;
    ULONG refs_ = 1;
    HeadlessSurface* renderTarget_;                               // one reference held
    std::array<HeadlessSurface*, D3DDP_MAXTEXCOORD> textures_{};  // one reference each
    D3DVIEWPORT7 viewport_;
    bool inScene_ = false;
    std::vector<RECT> clearAreas_;  // kept, so that a clear allocates nothing

};

}  // namespace platform::ddraw
