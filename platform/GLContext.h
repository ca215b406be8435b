#pragma once
// Inside the platform layer, sdl backend: the OpenGL context a DirectDraw object draws
// with. It lives on the SDL window of a program window, asks for OpenGL 2.1 with the
// fixed-function pipeline, and needs framebuffer objects, sampler objects and BGRA
// vertex colours (OpenGL 3.3 or the matching extensions). It caches the bindings that
// surfaces and devices share (draw framebuffer, active unit, textures per unit) so that
// each of them can bind what it needs without disturbing the others.

#include <SDL.h>
#include <SDL_opengl.h>

#include <array>
#include <memory>

#include "platform/WinTypes.h"

namespace platform::ddraw {

// The entry points beyond OpenGL 1.1 that the drawing uses.
struct GLEntryPoints {
    PFNGLACTIVETEXTUREPROC ActiveTexture;
    PFNGLCLIENTACTIVETEXTUREARBPROC ClientActiveTexture;  // the same function as the core one
    PFNGLCOMPRESSEDTEXIMAGE2DPROC CompressedTexImage2D;
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer;
    PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage;
    PFNGLGENSAMPLERSPROC GenSamplers;
    PFNGLDELETESAMPLERSPROC DeleteSamplers;
    PFNGLBINDSAMPLERPROC BindSampler;
    PFNGLSAMPLERPARAMETERIPROC SamplerParameteri;
    PFNGLSAMPLERPARAMETERFPROC SamplerParameterf;
    PFNGLSAMPLERPARAMETERFVPROC SamplerParameterfv;
};

class GLContext {
public:
    // The context on the SDL window of `window`, made current; null (with the reason on
    // stderr) when the window has none or OpenGL lacks what the drawing needs.
    static std::unique_ptr<GLContext> Create(HWND window);
    ~GLContext();
    GLContext(const GLContext&) = delete;
    GLContext& operator=(const GLContext&) = delete;

    // Makes the context current on its window; false once that window is gone, and then
    // no OpenGL call may be made.
    bool MakeCurrent();
    const GLEntryPoints& Gl() const { return gl_; }

    bool HasS3tc() const { return s3tc_; }
    float MaxAnisotropy() const { return maxAnisotropy_; }
    // Texture units of the fixed-function pipeline that can be used.
    unsigned TextureUnits() const { return textureUnits_; }

    // Cached bindings. Deleting through the context keeps the caches true.
    void BindDrawFramebuffer(GLuint framebuffer);
    void ActiveUnit(unsigned unit);
    void BindTexture(unsigned unit, GLuint texture);
    // Binds a texture for uploading into it, on whichever unit is active.
    void BindTextureForUpload(GLuint texture) { BindTexture(activeUnit_, texture); }
    void DeleteTexture(GLuint texture);
    void DeleteFramebuffer(GLuint framebuffer);

    // Which device's state the context holds now (a device that finds another one here
    // applies its whole state again).
    const void* StateOwner() const { return stateOwner_; }
    void SetStateOwner(const void* owner) { stateOwner_ = owner; }

    // Shows `source` (a rectangle of a framebuffer whose rows run top first, as a
    // surface's picture does) in a window: scaled to the window's whole client area, or
    // to `screenArea` (screen coordinates) inside it; then swaps, waiting for the
    // vertical blank when asked. False when the window has no SDL window.
    bool Present(HWND window, GLuint framebuffer, const RECT& source, const RECT* screenArea, bool verticalSync);

private:
    GLContext(HWND window, SDL_Window* sdlWindow, SDL_GLContext context);
    bool LoadEntryPoints();
    bool Alive() const;

    HWND window_;
    SDL_Window* sdlWindow_;
    SDL_GLContext context_;
    GLEntryPoints gl_{};
    bool s3tc_ = false;
    float maxAnisotropy_ = 1.0f;
    unsigned textureUnits_ = 1;
    int swapInterval_ = -1;  // as last set, -1 before the first presentation
    GLuint drawFramebuffer_ = 0;
    unsigned activeUnit_ = 0;
    std::array<GLuint, 8> unitTextures_{};
    const void* stateOwner_ = nullptr;
};

}  // namespace platform::ddraw
