#pragma once
// Indices into a vertex buffer, 16-bit while the capacity fits (65535 slots or fewer),
// else 32-bit, in an owned array. The number in use may be lowered below the capacity.
// The smallest index and the range of the indices in use are cached until the next
// lock or count change.

#include <cstdint>
#include <vector>

namespace Vantor {

class IndexBuffer {
public:
    virtual ~IndexBuffer() = default;
    IndexBuffer(const IndexBuffer&) = delete;
    IndexBuffer& operator=(const IndexBuffer&) = delete;

    // Pointer to index `first` (16- or 32-bit by the width); records the lock and marks the
    // cached range stale. The caller keeps first + count within the capacity.
    virtual void* Lock(std::uint32_t first, std::uint32_t count);
    virtual void Unlock();
    // Called before every draw; a buffer kept on the device would upload itself here.
    virtual void Restore();

    // Copies count values from `values` to the slots from `first`; a 16-bit buffer keeps
    // the low 16 bits of each.
    void SetIndices(std::uint32_t first, std::uint32_t count, const std::int32_t* values);
    // The number of indices in use; the caller keeps it within the capacity.
    void SetCount(std::uint32_t count);
    // Smallest index in use, and largest - smallest + 1 (both 0 when none is in use).
    std::uint32_t GetMinIndex();
    std::uint32_t GetIndexRange();

    std::int32_t GetKind() const { return kind_; }
    bool IsWide() const { return wide_; }
    std::uint32_t GetIndexSize() const { return indexSize_; }
    std::uint32_t GetCapacity() const { return capacity_; }
    std::uint32_t GetCount() const { return count_; }
    const std::uint8_t* GetData() const { return data_.data(); }
    bool IsLocked() const { return locked_; }
    std::uint32_t GetLockFirst() const { return lockFirst_; }
    std::uint32_t GetLockCount() const { return lockCount_; }

protected:
    // kind: the owner's usage flag (0 or 1), stored only. Count = capacity; the array is
    // zero-filled; nothing is copied.
    IndexBuffer(std::int32_t kind, std::uint32_t capacity);

private:
    void RecomputeRange();
    std::uint32_t IndexAt(std::uint32_t slot) const;

    std::int32_t kind_;
    bool wide_;
    std::uint32_t indexSize_;
    std::uint32_t capacity_;
    std::uint32_t count_;
    std::vector<std::uint8_t> data_;
    bool locked_ = false;
    std::uint32_t lockFirst_ = 0;
    std::uint32_t lockCount_ = 0;
    bool rangeStale_ = true;
    std::uint32_t minIndex_ = 0;
    std::uint32_t indexRange_ = 0;
};

}  // namespace Vantor
