#include "engine/render/d3d7/VertexBuffer_D3D7.h"

#include <cstring>

namespace Vantor {

namespace {

// 255 at 1 and above, 0 at 0 and below (and for NaN), else rounded.
std::uint32_t ChannelByte(float value) {
    if (value >= 1.0f) return 255;
    if (!(value > 0.0f)) return 0;
    return static_cast<std::uint32_t>(value * 255.0f + 0.5f);
}

// An empty buffer has no array to copy from or to.
void CopyBytes(std::uint8_t* target, const std::uint8_t* source, std::size_t bytes) {
    if (bytes) std::memcpy(target, source, bytes);
}

template <class Target, class Source>
void CopyGeometry(Target& target, const Source& source) {
    std::memcpy(target.position, source.position, sizeof(target.position));
    std::memcpy(target.normal, source.normal, sizeof(target.normal));
    target.u = source.u;
    target.v = source.v;
}

}  // namespace

VertexBuffer_D3D7::VertexBuffer_D3D7(std::int32_t kind, std::int32_t hasColours, std::uint32_t vertexCount)
    : VertexBuffer(kind, hasColours, vertexCount) {
    SetColour(Color(1.0f, 1.0f, 1.0f, 1.0f));
}

VertexBuffer_D3D7::VertexBuffer_D3D7(std::int32_t kind, std::int32_t hasColours, const VertexBuffer& source)
    : VertexBuffer(kind, hasColours, source.GetVertexCount()) {
    ConvertFrom(source);
}

VertexBuffer_D3D7::VertexBuffer_D3D7(const VertexBuffer& source)
    : VertexBuffer(source.GetKind(), source.HasColours() ? 1 : 0, source.GetVertexCount()) {
    CopyBytes(LockRange(0, GetVertexCount()), source.GetData(),
              static_cast<std::size_t>(GetVertexCount()) * GetVertexSize());
    Unlock();
}

void VertexBuffer_D3D7::ConvertFrom(const VertexBuffer& source) {
    std::uint32_t count = GetVertexCount();
    std::uint8_t* target = LockRange(0, count);
    if (HasColours() == source.HasColours()) {
        CopyBytes(target, source.GetData(), static_cast<std::size_t>(count) * GetVertexSize());
    } else if (HasColours()) {
        auto* to = reinterpret_cast<ColouredVertex*>(target);
        const auto* from = reinterpret_cast<const Vertex*>(source.GetData());
        for (std::uint32_t i = 0; i < count; ++i) CopyGeometry(to[i], from[i]);
    } else {
        auto* to = reinterpret_cast<Vertex*>(target);
        const auto* from = reinterpret_cast<const ColouredVertex*>(source.GetData());
        for (std::uint32_t i = 0; i < count; ++i) CopyGeometry(to[i], from[i]);
    }
    Unlock();
    if (HasColours() && !source.HasColours()) SetColour(Color(1.0f, 1.0f, 1.0f, 1.0f));
}

void VertexBuffer_D3D7::UnpackColour(Color& out, std::uint32_t colour) const {
    auto channel = [colour](int shift) { return static_cast<float>((colour >> shift) & 0xFF) / 255.0f; };
    out.Set(channel(16), channel(8), channel(0), channel(24));
}

std::uint32_t VertexBuffer_D3D7::PackColour(const Color& colour) const {
    return ChannelByte(colour.w) << 24 | ChannelByte(colour.x) << 16 | ChannelByte(colour.y) << 8 |
           ChannelByte(colour.z);
}

std::uint32_t VertexBuffer_D3D7::SetColourAlpha(std::uint32_t colour, float alpha) const {
    return (colour & 0x00FFFFFFu) | ChannelByte(alpha) << 24;
}

}  // namespace Vantor
