#include "bench/support/PlainGLQuads.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <optional>

#include "platform/Backend.h"

namespace benchsupport {

namespace {

// One unit quad shared by every draw, its vertices laid out as the renderer's model
// vertices are (position, normal, texture coordinates); two triangles.
struct Vertex {
    GLfloat position[3];
    GLfloat normal[3];
    GLfloat uv[2];
};
constexpr Vertex kVertices[] = {{{0, 0, 0}, {0, 0, 1}, {0, 0}},
                                {{1, 0, 0}, {0, 0, 1}, {1, 0}},
                                {{1, 1, 0}, {0, 0, 1}, {1, 1}},
                                {{0, 1, 0}, {0, 0, 1}, {0, 1}}};
constexpr GLushort kIndices[] = {0, 1, 2, 2, 3, 0};

// Puts the context that was current at its making back when it goes.
class ContextGuard {
public:
    ContextGuard() : previousWindow_(SDL_GL_GetCurrentWindow()), previousContext_(SDL_GL_GetCurrentContext()) {}
    ~ContextGuard() { SDL_GL_MakeCurrent(previousWindow_, previousContext_); }
    ContextGuard(const ContextGuard&) = delete;
    ContextGuard& operator=(const ContextGuard&) = delete;

private:
    SDL_Window* previousWindow_;
    SDL_GLContext previousContext_;
};

template <typename Function>
bool Load(Function& function, const char* name) {
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}

// The framebuffer entry points beyond OpenGL 1.1 that the offscreen target needs.
struct FramebufferCalls {
    bool Load() {
        return benchsupport::Load(GenFramebuffers, "glGenFramebuffers") &&
               benchsupport::Load(DeleteFramebuffers, "glDeleteFramebuffers") &&
               benchsupport::Load(BindFramebuffer, "glBindFramebuffer") &&
               benchsupport::Load(FramebufferTexture2D, "glFramebufferTexture2D") &&
               benchsupport::Load(GenRenderbuffers, "glGenRenderbuffers") &&
               benchsupport::Load(DeleteRenderbuffers, "glDeleteRenderbuffers") &&
               benchsupport::Load(BindRenderbuffer, "glBindRenderbuffer") &&
               benchsupport::Load(RenderbufferStorage, "glRenderbufferStorage") &&
               benchsupport::Load(FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
               benchsupport::Load(BlitFramebuffer, "glBlitFramebuffer");
    }
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
};

}  // namespace

struct PlainGLQuads::State {
    ~State() {
        if (context) {
            {
                ContextGuard guard;
                SDL_GL_MakeCurrent(window, context);
                glDeleteTextures(1, &texture);
                if (framebuffer) {
                    gl.DeleteFramebuffers(1, &framebuffer);
                    gl.DeleteRenderbuffers(1, &depthStencil);
                    glDeleteTextures(1, &offscreenPicture);
                }
            }
            SDL_GL_DeleteContext(context);
        }
        if (window) SDL_DestroyWindow(window);
        if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // The offscreen picture with its depth and stencil buffer; false when OpenGL lacks them.
    bool MakeOffscreenTarget() {
        if (!gl.Load()) return false;
        glGenTextures(1, &offscreenPicture);
        glBindTexture(GL_TEXTURE_2D, offscreenPicture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        gl.GenRenderbuffers(1, &depthStencil);
        gl.BindRenderbuffer(GL_RENDERBUFFER, depthStencil);
        gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        gl.GenFramebuffers(1, &framebuffer);
        gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, offscreenPicture, 0);
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
        gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
        return true;
    }

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    GLuint texture = 0;
    int width = 0;
    int height = 0;
    FramebufferCalls gl;
    GLuint framebuffer = 0;  // 0: the frame goes straight into the window
    GLuint offscreenPicture = 0;
    GLuint depthStencil = 0;
};

std::unique_ptr<PlainGLQuads> PlainGLQuads::Create(int width, int height, Target target,
                                                   const std::vector<std::uint8_t>& rgba, int pictureWidth,
                                                   int pictureHeight, std::string& failure) {
    if (platform::IsHeadless()) {
        failure = "the headless backend has no OpenGL";
        return nullptr;
    }
    auto state = std::make_unique<State>();
    state->width = width;
    state->height = height;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        failure = SDL_GetError();
        return nullptr;
    }
    state->videoStarted = true;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    // The window's own depth and stencil are those the renderer's back buffer gets; the
    // sizes asked for before go back for whoever makes a window next.
    int depthBits = 0, stencilBits = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencilBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    state->window = SDL_CreateWindow("plain OpenGL", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    ContextGuard guard;
    if (state->window) state->context = SDL_GL_CreateContext(state->window);  // and makes it current
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, stencilBits);
    if (!state->context) {
        failure = SDL_GetError();
        return nullptr;
    }
    SDL_GL_SetSwapInterval(0);
    // The renderer's textures carry their mip levels, filtered between levels too.
    glGenTextures(1, &state->texture);
    glBindTexture(GL_TEXTURE_2D, state->texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pictureWidth, pictureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (target == Target::kOffscreen && !state->MakeOffscreenTarget()) {
        failure = "OpenGL has no framebuffer objects";
        return nullptr;
    }
    return std::unique_ptr<PlainGLQuads>(new PlainGLQuads(std::move(state)));
}

PlainGLQuads::PlainGLQuads(std::unique_ptr<State> state) : state_(std::move(state)) {}

PlainGLQuads::~PlainGLQuads() = default;

struct PlainGLQuads::Current::Previous {
    ContextGuard guard;
};

PlainGLQuads::Current::Current(PlainGLQuads& quads) : previous_(std::make_unique<Previous>()) {
    SDL_GL_MakeCurrent(quads.state_->window, quads.state_->context);
}

PlainGLQuads::Current::~Current() = default;

void PlainGLQuads::DrawQuadsPlainGL(const std::vector<PlainQuad>& quads) {
    State& s = *state_;
    std::optional<Current> current;
    if (SDL_GL_GetCurrentContext() != s.context) current.emplace(*this);
    if (s.framebuffer) s.gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    glViewport(0, 0, s.width, s.height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The offscreen picture keeps its rows top first, as the sdl backend's back buffer.
    if (s.framebuffer)
        glOrtho(0, s.width, s.height, 0, -500, 500);
    else
        glOrtho(0, s.width, 0, s.height, -500, 500);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, s.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), kVertices[0].position);
    glNormalPointer(GL_FLOAT, sizeof(Vertex), kVertices[0].normal);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), kVertices[0].uv);
    glMatrixMode(GL_MODELVIEW);
    for (const PlainQuad& quad : quads) {
        const GLfloat placement[16] = {quad.size, 0, 0, 0, 0, quad.size, 0, 0, 0, 0, 1, 0, quad.x, quad.y, 0, 1};
        glLoadMatrixf(placement);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (s.framebuffer) {
        // Top row to the window's top: rows are copied as they lie.
        s.gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
        s.gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        s.gl.BlitFramebuffer(0, 0, s.width, s.height, 0, s.height, s.width, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        s.gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    SDL_GL_SwapWindow(s.window);
}

}  // namespace benchsupport
