#include "platform/BenchPlainGL.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "platform/Backend.h"

namespace platform::bench {

namespace {

// One unit quad shared by every draw: position, texture coordinates, two triangles.
constexpr GLfloat kPositions[] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
constexpr GLfloat kCoordinates[] = {0, 0, 1, 0, 1, 1, 0, 1};
constexpr GLushort kIndices[] = {0, 1, 2, 2, 3, 0};

// Makes a context current for a while and puts the previous one back.
class CurrentContext {
public:
    CurrentContext(SDL_Window* window, SDL_GLContext context)
        : previousWindow_(SDL_GL_GetCurrentWindow()), previousContext_(SDL_GL_GetCurrentContext()) {
        SDL_GL_MakeCurrent(window, context);
    }
    ~CurrentContext() { SDL_GL_MakeCurrent(previousWindow_, previousContext_); }
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;

private:
    SDL_Window* previousWindow_;
    SDL_GLContext previousContext_;
};

}  // namespace

struct PlainGLQuads::State {
    ~State() {
        if (context) {
            {
                CurrentContext current(window, context);
                glDeleteTextures(1, &texture);
            }
            SDL_GL_DeleteContext(context);
        }
        if (window) SDL_DestroyWindow(window);
        if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    GLuint texture = 0;
    int width = 0;
    int height = 0;
};

std::unique_ptr<PlainGLQuads> PlainGLQuads::Create(int width, int height, const std::vector<std::uint8_t>& rgba,
                                                   int pictureWidth, int pictureHeight, std::string& failure) {
    if (IsHeadless()) {
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
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    state->window = SDL_CreateWindow("plain OpenGL", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!state->window) {
        failure = SDL_GetError();
        return nullptr;
    }
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    state->context = SDL_GL_CreateContext(state->window);
    if (!state->context) {
        failure = SDL_GetError();
        return nullptr;
    }
    SDL_GL_SetSwapInterval(0);
    glGenTextures(1, &state->texture);
    glBindTexture(GL_TEXTURE_2D, state->texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pictureWidth, pictureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    SDL_GL_MakeCurrent(previousWindow, previousContext);
    return std::unique_ptr<PlainGLQuads>(new PlainGLQuads(std::move(state)));
}

PlainGLQuads::PlainGLQuads(std::unique_ptr<State> state) : state_(std::move(state)) {}

PlainGLQuads::~PlainGLQuads() = default;

void PlainGLQuads::DrawQuadsPlainGL(const std::vector<PlainQuad>& quads) {
    CurrentContext current(state_->window, state_->context);
    glViewport(0, 0, state_->width, state_->height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, state_->width, 0, state_->height, -500, 500);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, state_->texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, kPositions);
    glTexCoordPointer(2, GL_FLOAT, 0, kCoordinates);
    glMatrixMode(GL_MODELVIEW);
    for (const PlainQuad& quad : quads) {
        const GLfloat placement[16] = {quad.size, 0, 0, 0, 0, quad.size, 0, 0, 0, 0, 1, 0, quad.x, quad.y, 0, 1};
        glLoadMatrixf(placement);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    SDL_GL_SwapWindow(state_->window);
}

}  // namespace platform::bench
