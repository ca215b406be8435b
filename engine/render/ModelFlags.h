#pragma once
// The bits of a model's u32 flag word. The GUI, sprite groups, particle systems and the
// game pass them when they create models and switch kVisible to show or hide them.
// Bits not named here have no effect (0x10 is set by some callers and ignored).

#include <cstdint>

namespace Vantor {

struct ModelFlags {
    // How the model file stores the vertices, and how the update animates them.
    static constexpr std::uint32_t kStatic = 0x1;
    static constexpr std::uint32_t kKeyFrames = 0x2;
    static constexpr std::uint32_t kSkinned = 0x4;
    // Triangle list; clear, a triangle strip.
    static constexpr std::uint32_t kTriangleList = 0x8;
    // The vertex buffer holds coloured vertices.
    static constexpr std::uint32_t kVertexColours = 0x20;
    // Lighting and normal normalisation on.
    static constexpr std::uint32_t kLighting = 0x40;
    static constexpr std::uint32_t kDepthTest = 0x80;
    // Drawn in the first list, nearest first; excludes kSecondDrawList.
    static constexpr std::uint32_t kFirstDrawList = 0x200;
    // Drawn in the second list, farthest first; excludes kFirstDrawList. A model with
    // neither is drawn in the second list too.
    static constexpr std::uint32_t kSecondDrawList = 0x400;
    // The update leaves the depth to the owner (SetDepth).
    static constexpr std::uint32_t kFixedDepth = 0x800;
    // The camera is applied with its Z-biased projection.
    static constexpr std::uint32_t kDepthBiasedCamera = 0x1000;
    // Culling: clockwise, both sides in two passes, counter-clockwise; each excludes the
    // other two.
    static constexpr std::uint32_t kCullClockwise = 0x2000;
    static constexpr std::uint32_t kTwoPasses = 0x4000;
    static constexpr std::uint32_t kCullCounterClockwise = 0x400000;
    // With kStatic the update recomputes the box from the vertices.
    static constexpr std::uint32_t kBoundsEachFrame = 0x8000;
    // Only visible models are updated beyond the animation step, counted and drawn.
    static constexpr std::uint32_t kVisible = 0x40000;
    static constexpr std::uint32_t kNoDepthWrite = 0x80000;
    // The kinds of the buffers the model creates; a model whose flags would be 0 gets
    // kVertexBufferKind.
    static constexpr std::uint32_t kIndexBufferKind = 0x100000;
    static constexpr std::uint32_t kVertexBufferKind = 0x200000;
    // Stencil test on; the model is not drawn without a stencil buffer.
    static constexpr std::uint32_t kStencil = 0x800000;

    // What a box model starts with: static, list, lighting, depth test, first list,
    // clockwise culling, visible.
    static constexpr std::uint32_t kBoxDefaults = kStatic | kTriangleList | kLighting | kDepthTest | kFirstDrawList |
                                                  kCullClockwise | kVisible;
};

static_assert(ModelFlags::kBoxDefaults == 0x422C9);

}  // namespace Vantor
