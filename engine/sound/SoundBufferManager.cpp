#include "engine/sound/SoundBufferManager.h"

#include "engine/kernel/StringHelpers.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

namespace Vantor {

SoundBufferManager::SoundBufferManager() : scratch_(SoundBuffer::kRingSize) {}

SoundBufferManager::~SoundBufferManager() { buffers_.DeleteAll(); }

const SoundBuffer* SoundBufferManager::FindStaticSource(const std::wstring& name) const {
    for (std::uint32_t id : buffers_.GetLiveIds()) {
        const SoundBuffer* buffer = buffers_.Get(id);
        if (buffer->GetFileName() == name) return buffer->IsStreamed() ? nullptr : buffer;
    }
    return nullptr;
}

SoundBuffer* SoundBufferManager::CreateBuffer(const std::wstring& file, bool resident) {
    const SoundBuffer* source = FindStaticSource(ToLower(file));
    SoundSystem* system = SoundSystem::Instance();
    SoundBuffer* buffer = source != nullptr ? system->CloneBuffer(*source, scratch_.data())
                                            : system->CreateBuffer(file, scratch_.data(), resident);
    buffers_.Add(buffer);
    return buffer;
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer) {
    if (buffers_.Remove(buffer)) delete buffer;
}

void SoundBufferManager::UpdateAll() {
    for (std::uint32_t id : buffers_.GetLiveIds()) buffers_.Get(id)->Update();
}

}  // namespace Vantor
