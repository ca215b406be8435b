#include "engine/render/IndexBuffer.h"

#include <algorithm>

namespace Vantor {

IndexBuffer::IndexBuffer(std::int32_t kind, std::uint32_t capacity)
    : kind_(kind),
      wide_(capacity > 0xFFFF),
      indexSize_(wide_ ? 4 : 2),
      capacity_(capacity),
      count_(capacity),
      data_(static_cast<std::size_t>(capacity) * indexSize_) {}

void* IndexBuffer::Lock(std::uint32_t first, std::uint32_t count) {
    locked_ = true;
    lockFirst_ = first;
    lockCount_ = count;
    rangeStale_ = true;
    return data_.data() + static_cast<std::size_t>(first) * indexSize_;
}

void IndexBuffer::Unlock() { locked_ = false; }

void IndexBuffer::Restore() {}

void IndexBuffer::SetIndices(std::uint32_t first, std::uint32_t count, const std::int32_t* values) {
    void* target = Lock(first, count);
    if (wide_) {
        auto* indices = static_cast<std::uint32_t*>(target);
        for (std::uint32_t i = 0; i < count; ++i) indices[i] = static_cast<std::uint32_t>(values[i]);
    } else {
        auto* indices = static_cast<std::uint16_t*>(target);
        for (std::uint32_t i = 0; i < count; ++i) indices[i] = static_cast<std::uint16_t>(values[i]);
    }
    Unlock();
}

void IndexBuffer::SetCount(std::uint32_t count) {
    count_ = count;
    rangeStale_ = true;
}

std::uint32_t IndexBuffer::GetMinIndex() {
    if (rangeStale_) RecomputeRange();
    return minIndex_;
}

std::uint32_t IndexBuffer::GetIndexRange() {
    if (rangeStale_) RecomputeRange();
    return indexRange_;
}

std::uint32_t IndexBuffer::IndexAt(std::uint32_t slot) const {
    if (wide_) return reinterpret_cast<const std::uint32_t*>(data_.data())[slot];
    return reinterpret_cast<const std::uint16_t*>(data_.data())[slot];
}

void IndexBuffer::RecomputeRange() {
    rangeStale_ = false;
    if (count_ == 0 || capacity_ == 0) {
        minIndex_ = 0;
        indexRange_ = 0;
        return;
    }
    // A count above the capacity is the caller's mistake; never read past the array.
    std::uint32_t used = std::min(count_, capacity_);
    std::uint32_t smallest = IndexAt(0);
    std::uint32_t largest = smallest;
    for (std::uint32_t i = 1; i < used; ++i) {
        std::uint32_t index = IndexAt(i);
        smallest = std::min(smallest, index);
        largest = std::max(largest, index);
    }
    minIndex_ = smallest;
    indexRange_ = largest - smallest + 1;
}

}  // namespace Vantor
