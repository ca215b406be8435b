#include "platform/DirectDrawGL.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/Direct3DGL.h"
#include "platform/DirectDrawFormats.h"
#include "platform/GLPixels.h"

namespace platform::ddraw {

namespace {

// How OpenGL reads an uncompressed surface's memory as it is stored: the pixel format
// and type an upload names, and the internal format keeping the surface's channels.
struct GLPixelLayout {
    GLint internalFormat;
    GLenum format;
    GLenum type;
};

// A surface format OpenGL names, and how it names it.
struct StoredFormat {
    DWORD bits, red, green, blue, alpha;
    GLPixelLayout layout;
};

// Memory is little-endian: packed 16-bit pixels are the reversed types with the blue
// channel lowest, 24 and 32-bit ones are blue, green, red (and alpha) bytes.
constexpr StoredFormat kStoredFormats[] = {
    {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE}},
    {32, 0xFF0000, 0xFF00, 0xFF, 0, {GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE}},
    {24, 0xFF0000, 0xFF00, 0xFF, 0, {GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE}},
    {16, 0xF800, 0x07E0, 0x001F, 0, {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5}},
    {16, 0x0F00, 0x00F0, 0x000F, 0xF000, {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV}},
    {16, 0x0F00, 0x00F0, 0x000F, 0, {GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV}},
    {16, 0x7C00, 0x03E0, 0x001F, 0x8000, {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV}},
    {16, 0x7C00, 0x03E0, 0x001F, 0, {GL_RGB8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV}},
};

// The layout of a surface format whose memory OpenGL takes without a conversion;
// nothing for the others (SurfaceToRgba converts those).
std::optional<GLPixelLayout> StoredLayout(const DDPIXELFORMAT& format) {
    if (!(format.dwFlags & DDPF_RGB) || (format.dwFlags & DDPF_PALETTEINDEXED8)) return std::nullopt;
    const DWORD alpha = (format.dwFlags & DDPF_ALPHAPIXELS) ? format.dwRGBAlphaBitMask : 0;
    for (const StoredFormat& known : kStoredFormats)
        if (known.bits == format.dwRGBBitCount && known.red == format.dwRBitMask &&
            known.green == format.dwGBitMask && known.blue == format.dwBBitMask && known.alpha == alpha)
            return known.layout;
    return std::nullopt;
}

GLenum CompressedFormat(DWORD fourCC) {
    if (fourCC == MAKEFOURCC('D', 'X', 'T', '1')) return GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
    if (fourCC == MAKEFOURCC('D', 'X', 'T', '2') || fourCC == MAKEFOURCC('D', 'X', 'T', '3'))
        return GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
    return GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
}

bool HasAlpha(const DDPIXELFORMAT& format) { return (format.dwFlags & DDPF_ALPHAPIXELS) && format.dwRGBAlphaBitMask; }

}  // namespace

// ---------------------------------------------------------------------------------------
// GLDirectDraw

GLDirectDraw::GLDirectDraw(const DisplayDriverCaps& driver) : HeadlessDirectDraw(driver) {}

GLDirectDraw::~GLDirectDraw() = default;

HRESULT GLDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    HRESULT result = HeadlessDirectDraw::SetCooperativeLevel(window, flags);
    if (SUCCEEDED(result) && window) window_ = window;
    return result;
}

HRESULT GLDirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE event) {
    HRESULT result = HeadlessDirectDraw::WaitForVerticalBlank(flags, event);
    if (SUCCEEDED(result)) verticalBlankWaited_ = true;
    return result;
}

bool GLDirectDraw::TakeVerticalBlankWait() { return std::exchange(verticalBlankWaited_, false); }

GLContext* GLDirectDraw::Context() {
    if (!context_ && window_ && window_ != failedWindow_) {
        context_ = GLContext::Create(window_);
        if (!context_) failedWindow_ = window_;
    }
    return context_.get();
}

GLContext* GLDirectDraw::CurrentContext() {
    GLContext* context = Context();
    return context && context->MakeCurrent() ? context : nullptr;
}

HeadlessSurface* GLDirectDraw::NewSurface(const SurfaceShape& shape, HeadlessSurface* root) {
    return new GLSurface(*this, shape, root);
}

HeadlessDirect3D* GLDirectDraw::NewDirect3D() { return new GLDirect3D(*this); }

// ---------------------------------------------------------------------------------------
// GLSurface

