#pragma once
// The Direct3D 7 vertex buffer: vertices stay in system memory and the device draws
// straight from the array. Colours use the device's packing, A<<24 | R<<16 | G<<8 | B.

#include "engine/render/VertexBuffer.h"

namespace Vantor {

class VertexBuffer_D3D7 : public VertexBuffer {
public:
    // A coloured buffer starts opaque white; other bytes are zero until written.
    VertexBuffer_D3D7(std::int32_t kind, std::int32_t hasColours, std::uint32_t vertexCount);
    // The source's vertices in the requested layout: positions, normals and texture
    // coordinates are kept; a plain source gives opaque white colours.
    VertexBuffer_D3D7(std::int32_t kind, std::int32_t hasColours, const VertexBuffer& source);
    // A byte-for-byte copy with the source's kind and layout.
    explicit VertexBuffer_D3D7(const VertexBuffer& source);

    void UnpackColour(Color& out, std::uint32_t colour) const override;
    // Each channel clamped to 0..1, scaled by 255 and rounded.
    std::uint32_t PackColour(const Color& colour) const override;
    std::uint32_t SetColourAlpha(std::uint32_t colour, float alpha) const override;

private:
    void ConvertFrom(const VertexBuffer& source);
};

}  // namespace Vantor
