#pragma once
// Inside the platform layer: the system-memory implementation of DirectDraw's objects.
// It is the headless backend's implementation; a backend that presents on screen
// derives from these classes (its surfaces upload at Unlock and present at Flip and
// Blt, its DirectDraw object makes them through NewSurface and NewDirect3D).

#include <vector>

#include "platform/DirectDraw.h"
#include "platform/DirectDrawCaps.h"
#include "platform/DirectDrawSeams.h"

namespace platform::ddraw {

class HeadlessDirect3D;
class HeadlessSurface;

// What one surface is: size, format and capabilities.
struct SurfaceShape {
    DWORD width = 0;
    DWORD height = 0;
    DDPIXELFORMAT format{};
    DDSCAPS2 caps{};
    DWORD backBufferCount = 0;  // front buffer of a flipping chain
    DWORD mipLevels = 0;        // levels from this one down, for mip-map levels
};

class HeadlessDirectDraw : public IDirectDraw7 {
public:
    explicit HeadlessDirectDraw(const DisplayDriverCaps& driver);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer) override;
    HRESULT CreateSurface(LPDDSURFACEDESC2 desc, IDirectDrawSurface7** surface, void* outer) override;
    HRESULT EnumDisplayModes(DWORD flags, LPDDSURFACEDESC2 filter, LPVOID context,
                             LPDDENUMMODESCALLBACK2 callback) override;
    HRESULT GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) override;
    HRESULT GetDisplayMode(LPDDSURFACEDESC2 mode) override;
    HRESULT RestoreDisplayMode() override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) override;
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) override;

    const DisplayDriverCaps& Driver() const { return driver_; }
    // The Direct3D object forgets itself here when it goes.
    void Direct3DGone() { direct3D_ = nullptr; }
    // The primary surface forgets itself here when it goes.
    void PrimaryGone() { primary_ = nullptr; }

protected:
    ~HeadlessDirectDraw() override;
    // The objects of the backend: a surface of the given shape (the root of its chain
    // when `root` is null) and the Direct3D object.
    virtual HeadlessSurface* NewSurface(const SurfaceShape& shape, HeadlessSurface* root);
    virtual HeadlessDirect3D* NewDirect3D();

private:
    HRESULT ShapeChain(const DDSURFACEDESC2& desc, std::vector<SurfaceShape>& chain) const;
    HRESULT ShapePrimary(const DDSURFACEDESC2& desc, std::vector<SurfaceShape>& chain) const;
    bool OffersMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate) const;

    DisplayDriverCaps driver_;
    ULONG refs_ = 1;
    DisplayModeCaps mode_;  // the display mode in effect
    DWORD cooperativeLevel_ = 0;
    HeadlessDirect3D* direct3D_ = nullptr;  // not counted: it holds a reference on us
    HeadlessSurface* primary_ = nullptr;    // not counted
};

class HeadlessSurface : public IDirectDrawSurface7 {
public:
    HeadlessSurface(HeadlessDirectDraw& owner, const SurfaceShape& shape, HeadlessSurface* root);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) override;
    HRESULT Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, LPDDBLTFX effects) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT GetAttachedSurface(LPDDSCAPS2 caps, IDirectDrawSurface7** surface) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 desc) override;
    HRESULT IsLost() override;
    HRESULT Lock(RECT* rect, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE event) override;
    HRESULT Restore() override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT Unlock(RECT* rect) override;

    // The next surface of the chain made with this one (back buffer, mip level).
    void Chain(HeadlessSurface* next) { next_ = next; }
    HeadlessSurface* Next() const { return next_; }
    // The surface the chain was made with (this one for a root).
    HeadlessSurface* Root() const { return root_; }

    HeadlessDirectDraw& Owner() const { return owner_; }
    const SurfaceShape& Shape() const { return shape_; }
    DWORD Pitch() const { return pitch_; }
    BYTE* Pixels() { return pixels_.data(); }
    bool Lost() const { return root_->lost_; }
    void MarkLost() { root_->lost_ = true; }
    bool InVideoMemory() const { return shape_.caps.dwCaps & DDSCAPS_VIDEOMEMORY; }
    HeadlessSurface* ZBuffer() const { return zBuffer_; }

    // Every surface that exists, for the lost-surface seams.
    static const std::vector<HeadlessSurface*>& Live();

protected:
    ~HeadlessSurface() override;
    // The copying step of a valid Blt: memory to memory here; a backend that keeps the
    // pixels elsewhere (or presents) replaces it.
    virtual void CopyRect(const RECT& dest, HeadlessSurface& source, const RECT& sourceRect);

private:
    bool IsRoot() const { return root_ == this; }
    // The chain from the root on: the front buffer and its back buffers, or the levels.
    std::vector<HeadlessSurface*> ChainFromRoot() const;
    DDSURFACEDESC2 Describe() const;

    HeadlessDirectDraw& owner_;
    SurfaceShape shape_;
    HeadlessSurface* root_;
    ULONG refs_;
    HeadlessSurface* next_ = nullptr;        // owned by the root
    HeadlessSurface* zBuffer_ = nullptr;     // one reference held
    HeadlessSurface* attachedTo_ = nullptr;  // for a Z buffer: the surface holding it
    IDirectDrawClipper* clipper_ = nullptr;  // one reference held
    DWORD pitch_;
    std::vector<BYTE> pixels_;
    bool locked_ = false;
    bool lost_ = false;  // kept on the root for its whole chain
};

class HeadlessClipper : public IDirectDrawClipper {
public:
    explicit HeadlessClipper(HeadlessDirectDraw& owner);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetHWnd(HWND* window) override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;

protected:
    ~HeadlessClipper() override;

private:
    HeadlessDirectDraw& owner_;
    ULONG refs_ = 1;
    HWND window_ = nullptr;
};

}  // namespace platform::ddraw
