#include "engine/render/d3d7/IndexBuffer_D3D7.h"

#include <cstring>

namespace Vantor {

IndexBuffer_D3D7::IndexBuffer_D3D7(std::int32_t kind, std::uint32_t capacity) : IndexBuffer(kind, capacity) {}

IndexBuffer_D3D7::IndexBuffer_D3D7(std::int32_t kind, const IndexBuffer& source)
    : IndexBuffer(kind, source.GetCapacity()) {
    SetCount(source.GetCount());
    void* target = Lock(0, GetCapacity());
    std::size_t bytes = static_cast<std::size_t>(GetCapacity()) * GetIndexSize();
    if (bytes) std::memcpy(target, source.GetData(), bytes);
    Unlock();
}

IndexBuffer_D3D7::IndexBuffer_D3D7(const IndexBuffer& source) : IndexBuffer_D3D7(source.GetKind(), source) {}

}  // namespace Vantor
