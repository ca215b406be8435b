#pragma once
// The Direct3D 7 index buffer: indices stay in system memory and the device draws
// straight from the array.

#include "engine/render/IndexBuffer.h"

namespace Vantor {

class IndexBuffer_D3D7 : public IndexBuffer {
public:
    IndexBuffer_D3D7(std::int32_t kind, std::uint32_t capacity);
    // The source's width, capacity, count and indices with the given kind.
    IndexBuffer_D3D7(std::int32_t kind, const IndexBuffer& source);
    // The same with the source's kind.
    explicit IndexBuffer_D3D7(const IndexBuffer& source);
};

}  // namespace Vantor
