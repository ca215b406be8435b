#include "engine/sound/SoundBufferManager.h"

#include <algorithm>

#include "engine/kernel/StringHelpers.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

namespace Vantor {

SoundBufferManager::SoundBufferManager() : scratch_(SoundBuffer::kRingSize) {}

SoundBufferManager::~SoundBufferManager() {
    freeIds_.clear();
    for (std::uint32_t id : liveIds_) delete slots_[id];
    liveIds_.clear();
    slots_.clear();
}

const SoundBuffer* SoundBufferManager::FindStaticSource(const std::wstring& name) const {
    for (std::uint32_t id : liveIds_)
        if (slots_[id]->GetFileName() == name) return slots_[id]->IsStreamed() ? nullptr : slots_[id];
    return nullptr;
}

SoundBuffer* SoundBufferManager::CreateBuffer(const std::wstring& file, bool resident) {
    const SoundBuffer* source = FindStaticSource(ToLower(file));
    SoundSystem* system = SoundSystem::Instance();
    SoundBuffer* buffer = source != nullptr ? system->CloneBuffer(*source, scratch_.data())
                                            : system->CreateBuffer(file, scratch_.data(), resident);
    std::uint32_t id = static_cast<std::uint32_t>(slots_.size());
    if (freeIds_.empty()) {
        slots_.push_back(buffer);
    } else {
        id = freeIds_.back();
        freeIds_.pop_back();
        slots_[id] = buffer;
    }
    liveIds_.push_back(id);
    return buffer;
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer) {
    if (buffer == nullptr) return;
    const auto live = std::find_if(liveIds_.begin(), liveIds_.end(),
                                   [&](std::uint32_t id) { return slots_[id] == buffer; });
    if (live == liveIds_.end()) return;
    const std::uint32_t id = *live;
    delete buffer;
    slots_[id] = nullptr;
    freeIds_.push_back(id);
    liveIds_.erase(live);
}

void SoundBufferManager::UpdateAll() {
    for (std::uint32_t id : liveIds_) slots_[id]->Update();
}

}  // namespace Vantor
