#pragma once
// The yardstick the renderer's frame rate is measured against: textured
// quads drawn with plain OpenGL 1.x calls, one draw call per quad with its own matrix,
// in a window and context of their own, on the sdl backend. A frame asks OpenGL for what
// the renderer's frame of the same quads asks it for: a clear of colour, depth and
// stencil (24 and 8 bits), vertices of position, normal and texture coordinates, a
// mip-mapped texture filtered trilinearly and clamped at its edges, no lighting, depth
// test or blending, and the picture shown in the window without waiting for the
// vertical blank.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace benchsupport {

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
    // backend keeps and presents a back buffer (rows top first, blue, green, red,
    // alpha).
    enum class Target { kWindow, kOffscreen };

    // While one lives, the reference's context is current, so that the frames drawn
    // meanwhile switch no context (a plain program has just the one); the context
    // current before comes back at its end.
    class Current {
    public:
        explicit Current(PlainGLQuads& quads);
        ~Current();
        Current(const Current&) = delete;
        Current& operator=(const Current&) = delete;

    private:
        struct Previous;
        std::unique_ptr<Previous> previous_;
    };

    // A shown window of that size with the picture (rows bottom first, red, green, blue,
    // alpha bytes; sides powers of two) as a texture; vertical sync off. Null with the
    // reason in `failure` when there is no OpenGL (the headless backend included).
    static std::unique_ptr<PlainGLQuads> Create(int width, int height, Target target,
                                                const std::vector<std::uint8_t>& rgba, int pictureWidth,
                                                int pictureHeight, std::string& failure);
    ~PlainGLQuads();
    PlainGLQuads(const PlainGLQuads&) = delete;
    PlainGLQuads& operator=(const PlainGLQuads&) = delete;

    // One frame: clear, every quad textured over its whole picture, swap. Outside a
    // Current it switches to its context and back itself.
    void DrawQuadsPlainGL(const std::vector<PlainQuad>& quads);

private:
    struct State;
    explicit PlainGLQuads(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;
};

}  // namespace benchsupport
