#pragma once
// The yardstick the renderer's frame rate is measured against (bench/ only): textured
// quads drawn with plain OpenGL 1.x calls, one draw call per quad with its own matrix,
// in a window and context of their own, on the sdl backend. The calling thread's
// current OpenGL context is restored after each frame, so the renderer's own context
// keeps working in the same run.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::bench {

struct PlainQuad {
    // Bottom-left corner and side, in pixels from the window's bottom-left.
    float x;
    float y;
    float size;
};

class PlainGLQuads {
public:
    // Where a frame is drawn: straight into the window, or into an offscreen picture
    // with a depth and stencil buffer that is then copied into the window, as the sdl
    // backend presents a windowed back buffer.
    enum class Target { kWindow, kOffscreen };

    // A shown window of that size with the picture (rows bottom first, red, green, blue,
    // alpha bytes) as a linearly filtered texture; vertical sync off. Null with the
    // reason in `failure` when there is no OpenGL (the headless backend included).
    static std::unique_ptr<PlainGLQuads> Create(int width, int height, Target target,
                                                const std::vector<std::uint8_t>& rgba, int pictureWidth,
                                                int pictureHeight, std::string& failure);
    ~PlainGLQuads();
    PlainGLQuads(const PlainGLQuads&) = delete;
    PlainGLQuads& operator=(const PlainGLQuads&) = delete;

    // One frame: clear, every quad textured over its whole picture, swap.
    void DrawQuadsPlainGL(const std::vector<PlainQuad>& quads);

private:
    struct State;
    explicit PlainGLQuads(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;
};

}  // namespace platform::bench
