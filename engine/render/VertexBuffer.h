#pragma once
// A fixed number of vertices of one layout (plain or coloured) in an owned array. The
// render system's factories make the device's implementation; whoever asked for a
// buffer owns it. Writes go through a lock that hands out a pointer into the array;
// the lock never moves the array.

#include <cstdint>
#include <vector>

#include "engine/kernel/Vector4.h"
#include "engine/render/Vertex.h"

namespace Vantor {

class VertexBuffer {
public:
    virtual ~VertexBuffer() = default;
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    virtual void Unlock();
    // Called before every draw; a buffer kept on the device would upload itself here.
    virtual void Restore();
    // Device colour to colour and back, and a device colour with a new alpha byte.
    virtual void UnpackColour(Color& out, std::uint32_t colour) const = 0;
    virtual std::uint32_t PackColour(const Color& colour) const = 0;
    virtual std::uint32_t SetColourAlpha(std::uint32_t colour, float alpha) const = 0;
    // Pointer to vertex `first`; records the lock. The caller keeps first + count within
    // the vertex count.
    virtual std::uint8_t* LockRange(std::uint32_t first, std::uint32_t count);

    // LockRange typed for the buffer's layout; the caller picks the one that matches.
    Vertex* Lock(std::uint32_t first, std::uint32_t count);
    ColouredVertex* LockColoured(std::uint32_t first, std::uint32_t count);

    // Opaque white for a buffer without colours. Reads the array without a lock.
    void GetColour(Color& out, std::uint32_t index) const;
    float GetAlpha(std::uint32_t index) const;
    // Every vertex's colour; nothing without colours.
    void SetColour(const Color& colour);
    // Every vertex's alpha, keeping red, green and blue; nothing without colours.
    void SetAlpha(float alpha);

    std::int32_t GetKind() const { return kind_; }
    bool HasColours() const { return hasColours_ != 0; }
    std::uint32_t GetVertexSize() const { return vertexSize_; }
    std::uint32_t GetVertexCount() const { return vertexCount_; }
    const std::uint8_t* GetData() const { return data_.data(); }
    bool IsLocked() const { return locked_; }
    std::uint32_t GetLockFirst() const { return lockFirst_; }
    std::uint32_t GetLockCount() const { return lockCount_; }

protected:
    // kind: the owner's usage flag (0 or 1), stored only. hasColours selects the layout.
    // The array is zero-filled; nothing is copied.
    VertexBuffer(std::int32_t kind, std::int32_t hasColours, std::uint32_t vertexCount);

private:
    const ColouredVertex* ColouredAt(std::uint32_t index) const;

    std::int32_t kind_;
    std::int32_t hasColours_;
    std::uint32_t vertexSize_;
    std::uint32_t vertexCount_;
    std::vector<std::uint8_t> data_;
    bool locked_ = false;
    std::uint32_t lockFirst_ = 0;
    std::uint32_t lockCount_ = 0;
};

}  // namespace Vantor
