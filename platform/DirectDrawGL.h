#pragma once
// Inside the platform layer, sdl backend: DirectDraw over OpenGL. The objects keep the
// system-memory behaviour of the headless classes they derive from (validation, call
// record, surface memory) and add the pictures in OpenGL:
//   - a surface that is drawn into or presented (primary, back buffer, off-screen) gets
//     a framebuffer object of its size on first need, its colour in a texture and the
//     depth and stencil of its attached Z buffer in a renderbuffer. Its picture is kept
//     as its memory is, top row first, in blue, green, red, alpha order: presenting it
//     unscaled then copies rows as they lie (for a software renderer, a plain copy of
//     memory), and a read-back needs no turning over. Where the surface has no alpha
//     bits, the picture's alpha means nothing: devices blend with destination alpha as
//     one;
//   - a texture surface uploads each level at Unlock into the OpenGL texture of its
//     chain's root (rows as they are: row 0 is v = 0 on both sides);
//   - Flip and a Blt onto the primary surface show the picture in the window, scaled to
//     its client area.
// Memory and the OpenGL picture are kept in step lazily: a picture drawn by OpenGL is
// read back when the memory is locked or blitted from, and memory written by the
// program goes up before OpenGL next uses the surface.
// The one OpenGL context is made on the window of the cooperative level when something
// first needs it.

#include <memory>

#include "platform/DirectDrawHeadless.h"
#include "platform/GLContext.h"

namespace platform::ddraw {

class GLDirectDraw : public HeadlessDirectDraw {
public:
    explicit GLDirectDraw(const DisplayDriverCaps& driver);

    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) override;

    // The context, made on first need; null while no window can carry one.
    GLContext* Context();
    // The context made current, or null when no OpenGL call can be made now.
    GLContext* CurrentContext();
    HWND Window() const { return window_; }
    // Whether the program waited for the vertical blank since the last presentation by
    // Blt: that presentation then waits for it.
    bool TakeVerticalBlankWait();

protected:
    ~GLDirectDraw() override;
    HeadlessSurface* NewSurface(const SurfaceShape& shape, HeadlessSurface* root) override;
    HeadlessDirect3D* NewDirect3D() override;

private:
    HWND window_ = nullptr;
    HWND failedWindow_ = nullptr;  // a window no context could be made on
    std::unique_ptr<GLContext> context_;
    bool verticalBlankWaited_ = false;
};

class GLSurface : public HeadlessSurface {
public:
    GLSurface(GLDirectDraw& owner, const SurfaceShape& shape, HeadlessSurface* root);

    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT Lock(RECT* rect, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE event) override;
    HRESULT Restore() override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT Unlock(RECT* rect) override;

    // For a device drawing into this surface: its framebuffer, made and brought up to
    // date (memory written by the program, the attached Z buffer); 0 without a context.
    // Needs the context current.
    GLuint Framebuffer();
    // The device drew into the framebuffer: the memory is stale until read back.
    void Drawn() { pictureInGL_ = true; }
    // Whether the surface has alpha bits; without them the picture's alpha means nothing
    // and destination alpha reads as one.
    bool HasAlphaChannel() const;
    // For a device sampling this texture: the OpenGL texture of the chain with every
    // level uploaded; 0 without a context. Needs the context current.
    GLuint Texture();

protected:
    ~GLSurface() override;
    void CopyRect(const RECT& dest, HeadlessSurface& source, const RECT& sourceRect) override;

private:
    GLDirectDraw& GlOwner() const { return static_cast<GLDirectDraw&>(Owner()); }
    bool IsTexture() const { return Shape().caps.dwCaps & DDSCAPS_TEXTURE; }
    bool IsDepth() const { return Shape().caps.dwCaps & DDSCAPS_ZBUFFER; }
    GLSurface* NextLevel() const { return static_cast<GLSurface*>(Next()); }

    // The picture drawn by OpenGL into memory, when it is newer.
    void SyncToMemory();
    // The program changed the memory: a texture level goes up now (or at its next use
    // without a context), a picture before OpenGL next uses it.
    void MemoryChanged();
    void UploadLevels();
    void UploadLevel(GLContext& context, GLuint texture, int level);
    void UploadPicture();
    GLuint DepthStencil();
    void PresentOn(HWND window, const RECT& source, const RECT* screenArea, bool verticalSync);

    GLuint texture_ = 0;       // colour of a picture, or the texture of a chain (root only)
    GLuint framebuffer_ = 0;   // pictures
    GLuint depthStencil_ = 0;  // Z buffers
    GLuint attachedDepth_ = 0;
    bool pictureInGL_ = false;      // OpenGL drew last: memory is stale
    bool memoryNewer_ = false;      // the program wrote last: OpenGL is stale
    bool levelPending_ = true;      // texture levels: memory not uploaded yet
    bool lockedForWriting_ = false;
    IDirectDrawClipper* clipper_ = nullptr;  // its reference is held by the base
};

}  // namespace platform::ddraw
