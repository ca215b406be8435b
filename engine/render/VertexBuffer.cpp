#include "engine/render/VertexBuffer.h"

namespace Vantor {

VertexBuffer::VertexBuffer(std::int32_t kind, std::int32_t hasColours, std::uint32_t vertexCount)
    : kind_(kind),
      hasColours_(hasColours ? 1 : 0),
      vertexSize_(hasColours ? sizeof(ColouredVertex) : sizeof(Vertex)),
      vertexCount_(vertexCount),
      data_(static_cast<std::size_t>(vertexCount) * vertexSize_) {}

void VertexBuffer::Unlock() { locked_ = false; }

void VertexBuffer::Restore() {}

std::uint8_t* VertexBuffer::LockRange(std::uint32_t first, std::uint32_t count) {
    locked_ = true;
    lockFirst_ = first;
    lockCount_ = count;
    return data_.data() + static_cast<std::size_t>(first) * vertexSize_;
}

Vertex* VertexBuffer::Lock(std::uint32_t first, std::uint32_t count) {
    return reinterpret_cast<Vertex*>(LockRange(first, count));
}

ColouredVertex* VertexBuffer::LockColoured(std::uint32_t first, std::uint32_t count) {
    return reinterpret_cast<ColouredVertex*>(LockRange(first, count));
}

const ColouredVertex* VertexBuffer::ColouredAt(std::uint32_t index) const {
    return reinterpret_cast<const ColouredVertex*>(data_.data() + static_cast<std::size_t>(index) * vertexSize_);
}

void VertexBuffer::GetColour(Color& out, std::uint32_t index) const {
    if (!hasColours_) {
        out.Set(1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    UnpackColour(out, ColouredAt(index)->colour);
}

float VertexBuffer::GetAlpha(std::uint32_t index) const {
    if (!hasColours_) return 1.0f;
    Color colour;
    UnpackColour(colour, ColouredAt(index)->colour);
    return colour.w;
}

void VertexBuffer::SetColour(const Color& colour) {
    if (!hasColours_) return;
    std::uint32_t packed = PackColour(colour);
    ColouredVertex* vertices = LockColoured(0, vertexCount_);
    for (std::uint32_t i = 0; i < vertexCount_; ++i) vertices[i].colour = packed;
    Unlock();
}

void VertexBuffer::SetAlpha(float alpha) {
    if (!hasColours_) return;
    ColouredVertex* vertices = LockColoured(0, vertexCount_);
    for (std::uint32_t i = 0; i < vertexCount_; ++i) vertices[i].colour = SetColourAlpha(vertices[i].colour, alpha);
    Unlock();
}

}  // namespace Vantor