GLSurface::GLSurface(GLDirectDraw& owner, const SurfaceShape& shape, HeadlessSurface* root)
    : HeadlessSurface(owner, shape, root) {}

GLSurface::~GLSurface() {
    if (!texture_ && !framebuffer_ && !depthStencil_) return;
    // Without a current context the window is gone, and these went with the context.
    GLContext* context = GlOwner().CurrentContext();
    if (!context) return;
    if (framebuffer_) context->DeleteFramebuffer(framebuffer_);
    if (texture_) context->DeleteTexture(texture_);
    if (depthStencil_) context->Gl().DeleteRenderbuffers(1, &depthStencil_);
}

HRESULT GLSurface::Lock(RECT* rect, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE event) {
    HRESULT result = HeadlessSurface::Lock(rect, desc, flags, event);
    if (SUCCEEDED(result)) {
        SyncToMemory();
        lockedForWriting_ = !(flags & DDLOCK_READONLY);
    }
    return result;
}

HRESULT GLSurface::Unlock(RECT* rect) {
    HRESULT result = HeadlessSurface::Unlock(rect);
    if (SUCCEEDED(result) && std::exchange(lockedForWriting_, false)) MemoryChanged();
    return result;
}

HRESULT GLSurface::Restore() {
    bool wasLost = Lost();
    HRESULT result = HeadlessSurface::Restore();
    if (SUCCEEDED(result) && wasLost)
        for (GLSurface* surface = this; surface; surface = surface->NextLevel()) surface->MemoryChanged();
    return result;
}

HRESULT GLSurface::SetClipper(IDirectDrawClipper* clipper) {
    HRESULT result = HeadlessSurface::SetClipper(clipper);
    if (SUCCEEDED(result)) clipper_ = clipper;
    return result;
}

HRESULT GLSurface::Flip(IDirectDrawSurface7* target, DWORD flags) {
    // The chain's memory changes places below: pictures written by the program go up first.
    if (GlOwner().CurrentContext())
        for (GLSurface* surface = this; surface; surface = surface->NextLevel())
            if (surface->framebuffer_ && surface->memoryNewer_) surface->UploadPicture();
    HRESULT result = HeadlessSurface::Flip(target, flags);
    if (FAILED(result)) return result;
    auto* shown = static_cast<GLSurface*>(target ? target : Next());
    RECT whole{0, 0, LONG(shown->Shape().width), LONG(shown->Shape().height)};
    shown->PresentOn(GlOwner().Window(), whole, nullptr, !(flags & DDFLIP_NOVSYNC));
    for (GLSurface* surface = this; surface; surface = surface->NextLevel())
        if (surface->framebuffer_) surface->pictureInGL_ = true;
    return result;
}

void GLSurface::CopyRect(const RECT& dest, HeadlessSurface& source, const RECT& sourceRect) {
    auto& from = static_cast<GLSurface&>(source);
    if (Shape().caps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
        // The primary surface is the screen: its rectangles are in screen coordinates.
        HWND window = nullptr;
        if (!clipper_ || FAILED(clipper_->GetHWnd(&window)) || !window) window = GlOwner().Window();
        from.PresentOn(window, sourceRect, &dest, GlOwner().TakeVerticalBlankWait());
        return;
    }
    from.SyncToMemory();
    SyncToMemory();
    HeadlessSurface::CopyRect(dest, source, sourceRect);
    MemoryChanged();
}

void GLSurface::PresentOn(HWND window, const RECT& source, const RECT* screenArea, bool verticalSync) {
    GLContext* context = GlOwner().CurrentContext();
    if (!context) return;
    if (GLuint framebuffer = Framebuffer())
        context->Present(window, framebuffer, source, screenArea, verticalSync);
}

GLuint GLSurface::Framebuffer() {
    GLContext* context = GlOwner().Context();
    if (!context || IsTexture() || IsDepth()) return 0;
    const GLEntryPoints& gl = context->Gl();
    const SurfaceShape& shape = Shape();
    if (!framebuffer_) {
        glGenTextures(1, &texture_);
        context->BindTextureForUpload(texture_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        // Blue, green, red, alpha, as windows' pictures commonly are: the unsized format
        // with that order given lets the driver store it so, where a sized one would not.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(shape.width), GLsizei(shape.height), 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, nullptr);
        gl.GenFramebuffers(1, &framebuffer_);
        context->BindDrawFramebuffer(framebuffer_);
        gl.FramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
        memoryNewer_ = true;  // what the memory holds so far is the picture
    }
    context->BindDrawFramebuffer(framebuffer_);
    auto* depth = static_cast<GLSurface*>(ZBuffer());
    GLuint wanted = depth ? depth->DepthStencil() : 0;
    if (wanted != attachedDepth_) {
        gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, wanted);
        attachedDepth_ = wanted;
    }
    if (memoryNewer_) UploadPicture();
    return framebuffer_;
}

