#pragma once
// The table of sound buffers, one per sound. A new buffer of a file whose static
// buffer is alive is made as a copy of it and shares its device memory; streams
// always get buffers of their own. It owns the one scratch area that every buffer
// decodes into.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/SlotTable.h"

namespace Vantor {

class SoundBuffer;

class SoundBufferManager {
public:
    SoundBufferManager();
    virtual ~SoundBufferManager();
    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;

    // A loaded buffer owned by the manager, made by the registered sound system. A copy
    // of a live static buffer of the same file (in any letter case) takes that
    // buffer's resident flag, whatever is asked here.
    SoundBuffer* CreateBuffer(const std::wstring& file, bool resident);
    // Deletes a buffer made here; null is ignored.
    void ReleaseBuffer(SoundBuffer* buffer);
    // The per-frame pass of every live buffer: playing streams refill their ring.
    void UpdateAll();

private:
    // The first live buffer of the lower-cased name, when it is static.
    const SoundBuffer* FindStaticSource(const std::wstring& name) const;

    // Owned buffers by id.
    SlotTable<SoundBuffer> buffers_;
    std::vector<std::uint8_t> scratch_;
};

}  // namespace Vantor
