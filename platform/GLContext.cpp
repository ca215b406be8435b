#include "platform/GLContext.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/DirectDrawGLSeams.h"
#include "platform/WinUser.h"
#include "platform/WinWindowSdl.h"

namespace platform::ddraw {

namespace {

// The context current on this thread, as far as this layer made it so.
GLContext* current = nullptr;

// The last picture presented, while tests ask for it.
struct PresentedRecord {
    bool keep = false;
    HWND window = nullptr;
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;  // 0xAARRGGBB, top row first
};

PresentedRecord& Presented() {
    static PresentedRecord record;
    return record;
}

// Reads the picture about to be swapped in (with the window's framebuffer bound for reading).
void KeepPicture(HWND window, int width, int height) {
    PresentedRecord& record = Presented();
    std::vector<DWORD> bottomUp(size_t(width) * height);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
    record.window = window;
    record.width = width;
    record.height = height;
    record.pixels.resize(bottomUp.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[size_t(height - 1 - y) * width], width, &record.pixels[size_t(y) * width]);
}

// Whether OpenGL is at least the given version or offers the extension.
bool Supports(const char* extension, int major, int minor) {
    int haveMajor = 0, haveMinor = 0;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version && std::sscanf(version, "%d.%d", &haveMajor, &haveMinor) == 2 &&
        (haveMajor > major || (haveMajor == major && haveMinor >= minor)))
        return true;
    return SDL_GL_ExtensionSupported(extension) == SDL_TRUE;
}

template <typename Function>
bool Load(Function& function, const char* name) {
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}

}  // namespace

std::unique_ptr<GLContext> GLContext::Create(HWND window) {
    SDL_Window* sdlWindow = SdlWindowOf(window);
    if (!sdlWindow) {
        std::fprintf(stderr, "OpenGL: the window has no SDL window to draw in\n");
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (!context) {
        std::fprintf(stderr, "OpenGL: no context: %s\n", SDL_GetError());
        return nullptr;
    }
    std::unique_ptr<GLContext> made(new GLContext(window, sdlWindow, context));
    current = made.get();
    if (!made->LoadEntryPoints()) {
        std::fprintf(stderr, "OpenGL: needs framebuffer objects, sampler objects and BGRA vertex colours (%s)\n",
                     reinterpret_cast<const char*>(glGetString(GL_VERSION)));
        return nullptr;
    }
    made->s3tc_ = SDL_GL_ExtensionSupported("GL_EXT_texture_compression_s3tc") == SDL_TRUE;
    if (Supports("GL_EXT_texture_filter_anisotropic", 4, 6))
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &made->maxAnisotropy_);
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    made->textureUnits_ = static_cast<unsigned>(std::clamp<GLint>(units, 1, GLint(made->unitTextures_.size())));
    // Rows of every picture handed over or read back are packed tightly.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    return made;
}

GLContext::GLContext(HWND window, SDL_Window* sdlWindow, SDL_GLContext context)
    : window_(window), sdlWindow_(sdlWindow), context_(context) {}

GLContext::~GLContext() {
    if (current == this) {
        if (Alive()) SDL_GL_MakeCurrent(sdlWindow_, nullptr);
        current = nullptr;
    }
    SDL_GL_DeleteContext(context_);
}