bool GLSurface::HasAlphaChannel() const { return HasAlpha(Shape().format); }

GLuint GLSurface::DepthStencil() {
    if (!depthStencil_) {
        const GLEntryPoints& gl = GlOwner().Context()->Gl();
        gl.GenRenderbuffers(1, &depthStencil_);
        gl.BindRenderbuffer(GL_RENDERBUFFER, depthStencil_);
        // Every Z format gets 24 depth and 8 stencil bits: never less than it asked for.
        gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, GLsizei(Shape().width),
                               GLsizei(Shape().height));
    }
    return depthStencil_;
}

void GLSurface::UploadPicture() {
    const SurfaceShape& shape = Shape();
    std::vector<BYTE> rgba = SurfaceToRgba(Pixels(), Pitch(), shape.width, shape.height, shape.format);
    GlOwner().Context()->BindTextureForUpload(texture_);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(shape.width), GLsizei(shape.height), GL_RGBA,
                    GL_UNSIGNED_BYTE, rgba.data());
    memoryNewer_ = false;
}

void GLSurface::SyncToMemory() {
    if (!pictureInGL_ || !framebuffer_) return;
    GLContext* context = GlOwner().CurrentContext();
    if (!context) return;
    const SurfaceShape& shape = Shape();
    std::vector<BYTE> bgra(size_t(shape.width) * shape.height * 4);
    context->Gl().BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glReadPixels(0, 0, GLsizei(shape.width), GLsizei(shape.height), GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    BgraToSurface(bgra.data(), shape.width, shape.height, shape.format, Pixels(), Pitch());
    pictureInGL_ = false;
}

void GLSurface::MemoryChanged() {
    if (IsTexture()) {
        levelPending_ = true;
        if (GlOwner().CurrentContext()) static_cast<GLSurface*>(Root())->UploadLevels();
    } else if (!IsDepth()) {
        memoryNewer_ = true;
        pictureInGL_ = false;
    }
}

GLuint GLSurface::Texture() {
    auto* root = static_cast<GLSurface*>(Root());
    root->UploadLevels();
    return root->texture_;
}

void GLSurface::UploadLevels() {
    GLContext* context = GlOwner().Context();
    if (!context) return;
    if (!texture_) {
        glGenTextures(1, &texture_);
        context->BindTextureForUpload(texture_);
        // Filters and addressing come from the device's samplers; the levels are the chain's.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(std::max<DWORD>(1, Shape().mipLevels) - 1));
    }
    int level = 0;
    for (GLSurface* surface = this; surface; surface = surface->NextLevel(), ++level)
        if (surface->levelPending_) surface->UploadLevel(*context, texture_, level);
}

void GLSurface::UploadLevel(GLContext& context, GLuint texture, int level) {
    const SurfaceShape& shape = Shape();
    const GLsizei width = GLsizei(shape.width), height = GLsizei(shape.height);
    context.BindTextureForUpload(texture);
    if (IsBlockCompressed(shape.format) && context.HasS3tc()) {
        context.Gl().CompressedTexImage2D(GL_TEXTURE_2D, level, CompressedFormat(shape.format.dwFourCC), width,
                                          height, 0,
                                          GLsizei(CompressedLevelSize(shape.format, shape.width, shape.height)),
                                          Pixels());
    } else if (const auto layout = StoredLayout(shape.format); layout && Pitch() % BytesPerPixel(shape.format) == 0) {
        // The memory as the surface stores it: no copy, no conversion on this side.
        glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(Pitch() / BytesPerPixel(shape.format)));
        glTexImage2D(GL_TEXTURE_2D, level, layout->internalFormat, width, height, 0, layout->format, layout->type,
                     Pixels());
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    } else {
        std::vector<BYTE> rgba =
            IsBlockCompressed(shape.format)
                ? DecodeDxt(Pixels(), shape.width, shape.height, shape.format.dwFourCC)
                : SurfaceToRgba(Pixels(), Pitch(), shape.width, shape.height, shape.format);
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }
    levelPending_ = false;
}

}  // namespace platform::ddraw