bool GLContext::LoadEntryPoints() {
    if (!Supports("GL_ARB_framebuffer_object", 3, 0) || !Supports("GL_ARB_sampler_objects", 3, 3) ||
        !Supports("GL_ARB_vertex_array_bgra", 3, 2))
        return false;
    return Load(gl_.ActiveTexture, "glActiveTexture") && Load(gl_.ClientActiveTexture, "glClientActiveTexture") &&
           Load(gl_.CompressedTexImage2D, "glCompressedTexImage2D") &&
           Load(gl_.GenFramebuffers, "glGenFramebuffers") && Load(gl_.DeleteFramebuffers, "glDeleteFramebuffers") &&
           Load(gl_.BindFramebuffer, "glBindFramebuffer") &&
           Load(gl_.FramebufferTexture2D, "glFramebufferTexture2D") &&
           Load(gl_.FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           Load(gl_.BlitFramebuffer, "glBlitFramebuffer") && Load(gl_.GenRenderbuffers, "glGenRenderbuffers") &&
           Load(gl_.DeleteRenderbuffers, "glDeleteRenderbuffers") &&
           Load(gl_.BindRenderbuffer, "glBindRenderbuffer") &&
           Load(gl_.RenderbufferStorage, "glRenderbufferStorage") && Load(gl_.GenSamplers, "glGenSamplers") &&
           Load(gl_.DeleteSamplers, "glDeleteSamplers") && Load(gl_.BindSampler, "glBindSampler") &&
           Load(gl_.SamplerParameteri, "glSamplerParameteri") && Load(gl_.SamplerParameterf, "glSamplerParameterf") &&
           Load(gl_.SamplerParameterfv, "glSamplerParameterfv");
}

bool GLContext::Alive() const { return SdlWindowOf(window_) == sdlWindow_; }

bool GLContext::MakeCurrent() {
    if (!Alive()) return false;
    if (current != this) {
        if (SDL_GL_MakeCurrent(sdlWindow_, context_) != 0) return false;
        current = this;
    }
    return true;
}

void GLContext::BindDrawFramebuffer(GLuint framebuffer) {
    if (framebuffer == drawFramebuffer_) return;
    gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    drawFramebuffer_ = framebuffer;
}

void GLContext::ActiveUnit(unsigned unit) {
    if (unit == activeUnit_) return;
    gl_.ActiveTexture(GL_TEXTURE0 + unit);
    activeUnit_ = unit;
}

void GLContext::BindTexture(unsigned unit, GLuint texture) {
    if (unitTextures_[unit] == texture) return;
    ActiveUnit(unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    unitTextures_[unit] = texture;
}

void GLContext::DeleteTexture(GLuint texture) {
    glDeleteTextures(1, &texture);
    std::replace(unitTextures_.begin(), unitTextures_.end(), texture, GLuint{0});
}

void GLContext::DeleteFramebuffer(GLuint framebuffer) {
    gl_.DeleteFramebuffers(1, &framebuffer);
    if (drawFramebuffer_ == framebuffer) drawFramebuffer_ = 0;
}

bool GLContext::Present(HWND window, GLuint framebuffer, const RECT& source, const RECT* screenArea,
                        bool verticalSync) {
    SDL_Window* target = SdlWindowOf(window);
    if (!target || SDL_GL_MakeCurrent(target, context_) != 0) return false;
    current = this;

    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(target, &width, &height);
    RECT area{0, 0, width, height};  // in the drawable's pixels, top-down
    if (screenArea) {
        POINT origin{0, 0};
        RECT client{};
        ClientToScreen(window, &origin);
        GetClientRect(window, &client);
        LONG clientWidth = std::max<LONG>(1, client.right), clientHeight = std::max<LONG>(1, client.bottom);
        auto scaleX = [&](LONG x) { return LONG(int64_t(x - origin.x) * width / clientWidth); };
        auto scaleY = [&](LONG y) { return LONG(int64_t(y - origin.y) * height / clientHeight); };
        area = RECT{scaleX(screenArea->left), scaleY(screenArea->top), scaleX(screenArea->right),
                    scaleY(screenArea->bottom)};
    }

    gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    bool whole = area.left <= 0 && area.top <= 0 && area.right >= width && area.bottom >= height;
    if (!whole) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    bool sameSize =
        source.right - source.left == area.right - area.left && source.bottom - source.top == area.bottom - area.top;
    // The picture's rows run top first, the window's bottom first: the source's top row
    // goes to the area's top.
    gl_.BlitFramebuffer(source.left, source.top, source.right, source.bottom, area.left, height - area.top,
                        area.right, height - area.bottom, GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    if (Presented().keep) {
        gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        KeepPicture(window, width, height);
    }
    gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);

    int interval = verticalSync ? 1 : 0;
    if (interval != swapInterval_) {
        SDL_GL_SetSwapInterval(interval);
        swapInterval_ = interval;
    }
    SDL_GL_SwapWindow(target);
    if (target != sdlWindow_) {
        current = nullptr;
        MakeCurrent();
    }
    return true;
}

}  // namespace platform::ddraw

namespace platform::seam {

void KeepPresentedPictures(bool keep) {
    ddraw::Presented() = {};
    ddraw::Presented().keep = keep;
}

std::vector<DWORD> PresentedPicture(HWND window, int& width, int& height) {
    const ddraw::PresentedRecord& record = ddraw::Presented();
    bool known = record.window == window;
    width = known ? record.width : 0;
    height = known ? record.height : 0;
    return known ? record.pixels : std::vector<DWORD>{};
}

}  // namespace platform::seam
